<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>BoardFeed</name>
    <message>
        <source>The live feed could not start: &quot;%1&quot; is not an IP address.</source>
        <translation>Le flux en direct n’a pas pu démarrer : « %1 » n’est pas une adresse IP.</translation>
    </message>
    <message>
        <source>The live feed listens on every network connection of this computer: anyone who can reach it on port %1 can read the board.</source>
        <translation>Le flux en direct écoute sur toutes les connexions réseau de cet ordinateur : quiconque peut l’atteindre sur le port %1 peut lire le tableau.</translation>
    </message>
</context>
<context>
    <name>ConsoleWindow</name>
    <message>
        <source>Game sheet...</source>
        <translation>Feuille de match...</translation>
    </message>
    <message>
        <source>Save events as CSV...</source>
        <translation>Enregistrer les événements en CSV...</translation>
    </message>
</context>
<context>
    <name>FeedDirectory</name>
    <message>
        <source>The feed&apos;s text files are not written: the folder %1 cannot be created.</source>
        <translation>Les fichiers texte du flux ne sont pas écrits : le dossier %1 ne peut pas être créé.</translation>
    </message>
    <message>
        <source>The feed&apos;s text files are not written: other users can change the folder %1. Use a folder of your own that only you can write to.</source>
        <translation>Les fichiers texte du flux ne sont pas écrits : d’autres utilisateurs peuvent modifier le dossier %1. Utilisez un dossier à vous, où vous seul pouvez écrire.</translation>
    </message>
    <message>
        <source>it is a link, and the feed writes no file through a link</source>
        <translation>c’est un lien, et le flux n’écrit aucun fichier à travers un lien</translation>
    </message>
    <message>
        <source>something other than a plain file has that name</source>
        <translation>autre chose qu’un fichier ordinaire porte ce nom</translation>
    </message>
    <message>
        <source>The feed cannot write %1: %2.</source>
        <translation>Le flux ne peut pas écrire %1 : %2.</translation>
    </message>
</context>
<context>
    <name>FeedNotice</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>FeedServer</name>
    <message>
        <source>The live feed could not start: port %1 is in use.</source>
        <translation>Le flux en direct n’a pas pu démarrer : le port %1 est déjà utilisé.</translation>
    </message>
    <message>
        <source>The live feed could not start: %1 is not an address of this computer.</source>
        <translation>Le flux en direct n’a pas pu démarrer : %1 n’est pas une adresse de cet ordinateur.</translation>
    </message>
    <message>
        <source>The live feed could not start on %1 port %2: %3.</source>
        <translation>Le flux en direct n’a pas pu démarrer sur %1, port %2 : %3.</translation>
    </message>
</context>
<context>
    <name>GameEventsModel</name>
    <message>
        <source>Time</source>
        <translation>Heure</translation>
    </message>
    <message>
        <source>Period</source>
        <translation>Période</translation>
    </message>
    <message>
        <source>Game clock</source>
        <translation>Temps de jeu</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Événement</translation>
    </message>
    <message>
        <source>Save events as CSV</source>
        <translation>Enregistrer les événements en CSV</translation>
    </message>
    <message>
        <source>CSV files (*.csv);;All files (*)</source>
        <translation>Fichiers CSV (*.csv);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>The events could not be saved to %1: %2</source>
        <translation>Les événements n’ont pas pu être enregistrés dans %1 : %2</translation>
    </message>
</context>
<context>
    <name>GameLock</name>
    <message>
        <source>Rinkmaster is already running with these settings</source>
        <translation>Rinkmaster est déjà ouvert avec ces réglages</translation>
    </message>
</context>
<context>
    <name>GameSheetFile</name>
    <message>
        <source>The game sheet cannot be saved as %1: %2.</source>
        <translation>La feuille de match ne peut pas être enregistrée sous %1 : %2.</translation>
    </message>
</context>
<context>
    <name>OptionsDialogs</name>
    <message>
        <source>Sounds *.wav (*.wav)</source>
        <translation>Sons *.wav (*.wav)</translation>
    </message>
</context>
<context>
    <name>Program</name>
    <message>
        <source>The game sheet is saved as %1 and %2.</source>
        <translation>La feuille de match est enregistrée sous %1 et %2.</translation>
    </message>
    <message>
        <source>Game sheet (*.html *.csv)</source>
        <translation>Feuille de match (*.html *.csv)</translation>
    </message>
    <message>
        <source>Save the game sheet</source>
        <translation>Enregistrer la feuille de match</translation>
    </message>
    <message>
        <source>The saved game cannot be used: %1.</source>
        <translation>La partie enregistrée est inutilisable : %1.</translation>
    </message>
    <message>
        <source>Resume the game in progress? Home %1 - Visitor %2, period %3, %4 left, saved %5</source>
        <translation>Reprendre la partie en cours ? Locaux %1 - Visiteurs %2, période %3, %4 restantes, enregistrée à %5</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Reprendre</translation>
    </message>
    <message>
        <source>New game</source>
        <translation>Nouvelle partie</translation>
    </message>
    <message>
        <source>The game cannot be saved: %1. The board keeps running.</source>
        <translation>La partie ne peut pas être enregistrée : %1. Le tableau continue de fonctionner.</translation>
    </message>
</context>
<context>
    <name>PublicBoardWindow</name>
    <message>
        <source>Rinkmaster public board</source>
        <translation>Rinkmaster tableau public</translation>
    </message>
</context>
<context>
    <name>QSettingsStore</name>
    <message>
        <source>The settings file %1 could not be written.</source>
        <translation>Le fichier de réglages %1 n’a pas pu être écrit.</translation>
    </message>
    <message>
        <source>The settings could not be written to %1.</source>
        <translation>Les réglages n’ont pas pu être écrits dans %1.</translation>
    </message>
</context>
<context>
    <name>RtfReader</name>
    <message>
        <source>There is no document to show the text in.</source>
        <translation>Il n’y a aucun document où afficher le texte.</translation>
    </message>
    <message>
        <source>The file is not a rich-text document.</source>
        <translation>Le fichier n’est pas un document RTF.</translation>
    </message>
    <message>
        <source>The file is too large to be shown.</source>
        <translation>Le fichier est trop volumineux pour être affiché.</translation>
    </message>
    <message>
        <source>[The rest of this file is too long to be shown.]</source>
        <translation>[La suite de ce fichier est trop longue pour être affichée.]</translation>
    </message>
</context>
<context>
    <name>SettingsErrorReporter</name>
    <message>
        <source>The settings could not be saved. They stay in effect for this session.</source>
        <translation>Les réglages n’ont pas pu être enregistrés. Ils restent en vigueur pour cette session.</translation>
    </message>
</context>
<context>
    <name>frmChooseKey</name>
    <message>
        <source>Choose Key</source>
        <translation>Choisir une touche</translation>
    </message>
    <message>
        <source>This is not a valid key, please choose another or close this window to return.</source>
        <translation>Cette touche n’est pas valable : choisissez-en une autre ou fermez cette fenêtre pour revenir.</translation>
    </message>
    <message>
        <source>Press the key you would like to %1.</source>
        <translation>Appuyez sur la touche qui servira à %1.</translation>
    </message>
</context>
<context>
    <name>frmHelp</name>
    <message>
        <source>Rinkmaster Help</source>
        <translation>Aide de Rinkmaster</translation>
    </message>
    <message>
        <source>Help file has been moved from its normal location.  Please reinstall the program.</source>
        <translation>Le fichier d’aide a été déplacé de son emplacement habituel.  Veuillez réinstaller le programme.</translation>
    </message>
    <message>
        <source>The help file could not be opened (%1).  Please check that you may read it, or reinstall the program.</source>
        <translation>Le fichier d’aide n’a pas pu être ouvert (%1).  Vérifiez que vous avez le droit de le lire, ou réinstallez le programme.</translation>
    </message>
    <message>
        <source>The help file cannot be shown.  %1  Please reinstall the program.</source>
        <translation>Le fichier d’aide ne peut pas être affiché.  %1  Veuillez réinstaller le programme.</translation>
    </message>
</context>
<context>
    <name>frmOptions</name>
    <message>
        <source>Apply penalty rules</source>
        <translation>Appliquer les règles de pénalité</translation>
    </message>
    <message>
        <source>Public board on:</source>
        <translation>Tableau public sur :</translation>
    </message>
    <message>
        <source>this window only</source>
        <translation>cette fenêtre seulement</translation>
    </message>
    <message>
        <source>%1 (not connected)</source>
        <translation>%1 (non connecté)</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Keyboard Controls</source>
        <translation>Clavier</translation>
    </message>
    <message>
        <source>Color Controls</source>
        <translation>Couleurs</translation>
    </message>
    <message>
        <source>Text Controls</source>
        <translation>Textes</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>Start / Stop Penalty Clock</source>
        <translation>Marche / arrêt chrono de pénalité</translation>
    </message>
    <message>
        <source>Start / Stop  Clock</source>
        <translation>Marche / arrêt chrono</translation>
    </message>
    <message>
        <source>Reset Clock</source>
        <translation>Remise à zéro</translation>
    </message>
    <message>
        <source>Horn</source>
        <translation>Klaxon</translation>
    </message>
    <message>
        <source>Buzzer</source>
        <translation>Sirène</translation>
    </message>
    <message>
        <source>Game / Clock Switch</source>
        <translation>Jeu / heure</translation>
    </message>
    <message>
        <source># Clear Key</source>
        <translation># Effacer</translation>
    </message>
    <message>
        <source>start / stop the clock</source>
        <translation>démarrer / arrêter le chrono</translation>
    </message>
    <message>
        <source>reset the clock</source>
        <translation>remettre le chrono à zéro</translation>
    </message>
    <message>
        <source>clear a number</source>
        <translation>effacer un nombre</translation>
    </message>
    <message>
        <source>switch between clock and game time</source>
        <translation>basculer entre l’heure et le temps de jeu</translation>
    </message>
    <message>
        <source>start / stop an independent penalty clock</source>
        <translation>démarrer / arrêter un chrono de pénalité indépendant</translation>
    </message>
    <message>
        <source>sound the buzzer</source>
        <translation>faire retentir la sirène</translation>
    </message>
    <message>
        <source>sound the horn</source>
        <translation>faire retentir le klaxon</translation>
    </message>
    <message>
        <source>Numlock Options:</source>
        <translation>Verr. Num :</translation>
    </message>
    <message>
        <source>Normal Mode</source>
        <translation>Mode normal</translation>
    </message>
    <message>
        <source>Keep Numlock On</source>
        <translation>Toujours activé</translation>
    </message>
    <message>
        <source>Keep Numlock Off</source>
        <translation>Toujours désactivé</translation>
    </message>
    <message>
        <source>Reset Keys</source>
        <translation>Par défaut</translation>
    </message>
    <message>
        <source>Buzzer File:</source>
        <translation>Fichier de la sirène :</translation>
    </message>
    <message>
        <source>Change Buzzer Sound</source>
        <translation>Changer la sirène</translation>
    </message>
    <message>
        <source>Horn Sound:</source>
        <translation>Son du klaxon :</translation>
    </message>
    <message>
        <source>Change Horn Sound</source>
        <translation>Changer le klaxon</translation>
    </message>
    <message>
        <source>Time Color:</source>
        <translation>Chrono :</translation>
    </message>
    <message>
        <source>Score Color:</source>
        <translation>Score :</translation>
    </message>
    <message>
        <source>Border Color:</source>
        <translation>Cadre :</translation>
    </message>
    <message>
        <source>Back Color:</source>
        <translation>Fond :</translation>
    </message>
    <message>
        <source>Period Color:</source>
        <translation>Période :</translation>
    </message>
    <message>
        <source>Home Color:</source>
        <translation>Locaux :</translation>
    </message>
    <message>
        <source>LED Background:</source>
        <translation>Fond des LED :</translation>
    </message>
    <message>
        <source>LED Selected</source>
        <translation>LED choisie</translation>
    </message>
    <message>
        <source>Visitor Color:</source>
        <translation>Visiteurs :</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Changer</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Larg. :</translation>
    </message>
    <message>
        <source>Digit Type:</source>
        <translation>Type de chiffres :</translation>
    </message>
    <message>
        <source>Lines</source>
        <translation>Segments</translation>
    </message>
    <message>
        <source>Dots</source>
        <translation>Points</translation>
    </message>
    <message>
        <source>Preview:</source>
        <translation>Aperçu :</translation>
    </message>
    <message>
        <source>Reset Colors</source>
        <translation>Par défaut</translation>
    </message>
    <message>
        <source>Home Name:</source>
        <translation>Nom des locaux :</translation>
    </message>
    <message>
        <source>Visitor Name:</source>
        <translation>Nom des visiteurs :</translation>
    </message>
    <message>
        <source>[No File Selected]</source>
        <translation>[Aucun fichier choisi]</translation>
    </message>
    <message>
        <source>Are you sure you want to reset the colors?</source>
        <translation>Voulez-vous vraiment rétablir les couleurs par défaut ?</translation>
    </message>
    <message>
        <source>Are you sure you want to reset the keys?</source>
        <translation>Voulez-vous vraiment rétablir les touches par défaut ?</translation>
    </message>
</context>
<context>
    <name>frmScoreBoard</name>
    <message>
        <source>Period</source>
        <translation>Période</translation>
    </message>
    <message>
        <source>Penalty</source>
        <translation>Pénalité</translation>
    </message>
    <message>
        <source>Rinkmaster by Kestrelsoft</source>
        <translation>Rinkmaster par Kestrelsoft</translation>
    </message>
    <message>
        <source>GOAL</source>
        <translation>BUT</translation>
    </message>
</context>
<context>
    <name>frmSplash</name>
    <message>
        <source>by Kestrelsoft</source>
        <translation>par Kestrelsoft</translation>
    </message>
    <message>
        <source>Click to continue.</source>
        <translation>Cliquez pour jouer.</translation>
    </message>
    <message>
        <source>Press &apos; F1 &apos; to view Help from the scoreboard.</source>
        <translation>Sur le tableau, &apos; F1 &apos; ouvre l’aide.</translation>
    </message>
    <message>
        <source>Press &apos; F2 &apos; to set Options from the scoreboard.</source>
        <translation>Sur le tableau, &apos; F2 &apos; ouvre les options.</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>Version %1.%2.%3</source>
        <translation>Version %1.%2.%3</translation>
    </message>
</context>
</TS>
