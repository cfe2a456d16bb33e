#include "ClockEngine.h"
#include <climits>

std::int64_t tenthsOf(std::int64_t millis) {
    std::int64_t q = millis / 100;
    if (millis % 100 != 0 && millis < 0) {
        --q;
    }
    return q;
}

namespace {

bool allDigits(std::string_view s) {
    for (char c : s) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

// Decimal value of at most a few digits (the parser bounds the length first).
int smallNumber(std::string_view s) {
    int v = 0;
    for (char c : s) {
        v = v * 10 + (c - '0');
    }
    return v;
}

} // namespace

TimeValue parseEnteredTime(std::string_view s) {
    if (s.size() > 8) {
        return kNoTime;
    }
    for (char c : s) {
        if (!((c >= '0' && c <= '9') || c == '.')) {
            return kNoTime;
        }
    }
    const auto firstDot = s.find('.');
    std::string_view minutesPart = s.substr(0, firstDot);
    std::string_view secondsPart;
    bool hasSecondPart = false;
    if (firstDot != std::string_view::npos) {
        secondsPart = s.substr(firstDot + 1);
        hasSecondPart = true;
        if (secondsPart.find('.') != std::string_view::npos) {
            return kNoTime;
        }
    }
    if (!allDigits(minutesPart) || !allDigits(secondsPart)) {
        return kNoTime;
    }
    const int minutes = smallNumber(minutesPart);
    int seconds = 0;
    int tenths = 0;
    if (hasSecondPart) {
        if (secondsPart.size() <= 2) {
            seconds = smallNumber(secondsPart);
        } else {
            seconds = smallNumber(secondsPart.substr(0, 2));
            tenths = smallNumber(secondsPart.substr(2, 1));
        }
    }
    if (minutes > 99 || seconds > 99 || tenths > 9) {
        return kNoTime;
    }
    return secondsToTime(minutes * 60 + seconds) + tenthsToTime(tenths);
}

ClockEngine::ClockEngine(const ClockSource& source) : m_source(source) {
    m_clockStartStamp.fill(kNeverStarted);
}

TimeValue ClockEngine::clockValue(int n) {
    if (!valid(n)) {
        return 0;
    }
    const std::size_t i = at(n);
    if (m_clockStartStamp[i] != kNeverStarted && m_clockOn[i] == -1) {
        const std::int64_t elapsedTenths = tenthsOf(m_source.nowMillis()) - tenthsOf(m_clockStartStamp[i]);
        m_clockRunElapsed[i] = tenthsToTime(elapsedTenths < 0 ? 0 : elapsedTenths);
    } else {
        m_clockRunElapsed[i] = 0;
    }
    const TimeValue r = m_clockSetTime[i] - m_clockAccumulated[i] - m_clockRunElapsed[i];
    if (r <= 0 && m_clockCountUp[i] == 0) {
        m_clockAccumulated[i] = m_clockSetTime[i];
        return 0;
    }
    if (m_clockCountUp[i] != 0) {
        return m_clockSetTime[i] + m_clockAccumulated[i] + m_clockRunElapsed[i];
    }
    return r;
}

TimeValue ClockEngine::peekClockValue(int n) const {
    return peekClockValueAt(n, m_source.nowMillis());
}

TimeValue ClockEngine::peekClockValueAt(int n, std::int64_t nowMillis) const {
    if (!valid(n)) {
        return 0;
    }
    const std::size_t i = at(n);
    TimeValue runElapsed = 0;
    if (m_clockStartStamp[i] != kNeverStarted && m_clockOn[i] == -1) {
        const std::int64_t elapsedTenths = tenthsOf(nowMillis) - tenthsOf(m_clockStartStamp[i]);
        runElapsed = tenthsToTime(elapsedTenths < 0 ? 0 : elapsedTenths);
    }
    if (m_clockCountUp[i] != 0) {
        return m_clockSetTime[i] + m_clockAccumulated[i] + runElapsed;
    }
    const TimeValue r = m_clockSetTime[i] - m_clockAccumulated[i] - runElapsed;
    return r <= 0 ? 0 : r;
}

ClockTable ClockEngine::snapshot() const {
    ClockTable table{};
    for (int n = 0; n < kClockCount; ++n) {
        const std::size_t i = at(n);
        ClockRecord& r = table[i];
        r.setTime = m_clockSetTime[i];
        r.running = m_clockOn[i] == -1;
        r.countUp = m_clockCountUp[i] != 0;
        if (r.countUp) {
            r.used = peekClockValue(n) - m_clockSetTime[i];
        } else {
            r.used = m_clockSetTime[i] - peekClockValue(n);
        }
    }
    return table;
}

void ClockEngine::restore(const ClockTable& table) {
    for (int n = 0; n < kClockCount; ++n) {
        const std::size_t i = at(n);
        const ClockRecord& r = table[i];
        m_clockSetTime[i] = r.setTime;
        m_clockAccumulated[i] = r.used;
        m_clockRunElapsed[i] = 0;
        m_clockOn[i] = 0;
        m_clockCountUp[i] = r.countUp ? -1 : 0;
        m_clockStartStamp[i] = kNeverStarted;
    }
}

void ClockEngine::startClock(int n) {
    if (!valid(n) || m_clockOn[at(n)] != 0) {
        return;
    }
    m_clockStartStamp[at(n)] = m_source.nowMillis();
    m_clockOn[at(n)] = -1;
}

void ClockEngine::stopClock(int n) {
    if (!valid(n) || m_clockOn[at(n)] != -1) {
        return;
    }
    const std::size_t i = at(n);
    // Read at the moment of stopping: every tenth that ran until now is kept, whenever the clock was last read.
    clockValue(n);
    m_clockAccumulated[i] += m_clockRunElapsed[i];
    m_clockRunElapsed[i] = 0;
    if (m_clockCountUp[i] == 0 && m_clockAccumulated[i] > m_clockSetTime[i]) {
        // A count-down clock stopped after its zero has used its whole time, and no more.
        m_clockAccumulated[i] = m_clockSetTime[i];
    }
    m_clockOn[i] = 0;
}

void ClockEngine::setClock(TimeValue t, std::int32_t countUp, int n) {
    if (!valid(n)) {
        return;
    }
    const std::size_t i = at(n);
    m_clockSetTime[i] = t;
    m_clockAccumulated[i] = 0;
    m_clockRunElapsed[i] = 0;
    // Stopped at the new time: what ran before belonged to the time replaced.
    m_clockOn[i] = 0;
    m_clockCountUp[i] = countUp;
}

std::int16_t ClockEngine::isClockRunning(int n) {
    if (!valid(n)) {
        if (beep) {
            beep();
        }
        return 0;
    }
    return m_clockOn[at(n)];
}

TimeValue ClockEngine::enterTimeKey(const std::string& owner, int characterCode, int limitSeconds) {
    if (owner != entryOwner) {
        entryText.clear();
        entryOwner = owner;
    }
    // An entry longer than the parser accepts is rejected on Enter whatever follows, so the buffer stops
    // growing there: a held key cannot eat memory.
    constexpr std::size_t kLongerThanAnyTime = 16;
    if ((characterCode >= '0' && characterCode <= '9') || characterCode == '.') {
        if (entryText.size() < kLongerThanAnyTime) {
            entryText.push_back(static_cast<char>(characterCode));
        }
    }
    if (characterCode == ' ') {
        entryText.clear();
    }
    if (characterCode == '\r') {
        const TimeValue t = parseEnteredTime(entryText);
        entryText.clear();
        if (t != kNoTime && t <= secondsToTime(limitSeconds)) {
            return t;
        }
    }
    return kNoTime;
}
