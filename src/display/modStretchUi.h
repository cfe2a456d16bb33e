#pragma once
#include "core/display/modStretch.h"
#include "display/BoardControls.h"

// Recording and scaling a board-like window's layout, and the LED style of all its digits.
namespace modStretchUi {

// Records where every control of the window is now; the scaled, rounded layout becomes the reference.
void RecordLayout(BoardWindow& window, modStretch::LayoutTable& table);

// Scales every recorded control to the window's current size. A minimised window is left alone. Painting is
// suspended while controls move, and the window repaints once at the end.
void StretchLayout(BoardWindow& window, const modStretch::LayoutTable& table);

// Sets the LED style of every LED digit of the window.
void SetLedType(BoardWindow& window, int value);

} // namespace modStretchUi
