<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES" sourcelanguage="en_US">
<context>
    <name>Localizable</name>
    <message>
        <source>Quillstack</source>
        <translation>Quillstack</translation>
    </message>
    <message>
        <source>Clipboard — double-click or ↑↓ Enter to paste</source>
        <translation>Portapapeles — doble clic o ↑↓ Intro para pegar</translation>
    </message>
    <message>
        <source>No items</source>
        <translation>No hay elementos</translation>
    </message>
    <message>
        <source>paste from history</source>
        <translation>pegar desde el historial</translation>
    </message>
    <message>
        <source>View buffer</source>
        <translation>Ver búfer</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Ajustes…</translation>
    </message>
    <message>
        <source>Restart onboarding</source>
        <translation>Reiniciar la introducción</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Salir</translation>
    </message>
</context>
</TS>
