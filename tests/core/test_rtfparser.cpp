#include "core/help/RtfParser.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using rtf::Alignment;
using rtf::CharFormat;
using rtf::Colour;
using rtf::LineSpacing;
using rtf::ParagraphFormat;
using rtf::ParseStatus;
using rtf::TabKind;
using rtf::TabStop;
using rtf::VerticalPosition;

std::string utf8(const std::u16string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size())
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

rtf::Document parsed(const std::string& input) {
    rtf::ParseResult result = rtf::parseRtf(input);
    EXPECT_EQ(result.status, ParseStatus::Ok) << input;
    return std::move(result.document);
}

std::string textOf(const std::string& input) {
    return utf8(rtf::plainText(parsed(input)));
}

// The format of the run that contains needle (UTF-8); fails the test when no run does.
CharFormat formatOf(const rtf::Document& document, const std::string& needle) {
    for (const rtf::Paragraph& paragraph : document.paragraphs)
        for (const rtf::Run& run : paragraph.runs)
            if (utf8(run.text).find(needle) != std::string::npos)
                return document.format(run);
    ADD_FAILURE() << "no run contains " << needle;
    return {};
}

const char* const kTables = "{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\froman Times New Roman;}"
                            "{\\f2\\fnil\\fcharset2 Symbol;}}"
                            "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}";

std::string withTables(const std::string& body) {
    return std::string("{\\rtf1\\ansi\\deff0") + kTables + body + "}";
}

// ---------------------------------------------------------------------------------------------------------------

struct TextCase {
    const char* name;
    std::string input;
    std::string expected; // paragraphs joined by "\n"
};

class RtfTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(RtfTextTest, ShowsTheTextAWordProcessorWould) {
    EXPECT_EQ(textOf(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RtfTextTest,
    ::testing::Values(
        TextCase{"OneParagraph", "{\\rtf1 Hello}", "Hello"},
        TextCase{"TwoParagraphs", "{\\rtf1 One\\par Two}", "One\nTwo"},
        TextCase{"FinalParagraphMarkEndsTheText", "{\\rtf1 One\\par }", "One"},
        TextCase{"EmptyLinesStay", "{\\rtf1 One\\par\\par Two\\par}", "One\n\nTwo"},
        TextCase{"BackslashAtLineEndIsAParagraph", "{\\rtf1 One\\\r\nTwo}", "One\nTwo"},
        TextCase{"LineEndsInTheFileMeanNothing", "{\\rtf1 One\r\nTwo}", "OneTwo"},
        TextCase{"LineBreak", "{\\rtf1 a\\line b}", "a\u2028b"}, TextCase{"Tab", "{\\rtf1 a\\tab b}", "a\tb"},
        TextCase{"TabCharacterInText", "{\\rtf1 a\tb}", "a\tb"},
        TextCase{"EscapedBracesAndBackslash", "{\\rtf1 \\{x\\}\\\\}", "{x}\\"},
        TextCase{"Codepage1252Escapes", "{\\rtf1\\ansi\\ansicpg1252 caf\\'e9 \\'80 \\'93q\\'94}", "café € “q”"},
        TextCase{"UndefinedCodepageByte", "{\\rtf1 a\\'81b}", "a\uFFFDb"},
        TextCase{"RawHighBytesAreCodepage1252", "{\\rtf1 \xe9\x96}", "é–"},
        TextCase{"UnicodeSkipsOneFallbackByDefault", "{\\rtf1 \\u8364?x}", "€x"},
        TextCase{"UnicodeFallbackAsHexByte", "{\\rtf1 \\u8364\\'80x}", "€x"},
        TextCase{"NoFallbackWithUc0", "{\\rtf1\\uc0 \\u8364 x}", "€x"},
        TextCase{"Uc2SkipsTwoBytes", "{\\rtf1\\uc2 \\u8364 abc}", "€c"},
        TextCase{"Uc2SkipsTwoHexBytes", "{\\rtf1\\uc2 \\u8364\\'80\\'80z}", "€z"},
        TextCase{"UcBelongsToItsGroup", "{\\rtf1{\\uc2 \\u8364 abc}\\u8364 abc}", "€c€bc"},
        TextCase{"FallbackEndsAtAGroup", "{\\rtf1\\uc3 \\u8364{ab}c}", "€abc"},
        TextCase{"AControlWordCountsAsOneFallback", "{\\rtf1 \\u8364\\par x}", "€x"},
        TextCase{"NegativeUnicode", "{\\rtf1 \\u-3913 ?}", "\uF0B7"},
        TextCase{"SurrogatePair", "{\\rtf1 \\u-10179?\\u-8704?}", "\U0001F600"},
        TextCase{"LoneHighSurrogate", "{\\rtf1 \\u55357?x}", "\uFFFDx"},
        TextCase{"LoneLowSurrogate", "{\\rtf1 \\u56832?x}", "\uFFFDx"},
        TextCase{"HighSurrogateBeforeParagraphEnd", "{\\rtf1 a\\u55357?\\par b}", "a\uFFFD\nb"},
        TextCase{"UnicodeOutOfRange", "{\\rtf1 \\u70000?x\\u-40000?y}", "\uFFFDx\uFFFDy"},
        TextCase{"ControlAndReservedCharactersDropped",
                 "{\\rtf1\\uc0 a\\u1 b\\u13 c\\u8233 d\\u65532 e\\u64976 f\\u133 g\\'07h}", "abcdefgh"},
        TextCase{"NamedCharacters",
                 "{\\rtf1 \\emdash\\endash\\lquote\\rquote\\ldblquote\\rdblquote\\bullet\\~\\_\\-\\enspace\\emspace}",
                 "—–‘’“”•\u00A0\u2011\u00AD\u2002\u2003"},
        TextCase{"UnknownDestinationSkipped", "{\\rtf1 a{\\*\\unknown {nested} hidden}b}", "ab"},
        TextCase{"PictureSkipped", "{\\rtf1 a{\\pict\\wmetafile8 0123abcd}b}", "ab"},
        TextCase{"ObjectSkipped", "{\\rtf1 a{\\object{\\*\\objdata 01}{\\result r}}b}", "ab"},
        TextCase{"InfoAndStyleSheetSkipped", "{\\rtf1{\\info{\\title T}{\\author A}}{\\stylesheet{\\s0 Normal;}}x}",
                 "x"},
        TextCase{"HeadersFootersFootnotesSkipped", "{\\rtf1{\\header h}{\\footer f}a{\\footnote n}}", "a"},
        TextCase{"FieldShowsItsResultOnly", "{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"file:///x\"}{\\fldrslt link}}}",
                 "link"},
        TextCase{"FontAndColourTablesAreNotText", withTables("x"), "x"},
        TextCase{"BulletFromPntext",
                 withTables("{\\pntext\\f2\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf2{\\pntxtb\\'b7}}\\fi-360\\li720 Item"),
                 "•\tItem"},
        TextCase{"BulletFromListtext", withTables("{\\listtext\\f2\\'b7\\tab}Item"), "•\tItem"},
        TextCase{"WingdingsSquareBullet", "{\\rtf1{\\fonttbl{\\f3\\fcharset2 Wingdings;}}\\f3\\'a7}", "▪"},
        TextCase{"SymbolFontOtherBytes", withTables("\\f2 A\\'41"), "AA"},
        TextCase{"HiddenTextNotShown", "{\\rtf1 a{\\v hidden\\u8364?}b\\v c\\v0 d}", "abd"},
        TextCase{"BinaryDataNotShown", "{\\rtf1 a\\bin3 x}yb}", "ab"},
        TextCase{"TextAfterTheDocumentIgnored", "{\\rtf1 a}b{c}", "a"},
        TextCase{"UnterminatedGroups", "{\\rtf1 a{\\b b{\\i c", "abc"},
        TextCase{"DeepNestingBeyondTheCapIgnored",
                 "{\\rtf1 a" + std::string(300, '{') + "x" + std::string(300, '}') + "b}", "ab"},
        TextCase{"DeepNestingWithinTheCapShown",
                 "{\\rtf1 a" + std::string(200, '{') + "x" + std::string(200, '}') + "b}", "axb"},
        TextCase{"TableCellsAndRows", "{\\rtf1\\trowd a\\cell b\\cell\\row c}", "a\tb\t\nc"},
        TextCase{"PageAndSectionBreaks", "{\\rtf1 a\\page b\\sect c}", "a\nb\nc"},
        TextCase{"ByteOrderMarkAndBlanksBeforeTheHeader", "\xEF\xBB\xBF \r\n{\\rtf1 ok}", "ok"},
        TextCase{"StarOutsideAGroupHidesTheRest", "{\\rtf1 a{b\\*c}d}", "abd"},
        TextCase{"FontNamesNeverLeak", "{\\rtf1{\\fonttbl\\f0 Arial;\\f1 Times;}x}", "x"}),
    [](const ::testing::TestParamInfo<TextCase>& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------------------------------

struct StatusCase {
    const char* name;
    std::string input;
    ParseStatus expected;
};

class RtfStatusTest : public ::testing::TestWithParam<StatusCase> {};

TEST_P(RtfStatusTest, AcceptsOnlyRichTextWithinTheSizeCap) {
    const rtf::ParseResult result = rtf::parseRtf(GetParam().input);
    EXPECT_EQ(result.status, GetParam().expected);
    if (result.status != ParseStatus::Ok)
        EXPECT_TRUE(result.document.paragraphs.empty());
    else
        EXPECT_FALSE(result.document.paragraphs.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RtfStatusTest,
    ::testing::Values(StatusCase{"Empty", "", ParseStatus::NotRtf},
                      StatusCase{"PlainText", "Hello, world", ParseStatus::NotRtf},
                      StatusCase{"OnlyABrace", "{", ParseStatus::NotRtf},
                      StatusCase{"OtherControlWord", "{\\rtx1 a}", ParseStatus::NotRtf},
                      StatusCase{"TextBeforeTheHeader", "x{\\rtf1 a}", ParseStatus::NotRtf},
                      StatusCase{"BareHeader", "{\\rtf", ParseStatus::Ok},
                      StatusCase{"AtTheCap", "{\\rtf1 " + std::string(rtf::kMaxInputBytes - 7, 'a'), ParseStatus::Ok},
                      StatusCase{"OverTheCap", "{\\rtf1 " + std::string(rtf::kMaxInputBytes - 6, 'a'),
                                 ParseStatus::TooLarge}),
    [](const ::testing::TestParamInfo<StatusCase>& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------------------------------

CharFormat plain() {
    return CharFormat{};
}
CharFormat arial() {
    CharFormat f;
    f.fontFamily = "Arial";
    return f;
}
template <typename Change> CharFormat arialWith(Change change) {
    CharFormat f = arial();
    change(f);
    return f;
}

struct CharCase {
    const char* name;
    std::string input;
    std::string needle;
    CharFormat expected;
};

class RtfCharFormatTest : public ::testing::TestWithParam<CharCase> {};

TEST_P(RtfCharFormatTest, GivesEachRunItsFormat) {
    EXPECT_EQ(formatOf(parsed(GetParam().input), GetParam().needle), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RtfCharFormatTest,
    ::testing::Values(
        CharCase{"DefaultFontFromDeff", withTables("x"), "x", arial()},
        CharCase{"NoFontTableNoFamily", "{\\rtf1 x}", "x", plain()},
        CharCase{"Bold", withTables("a\\b x\\b0 c"), "x", arialWith([](CharFormat& f) { f.bold = true; })},
        CharCase{"BoldOffAgain", withTables("a\\b b\\b0 x"), "x", arial()},
        CharCase{"Italic", withTables("\\i x"), "x", arialWith([](CharFormat& f) { f.italic = true; })},
        CharCase{"Underline", withTables("\\ul x"), "x", arialWith([](CharFormat& f) { f.underline = true; })},
        CharCase{"DottedUnderline", withTables("\\uld x"), "x", arialWith([](CharFormat& f) { f.underline = true; })},
        CharCase{"UnderlineNone", withTables("\\ul a\\ulnone x"), "x", arial()},
        CharCase{"UnderlineZero", withTables("\\ul a\\ul0 x"), "x", arial()},
        CharCase{"Strike", withTables("\\strike x"), "x", arialWith([](CharFormat& f) { f.strike = true; })},
        CharCase{"FontSize", withTables("\\fs36 x"), "x", arialWith([](CharFormat& f) { f.halfPoints = 36; })},
        CharCase{"HugeFontSize", withTables("\\fs99999999 x"), "x", arialWith([](CharFormat& f) { f.halfPoints = 400; })},
        CharCase{"TinyFontSize", withTables("\\fs-5 x"), "x", arialWith([](CharFormat& f) { f.halfPoints = 4; })},
        CharCase{"FontSizeWithoutValue", withTables("\\fs40 a\\fs x"), "x", arial()},
        CharCase{"FontChosen", withTables("\\f1 x"), "x",
                 [] {
                     CharFormat f;
                     f.fontFamily = "Times New Roman";
                     return f;
                 }()},
        CharCase{"UnknownFontNumber", withTables("\\f9 x"), "x", plain()},
        CharCase{"SymbolFontHasNoFamily", withTables("\\f2\\'b7"), "•", plain()},
        CharCase{"ForegroundColour", withTables("\\cf2 x"), "x",
                 arialWith([](CharFormat& f) { f.foreground = Colour{0, 0, 255}; })},
        CharCase{"AutomaticColour", withTables("\\cf1 a\\cf0 x"), "x", arial()},
        CharCase{"ColourOutsideTheTable", withTables("\\cf7 x"), "x", arial()},
        CharCase{"Highlight", withTables("\\highlight1 x"), "x",
                 arialWith([](CharFormat& f) { f.background = Colour{255, 0, 0}; })},
        CharCase{"BackgroundColour", withTables("\\cb2 x"), "x",
                 arialWith([](CharFormat& f) { f.background = Colour{0, 0, 255}; })},
        CharCase{"Superscript", withTables("\\super x"), "x",
                 arialWith([](CharFormat& f) { f.position = VerticalPosition::Superscript; })},
        CharCase{"Subscript", withTables("\\sub x"), "x",
                 arialWith([](CharFormat& f) { f.position = VerticalPosition::Subscript; })},
        CharCase{"NoSuperSub", withTables("\\super a\\nosupersub x"), "x", arial()},
        CharCase{"GroupRestoresFormat", withTables("{\\b\\i\\fs40\\cf1 a}x"), "x", arial()},
        CharCase{"PlainResets", withTables("\\f1\\b\\i\\ul\\fs40\\cf1\\highlight2\\super a\\plain x"), "x", arial()},
        CharCase{"ColourComponentsClamped",
                 "{\\rtf1{\\colortbl;\\red999\\green-5\\blue128;}\\cf1 x}", "x",
                 [] {
                     CharFormat f;
                     f.foreground = Colour{255, 0, 128};
                     return f;
                 }()},
        CharCase{"EmptyColourEntryIsAutomatic", "{\\rtf1{\\colortbl;;\\red9;}\\cf1 x}", "x", plain()},
        CharCase{"FontNameFromHexEscapes", "{\\rtf1{\\fonttbl{\\f0 \\'c9l\\'e8ve;}}\\f0 x}", "x",
                 [] {
                     CharFormat f;
                     f.fontFamily = "Élève";
                     return f;
                 }()},
        CharCase{"FontEntryWithoutGroups", "{\\rtf1{\\fonttbl\\f0\\fswiss Arial;\\f1 Courier New;}\\f1 x}", "x",
                 [] {
                     CharFormat f;
                     f.fontFamily = "Courier New";
                     return f;
                 }()},
        CharCase{"FontEntrySkipsItsPanose", "{\\rtf1{\\fonttbl{\\f0{\\*\\panose 020b0604}Arial;}}\\f0 x}", "x",
                 arial()}),
    [](const ::testing::TestParamInfo<CharCase>& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------------------------------

template <typename Change> ParagraphFormat paragraphWith(Change change) {
    ParagraphFormat f;
    change(f);
    return f;
}

struct ParagraphCase {
    const char* name;
    std::string input;
    std::size_t paragraph;
    ParagraphFormat expected;
};

class RtfParagraphFormatTest : public ::testing::TestWithParam<ParagraphCase> {};

TEST_P(RtfParagraphFormatTest, GivesEachParagraphItsFormat) {
    const rtf::Document document = parsed(GetParam().input);
    ASSERT_LT(GetParam().paragraph, document.paragraphs.size());
    EXPECT_EQ(document.paragraphs[GetParam().paragraph].format, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RtfParagraphFormatTest,
    ::testing::Values(
        ParagraphCase{"Default", "{\\rtf1 a}", 0, ParagraphFormat{}},
        ParagraphCase{"Centred", "{\\rtf1\\qc a}", 0, paragraphWith([](auto& f) { f.alignment = Alignment::Centre; })},
        ParagraphCase{"Right", "{\\rtf1\\qr a}", 0, paragraphWith([](auto& f) { f.alignment = Alignment::Right; })},
        ParagraphCase{"Justified", "{\\rtf1\\qj a}", 0,
                      paragraphWith([](auto& f) { f.alignment = Alignment::Justify; })},
        ParagraphCase{"LeftAgain", "{\\rtf1\\qc\\ql a}", 0, ParagraphFormat{}},
        ParagraphCase{"FormatAtTheMarkBelongsToTheParagraph", "{\\rtf1\\qc a\\par\\pard b}", 0,
                      paragraphWith([](auto& f) { f.alignment = Alignment::Centre; })},
        ParagraphCase{"PardResets", "{\\rtf1\\qc\\li720\\tx100 a\\par\\pard b}", 1, ParagraphFormat{}},
        ParagraphCase{"FormatCarriesOnWithoutPard", "{\\rtf1\\qr a\\par b}", 1,
                      paragraphWith([](auto& f) { f.alignment = Alignment::Right; })},
        ParagraphCase{"GroupAroundTheParagraph", "{\\rtf1{\\qc a\\par}b}", 0,
                      paragraphWith([](auto& f) { f.alignment = Alignment::Centre; })},
        ParagraphCase{"IndentsAndSpacing", "{\\rtf1\\li720\\ri360\\fi-360\\sb120\\sa240 a}", 0,
                      paragraphWith([](auto& f) {
                          f.leftIndent = 720;
                          f.rightIndent = 360;
                          f.firstLineIndent = -360;
                          f.spaceBefore = 120;
                          f.spaceAfter = 240;
                      })},
        ParagraphCase{"IndentsClamped", "{\\rtf1\\li-50\\ri99999\\sb-4\\sa99999 a}", 0, paragraphWith([](auto& f) {
                          f.rightIndent = rtf::kMaxIndentTwips;
                          f.spaceAfter = rtf::kMaxSpacingTwips;
                      })},
        ParagraphCase{"FirstLineNeverLeftOfTheMargin", "{\\rtf1\\fi-720\\li360 a}", 0, paragraphWith([](auto& f) {
                          f.leftIndent = 360;
                          f.firstLineIndent = -360;
                      })},
        ParagraphCase{"TabStops", "{\\rtf1\\tx720\\tqr\\tx5000\\tqc\\tx6000\\tqdec\\tx7000 a}", 0,
                      paragraphWith([](auto& f) {
                          f.tabStops = {TabStop{720, TabKind::Left}, TabStop{5000, TabKind::Right},
                                        TabStop{6000, TabKind::Centre}, TabStop{7000, TabKind::Decimal}};
                      })},
        ParagraphCase{"BarTabIgnored", "{\\rtf1\\tqr\\tb300\\tx900 a}", 0, paragraphWith([](auto& f) {
                          f.tabStops = {TabStop{900, TabKind::Left}};
                      })},
        ParagraphCase{"TabStopsCapped",
                      "{\\rtf1" +
                          [] {
                              std::string s;
                              for (int i = 0; i < 40; ++i)
                                  s += "\\tx" + std::to_string(100 * (i + 1));
                              return s;
                          }() +
                          " a}",
                      0, paragraphWith([](auto& f) {
                          for (int i = 0; i < static_cast<int>(rtf::kMaxTabStops); ++i)
                              f.tabStops.push_back(TabStop{100 * (i + 1), TabKind::Left});
                      })},
        ParagraphCase{"MultipleLineSpacing", "{\\rtf1\\sl276\\slmult1 a}", 0, paragraphWith([](auto& f) {
                          f.lineSpacing = LineSpacing::Multiple;
                          f.lineSpacingValue = 276;
                      })},
        ParagraphCase{"ExactLineSpacing", "{\\rtf1\\sl-300\\slmult0 a}", 0, paragraphWith([](auto& f) {
                          f.lineSpacing = LineSpacing::Exactly;
                          f.lineSpacingValue = 300;
                      })},
        ParagraphCase{"AtLeastLineSpacing", "{\\rtf1\\sl300 a}", 0, paragraphWith([](auto& f) {
                          f.lineSpacing = LineSpacing::AtLeast;
                          f.lineSpacingValue = 300;
                      })},
        ParagraphCase{"MultipleLineSpacingClamped", "{\\rtf1\\sl9999\\slmult1 a}", 0, paragraphWith([](auto& f) {
                          f.lineSpacing = LineSpacing::Multiple;
                          f.lineSpacingValue = 1200;
                      })},
        ParagraphCase{"LastParagraphWithoutMark", "{\\rtf1 a\\par\\qc b}", 1,
                      paragraphWith([](auto& f) { f.alignment = Alignment::Centre; })}),
    [](const ::testing::TestParamInfo<ParagraphCase>& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------------------------------

TEST(RtfParser, NeighbouringTextOfOneFormatIsOneRun) {
    const rtf::Document document = parsed("{\\rtf1 a{b}{\\b0 c}\\'64\\u101?}");
    ASSERT_EQ(document.paragraphs.size(), 1u);
    ASSERT_EQ(document.paragraphs[0].runs.size(), 1u);
    EXPECT_EQ(utf8(document.paragraphs[0].runs[0].text), "abcde");
}

TEST(RtfParser, EachDistinctFormatIsKeptOnce) {
    const rtf::Document document = parsed("{\\rtf1 a\\b b\\b0 c\\b d\\b0 e\\par f}");
    EXPECT_EQ(document.paragraphs[0].runs.size(), 5u);
    EXPECT_EQ(document.formats.size(), 2u);
}

TEST(RtfParser, EmptyLineTakesTheHeightOfItsMark) {
    const rtf::Document document = parsed("{\\rtf1\\fs20 a\\par\\fs48\\par\\fs20 b}");
    ASSERT_EQ(document.paragraphs.size(), 3u);
    EXPECT_TRUE(document.paragraphs[1].runs.empty());
    EXPECT_EQ(document.formats[document.paragraphs[1].markFormat].halfPoints, 48);
}

TEST(RtfParser, ParagraphsPastTheCapAreDropped) {
    std::string input = "{\\rtf1 ";
    for (std::size_t i = 0; i < rtf::kMaxParagraphs + 10; ++i)
        input += "x\\par ";
    input += "}";
    const rtf::Document document = parsed(input);
    EXPECT_TRUE(document.truncated);
    EXPECT_EQ(document.paragraphs.size(), rtf::kMaxParagraphs);
}

TEST(RtfParser, RunsPastTheCapAreDropped) {
    std::string input = "{\\rtf1 ";
    for (std::size_t i = 0; i < rtf::kMaxRuns / 2 + 10; ++i)
        input += "a\\b b\\b0 ";
    input += "}";
    const rtf::Document document = parsed(input);
    EXPECT_TRUE(document.truncated);
    std::size_t runs = 0;
    for (const rtf::Paragraph& paragraph : document.paragraphs)
        runs += paragraph.runs.size();
    EXPECT_EQ(runs, rtf::kMaxRuns);
}

TEST(RtfParser, AnOrdinaryFileIsNotTruncated) {
    EXPECT_FALSE(parsed(withTables("\\b Heading\\b0\\par Text\\par")).truncated);
}

TEST(RtfParser, VeryDeepNestingKeepsItsShallowText) {
    const std::string input = "{\\rtf1 a" + std::string(100000, '{') + "x" + std::string(100000, '}') + "b}";
    EXPECT_EQ(textOf(input), "ab");
}

TEST(RtfParser, ColourTableIsCapped) {
    std::string input = "{\\rtf1{\\colortbl";
    for (std::size_t i = 0; i < rtf::kMaxTableEntries + 100; ++i)
        input += "\\red1;";
    input += "}\\cf" + std::to_string(rtf::kMaxTableEntries - 1) + " a\\cf" +
             std::to_string(rtf::kMaxTableEntries + 50) + " b}";
    const rtf::Document document = parsed(input);
    EXPECT_EQ(formatOf(document, "a").foreground, (Colour{1, 0, 0}));
    EXPECT_FALSE(formatOf(document, "b").foreground.has_value());
}

TEST(RtfParser, LongFontNameIsCut) {
    const rtf::Document document = parsed("{\\rtf1{\\fonttbl{\\f0 " + std::string(1000, 'N') + ";}}\\f0 x}");
    EXPECT_EQ(formatOf(document, "x").fontFamily, std::string(rtf::kMaxFontNameLength, 'N'));
}

struct CodepageCase {
    std::uint8_t byte;
    char16_t expected;
};

class Cp1252Test : public ::testing::TestWithParam<CodepageCase> {};

TEST_P(Cp1252Test, MapsTheByte) {
    EXPECT_EQ(rtf::cp1252ToUnicode(GetParam().byte), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, Cp1252Test,
                         ::testing::Values(CodepageCase{0x41, u'A'}, CodepageCase{0x80, u'\u20AC'},
                                           CodepageCase{0x81, u'\uFFFD'}, CodepageCase{0x8A, u'\u0160'},
                                           CodepageCase{0x93, u'\u201C'}, CodepageCase{0x96, u'\u2013'},
                                           CodepageCase{0x9F, u'\u0178'}, CodepageCase{0xA0, u'\u00A0'},
                                           CodepageCase{0xE9, u'\u00E9'}, CodepageCase{0xFF, u'\u00FF'}));

} // namespace
