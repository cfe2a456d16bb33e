#pragma once
#include "core/game/GameEvents.h"
#include "core/game/GameModel.h"
#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

// Keeps the journal of the game: after every change at once, and while only running clocks move twice a
// second. The document is made on the caller's thread (a few microseconds) and written on a thread of its
// own, so a slow disk never delays the board's tick; a newer document replaces one not yet written. Each write
// is atomic and durable: a temporary file synced to disk, renamed over the journal, the folder synced.
class JournalWriter : public QObject {
    Q_OBJECT
public:
    explicit JournalWriter(QString path, QObject* parent = nullptr);
    ~JournalWriter() override;

    // Where "now" comes from for the saved moment (milliseconds since 1970 UTC).
    void setWallClock(std::function<std::int64_t()> wallMillis) { m_wallMillis = std::move(wallMillis); }

    // Where the game as it stands this moment comes from (the model with the engine's clocks read now), for a
    // clock-only change written when its interval is up; without it the last state saved is written.
    void setCurrentState(std::function<game::GameState()> current) { m_current = std::move(current); }

    // The game as it now stands.
    void save(const game::GameState& state);
    // Where the game's event list comes from, written with every document (none: no list is written).
    void setEvents(std::function<const std::vector<game::GameEvent>*()> events) { m_events = std::move(events); }
    // The event list changed with the game unchanged (a horn, a buzzer): the game is written again with it.
    void eventsChanged();
    // Blocks until every document handed over has been written or has failed once.
    void waitUntilWritten();

    // Writes one document in place of the file at path, atomically and durably.
    static bool writeDurably(const QString& path, const QByteArray& document, QString* error);

    int writesDone() const;
    // How long each write took, in microseconds (for the benchmark).
    std::vector<std::int64_t> writeMicros() const;

    // While only running clocks have moved, documents are this far apart: a kill loses less than this much of
    // a running clock (plus one write).
    static constexpr int kClockIntervalMs = 500;

signals:
    // The first failure since the last success, with the system's reason.
    void failed(const QString& reason);
    void recovered();

private:
    void submit(const game::GameState& state);
    void run();

    QString m_path;
    std::function<std::int64_t()> m_wallMillis;
    std::function<game::GameState()> m_current;
    std::function<const std::vector<game::GameEvent>*()> m_events;
    std::optional<game::GameState> m_lastSubmitted;
    std::optional<game::GameState> m_held; // a clock-only change waiting for its second
    QElapsedTimer m_sinceSubmit;
    QTimer m_heldTimer;

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::optional<QByteArray> m_pending;
    bool m_busy = false;
    bool m_stop = false;
    bool m_failing = false;
    int m_writes = 0;
    std::vector<std::int64_t> m_micros;
    std::thread m_thread;
};
