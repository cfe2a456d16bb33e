<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>BoardFeed</name>
    <message>
        <source>The live feed could not start: &quot;%1&quot; is not an IP address.</source>
        <translation>Der Live-Feed konnte nicht starten: „%1“ ist keine IP-Adresse.</translation>
    </message>
    <message>
        <source>The live feed listens on every network connection of this computer: anyone who can reach it on port %1 can read the board.</source>
        <translation>Der Live-Feed lauscht an allen Netzwerkverbindungen dieses Computers: Wer ihn über Port %1 erreicht, kann die Anzeigetafel lesen.</translation>
    </message>
    <message>
        <source>Connection lost</source>
        <translation>Verbindung verloren</translation>
    </message>
</context>
<context>
    <name>BoardWindow</name>
    <message>
        <source>Period</source>
        <translation>Drittel</translation>
    </message>
    <message>
        <source>Penalty</source>
        <translation>Strafe</translation>
    </message>
    <message>
        <source>Rinkmaster by Kestrelsoft</source>
        <translation>Rinkmaster von Kestrelsoft</translation>
    </message>
    <message>
        <source>GOAL</source>
        <translation>TOR</translation>
    </message>
</context>
<context>
    <name>ConsoleStatus</name>
    <message>
        <source>Home penalty 1</source>
        <translation>Strafe Heim 1</translation>
    </message>
    <message>
        <source>Home penalty 2</source>
        <translation>Strafe Heim 2</translation>
    </message>
    <message>
        <source>Visitor penalty 1</source>
        <translation>Strafe Gast 1</translation>
    </message>
    <message>
        <source>Visitor penalty 2</source>
        <translation>Strafe Gast 2</translation>
    </message>
    <message>
        <source>No field selected: click a field or press Tab</source>
        <translation>Kein Feld gewählt: ein Feld anklicken oder Tab drücken</translation>
    </message>
    <message>
        <source>Game clock: minutes, a point and seconds, then Enter (12.5 is 12:05); %1 starts and stops</source>
        <translation>Spielzeit: Minuten, ein Punkt und Sekunden, dann Enter (12.5 ist 12:05); %1 startet und stoppt</translation>
    </message>
    <message>
        <source>Home score: digits then Enter set it, +1 or -1 change it at once, %1 darkens it</source>
        <translation>Heimtore: Ziffern und Enter setzen sie, +1 oder -1 ändern sie sofort, %1 schaltet sie dunkel</translation>
    </message>
    <message>
        <source>Visitor score: digits then Enter set it, +1 or -1 change it at once, %1 darkens it</source>
        <translation>Gasttore: Ziffern und Enter setzen sie, +1 oder -1 ändern sie sofort, %1 schaltet sie dunkel</translation>
    </message>
    <message>
        <source>Period: a digit sets it, +1 or -1 change it</source>
        <translation>Drittel: eine Ziffer setzt es, +1 oder -1 ändern es</translation>
    </message>
    <message>
        <source>Goal light: Left lights Home, Right lights Visitor, Down puts it out</source>
        <translation>Torlicht: Links schaltet Heim ein, Rechts Gast, Unten schaltet es aus</translation>
    </message>
    <message>
        <source>%1: minutes, a point and seconds, then Enter (2 is 2:00), or Insert to add it as a new penalty (a third one waits); %2 runs it alone, %3 clears it</source>
        <translation>%1: Minuten, ein Punkt und Sekunden, dann Enter (2 ist 2:00), oder Einfg, um sie als neue Strafe hinzuzufügen (eine dritte wartet); %2 lässt sie allein laufen, %3 löscht sie</translation>
    </message>
    <message>
        <source>%1: minutes, a point and seconds, then Enter (2 is 2:00); %2 runs it alone, %3 clears it</source>
        <translation>%1: Minuten, ein Punkt und Sekunden, dann Enter (2 ist 2:00); %2 lässt sie allein laufen, %3 löscht sie</translation>
    </message>
    <message>
        <source>Clock running (showing the time of day)</source>
        <translation>Uhr läuft (zeigt die Uhrzeit)</translation>
    </message>
    <message>
        <source>Clock stopped (showing the time of day)</source>
        <translation>Uhr gestoppt (zeigt die Uhrzeit)</translation>
    </message>
    <message>
        <source>Clock running</source>
        <translation>Uhr läuft</translation>
    </message>
    <message>
        <source>Clock stopped</source>
        <translation>Uhr gestoppt</translation>
    </message>
    <message>
        <source>Home %1</source>
        <translation>Heim %1</translation>
    </message>
    <message>
        <source>Visitor %1</source>
        <translation>Gast %1</translation>
    </message>
    <message>
        <source>Waiting: %1</source>
        <translation>Wartend: %1</translation>
    </message>
    <message>
        <source>Horn playing</source>
        <translation>Hupe ertönt</translation>
    </message>
    <message>
        <source>Buzzer playing</source>
        <translation>Sirene ertönt</translation>
    </message>
    <message>
        <source>Feed on %1</source>
        <translation>Feed auf %1</translation>
    </message>
</context>
<context>
    <name>ConsoleStatusLine</name>
    <message>
        <source>key %1</source>
        <translation>Taste %1</translation>
    </message>
</context>
<context>
    <name>ConsoleWindow</name>
    <message>
        <source>Game sheet...</source>
        <translation>Spielbericht...</translation>
    </message>
    <message>
        <source>Save events as CSV...</source>
        <translation>Ereignisse als CSV speichern...</translation>
    </message>
    <message>
        <source>Intermission</source>
        <translation>Drittelpause</translation>
    </message>
</context>
<context>
    <name>FeedDirectory</name>
    <message>
        <source>The feed&apos;s text files are not written: the folder %1 cannot be created.</source>
        <translation>Die Textdateien des Feeds werden nicht geschrieben: Der Ordner %1 kann nicht angelegt werden.</translation>
    </message>
    <message>
        <source>The feed&apos;s text files are not written: other users can change the folder %1. Use a folder of your own that only you can write to.</source>
        <translation>Die Textdateien des Feeds werden nicht geschrieben: Andere Benutzer können den Ordner %1 ändern. Verwenden Sie einen eigenen Ordner, in den nur Sie schreiben können.</translation>
    </message>
    <message>
        <source>it is a link, and the feed writes no file through a link</source>
        <translation>es ist ein Link, und der Feed schreibt keine Datei über einen Link</translation>
    </message>
    <message>
        <source>something other than a plain file has that name</source>
        <translation>etwas anderes als eine gewöhnliche Datei trägt diesen Namen</translation>
    </message>
    <message>
        <source>The feed cannot write %1: %2.</source>
        <translation>Der Feed kann %1 nicht schreiben: %2.</translation>
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
        <translation>Der Live-Feed konnte nicht starten: Port %1 ist belegt.</translation>
    </message>
    <message>
        <source>The live feed could not start: %1 is not an address of this computer.</source>
        <translation>Der Live-Feed konnte nicht starten: %1 ist keine Adresse dieses Computers.</translation>
    </message>
    <message>
        <source>The live feed could not start on %1 port %2: %3.</source>
        <translation>Der Live-Feed konnte auf %1, Port %2 nicht starten: %3.</translation>
    </message>
</context>
<context>
    <name>GameEvents</name>
    <message>
        <source>%1 penalty %2</source>
        <translation>%1 Strafe %2</translation>
    </message>
    <message>
        <source>Goal %1 (%2-%3)</source>
        <translation>Tor %1 (%2-%3)</translation>
    </message>
    <message>
        <source>%1 score %2 to %3</source>
        <translation>%1 Tore von %2 auf %3</translation>
    </message>
    <message>
        <source>Period %1 to %2</source>
        <translation>Drittel von %1 auf %2</translation>
    </message>
    <message>
        <source>%1 set to %2</source>
        <translation>%1 auf %2 gesetzt</translation>
    </message>
    <message>
        <source>%1 cleared</source>
        <translation>%1 gelöscht</translation>
    </message>
    <message>
        <source>%1 ran out</source>
        <translation>%1 abgelaufen</translation>
    </message>
    <message>
        <source>Clock started</source>
        <translation>Uhr gestartet</translation>
    </message>
    <message>
        <source>Clock stopped</source>
        <translation>Uhr gestoppt</translation>
    </message>
    <message>
        <source>Clock set to %1</source>
        <translation>Uhr auf %1 gesetzt</translation>
    </message>
    <message>
        <source>Clock reset to %1</source>
        <translation>Uhr auf %1 zurückgesetzt</translation>
    </message>
    <message>
        <source>Horn</source>
        <translation>Hupe</translation>
    </message>
    <message>
        <source>Buzzer</source>
        <translation>Sirene</translation>
    </message>
    <message>
        <source>%1 penalty %2 waits</source>
        <translation>%1 Strafe %2 wartet</translation>
    </message>
    <message>
        <source>%1: waiting penalty %2 starts</source>
        <translation>%1: wartende Strafe %2 beginnt</translation>
    </message>
    <message>
        <source>%1 released by the goal (%2 left)</source>
        <translation>%1 durch das Tor beendet (noch %2)</translation>
    </message>
    <message>
        <source>%1 release undone, %2 again</source>
        <translation>%1 Beendigung zurückgenommen, wieder %2</translation>
    </message>
</context>
<context>
    <name>GameEventsModel</name>
    <message>
        <source>Time</source>
        <translation>Uhrzeit</translation>
    </message>
    <message>
        <source>Period</source>
        <translation>Drittel</translation>
    </message>
    <message>
        <source>Game clock</source>
        <translation>Spielzeit</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Ereignis</translation>
    </message>
    <message>
        <source>Save events as CSV</source>
        <translation>Ereignisse als CSV speichern</translation>
    </message>
    <message>
        <source>CSV files (*.csv);;All files (*)</source>
        <translation>CSV-Dateien (*.csv);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>The events could not be saved to %1: %2</source>
        <translation>Die Ereignisse konnten nicht in %1 gespeichert werden: %2</translation>
    </message>
    <message>
        <source>%1, player %2</source>
        <translation>%1, Spieler %2</translation>
    </message>
</context>
<context>
    <name>GameFiles</name>
    <message>
        <source>The saved game %1 is a link and is not read.</source>
        <translation>Das gespeicherte Spiel %1 ist ein Link und wird nicht gelesen.</translation>
    </message>
    <message>
        <source>The saved game %1 is not a plain file and is not read.</source>
        <translation>Das gespeicherte Spiel %1 ist keine normale Datei und wird nicht gelesen.</translation>
    </message>
</context>
<context>
    <name>GameLock</name>
    <message>
        <source>Rinkmaster is already running with these settings</source>
        <translation>Rinkmaster läuft bereits mit diesen Einstellungen</translation>
    </message>
    <message>
        <source>Rinkmaster cannot make sure it is the only program using these settings: the lock file %1 cannot be made. Do not start a second Rinkmaster with them.</source>
        <translation>Rinkmaster kann nicht sicherstellen, dass es als einziges Programm diese Einstellungen verwendet: Die Sperrdatei %1 kann nicht angelegt werden. Starten Sie kein zweites Rinkmaster mit ihnen.</translation>
    </message>
</context>
<context>
    <name>GameReportPdf</name>
    <message>
        <source>Minor</source>
        <translation>Kleine Strafe</translation>
    </message>
    <message>
        <source>Bench minor</source>
        <translation>Kleine Bankstrafe</translation>
    </message>
    <message>
        <source>Double minor</source>
        <translation>Doppelte kleine Strafe</translation>
    </message>
    <message>
        <source>Major</source>
        <translation>Große Strafe</translation>
    </message>
    <message>
        <source>Major and minor</source>
        <translation>Große und kleine Strafe</translation>
    </message>
    <message>
        <source>Misconduct</source>
        <translation>Disziplinarstrafe</translation>
    </message>
    <message>
        <source>Game misconduct</source>
        <translation>Spieldauer-Disziplinarstrafe</translation>
    </message>
    <message>
        <source>Match penalty</source>
        <translation>Matchstrafe</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Heim</translation>
    </message>
    <message>
        <source>Visitor</source>
        <translation>Gast</translation>
    </message>
    <message>
        <source>%1 v %2</source>
        <translation>%1 gegen %2</translation>
    </message>
    <message>
        <source>Game %1</source>
        <translation>Spiel %1</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Seite %1 von %2</translation>
    </message>
    <message>
        <source>Page %1</source>
        <translation>Seite %1</translation>
    </message>
    <message>
        <source>Official game report</source>
        <translation>Offizieller Spielbericht</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Game number</source>
        <translation>Spielnummer</translation>
    </message>
    <message>
        <source>Venue</source>
        <translation>Spielort</translation>
    </message>
    <message>
        <source>Competition</source>
        <translation>Wettbewerb</translation>
    </message>
    <message>
        <source>Final score</source>
        <translation>Endstand</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Game ended</source>
        <translation>Spiel beendet</translation>
    </message>
    <message>
        <source>Game not ended</source>
        <translation>Spiel nicht beendet</translation>
    </message>
    <message>
        <source>Times are elapsed time in the period.</source>
        <translation>Die Zeiten sind die abgelaufene Zeit im Drittel.</translation>
    </message>
    <message>
        <source>Times are the time left in the period.</source>
        <translation>Die Zeiten sind die Restzeit im Drittel.</translation>
    </message>
    <message>
        <source>Goals</source>
        <translation>Tore</translation>
    </message>
    <message>
        <source>Per.</source>
        <translation>Dr.</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Team</source>
        <translation>Mannschaft</translation>
    </message>
    <message>
        <source>Scorer</source>
        <translation>Torschütze</translation>
    </message>
    <message>
        <source>Assist</source>
        <translation>Assist</translation>
    </message>
    <message>
        <source>Str.</source>
        <translation>Stärke</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Stand</translation>
    </message>
    <message>
        <source>No goals.</source>
        <translation>Keine Tore.</translation>
    </message>
    <message>
        <source>Penalties</source>
        <translation>Strafen</translation>
    </message>
    <message>
        <source>No.</source>
        <translation>Nr.</translation>
    </message>
    <message>
        <source>Served by</source>
        <translation>Abgesessen von</translation>
    </message>
    <message>
        <source>Infraction</source>
        <translation>Vergehen</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Art</translation>
    </message>
    <message>
        <source>Min.</source>
        <translation>Min.</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Beginn</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Ende</translation>
    </message>
    <message>
        <source>No penalties.</source>
        <translation>Keine Strafen.</translation>
    </message>
    <message>
        <source>Penalty minutes: %1 %2, %3 %4</source>
        <translation>Strafminuten: %1 %2, %3 %4</translation>
    </message>
    <message>
        <source>Goalkeepers</source>
        <translation>Torhüter</translation>
    </message>
    <message>
        <source>In</source>
        <translation>Ein</translation>
    </message>
    <message>
        <source>Out</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>Time played</source>
        <translation>Gespielte Zeit</translation>
    </message>
    <message>
        <source>No goalkeepers recorded.</source>
        <translation>Keine Torhüter eingetragen.</translation>
    </message>
    <message>
        <source>Shots on goal</source>
        <translation>Torschüsse</translation>
    </message>
    <message>
        <source>Period %1</source>
        <translation>Drittel %1</translation>
    </message>
    <message>
        <source>OT %1</source>
        <translation>Verl. %1</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Gesamt</translation>
    </message>
    <message>
        <source>Timeouts</source>
        <translation>Auszeiten</translation>
    </message>
    <message>
        <source>No timeouts.</source>
        <translation>Keine Auszeiten.</translation>
    </message>
    <message>
        <source>Officials</source>
        <translation>Offizielle</translation>
    </message>
    <message>
        <source>Referees</source>
        <translation>Schiedsrichter</translation>
    </message>
    <message>
        <source>Linesmen</source>
        <translation>Linienrichter</translation>
    </message>
    <message>
        <source>Scorekeeper</source>
        <translation>Zeitnehmer</translation>
    </message>
    <message>
        <source>Referee</source>
        <translation>Schiedsrichter</translation>
    </message>
    <message>
        <source>%1 team official</source>
        <translation>Mannschaftsoffizieller %1</translation>
    </message>
    <message>
        <source>Game report %1 v %2</source>
        <translation>Spielbericht %1 gegen %2</translation>
    </message>
    <message>
        <source>The PDF writer could not start.</source>
        <translation>Die PDF-Ausgabe konnte nicht starten.</translation>
    </message>
    <message>
        <source>%1 already exists.</source>
        <translation>%1 ist bereits vorhanden.</translation>
    </message>
</context>
<context>
    <name>GameSheetFile</name>
    <message>
        <source>The game sheet cannot be saved as %1: %2.</source>
        <translation>Der Spielbericht kann nicht als %1 gespeichert werden: %2.</translation>
    </message>
    <message>
        <source>it is a link, and the game sheet is never written through a link</source>
        <translation>es ist ein Link, und der Spielbericht wird nie über einen Link geschrieben</translation>
    </message>
    <message>
        <source>something other than a plain file has that name</source>
        <translation>etwas anderes als eine normale Datei trägt diesen Namen</translation>
    </message>
    <message>
        <source>%1 already exists. Replace it?</source>
        <translation>%1 ist bereits vorhanden. Ersetzen?</translation>
    </message>
    <message>
        <source>%1 and %2 already exist. Replace them?</source>
        <translation>%1 und %2 sind bereits vorhanden. Ersetzen?</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>Rinkmaster Help</source>
        <translation>Rinkmaster-Hilfe</translation>
    </message>
    <message>
        <source>Help file has been moved from its normal location.  Please reinstall the program.</source>
        <translation>Die Hilfedatei wurde von ihrem üblichen Ort verschoben.  Bitte installieren Sie das Programm neu.</translation>
    </message>
    <message>
        <source>The help file could not be opened (%1).  Please check that you may read it, or reinstall the program.</source>
        <translation>Die Hilfedatei konnte nicht geöffnet werden (%1).  Bitte prüfen Sie, ob Sie sie lesen dürfen, oder installieren Sie das Programm neu.</translation>
    </message>
    <message>
        <source>The help file cannot be shown.  %1  Please reinstall the program.</source>
        <translation>Die Hilfedatei kann nicht angezeigt werden.  %1  Bitte installieren Sie das Programm neu.</translation>
    </message>
</context>
<context>
    <name>JournalWriter</name>
    <message>
        <source>%1 is a link, and the game is never written through a link</source>
        <translation>%1 ist ein Link, und das Spiel wird nie über einen Link geschrieben</translation>
    </message>
    <message>
        <source>%1 is not a plain file</source>
        <translation>%1 ist keine normale Datei</translation>
    </message>
    <message>
        <source>other users can change the folder %1; use a folder only you can write to</source>
        <translation>andere Benutzer können den Ordner %1 ändern; verwenden Sie einen Ordner, in den nur Sie schreiben können</translation>
    </message>
    <message>
        <source>the folder %1 cannot be made</source>
        <translation>der Ordner %1 kann nicht angelegt werden</translation>
    </message>
</context>
<context>
    <name>KeyCaptureDialog</name>
    <message>
        <source>Choose Key</source>
        <translation>Taste wählen</translation>
    </message>
    <message>
        <source>This is not a valid key, please choose another or close this window to return.</source>
        <translation>Diese Taste ist nicht gültig. Bitte wählen Sie eine andere oder schließen Sie dieses Fenster, um zurückzukehren.</translation>
    </message>
    <message>
        <source>Press the key you would like to %1.</source>
        <translation>Drücken Sie die Taste, mit der Sie %1 möchten.</translation>
    </message>
</context>
<context>
    <name>MqttPublisher</name>
    <message>
        <source>The board cannot be published to the MQTT broker: its client could not be made.</source>
        <translation>Die Anzeige kann nicht an den MQTT-Broker veröffentlicht werden: Ihr Client konnte nicht angelegt werden.</translation>
    </message>
    <message>
        <source>The board is not published to the MQTT broker: the CA file %1 cannot be read.</source>
        <translation>Die Anzeige wird nicht an den MQTT-Broker veröffentlicht: Die CA-Datei %1 kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The board is not published to the MQTT broker: TLS cannot be set up (%1).</source>
        <translation>Die Anzeige wird nicht an den MQTT-Broker veröffentlicht: TLS kann nicht eingerichtet werden (%1).</translation>
    </message>
    <message>
        <source>The MQTT broker at %1 refused the board: %2. It tries again.</source>
        <translation>Der MQTT-Broker %1 hat die Anzeige abgelehnt: %2. Sie versucht es erneut.</translation>
    </message>
    <message>
        <source>The board cannot reach the MQTT broker at %1: %2. It keeps trying.</source>
        <translation>Die Anzeige erreicht den MQTT-Broker %1 nicht: %2. Sie versucht es weiter.</translation>
    </message>
    <message>
        <source>This build of Rinkmaster cannot publish to an MQTT broker, so %1 is not used.</source>
        <translation>Diese Ausgabe von Rinkmaster kann nicht an einen MQTT-Broker veröffentlichen, daher wird %1 nicht verwendet.</translation>
    </message>
</context>
<context>
    <name>OfficialRecord</name>
    <message>
        <source>The current record&apos;s name cannot be read.</source>
        <translation>Der Name des aktuellen Spielprotokolls kann nicht gelesen werden.</translation>
    </message>
</context>
<context>
    <name>OptionsDialog</name>
    <message>
        <source>Apply penalty rules</source>
        <translation>Strafregeln anwenden</translation>
    </message>
    <message>
        <source>Public board on:</source>
        <translation>Öffentliche Anzeige auf:</translation>
    </message>
    <message>
        <source>this window only</source>
        <translation>nur dieses Fenster</translation>
    </message>
    <message>
        <source>%1 (not connected)</source>
        <translation>%1 (nicht angeschlossen)</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Keyboard Controls</source>
        <translation>Tastatur</translation>
    </message>
    <message>
        <source>Color Controls</source>
        <translation>Farben</translation>
    </message>
    <message>
        <source>Text Controls</source>
        <translation>Texte</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>Start / Stop Penalty Clock</source>
        <translation>Strafzeituhr starten / stoppen</translation>
    </message>
    <message>
        <source>Start / Stop  Clock</source>
        <translation>Uhr starten / stoppen</translation>
    </message>
    <message>
        <source>Reset Clock</source>
        <translation>Uhr zurücksetzen</translation>
    </message>
    <message>
        <source>Horn</source>
        <translation>Hupe</translation>
    </message>
    <message>
        <source>Buzzer</source>
        <translation>Sirene</translation>
    </message>
    <message>
        <source>Game / Clock Switch</source>
        <translation>Spielzeit / Uhrzeit</translation>
    </message>
    <message>
        <source># Clear Key</source>
        <translation># Löschen</translation>
    </message>
    <message>
        <source>start / stop the clock</source>
        <translation>die Uhr starten / stoppen</translation>
    </message>
    <message>
        <source>reset the clock</source>
        <translation>die Uhr zurücksetzen</translation>
    </message>
    <message>
        <source>clear a number</source>
        <translation>eine Zahl löschen</translation>
    </message>
    <message>
        <source>switch between clock and game time</source>
        <translation>zwischen Uhrzeit und Spielzeit wechseln</translation>
    </message>
    <message>
        <source>start / stop an independent penalty clock</source>
        <translation>eine unabhängige Strafzeituhr starten / stoppen</translation>
    </message>
    <message>
        <source>sound the buzzer</source>
        <translation>die Sirene ertönen lassen</translation>
    </message>
    <message>
        <source>sound the horn</source>
        <translation>die Hupe ertönen lassen</translation>
    </message>
    <message>
        <source>Numlock Options:</source>
        <translation>NumLock:</translation>
    </message>
    <message>
        <source>Normal Mode</source>
        <translation>Normalbetrieb</translation>
    </message>
    <message>
        <source>Keep Numlock On</source>
        <translation>Immer an</translation>
    </message>
    <message>
        <source>Keep Numlock Off</source>
        <translation>Immer aus</translation>
    </message>
    <message>
        <source>Reset Keys</source>
        <translation>Standardtasten</translation>
    </message>
    <message>
        <source>Buzzer File:</source>
        <translation>Sirenendatei:</translation>
    </message>
    <message>
        <source>Change Buzzer Sound</source>
        <translation>Sirene ändern</translation>
    </message>
    <message>
        <source>Horn Sound:</source>
        <translation>Hupenklang:</translation>
    </message>
    <message>
        <source>Change Horn Sound</source>
        <translation>Hupe ändern</translation>
    </message>
    <message>
        <source>Time Color:</source>
        <translation>Uhr:</translation>
    </message>
    <message>
        <source>Score Color:</source>
        <translation>Spielstand:</translation>
    </message>
    <message>
        <source>Border Color:</source>
        <translation>Rahmen:</translation>
    </message>
    <message>
        <source>Back Color:</source>
        <translation>Hintergrund:</translation>
    </message>
    <message>
        <source>Period Color:</source>
        <translation>Drittel:</translation>
    </message>
    <message>
        <source>Home Color:</source>
        <translation>Heim:</translation>
    </message>
    <message>
        <source>LED Background:</source>
        <translation>LED-Hintergrund:</translation>
    </message>
    <message>
        <source>LED Selected</source>
        <translation>LED ausgewählt</translation>
    </message>
    <message>
        <source>Visitor Color:</source>
        <translation>Gast:</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Ändern</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Breite:</translation>
    </message>
    <message>
        <source>Digit Type:</source>
        <translation>Ziffernart:</translation>
    </message>
    <message>
        <source>Lines</source>
        <translation>Linien</translation>
    </message>
    <message>
        <source>Dots</source>
        <translation>Punkte</translation>
    </message>
    <message>
        <source>Preview:</source>
        <translation>Vorschau:</translation>
    </message>
    <message>
        <source>Reset Colors</source>
        <translation>Standardfarben</translation>
    </message>
    <message>
        <source>Home Name:</source>
        <translation>Heimmannschaft:</translation>
    </message>
    <message>
        <source>Visitor Name:</source>
        <translation>Gastmannschaft:</translation>
    </message>
    <message>
        <source>[No File Selected]</source>
        <translation>[Keine Datei gewählt]</translation>
    </message>
    <message>
        <source>Are you sure you want to reset the colors?</source>
        <translation>Möchten Sie die Farben wirklich zurücksetzen?</translation>
    </message>
    <message>
        <source>Are you sure you want to reset the keys?</source>
        <translation>Möchten Sie die Tasten wirklich zurücksetzen?</translation>
    </message>
    <message>
        <source>Show player numbers in the penalty boxes</source>
        <translation>Spielernummern in den Strafzeitfeldern anzeigen</translation>
    </message>
    <message>
        <source>Intermission:</source>
        <translation>Drittelpause:</translation>
    </message>
    <message>
        <source>The intermission&apos;s length, minutes:seconds (0:01 to 99:59)</source>
        <translation>Die Länge der Drittelpause, Minuten:Sekunden (0:01 bis 99:59)</translation>
    </message>
    <message>
        <source>Minor:</source>
        <translation>Kleine:</translation>
    </message>
    <message>
        <source>The minor penalty&apos;s length, minutes:seconds (0:30 to 4:59; 1:30 in youth hockey)</source>
        <translation>Die Länge der kleinen Strafe, Minuten:Sekunden (0:30 bis 4:59; 1:30 im Nachwuchs)</translation>
    </message>
</context>
<context>
    <name>OptionsDialogs</name>
    <message>
        <source>Sounds *.wav (*.wav)</source>
        <translation>Klänge *.wav (*.wav)</translation>
    </message>
</context>
<context>
    <name>Overlay</name>
    <message>
        <source>%1st</source>
        <comment>period 1 (and 21, 31...) on the scorebug; the number is %1</comment>
        <translation>%1.</translation>
    </message>
    <message>
        <source>%1nd</source>
        <comment>period 2 (and 22, 32...) on the scorebug; the number is %1</comment>
        <translation>%1.</translation>
    </message>
    <message>
        <source>%1rd</source>
        <comment>period 3 (and 23, 33...) on the scorebug; the number is %1</comment>
        <translation>%1.</translation>
    </message>
    <message>
        <source>%1th</source>
        <comment>periods 4 to 9 on the scorebug; the number is %1</comment>
        <translation>%1.</translation>
    </message>
    <message>
        <source>en</source>
        <comment>the language code of this translation (fr, de)</comment>
        <translation>de</translation>
    </message>
    <message>
        <source>GOAL</source>
        <comment>beside the scoring team&apos;s name on the scorebug</comment>
        <translation>TOR</translation>
    </message>
    <message>
        <source>PENALTY</source>
        <comment>beside a team&apos;s penalty times on the scorebug</comment>
        <translation>STRAFE</translation>
    </message>
</context>
<context>
    <name>Program</name>
    <message>
        <source>The game sheet is saved as %1 and %2.</source>
        <translation>Der Spielbericht ist als %1 und %2 gespeichert.</translation>
    </message>
    <message>
        <source>Game sheet (*.html *.csv)</source>
        <translation>Spielbericht (*.html *.csv)</translation>
    </message>
    <message>
        <source>Save the game sheet</source>
        <translation>Spielbericht speichern</translation>
    </message>
    <message>
        <source>The saved game cannot be used: %1.</source>
        <translation>Das gespeicherte Spiel ist nicht verwendbar: %1.</translation>
    </message>
    <message>
        <source>Resume the game in progress? Home %1 - Visitor %2, period %3, %4 left, saved %5</source>
        <translation>Laufendes Spiel fortsetzen? Heim %1 - Gast %2, Drittel %3, noch %4, gespeichert um %5</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Fortsetzen</translation>
    </message>
    <message>
        <source>New game</source>
        <translation>Neues Spiel</translation>
    </message>
    <message>
        <source>The game cannot be saved: %1. The board keeps running.</source>
        <translation>Das Spiel kann nicht gespeichert werden: %1. Die Anzeige läuft weiter.</translation>
    </message>
</context>
<context>
    <name>PublicBoardWindow</name>
    <message>
        <source>Rinkmaster public board</source>
        <translation>Rinkmaster öffentliche Anzeige</translation>
    </message>
</context>
<context>
    <name>PublicScreen</name>
    <message>
        <source>Public board: this window only</source>
        <translation>Öffentliche Anzeige: nur dieses Fenster</translation>
    </message>
    <message>
        <source>Public board not shown: screen %1 is not connected</source>
        <translation>Öffentliche Anzeige nicht gezeigt: Bildschirm %1 ist nicht angeschlossen</translation>
    </message>
    <message>
        <source>Public board not shown: screen %1 reports no size</source>
        <translation>Öffentliche Anzeige nicht gezeigt: Bildschirm %1 meldet keine Größe</translation>
    </message>
    <message>
        <source>Public board not shown: screen %1 is the screen this window is on</source>
        <translation>Öffentliche Anzeige nicht gezeigt: Bildschirm %1 ist der Bildschirm dieses Fensters</translation>
    </message>
    <message>
        <source>Public board on %1 (%2 screens are named %3; the first is used)</source>
        <translation>Öffentliche Anzeige auf %1 (%2 Bildschirme heißen %3; der erste wird verwendet)</translation>
    </message>
    <message>
        <source>Public board on %1</source>
        <translation>Öffentliche Anzeige auf %1</translation>
    </message>
</context>
<context>
    <name>QSettingsStore</name>
    <message>
        <source>The settings file %1 could not be written.</source>
        <translation>Die Einstellungsdatei %1 konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>The settings could not be written to %1.</source>
        <translation>Die Einstellungen konnten nicht nach %1 geschrieben werden.</translation>
    </message>
</context>
<context>
    <name>RecordFile</name>
    <message>
        <source>the folder %1 cannot be made</source>
        <translation>der Ordner %1 kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>it is a link</source>
        <translation>es ist ein Link</translation>
    </message>
    <message>
        <source>it is not a plain file</source>
        <translation>es ist keine normale Datei</translation>
    </message>
    <message>
        <source>nothing was written</source>
        <translation>es wurde nichts geschrieben</translation>
    </message>
    <message>
        <source>The game&apos;s record cannot be written to %1: %2. It is tried again every second.</source>
        <translation>Das Spielprotokoll kann nicht nach %1 geschrieben werden: %2. Es wird jede Sekunde erneut versucht.</translation>
    </message>
</context>
<context>
    <name>RecordPanel</name>
    <message>
        <source>Minor</source>
        <translation>Kleine Strafe</translation>
    </message>
    <message>
        <source>Bench minor</source>
        <translation>Kleine Bankstrafe</translation>
    </message>
    <message>
        <source>Double minor</source>
        <translation>Doppelte kleine Strafe</translation>
    </message>
    <message>
        <source>Major</source>
        <translation>Große Strafe</translation>
    </message>
    <message>
        <source>Major and minor</source>
        <translation>Große und kleine Strafe</translation>
    </message>
    <message>
        <source>Misconduct</source>
        <translation>Disziplinarstrafe</translation>
    </message>
    <message>
        <source>Game misconduct</source>
        <translation>Spieldauer-Disziplinarstrafe</translation>
    </message>
    <message>
        <source>Match</source>
        <translation>Matchstrafe</translation>
    </message>
    <message>
        <source>Game header</source>
        <translation>Spieldaten</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Venue</source>
        <translation>Spielort</translation>
    </message>
    <message>
        <source>Game number</source>
        <translation>Spielnummer</translation>
    </message>
    <message>
        <source>Competition</source>
        <translation>Wettbewerb</translation>
    </message>
    <message>
        <source>Referees</source>
        <translation>Schiedsrichter</translation>
    </message>
    <message>
        <source>Linesmen</source>
        <translation>Linienrichter</translation>
    </message>
    <message>
        <source>Scorekeeper</source>
        <translation>Zeitnehmer</translation>
    </message>
    <message>
        <source>Names: separated by commas.</source>
        <translation>Namen: durch Kommas getrennt.</translation>
    </message>
    <message>
        <source>Folder for the game report</source>
        <translation>Ordner für den Spielbericht</translation>
    </message>
    <message>
        <source>Elapsed time in the period</source>
        <translation>Abgelaufene Zeit im Drittel</translation>
    </message>
    <message>
        <source>Time remaining in the period</source>
        <translation>Restzeit im Drittel</translation>
    </message>
    <message>
        <source>Game report</source>
        <translation>Spielbericht</translation>
    </message>
    <message>
        <source>Times on the report:</source>
        <translation>Zeiten im Bericht:</translation>
    </message>
    <message>
        <source>Scorer</source>
        <translation>Torschütze</translation>
    </message>
    <message>
        <source>Assist</source>
        <translation>Assist</translation>
    </message>
    <message>
        <source>Empty net</source>
        <translation>Leeres Tor</translation>
    </message>
    <message>
        <source>Penalty shot</source>
        <translation>Penaltyschuss</translation>
    </message>
    <message>
        <source>The next goal is a penalty-shot goal: it ends no penalty.</source>
        <translation>Das nächste Tor fällt durch Penaltyschuss: Es beendet keine Strafe.</translation>
    </message>
    <message>
        <source>Player</source>
        <translation>Spieler</translation>
    </message>
    <message>
        <source>Served</source>
        <translation>Abgesessen von</translation>
    </message>
    <message>
        <source>Served by (a bench minor, a goalkeeper&apos;s penalty)</source>
        <translation>Abgesessen von (kleine Bankstrafe, Strafe eines Torhüters)</translation>
    </message>
    <message>
        <source>Tripping</source>
        <translation>Beinstellen</translation>
    </message>
    <message>
        <source>Hooking</source>
        <translation>Haken</translation>
    </message>
    <message>
        <source>Slashing</source>
        <translation>Stockschlag</translation>
    </message>
    <message>
        <source>Holding</source>
        <translation>Halten</translation>
    </message>
    <message>
        <source>Interference</source>
        <translation>Behinderung</translation>
    </message>
    <message>
        <source>Roughing</source>
        <translation>Übertriebene Härte</translation>
    </message>
    <message>
        <source>High-sticking</source>
        <translation>Hoher Stock</translation>
    </message>
    <message>
        <source>Cross-checking</source>
        <translation>Cross-Check</translation>
    </message>
    <message>
        <source>Boarding</source>
        <translation>Check gegen die Bande</translation>
    </message>
    <message>
        <source>Charging</source>
        <translation>Unerlaubter Körperangriff</translation>
    </message>
    <message>
        <source>Elbowing</source>
        <translation>Ellbogencheck</translation>
    </message>
    <message>
        <source>Too many men</source>
        <translation>Zu viele Spieler</translation>
    </message>
    <message>
        <source>Delay of game</source>
        <translation>Spielverzögerung</translation>
    </message>
    <message>
        <source>Unsportsmanlike conduct</source>
        <translation>Unsportliches Verhalten</translation>
    </message>
    <message>
        <source>Fighting</source>
        <translation>Faustkampf</translation>
    </message>
    <message>
        <source>Checking from behind</source>
        <translation>Check von hinten</translation>
    </message>
    <message>
        <source>Abuse of officials</source>
        <translation>Beleidigung von Offiziellen</translation>
    </message>
    <message>
        <source>Holding the stick</source>
        <translation>Stockhalten</translation>
    </message>
    <message>
        <source>Kneeing</source>
        <translation>Kniecheck</translation>
    </message>
    <message>
        <source>Checking to the head</source>
        <translation>Check gegen den Kopf</translation>
    </message>
    <message>
        <source>Spearing</source>
        <translation>Stockstich</translation>
    </message>
    <message>
        <source>Butt-ending</source>
        <translation>Stockendstoß</translation>
    </message>
    <message>
        <source>Diving</source>
        <translation>Schwalbe</translation>
    </message>
    <message>
        <source>Instigator</source>
        <translation>Anstifter</translation>
    </message>
    <message>
        <source>Penalties with equal time left: the one the goal ends.</source>
        <translation>Strafen mit gleicher Restzeit: die, die das Tor beendet.</translation>
    </message>
    <message>
        <source>In</source>
        <translation>Ein</translation>
    </message>
    <message>
        <source>Goalkeeper in (empty: the net is left empty)</source>
        <translation>Eingewechselter Torhüter (leer: das Tor bleibt leer)</translation>
    </message>
    <message>
        <source>Out</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>Goalkeeper out</source>
        <translation>Ausgewechselter Torhüter</translation>
    </message>
    <message>
        <source>Goal</source>
        <translation>Tor</translation>
    </message>
    <message>
        <source>Penalty</source>
        <translation>Strafe</translation>
    </message>
    <message>
        <source>Timeout</source>
        <translation>Auszeit</translation>
    </message>
    <message>
        <source>Goalkeeper</source>
        <translation>Torhüter</translation>
    </message>
    <message>
        <source>Void</source>
        <translation>Ungültig</translation>
    </message>
    <message>
        <source>Voids the selected entry (a correction is added to the record).</source>
        <translation>Erklärt den gewählten Eintrag für ungültig (eine Korrektur wird ins Protokoll eingetragen).</translation>
    </message>
    <message>
        <source>Coincident</source>
        <translation>Ausgleichend</translation>
    </message>
    <message>
        <source>Marks the selected penalty coincident, or takes the mark off.</source>
        <translation>Markiert die gewählte Strafe als ausgleichend oder nimmt die Markierung zurück.</translation>
    </message>
    <message>
        <source>Header...</source>
        <translation>Spieldaten...</translation>
    </message>
    <message>
        <source>Game report...</source>
        <translation>Spielbericht...</translation>
    </message>
    <message>
        <source>End game</source>
        <translation>Spiel beenden</translation>
    </message>
    <message>
        <source>Team</source>
        <translation>Mannschaft</translation>
    </message>
    <message>
        <source>Shot %1</source>
        <translation>Torschuss %1</translation>
    </message>
    <message>
        <source>A report of this game is already in that folder. Replace it?</source>
        <translation>In diesem Ordner liegt bereits ein Bericht dieses Spiels. Ersetzen?</translation>
    </message>
    <message>
        <source>The game report was written: %1 and %2.</source>
        <translation>Der Spielbericht wurde geschrieben: %1 und %2.</translation>
    </message>
    <message>
        <source>The game report could not be written: %1</source>
        <translation>Der Spielbericht konnte nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>End this game? The record is closed and a new game starts on the board.</source>
        <translation>Dieses Spiel beenden? Das Protokoll wird abgeschlossen und auf der Anzeige beginnt ein neues Spiel.</translation>
    </message>
    <message>
        <source>Header: %1, game %2</source>
        <translation>Spieldaten: %1, Spiel %2</translation>
    </message>
    <message>
        <source>%1 Goal %2 %3 %4%5</source>
        <translation>%1 Tor %2 %3 %4%5</translation>
    </message>
    <message>
        <source>(scorer?)</source>
        <translation>(Torschütze?)</translation>
    </message>
    <message>
        <source> empty net</source>
        <translation> leeres Tor</translation>
    </message>
    <message>
        <source> penalty shot</source>
        <translation> Penaltyschuss</translation>
    </message>
    <message>
        <source>%1 Penalty %2 %3 %4 %5</source>
        <translation>%1 Strafe %2 %3 %4 %5</translation>
    </message>
    <message>
        <source>, served by %1</source>
        <translation>, abgesessen von %1</translation>
    </message>
    <message>
        <source>, coincident</source>
        <translation>, ausgleichend</translation>
    </message>
    <message>
        <source>P%1 Shot %2</source>
        <translation>P%1 Torschuss %2</translation>
    </message>
    <message>
        <source>%1 Timeout %2</source>
        <translation>%1 Auszeit %2</translation>
    </message>
    <message>
        <source>%1 Goalkeeper %2 in %3, out %4</source>
        <translation>%1 Torhüter %2 ein %3, aus %4</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keiner</translation>
    </message>
    <message>
        <source>%1 End of the game</source>
        <translation>%1 Spielende</translation>
    </message>
    <message>
        <source> waiting</source>
        <translation> wartend</translation>
    </message>
    <message>
        <source> until P%1 %2</source>
        <translation> bis P%1 %2</translation>
    </message>
    <message>
        <source> (coincident)</source>
        <translation> (ausgleichend)</translation>
    </message>
    <message>
        <source>Ends %1 #%2 %3</source>
        <translation>Beendet %1 #%2 %3</translation>
    </message>
</context>
<context>
    <name>RtfReader</name>
    <message>
        <source>There is no document to show the text in.</source>
        <translation>Es gibt kein Dokument, in dem der Text angezeigt werden kann.</translation>
    </message>
    <message>
        <source>The file is not a rich-text document.</source>
        <translation>Die Datei ist kein RTF-Dokument.</translation>
    </message>
    <message>
        <source>The file is too large to be shown.</source>
        <translation>Die Datei ist zu groß, um angezeigt zu werden.</translation>
    </message>
    <message>
        <source>[The rest of this file is too long to be shown.]</source>
        <translation>[Der Rest dieser Datei ist zu lang, um angezeigt zu werden.]</translation>
    </message>
</context>
<context>
    <name>Scorekeeper</name>
    <message>
        <source>The intermission is already running.</source>
        <translation>Die Drittelpause läuft bereits.</translation>
    </message>
    <message>
        <source>An intermission starts once the period&apos;s time is up.</source>
        <translation>Eine Drittelpause beginnt erst, wenn die Zeit des Drittels abgelaufen ist.</translation>
    </message>
</context>
<context>
    <name>SettingsErrorReporter</name>
    <message>
        <source>The settings could not be saved. They stay in effect for this session.</source>
        <translation>Die Einstellungen konnten nicht gespeichert werden. Sie gelten für diese Sitzung weiter.</translation>
    </message>
</context>
<context>
    <name>SplashWindow</name>
    <message>
        <source>by Kestrelsoft</source>
        <translation>von Kestrelsoft</translation>
    </message>
    <message>
        <source>Click to continue.</source>
        <translation>Zum Start klicken.</translation>
    </message>
    <message>
        <source>Press &apos; F1 &apos; to view Help from the scoreboard.</source>
        <translation>Auf der Anzeigetafel öffnet &apos; F1 &apos; die Hilfe.</translation>
    </message>
    <message>
        <source>Press &apos; F2 &apos; to set Options from the scoreboard.</source>
        <translation>Auf der Anzeigetafel öffnet &apos; F2 &apos; die Optionen.</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Optionen</translation>
    </message>
    <message>
        <source>Version %1.%2.%3</source>
        <translation>Version %1.%2.%3</translation>
    </message>
</context>
</TS>
