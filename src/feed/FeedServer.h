#pragma once
#include "core/feed/BoardState.h"
#include "core/feed/FeedLimits.h"
#include <QByteArray>
#include <QElapsedTimer>
#include <QHash>
#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <memory>
#include <vector>

class QHttpServer;
class QTcpSocket;
class QWebSocket;
class FeedTcpServer;

// The read-only feed: the overlay page and its script at "/", the state document at "/state" and a live
// socket at "/live" that pushes the document whenever it changes. Runs in the program's event loop; it never
// waits for a client: a client that stops reading or breaks the limits is dropped.
class FeedServer : public QObject {
    Q_OBJECT
public:
    explicit FeedServer(const FeedLimits& limits = FeedLimits(), QObject* parent = nullptr);
    ~FeedServer() override;

    // Starts listening on address:port (port 0 picks a free one). False, with a sentence in *error, when
    // the address cannot be bound.
    bool listen(const QHostAddress& address, quint16 port, QString* error = nullptr);
    quint16 serverPort() const;
    QHostAddress serverAddress() const;

    // The board's state: the document /state answers from now on, pushed to every live client when it
    // differs from the last one. Answers whether it was pushed.
    bool publish(const BoardState& state);
    const QByteArray& document() const { return m_document; }
    // The board's layout document that /board/layout.json answers, for the browser board at /board.
    void setBoardLayout(const QByteArray& layout) { m_boardLayout = layout; }

    int liveClientCount() const { return static_cast<int>(m_clients.size()); }
    int connectionCount() const { return static_cast<int>(m_connections.size()); }
    // Live clients dropped for not reading or not answering, and connections closed for breaking a limit.
    int droppedClients() const { return m_droppedClients; }
    int refusedConnections() const { return m_refusedConnections; }
    // Idle HTTP connections closed to make room for a new one.
    int droppedIdleConnections() const { return m_droppedIdleConnections; }

signals:
    void liveClientsChanged(int count);
    // A new document went out to every live client.
    void published(const QByteArray& document);

private:
    struct Connection {
        QPointer<QTcpSocket> socket;
        ConnectionGuard guard;
        std::uint64_t arrival; // order of arrival, oldest first
    };
    struct LiveClient {
        QWebSocket* socket;
        LiveClientWatch watch;
        // A browser board asks for a small frame every few seconds while nothing changes, so it can tell a
        // quiet game from a lost connection.
        bool keepAlive = false;
        std::int64_t lastSentMs = 0;
    };

    void addRoutes();
    void acceptConnection(QTcpSocket* socket);
    void connectionReadyRead(QTcpSocket* socket);
    void refuse(QTcpSocket* socket, ConnectionGuard::Verdict verdict);
    void acceptLiveClients();
    void frameFrom(QWebSocket* socket, bool pong);
    void dropClient(QWebSocket* socket, bool brokeALimit);
    void sweep();
    std::int64_t nowMs() const { return m_clock.elapsed(); }

    FeedLimits m_limits;
    QElapsedTimer m_clock;
    QHttpServer* m_http = nullptr;
    QPointer<FeedTcpServer> m_tcp; // owned by the HTTP server once bound
    QHash<QTcpSocket*, Connection> m_connections;
    std::vector<LiveClient> m_clients;
    QTimer m_sweep;
    QByteArray m_document;
    QByteArray m_overlayHtml;
    QByteArray m_overlayCss;
    QByteArray m_overlayJs;
    QByteArray m_boardHtml;
    QByteArray m_boardCss;
    QByteArray m_boardJs;
    QByteArray m_boardLayout;
    int m_droppedClients = 0;
    int m_refusedConnections = 0;
    int m_droppedIdleConnections = 0;
    std::uint64_t m_arrivals = 0;
};
