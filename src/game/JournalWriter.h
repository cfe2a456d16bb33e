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

// Keeps the journal of the game: every change of the game at once and synced to disk; while only running clocks
// move, once a second with the clocks read at that moment and without the sync (a crash of the program loses
// nothing the system holds). While no clock runs, no timer runs and the writing thread sleeps. The document is
// made on the caller's thread (a few microseconds) and written on a thread of its own, so a slow disk never
// delays the board's tick; a newer document replaces one not yet written. Each write is atomic: a temporary
// file, every write and the sync checked, renamed over the journal; on any failure the old journal stays.
// Nothing is written through a link, onto anything but a plain file, or into a folder other users can change.
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

    // The game as it now stands; eventsMoved when the event list changed too (one document for both).
    void save(const game::GameState& state, bool eventsMoved = false);
    // Where the game's event list comes from, written with every document (none: no list is written).
    void setEvents(std::function<const std::vector<game::GameEvent>*()> events) { m_events = std::move(events); }
    // The event list changed with the game unchanged (a horn, a buzzer): the game is written again with it.
    void eventsChanged();
    // Blocks until every document handed over has been written or has failed once.
    void waitUntilWritten();

    // Writes one document in place of the file at path, atomically; with sync, durably (the file and the
    // folder synced to disk). On any failure the file at path is left as it was.
    static bool writeDurably(const QString& path, const QByteArray& document, bool sync, QString* error);

    // For tests: asked before every write to the disk; true makes that write fail as on a full disk.
    static void setWriteFault(std::function<bool()> fault);

    int writesDone() const;
    // Writes that were synced to disk.
    int syncsDone() const;
    // Writes made in place over the journal (a running clock's progress).
    int inPlaceWrites() const;
    // Whether the once-a-second timer for running clocks is armed.
    bool clockTimerArmed() const { return m_clockTimer.isActive(); }
    // How long each write took, in microseconds (for the benchmark).
    std::vector<std::int64_t> writeMicros() const;

    // While only running clocks have moved, documents are this far apart: a kill loses no more than this much
    // of a running clock (plus one write).
    static constexpr int kClockIntervalMs = 1000;
    // The board's tick hands over the clocks as it draws them, each shown second (or tenth): a document due
    // within this much is written with the tick rather than by a wake of its own, and the journal's own timer
    // waits this much past the second for a tick that may come. Ticks come on the clocks' own grid, so their
    // documents stay a whole second apart. To get onto that grid, a tick at least half a second after a
    // document it did not carry writes the clocks once.
    static constexpr int kTickSlackMs = 30;

signals:
    // The first failure since the last success, with the system's reason.
    void failed(const QString& reason);
    void recovered();

private:
    void submit(const game::GameState& state, bool sync);
    void clockTimeUp();
    void run();
    // On the writing thread: a clock's progress in place where it can be, everything else replaced whole.
    bool writeOnThread(const QByteArray& document, bool sync, QString* error);
    enum class InPlace { NotHere, Written, Failed };
    InPlace writeInPlace(const QByteArray& document, QString* error);
    void keepJournal(const QByteArray& document);
    void closeJournal();

    QString m_path;
    std::function<std::int64_t()> m_wallMillis;
    std::function<game::GameState()> m_current;
    std::function<const std::vector<game::GameEvent>*()> m_events;
    std::optional<game::GameState> m_lastSubmitted;
    std::optional<game::GameState> m_held; // clock progress waiting for its second
    bool m_lastByTick = false;             // the last document was a tick's clock progress
    QElapsedTimer m_sinceSubmit;
    QTimer m_clockTimer;

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::optional<QByteArray> m_pending;
    bool m_pendingSync = false;
    bool m_busy = false;
    bool m_stop = false;
    bool m_failing = false;
    int m_writes = 0;
    int m_syncs = 0;
    int m_inPlace = 0;
    std::vector<std::int64_t> m_micros;
    // The journal as last written whole, kept open (POSIX): a document that differs from it only in digits (a
    // running clock's time, the moment saved) is written over it in place, one system call instead of a new
    // file and a rename. Any mix of the two documents is then still a whole, readable journal. Used by the
    // writing thread while it is busy, else by the caller's thread under the mutex.
    int m_keptFd = -1;
    std::uint64_t m_keptDevice = 0;
    std::uint64_t m_keptInode = 0;
    QByteArray m_keptText;
    std::thread m_thread;
};
