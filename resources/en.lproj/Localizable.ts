<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="en_US">
<context>
    <name>Localizable</name>
    <message>
        <source>Quillstack</source>
        <translation>Quillstack</translation>
    </message>
    <message>
        <source>Clipboard — double-click or ↑↓ Enter to paste</source>
        <translation>Clipboard — double-click or ↑↓ Enter to paste</translation>
    </message>
    <message>
        <source>No items</source>
        <translation>No items</translation>
    </message>
    <message>
        <source>paste from history</source>
        <translation>paste from history</translation>
    </message>
    <message>
        <source>View buffer</source>
        <translation>History</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Settings…</translation>
    </message>
    <message>
        <source>Restart onboarding</source>
        <translation>Restart onboarding</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>Hold the shortcut: popup stays open while held. ↑↓ to select, release to paste. Press key again while holding to paste again.</source>
        <translation>In the list: ↑↓ to select, Enter or double-click to paste into the window you were in. Press the shortcut again or Esc to close without pasting.</translation>
    </message>
    <message>
        <source>Paste into password fields may not work: macOS blocks programmatic paste there for security.</source>
        <translation>Pasting into password fields may not work: some programs ignore simulated keystrokes there for security.</translation>
    </message>
    <message>
        <source>Paste needs Universal Access — enable it so Quillstack can paste the selected item into other apps.</source>
        <translation>Pasting needs the X server's XTEST extension, which is missing here — the selected item is only copied; paste it with Ctrl+V.</translation>
    </message>
    <message>
        <source>For global hotkey add Quillstack to Input Monitoring (System Settings → Privacy).</source>
        <translation>The global shortcut is not available. In the desktop's keyboard shortcut settings, assign a shortcut to the command “quillstack --toggle-popup”.</translation>
    </message>
    <message>
        <source>Open Input Monitoring in System Settings</source>
        <translation>Open keyboard shortcut settings</translation>
    </message>
    <message>
        <source>Copy text or image (⌘C) — it will appear here.</source>
        <translation>Copy text or an image (Ctrl+C) — it will appear here.</translation>
    </message>
    <message>
        <source>Clipboard for macOS</source>
        <translation>Clipboard for the Linux desktop</translation>
    </message>
    <message>
        <source>Universal Access</source>
        <translation>Pasting into other apps</translation>
    </message>
    <message>
        <source>Copy as usual — ⌘C. Text goes to history.</source>
        <translation>Copy as usual — Ctrl+C. Text goes to history.</translation>
    </message>
    <message>
        <source>Release modifiers or Enter — paste selected item.</source>
        <translation>Enter or double-click — paste the selected item into the window you were in.</translation>
    </message>
    <message>
        <source>Release modifiers — selected text pastes into active app.</source>
        <translation>Enter or double-click — paste into the window you were in. The shortcut again or Esc — close without pasting.</translation>
    </message>
    <message>
        <source>Click menu bar icon — view buffer, settings, quit.</source>
        <translation>Click the tray icon — history, settings, quit.</translation>
    </message>
    <message>
        <source>Universal Access lets Quillstack paste the selected item into other apps. Without it the list still opens, but paste won't work.</source>
        <translation>Choose an item and Quillstack pastes it into the window you were in. If a program ignores the paste, the item is still on the clipboard: press Ctrl+V there.</translation>
    </message>
    <message>
        <source>Universal Access is enabled.</source>
        <translation>Ready to paste into other apps.</translation>
    </message>
    <message>
        <source>Copy both texts — by selection (⌘C) or by the Copy button. When copied, the block will turn green.</source>
        <translation>Copy both texts — by selection (Ctrl+C) or by the Copy button. When copied, the block will turn green.</translation>
    </message>
    <message>
        <source>Return (key name)</source>
        <translation>Return</translation>
    </message>
    <message>
        <source>Tab (key name)</source>
        <translation>Tab</translation>
    </message>
    <message>
        <source>Space (key name)</source>
        <translation>Space</translation>
    </message>
    <message>
        <source>Backspace (key name)</source>
        <translation>Backspace</translation>
    </message>
    <message>
        <source>Esc (key name)</source>
        <translation>Esc</translation>
    </message>
    <message>
        <source>Enter (key name)</source>
        <translation>Enter</translation>
    </message>
    <message>
        <source>Insert (key name)</source>
        <translation>Insert</translation>
    </message>
    <message>
        <source>Delete (key name)</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Home (key name)</source>
        <translation>Home</translation>
    </message>
    <message>
        <source>End (key name)</source>
        <translation>End</translation>
    </message>
    <message>
        <source>Page Up (key name)</source>
        <translation>Page Up</translation>
    </message>
    <message>
        <source>Page Down (key name)</source>
        <translation>Page Down</translation>
    </message>
    <message>
        <source>Left (key name)</source>
        <translation>Left</translation>
    </message>
    <message>
        <source>Right (key name)</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>Down (key name)</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>Up (key name)</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>Super (key name)</source>
        <translation>Super</translation>
    </message>
    <message>
        <source>Ctrl (key name)</source>
        <translation>Ctrl</translation>
    </message>
    <message>
        <source>Alt (key name)</source>
        <translation>Alt</translation>
    </message>
    <message>
        <source>Shift (key name)</source>
        <translation>Shift</translation>
    </message>
    <message>
        <source>CapsLock (key name)</source>
        <translation>CapsLock</translation>
    </message>
    <message>
        <source>Clipboard</source>
        <translation>History</translation>
    </message>
    <message>
        <source>Buffer limit</source>
        <translation>History size</translation>
    </message>
    <message>
        <source>In settings: autostart, hotkey, buffer limit.</source>
        <translation>In settings: autostart, shortcut, history size, and applications whose copies are never recorded.</translation>
    </message>
    <message>
        <source>Both copied. Tap Next.</source>
        <translation>Both copied. Click Next.</translation>
    </message>
    <message>
        <source>Correct! Tap Next.</source>
        <translation>Correct! Click Done.</translation>
    </message>
    <message>
        <source>Hotkey for paste:</source>
        <translation>Shortcut for pasting:</translation>
    </message>
    <message>
        <source>Press the new chord; Esc cancels.</source>
        <translation>Press the new shortcut; Esc cancels.</translation>
    </message>
    <message>
        <source>%1 cannot be read: these settings are the defaults, and changes cannot be saved.</source>
        <translation>%1 cannot be read: these settings are the defaults, and changes cannot be saved.</translation>
    </message>
    <message>
        <source>No longer available: remove it with ×</source>
        <translation>No longer available: remove it with ×</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>No matches</source>
        <translation>No matches</translation>
    </message>
    <message>
        <source>Copy something and it will appear here.</source>
        <translation>Copy something and it will appear here.</translation>
    </message>
    <message>
        <source>Type while the list is open to filter it — only matching items stay.</source>
        <translation>Type while the list is open to filter it — only matching items stay.</translation>
    </message>
    <message>
        <source>Ctrl+P or the pin — keeps an item at the top, saved on disk across restarts.</source>
        <translation>Ctrl+P or the pin — keeps an item at the top, saved on disk across restarts.</translation>
    </message>
    <message>
        <source>Shift+Enter — paste the text alone, without formatting.</source>
        <translation>Shift+Enter — paste the text alone, without formatting.</translation>
    </message>
    <message>
        <source>Pause recording from the tray icon — nothing copied is kept until you resume.</source>
        <translation>Pause recording from the tray icon — nothing copied is kept until you resume.</translation>
    </message>
    <message>
        <source>Window class or app id</source>
        <translation>Window class or app id</translation>
    </message>
    <message>
        <source>Paste into field 1 «Text 1», into field 2 «Text 2». Use %@ to choose from list.</source>
        <translation>Paste “Text 1” into field 1 and “Text 2” into field 2. Use %@ to choose from the list.</translation>
    </message>
    <message>
        <source>Field 1 — «Text 1» here</source>
        <translation>Field 1 — “Text 1” here</translation>
    </message>
    <message>
        <source>Field 2 — «Text 2» here</source>
        <translation>Field 2 — “Text 2” here</translation>
    </message>
    <message>
        <source>Item %1 of %2</source>
        <translation>Item %1 of %2</translation>
    </message>
    <message>
        <source>Item %1 of %2, pinned</source>
        <translation>Item %1 of %2, pinned</translation>
    </message>
    <message numerus="yes">
        <source>Quitting clears the %n items in the history.</source>
        <translation>
            <numerusform>Quitting clears the %n item in the history.</numerusform>
            <numerusform>Quitting clears the %n items in the history.</numerusform>
        </translation>
    </message>
</context>
</TS>
