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

TimeValue ParseEnteredTime(std::string_view s) {
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
    ClockStartStamp.fill(kNeverStarted);
}

TimeValue ClockEngine::ClockValue(int n) {
    if (!valid(n)) {
        return 0;
    }
    const std::size_t i = at(n);
    if (ClockStartStamp[i] != kNeverStarted && ClockOn[i] == -1) {
        const std::int64_t elapsedTenths = tenthsOf(m_source.nowMillis()) - tenthsOf(ClockStartStamp[i]);
        ClockRunElapsed[i] = tenthsToTime(elapsedTenths < 0 ? 0 : elapsedTenths);
    } else {
        ClockRunElapsed[i] = 0;
    }
    const TimeValue r = ClockSetTime[i] - ClockAccumulated[i] - ClockRunElapsed[i];
    if (r <= 0 && ClockCountUp[i] == 0) {
        ClockAccumulated[i] = ClockSetTime[i];
        return 0;
    }
    if (ClockCountUp[i] != 0) {
        return ClockSetTime[i] + ClockAccumulated[i] + ClockRunElapsed[i];
    }
    return r;
}

TimeValue ClockEngine::PeekClockValue(int n) const {
    return PeekClockValueAt(n, m_source.nowMillis());
}

TimeValue ClockEngine::PeekClockValueAt(int n, std::int64_t nowMillis) const {
    if (!valid(n)) {
        return 0;
    }
    const std::size_t i = at(n);
    TimeValue runElapsed = 0;
    if (ClockStartStamp[i] != kNeverStarted && ClockOn[i] == -1) {
        const std::int64_t elapsedTenths = tenthsOf(nowMillis) - tenthsOf(ClockStartStamp[i]);
        runElapsed = tenthsToTime(elapsedTenths < 0 ? 0 : elapsedTenths);
    }
    if (ClockCountUp[i] != 0) {
        return ClockSetTime[i] + ClockAccumulated[i] + runElapsed;
    }
    const TimeValue r = ClockSetTime[i] - ClockAccumulated[i] - runElapsed;
    return r <= 0 ? 0 : r;
}

ClockTable ClockEngine::Snapshot() const {
    ClockTable table{};
    for (int n = 0; n < kClockCount; ++n) {
        const std::size_t i = at(n);
        ClockRecord& r = table[i];
        r.setTime = ClockSetTime[i];
        r.running = ClockOn[i] == -1;
        r.countUp = ClockCountUp[i] != 0;
        if (r.countUp) {
            r.used = PeekClockValue(n) - ClockSetTime[i];
        } else {
            r.used = ClockSetTime[i] - PeekClockValue(n);
        }
    }
    return table;
}

void ClockEngine::Restore(const ClockTable& table) {
    for (int n = 0; n < kClockCount; ++n) {
        const std::size_t i = at(n);
        const ClockRecord& r = table[i];
        ClockSetTime[i] = r.setTime;
        ClockAccumulated[i] = r.used;
        ClockRunElapsed[i] = 0;
        ClockOn[i] = 0;
        ClockCountUp[i] = r.countUp ? -1 : 0;
        ClockStartStamp[i] = kNeverStarted;
    }
}

void ClockEngine::StartClock(int n) {
    if (!valid(n) || ClockOn[at(n)] != 0) {
        return;
    }
    ClockStartStamp[at(n)] = m_source.nowMillis();
    ClockOn[at(n)] = -1;
}

void ClockEngine::StopClock(int n) {
    if (!valid(n) || ClockOn[at(n)] != -1) {
        return;
    }
    const std::size_t i = at(n);
    // Read at the moment of stopping: every tenth that ran until now is kept, whenever the clock was last read.
    ClockValue(n);
    ClockAccumulated[i] += ClockRunElapsed[i];
    ClockRunElapsed[i] = 0;
    if (ClockCountUp[i] == 0 && ClockAccumulated[i] > ClockSetTime[i]) {
        // A count-down clock stopped after its zero has used its whole time, and no more.
        ClockAccumulated[i] = ClockSetTime[i];
    }
    ClockOn[i] = 0;
}

void ClockEngine::SetClock(TimeValue t, std::int32_t countUp, int n) {
    if (!valid(n)) {
        return;
    }
    const std::size_t i = at(n);
    ClockSetTime[i] = t;
    ClockAccumulated[i] = 0;
    ClockRunElapsed[i] = 0;
    // Stopped at the new time: what ran before belonged to the time replaced.
    ClockOn[i] = 0;
    ClockCountUp[i] = countUp;
}

std::int16_t ClockEngine::IsClockRunning(int n) {
    if (!valid(n)) {
        if (beep) {
            beep();
        }
        return 0;
    }
    return ClockOn[at(n)];
}

TimeValue ClockEngine::EnterTimeKey(const std::string& owner, int characterCode, int limitSeconds) {
    if (owner != EntryOwner) {
        EntryText.clear();
        EntryOwner = owner;
    }
    // An entry longer than the parser accepts is rejected on Enter whatever follows, so the buffer stops
    // growing there: a held key cannot eat memory.
    constexpr std::size_t kLongerThanAnyTime = 16;
    if ((characterCode >= '0' && characterCode <= '9') || characterCode == '.') {
        if (EntryText.size() < kLongerThanAnyTime) {
            EntryText.push_back(static_cast<char>(characterCode));
        }
    }
    if (characterCode == ' ') {
        EntryText.clear();
    }
    if (characterCode == '\r') {
        const TimeValue t = ParseEnteredTime(EntryText);
        EntryText.clear();
        if (t != kNoTime && t <= secondsToTime(limitSeconds)) {
            return t;
        }
    }
    return kNoTime;
}
