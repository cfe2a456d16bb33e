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
    <message>
        <source>Connection lost</source>
        <translation>Connexion perdue</translation>
    </message>
</context>
<context>
    <name>BoardWindow</name>
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
    <name>ConsoleStatus</name>
    <message>
        <source>Home penalty 1</source>
        <translation>Pénalité locaux 1</translation>
    </message>
    <message>
        <source>Home penalty 2</source>
        <translation>Pénalité locaux 2</translation>
    </message>
    <message>
        <source>Visitor penalty 1</source>
        <translation>Pénalité visiteurs 1</translation>
    </message>
    <message>
        <source>Visitor penalty 2</source>
        <translation>Pénalité visiteurs 2</translation>
    </message>
    <message>
        <source>No field selected: click a field or press Tab</source>
        <translation>Aucun champ choisi : cliquez sur un champ ou appuyez sur Tab</translation>
    </message>
    <message>
        <source>Game clock: minutes, a point and seconds, then Enter (12.5 is 12:05); %1 starts and stops</source>
        <translation>Temps de jeu : minutes, un point et secondes, puis Entrée (12.5 donne 12:05) ; %1 démarre et arrête</translation>
    </message>
    <message>
        <source>Home score: digits then Enter set it, +1 or -1 change it at once, %1 darkens it</source>
        <translation>Score des locaux : des chiffres puis Entrée le fixent, +1 ou -1 le changent aussitôt, %1 l’éteint</translation>
    </message>
    <message>
        <source>Visitor score: digits then Enter set it, +1 or -1 change it at once, %1 darkens it</source>
        <translation>Score des visiteurs : des chiffres puis Entrée le fixent, +1 ou -1 le changent aussitôt, %1 l’éteint</translation>
    </message>
    <message>
        <source>Period: a digit sets it, +1 or -1 change it</source>
        <translation>Période : un chiffre la fixe, +1 ou -1 la changent</translation>
    </message>
    <message>
        <source>Goal light: Left lights Home, Right lights Visitor, Down puts it out</source>
        <translation>Lampe de but : Gauche allume les locaux, Droite les visiteurs, Bas l’éteint</translation>
    </message>
    <message>
        <source>%1: minutes, a point and seconds, then Enter (2 is 2:00), or Insert to add it as a new penalty (a third one waits); %2 runs it alone, %3 clears it</source>
        <translation>%1 : minutes, un point et secondes, puis Entrée (2 donne 2:00), ou Inser pour l’ajouter comme nouvelle pénalité (une troisième attend) ; %2 la lance seule, %3 l’efface</translation>
    </message>
    <message>
        <source>%1: minutes, a point and seconds, then Enter (2 is 2:00); %2 runs it alone, %3 clears it</source>
        <translation>%1 : minutes, un point et secondes, puis Entrée (2 donne 2:00) ; %2 la lance seule, %3 l’efface</translation>
    </message>
    <message>
        <source>Clock running (showing the time of day)</source>
        <translation>Chrono en marche (affiche l’heure)</translation>
    </message>
    <message>
        <source>Clock stopped (showing the time of day)</source>
        <translation>Chrono arrêté (affiche l’heure)</translation>
    </message>
    <message>
        <source>Clock running</source>
        <translation>Chrono en marche</translation>
    </message>
    <message>
        <source>Clock stopped</source>
        <translation>Chrono arrêté</translation>
    </message>
    <message>
        <source>Home %1</source>
        <translation>Locaux %1</translation>
    </message>
    <message>
        <source>Visitor %1</source>
        <translation>Visiteurs %1</translation>
    </message>
    <message>
        <source>Waiting: %1</source>
        <translation>En attente : %1</translation>
    </message>
    <message>
        <source>Horn playing</source>
        <translation>Klaxon en cours</translation>
    </message>
    <message>
        <source>Buzzer playing</source>
        <translation>Sirène en cours</translation>
    </message>
    <message>
        <source>Feed on %1</source>
        <translation>Flux sur %1</translation>
    </message>
</context>
<context>
    <name>ConsoleStatusLine</name>
    <message>
        <source>key %1</source>
        <translation>touche %1</translation>
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
    <message>
        <source>Intermission</source>
        <translation>Entracte</translation>
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
    <name>GameEvents</name>
    <message>
        <source>%1 penalty %2</source>
        <translation>%1 pénalité %2</translation>
    </message>
    <message>
        <source>Goal %1 (%2-%3)</source>
        <translation>But %1 (%2-%3)</translation>
    </message>
    <message>
        <source>%1 score %2 to %3</source>
        <translation>%1 score de %2 à %3</translation>
    </message>
    <message>
        <source>Period %1 to %2</source>
        <translation>Période de %1 à %2</translation>
    </message>
    <message>
        <source>%1 set to %2</source>
        <translation>%1 mis à %2</translation>
    </message>
    <message>
        <source>%1 cleared</source>
        <translation>%1 effacé</translation>
    </message>
    <message>
        <source>%1 ran out</source>
        <translation>%1 écoulé</translation>
    </message>
    <message>
        <source>Clock started</source>
        <translation>Chrono démarré</translation>
    </message>
    <message>
        <source>Clock stopped</source>
        <translation>Chrono arrêté</translation>
    </message>
    <message>
        <source>Clock set to %1</source>
        <translation>Chrono mis à %1</translation>
    </message>
    <message>
        <source>Clock reset to %1</source>
        <translation>Chrono remis à %1</translation>
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
        <source>%1 penalty %2 waits</source>
        <translation>%1 pénalité %2 en attente</translation>
    </message>
    <message>
        <source>%1: waiting penalty %2 starts</source>
        <translation>%1 : la pénalité en attente %2 commence</translation>
    </message>
    <message>
        <source>%1 released by the goal (%2 left)</source>
        <translation>%1 levée par le but (%2 restantes)</translation>
    </message>
    <message>
        <source>%1 release undone, %2 again</source>
        <translation>%1 levée annulée, de nouveau %2</translation>
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
    <message>
        <source>%1, player %2</source>
        <translation>%1, joueur %2</translation>
    </message>
</context>
<context>
    <name>GameFiles</name>
    <message>
        <source>The saved game %1 is a link and is not read.</source>
        <translation>La partie enregistrée %1 est un lien et n’est pas lue.</translation>
    </message>
    <message>
        <source>The saved game %1 is not a plain file and is not read.</source>
        <translation>La partie enregistrée %1 n’est pas un fichier ordinaire et n’est pas lue.</translation>
    </message>
</context>
<context>
    <name>GameLock</name>
    <message>
        <source>Rinkmaster is already running with these settings</source>
        <translation>Rinkmaster est déjà ouvert avec ces réglages</translation>
    </message>
    <message>
        <source>Rinkmaster cannot make sure it is the only program using these settings: the lock file %1 cannot be made. Do not start a second Rinkmaster with them.</source>
        <translation>Rinkmaster ne peut pas s’assurer d’être le seul programme à utiliser ces réglages : le fichier de verrou %1 ne peut pas être créé. Ne démarrez pas un second Rinkmaster avec eux.</translation>
    </message>
</context>
<context>
    <name>GameReportPdf</name>
    <message>
        <source>Minor</source>
        <translation>Mineure</translation>
    </message>
    <message>
        <source>Bench minor</source>
        <translation>Mineure de banc</translation>
    </message>
    <message>
        <source>Double minor</source>
        <translation>Double mineure</translation>
    </message>
    <message>
        <source>Major</source>
        <translation>Majeure</translation>
    </message>
    <message>
        <source>Major and minor</source>
        <translation>Majeure et mineure</translation>
    </message>
    <message>
        <source>Misconduct</source>
        <translation>Méconduite</translation>
    </message>
    <message>
        <source>Game misconduct</source>
        <translation>Méconduite de partie</translation>
    </message>
    <message>
        <source>Match penalty</source>
        <translation>Pénalité de match</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Locaux</translation>
    </message>
    <message>
        <source>Visitor</source>
        <translation>Visiteurs</translation>
    </message>
    <message>
        <source>%1 v %2</source>
        <translation>%1 c. %2</translation>
    </message>
    <message>
        <source>Game %1</source>
        <translation>Match %1</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Page %1 sur %2</translation>
    </message>
    <message>
        <source>Page %1</source>
        <translation>Page %1</translation>
    </message>
    <message>
        <source>Official game report</source>
        <translation>Feuille de match officielle</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Game number</source>
        <translation>Numéro du match</translation>
    </message>
    <message>
        <source>Venue</source>
        <translation>Lieu</translation>
    </message>
    <message>
        <source>Competition</source>
        <translation>Compétition</translation>
    </message>
    <message>
        <source>Final score</source>
        <translation>Score final</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>État</translation>
    </message>
    <message>
        <source>Game ended</source>
        <translation>Match terminé</translation>
    </message>
    <message>
        <source>Game not ended</source>
        <translation>Match non terminé</translation>
    </message>
    <message>
        <source>Times are elapsed time in the period.</source>
        <translation>Les temps sont le temps écoulé dans la période.</translation>
    </message>
    <message>
        <source>Times are the time left in the period.</source>
        <translation>Les temps sont le temps restant dans la période.</translation>
    </message>
    <message>
        <source>Goals</source>
        <translation>Buts</translation>
    </message>
    <message>
        <source>Per.</source>
        <translation>Pér.</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Temps</translation>
    </message>
    <message>
        <source>Team</source>
        <translation>Équipe</translation>
    </message>
    <message>
        <source>Scorer</source>
        <translation>Buteur</translation>
    </message>
    <message>
        <source>Assist</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>Str.</source>
        <translation>Eff.</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Score</translation>
    </message>
    <message>
        <source>No goals.</source>
        <translation>Aucun but.</translation>
    </message>
    <message>
        <source>Penalties</source>
        <translation>Pénalités</translation>
    </message>
    <message>
        <source>No.</source>
        <translation>N°</translation>
    </message>
    <message>
        <source>Served by</source>
        <translation>Purgée par</translation>
    </message>
    <message>
        <source>Infraction</source>
        <translation>Infraction</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Min.</source>
        <translation>Min.</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Début</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Fin</translation>
    </message>
    <message>
        <source>No penalties.</source>
        <translation>Aucune pénalité.</translation>
    </message>
    <message>
        <source>Penalty minutes: %1 %2, %3 %4</source>
        <translation>Minutes de pénalité : %1 %2, %3 %4</translation>
    </message>
    <message>
        <source>Goalkeepers</source>
        <translation>Gardiens</translation>
    </message>
    <message>
        <source>In</source>
        <translation>Entrée</translation>
    </message>
    <message>
        <source>Out</source>
        <translation>Sortie</translation>
    </message>
    <message>
        <source>Time played</source>
        <translation>Temps joué</translation>
    </message>
    <message>
        <source>No goalkeepers recorded.</source>
        <translation>Aucun gardien inscrit.</translation>
    </message>
    <message>
        <source>Shots on goal</source>
        <translation>Tirs au but</translation>
    </message>
    <message>
        <source>Period %1</source>
        <translation>Période %1</translation>
    </message>
    <message>
        <source>OT %1</source>
        <translation>Prol. %1</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>Timeouts</source>
        <translation>Temps morts</translation>
    </message>
    <message>
        <source>No timeouts.</source>
        <translation>Aucun temps mort.</translation>
    </message>
    <message>
        <source>Officials</source>
        <translation>Officiels</translation>
    </message>
    <message>
        <source>Referees</source>
        <translation>Arbitres</translation>
    </message>
    <message>
        <source>Linesmen</source>
        <translation>Juges de ligne</translation>
    </message>
    <message>
        <source>Scorekeeper</source>
        <translation>Marqueur</translation>
    </message>
    <message>
        <source>Referee</source>
        <translation>Arbitre</translation>
    </message>
    <message>
        <source>%1 team official</source>
        <translation>Officiel de l’équipe %1</translation>
    </message>
    <message>
        <source>Game report %1 v %2</source>
        <translation>Feuille de match %1 c. %2</translation>
    </message>
    <message>
        <source>The PDF writer could not start.</source>
        <translation>Le créateur de PDF n’a pas pu démarrer.</translation>
    </message>
    <message>
        <source>%1 already exists.</source>
        <translation>%1 existe déjà.</translation>
    </message>
</context>
<context>
    <name>GameSheetFile</name>
    <message>
        <source>The game sheet cannot be saved as %1: %2.</source>
        <translation>La feuille de match ne peut pas être enregistrée sous %1 : %2.</translation>
    </message>
    <message>
        <source>it is a link, and the game sheet is never written through a link</source>
        <translation>c’est un lien, et la feuille de match n’est jamais écrite à travers un lien</translation>
    </message>
    <message>
        <source>something other than a plain file has that name</source>
        <translation>autre chose qu’un fichier ordinaire porte ce nom</translation>
    </message>
    <message>
        <source>%1 already exists. Replace it?</source>
        <translation>%1 existe déjà. Le remplacer ?</translation>
    </message>
    <message>
        <source>%1 and %2 already exist. Replace them?</source>
        <translation>%1 et %2 existent déjà. Les remplacer ?</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
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
    <name>JournalWriter</name>
    <message>
        <source>%1 is a link, and the game is never written through a link</source>
        <translation>%1 est un lien, et la partie n’est jamais écrite à travers un lien</translation>
    </message>
    <message>
        <source>%1 is not a plain file</source>
        <translation>%1 n’est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>other users can change the folder %1; use a folder only you can write to</source>
        <translation>d’autres utilisateurs peuvent modifier le dossier %1 ; utilisez un dossier où vous seul pouvez écrire</translation>
    </message>
    <message>
        <source>the folder %1 cannot be made</source>
        <translation>le dossier %1 ne peut pas être créé</translation>
    </message>
</context>
<context>
    <name>KeyCaptureDialog</name>
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
    <name>MqttPublisher</name>
    <message>
        <source>The board cannot be published to the MQTT broker: its client could not be made.</source>
        <translation>Le tableau ne peut pas être publié sur le broker MQTT : son client n’a pas pu être créé.</translation>
    </message>
    <message>
        <source>The board is not published to the MQTT broker: the CA file %1 cannot be read.</source>
        <translation>Le tableau n’est pas publié sur le broker MQTT : le fichier d’autorité de certification %1 ne peut pas être lu.</translation>
    </message>
    <message>
        <source>The board is not published to the MQTT broker: TLS cannot be set up (%1).</source>
        <translation>Le tableau n’est pas publié sur le broker MQTT : TLS ne peut pas être mis en place (%1).</translation>
    </message>
    <message>
        <source>The MQTT broker at %1 refused the board: %2. It tries again.</source>
        <translation>Le broker MQTT %1 a refusé le tableau : %2. Il réessaie.</translation>
    </message>
    <message>
        <source>The board cannot reach the MQTT broker at %1: %2. It keeps trying.</source>
        <translation>Le tableau ne peut pas joindre le broker MQTT %1 : %2. Il continue d’essayer.</translation>
    </message>
    <message>
        <source>This build of Rinkmaster cannot publish to an MQTT broker, so %1 is not used.</source>
        <translation>Cette version de Rinkmaster ne peut pas publier sur un broker MQTT, %1 n’est donc pas utilisé.</translation>
    </message>
</context>
<context>
    <name>OfficialRecord</name>
    <message>
        <source>The current record&apos;s name cannot be read.</source>
        <translation>Le nom du registre du match en cours ne peut pas être lu.</translation>
    </message>
</context>
<context>
    <name>OptionsDialog</name>
    <message>
        <source>Apply penalty rules</source>
        <translation>Règles de pénalité</translation>
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
    <message>
        <source>Show player numbers in the penalty boxes</source>
        <translation>Afficher les numéros des joueurs dans les cases de pénalité</translation>
    </message>
    <message>
        <source>Intermission:</source>
        <translation>Entracte :</translation>
    </message>
    <message>
        <source>The intermission&apos;s length, minutes:seconds (0:01 to 99:59)</source>
        <translation>La durée de l’entracte, minutes:secondes (0:01 à 99:59)</translation>
    </message>
    <message>
        <source>Minor:</source>
        <translation>Mineure:</translation>
    </message>
    <message>
        <source>The minor penalty&apos;s length, minutes:seconds (0:30 to 4:59; 1:30 in youth hockey)</source>
        <translation>La durée de la pénalité mineure, minutes:secondes (0:30 à 4:59 ; 1:30 chez les jeunes)</translation>
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
    <name>Overlay</name>
    <message>
        <source>%1st</source>
        <comment>period 1 (and 21, 31...) on the scorebug; the number is %1</comment>
        <translation>%1re</translation>
    </message>
    <message>
        <source>%1nd</source>
        <comment>period 2 (and 22, 32...) on the scorebug; the number is %1</comment>
        <translation>%1e</translation>
    </message>
    <message>
        <source>%1rd</source>
        <comment>period 3 (and 23, 33...) on the scorebug; the number is %1</comment>
        <translation>%1e</translation>
    </message>
    <message>
        <source>%1th</source>
        <comment>periods 4 to 9 on the scorebug; the number is %1</comment>
        <translation>%1e</translation>
    </message>
    <message>
        <source>en</source>
        <comment>the language code of this translation (fr, de)</comment>
        <translation>fr</translation>
    </message>
    <message>
        <source>GOAL</source>
        <comment>beside the scoring team&apos;s name on the scorebug</comment>
        <translation>BUT</translation>
    </message>
    <message>
        <source>PENALTY</source>
        <comment>beside a team&apos;s penalty times on the scorebug</comment>
        <translation>PÉNALITÉ</translation>
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
    <name>PublicScreen</name>
    <message>
        <source>Public board: this window only</source>
        <translation>Tableau public : cette fenêtre seulement</translation>
    </message>
    <message>
        <source>Public board not shown: screen %1 is not connected</source>
        <translation>Tableau public non affiché : l’écran %1 n’est pas branché</translation>
    </message>
    <message>
        <source>Public board not shown: screen %1 reports no size</source>
        <translation>Tableau public non affiché : l’écran %1 n’indique aucune taille</translation>
    </message>
    <message>
        <source>Public board not shown: screen %1 is the screen this window is on</source>
        <translation>Tableau public non affiché : l’écran %1 est celui de cette fenêtre</translation>
    </message>
    <message>
        <source>Public board on %1 (%2 screens are named %3; the first is used)</source>
        <translation>Tableau public sur %1 (%2 écrans s’appellent %3 ; le premier est utilisé)</translation>
    </message>
    <message>
        <source>Public board on %1</source>
        <translation>Tableau public sur %1</translation>
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
    <name>RecordFile</name>
    <message>
        <source>the folder %1 cannot be made</source>
        <translation>le dossier %1 ne peut pas être créé</translation>
    </message>
    <message>
        <source>it is a link</source>
        <translation>c’est un lien</translation>
    </message>
    <message>
        <source>it is not a plain file</source>
        <translation>ce n’est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>nothing was written</source>
        <translation>rien n’a été écrit</translation>
    </message>
    <message>
        <source>The game&apos;s record cannot be written to %1: %2. It is tried again every second.</source>
        <translation>Le registre du match ne peut pas être écrit dans %1 : %2. Un nouvel essai a lieu chaque seconde.</translation>
    </message>
</context>
<context>
    <name>RecordPanel</name>
    <message>
        <source>Minor</source>
        <translation>Mineure</translation>
    </message>
    <message>
        <source>Bench minor</source>
        <translation>Mineure de banc</translation>
    </message>
    <message>
        <source>Double minor</source>
        <translation>Double mineure</translation>
    </message>
    <message>
        <source>Major</source>
        <translation>Majeure</translation>
    </message>
    <message>
        <source>Major and minor</source>
        <translation>Majeure et mineure</translation>
    </message>
    <message>
        <source>Misconduct</source>
        <translation>Méconduite</translation>
    </message>
    <message>
        <source>Game misconduct</source>
        <translation>Méconduite de partie</translation>
    </message>
    <message>
        <source>Match</source>
        <translation>Pénalité de match</translation>
    </message>
    <message>
        <source>Game header</source>
        <translation>En-tête du match</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Venue</source>
        <translation>Lieu</translation>
    </message>
    <message>
        <source>Game number</source>
        <translation>Numéro du match</translation>
    </message>
    <message>
        <source>Competition</source>
        <translation>Compétition</translation>
    </message>
    <message>
        <source>Referees</source>
        <translation>Arbitres</translation>
    </message>
    <message>
        <source>Linesmen</source>
        <translation>Juges de ligne</translation>
    </message>
    <message>
        <source>Scorekeeper</source>
        <translation>Marqueur</translation>
    </message>
    <message>
        <source>Names: separated by commas.</source>
        <translation>Noms : séparés par des virgules.</translation>
    </message>
    <message>
        <source>Folder for the game report</source>
        <translation>Dossier de la feuille de match</translation>
    </message>
    <message>
        <source>Elapsed time in the period</source>
        <translation>Temps écoulé dans la période</translation>
    </message>
    <message>
        <source>Time remaining in the period</source>
        <translation>Temps restant dans la période</translation>
    </message>
    <message>
        <source>Game report</source>
        <translation>Feuille de match</translation>
    </message>
    <message>
        <source>Times on the report:</source>
        <translation>Temps sur la feuille :</translation>
    </message>
    <message>
        <source>Scorer</source>
        <translation>Buteur</translation>
    </message>
    <message>
        <source>Assist</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>Empty net</source>
        <translation>Filet désert</translation>
    </message>
    <message>
        <source>Penalty shot</source>
        <translation>Tir de pénalité</translation>
    </message>
    <message>
        <source>The next goal is a penalty-shot goal: it ends no penalty.</source>
        <translation>Le prochain but est marqué sur tir de pénalité : il ne lève aucune pénalité.</translation>
    </message>
    <message>
        <source>Player</source>
        <translation>Joueur</translation>
    </message>
    <message>
        <source>Served</source>
        <translation>Purgée par</translation>
    </message>
    <message>
        <source>Served by (a bench minor, a goalkeeper&apos;s penalty)</source>
        <translation>Purgée par (mineure de banc, pénalité d’un gardien)</translation>
    </message>
    <message>
        <source>Tripping</source>
        <translation>Trébucher</translation>
    </message>
    <message>
        <source>Hooking</source>
        <translation>Accrocher</translation>
    </message>
    <message>
        <source>Slashing</source>
        <translation>Cinglage</translation>
    </message>
    <message>
        <source>Holding</source>
        <translation>Retenir</translation>
    </message>
    <message>
        <source>Interference</source>
        <translation>Obstruction</translation>
    </message>
    <message>
        <source>Roughing</source>
        <translation>Rudesse</translation>
    </message>
    <message>
        <source>High-sticking</source>
        <translation>Bâton élevé</translation>
    </message>
    <message>
        <source>Cross-checking</source>
        <translation>Double-échec</translation>
    </message>
    <message>
        <source>Boarding</source>
        <translation>Mise en échec contre la bande</translation>
    </message>
    <message>
        <source>Charging</source>
        <translation>Charge</translation>
    </message>
    <message>
        <source>Elbowing</source>
        <translation>Coup de coude</translation>
    </message>
    <message>
        <source>Too many men</source>
        <translation>Surnombre</translation>
    </message>
    <message>
        <source>Delay of game</source>
        <translation>Retarder le jeu</translation>
    </message>
    <message>
        <source>Unsportsmanlike conduct</source>
        <translation>Conduite antisportive</translation>
    </message>
    <message>
        <source>Fighting</source>
        <translation>Bagarre</translation>
    </message>
    <message>
        <source>Checking from behind</source>
        <translation>Mise en échec par derrière</translation>
    </message>
    <message>
        <source>Abuse of officials</source>
        <translation>Abus envers les officiels</translation>
    </message>
    <message>
        <source>Holding the stick</source>
        <translation>Retenir le bâton</translation>
    </message>
    <message>
        <source>Kneeing</source>
        <translation>Coup de genou</translation>
    </message>
    <message>
        <source>Checking to the head</source>
        <translation>Mise en échec à la tête</translation>
    </message>
    <message>
        <source>Spearing</source>
        <translation>Darder</translation>
    </message>
    <message>
        <source>Butt-ending</source>
        <translation>Six-pouces</translation>
    </message>
    <message>
        <source>Diving</source>
        <translation>Plonger</translation>
    </message>
    <message>
        <source>Instigator</source>
        <translation>Instigateur</translation>
    </message>
    <message>
        <source>Penalties with equal time left: the one the goal ends.</source>
        <translation>Pénalités au même temps restant : celle que le but lève.</translation>
    </message>
    <message>
        <source>In</source>
        <translation>Entrée</translation>
    </message>
    <message>
        <source>Goalkeeper in (empty: the net is left empty)</source>
        <translation>Gardien entrant (vide : le filet reste désert)</translation>
    </message>
    <message>
        <source>Out</source>
        <translation>Sortie</translation>
    </message>
    <message>
        <source>Goalkeeper out</source>
        <translation>Gardien sortant</translation>
    </message>
    <message>
        <source>Goal</source>
        <translation>But</translation>
    </message>
    <message>
        <source>Penalty</source>
        <translation>Pénalité</translation>
    </message>
    <message>
        <source>Timeout</source>
        <translation>Temps mort</translation>
    </message>
    <message>
        <source>Goalkeeper</source>
        <translation>Gardien</translation>
    </message>
    <message>
        <source>Void</source>
        <translation>Invalider</translation>
    </message>
    <message>
        <source>Voids the selected entry (a correction is added to the record).</source>
        <translation>Invalide l’inscription choisie (une correction est ajoutée au registre).</translation>
    </message>
    <message>
        <source>Coincident</source>
        <translation>Coïncidente</translation>
    </message>
    <message>
        <source>Marks the selected penalty coincident, or takes the mark off.</source>
        <translation>Marque la pénalité choisie comme coïncidente, ou retire la marque.</translation>
    </message>
    <message>
        <source>Header...</source>
        <translation>En-tête...</translation>
    </message>
    <message>
        <source>Game report...</source>
        <translation>Feuille de match...</translation>
    </message>
    <message>
        <source>End game</source>
        <translation>Fin du match</translation>
    </message>
    <message>
        <source>Team</source>
        <translation>Équipe</translation>
    </message>
    <message>
        <source>Shot %1</source>
        <translation>Tir %1</translation>
    </message>
    <message>
        <source>A report of this game is already in that folder. Replace it?</source>
        <translation>Une feuille de ce match se trouve déjà dans ce dossier. La remplacer ?</translation>
    </message>
    <message>
        <source>The game report was written: %1 and %2.</source>
        <translation>La feuille de match a été écrite : %1 et %2.</translation>
    </message>
    <message>
        <source>The game report could not be written: %1</source>
        <translation>La feuille de match n’a pas pu être écrite : %1</translation>
    </message>
    <message>
        <source>End this game? The record is closed and a new game starts on the board.</source>
        <translation>Terminer ce match ? Le registre est clos et une nouvelle partie commence au tableau.</translation>
    </message>
    <message>
        <source>Header: %1, game %2</source>
        <translation>En-tête : %1, match %2</translation>
    </message>
    <message>
        <source>%1 Goal %2 %3 %4%5</source>
        <translation>%1 But %2 %3 %4%5</translation>
    </message>
    <message>
        <source>(scorer?)</source>
        <translation>(buteur ?)</translation>
    </message>
    <message>
        <source> empty net</source>
        <translation> filet désert</translation>
    </message>
    <message>
        <source> penalty shot</source>
        <translation> tir de pénalité</translation>
    </message>
    <message>
        <source>%1 Penalty %2 %3 %4 %5</source>
        <translation>%1 Pénalité %2 %3 %4 %5</translation>
    </message>
    <message>
        <source>, served by %1</source>
        <translation>, purgée par %1</translation>
    </message>
    <message>
        <source>, coincident</source>
        <translation>, coïncidente</translation>
    </message>
    <message>
        <source>P%1 Shot %2</source>
        <translation>P%1 Tir %2</translation>
    </message>
    <message>
        <source>%1 Timeout %2</source>
        <translation>%1 Temps mort %2</translation>
    </message>
    <message>
        <source>%1 Goalkeeper %2 in %3, out %4</source>
        <translation>%1 Gardien %2 entrant %3, sortant %4</translation>
    </message>
    <message>
        <source>none</source>
        <translation>aucun</translation>
    </message>
    <message>
        <source>%1 End of the game</source>
        <translation>%1 Fin du match</translation>
    </message>
    <message>
        <source> waiting</source>
        <translation> en attente</translation>
    </message>
    <message>
        <source> until P%1 %2</source>
        <translation> jusqu’à P%1 %2</translation>
    </message>
    <message>
        <source> (coincident)</source>
        <translation> (coïncidente)</translation>
    </message>
    <message>
        <source>Ends %1 #%2 %3</source>
        <translation>Lève %1 #%2 %3</translation>
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
    <name>Scorekeeper</name>
    <message>
        <source>The intermission is already running.</source>
        <translation>L’entracte est déjà en cours.</translation>
    </message>
    <message>
        <source>An intermission starts once the period&apos;s time is up.</source>
        <translation>Un entracte commence une fois le temps de la période écoulé.</translation>
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
    <name>SplashWindow</name>
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
