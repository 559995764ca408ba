<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="en_US">
<context>
    <name>AppWindow</name>
    <message>
        <source>History</source>
        <translation>履歴</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>設定</translation>
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
        <translation>コピー</translation>
    </message>
    <message>
        <source>Unpin</source>
        <translation>ピン留めを外す</translation>
    </message>
    <message>
        <source>Pin</source>
        <translation>ピン留め</translation>
    </message>
</context>
<context>
    <name>HistoryWindowView</name>
    <message>
        <source>No items</source>
        <translation>項目なし</translation>
    </message>
    <message>
        <source>Copy text or an image (Ctrl+C) — it will appear here.</source>
        <translation>テキストや画像をコピー (Ctrl+C) すると、ここに表示されます。</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>検索</translation>
    </message>
    <message>
        <source>No matches</source>
        <translation>一致する項目はありません</translation>
    </message>
    <message>
        <source>Clear all</source>
        <translation>すべて消去</translation>
    </message>
    <message>
        <source>Copied</source>
        <translation>コピーしました</translation>
    </message>
    <message>
        <source>Clear all history?</source>
        <translation>履歴をすべて消去しますか？</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Also remove pinned items</source>
        <translation>ピン留めした項目も消去する</translation>
    </message>
</context>
<context>
    <name>HistoryFilterModel</name>
    <message>
        <source>Item %1 of %2, pinned</source>
        <translation>%1 件目（全 %2 件）、ピン留め</translation>
    </message>
    <message>
        <source>Item %1 of %2</source>
        <translation>%1 件目（全 %2 件）</translation>
    </message>
</context>
<context>
    <name>HistoryListModel</name>
    <message>
        <source>No longer available: remove it with ×</source>
        <translation>この項目は利用できなくなりました。× で削除できます</translation>
    </message>
    <message>
        <source>[Files]</source>
        <translation>[ファイル]</translation>
    </message>
    <message>
        <source>[Image]</source>
        <translation>[画像]</translation>
    </message>
    <message>
        <source>[Content]</source>
        <translation>[コンテンツ]</translation>
    </message>
</context>
<context>
    <name>ChordRecorderView</name>
    <message>
        <source>Shortcut for pasting:</source>
        <translation>貼り付けのショートカット：</translation>
    </message>
    <message>
        <source>Press shortcut…</source>
        <translation>キーを入力…</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>変更</translation>
    </message>
    <message>
        <source>Press the new shortcut; Esc cancels.</source>
        <translation>新しいショートカットを押してください。Esc で取り消します。</translation>
    </message>
    <message>
        <source>%1 is needed for typing: record a chord with Ctrl, Alt or Super.</source>
        <translation>%1 は文字の入力に使われます。Ctrl、Alt、Super のいずれかを含むショートカットを記録してください。</translation>
    </message>
    <message>
        <source>%1 is used for editing in every program: record a different chord.</source>
        <translation>%1 はどのプログラムでも編集に使われます。別のショートカットを記録してください。</translation>
    </message>
</context>
<context>
    <name>IntegrationNotice</name>
    <message>
        <source>Enable the GNOME integration</source>
        <translation>GNOME 連携を有効にする</translation>
    </message>
    <message>
        <source>The GNOME integration is enabled from your next login: log out and back in.</source>
        <translation>GNOME 連携は次回のログインから有効になります。一度ログアウトして、もう一度ログインしてください。</translation>
    </message>
    <message>
        <source>The GNOME integration could not be enabled: it is not installed. Install Quillstack&apos;s package again.</source>
        <translation>GNOME 連携はインストールされていないため、有効にできませんでした。Quillstack のパッケージをインストールし直してください。</translation>
    </message>
    <message>
        <source>The GNOME integration is off, so the shortcut and the paste work only in some windows.</source>
        <translation>GNOME 連携がオフのため、ショートカットと貼り付けは一部のウィンドウでしか使えません。</translation>
    </message>
</context>
<context>
    <name>KeepHistoryChoice</name>
    <message>
        <source>Keep history after restart</source>
        <translation>再起動後も履歴を保持</translation>
    </message>
    <message>
        <source>Kept in %1. Turning this off deletes it; pins are kept either way.</source>
        <translation>%1 に保存されます。オフにすると削除されます。ピン留めした項目はどちらの場合も保持されます。</translation>
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
        <translation>スペース</translation>
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
        <translation>Enter (テンキー)</translation>
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
        <translation>言語</translation>
    </message>
    <message>
        <source>System</source>
        <translation>システムに従う</translation>
    </message>
</context>
<context>
    <name>OnboardingView</name>
    <message>
        <source>Back</source>
        <translation>戻る</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>スキップ</translation>
    </message>
    <message>
        <source>How it works</source>
        <translation>使い方</translation>
    </message>
    <message>
        <source>Copy as usual — Ctrl+C. Text goes to history.</source>
        <translation>いつもどおりコピー — Ctrl+C。テキストが履歴に入ります。</translation>
    </message>
    <message>
        <source>Paste from history: %1 — opens list of recent copies.</source>
        <translation>履歴から貼り付け: %1 — 最近のコピーの一覧を開きます。</translation>
    </message>
    <message>
        <source>Enter or double-click — paste the selected item into the window you were in.</source>
        <translation>Enter またはダブルクリック — 選択した項目を元のウィンドウに貼り付けます。</translation>
    </message>
    <message>
        <source>Type while the list is open to filter it — only matching items stay.</source>
        <translation>リストを開いたまま入力すると絞り込めます — 一致する項目だけが残ります。</translation>
    </message>
    <message>
        <source>Ctrl+P or the pin — keeps an item at the top, saved on disk across restarts.</source>
        <translation>Ctrl+P またはピン — 項目を先頭に固定し、再起動後も残るようディスクに保存します。</translation>
    </message>
    <message>
        <source>How to select</source>
        <translation>選択のしかた</translation>
    </message>
    <message>
        <source>↑ ↓ — select item in list.</source>
        <translation>↑ ↓ — 一覧の項目を選択します。</translation>
    </message>
    <message>
        <source>Enter or double-click — paste into the window you were in. The shortcut again or Esc — close without pasting.</source>
        <translation>Enter またはダブルクリック — 元のウィンドウに貼り付けます。ショートカットをもう一度押すか Esc — 貼り付けずに閉じます。</translation>
    </message>
    <message>
        <source>Shift+Enter — paste the text alone, without formatting.</source>
        <translation>Shift+Enter — 書式なしでテキストだけを貼り付けます。</translation>
    </message>
    <message>
        <source>Delete or × to remove from history.</source>
        <translation>Delete または × — 履歴から削除します。</translation>
    </message>
    <message>
        <source>Menu and settings</source>
        <translation>メニューと設定</translation>
    </message>
    <message>
        <source>Click the tray icon — history, settings, quit.</source>
        <translation>トレイのアイコンをクリック — 履歴、設定、終了。</translation>
    </message>
    <message>
        <source>Pause recording from the tray icon — nothing copied is kept until you resume.</source>
        <translation>トレイのアイコンから記録を一時停止 — 再開するまでコピーは残りません。</translation>
    </message>
    <message>
        <source>In settings: autostart, shortcut, history size, and applications whose copies are never recorded.</source>
        <translation>設定では: 自動起動、ショートカット、履歴の件数、コピーを記録しないアプリケーション。</translation>
    </message>
    <message>
        <source>Quillstack</source>
        <translation>Quillstack</translation>
    </message>
    <message>
        <source>Clipboard for the Linux desktop</source>
        <translation>Linux デスクトップ用クリップボード</translation>
    </message>
    <message>
        <source>Stores copy history and lets you paste any item with one shortcut.</source>
        <translation>コピーの履歴を保存し、ショートカット一つでどの項目でも貼り付けられます。</translation>
    </message>
    <message>
        <source>Pasting into other apps</source>
        <translation>ほかのアプリへの貼り付け</translation>
    </message>
    <message>
        <source>Ready to paste into other apps.</source>
        <translation>ほかのアプリに貼り付けられます。</translation>
    </message>
    <message>
        <source>Step 1: Copy</source>
        <translation>ステップ 1: コピー</translation>
    </message>
    <message>
        <source>Copy both texts — by selection (Ctrl+C) or by the Copy button. When copied, the block will turn green.</source>
        <translation>2 つのテキストをコピーしてください — 選択して Ctrl+C を押すか、コピーボタンを使います。コピーされたブロックは緑色になります。</translation>
    </message>
    <message>
        <source>Both copied. Click Next.</source>
        <translation>両方コピーしました。「次へ」をクリックしてください。</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>コピー</translation>
    </message>
    <message>
        <source>Step 2: Paste from history</source>
        <translation>ステップ 2: 履歴から貼り付け</translation>
    </message>
    <message>
        <source>Paste “Text 1” into field 1 and “Text 2” into field 2. Use %1 to choose from the list.</source>
        <translation>入力欄 1 に「テキスト 1」、入力欄 2 に「テキスト 2」を貼り付けてください。%1 で一覧から選べます。</translation>
    </message>
    <message>
        <source>Correct! Click Done.</source>
        <translation>正解です！「完了」をクリックしてください。</translation>
    </message>
    <message>
        <source>Start Quillstack when you log in</source>
        <translation>ログイン時に Quillstack を起動</translation>
    </message>
    <message>
        <source>Field 1 — “Text 1” here</source>
        <translation>入力欄 1 — ここに「テキスト 1」</translation>
    </message>
    <message>
        <source>Field 2 — “Text 2” here</source>
        <translation>入力欄 2 — ここに「テキスト 2」</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>完了</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>次へ</translation>
    </message>
    <message>
        <source>Quillstack pastes the selected item into other apps by typing Ctrl+V through its GNOME Shell extension.</source>
        <translation>Quillstack は GNOME Shell 拡張機能で Ctrl+V を入力し、選択した項目をほかのアプリに貼り付けます。</translation>
    </message>
    <message>
        <source>Quillstack pastes the selected item into other apps by typing Ctrl+V through the compositor&apos;s virtual keyboard.</source>
        <translation>Quillstack はコンポジターの仮想キーボードで Ctrl+V を入力し、選択した項目をほかのアプリに貼り付けます。</translation>
    </message>
    <message>
        <source>Choose an item and Quillstack pastes it into the window you were in. If a program ignores the paste, the item is still on the clipboard: press Ctrl+V there.</source>
        <translation>項目を選ぶと、Quillstack が直前まで使っていたウィンドウに貼り付けます。貼り付けを受け付けないプログラムでも項目はクリップボードにあるので、そこで Ctrl+V を押してください。</translation>
    </message>
</context>
<context>
    <name>OnboardingWizard</name>
    <message>
        <source>Text 1</source>
        <translation>テキスト 1</translation>
    </message>
    <message>
        <source>Text 2</source>
        <translation>テキスト 2</translation>
    </message>
</context>
<context>
    <name>PasteDelivery</name>
    <message>
        <source>Not pasted: another window was in front. The item is on the clipboard: press %1 to paste it.</source>
        <translation>貼り付けていません。別のウィンドウが前面にありました。項目はクリップボードにあります。%1 を押して貼り付けてください。</translation>
    </message>
</context>
<context>
    <name>PastePopupView</name>
    <message>
        <source>Clipboard — double-click or ↑↓ Enter to paste</source>
        <translation>クリップボード — ダブルクリックか ↑↓ Enter で貼り付け</translation>
    </message>
    <message>
        <source>Clipboard — ↑↓ Enter to copy, then press Ctrl+V</source>
        <translation>クリップボード — ↑↓ Enter でコピーし、Ctrl+V を押して貼り付け</translation>
    </message>
    <message>
        <source>History</source>
        <translation>履歴</translation>
    </message>
    <message>
        <source>No items</source>
        <translation>項目なし</translation>
    </message>
    <message>
        <source>Copy something and it will appear here.</source>
        <translation>何かをコピーすると、ここに表示されます。</translation>
    </message>
    <message>
        <source>No matches</source>
        <translation>一致する項目はありません</translation>
    </message>
</context>
<context>
    <name>PlatformServices</name>
    <message>
        <source>paste from history</source>
        <translation>履歴から貼り付け</translation>
    </message>
</context>
<context>
    <name>PrivateFiles</name>
    <message>
        <source>its lock cannot be taken</source>
        <translation>ロックを取得できません</translation>
    </message>
    <message>
        <source>is not a history database</source>
        <translation>は履歴データベースではありません</translation>
    </message>
    <message>
        <source>is from a newer version of Quillstack</source>
        <translation>は新しいバージョンの Quillstack のものです</translation>
    </message>
    <message>
        <source>cannot be written</source>
        <translation>書き込めません</translation>
    </message>
    <message>
        <source>cannot be read</source>
        <translation>読み込めません</translation>
    </message>
    <message>
        <source>is not a pin file</source>
        <translation>ピン留めファイルではありません</translation>
    </message>
    <message>
        <source>is a symbolic link</source>
        <translation>シンボリックリンクです</translation>
    </message>
    <message>
        <source>is not a folder</source>
        <translation>フォルダーではありません</translation>
    </message>
    <message>
        <source>belongs to another user</source>
        <translation>別のユーザーが所有しています</translation>
    </message>
    <message>
        <source>can be changed by other users</source>
        <translation>ほかのユーザーが変更できます</translation>
    </message>
    <message>
        <source>cannot be created</source>
        <translation>作成できません</translation>
    </message>
    <message>
        <source>is not a regular file</source>
        <translation>通常のファイルではありません</translation>
    </message>
    <message>
        <source>is too large</source>
        <translation>大きすぎます</translation>
    </message>
    <message>
        <source>is not set</source>
        <translation>設定されていません</translation>
    </message>
</context>
<context>
    <name>ProblemNotices</name>
    <message>
        <source>History and pins cannot be kept: %1 %2. It was left alone; move it away to keep them again.</source>
        <translation>履歴とピン留めした項目を保存できません: %1 %2。そのままにしてあります。移動すると再び保存されます。</translation>
    </message>
    <message>
        <source>The kept history and pins were not restored: %1 %2. It was renamed to %3.</source>
        <translation>保存された履歴とピン留めした項目を復元できませんでした: %1 %2。%3 に名前を変更しました。</translation>
    </message>
    <message>
        <source>No pins were restored: %1 %2. It was renamed to %3.</source>
        <translation>ピン留めした項目は復元されませんでした: %1 は%2。ファイル名を %3 に変更しました。</translation>
    </message>
    <message>
        <source>History and pins could not be saved: %1 %2. They are kept for this session and saved again at the next change.</source>
        <translation>履歴とピン留めした項目を保存できませんでした: %1 %2。このセッション中は保持され、次の変更時に再度保存されます。</translation>
    </message>
    <message>
        <source>The ignored applications in the settings file cannot be read: the usual password managers are ignored instead.</source>
        <translation>設定ファイルの除外アプリを読み込めません。代わりに一般的なパスワードマネージャーを除外します。</translation>
    </message>
</context>
<context>
    <name>QuillstackApp</name>
    <message>
        <source>Quillstack cannot start: none of these folders can be trusted to hold its lock and socket.</source>
        <translation>Quillstack を起動できません。ロックとソケットを置ける信頼できるフォルダーがありません。</translation>
    </message>
</context>
<context>
    <name>QuillstackTray</name>
    <message>
        <source>History</source>
        <translation>履歴</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>設定…</translation>
    </message>
    <message>
        <source>Welcome guide</source>
        <translation>ようこそガイド</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>終了</translation>
    </message>
    <message>
        <source>Quillstack</source>
        <translation>Quillstack</translation>
    </message>
    <message>
        <source>Recording paused: copies are not kept</source>
        <translation>記録を一時停止中：コピーした内容は保存されません</translation>
    </message>
</context>
<context>
    <name>QuitQuestion</name>
    <message numerus="yes">
        <source>Quitting clears the %n items in the history.</source>
        <translation>
            <numerusform>終了すると履歴の %n 件の項目が消去されます。</numerusform>
        </translation>
    </message>
    <message>
        <source>Pins are kept. The history can be kept after restart instead.</source>
        <translation>ピン留めした項目は保持されます。代わりに再起動後も履歴を保持することもできます。</translation>
    </message>
    <message>
        <source>Keep History and Quit</source>
        <translation>履歴を保持して終了</translation>
    </message>
    <message>
        <source>Quit and Clear</source>
        <translation>終了して消去</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
</context>
<context>
    <name>SettingsView</name>
    <message>
        <source>Never</source>
        <translation>しない</translation>
    </message>
    <message>
        <source>5 minutes</source>
        <translation>5 分</translation>
    </message>
    <message>
        <source>15 minutes</source>
        <translation>15 分</translation>
    </message>
    <message>
        <source>30 minutes</source>
        <translation>30 分</translation>
    </message>
    <message>
        <source>1 hour</source>
        <translation>1 時間</translation>
    </message>
    <message>
        <source>6 hours</source>
        <translation>6 時間</translation>
    </message>
    <message>
        <source>24 hours</source>
        <translation>24 時間</translation>
    </message>
    <message>
        <source>%1 cannot be read: these settings are the defaults, and changes cannot be saved.</source>
        <translation>%1 を読み込めません。既定の設定を使用しており、変更は保存できません。</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>言語</translation>
    </message>
    <message>
        <source>System</source>
        <translation>システムに従う</translation>
    </message>
    <message>
        <source>Autostart</source>
        <translation>自動起動</translation>
    </message>
    <message>
        <source>Launch at login</source>
        <translation>ログイン時に起動</translation>
    </message>
    <message>
        <source>Paste from history</source>
        <translation>履歴から貼り付け</translation>
    </message>
    <message>
        <source>In the list: ↑↓ to select, Enter or double-click to paste into the window you were in. Press the shortcut again or Esc to close without pasting.</source>
        <translation>一覧では ↑↓ で選択し、Enter またはダブルクリックで元のウィンドウに貼り付けます。ショートカットをもう一度押すか Esc で、貼り付けずに閉じます。</translation>
    </message>
    <message>
        <source>Pasting into password fields may not work: some programs ignore simulated keystrokes there for security.</source>
        <translation>パスワード欄には貼り付けられない場合があります。セキュリティのため、擬似的なキー入力を無視するプログラムがあります。</translation>
    </message>
    <message>
        <source>History</source>
        <translation>履歴</translation>
    </message>
    <message>
        <source>History size</source>
        <translation>履歴の件数</translation>
    </message>
    <message>
        <source>Auto-delete after</source>
        <translation>自動削除までの時間</translation>
    </message>
    <message>
        <source>Items older than the selected time will be removed automatically.</source>
        <translation>選択した時間より古い項目は自動的に削除されます。</translation>
    </message>
    <message>
        <source>Ignored applications</source>
        <translation>無視するアプリケーション</translation>
    </message>
    <message>
        <source>Copies made while one of these applications is in front are never recorded.</source>
        <translation>これらのアプリケーションが前面にある間にコピーした内容は記録されません。</translation>
    </message>
    <message>
        <source>Window class or app id</source>
        <translation>ウィンドウクラスまたはアプリ ID</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>追加</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>Quit application</source>
        <translation>アプリケーションを終了</translation>
    </message>
    <message>
        <source>KWin types the paste only for a program whose desktop entry allows it. Install Quillstack from its package, or start this build with tools/run, which writes that entry: Quillstack takes it up at once, without a restart. Until then, choose an item and press Ctrl+V yourself.</source>
        <translation>KWin は、デスクトップエントリで許可されたプログラムに対してのみ貼り付けのキー入力を行います。Quillstack をパッケージからインストールするか、このビルドを tools/run で起動してください（tools/run がそのエントリを書き込みます）。Quillstack は再起動せずにすぐ反映します。それまでは項目を選び、ご自分で Ctrl+V を押してください。</translation>
    </message>
    <message>
        <source>This desktop lets no program type into other windows: choose an item in the list, then press Ctrl+V yourself.</source>
        <translation>このデスクトップでは、プログラムがほかのウィンドウにキー入力できません。一覧で項目を選び、ご自分で Ctrl+V を押してください。</translation>
    </message>
    <message>
        <source>Pasting needs the X server&apos;s XTEST extension, which is missing here — the selected item is only copied; paste it with Ctrl+V.</source>
        <translation>貼り付けには X サーバーの XTEST 拡張機能が必要ですが、見つかりません — 選択した項目はコピーだけされるので、Ctrl+V で貼り付けてください。</translation>
    </message>
    <message>
        <source>Wayland gives programs no global shortcuts: bind %1 to the command “quillstack --toggle-popup” in your desktop&apos;s keyboard settings (sway: bindsym in its config; KDE Plasma: Shortcuts → Add New → Command; GNOME: Keyboard → Custom Shortcuts).</source>
        <translation>Wayland ではプログラムがグローバルショートカットを使えません。デスクトップのキーボード設定で %1 をコマンド「quillstack --toggle-popup」に割り当ててください（sway: 設定ファイルの bindsym、KDE Plasma: ショートカット → 新規追加 → コマンド、GNOME: キーボード → カスタムショートカット）。</translation>
    </message>
    <message>
        <source>The global shortcut is not available. In the desktop&apos;s keyboard shortcut settings, assign a shortcut to the command “quillstack --toggle-popup”.</source>
        <translation>グローバルショートカットを使用できません。デスクトップのキーボードショートカット設定で、コマンド「quillstack --toggle-popup」にショートカットを割り当ててください。</translation>
    </message>
    <message>
        <source>Open keyboard shortcut settings</source>
        <translation>キーボードショートカットの設定を開く</translation>
    </message>
    <message>
        <source>Another program also uses this shortcut, so both react to it. Record a different one, or free it in that program.</source>
        <translation>別のプログラムもこのショートカットを使っているため、両方が反応します。別のショートカットを記録するか、そのプログラムで解除してください。</translation>
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
        <translation>履歴から貼り付け</translation>
    </message>
    <message>
        <source>Resume recording</source>
        <translation>記録を再開</translation>
    </message>
    <message>
        <source>Pause recording</source>
        <translation>記録を一時停止</translation>
    </message>
    <message>
        <source>Quillstack</source>
        <translation>Quillstack</translation>
    </message>
    <message>
        <source>History</source>
        <translation>履歴</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>設定…</translation>
    </message>
    <message>
        <source>Welcome guide</source>
        <translation>ようこそガイド</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>終了</translation>
    </message>
</context>
<context>
    <name>WayInNotice</name>
    <message>
        <source>No tray icon here: open History from Quillstack in the application menu or with %1, and Settings with %2.</source>
        <translation>ここにはトレイアイコンがありません。履歴はアプリケーションメニューの Quillstack か %1 で、設定は %2 で開けます。</translation>
    </message>
</context>
</TS>
