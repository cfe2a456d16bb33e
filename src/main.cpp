#include "app/Program.h"
#include "core/app/Language.h"
#include <QApplication>
#include <QCommandLineParser>
#include <QDebug>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

// The program's command line: its options and their help texts.
struct CommandLine {
    QCommandLineParser parser;
    QCommandLineOption settings{QStringLiteral("settings"),
                                QStringLiteral("Keep the settings in <file> instead of the user's store."),
                                QStringLiteral("file")};
    QCommandLineOption feed{QStringLiteral("feed"),
                            QStringLiteral("Serve a read-only feed of the board on <port> (overlay page, "
                                           "/state, WebSocket /live)."),
                            QStringLiteral("port")};
    QCommandLineOption feedAddress{QStringLiteral("feed-address"),
                                   QStringLiteral("Listen on <address> instead of 127.0.0.1."),
                                   QStringLiteral("address")};
    QCommandLineOption language{QStringLiteral("language"),
                                QStringLiteral("Show the windows in language <code> (en, fr, de) instead of the "
                                               "system's language."),
                                QStringLiteral("code")};
    QCommandLineOption feedDir{QStringLiteral("feed-dir"),
                               QStringLiteral("Keep the board's values as text files in <folder>."),
                               QStringLiteral("folder")};
    QCommandLineOption mqtt{QStringLiteral("mqtt"),
                            QStringLiteral("Publish the board through the MQTT broker at <url> "
                                           "(mqtt://host[:port]/prefix or mqtts://...; user name and password from "
                                           "the settings or RINKMASTER_MQTT_USER and RINKMASTER_MQTT_PASSWORD)."),
                            QStringLiteral("url")};
    QCommandLineOption mqttCa{QStringLiteral("mqtt-ca"),
                              QStringLiteral("Trust the broker certificates signed by the CA in <file> (mqtts://)."),
                              QStringLiteral("file")};
    QCommandLineOption newGame{QStringLiteral("new-game"),
                               QStringLiteral("Start a fresh game without offering the saved one.")};
    QCommandLineOption publicScreen{
        QStringLiteral("public-screen"),
        QStringLiteral("Show the public board full-screen on the screen named <name> (an empty name: this window "
                       "only); wins over the stored choice."),
        QStringLiteral("name")};

    CommandLine() {
        parser.setApplicationDescription(QStringLiteral("Rinkmaster, the ice-hockey scoreboard."));
        parser.addHelpOption();
        parser.addVersionOption();
        parser.addOptions({settings, language, feed, feedAddress, feedDir, mqtt, mqttCa, newGame, publicScreen});
    }

    // True when the command line asks only for text (help, version) or holds a mistake to report: answered
    // without a display.
    bool answersInText(const QStringList& arguments) {
        if (!parser.parse(arguments))
            return true;
        const QStringList textOnly{QStringLiteral("h"),        QStringLiteral("?"), QStringLiteral("help"),
                                   QStringLiteral("help-all"), QStringLiteral("v"), QStringLiteral("version")};
        for (const QString& name : parser.optionNames()) {
            if (textOnly.contains(name))
                return true;
        }
        return false;
    }
};

QStringList argumentList(int argc, char* argv[]) {
    QStringList list;
    for (int i = 0; i < argc; ++i)
        list.append(QString::fromLocal8Bit(argv[i]));
    return list;
}

// Puts the windows into the chosen language: the program's own texts and Qt's (dialog buttons, choosers). The
// English texts are the program's own, so English needs no translation.
void installTranslations(QCoreApplication& app, const std::optional<std::string>& requested) {
    std::vector<std::string> systemLanguages;
    for (const QString& tag : QLocale::system().uiLanguages())
        systemLanguages.push_back(tag.toStdString());
    const LanguageChoice choice = chooseLanguage(requested, systemLanguages, {"en", "fr", "de"});
    if (choice.problem)
        qWarning().noquote() << QString::fromStdString(*choice.problem);
    if (choice.code == "en")
        return;
    const QString code = QString::fromStdString(choice.code);
    auto* own = new QTranslator(&app);
    if (own->load(QStringLiteral(":/i18n/rinkmaster_") + code))
        QCoreApplication::installTranslator(own);
    else
        qWarning().noquote()
            << QStringLiteral("The translation for \"%1\" is missing; the windows stay in English.").arg(code);
    auto* qt = new QTranslator(&app);
    if (qt->load(QStringLiteral("qtbase_") + code, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication::setApplicationName(QStringLiteral("Rinkmaster"));
    QCoreApplication::setOrganizationName(QStringLiteral("Rinkmaster"));
    QCoreApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                                .arg(RINKMASTER_VERSION_MAJOR)
                                                .arg(RINKMASTER_VERSION_MINOR)
                                                .arg(RINKMASTER_VERSION_PATCH));

    CommandLine line;
    if (line.answersInText(argumentList(argc, argv))) {
        // Help, the version and mistakes on the command line need no display: a plain application prints
        // them and ends the program.
        QCoreApplication text(argc, argv);
        line.parser.process(text);
        return 0;
    }

    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    // Ties the windows to the menu entry and its icon (Wayland asks for it by name).
    QGuiApplication::setDesktopFileName(QStringLiteral(RINKMASTER_APP_ID));

    installTranslations(app, line.parser.isSet(line.language)
                                 ? std::optional<std::string>(line.parser.value(line.language).toStdString())
                                 : std::nullopt);

    ProgramOptions options;
    options.arguments = QCoreApplication::arguments();
    const auto given = [&line](const QCommandLineOption& option) -> std::optional<std::string> {
        if (!line.parser.isSet(option)) {
            return std::nullopt;
        }
        return line.parser.value(option).toStdString();
    };
    options.feed = FeedRequest{given(line.feed), given(line.feedAddress), given(line.feedDir)};
    options.mqtt.url = given(line.mqtt);
    options.mqtt.caFile = given(line.mqttCa);
    options.newGame = line.parser.isSet(line.newGame);
    options.publicScreen = given(line.publicScreen);
    Program program(options);
    if (!program.start()) {
        return 1;
    }
    return QApplication::exec();
}
