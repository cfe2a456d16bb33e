#include "BoardFeed.h"
#include "board/BoardWindow.h"
#include "core/feed/FeedLook.h"
#include "feed/BoardLayoutReader.h"
#include "feed/BoardReader.h"
#include "feed/FeedDirectory.h"
#include "feed/FeedServer.h"
#include <QCoreApplication>
#include <QDebug>
#include <QEvent>

using namespace Qt::StringLiterals;

BoardFeed::BoardFeed(BoardWindow& board, ClockEngine& engine, const SettingsVariables& settings, QObject* parent)
    : BoardFeed(engine, settings, parent) {
    follow(board);
}

BoardFeed::BoardFeed(ClockEngine& engine, const SettingsVariables& settings, QObject* parent)
    : QObject(parent), m_engine(engine), m_settings(settings) {
    m_nextTenth.setSingleShot(true);
    m_nextTenth.setTimerType(Qt::PreciseTimer);
    connect(&m_nextTenth, &QTimer::timeout, this, &BoardFeed::refresh);
}

void BoardFeed::follow(BoardWindow& board) {
    if (m_board != nullptr) {
        return;
    }
    m_board = &board;
    connect(&board.model(), &BoardModel::changed, this, &BoardFeed::refreshSoon);
    connect(&board, &BoardWindow::shownChanged, this, [this] {
        m_layoutStale = true;
        refreshSoon();
    });
    m_layoutStale = true;
    refresh();
}

BoardFeed::~BoardFeed() = default;

std::unique_ptr<BoardFeed> BoardFeed::start(const FeedPlan& plan, BoardWindow& board, ClockEngine& engine,
                                            const SettingsVariables& settings, FeedNotice::Show show) {
    return start(plan, &board, engine, settings, std::move(show));
}

std::unique_ptr<BoardFeed> BoardFeed::start(const FeedPlan& plan, BoardWindow* board, ClockEngine& engine,
                                            const SettingsVariables& settings, FeedNotice::Show show) {
    auto notice = std::make_shared<FeedNotice>(std::move(show));
    for (const std::string& problem : plan.problems) {
        notice->tell(QString::fromStdString(problem));
    }
    if (!plan.listen && plan.directory.empty()) {
        return nullptr;
    }
    auto feed = board != nullptr ? std::make_unique<BoardFeed>(*board, engine, settings)
                                 : std::make_unique<BoardFeed>(engine, settings);
    feed->setNotice(notice);
    bool running = false;
    if (plan.listen) {
        const QString text = QString::fromStdString(plan.address);
        QHostAddress address;
        QString error;
        if (!address.setAddress(text)) {
            notice->tell(
                QCoreApplication::translate("BoardFeed", "The live feed could not start: \"%1\" is not an IP address.")
                    .arg(text));
        } else if (!feed->listen(address, plan.port, &error)) {
            notice->tell(error);
        } else {
            const QString host = address.protocol() == QAbstractSocket::IPv6Protocol ? u"[%1]"_s.arg(text) : text;
            const quint16 port = feed->server()->serverPort();
            qInfo().noquote() << u"Rinkmaster feed: http://%1:%2/"_s.arg(host).arg(port);
            if (address == QHostAddress::AnyIPv4 || address == QHostAddress::AnyIPv6 || address == QHostAddress::Any) {
                notice->tell(QCoreApplication::translate(
                                 "BoardFeed", "The live feed listens on every network connection of this computer: "
                                              "anyone who can reach it on port %1 can read the board.")
                                 .arg(port));
            }
            running = true;
        }
    }
    if (!plan.directory.empty()) {
        QString error;
        if (feed->writeTo(QString::fromStdString(plan.directory), &error)) {
            running = true;
        } else {
            notice->tell(error);
        }
    }
    if (!running) {
        return nullptr;
    }
    feed->refresh();
    return feed;
}

bool BoardFeed::listen(const QHostAddress& address, quint16 port, QString* error, const FeedLimits& limits) {
    auto server = std::make_unique<FeedServer>(limits);
    if (!server->listen(address, port, error)) {
        return false;
    }
    // A client asking for /state gets the clocks as they read now, even between two shown changes.
    server->setBeforeState([this] { refresh(); });
    m_server = std::move(server);
    m_layoutStale = true;
    m_layoutDocument.clear();
    m_last.reset();
    refresh();
    return true;
}

bool BoardFeed::writeTo(const QString& folder, QString* error) {
    auto directory =
        std::make_unique<FeedDirectory>(folder, [notice = m_notice](const QString& text) { notice->tell(text); });
    if (!directory->prepare(error)) {
        return false;
    }
    m_directory = std::move(directory);
    m_last.reset();
    refresh();
    return true;
}

void BoardFeed::refresh() {
    m_refreshQueued = false;
    if (m_board != nullptr &&
        feedWatchesTenths(m_board->scorekeeper().clockRunning(0), m_board->scorekeeper().peekClock(0))) {
        const std::int64_t now = m_engine.source().nowMillis();
        std::int64_t tenth = now / 100;
        if (now % 100 != 0 && now < 0) {
            --tenth;
        }
        m_nextTenth.start(static_cast<int>((tenth + 1) * 100 - now));
    } else {
        m_nextTenth.stop();
    }
    if (m_layoutStale && m_server && m_board != nullptr) {
        refreshLayout();
    }
    BoardState state = m_board != nullptr ? readBoardState(*m_board, m_settings)
                                          : readGameState(game::freshGame(), false, m_settings, nullptr);
    state.layoutVersion = m_server ? m_layoutVersion : 0;
    if (m_recordReader) {
        state.record = m_recordReader();
    }
    if (m_last && *m_last == state) {
        return;
    }
    if (m_server) {
        m_server->publish(state);
    }
    if (m_directory) {
        m_directory->write(state);
    }
    m_last = std::move(state);
}

void BoardFeed::refreshLayout() {
    m_layoutStale = false;
    std::string document = boardLayoutDocument(readBoardLayout(m_board->view()), m_settings);
    if (document != m_layoutDocument) {
        m_layoutDocument = std::move(document);
        ++m_layoutVersion;
        m_server->setBoardLayout(QByteArray::fromStdString(m_layoutDocument));
    }
}

void BoardFeed::refreshSoon() {
    if (!m_refreshQueued) {
        m_refreshQueued = true;
        QTimer::singleShot(0, this, &BoardFeed::refresh);
    }
}
