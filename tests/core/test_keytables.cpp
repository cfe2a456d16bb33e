#include "core/input/KeyTables.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct AsciiRow {
    const char* name;
    std::int16_t keyCode;
    std::int16_t clearKey;
    std::int16_t expected;
};

class KeyCodeToAsciTable : public testing::TestWithParam<AsciiRow> {};

TEST_P(KeyCodeToAsciTable, GivesFieldEntryItsCharacter) {
    EXPECT_EQ(keyCodeToAsci(GetParam().keyCode, GetParam().clearKey), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, KeyCodeToAsciTable,
    testing::Values(
        AsciiRow{"Space", 32, 46, 32}, AsciiRow{"Enter", 13, 46, 13}, AsciiRow{"DeleteIsTheDefaultClearKey", 46, 46, 0},
        AsciiRow{"DeleteIsNothingWhenNotTheClearKey", 46, 67, -1}, AsciiRow{"ClearKeyOnALetter", 67, 67, 0},
        AsciiRow{"MainPlus", 187, 46, 43}, AsciiRow{"KeypadPlus", 107, 46, 43}, AsciiRow{"MainMinus", 189, 46, 45},
        AsciiRow{"KeypadMinus", 109, 46, 45}, AsciiRow{"KeypadZero", 96, 46, 48}, AsciiRow{"KeypadFive", 101, 46, 53},
        AsciiRow{"KeypadNine", 105, 46, 57}, AsciiRow{"MainZero", 48, 46, 48}, AsciiRow{"MainNine", 57, 46, 57},
        AsciiRow{"KeypadPoint", 110, 46, 46}, AsciiRow{"MainPoint", 190, 46, 46},
        // Space and Enter are tested before the clear key; the signs and digits after it.
        AsciiRow{"ClearKeyOnEnterStillEnters", 13, 13, 13}, AsciiRow{"ClearKeyOnSpaceStillSpaces", 32, 32, 32},
        AsciiRow{"ClearKeyOnPointClears", 190, 190, 0}, AsciiRow{"ClearKeyOnKeypadDigitClears", 97, 97, 0},
        AsciiRow{"ClearKeyOnPlusClears", 107, 107, 0},
        // Keypad with NumLock off arrives as cursor keys: no characters.
        AsciiRow{"KeypadEndWithNumLockOff", 35, 46, -1}, AsciiRow{"KeypadClearKey", 12, 46, -1},
        AsciiRow{"KeypadMultiply", 106, 46, -1}, AsciiRow{"KeypadDivide", 111, 46, -1}, AsciiRow{"Comma", 188, 46, -1},
        AsciiRow{"Letter", 83, 46, -1}, AsciiRow{"BelowTheKeypadDigits", 95, 46, -1},
        AsciiRow{"AboveTheKeypadDigits", 106, 46, -1}, AsciiRow{"BelowTheDigits", 47, 46, -1},
        AsciiRow{"AboveTheDigits", 58, 46, -1}, AsciiRow{"Nothing", 0, 46, -1}, AsciiRow{"Negative", -1, 46, -1},
        AsciiRow{"NoKeyMatchesClearKeyZero", 0, 0, 0}),
    [](const testing::TestParamInfo<AsciiRow>& info) { return info.param.name; });

struct NameRow {
    std::int16_t keyCode;
    const char* name;
};

class KeyCodeToStrTable : public testing::TestWithParam<NameRow> {};

TEST_P(KeyCodeToStrTable, NamesTheKeysThatCanBeCommands) {
    EXPECT_EQ(keyCodeToStr(GetParam().keyCode), GetParam().name) << "key code " << GetParam().keyCode;
}

INSTANTIATE_TEST_SUITE_P(Named, KeyCodeToStrTable,
                         testing::Values(NameRow{8, "Backspace"}, NameRow{13, "Enter"}, NameRow{17, "Ctrl"},
                                         NameRow{19, "Pause/Break"}, NameRow{33, "Page Up"}, NameRow{34, "Page Down"},
                                         NameRow{35, "End"}, NameRow{36, "Home"}, NameRow{45, "Insert"},
                                         NameRow{46, "Delete"}, NameRow{65, "A"}, NameRow{83, "S"}, NameRow{90, "Z"},
                                         NameRow{106, "Numpad *"}, NameRow{111, "Numpad /"}, NameRow{114, "F3"},
                                         NameRow{121, "F10"}, NameRow{123, "F12"}, NameRow{186, ";"}, NameRow{188, ","},
                                         NameRow{190, "."}, NameRow{191, "/"}, NameRow{192, "`"}, NameRow{219, "["},
                                         NameRow{220, "\\"}, NameRow{221, "]"}, NameRow{222, "\""}));

// The keys the key-capture window must refuse for want of a name.
INSTANTIATE_TEST_SUITE_P(
    Unnamed, KeyCodeToStrTable,
    testing::Values(NameRow{0, ""}, NameRow{-1, ""}, NameRow{9, ""} /* Tab */, NameRow{16, ""} /* Shift */,
                    NameRow{18, ""} /* Alt */, NameRow{20, ""} /* CapsLock */, NameRow{27, ""} /* Escape */,
                    NameRow{32, ""} /* Space */, NameRow{37, ""}, NameRow{38, ""}, NameRow{39, ""},
                    NameRow{40, ""} /* arrows */, NameRow{48, ""}, NameRow{57, ""} /* main digits */, NameRow{64, ""},
                    NameRow{91, ""}, NameRow{96, ""}, NameRow{105, ""} /* keypad digits */, NameRow{107, ""},
                    NameRow{109, ""}, NameRow{110, ""} /* keypad + - . */, NameRow{112, ""},
                    NameRow{113, ""} /* F1, F2 */, NameRow{124, ""} /* F13 */, NameRow{144, ""} /* NumLock */,
                    NameRow{187, ""}, NameRow{189, ""} /* = and - */, NameRow{223, ""}, NameRow{226, ""},
                    NameRow{32767, ""}, NameRow{-32768, ""}));

TEST(keyCodeToStr, EveryLetterIsItsCapital) {
    for (int code = 65; code <= 90; ++code)
        EXPECT_EQ(keyCodeToStr(static_cast<std::int16_t>(code)), std::string(1, static_cast<char>(code)));
}

} // namespace
