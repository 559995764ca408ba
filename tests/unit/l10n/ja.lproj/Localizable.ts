<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>Localizable</name>
    <message>
        <source>Hello</source>
        <translation>こんにちは</translation>
    </message>
</context>
</TS>
