#pragma once
#include <compare>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Reads a rich-text file, as word processors write it, into paragraphs of formatted text runs. It covers what a
// help text needs (fonts, colours, bold/italic/underline, sizes, alignment, indents, spacing, tab stops, bullets,
// escaped characters) and steps over everything else: pictures, objects, style sheets, document information and
// any destination it does not know.
//
// Any input is safe: the input size is capped, group nesting beyond a fixed depth is ignored, no value is
// trusted, and the work is linear in the size of the input.
namespace rtf {

inline constexpr std::size_t kMaxInputBytes = std::size_t{8} * 1024 * 1024;
inline constexpr int kMaxGroupDepth = 256;
inline constexpr std::size_t kMaxTabStops = 32;
inline constexpr std::size_t kMaxTableEntries = 4096; // fonts, colours
inline constexpr std::size_t kMaxFontNameLength = 128;
// A help text has a few hundred paragraphs; past this many the rest of a file is dropped (Document::truncated),
// which keeps the memory a hostile file can claim near that of the file itself.
inline constexpr std::size_t kMaxParagraphs = 100000;
inline constexpr std::size_t kMaxRuns = 400000;

// Limits on the layout values handed on, so that no file can ask for a 5000 pt font or a margin a metre wide.
inline constexpr int kMinHalfPoints = 4;      // 2 pt: anything smaller cannot shrink to a superscript
inline constexpr int kMaxHalfPoints = 400;    // 200 pt
inline constexpr int kMaxIndentTwips = 14400; // 10 inches
inline constexpr int kMaxSpacingTwips = 14400;

struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    // clang-tidy 14 takes the defaulted comparison for a literal 0 used as a pointer.
    auto operator<=>(const Colour&) const = default; // NOLINT(modernize-use-nullptr)
};

enum class Alignment { Left, Centre, Right, Justify };
enum class VerticalPosition { Baseline, Superscript, Subscript };
enum class TabKind { Left, Centre, Right, Decimal };

struct CharFormat {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int halfPoints = 24;              // font size in half points, as the file gives it
    std::string fontFamily;           // empty: the viewer's own font
    std::optional<Colour> foreground; // empty: the viewer's text colour
    std::optional<Colour> background; // empty: no highlight
    VerticalPosition position = VerticalPosition::Baseline;
    bool operator==(const CharFormat&) const = default;
};

struct TabStop {
    int position = 0; // twips from the left margin of the page
    TabKind kind = TabKind::Left;
    bool operator==(const TabStop&) const = default;
};

// Spacing between lines: single unless the file asks otherwise.
enum class LineSpacing { Single, AtLeast, Exactly, Multiple };

struct ParagraphFormat {
    Alignment alignment = Alignment::Left;
    int leftIndent = 0;      // twips, 0..kMaxIndentTwips
    int rightIndent = 0;     // twips, 0..kMaxIndentTwips
    int firstLineIndent = 0; // twips relative to leftIndent, negative for a hanging first line
    int spaceBefore = 0;     // twips
    int spaceAfter = 0;      // twips
    LineSpacing lineSpacing = LineSpacing::Single;
    int lineSpacingValue = 0; // twips (AtLeast, Exactly) or 240ths of a line (Multiple)
    std::vector<TabStop> tabStops;
    bool operator==(const ParagraphFormat&) const = default;
};

// Text of a run is UTF-16. Besides printable characters it holds only U+0009 (tab) and U+2028 (line break);
// control characters and characters a text view reserves for itself are never passed on.
struct Run {
    std::u16string text;
    std::size_t format = 0; // index into Document::formats
};

struct Paragraph {
    ParagraphFormat format;
    std::vector<Run> runs;      // never two neighbours with the same format, never an empty one
    std::size_t markFormat = 0; // format at the paragraph's end, which gives an empty line its height
};

struct Document {
    std::vector<CharFormat> formats; // each distinct character format once
    std::vector<Paragraph> paragraphs;
    bool truncated = false; // the file went past kMaxParagraphs or kMaxRuns; the rest was not read

    const CharFormat& format(const Run& run) const { return formats[run.format]; }
};

enum class ParseStatus {
    Ok,
    NotRtf,   // does not start with "{\rtf" (after blanks and a byte-order mark)
    TooLarge, // longer than kMaxInputBytes
};

struct ParseResult {
    ParseStatus status = ParseStatus::NotRtf;
    Document document; // empty unless status is Ok
};

ParseResult parseRtf(std::string_view input);

// Windows code page 1252, the code page of "\ansi" files; bytes that page leaves undefined map to U+FFFD.
char16_t cp1252ToUnicode(std::uint8_t byte);

// Joins the text of all runs, paragraphs separated by "\n": handy for checks and for plain-text fallbacks.
std::u16string plainText(const Document& document);

} // namespace rtf
