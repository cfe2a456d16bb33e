#include "core/settings/Settings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

using Values = std::map<std::pair<std::string, std::string>, std::string>;

// Keeps the values in memory and writes down every read, write and NumLock call, in order.
class RecordingStore : public InMemorySettingsStore {
public:
    std::vector<std::string> log;

    std::optional<std::string> read(const std::string& section, const std::string& key) override {
        log.push_back("read " + section + "/" + key);
        return InMemorySettingsStore::read(section, key);
    }
    void write(const std::string& section, const std::string& key, const std::string& value) override {
        log.push_back("write " + section + "/" + key + "=" + value);
        InMemorySettingsStore::write(section, key, value);
    }
    std::function<void(bool)> numLockRecorder() {
        return [this](bool on) { log.emplace_back(on ? "SetNumLock(true)" : "SetNumLock(false)"); };
    }
    void preset(const Values& values) {
        for (const auto& [name, value] : values)
            InMemorySettingsStore::write(name.first, name.second, value);
    }
};

const std::string kFolder = "/opt/rinkmaster";

SettingsVariables loadFrom(RecordingStore& store, const std::string& folder = kFolder, char separator = '/') {
    SettingsVariables settings;
    loadSettings(settings, store, folder, separator, store.numLockRecorder());
    return settings;
}

const Values kConvertedKeysOnly = {
    {{"KeySettings", "StartStopClockKey"}, "83"}, {{"KeySettings", "ResetClockKey"}, "82"},
    {{"KeySettings", "ClearKey"}, "46"},          {{"KeySettings", "BuzzerKey"}, "66"},
    {{"KeySettings", "HornKey"}, "71"},           {{"KeySettings", "IsKeyCode"}, "Yes"},
};

} // namespace

// ---- A first run ------------------------------------------------------------------------------

TEST(loadSettings, EmptyStoreGivesTheDefaultsAndKeepsOnlyTheConvertedKeys) {
    RecordingStore store;
    const SettingsVariables s = loadFrom(store);

    EXPECT_EQ(s.TimeColor, 255);
    EXPECT_EQ(s.LEDBack, 0);
    EXPECT_EQ(s.ScoreColor, 33023);
    EXPECT_EQ(s.PeriodColor, 49152);
    EXPECT_EQ(s.FormBack, 4210752);
    EXPECT_EQ(s.LEDSelected, 4210752);
    EXPECT_EQ(s.BorderColor, 16777215);
    EXPECT_EQ(s.HomeColor, 16777215);
    EXPECT_EQ(s.VisitorColor, 16777215);
    EXPECT_EQ(s.LEDSelectedWidth, 0);
    EXPECT_EQ(s.StartStopClockKey, 83);
    EXPECT_EQ(s.ResetClockKey, 82);
    EXPECT_EQ(s.ClearKey, 46);
    EXPECT_EQ(s.ClockSwitchKey, 67);
    EXPECT_EQ(s.SepTimeKey, 73);
    EXPECT_EQ(s.BuzzerKey, 66);
    EXPECT_EQ(s.HornKey, 71);
    EXPECT_EQ(s.BuzzerFile, "/opt/rinkmaster/buzzer.wav");
    EXPECT_EQ(s.HornFile, "/opt/rinkmaster/horn.wav");
    EXPECT_EQ(s.NumLockForce, 0);
    EXPECT_EQ(s.HomeText, "Home");
    EXPECT_EQ(s.VisitorText, "Visitor");
    EXPECT_EQ(s.TeamSize, 24 * kFixedPoint4Scale);
    EXPECT_EQ(s.LEDType, 0);
    EXPECT_FALSE(s.PenaltyRules);
    EXPECT_EQ(s.IntermissionLength, secondsToTime(900));
    EXPECT_EQ(s.MinorLength, secondsToTime(120));
    EXPECT_FALSE(s.ShowPlayerNumbers);
    EXPECT_EQ(s.PublicScreen, "");

    EXPECT_EQ(s, defaultSettings(kFolder, '/'));
    EXPECT_EQ(store.values(), kConvertedKeysOnly);
}

TEST(loadSettings, ReadsConvertsAndAppliesNumLockInTheOrderOfTheStore) {
    RecordingStore store;
    store.preset({{{"KeySettings", "NumLockForce"}, "1"}});
    loadFrom(store);
    const std::vector<std::string> expected = {
        "read ColorSettings/TimeColor",
        "read ColorSettings/LEDBack",
        "read ColorSettings/ScoreColor",
        "read ColorSettings/PeriodColor",
        "read ColorSettings/FormBack",
        "read ColorSettings/LEDSelected",
        "read ColorSettings/BorderColor",
        "read ColorSettings/HomeColor",
        "read ColorSettings/VisitorColor",
        "read ColorSettings/LEDSelectedWidth",
        "read KeySettings/StartStopClockKey",
        "read KeySettings/ResetClockKey",
        "read KeySettings/ClearKey",
        "read KeySettings/ClockSwitchKey",
        "read KeySettings/SepTimeKey",
        "read KeySettings/BuzzerKey",
        "read KeySettings/HornKey",
        "read KeySettings/BuzzerFile",
        "read KeySettings/HornFile",
        "read KeySettings/NumLockForce",
        "SetNumLock(true)",
        "read KeySettings/IsKeyCode",
        "write KeySettings/StartStopClockKey=83",
        "write KeySettings/ResetClockKey=82",
        "write KeySettings/ClearKey=46",
        "write KeySettings/BuzzerKey=66",
        "write KeySettings/HornKey=71",
        "write KeySettings/IsKeyCode=Yes",
        "read TextSettings/HomeText",
        "read TextSettings/VisitorText",
        "read TextSettings/TeamSize",
        "read PicSettings/LEDType",
        "read PicSettings/ShowPlayerNumbers",
        "read RuleSettings/PenaltyRules",
        "read RuleSettings/IntermissionLength",
        "read RuleSettings/MinorLength",
        "read DisplaySettings/PublicScreen",
    };
    EXPECT_EQ(store.log, expected);
}

// ---- The one-time key conversion ----------------------------------------------------------------

struct ConversionRow {
    const char* name;
    std::optional<std::string> isKeyCode; // nothing: absent
    bool converts;
};

class KeyConversion : public testing::TestWithParam<ConversionRow> {};

TEST_P(KeyConversion, ReplacesTheFiveOldKeysOnlyWhenTheMarkerIsExactlyNo) {
    const ConversionRow& row = GetParam();
    RecordingStore store;
    Values stored = {
        {{"KeySettings", "StartStopClockKey"}, "70"}, {{"KeySettings", "ResetClockKey"}, "72"},
        {{"KeySettings", "ClearKey"}, "8"},           {{"KeySettings", "ClockSwitchKey"}, "80"},
        {{"KeySettings", "SepTimeKey"}, "74"},        {{"KeySettings", "BuzzerKey"}, "75"},
        {{"KeySettings", "HornKey"}, "76"},
    };
    if (row.isKeyCode)
        stored[{"KeySettings", "IsKeyCode"}] = *row.isKeyCode;
    store.preset(stored);

    const SettingsVariables s = loadFrom(store);

    // Clock switch and penalty keys are never touched.
    EXPECT_EQ(s.ClockSwitchKey, 80);
    EXPECT_EQ(s.SepTimeKey, 74);
    Values expected = stored;
    if (row.converts) {
        EXPECT_EQ(s.StartStopClockKey, 83);
        EXPECT_EQ(s.ResetClockKey, 82);
        EXPECT_EQ(s.ClearKey, 46);
        EXPECT_EQ(s.BuzzerKey, 66);
        EXPECT_EQ(s.HornKey, 71);
        for (const auto& [name, value] : kConvertedKeysOnly)
            expected[name] = value;
    } else {
        EXPECT_EQ(s.StartStopClockKey, 70);
        EXPECT_EQ(s.ResetClockKey, 72);
        EXPECT_EQ(s.ClearKey, 8);
        EXPECT_EQ(s.BuzzerKey, 75);
        EXPECT_EQ(s.HornKey, 76);
    }
    EXPECT_EQ(store.values(), expected);
}

INSTANTIATE_TEST_SUITE_P(Markers, KeyConversion,
                         testing::Values(ConversionRow{"Absent", std::nullopt, true},
                                         ConversionRow{"No", std::string("No"), true},
                                         ConversionRow{"Yes", std::string("Yes"), false},
                                         ConversionRow{"LowerCaseNo", std::string("no"), false},
                                         ConversionRow{"BlankBeforeNo", std::string(" No"), false},
                                         ConversionRow{"Empty", std::string(""), false},
                                         ConversionRow{"Other", std::string("maybe"), false}),
                         [](const testing::TestParamInfo<ConversionRow>& info) { return info.param.name; });

TEST(loadSettings, SecondStartKeepsTheKeysTheFirstStartConverted) {
    RecordingStore store;
    loadFrom(store);
    store.InMemorySettingsStore::write("KeySettings", "StartStopClockKey", "84");
    store.log.clear();
    const SettingsVariables s = loadFrom(store);
    EXPECT_EQ(s.StartStopClockKey, 84);
    for (const std::string& entry : store.log)
        EXPECT_NE(entry.rfind("write", 0), 0u) << entry;
}

// ---- The selection marker follows the board colour ---------------------------------------------

struct MarkerRow {
    const char* name;
    Values stored;
    OleColor formBack;
    OleColor ledSelected;
};

class SelectionMarkerDefault : public testing::TestWithParam<MarkerRow> {};

TEST_P(SelectionMarkerDefault, IsTheBoardColourJustLoaded) {
    RecordingStore store;
    store.preset(GetParam().stored);
    const SettingsVariables s = loadFrom(store);
    EXPECT_EQ(s.FormBack, GetParam().formBack);
    EXPECT_EQ(s.LEDSelected, GetParam().ledSelected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SelectionMarkerDefault,
    testing::Values(MarkerRow{"StoredBoardColour", {{{"ColorSettings", "FormBack"}, "255"}}, 255, 255},
                    MarkerRow{"DefaultBoardColour", {}, 4210752, 4210752},
                    MarkerRow{"OwnColourWins",
                              {{{"ColorSettings", "FormBack"}, "255"}, {{"ColorSettings", "LEDSelected"}, "16"}},
                              255,
                              16},
                    MarkerRow{"BrokenOwnColour",
                              {{{"ColorSettings", "FormBack"}, "255"}, {{"ColorSettings", "LEDSelected"}, "red"}},
                              255,
                              255},
                    MarkerRow{"BrokenBoardColour", {{{"ColorSettings", "FormBack"}, "grey"}}, 4210752, 4210752}),
    [](const testing::TestParamInfo<MarkerRow>& info) { return info.param.name; });

// ---- NumLock at start-up -------------------------------------------------------------------------

struct NumLockRow {
    const char* name;
    std::optional<std::string> stored;
    std::vector<std::string> calls;
};

class StartUpNumLock : public testing::TestWithParam<NumLockRow> {};

TEST_P(StartUpNumLock, IsSetAfterTheKeysAreReadAndBeforeTheConversion) {
    RecordingStore store;
    if (GetParam().stored)
        store.preset({{{"KeySettings", "NumLockForce"}, *GetParam().stored}});
    loadFrom(store);

    std::vector<std::string> calls;
    std::vector<std::string> between;
    bool afterNumLockRead = false;
    for (const std::string& entry : store.log) {
        if (entry.rfind("SetNumLock", 0) == 0)
            calls.push_back(entry);
        if (entry == "read KeySettings/IsKeyCode")
            afterNumLockRead = false;
        if (afterNumLockRead)
            between.push_back(entry);
        if (entry == "read KeySettings/NumLockForce")
            afterNumLockRead = true;
    }
    EXPECT_EQ(calls, GetParam().calls);
    EXPECT_EQ(between, GetParam().calls);
}

INSTANTIATE_TEST_SUITE_P(Modes, StartUpNumLock,
                         testing::Values(NumLockRow{"KeepOn", std::string("1"), {"SetNumLock(true)"}},
                                         NumLockRow{"KeepOff", std::string("2"), {"SetNumLock(false)"}},
                                         NumLockRow{"Normal", std::string("0"), {}},
                                         NumLockRow{"Absent", std::nullopt, {}},
                                         NumLockRow{"UnknownMode", std::string("3"), {}},
                                         NumLockRow{"Negative", std::string("-1"), {}},
                                         NumLockRow{"NotANumber", std::string("on"), {}},
                                         NumLockRow{"LeadingBlank", std::string(" 2"), {"SetNumLock(false)"}}),
                         [](const testing::TestParamInfo<NumLockRow>& info) { return info.param.name; });

TEST(loadSettings, WithoutANumLockHandlerLoadsAllTheSame) {
    RecordingStore store;
    store.preset({{{"KeySettings", "NumLockForce"}, "1"}});
    SettingsVariables s;
    loadSettings(s, store, kFolder, '/', nullptr);
    EXPECT_EQ(s.NumLockForce, 1);
}

// ---- Sound paths in the program folder --------------------------------------------------------------

struct PathRow {
    const char* name;
    std::string folder;
    char separator;
    std::string buzzer;
    std::string horn;
};

class DefaultSoundPaths : public testing::TestWithParam<PathRow> {};

TEST_P(DefaultSoundPaths, SitInTheProgramFolderWithOneSeparator) {
    RecordingStore store;
    const SettingsVariables s = loadFrom(store, GetParam().folder, GetParam().separator);
    EXPECT_EQ(s.BuzzerFile, GetParam().buzzer);
    EXPECT_EQ(s.HornFile, GetParam().horn);
    EXPECT_EQ(defaultSettings(GetParam().folder, GetParam().separator).BuzzerFile, GetParam().buzzer);
}

INSTANTIATE_TEST_SUITE_P(
    Folders, DefaultSoundPaths,
    testing::Values(PathRow{"Linux", "/opt/rinkmaster", '/', "/opt/rinkmaster/buzzer.wav", "/opt/rinkmaster/horn.wav"},
                    PathRow{"Windows", "C:\\Program Files\\Rinkmaster", '\\',
                            "C:\\Program Files\\Rinkmaster\\buzzer.wav", "C:\\Program Files\\Rinkmaster\\horn.wav"},
                    PathRow{"FilesystemRoot", "/", '/', "/buzzer.wav", "/horn.wav"},
                    PathRow{"DriveRoot", "D:\\", '\\', "D:\\buzzer.wav", "D:\\horn.wav"},
                    PathRow{"DriveRootForwardSlash", "D:/", '\\', "D:/buzzer.wav", "D:/horn.wav"},
                    PathRow{"NetworkShare", "\\\\server\\share", '\\', "\\\\server\\share\\buzzer.wav",
                            "\\\\server\\share\\horn.wav"},
                    PathRow{"BackslashIsAFileNameCharacterOnLinux", "/opt/odd\\", '/', "/opt/odd\\/buzzer.wav",
                            "/opt/odd\\/horn.wav"}),
    [](const testing::TestParamInfo<PathRow>& info) { return info.param.name; });

TEST(loadSettings, StoredTextsAreTakenAsTheyAre) {
    RecordingStore store;
    store.preset({{{"KeySettings", "BuzzerFile"}, "/missing/buzz.wav"},
                  {{"KeySettings", "HornFile"}, ""},
                  {{"TextSettings", "HomeText"}, ""},
                  {{"TextSettings", "VisitorText"}, "  Jokerit Ä  "},
                  {{"DisplaySettings", "PublicScreen"}, "HDMI-1 "}});
    const SettingsVariables s = loadFrom(store);
    EXPECT_EQ(s.BuzzerFile, "/missing/buzz.wav");
    EXPECT_EQ(s.HornFile, "");
    EXPECT_EQ(s.HomeText, "");
    EXPECT_EQ(s.VisitorText, "  Jokerit Ä  ");
    EXPECT_EQ(s.PublicScreen, "HDMI-1 ");
}

// ---- Numbers in the store ------------------------------------------------------------------------------

struct NumberRow {
    const char* name;
    const char* section;
    const char* key;
    std::string stored;
    std::function<std::int64_t(const SettingsVariables&)> variable;
    std::int64_t expected;
};

class StoredNumbers : public testing::TestWithParam<NumberRow> {};

TEST_P(StoredNumbers, AreReadAsPlainDecimalsOrFallBackToTheDefault) {
    RecordingStore store;
    // Keep the stored keys: the conversion would hide what was read.
    store.preset({{{GetParam().section, GetParam().key}, GetParam().stored}, {{"KeySettings", "IsKeyCode"}, "Yes"}});
    EXPECT_EQ(GetParam().variable(loadFrom(store)), GetParam().expected);
}

namespace {
std::int64_t timeColor(const SettingsVariables& s) {
    return s.TimeColor;
}
std::int64_t borderColor(const SettingsVariables& s) {
    return s.BorderColor;
}
std::int64_t markerWidth(const SettingsVariables& s) {
    return s.LEDSelectedWidth;
}
std::int64_t startStopKey(const SettingsVariables& s) {
    return s.StartStopClockKey;
}
std::int64_t clockSwitchKey(const SettingsVariables& s) {
    return s.ClockSwitchKey;
}
std::int64_t numLockForce(const SettingsVariables& s) {
    return s.NumLockForce;
}
std::int64_t teamSize(const SettingsVariables& s) {
    return s.TeamSize;
}
std::int64_t ledType(const SettingsVariables& s) {
    return s.LEDType;
}
} // namespace

INSTANTIATE_TEST_SUITE_P(
    Rows, StoredNumbers,
    testing::Values(
        NumberRow{"Plain", "ColorSettings", "TimeColor", "65280", timeColor, 65280},
        NumberRow{"LeadingBlankOfOldStores", "ColorSettings", "TimeColor", " 65280", timeColor, 65280},
        NumberRow{"BlanksAndTabsAround", "ColorSettings", "TimeColor", "\t65280  ", timeColor, 65280},
        NumberRow{"NegativeIsNotRangeChecked", "ColorSettings", "TimeColor", "-1", timeColor, -1},
        NumberRow{"Largest", "ColorSettings", "TimeColor", "2147483647", timeColor, 2147483647},
        NumberRow{"Smallest", "ColorSettings", "TimeColor", "-2147483648", timeColor, -2147483648LL},
        NumberRow{"OneTooLarge", "ColorSettings", "TimeColor", "2147483648", timeColor, 255},
        NumberRow{"Overflow", "ColorSettings", "BorderColor", "99999999999", borderColor, 16777215},
        NumberRow{"HugeOverflow", "ColorSettings", "BorderColor", "999999999999999999999999", borderColor, 16777215},
        NumberRow{"Word", "ColorSettings", "TimeColor", "red", timeColor, 255},
        NumberRow{"Empty", "ColorSettings", "TimeColor", "", timeColor, 255},
        NumberRow{"OnlyBlanks", "ColorSettings", "TimeColor", "   ", timeColor, 255},
        NumberRow{"LoneMinus", "ColorSettings", "TimeColor", "-", timeColor, 255},
        NumberRow{"TrailingGarbage", "ColorSettings", "TimeColor", "12abc", timeColor, 255},
        NumberRow{"BlankInside", "ColorSettings", "TimeColor", "12 34", timeColor, 255},
        NumberRow{"Hex", "ColorSettings", "TimeColor", "0xFF", timeColor, 255},
        NumberRow{"PlusSign", "ColorSettings", "TimeColor", "+5", timeColor, 255},
        NumberRow{"Decimal", "ColorSettings", "TimeColor", "1.5", timeColor, 255},
        NumberRow{"Exponent", "ColorSettings", "TimeColor", "1e3", timeColor, 255},
        NumberRow{"WidthOutsideTheDialogsRange", "ColorSettings", "LEDSelectedWidth", "9", markerWidth, 9},
        NumberRow{"WidthBeyondSixteenBits", "ColorSettings", "LEDSelectedWidth", "70000", markerWidth, 0},
        NumberRow{"KeyLargest", "KeySettings", "ClockSwitchKey", "32767", clockSwitchKey, 32767},
        NumberRow{"KeySmallest", "KeySettings", "ClockSwitchKey", "-32768", clockSwitchKey, -32768},
        NumberRow{"KeyBeyondSixteenBits", "KeySettings", "ClockSwitchKey", "32768", clockSwitchKey, 67},
        NumberRow{"KeyAsLetter", "KeySettings", "StartStopClockKey", "S", startStopKey, 83},
        NumberRow{"KeyKept", "KeySettings", "StartStopClockKey", "115", startStopKey, 115},
        NumberRow{"ModeOverflow", "KeySettings", "NumLockForce", "99999999999", numLockForce, 0},
        NumberRow{"ModeWord", "KeySettings", "NumLockForce", "on", numLockForce, 0},
        NumberRow{"StyleOutsideTheList", "PicSettings", "LEDType", "5", ledType, 5},
        NumberRow{"StyleWord", "PicSettings", "LEDType", "Dots", ledType, 0},
        NumberRow{"SizeWhole", "TextSettings", "TeamSize", "36", teamSize, 360000},
        NumberRow{"SizeDecimal", "TextSettings", "TeamSize", "12.5", teamSize, 125000},
        NumberRow{"SizeWithBlanks", "TextSettings", "TeamSize", " 12.5 ", teamSize, 125000},
        NumberRow{"SizeNoWholePart", "TextSettings", "TeamSize", ".5", teamSize, 5000},
        NumberRow{"SizeNoFraction", "TextSettings", "TeamSize", "12.", teamSize, 120000},
        NumberRow{"SizeNegative", "TextSettings", "TeamSize", "-3", teamSize, -30000},
        NumberRow{"SizeFourPlaces", "TextSettings", "TeamSize", "12.3456", teamSize, 123456},
        NumberRow{"SizeFifthPlaceRoundsUp", "TextSettings", "TeamSize", "12.34567", teamSize, 123457},
        NumberRow{"SizeHalfToEvenDown", "TextSettings", "TeamSize", "12.00005", teamSize, 120000},
        NumberRow{"SizeHalfToEvenUp", "TextSettings", "TeamSize", "12.00015", teamSize, 120002},
        NumberRow{"SizeJustOverHalf", "TextSettings", "TeamSize", "12.000050001", teamSize, 120001},
        NumberRow{"SizeLargest", "TextSettings", "TeamSize", "922337203685477.5807", teamSize,
                  std::numeric_limits<std::int64_t>::max()},
        NumberRow{"SizeRoundsPastLargest", "TextSettings", "TeamSize", "922337203685477.58075", teamSize, 240000},
        NumberRow{"SizeOverflow", "TextSettings", "TeamSize", "99999999999999999", teamSize, 240000},
        NumberRow{"SizeDecimalComma", "TextSettings", "TeamSize", "12,5", teamSize, 240000},
        NumberRow{"SizeLonePoint", "TextSettings", "TeamSize", ".", teamSize, 240000},
        NumberRow{"SizeTwoPoints", "TextSettings", "TeamSize", "1.2.3", teamSize, 240000},
        NumberRow{"SizeExponent", "TextSettings", "TeamSize", "2e1", teamSize, 240000},
        NumberRow{"SizeEmpty", "TextSettings", "TeamSize", "", teamSize, 240000},
        NumberRow{"SizeWord", "TextSettings", "TeamSize", "big", teamSize, 240000}),
    [](const testing::TestParamInfo<NumberRow>& info) { return info.param.name; });

// ---- Saving ------------------------------------------------------------------------------------------------

namespace {
SettingsVariables distinctSettings() {
    SettingsVariables s;
    s.TimeColor = 1;
    s.LEDBack = 2;
    s.ScoreColor = 3;
    s.PeriodColor = 4;
    s.FormBack = 5;
    s.LEDSelected = 6;
    s.BorderColor = 16777215;
    s.HomeColor = 8;
    s.VisitorColor = -9;
    s.LEDSelectedWidth = 3;
    s.StartStopClockKey = 84;
    s.ResetClockKey = 85;
    s.ClearKey = 8;
    s.ClockSwitchKey = 80;
    s.SepTimeKey = 74;
    s.BuzzerKey = 190;
    s.HornKey = 121;
    s.BuzzerFile = "C:\\Sounds\\buzz.wav";
    s.HornFile = "";
    s.NumLockForce = 2;
    s.HomeText = "";
    s.VisitorText = "Kärpät, Oulu";
    s.TeamSize = 125000;
    s.LEDType = 1;
    s.ShowPlayerNumbers = true;
    s.PenaltyRules = true;
    s.IntermissionLength = secondsToTime(65);
    s.MinorLength = secondsToTime(90);
    s.PublicScreen = "HDMI-1";
    return s;
}
} // namespace

TEST(saveSettings, WritesEveryValueInOrderAsDecimalText) {
    RecordingStore store;
    saveSettings(distinctSettings(), store);
    const std::vector<std::string> expected = {
        "write ColorSettings/TimeColor=1",
        "write ColorSettings/LEDBack=2",
        "write ColorSettings/LEDSelected=6",
        "write ColorSettings/ScoreColor=3",
        "write ColorSettings/PeriodColor=4",
        "write ColorSettings/FormBack=5",
        "write ColorSettings/BorderColor=16777215",
        "write ColorSettings/HomeColor=8",
        "write ColorSettings/VisitorColor=-9",
        "write ColorSettings/LEDSelectedWidth=3",
        "write KeySettings/StartStopClockKey=84",
        "write KeySettings/ResetClockKey=85",
        "write KeySettings/ClearKey=8",
        "write KeySettings/ClockSwitchKey=80",
        "write KeySettings/SepTimeKey=74",
        "write KeySettings/BuzzerKey=190",
        "write KeySettings/HornKey=121",
        "write KeySettings/BuzzerFile=C:\\Sounds\\buzz.wav",
        "write KeySettings/HornFile=",
        "write KeySettings/NumLockForce=2",
        "write TextSettings/HomeText=",
        "write TextSettings/VisitorText=Kärpät, Oulu",
        "write TextSettings/TeamSize=12.5",
        "write PicSettings/LEDType=1",
        "write PicSettings/ShowPlayerNumbers=Yes",
        "write KeySettings/IsKeyCode=Yes",
        "write RuleSettings/PenaltyRules=Yes",
        "write RuleSettings/IntermissionLength=1:05",
        "write RuleSettings/MinorLength=1:30",
        "write DisplaySettings/PublicScreen=HDMI-1",
    };
    EXPECT_EQ(store.log, expected);
    EXPECT_EQ(store.values().size(), 30u); // the 29 values and the key-code marker
}

TEST(saveSettings, CustomKeysSavedIntoAnEmptyStoreHoldAtTheNextStart) {
    RecordingStore store;
    SettingsVariables s = loadFrom(store);
    store.clear(); // the store is deleted while the board runs
    s.StartStopClockKey = 84;
    s.ResetClockKey = 85;
    s.ClearKey = 8;
    s.BuzzerKey = 190;
    s.HornKey = 121;
    saveSettings(s, store);
    const SettingsVariables next = loadFrom(store);
    EXPECT_EQ(next.StartStopClockKey, 84);
    EXPECT_EQ(next.ResetClockKey, 85);
    EXPECT_EQ(next.ClearKey, 8);
    EXPECT_EQ(next.BuzzerKey, 190);
    EXPECT_EQ(next.HornKey, 121);
}

TEST(saveSettings, WhatIsSavedLoadsBackUnchanged) {
    RecordingStore store;
    saveSettings(distinctSettings(), store);
    EXPECT_EQ(loadFrom(store, "/elsewhere"), distinctSettings());
}

TEST(saveSettings, AfterAFirstRunTheStoreHoldsEveryValue) {
    RecordingStore store;
    saveSettings(loadFrom(store), store);
    EXPECT_EQ(store.values().size(), 30u); // the 29 values and the conversion marker
    EXPECT_EQ(store.values().at({"TextSettings", "TeamSize"}), "24");
    EXPECT_EQ(store.values().at({"ColorSettings", "BorderColor"}), "16777215");
    EXPECT_EQ(store.values().at({"ColorSettings", "LEDSelected"}), "4210752");
    EXPECT_EQ(store.values().at({"KeySettings", "BuzzerFile"}), "/opt/rinkmaster/buzzer.wav");
    EXPECT_EQ(store.values().at({"RuleSettings", "PenaltyRules"}), "No");
    EXPECT_EQ(store.values().at({"RuleSettings", "IntermissionLength"}), "15:00");
    EXPECT_EQ(store.values().at({"RuleSettings", "MinorLength"}), "2:00");
    EXPECT_EQ(store.values().at({"PicSettings", "ShowPlayerNumbers"}), "No");
    EXPECT_EQ(store.values().at({"DisplaySettings", "PublicScreen"}), "");
}

struct RuleSwitchRow {
    const char* name;
    std::optional<std::string> stored; // nothing: absent
    bool on;
};

class PenaltyRulesSwitch : public testing::TestWithParam<RuleSwitchRow> {};

TEST_P(PenaltyRulesSwitch, IsOnOnlyForExactlyYes) {
    RecordingStore store;
    if (GetParam().stored)
        store.preset({{{"RuleSettings", "PenaltyRules"}, *GetParam().stored}});
    EXPECT_EQ(loadFrom(store).PenaltyRules, GetParam().on);
}

INSTANTIATE_TEST_SUITE_P(Rows, PenaltyRulesSwitch,
                         testing::Values(RuleSwitchRow{"Absent", std::nullopt, false},
                                         RuleSwitchRow{"Yes", std::string("Yes"), true},
                                         RuleSwitchRow{"No", std::string("No"), false},
                                         RuleSwitchRow{"LowerCaseYes", std::string("yes"), false},
                                         RuleSwitchRow{"One", std::string("1"), false},
                                         RuleSwitchRow{"Empty", std::string(""), false}),
                         [](const testing::TestParamInfo<RuleSwitchRow>& info) { return info.param.name; });

struct IntermissionRow {
    const char* name;
    std::optional<std::string> stored; // nothing: absent
    std::int64_t seconds;
};

class IntermissionLengthText : public testing::TestWithParam<IntermissionRow> {};

// A hand-edited value that is no length from 0:01 to 99:59 reads as the default, 15:00.
TEST_P(IntermissionLengthText, IsMinutesAndSecondsOrTheDefault) {
    RecordingStore store;
    if (GetParam().stored)
        store.preset({{{"RuleSettings", "IntermissionLength"}, *GetParam().stored}});
    EXPECT_EQ(loadFrom(store).IntermissionLength, secondsToTime(GetParam().seconds));
}

INSTANTIATE_TEST_SUITE_P(Rows, IntermissionLengthText,
                         testing::Values(IntermissionRow{"Absent", std::nullopt, 900},
                                         IntermissionRow{"TenMinutes", std::string("10:00"), 600},
                                         IntermissionRow{"FiveSeconds", std::string("0:05"), 5},
                                         IntermissionRow{"Blanks", std::string(" 17:30 "), 1050},
                                         IntermissionRow{"Longest", std::string("99:59"), 5999},
                                         IntermissionRow{"Zero", std::string("0:00"), 900},
                                         IntermissionRow{"SixtySeconds", std::string("1:60"), 900},
                                         IntermissionRow{"NoColon", std::string("15"), 900},
                                         IntermissionRow{"OneSecondDigit", std::string("15:0"), 900},
                                         IntermissionRow{"HundredMinutes", std::string("100:00"), 900},
                                         IntermissionRow{"Negative", std::string("-1:00"), 900},
                                         IntermissionRow{"Garbage", std::string("abc"), 900},
                                         IntermissionRow{"Empty", std::string(""), 900}),
                         [](const testing::TestParamInfo<IntermissionRow>& info) { return info.param.name; });

// The minor's length: 0:30 to 4:59 (a double minor of two must fit the penalty clock), else 2:00.
TEST(Settings, MinorLengthIsWithinAMinorsBoundsOrTheDefault) {
    const std::pair<const char*, std::int64_t> rows[] = {{"1:30", 90},  {"2:00", 120}, {"0:30", 30}, {"4:59", 299},
                                                         {"0:29", 120}, {"5:00", 120}, {"x", 120},   {"", 120}};
    for (const auto& [stored, seconds] : rows) {
        RecordingStore store;
        store.preset({{{"RuleSettings", "MinorLength"}, stored}});
        EXPECT_EQ(loadFrom(store).MinorLength, secondsToTime(seconds)) << stored;
    }
}

class PlayerNumbersSwitch : public testing::TestWithParam<RuleSwitchRow> {};

TEST_P(PlayerNumbersSwitch, IsOnOnlyForExactlyYes) {
    RecordingStore store;
    if (GetParam().stored)
        store.preset({{{"PicSettings", "ShowPlayerNumbers"}, *GetParam().stored}});
    EXPECT_EQ(loadFrom(store).ShowPlayerNumbers, GetParam().on);
}

INSTANTIATE_TEST_SUITE_P(Rows, PlayerNumbersSwitch,
                         testing::Values(RuleSwitchRow{"Absent", std::nullopt, false},
                                         RuleSwitchRow{"Yes", std::string("Yes"), true},
                                         RuleSwitchRow{"No", std::string("No"), false},
                                         RuleSwitchRow{"UpperCaseYes", std::string("YES"), false}),
                         [](const testing::TestParamInfo<RuleSwitchRow>& info) { return info.param.name; });

struct SizeTextRow {
    FixedPoint4 value;
    const char* text;
};

class TeamSizeText : public testing::TestWithParam<SizeTextRow> {};

TEST_P(TeamSizeText, IsPlainDecimalWithoutTrailingZeros) {
    EXPECT_EQ(formatFixedPoint4(GetParam().value), GetParam().text);
    // and reads back as the same value
    EXPECT_EQ(parseStoredFixedPoint4(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TeamSizeText,
    testing::Values(SizeTextRow{240000, "24"}, SizeTextRow{125000, "12.5"}, SizeTextRow{123456, "12.3456"},
                    SizeTextRow{120100, "12.01"}, SizeTextRow{5000, "0.5"}, SizeTextRow{-5000, "-0.5"},
                    SizeTextRow{-240000, "-24"}, SizeTextRow{0, "0"}, SizeTextRow{1, "0.0001"},
                    SizeTextRow{std::numeric_limits<std::int64_t>::max(), "922337203685477.5807"},
                    SizeTextRow{std::numeric_limits<std::int64_t>::min(), "-922337203685477.5808"}));

TEST(InMemorySettingsStore, FlushReportsTheFailureItWasGiven) {
    InMemorySettingsStore store;
    std::string error;
    EXPECT_TRUE(store.flush(&error));
    store.setFlushFailure("disk full");
    store.write("TextSettings", "HomeText", "Lions");
    EXPECT_FALSE(store.flush(&error));
    EXPECT_EQ(error, "disk full");
    EXPECT_FALSE(store.flush(nullptr));
    EXPECT_EQ(store.readText("TextSettings", "HomeText", "Home"), "Lions");
    EXPECT_EQ(store.readText("TextSettings", "VisitorText", "Visitor"), "Visitor");
}
