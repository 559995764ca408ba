<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU" sourcelanguage="en_US">
<context>
    <name>AppWindow</name>
    <message>
        <source>History</source>
        <translation>История</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Настройки</translation>
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
        <translation>Копировать</translation>
    </message>
    <message>
        <source>Unpin</source>
        <translation>Открепить</translation>
    </message>
    <message>
        <source>Pin</source>
        <translation>Закрепить</translation>
    </message>
</context>
<context>
    <name>HistoryWindowView</name>
    <message>
        <source>No items</source>
        <translation>Нет элементов</translation>
    </message>
    <message>
        <source>Copy text or an image (Ctrl+C) — it will appear here.</source>
        <translation>Скопируйте текст или изображение (Ctrl+C) — копия появится здесь.</translation>
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
        <source>Clear all</source>
        <translation>Очистить всё</translation>
    </message>
    <message>
        <source>Copied</source>
        <translation>Скопировано</translation>
    </message>
    <message>
        <source>Clear all history?</source>
        <translation>Очистить всю историю?</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Also remove pinned items</source>
        <translation>Удалить и закреплённые элементы</translation>
    </message>
</context>
<context>
    <name>HistoryFilterModel</name>
    <message>
        <source>Item %1 of %2, pinned</source>
        <translation>Запись %1 из %2, закреплена</translation>
    </message>
    <message>
        <source>Item %1 of %2</source>
        <translation>Запись %1 из %2</translation>
    </message>
</context>
<context>
    <name>HistoryListModel</name>
    <message>
        <source>No longer available: remove it with ×</source>
        <translation>Больше недоступно: удалите кнопкой ×</translation>
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
</context>
<context>
    <name>ChordRecorderView</name>
    <message>
        <source>Shortcut for pasting:</source>
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
        <source>Press the new shortcut; Esc cancels.</source>
        <translation>Нажмите новое сочетание; Esc — отмена.</translation>
    </message>
    <message>
        <source>%1 is needed for typing: record a chord with Ctrl, Alt or Super.</source>
        <translation>%1 нужно для ввода текста: запишите сочетание с Ctrl, Alt или Super.</translation>
    </message>
    <message>
        <source>%1 is used for editing in every program: record a different chord.</source>
        <translation>%1 используется для правки во всех программах: запишите другое сочетание.</translation>
    </message>
</context>
<context>
    <name>IntegrationNotice</name>
    <message>
        <source>Enable the GNOME integration</source>
        <translation>Включить интеграцию с GNOME</translation>
    </message>
    <message>
        <source>The GNOME integration is enabled from your next login: log out and back in.</source>
        <translation>Интеграция с GNOME заработает после следующего входа в систему: выйдите из сеанса и войдите снова.</translation>
    </message>
    <message>
        <source>The GNOME integration could not be enabled: it is not installed. Install Quillstack&apos;s package again.</source>
        <translation>Не удалось включить интеграцию с GNOME: она не установлена. Переустановите пакет Quillstack.</translation>
    </message>
    <message>
        <source>The GNOME integration is off, so the shortcut and the paste work only in some windows.</source>
        <translation>Интеграция с GNOME выключена, поэтому сочетание клавиш и вставка работают не во всех окнах.</translation>
    </message>
</context>
<context>
    <name>KeepHistoryChoice</name>
    <message>
        <source>Keep history after restart</source>
        <translation>Сохранять историю после перезапуска</translation>
    </message>
    <message>
        <source>Kept in %1. Turning this off deletes it; pins are kept either way.</source>
        <translation>Хранится в %1. Если выключить, файл будет удалён; закреплённые элементы сохраняются в любом случае.</translation>
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
        <translation>Пробел</translation>
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
        <translation>Enter (цифровой блок)</translation>
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
        <translation>Влево</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Вправо</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Вниз</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Вверх</translation>
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
        <translation>Язык</translation>
    </message>
    <message>
        <source>System</source>
        <translation>Как в системе</translation>
    </message>
</context>
<context>
    <name>OnboardingView</name>
    <message>
        <source>Back</source>
        <translation>Назад</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Пропустить</translation>
    </message>
    <message>
        <source>How it works</source>
        <translation>Как это работает</translation>
    </message>
    <message>
        <source>Copy as usual — Ctrl+C. Text goes to history.</source>
        <translation>Копируйте как обычно — Ctrl+C. Текст попадает в историю.</translation>
    </message>
    <message>
        <source>Paste from history: %1 — opens list of recent copies.</source>
        <translation>Вставка из истории: %1 — открывает список последних копий.</translation>
    </message>
    <message>
        <source>Enter or double-click — paste the selected item into the window you were in.</source>
        <translation>Enter или двойной щелчок — вставить выбранный элемент в предыдущее окно.</translation>
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
        <source>How to select</source>
        <translation>Как выбрать</translation>
    </message>
    <message>
        <source>↑ ↓ — select item in list.</source>
        <translation>↑ ↓ — выбор элемента в списке.</translation>
    </message>
    <message>
        <source>Enter or double-click — paste into the window you were in. The shortcut again or Esc — close without pasting.</source>
        <translation>Enter или двойной щелчок — вставить в предыдущее окно. Сочетание ещё раз или Esc — закрыть без вставки.</translation>
    </message>
    <message>
        <source>Shift+Enter — paste the text alone, without formatting.</source>
        <translation>Shift+Enter — вставить только текст, без оформления.</translation>
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
        <source>Click the tray icon — history, settings, quit.</source>
        <translation>Щёлкните значок в системном трее — история, настройки, выход.</translation>
    </message>
    <message>
        <source>Pause recording from the tray icon — nothing copied is kept until you resume.</source>
        <translation>Приостановите запись через значок в трее — до возобновления ничего скопированное не сохраняется.</translation>
    </message>
    <message>
        <source>In settings: autostart, shortcut, history size, and applications whose copies are never recorded.</source>
        <translation>В настройках: автозапуск, сочетание клавиш, размер истории и приложения, чьи копии никогда не записываются.</translation>
    </message>
    <message>
        <source>Quillstack</source>
        <translation>Quillstack</translation>
    </message>
    <message>
        <source>Clipboard for the Linux desktop</source>
        <translation>Буфер обмена для рабочего окружения Linux</translation>
    </message>
    <message>
        <source>Stores copy history and lets you paste any item with one shortcut.</source>
        <translation>Хранит историю копирования и вставляет любой элемент одним сочетанием клавиш.</translation>
    </message>
    <message>
        <source>Pasting into other apps</source>
        <translation>Вставка в другие программы</translation>
    </message>
    <message>
        <source>Ready to paste into other apps.</source>
        <translation>Вставка в другие программы доступна.</translation>
    </message>
    <message>
        <source>Step 1: Copy</source>
        <translation>Шаг 1: копирование</translation>
    </message>
    <message>
        <source>Copy both texts — by selection (Ctrl+C) or by the Copy button. When copied, the block will turn green.</source>
        <translation>Скопируйте оба текста — выделив их (Ctrl+C) или кнопкой «Копировать». Скопированный блок станет зелёным.</translation>
    </message>
    <message>
        <source>Both copied. Click Next.</source>
        <translation>Оба скопированы. Нажмите «Далее».</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Копировать</translation>
    </message>
    <message>
        <source>Step 2: Paste from history</source>
        <translation>Шаг 2: вставка из истории</translation>
    </message>
    <message>
        <source>Paste “Text 1” into field 1 and “Text 2” into field 2. Use %1 to choose from the list.</source>
        <translation>Вставьте в поле 1 «Текст 1», в поле 2 «Текст 2». Выбирайте из списка с помощью %1.</translation>
    </message>
    <message>
        <source>Correct! Click Done.</source>
        <translation>Верно! Нажмите «Готово».</translation>
    </message>
    <message>
        <source>Start Quillstack when you log in</source>
        <translation>Запускать Quillstack при входе в систему</translation>
    </message>
    <message>
        <source>Field 1 — “Text 1” here</source>
        <translation>Поле 1 — сюда «Текст 1»</translation>
    </message>
    <message>
        <source>Field 2 — “Text 2” here</source>
        <translation>Поле 2 — сюда «Текст 2»</translation>
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
        <source>Quillstack pastes the selected item into other apps by typing Ctrl+V through its GNOME Shell extension.</source>
        <translation>Quillstack вставляет выбранный элемент в другие программы, набирая Ctrl+V через своё расширение GNOME Shell.</translation>
    </message>
    <message>
        <source>Quillstack pastes the selected item into other apps by typing Ctrl+V through the compositor&apos;s virtual keyboard.</source>
        <translation>Quillstack вставляет выбранный элемент в другие программы, набирая Ctrl+V через виртуальную клавиатуру композитора.</translation>
    </message>
    <message>
        <source>Choose an item and Quillstack pastes it into the window you were in. If a program ignores the paste, the item is still on the clipboard: press Ctrl+V there.</source>
        <translation>Выберите элемент — Quillstack вставит его в окно, в котором вы работали. Если программа не примет вставку, элемент всё равно останется в буфере обмена: нажмите там Ctrl+V.</translation>
    </message>
</context>
<context>
    <name>OnboardingWizard</name>
    <message>
        <source>Text 1</source>
        <translation>Текст 1</translation>
    </message>
    <message>
        <source>Text 2</source>
        <translation>Текст 2</translation>
    </message>
</context>
<context>
    <name>PasteDelivery</name>
    <message>
        <source>Not pasted: another window was in front. The item is on the clipboard: press %1 to paste it.</source>
        <translation>Не вставлено: впереди было другое окно. Элемент в буфере обмена — нажмите %1, чтобы вставить его.</translation>
    </message>
</context>
<context>
    <name>PastePopupView</name>
    <message>
        <source>Clipboard — double-click or ↑↓ Enter to paste</source>
        <translation>Буфер обмена — двойной щелчок или ↑↓ Enter, чтобы вставить</translation>
    </message>
    <message>
        <source>Clipboard — ↑↓ Enter to copy, then press Ctrl+V</source>
        <translation>Буфер обмена — ↑↓ Enter, чтобы скопировать, затем нажмите Ctrl+V</translation>
    </message>
    <message>
        <source>History</source>
        <translation>История</translation>
    </message>
    <message>
        <source>No items</source>
        <translation>Нет элементов</translation>
    </message>
    <message>
        <source>Copy something and it will appear here.</source>
        <translation>Скопируйте что-нибудь, и оно появится здесь.</translation>
    </message>
    <message>
        <source>No matches</source>
        <translation>Ничего не найдено</translation>
    </message>
</context>
<context>
    <name>PlatformServices</name>
    <message>
        <source>paste from history</source>
        <translation>вставить из истории</translation>
    </message>
</context>
<context>
    <name>PrivateFiles</name>
    <message>
        <source>its lock cannot be taken</source>
        <translation>не удаётся занять файл блокировки</translation>
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
        <source>cannot be written</source>
        <translation>не удаётся записать</translation>
    </message>
    <message>
        <source>cannot be read</source>
        <translation>не удаётся прочитать</translation>
    </message>
    <message>
        <source>is not a pin file</source>
        <translation>не является файлом закреплённых записей</translation>
    </message>
    <message>
        <source>is a symbolic link</source>
        <translation>является символической ссылкой</translation>
    </message>
    <message>
        <source>is not a folder</source>
        <translation>не является папкой</translation>
    </message>
    <message>
        <source>belongs to another user</source>
        <translation>принадлежит другому пользователю</translation>
    </message>
    <message>
        <source>can be changed by other users</source>
        <translation>может быть изменена другими пользователями</translation>
    </message>
    <message>
        <source>cannot be created</source>
        <translation>не удаётся создать</translation>
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
        <source>is not set</source>
        <translation>не задана</translation>
    </message>
</context>
<context>
    <name>ProblemNotices</name>
    <message>
        <source>History and pins cannot be kept: %1 %2. It was left alone; move it away to keep them again.</source>
        <translation>Историю и закреплённые элементы невозможно сохранять: %1 %2. Файл оставлен как есть; переместите его, чтобы снова сохранять их.</translation>
    </message>
    <message>
        <source>The kept history and pins were not restored: %1 %2. It was renamed to %3.</source>
        <translation>Сохранённая история и закреплённые элементы не восстановлены: %1 %2. Файл переименован в %3.</translation>
    </message>
    <message>
        <source>No pins were restored: %1 %2. It was renamed to %3.</source>
        <translation>Закреплённые записи не восстановлены: %1 %2. Файл переименован в %3.</translation>
    </message>
    <message>
        <source>History and pins could not be saved: %1 %2. They are kept for this session and saved again at the next change.</source>
        <translation>Не удалось сохранить историю и закреплённые элементы: %1 %2. Они останутся до конца сеанса и будут сохранены при следующем изменении.</translation>
    </message>
    <message>
        <source>The ignored applications in the settings file cannot be read: the usual password managers are ignored instead.</source>
        <translation>Не удаётся прочитать список игнорируемых приложений в файле настроек: вместо него игнорируются обычные менеджеры паролей.</translation>
    </message>
</context>
<context>
    <name>QuillstackApp</name>
    <message>
        <source>Quillstack cannot start: none of these folders can be trusted to hold its lock and socket.</source>
        <translation>Quillstack не может запуститься: ни одной из этих папок нельзя доверить файл блокировки и сокет.</translation>
    </message>
</context>
<context>
    <name>QuillstackTray</name>
    <message>
        <source>History</source>
        <translation>История</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Настройки…</translation>
    </message>
    <message>
        <source>Welcome guide</source>
        <translation>Краткое руководство</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Выйти</translation>
    </message>
    <message>
        <source>Quillstack</source>
        <translation>Quillstack</translation>
    </message>
    <message>
        <source>Recording paused: copies are not kept</source>
        <translation>Запись приостановлена: скопированное не сохраняется</translation>
    </message>
</context>
<context>
    <name>QuitQuestion</name>
    <message numerus="yes">
        <source>Quitting clears the %n items in the history.</source>
        <translation>
            <numerusform>При выходе будет удалён %n элемент истории.</numerusform>
            <numerusform>При выходе будут удалены %n элемента истории.</numerusform>
            <numerusform>При выходе будут удалены %n элементов истории.</numerusform>
        </translation>
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
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
</context>
<context>
    <name>SettingsView</name>
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
        <source>%1 cannot be read: these settings are the defaults, and changes cannot be saved.</source>
        <translation>Не удаётся прочитать %1: действуют настройки по умолчанию, изменения сохранить нельзя.</translation>
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
        <source>In the list: ↑↓ to select, Enter or double-click to paste into the window you were in. Press the shortcut again or Esc to close without pasting.</source>
        <translation>В списке: ↑↓ — выбор, Enter или двойной щелчок — вставка в предыдущее окно. Повторное сочетание или Esc закрывает список без вставки.</translation>
    </message>
    <message>
        <source>Pasting into password fields may not work: some programs ignore simulated keystrokes there for security.</source>
        <translation>Вставка в поля паролей может не работать: некоторые программы в целях безопасности игнорируют там имитацию нажатий клавиш.</translation>
    </message>
    <message>
        <source>History</source>
        <translation>История</translation>
    </message>
    <message>
        <source>History size</source>
        <translation>Размер истории</translation>
    </message>
    <message>
        <source>Auto-delete after</source>
        <translation>Автоудаление через</translation>
    </message>
    <message>
        <source>Items older than the selected time will be removed automatically.</source>
        <translation>Элементы старше выбранного времени будут удаляться автоматически.</translation>
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
        <source>Quit application</source>
        <translation>Завершить приложение</translation>
    </message>
    <message>
        <source>KWin types the paste only for a program whose desktop entry allows it. Install Quillstack from its package, or start this build with tools/run, which writes that entry: Quillstack takes it up at once, without a restart. Until then, choose an item and press Ctrl+V yourself.</source>
        <translation>KWin вводит вставку только для программы, чей ярлык приложения это разрешает. Установите Quillstack из его пакета или запустите эту сборку через tools/run, который записывает такой ярлык: Quillstack сразу его подхватит, без перезапуска. А пока выберите элемент и сами нажмите Ctrl+V.</translation>
    </message>
    <message>
        <source>This desktop lets no program type into other windows: choose an item in the list, then press Ctrl+V yourself.</source>
        <translation>Это рабочее окружение не позволяет программам вводить текст в чужие окна: выберите элемент в списке и сами нажмите Ctrl+V.</translation>
    </message>
    <message>
        <source>Pasting needs the X server&apos;s XTEST extension, which is missing here — the selected item is only copied; paste it with Ctrl+V.</source>
        <translation>Для вставки нужно расширение XTEST X-сервера, а его здесь нет — выбранный элемент только копируется; вставьте его сочетанием Ctrl+V.</translation>
    </message>
    <message>
        <source>Wayland gives programs no global shortcuts: bind %1 to the command “quillstack --toggle-popup” in your desktop&apos;s keyboard settings (sway: bindsym in its config; KDE Plasma: Shortcuts → Add New → Command; GNOME: Keyboard → Custom Shortcuts).</source>
        <translation>Wayland не даёт программам глобальных сочетаний клавиш: назначьте %1 команде «quillstack --toggle-popup» в настройках клавиатуры вашего рабочего окружения (sway: bindsym в его конфигурации; KDE Plasma: Комбинации клавиш → Добавить → Команда; GNOME: Клавиатура → Свои комбинации клавиш).</translation>
    </message>
    <message>
        <source>The global shortcut is not available. In the desktop&apos;s keyboard shortcut settings, assign a shortcut to the command “quillstack --toggle-popup”.</source>
        <translation>Глобальное сочетание клавиш недоступно. В настройках сочетаний клавиш рабочего окружения назначьте сочетание для команды «quillstack --toggle-popup».</translation>
    </message>
    <message>
        <source>Open keyboard shortcut settings</source>
        <translation>Открыть настройки сочетаний клавиш</translation>
    </message>
    <message>
        <source>Another program also uses this shortcut, so both react to it. Record a different one, or free it in that program.</source>
        <translation>Это сочетание использует и другая программа, поэтому реагируют обе. Запишите другое сочетание или освободите это в той программе.</translation>
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
        <translation>вставить из истории</translation>
    </message>
    <message>
        <source>Resume recording</source>
        <translation>Возобновить запись</translation>
    </message>
    <message>
        <source>Pause recording</source>
        <translation>Приостановить запись</translation>
    </message>
    <message>
        <source>Quillstack</source>
        <translation>Quillstack</translation>
    </message>
    <message>
        <source>History</source>
        <translation>История</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Настройки…</translation>
    </message>
    <message>
        <source>Welcome guide</source>
        <translation>Краткое руководство</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Выйти</translation>
    </message>
</context>
<context>
    <name>WayInNotice</name>
    <message>
        <source>No tray icon here: open History from Quillstack in the application menu or with %1, and Settings with %2.</source>
        <translation>Значка в трее здесь нет: откройте историю через Quillstack в меню приложений или командой %1, а настройки — командой %2.</translation>
    </message>
</context>
</TS>
