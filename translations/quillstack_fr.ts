<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR" sourcelanguage="en_US">
<context>
    <name>AppWindow</name>
    <message>
        <source>History</source>
        <translation>Historique</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>Quillstack</source>
        <translation>Quillstack</translation>
    </message>
</context>
<context>
    <name>HistoryWindowDelegate</name>
    <message>
        <source>Copy</source>
        <translation>Copier</translation>
    </message>
    <message>
        <source>Unpin</source>
        <translation>Désépingler</translation>
    </message>
    <message>
        <source>Pin</source>
        <translation>Épingler</translation>
    </message>
</context>
<context>
    <name>HistoryWindowView</name>
    <message>
        <source>No items</source>
        <translation>Aucun élément</translation>
    </message>
    <message>
        <source>Copy text or an image (Ctrl+C) — it will appear here.</source>
        <translation>Copiez du texte ou une image (Ctrl+C) — la copie apparaîtra ici.</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Rechercher</translation>
    </message>
    <message>
        <source>No matches</source>
        <translation>Aucun résultat</translation>
    </message>
    <message>
        <source>Clear all</source>
        <translation>Tout effacer</translation>
    </message>
    <message>
        <source>Copied</source>
        <translation>Copié</translation>
    </message>
    <message>
        <source>Clear all history?</source>
        <translation>Effacer tout l’historique&#xa0;?</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Also remove pinned items</source>
        <translation>Effacer aussi les éléments épinglés</translation>
    </message>
</context>
<context>
    <name>HistoryFilterModel</name>
    <message>
        <source>Item %1 of %2, pinned</source>
        <translation>Élément %1 sur %2, épinglé</translation>
    </message>
    <message>
        <source>Item %1 of %2</source>
        <translation>Élément %1 sur %2</translation>
    </message>
</context>
<context>
    <name>HistoryListModel</name>
    <message>
        <source>No longer available: remove it with ×</source>
        <translation>N’est plus disponible&#xa0;: supprimez-le avec ×</translation>
    </message>
    <message>
        <source>[Files]</source>
        <translation>[Fichiers]</translation>
    </message>
    <message>
        <source>[Image]</source>
        <translation>[Image]</translation>
    </message>
    <message>
        <source>[Content]</source>
        <translation>[Contenu]</translation>
    </message>
</context>
<context>
    <name>ChordRecorderView</name>
    <message>
        <source>Shortcut for pasting:</source>
        <translation>Raccourci pour coller&#xa0;:</translation>
    </message>
    <message>
        <source>Press shortcut…</source>
        <translation>Saisissez un raccourci…</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Modifier</translation>
    </message>
    <message>
        <source>Press the new shortcut; Esc cancels.</source>
        <translation>Tapez le nouveau raccourci&#xa0;; Échap annule.</translation>
    </message>
    <message>
        <source>%1 is needed for typing: record a chord with Ctrl, Alt or Super.</source>
        <translation>%1 sert à la saisie&#xa0;: enregistrez un raccourci avec Ctrl, Alt ou Super.</translation>
    </message>
    <message>
        <source>%1 is used for editing in every program: record a different chord.</source>
        <translation>%1 sert à l’édition dans tous les programmes&#xa0;: enregistrez un autre raccourci.</translation>
    </message>
</context>
<context>
    <name>IntegrationNotice</name>
    <message>
        <source>Enable the GNOME integration</source>
        <translation>Activer l’intégration GNOME</translation>
    </message>
    <message>
        <source>The GNOME integration is enabled from your next login: log out and back in.</source>
        <translation>L’intégration GNOME sera active à votre prochaine connexion&#xa0;: déconnectez-vous, puis reconnectez-vous.</translation>
    </message>
    <message>
        <source>The GNOME integration could not be enabled: it is not installed. Install Quillstack&apos;s package again.</source>
        <translation>Impossible d’activer l’intégration GNOME&#xa0;: elle n’est pas installée. Réinstallez le paquet Quillstack.</translation>
    </message>
    <message>
        <source>The GNOME integration is off, so the shortcut and the paste work only in some windows.</source>
        <translation>L’intégration GNOME est désactivée&#xa0;: le raccourci et le collage ne fonctionnent que dans certaines fenêtres.</translation>
    </message>
</context>
<context>
    <name>KeepHistoryChoice</name>
    <message>
        <source>Keep history after restart</source>
        <translation>Conserver l’historique après le redémarrage</translation>
    </message>
    <message>
        <source>Kept in %1. Turning this off deletes it; pins are kept either way.</source>
        <translation>Conservé dans %1. Le désactiver le supprime ; les éléments épinglés sont conservés dans tous les cas.</translation>
    </message>
</context>
<context>
    <name>KeyNames</name>
    <message>
        <source>Return</source>
        <translation>Entrée</translation>
    </message>
    <message>
        <source>Tab</source>
        <translation>Tab</translation>
    </message>
    <message>
        <source>Space</source>
        <translation>Espace</translation>
    </message>
    <message>
        <source>Backspace</source>
        <translation>Retour arrière</translation>
    </message>
    <message>
        <source>Esc</source>
        <translation>Échap</translation>
    </message>
    <message>
        <source>Enter</source>
        <translation>Entrée (pavé numérique)</translation>
    </message>
    <message>
        <source>Insert</source>
        <translation>Inser</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Suppr</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Début</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Fin</translation>
    </message>
    <message>
        <source>Page Up</source>
        <translation>Page préc.</translation>
    </message>
    <message>
        <source>Page Down</source>
        <translation>Page suiv.</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Gauche</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Droite</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Bas</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Haut</translation>
    </message>
    <message>
        <source>Super</source>
        <translation>Super</translation>
    </message>
    <message>
        <source>Ctrl</source>
        <translation>Ctrl</translation>
    </message>
    <message>
        <source>Alt</source>
        <translation>Alt</translation>
    </message>
    <message>
        <source>Shift</source>
        <translation>Maj</translation>
    </message>
    <message>
        <source>CapsLock</source>
        <translation>Verr. Maj</translation>
    </message>
</context>
<context>
    <name>OnboardingPanel</name>
    <message>
        <source>Language</source>
        <translation>Langue</translation>
    </message>
    <message>
        <source>System</source>
        <translation>Système</translation>
    </message>
</context>
<context>
    <name>OnboardingView</name>
    <message>
        <source>Back</source>
        <translation>Retour</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Passer</translation>
    </message>
    <message>
        <source>How it works</source>
        <translation>Fonctionnement</translation>
    </message>
    <message>
        <source>Copy as usual — Ctrl+C. Text goes to history.</source>
        <translation>Copiez comme d’habitude — Ctrl+C. Le texte rejoint l’historique.</translation>
    </message>
    <message>
        <source>Paste from history: %1 — opens list of recent copies.</source>
        <translation>Coller depuis l’historique&#xa0;: %1 — ouvre la liste des copies récentes.</translation>
    </message>
    <message>
        <source>Enter or double-click — paste the selected item into the window you were in.</source>
        <translation>Entrée ou double-clic — colle l’élément choisi dans la fenêtre précédente.</translation>
    </message>
    <message>
        <source>Type while the list is open to filter it — only matching items stay.</source>
        <translation>Tapez quand la liste est ouverte pour la filtrer — seuls les éléments correspondants restent.</translation>
    </message>
    <message>
        <source>Ctrl+P or the pin — keeps an item at the top, saved on disk across restarts.</source>
        <translation>Ctrl+P ou l’épingle — garde un élément en haut, enregistré sur le disque même après un redémarrage.</translation>
    </message>
    <message>
        <source>How to select</source>
        <translation>Comment choisir</translation>
    </message>
    <message>
        <source>↑ ↓ — select item in list.</source>
        <translation>↑ ↓ — choisir un élément de la liste.</translation>
    </message>
    <message>
        <source>Enter or double-click — paste into the window you were in. The shortcut again or Esc — close without pasting.</source>
        <translation>Entrée ou double-clic — coller dans la fenêtre précédente. Le raccourci à nouveau ou Échap — fermer sans coller.</translation>
    </message>
    <message>
        <source>Shift+Enter — paste the text alone, without formatting.</source>
        <translation>Maj+Entrée — colle le texte seul, sans mise en forme.</translation>
    </message>
    <message>
        <source>Delete or × to remove from history.</source>
        <translation>Suppr ou × — retirer de l’historique.</translation>
    </message>
    <message>
        <source>Menu and settings</source>
        <translation>Menu et paramètres</translation>
    </message>
    <message>
        <source>Click the tray icon — history, settings, quit.</source>
        <translation>Cliquez sur l’icône de la zone de notification — historique, paramètres, quitter.</translation>
    </message>
    <message>
        <source>Pause recording from the tray icon — nothing copied is kept until you resume.</source>
        <translation>Suspendez l’enregistrement depuis l’icône de la zone de notification — rien n’est gardé jusqu’à la reprise.</translation>
    </message>
    <message>
        <source>In settings: autostart, shortcut, history size, and applications whose copies are never recorded.</source>
        <translation>Dans les paramètres : démarrage automatique, raccourci, taille de l’historique et applications dont les copies ne sont jamais enregistrées.</translation>
    </message>
    <message>
        <source>Quillstack</source>
        <translation>Quillstack</translation>
    </message>
    <message>
        <source>Clipboard for the Linux desktop</source>
        <translation>Le presse-papiers du bureau Linux</translation>
    </message>
    <message>
        <source>Stores copy history and lets you paste any item with one shortcut.</source>
        <translation>Conserve l’historique des copies et colle n’importe quel élément avec un seul raccourci.</translation>
    </message>
    <message>
        <source>Pasting into other apps</source>
        <translation>Coller dans d’autres applications</translation>
    </message>
    <message>
        <source>Ready to paste into other apps.</source>
        <translation>Le collage est possible.</translation>
    </message>
    <message>
        <source>Step 1: Copy</source>
        <translation>Étape 1&#xa0;: copier</translation>
    </message>
    <message>
        <source>Copy both texts — by selection (Ctrl+C) or by the Copy button. When copied, the block will turn green.</source>
        <translation>Copiez les deux textes — par sélection (Ctrl+C) ou avec le bouton Copier. Une fois copié, le bloc devient vert.</translation>
    </message>
    <message>
        <source>Both copied. Click Next.</source>
        <translation>Les deux sont copiés. Cliquez sur Suivant.</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copier</translation>
    </message>
    <message>
        <source>Step 2: Paste from history</source>
        <translation>Étape 2&#xa0;: coller</translation>
    </message>
    <message>
        <source>Paste “Text 1” into field 1 and “Text 2” into field 2. Use %1 to choose from the list.</source>
        <translation>Collez «&#xa0;Texte 1&#xa0;» dans le champ 1 et «&#xa0;Texte 2&#xa0;» dans le champ 2. Utilisez %1 pour choisir dans la liste.</translation>
    </message>
    <message>
        <source>Correct! Click Done.</source>
        <translation>Parfait&#xa0;! Cliquez sur Terminé.</translation>
    </message>
    <message>
        <source>Start Quillstack when you log in</source>
        <translation>Démarrer Quillstack à l’ouverture de session</translation>
    </message>
    <message>
        <source>Field 1 — “Text 1” here</source>
        <translation>Champ 1 — «&#xa0;Texte 1&#xa0;» ici</translation>
    </message>
    <message>
        <source>Field 2 — “Text 2” here</source>
        <translation>Champ 2 — «&#xa0;Texte 2&#xa0;» ici</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Terminé</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Suivant</translation>
    </message>
    <message>
        <source>Quillstack pastes the selected item into other apps by typing Ctrl+V through its GNOME Shell extension.</source>
        <translation>Quillstack colle l’élément choisi dans d’autres applications en tapant Ctrl+V au moyen de son extension GNOME Shell.</translation>
    </message>
    <message>
        <source>Quillstack pastes the selected item into other apps by typing Ctrl+V through the compositor&apos;s virtual keyboard.</source>
        <translation>Quillstack colle l’élément choisi dans d’autres applications en tapant Ctrl+V au moyen du clavier virtuel du compositeur.</translation>
    </message>
    <message>
        <source>Choose an item and Quillstack pastes it into the window you were in. If a program ignores the paste, the item is still on the clipboard: press Ctrl+V there.</source>
        <translation>Choisissez un élément : Quillstack le colle dans la fenêtre où vous étiez. Si un programme ignore le collage, l’élément reste dans le presse-papiers : appuyez sur Ctrl+V dans ce programme.</translation>
    </message>
</context>
<context>
    <name>OnboardingWizard</name>
    <message>
        <source>Text 1</source>
        <translation>Texte 1</translation>
    </message>
    <message>
        <source>Text 2</source>
        <translation>Texte 2</translation>
    </message>
</context>
<context>
    <name>PasteDelivery</name>
    <message>
        <source>Not pasted: another window was in front. The item is on the clipboard: press %1 to paste it.</source>
        <translation>Non collé : une autre fenêtre était au premier plan. L’élément est dans le presse-papiers : appuyez sur %1 pour le coller.</translation>
    </message>
</context>
<context>
    <name>PastePopupView</name>
    <message>
        <source>Clipboard — double-click or ↑↓ Enter to paste</source>
        <translation>Historique — double-clic ou ↑↓ Entrée pour coller</translation>
    </message>
    <message>
        <source>Clipboard — ↑↓ Enter to copy, then press Ctrl+V</source>
        <translation>Historique — ↑↓ Entrée pour copier, puis appuyez sur Ctrl+V</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Historique</translation>
    </message>
    <message>
        <source>No items</source>
        <translation>Aucun élément</translation>
    </message>
    <message>
        <source>Copy something and it will appear here.</source>
        <translation>Copiez quelque chose et il apparaîtra ici.</translation>
    </message>
    <message>
        <source>No matches</source>
        <translation>Aucun résultat</translation>
    </message>
</context>
<context>
    <name>PlatformServices</name>
    <message>
        <source>paste from history</source>
        <translation>coller de l’historique</translation>
    </message>
</context>
<context>
    <name>PrivateFiles</name>
    <message>
        <source>its lock cannot be taken</source>
        <translation>son verrou ne peut pas être pris</translation>
    </message>
    <message>
        <source>is not a history database</source>
        <translation>n’est pas une base de données d’historique</translation>
    </message>
    <message>
        <source>is from a newer version of Quillstack</source>
        <translation>provient d’une version plus récente de Quillstack</translation>
    </message>
    <message>
        <source>cannot be written</source>
        <translation>ne peut pas être écrit</translation>
    </message>
    <message>
        <source>cannot be read</source>
        <translation>ne peut pas être lu</translation>
    </message>
    <message>
        <source>is not a pin file</source>
        <translation>n’est pas un fichier d’éléments épinglés</translation>
    </message>
    <message>
        <source>is a symbolic link</source>
        <translation>est un lien symbolique</translation>
    </message>
    <message>
        <source>is not a folder</source>
        <translation>n’est pas un dossier</translation>
    </message>
    <message>
        <source>belongs to another user</source>
        <translation>appartient à un autre utilisateur</translation>
    </message>
    <message>
        <source>can be changed by other users</source>
        <translation>peut être modifié par d’autres utilisateurs</translation>
    </message>
    <message>
        <source>cannot be created</source>
        <translation>ne peut pas être créé</translation>
    </message>
    <message>
        <source>is not a regular file</source>
        <translation>n’est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>is too large</source>
        <translation>est trop volumineux</translation>
    </message>
    <message>
        <source>is not set</source>
        <translation>n’est pas définie</translation>
    </message>
</context>
<context>
    <name>ProblemNotices</name>
    <message>
        <source>History and pins cannot be kept: %1 %2. It was left alone; move it away to keep them again.</source>
        <translation>L’historique et les éléments épinglés ne peuvent pas être conservés : %1 %2. Le fichier a été laissé tel quel ; déplacez-le pour les conserver à nouveau.</translation>
    </message>
    <message>
        <source>The kept history and pins were not restored: %1 %2. It was renamed to %3.</source>
        <translation>L’historique conservé et les éléments épinglés n’ont pas été restaurés : %1 %2. Le fichier a été renommé en %3.</translation>
    </message>
    <message>
        <source>No pins were restored: %1 %2. It was renamed to %3.</source>
        <translation>Aucun élément épinglé restauré : %1 %2. Le fichier a été renommé en %3.</translation>
    </message>
    <message>
        <source>History and pins could not be saved: %1 %2. They are kept for this session and saved again at the next change.</source>
        <translation>L’historique et les éléments épinglés n’ont pas pu être enregistrés : %1 %2. Ils sont conservés pour cette session et enregistrés de nouveau à la prochaine modification.</translation>
    </message>
    <message>
        <source>The ignored applications in the settings file cannot be read: the usual password managers are ignored instead.</source>
        <translation>Impossible de lire les applications ignorées du fichier de réglages : les gestionnaires de mots de passe habituels sont ignorés à la place.</translation>
    </message>
</context>
<context>
    <name>QuillstackApp</name>
    <message>
        <source>Quillstack cannot start: none of these folders can be trusted to hold its lock and socket.</source>
        <translation>Quillstack ne peut pas démarrer&#xa0;: aucun de ces dossiers n’est assez sûr pour accueillir son verrou et son socket.</translation>
    </message>
</context>
<context>
    <name>QuillstackTray</name>
    <message>
        <source>History</source>
        <translation>Historique</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Paramètres…</translation>
    </message>
    <message>
        <source>Welcome guide</source>
        <translation>Guide de bienvenue</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Quillstack</source>
        <translation>Quillstack</translation>
    </message>
    <message>
        <source>Recording paused: copies are not kept</source>
        <translation>Enregistrement suspendu : les copies ne sont pas conservées</translation>
    </message>
</context>
<context>
    <name>QuitQuestion</name>
    <message numerus="yes">
        <source>Quitting clears the %n items in the history.</source>
        <translation>
            <numerusform>Quitter efface %n élément de l’historique.</numerusform>
            <numerusform>Quitter efface les %n éléments de l’historique.</numerusform>
        </translation>
    </message>
    <message>
        <source>Pins are kept. The history can be kept after restart instead.</source>
        <translation>Les éléments épinglés sont conservés. L’historique peut plutôt être conservé après le redémarrage.</translation>
    </message>
    <message>
        <source>Keep History and Quit</source>
        <translation>Conserver l’historique et quitter</translation>
    </message>
    <message>
        <source>Quit and Clear</source>
        <translation>Quitter et effacer</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>SettingsView</name>
    <message>
        <source>Never</source>
        <translation>Jamais</translation>
    </message>
    <message>
        <source>5 minutes</source>
        <translation>5&#xa0;minutes</translation>
    </message>
    <message>
        <source>15 minutes</source>
        <translation>15&#xa0;minutes</translation>
    </message>
    <message>
        <source>30 minutes</source>
        <translation>30&#xa0;minutes</translation>
    </message>
    <message>
        <source>1 hour</source>
        <translation>1&#xa0;heure</translation>
    </message>
    <message>
        <source>6 hours</source>
        <translation>6&#xa0;heures</translation>
    </message>
    <message>
        <source>24 hours</source>
        <translation>24&#xa0;heures</translation>
    </message>
    <message>
        <source>%1 cannot be read: these settings are the defaults, and changes cannot be saved.</source>
        <translation>Impossible de lire %1&#xa0;: les réglages affichés sont ceux par défaut et les modifications ne peuvent pas être enregistrées.</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Langue</translation>
    </message>
    <message>
        <source>System</source>
        <translation>Système</translation>
    </message>
    <message>
        <source>Autostart</source>
        <translation>Démarrage automatique</translation>
    </message>
    <message>
        <source>Launch at login</source>
        <translation>Lancer à l’ouverture de session</translation>
    </message>
    <message>
        <source>Paste from history</source>
        <translation>Coller depuis l’historique</translation>
    </message>
    <message>
        <source>In the list: ↑↓ to select, Enter or double-click to paste into the window you were in. Press the shortcut again or Esc to close without pasting.</source>
        <translation>Dans la liste&#xa0;: ↑↓ pour choisir, Entrée ou double-clic pour coller dans la fenêtre précédente. Le raccourci à nouveau ou Échap ferme sans coller.</translation>
    </message>
    <message>
        <source>Pasting into password fields may not work: some programs ignore simulated keystrokes there for security.</source>
        <translation>Le collage dans les champs de mot de passe peut échouer&#xa0;: par sécurité, certains programmes y ignorent les frappes simulées.</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Historique</translation>
    </message>
    <message>
        <source>History size</source>
        <translation>Taille de l’historique</translation>
    </message>
    <message>
        <source>Auto-delete after</source>
        <translation>Suppression automatique après</translation>
    </message>
    <message>
        <source>Items older than the selected time will be removed automatically.</source>
        <translation>Les éléments plus anciens que la durée choisie seront supprimés automatiquement.</translation>
    </message>
    <message>
        <source>Ignored applications</source>
        <translation>Applications ignorées</translation>
    </message>
    <message>
        <source>Copies made while one of these applications is in front are never recorded.</source>
        <translation>Ce qui est copié pendant que l’une de ces applications est au premier plan n’est jamais enregistré.</translation>
    </message>
    <message>
        <source>Window class or app id</source>
        <translation>Classe de fenêtre ou ID d’application</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Ajouter</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Retirer</translation>
    </message>
    <message>
        <source>Quit application</source>
        <translation>Quitter l’application</translation>
    </message>
    <message>
        <source>KWin types the paste only for a program whose desktop entry allows it. Install Quillstack from its package, or start this build with tools/run, which writes that entry: Quillstack takes it up at once, without a restart. Until then, choose an item and press Ctrl+V yourself.</source>
        <translation>KWin ne tape le collage que pour un programme dont l’entrée de bureau l’autorise. Installez Quillstack depuis son paquet, ou lancez cette version compilée avec tools/run, qui écrit cette entrée : Quillstack la prend en compte aussitôt, sans redémarrage. D’ici là, choisissez un élément et appuyez vous-même sur Ctrl+V.</translation>
    </message>
    <message>
        <source>This desktop lets no program type into other windows: choose an item in the list, then press Ctrl+V yourself.</source>
        <translation>Ce bureau ne laisse aucun programme taper dans d’autres fenêtres&#xa0;: choisissez un élément dans la liste, puis appuyez vous-même sur Ctrl+V.</translation>
    </message>
    <message>
        <source>Pasting needs the X server&apos;s XTEST extension, which is missing here — the selected item is only copied; paste it with Ctrl+V.</source>
        <translation>Le collage nécessite l’extension XTEST du serveur X, absente ici — l’élément choisi est seulement copié&#xa0;; collez-le avec Ctrl+V.</translation>
    </message>
    <message>
        <source>Wayland gives programs no global shortcuts: bind %1 to the command “quillstack --toggle-popup” in your desktop&apos;s keyboard settings (sway: bindsym in its config; KDE Plasma: Shortcuts → Add New → Command; GNOME: Keyboard → Custom Shortcuts).</source>
        <translation>Wayland ne donne aux programmes aucun raccourci global&#xa0;: associez %1 à la commande «&#xa0;quillstack --toggle-popup&#xa0;» dans les paramètres clavier de votre bureau (sway&#xa0;: bindsym dans sa configuration&#xa0;; KDE Plasma&#xa0;: Raccourcis → Ajouter → Commande&#xa0;; GNOME&#xa0;: Clavier → Raccourcis personnalisés).</translation>
    </message>
    <message>
        <source>The global shortcut is not available. In the desktop&apos;s keyboard shortcut settings, assign a shortcut to the command “quillstack --toggle-popup”.</source>
        <translation>Le raccourci global n’est pas disponible. Dans les paramètres des raccourcis clavier du bureau, attribuez un raccourci à la commande «&#xa0;quillstack --toggle-popup&#xa0;».</translation>
    </message>
    <message>
        <source>Open keyboard shortcut settings</source>
        <translation>Ouvrir les paramètres des raccourcis clavier</translation>
    </message>
    <message>
        <source>Another program also uses this shortcut, so both react to it. Record a different one, or free it in that program.</source>
        <translation>Un autre programme utilise aussi ce raccourci, les deux y réagissent donc. Enregistrez-en un autre ou libérez-le dans ce programme.</translation>
    </message>
</context>
<context>
    <name>TrayPanel</name>
    <message>
        <source>Quillstack</source>
        <translation>Quillstack</translation>
    </message>
</context>
<context>
    <name>TrayPanelView</name>
    <message>
        <source>paste from history</source>
        <translation>coller de l’historique</translation>
    </message>
    <message>
        <source>Resume recording</source>
        <translation>Reprendre l’enregistrement</translation>
    </message>
    <message>
        <source>Pause recording</source>
        <translation>Suspendre l’enregistrement</translation>
    </message>
    <message>
        <source>Quillstack</source>
        <translation>Quillstack</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Historique</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Paramètres…</translation>
    </message>
    <message>
        <source>Welcome guide</source>
        <translation>Guide de bienvenue</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Quitter</translation>
    </message>
</context>
<context>
    <name>WayInNotice</name>
    <message>
        <source>No tray icon here: open History from Quillstack in the application menu or with %1, and Settings with %2.</source>
        <translation>Pas d’icône dans la zone de notification ici : ouvrez l’historique depuis Quillstack dans le menu des applications ou avec %1, et les paramètres avec %2.</translation>
    </message>
</context>
</TS>
