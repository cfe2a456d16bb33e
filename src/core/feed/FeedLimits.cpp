#include "FeedLimits.h"

ConnectionGuard::ConnectionGuard(const FeedLimits& limits, std::int64_t nowMs) : m_limits(limits), m_since(nowMs) {}

ConnectionGuard::Verdict ConnectionGuard::received(std::int64_t bufferedBytes, std::int64_t unsentBytes,
                                                   std::int64_t nowMs) {
    if (bufferedBytes >= m_limits.maxRequestBytes) {
        return Verdict::TooLarge;
    }
    if (bufferedBytes > 0 && !m_waitingForRequest) {
        m_waitingForRequest = true;
        m_since = nowMs;
    }
    return check(unsentBytes, nowMs);
}

void ConnectionGuard::answered(std::int64_t nowMs) {
    m_waitingForRequest = false;
    m_since = nowMs;
}

ConnectionGuard::Verdict ConnectionGuard::check(std::int64_t unsentBytes, std::int64_t nowMs) const {
    if (unsentBytes > m_limits.maxUnsentAnswerBytes) {
        return Verdict::NotReading;
    }
    const std::int64_t allowed = m_waitingForRequest ? m_limits.requestDeadlineMs : m_limits.idleTimeoutMs;
    return nowMs - m_since > allowed ? Verdict::TimedOut : Verdict::Keep;
}

LiveClientWatch::LiveClientWatch(const FeedLimits& limits, std::int64_t nowMs)
    : m_limits(limits), m_lastPing(nowMs), m_lastAnswer(nowMs) {}

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
