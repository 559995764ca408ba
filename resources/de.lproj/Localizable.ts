<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en_US">
<context>
    <name>Localizable</name>
    <message>
        <source>Quillstack</source>
        <translation>Quillstack</translation>
    </message>
    <message>
        <source>Clipboard — double-click or ↑↓ Enter to paste</source>
        <translation>Zwischenablage — Doppelklick oder ↑↓ Eingabe zum Einfügen</translation>
    </message>
    <message>
        <source>No items</source>
        <translation>Keine Einträge</translation>
    </message>
    <message>
        <source>paste from history</source>
        <translation>aus dem Verlauf einfügen</translation>
    </message>
    <message>
        <source>View buffer</source>
        <translation>Puffer anzeigen</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Einstellungen…</translation>
    </message>
    <message>
        <source>Restart onboarding</source>
        <translation>Einführung neu starten</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
</context>
</TS>
