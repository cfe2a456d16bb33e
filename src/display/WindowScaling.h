#pragma once
#include "core/display/LayoutScaling.h"
#include "display/BoardControls.h"

// Recording and scaling a board-like window's layout, and the LED style of all its digits.
namespace window_scaling {

// Records where every control of the window is now; the scaled, rounded layout becomes the reference.
void recordLayout(LayoutWindow& window, layout_scaling::LayoutTable& table);

// Scales every recorded control to the window's current size. A minimised window is left alone. Painting is
// suspended while controls move, and the window repaints once at the end.
void stretchLayout(LayoutWindow& window, const layout_scaling::LayoutTable& table);

// Sets the LED style of every LED digit of the window.
void setLedType(LayoutWindow& window, int value);

} // namespace window_scaling
