#include "core/app/Language.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

struct TagCase {
    const char* tag;
    std::optional<std::string> expected;
};

class LanguageOfTag : public testing::TestWithParam<TagCase> {};

TEST_P(LanguageOfTag, TakesTheLanguagePart) {
    EXPECT_EQ(languageOfTag(GetParam().tag), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Tags, LanguageOfTag,
                         testing::Values(TagCase{"fr", "fr"}, TagCase{"FR", "fr"}, TagCase{"fr_CA.UTF-8", "fr"},
                                         TagCase{"de-AT", "de"}, TagCase{"de_CH@euro", "de"}, TagCase{"gsw", "gsw"},
                                         TagCase{"en-US", "en"}, TagCase{"C", std::nullopt},
                                         TagCase{"C.UTF-8", std::nullopt}, TagCase{"POSIX", std::nullopt},
                                         TagCase{"", std::nullopt}, TagCase{"*", std::nullopt},
                                         TagCase{"f1", std::nullopt}, TagCase{"fren", std::nullopt},
                                         TagCase{"../fr", std::nullopt}),
                         [](const testing::TestParamInfo<TagCase>& info) { return std::to_string(info.index); });

const std::vector<std::string> kShipped{"en", "fr", "de"};

struct ChoiceCase {
    const char* name;
    std::optional<std::string> requested;
    std::vector<std::string> system;
    std::string expected;
    bool problem;
};

class ChooseLanguage : public testing::TestWithParam<ChoiceCase> {};

TEST_P(ChooseLanguage, RequestThenSystemThenEnglish) {
    const ChoiceCase& c = GetParam();
    const LanguageChoice choice = chooseLanguage(c.requested, c.system, kShipped);
    EXPECT_EQ(choice.code, c.expected);
    EXPECT_EQ(choice.problem.has_value(), c.problem);
    if (choice.problem) {
        EXPECT_NE(choice.problem->find(*c.requested), std::string::npos) << *choice.problem;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Choices, ChooseLanguage,
    testing::Values(ChoiceCase{"SystemFrench", std::nullopt, {"fr-FR", "fr", "en-US"}, "fr", false},
                    ChoiceCase{"SystemSwissGerman", std::nullopt, {"de-CH"}, "de", false},
                    ChoiceCase{"FirstShippedOfTheSystemsList", std::nullopt, {"it-IT", "de-DE", "fr-FR"}, "de", false},
                    ChoiceCase{"SystemEnglishBeforeFrench", std::nullopt, {"en-CA", "fr-CA"}, "en", false},
                    ChoiceCase{"NothingShipped", std::nullopt, {"it-IT", "es"}, "en", false},
                    ChoiceCase{"NoSystemLanguage", std::nullopt, {"C"}, "en", false},
                    ChoiceCase{"EnglishForcedOnAFrenchSystem", "en", {"fr-FR"}, "en", false},
                    ChoiceCase{"GermanForced", "de", {"fr-FR"}, "de", false},
                    ChoiceCase{"ForcedWithRegion", "fr_BE", {"en-US"}, "fr", false},
                    ChoiceCase{"UnknownFallsBackToTheSystem", "xx", {"de-DE"}, "de", true},
                    ChoiceCase{"EmptyRequest", "", {"fr-FR"}, "fr", true}),
    [](const testing::TestParamInfo<ChoiceCase>& info) { return std::string(info.param.name); });

} // namespace
