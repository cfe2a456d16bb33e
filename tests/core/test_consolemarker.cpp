#include "core/display/ConsoleMarker.h"

#include <gtest/gtest.h>

namespace {

struct MarkerRow {
    const char* name;
    OleColor formBack;
    OleColor ledBack;
    OleColor frame;
};

class ConsoleMarkerColour : public testing::TestWithParam<MarkerRow> {};

TEST_P(ConsoleMarkerColour, StandsOutFromBothBackgrounds) {
    EXPECT_EQ(screens::consoleMarkerColour(GetParam().formBack, GetParam().ledBack), GetParam().frame);
}

INSTANTIATE_TEST_SUITE_P(Rows, ConsoleMarkerColour,
                         testing::Values(MarkerRow{"DefaultGreyBoardBlackFields", 4210752, 0, 0xFFFFFF},
                                         MarkerRow{"YellowBoard", 0x00FFFF, 0, 0xFFFF00},
                                         MarkerRow{"WhiteBoardWhiteFields", 0xFFFFFF, 0xFFFFFF, 0x000000},
                                         MarkerRow{"YellowFieldsWhiteBoard", 0xFFFFFF, 0x00FFFF, 0x000000},
                                         MarkerRow{"BlackEverywhere", 0, 0, 0xFFFFFF},
                                         MarkerRow{"HighBitsIgnored", static_cast<OleColor>(0x7F000000), 0, 0xFFFFFF}),
                         [](const testing::TestParamInfo<MarkerRow>& info) { return std::string(info.param.name); });

struct GapRow {
    int width;
    int gap;
};

class ConsoleMarkerGap : public testing::TestWithParam<GapRow> {};

TEST_P(ConsoleMarkerGap, OutsideTheBoardsMarker) {
    EXPECT_EQ(screens::consoleMarkerGap(GetParam().width), GetParam().gap);
}

INSTANTIATE_TEST_SUITE_P(Rows, ConsoleMarkerGap,
                         testing::Values(GapRow{0, 0}, GapRow{3, 3}, GapRow{5, 5}, GapRow{-4, 0}, GapRow{50, 50},
                                         GapRow{32767, 50}));

} // namespace
