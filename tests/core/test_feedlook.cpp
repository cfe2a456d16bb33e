// When the feed looks at the clocks on its own: only while the game clock's tenths are on the board.
#include "core/feed/FeedLook.h"
#include <gtest/gtest.h>

namespace {

struct LookCase {
    const char* what;
    bool running;
    TimeValue reading;
    bool watches;
};

class FeedLookTest : public ::testing::TestWithParam<LookCase> {};
TEST_P(FeedLookTest, Decision) {
    EXPECT_EQ(feedWatchesTenths(GetParam().running, GetParam().reading), GetParam().watches) << GetParam().what;
}
INSTANTIATE_TEST_SUITE_P(Examples, FeedLookTest,
                         ::testing::Values(LookCase{"stopped under a minute", false, tenthsToTime(300), false},
                                           LookCase{"running at 20:00", true, secondsToTime(1200), false},
                                           LookCase{"running at 1:00.1, shown as 1:01", true, tenthsToTime(601), false},
                                           LookCase{"running at 1:00.0, shown as 1:00", true, tenthsToTime(600), false},
                                           LookCase{"running at 59.9", true, tenthsToTime(599), true},
                                           LookCase{"running at 0.1", true, tenthsToTime(1), true},
                                           LookCase{"running at 0", true, 0, true}));

} // namespace
