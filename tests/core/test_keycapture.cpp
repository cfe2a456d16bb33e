#include "core/settings/KeyCapture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The default keys: S, R, Delete, C, I, B, G.
const WorkingKeys kDefaults{83, 82, 46, 67, 73, 66, 71};

struct DecisionRow {
    const char* name;
    int key;
    std::int16_t assigned;
    bool accepted;
};

class KeyDecisionTable : public testing::TestWithParam<DecisionRow> {};

TEST_P(KeyDecisionTable, AcceptsOnlyNamedFreeKeys) {
    const DecisionRow& row = GetParam();
    EXPECT_EQ(isKeyAccepted(row.key, row.assigned, kDefaults), row.accepted) << "key " << row.key;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, KeyDecisionTable,
    testing::Values(
        // Keys without a name type into the board's fields or cannot be shown.
        DecisionRow{"MainDigitZero", 48, 67, false}, DecisionRow{"MainDigitNine", 57, 67, false},
        DecisionRow{"KeypadDigitZero", 96, 67, false}, DecisionRow{"KeypadDigitNine", 105, 67, false},
        DecisionRow{"Space", 32, 67, false}, DecisionRow{"Left", 37, 67, false}, DecisionRow{"Up", 38, 67, false},
        DecisionRow{"Right", 39, 67, false}, DecisionRow{"Down", 40, 67, false}, DecisionRow{"Shift", 16, 67, false},
        DecisionRow{"Escape", 27, 67, false}, DecisionRow{"Tab", 9, 67, false}, DecisionRow{"NumLock", 144, 67, false},
        DecisionRow{"Alt", 18, 67, false}, DecisionRow{"KeypadPlus", 107, 67, false},
        DecisionRow{"NoCode", 0, 67, false}, DecisionRow{"Negative", -5, 67, false},
        DecisionRow{"BeyondSixteenBits", 65536 + 65, 67, false},
        // Help and options stay on their keys.
        DecisionRow{"F1", 112, 67, false}, DecisionRow{"F2", 113, 67, false},
        // Another command's key: the user must move that command first.
        DecisionRow{"StartStopKeyForClockSwitch", 83, 67, false}, DecisionRow{"HornKeyForClockSwitch", 71, 67, false},
        DecisionRow{"DeleteForClockSwitch", 46, 67, false},
        // The action's own key is taken again, though it is one of the seven.
        DecisionRow{"OwnKeyAgain", 67, 67, true}, DecisionRow{"OwnDeleteAgain", 46, 46, true},
        // Named free keys.
        DecisionRow{"FreeLetter", 88, 67, true}, DecisionRow{"F3", 114, 67, true}, DecisionRow{"F12", 123, 67, true},
        DecisionRow{"Enter", 13, 67, true}, DecisionRow{"Backslash", 220, 67, true},
        DecisionRow{"PageDown", 34, 67, true}, DecisionRow{"NumpadStar", 106, 67, true}),
    [](const testing::TestParamInfo<DecisionRow>& info) { return info.param.name; });

TEST(KeyCapture, AssignedReservedKeyIsTakenAgain) {
    // A hand-edited store can give a command F1; its own key still closes the window unchanged.
    WorkingKeys keys = kDefaults;
    keys[HornKeyIndex] = 112;
    EXPECT_TRUE(isKeyAccepted(112, 112, keys));
    EXPECT_FALSE(isKeyAccepted(112, 66, keys));
}

TEST(KeyCapture, AcceptedKeyBecomesTheAnswer) {
    KeyCaptureExchange exchange{"sound the horn", 71, "0"};
    EXPECT_TRUE(captureKeyPress(exchange, 120, kDefaults));
    EXPECT_EQ(exchange.chosenKey, "120");
    EXPECT_EQ(chosenKeyCode(exchange), std::optional<std::int16_t>(120));
}

TEST(KeyCapture, RefusedKeyLeavesTheAnswer) {
    KeyCaptureExchange exchange{"sound the horn", 71, "0"};
    EXPECT_FALSE(captureKeyPress(exchange, 66, kDefaults));
    EXPECT_EQ(exchange.chosenKey, "0");
    EXPECT_EQ(chosenKeyCode(exchange), std::nullopt);
}

TEST(KeyCapture, OwnKeyAnswersItself) {
    KeyCaptureExchange exchange{"sound the horn", 71, "0"};
    EXPECT_TRUE(captureKeyPress(exchange, 71, kDefaults));
    EXPECT_EQ(exchange.chosenKey, "71");
}

struct ChosenRow {
    const char* name;
    const char* text;
    std::optional<std::int16_t> key;
};

class ChosenKeyTable : public testing::TestWithParam<ChosenRow> {};

TEST_P(ChosenKeyTable, ReadsTheAnswer) {
    KeyCaptureExchange exchange;
    exchange.chosenKey = GetParam().text;
    EXPECT_EQ(chosenKeyCode(exchange), GetParam().key);
}

INSTANTIATE_TEST_SUITE_P(Rows, ChosenKeyTable,
                         testing::Values(ChosenRow{"Zero", "0", std::nullopt}, ChosenRow{"Empty", "", std::nullopt},
                                         ChosenRow{"Text", "X", std::nullopt},
                                         ChosenRow{"TooLarge", "40000", std::nullopt},
                                         ChosenRow{"Letter", "88", std::int16_t{88}},
                                         ChosenRow{"F12", "123", std::int16_t{123}}),
                         [](const testing::TestParamInfo<ChosenRow>& info) { return info.param.name; });

TEST(KeyCapture, PromptCompletesTheSentence) {
    EXPECT_EQ(keyCapturePromptText("sound the buzzer"), "Press the key you would like to sound the buzzer.");
}

} // namespace
