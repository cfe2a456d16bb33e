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
</context>
<context>
    <name>GameLock</name>
    <message>
        <source>Rinkmaster is already running with these settings</source>
        <translation>Rinkmaster läuft bereits mit diesen Einstellungen</translation>
    </message>
</context>
<context>
    <name>GameSheetFile</name>
    <message>
        <source>The game sheet cannot be saved as %1: %2.</source>
        <translation>Der Spielbericht kann nicht als %1 gespeichert werden: %2.</translation>
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
    <name>SettingsErrorReporter</name>
    <message>
        <source>The settings could not be saved. They stay in effect for this session.</source>
        <translation>Die Einstellungen konnten nicht gespeichert werden. Sie gelten für diese Sitzung weiter.</translation>
    </message>
</context>
<context>
    <name>frmChooseKey</name>
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
    <name>frmHelp</name>
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
    <name>frmOptions</name>
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
</context>
<context>
    <name>frmScoreBoard</name>
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
    <name>frmSplash</name>
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
