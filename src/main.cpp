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
    const QCommandLineOption feedOption(QStringLiteral("feed"),
                                        QStringLiteral("Serve a read-only feed of the board on <port> (overlay page, "
                                                       "/state, WebSocket /live)."),
                                        QStringLiteral("port"));
    const QCommandLineOption feedAddressOption(QStringLiteral("feed-address"),
                                               QStringLiteral("Listen on <address> instead of 127.0.0.1."),
                                               QStringLiteral("address"));
    const QCommandLineOption feedDirOption(QStringLiteral("feed-dir"),
                                           QStringLiteral("Keep the board's values as text files in <folder>."),
                                           QStringLiteral("folder"));
    parser.addOptions({feedOption, feedAddressOption, feedDirOption});
    parser.process(app);

    ProgramOptions options;
    options.arguments = QCoreApplication::arguments();
    const auto given = [&parser](const QCommandLineOption& option) -> std::optional<std::string> {
        if (!parser.isSet(option)) {
            return std::nullopt;
        }
        return parser.value(option).toStdString();
    };
    options.feed = FeedRequest{given(feedOption), given(feedAddressOption), given(feedDirOption)};
    Program program(options);
    program.start();
    return QApplication::exec();
}
