#include "app/Program.h"
#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Rinkmaster"));
    QApplication::setOrganizationName(QStringLiteral("Rinkmaster"));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(RINKMASTER_VERSION_MAJOR)
                                            .arg(RINKMASTER_VERSION_MINOR)
                                            .arg(RINKMASTER_VERSION_PATCH));
    QApplication::setQuitOnLastWindowClosed(false);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Rinkmaster, the ice-hockey scoreboard."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption settingsOption(QStringLiteral("settings"),
                                            QStringLiteral("Keep the settings in <file> instead of the user's store."),
                                            QStringLiteral("file"));
    parser.addOption(settingsOption);
    parser.process(app);

    ProgramOptions options;
    options.arguments = QCoreApplication::arguments();
    Program program(options);
    program.start();
    return QApplication::exec();
}
