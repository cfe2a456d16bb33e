#pragma once
#include "core/TimeValue.h"
#include "core/board/ClockSource.h"
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// Clock numbers: 0 the game clock, 1 and 2 the home penalty clocks, 3 and 4 the visitor penalty clocks.
inline constexpr int kClockCount = 5;

// One clock of the engine as it stands at a moment: what it was set to, how much of it has been used (for a
// count-up clock, how much it has added), and whether it runs.
struct ClockRecord {
    TimeValue setTime = 0;
    TimeValue used = 0;
    bool running = false;
    bool countUp = false;
    bool operator==(const ClockRecord&) const = default;
};
using ClockTable = std::array<ClockRecord, kClockCount>;

// Tenths of a second since a clock source's origin, cut down (never rounded up): the cut the engine makes to
// every moment it reads, so that whoever plans around the engine's readings cuts the same way.
std::int64_t tenthsOf(std::int64_t millis);

// Reads a typed time: "20" is 20:00, "12.5" is 12:05, "12.50" 12:50, "0.455" 45.5 s, "" 0.
// Answers kNoTime for anything it cannot read.
TimeValue parseEnteredTime(std::string_view s);

// The five clocks of the board. A running clock is never advanced by ticks: every reading computes the time
// from the moment it was started, in whole tenths (each moment cut down to its tenth before subtracting).
class ClockEngine {
public:
    explicit ClockEngine(const ClockSource& source);

    // Remaining time of clock n, measured now. Count-down clocks never read below 0 and keep running at 0.
    TimeValue clockValue(int n);
    // The same reading without taking it: nothing in the engine changes, so a look from outside the board
    // (the feed) never moves what a later StopClock charges.
    TimeValue peekClockValue(int n) const;
    // The same look as it reads at a given moment of the engine's clock (the board's tick schedules from it).
    TimeValue peekClockValueAt(int n, std::int64_t nowMillis) const;
    // The clock the engine measures on.
    const ClockSource& source() const { return m_source; }
    void startClock(int n);
    // Reads the clock now and keeps exactly the time that ran up to this moment (cut to whole tenths like every
    // reading), whenever it was last read; the clock then reads that value until it starts again.
    void stopClock(int n);
    void setClock(TimeValue t, std::int32_t countUp, int n);
    // -1 running, 0 stopped; beeps for a clock number that does not exist.
    std::int16_t isClockRunning(int n);

    // Every clock as it stands now, read like PeekClockValue: taking the table charges no clock.
    ClockTable snapshot() const;
    // Puts every clock back as a table describes it, each stopped at its value (the table's running flags
    // are not acted on: a resumed game restarts with the start key). Values are taken as given.
    void restore(const ClockTable& table);

    // One keystroke of typed time entry for the field named owner. On Enter answers the typed time when it
    // is valid and at most limitSeconds; otherwise kNoTime.
    TimeValue enterTimeKey(const std::string& owner, int characterCode, int limitSeconds);

    // What the reset key returns the game clock to: 10:00 at load, then the last time typed into it.
    TimeValue resetTime = secondsToTime(600);

    // The shared number-entry buffer of all timed fields.
    std::string entryText;
    std::string entryOwner;

    // The system beep, for a clock number that does not exist.
    std::function<void()> beep;

private:
    static bool valid(int n) { return n >= 0 && n < kClockCount; }
    static std::size_t at(int n) { return static_cast<std::size_t>(n); }

    const ClockSource& m_source;
    // Monotonic milliseconds of the last start; kNeverStarted until the clock first starts.
    static constexpr std::int64_t kNeverStarted = INT64_MIN;
    std::array<std::int64_t, kClockCount> m_clockStartStamp{};
    std::array<TimeValue, kClockCount> m_clockRunElapsed{};
    std::array<TimeValue, kClockCount> m_clockAccumulated{};
    std::array<TimeValue, kClockCount> m_clockSetTime{};
    std::array<std::int16_t, kClockCount> m_clockOn{};
    std::array<std::int32_t, kClockCount> m_clockCountUp{};
};
