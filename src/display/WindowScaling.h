#pragma once
#include "core/display/LayoutScaling.h"
#include "display/BoardControls.h"

// Recording and scaling a board-like window's layout, and the LED style of all its digits.
namespace WindowScaling {

// Records where every control of the window is now; the scaled, rounded layout becomes the reference.
void RecordLayout(LayoutWindow& window, LayoutScaling::LayoutTable& table);

// Scales every recorded control to the window's current size. A minimised window is left alone. Painting is
// suspended while controls move, and the window repaints once at the end.
void StretchLayout(LayoutWindow& window, const LayoutScaling::LayoutTable& table);

// Sets the LED style of every LED digit of the window.
void SetLedType(LayoutWindow& window, int value);

} // namespace WindowScaling
