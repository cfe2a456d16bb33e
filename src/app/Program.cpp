#include "Program.h"
#include "app/ProgramFiles.h"
#include "app/SplashWindow.h"
#include "board/BoardWindow.h"
#include "board/ConsoleStatusLine.h"
#include "board/ConsoleWindow.h"
#include "board/RecordPanel.h"
#include "core/display/PublicScreen.h"
#include "core/game/GameJournal.h"
#include "core/game/JsonReader.h"
#include "core/settings/SettingsStore.h"
#include "display/PublicBoardWindow.h"
#include "display/PublicScreenController.h"
#include "feed/BoardFeed.h"
#include "feed/FeedNotice.h"
#include "feed/FeedServer.h"
#include "feed/MqttPublisher.h"
#include "game/GameEventsModel.h"
#include "game/GameFiles.h"
#include "game/GameLock.h"
#include "game/GameSheetFile.h"
#include "game/JournalWriter.h"
#include "game/OfficialRecord.h"
#include "help/HelpWindow.h"
#include "input/NumLockControl.h"
#include "settings/OptionsDialog.h"
#include "settings/OptionsDialogs.h"
#include "settings/SettingsErrorReporter.h"
#include "settings/SettingsSetup.h"
#include "sound/WavSoundDevice.h"
#include <QApplication>
#include <QDateTime>
#include <QDebug>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

bool systemUsesTwelveHourClock() {
    const QString format = QLocale::system().timeFormat(QLocale::ShortFormat);
    return format.contains(QLatin1Char('a'), Qt::CaseInsensitive);
}

} // namespace

Program::Program(ProgramOptions options)
    : m_options(std::move(options)), m_buzzer(std::make_unique<WavSoundDevice>()),
      m_horn(std::make_unique<WavSoundDevice>()) {
    m_engine.beep = [] { QApplication::beep(); };
}

Program::~Program() {
    // The public view draws the board's game: it goes first; the board leaves the console before the console goes.
    m_public.reset();
    m_screens.reset();
    if (m_journal && m_board) {
        // The game as it stands at the end, clocks read now.
        const ClockTable table = m_engine.snapshot();
        m_board->model().edit([&table](game::GameState& s) { s.clocks = table; });
        m_journal->save(m_board->model().state());
        m_journal->waitUntilWritten();
    }
    m_journal.reset();
    m_feed.reset();
    m_mqtt.reset();
    m_board.reset();
    m_splash.reset();
}

bool Program::start() {
    if (const std::optional<GameFiles> files = gameFilesFor(m_options.arguments)) {
        m_gameFiles = std::make_unique<GameFiles>(*files);
        m_lock = std::make_unique<GameLock>(files->lock);
        if (!m_lock->tryLock()) {
            // Two boards on one store would overwrite each other's game and options.
            const QString message = GameLock::alreadyRunningMessage();
            qWarning().noquote() << message;
            QMessageBox::warning(nullptr, QStringLiteral("Rinkmaster"), message);
            return false;
        }
        if (!m_lock->problem().isEmpty()) {
            // The run goes on; the user is told once the board stands.
            qWarning().noquote() << m_lock->problem();
        }
    }
    SplashServices services;
    services.loadSettings = [this] { loadSettings(); };
    services.showScoreBoard = [this] { showScoreBoard(); };
    services.openHelp = [this] { openHelp(); };
    services.openOptions = [this] { openOptions(); };
    services.endProgram = [this] { endProgram(); };
    m_splash = std::make_unique<SplashWindow>(services);
    // The settings are loaded now: the feed serves the board as it will open, so an overlay set up early
    // connects before anybody clicks the start-up window.
    startFeed();
    m_splash->show();
    return true;
}

void Program::loadSettings() {
    m_store = openSettingsStore(m_options.arguments);
    ::loadSettings(m_settings, *m_store, soundFolder(), nativePathSeparator(),
                   [](bool on) { num_lock_control::setNumLock(on); });
    // A first run writes the converted command keys; a store that cannot take them is reported.
    flushSettingsOrReport(*m_store, m_splash.get());
}

void Program::showScoreBoard() {
    if (!m_board) {
        BoardServices services;
        services.openHelp = [this] { openHelp(); };
        services.openOptions = [this] { openOptions(); };
        services.twelveHourClock = systemUsesTwelveHourClock;
        services.beep = [] { QApplication::beep(); };
        services.setNumLock = [](bool on) { num_lock_control::setNumLock(on); };
        services.endProgram = [this] { endProgram(); };
        services.openGameSheet = [this] { openGameSheet(); };
        m_board = std::make_unique<BoardWindow>(m_settings, m_engine, *m_buzzer, *m_horn, services);
        m_record = std::make_unique<OfficialRecord>(m_board->model());
        if (m_feed) {
            m_feed->follow(*m_board);
        }
        // What the feed found wrong before the board opened, now where the scorekeeper looks.
        for (const QString& text : std::exchange(m_feedProblems, {})) {
            showFeedNoticeOver(m_board.get(), text);
        }
        startMqtt();
        if (!screens::wantedScreenName(m_settings.PublicScreen, m_options.publicScreen).empty()) {
            startTwoScreens();
        }
        boardWindow()->show();
        followRecordSettings();
        QObject::connect(m_board.get(), &BoardWindow::shownChanged, m_record.get(), [this] { followRecordSettings(); });
        // Once the start-up window has gone, so that a question about a saved game stands over the board alone.
        QTimer::singleShot(0, m_board.get(), [this] { startJournal(); });
        return;
    }
    boardWindow()->show();
}

QWidget* Program::boardWindow() const {
    return m_console ? static_cast<QWidget*>(m_console.get()) : static_cast<QWidget*>(m_board.get());
}

void Program::startTwoScreens() {
    if (m_console) {
        return;
    }
    m_events = std::make_unique<GameEventsModel>(m_board->model());
    const auto teamNames = [this] {
        m_events->setTeamNames(QString::fromStdString(m_settings.HomeText),
                               QString::fromStdString(m_settings.VisitorText));
    };
    teamNames();
    QObject::connect(m_board.get(), &BoardWindow::shownChanged, m_events.get(), teamNames);
    QObject::connect(m_board.get(), &BoardWindow::soundStarted, m_events.get(), [this](bool horn) {
        m_events->noteSound(horn ? game::EventKind::Horn : game::EventKind::Buzzer);
        m_status->setSound(horn ? game::SoundPlaying::Horn : game::SoundPlaying::Buzzer);
    });
    const bool wasShown = m_board->isVisible();
    m_status = new ConsoleStatusLine(m_board->model(), m_settings);
    m_console = std::make_unique<ConsoleWindow>(*m_board, m_status, *m_events);
    // The game sheet from the console while the penalty rules are on (F3 on the board does the same).
    const auto gameSheet = [this] {
        m_console->setGameSheet([this] { openGameSheet(); }, m_settings.PenaltyRules);
        m_console->setIntermission([this] { m_board->startIntermission(); }, m_settings.PenaltyRules);
    };
    gameSheet();
    QObject::connect(m_board.get(), &BoardWindow::shownChanged, m_console.get(), gameSheet);
    QObject::connect(m_board.get(), &BoardWindow::shownChanged, m_status, [this] {
        if (!m_board->buzzerPlaying()) {
            m_status->setSound(game::SoundPlaying::None);
        }
        m_status->refresh();
    });
    m_status->setFeedAddress(m_feedAddress);
    m_console->followSettings(m_settings);
    // The official's record beside the event list, while the penalty rules are on.
    m_panel = new RecordPanel(*m_record);
    m_console->setRecordPanel(m_panel);
    m_panel->setGiveBackKeys([this] { m_console->giveKeysToBoard(); });
    m_panel->setClearBoard([this] {
        // A new game: the board as it opens, the event list empty. No event of the game for the broker.
        if (m_mqtt) {
            m_mqtt->holdEvents(true);
        }
        m_board->resumeGame(game::freshGame());
        if (m_mqtt) {
            m_mqtt->holdEvents(false);
        }
        m_events->clear();
    });
    // The board's penalty clocks run the record's penalties as the rule book counts them, each with its player;
    // the event list names the player of the clock.
    QObject::connect(m_record.get(), &OfficialRecord::changed, m_board.get(), [this] {
        m_board->followRecord(m_record->isActive() ? m_record->keeper().shownOnBoard() : RecordedPenalties{});
    });
    m_events->setPlayerOf([this](const game::GameEvent& e) { return m_record->playerOnClock(e.penaltyClock); });
    QObject::connect(m_record.get(), &OfficialRecord::changed, m_events.get(), [this] { m_events->refreshPlayers(); });
    followRecordSettings();

    m_screens = std::make_unique<PublicScreenController>(m_console.get());
    auto* publicView = new BoardView(m_settings, m_board->model(), BoardViewRole::PublicBoard, nullptr);
    m_public = std::make_unique<PublicBoardWindow>(*m_screens, publicView);
    QObject::connect(m_screens.get(), &PublicScreenController::choiceChanged, m_console.get(), [this] {
        const QString note = m_screens->note();
        // Said on the error output too, so that a log of the run shows where the public board was.
        qInfo().noquote() << note;
        m_status->setPublicScreen(note);
        placeConsole();
    });
    m_screens->setWanted(
        QString::fromStdString(screens::wantedScreenName(m_settings.PublicScreen, m_options.publicScreen)));
    m_status->setPublicScreen(m_screens->note());
    placeConsole();
    journalTheEvents();
    if (wasShown) {
        m_console->show();
    }
}

void Program::placeConsole() {
    // The console never stays under the public board: it moves to a screen of its own.
    if (QScreen* target = m_screens->consoleTarget()) {
        m_console->setScreen(target);
        m_console->move(target->availableGeometry().topLeft() + QPoint(40, 40));
    }
    // And it fits the screen it is on (a small laptop screen takes less than the board's one and a half).
    if (const QScreen* on = m_console->screen()) {
        const QSize room = on->availableGeometry().size() * 9 / 10;
        m_console->resize(m_console->size().boundedTo(room));
    }
}

void Program::startJournal() {
    if (!m_gameFiles) {
        startRecord(false);
        return;
    }
    const QString path = m_gameFiles->journal;
    if (!m_lock->problem().isEmpty()) {
        tellOnce(m_lock->problem());
    }
    const GameFileText read = readGameFile(path, static_cast<qint64>(json::kMaxDocumentBytes) + 1);
    bool resumed = false;
    if (!read.missing) {
        QString problem = read.problem;
        std::optional<game::SavedGame> saved;
        std::vector<game::GameEvent> savedEvents;
        if (read.text) {
            const QByteArray& text = *read.text;
            const game::JournalReading reading = game::readJournal(std::string_view(text.constData(), text.size()));
            if (reading.game) {
                saved = reading.game;
                savedEvents = reading.events;
                if (reading.heldValues > 0) {
                    qWarning().noquote() << u"The saved game had %1 values the board cannot show; they were held."_s
                                                .arg(reading.heldValues);
                }
                if (!reading.dropped.empty()) {
                    // The game itself is kept; only the rules' record starts empty.
                    qWarning().noquote() << QString::fromStdString(reading.dropped);
                }
            } else {
                problem = QString::fromStdString(reading.problem);
            }
        }
        if (!problem.isEmpty()) {
            // Reported and set aside; the board starts fresh.
            qWarning().noquote() << problem;
            setAsidePreviousGame();
            tellOnce(problem);
        } else if (saved && !game::isFreshGame(saved->state)) {
            bool resume = !m_options.newGame;
            if (resume) {
                const QString savedAt =
                    QDateTime::fromMSecsSinceEpoch(saved->savedAtMillis).toLocalTime().toString(u"HH:mm:ss"_s);
                const game::ResumeFacts facts = game::resumeFacts(saved->state);
                const QString text =
                    QCoreApplication::translate(
                        "Program", "Resume the game in progress? Home %1 - Visitor %2, period %3, %4 left, saved %5")
                        .arg(facts.home)
                        .arg(facts.visitor)
                        .arg(facts.period)
                        .arg(QString::fromStdString(facts.timeLeft), savedAt);
                qInfo().noquote() << text;
                QMessageBox question(QMessageBox::Question, u"Rinkmaster"_s, text, QMessageBox::NoButton,
                                     m_board.get());
                QPushButton* resumeButton =
                    question.addButton(QCoreApplication::translate("Program", "Resume"), QMessageBox::AcceptRole);
                question.addButton(QCoreApplication::translate("Program", "New game"), QMessageBox::DestructiveRole);
                question.setDefaultButton(resumeButton);
                // Closing the question keeps the game: only "New game" sets it aside.
                question.setEscapeButton(resumeButton);
                question.exec();
                resume = question.clickedButton() == resumeButton || question.clickedButton() == nullptr;
            }
            if (resume) {
                resumed = true;
                // Bringing a game back is no event for the broker's subscribers; its state goes out as at every
                // change.
                if (m_mqtt) {
                    m_mqtt->holdEvents(true);
                }
                m_board->resumeGame(saved->state);
                if (m_mqtt) {
                    m_mqtt->holdEvents(false);
                }
                if (m_events) {
                    // Bringing the game back is no event of the game; the list saved with it comes back.
                    m_events->restore(savedEvents);
                }
            } else {
                setAsidePreviousGame();
            }
        }
    }

    startRecord(resumed);

    m_journal = std::make_unique<JournalWriter>(path);
    m_journal->setCurrentState([this] {
        game::GameState s = m_board->model().state();
        s.clocks = m_engine.snapshot();
        return s;
    });
    QObject::connect(m_journal.get(), &JournalWriter::failed, m_board.get(), [this](const QString& reason) {
        QString why = reason;
        while (why.endsWith(u'.')) {
            why.chop(1);
        }
        const QString text =
            QCoreApplication::translate("Program", "The game cannot be saved: %1. The board keeps running.").arg(why);
        qWarning().noquote() << text;
        if (!m_toldUnsaved) {
            m_toldUnsaved = true;
            tellOnce(text);
        }
    });
    // Every change of the game, once the event that made it has been handled.
    QObject::connect(&m_board->model(), &BoardModel::changed, m_board.get(), [this] { queueJournalSave(); });
    journalTheEvents();
    // A running clock is written once a second by the journal's own timer, which sleeps while nothing runs.
    m_journal->save(m_board->model().state());
}

void Program::startRecord(bool resumed) {
    if (m_gameFiles) {
        const QString folder = QFileInfo(m_gameFiles->journal).absolutePath();
        m_record->setFolder(QDir(folder).filePath(u"games"_s), m_gameFiles->journal + u".record"_s);
    }
    QObject::connect(m_record.get(), &OfficialRecord::failed, m_board.get(), [this](const QString& reason) {
        qWarning().noquote() << reason;
        tellOnce(reason);
    });
    QString problem;
    if (resumed && !m_record->resume(&problem) && !problem.isEmpty()) {
        qWarning().noquote() << problem;
    }
    m_recordStarted = true;
    followRecordSettings();
}

void Program::followRecordSettings() {
    const bool on = m_settings.PenaltyRules;
    m_record->setTeamNames(QString::fromStdString(m_settings.HomeText), QString::fromStdString(m_settings.VisitorText));
    m_record->setMinorLength(m_settings.MinorLength);
    // Nothing is followed or written before the saved game has been offered.
    m_record->setActive(on && m_recordStarted);
    if (m_panel != nullptr) {
        m_panel->setTeamNames(QString::fromStdString(m_settings.HomeText),
                              QString::fromStdString(m_settings.VisitorText));
        m_panel->setVisible(on);
    }
    // The feed's /state and the broker's state carry the record alike.
    const auto readRecord = [this]() -> std::optional<RecordState> {
        if (!m_settings.PenaltyRules || !m_record->isActive()) {
            return std::nullopt;
        }
        RecordState state;
        state.strength = m_record->keeper().strength();
        for (const PenaltyView& p : m_record->keeper().openPenalties()) {
            RecordPenaltyState out{p.player, p.servedBy,  p.kind,       p.infraction,
                                   p.state,  p.remaining, std::nullopt, p.coincident};
            if (p.endsAt) {
                out.endsAt = std::pair{p.endsAt->period, p.endsAt->remaining};
            }
            state.penalties[p.team == Team::Home ? 0 : 1].push_back(std::move(out));
        }
        return state;
    };
    if (m_feed) {
        m_feed->setRecordReader(readRecord);
        QObject::connect(m_record.get(), &OfficialRecord::changed, m_feed.get(), &BoardFeed::refresh,
                         Qt::UniqueConnection);
    }
    if (m_mqtt) {
        m_mqtt->setRecordReader(readRecord);
        QObject::connect(m_record.get(), &OfficialRecord::changed, m_mqtt.get(), &MqttPublisher::refresh,
                         Qt::UniqueConnection);
    }
}

void Program::queueJournalSave() {
    if (m_journalQueued) {
        return;
    }
    m_journalQueued = true;
    QTimer::singleShot(0, m_board.get(), [this] {
        m_journalQueued = false;
        // One document for the change, the event list with it (a horn or buzzer adds an event without changing
        // the game).
        const bool eventsMoved = m_eventsChanged;
        m_eventsChanged = false;
        m_journal->save(m_board->model().state(), eventsMoved);
    });
}

void Program::journalTheEvents() {
    if (!m_journal || !m_events) {
        return;
    }
    m_journal->setEvents([this] { return &m_events->events(); });
    QObject::connect(m_events.get(), &GameEventsModel::eventsAdded, m_board.get(), [this] {
        m_eventsChanged = true;
        queueJournalSave();
    });
    m_eventsChanged = true;
    queueJournalSave();
}

void Program::setAsidePreviousGame() {
    // Each game set aside keeps a name of its own; none is ever removed here. The rename moves whatever has the
    // journal's name (a link itself, never what it points to).
    const QString aside = m_gameFiles->setAsideName(QDateTime::currentDateTime());
    if (!QFile::rename(m_gameFiles->journal, aside)) {
        qWarning().noquote() << u"The saved game could not be kept as %1."_s.arg(QDir::toNativeSeparators(aside));
        return;
    }
    qInfo().noquote() << u"The saved game is kept as %1."_s.arg(QDir::toNativeSeparators(aside));
}

void Program::tellOnce(const QString& text) {
    // The same notice panel as the feed's, inside the board: the board goes on taking keys and running its
    // clocks, and no window of its own can take the keyboard from it.
    showFeedNoticeOver(m_board.get(), text);
}

void Program::startFeed() {
    // The command line wins over the store's FeedSettings; with neither, nothing listens.
    FeedRequest stored;
    if (m_store) {
        stored.port = m_store->read(kFeedSection, kFeedPortKey);
        stored.address = m_store->read(kFeedSection, kFeedAddressKey);
    }
    // Problems are told on the error output and, for a scorekeeper who started from the desktop, in a
    // notice over the board that leaves the board's keys and clock alone.
    const FeedPlan plan = planFeed(m_options.feed, stored);
    // The notice stands inside the board: with a public screen that is the console, never the crowd's board.
    m_feed = BoardFeed::start(plan, m_board.get(), m_engine, m_settings, [this](const QString& text) {
        if (m_board) {
            showFeedNoticeOver(m_board.get(), text);
        } else {
            m_feedProblems << text;
        }
    });
    if (m_feed && m_feed->server() != nullptr && m_feed->server()->serverPort() != 0) {
        m_feedAddress =
            u"http://%1:%2/"_s.arg(QString::fromStdString(plan.address)).arg(m_feed->server()->serverPort());
    }
}

void Program::startMqtt() {
    // The URL and CA file: the command line over the store's MqttSettings. The user name and password: the
    // environment over the store, so that neither has to be written where others can read it.
    MqttRequest stored;
    if (m_store) {
        stored.url = m_store->read(kMqttSection, kMqttUrlKey);
        stored.caFile = m_store->read(kMqttSection, kMqttCaFileKey);
        stored.user = m_store->read(kMqttSection, kMqttUserKey);
        stored.password = m_store->read(kMqttSection, kMqttPasswordKey);
    }
    MqttRequest environment;
    if (qEnvironmentVariableIsSet(kMqttUserVariable)) {
        environment.user = qEnvironmentVariable(kMqttUserVariable).toStdString();
    }
    if (qEnvironmentVariableIsSet(kMqttPasswordVariable)) {
        environment.password = qEnvironmentVariable(kMqttPasswordVariable).toStdString();
    }
    const MqttPlan plan = planMqtt(m_options.mqtt, stored, environment);
    m_mqtt = MqttPublisher::start(plan, *m_board, m_engine, m_settings,
                                  [board = m_board.get()](const QString& text) { showFeedNoticeOver(board, text); });
    if (m_mqtt) {
        QObject::connect(m_board.get(), &BoardWindow::soundStarted, m_mqtt.get(),
                         [this](bool horn) { m_mqtt->noteSound(horn); });
    }
}

void Program::openHelp() {
    // The board's command keys still work while the help is in front.
    HelpWindow* help = HelpWindow::showHelp(
        helpFolder(), [this](int keyCode) { return m_board != nullptr && m_board->takeCommandKey(keyCode); });
    // With a public board the help opens over the console, never on the crowd's screen.
    if (m_console && help != nullptr && m_console->screen() != nullptr && help->screen() != m_console->screen()) {
        help->setScreen(m_console->screen());
        help->move(m_console->geometry().center() - help->rect().center());
    }
}

void Program::openOptions() {
    if (!m_store)
        return;
    QWidget* parent = m_board ? boardWindow() : static_cast<QWidget*>(m_splash.get());
    OptionsDialog dialog(
        m_settings, *m_store, [](bool on) { num_lock_control::setNumLock(on); }, standardOptionsDialogs(), parent);
    dialog.showPublicScreenInUse(
        QString::fromStdString(screens::wantedScreenName(m_settings.PublicScreen, m_options.publicScreen)));
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    if (m_feed) {
        m_feed->refresh(); // the team names, even before the board opens
    }
    // A screen chosen in the options replaces the one from the command line for the rest of the run; an
    // untouched choice leaves the public board where it is.
    const bool screenChosen = dialog.publicScreenChanged();
    if (screenChosen) {
        m_options.publicScreen.reset();
    }
    if (!m_board) {
        return;
    }
    const QString wanted = QString::fromStdString(screens::wantedScreenName(m_settings.PublicScreen, std::nullopt));
    if (screenChosen && !wanted.isEmpty()) {
        startTwoScreens();
    }
    if (m_screens) {
        if (screenChosen) {
            m_screens->setWanted(wanted);
        }
        if (auto* view = qobject_cast<BoardView*>(m_public->view())) {
            view->refreshFromSettings();
        }
    }
}

void Program::openGameSheet() {
    if (!m_board) {
        return;
    }
    const QString folder = m_gameFiles ? QFileInfo(m_gameFiles->journal).absolutePath() : QDir::homePath();
    const QString suggested =
        QDir(folder).filePath(u"game-sheet-%1.html"_s.arg(QDateTime::currentDateTime().toString(u"yyyyMMdd-HHmm"_s)));
    const QString chosen =
        QFileDialog::getSaveFileName(boardWindow(), QCoreApplication::translate("Program", "Save the game sheet"),
                                     suggested, QCoreApplication::translate("Program", "Game sheet (*.html *.csv)"));
    if (chosen.isEmpty()) {
        return;
    }
    // The save dialog asked about the chosen file; its sibling is asked about here.
    const GameSheetSaving saving =
        saveGameSheetAs(m_board->model().state(), QString::fromStdString(m_settings.HomeText),
                        QString::fromStdString(m_settings.VisitorText), chosen, [this](const QString& text) {
                            return standardOptionsDialogs().askYesNo(boardWindow(), u"Rinkmaster"_s, text);
                        });
    if (!saving.problem.isEmpty()) {
        QMessageBox::warning(boardWindow(), u"Rinkmaster"_s, saving.problem);
        return;
    }
    if (!saving.saved) {
        return;
    }
    const GameSheetFiles& files = saving.files;
    // The printable page opens in the browser; the CSV lies beside it. Without a browser, say where both are.
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(files.html))) {
        QMessageBox::information(boardWindow(), u"Rinkmaster"_s,
                                 QCoreApplication::translate("Program", "The game sheet is saved as %1 and %2.")
                                     .arg(QDir::toNativeSeparators(files.html), QDir::toNativeSeparators(files.csv)));
    }
}

void Program::endProgram() {
    // Ends the run at once: every window closes and no further events run.
    QCoreApplication::exit(0);
}
