<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en_US">
<context>
    <name>AppWindow</name>
    <message>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Quillstack</source>
        <translation>Quillstack</translation>
    </message>
</context>
<context>
    <name>HistoryWindowDelegate</name>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Unpin</source>
        <translation>Lösen</translation>
    </message>
    <message>
        <source>Pin</source>
        <translation>Anheften</translation>
    </message>
</context>
<context>
    <name>HistoryWindowView</name>
    <message>
        <source>No items</source>
        <translation>Keine Einträge</translation>
    </message>
    <message>
        <source>Copy text or an image (Ctrl+C) — it will appear here.</source>
        <translation>Text oder Bild kopieren (Strg+C) — es erscheint dann hier.</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>No matches</source>
        <translation>Keine Treffer</translation>
    </message>
    <message>
        <source>Clear all</source>
        <translation>Alle löschen</translation>
    </message>
    <message>
        <source>Copied</source>
        <translation>Kopiert</translation>
    </message>
    <message>
        <source>Clear all history?</source>
        <translation>Gesamten Verlauf löschen?</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Also remove pinned items</source>
        <translation>Auch angeheftete Einträge löschen</translation>
    </message>
</context>
<context>
    <name>HistoryFilterModel</name>
    <message>
        <source>Item %1 of %2, pinned</source>
        <translation>Eintrag %1 von %2, angeheftet</translation>
    </message>
    <message>
        <source>Item %1 of %2</source>
        <translation>Eintrag %1 von %2</translation>
    </message>
</context>
<context>
    <name>HistoryListModel</name>
    <message>
        <source>No longer available: remove it with ×</source>
        <translation>Nicht mehr verfügbar: mit × entfernen</translation>
    </message>
    <message>
        <source>[Files]</source>
        <translation>[Dateien]</translation>
    </message>
    <message>
        <source>[Image]</source>
        <translation>[Bild]</translation>
    </message>
    <message>
        <source>[Content]</source>
        <translation>[Inhalt]</translation>
    </message>
</context>
<context>
    <name>ChordRecorderView</name>
    <message>
        <source>Shortcut for pasting:</source>
        <translation>Tastenkürzel zum Einfügen:</translation>
    </message>
    <message>
        <source>Press shortcut…</source>
        <translation>Tastenkürzel drücken…</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Ändern</translation>
    </message>
    <message>
        <source>Press the new shortcut; Esc cancels.</source>
        <translation>Das neue Tastenkürzel drücken; Esc bricht ab.</translation>
    </message>
    <message>
        <source>%1 is needed for typing: record a chord with Ctrl, Alt or Super.</source>
        <translation>%1 wird zum Tippen gebraucht: ein Tastenkürzel mit Strg, Alt oder Super aufnehmen.</translation>
    </message>
    <message>
        <source>%1 is used for editing in every program: record a different chord.</source>
        <translation>%1 dient in jedem Programm zum Bearbeiten: ein anderes Tastenkürzel aufnehmen.</translation>
    </message>
</context>
<context>
    <name>IntegrationNotice</name>
    <message>
        <source>Enable the GNOME integration</source>
        <translation>GNOME-Integration aktivieren</translation>
    </message>
    <message>
        <source>The GNOME integration is enabled from your next login: log out and back in.</source>
        <translation>Die GNOME-Integration ist ab der nächsten Anmeldung aktiv: einmal ab- und wieder anmelden.</translation>
    </message>
    <message>
        <source>The GNOME integration could not be enabled: it is not installed. Install Quillstack&apos;s package again.</source>
        <translation>Die GNOME-Integration konnte nicht aktiviert werden, weil sie nicht installiert ist. Das Quillstack-Paket neu installieren.</translation>
    </message>
    <message>
        <source>The GNOME integration is off, so the shortcut and the paste work only in some windows.</source>
        <translation>Die GNOME-Integration ist aus, daher funktionieren das Tastenkürzel und das Einfügen nur in manchen Fenstern.</translation>
    </message>
</context>
<context>
    <name>KeepHistoryChoice</name>
    <message>
        <source>Keep history after restart</source>
        <translation>Verlauf nach Neustart behalten</translation>
    </message>
    <message>
        <source>Kept in %1. Turning this off deletes it; pins are kept either way.</source>
        <translation>Gespeichert in %1. Ausschalten löscht ihn; angeheftete Einträge bleiben in jedem Fall erhalten.</translation>
    </message>
</context>
<context>
    <name>KeyNames</name>
    <message>
        <source>Return</source>
        <translation>Eingabe</translation>
    </message>
    <message>
        <source>Tab</source>
        <translation>Tab</translation>
    </message>
    <message>
        <source>Space</source>
        <translation>Leertaste</translation>
    </message>
    <message>
        <source>Backspace</source>
        <translation>Rücktaste</translation>
    </message>
    <message>
        <source>Esc</source>
        <translation>Esc</translation>
    </message>
    <message>
        <source>Enter</source>
        <translation>Enter (Ziffernblock)</translation>
    </message>
    <message>
        <source>Insert</source>
        <translation>Einfg</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Entf</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Pos1</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Ende</translation>
    </message>
    <message>
        <source>Page Up</source>
        <translation>Bild auf</translation>
    </message>
    <message>
        <source>Page Down</source>
        <translation>Bild ab</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Links</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Rechts</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Runter</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Hoch</translation>
    </message>
    <message>
        <source>Super</source>
        <translation>Super</translation>
    </message>
    <message>
        <source>Ctrl</source>
        <translation>Strg</translation>
    </message>
    <message>
        <source>Alt</source>
        <translation>Alt</translation>
    </message>
    <message>
        <source>Shift</source>
        <translation>Umschalt</translation>
    </message>
    <message>
        <source>CapsLock</source>
        <translation>Feststell</translation>
    </message>
</context>
<context>
    <name>OnboardingPanel</name>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>System</source>
        <translation>System</translation>
    </message>
</context>
<context>
    <name>OnboardingView</name>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Überspringen</translation>
    </message>
    <message>
        <source>How it works</source>
        <translation>So funktioniert es</translation>
    </message>
    <message>
        <source>Copy as usual — Ctrl+C. Text goes to history.</source>
        <translation>Wie gewohnt kopieren — Strg+C. Der Text landet im Verlauf.</translation>
    </message>
    <message>
        <source>Paste from history: %1 — opens list of recent copies.</source>
        <translation>Aus dem Verlauf einfügen: %1 — öffnet die Liste der letzten Kopien.</translation>
    </message>
    <message>
        <source>Enter or double-click — paste the selected item into the window you were in.</source>
        <translation>Enter oder Doppelklick — fügt den gewählten Eintrag in das vorherige Fenster ein.</translation>
    </message>
    <message>
        <source>Type while the list is open to filter it — only matching items stay.</source>
        <translation>Tippen, während die Liste offen ist, filtert sie — nur passende Einträge bleiben.</translation>
    </message>
    <message>
        <source>Ctrl+P or the pin — keeps an item at the top, saved on disk across restarts.</source>
        <translation>Strg+P oder die Nadel — hält einen Eintrag oben, auf der Festplatte gesichert, auch nach einem Neustart.</translation>
    </message>
    <message>
        <source>How to select</source>
        <translation>Auswählen</translation>
    </message>
    <message>
        <source>↑ ↓ — select item in list.</source>
        <translation>↑ ↓ — Eintrag in der Liste auswählen.</translation>
    </message>
    <message>
        <source>Enter or double-click — paste into the window you were in. The shortcut again or Esc — close without pasting.</source>
        <translation>Enter oder Doppelklick — in das vorherige Fenster einfügen. Das Tastenkürzel erneut oder Esc — ohne Einfügen schließen.</translation>
    </message>
    <message>
        <source>Shift+Enter — paste the text alone, without formatting.</source>
        <translation>Umschalt+Enter — nur den Text einfügen, ohne Formatierung.</translation>
    </message>
    <message>
        <source>Delete or × to remove from history.</source>
        <translation>Entf oder × — aus dem Verlauf entfernen.</translation>
    </message>
    <message>
        <source>Menu and settings</source>
        <translation>Menü und Einstellungen</translation>
    </message>
    <message>
        <source>Click the tray icon — history, settings, quit.</source>
        <translation>Auf das Symbol im Systembereich klicken — Verlauf, Einstellungen, Beenden.</translation>
    </message>
    <message>
        <source>Pause recording from the tray icon — nothing copied is kept until you resume.</source>
        <translation>Aufzeichnung über das Symbol im Systembereich pausieren — bis zum Fortsetzen wird nichts Kopiertes behalten.</translation>
    </message>
    <message>
        <source>In settings: autostart, shortcut, history size, and applications whose copies are never recorded.</source>
        <translation>In den Einstellungen: Autostart, Tastenkürzel, Einträge im Verlauf und Anwendungen, deren Kopien nie aufgezeichnet werden.</translation>
    </message>
    <message>
        <source>Quillstack</source>
        <translation>Quillstack</translation>
    </message>
    <message>
        <source>Clipboard for the Linux desktop</source>
        <translation>Zwischenablage für den Linux-Desktop</translation>
    </message>
    <message>
        <source>Stores copy history and lets you paste any item with one shortcut.</source>
        <translation>Speichert den Kopierverlauf und fügt jeden Eintrag mit einem einzigen Tastenkürzel ein.</translation>
    </message>
    <message>
        <source>Pasting into other apps</source>
        <translation>Einfügen in andere Programme</translation>
    </message>
    <message>
        <source>Ready to paste into other apps.</source>
        <translation>Einfügen in andere Programme ist möglich.</translation>
    </message>
    <message>
        <source>Step 1: Copy</source>
        <translation>Schritt 1: Kopieren</translation>
    </message>
    <message>
        <source>Copy both texts — by selection (Ctrl+C) or by the Copy button. When copied, the block will turn green.</source>
        <translation>Beide Texte kopieren — per Auswahl (Strg+C) oder mit der Schaltfläche „Kopieren“. Kopierte Blöcke werden grün.</translation>
    </message>
    <message>
        <source>Both copied. Click Next.</source>
        <translation>Beide kopiert. Auf „Weiter“ klicken.</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Step 2: Paste from history</source>
        <translation>Schritt 2: Einfügen</translation>
    </message>
    <message>
        <source>Paste “Text 1” into field 1 and “Text 2” into field 2. Use %1 to choose from the list.</source>
        <translation>In Feld 1 „Text 1“ einfügen, in Feld 2 „Text 2“. Mit %1 aus der Liste wählen.</translation>
    </message>
    <message>
        <source>Correct! Click Done.</source>
        <translation>Richtig! Auf „Fertig“ klicken.</translation>
    </message>
    <message>
        <source>Start Quillstack when you log in</source>
        <translation>Quillstack bei der Anmeldung starten</translation>
    </message>
    <message>
        <source>Field 1 — “Text 1” here</source>
        <translation>Feld 1 — hier „Text 1“</translation>
    </message>
    <message>
        <source>Field 2 — “Text 2” here</source>
        <translation>Feld 2 — hier „Text 2“</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <source>Quillstack pastes the selected item into other apps by typing Ctrl+V through its GNOME Shell extension.</source>
        <translation>Quillstack fügt den gewählten Eintrag in andere Programme ein, indem es Strg+V über seine GNOME-Shell-Erweiterung tippt.</translation>
    </message>
    <message>
        <source>Quillstack pastes the selected item into other apps by typing Ctrl+V through the compositor&apos;s virtual keyboard.</source>
        <translation>Quillstack fügt den gewählten Eintrag in andere Programme ein, indem es Strg+V über die virtuelle Tastatur des Compositors tippt.</translation>
    </message>
    <message>
        <source>Choose an item and Quillstack pastes it into the window you were in. If a program ignores the paste, the item is still on the clipboard: press Ctrl+V there.</source>
        <translation>Einen Eintrag wählen, und Quillstack fügt ihn in das Fenster ein, in dem gerade gearbeitet wurde. Nimmt ein Programm das Einfügen nicht an, liegt der Eintrag trotzdem in der Zwischenablage: dort Strg+V drücken.</translation>
    </message>
</context>
<context>
    <name>OnboardingWizard</name>
    <message>
        <source>Text 1</source>
        <translation>Text 1</translation>
    </message>
    <message>
        <source>Text 2</source>
        <translation>Text 2</translation>
    </message>
</context>
<context>
    <name>PasteDelivery</name>
    <message>
        <source>Not pasted: another window was in front. The item is on the clipboard: press %1 to paste it.</source>
        <translation>Nicht eingefügt: Ein anderes Fenster war im Vordergrund. Der Eintrag liegt in der Zwischenablage: %1 drücken, um ihn einzufügen.</translation>
    </message>
</context>
<context>
    <name>PastePopupView</name>
    <message>
        <source>Clipboard — double-click or ↑↓ Enter to paste</source>
        <translation>Verlauf — Doppelklick oder ↑↓ Enter zum Einfügen</translation>
    </message>
    <message>
        <source>Clipboard — ↑↓ Enter to copy, then press Ctrl+V</source>
        <translation>Verlauf — ↑↓ Enter zum Kopieren, dann Strg+V drücken</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <source>No items</source>
        <translation>Keine Einträge</translation>
    </message>
    <message>
        <source>Copy something and it will appear here.</source>
        <translation>Kopieren Sie etwas, dann erscheint es hier.</translation>
    </message>
    <message>
        <source>No matches</source>
        <translation>Keine Treffer</translation>
    </message>
</context>
<context>
    <name>PlatformServices</name>
    <message>
        <source>paste from history</source>
        <translation>aus Verlauf einfügen</translation>
    </message>
</context>
<context>
    <name>PrivateFiles</name>
    <message>
        <source>its lock cannot be taken</source>
        <translation>die Sperrdatei darin kann nicht belegt werden</translation>
    </message>
    <message>
        <source>is not a history database</source>
        <translation>ist keine Verlaufsdatenbank</translation>
    </message>
    <message>
        <source>is from a newer version of Quillstack</source>
        <translation>stammt von einer neueren Version von Quillstack</translation>
    </message>
    <message>
        <source>cannot be written</source>
        <translation>kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>cannot be read</source>
        <translation>kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>is not a pin file</source>
        <translation>ist keine Datei angehefteter Einträge</translation>
    </message>
    <message>
        <source>is a symbolic link</source>
        <translation>ist eine symbolische Verknüpfung</translation>
    </message>
    <message>
        <source>is not a folder</source>
        <translation>ist kein Ordner</translation>
    </message>
    <message>
        <source>belongs to another user</source>
        <translation>gehört einem anderen Benutzer</translation>
    </message>
    <message>
        <source>can be changed by other users</source>
        <translation>kann von anderen Benutzern verändert werden</translation>
    </message>
    <message>
        <source>cannot be created</source>
        <translation>kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>is not a regular file</source>
        <translation>ist keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>is too large</source>
        <translation>ist zu groß</translation>
    </message>
    <message>
        <source>is not set</source>
        <translation>ist nicht gesetzt</translation>
    </message>
</context>
<context>
    <name>ProblemNotices</name>
    <message>
        <source>History and pins cannot be kept: %1 %2. It was left alone; move it away to keep them again.</source>
        <translation>Verlauf und angeheftete Einträge können nicht behalten werden: %1 %2. Die Datei wurde nicht angetastet; verschieben Sie sie, um beides wieder zu behalten.</translation>
    </message>
    <message>
        <source>The kept history and pins were not restored: %1 %2. It was renamed to %3.</source>
        <translation>Der behaltene Verlauf und die angehefteten Einträge wurden nicht wiederhergestellt: %1 %2. Die Datei wurde in %3 umbenannt.</translation>
    </message>
    <message>
        <source>No pins were restored: %1 %2. It was renamed to %3.</source>
        <translation>Keine angehefteten Einträge wiederhergestellt: %1 %2. Die Datei wurde in %3 umbenannt.</translation>
    </message>
    <message>
        <source>History and pins could not be saved: %1 %2. They are kept for this session and saved again at the next change.</source>
        <translation>Verlauf und angeheftete Einträge konnten nicht gesichert werden: %1 %2. Sie bleiben für diese Sitzung erhalten und werden bei der nächsten Änderung erneut gesichert.</translation>
    </message>
    <message>
        <source>The ignored applications in the settings file cannot be read: the usual password managers are ignored instead.</source>
        <translation>Die ignorierten Anwendungen in der Einstellungsdatei können nicht gelesen werden: Stattdessen werden die üblichen Passwortmanager ignoriert.</translation>
    </message>
</context>
<context>
    <name>QuillstackApp</name>
    <message>
        <source>Quillstack cannot start: none of these folders can be trusted to hold its lock and socket.</source>
        <translation>Quillstack kann nicht starten: Keinem dieser Ordner kann für Sperrdatei und Socket vertraut werden.</translation>
    </message>
</context>
<context>
    <name>QuillstackTray</name>
    <message>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Einstellungen…</translation>
    </message>
    <message>
        <source>Welcome guide</source>
        <translation>Einführung</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Quillstack</source>
        <translation>Quillstack</translation>
    </message>
    <message>
        <source>Recording paused: copies are not kept</source>
        <translation>Aufzeichnung pausiert: Kopiertes wird nicht behalten</translation>
    </message>
</context>
<context>
    <name>QuitQuestion</name>
    <message numerus="yes">
        <source>Quitting clears the %n items in the history.</source>
        <translation>
            <numerusform>Beim Beenden wird %n Eintrag im Verlauf gelöscht.</numerusform>
            <numerusform>Beim Beenden werden die %n Einträge im Verlauf gelöscht.</numerusform>
        </translation>
    </message>
    <message>
        <source>Pins are kept. The history can be kept after restart instead.</source>
        <translation>Angeheftete Einträge bleiben erhalten. Stattdessen kann der Verlauf nach dem Neustart behalten werden.</translation>
    </message>
    <message>
        <source>Keep History and Quit</source>
        <translation>Verlauf behalten und beenden</translation>
    </message>
    <message>
        <source>Quit and Clear</source>
        <translation>Beenden und löschen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>SettingsView</name>
    <message>
        <source>Never</source>
        <translation>Nie</translation>
    </message>
    <message>
        <source>5 minutes</source>
        <translation>5 Minuten</translation>
    </message>
    <message>
        <source>15 minutes</source>
        <translation>15 Minuten</translation>
    </message>
    <message>
        <source>30 minutes</source>
        <translation>30 Minuten</translation>
    </message>
    <message>
        <source>1 hour</source>
        <translation>1 Stunde</translation>
    </message>
    <message>
        <source>6 hours</source>
        <translation>6 Stunden</translation>
    </message>
    <message>
        <source>24 hours</source>
        <translation>24 Stunden</translation>
    </message>
    <message>
        <source>%1 cannot be read: these settings are the defaults, and changes cannot be saved.</source>
        <translation>%1 kann nicht gelesen werden: Es gelten die Standardeinstellungen, und Änderungen können nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>System</source>
        <translation>System</translation>
    </message>
    <message>
        <source>Autostart</source>
        <translation>Autostart</translation>
    </message>
    <message>
        <source>Launch at login</source>
        <translation>Bei der Anmeldung starten</translation>
    </message>
    <message>
        <source>Paste from history</source>
        <translation>Aus dem Verlauf einfügen</translation>
    </message>
    <message>
        <source>In the list: ↑↓ to select, Enter or double-click to paste into the window you were in. Press the shortcut again or Esc to close without pasting.</source>
        <translation>In der Liste: ↑↓ wählt aus, Enter oder Doppelklick fügt in das vorherige Fenster ein. Das Tastenkürzel erneut oder Esc schließt ohne Einfügen.</translation>
    </message>
    <message>
        <source>Pasting into password fields may not work: some programs ignore simulated keystrokes there for security.</source>
        <translation>Einfügen in Passwortfelder funktioniert eventuell nicht: Manche Programme ignorieren dort aus Sicherheitsgründen simulierte Tastendrücke.</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <source>History size</source>
        <translation>Einträge im Verlauf</translation>
    </message>
    <message>
        <source>Auto-delete after</source>
        <translation>Automatisch löschen nach</translation>
    </message>
    <message>
        <source>Items older than the selected time will be removed automatically.</source>
        <translation>Einträge, die älter als die gewählte Zeit sind, werden automatisch entfernt.</translation>
    </message>
    <message>
        <source>Ignored applications</source>
        <translation>Ignorierte Anwendungen</translation>
    </message>
    <message>
        <source>Copies made while one of these applications is in front are never recorded.</source>
        <translation>Was kopiert wird, während eine dieser Anwendungen im Vordergrund ist, wird nie aufgezeichnet.</translation>
    </message>
    <message>
        <source>Window class or app id</source>
        <translation>Fensterklasse oder App-ID</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Quit application</source>
        <translation>Anwendung beenden</translation>
    </message>
    <message>
        <source>KWin types the paste only for a program whose desktop entry allows it. Install Quillstack from its package, or start this build with tools/run, which writes that entry: Quillstack takes it up at once, without a restart. Until then, choose an item and press Ctrl+V yourself.</source>
        <translation>KWin tippt das Einfügen nur für ein Programm, dessen Desktop-Eintrag es erlaubt. Installieren Sie Quillstack aus seinem Paket oder starten Sie diesen Build mit tools/run, das diesen Eintrag schreibt: Quillstack übernimmt ihn sofort, ohne Neustart. Bis dahin einen Eintrag wählen und selbst Strg+V drücken.</translation>
    </message>
    <message>
        <source>This desktop lets no program type into other windows: choose an item in the list, then press Ctrl+V yourself.</source>
        <translation>Diese Arbeitsumgebung lässt keine Programme in andere Fenster tippen: einen Eintrag in der Liste wählen und dann selbst Strg+V drücken.</translation>
    </message>
    <message>
        <source>Pasting needs the X server&apos;s XTEST extension, which is missing here — the selected item is only copied; paste it with Ctrl+V.</source>
        <translation>Zum Einfügen wird die XTEST-Erweiterung des X-Servers benötigt, die hier fehlt — der gewählte Eintrag wird nur kopiert; mit Strg+V einfügen.</translation>
    </message>
    <message>
        <source>Wayland gives programs no global shortcuts: bind %1 to the command “quillstack --toggle-popup” in your desktop&apos;s keyboard settings (sway: bindsym in its config; KDE Plasma: Shortcuts → Add New → Command; GNOME: Keyboard → Custom Shortcuts).</source>
        <translation>Unter Wayland gibt es für Programme keine globalen Tastenkürzel: in den Tastatureinstellungen der Arbeitsumgebung %1 auf den Befehl „quillstack --toggle-popup“ legen (sway: bindsym in der Konfiguration; KDE Plasma: Kurzbefehle → Neu hinzufügen → Befehl; GNOME: Tastatur → Eigene Tastenkombinationen).</translation>
    </message>
    <message>
        <source>The global shortcut is not available. In the desktop&apos;s keyboard shortcut settings, assign a shortcut to the command “quillstack --toggle-popup”.</source>
        <translation>Das globale Tastenkürzel ist nicht verfügbar. In den Tastenkürzel-Einstellungen der Arbeitsumgebung ein Tastenkürzel für den Befehl „quillstack --toggle-popup“ festlegen.</translation>
    </message>
    <message>
        <source>Open keyboard shortcut settings</source>
        <translation>Tastenkürzel-Einstellungen öffnen</translation>
    </message>
    <message>
        <source>Another program also uses this shortcut, so both react to it. Record a different one, or free it in that program.</source>
        <translation>Ein anderes Programm verwendet dieses Tastenkürzel ebenfalls, daher reagieren beide darauf. Ein anderes Tastenkürzel aufnehmen oder es in jenem Programm freigeben.</translation>
    </message>
</context>
<context>
    <name>TrayPanel</name>
    <message>
        <source>Quillstack</source>
        <translation>Quillstack</translation>
    </message>
</context>
<context>
    <name>TrayPanelView</name>
    <message>
        <source>paste from history</source>
        <translation>aus Verlauf einfügen</translation>
    </message>
    <message>
        <source>Resume recording</source>
        <translation>Aufzeichnung fortsetzen</translation>
    </message>
    <message>
        <source>Pause recording</source>
        <translation>Aufzeichnung pausieren</translation>
    </message>
    <message>
        <source>Quillstack</source>
        <translation>Quillstack</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Einstellungen…</translation>
    </message>
    <message>
        <source>Welcome guide</source>
        <translation>Einführung</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
</context>
<context>
    <name>WayInNotice</name>
    <message>
        <source>No tray icon here: open History from Quillstack in the application menu or with %1, and Settings with %2.</source>
        <translation>Hier gibt es kein Symbol im Infobereich: Öffnen Sie den Verlauf über Quillstack im Anwendungsmenü oder mit %1, die Einstellungen mit %2.</translation>
    </message>
</context>
</TS>
