#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "core/settings/KeyCapture.h"
#include "core/settings/Settings.h"

// The rules behind the options dialog's controls, free of the toolkit.

// The display form of a sound path in a label `length` characters wide. A path that fits is shown whole
// (an empty one as "[No File Selected]"). A longer one keeps its beginning and its file name, joined by
// " ...\": nameOfExistingFile is the file-name part as the file system reports it, empty when the file does
// not exist. When the name alone leaves no room for the beginning, the name is shown alone, cut to `length`.
// Characters are counted as Unicode code points of the UTF-8 text, so a name is never cut inside a letter.
std::string chopFileName(const std::string& fileName, const std::string& nameOfExistingFile, int length);

// The widths the selection-marker spinner offers.
inline constexpr std::int16_t kSelectedWidthMin = 0;
inline constexpr std::int16_t kSelectedWidthMax = 5;

// A hand-edited store can hold widths the spinner cannot show; the dialog shows (and OK keeps) the
// nearest one it can. (A hand-edited LED style follows ledStyleOf in core/display/LedGlyph, as on the board.)
std::int16_t clampSelectedWidth(std::int16_t width);

// The team-name size as the dialog holds it: the stored size rounded to a whole number of points, halves to
// the even one (as the board reads it), kept within 16 bits.
std::int16_t teamSizePoints(FixedPoint4 teamSize);

// The team-name font-size fit. Both names, drawn on one line in bold Arial, must lie inside the board's
// team-name box of 1900 x 600 twips (strictly narrower and lower).
inline constexpr int kTeamNameLargestPoints = 60;
inline constexpr int kTeamNameSmallestPoints = 10;
inline constexpr std::int64_t kTeamNameBoxWidthTwips = 1900;
inline constexpr std::int64_t kTeamNameBoxHeightTwips = 600;

struct TextExtentTwips {
    std::int64_t width = 0;
    std::int64_t height = 0;
};

bool fitsTeamNameBox(TextExtentTwips extent);

// The largest size from 60 down to 10 points at which both names fit; 9 when even 10 does not. measure
// gives the extents of the home and the visitor name at a size. The search always starts again at 60, so the
// answer depends only on the names: a longer name never raises it, a shorter one never lowers it.
std::int16_t fitTeamNameSize(const std::function<std::pair<TextExtentTwips, TextExtentTwips>(int points)>& measure);

// Reset Keys: every command key back to its default except the clock switch, which keeps its key, unless
// that key is now one of the other defaults: then it returns to its own default as well, since two commands
// on one key would both act on every press.
WorkingKeys resetKeys(const WorkingKeys& keys);
