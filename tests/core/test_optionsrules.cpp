#include "core/display/LedGlyph.h"
#include "core/settings/OptionsRules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A path of exactly `length` characters ending in "/" + name.
std::string pathOfLength(std::size_t length, const std::string& name) {
    const std::string tail = "/" + name;
    std::string head = "/home/scorekeeper/arena-sounds";
    while (head.size() + tail.size() < length)
        head += "x";
    return (head + tail).substr(head.size() + tail.size() - length);
}

struct ChopRow {
    const char* name;
    std::string path;
    std::string existingName;
    int length;
    std::string expected;
};

class ChopFileNameTable : public testing::TestWithParam<ChopRow> {};

TEST_P(ChopFileNameTable, ShowsAPathInItsLabel) {
    const ChopRow& row = GetParam();
    EXPECT_EQ(chopFileName(row.path, row.existingName, row.length), row.expected);
}

const std::string k50 = pathOfLength(50, "horn.wav");
const std::string k51 = pathOfLength(51, "horn.wav");
const std::string k60 = pathOfLength(60, "horn.wav");
const std::string kLongName = std::string(46, 'n') + ".wav"; // 50 characters
const std::string kHugeName = std::string(66, 'h') + ".wav"; // 70 characters
const std::string k45Name = std::string(41, 'q') + ".wav";   // leaves no room for the path's beginning

INSTANTIATE_TEST_SUITE_P(
    Rows, ChopFileNameTable,
    testing::Values(ChopRow{"FiftyCharactersWhole", k50, "horn.wav", 50, k50},
                    ChopRow{"FiftyCharactersOfAMissingFileWhole", k50, "", 50, k50},
                    ChopRow{"EmptyPath", "", "", 50, "[No File Selected]"},
                    ChopRow{"SixtyCharactersToHornWav", k60, "horn.wav", 50, k60.substr(0, 37) + " ...\\horn.wav"},
                    ChopRow{"FiftyOneCharacters", k51, "horn.wav", 50, k51.substr(0, 37) + " ...\\horn.wav"},
                    // The file-name part of a missing file is empty: the beginning alone, then the marker.
                    ChopRow{"MissingFile", k60, "", 50, k60.substr(0, 45) + " ...\\"},
                    ChopRow{"NameFillsTheLabel", pathOfLength(60, k45Name), k45Name, 50, " ...\\" + k45Name},
                    // A name too long for the marker and the path's beginning is shown alone, cut to the label.
                    ChopRow{"NameLeavesNoRoom", pathOfLength(60, kLongName), kLongName, 50, kLongName},
                    ChopRow{"NameLongerThanTheLabel", pathOfLength(80, kHugeName), kHugeName, 50,
                            kHugeName.substr(0, 50)}),
    [](const testing::TestParamInfo<ChopRow>& info) { return info.param.name; });

TEST(chopFileName, NeverLongerThanTheLabel) {
    for (std::size_t pathLength = 0; pathLength <= 90; ++pathLength) {
        for (std::size_t nameLength : {1U, 8U, 30U, 44U, 45U, 46U, 50U, 60U}) {
            const std::string name(nameLength, 'a');
            const std::string path = pathOfLength(std::max(pathLength, nameLength + 1), name);
            const std::string shown = chopFileName(path, name, 50);
            EXPECT_LE(shown.size(), 50U) << path;
        }
    }
}

TEST(chopFileName, CountsLettersNotBytes) {
    // "é" takes two bytes; 50 letters are shown whole and a longer path is never cut inside a letter.
    std::string fifty;
    for (int i = 0; i < 50; ++i)
        fifty += "\xC3\xA9";
    EXPECT_EQ(chopFileName(fifty, "", 50), fifty);
    const std::string sixty = fifty + std::string(10, 'z');
    std::string expected;
    for (int i = 0; i < 45; ++i)
        expected += "\xC3\xA9";
    EXPECT_EQ(chopFileName(sixty, "", 50), expected + " ...\\");
    const std::string nameOfLetters = fifty + ".wav";
    EXPECT_EQ(chopFileName("/" + nameOfLetters, nameOfLetters, 50), fifty);
}

struct ClampRow {
    const char* name;
    std::int16_t stored;
    std::int16_t width;
    std::int16_t ledType;
};

class ClampTable : public testing::TestWithParam<ClampRow> {};

TEST_P(ClampTable, HandEditedValuesTakeTheNearestTheControlsShow) {
    EXPECT_EQ(clampSelectedWidth(GetParam().stored), GetParam().width);
    // The LED style is not clamped: anything but Dots is Lines, as the board draws it.
    EXPECT_EQ(ledStyleOf(GetParam().stored), GetParam().ledType);
}

INSTANTIATE_TEST_SUITE_P(Rows, ClampTable,
                         testing::Values(ClampRow{"Lowest", -32768, 0, 0}, ClampRow{"MinusOne", -1, 0, 0},
                                         ClampRow{"Zero", 0, 0, 0}, ClampRow{"One", 1, 1, 1}, ClampRow{"Two", 2, 2, 0},
                                         ClampRow{"Five", 5, 5, 0}, ClampRow{"Six", 6, 5, 0},
                                         ClampRow{"Highest", 32767, 5, 0}),
                         [](const testing::TestParamInfo<ClampRow>& info) { return info.param.name; });

struct SizeRow {
    const char* name;
    FixedPoint4 stored;
    std::int16_t points;
};

class TeamSizeTable : public testing::TestWithParam<SizeRow> {};

TEST_P(TeamSizeTable, RoundsHalvesToEven) {
    EXPECT_EQ(teamSizePoints(GetParam().stored), GetParam().points);
}

INSTANTIATE_TEST_SUITE_P(Rows, TeamSizeTable,
                         testing::Values(SizeRow{"Whole", 240000, 24}, SizeRow{"HalfDown", 245000, 24},
                                         SizeRow{"HalfUp", 255000, 26}, SizeRow{"AboveHalf", 245001, 25},
                                         SizeRow{"BelowHalf", 254999, 25}, SizeRow{"NegativeHalf", -5000, 0},
                                         SizeRow{"NegativeOneAndHalf", -15000, -2},
                                         SizeRow{"Huge", 9000000000000000LL, 32767},
                                         SizeRow{"HugeNegative", -9000000000000000LL, -32768}),
                         [](const testing::TestParamInfo<SizeRow>& info) { return info.param.name; });

// A measure like a font's: every character is `advance` points wide per point of size, the line 1.15 em high,
// at 20 twips to the point.
std::pair<TextExtentTwips, TextExtentTwips> measureNames(int homeChars, int visitorChars, int points) {
    const auto extent = [points](int chars) {
        return TextExtentTwips{std::int64_t{chars} * points * 12, std::int64_t{points} * 23};
    };
    return {extent(homeChars), extent(visitorChars)};
}

struct FitRow {
    const char* name;
    int homeChars;
    int visitorChars;
    std::int16_t expected;
};

class FitTable : public testing::TestWithParam<FitRow> {};

TEST_P(FitTable, LargestSizeAtWhichBothNamesFit) {
    const FitRow& row = GetParam();
    int calls = 0;
    const std::int16_t size = fitTeamNameSize([&](int points) {
        ++calls;
        return measureNames(row.homeChars, row.visitorChars, points);
    });
    EXPECT_EQ(size, row.expected);
    EXPECT_LE(size, 60);
    // Starts at 60 every time and stops at the first fit.
    EXPECT_EQ(calls, std::min(60, 61 - std::max<int>(size, 10)));
}

// Height 23 x points < 600 holds up to 26 points; width 12 x chars x points < 1900.
INSTANTIATE_TEST_SUITE_P(Rows, FitTable,
                         testing::Values(FitRow{"ShortNamesLimitedByHeight", 1, 1, 26},
                                         FitRow{"NoNamesAtAll", 0, 0, 26}, FitRow{"FourAndSeven", 4, 7, 22},
                                         FitRow{"TheLongerNameDecides", 12, 3, 13}, FitRow{"JustTen", 15, 15, 10},
                                         FitRow{"EvenTenTooWide", 16, 2, 9}, FitRow{"Twenty", 20, 20, 9}),
                         [](const testing::TestParamInfo<FitRow>& info) { return info.param.name; });

TEST(FitTeamNameSize, BoxEdgesDoNotFit) {
    EXPECT_TRUE(fitsTeamNameBox({1899, 599}));
    EXPECT_FALSE(fitsTeamNameBox({1900, 10}));
    EXPECT_FALSE(fitsTeamNameBox({10, 600}));
}

TEST(FitTeamNameSize, LengtheningNeverRaisesShorteningNeverLowers) {
    std::int16_t previous = 60;
    for (int chars = 0; chars <= 20; ++chars) {
        const std::int16_t size = fitTeamNameSize([chars](int points) { return measureNames(chars, 7, points); });
        EXPECT_LE(size, previous) << chars;
        previous = size;
    }
}

struct ResetRow {
    const char* name;
    WorkingKeys before;
    WorkingKeys after;
};

class ResetKeysTable : public testing::TestWithParam<ResetRow> {};

TEST_P(ResetKeysTable, DefaultsExceptTheClockSwitch) {
    EXPECT_EQ(resetKeys(GetParam().before), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ResetKeysTable,
    testing::Values(ResetRow{"ClockSwitchOnF", {65, 66, 67, 70, 69, 80, 81}, {83, 82, 46, 70, 73, 66, 71}},
                    ResetRow{"AlreadyDefaults", {83, 82, 46, 67, 73, 66, 71}, {83, 82, 46, 67, 73, 66, 71}},
                    // The kept clock-switch key would share S with start/stop: it returns to C instead.
                    ResetRow{"ClockSwitchOnS", {88, 82, 46, 83, 73, 66, 71}, {83, 82, 46, 67, 73, 66, 71}},
                    ResetRow{"ClockSwitchOnG", {83, 82, 46, 71, 73, 66, 88}, {83, 82, 46, 67, 73, 66, 71}}),
    [](const testing::TestParamInfo<ResetRow>& info) { return info.param.name; });

} // namespace
