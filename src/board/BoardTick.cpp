#include "BoardTick.h"
#include "core/board/Scorekeeper.h"
#include <algorithm>
#include <limits>

namespace {
constexpr int kFreeRunningMs = 100;
}

BoardTick::BoardTick(QObject* parent) : QObject(parent) {
    m_shot.setSingleShot(true);
    m_shot.setTimerType(Qt::PreciseTimer);
    connect(&m_shot, &QTimer::timeout, this, &BoardTick::timeout);
}

void BoardTick::start() {
    m_enabled = true;
    if (m_freeRunning) {
        // Like a plain enabled timer: restarting it moves its phase, the first firing comes a period later.
        m_shot.start(kFreeRunningMs);
        return;
    }
    fireSoon();
}

void BoardTick::stop() {
    m_enabled = false;
    m_shot.stop();
}

void BoardTick::fireIn(std::int64_t ms) {
    if (!m_enabled || m_freeRunning) {
        return;
    }
    const auto interval = static_cast<int>(std::clamp<std::int64_t>(ms, 0, std::numeric_limits<int>::max()));
    m_shot.start(interval);
}

void BoardTick::sleep() {
    if (!m_freeRunning) {
        m_shot.stop();
    }
}

void BoardTick::setFreeRunning(bool freeRunning) {
    m_freeRunning = freeRunning;
    m_shot.stop();
    m_shot.setSingleShot(!freeRunning);
    m_shot.setTimerType(freeRunning ? Qt::CoarseTimer : Qt::PreciseTimer);
    if (m_enabled) {
        m_shot.start(freeRunning ? kFreeRunningMs : 0);
    }
}

bool BoardTick::follow(const BoardEffect& effect, std::int64_t nowMillis) {
    using Kind = BoardEffect::Kind;
    switch (effect.kind) {
    case Kind::StartTick:
        start();
        return true;
    case Kind::WakeTick:
        if (isActive()) {
            fireSoon();
        } else {
            start();
        }
        return true;
    case Kind::TickSoon:
        fireSoon();
        return true;
    case Kind::TickAt:
        if (isActive() && !isFreeRunning()) {
            fireIn(effect.millis - nowMillis);
        }
        return true;
    case Kind::TickSleep:
        if (isActive() && !isFreeRunning()) {
            sleep();
        }
        return true;
    case Kind::StopTick:
        stop();
        return true;
    default:
        return false;
    }
}
