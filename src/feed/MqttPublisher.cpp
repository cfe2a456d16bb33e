#include "MqttPublisher.h"
#include "board/BoardWindow.h"
#include "core/board/ClockEngine.h"
#include "core/feed/StateDocument.h"
#include "core/game/GameEvents.h"
#include "core/settings/Settings.h"
#include "feed/BoardReader.h"
#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QFileInfo>
#include <QRandomGenerator>
#include <algorithm>

using namespace Qt::StringLiterals;

#if RINKMASTER_HAVE_MOSQUITTO
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <mosquitto.h>
#include <mutex>
#include <thread>

namespace {
// The broker hears from the board at least this often; the connection thread wakes a few times in this span.
constexpr int kKeepaliveSeconds = 60;
} // namespace
#endif

namespace {
// Events kept while the broker is away, as many as the console's list holds.
constexpr std::size_t kMaxUnsentEvents = game::kMaxEvents;
} // namespace

#if RINKMASTER_HAVE_MOSQUITTO

// The connection to the broker, run on a thread of its own: it connects (the name look-up, TCP and TLS happen
// there), keeps the connection alive and reconnects after 1 s, 2 s ... 30 s. What it learns goes to the
// publisher's thread as queued calls; publishing from the publisher's thread only queues the message and wakes
// the connection thread.
class MqttLink {
public:
    MqttLink(MqttPublisher& owner, const MqttPlan& plan, const std::string& statusTopic,
             std::shared_ptr<FeedNotice> notice)
        : m_owner(owner), m_plan(plan), m_statusTopic(statusTopic), m_notice(std::move(notice)) {}

    ~MqttLink() { stop(); }

    // Prepares the client; false (with the problem told) when it cannot be used at all.
    bool prepare() {
        static std::once_flag once;
        std::call_once(once, [] { mosquitto_lib_init(); });
        // A name the broker's log shows, unique enough for several boards on one broker, within the 23 bytes
        // every broker accepts: rinkmaster-PID-XXXX.
        const QString id = u"rinkmaster-%1-%2"_s.arg(QCoreApplication::applicationPid())
                               .arg(QRandomGenerator::global()->bounded(0x10000), 4, 16, QLatin1Char('0'));
        m_mosq = mosquitto_new(id.toLatin1().constData(), true, this);
        if (m_mosq == nullptr) {
            tell(QCoreApplication::translate(
                "MqttPublisher", "The board cannot be published to the MQTT broker: its client could not be made."));
            return false;
        }
        mosquitto_int_option(m_mosq, MOSQ_OPT_PROTOCOL_VERSION, MQTT_PROTOCOL_V311);
        mosquitto_threaded_set(m_mosq, true);
        mosquitto_connect_callback_set(m_mosq, &MqttLink::onConnect);
        mosquitto_disconnect_callback_set(m_mosq, &MqttLink::onDisconnect);
        static const char kOffline[] = "offline";
        mosquitto_will_set(m_mosq, m_statusTopic.c_str(), static_cast<int>(sizeof kOffline - 1), kOffline, 1, true);
        if (!m_plan.user.empty()) {
            mosquitto_username_pw_set(m_mosq, m_plan.user.c_str(),
                                      m_plan.password.empty() ? nullptr : m_plan.password.c_str());
        }
        if (m_plan.endpoint.tls) {
            int rc = MOSQ_ERR_SUCCESS;
            if (m_plan.caFile.empty()) {
                rc = mosquitto_int_option(m_mosq, MOSQ_OPT_TLS_USE_OS_CERTS, 1);
            } else if (!QFileInfo(QString::fromStdString(m_plan.caFile)).isReadable()) {
                tell(QCoreApplication::translate(
                         "MqttPublisher",
                         "The board is not published to the MQTT broker: the CA file %1 cannot be read.")
                         .arg(QString::fromStdString(m_plan.caFile)));
                return false;
            } else {
                rc = mosquitto_tls_set(m_mosq, m_plan.caFile.c_str(), nullptr, nullptr, nullptr, nullptr);
            }
            if (rc != MOSQ_ERR_SUCCESS) {
                tell(QCoreApplication::translate(
                         "MqttPublisher", "The board is not published to the MQTT broker: TLS cannot be set up (%1).")
                         .arg(QString::fromUtf8(mosquitto_strerror(rc))));
                return false;
            }
        }
        return true;
    }

    void begin() {
        m_thread = std::thread([this] { run(); });
    }

    // Queues a message; the connection thread sends it.
    void publish(const std::string& topic, const std::string& payload, int qos, bool retain) {
        mosquitto_publish(m_mosq, nullptr, topic.c_str(), static_cast<int>(payload.size()), payload.data(), qos,
                          retain);
    }

    // Says "offline" and leaves the broker, then ends the thread.
    void stop() {
        if (m_mosq == nullptr) {
            return;
        }
        // Queued before the thread is told to stop, so that it sends both before it ends.
        // Stopping is marked first: whichever of the two wakes the thread, it then stays to send them.
        {
            std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        if (m_up.load()) {
            publish(m_statusTopic, "offline", 1, true);
        }
        mosquitto_disconnect(m_mosq);
        m_wake.notify_all();
        if (m_thread.joinable()) {
            m_thread.join();
        }
        mosquitto_destroy(m_mosq);
        m_mosq = nullptr;
    }

private:
    static void onConnect(mosquitto*, void* data, int rc) {
        auto* self = static_cast<MqttLink*>(data);
        if (rc == 0) {
            self->m_failures = 0;
            self->m_up = true;
            QMetaObject::invokeMethod(
                &self->m_owner, [owner = &self->m_owner] { owner->linkUp(); }, Qt::QueuedConnection);
        } else {
            self->tellFromThread(QCoreApplication::translate(
                                     "MqttPublisher", "The MQTT broker at %1 refused the board: %2. It tries again.")
                                     .arg(self->addressText(), QString::fromUtf8(mosquitto_connack_string(rc))));
        }
    }

    static void onDisconnect(mosquitto*, void* data, int) {
        auto* self = static_cast<MqttLink*>(data);
        if (self->m_up.exchange(false)) {
            QMetaObject::invokeMethod(
                &self->m_owner, [owner = &self->m_owner] { owner->linkDown(); }, Qt::QueuedConnection);
        }
    }

    QString addressText() const { return QString::fromStdString(mqttAddressText(m_plan.endpoint)); }

    void tell(const QString& text) { m_notice->tell(text); }

    void tellFromThread(const QString& text) {
        QMetaObject::invokeMethod(
            &m_owner, [notice = m_notice, text] { notice->tell(text); }, Qt::QueuedConnection);
    }

    bool stopping() {
        std::lock_guard lock(m_mutex);
        return m_stopping;
    }

    void run() {
        const std::string& host = m_plan.endpoint.host;
        while (!stopping()) {
            int rc = mosquitto_connect_async(m_mosq, host.c_str(), m_plan.endpoint.port, kKeepaliveSeconds);
            if (rc == MOSQ_ERR_SUCCESS) {
                // Sleeps in the socket wait until something arrives, a message is queued or the keepalive is due.
                while (!stopping()) {
                    rc = mosquitto_loop(m_mosq, kKeepaliveSeconds * 1000 / 3, 1);
                    if (rc != MOSQ_ERR_SUCCESS) {
                        break;
                    }
                }
                // Leaving: offline and the disconnect go out first, within a second; the library closes the
                // connection once the disconnect is sent, and the loop then answers that there is none.
                for (int i = 0; rc == MOSQ_ERR_SUCCESS && i < 10; ++i) {
                    rc = mosquitto_loop(m_mosq, 100, 1);
                }
            }
            if (m_up.exchange(false)) {
                QMetaObject::invokeMethod(
                    &m_owner, [owner = &m_owner] { owner->linkDown(); }, Qt::QueuedConnection);
            }
            if (stopping()) {
                break;
            }
            if (rc != MOSQ_ERR_SUCCESS && rc != MOSQ_ERR_CONN_LOST && rc != MOSQ_ERR_NO_CONN) {
                const int saved = errno;
                QString reason = QString::fromUtf8(mosquitto_strerror(rc));
                if (rc == MOSQ_ERR_ERRNO) {
                    reason = QString::fromLocal8Bit(std::strerror(saved));
                }
                tellFromThread(
                    QCoreApplication::translate("MqttPublisher",
                                                "The board cannot reach the MQTT broker at %1: %2. It keeps trying.")
                        .arg(addressText(), reason));
            }
            ++m_failures;
            std::unique_lock lock(m_mutex);
            m_wake.wait_for(lock, std::chrono::seconds(mqttRetrySeconds(m_failures)), [this] { return m_stopping; });
        }
    }

    MqttPublisher& m_owner;
    MqttPlan m_plan;
    std::string m_statusTopic;
    std::shared_ptr<FeedNotice> m_notice;
    mosquitto* m_mosq = nullptr;
    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stopping = false;
    std::atomic<bool> m_up{false};
    int m_failures = 0; // the connection thread's own
};

bool MqttPublisher::available() {
    return true;
}

#else

// Built without an MQTT client library: nothing connects.
class MqttLink {
public:
    MqttLink(MqttPublisher&, const MqttPlan&, const std::string&, std::shared_ptr<FeedNotice>) {}
    bool prepare() { return false; }
    void begin() {}
    void publish(const std::string&, const std::string&, int, bool) {}
};

bool MqttPublisher::available() {
    return false;
}

#endif

MqttPublisher::MqttPublisher(BoardWindow& board, ClockEngine& engine, const SettingsVariables& settings,
                             const MqttPlan& plan, std::shared_ptr<FeedNotice> notice)
    : m_board(board), m_engine(engine), m_settings(settings), m_endpoint(plan.endpoint), m_notice(std::move(notice)),
      m_lastGame(board.model().state()), m_stateTopic(mqttStateTopic(plan.endpoint)),
      m_eventsTopic(mqttEventsTopic(plan.endpoint)), m_statusTopic(mqttStatusTopic(plan.endpoint)) {
    m_link = std::make_unique<MqttLink>(*this, plan, m_statusTopic, m_notice);
    connect(&m_board.model(), &BoardModel::changed, this, &MqttPublisher::followGame);
    connect(&m_board.model(), &BoardModel::changed, this, &MqttPublisher::refreshSoon);
    connect(&m_board, &BoardWindow::shownChanged, this, &MqttPublisher::refreshSoon);
    m_nextTenth.setSingleShot(true);
    m_nextTenth.setTimerType(Qt::PreciseTimer);
    connect(&m_nextTenth, &QTimer::timeout, this, &MqttPublisher::refresh);
    m_pace.setSingleShot(true);
    m_pace.setTimerType(Qt::PreciseTimer);
    connect(&m_pace, &QTimer::timeout, this, &MqttPublisher::sendState);
}

MqttPublisher::~MqttPublisher() {
    // The connection thread ends before anything it could call goes.
    m_link.reset();
}

std::unique_ptr<MqttPublisher> MqttPublisher::start(const MqttPlan& plan, BoardWindow& board, ClockEngine& engine,
                                                    const SettingsVariables& settings, FeedNotice::Show show) {
    auto notice = std::make_shared<FeedNotice>(std::move(show));
    for (const std::string& problem : plan.problems) {
        notice->tell(QString::fromStdString(problem));
    }
    if (!plan.publish) {
        return nullptr;
    }
    if (!available()) {
        notice->tell(
            QCoreApplication::translate("MqttPublisher",
                                        "This build of Rinkmaster cannot publish to an MQTT broker, so %1 is not used.")
                .arg(QString::fromStdString(mqttAddressText(plan.endpoint))));
        return nullptr;
    }
    auto publisher = std::make_unique<MqttPublisher>(board, engine, settings, plan, notice);
    if (!publisher->m_link->prepare()) {
        return nullptr;
    }
    publisher->refresh();
    publisher->m_link->begin();
    qInfo().noquote() << u"Rinkmaster MQTT: publishing to %1"_s.arg(publisher->address());
    return publisher;
}

QString MqttPublisher::address() const {
    return QString::fromStdString(mqttAddressText(m_endpoint));
}

bool MqttPublisher::clockRunning() const {
    for (int n = 0; n < kClockCount; ++n) {
        if (m_board.scorekeeper().clockRunning(n)) {
            return true;
        }
    }
    return false;
}

void MqttPublisher::followGame() {
    const game::GameState now = m_board.model().state();
    const std::vector<game::GameEvent> found =
        game::eventsBetween(m_lastGame, now, QDateTime::currentMSecsSinceEpoch());
    m_lastGame = now;
    if (m_holdEvents) {
        return;
    }
    std::vector<std::string> messages;
    messages.reserve(found.size());
    for (const game::GameEvent& e : found) {
        messages.push_back(mqttEventJson(e, m_settings.HomeText, m_settings.VisitorText));
    }
    sendEvents(messages);
}

void MqttPublisher::noteSound(bool horn) {
    const game::GameEvent e = game::soundEvent(horn ? game::EventKind::Horn : game::EventKind::Buzzer,
                                               m_board.model().state(), QDateTime::currentMSecsSinceEpoch());
    sendEvents({mqttEventJson(e, m_settings.HomeText, m_settings.VisitorText)});
}

void MqttPublisher::sendEvents(const std::vector<std::string>& events) {
    for (const std::string& e : events) {
        if (m_connected) {
            m_link->publish(m_eventsTopic, e, 1, false);
        } else {
            if (m_unsentEvents.size() >= kMaxUnsentEvents) {
                m_unsentEvents.pop_front();
            }
            m_unsentEvents.push_back(e);
        }
    }
}

void MqttPublisher::refresh() {
    m_refreshQueued = false;
    const bool running = clockRunning();
    const std::int64_t now = m_engine.source().nowMillis();
    if (running) {
        // The remaining times the state holds turn at each whole tenth of the engine's clock.
        std::int64_t tenth = now / 100;
        if (now % 100 != 0 && now < 0) {
            --tenth;
        }
        m_nextTenth.start(static_cast<int>((tenth + 1) * 100 - now));
    } else {
        m_nextTenth.stop();
    }
    BoardState state = readBoardState(m_board, m_settings);
    if (m_recordReader) {
        state.record = m_recordReader();
    }
    std::string document = stateDocument(state);
    if (document == m_newest) {
        return;
    }
    m_newest = std::move(document);
    if (!m_connected || m_pace.isActive()) {
        return;
    }
    const std::int64_t delay = mqttStateDelay(m_sentAt, now, running);
    if (delay > 0) {
        m_pace.start(static_cast<int>(delay));
    } else {
        sendState();
    }
}

void MqttPublisher::sendState() {
    if (!m_connected || m_newest == m_sent) {
        return;
    }
    m_link->publish(m_stateTopic, m_newest, 1, true);
    m_sent = m_newest;
    m_sentAt = m_engine.source().nowMillis();
}

void MqttPublisher::linkUp() {
    m_connected = true;
    qInfo().noquote() << u"Rinkmaster MQTT: connected to %1"_s.arg(address());
    m_link->publish(m_statusTopic, "online", 1, true);
    m_sent.clear();
    m_sentAt.reset();
    refresh();
    sendState();
    while (!m_unsentEvents.empty()) {
        m_link->publish(m_eventsTopic, m_unsentEvents.front(), 1, false);
        m_unsentEvents.pop_front();
    }
    emit connectionChanged(true);
}

void MqttPublisher::linkDown() {
    if (!m_connected) {
        return;
    }
    m_connected = false;
    m_pace.stop();
    qInfo().noquote() << u"Rinkmaster MQTT: lost the broker at %1; trying again"_s.arg(address());
    emit connectionChanged(false);
}

void MqttPublisher::refreshSoon() {
    if (!m_refreshQueued) {
        m_refreshQueued = true;
        QTimer::singleShot(0, this, &MqttPublisher::refresh);
    }
}
