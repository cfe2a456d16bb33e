#include "core/TimeValue.h"
#include <gtest/gtest.h>

TEST(TimeValue, HalfEvenRounding) {
    EXPECT_EQ(roundToWholeSecondsHalfEven(tenthsToTime(905)), secondsToTime(90));
    EXPECT_EQ(roundToWholeSecondsHalfEven(tenthsToTime(915)), secondsToTime(92));
    EXPECT_EQ(roundToWholeSecondsHalfEven(tenthsToTime(1204)), secondsToTime(120));
    EXPECT_EQ(roundToWholeSecondsHalfEven(tenthsToTime(1206)), secondsToTime(121));
}
