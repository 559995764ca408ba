<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en_US">
<context>
    <name>AppWindow</name>
    <message>
        <source>History</source>
        <translation>历史记录</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
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
        <translation>复制</translation>
    </message>
    <message>
        <source>Unpin</source>
        <translation>取消固定</translation>
    </message>
    <message>
        <source>Pin</source>
        <translation>固定</translation>
    </message>
</context>
<context>
    <name>HistoryWindowView</name>
    <message>
        <source>No items</source>
        <translation>无项目</translation>
    </message>
    <message>
        <source>Copy text or an image (Ctrl+C) — it will appear here.</source>
        <translation>复制文本或图片（Ctrl+C）— 复制的内容会显示在这里。</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>搜索</translation>
    </message>
    <message>
        <source>No matches</source>
        <translation>没有匹配项</translation>
    </message>
    <message>
        <source>Clear all</source>
        <translation>全部清除</translation>
    </message>
    <message>
        <source>Copied</source>
        <translation>已复制</translation>
    </message>
    <message>
        <source>Clear all history?</source>
        <translation>清除全部历史记录？</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Also remove pinned items</source>
        <translation>同时清除已固定的项目</translation>
    </message>
</context>
<context>
    <name>HistoryFilterModel</name>
    <message>
        <source>Item %1 of %2, pinned</source>
        <translation>第 %1 项，共 %2 项，已固定</translation>
    </message>
    <message>
        <source>Item %1 of %2</source>
        <translation>第 %1 项，共 %2 项</translation>
    </message>
</context>
<context>
    <name>HistoryListModel</name>
    <message>
        <source>No longer available: remove it with ×</source>
        <translation>已不可用：请用 × 删除</translation>
    </message>
    <message>
        <source>[Files]</source>
        <translation>[文件]</translation>
    </message>
    <message>
        <source>[Image]</source>
        <translation>[图片]</translation>
    </message>
    <message>
        <source>[Content]</source>
        <translation>[内容]</translation>
    </message>
</context>
<context>
    <name>ChordRecorderView</name>
    <message>
        <source>Shortcut for pasting:</source>
        <translation>粘贴快捷键：</translation>
    </message>
    <message>
        <source>Press shortcut…</source>
        <translation>请按快捷键…</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>更改</translation>
    </message>
    <message>
        <source>Press the new shortcut; Esc cancels.</source>
        <translation>请按新的快捷键；按 Esc 取消。</translation>
    </message>
    <message>
        <source>%1 is needed for typing: record a chord with Ctrl, Alt or Super.</source>
        <translation>%1 用于输入文字：请录制带 Ctrl、Alt 或 Super 的快捷键。</translation>
    </message>
    <message>
        <source>%1 is used for editing in every program: record a different chord.</source>
        <translation>%1 在所有程序中都用于编辑：请录制其他快捷键。</translation>
    </message>
</context>
<context>
    <name>IntegrationNotice</name>
    <message>
        <source>Enable the GNOME integration</source>
        <translation>启用 GNOME 集成</translation>
    </message>
    <message>
        <source>The GNOME integration is enabled from your next login: log out and back in.</source>
        <translation>GNOME 集成将在下次登录后启用：请注销并重新登录。</translation>
    </message>
    <message>
        <source>The GNOME integration could not be enabled: it is not installed. Install Quillstack&apos;s package again.</source>
        <translation>GNOME 集成尚未安装，无法启用。请重新安装 Quillstack 软件包。</translation>
    </message>
    <message>
        <source>The GNOME integration is off, so the shortcut and the paste work only in some windows.</source>
        <translation>GNOME 集成已关闭，因此快捷键和粘贴只在部分窗口中有效。</translation>
    </message>
</context>
<context>
    <name>KeepHistoryChoice</name>
    <message>
        <source>Keep history after restart</source>
        <translation>重启后保留历史记录</translation>
    </message>
    <message>
        <source>Kept in %1. Turning this off deletes it; pins are kept either way.</source>
        <translation>保存在 %1。关闭此项会将其删除；固定项目始终保留。</translation>
    </message>
</context>
<context>
    <name>KeyNames</name>
    <message>
        <source>Return</source>
        <translation>Enter</translation>
    </message>
    <message>
        <source>Tab</source>
        <translation>Tab</translation>
    </message>
    <message>
        <source>Space</source>
        <translation>空格</translation>
    </message>
    <message>
        <source>Backspace</source>
        <translation>Backspace</translation>
    </message>
    <message>
        <source>Esc</source>
        <translation>Esc</translation>
    </message>
    <message>
        <source>Enter</source>
        <translation>Enter（数字小键盘）</translation>
    </message>
    <message>
        <source>Insert</source>
        <translation>Insert</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Home</translation>
    </message>
    <message>
        <source>End</source>
        <translation>End</translation>
    </message>
    <message>
        <source>Page Up</source>
        <translation>Page Up</translation>
    </message>
    <message>
        <source>Page Down</source>
        <translation>Page Down</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>←</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>→</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>↓</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>↑</translation>
    </message>
    <message>
        <source>Super</source>
        <translation>Super</translation>
    </message>
    <message>
        <source>Ctrl</source>
        <translation>Ctrl</translation>
    </message>
    <message>
        <source>Alt</source>
        <translation>Alt</translation>
    </message>
    <message>
        <source>Shift</source>
        <translation>Shift</translation>
    </message>
    <message>
        <source>CapsLock</source>
        <translation>Caps Lock</translation>
    </message>
</context>
<context>
    <name>OnboardingPanel</name>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
    <message>
        <source>System</source>
        <translation>跟随系统</translation>
    </message>
</context>
<context>
    <name>OnboardingView</name>
    <message>
        <source>Back</source>
        <translation>上一步</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>跳过</translation>
    </message>
    <message>
        <source>How it works</source>
        <translation>使用方法</translation>
    </message>
    <message>
        <source>Copy as usual — Ctrl+C. Text goes to history.</source>
        <translation>照常复制 — Ctrl+C，文本会进入历史记录。</translation>
    </message>
    <message>
        <source>Paste from history: %1 — opens list of recent copies.</source>
        <translation>从历史记录粘贴：%1 — 打开最近复制内容列表。</translation>
    </message>
    <message>
        <source>Enter or double-click — paste the selected item into the window you were in.</source>
        <translation>Enter 或双击 — 将所选项粘贴到之前的窗口。</translation>
    </message>
    <message>
        <source>Type while the list is open to filter it — only matching items stay.</source>
        <translation>列表打开时直接输入即可筛选 — 只保留匹配的项目。</translation>
    </message>
    <message>
        <source>Ctrl+P or the pin — keeps an item at the top, saved on disk across restarts.</source>
        <translation>Ctrl+P 或图钉 — 将项目置顶并保存到磁盘，重启后依然保留。</translation>
    </message>
    <message>
        <source>How to select</source>
        <translation>如何选择</translation>
    </message>
    <message>
        <source>↑ ↓ — select item in list.</source>
        <translation>↑ ↓ — 在列表中选择项目。</translation>
    </message>
    <message>
        <source>Enter or double-click — paste into the window you were in. The shortcut again or Esc — close without pasting.</source>
        <translation>Enter 或双击 — 粘贴到之前的窗口。再次按快捷键或 Esc — 关闭且不粘贴。</translation>
    </message>
    <message>
        <source>Shift+Enter — paste the text alone, without formatting.</source>
        <translation>Shift+Enter — 只粘贴文本，不带格式。</translation>
    </message>
    <message>
        <source>Delete or × to remove from history.</source>
        <translation>Delete 或 × — 从历史记录中删除。</translation>
    </message>
    <message>
        <source>Menu and settings</source>
        <translation>菜单和设置</translation>
    </message>
    <message>
        <source>Click the tray icon — history, settings, quit.</source>
        <translation>点击托盘图标 — 历史记录、设置、退出。</translation>
    </message>
    <message>
        <source>Pause recording from the tray icon — nothing copied is kept until you resume.</source>
        <translation>通过托盘图标暂停记录 — 恢复之前复制的内容都不会保留。</translation>
    </message>
    <message>
        <source>In settings: autostart, shortcut, history size, and applications whose copies are never recorded.</source>
        <translation>在设置中：自动启动、快捷键、历史记录条数，以及从不记录其复制内容的应用程序。</translation>
    </message>
    <message>
        <source>Quillstack</source>
        <translation>Quillstack</translation>
    </message>
    <message>
        <source>Clipboard for the Linux desktop</source>
        <translation>适用于 Linux 桌面的剪贴板</translation>
    </message>
    <message>
        <source>Stores copy history and lets you paste any item with one shortcut.</source>
        <translation>保存复制历史，只需一个快捷键即可粘贴任意一项。</translation>
    </message>
    <message>
        <source>Pasting into other apps</source>
        <translation>粘贴到其他应用</translation>
    </message>
    <message>
        <source>Ready to paste into other apps.</source>
        <translation>已可以粘贴到其他应用。</translation>
    </message>
    <message>
        <source>Step 1: Copy</source>
        <translation>第 1 步：复制</translation>
    </message>
    <message>
        <source>Copy both texts — by selection (Ctrl+C) or by the Copy button. When copied, the block will turn green.</source>
        <translation>复制这两段文本 — 选中后按 Ctrl+C，或点击“复制”按钮。复制后文本块会变为绿色。</translation>
    </message>
    <message>
        <source>Both copied. Click Next.</source>
        <translation>两段均已复制。请点击“下一步”。</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>Step 2: Paste from history</source>
        <translation>第 2 步：从历史记录粘贴</translation>
    </message>
    <message>
        <source>Paste “Text 1” into field 1 and “Text 2” into field 2. Use %1 to choose from the list.</source>
        <translation>将“文本 1”粘贴到输入框 1，“文本 2”粘贴到输入框 2。按 %1 从列表中选择。</translation>
    </message>
    <message>
        <source>Correct! Click Done.</source>
        <translation>正确！请点击“完成”。</translation>
    </message>
    <message>
        <source>Start Quillstack when you log in</source>
        <translation>登录时启动 Quillstack</translation>
    </message>
    <message>
        <source>Field 1 — “Text 1” here</source>
        <translation>输入框 1 — 在此粘贴“文本 1”</translation>
    </message>
    <message>
        <source>Field 2 — “Text 2” here</source>
        <translation>输入框 2 — 在此粘贴“文本 2”</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>完成</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>下一步</translation>
    </message>
    <message>
        <source>Quillstack pastes the selected item into other apps by typing Ctrl+V through its GNOME Shell extension.</source>
        <translation>Quillstack 通过其 GNOME Shell 扩展输入 Ctrl+V，将所选项粘贴到其他应用。</translation>
    </message>
    <message>
        <source>Quillstack pastes the selected item into other apps by typing Ctrl+V through the compositor&apos;s virtual keyboard.</source>
        <translation>Quillstack 通过合成器的虚拟键盘输入 Ctrl+V，将所选项粘贴到其他应用。</translation>
    </message>
    <message>
        <source>Choose an item and Quillstack pastes it into the window you were in. If a program ignores the paste, the item is still on the clipboard: press Ctrl+V there.</source>
        <translation>选择一个项目，Quillstack 会把它粘贴到你刚才所在的窗口。若某个程序不接受粘贴，该项目仍在剪贴板中：在那里按 Ctrl+V。</translation>
    </message>
</context>
<context>
    <name>OnboardingWizard</name>
    <message>
        <source>Text 1</source>
        <translation>文本 1</translation>
    </message>
    <message>
        <source>Text 2</source>
        <translation>文本 2</translation>
    </message>
</context>
<context>
    <name>PasteDelivery</name>
    <message>
        <source>Not pasted: another window was in front. The item is on the clipboard: press %1 to paste it.</source>
        <translation>未粘贴：另一个窗口在最前面。该项目已在剪贴板中：按 %1 粘贴。</translation>
    </message>
</context>
<context>
    <name>PastePopupView</name>
    <message>
        <source>Clipboard — double-click or ↑↓ Enter to paste</source>
        <translation>剪贴板 — 双击或按 ↑↓ Enter 粘贴</translation>
    </message>
    <message>
        <source>Clipboard — ↑↓ Enter to copy, then press Ctrl+V</source>
        <translation>剪贴板 — 按 ↑↓ Enter 复制，然后按 Ctrl+V</translation>
    </message>
    <message>
        <source>History</source>
        <translation>历史记录</translation>
    </message>
    <message>
        <source>No items</source>
        <translation>无项目</translation>
    </message>
    <message>
        <source>Copy something and it will appear here.</source>
        <translation>复制任意内容，它就会显示在这里。</translation>
    </message>
    <message>
        <source>No matches</source>
        <translation>没有匹配项</translation>
    </message>
</context>
<context>
    <name>PlatformServices</name>
    <message>
        <source>paste from history</source>
        <translation>从历史记录粘贴</translation>
    </message>
</context>
<context>
    <name>PrivateFiles</name>
    <message>
        <source>its lock cannot be taken</source>
        <translation>无法获取锁</translation>
    </message>
    <message>
        <source>is not a history database</source>
        <translation>不是历史记录数据库</translation>
    </message>
    <message>
        <source>is from a newer version of Quillstack</source>
        <translation>来自更新版本的 Quillstack</translation>
    </message>
    <message>
        <source>cannot be written</source>
        <translation>无法写入</translation>
    </message>
    <message>
        <source>cannot be read</source>
        <translation>无法读取</translation>
    </message>
    <message>
        <source>is not a pin file</source>
        <translation>不是固定项文件</translation>
    </message>
    <message>
        <source>is a symbolic link</source>
        <translation>是符号链接</translation>
    </message>
    <message>
        <source>is not a folder</source>
        <translation>不是文件夹</translation>
    </message>
    <message>
        <source>belongs to another user</source>
        <translation>属于其他用户</translation>
    </message>
    <message>
        <source>can be changed by other users</source>
        <translation>其他用户可以修改</translation>
    </message>
    <message>
        <source>cannot be created</source>
        <translation>无法创建</translation>
    </message>
    <message>
        <source>is not a regular file</source>
        <translation>不是普通文件</translation>
    </message>
    <message>
        <source>is too large</source>
        <translation>太大</translation>
    </message>
    <message>
        <source>is not set</source>
        <translation>未设置</translation>
    </message>
</context>
<context>
    <name>ProblemNotices</name>
    <message>
        <source>History and pins cannot be kept: %1 %2. It was left alone; move it away to keep them again.</source>
        <translation>无法保留历史记录和固定项目：%1 %2。该文件保持原样；将其移走即可再次保留。</translation>
    </message>
    <message>
        <source>The kept history and pins were not restored: %1 %2. It was renamed to %3.</source>
        <translation>未恢复保留的历史记录和固定项目：%1 %2。已重命名为 %3。</translation>
    </message>
    <message>
        <source>No pins were restored: %1 %2. It was renamed to %3.</source>
        <translation>未恢复任何固定项：%1 %2。已将其重命名为 %3。</translation>
    </message>
    <message>
        <source>History and pins could not be saved: %1 %2. They are kept for this session and saved again at the next change.</source>
        <translation>无法保存历史记录和固定项目：%1 %2。它们会在本次会话中保留，并在下次更改时再次保存。</translation>
    </message>
    <message>
        <source>The ignored applications in the settings file cannot be read: the usual password managers are ignored instead.</source>
        <translation>无法读取设置文件中的忽略应用：改为忽略常用的密码管理器。</translation>
    </message>
</context>
<context>
    <name>QuillstackApp</name>
    <message>
        <source>Quillstack cannot start: none of these folders can be trusted to hold its lock and socket.</source>
        <translation>Quillstack 无法启动：没有可信任的文件夹来存放它的锁文件和套接字。</translation>
    </message>
</context>
<context>
    <name>QuillstackTray</name>
    <message>
        <source>History</source>
        <translation>历史记录</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>设置…</translation>
    </message>
    <message>
        <source>Welcome guide</source>
        <translation>欢迎指南</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>Quillstack</source>
        <translation>Quillstack</translation>
    </message>
    <message>
        <source>Recording paused: copies are not kept</source>
        <translation>记录已暂停：复制的内容不会保存</translation>
    </message>
</context>
<context>
    <name>QuitQuestion</name>
    <message numerus="yes">
        <source>Quitting clears the %n items in the history.</source>
        <translation>
            <numerusform>退出将清除历史记录中的 %n 个项目。</numerusform>
        </translation>
    </message>
    <message>
        <source>Pins are kept. The history can be kept after restart instead.</source>
        <translation>固定项目会保留。也可以改为在重启后保留历史记录。</translation>
    </message>
    <message>
        <source>Keep History and Quit</source>
        <translation>保留历史记录并退出</translation>
    </message>
    <message>
        <source>Quit and Clear</source>
        <translation>退出并清除</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>SettingsView</name>
    <message>
        <source>Never</source>
        <translation>永不</translation>
    </message>
    <message>
        <source>5 minutes</source>
        <translation>5 分钟</translation>
    </message>
    <message>
        <source>15 minutes</source>
        <translation>15 分钟</translation>
    </message>
    <message>
        <source>30 minutes</source>
        <translation>30 分钟</translation>
    </message>
    <message>
        <source>1 hour</source>
        <translation>1 小时</translation>
    </message>
    <message>
        <source>6 hours</source>
        <translation>6 小时</translation>
    </message>
    <message>
        <source>24 hours</source>
        <translation>24 小时</translation>
    </message>
    <message>
        <source>%1 cannot be read: these settings are the defaults, and changes cannot be saved.</source>
        <translation>无法读取 %1：当前使用默认设置，更改无法保存。</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
    <message>
        <source>System</source>
        <translation>跟随系统</translation>
    </message>
    <message>
        <source>Autostart</source>
        <translation>自动启动</translation>
    </message>
    <message>
        <source>Launch at login</source>
        <translation>登录时启动</translation>
    </message>
    <message>
        <source>Paste from history</source>
        <translation>从历史记录粘贴</translation>
    </message>
    <message>
        <source>In the list: ↑↓ to select, Enter or double-click to paste into the window you were in. Press the shortcut again or Esc to close without pasting.</source>
        <translation>在列表中：按 ↑↓ 选择，按 Enter 或双击将所选项粘贴到之前的窗口。再次按快捷键或按 Esc 关闭且不粘贴。</translation>
    </message>
    <message>
        <source>Pasting into password fields may not work: some programs ignore simulated keystrokes there for security.</source>
        <translation>可能无法粘贴到密码框：出于安全考虑，某些程序会忽略模拟的按键。</translation>
    </message>
    <message>
        <source>History</source>
        <translation>历史记录</translation>
    </message>
    <message>
        <source>History size</source>
        <translation>历史记录条数</translation>
    </message>
    <message>
        <source>Auto-delete after</source>
        <translation>自动删除时间</translation>
    </message>
    <message>
        <source>Items older than the selected time will be removed automatically.</source>
        <translation>早于所选时间的项目将被自动删除。</translation>
    </message>
    <message>
        <source>Ignored applications</source>
        <translation>忽略的应用程序</translation>
    </message>
    <message>
        <source>Copies made while one of these applications is in front are never recorded.</source>
        <translation>当这些应用程序之一位于前台时复制的内容永远不会被记录。</translation>
    </message>
    <message>
        <source>Window class or app id</source>
        <translation>窗口类或应用 ID</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>添加</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>移除</translation>
    </message>
    <message>
        <source>Quit application</source>
        <translation>退出应用程序</translation>
    </message>
    <message>
        <source>KWin types the paste only for a program whose desktop entry allows it. Install Quillstack from its package, or start this build with tools/run, which writes that entry: Quillstack takes it up at once, without a restart. Until then, choose an item and press Ctrl+V yourself.</source>
        <translation>KWin 只为桌面项允许的程序键入粘贴。请通过软件包安装 Quillstack，或用 tools/run 启动此构建（它会写入该桌面项）：Quillstack 会立即生效，无需重启。在此之前，请选择一项，然后自己按 Ctrl+V。</translation>
    </message>
    <message>
        <source>This desktop lets no program type into other windows: choose an item in the list, then press Ctrl+V yourself.</source>
        <translation>此桌面不允许程序向其他窗口输入按键：请在列表中选择一项，然后手动按 Ctrl+V。</translation>
    </message>
    <message>
        <source>Pasting needs the X server&apos;s XTEST extension, which is missing here — the selected item is only copied; paste it with Ctrl+V.</source>
        <translation>粘贴需要 X 服务器的 XTEST 扩展，但当前不可用 — 所选项只会被复制，请用 Ctrl+V 粘贴。</translation>
    </message>
    <message>
        <source>Wayland gives programs no global shortcuts: bind %1 to the command “quillstack --toggle-popup” in your desktop&apos;s keyboard settings (sway: bindsym in its config; KDE Plasma: Shortcuts → Add New → Command; GNOME: Keyboard → Custom Shortcuts).</source>
        <translation>Wayland 不为程序提供全局快捷键：请在桌面的键盘设置中将 %1 绑定到命令“quillstack --toggle-popup”（sway：在配置中使用 bindsym；KDE Plasma：快捷键 → 新建 → 命令；GNOME：键盘 → 自定义快捷键）。</translation>
    </message>
    <message>
        <source>The global shortcut is not available. In the desktop&apos;s keyboard shortcut settings, assign a shortcut to the command “quillstack --toggle-popup”.</source>
        <translation>全局快捷键不可用。请在桌面环境的键盘快捷键设置中为命令“quillstack --toggle-popup”指定一个快捷键。</translation>
    </message>
    <message>
        <source>Open keyboard shortcut settings</source>
        <translation>打开键盘快捷键设置</translation>
    </message>
    <message>
        <source>Another program also uses this shortcut, so both react to it. Record a different one, or free it in that program.</source>
        <translation>另一个程序也在使用此快捷键，因此两者都会响应。请录制其他快捷键，或在该程序中释放此快捷键。</translation>
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
        <translation>从历史记录粘贴</translation>
    </message>
    <message>
        <source>Resume recording</source>
        <translation>继续记录</translation>
    </message>
    <message>
        <source>Pause recording</source>
        <translation>暂停记录</translation>
    </message>
    <message>
        <source>Quillstack</source>
        <translation>Quillstack</translation>
    </message>
    <message>
        <source>History</source>
        <translation>历史记录</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>设置…</translation>
    </message>
    <message>
        <source>Welcome guide</source>
        <translation>欢迎指南</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>退出</translation>
    </message>
</context>
<context>
    <name>WayInNotice</name>
    <message>
        <source>No tray icon here: open History from Quillstack in the application menu or with %1, and Settings with %2.</source>
        <translation>这里没有托盘图标：从应用程序菜单中的 Quillstack 或用 %1 打开历史记录，用 %2 打开设置。</translation>
    </message>
</context>
</TS>
