// Live clients and a real browser board held through a running clock. Opens N WebSocket clients on a feed's
// /live, keeps them until the board has stood still for a while after --seconds, then checks that every client's
// last message is the feed's final /state, and (with --devtools PORT, a headless Chromium showing /board with
// remote debugging) that the browser board ends on that state too. Prints messages per client, drops and the
// result. With --evaluate EXPR it only prints what EXPR gives in the browser's page (for the tests).
//   bench_browser_board --feed http://127.0.0.1:PORT [--clients N (100)] [--seconds S (30)] [--devtools PORT]
//   bench_browser_board --devtools PORT --evaluate EXPR
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>
#include <QWebSocket>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

std::optional<QByteArray> httpGet(QNetworkAccessManager& net, const QUrl& url, int timeoutMs = 5000) {
    QNetworkRequest request(url);
    request.setTransferTimeout(timeoutMs);
    std::unique_ptr<QNetworkReply> reply(net.get(request));
    QEventLoop loop;
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
    if (reply->error() != QNetworkReply::NoError) {
        return std::nullopt;
    }
    return reply->readAll();
}

// What an expression gives in the browser's first page, through Chromium's remote debugging protocol.
std::optional<QString> evaluate(QNetworkAccessManager& net, int devtoolsPort, const QString& expression) {
    const auto list = httpGet(net, QUrl(u"http://127.0.0.1:%1/json/list"_s.arg(devtoolsPort)));
    if (!list) {
        return std::nullopt;
    }
    QString target;
    for (const QJsonValue v : QJsonDocument::fromJson(*list).array()) {
        const QJsonObject page = v.toObject();
        if (page.value(u"type"_s).toString() == u"page"_s) {
            target = page.value(u"webSocketDebuggerUrl"_s).toString();
            break;
        }
    }
    if (target.isEmpty()) {
        return std::nullopt;
    }
    QWebSocket socket;
    QEventLoop loop;
    std::optional<QString> answer;
    QObject::connect(&socket, &QWebSocket::connected, &socket, [&] {
        const QJsonObject params{{u"expression"_s, expression}, {u"returnByValue"_s, true}};
        const QJsonObject call{{u"id"_s, 1}, {u"method"_s, u"Runtime.evaluate"_s}, {u"params"_s, params}};
        socket.sendTextMessage(QString::fromUtf8(QJsonDocument(call).toJson(QJsonDocument::Compact)));
    });
    QObject::connect(&socket, &QWebSocket::textMessageReceived, &socket, [&](const QString& text) {
        const QJsonObject reply = QJsonDocument::fromJson(text.toUtf8()).object();
        if (reply.value(u"id"_s).toInt() != 1) {
            return;
        }
        const QJsonValue value = reply.value(u"result"_s).toObject().value(u"result"_s).toObject().value(u"value"_s);
        if (value.isString()) {
            answer = value.toString();
        } else if (value.isBool()) {
            answer = value.toBool() ? u"true"_s : u"false"_s;
        } else if (value.isDouble()) {
            answer = QString::number(value.toDouble());
        } else if (value.isObject() || value.isArray()) {
            answer =
                QString::fromUtf8(value.isObject() ? QJsonDocument(value.toObject()).toJson(QJsonDocument::Compact)
                                                   : QJsonDocument(value.toArray()).toJson(QJsonDocument::Compact));
        } else {
            answer = u"null"_s;
        }
        loop.quit();
    });
    QObject::connect(&socket, &QWebSocket::disconnected, &loop, &QEventLoop::quit);
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    socket.open(QUrl(target));
    loop.exec();
    return answer;
}

struct Client {
    std::unique_ptr<QWebSocket> socket;
    QString last;
    int messages = 0;
    bool closed = false;
};

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption feedOption(u"feed"_s, u"The feed, e.g. http://127.0.0.1:8787"_s, u"url"_s);
    const QCommandLineOption clientsOption(u"clients"_s, u"Live clients to hold (at most 500)."_s, u"n"_s, u"100"_s);
    const QCommandLineOption secondsOption(u"seconds"_s, u"How long the clock runs."_s, u"s"_s, u"30"_s);
    const QCommandLineOption devtoolsOption(u"devtools"_s, u"Chromium's remote debugging port."_s, u"port"_s);
    const QCommandLineOption evaluateOption(u"evaluate"_s, u"Print what an expression gives in the page."_s,
                                            u"expression"_s);
    parser.addOptions({feedOption, clientsOption, secondsOption, devtoolsOption, evaluateOption});
    parser.addHelpOption();
    parser.process(app);
    QNetworkAccessManager net;
    const int devtools = parser.value(devtoolsOption).toInt();

    if (parser.isSet(evaluateOption)) {
        const auto value = evaluate(net, devtools, parser.value(evaluateOption));
        if (!value) {
            std::fprintf(stderr, "no answer from the browser on port %d\n", devtools);
            return 1;
        }
        std::printf("%s\n", qPrintable(*value));
        return 0;
    }

    const QUrl feed(parser.value(feedOption));
    if (!feed.isValid() || feed.host().isEmpty()) {
        parser.showHelp(1);
    }
    const int count = std::clamp(parser.value(clientsOption).toInt(), 0, 500);
    const int seconds = std::clamp(parser.value(secondsOption).toInt(), 1, 3600);
    QUrl live = feed;
    live.setScheme(u"ws"_s);
    live.setPath(u"/live"_s);

    std::vector<Client> clients(static_cast<std::size_t>(count));
    int connected = 0;
    for (Client& c : clients) {
        c.socket = std::make_unique<QWebSocket>();
        QObject::connect(c.socket.get(), &QWebSocket::connected, [&connected] { ++connected; });
        QObject::connect(c.socket.get(), &QWebSocket::textMessageReceived, [&c](const QString& text) {
            c.last = text;
            ++c.messages;
        });
        QObject::connect(c.socket.get(), &QWebSocket::disconnected, [&c] { c.closed = true; });
        c.socket->open(live);
    }
    QElapsedTimer clock;
    clock.start();
    std::printf("holding %d live clients for %d s ...\n", count, seconds);
    std::fflush(stdout);

    // The run, then until /state has not changed for two seconds (the clock has stopped).
    QByteArray lastState;
    qint64 stillSince = 0;
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QUrl stateUrl = feed;
        stateUrl.setPath(u"/state"_s);
        const QByteArray state = httpGet(net, stateUrl).value_or(QByteArray());
        if (state != lastState) {
            lastState = state;
            stillSince = clock.elapsed();
        }
        if (clock.elapsed() > seconds * 1000LL && clock.elapsed() - stillSince > 2000) {
            loop.quit();
        }
    });
    poll.start(500);
    loop.exec();
    // Let the last pushes arrive.
    QTimer::singleShot(500, &loop, &QEventLoop::quit);
    loop.exec();

    const QString finalState = QString::fromUtf8(lastState);
    int onFinal = 0;
    int dropped = 0;
    std::vector<int> messages;
    for (const Client& c : clients) {
        onFinal += c.last == finalState ? 1 : 0;
        dropped += c.closed ? 1 : 0;
        messages.push_back(c.messages);
    }
    std::sort(messages.begin(), messages.end());
    std::printf("clients connected %d of %d, dropped %d, ending on the final state %d\n", connected, count, dropped,
                onFinal);
    if (!messages.empty()) {
        std::printf("messages per client: min %d, median %d, max %d over %.1f s\n", messages.front(),
                    messages[messages.size() / 2], messages.back(), static_cast<double>(clock.elapsed()) / 1000.0);
    }
    bool browserOk = true;
    if (devtools > 0) {
        const auto shown = evaluate(net, devtools, u"window.rinkmasterBoard.lastState()"_s);
        const auto connection = evaluate(net, devtools, u"document.body.dataset.connection"_s);
        browserOk = shown && *shown == finalState && connection && *connection == u"live"_s;
        std::printf("browser board: connection %s, %s the final state\n",
                    connection ? qPrintable(*connection) : "unknown", browserOk ? "ends on" : "does NOT end on");
    }
    std::printf("final state: %s\n", qPrintable(finalState));
    const bool ok = connected == count && dropped == 0 && onFinal == count && browserOk;
    std::printf("%s\n", ok ? "PASS" : "FAIL");
    return ok ? 0 : 1;
}
