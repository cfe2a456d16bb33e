#include "core/input/NumberEntry.h"
#include <gtest/gtest.h>

using NumberEntry::DigitEntry;

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
        entry.EnterDigitKey("group", digits, *k == '#' ? 0 : *k, c.min, c.max);
    }
    EXPECT_EQ(digits, c.after) << c.name;
}

const std::vector<int> seven{7, -1};
const std::vector<int> dark2{-1, -1};

INSTANTIATE_TEST_SUITE_P(
    Scores, EnterDigitKeyTest,
    ::testing::Values(DigitCase{"plus three", seven, "+3", -1, 99, {0, 1}},
                      DigitCase{"minus seven", seven, "-7", -1, 99, {0, -1}},
                      DigitCase{"minus eight darkens", seven, "-8", -1, 99, dark2},
                      DigitCase{"minus nine ignored", seven, "-9", -1, 99, seven},
                      DigitCase{"past 99 ignored", {5, 9}, "+5", -1, 99, {5, 9}},
                      DigitCase{"dark counts as zero", dark2, "+2", -1, 99, {2, -1}},
                      DigitCase{"two digits and Enter", dark2, "12\r", -1, 99, {2, 1}},
                      DigitCase{"leading zeros vanish", dark2, "007\r", -1, 99, {7, -1}},
                      DigitCase{"three digits rejected", seven, "123\r", -1, 99, seven},
                      DigitCase{"clear keeps half-typed digits", seven, "1#2\r", -1, 99, {2, 1}},
                      DigitCase{"clear darkens at once", {3, 1}, "#", -1, 99, dark2},
                      DigitCase{"space empties", seven, "9 3\r", -1, 99, {3, -1}},
                      DigitCase{"Enter alone changes nothing", seven, "\r", -1, 99, seven},
                      DigitCase{"plus minus then digit", seven, "+-3\r", -1, 99, {4, -1}},
                      DigitCase{"huge number rejected", seven, "99999999999999999999999999\r", -1, 99, seven},
                      DigitCase{"signs then huge", seven, "--99999999999999999999999\r", -1, 99, seven},
                      DigitCase{"full stop ignored", seven, ".\r", -1, 99, seven}));

INSTANTIATE_TEST_SUITE_P(Period, EnterDigitKeyTest,
                         ::testing::Values(DigitCase{"digit applies at once", {1}, "3", 0, 9, {3}},
                                           DigitCase{"plus one", {3}, "+1", 0, 9, {4}},
                                           DigitCase{"at nine plus one ignored", {9}, "+1", 0, 9, {9}},
                                           DigitCase{"clear leaves it", {4}, "#", 0, 9, {4}},
                                           DigitCase{"minus below zero ignored", {0}, "-1", 0, 9, {0}}));

TEST(EnterDigitKey, ChangingFieldThrowsAwayHalfTypedDigits) {
    DigitEntry entry;
    std::vector<int> home{3, -1};
    std::vector<int> visitor{0, -1};
    entry.EnterDigitKey("lumHome", home, '1', -1, 99);
    entry.EnterDigitKey("lumVisitor", visitor, '2', -1, 99);
    entry.EnterDigitKey("lumVisitor", visitor, '\r', -1, 99);
    EXPECT_EQ(visitor, (std::vector<int>{2, -1}));
    EXPECT_EQ(home, (std::vector<int>{3, -1}));
}

TEST(ShowNumber, ClearCharacterDarkensOnlyWhereAllowed) {
    std::vector<int> penalty{5, 0, 2};
    NumberEntry::ShowNumber(penalty, std::string(1, NumberEntry::kClearCharacter), -1, -1);
    EXPECT_EQ(penalty, (std::vector<int>{-1, -1, -1}));
    EXPECT_EQ(NumberEntry::shownNumber(penalty), -1);
    EXPECT_EQ(NumberEntry::shownNumber({2, 1}), 12);
}

} // namespace
