#pragma once
#include <QObject>
#include <QTimer>
#include <cstdint>

struct BoardEffect;

// The board's tick timer. It is enabled and disabled like a plain timer (start, stop, isActive), but while enabled
// it fires only when it is told to: the board arms it for the moment the shown time next changes, at once after a
// change it must draw, and not at all while nothing runs. Each firing is a precise single shot.
//
// Free-running, it is the plain 100 ms repeating timer instead, firing whenever the toolkit's coarse timer
// lets it; kept so that the tick benchmark can measure both in one run.
class BoardTick : public QObject {
    Q_OBJECT
public:
    explicit BoardTick(QObject* parent = nullptr);

    // Enables the tick; it fires at once.
    void start();
    // Disables the tick: it does not fire again until start.
    void stop();
    bool isActive() const { return m_enabled; }

    // Fires once in ms milliseconds (at once for 0 or less), replacing what was armed; nothing while disabled.
    void fireIn(std::int64_t ms);
    // Fires at once, after the event being handled; nothing while disabled.
    void fireSoon() { fireIn(0); }
    // Nothing to fire for until the next change.
    void sleep();
    // Carries out one of the scorekeeper's tick effects (start, wake, soon, at a moment of the clock source whose
    // time is now nowMillis, sleep, stop); false for an effect that is not the tick's.
    bool follow(const BoardEffect& effect, std::int64_t nowMillis);
    // Whether a firing is armed, and in how many milliseconds from arming (for tests).
    bool isArmed() const { return m_shot.isActive(); }
    int armedInterval() const { return m_shot.interval(); }

    // The timer that fires, for a benchmark that watches its events.
    QTimer& shot() { return m_shot; }

    void setFreeRunning(bool freeRunning);
    bool isFreeRunning() const { return m_freeRunning; }

signals:
    void timeout();

private:
    QTimer m_shot;
    bool m_enabled = false;
    bool m_freeRunning = false;
};
