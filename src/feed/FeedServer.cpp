#include "FeedServer.h"
#include "core/feed/FeedText.h"
#include "core/feed/StateDocument.h"
#include <QCoreApplication>
#include <QFile>
#include <QHttpServer>
#include <QHttpServerResponse>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <QWebSocket>
#include <algorithm>
#include <functional>
#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

// Resources compiled into a static library need an explicit hold, or the linker leaves them out.
static void initFeedResources() {
    Q_INIT_RESOURCE(feed);
}

using namespace Qt::StringLiterals;

// Accepts TCP connections for the HTTP server and lets the feed see each one first, so every connection is
// counted, bounded and watched before the HTTP server reads a byte of it.
class FeedTcpServer : public QTcpServer {
public:
    FeedTcpServer(std::function<bool(QTcpSocket*)> admit, QObject* parent)
        : QTcpServer(parent), m_admit(std::move(admit)) {}

protected:
    void incomingConnection(qintptr descriptor) override {
        auto* socket = new QTcpSocket(this);
        if (!socket->setSocketDescriptor(descriptor)) {
            delete socket;
            return;
        }
        if (!m_admit(socket)) {
            socket->abort();
            socket->deleteLater();
            return;
        }
        addPendingConnection(socket);
    }

private:
    std::function<bool(QTcpSocket*)> m_admit;
};

namespace {

QByteArray resource(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const QString kLivePath = u"/live"_s;
const QStringList kFixedPaths{u"/"_s,      u"/overlay.css"_s, u"/overlay.js"_s, u"/state"_s,
                              u"/board"_s, u"/board.css"_s,   u"/board.js"_s,   u"/board/layout.json"_s};
// What a browser board hears at least this often while connected, a state or a keep-alive frame.
constexpr std::int64_t kKeepAliveMs = 2'000;
const QByteArray kKeepAliveFrame = "{}"_ba;

// The overlay's own words in the program's language, as a small JSON document the page reads from itself.
QByteArray overlayTexts() {
    QJsonObject periods;
    for (int n = 1; n <= 9; ++n) {
        QString word;
        switch (ordinalForm(n)) {
        case OrdinalForm::One:
            word = QCoreApplication::translate("Overlay", "%1st",
                                               "period 1 (and 21, 31...) on the scorebug; the number is %1");
            break;
        case OrdinalForm::Two:
            word = QCoreApplication::translate("Overlay", "%1nd",
                                               "period 2 (and 22, 32...) on the scorebug; the number is %1");
            break;
        case OrdinalForm::Three:
            word = QCoreApplication::translate("Overlay", "%1rd",
                                               "period 3 (and 23, 33...) on the scorebug; the number is %1");
            break;
        default:
            word = QCoreApplication::translate("Overlay", "%1th", "periods 4 to 9 on the scorebug; the number is %1");
            break;
        }
        periods.insert(QString::number(n), word.arg(n));
    }
    QJsonObject texts;
    texts.insert(u"lang"_s,
                 QCoreApplication::translate("Overlay", "en", "the language code of this translation (fr, de)"));
    texts.insert(u"goal"_s,
                 QCoreApplication::translate("Overlay", "GOAL", "beside the scoring team's name on the scorebug"));
    texts.insert(u"penalty"_s,
                 QCoreApplication::translate("Overlay", "PENALTY", "beside a team's penalty times on the scorebug"));
    texts.insert(u"periods"_s, periods);
    // Inside a script element: "</" would end it early.
    return QJsonDocument(texts).toJson(QJsonDocument::Compact).replace("</", "<\\/");
}

bool samePeer(const QTcpSocket* tcp, const QWebSocket* ws) {
    return tcp->peerPort() == ws->peerPort() && tcp->peerAddress() == ws->peerAddress();
}

} // namespace

FeedServer::FeedServer(const FeedLimits& limits, QObject* parent) : QObject(parent), m_limits(limits) {
    initFeedResources();
    m_clock.start();
    m_overlayHtml =
        resource(u":/feed/overlay.html"_s)
            .replace(R"(<script id="texts" type="application/json">{}</script>)",
                     QByteArray(R"(<script id="texts" type="application/json">)" + overlayTexts() + "</script>"));
    m_overlayCss = resource(u":/feed/overlay.css"_s);
    m_overlayJs = resource(u":/feed/overlay.js"_s);
    m_boardHtml = resource(u":/feed/board.html"_s);
    m_boardCss = resource(u":/feed/board.css"_s);
    m_boardJs = resource(u":/feed/board.js"_s);
    m_http = new QHttpServer(this);
    addRoutes();
    connect(m_http, &QHttpServer::newWebSocketConnection, this, &FeedServer::acceptLiveClients);
    m_sweep.setInterval(250);
    connect(&m_sweep, &QTimer::timeout, this, &FeedServer::sweep);
}

FeedServer::~FeedServer() {
    m_sweep.stop();
    for (LiveClient& c : m_clients) {
        c.socket->disconnect(this);
        c.socket->abort();
    }
    m_clients.clear();
    for (const Connection& c : std::as_const(m_connections)) {
        if (c.socket) {
            c.socket->disconnect(this);
        }
    }
    m_connections.clear();
    // The HTTP server and the listening socket go first, while everything they might still report to exists.
    delete m_http;
    m_http = nullptr;
    delete m_tcp.data();
}

bool FeedServer::listen(const QHostAddress& address, quint16 port, QString* error) {
#ifdef Q_OS_UNIX
    // Every connection and live client is a descriptor: a desktop session's usual 1024 would run out first.
    rlimit files{};
    const rlim_t wanted = static_cast<rlim_t>(m_limits.maxConnections) + m_limits.maxLiveClients + 256;
    if (::getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur < wanted) {
        files.rlim_cur = files.rlim_max == RLIM_INFINITY ? wanted : std::min(wanted, files.rlim_max);
        ::setrlimit(RLIMIT_NOFILE, &files);
    }
#endif
    auto* tcp = new FeedTcpServer(
        [this](QTcpSocket* s) {
            acceptConnection(s);
            return m_connections.contains(s);
        },
        this);
    if (!tcp->listen(address, port)) {
        if (error) {
            switch (tcp->serverError()) {
            case QAbstractSocket::AddressInUseError:
                *error = QCoreApplication::translate("FeedServer", "The live feed could not start: port %1 is in use.")
                             .arg(port);
                break;
            case QAbstractSocket::SocketAddressNotAvailableError:
                *error = QCoreApplication::translate(
                             "FeedServer", "The live feed could not start: %1 is not an address of this computer.")
                             .arg(address.toString());
                break;
            default:
                *error = QCoreApplication::translate("FeedServer", "The live feed could not start on %1 port %2: %3.")
                             .arg(address.toString())
                             .arg(port)
                             .arg(tcp->errorString());
                break;
            }
        }
        delete tcp;
        return false;
    }
    m_tcp = tcp;
    m_http->bind(tcp);
    return true;
}

quint16 FeedServer::serverPort() const {
    return m_tcp ? m_tcp->serverPort() : 0;
}

QHostAddress FeedServer::serverAddress() const {
    return m_tcp ? m_tcp->serverAddress() : QHostAddress();
}

void FeedServer::addRoutes() {
    using Method = QHttpServerRequest::Method;
    // Each fixed resource answers GET with its body and HEAD with the same head and no body.
    const auto fixed = [this](const QString& path, const QByteArray& mime, const QByteArray FeedServer::*body,
                              bool noStore) {
        m_http->route(path, Method::Get | Method::Head,
                      [this, mime, body, noStore](const QHttpServerRequest& request, QHttpServerResponder&& responder) {
                          if (body == &FeedServer::m_document && m_beforeState) {
                              m_beforeState();
                          }
                          const QByteArray& content = this->*body;
                          responder.writeStatusLine(QHttpServerResponder::StatusCode::Ok);
                          responder.writeHeader("Content-Type"_ba, mime);
                          responder.writeHeader("Content-Length"_ba, QByteArray::number(content.size()));
                          responder.writeHeader("X-Content-Type-Options"_ba, "nosniff"_ba);
                          if (noStore) {
                              responder.writeHeader("Cache-Control"_ba, "no-store"_ba);
                          }
                          responder.writeBody(request.method() == Method::Head ? QByteArray() : content);
                      });
    };
    fixed(u"/"_s, "text/html; charset=utf-8"_ba, &FeedServer::m_overlayHtml, false);
    fixed(u"/overlay.css"_s, "text/css; charset=utf-8"_ba, &FeedServer::m_overlayCss, false);
    fixed(u"/overlay.js"_s, "text/javascript; charset=utf-8"_ba, &FeedServer::m_overlayJs, false);
    fixed(u"/state"_s, "application/json"_ba, &FeedServer::m_document, true);
    fixed(u"/board"_s, "text/html; charset=utf-8"_ba, &FeedServer::m_boardHtml, false);
    fixed(u"/board.css"_s, "text/css; charset=utf-8"_ba, &FeedServer::m_boardCss, false);
    fixed(u"/board.js"_s, "text/javascript; charset=utf-8"_ba, &FeedServer::m_boardJs, false);
    fixed(u"/board/layout.json"_s, "application/json"_ba, &FeedServer::m_boardLayout, true);
    // The live socket. The HTTP server hands a WebSocket upgrade over only once a route has taken the request,
    // and it writes whatever that route answers before the upgrade: so this route answers nothing to an
    // upgrade, and tells a plain request where it went wrong.
    m_http->route(kLivePath, Method::Get, [](const QHttpServerRequest& request, QHttpServerResponder&& responder) {
        if (request.value("upgrade"_ba).compare("websocket"_ba, Qt::CaseInsensitive) != 0) {
            responder.write(QHttpServerResponder::StatusCode::UpgradeRequired);
        }
    });
    // Everything else: no such resource, or a method other than GET on one of the fixed ones.
    m_http->setMissingHandler([](const QHttpServerRequest& request, QHttpServerResponder&& responder) {
        const bool known = kFixedPaths.contains(request.url().path()) || request.url().path() == kLivePath;
        responder.write(known ? QHttpServerResponder::StatusCode::MethodNotAllowed
                              : QHttpServerResponder::StatusCode::NotFound);
    });
}

void FeedServer::acceptConnection(QTcpSocket* socket) {
    const std::int64_t now = nowMs();
    // In order of arrival, so that of two equally quiet connections the older goes first.
    std::vector<QTcpSocket*> held;
    held.reserve(static_cast<std::size_t>(m_connections.size()));
    for (auto it = m_connections.cbegin(); it != m_connections.cend(); ++it) {
        if (it->socket) {
            held.push_back(it.key());
        }
    }
    std::sort(held.begin(), held.end(), [this](QTcpSocket* a, QTcpSocket* b) {
        return m_connections.constFind(a)->arrival < m_connections.constFind(b)->arrival;
    });
    std::vector<ConnectionSlot> openSlots;
    openSlots.reserve(held.size());
    for (QTcpSocket* s : held) {
        const Connection& c = *m_connections.constFind(s);
        openSlots.push_back({s->peerAddress().toString().toStdString(), c.guard.idle(s->bytesToWrite(), now),
                             c.guard.lastActivityMs(), c.guard.trickling()});
    }
    const Admission admission = admitConnection(openSlots, socket->peerAddress().toString().toStdString(), m_limits);
    if (!admission.admit) {
        ++m_refusedConnections;
        return;
    }
    if (admission.drop) {
        // An idle connection, or with none idle the slowest trickle.
        QTcpSocket* idle = held[*admission.drop];
        m_connections.remove(idle);
        ++m_droppedIdleConnections;
        QTimer::singleShot(0, idle, [idle] { idle->abort(); });
    }
    // The HTTP server keeps a request in the socket's buffer until it is complete: a full buffer is a
    // request that can never complete, and nothing more is read from that client meanwhile.
    socket->setReadBufferSize(m_limits.maxRequestBytes);
    m_connections.insert(socket, Connection{socket, ConnectionGuard(m_limits, now), m_arrivals++});
    // Connected before the HTTP server connects its own: the feed sees each arrival first.
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] { connectionReadyRead(socket); });
    connect(socket, &QTcpSocket::bytesWritten, this, [this, socket] {
        const auto it = m_connections.find(socket);
        if (it != m_connections.end()) {
            it->guard.answered(nowMs());
        }
    });
    connect(socket, &QObject::destroyed, this, [this, socket] { m_connections.remove(socket); });
    sweepWhileConnected();
}

void FeedServer::sweepWhileConnected() {
    if (!m_sweep.isActive()) {
        m_sweep.start();
    }
}

void FeedServer::connectionReadyRead(QTcpSocket* socket) {
    const auto it = m_connections.find(socket);
    if (it == m_connections.end()) {
        return;
    }
    // A request's first bytes: do they hold all of its header lines? Looked at once per request (the feed's
    // slot runs before the HTTP server reads anything).
    const bool first = !it->guard.heard();
    const bool whole = !first || socket->peek(socket->bytesAvailable()).contains("\r\n\r\n");
    const ConnectionGuard::Verdict verdict =
        it->guard.received(socket->bytesAvailable(), socket->bytesToWrite(), nowMs(), whole);
    if (verdict != ConnectionGuard::Verdict::Keep) {
        refuse(socket, verdict);
        return;
    }
    if (first && it->guard.trickling()) {
        // Trickles share what the reserve leaves them: the requests that come whole always find a slot.
        const auto trickling = std::count_if(m_connections.cbegin(), m_connections.cend(),
                                             [](const Connection& c) { return c.guard.trickling(); });
        if (!mayTrickle(static_cast<int>(trickling) - 1, m_limits)) {
            refuse(socket, ConnectionGuard::Verdict::TimedOut);
        }
    }
}

void FeedServer::refuse(QTcpSocket* socket, ConnectionGuard::Verdict verdict) {
    m_connections.remove(socket);
    ++m_refusedConnections;
    // After the HTTP server has had its look at this arrival, never in the middle of it.
    QTimer::singleShot(0, socket, [socket, verdict] {
        if (verdict == ConnectionGuard::Verdict::TooLarge) {
            socket->write(
                "HTTP/1.1 431 Request Header Fields Too Large\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
            socket->disconnectFromHost();
        } else {
            socket->abort();
        }
    });
}

void FeedServer::acceptLiveClients() {
    while (m_http->hasPendingWebSocketConnections()) {
        QWebSocket* ws = m_http->nextPendingWebSocketConnection().release();
        if (ws == nullptr) {
            break;
        }
        ws->setParent(this);
        // Its HTTP connection became this socket: the HTTP limits no longer apply.
        for (auto it = m_connections.begin(); it != m_connections.end(); ++it) {
            if (it->socket && samePeer(it->socket, ws)) {
                m_connections.erase(it);
                break;
            }
        }
        connect(ws, &QWebSocket::disconnected, ws, &QObject::deleteLater);
        if (ws->requestUrl().path() != kLivePath || liveClientCount() >= m_limits.maxLiveClients) {
            ++m_refusedConnections;
            ws->close(QWebSocketProtocol::CloseCodePolicyViolated,
                      ws->requestUrl().path() != kLivePath ? u"The live feed is at /live"_s : u"Too many clients"_s);
            continue;
        }
        ws->setMaxAllowedIncomingFrameSize(static_cast<quint64>(m_limits.maxIncomingMessageBytes));
        ws->setMaxAllowedIncomingMessageSize(static_cast<quint64>(m_limits.maxIncomingMessageBytes));
        // Taken a little at a time: the pongs to a burst of pings are written, and counted, before the next
        // read, so a client flooding pings is closed before it has had thousands of answers.
        ws->setReadBufferSize(m_limits.maxIncomingMessageBytes + 16); // the largest frame it may send
        const bool keepAlive = ws->requestUrl().query() == u"keepalive"_s;
        // The handshake's answer may still be on its way out: it is no answer to a ping.
        m_clients.push_back(
            LiveClient{ws, LiveClientWatch(m_limits, nowMs()), keepAlive, nowMs(), ws->bytesToWrite(), 0});
        sweepWhileConnected();
        connect(ws, &QWebSocket::pong, this, [this, ws] { frameFrom(ws, true); });
        // What goes out beyond the feed's own messages answers the client's pings: counted like its frames.
        connect(ws, &QWebSocket::bytesWritten, this, [this, ws](qint64 bytes) { answersWritten(ws, bytes); });
        // The feed reads nothing a client sends, but each frame costs the board's thread its parsing.
        connect(ws, &QWebSocket::textFrameReceived, this, [this, ws] { frameFrom(ws, false); });
        connect(ws, &QWebSocket::binaryFrameReceived, this, [this, ws] { frameFrom(ws, false); });
        connect(ws, &QWebSocket::disconnected, this, [this, ws] { dropClient(ws, false); });
        if (!m_document.isEmpty()) {
            m_clients.back().sentBytes += textFrameBytes(m_document.size());
            ws->sendTextMessage(QString::fromUtf8(m_document));
        }
        emit liveClientsChanged(liveClientCount());
    }
}

bool FeedServer::publish(const BoardState& state) {
    QByteArray doc = QByteArray::fromStdString(stateDocument(state));
    if (doc == m_document) {
        return false;
    }
    m_document = std::move(doc);
    const QString text = QString::fromUtf8(m_document);
    std::vector<QWebSocket*> notReading;
    for (LiveClient& c : m_clients) {
        c.sentBytes += textFrameBytes(m_document.size());
        c.socket->sendTextMessage(text);
        c.lastSentMs = nowMs();
        if (c.watch.check(c.socket->bytesToWrite(), nowMs()) == LiveClientWatch::Verdict::NotReading) {
            notReading.push_back(c.socket);
        }
    }
    for (QWebSocket* ws : notReading) {
        dropClient(ws, true);
    }
    emit published(m_document);
    return true;
}

void FeedServer::frameFrom(QWebSocket* ws, bool pong) {
    const auto it =
        std::find_if(m_clients.begin(), m_clients.end(), [ws](const LiveClient& c) { return c.socket == ws; });
    if (it == m_clients.end()) {
        return;
    }
    const std::int64_t now = nowMs();
    if (pong) {
        it->watch.answered(now);
    }
    if (it->watch.frameReceived(now) == LiveClientWatch::Verdict::Flooding) {
        // Closed at once: the rest of what it already sent is thrown away unread.
        dropClient(ws, true);
    }
}

void FeedServer::answersWritten(QWebSocket* ws, qint64 bytes) {
    const auto it =
        std::find_if(m_clients.begin(), m_clients.end(), [ws](const LiveClient& c) { return c.socket == ws; });
    if (it == m_clients.end()) {
        return;
    }
    it->writtenBytes += bytes;
    if (it->watch.answersWritten(it->writtenBytes, it->sentBytes, nowMs()) == LiveClientWatch::Verdict::Flooding) {
        dropClient(ws, true);
    }
}

void FeedServer::dropClient(QWebSocket* ws, bool brokeALimit) {
    const auto it =
        std::find_if(m_clients.begin(), m_clients.end(), [ws](const LiveClient& c) { return c.socket == ws; });
    if (it == m_clients.end()) {
        return;
    }
    m_clients.erase(it);
    if (brokeALimit) {
        ++m_droppedClients;
        ws->disconnect(this);
        ws->abort();
        ws->deleteLater();
    }
    emit liveClientsChanged(liveClientCount());
}

void FeedServer::sweep() {
    const std::int64_t now = nowMs();
    std::vector<std::pair<QTcpSocket*, ConnectionGuard::Verdict>> expired;
    for (auto it = m_connections.begin(); it != m_connections.end();) {
        if (!it->socket || it->socket->state() == QAbstractSocket::UnconnectedState) {
            it = m_connections.erase(it);
            continue;
        }
        const ConnectionGuard::Verdict verdict = it->guard.check(it->socket->bytesToWrite(), now);
        if (verdict != ConnectionGuard::Verdict::Keep) {
            expired.emplace_back(it->socket, verdict);
        }
        ++it;
    }
    for (const auto& [socket, verdict] : expired) {
        refuse(socket, verdict);
    }
    std::vector<QWebSocket*> gone;
    for (LiveClient& c : m_clients) {
        if (c.watch.check(c.socket->bytesToWrite(), now) != LiveClientWatch::Verdict::Keep) {
            gone.push_back(c.socket);
        } else if (c.watch.pingDue(now)) {
            c.sentBytes += textFrameBytes(0);
            c.socket->ping();
            c.watch.pinged(now);
        }
        if (c.keepAlive && now - c.lastSentMs >= kKeepAliveMs) {
            c.sentBytes += textFrameBytes(kKeepAliveFrame.size());
            c.socket->sendTextMessage(QString::fromLatin1(kKeepAliveFrame));
            c.lastSentMs = now;
        }
    }
    for (QWebSocket* ws : gone) {
        dropClient(ws, true);
    }
    if (m_connections.isEmpty() && m_clients.empty()) {
        m_sweep.stop(); // nobody left to watch: asleep until the next connection
    }
}
