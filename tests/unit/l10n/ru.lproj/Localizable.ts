<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>Localizable</name>
    <message>
        <source>Hello</source>
        <translation>Привет</translation>
    </message>
    <message>
        <source>Same in German</source>
        <translation>Одинаково по-немецки</translation>
    </message>
    <message>
        <source>Only in Russian</source>
        <translation>Только по-русски</translation>
    </message>
</context>
</TS>
