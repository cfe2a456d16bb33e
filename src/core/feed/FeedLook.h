#pragma once
#include "core/TimeValue.h"

// When the feed looks at the clocks on its own. What it publishes of a running clock changes with what the board
// shows, and the board's own tick brings each shown change; only the game clock's tenths (shown at 59.9 and
// below) turn faster than anything the feed would otherwise hear of. Penalty clocks always show whole seconds.
bool feedWatchesTenths(bool gameClockRunning, TimeValue gameClockReading);
