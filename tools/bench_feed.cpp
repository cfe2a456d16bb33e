// How fast the feed's live socket delivers the board's changes, and what serving it costs the tick.
// A real board (offscreen) runs a game on the real clock with its own 100 ms tick; a score is typed every
// 300 ms as key events. The feed listens on the loopback address; clients in a thread of their own receive
// the pushes. Prints, for 0 and N clients: push latency percentiles (change on the board -> message at the
// client), the tick's period and its duration (the board's tick with the feed's look and push), and whether
// a client that stops reading was dropped. Then, under N connections that trickle their requests a byte at a
// time and reconnect whenever they are closed, how many of 100 plain GET /state requests (one every 300 ms, each
// on a new connection, 2 s to answer) are answered; and a live client that sends pings as fast as it can: how
// many pongs it got before the feed closed it. Bounded: at most 200 clients, 500 trickles, 60 s a phase,
// loopback only.
//   bench_feed [--clients N (100)] [--seconds S (20)] [--trickles N (300)]
#include "board/BoardWindow.h"
#include "core/board/ClockSource.h"
#include "core/settings/Settings.h"
#include "feed/BoardFeed.h"
#include "feed/FeedServer.h"
#include "sound/SoundDevice.h"
#include "support/BenchSupport.h"
#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>
#include <QWebSocket>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// When each published document's change happened on the board, shared with the client thread.
struct ChangeLog {
    std::mutex lock;
    std::map<QByteArray, Clock::time_point> changedAt;
    std::map<QByteArray, bool> byKey;
};

// Times the board's tick from the moment its timer fires to the end of everything that runs in that timer
// event: the board's own tick handler and, connected after it, the feed's look and push.
constexpr double kTickFollowMs = 20.0;

class TickWatch : public QObject {
public:
    std::vector<double> periods;
    std::vector<double> durations;
    Clock::time_point lastStart{};
    Clock::time_point start{};
    bool inTick = false;
    // A tick whose change has not been published yet: the feed may publish it during the tick or just after (a
    // push within kTickFollowMs of the tick's start, with no key between, counts from the tick).
    bool unclaimed = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Timer || inTick) {
            return QObject::eventFilter(watched, event);
        }
        inTick = true;
        unclaimed = true;
        start = Clock::now();
        if (lastStart != Clock::time_point{}) {
            periods.push_back(msSince(lastStart, start));
        }
        lastStart = start;
        watched->event(event);
        durations.push_back(msSince(start, Clock::now()));
        inTick = false;
        return true;
    }
};

// The clients, living in their own thread: every message's arrival is matched to its change on the board.
class Clients : public QObject {
public:
    Clients(ChangeLog& log, QUrl url, int count) : m_log(log), m_url(std::move(url)), m_count(count) {}

    void open() {
        for (int i = 0; i < m_count; ++i) {
            auto* ws = new QWebSocket(QString(), QWebSocketProtocol::VersionLatest, this);
            // The first message is the state at connection time, not a change: not timed.
            connect(ws, &QWebSocket::textMessageReceived, this, [this, first = true](const QString& message) mutable {
                const auto now = Clock::now();
                if (first) {
                    first = false;
                    return;
                }
                const QByteArray doc = message.toUtf8();
                std::lock_guard guard(m_log.lock);
                const auto it = m_log.changedAt.find(doc);
                if (it == m_log.changedAt.end()) {
                    ++unmatchedCount;
                    return;
                }
                (m_log.byKey[doc] ? keyLatenciesSeen : latenciesSeen).push_back(msSince(it->second, now));
                ++receivedCount;
            });
            ws->open(m_url);
            m_sockets.push_back(ws);
        }
        // A client that completes the handshake and then reads nothing: it must be dropped, never waited for.
        m_stalled = new QTcpSocket(this);
        m_stalled->setReadBufferSize(1);
        m_stalled->connectToHost(QHostAddress::LocalHost, static_cast<quint16>(m_url.port()));
        connect(m_stalled, &QTcpSocket::connected, this, [this] {
            m_stalled->write("GET /live HTTP/1.1\r\nHost: 127.0.0.1\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
                             "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n\r\n");
        });
    }
    void close() {
        for (QWebSocket* ws : m_sockets) {
            ws->abort();
        }
        if (m_stalled) {
            m_stalled->abort();
        }
    }
    int connected() const {
        return static_cast<int>(std::count_if(m_sockets.begin(), m_sockets.end(), [](const QWebSocket* ws) {
            return ws->state() == QAbstractSocket::ConnectedState;
        }));
    }

    std::vector<double> latenciesSeen;
    std::vector<double> keyLatenciesSeen;
    long receivedCount = 0;
    long unmatchedCount = 0;

private:
    ChangeLog& m_log;
    QUrl m_url;
    int m_count;
    std::vector<QWebSocket*> m_sockets;
    QTcpSocket* m_stalled = nullptr;
};

// Connections that trickle a request a byte at a time and come back as soon as they are closed, and a prober
// asking GET /state whole every 300 ms on a fresh connection; all in the client thread.
class Trickles : public QObject {
public:
    Trickles(quint16 port, int count) : m_port(port), m_count(count) {}

    void open() {
        for (int i = 0; i < m_count; ++i) {
            auto* s = new QTcpSocket(this);
            connect(s, &QTcpSocket::disconnected, this, [this, s] {
                ++reconnectCount;
                QTimer::singleShot(10, s, [this, s] { connectOne(s); });
            });
            connect(s, &QTcpSocket::errorOccurred, this, [this, s](QAbstractSocket::SocketError) {
                if (s->state() == QAbstractSocket::UnconnectedState) {
                    QTimer::singleShot(50, s, [this, s] { connectOne(s); });
                }
            });
            connect(s, &QTcpSocket::connected, this, [s] { s->setProperty("sent", 0); });
            connectOne(s);
            m_sockets.push_back(s);
        }
        // One byte of a request to every open trickle each 200 ms: never a whole request within the deadline.
        m_drip = new QTimer(this);
        connect(m_drip, &QTimer::timeout, this, [this] {
            static const QByteArray kRequest = "GET /state HTTP/1.1\r\nHost: 127.0.0.1\r\nX-Slow: "_ba;
            for (QTcpSocket* s : m_sockets) {
                if (s->state() == QAbstractSocket::ConnectedState) {
                    const int sent = s->property("sent").toInt();
                    s->write(kRequest.mid(sent % kRequest.size(), 1));
                    s->setProperty("sent", sent + 1);
                }
            }
        });
        m_drip->start(200);
    }
    void startProbes(int count) {
        m_probesLeft = count;
        m_probe = new QTimer(this);
        connect(m_probe, &QTimer::timeout, this, [this] { probe(); });
        m_probe->start(300);
    }
    void close() {
        m_drip->stop();
        for (QTcpSocket* s : m_sockets) {
            s->disconnect(this);
            s->abort();
        }
    }
    int connected() const {
        return static_cast<int>(std::count_if(m_sockets.begin(), m_sockets.end(), [](const QTcpSocket* s) {
            return s->state() == QAbstractSocket::ConnectedState;
        }));
    }
    bool probing() const { return m_probesLeft > 0 || m_probesOpen > 0; }

    int askedCount = 0;
    int answeredCount = 0;
    int cutCount = 0;      // closed by the feed before an answer
    int timedOutCount = 0; // no answer within 2 s
    long reconnectCount = 0;
    std::vector<double> probeTimesMs;

private:
    void connectOne(QTcpSocket* s) {
        if (s->state() == QAbstractSocket::UnconnectedState) {
            s->connectToHost(QHostAddress::LocalHost, m_port);
        }
    }
    void probe() {
        if (m_probesLeft <= 0) {
            m_probe->stop();
            return;
        }
        --m_probesLeft;
        ++askedCount;
        ++m_probesOpen;
        auto* s = new QTcpSocket(this);
        const auto started = Clock::now();
        auto done = std::make_shared<bool>(false);
        const auto finish = [this, s, done](bool answered, Clock::time_point from) {
            if (*done) {
                return;
            }
            *done = true;
            --m_probesOpen;
            if (answered) {
                ++answeredCount;
                probeTimesMs.push_back(msSince(from, Clock::now()));
            }
            s->abort();
            s->deleteLater();
        };
        connect(s, &QTcpSocket::connected, this,
                [s] { s->write("GET /state HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n"); });
        connect(s, &QTcpSocket::readyRead, this, [s, finish, started] {
            s->setProperty("got", QByteArray(s->property("got").toByteArray() + s->readAll()));
            const QByteArray got = s->property("got").toByteArray();
            if (got.startsWith("HTTP/1.1 200") && got.contains("\r\n\r\n{") && got.endsWith('}')) {
                finish(true, started);
            }
        });
        connect(s, &QTcpSocket::disconnected, this, [this, done, finish, started] {
            cutCount += *done ? 0 : 1;
            finish(false, started);
        });
        QTimer::singleShot(2000, s, [this, done, finish, started] {
            timedOutCount += *done ? 0 : 1;
            finish(false, started);
        });
        s->connectToHost(QHostAddress::LocalHost, m_port);
    }

    quint16 m_port;
    int m_count;
    std::vector<QTcpSocket*> m_sockets;
    QTimer* m_drip = nullptr;
    QTimer* m_probe = nullptr;
    int m_probesLeft = 0;
    int m_probesOpen = 0;
};

// A live client that pings as fast as the socket takes it, counting the pongs, until the feed closes it.
class PingFlood : public QObject {
public:
    explicit PingFlood(QUrl url) : m_url(std::move(url)) {}
    void open() {
        m_ws = new QWebSocket(QString(), QWebSocketProtocol::VersionLatest, this);
        connect(m_ws, &QWebSocket::pong, this, [this] { ++pongCount; });
        connect(m_ws, &QWebSocket::disconnected, this, [this] { wasClosed = true; });
        connect(m_ws, &QWebSocket::connected, this, [this] {
            m_pump = new QTimer(this);
            connect(m_pump, &QTimer::timeout, this, [this] {
                for (int i = 0; i < 50 && pingCount < 5000 && !wasClosed; ++i) {
                    m_ws->ping();
                    ++pingCount;
                }
            });
            m_pump->start(1);
        });
        m_ws->open(m_url);
    }
    void close() {
        if (m_pump) {
            m_pump->stop();
        }
        m_ws->abort();
    }
    int pingCount = 0;
    int pongCount = 0;
    bool wasClosed = false;

private:
    QUrl m_url;
    QWebSocket* m_ws = nullptr;
    QTimer* m_pump = nullptr;
};

void sendKey(QWidget* target, Qt::Key key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(target, &release);
}

void runOnThread(QObject* context, const std::function<void()>& f) {
    QMetaObject::invokeMethod(context, f, Qt::BlockingQueuedConnection);
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption clientsOption(u"clients"_s, u"Live clients in the second phase (1..200)."_s, u"n"_s,
                                           u"100"_s);
    const QCommandLineOption secondsOption(u"seconds"_s, u"Length of each phase (5..60)."_s, u"s"_s, u"20"_s);
    const QCommandLineOption tricklesOption(u"trickles"_s, u"Trickling connections (0..500; 0 skips)."_s, u"n"_s,
                                            u"300"_s);
    parser.addOptions({clientsOption, secondsOption, tricklesOption});
    parser.addHelpOption();
    parser.process(app);
    const int clientCount = std::clamp(parser.value(clientsOption).toInt(), 1, 200);
    const int seconds = std::clamp(parser.value(secondsOption).toInt(), 5, 60);
    const int trickleCount = std::clamp(parser.value(tricklesOption).toInt(), 0, 500);

    SettingsVariables settings = defaultSettings("/nonexistent", '/');
    settings.BuzzerFile.clear();
    settings.HornFile.clear();
    SteadyClockSource clock;
    ClockEngine engine(clock);
    SilentDevice buzzer;
    SilentDevice horn;
    BoardWindow board(settings, engine, buzzer, horn, BoardServices{});
    board.show();
    QApplication::processEvents();
    TickWatch tickWatch;
    board.findChild<BoardTick*>(QStringLiteral("tmrClock1"))->shot().installEventFilter(&tickWatch);

    BoardFeed feed(board, engine, settings);
    QString error;
    if (!feed.listen(QHostAddress::LocalHost, 0, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    FeedServer* server = feed.server();
    const QUrl url(u"ws://127.0.0.1:%1/live"_s.arg(server->serverPort()));

    // What changed the board last: a typed score (its key's moment) or the tick (the moment it fired).
    ChangeLog log;
    Clock::time_point keyAt{};
    bool keyPending = false;
    long published = 0;
    long byTick = 0;
    long byKeys = 0;
    QObject::connect(server, &FeedServer::published, &app, [&](const QByteArray& doc) {
        const auto now = Clock::now();
        Clock::time_point cause = now;
        bool byKey = false;
        if (keyPending) {
            cause = keyAt;
            byKey = true;
            keyPending = false;
            ++byKeys;
        } else if (tickWatch.inTick || (tickWatch.unclaimed && msSince(tickWatch.start, now) < kTickFollowMs)) {
            cause = tickWatch.start;
            ++byTick;
        }
        tickWatch.unclaimed = false;
        std::lock_guard guard(log.lock);
        log.changedAt[doc] = cause;
        log.byKey[doc] = byKey;
        ++published;
    });

    // A game in play: 20:00 and two penalties, all running; a goal or a correction every 300 ms.
    engine.setClock(secondsToTime(1200), 0, 0);
    board.findChild<PictureBoxControl*>(QStringLiteral("HomeBack"))->setFocus();
    QTimer typing;
    int typed = 0;
    QObject::connect(&typing, &QTimer::timeout, &app, [&] {
        const bool up = (typed++ / 5) % 2 == 0;
        sendKey(board.findChild<PictureBoxControl*>(QStringLiteral("HomeBack")), up ? Qt::Key_Plus : Qt::Key_Minus,
                up ? u"+"_s : u"-"_s);
        keyAt = Clock::now();
        keyPending = true;
        sendKey(board.findChild<PictureBoxControl*>(QStringLiteral("HomeBack")), Qt::Key_1, u"1"_s);
    });

    QThread clientThread;
    clientThread.start();

    std::printf("feed benchmark: %d s per phase, loopback, a score typed every 300 ms\n", seconds);
    std::printf("%-8s %9s %9s %9s %9s %9s %9s | %9s %9s %9s | %9s %9s %9s\n", "clients", "pushes", "lat p50", "lat p90",
                "lat p99", "lat max", "key p99", "period p50", "p99", "max", "tick p50", "p99", "max");
    for (int phase = 0; phase < 2; ++phase) {
        const int n = phase == 0 ? 0 : clientCount;
        std::unique_ptr<Clients> clients;
        if (n > 0) {
            clients = std::make_unique<Clients>(log, url, n);
            clients->moveToThread(&clientThread);
            runOnThread(clients.get(), [&] { clients->open(); });
            QElapsedTimer wait;
            wait.start();
            while (server->liveClientCount() < n + 1 && wait.elapsed() < 10000) {
                QApplication::processEvents(QEventLoop::AllEvents, 20);
            }
        }
        const int droppedBefore = server->droppedClients();
        tickWatch.periods.clear();
        tickWatch.durations.clear();
        tickWatch.lastStart = {};
        published = 0;
        byTick = 0;
        byKeys = 0;
        for (int c = 0; c <= 4; ++c) {
            engine.stopClock(c);
        }
        for (int c : {1, 3}) {
            // 9:00 typed into the penalty clock, as the scorekeeper does.
            board.keyDown(penaltyField(c), '9');
            board.keyDown(penaltyField(c), '\r');
        }
        board.handleCommandKey(settings.StartStopClockKey);
        typing.start(300);
        QElapsedTimer run;
        run.start();
        while (run.elapsed() < qint64{seconds} * 1000) {
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        }
        typing.stop();
        board.handleCommandKey(settings.StartStopClockKey);
        // Let the last pushes arrive.
        QElapsedTimer settle;
        settle.start();
        while (settle.elapsed() < 300) {
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        }

        std::vector<double> latencies;
        std::vector<double> keyLatencies;
        long received = 0;
        long unmatched = 0;
        int stillConnected = 0;
        if (clients) {
            runOnThread(clients.get(), [&] {
                latencies = clients->latenciesSeen;
                keyLatencies = clients->keyLatenciesSeen;
                received = clients->receivedCount;
                unmatched = clients->unmatchedCount;
                stillConnected = clients->connected();
                clients->close();
            });
            clients.release()->deleteLater();
        }
        std::vector<double> all = latencies;
        all.insert(all.end(), keyLatencies.begin(), keyLatencies.end());
        std::printf(
            "%-8d %9ld %6.2f ms %6.2f ms %6.2f ms %6.2f ms %6.2f ms | %6.2f ms %6.2f ms %6.2f ms | %6.3f ms "
            "%6.3f ms %6.3f ms\n",
            n, published, percentile(all, 0.5), percentile(all, 0.9), percentile(all, 0.99),
            all.empty() ? 0.0 : *std::max_element(all.begin(), all.end()), percentile(keyLatencies, 0.99),
            percentile(tickWatch.periods, 0.5), percentile(tickWatch.periods, 0.99),
            tickWatch.periods.empty() ? 0.0 : *std::max_element(tickWatch.periods.begin(), tickWatch.periods.end()),
            percentile(tickWatch.durations, 0.5), percentile(tickWatch.durations, 0.99),
            tickWatch.durations.empty() ? 0.0
                                        : *std::max_element(tickWatch.durations.begin(), tickWatch.durations.end()));
        std::printf(
            "         pushes after the tick: %ld, after typed keys: %ld, other (the feed's own look: each tenth "
            "while the game clock shows tenths): %ld\n",
            byTick, byKeys, published - byTick - byKeys);
        if (n > 0) {
            const long expected = published * n; // every change to every client
            const long within100 = std::count_if(all.begin(), all.end(), [](double ms) { return ms <= 100.0; });
            std::printf("         %d clients connected (+1 that stops reading); %ld of %ld expected messages received "
                        "(%ld unmatched), %.2f%% within 100 ms; %d of %d still connected at the end; "
                        "clients dropped for not reading: %d\n",
                        n, received, expected, unmatched,
                        all.empty() ? 0.0 : 100.0 * static_cast<double>(within100) / static_cast<double>(all.size()),
                        stillConnected, n, server->droppedClients() - droppedBefore);
        }
        QElapsedTimer gone;
        gone.start();
        while (server->liveClientCount() > 0 && gone.elapsed() < 3000) {
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        }
    }
    const auto runFor = [](const std::function<bool()>& until, int ms) {
        QElapsedTimer t;
        t.start();
        while (!until() && t.elapsed() < ms) {
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        }
    };
    if (trickleCount > 0) {
        // The clock runs on as in a game; the trickles fill the feed first, then the probes ask.
        board.handleCommandKey(settings.StartStopClockKey);
        auto trickles = std::make_unique<Trickles>(server->serverPort(), trickleCount);
        trickles->moveToThread(&clientThread);
        runOnThread(trickles.get(), [&] { trickles->open(); });
        runFor([] { return false; }, 3000);
        int open = 0;
        runOnThread(trickles.get(), [&] {
            open = trickles->connected();
            trickles->startProbes(100);
        });
        const int refusedBefore = server->refusedConnections();
        bool probing = true;
        runFor(
            [&] {
                runOnThread(trickles.get(), [&] { probing = trickles->probing(); });
                return !probing;
            },
            40'000);
        int asked = 0;
        int answered = 0;
        int cut = 0;
        int timedOut = 0;
        long reconnects = 0;
        std::vector<double> probeMs;
        runOnThread(trickles.get(), [&] {
            asked = trickles->askedCount;
            answered = trickles->answeredCount;
            cut = trickles->cutCount;
            timedOut = trickles->timedOutCount;
            reconnects = trickles->reconnectCount;
            probeMs = trickles->probeTimesMs;
            trickles->close();
        });
        trickles.release()->deleteLater();
        board.handleCommandKey(settings.StartStopClockKey);
        std::printf("trickle: %d connections trickling a request a byte each 200 ms and reconnecting (%d open after "
                    "3 s, %ld reconnects); GET /state answered %d of %d (target: at least 95 of 100), answer p50 "
                    "%.2f ms p99 %.2f ms (%d closed unanswered, %d not answered within 2 s); connections refused "
                    "or cut meanwhile: %d\n",
                    trickleCount, open, reconnects, answered, asked, percentile(probeMs, 0.5),
                    percentile(probeMs, 0.99), cut, timedOut, server->refusedConnections() - refusedBefore);
        runFor([&] { return server->connectionCount() == 0; }, 3000);
    }
    {
        auto flood = std::make_unique<PingFlood>(url);
        flood->moveToThread(&clientThread);
        const int droppedBefore = server->droppedClients();
        runOnThread(flood.get(), [&] { flood->open(); });
        bool over = false;
        runFor(
            [&] {
                runOnThread(flood.get(), [&] { over = flood->wasClosed || flood->pingCount >= 5000; });
                return over;
            },
            15'000);
        runFor([] { return false; }, 500);
        int pings = 0;
        int pongs = 0;
        bool closed = false;
        runOnThread(flood.get(), [&] {
            pings = flood->pingCount;
            pongs = flood->pongCount;
            closed = flood->wasClosed;
            flood->close();
        });
        flood.release()->deleteLater();
        std::printf("ping flood: %d pings sent, %d pongs received, %s (clients dropped for breaking a limit: %d)\n",
                    pings, pongs, closed ? "closed by the feed" : "NOT closed",
                    server->droppedClients() - droppedBefore);
    }
    clientThread.quit();
    clientThread.wait();
    return 0;
}
