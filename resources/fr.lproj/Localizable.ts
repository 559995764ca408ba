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
        <translation>Historique — double-clic ou ↑↓ Entrée pour coller</translation>
    </message>
    <message>
        <source>No items</source>
        <translation>Aucun élément</translation>
    </message>
    <message>
        <source>paste from history</source>
        <translation>coller de l’historique</translation>
    </message>
    <message>
        <source>View buffer</source>
        <translation>Historique</translation>
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
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>Clipboard</source>
        <translation>Historique</translation>
    </message>
    <message>
        <source>Hotkey for paste:</source>
        <translation>Raccourci pour coller :</translation>
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
        <source>Hold the shortcut: popup stays open while held. ↑↓ to select, release to paste. Press key again while holding to paste again.</source>
        <translation>Dans la liste : ↑↓ pour choisir, Entrée ou double-clic pour coller dans la fenêtre précédente. Le raccourci à nouveau ou Échap ferme sans coller.</translation>
    </message>
    <message>
        <source>Paste into password fields may not work: macOS blocks programmatic paste there for security.</source>
        <translation>Le collage dans les champs de mot de passe peut échouer : par sécurité, certains programmes y ignorent les frappes simulées.</translation>
    </message>
    <message>
        <source>Paste needs Universal Access — enable it so Quillstack can paste the selected item into other apps.</source>
        <translation>Le collage nécessite l’extension XTEST du serveur X, absente ici — l’élément choisi est seulement copié ; collez-le avec Ctrl+V.</translation>
    </message>
    <message>
        <source>For global hotkey add Quillstack to Input Monitoring (System Settings → Privacy).</source>
        <translation>Le raccourci global n’est pas disponible. Dans les paramètres des raccourcis clavier du bureau, attribuez un raccourci à la commande « quillstack --toggle-popup ».</translation>
    </message>
    <message>
        <source>Open Input Monitoring in System Settings</source>
        <translation>Ouvrir les paramètres des raccourcis clavier</translation>
    </message>
    <message>
        <source>Buffer limit</source>
        <translation>Taille de l’historique</translation>
    </message>
    <message>
        <source>Auto-delete after</source>
        <translation>Suppression automatique après</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>Jamais</translation>
    </message>
    <message>
        <source>5 minutes</source>
        <translation>5 minutes</translation>
    </message>
    <message>
        <source>15 minutes</source>
        <translation>15 minutes</translation>
    </message>
    <message>
        <source>30 minutes</source>
        <translation>30 minutes</translation>
    </message>
    <message>
        <source>1 hour</source>
        <translation>1 heure</translation>
    </message>
    <message>
        <source>6 hours</source>
        <translation>6 heures</translation>
    </message>
    <message>
        <source>24 hours</source>
        <translation>24 heures</translation>
    </message>
    <message>
        <source>Items older than the selected time will be removed automatically.</source>
        <translation>Les éléments plus anciens que la durée choisie seront supprimés automatiquement.</translation>
    </message>
    <message>
        <source>Quit application</source>
        <translation>Quitter l’application</translation>
    </message>
    <message>
        <source>Copy text or image (⌘C) — it will appear here.</source>
        <translation>Copiez du texte ou une image (Ctrl+C) — la copie apparaîtra ici.</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copier</translation>
    </message>
    <message>
        <source>Clear all</source>
        <translation>Tout effacer</translation>
    </message>
    <message>
        <source>Clear all history?</source>
        <translation>Effacer tout l’historique ?</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Retour</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Passer</translation>
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
        <source>Clipboard for macOS</source>
        <translation>Le presse-papiers du bureau Linux</translation>
    </message>
    <message>
        <source>Stores copy history and lets you paste any item with one shortcut.</source>
        <translation>Conserve l’historique des copies et colle n’importe quel élément avec un seul raccourci.</translation>
    </message>
    <message>
        <source>Universal Access</source>
        <translation>Coller dans d’autres applications</translation>
    </message>
    <message>
        <source>How it works</source>
        <translation>Fonctionnement</translation>
    </message>
    <message>
        <source>Copy as usual — ⌘C. Text goes to history.</source>
        <translation>Copiez comme d’habitude — Ctrl+C. Le texte rejoint l’historique.</translation>
    </message>
    <message>
        <source>Paste from history: %@ — opens list of recent copies.</source>
        <translation>Coller depuis l’historique : %@ — ouvre la liste des copies récentes.</translation>
    </message>
    <message>
        <source>Release modifiers or Enter — paste selected item.</source>
        <translation>Entrée ou double-clic — colle l’élément choisi dans la fenêtre précédente.</translation>
    </message>
    <message>
        <source>Copy and paste</source>
        <translation>Copier et coller</translation>
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
        <source>Release modifiers — selected text pastes into active app.</source>
        <translation>Entrée ou double-clic — coller dans la fenêtre précédente. Le raccourci à nouveau ou Échap — fermer sans coller.</translation>
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
        <source>Click menu bar icon — view buffer, settings, quit.</source>
        <translation>Cliquez sur l’icône de la zone de notification — historique, paramètres, quitter.</translation>
    </message>
    <message>
        <source>In settings: autostart, hotkey, buffer limit.</source>
        <translation>Dans les paramètres : démarrage automatique, raccourci, taille de l’historique et applications dont les copies ne sont jamais enregistrées.</translation>
    </message>
    <message>
        <source>Universal Access lets Quillstack paste the selected item into other apps. Without it the list still opens, but paste won't work.</source>
        <translation>Choisissez un élément : Quillstack le colle dans la fenêtre où vous étiez. Si un programme ignore le collage, l’élément reste dans le presse-papiers : appuyez sur Ctrl+V dans ce programme.</translation>
    </message>
    <message>
        <source>Universal Access is enabled.</source>
        <translation>Le collage est possible.</translation>
    </message>
    <message>
        <source>Text 1</source>
        <translation>Texte 1</translation>
    </message>
    <message>
        <source>Text 2</source>
        <translation>Texte 2</translation>
    </message>
    <message>
        <source>Step 1: Copy</source>
        <translation>Étape 1 : copier</translation>
    </message>
    <message>
        <source>Copy both texts — by selection (⌘C) or by the Copy button. When copied, the block will turn green.</source>
        <translation>Copiez les deux textes — par sélection (Ctrl+C) ou avec le bouton Copier. Une fois copié, le bloc devient vert.</translation>
    </message>
    <message>
        <source>Both copied. Tap Next.</source>
        <translation>Les deux sont copiés. Cliquez sur Suivant.</translation>
    </message>
    <message>
        <source>Step 2: Paste from history</source>
        <translation>Étape 2 : coller</translation>
    </message>
    <message>
        <source>Paste into field 1 «Text 1», into field 2 «Text 2». Use %@ to choose from list.</source>
        <translation>Collez « Texte 1 » dans le champ 1 et « Texte 2 » dans le champ 2. Utilisez %@ pour choisir dans la liste.</translation>
    </message>
    <message>
        <source>Field 1 — «Text 1» here</source>
        <translation>Champ 1 — « Texte 1 » ici</translation>
    </message>
    <message>
        <source>Field 2 — «Text 2» here</source>
        <translation>Champ 2 — « Texte 2 » ici</translation>
    </message>
    <message>
        <source>Correct! Tap Next.</source>
        <translation>Parfait ! Cliquez sur Terminé.</translation>
    </message>
    <message>
        <source>Another program also uses this shortcut, so both react to it. Record a different one, or free it in that program.</source>
        <translation>Un autre programme utilise aussi ce raccourci, les deux y réagissent donc. Enregistrez-en un autre ou libérez-le dans ce programme.</translation>
    </message>
    <message>
        <source>Open keyboard shortcut settings</source>
        <translation>Ouvrir les paramètres des raccourcis clavier</translation>
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
    <message>
        <source>Clipboard — ↑↓ Enter to copy, then press Ctrl+V</source>
        <translation>Historique — ↑↓ Entrée pour copier, puis appuyez sur Ctrl+V</translation>
    </message>
    <message>
        <source>This desktop lets no program type into other windows: choose an item in the list, then press Ctrl+V yourself.</source>
        <translation>Ce bureau ne laisse aucun programme taper dans d’autres fenêtres : choisissez un élément dans la liste, puis appuyez vous-même sur Ctrl+V.</translation>
    </message>
    <message>
        <source>KWin types the paste only for a program whose desktop entry allows it. Install Quillstack from its package, or start this build with tools/run, which writes that entry: Quillstack takes it up at once, without a restart. Until then, choose an item and press Ctrl+V yourself.</source>
        <translation>KWin ne tape le collage que pour un programme dont l’entrée de bureau l’autorise. Installez Quillstack depuis son paquet, ou lancez cette version compilée avec tools/run, qui écrit cette entrée : Quillstack la prend en compte aussitôt, sans redémarrage. D’ici là, choisissez un élément et appuyez vous-même sur Ctrl+V.</translation>
    </message>
    <message>
        <source>Wayland gives programs no global shortcuts: bind %@ to the command “quillstack --toggle-popup” in your desktop's keyboard settings (sway: bindsym in its config; KDE Plasma: Shortcuts → Add New → Command; GNOME: Keyboard → Custom Shortcuts).</source>
        <translation>Wayland ne donne aux programmes aucun raccourci global : associez %@ à la commande « quillstack --toggle-popup » dans les paramètres clavier de votre bureau (sway : bindsym dans sa configuration ; KDE Plasma : Raccourcis → Ajouter → Commande ; GNOME : Clavier → Raccourcis personnalisés).</translation>
    </message>
    <message>
        <source>The GNOME integration is off, so the shortcut and the paste work only in some windows.</source>
        <translation>L’intégration GNOME est désactivée : le raccourci et le collage ne fonctionnent que dans certaines fenêtres.</translation>
    </message>
    <message>
        <source>Enable the GNOME integration</source>
        <translation>Activer l’intégration GNOME</translation>
    </message>
    <message>
        <source>The GNOME integration is enabled from your next login: log out and back in.</source>
        <translation>L’intégration GNOME sera active à votre prochaine connexion : déconnectez-vous, puis reconnectez-vous.</translation>
    </message>
    <message>
        <source>The GNOME integration could not be enabled: it is not installed. Install Quillstack's package again.</source>
        <translation>Impossible d’activer l’intégration GNOME : elle n’est pas installée. Réinstallez le paquet Quillstack.</translation>
    </message>
    <message>
        <source>Return (key name)</source>
        <translation>Entrée</translation>
    </message>
    <message>
        <source>Tab (key name)</source>
        <translation>Tab</translation>
    </message>
    <message>
        <source>Space (key name)</source>
        <translation>Espace</translation>
    </message>
    <message>
        <source>Backspace (key name)</source>
        <translation>Retour arrière</translation>
    </message>
    <message>
        <source>Esc (key name)</source>
        <translation>Échap</translation>
    </message>
    <message>
        <source>Enter (key name)</source>
        <translation>Entrée (pavé numérique)</translation>
    </message>
    <message>
        <source>Insert (key name)</source>
        <translation>Inser</translation>
    </message>
    <message>
        <source>Delete (key name)</source>
        <translation>Suppr</translation>
    </message>
    <message>
        <source>Home (key name)</source>
        <translation>Début</translation>
    </message>
    <message>
        <source>End (key name)</source>
        <translation>Fin</translation>
    </message>
    <message>
        <source>Page Up (key name)</source>
        <translation>Page préc.</translation>
    </message>
    <message>
        <source>Page Down (key name)</source>
        <translation>Page suiv.</translation>
    </message>
    <message>
        <source>Left (key name)</source>
        <translation>Gauche</translation>
    </message>
    <message>
        <source>Right (key name)</source>
        <translation>Droite</translation>
    </message>
    <message>
        <source>Down (key name)</source>
        <translation>Bas</translation>
    </message>
    <message>
        <source>Up (key name)</source>
        <translation>Haut</translation>
    </message>
    <message>
        <source>Super (key name)</source>
        <translation>Super</translation>
    </message>
    <message>
        <source>Ctrl (key name)</source>
        <translation>Ctrl</translation>
    </message>
    <message>
        <source>Alt (key name)</source>
        <translation>Alt</translation>
    </message>
    <message>
        <source>Shift (key name)</source>
        <translation>Maj</translation>
    </message>
    <message>
        <source>CapsLock (key name)</source>
        <translation>Verr. Maj</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Copied</source>
        <translation>Copié</translation>
    </message>
    <message>
        <source>%@ is needed for typing: record a chord with Ctrl, Alt or Super.</source>
        <translation>%@ sert à la saisie : enregistrez un raccourci avec Ctrl, Alt ou Super.</translation>
    </message>
    <message>
        <source>%@ is used for editing in every program: record a different chord.</source>
        <translation>%@ sert à l’édition dans tous les programmes : enregistrez un autre raccourci.</translation>
    </message>
    <message>
        <source>Press the new chord; Esc cancels.</source>
        <translation>Tapez le nouveau raccourci ; Échap annule.</translation>
    </message>
    <message>
        <source>Quillstack pastes the selected item into other apps by typing Ctrl+V through the compositor's virtual keyboard.</source>
        <translation>Quillstack colle l’élément choisi dans d’autres applications en tapant Ctrl+V au moyen du clavier virtuel du compositeur.</translation>
    </message>
    <message>
        <source>Quillstack pastes the selected item into other apps by typing Ctrl+V through its GNOME Shell extension.</source>
        <translation>Quillstack colle l’élément choisi dans d’autres applications en tapant Ctrl+V au moyen de son extension GNOME Shell.</translation>
    </message>
    <message>
        <source>Quillstack cannot start: none of these folders can be trusted to hold its lock and socket.</source>
        <translation>Quillstack ne peut pas démarrer : aucun de ces dossiers n’est assez sûr pour accueillir son verrou et son socket.</translation>
    </message>
    <message>
        <source>is not set</source>
        <translation>n’est pas définie</translation>
    </message>
    <message>
        <source>is a symbolic link</source>
        <translation>est un lien symbolique</translation>
    </message>
    <message>
        <source>belongs to another user</source>
        <translation>appartient à un autre utilisateur</translation>
    </message>
    <message>
        <source>cannot be created</source>
        <translation>ne peut pas être créé</translation>
    </message>
    <message>
        <source>can be changed by other users</source>
        <translation>peut être modifié par d’autres utilisateurs</translation>
    </message>
    <message>
        <source>is not a folder</source>
        <translation>n’est pas un dossier</translation>
    </message>
    <message>
        <source>its lock cannot be taken</source>
        <translation>son verrou ne peut pas être pris</translation>
    </message>
    <message>
        <source>%1 cannot be read: these settings are the defaults, and changes cannot be saved.</source>
        <translation>Impossible de lire %1 : les réglages affichés sont ceux par défaut et les modifications ne peuvent pas être enregistrées.</translation>
    </message>
    <message>
        <source>No longer available: remove it with ×</source>
        <translation>N’est plus disponible : supprimez-le avec ×</translation>
    </message>
    <message>
        <source>Pin</source>
        <translation>Épingler</translation>
    </message>
    <message>
        <source>Unpin</source>
        <translation>Désépingler</translation>
    </message>
    <message>
        <source>Also remove pinned items</source>
        <translation>Effacer aussi les éléments épinglés</translation>
    </message>
    <message>
        <source>Pause recording</source>
        <translation>Suspendre l’enregistrement</translation>
    </message>
    <message>
        <source>Resume recording</source>
        <translation>Reprendre l’enregistrement</translation>
    </message>
    <message>
        <source>Recording paused: copies are not kept</source>
        <translation>Enregistrement suspendu : les copies ne sont pas conservées</translation>
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
        <source>Search</source>
        <translation>Rechercher</translation>
    </message>
    <message>
        <source>No matches</source>
        <translation>Aucun résultat</translation>
    </message>
    <message>
        <source>Copy something and it will appear here.</source>
        <translation>Copiez quelque chose et il apparaîtra ici.</translation>
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
        <source>Shift+Enter — paste the text alone, without formatting.</source>
        <translation>Maj+Entrée — colle le texte seul, sans mise en forme.</translation>
    </message>
    <message>
        <source>Pause recording from the tray icon — nothing copied is kept until you resume.</source>
        <translation>Suspendez l’enregistrement depuis l’icône de la zone de notification — rien n’est gardé jusqu’à la reprise.</translation>
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
        <source>cannot be read</source>
        <translation>ne peut pas être lu</translation>
    </message>
    <message>
        <source>cannot be written</source>
        <translation>ne peut pas être écrit</translation>
    </message>
    <message>
        <source>is not a pin file</source>
        <translation>n’est pas un fichier d’éléments épinglés</translation>
    </message>
    <message>
        <source>No pins were restored: %@ %@. It was renamed to %@.</source>
        <translation>Aucun élément épinglé restauré : %@ %@. Le fichier a été renommé en %@.</translation>
    </message>
    <message>
        <source>The ignored applications in the settings file cannot be read: the usual password managers are ignored instead.</source>
        <translation>Impossible de lire les applications ignorées du fichier de réglages : les gestionnaires de mots de passe habituels sont ignorés à la place.</translation>
    </message>
    <message>
        <source>Not pasted: another window was in front. The item is on the clipboard: press %@ to paste it.</source>
        <translation>Non collé : une autre fenêtre était au premier plan. L’élément est dans le presse-papiers : appuyez sur %@ pour le coller.</translation>
    </message>
    <message>
        <source>No tray icon here: open History from Quillstack in the application menu or with %@, and Settings with %@.</source>
        <translation>Pas d’icône dans la zone de notification ici : ouvrez l’historique depuis Quillstack dans le menu des applications ou avec %@, et les paramètres avec %@.</translation>
    </message>
    <message>
        <source>History and pins cannot be kept: %@ %@. It was left alone; move it away to keep them again.</source>
        <translation>L’historique et les éléments épinglés ne peuvent pas être conservés : %@ %@. Le fichier a été laissé tel quel ; déplacez-le pour les conserver à nouveau.</translation>
    </message>
    <message>
        <source>The kept history and pins were not restored: %@ %@. It was renamed to %@.</source>
        <translation>L’historique conservé et les éléments épinglés n’ont pas été restaurés : %@ %@. Le fichier a été renommé en %@.</translation>
    </message>
    <message>
        <source>History and pins could not be saved: %@ %@. They are kept for this session and saved again at the next change.</source>
        <translation>L’historique et les éléments épinglés n’ont pas pu être enregistrés : %@ %@. Ils sont conservés pour cette session et enregistrés de nouveau à la prochaine modification.</translation>
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
        <source>Keep history after restart</source>
        <translation>Conserver l’historique après le redémarrage</translation>
    </message>
    <message>
        <source>Kept in %1. Turning this off deletes it; pins are kept either way.</source>
        <translation>Conservé dans %1. Le désactiver le supprime ; les éléments épinglés sont conservés dans tous les cas.</translation>
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
        <source>Start Quillstack when you log in</source>
        <translation>Démarrer Quillstack à l’ouverture de session</translation>
    </message>
    <message>
        <source>Welcome guide</source>
        <translation>Guide de bienvenue</translation>
    </message>
    <message>
        <source>Item %1 of %2</source>
        <translation>Élément %1 sur %2</translation>
    </message>
    <message>
        <source>Item %1 of %2, pinned</source>
        <translation>Élément %1 sur %2, épinglé</translation>
    </message>
    <message numerus="yes">
        <source>Quitting clears the %n items in the history.</source>
        <translation>
            <numerusform>Quitter efface %n élément de l’historique.</numerusform>
            <numerusform>Quitter efface les %n éléments de l’historique.</numerusform>
        </translation>
    </message>
</context>
</TS>
