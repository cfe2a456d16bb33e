#include "core/display/LedGlyph.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

std::string litSegments(int caption) {
    std::string letters;
    for (int s = 0; s < kLedSegmentCount; ++s) {
        if (ledSegmentLit(caption, static_cast<LedSegment>(s))) {
            letters += static_cast<char>('a' + s);
        }
    }
    return letters;
}

// ---- Which segments each caption lights ----

struct SegmentRow {
    int caption;
    std::string segments;
};

class LedSegments : public ::testing::TestWithParam<SegmentRow> {};

TEST_P(LedSegments, LightsTheSegmentsOfTheDigit) {
    EXPECT_EQ(litSegments(GetParam().caption), GetParam().segments);
}

INSTANTIATE_TEST_SUITE_P(Digits, LedSegments,
                         ::testing::Values(SegmentRow{0, "abcdef"}, SegmentRow{1, "bc"}, SegmentRow{2, "abdeg"},
                                           SegmentRow{3, "abcdg"}, SegmentRow{4, "bcfg"}, SegmentRow{5, "acdfg"},
                                           SegmentRow{6, "acdefg"}, SegmentRow{7, "abc"}, SegmentRow{8, "abcdefg"},
                                           SegmentRow{9, "abcdfg"},
                                           // Dark and anything that is not a digit lights nothing.
                                           SegmentRow{-1, ""}, SegmentRow{10, ""}, SegmentRow{-2, ""},
                                           SegmentRow{INT_MIN, ""}, SegmentRow{INT_MAX, ""}));

// ---- The 5x7 dot pictures ----

struct DotRow {
    int caption;
    std::vector<std::string> picture; // top row first, '#' lit
};

std::vector<std::string> dotPicture(int caption) {
    std::vector<std::string> rows;
    for (int r = 0; r < kLedDotRows; ++r) {
        std::string line;
        for (int c = 0; c < kLedDotColumns; ++c) {
            line += ledDotLit(caption, r, c) ? '#' : '.';
        }
        rows.push_back(line);
    }
    return rows;
}

class LedDots : public ::testing::TestWithParam<DotRow> {};

TEST_P(LedDots, LightsTheDotsOfTheDigit) {
    EXPECT_EQ(dotPicture(GetParam().caption), GetParam().picture);
}

const std::vector<std::string> kDark = {".....", ".....", ".....", ".....", ".....", ".....", "....."};

INSTANTIATE_TEST_SUITE_P(Digits, LedDots,
                         ::testing::Values(DotRow{0, {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
                                           DotRow{1, {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."}},
                                           DotRow{2, {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"}},
                                           DotRow{3, {".###.", "#...#", "....#", "..##.", "....#", "#...#", ".###."}},
                                           DotRow{4, {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."}},
                                           DotRow{5, {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."}},
                                           DotRow{6, {"..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."}},
                                           DotRow{7, {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."}},
                                           DotRow{8, {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."}},
                                           DotRow{9, {".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."}},
                                           DotRow{-1, kDark}, DotRow{10, kDark}, DotRow{INT_MIN, kDark}));

TEST(LedDots, OutsideTheMatrixIsNeverLit) {
    EXPECT_FALSE(ledDotLit(8, -1, 0));
    EXPECT_FALSE(ledDotLit(8, 0, -1));
    EXPECT_FALSE(ledDotLit(8, kLedDotRows, 0));
    EXPECT_FALSE(ledDotLit(8, 0, kLedDotColumns));
}

// ---- Size to pixel box ----

struct BoxRow {
    int size;
    int width;
    int height;
};

class LedBoxRule : public ::testing::TestWithParam<BoxRow> {};

TEST_P(LedBoxRule, GivesTheBoxOfTheSize) {
    const LedBox box = ledBoxForSize(GetParam().size);
    EXPECT_EQ(box.width, GetParam().width);
    EXPECT_EQ(box.height, GetParam().height);
}

INSTANTIATE_TEST_SUITE_P(Sizes, LedBoxRule,
                         ::testing::Values(
                             // The board's design boxes (twips / 15).
                             BoxRow{80, 44, 79}, BoxRow{75, 42, 75}, BoxRow{70, 38, 69}, BoxRow{65, 36, 65},
                             // Maximised on large screens.
                             BoxRow{160, 88, 159}, BoxRow{352, 194, 351}, BoxRow{380, 210, 379}, BoxRow{400, 220, 399},
                             // A window shrunk to nothing still leaves a 1x1 control.
                             BoxRow{1, 1, 1}, BoxRow{2, 2, 1}, BoxRow{3, 2, 3}, BoxRow{0, 1, 1}, BoxRow{-40, 1, 1},
                             BoxRow{INT_MIN, 1, 1},
                             // Beyond the 16-bit range the box stops growing.
                             BoxRow{kLedMaxSize, 18022, 32767}, BoxRow{INT_MAX, 18022, 32767}));

TEST(LedBoxRule, GrowsSteadilyAndStaysNarrowerThanHigh) {
    LedBox previous = ledBoxForSize(1);
    for (int size = 2; size <= 4000; ++size) {
        const LedBox box = ledBoxForSize(size);
        ASSERT_GE(box.width, previous.width) << size;
        ASSERT_GE(box.height, previous.height) << size;
        ASSERT_LE(box.height, size) << size;
        if (size >= 10) {
            ASSERT_LT(box.width, box.height) << size;
        }
        previous = box;
    }
}

// ---- Fractional sizes from the layout ----

struct SizeRow {
    double value;
    int size;
};

class LedSizeRounding : public ::testing::TestWithParam<SizeRow> {};

TEST_P(LedSizeRounding, RoundsHalvesToEvenAndNeverBelowOne) {
    EXPECT_EQ(ledSizeFromValue(GetParam().value), GetParam().size);
}

INSTANTIATE_TEST_SUITE_P(Values, LedSizeRounding,
                         ::testing::Values(SizeRow{80.0, 80}, SizeRow{80.4, 80}, SizeRow{80.5, 80}, SizeRow{80.6, 81},
                                           SizeRow{81.5, 82}, SizeRow{79.5, 80}, SizeRow{2.5, 2}, SizeRow{1.5, 2},
                                           SizeRow{1.0, 1}, SizeRow{0.5, 1}, SizeRow{0.0, 1}, SizeRow{-3.7, 1},
                                           SizeRow{32766.5, 32766}, SizeRow{1e12, kLedMaxSize},
                                           SizeRow{std::numeric_limits<double>::infinity(), kLedMaxSize},
                                           SizeRow{-std::numeric_limits<double>::infinity(), 1},
                                           SizeRow{std::numeric_limits<double>::quiet_NaN(), 1}));

// ---- Captions written as numbers or characters ----

struct NumberRow {
    long long value;
    int caption;
};

class LedCaptionNumber : public ::testing::TestWithParam<NumberRow> {};

TEST_P(LedCaptionNumber, ShowsDigitsAndDarkensTheRest) {
    EXPECT_EQ(ledCaptionFromNumber(GetParam().value), GetParam().caption);
}

INSTANTIATE_TEST_SUITE_P(Values, LedCaptionNumber,
                         ::testing::Values(NumberRow{0, 0}, NumberRow{5, 5}, NumberRow{9, 9}, NumberRow{-1, -1},
                                           NumberRow{10, -1}, NumberRow{-9, -1}, NumberRow{LLONG_MAX, -1},
                                           NumberRow{LLONG_MIN, -1}));

struct CharRow {
    char32_t c;
    int caption;
};

class LedCaptionChar : public ::testing::TestWithParam<CharRow> {};

TEST_P(LedCaptionChar, OnlyDecimalDigitsShow) {
    EXPECT_EQ(ledCaptionFromChar(GetParam().c), GetParam().caption);
}

INSTANTIATE_TEST_SUITE_P(Values, LedCaptionChar,
                         ::testing::Values(CharRow{U'0', 0}, CharRow{U'7', 7}, CharRow{U'9', 9}, CharRow{U'/', -1},
                                           CharRow{U':', -1}, CharRow{U'x', -1}, CharRow{U' ', -1}, CharRow{U'-', -1},
                                           CharRow{U'\u0663', -1}, // Arabic-Indic three
                                           CharRow{U'\uFF17', -1}, // full-width seven
                                           CharRow{U'\0', -1}));

// ---- Segment outlines ----

double cross(LedPoint o, LedPoint a, LedPoint b) {
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

double distanceToEdge(LedPoint p, LedPoint a, LedPoint b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

bool insideConvex(LedPoint p, std::span<const LedPoint> poly) {
    for (std::size_t i = 0; i < poly.size(); ++i) {
        if (cross(poly[i], poly[(i + 1) % poly.size()], p) < 0) {
            return false;
        }
    }
    return true;
}

// Smallest distance from a corner of one outline to an edge of the other, both ways round.
double gapBetween(std::span<const LedPoint> a, std::span<const LedPoint> b) {
    double best = 1e9;
    for (int pass = 0; pass < 2; ++pass) {
        for (const LedPoint& p : a) {
            for (std::size_t i = 0; i < b.size(); ++i) {
                best = std::min(best, distanceToEdge(p, b[i], b[(i + 1) % b.size()]));
            }
        }
        std::swap(a, b);
    }
    return best;
}

TEST(LedOutlines, AreConvexClockwiseAndInsideTheFrame) {
    const LedFrame frame = ledFrame();
    for (int s = 0; s < kLedSegmentCount; ++s) {
        const auto poly = ledSegmentPolygon(static_cast<LedSegment>(s));
        ASSERT_GE(poly.size(), 4U) << s;
        for (std::size_t i = 0; i < poly.size(); ++i) {
            // Clockwise on screen (y down) means every turn is to the right.
            EXPECT_GT(cross(poly[i], poly[(i + 1) % poly.size()], poly[(i + 2) % poly.size()]), 0.0)
                << "segment " << s << " corner " << i;
            EXPECT_GE(poly[i].x, frame.left) << s;
            EXPECT_LE(poly[i].x, frame.right) << s;
            EXPECT_GE(poly[i].y, frame.top) << s;
            EXPECT_LE(poly[i].y, frame.bottom) << s;
        }
    }
}

TEST(LedOutlines, NeighbouringBarsNeverTouch) {
    for (int a = 0; a < kLedSegmentCount; ++a) {
        for (int b = a + 1; b < kLedSegmentCount; ++b) {
            const auto pa = ledSegmentPolygon(static_cast<LedSegment>(a));
            const auto pb = ledSegmentPolygon(static_cast<LedSegment>(b));
            for (const LedPoint& p : pa) {
                EXPECT_FALSE(insideConvex(p, pb)) << a << " in " << b;
            }
            for (const LedPoint& p : pb) {
                EXPECT_FALSE(insideConvex(p, pa)) << b << " in " << a;
            }
            // A visible dark gap of a few units, about one pixel on the smallest board digit.
            EXPECT_GE(gapBetween(pa, pb), 2.5) << a << " and " << b;
        }
    }
}

// The digit is symmetric left to right and top to bottom, so 2 and 5, 6 and 9 look like true mirror images.
std::vector<std::pair<double, double>> sortedCorners(LedSegment s, bool mirrorX, bool mirrorY) {
    std::vector<std::pair<double, double>> corners;
    for (const LedPoint& p : ledSegmentPolygon(s)) {
        const double x = mirrorX ? kLedBoxWidth - p.x : p.x;
        const double y = mirrorY ? kLedBoxHeight - p.y : p.y;
        corners.emplace_back(std::round(x * 1000) / 1000, std::round(y * 1000) / 1000);
    }
    std::sort(corners.begin(), corners.end());
    return corners;
}

TEST(LedOutlines, AreSymmetric) {
    using enum LedSegment;
    const std::pair<LedSegment, LedSegment> leftRight[] = {{A, A}, {B, F}, {C, E}, {D, D}, {G, G}};
    for (const auto& [s, t] : leftRight) {
        EXPECT_EQ(sortedCorners(s, true, false), sortedCorners(t, false, false));
    }
    const std::pair<LedSegment, LedSegment> topBottom[] = {{A, D}, {B, C}, {F, E}, {G, G}};
    for (const auto& [s, t] : topBottom) {
        EXPECT_EQ(sortedCorners(s, false, true), sortedCorners(t, false, false));
    }
}

TEST(LedDots, FillTheFrameEvenly) {
    const LedFrame frame = ledFrame();
    const double r = ledDotRadius();
    EXPECT_DOUBLE_EQ(ledDotCentre(0, 0).x - r, frame.left);
    EXPECT_DOUBLE_EQ(ledDotCentre(0, kLedDotColumns - 1).x + r, frame.right);
    EXPECT_DOUBLE_EQ(ledDotCentre(0, 0).y - r, frame.top);
    EXPECT_DOUBLE_EQ(ledDotCentre(kLedDotRows - 1, 0).y + r, frame.bottom);
    const double pitchX = ledDotCentre(0, 1).x - ledDotCentre(0, 0).x;
    EXPECT_GT(pitchX, 2 * r); // dots never touch
}

// ---- Fitting the logical box to pixels ----

class LedFit : public ::testing::TestWithParam<int> {};

TEST_P(LedFit, BarEdgesFallOnWholePixelsWithEqualThickness) {
    const LedBox box = ledBoxForSize(GetParam());
    const LedGridFit fit(box.width, box.height);
    const LedFrame f = ledFrame();
    const double xs[] = {f.left, f.left + f.stroke, f.right - f.stroke, f.right};
    const double ys[] = {f.top,
                         f.top + f.stroke,
                         kLedBoxHeight / 2 - f.stroke / 2,
                         kLedBoxHeight / 2 + f.stroke / 2,
                         f.bottom - f.stroke,
                         f.bottom};
    for (double x : xs) {
        const double px = fit.map({x, f.top}).x;
        EXPECT_DOUBLE_EQ(px, std::round(px)) << "x " << x;
    }
    for (double y : ys) {
        const double py = fit.map({f.left, y}).y;
        EXPECT_DOUBLE_EQ(py, std::round(py)) << "y " << y;
    }
    const double strokeX = fit.map({f.left + f.stroke, 0}).x - fit.map({f.left, 0}).x;
    const double strokeY = fit.map({0, f.top + f.stroke}).y - fit.map({0, f.top}).y;
    const double strokeMid = fit.map({0, 100 + f.stroke / 2}).y - fit.map({0, 100 - f.stroke / 2}).y;
    const double strokeRight = fit.map({f.right, 0}).x - fit.map({f.right - f.stroke, 0}).x;
    EXPECT_EQ(strokeX, strokeY);
    EXPECT_EQ(strokeX, strokeMid);
    EXPECT_EQ(strokeX, strokeRight);
    // Centred: as much room left of the digit as right of it, and above as below.
    EXPECT_DOUBLE_EQ(fit.map({f.left, 0}).x, box.width - fit.map({f.right, 0}).x);
    EXPECT_DOUBLE_EQ(fit.map({0, f.top}).y, box.height - fit.map({0, f.bottom}).y);
}

TEST_P(LedFit, EverythingLitStaysInsideTheBoxWithAMargin) {
    const LedBox box = ledBoxForSize(GetParam());
    const LedGridFit fit(box.width, box.height);
    for (int s = 0; s < kLedSegmentCount; ++s) {
        for (const LedPoint& corner : ledSegmentPolygon(static_cast<LedSegment>(s))) {
            const LedPoint p = fit.map(corner);
            EXPECT_GE(p.x, 1.0);
            EXPECT_LE(p.x, box.width - 1.0);
            EXPECT_GE(p.y, 1.0);
            EXPECT_LE(p.y, box.height - 1.0);
        }
    }
    const double r = fit.dotRadius();
    EXPECT_GT(r, 0.0);
    for (int row = 0; row < kLedDotRows; ++row) {
        for (int column = 0; column < kLedDotColumns; ++column) {
            const LedPoint c = fit.dotCentre(row, column);
            EXPECT_GE(c.x - r, 1.0);
            EXPECT_LE(c.x + r, box.width - 1.0);
            EXPECT_GE(c.y - r, 1.0);
            EXPECT_LE(c.y + r, box.height - 1.0);
        }
    }
}

TEST_P(LedFit, DotsAreEvenlySpacedAndSeparate) {
    const LedBox box = ledBoxForSize(GetParam());
    const LedGridFit fit(box.width, box.height);
    const double r = fit.dotRadius();
    const double pitchX = fit.dotCentre(0, 1).x - fit.dotCentre(0, 0).x;
    const double pitchY = fit.dotCentre(1, 0).y - fit.dotCentre(0, 0).y;
    EXPECT_GE(pitchX - 2 * r, 1.0);
    EXPECT_GE(pitchY - 2 * r, 1.0);
    for (int column = 1; column < kLedDotColumns; ++column) {
        EXPECT_NEAR(fit.dotCentre(0, column).x - fit.dotCentre(0, column - 1).x, pitchX, 1e-9);
    }
    for (int row = 1; row < kLedDotRows; ++row) {
        EXPECT_NEAR(fit.dotCentre(row, 0).y - fit.dotCentre(row - 1, 0).y, pitchY, 1e-9);
    }
}

INSTANTIATE_TEST_SUITE_P(BoardSizes, LedFit, ::testing::Values(36, 50, 65, 70, 75, 80, 101, 160, 240, 352, 380, 400));

TEST(LedFit, TinyAndDegenerateBoxesStayFinite) {
    const int sizes[][2] = {{1, 1}, {0, 0}, {-5, -5}, {2, 3}, {5, 9}, {9, 16}, {500, 3}, {3, 500}};
    for (const auto& wh : sizes) {
        const LedGridFit fit(wh[0], wh[1]);
        const double w = std::max(1, wh[0]);
        const double h = std::max(1, wh[1]);
        for (int s = 0; s < kLedSegmentCount; ++s) {
            for (const LedPoint& corner : ledSegmentPolygon(static_cast<LedSegment>(s))) {
                const LedPoint p = fit.map(corner);
                ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
                EXPECT_GE(p.x, 0.0);
                EXPECT_LE(p.x, w);
                EXPECT_GE(p.y, 0.0);
                EXPECT_LE(p.y, h);
            }
        }
        const LedPoint c = fit.dotCentre(kLedDotRows - 1, kLedDotColumns - 1);
        EXPECT_TRUE(std::isfinite(c.x) && std::isfinite(c.y) && std::isfinite(fit.dotRadius()));
        EXPECT_LE(c.x + fit.dotRadius(), w + 1e-9);
        EXPECT_LE(c.y + fit.dotRadius(), h + 1e-9);
    }
}

} // namespace
