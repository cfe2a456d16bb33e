#pragma once
#include <array>
#include <cstdint>
#include <span>

// The shape of one LED digit of the board, independent of any toolkit.
//
// Every digit is drawn in one fixed logical box of kLedBoxWidth x kLedBoxHeight units: the seven segments and the
// 5x7 dot matrix are constants in that box. A widget maps the box onto its pixels through LedGridFit, which keeps
// the proportions and snaps the bars' edges to whole pixels so a small digit stays crisp.

inline constexpr double kLedBoxWidth = 110.0;
inline constexpr double kLedBoxHeight = 200.0;

// The digit styles of the LedType setting, in the order of the options dialog's style list.
inline constexpr int kLedTypeLines = 0;
inline constexpr int kLedTypeDots = 1;

// The style a LedType setting draws, on the board and in the options dialog alike: Dots for 1, Lines for
// anything else (a hand-edited store can hold any number).
constexpr int ledStyleOf(int ledType) {
    return ledType == kLedTypeDots ? kLedTypeDots : kLedTypeLines;
}

// A Caption of -1 shows nothing; 0..9 is the digit shown.
inline constexpr int kLedDark = -1;

// Sizes are 16-bit on the board; anything larger is held at the largest 16-bit value.
inline constexpr int kLedMaxSize = 32767;

struct LedPoint {
    double x = 0.0;
    double y = 0.0;
};

// Pixel width and height of a digit control.
struct LedBox {
    int width = 1;
    int height = 1;
    friend bool operator==(const LedBox&, const LedBox&) = default;
};

// The box a digit of the given Size occupies. Sizes below 1 are taken as 1; the box is never smaller than 1x1.
LedBox ledBoxForSize(int size);

// The Size a control takes when the layout writes a fractional value: halves go to the even neighbour, nothing
// below 1 and nothing above kLedMaxSize. A value that is not a number is taken as 1.
int ledSizeFromValue(double value);

// The caption a number written to a digit shows: the number itself when it is a digit 0..9, otherwise dark.
int ledCaptionFromNumber(long long value);

// The caption a one-character text shows: '0'..'9' give their digit, every other character gives dark.
int ledCaptionFromChar(char32_t c);

// Segments in the usual lettering: a top, b upper right, c lower right, d bottom, e lower left, f upper left,
// g middle.
enum class LedSegment : std::uint8_t { A, B, C, D, E, F, G };
inline constexpr int kLedSegmentCount = 7;

// Lit segments of a caption, bit n standing for segment n (A = bit 0). Dark and out-of-range captions light none.
unsigned ledSegmentMask(int caption);
bool ledSegmentLit(int caption, LedSegment segment);

// Outline of a segment in the logical box, clockwise, as constant corners.
std::span<const LedPoint> ledSegmentPolygon(LedSegment segment);

// The dot-matrix style: 5 columns by 7 rows of round dots.
inline constexpr int kLedDotColumns = 5;
inline constexpr int kLedDotRows = 7;

// Row masks of a caption, row 0 at the top; bit 4 is the leftmost column. Dark and out-of-range captions are empty.
std::array<std::uint8_t, kLedDotRows> ledDotPattern(int caption);
bool ledDotLit(int caption, int row, int column);

// Centre of a dot in the logical box, and the radius every dot shares.
LedPoint ledDotCentre(int row, int column);
double ledDotRadius();

// The outer edges of the lit area inside the logical box, shared by both styles so Lines and Dots digits are
// the same height and width.
struct LedFrame {
    double left;
    double top;
    double right;
    double bottom;
    double stroke; // thickness of a bar
};
LedFrame ledFrame();

// Maps the logical box onto a pixel box of a given size: one scale for both axes (so dots stay round), centred,
// with the bars' edges and the dots' bounds placed on whole pixels where the pixel box is large enough to allow it.
class LedGridFit {
public:
    LedGridFit(int pixelWidth, int pixelHeight);

    LedPoint map(LedPoint logical) const;
    double scale() const { return m_scale; }

    // A dot of the matrix in pixels: its centre and radius, identical in size for every dot.
    LedPoint dotCentre(int row, int column) const;
    double dotRadius() const { return m_dotRadius; }
    // Dots only two pixels across cannot be drawn round: an antialiased circle that small lights no pixel fully
    // and looks dim beside the bars. They are drawn as solid squares, which is what such an LED looks like.
    bool squareDots() const { return m_squareDots; }

private:
    static constexpr int kKnotsX = 4;
    static constexpr int kKnotsY = 6;

    double m_scale = 1.0;
    double m_offsetX = 0.0;
    double m_offsetY = 0.0;
    bool m_snapped = false;
    std::array<double, kKnotsX> m_logicalX{};
    std::array<double, kKnotsX> m_pixelX{};
    std::array<double, kKnotsY> m_logicalY{};
    std::array<double, kKnotsY> m_pixelY{};
    std::array<double, kLedDotColumns> m_dotX{};
    std::array<double, kLedDotRows> m_dotY{};
    double m_dotRadius = 0.0;
    bool m_squareDots = false;
};
