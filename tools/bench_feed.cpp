// How fast the feed's live socket delivers the board's changes, and what serving it costs the tick.
// A real board (offscreen) runs a game on the real clock with its own 100 ms tick; a score is typed every
// 300 ms as key events. The feed listens on the loopback address; clients in a thread of their own receive
// the pushes. Prints, for 0 and N clients: push latency percentiles (change on the board -> message at the
// client), the tick's period and its duration (the board's tick with the feed's look and push), and whether
// a client that stops reading was dropped. Bounded: at most 200 clients, at most 60 s a phase, loopback only.
//   bench_feed [--clients N (100)] [--seconds S (20)]
#include "board/frmScoreBoard.h"
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
                    ++m_unmatched;
                    return;
                }
                (m_log.byKey[doc] ? m_keyLatencies : m_latencies).push_back(msSince(it->second, now));
                ++m_received;
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

    std::vector<double> m_latencies;
    std::vector<double> m_keyLatencies;
    long m_received = 0;
    long m_unmatched = 0;

private:
    ChangeLog& m_log;
    QUrl m_url;
    int m_count;
    std::vector<QWebSocket*> m_sockets;
    QTcpSocket* m_stalled = nullptr;
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
    parser.addOptions({clientsOption, secondsOption});
    parser.addHelpOption();
    parser.process(app);
    const int clientCount = std::clamp(parser.value(clientsOption).toInt(), 1, 200);
    const int seconds = std::clamp(parser.value(secondsOption).toInt(), 5, 60);

    SettingsVariables settings = defaultSettings("/nonexistent", '/');
    settings.BuzzerFile.clear();
    settings.HornFile.clear();
    SteadyClockSource clock;
    modCount engine(clock);
    SilentDevice buzzer;
    SilentDevice horn;
    frmScoreBoard board(settings, engine, buzzer, horn, BoardServices{});
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
    engine.SetClock(secondsToTime(1200), 0, 0);
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
            engine.StopClock(c);
        }
        for (int c : {1, 3}) {
            // 9:00 typed into the penalty clock, as the scorekeeper does.
            board.PenaltyKeyDown(c, '9');
            board.PenaltyKeyDown(c, '\r');
        }
        board.AllKeyCode(settings.StartStopClockKey);
        typing.start(300);
        QElapsedTimer run;
        run.start();
        while (run.elapsed() < seconds * 1000) {
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        }
        typing.stop();
        board.AllKeyCode(settings.StartStopClockKey);
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
                latencies = clients->m_latencies;
                keyLatencies = clients->m_keyLatencies;
                received = clients->m_received;
                unmatched = clients->m_unmatched;
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
        std::printf("         pushes after the tick: %ld, after typed keys: %ld, other (the feed's look at each tenth "
                    "while a clock runs): %ld\n",
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
    clientThread.quit();
    clientThread.wait();
    return 0;
}
