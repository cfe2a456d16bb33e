// The feed over a real board (offscreen, hand-driven clock): what it reads off the board, what it serves
// and pushes, the folder of text files, and the limits it holds clients to.
#include "BoardFixture.h"
#include "core/feed/StateDocument.h"
#include "feed/BoardFeed.h"
#include "feed/BoardReader.h"
#include "feed/FeedDirectory.h"
#include "feed/FeedNotice.h"
#include "feed/FeedServer.h"
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <QWebSocket>
#include <functional>
#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace Qt::StringLiterals;

namespace {
// A sound of the board starts: the horn, loaded for the purpose.
void playHornOn(BoardFixture& f) {
    f.horn.setFileName(QStringLiteral("horn.wav"));
    f.board->playHorn();
}
} // namespace

namespace {

using BoardAction = std::function<void(BoardFixture&)>;

// A board with its feed listening on a free loopback port.
struct FedBoard {
    explicit FedBoard(const FeedLimits& limits = FeedLimits()) : feed(*f.board, f.engine, f.settings) {
        QString error;
        listening = feed.listen(QHostAddress::LocalHost, 0, &error, limits);
        if (!listening) {
            qWarning() << error;
        }
    }
    QString url(const QString& path) const {
        return u"http://127.0.0.1:%1%2"_s.arg(feed.server()->serverPort()).arg(path);
    }
    QUrl live(const QString& path = u"/live"_s) const {
        return QUrl(u"ws://127.0.0.1:%1%2"_s.arg(feed.server()->serverPort()).arg(path));
    }
    QByteArray document() const { return feed.server()->document(); }

    BoardFixture f;
    BoardFeed feed;
    bool listening = false;
};

struct Answer {
    int status = 0;
    QByteArray contentType;
    QByteArray body;
};

Answer request(const QString& url, const QByteArray& method = "GET"_ba) {
    QNetworkAccessManager manager;
    QNetworkRequest req{QUrl(url)};
    QNetworkReply* reply = method == "HEAD"
                               ? manager.head(req)
                               : manager.sendCustomRequest(req, method, method == "GET" ? QByteArray() : "x"_ba);
    QSignalSpy finished(reply, &QNetworkReply::finished);
    finished.wait(5000);
    Answer a;
    a.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    a.contentType = reply->header(QNetworkRequest::ContentTypeHeader).toByteArray();
    a.body = reply->readAll();
    delete reply;
    return a;
}

// A raw TCP connection to the feed, for what no well-behaved client would send.
struct RawClient {
    explicit RawClient(quint16 port) {
        socket.connectToHost(QHostAddress::LocalHost, port);
        socket.waitForConnected(2000);
    }
    bool closedWithin(int ms) {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms) {
            if (socket.state() == QAbstractSocket::UnconnectedState) {
                return true;
            }
            QTest::qWait(20);
            received += socket.readAll();
        }
        return socket.state() == QAbstractSocket::UnconnectedState;
    }
    QTcpSocket socket;
    QByteArray received;
};

bool contains(const QByteArray& document, const char* fragment) {
    return document.contains(QByteArray(fragment));
}

} // namespace

class TestFeed : public QObject {
    Q_OBJECT
private slots:
    void stateFollowsTheBoard_data();
    void stateFollowsTheBoard();
    void lookingAtTheBoardChargesNoClock();
    void servesOnlyTheFixedResources_data();
    void servesOnlyTheFixedResources();
    void liveClientsGetEveryChangeOnce();
    void liveSocketOnlyAtLive();
    void refusesWhatBreaksTheLimits_data();
    void refusesWhatBreaksTheLimits();
    void dropsLiveClientsThatStopReading();
    void cutsOffAClientThatNeverReadsItsAnswers();
    void tooManyConnectionsAreClosedOnArrival();
    void idleConnectionsDoNotShutOutARealClient();
    void headAnswersLikeGetWithoutABody();
    void aFloodOfFramesClosesTheFloodingClient();
    void feedFolderRewritesOnlyWhatChanged();
    void feedFolderRetriesAFailedFile();
    void feedFolderNeverWritesThroughALink();
    void feedFolderOthersCanChangeIsRefused();
    void startsOnlyWhatThePlanAsks();
    void problemsAreShownOnceOnTheBoard();
    void theNoticeLeavesTheKeysToTheBoard();
    void theBrowserBoardFollowsTheOptions();
    void browserBoardsHearSomethingEveryFewSeconds();
    void noticesShowTheirTextAsItIs();
    void feedFolderKeepsToTheFolderItChecked();
    void tricklesLeaveRoomForWholeRequests();
    void pingsCountAgainstTheFrameRate();
    void theSweepSleepsWhileNobodyIsConnected();
    void tenthsAreWatchedOnlyWhileShown();
    void stateAnswersTheClocksAsTheyReadNow();
    void blankPenaltyClocksAreNotRunning();
    void servesTheFreshBoardBeforeTheBoardOpens();
    void theOverlaySpeaksTheProgramsLanguage();
};

void TestFeed::stateFollowsTheBoard_data() {
    QTest::addColumn<BoardAction>("action");
    QTest::addColumn<QStringList>("fragments");
    QTest::newRow("opening")
        << BoardAction([](BoardFixture&) {})
        << QStringList{
               u"\"clock\":{\"text\":\"10:00\",\"digits\":[1,0,0,0],\"colon\":true,\"running\":false,\"remaining\":600.0,\"timeOfDay\":false}"_s,
               u"\"home\":{\"name\":\"Home\",\"score\":{\"text\":\"0\",\"digits\":[0,-1]},\"goalLight\":false"_s,
               u"\"selectedField\":\"TimeBack\""_s, u"\"soundPlaying\":false"_s};
    QTest::newRow("a score typed") << BoardAction([](BoardFixture& f) {
        f.focus(f.field("HomeBack"));
        f.type(u"12\n"_s);
    }) << QStringList{u"\"score\":{\"text\":\"12\",\"digits\":[2,1]}"_s, u"\"selectedField\":\"HomeBack\""_s};
    QTest::newRow("the period typed") << BoardAction([](BoardFixture& f) {
        f.focus(f.field("PeriodBack"));
        f.type(u"3"_s);
    }) << QStringList{u"\"period\":{\"text\":\"3\",\"digits\":[3]}"_s};
    QTest::newRow("a visitor penalty")
        << BoardAction([](BoardFixture& f) {
               f.focus(f.field("PenaltyTV2"));
               f.type(u"2\n"_s);
           })
        << QStringList{
               u"{\"text\":\"\",\"digits\":[-1,-1,-1],\"running\":false,\"remaining\":0.0,\"light\":false,\"player\":null},{\"text\":\"2:00\",\"digits\":[0,0,2],\"running\":false,\"remaining\":120.0,\"light\":true,\"player\":null}]},\"soundPlaying\""_s};
    QTest::newRow("under a minute, running")
        << BoardAction([](BoardFixture& f) {
               f.type(u"0.455\n"_s);
               f.type(u"s"_s);
               f.advance(1000);
           })
        << QStringList{
               u"\"clock\":{\"text\":\"44.5\",\"digits\":[4,4,5,-1],\"colon\":false,\"running\":true,\"remaining\":44.5,"_s};
    QTest::newRow("a penalty run out")
        << BoardAction([](BoardFixture& f) {
               f.focus(f.field("PenaltyTH1"));
               f.type(u"0.01\n"_s);
               f.type(u"s"_s);
               f.advance(1500);
           })
        << QStringList{
               u"\"penalties\":[{\"text\":\"0:00\",\"digits\":[0,0,0],\"running\":true,\"remaining\":0.0,\"light\":false,\"player\":null}"_s};
    QTest::newRow("the time of day")
        << BoardAction([](BoardFixture& f) { f.type(u"c"_s); })
        << QStringList{
               u"\"text\":\"14:35\",\"digits\":[1,4,3,5],\"colon\":true,\"running\":false,\"remaining\":600.0,\"timeOfDay\":true"_s};
    QTest::newRow("a goal light")
        << BoardAction([](BoardFixture& f) { f.board->goalCoverClicked(Team::Visitor); })
        << QStringList{u"\"digits\":[0,-1]},\"goalLight\":true,\"penalties\""_s,
                       u"\"name\":\"Home\",\"score\":{\"text\":\"0\",\"digits\":[0,-1]},\"goalLight\":false"_s};
    QTest::newRow("a sound playing") << BoardAction([](BoardFixture& f) { playHornOn(f); })
                                     << QStringList{u"\"soundPlaying\":true"_s};
    QTest::newRow("new team names") << BoardAction([](BoardFixture& f) {
        f.settings.HomeText = "Kärpät \"A\"";
        f.board->view().updateLabels();
    }) << QStringList{u"\"name\":\"Kärpät \\\"A\\\"\""_s};
    // The lights come from the game, not from their colours: right even when lit and unlit look the same.
    QTest::newRow("goal light in the board's own colour") << BoardAction([](BoardFixture& f) {
        f.settings.ScoreColor = f.settings.FormBack;
        f.board->view().updateFormColors();
        f.board->goalCoverClicked(Team::Visitor);
    }) << QStringList{u"\"goalLight\":true,\"penalties\""_s};
    QTest::newRow("penalty light in the board's own colour") << BoardAction([](BoardFixture& f) {
        f.settings.ScoreColor = f.settings.FormBack;
        f.board->view().updateFormColors();
        f.focus(f.field("PenaltyTH2"));
        f.type(u"2\n"_s);
    }) << QStringList{u"\"digits\":[0,0,2],\"running\":false,\"remaining\":120.0,\"light\":true"_s};
    QTest::newRow("no field selected") << BoardAction([](BoardFixture& f) { f.field("TimeBack")->clearFocus(); })
                                       << QStringList{u"\"selectedField\":null}"_s};
}

void TestFeed::stateFollowsTheBoard() {
    QFETCH(BoardAction, action);
    QFETCH(QStringList, fragments);
    FedBoard b;
    QVERIFY(b.listening);
    b.f.show();
    action(b.f);
    b.feed.refresh();
    const Answer a = request(b.url(u"/state"_s));
    QCOMPARE(a.status, 200);
    QCOMPARE(a.contentType, "application/json"_ba);
    QCOMPARE(a.body, b.document());
    QVERIFY(QJsonDocument::fromJson(a.body).isObject());
    for (const QString& fragment : fragments) {
        QVERIFY2(a.body.contains(fragment.toUtf8()), a.body.constData());
    }
}

// During a stoppage after the game clock's zero a penalty clock started on its own keeps running, and the
// board charges it the time up to the moment it is stopped. A feed looking all the while must not
// change that: the same history with and without a feed ends at the same penalty time.
void TestFeed::lookingAtTheBoardChargesNoClock() {
    const auto play = [](BoardFixture& f, BoardFeed* feed) {
        f.show();
        f.type(u"0.05\n"_s); // 5 s of game time
        f.focus(f.field("PenaltyTH1"));
        f.type(u"2\n"_s);
        f.type(u"s"_s);
        f.advance(1000);
        f.type(u"i"_s); // the penalty clock goes its own way: stopped apart from the game clock
        f.type(u"i"_s); // and started again on its own
        for (int i = 0; i < 60; ++i) {
            f.advance(100);
        }
        // The tick is off since the zero; only the feed looks now, for a minute.
        for (int i = 0; i < 600; ++i) {
            f.clock.advance(100);
            if (feed) {
                feed->refresh();
            }
        }
        f.focus(f.field("PenaltyTH1"));
        f.type(u"i"_s);
        return f.engine.clockValue(1);
    };
    BoardFixture plain;
    const TimeValue withoutFeed = play(plain, nullptr);
    FedBoard b;
    const TimeValue withFeed = play(b.f, &b.feed);
    QCOMPARE(withFeed, withoutFeed);
    QVERIFY(contains(b.document(), "\"running\":false,\"remaining\":"));
}

void TestFeed::servesOnlyTheFixedResources_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("method");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("contentType");
    QTest::addColumn<QByteArray>("bodyHas");
    QTest::newRow("overlay") << u"/"_s << "GET"_ba << 200 << "text/html; charset=utf-8"_ba
                             << "/overlay.js"_ba;
    QTest::newRow("script") << u"/overlay.js"_s << "GET"_ba << 200 << "text/javascript; charset=utf-8"_ba
                            << "/live"_ba;
    QTest::newRow("style") << u"/overlay.css"_s << "GET"_ba << 200 << "text/css; charset=utf-8"_ba
                           << "transparent"_ba;
    QTest::newRow("state") << u"/state"_s << "GET"_ba << 200 << "application/json"_ba
                           << "\"clock\""_ba;
    QTest::newRow("state with a query") << u"/state?x=1"_s << "GET"_ba << 200 << "application/json"_ba
                                        << "\"clock\""_ba;
    QTest::newRow("live without upgrade") << u"/live"_s << "GET"_ba << 426 << QByteArray() << QByteArray();
    QTest::newRow("unknown") << u"/index.html"_s << "GET"_ba << 404 << QByteArray() << QByteArray();
    QTest::newRow("resource path") << u"/feed/overlay.html"_s << "GET"_ba << 404 << QByteArray() << QByteArray();
    QTest::newRow("below state") << u"/state/x"_s << "GET"_ba << 404 << QByteArray() << QByteArray();
    QTest::newRow("encoded dots") << u"/%2e%2e/%2e%2e/etc/passwd"_s << "GET"_ba << 404 << QByteArray() << QByteArray();
    QTest::newRow("post") << u"/state"_s << "POST"_ba << 405 << QByteArray() << QByteArray();
    QTest::newRow("put") << u"/"_s << "PUT"_ba << 405 << QByteArray() << QByteArray();
    QTest::newRow("delete") << u"/overlay.js"_s << "DELETE"_ba << 405 << QByteArray() << QByteArray();
    QTest::newRow("head overlay") << u"/"_s << "HEAD"_ba << 200 << "text/html; charset=utf-8"_ba << QByteArray();
    QTest::newRow("head state") << u"/state"_s << "HEAD"_ba << 200 << "application/json"_ba << QByteArray();
    QTest::newRow("head unknown") << u"/index.html"_s << "HEAD"_ba << 404 << QByteArray() << QByteArray();
    QTest::newRow("board") << u"/board"_s << "GET"_ba << 200 << "text/html; charset=utf-8"_ba
                           << "/board.js"_ba;
    QTest::newRow("board script") << u"/board.js"_s << "GET"_ba << 200 << "text/javascript; charset=utf-8"_ba
                                  << "/live?keepalive"_ba;
    QTest::newRow("board style") << u"/board.css"_s << "GET"_ba << 200 << "text/css; charset=utf-8"_ba
                                 << ".lost"_ba;
    QTest::newRow("board layout") << u"/board/layout.json"_s << "GET"_ba << 200 << "application/json"_ba
                                  << "\"name\":\"lumTime\""_ba;
    QTest::newRow("post board") << u"/board"_s << "POST"_ba << 405 << QByteArray() << QByteArray();
}

void TestFeed::servesOnlyTheFixedResources() {
    QFETCH(QString, path);
    QFETCH(QByteArray, method);
    QFETCH(int, status);
    QFETCH(QByteArray, contentType);
    QFETCH(QByteArray, bodyHas);
    FedBoard b;
    QVERIFY(b.listening);
    const QByteArray before = b.document();
    const Answer a = request(b.url(path), method);
    QCOMPARE(a.status, status);
    if (!contentType.isEmpty()) {
        QCOMPARE(a.contentType, contentType);
    }
    QVERIFY2(a.body.contains(bodyHas), a.body.left(200).constData());
    if (method == "HEAD") {
        QVERIFY(a.body.isEmpty());
    }
    b.feed.refresh();
    QCOMPARE(b.document(), before); // nothing a request does changes the board
}

void TestFeed::liveClientsGetEveryChangeOnce() {
    FedBoard b;
    QVERIFY(b.listening);
    b.f.show();
    b.feed.refresh();
    QWebSocket client;
    QStringList messages;
    connect(&client, &QWebSocket::textMessageReceived, &client, [&](const QString& m) { messages << m; });
    client.open(b.live());
    QTRY_COMPARE(messages.size(), 1);
    QCOMPARE(messages[0].toUtf8(), b.document());
    QCOMPARE(b.feed.server()->liveClientCount(), 1);
    // Its HTTP connection is no longer held to the request deadlines: the socket outlives them.
    QCOMPARE(b.feed.server()->connectionCount(), 0);

    // Nothing changes: nothing is pushed, however often the feed looks.
    for (int i = 0; i < 10; ++i) {
        b.feed.refresh();
    }
    QTest::qWait(100);
    QCOMPARE(messages.size(), 1);

    // Each change exactly once, in order.
    b.f.focus(b.f.field("HomeBack"));
    b.f.type(u"+1"_s);
    b.feed.refresh();
    b.f.type(u"+1"_s);
    b.feed.refresh();
    b.feed.refresh();
    QTRY_COMPARE(messages.size(), 4); // focus, first goal, second goal
    QVERIFY(messages[1].contains(u"\"selectedField\":\"HomeBack\""_s));
    QVERIFY(messages[2].contains(u"\"score\":{\"text\":\"1\""_s));
    QVERIFY(messages[3].contains(u"\"score\":{\"text\":\"2\""_s));
    QCOMPARE(messages[3].toUtf8(), b.document());
    QTest::qWait(100);
    QCOMPARE(messages.size(), 4);

    // A message from the client changes nothing.
    client.sendTextMessage(u"{\"home\":{\"score\":{\"text\":\"9\"}}}"_s);
    QTest::qWait(100);
    b.feed.refresh();
    QCOMPARE(messages.size(), 4);
    client.close();
    QTRY_COMPARE(b.feed.server()->liveClientCount(), 0);
}

void TestFeed::liveSocketOnlyAtLive() {
    FedBoard b;
    QVERIFY(b.listening);
    for (const QString& path : {u"/state"_s, u"/"_s, u"/live/x"_s}) {
        QWebSocket client;
        QSignalSpy closed(&client, &QWebSocket::disconnected);
        QStringList messages;
        connect(&client, &QWebSocket::textMessageReceived, &client, [&](const QString& m) { messages << m; });
        client.open(b.live(path));
        QTRY_VERIFY2(closed.size() == 1, qPrintable(path));
        QVERIFY2(messages.isEmpty(), qPrintable(path));
        QCOMPARE(b.feed.server()->liveClientCount(), 0);
    }
}

void TestFeed::refusesWhatBreaksTheLimits_data() {
    QTest::addColumn<QByteArray>("sent");
    QTest::addColumn<int>("closedWithinMs");
    QTest::addColumn<QByteArray>("answerStarts");
    QTest::newRow("headers beyond the limit")
        << "GET /state HTTP/1.1\r\nHost: x\r\nX-Pad: "_ba + QByteArray(8192, 'a') << 1000 << "HTTP/1.1 431"_ba;
    QTest::newRow("a body nobody asked for")
        << "POST /state HTTP/1.1\r\nHost: x\r\nContent-Length: 99999999\r\n\r\n"_ba + QByteArray(8192, 'b') << 1000
        << "HTTP/1.1 431"_ba;
    QTest::newRow("a request that never ends") << "GET /state HTTP/1.1\r\nHost: x\r\n"_ba << 2000 << QByteArray();
    QTest::newRow("nothing at all") << QByteArray() << 2000 << QByteArray();
    QTest::newRow("kept alive, then idle") << "GET /state HTTP/1.1\r\nHost: x\r\n\r\n"_ba << 3000 << "HTTP/1.1 200"_ba;
}

void TestFeed::refusesWhatBreaksTheLimits() {
    QFETCH(QByteArray, sent);
    QFETCH(int, closedWithinMs);
    QFETCH(QByteArray, answerStarts);
    FeedLimits limits;
    limits.maxRequestBytes = 4096;
    limits.requestDeadlineMs = 500;
    limits.idleTimeoutMs = 1500;
    FedBoard b(limits);
    QVERIFY(b.listening);
    RawClient c(b.feed.server()->serverPort());
    c.socket.write(sent);
    QVERIFY(c.closedWithin(closedWithinMs));
    QVERIFY2(c.received.startsWith(answerStarts), c.received.left(60).constData());
    QVERIFY(b.feed.server()->refusedConnections() >= (answerStarts.startsWith("HTTP/1.1 200") ? 0 : 1));
    // The feed answers the next client as before.
    QCOMPARE(request(b.url(u"/state"_s)).status, 200);
}

void TestFeed::dropsLiveClientsThatStopReading() {
    FeedLimits limits;
    limits.pingIntervalMs = 100;
    limits.pongTimeoutMs = 400;
    FedBoard b(limits);
    QVERIFY(b.listening);
    // A well-behaved client answers pings and stays.
    QWebSocket reader;
    reader.open(b.live());
    // A client that completed the handshake and then reads nothing more: it never answers a ping.
    RawClient stuck(b.feed.server()->serverPort());
    stuck.socket.write("GET /live HTTP/1.1\r\nHost: x\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
                       "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n\r\n");
    QTRY_COMPARE(b.feed.server()->liveClientCount(), 2);
    QVERIFY(stuck.closedWithin(3000));
    QCOMPARE(b.feed.server()->liveClientCount(), 1);
    QCOMPARE(b.feed.server()->droppedClients(), 1);
    QCOMPARE(reader.state(), QAbstractSocket::ConnectedState);

    // A client whose unsent bytes pass the limit is dropped at the push, without the board waiting for it.
    FeedLimits tiny = limits;
    tiny.maxClientBacklogBytes = 0;
    tiny.pongTimeoutMs = 60'000;
    FedBoard c(tiny);
    QWebSocket slow;
    slow.open(c.live());
    QTRY_COMPARE(c.feed.server()->liveClientCount(), 1);
    playHornOn(c.f);
    QElapsedTimer t;
    t.start();
    c.feed.refresh();
    QVERIFY(t.elapsed() < 50);
    QCOMPARE(c.feed.server()->liveClientCount(), 0);
    QCOMPARE(c.feed.server()->droppedClients(), 1);
}

void TestFeed::cutsOffAClientThatNeverReadsItsAnswers() {
    FeedLimits limits;
    limits.maxUnsentAnswerBytes = std::int64_t{64} * 1024;
    FedBoard b(limits);
    QVERIFY(b.listening);
    QTcpSocket greedy;
    greedy.setReadBufferSize(1); // takes nothing more from the network than one byte
    greedy.connectToHost(QHostAddress::LocalHost, b.feed.server()->serverPort());
    QVERIFY(greedy.waitForConnected(2000));
    QByteArray requests;
    for (int i = 0; i < 20000; ++i) {
        requests += "GET / HTTP/1.1\r\nHost: x\r\n\r\n";
    }
    greedy.write(requests);
    QTRY_VERIFY_WITH_TIMEOUT(b.feed.server()->refusedConnections() == 1, 10000);
    // Reading again, the client finds the connection gone after at most what was already on its way.
    greedy.setReadBufferSize(0);
    QTRY_VERIFY_WITH_TIMEOUT((greedy.readAll(), greedy.state() == QAbstractSocket::UnconnectedState), 10000);
    QCOMPARE(request(b.url(u"/state"_s)).status, 200);
}

void TestFeed::tooManyConnectionsAreClosedOnArrival() {
    FeedLimits limits;
    limits.maxConnections = 3;
    limits.firstRequestGraceMs = 60'000;
    FedBoard b(limits);
    QVERIFY(b.listening);
    // Every slot holds a connection that may still be about to ask (neither idle nor trickling): nothing can
    // make room, so further connections are closed.
    std::vector<std::unique_ptr<RawClient>> clients;
    for (int i = 0; i < 5; ++i) {
        clients.push_back(std::make_unique<RawClient>(b.feed.server()->serverPort()));
        QTRY_COMPARE(b.feed.server()->connectionCount(), std::min(i + 1, 3));
    }
    QVERIFY(clients[3]->closedWithin(1000));
    QVERIFY(clients[4]->closedWithin(1000));
    QCOMPARE(clients[0]->socket.state(), QAbstractSocket::ConnectedState);
    QCOMPARE(b.feed.server()->droppedIdleConnections(), 0);
    // Once they go, others are served again.
    clients.clear();
    QTRY_COMPARE(b.feed.server()->connectionCount(), 0);
    QCOMPARE(request(b.url(u"/state"_s)).status, 200);
}

void TestFeed::idleConnectionsDoNotShutOutARealClient() {
    FeedLimits limits;
    limits.maxConnections = 8;
    limits.maxConnectionsPerPeer = 4;
    limits.firstRequestGraceMs = 300;
    FedBoard b(limits);
    QVERIFY(b.listening);
    // One local process fills every slot with connections that say nothing.
    std::vector<std::unique_ptr<RawClient>> hogs;
    for (int i = 0; i < 8; ++i) {
        hogs.push_back(std::make_unique<RawClient>(b.feed.server()->serverPort()));
        QTRY_COMPARE(b.feed.server()->connectionCount(), i + 1);
    }
    // Just opened, they may still be about to ask: nothing is pushed out for a newcomer yet.
    RawClient early(b.feed.server()->serverPort());
    QVERIFY(early.closedWithin(1000));
    QTest::qWait(400);
    // Then a real client from the same address is served, every time, in place of the oldest.
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(request(b.url(u"/state"_s)).status, 200);
    }
    QVERIFY(hogs[0]->closedWithin(1000));
    QCOMPARE(hogs[7]->socket.state(), QAbstractSocket::ConnectedState);
    QVERIFY(b.feed.server()->droppedIdleConnections() >= 1);
    // Further connections from the hog push out its own oldest ones, never the answered client's
    // connection while its answer is on its way.
    for (int i = 0; i < 8; ++i) {
        hogs.push_back(std::make_unique<RawClient>(b.feed.server()->serverPort()));
    }
    for (int i = 0; i < 4; ++i) {
        QVERIFY2(hogs[static_cast<std::size_t>(i)]->closedWithin(1000), qPrintable(QString::number(i)));
    }
    QVERIFY(b.feed.server()->connectionCount() <= 8);
    // Once the newcomers have had their moment and said nothing, the real client gets in again.
    QTest::qWait(400);
    QCOMPARE(request(b.url(u"/state"_s)).status, 200);
}

void TestFeed::headAnswersLikeGetWithoutABody() {
    FedBoard b;
    QVERIFY(b.listening);
    for (const QByteArray& path : {"/"_ba, "/overlay.css"_ba, "/overlay.js"_ba, "/state"_ba}) {
        RawClient c(b.feed.server()->serverPort());
        // HEAD and then GET on the same connection: the GET's answer follows the HEAD's head directly.
        c.socket.write("HEAD " + path + " HTTP/1.1\r\nHost: x\r\n\r\nGET " + path + " HTTP/1.1\r\nHost: x\r\n\r\n");
        QTRY_VERIFY_WITH_TIMEOUT((c.received += c.socket.readAll(), c.received.count("HTTP/1.1 200") == 2), 3000);
        QTest::qWait(100);
        c.received += c.socket.readAll();
        const qsizetype second = c.received.indexOf("HTTP/1.1 200", 1);
        const QByteArray head = c.received.left(second);
        const QByteArray get = c.received.mid(second);
        QVERIFY2(head.endsWith("\r\n\r\n"), head.constData()); // no body after the HEAD's head
        const qsizetype bodyAt = get.indexOf("\r\n\r\n") + 4;
        const QByteArray getHead = get.left(bodyAt).toLower();
        QVERIFY2(head.toLower() == getHead, path.constData()); // the same head, length included
        QVERIFY(getHead.contains(QByteArray("content-length: " + QByteArray::number(get.size() - bodyAt))));
    }
}

void TestFeed::aFloodOfFramesClosesTheFloodingClient() {
    FedBoard b;
    QVERIFY(b.listening);
    QWebSocket calm;
    calm.open(b.live());
    QWebSocket flood;
    QSignalSpy floodClosed(&flood, &QWebSocket::disconnected);
    flood.open(b.live());
    QTRY_COMPARE(b.feed.server()->liveClientCount(), 2);
    // A few frames now and then are nothing.
    for (int i = 0; i < 20; ++i) {
        calm.sendTextMessage(u"hello"_s);
    }
    // Thousands at once are a flood.
    for (int i = 0; i < 5000; ++i) {
        flood.sendTextMessage(u"x"_s);
    }
    QTRY_COMPARE_WITH_TIMEOUT(floodClosed.size(), 1, 5000);
    QTRY_COMPARE(b.feed.server()->liveClientCount(), 1);
    QCOMPARE(b.feed.server()->droppedClients(), 1);
    QCOMPARE(calm.state(), QAbstractSocket::ConnectedState);
    // The calm one still gets every change.
    QStringList messages;
    connect(&calm, &QWebSocket::textMessageReceived, &calm, [&](const QString& m) { messages << m; });
    playHornOn(b.f);
    b.feed.refresh();
    QTRY_COMPARE(messages.size(), 1);
}

void TestFeed::feedFolderRewritesOnlyWhatChanged() {
    QTemporaryDir tmp;
    const QString folder = tmp.filePath(u"new/feed"_s);
    BoardFixture f;
    f.show();
    BoardFeed feed(*f.board, f.engine, f.settings);
    QVERIFY(feed.writeTo(folder));
    const auto read = [&](const QString& name) {
        QFile file(QDir(folder).filePath(name));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : u"<missing>"_s;
    };
    QCOMPARE(read(u"clock.txt"_s), u"10:00"_s);
    QCOMPARE(read(u"home_name.txt"_s), u"Home"_s);
    QCOMPARE(read(u"visitor_score.txt"_s), u"0"_s);
    QCOMPARE(read(u"home_penalty1.txt"_s), QString());
    QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 10);

    // Mark two files by hand: only a change of their value may overwrite them.
    for (const QString& name : {u"home_name.txt"_s, u"clock.txt"_s}) {
        QFile file(QDir(folder).filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("marked");
    }
    f.focus(f.field("PenaltyTH2"));
    f.type(u"1.3\n"_s);
    feed.refresh();
    QCOMPARE(read(u"home_penalty2.txt"_s), u"1:03"_s);
    QCOMPARE(read(u"home_name.txt"_s), u"marked"_s);
    QCOMPARE(read(u"clock.txt"_s), u"marked"_s);
    f.type(u"s"_s);
    f.advance(1000);
    feed.refresh();
    QCOMPARE(read(u"clock.txt"_s), u"9:59"_s);
    QCOMPARE(read(u"home_penalty2.txt"_s), u"1:02"_s);
    QCOMPARE(read(u"home_name.txt"_s), u"marked"_s);
    // No temporary files are left behind.
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 10);
}

void TestFeed::feedFolderRetriesAFailedFile() {
    QTemporaryDir tmp;
    QVERIFY(QDir(tmp.path()).mkpath(u"clock.txt"_s)); // a folder where the file should go
    FeedDirectory directory(tmp.path());
    QVERIFY(directory.prepare());
    BoardFixture f;
    BoardFeed reader(*f.board, f.engine, f.settings);
    directory.write(readBoardState(*f.board, f.settings));
    QCOMPARE(directory.failedWrites(), 1);
    QVERIFY(QFile::exists(tmp.filePath(u"period.txt"_s)));
    QVERIFY(QDir(tmp.path()).rmdir(u"clock.txt"_s));
    directory.write(readBoardState(*f.board, f.settings));
    QFile clock(tmp.filePath(u"clock.txt"_s));
    QVERIFY(clock.open(QIODevice::ReadOnly));
    QCOMPARE(clock.readAll(), "10:00"_ba);

    // A folder that cannot be made says so.
    QFile blocker(tmp.filePath(u"blocker"_s));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    FeedDirectory impossible(tmp.filePath(u"blocker/feed"_s));
    QString error;
    QVERIFY(!impossible.prepare(&error));
    QVERIFY(error.contains(u"blocker"_s));
}

void TestFeed::feedFolderNeverWritesThroughALink() {
    QTemporaryDir tmp;
    const QString folder = tmp.filePath(u"feed"_s);
    QVERIFY(QDir().mkpath(folder));
    // Somebody planted links under two of the names, one to a file the operator can write, one to nowhere.
    const QString victim = tmp.filePath(u"precious.txt"_s);
    QFile precious(victim);
    QVERIFY(precious.open(QIODevice::WriteOnly));
    precious.write("keep me");
    precious.close();
    if (!QFile::link(victim, QDir(folder).filePath(u"clock.txt"_s))) {
        QSKIP("this system makes no links");
    }
    QVERIFY(QFile::link(tmp.filePath(u"made-by-the-board.txt"_s), QDir(folder).filePath(u"period.txt"_s)));
    QStringList told;
    FeedDirectory directory(folder, [&](const QString& text) { told << text; });
    QVERIFY(directory.prepare());
    BoardFixture f;
    BoardFeed reader(*f.board, f.engine, f.settings);
    directory.write(readBoardState(*f.board, f.settings));
    directory.write(readBoardState(*f.board, f.settings));
    QFile check(victim);
    QVERIFY(check.open(QIODevice::ReadOnly));
    QCOMPARE(check.readAll(), "keep me"_ba);
    QVERIFY(!QFile::exists(tmp.filePath(u"made-by-the-board.txt"_s)));
    QVERIFY(QFileInfo(QDir(folder).filePath(u"clock.txt"_s)).isSymLink());
    QCOMPARE(directory.failedWrites(), 4); // two files, each tried again with the next state
    QCOMPARE(told.size(), 2);              // and each told once
    QVERIFY2(told[0].contains(u"clock.txt"_s) && told[0].contains(u"link"_s), qPrintable(told[0]));
    // The other files are written as usual.
    QFile home(QDir(folder).filePath(u"home_name.txt"_s));
    QVERIFY(home.open(QIODevice::ReadOnly));
    QCOMPARE(home.readAll(), "Home"_ba);
}

void TestFeed::feedFolderOthersCanChangeIsRefused() {
#ifdef Q_OS_UNIX
    QTemporaryDir tmp;
    const auto prepared = [&](const QString& name, mode_t mode, QString* error) {
        const QString folder = tmp.filePath(name);
        QDir().mkpath(folder);
        ::chmod(QFile::encodeName(folder).constData(), mode);
        FeedDirectory directory(folder);
        return directory.prepare(error);
    };
    QString error;
    QVERIFY(prepared(u"own"_s, 0755, &error));
    QVERIFY(prepared(u"sticky-own"_s, 01777, &error));
    QVERIFY(!prepared(u"open"_s, 0777, &error));
    QVERIFY2(error.contains(u"other users can change the folder"_s) && error.contains(u"open"_s), qPrintable(error));
    QVERIFY(!prepared(u"open-group-sticky"_s, 0777 | S_ISGID, &error));
    // Refused before anything is written in it.
    QVERIFY(QDir(tmp.filePath(u"open"_s)).isEmpty());
    BoardFixture f;
    QStringList shown;
    auto feed = BoardFeed::start(planFeed({std::nullopt, std::nullopt, tmp.filePath(u"open"_s).toStdString()}, {}),
                                 *f.board, f.engine, f.settings, [&](const QString& text) { shown << text; });
    QVERIFY(!feed);
    QCOMPARE(shown.size(), 1);
    QVERIFY(QDir(tmp.filePath(u"open"_s)).isEmpty());
#else
    QSKIP("folder permissions are looked at where the system has owners and permission bits");
#endif
}

void TestFeed::startsOnlyWhatThePlanAsks() {
    BoardFixture f;
    QVERIFY(!BoardFeed::start(planFeed({}, {}), *f.board, f.engine, f.settings));
    // A port that is taken, an address that is not one, a port that is not one: the board runs on, unfed.
    QTcpServer taken;
    QVERIFY(taken.listen(QHostAddress::LocalHost, 0));
    const std::string takenPort = std::to_string(taken.serverPort());
    QVERIFY(!BoardFeed::start(planFeed({takenPort, std::nullopt, std::nullopt}, {}), *f.board, f.engine, f.settings));
    QVERIFY(!BoardFeed::start(planFeed({"8787", "not-an-address", std::nullopt}, {}), *f.board, f.engine, f.settings));
    QVERIFY(!BoardFeed::start(planFeed({}, {"http", std::nullopt, std::nullopt}), *f.board, f.engine, f.settings));
    // The store's port, on the loopback address unless one is given.
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
    const std::string freePort = std::to_string(probe.serverPort());
    probe.close();
    auto feed = BoardFeed::start(planFeed({}, {freePort, std::nullopt, std::nullopt}), *f.board, f.engine, f.settings);
    QVERIFY(feed);
    QCOMPARE(feed->server()->serverAddress(), QHostAddress(QHostAddress::LocalHost));
    QCOMPARE(std::to_string(feed->server()->serverPort()), freePort);
    QVERIFY(!feed->directory());
}

void TestFeed::problemsAreShownOnceOnTheBoard() {
    BoardFixture f;
    QStringList shown;
    const auto show = [&](const QString& text) { shown << text; };
    QTcpServer taken;
    QVERIFY(taken.listen(QHostAddress::LocalHost, 0));
    const std::string takenPort = std::to_string(taken.serverPort());
    QVERIFY(
        !BoardFeed::start(planFeed({takenPort, std::nullopt, std::nullopt}, {}), *f.board, f.engine, f.settings, show));
    QCOMPARE(shown, QStringList{u"The live feed could not start: port %1 is in use."_s.arg(taken.serverPort())});
    shown.clear();
    QVERIFY(!BoardFeed::start(planFeed({"8787", "not-an-address", std::nullopt}, {}), *f.board, f.engine, f.settings,
                              show));
    QCOMPARE(shown, QStringList{u"The live feed could not start: \"not-an-address\" is not an IP address."_s});
    shown.clear();
    QVERIFY(
        !BoardFeed::start(planFeed({"http", std::nullopt, std::nullopt}, {}), *f.board, f.engine, f.settings, show));
    QCOMPARE(shown.size(), 1);
    QVERIFY(shown[0].contains(u"\"http\""_s));
    shown.clear();

    // Listening on every interface runs, and says so once.
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::AnyIPv4, 0));
    const std::string freePort = std::to_string(probe.serverPort());
    probe.close();
    QTemporaryDir tmp;
    auto feed = BoardFeed::start(planFeed({freePort, "0.0.0.0", tmp.filePath(u"feed"_s).toStdString()}, {}), *f.board,
                                 f.engine, f.settings, show);
    QVERIFY(feed);
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown[0].contains(u"every network"_s) && shown[0].contains(QString::fromStdString(freePort)),
             qPrintable(shown[0]));
    shown.clear();

    // However often a problem happens, it is told once per run; another problem is told too.
    FeedNotice notice(show);
    for (int i = 0; i < 3; ++i) {
        notice.tell(u"The feed cannot write clock.txt"_s);
    }
    notice.tell(u"The feed cannot write period.txt"_s);
    QCOMPARE(shown.size(), 2);
}

void TestFeed::theNoticeLeavesTheKeysToTheBoard() {
    BoardFixture f;
    f.show();
    f.focus(f.field("HomeBack"));
    QWidget* focused = QApplication::focusWidget();
    showFeedNoticeOver(f.board.get(), u"The live feed could not start: port 8080 is in use."_s);
    auto* box = f.board->findChild<QFrame*>(u"feedNotice"_s);
    QVERIFY(box);
    QTRY_VERIFY(box->isVisible());
    QCOMPARE(box->findChild<QLabel*>()->text(), u"The live feed could not start: port 8080 is in use."_s);
    QVERIFY(box->geometry().intersects(f.board->rect()));
    QTest::qWait(100);
    // The keys still go where they went: a goal typed now counts.
    QCOMPARE(QApplication::focusWidget(), focused);
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    const auto document = [&] {
        return QByteArray::fromStdString(stateDocument(readBoardState(*f.board, f.settings)));
    };
    f.type(u"+1"_s);
    QVERIFY2(contains(document(), "\"score\":{\"text\":\"1\""), document().constData());
    // The clock starts from the keyboard and runs on while the notice stands.
    f.type(u"s"_s);
    f.advance(1000);
    QVERIFY2(contains(document(), "\"text\":\"9:59\""), document().constData());
    // A second problem joins the first; OK takes the notice away.
    showFeedNoticeOver(f.board.get(), u"The feed's text files are not written."_s);
    QCOMPARE(f.board->findChildren<QFrame*>(u"feedNotice"_s).size(), 1);
    QVERIFY(box->findChild<QLabel*>()->text().endsWith(u"\nThe feed's text files are not written."_s));
    QTest::mouseClick(box->findChild<QPushButton*>(), Qt::LeftButton);
    QTRY_VERIFY(!f.board->findChild<QFrame*>(u"feedNotice"_s));
    QCOMPARE(QApplication::focusWidget(), focused);
}

void TestFeed::theBrowserBoardFollowsTheOptions() {
    FedBoard b;
    QVERIFY(b.listening);
    b.feed.refresh();
    QVERIFY2(contains(b.document(), ",\"layout\":1,"), b.document().constData());
    const Answer before = request(b.url(u"/board/layout.json"_s));
    QVERIFY(before.body.contains("\"text\":\"Home\""));
    QVERIFY(before.body.contains("\"style\":\"lines\""));
    QVERIFY(!before.body.contains("shpObjectSelected"));
    // The game alone changes no layout.
    b.f.focus(b.f.field("HomeBack"));
    b.f.type(u"+1"_s);
    b.feed.refresh();
    QVERIFY2(contains(b.document(), ",\"layout\":1,"), b.document().constData());
    // New options (as OK leaves them): a new name and the dots; the state names a new layout that has them.
    b.f.settings.HomeText = "Les <b>Ours</b>";
    b.f.settings.LEDType = 1;
    b.f.board->refreshFromSettings();
    QTRY_VERIFY2(contains(b.document(), ",\"layout\":2,"), b.document().constData());
    const Answer after = request(b.url(u"/board/layout.json"_s));
    QVERIFY2(after.body.contains("\"text\":\"Les <b>Ours</b>\""), after.body.constData());
    QVERIFY(after.body.contains("\"style\":\"dots\""));
}

void TestFeed::browserBoardsHearSomethingEveryFewSeconds() {
    FedBoard b;
    QVERIFY(b.listening);
    b.feed.refresh();
    QWebSocket board;
    QWebSocket plain;
    QStringList toBoard;
    QStringList toPlain;
    connect(&board, &QWebSocket::textMessageReceived, &board, [&](const QString& m) { toBoard << m; });
    connect(&plain, &QWebSocket::textMessageReceived, &plain, [&](const QString& m) { toPlain << m; });
    board.open(b.live(u"/live?keepalive"_s));
    plain.open(b.live());
    QTRY_COMPARE(toBoard.size(), 1);
    QTRY_COMPARE(toPlain.size(), 1);
    // Nothing changes: the browser board hears a tiny frame every two seconds, the plain client nothing.
    QTRY_COMPARE_WITH_TIMEOUT(toBoard.size(), 2, 3000);
    QCOMPARE(toBoard[1], u"{}"_s);
    QCOMPARE(toPlain.size(), 1);
}

void TestFeed::noticesShowTheirTextAsItIs() {
    BoardFixture f;
    f.show();
    // An address typed with markup in it is told word for word, never drawn as markup over the board.
    const std::string typed = "<b><font color=red size=7>GAME ABANDONED</font></b>";
    QVERIFY(!BoardFeed::start(planFeed({"8787", typed, std::nullopt}, {}), *f.board, f.engine, f.settings,
                              [&](const QString& text) { showFeedNoticeOver(f.board.get(), text); }));
    auto* label = f.board->findChild<QLabel*>(u"feedNoticeText"_s);
    QVERIFY(label);
    QCOMPARE(label->textFormat(), Qt::PlainText);
    QVERIFY2(label->text().contains(QString::fromStdString(typed)), qPrintable(label->text()));
}

void TestFeed::feedFolderKeepsToTheFolderItChecked() {
    QTemporaryDir tmp;
    const QString folder = tmp.filePath(u"feed"_s);
    FeedDirectory directory(folder);
    QVERIFY(directory.prepare());
    BoardFixture f;
    f.show();
    directory.write(readBoardState(*f.board, f.settings));
    // Somebody who can change the parent folder moves the checked folder aside and puts a link in its place.
    const QString aside = tmp.filePath(u"aside"_s);
    const QString elsewhere = tmp.filePath(u"elsewhere"_s);
    QVERIFY(QDir().rename(folder, aside));
    QVERIFY(QDir().mkpath(elsewhere));
    if (!QFile::link(elsewhere, folder)) {
        QSKIP("this system makes no links");
    }
    f.focus(f.field("HomeBack"));
    f.type(u"+1"_s);
    directory.write(readBoardState(*f.board, f.settings));
    // The new score goes into the folder that was checked, wherever it now is; nothing lands behind the link.
    QFile score(QDir(aside).filePath(u"home_score.txt"_s));
    QVERIFY(score.open(QIODevice::ReadOnly));
    QCOMPARE(score.readAll(), "1"_ba);
    QVERIFY(QDir(elsewhere).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    QCOMPARE(directory.failedWrites(), 0);
}

void TestFeed::tricklesLeaveRoomForWholeRequests() {
    FeedLimits limits;
    limits.maxConnections = 4;
    limits.reservedConnections = 2;
    limits.firstRequestGraceMs = 60'000;
    FedBoard b(limits);
    QVERIFY(b.listening);
    FeedServer* server = b.feed.server();
    // Two connections trickle their requests: they keep their slots, the reserve stays free.
    std::vector<std::unique_ptr<RawClient>> trickles;
    for (int i = 0; i < 2; ++i) {
        trickles.push_back(std::make_unique<RawClient>(server->serverPort()));
        trickles.back()->socket.write("GET /sta");
        QTRY_COMPARE(server->connectionCount(), i + 1);
        QTest::qWait(50);
    }
    // A third trickle finds no room of its own and is closed at its first bytes.
    RawClient third(server->serverPort());
    third.socket.write("GET /st");
    QVERIFY(third.closedWithin(1000));
    QCOMPARE(trickles[0]->socket.state(), QAbstractSocket::ConnectedState);
    // A request that arrives whole is served.
    QCOMPARE(request(b.url(u"/state"_s)).status, 200);
    // Two connections that have not said anything yet fill the feed; with nothing idle, a newcomer pushes out
    // the trickle quiet for longest rather than being turned away.
    RawClient silent1(server->serverPort());
    RawClient silent2(server->serverPort());
    QTRY_COMPARE(server->connectionCount(), 4);
    QCOMPARE(request(b.url(u"/state"_s)).status, 200);
    QVERIFY(trickles[0]->closedWithin(1000));
    QCOMPARE(silent1.socket.state(), QAbstractSocket::ConnectedState);
}

void TestFeed::pingsCountAgainstTheFrameRate() {
    FedBoard b;
    QVERIFY(b.listening);
    QWebSocket calm;
    QSignalSpy calmPongs(&calm, &QWebSocket::pong);
    calm.open(b.live());
    QWebSocket flood;
    QSignalSpy floodClosed(&flood, &QWebSocket::disconnected);
    QSignalSpy floodPongs(&flood, &QWebSocket::pong);
    flood.open(b.live());
    QTRY_COMPARE(b.feed.server()->liveClientCount(), 2);
    // A ping now and then is answered.
    for (int i = 0; i < 3; ++i) {
        calm.ping();
    }
    QTRY_COMPARE(calmPongs.size(), 3);
    // Thousands at once: the feed stops answering and closes the client.
    for (int i = 0; i < 5000; ++i) {
        flood.ping();
    }
    QTRY_COMPARE_WITH_TIMEOUT(floodClosed.size(), 1, 5000);
    QVERIFY2(floodPongs.size() < 1000, qPrintable(QString::number(floodPongs.size())));
    QCOMPARE(b.feed.server()->droppedClients(), 1);
    QCOMPARE(calm.state(), QAbstractSocket::ConnectedState);
}

void TestFeed::theSweepSleepsWhileNobodyIsConnected() {
    FeedLimits limits;
    limits.idleTimeoutMs = 200;
    FedBoard b(limits);
    QVERIFY(b.listening);
    FeedServer* server = b.feed.server();
    QVERIFY(!server->watching()); // listening alone wakes nothing
    QCOMPARE(request(b.url(u"/state"_s)).status, 200);
    QTRY_COMPARE(server->connectionCount(), 0);
    QTRY_VERIFY(!server->watching());
    {
        QWebSocket client;
        client.open(b.live());
        QTRY_COMPARE(server->liveClientCount(), 1);
        QVERIFY(server->watching()); // pings a live client
        client.close();
        QTRY_COMPARE(server->liveClientCount(), 0);
    }
    QTRY_VERIFY(!server->watching());
}

void TestFeed::tenthsAreWatchedOnlyWhileShown() {
    FedBoard b;
    QVERIFY(b.listening);
    b.f.show();
    b.f.type(u"1.3\n"_s); // 1:03
    b.f.type(u"s"_s);
    b.feed.refresh();
    // Above a minute the board's own shown changes bring the new readings.
    QVERIFY(!b.feed.watchesTenths());
    b.f.advance(3000); // 1:00.0
    b.feed.refresh();
    QVERIFY(!b.feed.watchesTenths());
    b.f.advance(100); // 59.9: the tenths are on the board
    b.feed.refresh();
    QVERIFY(b.feed.watchesTenths());
    b.f.type(u"s"_s);
    b.feed.refresh();
    QVERIFY(!b.feed.watchesTenths());
}

void TestFeed::stateAnswersTheClocksAsTheyReadNow() {
    FedBoard b;
    QVERIFY(b.listening);
    b.f.show();
    b.f.type(u"s"_s); // 10:00 running
    b.feed.refresh();
    // Between two shown changes nothing is pushed, but /state reads the clocks as they are.
    b.f.clock.advance(500);
    const QJsonObject clock = QJsonDocument::fromJson(request(b.url(u"/state"_s)).body).object()[u"clock"_s].toObject();
    QCOMPARE(clock[u"text"_s].toString(), u"10:00"_s);
    QCOMPARE(clock[u"remaining"_s].toDouble(), 599.5);
}

void TestFeed::blankPenaltyClocksAreNotRunning() {
    FedBoard b;
    QVERIFY(b.listening);
    b.f.show();
    b.f.focus(b.f.field("PenaltyTV1"));
    b.f.type(u"2\n"_s);
    b.f.type(u"s"_s);
    b.f.advance(1000);
    b.feed.refresh();
    const QJsonObject doc = QJsonDocument::fromJson(b.document()).object();
    QVERIFY(doc[u"clock"_s].toObject()[u"running"_s].toBool());
    const auto penalty = [&](const char* team, int i) {
        return doc[QLatin1String(team)].toObject()[u"penalties"_s].toArray()[i].toObject();
    };
    QCOMPARE(penalty("visitor", 0)[u"text"_s].toString(), u"1:59"_s);
    QVERIFY(penalty("visitor", 0)[u"running"_s].toBool());
    for (const auto& [team, i] : {std::pair{"home", 0}, {"home", 1}, {"visitor", 1}}) {
        QCOMPARE(penalty(team, i)[u"text"_s].toString(), QString());
        QVERIFY2(!penalty(team, i)[u"running"_s].toBool(), team);
    }
}

void TestFeed::servesTheFreshBoardBeforeTheBoardOpens() {
    BoardFixture f;
    f.settings.HomeText = "Lions";
    BoardFeed feed(f.engine, f.settings);
    QVERIFY(feed.listen(QHostAddress::LocalHost, 0));
    const QString url = u"http://127.0.0.1:%1/state"_s.arg(feed.server()->serverPort());
    const Answer early = request(url);
    QCOMPARE(early.status, 200);
    const QJsonObject doc = QJsonDocument::fromJson(early.body).object();
    QCOMPARE(doc[u"clock"_s].toObject()[u"text"_s].toString(), u"10:00"_s);
    QCOMPARE(doc[u"clock"_s].toObject()[u"remaining"_s].toDouble(), 600.0);
    QVERIFY(!doc[u"clock"_s].toObject()[u"running"_s].toBool());
    QCOMPARE(doc[u"home"_s].toObject()[u"name"_s].toString(), u"Lions"_s);
    QCOMPARE(doc[u"period"_s].toObject()[u"text"_s].toString(), u"0"_s);
    // An overlay connected early follows the board once it opens.
    QWebSocket client;
    QStringList messages;
    connect(&client, &QWebSocket::textMessageReceived, &client, [&](const QString& m) { messages << m; });
    client.open(QUrl(u"ws://127.0.0.1:%1/live"_s.arg(feed.server()->serverPort())));
    QTRY_COMPARE(messages.size(), 1);
    f.show();
    feed.follow(*f.board);
    f.focus(f.field("HomeBack"));
    f.type(u"+1"_s);
    feed.refresh();
    QTRY_VERIFY(!messages.isEmpty() && messages.last().contains(u"\"score\":{\"text\":\"1\""_s));
}

namespace {

// Stands in for a translation: every overlay word comes back marked.
class MarkingTranslator : public QTranslator {
public:
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char* = nullptr, int = -1) const override {
        if (QLatin1String(context) != "Overlay"_L1) {
            return {};
        }
        if (QLatin1String(source) == "%1st"_L1) {
            return u"%1re"_s;
        }
        if (QLatin1String(source) == "en"_L1) {
            return u"fr"_s;
        }
        return u"«"_s + QString::fromLatin1(source) + u"»"_s;
    }
};

} // namespace

void TestFeed::theOverlaySpeaksTheProgramsLanguage() {
    const auto page = [] {
        FeedServer server;
        QString error;
        if (!server.listen(QHostAddress::LocalHost, 0, &error)) {
            return QByteArray();
        }
        return request(u"http://127.0.0.1:%1/"_s.arg(server.serverPort())).body;
    };
    const auto texts = [](const QByteArray& html) {
        const QByteArray open = R"(<script id="texts" type="application/json">)";
        const qsizetype from = html.indexOf(open) + open.size();
        return QJsonDocument::fromJson(html.mid(from, html.indexOf("</script>", from) - from)).object();
    };
    const QJsonObject english = texts(page());
    QCOMPARE(english[u"goal"_s].toString(), u"GOAL"_s);
    QCOMPARE(english[u"penalty"_s].toString(), u"PENALTY"_s);
    const QJsonObject periods = english[u"periods"_s].toObject();
    QCOMPARE(periods[u"1"_s].toString(), u"1st"_s);
    QCOMPARE(periods[u"2"_s].toString(), u"2nd"_s);
    QCOMPARE(periods[u"3"_s].toString(), u"3rd"_s);
    QCOMPARE(periods[u"4"_s].toString(), u"4th"_s);
    QVERIFY(!periods.contains(u"0"_s)); // period 0 is shown as its number
    MarkingTranslator translator;
    QCoreApplication::installTranslator(&translator);
    const QJsonObject marked = texts(page());
    QCoreApplication::removeTranslator(&translator);
    QCOMPARE(marked[u"lang"_s].toString(), u"fr"_s);
    QCOMPARE(marked[u"goal"_s].toString(), u"«GOAL»"_s);
    QCOMPARE(marked[u"penalty"_s].toString(), u"«PENALTY»"_s);
    QCOMPARE(marked[u"periods"_s].toObject()[u"1"_s].toString(), u"1re"_s);
    QCOMPARE(marked[u"periods"_s].toObject()[u"2"_s].toString(), u"«2nd»"_s);
}

QTEST_MAIN(TestFeed)
#include "tst_feed.moc"
