#include "Program.h"
#include "app/ProgramFiles.h"
#include "app/frmSplash.h"
#include "board/frmScoreBoard.h"
#include "core/settings/SettingsStore.h"
#include "feed/BoardFeed.h"
#include "game/GameFiles.h"
#include "game/GameLock.h"
#include "help/frmHelp.h"
#include "input/modGrabKeys.h"
#include "settings/OptionsDialogs.h"
#include "settings/SettingsErrorReporter.h"
#include "settings/SettingsSetup.h"
#include "settings/frmOptions.h"
#include "sound/WavSoundDevice.h"
#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QLocale>
#include <QMessageBox>
#include <QTimer>

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
    m_feed.reset();
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
    }
    SplashServices services;
    services.loadSettings = [this] { loadSettings(); };
    services.showScoreBoard = [this] { showScoreBoard(); };
    services.openHelp = [this] { openHelp(); };
    services.openOptions = [this] { openOptions(); };
    services.endProgram = [this] { endProgram(); };
    m_splash = std::make_unique<frmSplash>(services);
    m_splash->show();
    return true;
}

void Program::loadSettings() {
    m_store = openSettingsStore(m_options.arguments);
    LoadSettings(m_settings, *m_store, soundFolder(), nativePathSeparator(),
                 [](bool on) { modGrabKeys::SetNumLock(on); });
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
        services.setNumLock = [](bool on) { modGrabKeys::SetNumLock(on); };
        services.endProgram = [this] { endProgram(); };
        m_board = std::make_unique<frmScoreBoard>(m_settings, m_engine, *m_buzzer, *m_horn, services);
        startFeed();
    }
    m_board->show();
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
    m_feed = BoardFeed::start(planFeed(m_options.feed, stored), *m_board, m_engine, m_settings,
                              [board = m_board.get()](const QString& text) { showFeedNoticeOver(board, text); });
}

void Program::openHelp() {
    frmHelp::showHelp(helpFolder());
}

void Program::openOptions() {
    if (!m_store)
        return;
    QWidget* parent = m_board ? static_cast<QWidget*>(m_board.get()) : static_cast<QWidget*>(m_splash.get());
    frmOptions dialog(
        m_settings, *m_store, [](bool on) { modGrabKeys::SetNumLock(on); }, standardOptionsDialogs(), parent);
    dialog.exec();
}

void Program::endProgram() {
    // Ends the run at once: every window closes and no further events run.
    QCoreApplication::exit(0);
}
