#include "FeedLimits.h"
#include <algorithm>

ConnectionGuard::ConnectionGuard(const FeedLimits& limits, std::int64_t nowMs)
    : m_limits(limits), m_opened(nowMs), m_since(nowMs), m_lastActivity(nowMs) {}

bool ConnectionGuard::idle(std::int64_t unsentBytes, std::int64_t nowMs) const {
    if (m_heard || unsentBytes > 0) {
        return false;
    }
    return m_answeredOnce || nowMs - m_opened >= m_limits.firstRequestGraceMs;
}

ConnectionGuard::Verdict ConnectionGuard::received(std::int64_t bufferedBytes, std::int64_t unsentBytes,
                                                   std::int64_t nowMs, bool wholeRequest) {
    if (bufferedBytes >= m_limits.maxRequestBytes) {
        return Verdict::TooLarge;
    }
    if (bufferedBytes > 0) {
        if (!m_heard && !wholeRequest) {
            m_trickling = true;
        }
        m_heard = true;
        m_lastActivity = nowMs;
    }
    if (bufferedBytes > 0 && !m_waitingForRequest) {
        m_waitingForRequest = true;
        m_since = nowMs;
    }
    return check(unsentBytes, nowMs);
}

void ConnectionGuard::answered(std::int64_t nowMs) {
    m_waitingForRequest = false;
    m_heard = false;
    m_trickling = false;
    m_answeredOnce = true;
    m_since = nowMs;
    m_lastActivity = nowMs;
}

ConnectionGuard::Verdict ConnectionGuard::check(std::int64_t unsentBytes, std::int64_t nowMs) const {
    if (unsentBytes > m_limits.maxUnsentAnswerBytes) {
        return Verdict::NotReading;
    }
    const std::int64_t allowed = m_waitingForRequest ? m_limits.requestDeadlineMs : m_limits.idleTimeoutMs;
    return nowMs - m_since > allowed ? Verdict::TimedOut : Verdict::Keep;
}

Admission admitConnection(const std::vector<ConnectionSlot>& open, const std::string& peer, const FeedLimits& limits) {
    const auto fromPeer = static_cast<int>(
        std::count_if(open.begin(), open.end(), [&](const ConnectionSlot& s) { return s.peer == peer; }));
    const bool peerFull = fromPeer >= limits.maxConnectionsPerPeer;
    const bool feedFull = static_cast<int>(open.size()) >= limits.maxConnections;
    // The connection quiet for longest among the idle ones (or the trickling ones), of this peer's or anybody's.
    const auto quietest = [&](bool trickling, bool samePeerOnly) {
        std::optional<std::size_t> oldest;
        for (std::size_t i = 0; i < open.size(); ++i) {
            const ConnectionSlot& s = open[i];
            if ((trickling ? s.trickling : s.idle) && (!samePeerOnly || s.peer == peer) &&
                (!oldest || s.lastActivityMs < open[*oldest].lastActivityMs)) {
                oldest = i;
            }
        }
        return oldest;
    };
    if (peerFull) {
        if (const auto own = quietest(false, true)) {
            return {true, own};
        }
    }
    if (!feedFull) {
        return {true, std::nullopt};
    }
    // Full: an idle connection goes first, then a trickle; a peer at its bound gives up only its own.
    for (const bool trickling : {false, true}) {
        if (const auto found = quietest(trickling, peerFull)) {
            return {true, found};
        }
    }
    return {false, std::nullopt};
}

bool mayTrickle(int tricklingNow, const FeedLimits& limits) {
    return tricklingNow < std::max(0, limits.maxConnections - limits.reservedConnections);
}

std::int64_t textFrameBytes(std::int64_t payloadBytes) {
    const std::int64_t header = payloadBytes < 126 ? 2 : payloadBytes < 65536 ? 4 : 10;
    return header + payloadBytes;
}

LiveClientWatch::LiveClientWatch(const FeedLimits& limits, std::int64_t nowMs)
    : m_limits(limits), m_lastPing(nowMs), m_lastAnswer(nowMs),
      m_frameAllowance(static_cast<std::int64_t>(limits.frameBurst) * 1000), m_allowanceAt(nowMs) {}

LiveClientWatch::Verdict LiveClientWatch::frameReceived(std::int64_t nowMs) {
    const std::int64_t burst = static_cast<std::int64_t>(m_limits.frameBurst) * 1000;
    const std::int64_t elapsed = std::max<std::int64_t>(0, nowMs - m_allowanceAt);
    m_allowanceAt = nowMs;
    m_frameAllowance = std::min(burst, m_frameAllowance + elapsed * m_limits.maxFramesPerSecond);
    if (m_frameAllowance < 1000) {
        return Verdict::Flooding;
    }
    m_frameAllowance -= 1000;
    return Verdict::Keep;
}

LiveClientWatch::Verdict LiveClientWatch::answersWritten(std::int64_t writtenBytes, std::int64_t sentBytes,
                                                         std::int64_t nowMs) {
    const std::int64_t answerBytes = writtenBytes - sentBytes;
    while (answerBytes - m_answerBytesCharged >= 2) {
        m_answerBytesCharged += 2;
        if (frameReceived(nowMs) == Verdict::Flooding) {
            return Verdict::Flooding;
        }
    }
    return Verdict::Keep;
}

bool LiveClientWatch::pingDue(std::int64_t nowMs) const {
    return nowMs - m_lastPing >= m_limits.pingIntervalMs;
}

void LiveClientWatch::pinged(std::int64_t nowMs) {
    m_lastPing = nowMs;
}

void LiveClientWatch::answered(std::int64_t nowMs) {
    m_lastAnswer = nowMs;
}

LiveClientWatch::Verdict LiveClientWatch::check(std::int64_t backlogBytes, std::int64_t nowMs) const {
    if (backlogBytes > m_limits.maxClientBacklogBytes) {
        return Verdict::NotReading;
    }
    if (nowMs - m_lastAnswer > m_limits.pongTimeoutMs) {
        return Verdict::Silent;
    }
    return Verdict::Keep;
}
