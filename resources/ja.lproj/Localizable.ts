<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="en_US">
<context>
    <name>Localizable</name>
    <message>
        <source>Quillstack</source>
        <translation>Quillstack</translation>
    </message>
    <message>
        <source>Clipboard — double-click or ↑↓ Enter to paste</source>
        <translation>クリップボード — ダブルクリックか ↑↓ Enter で貼り付け</translation>
    </message>
    <message>
        <source>No items</source>
        <translation>項目なし</translation>
    </message>
    <message>
        <source>paste from history</source>
        <translation>履歴から貼り付け</translation>
    </message>
    <message>
        <source>View buffer</source>
        <translation>履歴</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>設定…</translation>
    </message>
    <message>
        <source>Restart onboarding</source>
        <translation>ガイドをもう一度表示</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>終了</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>Clipboard</source>
        <translation>履歴</translation>
    </message>
    <message>
        <source>Hotkey for paste:</source>
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
        <source>Hold the shortcut: popup stays open while held. ↑↓ to select, release to paste. Press key again while holding to paste again.</source>
        <translation>一覧では ↑↓ で選択し、Enter またはダブルクリックで元のウィンドウに貼り付けます。ショートカットをもう一度押すか Esc で、貼り付けずに閉じます。</translation>
    </message>
    <message>
        <source>Paste into password fields may not work: macOS blocks programmatic paste there for security.</source>
        <translation>パスワード欄には貼り付けられない場合があります。セキュリティのため、擬似的なキー入力を無視するプログラムがあります。</translation>
    </message>
    <message>
        <source>Paste needs Universal Access — enable it so Quillstack can paste the selected item into other apps.</source>
        <translation>貼り付けには X サーバーの XTEST 拡張機能が必要ですが、見つかりません — 選択した項目はコピーだけされるので、Ctrl+V で貼り付けてください。</translation>
    </message>
    <message>
        <source>For global hotkey add Quillstack to Input Monitoring (System Settings → Privacy).</source>
        <translation>グローバルショートカットを使用できません。デスクトップのキーボードショートカット設定で、コマンド「quillstack --toggle-popup」にショートカットを割り当ててください。</translation>
    </message>
    <message>
        <source>Open Input Monitoring in System Settings</source>
        <translation>キーボードショートカットの設定を開く</translation>
    </message>
    <message>
        <source>Buffer limit</source>
        <translation>履歴の件数</translation>
    </message>
    <message>
        <source>Auto-delete after</source>
        <translation>自動削除までの時間</translation>
    </message>
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
        <source>Items older than the selected time will be removed automatically.</source>
        <translation>選択した時間より古い項目は自動的に削除されます。</translation>
    </message>
    <message>
        <source>Quit application</source>
        <translation>アプリケーションを終了</translation>
    </message>
    <message>
        <source>Copy text or image (⌘C) — it will appear here.</source>
        <translation>テキストや画像をコピー (Ctrl+C) すると、ここに表示されます。</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>コピー</translation>
    </message>
    <message>
        <source>Clear all</source>
        <translation>すべて消去</translation>
    </message>
    <message>
        <source>Clear all history?</source>
        <translation>履歴をすべて消去しますか？</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>戻る</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>スキップ</translation>
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
        <source>Clipboard for macOS</source>
        <translation>Linux デスクトップ用クリップボード</translation>
    </message>
    <message>
        <source>Stores copy history and lets you paste any item with one shortcut.</source>
        <translation>コピーの履歴を保存し、ショートカット一つでどの項目でも貼り付けられます。</translation>
    </message>
    <message>
        <source>Universal Access</source>
        <translation>ほかのアプリへの貼り付け</translation>
    </message>
    <message>
        <source>How it works</source>
        <translation>使い方</translation>
    </message>
    <message>
        <source>Copy as usual — ⌘C. Text goes to history.</source>
        <translation>いつもどおりコピー — Ctrl+C。テキストが履歴に入ります。</translation>
    </message>
    <message>
        <source>Paste from history: %@ — opens list of recent copies.</source>
        <translation>履歴から貼り付け: %@ — 最近のコピーの一覧を開きます。</translation>
    </message>
    <message>
        <source>Release modifiers or Enter — paste selected item.</source>
        <translation>Enter またはダブルクリック — 選択した項目を元のウィンドウに貼り付けます。</translation>
    </message>
    <message>
        <source>Copy and paste</source>
        <translation>コピーと貼り付け</translation>
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
        <source>Release modifiers — selected text pastes into active app.</source>
        <translation>Enter またはダブルクリック — 元のウィンドウに貼り付けます。ショートカットをもう一度押すか Esc — 貼り付けずに閉じます。</translation>
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
        <source>Click menu bar icon — view buffer, settings, quit.</source>
        <translation>トレイのアイコンをクリック — 履歴、設定、終了。</translation>
    </message>
    <message>
        <source>In settings: autostart, hotkey, buffer limit.</source>
        <translation>設定では: 自動起動、ショートカット、履歴の件数、コピーを記録しないアプリケーション。</translation>
    </message>
    <message>
        <source>Universal Access lets Quillstack paste the selected item into other apps. Without it the list still opens, but paste won't work.</source>
        <translation>項目を選ぶと、Quillstack が直前まで使っていたウィンドウに貼り付けます。貼り付けを受け付けないプログラムでも項目はクリップボードにあるので、そこで Ctrl+V を押してください。</translation>
    </message>
    <message>
        <source>Universal Access is enabled.</source>
        <translation>ほかのアプリに貼り付けられます。</translation>
    </message>
    <message>
        <source>Text 1</source>
        <translation>テキスト 1</translation>
    </message>
    <message>
        <source>Text 2</source>
        <translation>テキスト 2</translation>
    </message>
    <message>
        <source>Step 1: Copy</source>
        <translation>ステップ 1: コピー</translation>
    </message>
    <message>
        <source>Copy both texts — by selection (⌘C) or by the Copy button. When copied, the block will turn green.</source>
        <translation>2 つのテキストをコピーしてください — 選択して Ctrl+C を押すか、コピーボタンを使います。コピーされたブロックは緑色になります。</translation>
    </message>
    <message>
        <source>Both copied. Tap Next.</source>
        <translation>両方コピーしました。「次へ」をクリックしてください。</translation>
    </message>
    <message>
        <source>Step 2: Paste from history</source>
        <translation>ステップ 2: 履歴から貼り付け</translation>
    </message>
    <message>
        <source>Paste into field 1 «Text 1», into field 2 «Text 2». Use %@ to choose from list.</source>
        <translation>入力欄 1 に「テキスト 1」、入力欄 2 に「テキスト 2」を貼り付けてください。%@ で一覧から選べます。</translation>
    </message>
    <message>
        <source>Field 1 — «Text 1» here</source>
        <translation>入力欄 1 — ここに「テキスト 1」</translation>
    </message>
    <message>
        <source>Field 2 — «Text 2» here</source>
        <translation>入力欄 2 — ここに「テキスト 2」</translation>
    </message>
    <message>
        <source>Correct! Tap Next.</source>
        <translation>正解です！「完了」をクリックしてください。</translation>
    </message>
    <message>
        <source>Another program also uses this shortcut, so both react to it. Record a different one, or free it in that program.</source>
        <translation>別のプログラムもこのショートカットを使っているため、両方が反応します。別のショートカットを記録するか、そのプログラムで解除してください。</translation>
    </message>
    <message>
        <source>Open keyboard shortcut settings</source>
        <translation>キーボードショートカットの設定を開く</translation>
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
    <message>
        <source>Clipboard — ↑↓ Enter to copy, then press Ctrl+V</source>
        <translation>クリップボード — ↑↓ Enter でコピーし、Ctrl+V を押して貼り付け</translation>
    </message>
    <message>
        <source>This desktop lets no program type into other windows: choose an item in the list, then press Ctrl+V yourself.</source>
        <translation>このデスクトップでは、プログラムがほかのウィンドウにキー入力できません。一覧で項目を選び、ご自分で Ctrl+V を押してください。</translation>
    </message>
    <message>
        <source>KWin types the paste only for a program whose desktop entry allows it. Install Quillstack from its package, or start this build with tools/run, which writes that entry: Quillstack takes it up at once, without a restart. Until then, choose an item and press Ctrl+V yourself.</source>
        <translation>KWin は、デスクトップエントリで許可されたプログラムに対してのみ貼り付けのキー入力を行います。Quillstack をパッケージからインストールするか、このビルドを tools/run で起動してください（tools/run がそのエントリを書き込みます）。Quillstack は再起動せずにすぐ反映します。それまでは項目を選び、ご自分で Ctrl+V を押してください。</translation>
    </message>
    <message>
        <source>Wayland gives programs no global shortcuts: bind %@ to the command “quillstack --toggle-popup” in your desktop's keyboard settings (sway: bindsym in its config; KDE Plasma: Shortcuts → Add New → Command; GNOME: Keyboard → Custom Shortcuts).</source>
        <translation>Wayland ではプログラムがグローバルショートカットを使えません。デスクトップのキーボード設定で %@ をコマンド「quillstack --toggle-popup」に割り当ててください（sway: 設定ファイルの bindsym、KDE Plasma: ショートカット → 新規追加 → コマンド、GNOME: キーボード → カスタムショートカット）。</translation>
    </message>
    <message>
        <source>The GNOME integration is off, so the shortcut and the paste work only in some windows.</source>
        <translation>GNOME 連携がオフのため、ショートカットと貼り付けは一部のウィンドウでしか使えません。</translation>
    </message>
    <message>
        <source>Enable the GNOME integration</source>
        <translation>GNOME 連携を有効にする</translation>
    </message>
    <message>
        <source>The GNOME integration is enabled from your next login: log out and back in.</source>
        <translation>GNOME 連携は次回のログインから有効になります。一度ログアウトして、もう一度ログインしてください。</translation>
    </message>
    <message>
        <source>The GNOME integration could not be enabled: it is not installed. Install Quillstack's package again.</source>
        <translation>GNOME 連携はインストールされていないため、有効にできませんでした。Quillstack のパッケージをインストールし直してください。</translation>
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
        <translation>スペース</translation>
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
        <translation>Enter (テンキー)</translation>
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
        <translation>←</translation>
    </message>
    <message>
        <source>Right (key name)</source>
        <translation>→</translation>
    </message>
    <message>
        <source>Down (key name)</source>
        <translation>↓</translation>
    </message>
    <message>
        <source>Up (key name)</source>
        <translation>↑</translation>
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
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Copied</source>
        <translation>コピーしました</translation>
    </message>
    <message>
        <source>%@ is needed for typing: record a chord with Ctrl, Alt or Super.</source>
        <translation>%@ は文字の入力に使われます。Ctrl、Alt、Super のいずれかを含むショートカットを記録してください。</translation>
    </message>
    <message>
        <source>%@ is used for editing in every program: record a different chord.</source>
        <translation>%@ はどのプログラムでも編集に使われます。別のショートカットを記録してください。</translation>
    </message>
    <message>
        <source>Press the new chord; Esc cancels.</source>
        <translation>新しいショートカットを押してください。Esc で取り消します。</translation>
    </message>
    <message>
        <source>Quillstack pastes the selected item into other apps by typing Ctrl+V through the compositor's virtual keyboard.</source>
        <translation>Quillstack はコンポジターの仮想キーボードで Ctrl+V を入力し、選択した項目をほかのアプリに貼り付けます。</translation>
    </message>
    <message>
        <source>Quillstack pastes the selected item into other apps by typing Ctrl+V through its GNOME Shell extension.</source>
        <translation>Quillstack は GNOME Shell 拡張機能で Ctrl+V を入力し、選択した項目をほかのアプリに貼り付けます。</translation>
    </message>
    <message>
        <source>Quillstack cannot start: none of these folders can be trusted to hold its lock and socket.</source>
        <translation>Quillstack を起動できません。ロックとソケットを置ける信頼できるフォルダーがありません。</translation>
    </message>
    <message>
        <source>is not set</source>
        <translation>設定されていません</translation>
    </message>
    <message>
        <source>is a symbolic link</source>
        <translation>シンボリックリンクです</translation>
    </message>
    <message>
        <source>belongs to another user</source>
        <translation>別のユーザーが所有しています</translation>
    </message>
    <message>
        <source>cannot be created</source>
        <translation>作成できません</translation>
    </message>
    <message>
        <source>can be changed by other users</source>
        <translation>ほかのユーザーが変更できます</translation>
    </message>
    <message>
        <source>is not a folder</source>
        <translation>フォルダーではありません</translation>
    </message>
    <message>
        <source>its lock cannot be taken</source>
        <translation>ロックを取得できません</translation>
    </message>
    <message>
        <source>%1 cannot be read: these settings are the defaults, and changes cannot be saved.</source>
        <translation>%1 を読み込めません。既定の設定を使用しており、変更は保存できません。</translation>
    </message>
    <message>
        <source>No longer available: remove it with ×</source>
        <translation>この項目は利用できなくなりました。× で削除できます</translation>
    </message>
    <message>
        <source>Pin</source>
        <translation>ピン留め</translation>
    </message>
    <message>
        <source>Unpin</source>
        <translation>ピン留めを外す</translation>
    </message>
    <message>
        <source>Also remove pinned items</source>
        <translation>ピン留めした項目も消去する</translation>
    </message>
    <message>
        <source>Pause recording</source>
        <translation>記録を一時停止</translation>
    </message>
    <message>
        <source>Resume recording</source>
        <translation>記録を再開</translation>
    </message>
    <message>
        <source>Recording paused: copies are not kept</source>
        <translation>記録を一時停止中：コピーした内容は保存されません</translation>
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
        <source>Search</source>
        <translation>検索</translation>
    </message>
    <message>
        <source>No matches</source>
        <translation>一致する項目はありません</translation>
    </message>
    <message>
        <source>Copy something and it will appear here.</source>
        <translation>何かをコピーすると、ここに表示されます。</translation>
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
        <source>Shift+Enter — paste the text alone, without formatting.</source>
        <translation>Shift+Enter — 書式なしでテキストだけを貼り付けます。</translation>
    </message>
    <message>
        <source>Pause recording from the tray icon — nothing copied is kept until you resume.</source>
        <translation>トレイのアイコンから記録を一時停止 — 再開するまでコピーは残りません。</translation>
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
        <source>cannot be read</source>
        <translation>読み込めません</translation>
    </message>
    <message>
        <source>cannot be written</source>
        <translation>書き込めません</translation>
    </message>
    <message>
        <source>is not a pin file</source>
        <translation>ピン留めファイルではありません</translation>
    </message>
    <message>
        <source>No pins were restored: %@ %@. It was renamed to %@.</source>
        <translation>ピン留めした項目は復元されませんでした: %@ は%@。ファイル名を %@ に変更しました。</translation>
    </message>
    <message>
        <source>The ignored applications in the settings file cannot be read: the usual password managers are ignored instead.</source>
        <translation>設定ファイルの除外アプリを読み込めません。代わりに一般的なパスワードマネージャーを除外します。</translation>
    </message>
    <message>
        <source>Not pasted: another window was in front. The item is on the clipboard: press %@ to paste it.</source>
        <translation>貼り付けていません。別のウィンドウが前面にありました。項目はクリップボードにあります。%@ を押して貼り付けてください。</translation>
    </message>
    <message>
        <source>No tray icon here: open History from Quillstack in the application menu or with %@, and Settings with %@.</source>
        <translation>ここにはトレイアイコンがありません。履歴はアプリケーションメニューの Quillstack か %@ で、設定は %@ で開けます。</translation>
    </message>
    <message>
        <source>History and pins cannot be kept: %@ %@. It was left alone; move it away to keep them again.</source>
        <translation>履歴とピン留めした項目を保存できません: %@ %@。そのままにしてあります。移動すると再び保存されます。</translation>
    </message>
    <message>
        <source>The kept history and pins were not restored: %@ %@. It was renamed to %@.</source>
        <translation>保存された履歴とピン留めした項目を復元できませんでした: %@ %@。%@ に名前を変更しました。</translation>
    </message>
    <message>
        <source>History and pins could not be saved: %@ %@. They are kept for this session and saved again at the next change.</source>
        <translation>履歴とピン留めした項目を保存できませんでした: %@ %@。このセッション中は保持され、次の変更時に再度保存されます。</translation>
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
        <source>Keep history after restart</source>
        <translation>再起動後も履歴を保持</translation>
    </message>
    <message>
        <source>Kept in %1. Turning this off deletes it; pins are kept either way.</source>
        <translation>%1 に保存されます。オフにすると削除されます。ピン留めした項目はどちらの場合も保持されます。</translation>
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
        <source>Start Quillstack when you log in</source>
        <translation>ログイン時に Quillstack を起動</translation>
    </message>
    <message>
        <source>Welcome guide</source>
        <translation>ようこそガイド</translation>
    </message>
    <message>
        <source>Item %1 of %2</source>
        <translation>%1 件目（全 %2 件）</translation>
    </message>
    <message>
        <source>Item %1 of %2, pinned</source>
        <translation>%1 件目（全 %2 件）、ピン留め</translation>
    </message>
    <message numerus="yes">
        <source>Quitting clears the %n items in the history.</source>
        <translation>
            <numerusform>終了すると履歴の %n 件の項目が消去されます。</numerusform>
        </translation>
    </message>
</context>
</TS>
