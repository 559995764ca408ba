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
        <translation>クリップボード — ダブルクリックまたは ↑↓ Enter でペースト</translation>
    </message>
    <message>
        <source>No items</source>
        <translation>項目なし</translation>
    </message>
    <message>
        <source>paste from history</source>
        <translation>履歴からペースト</translation>
    </message>
    <message>
        <source>View buffer</source>
        <translation>バッファを表示</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>設定…</translation>
    </message>
    <message>
        <source>Restart onboarding</source>
        <translation>オンボーディングをやり直す</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>終了</translation>
    </message>
</context>
</TS>
