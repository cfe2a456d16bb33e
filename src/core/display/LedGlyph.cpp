#include "LedGlyph.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

// The lit area inside the logical box. The margin keeps neighbouring digits apart on the board and leaves room
// for the antialiased edge so nothing is cut at the control's border.
constexpr double kMarginX = 6.0;
constexpr double kMarginY = 7.0;
constexpr double kLeft = kMarginX;
constexpr double kRight = kLedBoxWidth - kMarginX;
constexpr double kTop = kMarginY;
constexpr double kBottom = kLedBoxHeight - kMarginY;
constexpr double kMiddle = kLedBoxHeight / 2.0;

// Bar thickness of the Lines style: heavy, as on a scoreboard read from the far end of the rink.
constexpr double kStroke = 21.0;
constexpr double kHalf = kStroke / 2.0;
// How far each bar end is pulled back from a joint; the dark gap between two bars is this times sqrt(2).
constexpr double kPull = 2.2;

// Dot matrix: the outer dots touch the frame, the rest are spread evenly between them.
constexpr double kDotDiameter = 17.5;

struct Outline {
    std::array<LedPoint, 6> corners{};
    std::size_t count = 0;
};

// Bars meet in 45-degree mitres at the corners and in points at the middle joints, so every joint shows the same
// thin dark gap.
constexpr std::array<Outline, kLedSegmentCount> kOutlines = {{
    // a: top
    {{{{kLeft + kPull, kTop},
       {kRight - kPull, kTop},
       {kRight - kStroke - kPull, kTop + kStroke},
       {kLeft + kStroke + kPull, kTop + kStroke}}},
     4},
    // b: upper right
    {{{{kRight, kTop + kPull},
       {kRight, kMiddle - kPull - kHalf},
       {kRight - kHalf, kMiddle - kPull},
       {kRight - kStroke, kMiddle - kPull - kHalf},
       {kRight - kStroke, kTop + kStroke + kPull}}},
     5},
    // c: lower right
    {{{{kRight - kStroke, kMiddle + kPull + kHalf},
       {kRight - kHalf, kMiddle + kPull},
       {kRight, kMiddle + kPull + kHalf},
       {kRight, kBottom - kPull},
       {kRight - kStroke, kBottom - kStroke - kPull}}},
     5},
    // d: bottom
    {{{{kLeft + kStroke + kPull, kBottom - kStroke},
       {kRight - kStroke - kPull, kBottom - kStroke},
       {kRight - kPull, kBottom},
       {kLeft + kPull, kBottom}}},
     4},
    // e: lower left
    {{{{kLeft, kMiddle + kPull + kHalf},
       {kLeft + kHalf, kMiddle + kPull},
       {kLeft + kStroke, kMiddle + kPull + kHalf},
       {kLeft + kStroke, kBottom - kStroke - kPull},
       {kLeft, kBottom - kPull}}},
     5},
    // f: upper left
    {{{{kLeft, kTop + kPull},
       {kLeft + kStroke, kTop + kStroke + kPull},
       {kLeft + kStroke, kMiddle - kPull - kHalf},
       {kLeft + kHalf, kMiddle - kPull},
       {kLeft, kMiddle - kPull - kHalf}}},
     5},
    // g: middle
    {{{{kLeft + kHalf + kPull, kMiddle},
       {kLeft + kStroke + kPull, kMiddle - kHalf},
       {kRight - kStroke - kPull, kMiddle - kHalf},
       {kRight - kHalf - kPull, kMiddle},
       {kRight - kStroke - kPull, kMiddle + kHalf},
       {kLeft + kStroke + kPull, kMiddle + kHalf}}},
     6},
}};

constexpr unsigned bit(LedSegment s) {
    return 1U << static_cast<unsigned>(s);
}
using enum LedSegment;

// 6 and 9 carry their tails (a on the 6, d on the 9), as on scoreboards, so they never read as b and q.
constexpr std::array<unsigned, 10> kSegmentMasks = {
    bit(A) | bit(B) | bit(C) | bit(D) | bit(E) | bit(F),          // 0
    bit(B) | bit(C),                                              // 1
    bit(A) | bit(B) | bit(G) | bit(E) | bit(D),                   // 2
    bit(A) | bit(B) | bit(G) | bit(C) | bit(D),                   // 3
    bit(F) | bit(G) | bit(B) | bit(C),                            // 4
    bit(A) | bit(F) | bit(G) | bit(C) | bit(D),                   // 5
    bit(A) | bit(F) | bit(G) | bit(E) | bit(C) | bit(D),          // 6
    bit(A) | bit(B) | bit(C),                                     // 7
    bit(A) | bit(B) | bit(C) | bit(D) | bit(E) | bit(F) | bit(G), // 8
    bit(A) | bit(B) | bit(C) | bit(D) | bit(F) | bit(G),          // 9
};

// Rows top to bottom, bit 4 the leftmost column. The zero is plain, without a slash: the board shows no letters
// it could be confused with.
constexpr std::array<std::array<std::uint8_t, kLedDotRows>, 10> kDotPatterns = {{
    {0b01110, 0b10001, 0b10001, 0b10001, 0b10001, 0b10001, 0b01110}, // 0
    {0b00100, 0b01100, 0b00100, 0b00100, 0b00100, 0b00100, 0b01110}, // 1
    {0b01110, 0b10001, 0b00001, 0b00010, 0b00100, 0b01000, 0b11111}, // 2
    {0b01110, 0b10001, 0b00001, 0b00110, 0b00001, 0b10001, 0b01110}, // 3
    {0b00010, 0b00110, 0b01010, 0b10010, 0b11111, 0b00010, 0b00010}, // 4
    {0b11111, 0b10000, 0b11110, 0b00001, 0b00001, 0b10001, 0b01110}, // 5
    {0b00110, 0b01000, 0b10000, 0b11110, 0b10001, 0b10001, 0b01110}, // 6
    {0b11111, 0b00001, 0b00010, 0b00100, 0b01000, 0b01000, 0b01000}, // 7
    {0b01110, 0b10001, 0b10001, 0b01110, 0b10001, 0b10001, 0b01110}, // 8
    {0b01110, 0b10001, 0b10001, 0b01111, 0b00001, 0b00010, 0b01100}, // 9
}};

bool isDigit(int caption) {
    return caption >= 0 && caption <= 9;
}

// Linear interpolation through increasing knots, extended beyond the ends with the plain scale.
template <std::size_t N>
double throughKnots(double v, const std::array<double, N>& from, const std::array<double, N>& to, double scale) {
    if (v <= from.front()) {
        return to.front() + (v - from.front()) * scale;
    }
    for (std::size_t i = 1; i < N; ++i) {
        if (v <= from[i]) {
            const double t = (v - from[i - 1]) / (from[i] - from[i - 1]);
            return to[i - 1] + t * (to[i] - to[i - 1]);
        }
    }
    return to.back() + (v - from.back()) * scale;
}

template <std::size_t N> bool strictlyIncreasing(const std::array<double, N>& a) {
    return std::adjacent_find(a.begin(), a.end(), std::greater_equal<>()) == a.end();
}

} // namespace

LedBox ledBoxForSize(int size) {
    const long long s = std::clamp(size, 1, kLedMaxSize);
    // The height is the largest odd number of pixels not above Size, so the middle bar sits on a whole pixel row
    // with equal halves above and below it. The width is the even number nearest to 0.55 x Size (that is
    // 2 x round(11 x Size / 40)). Together they give the board's design boxes: 80 -> 44x79, 75 -> 42x75,
    // 70 -> 38x69, 65 -> 36x65.
    const long long height = (s % 2 == 1) ? s : s - 1;
    const long long width = 2 * ((11 * s + 20) / 40);
    return {static_cast<int>(std::max(1LL, width)), static_cast<int>(std::max(1LL, height))};
}

int ledSizeFromValue(double value) {
    if (std::isnan(value) || value < 1.0) {
        return 1;
    }
    if (value > kLedMaxSize) {
        return kLedMaxSize;
    }
    const double whole = std::floor(value);
    const double rest = value - whole;
    double rounded = whole;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(whole, 2.0) != 0.0)) {
        rounded = whole + 1.0;
    }
    return std::clamp(static_cast<int>(rounded), 1, kLedMaxSize);
}

int ledCaptionFromNumber(long long value) {
    return (value >= 0 && value <= 9) ? static_cast<int>(value) : kLedDark;
}

int ledCaptionFromChar(char32_t c) {
    return (c >= U'0' && c <= U'9') ? static_cast<int>(c - U'0') : kLedDark;
}

unsigned ledSegmentMask(int caption) {
    return isDigit(caption) ? kSegmentMasks[static_cast<std::size_t>(caption)] : 0U;
}

bool ledSegmentLit(int caption, LedSegment segment) {
    return (ledSegmentMask(caption) & bit(segment)) != 0U;
}

std::span<const LedPoint> ledSegmentPolygon(LedSegment segment) {
    const Outline& o = kOutlines[static_cast<std::size_t>(segment)];
    return {o.corners.data(), o.count};
}

std::array<std::uint8_t, kLedDotRows> ledDotPattern(int caption) {
    return isDigit(caption) ? kDotPatterns[static_cast<std::size_t>(caption)] : std::array<std::uint8_t, kLedDotRows>{};
}

bool ledDotLit(int caption, int row, int column) {
    if (row < 0 || row >= kLedDotRows || column < 0 || column >= kLedDotColumns) {
        return false;
    }
    const unsigned mask = ledDotPattern(caption)[static_cast<std::size_t>(row)];
    return (mask & (1U << static_cast<unsigned>(kLedDotColumns - 1 - column))) != 0U;
}

LedPoint ledDotCentre(int row, int column) {
    const double r = kDotDiameter / 2.0;
    const double pitchX = (kRight - kLeft - kDotDiameter) / (kLedDotColumns - 1);
    const double pitchY = (kBottom - kTop - kDotDiameter) / (kLedDotRows - 1);
    return {kLeft + r + column * pitchX, kTop + r + row * pitchY};
}

double ledDotRadius() {
    return kDotDiameter / 2.0;
}

LedFrame ledFrame() {
    return {kLeft, kTop, kRight, kBottom, kStroke};
}

LedGridFit::LedGridFit(int pixelWidth, int pixelHeight) {
    const double w = std::max(1, pixelWidth);
    const double h = std::max(1, pixelHeight);
    m_scale = std::min(w / kLedBoxWidth, h / kLedBoxHeight);
    m_offsetX = (w - kLedBoxWidth * m_scale) / 2.0;
    m_offsetY = (h - kLedBoxHeight * m_scale) / 2.0;

    m_logicalX = {kLeft, kLeft + kStroke, kRight - kStroke, kRight};
    m_logicalY = {kTop, kTop + kStroke, kMiddle - kHalf, kMiddle + kHalf, kBottom - kStroke, kBottom};

    // Bars get one whole-pixel thickness; the outer edges are placed symmetrically in the pixel box and the middle
    // bar is centred, so every horizontal and vertical edge falls on a pixel border.
    const double stroke = std::max(1.0, std::round(kStroke * m_scale));
    const double left = std::round(m_offsetX + kLeft * m_scale);
    const double right = w - left;
    const double top = std::round(m_offsetY + kTop * m_scale);
    const double bottom = h - top;
    const double middleTop = std::floor((h - stroke) / 2.0);
    m_pixelX = {left, left + stroke, right - stroke, right};
    m_pixelY = {top, top + stroke, middleTop, middleTop + stroke, bottom - stroke, bottom};
    // Too small a box has no room for whole-pixel bars; it is drawn by the plain scale instead.
    m_snapped = strictlyIncreasing(m_pixelX) && strictlyIncreasing(m_pixelY) && stroke >= 2.0;

    // Dots: one whole-pixel diameter and one whole-pixel pitch per axis keep every dot identical and the gaps even.
    // Pitches and diameter are whole numbers of pixels next to the ideal ones, the combination that comes nearest
    // to the ideal matrix. The matrix may outgrow the bars' frame by little more than a pixel, so both styles keep the
    // same margin, and it keeps one dark pixel all round and one between neighbouring dots.
    const double idealDiameter = kDotDiameter * m_scale;
    const double idealPitchX = (ledDotCentre(0, 1).x - ledDotCentre(0, 0).x) * m_scale;
    const double idealPitchY = (ledDotCentre(1, 0).y - ledDotCentre(0, 0).y) * m_scale;
    const double idealWidth = (kRight - kLeft) * m_scale;
    const double idealHeight = (kBottom - kTop) * m_scale;
    double pitchX = 0.0;
    double pitchY = 0.0;
    double diameter = 0.0;
    double bestMiss = 0.0;
    for (const double px : {std::floor(idealPitchX), std::ceil(idealPitchX)}) {
        for (const double py : {std::floor(idealPitchY), std::ceil(idealPitchY)}) {
            for (const double dr : {std::round(idealDiameter), std::round(idealDiameter) - 1.0}) {
                const double d = std::min({dr, px - 1.0, py - 1.0});
                const double spanX = (kLedDotColumns - 1) * px + d;
                const double spanY = (kLedDotRows - 1) * py + d;
                const bool fits =
                    spanX <= std::min(w - 2.0, idealWidth + 1.5) && spanY <= std::min(h - 2.0, idealHeight + 1.5);
                if (d < 2.0 || !fits) {
                    continue;
                }
                // A dot a pixel too small shows more than a matrix a pixel too narrow.
                const double miss =
                    std::abs(spanX - idealWidth) + std::abs(spanY - idealHeight) + 2.0 * std::abs(d - idealDiameter);
                if (diameter == 0.0 || miss < bestMiss) {
                    pitchX = px;
                    pitchY = py;
                    diameter = d;
                    bestMiss = miss;
                }
            }
        }
    }
    if (diameter > 0.0) {
        m_dotRadius = diameter / 2.0;
        m_squareDots = diameter < 3.0;
        const double spanX = (kLedDotColumns - 1) * pitchX + diameter;
        const double spanY = (kLedDotRows - 1) * pitchY + diameter;
        const double firstX = std::round((w - spanX) / 2.0) + m_dotRadius;
        const double firstY = std::round((h - spanY) / 2.0) + m_dotRadius;
        for (int c = 0; c < kLedDotColumns; ++c) {
            m_dotX[static_cast<std::size_t>(c)] = firstX + c * pitchX;
        }
        for (int r = 0; r < kLedDotRows; ++r) {
            m_dotY[static_cast<std::size_t>(r)] = firstY + r * pitchY;
        }
    } else {
        // Too small for whole pixels: keep the plain scale but still leave the dots apart where there is room.
        const double room = std::min(idealPitchX, idealPitchY) - 1.0;
        m_dotRadius = std::max(std::min(idealDiameter, room), idealDiameter / 2.0) / 2.0;
        for (int c = 0; c < kLedDotColumns; ++c) {
            m_dotX[static_cast<std::size_t>(c)] = m_offsetX + ledDotCentre(0, c).x * m_scale;
        }
        for (int r = 0; r < kLedDotRows; ++r) {
            m_dotY[static_cast<std::size_t>(r)] = m_offsetY + ledDotCentre(r, 0).y * m_scale;
        }
    }
}

LedPoint LedGridFit::map(LedPoint logical) const {
    if (!m_snapped) {
        return {m_offsetX + logical.x * m_scale, m_offsetY + logical.y * m_scale};
    }
    return {throughKnots(logical.x, m_logicalX, m_pixelX, m_scale),
            throughKnots(logical.y, m_logicalY, m_pixelY, m_scale)};
}

LedPoint LedGridFit::dotCentre(int row, int column) const {
    const auto r = static_cast<std::size_t>(std::clamp(row, 0, kLedDotRows - 1));
    const auto c = static_cast<std::size_t>(std::clamp(column, 0, kLedDotColumns - 1));
    return {m_dotX[c], m_dotY[r]};
}
