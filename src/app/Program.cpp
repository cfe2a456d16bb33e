#include "Program.h"
#include "app/frmSplash.h"
#include "board/frmScoreBoard.h"
#include "sound/SoundDevice.h"
#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QTimer>

namespace {

QString programFolder() { return QDir::toNativeSeparators(QCoreApplication::applicationDirPath()); }

bool systemUsesTwelveHourClock() {
    const QString format = QLocale::system().timeFormat(QLocale::ShortFormat);
    return format.contains(QLatin1Char('a'), Qt::CaseInsensitive);
}

} // namespace

Program::Program(ProgramOptions options)
    : m_options(std::move(options)), m_buzzer(std::make_unique<SoundDevice>()),
      m_horn(std::make_unique<SoundDevice>()) {
    m_engine.beep = [] { QApplication::beep(); };
}

Program::~Program() {
    m_board.reset();
    m_splash.reset();
}

void Program::start() {
    SplashServices services;
    services.loadSettings = [this] { loadSettings(); };
    services.showScoreBoard = [this] { showScoreBoard(); };
    services.openHelp = [this] { openHelp(); };
    services.openOptions = [this] { openOptions(); };
    services.endProgram = [this] { endProgram(); };
    m_splash = std::make_unique<frmSplash>(services);
    m_splash->show();
}

void Program::loadSettings() {
    const QString folder = programFolder();
    m_settings.BuzzerFile = QDir::toNativeSeparators(QDir(folder).filePath(QStringLiteral("buzzer.wav"))).toStdString();
    m_settings.HornFile = QDir::toNativeSeparators(QDir(folder).filePath(QStringLiteral("horn.wav"))).toStdString();
}

void Program::showScoreBoard() {
    if (!m_board) {
        BoardServices services;
        services.openHelp = [this] { openHelp(); };
        services.openOptions = [this] { openOptions(); };
        services.twelveHourClock = systemUsesTwelveHourClock;
        services.beep = [] { QApplication::beep(); };
        services.endProgram = [this] { endProgram(); };
        m_board = std::make_unique<frmScoreBoard>(m_settings, m_engine, *m_buzzer, *m_horn, services);
    }
    m_board->show();
}

void Program::openHelp() {}

void Program::openOptions() {}

void Program::endProgram() {
    // Ends the run at once: every window closes and no further events run.
    QCoreApplication::exit(0);
}
