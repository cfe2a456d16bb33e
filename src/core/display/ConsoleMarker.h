#pragma once
#include "core/settings/Settings.h"

// The console's own mark of the selected field: a frame round the field, outside the board's marker, in a
// colour that stands out from the board's background and from the fields' background. The board's marker
// follows LEDSelected and LEDSelectedWidth and may be invisible (by default it has the board's colour and no
// width); the scorekeeper still always sees which field takes the keys. The public board never shows either.
namespace screens {

// The frame's colour (0x00BBGGRR, as the settings keep colours): of yellow, white, cyan, magenta, orange and
// black, the one furthest from the nearer of the two backgrounds.
OleColor consoleMarkerColour(OleColor formBack, OleColor ledBack);

// Pixels between the field and the frame: the board's marker, held to 0..50 as the board holds it.
int consoleMarkerGap(int ledSelectedWidth);

inline constexpr int kConsoleMarkerThickness = 3;

} // namespace screens
