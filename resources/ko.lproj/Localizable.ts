<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko_KR" sourcelanguage="en_US">
<context>
    <name>Localizable</name>
    <message>
        <source>Quillstack</source>
        <translation>Quillstack</translation>
    </message>
    <message>
        <source>Clipboard — double-click or ↑↓ Enter to paste</source>
        <translation>클립보드 — 더블 클릭하거나 ↑↓ Enter로 붙여넣기</translation>
    </message>
    <message>
        <source>No items</source>
        <translation>항목 없음</translation>
    </message>
    <message>
        <source>paste from history</source>
        <translation>기록에서 붙여넣기</translation>
    </message>
    <message>
        <source>View buffer</source>
        <translation>버퍼 보기</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>설정…</translation>
    </message>
    <message>
        <source>Restart onboarding</source>
        <translation>온보딩 다시 시작</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>종료</translation>
    </message>
</context>
</TS>
