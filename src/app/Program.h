#pragma once
#include "core/board/ClockEngine.h"
#include "core/board/ClockSource.h"
#include "core/feed/FeedOptions.h"
#include "core/feed/MqttOptions.h"
#include "core/settings/Settings.h"
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <memory>
#include <optional>
#include <string>

class SplashWindow;
class BoardWindow;
class ConsoleWindow;
class ConsoleStatusLine;
class GameEventsModel;
class OfficialRecord;
class RecordPanel;
class PublicBoardWindow;
class PublicScreenController;
class BoardFeed;
class MqttPublisher;
class SoundDevice;
class SettingsStore;
class QWidget;
class GameLock;
class JournalWriter;
class QMessageBox;
struct GameFiles;

// Options the program was started with.
struct ProgramOptions {
    QStringList arguments; // the command line, for --settings FILE
    FeedRequest feed;      // --feed PORT, --feed-address ADDR, --feed-dir DIR
    MqttRequest mqtt;      // --mqtt URL, --mqtt-ca FILE
    bool newGame = false;  // --new-game: start fresh without asking about a saved game
    // --public-screen NAME: wins over the stored PublicScreen.
    std::optional<std::string> publicScreen;
};

// The whole run: settings, clocks, sounds and the windows, wired together. Lives as long as the program.
class Program {
public:
    explicit Program(ProgramOptions options);
    ~Program();

    // False when the program must end at once: another program runs on the same settings store.
    bool start();

    BoardWindow* board() const { return m_board.get(); }

private:
    void loadSettings();
    void showScoreBoard();
    void openHelp();
    void openOptions();
    void endProgram();
    // F3 with the penalty rules on: the game sheet saved as CSV and a printable page, which then opens.
    void openGameSheet();
    void startFeed();
    void startMqtt();
    // The public board on another screen and the console around the board; nothing of it exists while the
    // board stays in this window only.
    void startTwoScreens();
    void placeConsole();
    QWidget* boardWindow() const;
    // Offers a saved game over the board, then keeps the journal of the game from here on.
    void startJournal();
    void setAsidePreviousGame();
    void queueJournalSave();
    // The event list goes into the journal once both exist.
    void journalTheEvents();
    void tellOnce(const QString& text);
    // The official's record: its folder beside the journal, the resumed game's file or a new one.
    void startRecord(bool resumed);
    void followRecordSettings();

    ProgramOptions m_options;
    std::unique_ptr<GameFiles> m_gameFiles; // none for a store kept in memory
    std::unique_ptr<GameLock> m_lock;
    std::unique_ptr<JournalWriter> m_journal;
    bool m_journalQueued = false;
    bool m_eventsChanged = false; // the event list moved since the last document
    bool m_toldUnsaved = false;
    bool m_recordStarted = false; // the saved game has been offered: the record may follow the board
    std::unique_ptr<SettingsStore> m_store;
    SettingsVariables m_settings;
    SteadyClockSource m_clock;
    ClockEngine m_engine{m_clock};
    std::unique_ptr<SoundDevice> m_buzzer;
    std::unique_ptr<SoundDevice> m_horn;
    std::unique_ptr<SplashWindow> m_splash;
    std::unique_ptr<BoardWindow> m_board;
    std::unique_ptr<BoardFeed> m_feed;     // reads the board: goes before it
    std::unique_ptr<MqttPublisher> m_mqtt; // so does the broker's publisher
    // Two screens: the console holds the board, the public window a view of it.
    std::unique_ptr<GameEventsModel> m_events;
    std::unique_ptr<ConsoleWindow> m_console;
    ConsoleStatusLine* m_status = nullptr; // the console's
    std::unique_ptr<PublicScreenController> m_screens;
    std::unique_ptr<PublicBoardWindow> m_public;
    std::unique_ptr<OfficialRecord> m_record; // follows the board: goes before it
    RecordPanel* m_panel = nullptr;           // the console's
    QString m_feedAddress;
    QStringList m_feedProblems; // told before the board opened, shown over it when it does
};
