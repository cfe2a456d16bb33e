#pragma once
#include "core/feed/BoardState.h"
#include "core/feed/MqttOptions.h"
#include "core/game/GameModel.h"
#include "feed/FeedNotice.h"
#include <QObject>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class BoardWindow;
class ClockEngine;
struct SettingsVariables;
class MqttLink;

// Publishes the board through an MQTT broker: the state document (the same JSON as the feed's /state) retained on
// PREFIX/state whenever it changes, at most ten times a second while a clock runs; each event of the game, read
// off consecutive states of the game model as the console's list reads them, on PREFIX/events (QoS 1, not
// retained); "online" retained on PREFIX/status, and "offline" there when the program ends or, through the
// broker's last will, when it dies.
//
// The connection lives on a thread of its own (name look-up, connecting, TLS, keepalive), so the board never
// waits for the broker. While the broker is away the newest state and the events not yet sent are kept, and
// go out once it is back; the connection is tried again after 1 s, doubling up to 30 s. Each problem is told
// once, like the feed's. While nothing changes the connection thread sleeps until the keepalive is due.
class MqttPublisher : public QObject {
    Q_OBJECT
public:
    MqttPublisher(BoardWindow& board, ClockEngine& engine, const SettingsVariables& settings, const MqttPlan& plan,
                  std::shared_ptr<FeedNotice> notice);
    ~MqttPublisher() override;

    // False where the program was built without an MQTT client library.
    static bool available();

    // Starts what the plan asks for, telling each problem through the notice (error output and the board's
    // screen). Null when the plan asks for nothing or cannot be followed; the board runs on either way.
    static std::unique_ptr<MqttPublisher> start(const MqttPlan& plan, BoardWindow& board, ClockEngine& engine,
                                                const SettingsVariables& settings, FeedNotice::Show show = {});

    // While held, changes of the game are no events (a saved game brought back); events are read again from the
    // game as it stands when released.
    void holdEvents(bool hold) { m_holdEvents = hold; }
    // The horn (true) or the buzzer sounding: an event of its own.
    void noteSound(bool horn);
    // Reads the board now and sends the state when it changed (paced while a clock runs).
    void refresh();
    // What the official's record adds to the state, as the feed's /state has it (the strength, the penalties):
    // nothing while the penalty rules are off. Call refresh() when the record changes.
    void setRecordReader(std::function<std::optional<RecordState>()> reader) { m_recordReader = std::move(reader); }
    bool isConnected() const { return m_connected; }
    // What the program shows of the connection: the broker's address, never its credentials.
    QString address() const;

signals:
    void connectionChanged(bool connected);

private:
    friend class MqttLink;
    void refreshSoon();
    void followGame();
    void sendEvents(const std::vector<std::string>& events);
    void sendState();
    void linkUp();
    void linkDown();
    bool clockRunning() const;

    BoardWindow& m_board;
    ClockEngine& m_engine;
    const SettingsVariables& m_settings;
    MqttEndpoint m_endpoint;
    std::shared_ptr<FeedNotice> m_notice;
    std::unique_ptr<MqttLink> m_link;
    bool m_connected = false;
    game::GameState m_lastGame;
    std::string m_stateTopic;
    std::string m_eventsTopic;
    std::string m_statusTopic;
    std::string m_newest;                   // the newest state document read
    std::string m_sent;                     // the last one handed to the broker
    std::optional<qint64> m_sentAt;         // when, on the engine's clock
    std::deque<std::string> m_unsentEvents; // kept while the broker is away, oldest first (bounded)
    QTimer m_nextTenth;
    QTimer m_pace;
    bool m_refreshQueued = false;
    bool m_holdEvents = false;
    std::function<std::optional<RecordState>()> m_recordReader;
};
