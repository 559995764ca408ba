<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU" sourcelanguage="en_US">
<context>
    <name>Localizable</name>
    <message>
        <source>Quillstack</source>
        <translation>Quillstack</translation>
    </message>
    <message>
        <source>Clipboard — double-click or ↑↓ Enter to paste</source>
        <translation>Буфер обмена — двойной щелчок или ↑↓ Enter для вставки</translation>
    </message>
    <message>
        <source>No items</source>
        <translation>Нет элементов</translation>
    </message>
    <message>
        <source>paste from history</source>
        <translation>вставить из истории</translation>
    </message>
    <message>
        <source>View buffer</source>
        <translation>Показать буфер</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Настройки…</translation>
    </message>
    <message>
        <source>Restart onboarding</source>
        <translation>Пройти обучение заново</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Выйти</translation>
    </message>
</context>
</TS>
