#include "PlaybackTiming.h"
#include <algorithm>

std::int64_t soundLengthMs(std::int64_t frames, int rate) {
    if (frames <= 0 || rate <= 0) {
        return 0;
    }
    return (frames * 1000 + rate - 1) / rate;
}

std::int64_t stallMarginMs(std::int64_t remainingMs) {
    return 2500 + std::max<std::int64_t>(remainingMs, 0) / 4;
}

std::int64_t StallWatch::start(std::int64_t lengthMs) {
    m_lengthMs = std::max<std::int64_t>(lengthMs, 0);
    m_playedMs = 0;
    return m_lengthMs + stallMarginMs(m_lengthMs);
}

std::int64_t StallWatch::check(std::int64_t playedMs) {
    if (playedMs <= m_playedMs) {
        return kStalled;
    }
    m_playedMs = playedMs;
    const std::int64_t remaining = std::max<std::int64_t>(m_lengthMs - playedMs, 0);
    return remaining + stallMarginMs(remaining);
}

bool soundFitsInMemory(std::int64_t frames, int rate, int channels) {
    if (frames <= 0 || rate <= 0 || channels <= 0) {
        return false;
    }
    if (frames > kMaxSoundSamples / channels) {
        return false;
    }
    return frames <= kMaxSoundSeconds * rate;
}

std::int64_t trailingSilenceMs(std::int64_t bufferMs) {
    return std::max<std::int64_t>(bufferMs, 0) + 100;
}
