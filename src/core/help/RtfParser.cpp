#include "core/help/RtfParser.h"

#include "core/Utf8.h"
#include "core/help/RtfTokenizer.h"

#include <algorithm>
#include <array>
#include <map>
#include <tuple>

namespace rtf {
namespace {

constexpr char16_t kReplacement = u'\uFFFD';
constexpr char16_t kLineBreak = u'\u2028';
constexpr char16_t kTab = u'\t';
constexpr int kSymbolCharset = 2; // \fcharset2: the font's bytes are pictures, not letters of a code page
constexpr int kMaxTabPosition = 31680;

// ---------------------------------------------------------------------------------------------------------------
// Control words

enum class Action : std::uint8_t {
    FontTable,
    ColourTable,
    SkipDestination,
    DefaultFont,
    Font,
    FontCharset,
    FontSize,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Strike,
    Hidden,
    Plain,
    Foreground,
    Background,
    Superscript,
    Subscript,
    NoSuperSub,
    Red,
    Green,
    Blue,
    Unicode,
    UnicodeSkip,
    ParagraphDefault,
    ParagraphEnd,
    Character,
    AlignLeft,
    AlignCentre,
    AlignRight,
    AlignJustify,
    LeftIndent,
    RightIndent,
    FirstLineIndent,
    SpaceBefore,
    SpaceAfter,
    LineSpace,
    LineMultiple,
    TabPosition,
    TabBar,
    TabKindCentre,
    TabKindRight,
    TabKindDecimal,
};

struct WordEntry {
    std::string_view name;
    Action action;
    char16_t character = 0; // Action::Character only
};

// Sorted by name (byte order) for binary search; checked below at compile time.
constexpr std::array kWords{
    WordEntry{"annotation", Action::SkipDestination},
    WordEntry{"atnauthor", Action::SkipDestination},
    WordEntry{"author", Action::SkipDestination},
    WordEntry{"b", Action::Bold},
    WordEntry{"bkmkend", Action::SkipDestination},
    WordEntry{"bkmkstart", Action::SkipDestination},
    WordEntry{"blue", Action::Blue},
    WordEntry{"bullet", Action::Character, u'\u2022'},
    WordEntry{"buptim", Action::SkipDestination},
    WordEntry{"cb", Action::Background},
    WordEntry{"cell", Action::Character, kTab},
    WordEntry{"cf", Action::Foreground},
    WordEntry{"colorschememapping", Action::SkipDestination},
    WordEntry{"colortbl", Action::ColourTable},
    WordEntry{"comment", Action::SkipDestination},
    WordEntry{"creatim", Action::SkipDestination},
    WordEntry{"datastore", Action::SkipDestination},
    WordEntry{"deff", Action::DefaultFont},
    WordEntry{"dn", Action::Subscript},
    WordEntry{"do", Action::SkipDestination},
    WordEntry{"doccomm", Action::SkipDestination},
    WordEntry{"emdash", Action::Character, u'\u2014'},
    WordEntry{"emspace", Action::Character, u'\u2003'},
    WordEntry{"endash", Action::Character, u'\u2013'},
    WordEntry{"enspace", Action::Character, u'\u2002'},
    WordEntry{"f", Action::Font},
    WordEntry{"falt", Action::SkipDestination},
    WordEntry{"fcharset", Action::FontCharset},
    WordEntry{"fi", Action::FirstLineIndent},
    WordEntry{"fldinst", Action::SkipDestination},
    WordEntry{"fonttbl", Action::FontTable},
    WordEntry{"footer", Action::SkipDestination},
    WordEntry{"footerf", Action::SkipDestination},
    WordEntry{"footerl", Action::SkipDestination},
    WordEntry{"footerr", Action::SkipDestination},
    WordEntry{"footnote", Action::SkipDestination},
    WordEntry{"fs", Action::FontSize},
    WordEntry{"ftncn", Action::SkipDestination},
    WordEntry{"ftnsep", Action::SkipDestination},
    WordEntry{"ftnsepc", Action::SkipDestination},
    WordEntry{"generator", Action::SkipDestination},
    WordEntry{"green", Action::Green},
    WordEntry{"header", Action::SkipDestination},
    WordEntry{"headerf", Action::SkipDestination},
    WordEntry{"headerl", Action::SkipDestination},
    WordEntry{"headerr", Action::SkipDestination},
    WordEntry{"highlight", Action::Background},
    WordEntry{"i", Action::Italic},
    WordEntry{"info", Action::SkipDestination},
    WordEntry{"keywords", Action::SkipDestination},
    WordEntry{"latentstyles", Action::SkipDestination},
    WordEntry{"ldblquote", Action::Character, u'\u201C'},
    WordEntry{"li", Action::LeftIndent},
    WordEntry{"line", Action::Character, kLineBreak},
    WordEntry{"listoverridetable", Action::SkipDestination},
    WordEntry{"listtable", Action::SkipDestination},
    WordEntry{"lquote", Action::Character, u'\u2018'},
    WordEntry{"manager", Action::SkipDestination},
    WordEntry{"mmathPr", Action::SkipDestination},
    WordEntry{"nestcell", Action::Character, kTab},
    WordEntry{"nestrow", Action::ParagraphEnd},
    WordEntry{"nonshppict", Action::SkipDestination},
    WordEntry{"nosupersub", Action::NoSuperSub},
    WordEntry{"objdata", Action::SkipDestination},
    WordEntry{"object", Action::SkipDestination},
    WordEntry{"operator", Action::SkipDestination},
    WordEntry{"page", Action::ParagraphEnd},
    WordEntry{"panose", Action::SkipDestination},
    WordEntry{"par", Action::ParagraphEnd},
    WordEntry{"pard", Action::ParagraphDefault},
    WordEntry{"pict", Action::SkipDestination},
    WordEntry{"plain", Action::Plain},
    WordEntry{"pn", Action::SkipDestination},
    WordEntry{"pntxta", Action::SkipDestination},
    WordEntry{"pntxtb", Action::SkipDestination},
    WordEntry{"printim", Action::SkipDestination},
    WordEntry{"private", Action::SkipDestination},
    WordEntry{"qc", Action::AlignCentre},
    WordEntry{"qd", Action::AlignJustify},
    WordEntry{"qj", Action::AlignJustify},
    WordEntry{"ql", Action::AlignLeft},
    WordEntry{"qmspace", Action::Character, u'\u2005'},
    WordEntry{"qr", Action::AlignRight},
    WordEntry{"rdblquote", Action::Character, u'\u201D'},
    WordEntry{"red", Action::Red},
    WordEntry{"revtbl", Action::SkipDestination},
    WordEntry{"revtim", Action::SkipDestination},
    WordEntry{"ri", Action::RightIndent},
    WordEntry{"row", Action::ParagraphEnd},
    WordEntry{"rquote", Action::Character, u'\u2019'},
    WordEntry{"rsidtbl", Action::SkipDestination},
    WordEntry{"sa", Action::SpaceAfter},
    WordEntry{"sb", Action::SpaceBefore},
    WordEntry{"sect", Action::ParagraphEnd},
    WordEntry{"shp", Action::SkipDestination},
    WordEntry{"shpinst", Action::SkipDestination},
    WordEntry{"shppict", Action::SkipDestination},
    WordEntry{"sl", Action::LineSpace},
    WordEntry{"slmult", Action::LineMultiple},
    WordEntry{"strike", Action::Strike},
    WordEntry{"striked", Action::Strike},
    WordEntry{"stylesheet", Action::SkipDestination},
    WordEntry{"sub", Action::Subscript},
    WordEntry{"subject", Action::SkipDestination},
    WordEntry{"super", Action::Superscript},
    WordEntry{"tab", Action::Character, kTab},
    WordEntry{"tb", Action::TabBar},
    WordEntry{"tc", Action::SkipDestination},
    WordEntry{"template", Action::SkipDestination},
    WordEntry{"themedata", Action::SkipDestination},
    WordEntry{"title", Action::SkipDestination},
    WordEntry{"tqc", Action::TabKindCentre},
    WordEntry{"tqdec", Action::TabKindDecimal},
    WordEntry{"tqr", Action::TabKindRight},
    WordEntry{"tx", Action::TabPosition},
    WordEntry{"txe", Action::SkipDestination},
    WordEntry{"u", Action::Unicode},
    WordEntry{"uc", Action::UnicodeSkip},
    WordEntry{"ul", Action::Underline},
    WordEntry{"uld", Action::Underline},
    WordEntry{"uldash", Action::Underline},
    WordEntry{"uldb", Action::Underline},
    WordEntry{"ulnone", Action::UnderlineNone},
    WordEntry{"ulth", Action::Underline},
    WordEntry{"ulw", Action::Underline},
    WordEntry{"ulwave", Action::Underline},
    WordEntry{"up", Action::Superscript},
    WordEntry{"userprops", Action::SkipDestination},
    WordEntry{"v", Action::Hidden},
    WordEntry{"xe", Action::SkipDestination},
    WordEntry{"xmlnstbl", Action::SkipDestination},
    WordEntry{"zwj", Action::Character, u'\u200D'},
    WordEntry{"zwnj", Action::Character, u'\u200C'},
};
static_assert(std::is_sorted(kWords.begin(), kWords.end(),
                             [](const WordEntry& a, const WordEntry& b) { return a.name < b.name; }));

const WordEntry* findWord(std::string_view name) {
    const auto it = std::lower_bound(kWords.begin(), kWords.end(), name,
                                     [](const WordEntry& entry, std::string_view key) { return entry.name < key; });
    return (it != kWords.end() && it->name == name) ? &*it : nullptr;
}

// ---------------------------------------------------------------------------------------------------------------
// Characters

// The few picture characters of the symbol fonts that word processors use for list bullets. Other bytes of a
// symbol font fall back to code page 1252: wrong-looking but harmless.
char16_t symbolToUnicode(std::uint8_t byte) {
    switch (byte) {
    case 0xB7: // Symbol: bullet
    case 0x6C: // Wingdings: filled circle
        return u'\u2022';
    case 0xA7: // Wingdings: small square
        return u'\u25AA';
    case 0x6E: // Wingdings: filled square
        return u'\u25A0';
    case 0xD8: // Wingdings: arrowhead
        return u'\u27A2';
    case 0xFC: // Wingdings: tick
        return u'\u2714';
    case 0x76: // Wingdings: diamond
        return u'\u2756';
    default:
        return cp1252ToUnicode(byte);
    }
}

// A text view must not receive control characters, its own block and frame markers, or non-characters.
bool isPassable(char16_t unit) {
    if (unit == kTab || unit == kLineBreak)
        return true;
    if (unit < 0x20 || (unit >= 0x7F && unit <= 0x9F))
        return false;
    if (unit == 0x2029 || (unit >= 0xFDD0 && unit <= 0xFDEF) || unit >= 0xFFFC)
        return unit == kReplacement;
    return true;
}

bool isSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDFFF;
}

// ---------------------------------------------------------------------------------------------------------------
// Reader state

enum class Destination : std::uint8_t { Body, FontTable, ColourTable, Skip };

// Everything a group saves and restores. Kept free of heap storage so that entering a group is a plain copy.
struct GroupState {
    Destination destination = Destination::Body;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
    VerticalPosition position = VerticalPosition::Baseline;
    int halfPoints = 24;
    int font = -1;      // font number; -1 is the document's default font
    int foreground = 0; // colour table index; 0 is the automatic colour
    int background = 0;
    int unicodeSkip = 1;

    Alignment alignment = Alignment::Left;
    int leftIndent = 0;
    int rightIndent = 0;
    int firstLineIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
    int lineSpace = 0;
    bool lineMultiple = false;
    std::array<TabStop, kMaxTabStops> tabs{};
    std::uint8_t tabCount = 0;
    TabKind nextTabKind = TabKind::Left;

    void resetCharacter() {
        bold = italic = underline = strike = hidden = false;
        position = VerticalPosition::Baseline;
        halfPoints = 24;
        font = -1;
        foreground = background = 0;
    }
    void resetParagraph() {
        alignment = Alignment::Left;
        leftIndent = rightIndent = firstLineIndent = spaceBefore = spaceAfter = lineSpace = 0;
        lineMultiple = false;
        tabCount = 0;
        nextTabKind = TabKind::Left;
    }
};

struct FontInfo {
    std::string family;
    int charset = 0;
};

struct FormatLess {
    static auto key(const CharFormat& f) {
        return std::tie(f.bold, f.italic, f.underline, f.strike, f.halfPoints, f.fontFamily, f.foreground, f.background,
                        f.position);
    }
    bool operator()(const CharFormat& a, const CharFormat& b) const { return key(a) < key(b); }
};

int clampParameter(const Token& token, int low, int high, int fallback) {
    return token.hasParameter ? std::clamp<int>(token.parameter, low, high) : fallback;
}

bool switchValue(const Token& token) {
    return !token.hasParameter || token.parameter != 0;
}

class Parser {
public:
    explicit Parser(std::string_view input) : m_tokens(input) { m_doc.paragraphs.emplace_back(); }

    Document run();

private:
    GroupState& state() { return m_stack.back(); }
    bool stopped() const { return m_finished || m_doc.truncated; }

    void groupStart();
    void groupEnd();
    void controlWord(const Token& token);
    void bodyWord(const Token& token, const WordEntry& entry);
    void controlSymbol(char symbol);
    void textBytes(std::string_view bytes);
    void byte(std::uint8_t value);

    void fontTableWord(const Token& token, const WordEntry& entry);
    void fontTableText(char16_t unit);
    void commitFont();
    void colourTableText(std::string_view bytes);

    void appendUnit(char16_t unit);
    void appendPassable(char16_t unit);
    void flushSurrogate();
    void endParagraph();
    void finishParagraph(Paragraph& paragraph);
    void formatChanged() { m_runOpen = false; }

    std::size_t currentFormatIndex();
    std::size_t internFormat(const CharFormat& format);
    CharFormat resolveCharFormat() const;
    ParagraphFormat resolveParagraphFormat() const;
    const FontInfo* currentFont() const;

    RtfTokenizer m_tokens;
    Document m_doc;
    std::vector<GroupState> m_stack;
    int m_overflowDepth = 0; // groups opened beyond kMaxGroupDepth: their content is ignored
    bool m_started = false;
    bool m_finished = false;
    int m_unicodeSkipLeft = 0;  // fallback characters still to drop after a \u
    char16_t m_pendingHigh = 0; // first half of a surrogate pair written as two \u

    std::map<int, FontInfo> m_fonts;
    int m_defaultFont = -1;
    int m_fontEntry = -1;
    std::u16string m_fontName;
    int m_fontCharset = 0;

    std::vector<std::optional<Colour>> m_colours;
    Colour m_colourEntry;
    bool m_colourEntrySet = false;

    std::map<CharFormat, std::size_t, FormatLess> m_formatIndex;
    std::size_t m_runCount = 0;
    bool m_runOpen = false; // the last run of the current paragraph has the current format
};

Document Parser::run() {
    while (!stopped()) {
        const Token token = m_tokens.next();
        if (token.kind == TokenKind::End)
            break;
        if (token.kind == TokenKind::GroupStart) {
            groupStart();
            continue;
        }
        if (token.kind == TokenKind::GroupEnd) {
            groupEnd();
            continue;
        }
        if (m_overflowDepth > 0 || m_stack.empty())
            continue;
        if (m_unicodeSkipLeft > 0) {
            // The fallback for a \u character: a text byte, an escaped byte or a control counts as one.
            if (token.kind == TokenKind::Text && token.text.size() > static_cast<std::size_t>(m_unicodeSkipLeft)) {
                const std::string_view rest = token.text.substr(static_cast<std::size_t>(m_unicodeSkipLeft));
                m_unicodeSkipLeft = 0;
                textBytes(rest);
            } else {
                m_unicodeSkipLeft -= token.kind == TokenKind::Text ? static_cast<int>(token.text.size()) : 1;
            }
            continue;
        }
        switch (token.kind) {
        case TokenKind::ControlWord:
            controlWord(token);
            break;
        case TokenKind::ControlSymbol:
            controlSymbol(token.symbol);
            break;
        case TokenKind::HexByte:
            byte(token.byte);
            break;
        case TokenKind::Text:
            textBytes(token.text);
            break;
        default:
            break; // binary data is never shown
        }
    }
    if (!m_finished && !m_stack.empty())
        finishParagraph(m_doc.paragraphs.back());
    if (!m_started)
        m_doc.paragraphs.back().markFormat = internFormat(CharFormat{});

    // "...last line\par }" ends the text; the empty paragraph after that mark is not part of it.
    if (m_doc.paragraphs.size() > 1 && m_doc.paragraphs.back().runs.empty())
        m_doc.paragraphs.pop_back();
    return std::move(m_doc);
}

void Parser::groupStart() {
    m_unicodeSkipLeft = 0;
    if (m_overflowDepth > 0 || m_stack.size() >= static_cast<std::size_t>(kMaxGroupDepth)) {
        ++m_overflowDepth;
        return;
    }
    if (m_stack.empty()) {
        m_started = true;
        m_stack.emplace_back();
    } else {
        m_stack.push_back(m_stack.back());
    }
}

void Parser::groupEnd() {
    m_unicodeSkipLeft = 0;
    if (m_overflowDepth > 0) {
        --m_overflowDepth;
        return;
    }
    if (m_stack.empty())
        return;
    if (state().destination == Destination::FontTable)
        commitFont();
    if (m_stack.size() == 1) {
        // The document's own group closes: whatever follows is not part of the text.
        finishParagraph(m_doc.paragraphs.back());
        m_finished = true;
        return;
    }
    m_stack.pop_back();
    formatChanged();
}

void Parser::controlWord(const Token& token) {
    GroupState& s = state();
    if (s.destination == Destination::Skip)
        return;
    const WordEntry* entry = findWord(token.text);
    if (entry == nullptr)
        return;
    switch (entry->action) {
    case Action::FontTable:
        s.destination = Destination::FontTable;
        m_fontEntry = -1;
        m_fontName.clear();
        return;
    case Action::ColourTable:
        s.destination = Destination::ColourTable;
        m_colourEntrySet = false;
        m_colourEntry = Colour{};
        return;
    case Action::SkipDestination:
        s.destination = Destination::Skip;
        return;
    case Action::DefaultFont:
        if (token.hasParameter)
            m_defaultFont = token.parameter;
        formatChanged();
        return;
    case Action::UnicodeSkip:
        s.unicodeSkip = clampParameter(token, 0, 1000, 1);
        return;
    default:
        break;
    }
    switch (s.destination) {
    case Destination::Body:
        bodyWord(token, *entry);
        break;
    case Destination::FontTable:
        fontTableWord(token, *entry);
        break;
    case Destination::ColourTable:
        if (entry->action == Action::Red || entry->action == Action::Green || entry->action == Action::Blue) {
            const auto value = static_cast<std::uint8_t>(clampParameter(token, 0, 255, 0));
            (entry->action == Action::Red     ? m_colourEntry.red
             : entry->action == Action::Green ? m_colourEntry.green
                                              : m_colourEntry.blue) = value;
            m_colourEntrySet = true;
        }
        break;
    case Destination::Skip:
        break;
    }
}

void Parser::bodyWord(const Token& token, const WordEntry& entry) {
    GroupState& s = state();
    switch (entry.action) {
    case Action::Font:
        if (token.hasParameter)
            s.font = token.parameter;
        break;
    case Action::FontSize:
        s.halfPoints = clampParameter(token, kMinHalfPoints, kMaxHalfPoints, 24);
        break;
    case Action::Bold:
        s.bold = switchValue(token);
        break;
    case Action::Italic:
        s.italic = switchValue(token);
        break;
    case Action::Underline:
        s.underline = switchValue(token);
        break;
    case Action::UnderlineNone:
        s.underline = false;
        break;
    case Action::Strike:
        s.strike = switchValue(token);
        break;
    case Action::Hidden:
        s.hidden = switchValue(token);
        break;
    case Action::Plain:
        s.resetCharacter();
        break;
    case Action::Foreground:
        s.foreground = clampParameter(token, 0, static_cast<int>(kMaxTableEntries), 0);
        break;
    case Action::Background:
        s.background = clampParameter(token, 0, static_cast<int>(kMaxTableEntries), 0);
        break;
    case Action::Superscript:
        s.position = switchValue(token) ? VerticalPosition::Superscript : VerticalPosition::Baseline;
        break;
    case Action::Subscript:
        s.position = switchValue(token) ? VerticalPosition::Subscript : VerticalPosition::Baseline;
        break;
    case Action::NoSuperSub:
        s.position = VerticalPosition::Baseline;
        break;
    case Action::Unicode: {
        if (!token.hasParameter)
            break;
        // Written as a signed 16-bit number, so characters above U+7FFF appear negative; some writers use the
        // unsigned value instead. Anything outside both readings is no character.
        const std::int32_t value = token.parameter;
        const bool valid = value >= -0x8000 && value <= 0xFFFF;
        if (!s.hidden)
            appendUnit(valid ? static_cast<char16_t>(value < 0 ? value + 0x10000 : value) : kReplacement);
        m_unicodeSkipLeft = s.unicodeSkip;
        break;
    }
    case Action::ParagraphDefault:
        s.resetParagraph();
        break;
    case Action::ParagraphEnd:
        endParagraph();
        break;
    case Action::Character:
        if (!s.hidden)
            appendUnit(entry.character);
        break;
    case Action::AlignLeft:
        s.alignment = Alignment::Left;
        break;
    case Action::AlignCentre:
        s.alignment = Alignment::Centre;
        break;
    case Action::AlignRight:
        s.alignment = Alignment::Right;
        break;
    case Action::AlignJustify:
        s.alignment = Alignment::Justify;
        break;
    case Action::LeftIndent:
        s.leftIndent = clampParameter(token, 0, kMaxIndentTwips, 0);
        break;
    case Action::RightIndent:
        s.rightIndent = clampParameter(token, 0, kMaxIndentTwips, 0);
        break;
    case Action::FirstLineIndent:
        s.firstLineIndent = clampParameter(token, -kMaxIndentTwips, kMaxIndentTwips, 0);
        break;
    case Action::SpaceBefore:
        s.spaceBefore = clampParameter(token, 0, kMaxSpacingTwips, 0);
        break;
    case Action::SpaceAfter:
        s.spaceAfter = clampParameter(token, 0, kMaxSpacingTwips, 0);
        break;
    case Action::LineSpace:
        s.lineSpace = clampParameter(token, -kMaxSpacingTwips, kMaxSpacingTwips, 0);
        break;
    case Action::LineMultiple:
        s.lineMultiple = switchValue(token);
        break;
    case Action::TabPosition:
        if (token.hasParameter && s.tabCount < kMaxTabStops)
            s.tabs[s.tabCount++] = TabStop{std::clamp<int>(token.parameter, 0, kMaxTabPosition), s.nextTabKind};
        s.nextTabKind = TabKind::Left;
        break;
    case Action::TabBar:
        s.nextTabKind = TabKind::Left;
        break;
    case Action::TabKindCentre:
        s.nextTabKind = TabKind::Centre;
        break;
    case Action::TabKindRight:
        s.nextTabKind = TabKind::Right;
        break;
    case Action::TabKindDecimal:
        s.nextTabKind = TabKind::Decimal;
        break;
    default:
        break;
    }
    formatChanged();
}

void Parser::controlSymbol(char symbol) {
    GroupState& s = state();
    if (symbol == '*') {
        // "{\*\name ...}": a destination the reader may ignore when it does not know it, and this one ignores all.
        s.destination = Destination::Skip;
        return;
    }
    if (s.destination == Destination::FontTable) {
        if (symbol == '\\' || symbol == '{' || symbol == '}')
            fontTableText(static_cast<char16_t>(symbol));
        return;
    }
    if (s.destination != Destination::Body || s.hidden)
        return;
    switch (symbol) {
    case '\\':
    case '{':
    case '}':
        appendUnit(static_cast<char16_t>(symbol));
        break;
    case '~':
        appendUnit(u'\u00A0');
        break;
    case '_':
        appendUnit(u'\u2011');
        break;
    case '-':
        appendUnit(u'\u00AD');
        break;
    case '\n':
        endParagraph();
        break;
    default:
        break;
    }
}

void Parser::textBytes(std::string_view bytes) {
    const GroupState& s = state();
    switch (s.destination) {
    case Destination::Body:
        if (s.hidden)
            return;
        for (const char c : bytes)
            byte(static_cast<std::uint8_t>(c));
        return;
    case Destination::FontTable:
        for (const char c : bytes)
            fontTableText(cp1252ToUnicode(static_cast<std::uint8_t>(c)));
        return;
    case Destination::ColourTable:
        colourTableText(bytes);
        return;
    case Destination::Skip:
        return;
    }
}

void Parser::byte(std::uint8_t value) {
    const GroupState& s = state();
    if (s.destination == Destination::FontTable) {
        fontTableText(cp1252ToUnicode(value));
        return;
    }
    if (s.destination != Destination::Body || s.hidden)
        return;
    const FontInfo* font = currentFont();
    appendUnit(font != nullptr && font->charset == kSymbolCharset ? symbolToUnicode(value) : cp1252ToUnicode(value));
}

void Parser::fontTableWord(const Token& token, const WordEntry& entry) {
    if (entry.action == Action::Font && token.hasParameter) {
        commitFont();
        m_fontEntry = token.parameter;
        m_fontName.clear();
        m_fontCharset = 0;
    } else if (entry.action == Action::FontCharset) {
        m_fontCharset = token.hasParameter ? token.parameter : 0;
    }
}

void Parser::fontTableText(char16_t unit) {
    if (unit == u';') {
        commitFont();
        return;
    }
    if (m_fontName.size() < kMaxFontNameLength && isPassable(unit) && unit != kTab && unit != kLineBreak &&
        !isSurrogate(unit))
        m_fontName.push_back(unit);
}

void Parser::commitFont() {
    const auto first = m_fontName.find_first_not_of(u' ');
    if (m_fontEntry >= 0 && first != std::u16string::npos) {
        const auto last = m_fontName.find_last_not_of(u' ');
        if (m_fonts.size() < kMaxTableEntries || m_fonts.count(m_fontEntry) != 0) {
            FontInfo& info = m_fonts[m_fontEntry];
            info.family.clear();
            for (std::size_t i = first; i <= last; ++i)
                appendUtf8(info.family, static_cast<std::uint32_t>(m_fontName[i]));
            info.charset = m_fontCharset;
        }
    }
    m_fontName.clear();
    formatChanged();
}

void Parser::colourTableText(std::string_view bytes) {
    for (const char c : bytes) {
        if (c != ';')
            continue;
        // An entry without components is the automatic colour (usually the first one, so that \cf0 means "auto").
        if (m_colours.size() < kMaxTableEntries)
            m_colours.push_back(m_colourEntrySet ? std::optional<Colour>(m_colourEntry) : std::nullopt);
        m_colourEntry = Colour{};
        m_colourEntrySet = false;
    }
    formatChanged();
}

void Parser::appendUnit(char16_t unit) {
    if (m_pendingHigh != 0) {
        if (unit >= 0xDC00 && unit <= 0xDFFF) {
            appendPassable(m_pendingHigh);
            appendPassable(unit);
            m_pendingHigh = 0;
            return;
        }
        flushSurrogate();
    }
    if (unit >= 0xD800 && unit <= 0xDBFF) {
        m_pendingHigh = unit;
        return;
    }
    if (isSurrogate(unit)) {
        appendPassable(kReplacement);
        return;
    }
    if (isPassable(unit))
        appendPassable(unit);
}

void Parser::flushSurrogate() {
    if (m_pendingHigh != 0) {
        m_pendingHigh = 0;
        appendPassable(kReplacement);
    }
}

void Parser::appendPassable(char16_t unit) {
    if (m_doc.truncated)
        return;
    Paragraph& paragraph = m_doc.paragraphs.back();
    if (!m_runOpen) {
        const std::size_t format = currentFormatIndex();
        if (paragraph.runs.empty() || paragraph.runs.back().format != format) {
            if (m_runCount >= kMaxRuns) {
                m_doc.truncated = true;
                return;
            }
            ++m_runCount;
            paragraph.runs.push_back(Run{{}, format});
        }
        m_runOpen = true;
    }
    paragraph.runs.back().text.push_back(unit);
}

void Parser::endParagraph() {
    flushSurrogate();
    if (m_doc.paragraphs.size() >= kMaxParagraphs) {
        m_doc.truncated = true;
        return;
    }
    finishParagraph(m_doc.paragraphs.back());
    m_doc.paragraphs.emplace_back();
    m_runOpen = false;
}

void Parser::finishParagraph(Paragraph& paragraph) {
    flushSurrogate();
    paragraph.format = resolveParagraphFormat();
    paragraph.markFormat = currentFormatIndex();
}

std::size_t Parser::currentFormatIndex() {
    return internFormat(resolveCharFormat());
}

std::size_t Parser::internFormat(const CharFormat& format) {
    const auto [it, inserted] = m_formatIndex.try_emplace(format, m_doc.formats.size());
    if (inserted)
        m_doc.formats.push_back(format);
    return it->second;
}

const FontInfo* Parser::currentFont() const {
    const int number = m_stack.back().font >= 0 ? m_stack.back().font : m_defaultFont;
    const auto it = m_fonts.find(number);
    return it == m_fonts.end() ? nullptr : &it->second;
}

CharFormat Parser::resolveCharFormat() const {
    const GroupState& s = m_stack.back();
    CharFormat format;
    format.bold = s.bold;
    format.italic = s.italic;
    format.underline = s.underline;
    format.strike = s.strike;
    format.halfPoints = s.halfPoints;
    format.position = s.position;
    // A symbol font's characters have been turned into Unicode already; the font itself may not even exist here.
    if (const FontInfo* font = currentFont(); font != nullptr && font->charset != kSymbolCharset)
        format.fontFamily = font->family;
    const auto colour = [this](int index) -> std::optional<Colour> {
        if (index <= 0 || static_cast<std::size_t>(index) >= m_colours.size())
            return std::nullopt;
        return m_colours[static_cast<std::size_t>(index)];
    };
    format.foreground = colour(s.foreground);
    format.background = colour(s.background);
    return format;
}

ParagraphFormat Parser::resolveParagraphFormat() const {
    const GroupState& s = m_stack.back();
    ParagraphFormat format;
    format.alignment = s.alignment;
    format.leftIndent = s.leftIndent;
    format.rightIndent = s.rightIndent;
    // The first line never starts left of the page's margin.
    format.firstLineIndent = std::max(s.firstLineIndent, -s.leftIndent);
    format.spaceBefore = s.spaceBefore;
    format.spaceAfter = s.spaceAfter;
    if (s.lineSpace == 0) {
        format.lineSpacing = LineSpacing::Single;
    } else if (s.lineMultiple) {
        // 240ths of a line; anything from a quarter line to five lines.
        format.lineSpacing = LineSpacing::Multiple;
        format.lineSpacingValue = std::clamp(s.lineSpace < 0 ? -s.lineSpace : s.lineSpace, 60, 1200);
    } else {
        format.lineSpacing = s.lineSpace > 0 ? LineSpacing::AtLeast : LineSpacing::Exactly;
        format.lineSpacingValue = s.lineSpace < 0 ? -s.lineSpace : s.lineSpace;
    }
    format.tabStops.assign(s.tabs.begin(), s.tabs.begin() + s.tabCount);
    return format;
}

bool startsLikeRtf(std::string_view input) {
    std::size_t pos = 0;
    if (input.substr(0, 3) == "\xEF\xBB\xBF")
        pos = 3;
    while (pos < input.size() && (input[pos] == ' ' || input[pos] == '\t' || input[pos] == '\r' || input[pos] == '\n'))
        ++pos;
    return input.substr(pos, 5) == "{\\rtf";
}

} // namespace

char16_t cp1252ToUnicode(std::uint8_t byte) {
    static constexpr std::array<char16_t, 32> kHigh{
        u'\u20AC',    kReplacement, u'\u201A', u'\u0192', u'\u201E', u'\u2026',    u'\u2020', u'\u2021',
        u'\u02C6',    u'\u2030',    u'\u0160', u'\u2039', u'\u0152', kReplacement, u'\u017D', kReplacement,
        kReplacement, u'\u2018',    u'\u2019', u'\u201C', u'\u201D', u'\u2022',    u'\u2013', u'\u2014',
        u'\u02DC',    u'\u2122',    u'\u0161', u'\u203A', u'\u0153', kReplacement, u'\u017E', u'\u0178'};
    if (byte >= 0x80 && byte <= 0x9F)
        return kHigh[byte - 0x80];
    return static_cast<char16_t>(byte);
}

ParseResult parseRtf(std::string_view input) {
    ParseResult result;
    if (input.size() > kMaxInputBytes) {
        result.status = ParseStatus::TooLarge;
        return result;
    }
    if (!startsLikeRtf(input)) {
        result.status = ParseStatus::NotRtf;
        return result;
    }
    result.status = ParseStatus::Ok;
    result.document = Parser(input).run();
    return result;
}

std::u16string plainText(const Document& document) {
    std::u16string text;
    for (std::size_t i = 0; i < document.paragraphs.size(); ++i) {
        if (i > 0)
            text.push_back(u'\n');
        for (const Run& run : document.paragraphs[i].runs)
            text += run.text;
    }
    return text;
}

} // namespace rtf
