#pragma once
#include <cstdint>

// A time on the board: seconds as a fixed-point count of ten-thousandths of a second.
// Every value the board produces is a whole number of tenths; -1 second (kNoTime) means "no time to apply".
using TimeValue = std::int64_t;

inline constexpr TimeValue kTicksPerSecond = 10000;
inline constexpr TimeValue kTicksPerTenth = 1000;
inline constexpr TimeValue kNoTime = -kTicksPerSecond;

constexpr TimeValue secondsToTime(std::int64_t seconds) {
    return seconds * kTicksPerSecond;
}
constexpr TimeValue tenthsToTime(std::int64_t tenths) {
    return tenths * kTicksPerTenth;
}

// Seconds as a double, for display and documents only; never for arithmetic on the board.
constexpr double timeToSeconds(TimeValue t) {
    return static_cast<double>(t) / static_cast<double>(kTicksPerSecond);
}

// Whole seconds with halves going to the even neighbour (90.5 -> 90, 91.5 -> 92).
TimeValue roundToWholeSecondsHalfEven(TimeValue t);
