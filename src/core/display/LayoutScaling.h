#pragma once
#include <cstdint>
#include <optional>
#include <vector>

// The board's reference layout and the arithmetic that scales it to any window. Values are in the units of
// each control's container (twips), font sizes in points. Everything is held in 64 bits, so a 4K window or a
// projector wall records and scales like any other.
namespace layout_scaling {

// Whole number, halves to the even one (as every recorded value is rounded).
std::int64_t roundHalfEven(double value);

// x when it is 1 or more, else 1.
double atLeastOne(double x);

// What one control had when the layout was recorded; 0 means "not recorded" (the control's type has no such
// property, or it really was 0 and scaling it would leave it 0 anyway).
struct LayoutEntry {
    int control = -1; // the control's position in the window's control order
    std::int64_t left = 0;
    std::int64_t top = 0;
    std::int64_t height = 0;
    std::int64_t width = 0;
    std::int64_t fontSize = 0;
    std::int64_t borderWidth = 0;
    std::int64_t size = 0;
    std::int64_t textWidth = 0; // a label's caption at its font, in its container's units; 0: not measured
};

struct LayoutTable {
    std::vector<LayoutEntry> entries;
    std::int64_t origHeight = 0;
    std::int64_t origWidth = 0;
    bool recorded() const { return origHeight > 0 && origWidth > 0; }
};

// The new values of one control; a value that was not recorded is left alone.
struct StretchedEntry {
    std::optional<float> left;
    std::optional<float> top;
    std::optional<double> width;
    std::optional<double> height;
    std::optional<double> fontSize;
    std::optional<double> borderWidth;
    std::optional<double> size;
};

// The ratio a label's font follows: the height ratio, unless the text (textWidth at the recorded font) would then
// run past the label's width (labelWidth, following the width ratio); then the smaller of the two ratios, so it
// fits as it did when recorded. At the recorded shape or wider that is the height ratio all the same. A text not
// measured (0) follows the height ratio.
double labelFontRatio(std::int64_t textWidth, std::int64_t labelWidth, double widthRatio, double heightRatio);

// Positions and widths follow the width ratio; heights, border widths and LED sizes the height; label fonts
// labelFontRatio.
StretchedEntry stretch(const LayoutEntry& entry, const LayoutTable& table, double windowWidth, double windowHeight);

// The team-name point size for a window: the reference window is 9600 x 7200 twips, and the size follows the
// smaller of the two ratios.
double rSize(int value, double windowWidth, double windowHeight);

} // namespace layout_scaling
