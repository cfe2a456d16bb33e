#include "core/help/RtfTokenizer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Renders the tokens of an input compactly: "{", "}", "\word", "\word-12", "\'hh", "S(c)", "T(text)", "BIN(data)".
std::string tokens(std::string_view input) {
    rtf::RtfTokenizer tokenizer(input);
    std::string out;
    for (int guard = 0; guard < 10000; ++guard) {
        const rtf::Token token = tokenizer.next();
        std::string item;
        switch (token.kind) {
        case rtf::TokenKind::End:
            return out;
        case rtf::TokenKind::GroupStart:
            item = "{";
            break;
        case rtf::TokenKind::GroupEnd:
            item = "}";
            break;
        case rtf::TokenKind::ControlWord:
            item = "\\" + std::string(token.text);
            if (token.hasParameter)
                item += std::to_string(token.parameter);
            break;
        case rtf::TokenKind::ControlSymbol:
            item = std::string("S(") + (token.symbol == '\n' ? std::string("LF") : std::string(1, token.symbol)) + ")";
            break;
        case rtf::TokenKind::HexByte: {
            static const char* digits = "0123456789abcdef";
            item = std::string("\\'") + digits[token.byte >> 4] + digits[token.byte & 15];
            break;
        }
        case rtf::TokenKind::Text:
            item = "T(" + std::string(token.text) + ")";
            break;
        case rtf::TokenKind::Binary:
            item = "BIN(" + std::string(token.text) + ")";
            break;
        }
        out += out.empty() ? item : " " + item;
    }
    return out + " ...never ends";
}

struct TokenCase {
    const char* name;
    std::string input;
    std::string expected;
};

class RtfTokenizerTest : public ::testing::TestWithParam<TokenCase> {};

TEST_P(RtfTokenizerTest, SplitsInputIntoTokens) {
    EXPECT_EQ(tokens(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RtfTokenizerTest,
    ::testing::Values(
        TokenCase{"Header", "{\\rtf1\\ansi a}", "{ \\rtf1 \\ansi T(a) }"},
        TokenCase{"OneSpaceEndsAWord", "\\b  bold", "\\b T( bold)"},
        TokenCase{"NegativeParameter", "\\fi-360x", "\\fi-360 T(x)"},
        TokenCase{"MinusWithoutDigitsIsText", "\\b-x", "\\b T(-x)"},
        TokenCase{"HundredDigitsStickAtTheLimit", "\\fs" + std::string(100, '9') + " x", "\\fs2147483647 T(x)"},
        TokenCase{"HundredNegativeDigits", "\\li-" + std::string(100, '9'), "\\li-2147483648"},
        TokenCase{"JustOverTheLimit", "\\u2147483648", "\\u2147483647"},
        TokenCase{"HexByte", "caf\\'e9!", "T(caf) \\'e9 T(!)"}, TokenCase{"HexByteUpperCase", "\\'B7", "\\'b7"},
        TokenCase{"HexByteCutShortByTheEnd", "a\\'4", "T(a) \\'04"},
        TokenCase{"HexByteCutShortByText", "\\'4g", "\\'04 T(g)"},
        TokenCase{"HexEscapeWithoutDigits", "\\'zz", "S(') T(zz)"},
        TokenCase{"ControlSymbols", "\\~\\{\\}\\\\\\*\\-\\_", "S(~) S({) S(}) S(\\) S(*) S(-) S(_)"},
        TokenCase{"BackslashBeforeLineEndIsAParagraph", "a\\\r\nb", "T(a) S(LF) T(b)"},
        TokenCase{"BackslashBeforeLineFeed", "a\\\nb", "T(a) S(LF) T(b)"},
        TokenCase{"LineEndsAreDropped", "a\r\nb\rc\nd", "T(a) T(b) T(c) T(d)"},
        TokenCase{"LineEndEndsAWord", "\\par\r\nx", "\\par T(x)"},
        TokenCase{"BinarySkipsBracesAndBackslashes", "\\bin4 {}\\\\x}", "BIN({}\\\\) T(x) }"},
        TokenCase{"BinaryLongerThanTheInput", "\\bin99999999999 ab", "BIN(ab)"},
        TokenCase{"BinaryNegativeLength", "\\bin-4 ab", "BIN() T(ab)"},
        TokenCase{"BinaryWithoutLength", "\\bin ab", "BIN() T(ab)"}, TokenCase{"LoneBackslashAtTheEnd", "a\\", "T(a)"},
        TokenCase{"UnicodeWithFallback", "\\u8364?x", "\\u8364 T(?x)"},
        TokenCase{"LongControlWord", "\\" + std::string(5000, 'a') + "1 x", "\\" + std::string(5000, 'a') + "1 T(x)"},
        TokenCase{"Empty", "", ""}, TokenCase{"NulBytesAreText", std::string("a\0b", 3), std::string("T(a\0b)", 6)}),
    [](const ::testing::TestParamInfo<TokenCase>& info) { return std::string(info.param.name); });

} // namespace
