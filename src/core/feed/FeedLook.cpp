#include "FeedLook.h"
#include "core/board/ClockFace.h"

bool feedWatchesTenths(bool gameClockRunning, TimeValue gameClockReading) {
    // The game clock's face shows a decimal point, not a colon, exactly while its tenths are on the board.
    return gameClockRunning && !gameClockFace(gameClockReading).upperDotLit;
}
