// What a person reads off the board's digit groups.
#include "core/board/ClockFace.h"
#include "core/feed/FeedText.h"
#include <gtest/gtest.h>

namespace {

struct TextCase {
    std::vector<int> digits;
    const char* text;
};

std::string shown(const std::vector<int>& digits) {
    std::string out;
    for (int d : digits) {
        out += d < 0 ? "-" : std::to_string(d);
        out += ' ';
    }
    return out;
}

class GameClockTextTest : public ::testing::TestWithParam<TextCase> {};
TEST_P(GameClockTextTest, Reads) {
    EXPECT_EQ(gameClockText(GetParam().digits), GetParam().text) << shown(GetParam().digits);
}
INSTANTIATE_TEST_SUITE_P(
    Examples, GameClockTextTest,
    ::testing::Values(TextCase{{1, 0, 0, 0}, "10:00"}, TextCase{{-1, 5, 0, 7}, "5:07"}, TextCase{{9, 9, 5, 9}, "99:59"},
                      TextCase{{-1, 1, 0, 0}, "1:00"}, TextCase{{5, 9, 9, -1}, "59.9"}, TextCase{{-1, 7, 0, -1}, "7.0"},
                      TextCase{{-1, 0, 1, -1}, "0.1"}, TextCase{{-1, 0, 0, -1}, "0.0"}, TextCase{{1, 0, 0, -1}, "10.0"},
                      // The time of day: hours and minutes, also before 1:00 on a 24-hour clock.
                      TextCase{{-1, 7, 0, 5}, "7:05"}, TextCase{{2, 3, 5, 9}, "23:59"}, TextCase{{-1, 0, 0, 7}, "0:07"},
                      // Groups the board never shows still read as their lit digits.
                      TextCase{{-1, -1, -1, -1}, ""}, TextCase{{-1, -1, 3, 4}, "34"}, TextCase{{}, ""},
                      TextCase{{1, 2}, "12"}, TextCase{{12, 0, 0, 0}, "0:00"}));

// Every face the clock can draw reads back as the time it shows.
TEST(GameClockText, ReadsEveryFaceTheClockDraws) {
    for (TimeValue t = 0; t <= secondsToTime(6000); t += kTicksPerTenth) {
        const GameClockFace face = gameClockFace(t);
        const std::vector<int> digits(face.captions.begin(), face.captions.end());
        const std::string text = gameClockText(digits);
        const std::int64_t tenths = t / kTicksPerTenth;
        std::string expected;
        if (tenths < 600) {
            expected = std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
        } else {
            const std::int64_t shownSeconds = std::min<std::int64_t>((tenths + 9) / 10, 99 * 60 + 59);
            const std::int64_t sec = shownSeconds % 60;
            expected = std::to_string(shownSeconds / 60) + ":" + (sec < 10 ? "0" : "") + std::to_string(sec);
        }
        if (t <= secondsToTime(99 * 60 + 59)) {
            ASSERT_EQ(text, expected) << "at " << tenths << " tenths";
        }
    }
}

class NumberTextTest : public ::testing::TestWithParam<TextCase> {};
TEST_P(NumberTextTest, Reads) {
    EXPECT_EQ(numberText(GetParam().digits), GetParam().text) << shown(GetParam().digits);
}
INSTANTIATE_TEST_SUITE_P(Examples, NumberTextTest,
                         ::testing::Values(TextCase{{0, -1}, "0"}, TextCase{{2, 1}, "12"}, TextCase{{7, -1}, "7"},
                                           TextCase{{0, 1}, "10"}, TextCase{{-1, -1}, ""}, TextCase{{3}, "3"},
                                           TextCase{{-1}, ""}, TextCase{{}, ""}, TextCase{{9, 9}, "99"},
                                           TextCase{{-1, 4}, "4"}));

class PenaltyTextTest : public ::testing::TestWithParam<TextCase> {};
TEST_P(PenaltyTextTest, Reads) {
    EXPECT_EQ(penaltyText(GetParam().digits), GetParam().text) << shown(GetParam().digits);
}
INSTANTIATE_TEST_SUITE_P(Examples, PenaltyTextTest,
                         ::testing::Values(TextCase{{0, 0, 2}, "2:00"}, TextCase{{7, 0, 0}, "0:07"},
                                           TextCase{{9, 5, 9}, "9:59"}, TextCase{{0, 0, 0}, "0:00"},
                                           TextCase{{-1, -1, -1}, ""},
                                           // Not in use while digit 0 is dark, whatever the others show.
                                           TextCase{{-1, 3, 1}, ""}, TextCase{{}, ""}, TextCase{{5}, "5"},
                                           TextCase{{4, 2}, "24"}));

TEST(PenaltyText, ReadsEveryFaceTheClockDraws) {
    for (int tenths = 0; tenths <= 5990; ++tenths) {
        const std::array<int, 3> face = penaltyClockFace(tenthsToTime(tenths));
        const int shownSeconds = (tenths + 9) / 10;
        const std::string expected = std::to_string(shownSeconds / 60) + ":" + std::to_string(shownSeconds % 60 / 10) +
                                     std::to_string(shownSeconds % 10);
        ASSERT_EQ(penaltyText({face.begin(), face.end()}), expected) << tenths;
    }
}

struct OrdinalCase {
    int n;
    OrdinalForm form;
};
class OrdinalFormTest : public ::testing::TestWithParam<OrdinalCase> {};
TEST_P(OrdinalFormTest, Form) {
    EXPECT_EQ(ordinalForm(GetParam().n), GetParam().form) << GetParam().n;
}
INSTANTIATE_TEST_SUITE_P(Periods, OrdinalFormTest,
                         ::testing::Values(OrdinalCase{0, OrdinalForm::None}, OrdinalCase{-1, OrdinalForm::None},
                                           OrdinalCase{1, OrdinalForm::One}, OrdinalCase{2, OrdinalForm::Two},
                                           OrdinalCase{3, OrdinalForm::Three}, OrdinalCase{4, OrdinalForm::Other},
                                           OrdinalCase{9, OrdinalForm::Other}, OrdinalCase{10, OrdinalForm::Other},
                                           OrdinalCase{11, OrdinalForm::Other}, OrdinalCase{12, OrdinalForm::Other},
                                           OrdinalCase{13, OrdinalForm::Other}, OrdinalCase{21, OrdinalForm::One},
                                           OrdinalCase{22, OrdinalForm::Two}, OrdinalCase{23, OrdinalForm::Three},
                                           OrdinalCase{111, OrdinalForm::Other}, OrdinalCase{101, OrdinalForm::One}));

} // namespace
