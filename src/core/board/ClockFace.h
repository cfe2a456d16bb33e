#pragma once
#include "core/TimeValue.h"
#include <array>
#include <cstdint>

// What the game clock's four digits and its colon show for a time. Captions: -1 dark, 0..9 lit; index 0 leftmost.
struct GameClockFace {
    std::array<int, 4> captions{};
    // Both dots lit make a colon (M:SS); otherwise the lower dot alone is the decimal point (SS.T).
    bool upperDotLit = false;
};

// The floor of a / b. Computed in double as the board always has; both operands are exact integers of
// ten-thousandths, so the quotient is exact wherever it matters. Clamped to the 16-bit range.
std::int16_t wholeDivide(TimeValue a, TimeValue b);

// Game clock: M:SS above one minute, rounded up to the next whole second; SS.T at 59.9 and below.
GameClockFace gameClockFace(TimeValue t);

// Time of day on the game-clock digits, H:MM. Before 1:00 on a 24-hour clock it shows 0:MM with a colon.
GameClockFace timeOfDayFace(int hour, int minute);

// Penalty clock: M:SS, all three digits lit, always rounded up to the next whole second.
// Index 0 is the rightmost digit (seconds), 2 the minutes.
std::array<int, 3> penaltyClockFace(TimeValue t);
