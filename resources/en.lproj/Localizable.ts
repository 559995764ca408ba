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
        <translation>View buffer</translation>
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
</context>
</TS>
