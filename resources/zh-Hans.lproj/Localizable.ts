<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en_US">
<context>
    <name>Localizable</name>
    <message>
        <source>Quillstack</source>
        <translation>Quillstack</translation>
    </message>
    <message>
        <source>Clipboard — double-click or ↑↓ Enter to paste</source>
        <translation>剪贴板 — 双击或按 ↑↓ Enter 粘贴</translation>
    </message>
    <message>
        <source>No items</source>
        <translation>无项目</translation>
    </message>
    <message>
        <source>paste from history</source>
        <translation>从历史记录粘贴</translation>
    </message>
    <message>
        <source>View buffer</source>
        <translation>查看缓冲区</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>设置…</translation>
    </message>
    <message>
        <source>Restart onboarding</source>
        <translation>重新开始引导</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>退出</translation>
    </message>
</context>
</TS>
