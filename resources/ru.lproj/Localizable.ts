<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU" sourcelanguage="en_US">
<context>
    <name>Localizable</name>
    <message>
        <source>Quillstack</source>
        <translation>Quillstack</translation>
    </message>
    <message>
        <source>Clipboard — double-click or ↑↓ Enter to paste</source>
        <translation>Буфер обмена — двойной щелчок или ↑↓ Enter, чтобы вставить</translation>
    </message>
    <message>
        <source>No items</source>
        <translation>Нет элементов</translation>
    </message>
    <message>
        <source>paste from history</source>
        <translation>вставить из истории</translation>
    </message>
    <message>
        <source>View buffer</source>
        <translation>История</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Настройки…</translation>
    </message>
    <message>
        <source>Restart onboarding</source>
        <translation>Пройти обучение заново</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Выйти</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>Clipboard</source>
        <translation>История</translation>
    </message>
    <message>
        <source>Hotkey for paste:</source>
        <translation>Сочетание для вставки:</translation>
    </message>
    <message>
        <source>Press shortcut…</source>
        <translation>Нажмите клавиши…</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Изменить</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Язык</translation>
    </message>
    <message>
        <source>System</source>
        <translation>Как в системе</translation>
    </message>
    <message>
        <source>Autostart</source>
        <translation>Автозапуск</translation>
    </message>
    <message>
        <source>Launch at login</source>
        <translation>Запускать при входе в систему</translation>
    </message>
    <message>
        <source>Paste from history</source>
        <translation>Вставка из истории</translation>
    </message>
    <message>
        <source>Hold the shortcut: popup stays open while held. ↑↓ to select, release to paste. Press key again while holding to paste again.</source>
        <translation>В списке: ↑↓ — выбор, Enter или двойной щелчок — вставка в предыдущее окно. Повторное сочетание или Esc закрывает список без вставки.</translation>
    </message>
    <message>
        <source>Paste into password fields may not work: macOS blocks programmatic paste there for security.</source>
        <translation>Вставка в поля паролей может не работать: некоторые программы в целях безопасности игнорируют там имитацию нажатий клавиш.</translation>
    </message>
    <message>
        <source>Paste needs Universal Access — enable it so Quillstack can paste the selected item into other apps.</source>
        <translation>Для вставки нужно расширение XTEST X-сервера, а его здесь нет — выбранный элемент только копируется; вставьте его сочетанием Ctrl+V.</translation>
    </message>
    <message>
        <source>For global hotkey add Quillstack to Input Monitoring (System Settings → Privacy).</source>
        <translation>Глобальное сочетание клавиш недоступно. В настройках сочетаний клавиш рабочего окружения назначьте сочетание для команды «quillstack --toggle-popup».</translation>
    </message>
    <message>
        <source>Open Input Monitoring in System Settings</source>
        <translation>Открыть настройки сочетаний клавиш</translation>
    </message>
    <message>
        <source>Buffer limit</source>
        <translation>Размер истории</translation>
    </message>
    <message>
        <source>Auto-delete after</source>
        <translation>Автоудаление через</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>Никогда</translation>
    </message>
    <message>
        <source>5 minutes</source>
        <translation>5 минут</translation>
    </message>
    <message>
        <source>15 minutes</source>
        <translation>15 минут</translation>
    </message>
    <message>
        <source>30 minutes</source>
        <translation>30 минут</translation>
    </message>
    <message>
        <source>1 hour</source>
        <translation>1 час</translation>
    </message>
    <message>
        <source>6 hours</source>
        <translation>6 часов</translation>
    </message>
    <message>
        <source>24 hours</source>
        <translation>24 часа</translation>
    </message>
    <message>
        <source>Items older than the selected time will be removed automatically.</source>
        <translation>Элементы старше выбранного времени будут удаляться автоматически.</translation>
    </message>
    <message>
        <source>Quit application</source>
        <translation>Завершить приложение</translation>
    </message>
    <message>
        <source>Copy text or image (⌘C) — it will appear here.</source>
        <translation>Скопируйте текст или изображение (Ctrl+C) — копия появится здесь.</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Копировать</translation>
    </message>
    <message>
        <source>Clear all</source>
        <translation>Очистить всё</translation>
    </message>
    <message>
        <source>Clear all history?</source>
        <translation>Очистить всю историю?</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Назад</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Пропустить</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Готово</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Далее</translation>
    </message>
    <message>
        <source>Clipboard for macOS</source>
        <translation>Буфер обмена для рабочего окружения Linux</translation>
    </message>
    <message>
        <source>Stores copy history and lets you paste any item with one shortcut.</source>
        <translation>Хранит историю копирования и вставляет любой элемент одним сочетанием клавиш.</translation>
    </message>
    <message>
        <source>Universal Access</source>
        <translation>Вставка в другие программы</translation>
    </message>
    <message>
        <source>How it works</source>
        <translation>Как это работает</translation>
    </message>
    <message>
        <source>Copy as usual — ⌘C. Text goes to history.</source>
        <translation>Копируйте как обычно — Ctrl+C. Текст попадает в историю.</translation>
    </message>
    <message>
        <source>Paste from history: %@ — opens list of recent copies.</source>
        <translation>Вставка из истории: %@ — открывает список последних копий.</translation>
    </message>
    <message>
        <source>Release modifiers or Enter — paste selected item.</source>
        <translation>Enter или двойной щелчок — вставить выбранный элемент в предыдущее окно.</translation>
    </message>
    <message>
        <source>Copy and paste</source>
        <translation>Копирование и вставка</translation>
    </message>
    <message>
        <source>How to select</source>
        <translation>Как выбрать</translation>
    </message>
    <message>
        <source>↑ ↓ — select item in list.</source>
        <translation>↑ ↓ — выбор элемента в списке.</translation>
    </message>
    <message>
        <source>Release modifiers — selected text pastes into active app.</source>
        <translation>Enter или двойной щелчок — вставить в предыдущее окно. Сочетание ещё раз или Esc — закрыть без вставки.</translation>
    </message>
    <message>
        <source>Delete or × to remove from history.</source>
        <translation>Delete или × — удалить из истории.</translation>
    </message>
    <message>
        <source>Menu and settings</source>
        <translation>Меню и настройки</translation>
    </message>
    <message>
        <source>Click menu bar icon — view buffer, settings, quit.</source>
        <translation>Щёлкните значок в системном трее — история, настройки, выход.</translation>
    </message>
    <message>
        <source>In settings: autostart, hotkey, buffer limit.</source>
        <translation>В настройках: автозапуск, сочетание клавиш, размер истории и приложения, чьи копии никогда не записываются.</translation>
    </message>
    <message>
        <source>Universal Access lets Quillstack paste the selected item into other apps. Without it the list still opens, but paste won't work.</source>
        <translation>Выберите элемент — Quillstack вставит его в окно, в котором вы работали. Если программа не примет вставку, элемент всё равно останется в буфере обмена: нажмите там Ctrl+V.</translation>
    </message>
    <message>
        <source>Universal Access is enabled.</source>
        <translation>Вставка в другие программы доступна.</translation>
    </message>
    <message>
        <source>Text 1</source>
        <translation>Текст 1</translation>
    </message>
    <message>
        <source>Text 2</source>
        <translation>Текст 2</translation>
    </message>
    <message>
        <source>Step 1: Copy</source>
        <translation>Шаг 1: копирование</translation>
    </message>
    <message>
        <source>Copy both texts — by selection (⌘C) or by the Copy button. When copied, the block will turn green.</source>
        <translation>Скопируйте оба текста — выделив их (Ctrl+C) или кнопкой «Копировать». Скопированный блок станет зелёным.</translation>
    </message>
    <message>
        <source>Both copied. Tap Next.</source>
        <translation>Оба скопированы. Нажмите «Далее».</translation>
    </message>
    <message>
        <source>Step 2: Paste from history</source>
        <translation>Шаг 2: вставка из истории</translation>
    </message>
    <message>
        <source>Paste into field 1 «Text 1», into field 2 «Text 2». Use %@ to choose from list.</source>
        <translation>Вставьте в поле 1 «Текст 1», в поле 2 «Текст 2». Выбирайте из списка с помощью %@.</translation>
    </message>
    <message>
        <source>Field 1 — «Text 1» here</source>
        <translation>Поле 1 — сюда «Текст 1»</translation>
    </message>
    <message>
        <source>Field 2 — «Text 2» here</source>
        <translation>Поле 2 — сюда «Текст 2»</translation>
    </message>
    <message>
        <source>Correct! Tap Next.</source>
        <translation>Верно! Нажмите «Готово».</translation>
    </message>
    <message>
        <source>Another program also uses this shortcut, so both react to it. Record a different one, or free it in that program.</source>
        <translation>Это сочетание использует и другая программа, поэтому реагируют обе. Запишите другое сочетание или освободите это в той программе.</translation>
    </message>
    <message>
        <source>Open keyboard shortcut settings</source>
        <translation>Открыть настройки сочетаний клавиш</translation>
    </message>
    <message>
        <source>[Files]</source>
        <translation>[Файлы]</translation>
    </message>
    <message>
        <source>[Image]</source>
        <translation>[Изображение]</translation>
    </message>
    <message>
        <source>[Content]</source>
        <translation>[Содержимое]</translation>
    </message>
    <message>
        <source>Clipboard — ↑↓ Enter to copy, then press Ctrl+V</source>
        <translation>Буфер обмена — ↑↓ Enter, чтобы скопировать, затем нажмите Ctrl+V</translation>
    </message>
    <message>
        <source>This desktop lets no program type into other windows: choose an item in the list, then press Ctrl+V yourself.</source>
        <translation>Это рабочее окружение не позволяет программам вводить текст в чужие окна: выберите элемент в списке и сами нажмите Ctrl+V.</translation>
    </message>
    <message>
        <source>KWin types the paste only for a program whose desktop entry allows it. Install Quillstack from its package, or start this build with tools/run, which writes that entry: Quillstack takes it up at once, without a restart. Until then, choose an item and press Ctrl+V yourself.</source>
        <translation>KWin вводит вставку только для программы, чей ярлык приложения это разрешает. Установите Quillstack из его пакета или запустите эту сборку через tools/run, который записывает такой ярлык: Quillstack сразу его подхватит, без перезапуска. А пока выберите элемент и сами нажмите Ctrl+V.</translation>
    </message>
    <message>
        <source>Wayland gives programs no global shortcuts: bind %@ to the command “quillstack --toggle-popup” in your desktop's keyboard settings (sway: bindsym in its config; KDE Plasma: Shortcuts → Add New → Command; GNOME: Keyboard → Custom Shortcuts).</source>
        <translation>Wayland не даёт программам глобальных сочетаний клавиш: назначьте %@ команде «quillstack --toggle-popup» в настройках клавиатуры вашего рабочего окружения (sway: bindsym в его конфигурации; KDE Plasma: Комбинации клавиш → Добавить → Команда; GNOME: Клавиатура → Свои комбинации клавиш).</translation>
    </message>
    <message>
        <source>The GNOME integration is off, so the shortcut and the paste work only in some windows.</source>
        <translation>Интеграция с GNOME выключена, поэтому сочетание клавиш и вставка работают не во всех окнах.</translation>
    </message>
    <message>
        <source>Enable the GNOME integration</source>
        <translation>Включить интеграцию с GNOME</translation>
    </message>
    <message>
        <source>The GNOME integration is enabled from your next login: log out and back in.</source>
        <translation>Интеграция с GNOME заработает после следующего входа в систему: выйдите из сеанса и войдите снова.</translation>
    </message>
    <message>
        <source>The GNOME integration could not be enabled: it is not installed. Install Quillstack's package again.</source>
        <translation>Не удалось включить интеграцию с GNOME: она не установлена. Переустановите пакет Quillstack.</translation>
    </message>
    <message>
        <source>Return (key name)</source>
        <translation>Enter</translation>
    </message>
    <message>
        <source>Tab (key name)</source>
        <translation>Tab</translation>
    </message>
    <message>
        <source>Space (key name)</source>
        <translation>Пробел</translation>
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
        <translation>Enter (цифровой блок)</translation>
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
        <translation>Влево</translation>
    </message>
    <message>
        <source>Right (key name)</source>
        <translation>Вправо</translation>
    </message>
    <message>
        <source>Down (key name)</source>
        <translation>Вниз</translation>
    </message>
    <message>
        <source>Up (key name)</source>
        <translation>Вверх</translation>
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
        <translation>Caps Lock</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Copied</source>
        <translation>Скопировано</translation>
    </message>
    <message>
        <source>%@ is needed for typing: record a chord with Ctrl, Alt or Super.</source>
        <translation>%@ нужно для ввода текста: запишите сочетание с Ctrl, Alt или Super.</translation>
    </message>
    <message>
        <source>%@ is used for editing in every program: record a different chord.</source>
        <translation>%@ используется для правки во всех программах: запишите другое сочетание.</translation>
    </message>
    <message>
        <source>Press the new chord; Esc cancels.</source>
        <translation>Нажмите новое сочетание; Esc — отмена.</translation>
    </message>
    <message>
        <source>Quillstack pastes the selected item into other apps by typing Ctrl+V through the compositor's virtual keyboard.</source>
        <translation>Quillstack вставляет выбранный элемент в другие программы, набирая Ctrl+V через виртуальную клавиатуру композитора.</translation>
    </message>
    <message>
        <source>Quillstack pastes the selected item into other apps by typing Ctrl+V through its GNOME Shell extension.</source>
        <translation>Quillstack вставляет выбранный элемент в другие программы, набирая Ctrl+V через своё расширение GNOME Shell.</translation>
    </message>
    <message>
        <source>Quillstack cannot start: none of these folders can be trusted to hold its lock and socket.</source>
        <translation>Quillstack не может запуститься: ни одной из этих папок нельзя доверить файл блокировки и сокет.</translation>
    </message>
    <message>
        <source>is not set</source>
        <translation>не задана</translation>
    </message>
    <message>
        <source>is a symbolic link</source>
        <translation>является символической ссылкой</translation>
    </message>
    <message>
        <source>belongs to another user</source>
        <translation>принадлежит другому пользователю</translation>
    </message>
    <message>
        <source>cannot be created</source>
        <translation>не удаётся создать</translation>
    </message>
    <message>
        <source>can be changed by other users</source>
        <translation>может быть изменена другими пользователями</translation>
    </message>
    <message>
        <source>is not a folder</source>
        <translation>не является папкой</translation>
    </message>
    <message>
        <source>its lock cannot be taken</source>
        <translation>не удаётся занять файл блокировки</translation>
    </message>
    <message>
        <source>%1 cannot be read: these settings are the defaults, and changes cannot be saved.</source>
        <translation>Не удаётся прочитать %1: действуют настройки по умолчанию, изменения сохранить нельзя.</translation>
    </message>
    <message>
        <source>No longer available: remove it with ×</source>
        <translation>Больше недоступно: удалите кнопкой ×</translation>
    </message>
    <message>
        <source>Pin</source>
        <translation>Закрепить</translation>
    </message>
    <message>
        <source>Unpin</source>
        <translation>Открепить</translation>
    </message>
    <message>
        <source>Also remove pinned items</source>
        <translation>Удалить и закреплённые элементы</translation>
    </message>
    <message>
        <source>Pause recording</source>
        <translation>Приостановить запись</translation>
    </message>
    <message>
        <source>Resume recording</source>
        <translation>Возобновить запись</translation>
    </message>
    <message>
        <source>Recording paused: copies are not kept</source>
        <translation>Запись приостановлена: скопированное не сохраняется</translation>
    </message>
    <message>
        <source>Ignored applications</source>
        <translation>Игнорируемые приложения</translation>
    </message>
    <message>
        <source>Copies made while one of these applications is in front are never recorded.</source>
        <translation>То, что скопировано, пока одно из этих приложений на переднем плане, никогда не записывается.</translation>
    </message>
    <message>
        <source>Window class or app id</source>
        <translation>Класс окна или ID приложения</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Добавить</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Удалить</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Поиск</translation>
    </message>
    <message>
        <source>No matches</source>
        <translation>Ничего не найдено</translation>
    </message>
    <message>
        <source>Copy something and it will appear here.</source>
        <translation>Скопируйте что-нибудь, и оно появится здесь.</translation>
    </message>
    <message>
        <source>Type while the list is open to filter it — only matching items stay.</source>
        <translation>Печатайте при открытом списке, чтобы отфильтровать его, — останутся только совпадения.</translation>
    </message>
    <message>
        <source>Ctrl+P or the pin — keeps an item at the top, saved on disk across restarts.</source>
        <translation>Ctrl+P или булавка — закрепляет запись наверху и хранит её на диске между запусками.</translation>
    </message>
    <message>
        <source>Shift+Enter — paste the text alone, without formatting.</source>
        <translation>Shift+Enter — вставить только текст, без оформления.</translation>
    </message>
    <message>
        <source>Pause recording from the tray icon — nothing copied is kept until you resume.</source>
        <translation>Приостановите запись через значок в трее — до возобновления ничего скопированное не сохраняется.</translation>
    </message>
    <message>
        <source>is not a regular file</source>
        <translation>не является обычным файлом</translation>
    </message>
    <message>
        <source>is too large</source>
        <translation>слишком велик</translation>
    </message>
    <message>
        <source>cannot be read</source>
        <translation>не удаётся прочитать</translation>
    </message>
    <message>
        <source>cannot be written</source>
        <translation>не удаётся записать</translation>
    </message>
    <message>
        <source>is not a pin file</source>
        <translation>не является файлом закреплённых записей</translation>
    </message>
    <message>
        <source>No pins were restored: %@ %@. It was renamed to %@.</source>
        <translation>Закреплённые записи не восстановлены: %@ %@. Файл переименован в %@.</translation>
    </message>
    <message>
        <source>The ignored applications in the settings file cannot be read: the usual password managers are ignored instead.</source>
        <translation>Не удаётся прочитать список игнорируемых приложений в файле настроек: вместо него игнорируются обычные менеджеры паролей.</translation>
    </message>
    <message>
        <source>Not pasted: another window was in front. The item is on the clipboard: press %@ to paste it.</source>
        <translation>Не вставлено: впереди было другое окно. Элемент в буфере обмена — нажмите %@, чтобы вставить его.</translation>
    </message>
    <message>
        <source>No tray icon here: open History from Quillstack in the application menu or with %@, and Settings with %@.</source>
        <translation>Значка в трее здесь нет: откройте историю через Quillstack в меню приложений или командой %@, а настройки — командой %@.</translation>
    </message>
    <message>
        <source>History and pins cannot be kept: %@ %@. It was left alone; move it away to keep them again.</source>
        <translation>Историю и закреплённые элементы невозможно сохранять: %@ %@. Файл оставлен как есть; переместите его, чтобы снова сохранять их.</translation>
    </message>
    <message>
        <source>The kept history and pins were not restored: %@ %@. It was renamed to %@.</source>
        <translation>Сохранённая история и закреплённые элементы не восстановлены: %@ %@. Файл переименован в %@.</translation>
    </message>
    <message>
        <source>History and pins could not be saved: %@ %@. They are kept for this session and saved again at the next change.</source>
        <translation>Не удалось сохранить историю и закреплённые элементы: %@ %@. Они останутся до конца сеанса и будут сохранены при следующем изменении.</translation>
    </message>
    <message>
        <source>is not a history database</source>
        <translation>не является базой данных истории</translation>
    </message>
    <message>
        <source>is from a newer version of Quillstack</source>
        <translation>создан более новой версией Quillstack</translation>
    </message>
    <message>
        <source>Keep history after restart</source>
        <translation>Сохранять историю после перезапуска</translation>
    </message>
    <message>
        <source>Kept in %1. Turning this off deletes it; pins are kept either way.</source>
        <translation>Хранится в %1. Если выключить, файл будет удалён; закреплённые элементы сохраняются в любом случае.</translation>
    </message>
    <message>
        <source>Pins are kept. The history can be kept after restart instead.</source>
        <translation>Закреплённые элементы сохранятся. Вместо этого можно сохранять историю после перезапуска.</translation>
    </message>
    <message>
        <source>Keep History and Quit</source>
        <translation>Сохранить историю и выйти</translation>
    </message>
    <message>
        <source>Quit and Clear</source>
        <translation>Выйти и очистить</translation>
    </message>
    <message>
        <source>Start Quillstack when you log in</source>
        <translation>Запускать Quillstack при входе в систему</translation>
    </message>
    <message>
        <source>Welcome guide</source>
        <translation>Краткое руководство</translation>
    </message>
    <message>
        <source>Item %1 of %2</source>
        <translation>Запись %1 из %2</translation>
    </message>
    <message>
        <source>Item %1 of %2, pinned</source>
        <translation>Запись %1 из %2, закреплена</translation>
    </message>
    <message numerus="yes">
        <source>Quitting clears the %n items in the history.</source>
        <translation>
            <numerusform>При выходе будет удалён %n элемент истории.</numerusform>
            <numerusform>При выходе будут удалены %n элемента истории.</numerusform>
            <numerusform>При выходе будут удалены %n элементов истории.</numerusform>
        </translation>
    </message>
</context>
</TS>
