#include "core/display/PublicScreen.h"

#include <gtest/gtest.h>

using screens::Placement;
using screens::ScreenChoice;
using screens::ScreenInfo;

namespace {

const ScreenInfo kLaptop{"eDP-1", 0, 0, 1920, 1080};
const ScreenInfo kArena{"HDMI-1", 1920, 0, 1920, 1080};
const ScreenInfo kLeft{"LEFT", 0, 0, 1920, 1080};
const ScreenInfo kRight{"RIGHT", 1920, 0, 1920, 1080};
// An X server's whole screen, reported beside its monitors.
const ScreenInfo kWhole{"screen", 0, 0, 3840, 1080};
const ScreenInfo kTiny{"HDMI-1", 1920, 0, 320, 240};
const ScreenInfo kHuge{"HDMI-1", 1920, 0, 7680, 4320};
const ScreenInfo kNoArea{"HDMI-1", 1920, 0, 0, 0};
const ScreenInfo kSecondArena{"HDMI-1", 3840, 0, 1280, 720};
const ScreenInfo kFarOut{"DP-9", 2147483000, 0, 1000, 1000};

struct ChoiceRow {
    const char* name;
    const char* wanted;
    std::vector<ScreenInfo> screens;
    std::optional<std::size_t> console;
    Placement placement;
    std::optional<std::size_t> publicScreen;
    std::optional<std::size_t> moveConsoleTo;
    const char* note;
};

class PublicScreenChoice : public testing::TestWithParam<ChoiceRow> {};

TEST_P(PublicScreenChoice, PlacesThePublicBoardOrSaysWhyNot) {
    const ChoiceRow& row = GetParam();
    const ScreenChoice choice = screens::choosePublicScreen(row.wanted, row.screens, row.console);
    EXPECT_EQ(choice.placement, row.placement);
    EXPECT_EQ(choice.publicScreen, row.publicScreen);
    EXPECT_EQ(choice.consoleScreen, row.moveConsoleTo);
    EXPECT_EQ(choice.note, row.note);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PublicScreenChoice,
    testing::Values(
        ChoiceRow{"NothingWanted",
                  "",
                  {kLaptop, kArena},
                  0,
                  Placement::ThisWindowOnly,
                  {},
                  {},
                  "Public board: this window only"},
        ChoiceRow{"BlanksOnlyAreNothing",
                  "  ",
                  {kLaptop, kArena},
                  0,
                  Placement::ThisWindowOnly,
                  {},
                  {},
                  "Public board: this window only"},
        ChoiceRow{"SecondScreen",
                  "HDMI-1",
                  {kLaptop, kArena},
                  0,
                  Placement::OnScreen,
                  1,
                  {},
                  "Public board on HDMI-1 1920x1080"},
        ChoiceRow{"NameWithBlanksAround",
                  " HDMI-1 ",
                  {kLaptop, kArena},
                  0,
                  Placement::OnScreen,
                  1,
                  {},
                  "Public board on HDMI-1 1920x1080"},
        ChoiceRow{"NamesAreExact",
                  "hdmi-1",
                  {kLaptop, kArena},
                  0,
                  Placement::NotConnected,
                  {},
                  {},
                  "Public board not shown: screen hdmi-1 is not connected"},
        ChoiceRow{"UnpluggedScreen",
                  "HDMI-1",
                  {kLaptop},
                  0,
                  Placement::NotConnected,
                  {},
                  {},
                  "Public board not shown: screen HDMI-1 is not connected"},
        ChoiceRow{"NoScreensAtAll",
                  "HDMI-1",
                  {},
                  {},
                  Placement::NotConnected,
                  {},
                  {},
                  "Public board not shown: screen HDMI-1 is not connected"},
        ChoiceRow{"TwoScreensOneName",
                  "HDMI-1",
                  {kLaptop, kArena, kSecondArena},
                  0,
                  Placement::OnScreen,
                  1,
                  {},
                  "Public board on HDMI-1 1920x1080 (2 screens are named HDMI-1; the first is used)"},
        ChoiceRow{
            "TinyScreen", "HDMI-1", {kLaptop, kTiny}, 0, Placement::OnScreen, 1, {}, "Public board on HDMI-1 320x240"},
        ChoiceRow{"HugeScreen",
                  "HDMI-1",
                  {kLaptop, kHuge},
                  0,
                  Placement::OnScreen,
                  1,
                  {},
                  "Public board on HDMI-1 7680x4320"},
        ChoiceRow{"ScreenWithoutArea",
                  "HDMI-1",
                  {kLaptop, kNoArea},
                  0,
                  Placement::NoSize,
                  {},
                  {},
                  "Public board not shown: screen HDMI-1 reports no size"},
        ChoiceRow{"OnlyTheConsoleScreen",
                  "eDP-1",
                  {kLaptop},
                  0,
                  Placement::ConsoleScreen,
                  {},
                  {},
                  "Public board not shown: screen eDP-1 is the screen this window is on"},
        ChoiceRow{"ConsoleMovesOffThePublicScreen",
                  "HDMI-1",
                  {kLaptop, kArena},
                  1,
                  Placement::OnScreen,
                  1,
                  0,
                  "Public board on HDMI-1 1920x1080"},
        ChoiceRow{"ConsoleNotPlacedYet",
                  "HDMI-1",
                  {kArena, kLaptop},
                  {},
                  Placement::OnScreen,
                  0,
                  1,
                  "Public board on HDMI-1 1920x1080"},
        ChoiceRow{"ConsoleIndexBeyondTheList",
                  "HDMI-1",
                  {kLaptop, kArena},
                  7,
                  Placement::OnScreen,
                  1,
                  0,
                  "Public board on HDMI-1 1920x1080"},
        ChoiceRow{"MonitorsOfOneXScreen",
                  "RIGHT",
                  {kLeft, kRight, kWhole},
                  0,
                  Placement::OnScreen,
                  1,
                  {},
                  "Public board on RIGHT 1920x1080"},
        ChoiceRow{"ConsoleOnTheWholeXScreen",
                  "RIGHT",
                  {kLeft, kRight, kWhole},
                  2,
                  Placement::OnScreen,
                  1,
                  0,
                  "Public board on RIGHT 1920x1080"},
        // The whole X screen covers both monitors: the console is always on it.
        ChoiceRow{"WholeXScreenCoversTheConsole",
                  "screen",
                  {kLeft, kRight, kWhole},
                  0,
                  Placement::ConsoleScreen,
                  {},
                  {},
                  "Public board not shown: screen screen is the screen this window is on"},
        ChoiceRow{"AfterTheRightMonitorLeaves",
                  "RIGHT",
                  {kLeft, kWhole},
                  0,
                  Placement::NotConnected,
                  {},
                  {},
                  "Public board not shown: screen RIGHT is not connected"},
        ChoiceRow{"FarOutOnTheDesktop",
                  "DP-9",
                  {kLaptop, kFarOut},
                  0,
                  Placement::OnScreen,
                  1,
                  {},
                  "Public board on DP-9 1000x1000"}),
    [](const testing::TestParamInfo<ChoiceRow>& info) { return std::string(info.param.name); });

struct WantedRow {
    const char* stored;
    std::optional<std::string> commandLine;
    const char* wanted;
};

class WantedScreen : public testing::TestWithParam<WantedRow> {};

TEST_P(WantedScreen, CommandLineWinsOverTheStore) {
    EXPECT_EQ(screens::wantedScreenName(GetParam().stored, GetParam().commandLine), GetParam().wanted);
}

INSTANTIATE_TEST_SUITE_P(Rows, WantedScreen,
                         testing::Values(WantedRow{"", std::nullopt, ""}, WantedRow{"HDMI-1", std::nullopt, "HDMI-1"},
                                         WantedRow{"HDMI-1", std::string("DP-2"), "DP-2"},
                                         // An empty name on the command line asks for this window only.
                                         WantedRow{"HDMI-1", std::string(""), ""},
                                         WantedRow{"", std::string(" DP-2\t"), "DP-2"}));

struct OverlapRow {
    ScreenInfo a;
    ScreenInfo b;
    bool overlap;
};

class ScreenOverlap : public testing::TestWithParam<OverlapRow> {};

TEST_P(ScreenOverlap, SharedPixelsOnly) {
    EXPECT_EQ(screens::screensOverlap(GetParam().a, GetParam().b), GetParam().overlap);
    EXPECT_EQ(screens::screensOverlap(GetParam().b, GetParam().a), GetParam().overlap);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ScreenOverlap,
    testing::Values(OverlapRow{kLeft, kRight, false}, OverlapRow{kLeft, kWhole, true}, OverlapRow{kRight, kWhole, true},
                    OverlapRow{kLeft, kLeft, true}, OverlapRow{kNoArea, kArena, false},
                    OverlapRow{ScreenInfo{"A", 0, 0, 100, 100}, ScreenInfo{"B", 99, 99, 5, 5}, true},
                    OverlapRow{ScreenInfo{"A", 0, 0, 100, 100}, ScreenInfo{"B", 0, 100, 100, 5}, false},
                    OverlapRow{kFarOut, ScreenInfo{"B", 2147483600, 0, 10, 10}, true}));

struct OfferedRow {
    const char* name;
    std::vector<ScreenInfo> screens;
    std::vector<std::size_t> offered;
};

class OfferedScreens : public testing::TestWithParam<OfferedRow> {};

TEST_P(OfferedScreens, MonitorsOnlyEachNameOnce) {
    EXPECT_EQ(screens::offeredScreens(GetParam().screens), GetParam().offered);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, OfferedScreens,
    testing::Values(OfferedRow{"TwoMonitors", {kLaptop, kArena}, {0, 1}},
                    // X's whole desktop beside its monitors is never offered, wherever it is listed.
                    OfferedRow{"WholeDesktopLeftOut", {kWhole, kLeft, kRight}, {1, 2}},
                    OfferedRow{"WholeDesktopLastLeftOut", {kLeft, kRight, kWhole}, {0, 1}},
                    // Alone it spans nothing and stays.
                    OfferedRow{"OneScreenAlone", {kWhole}, {0}},
                    // Mirrored monitors of one size span nothing of each other.
                    OfferedRow{"Mirrored", {kLeft, ScreenInfo{"CLONE", 0, 0, 1920, 1080}}, {0, 1}},
                    OfferedRow{"NamelessAndEmptyLeftOut", {ScreenInfo{"", 4000, 0, 800, 600}, kNoArea, kLaptop}, {2}},
                    OfferedRow{"OneNameOnce", {kLaptop, kArena, kSecondArena}, {0, 1}},
                    OfferedRow{"NoScreens", {}, {}}),
    [](const testing::TestParamInfo<OfferedRow>& info) { return std::string(info.param.name); });

TEST(ScreenLabel, NameAndSize) {
    EXPECT_EQ(screens::screenLabel(kHuge), "HDMI-1 7680x4320");
    EXPECT_EQ(screens::screenLabel(ScreenInfo{"", 0, 0, 0, 0}), " 0x0");
}

} // namespace
