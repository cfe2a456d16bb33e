#include "core/input/NumberEntry.h"
#include <gtest/gtest.h>

using number_entry::DigitEntry;

namespace {

struct DigitCase {
    const char* name;
    std::vector<int> before; // index 0 rightmost
    const char* keys;        // '\r' Enter, '#' the clear key
    int min;
    int max;
    std::vector<int> after;
};

class EnterDigitKeyTest : public ::testing::TestWithParam<DigitCase> {};

TEST_P(EnterDigitKeyTest, ShowsWhatWasTyped) {
    const DigitCase& c = GetParam();
    DigitEntry entry;
    std::vector<int> digits = c.before;
    for (const char* k = c.keys; *k; ++k) {
        entry.enterDigitKey("group", digits, *k == '#' ? 0 : *k, c.min, c.max);
    }
    EXPECT_EQ(digits, c.after) << c.name;
}

const std::vector<int> kSeven{7, -1};
const std::vector<int> kDark2{-1, -1};

INSTANTIATE_TEST_SUITE_P(
    Scores, EnterDigitKeyTest,
    ::testing::Values(DigitCase{"plus three", kSeven, "+3", -1, 99, {0, 1}},
                      DigitCase{"minus seven", kSeven, "-7", -1, 99, {0, -1}},
                      DigitCase{"minus eight darkens", kSeven, "-8", -1, 99, kDark2},
                      DigitCase{"minus nine ignored", kSeven, "-9", -1, 99, kSeven},
                      DigitCase{"past 99 ignored", {5, 9}, "+5", -1, 99, {5, 9}},
                      DigitCase{"dark counts as zero", kDark2, "+2", -1, 99, {2, -1}},
                      DigitCase{"two digits and Enter", kDark2, "12\r", -1, 99, {2, 1}},
                      DigitCase{"leading zeros vanish", kDark2, "007\r", -1, 99, {7, -1}},
                      DigitCase{"three digits rejected", kSeven, "123\r", -1, 99, kSeven},
                      DigitCase{"clear keeps half-typed digits", kSeven, "1#2\r", -1, 99, {2, 1}},
                      DigitCase{"clear darkens at once", {3, 1}, "#", -1, 99, kDark2},
                      DigitCase{"space empties", kSeven, "9 3\r", -1, 99, {3, -1}},
                      DigitCase{"Enter alone changes nothing", kSeven, "\r", -1, 99, kSeven},
                      DigitCase{"plus minus then digit", kSeven, "+-3\r", -1, 99, {4, -1}},
                      DigitCase{"huge number rejected", kSeven, "99999999999999999999999999\r", -1, 99, kSeven},
                      DigitCase{"signs then huge", kSeven, "--99999999999999999999999\r", -1, 99, kSeven},
                      DigitCase{"full stop ignored", kSeven, ".\r", -1, 99, kSeven}));

INSTANTIATE_TEST_SUITE_P(Period, EnterDigitKeyTest,
                         ::testing::Values(DigitCase{"digit applies at once", {1}, "3", 0, 9, {3}},
                                           DigitCase{"plus one", {3}, "+1", 0, 9, {4}},
                                           DigitCase{"at nine plus one ignored", {9}, "+1", 0, 9, {9}},
                                           DigitCase{"clear leaves it", {4}, "#", 0, 9, {4}},
                                           DigitCase{"minus below zero ignored", {0}, "-1", 0, 9, {0}}));

TEST(enterDigitKey, ChangingFieldThrowsAwayHalfTypedDigits) {
    DigitEntry entry;
    std::vector<int> home{3, -1};
    std::vector<int> visitor{0, -1};
    entry.enterDigitKey("lumHome", home, '1', -1, 99);
    entry.enterDigitKey("lumVisitor", visitor, '2', -1, 99);
    entry.enterDigitKey("lumVisitor", visitor, '\r', -1, 99);
    EXPECT_EQ(visitor, (std::vector<int>{2, -1}));
    EXPECT_EQ(home, (std::vector<int>{3, -1}));
}

TEST(showNumber, ClearCharacterDarkensOnlyWhereAllowed) {
    std::vector<int> penalty{5, 0, 2};
    number_entry::showNumber(penalty, std::string(1, number_entry::kClearCharacter), -1, -1);
    EXPECT_EQ(penalty, (std::vector<int>{-1, -1, -1}));
    EXPECT_EQ(number_entry::shownNumber(penalty), -1);
    EXPECT_EQ(number_entry::shownNumber({2, 1}), 12);
}

} // namespace
