#pragma once
#include "core/TimeValue.h"

#include <array>
#include <cstdint>
#include <vector>

// A penalty of the official's record that a penalty clock of the board shows: the record counts it, the board's
// clock runs it from the time given here and keeps it on the same clock while it runs.
struct RecordedPenalty {
    std::uint64_t id = 0; // the same while it runs
    TimeValue remaining = 0;
    int player = -1; // -1: no number
    bool operator==(const RecordedPenalty&) const = default;
};

// What each team's two penalty clocks show (home, visitor), the first to show first; at most two a team.
using RecordedPenalties = std::array<std::vector<RecordedPenalty>, 2>;
