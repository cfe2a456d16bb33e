#include "core/display/LayoutScaling.h"
#include <gtest/gtest.h>

using namespace layout_scaling;

namespace {

struct RSizeCase {
    double width;
    double height;
    double expected;
};

class RSizeTest : public ::testing::TestWithParam<RSizeCase> {};

TEST_P(RSizeTest, FollowsTheSmallerRatio) {
    EXPECT_DOUBLE_EQ(rSize(24, GetParam().width, GetParam().height), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Windows, RSizeTest,
                         ::testing::Values(RSizeCase{9600, 7200, 24}, RSizeCase{19200, 7200, 24},
                                           RSizeCase{9600, 14400, 24}, RSizeCase{19200, 14400, 48},
                                           RSizeCase{3840 * 15 + 120, 2160 * 15 + 405, 24 * 32805.0 / 7200}));

LayoutTable table(std::int64_t w, std::int64_t h, LayoutEntry e) {
    LayoutTable t;
    t.origWidth = w;
    t.origHeight = h;
    t.entries.push_back(e);
    return t;
}

TEST(Stretch, SameSizeKeepsEverything) {
    const LayoutEntry e{0, 2835, 240, 1455, 3810, 16, 4, 80};
    const StretchedEntry s = stretch(e, table(9600, 7200, e), 9600, 7200);
    EXPECT_FLOAT_EQ(*s.left, 2835);
    EXPECT_FLOAT_EQ(*s.top, 240);
    EXPECT_DOUBLE_EQ(*s.width, 3810);
    EXPECT_DOUBLE_EQ(*s.height, 1455);
    EXPECT_DOUBLE_EQ(*s.fontSize, 16);
    EXPECT_DOUBLE_EQ(*s.borderWidth, 4);
    EXPECT_DOUBLE_EQ(*s.size, 80);
}

TEST(Stretch, TwiceAsWideDoublesOnlyLeftAndWidth) {
    const LayoutEntry e{0, 2835, 240, 1455, 3810, 16, 4, 80};
    const StretchedEntry s = stretch(e, table(9600, 7200, e), 19200, 7200);
    EXPECT_FLOAT_EQ(*s.left, 5670);
    EXPECT_FLOAT_EQ(*s.top, 240);
    EXPECT_DOUBLE_EQ(*s.width, 7620);
    EXPECT_DOUBLE_EQ(*s.height, 1455);
    EXPECT_DOUBLE_EQ(*s.fontSize, 16);
    EXPECT_DOUBLE_EQ(*s.borderWidth, 4);
    EXPECT_DOUBLE_EQ(*s.size, 80);
}

TEST(Stretch, TinyWindowNeverBelowOne) {
    const LayoutEntry e{0, 120, 120, 255, 255, 11, 1, 65};
    const StretchedEntry s = stretch(e, table(9600, 7200, e), 15, 15);
    EXPECT_GE(*s.width, 1);
    EXPECT_GE(*s.height, 1);
    EXPECT_GE(*s.fontSize, 1);
    EXPECT_GE(*s.borderWidth, 1);
    EXPECT_GE(*s.size, 1);
}

TEST(Stretch, ZeroMeansNotRecorded) {
    const LayoutEntry e{0, 0, 0, 1335, 1905, 0, 0, 0};
    const StretchedEntry s = stretch(e, table(9600, 7200, e), 19200, 14400);
    EXPECT_FALSE(s.left.has_value());
    EXPECT_FALSE(s.top.has_value());
    EXPECT_FALSE(s.fontSize.has_value());
    EXPECT_DOUBLE_EQ(*s.width, 3810);
}

TEST(Stretch, FourKWindowsRecordAndScaleWithoutOverflow) {
    // 3840 x 2160 pixels is 57600 x 32400 twips, far beyond 16 bits.
    const LayoutEntry e{0, 54000, 30000, 30000, 50000, 200, 20, 400};
    const LayoutTable t = table(3840 * 15 + 120, 2160 * 15 + 405, e);
    const StretchedEntry same = stretch(e, t, 3840 * 15 + 120, 2160 * 15 + 405);
    EXPECT_FLOAT_EQ(*same.left, 54000);
    EXPECT_DOUBLE_EQ(*same.size, 400);
    const StretchedEntry half = stretch(e, t, (3840 * 15 + 120) / 2.0, (2160 * 15 + 405) / 2.0);
    EXPECT_FLOAT_EQ(*half.left, 27000);
    EXPECT_DOUBLE_EQ(*half.size, 200);
}

TEST(Stretch, UnrecordedTableChangesNothing) {
    const StretchedEntry s = stretch(LayoutEntry{0, 10, 10, 10, 10, 10, 10, 10}, LayoutTable{}, 100, 100);
    EXPECT_FALSE(s.left.has_value());
    EXPECT_FALSE(s.size.has_value());
}

// A caption 1215 twips wide at 16 points, the text taking textWidth of it, in windows of every shape.
struct CaptionCase {
    const char* name;
    double width;
    double height;
    std::int64_t textWidth; // 0: not measured
    double font;
};

class CaptionFont : public ::testing::TestWithParam<CaptionCase> {};

TEST_P(CaptionFont, FollowsTheHeightUnlessTheTextWouldRunPastTheLabel) {
    const CaptionCase& c = GetParam();
    LayoutEntry e{0, 1320, 2400, 375, 1215, 16, 0, 0};
    e.textWidth = c.textWidth;
    const StretchedEntry s = stretch(e, table(9600, 7200, e), c.width, c.height);
    EXPECT_NEAR(*s.fontSize, c.font, 1e-9);
    EXPECT_DOUBLE_EQ(*s.width, 1215 * c.width / 9600); // the label itself follows the width as ever
}

INSTANTIATE_TEST_SUITE_P(Windows, CaptionFont,
                         ::testing::Values(CaptionCase{"DesignAspect", 19200, 14400, 1200, 32},
                                           CaptionCase{"DesignAspectTextWiderThanLabel", 19200, 14400, 1500, 32},
                                           CaptionCase{"Wide16To9", 25600, 14400, 1200, 32},
                                           CaptionCase{"Wide16To9TextWiderThanLabel", 25600, 14400, 1500, 32},
                                           CaptionCase{"FiveToFourFullCaption", 19200, 15360, 1200, 32},
                                           CaptionCase{"FiveToFourShortCaption", 19200, 15360, 600,
                                                       16 * 15360.0 / 7200},
                                           CaptionCase{"FiveToFourJustFits", 19200, 15360, 1139, 16 * 15360.0 / 7200},
                                           CaptionCase{"FiveToFourJustOver", 19200, 15360, 1140, 32},
                                           CaptionCase{"FiveToFourNotMeasured", 19200, 15360, 0, 16 * 15360.0 / 7200},
                                           CaptionCase{"TallNarrow", 9600, 14400, 1000, 16}),
                         [](const ::testing::TestParamInfo<CaptionCase>& info) { return info.param.name; });

TEST(RoundHalfEven, RecordsWholeNumbers) {
    EXPECT_EQ(roundHalfEven(12.5), 12);
    EXPECT_EQ(roundHalfEven(13.5), 14);
    EXPECT_EQ(roundHalfEven(-0.5), 0);
    EXPECT_EQ(roundHalfEven(57720.4), 57720);
    EXPECT_EQ(roundHalfEven(1e30), INT64_MAX);
    EXPECT_EQ(atLeastOne(0.2), 1);
    EXPECT_EQ(atLeastOne(2.5), 2.5);
}

} // namespace
