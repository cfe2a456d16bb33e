#include "core/UiText.h"

#include <gtest/gtest.h>
#include <map>

namespace {

// A small French dictionary: what is not in it stays English, as with a translation that lacks a phrase.
std::string french(const std::string& context, const std::string& source) {
    static const std::map<std::string, std::string> kWords{
        {"T|Goal %1 (%2-%3)", "But %1 (%2-%3)"},
        {"T|%1 penalty %2", "Pénalité %2 de %1"},
        {"T|%1 set to %2", "%1 réglée à %2"},
        {"T|%2 before %1", "%2 avant %1"},
    };
    const auto found = kWords.find(context + "|" + source);
    return found == kWords.end() ? source : found->second;
}

struct RenderRow {
    const char* name;
    UiText text;
    const char* english;
    const char* translated;
};

class RenderText : public testing::TestWithParam<RenderRow> {};

TEST_P(RenderText, FillsTheArgumentsOnceEachTranslatedFirst) {
    EXPECT_EQ(renderText(GetParam().text), GetParam().english);
    EXPECT_EQ(renderText(GetParam().text, french), GetParam().translated);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RenderText,
    testing::Values(
        RenderRow{"Arguments", uiText("T", "Goal %1 (%2-%3)", {plainText("Bears"), plainText("1"), plainText("0")}),
                  "Goal Bears (1-0)", "But Bears (1-0)"},
        RenderRow{"Nested",
                  uiText("T", "%1 set to %2",
                         {uiText("T", "%1 penalty %2", {plainText("Bears"), plainText("2")}), plainText("2:00")}),
                  "Bears penalty 2 set to 2:00", "Pénalité 2 de Bears réglée à 2:00"},
        RenderRow{"TranslationReordersArguments", uiText("T", "%2 before %1", {plainText("a"), plainText("b")}),
                  "b before a", "b avant a"},
        // A name holding %1 or %2 is never filled in again.
        RenderRow{"PercentInAName", uiText("T", "Goal %1 (%2-%3)", {plainText("%2%3"), plainText("1"), plainText("0")}),
                  "Goal %2%3 (1-0)", "But %2%3 (1-0)"},
        RenderRow{"PlainIsNeverTranslated", plainText("Goal %1 (%2-%3)"), "Goal %1 (%2-%3)", "Goal %1 (%2-%3)"},
        RenderRow{"MissingArgumentStays", uiText("T", "Clock set to %1 %2", {plainText("2:00")}),
                  "Clock set to 2:00 %2", "Clock set to 2:00 %2"},
        RenderRow{"PercentAtTheEnd", uiText("T", "100%", {}), "100%", "100%"},
        RenderRow{"Joined",
                  joinedText({plainText("a"), uiText("T", "%1 penalty %2", {plainText("B"), plainText("1")})}, " | "),
                  "a | B penalty 1", "a | Pénalité 1 de B"},
        RenderRow{"JoinedEmpty", joinedText({}, ", "), "", ""}),
    [](const testing::TestParamInfo<RenderRow>& info) { return std::string(info.param.name); });

TEST(JoinedText, MoreThanNinePartsKeepTheirOrder) {
    std::vector<UiText> parts;
    std::string expected;
    for (int i = 0; i < 23; ++i) {
        parts.push_back(plainText(std::to_string(i)));
        expected += (i > 0 ? "," : "") + std::to_string(i);
    }
    EXPECT_EQ(renderText(joinedText(parts, ",")), expected);
}

} // namespace
