// A live-feed client for the tests: connects to a feed's WebSocket and writes every message it receives as
// one line (flushed at once) to standard output or to --out FILE. Ends after --seconds (default 30), when a
// message contains --until TEXT (exit 0), or when the feed closes the socket (exit 2). Answers pings as any
// WebSocket client does.
//   feed_client ws://127.0.0.1:8787/live [--out FILE] [--seconds N] [--until TEXT]
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QTimer>
#include <QWebSocket>
#include <cstdio>

using namespace Qt::StringLiterals;

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addPositionalArgument(u"url"_s, u"The feed's WebSocket, e.g. ws://127.0.0.1:8787/live"_s);
    const QCommandLineOption outOption(u"out"_s, u"Append messages to <file>."_s, u"file"_s);
    const QCommandLineOption secondsOption(u"seconds"_s, u"Give up after <n> seconds."_s, u"n"_s, u"30"_s);
    const QCommandLineOption untilOption(u"until"_s, u"End when a message contains <text>."_s, u"text"_s);
    parser.addOptions({outOption, secondsOption, untilOption});
    parser.addHelpOption();
    parser.process(app);
    if (parser.positionalArguments().size() != 1) {
        parser.showHelp(1);
    }

    QFile out;
    if (parser.isSet(outOption)) {
        out.setFileName(parser.value(outOption));
        if (!out.open(QIODevice::Append)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(out.fileName()));
            return 1;
        }
    } else if (!out.open(stdout, QIODevice::WriteOnly)) {
        return 1;
    }
    const QString until = parser.value(untilOption);

    QWebSocket socket;
    QObject::connect(&socket, &QWebSocket::textMessageReceived, &app, [&](const QString& message) {
        out.write(message.toUtf8() + '\n');
        out.flush();
        if (!until.isEmpty() && message.contains(until)) {
            QCoreApplication::exit(0);
        }
    });
    QObject::connect(&socket, &QWebSocket::disconnected, &app, [] { QCoreApplication::exit(2); });
    QTimer::singleShot(parser.value(secondsOption).toInt() * 1000, &app,
                       [&] { QCoreApplication::exit(until.isEmpty() ? 0 : 3); });
    socket.open(QUrl(parser.positionalArguments().constFirst()));
    return QCoreApplication::exec();
}
