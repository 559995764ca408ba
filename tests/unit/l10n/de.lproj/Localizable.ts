<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>Localizable</name>
    <message>
        <source>Hello</source>
        <translation>Hallo</translation>
    </message>
    <message>
        <source>Same in German</source>
        <translation>Same in German</translation>
    </message>
    <message>
        <source>Paste from history: %@ — opens list of recent copies.</source>
        <translation>Aus dem Verlauf einfügen: %@ — öffnet die Liste der letzten Kopien.</translation>
    </message>
</context>
</TS>
