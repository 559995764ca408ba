<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR" sourcelanguage="en_US">
<context>
    <name>Localizable</name>
    <message>
        <source>Quillstack</source>
        <translation>Quillstack</translation>
    </message>
    <message>
        <source>Clipboard — double-click or ↑↓ Enter to paste</source>
        <translation>Presse-papiers — double-cliquez ou ↑↓ Entrée pour coller</translation>
    </message>
    <message>
        <source>No items</source>
        <translation>Aucun élément</translation>
    </message>
    <message>
        <source>paste from history</source>
        <translation>coller depuis l’historique</translation>
    </message>
    <message>
        <source>View buffer</source>
        <translation>Afficher le tampon</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Paramètres…</translation>
    </message>
    <message>
        <source>Restart onboarding</source>
        <translation>Recommencer la présentation</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Quitter</translation>
    </message>
</context>
</TS>
