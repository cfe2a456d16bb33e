#pragma once
#include "core/TimeValue.h"
#include <cstdint>
#include <optional>

// When the board's tick must next run. A running clock's reading moves by one tenth at every whole tenth of the
// engine's monotonic clock (every 100 ms boundary, whatever the moment it was started), but what the board shows
// changes less often: above a minute the game clock shows whole seconds, and a penalty clock always does. The
// tick is scheduled for the moment the shown face next changes, so each change is drawn as it happens and the
// board sleeps in between.

// How a clock is drawn.
enum class ClockDisplay {
    GameClock,    // M:SS rounded up above a minute, SS.T at 59.9 and below
    PenaltyClock, // M:SS rounded up to the next whole second
};

// The engine's millisecond at which a running clock that reads `reading` at `nowMillis` next shows a different
// face, or reaches 0: always a whole tenth of the engine's clock, later than nowMillis. None for a count-down clock at
// 0, which never changes again. A clock whose face would not change within a second (beyond what the board can show) is
// looked at again a second later.
std::optional<std::int64_t> nextShownChangeMillis(std::int64_t nowMillis, TimeValue reading, ClockDisplay display,
                                                  bool countsUp = false);

// The earlier of two moments, either of which may be missing.
std::optional<std::int64_t> earlierOf(std::optional<std::int64_t> a, std::optional<std::int64_t> b);

// Milliseconds from a time of day (seconds and milliseconds into its minute) to the start of the next minute,
// when the time of day shown next changes: 1 to 60000.
int millisToNextMinute(int second, int millisecond);
