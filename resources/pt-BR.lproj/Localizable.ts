<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR" sourcelanguage="en_US">
<context>
    <name>Localizable</name>
    <message>
        <source>Quillstack</source>
        <translation>Quillstack</translation>
    </message>
    <message>
        <source>Clipboard — double-click or ↑↓ Enter to paste</source>
        <translation>Área de transferência — clique duas vezes ou ↑↓ Enter para colar</translation>
    </message>
    <message>
        <source>No items</source>
        <translation>Nenhum item</translation>
    </message>
    <message>
        <source>paste from history</source>
        <translation>colar do histórico</translation>
    </message>
    <message>
        <source>View buffer</source>
        <translation>Ver buffer</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Configurações…</translation>
    </message>
    <message>
        <source>Restart onboarding</source>
        <translation>Reiniciar introdução</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Sair</translation>
    </message>
</context>
</TS>
