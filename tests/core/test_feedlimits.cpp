// How long and how much the feed lets a client take.
#include "core/feed/FeedLimits.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

using V = ConnectionGuard::Verdict;

FeedLimits limits() {
    FeedLimits l;
    l.maxRequestBytes = 1000;
    l.requestDeadlineMs = 5000;
    l.idleTimeoutMs = 30000;
    l.maxClientBacklogBytes = 4096;
    l.maxUnsentAnswerBytes = 2048;
    l.pingIntervalMs = 2000;
    l.pongTimeoutMs = 6000;
    return l;
}

// A connection's life as (time, event) steps and the verdict expected after each.
struct Step {
    std::int64_t at;
    enum { Bytes, Answer, Check } event;
    std::int64_t bytes;
    V expected;
    std::int64_t unsent = 0; // answers the client has not taken yet
};

struct GuardCase {
    const char* what;
    std::vector<Step> steps;
};

class ConnectionGuardTest : public ::testing::TestWithParam<GuardCase> {};

TEST_P(ConnectionGuardTest, Verdicts) {
    ConnectionGuard guard(limits(), 0);
    for (const Step& s : GetParam().steps) {
        V v = V::Keep;
        switch (s.event) {
        case Step::Bytes:
            v = guard.received(s.bytes, s.unsent, s.at);
            break;
        case Step::Answer:
            guard.answered(s.at);
            v = guard.check(s.unsent, s.at);
            break;
        case Step::Check:
            v = guard.check(s.unsent, s.at);
            break;
        }
        EXPECT_EQ(v, s.expected) << GetParam().what << " at " << s.at;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lives, ConnectionGuardTest,
    ::testing::Values(
        GuardCase{"a request answered at once",
                  {{10, Step::Bytes, 80, V::Keep}, {12, Step::Answer, 0, V::Keep}, {20000, Step::Check, 0, V::Keep}}},
        GuardCase{"headers at the limit are refused",
                  {{10, Step::Bytes, 999, V::Keep}, {20, Step::Bytes, 1000, V::TooLarge}}},
        GuardCase{"a connection that never says anything",
                  {{4999, Step::Check, 0, V::Keep}, {5001, Step::Check, 0, V::TimedOut}}},
        GuardCase{
            "a request trickled byte by byte",
            {{1000, Step::Bytes, 1, V::Keep}, {3000, Step::Bytes, 2, V::Keep}, {5001, Step::Bytes, 3, V::TimedOut}}},
        GuardCase{"kept alive, then idle too long",
                  {{100, Step::Bytes, 80, V::Keep},
                   {110, Step::Answer, 0, V::Keep},
                   {30110, Step::Check, 0, V::Keep},
                   {30111, Step::Check, 0, V::TimedOut}}},
        GuardCase{"the next request on a kept-alive connection has its own deadline",
                  {{100, Step::Bytes, 80, V::Keep},
                   {110, Step::Answer, 0, V::Keep},
                   {20000, Step::Bytes, 80, V::Keep},
                   {24999, Step::Check, 0, V::Keep},
                   {25001, Step::Check, 0, V::TimedOut}}},
        GuardCase{"a client that asks and never reads its answers",
                  {{100, Step::Bytes, 20, V::Keep, 1900},
                   {110, Step::Answer, 0, V::Keep, 2048},
                   {120, Step::Bytes, 20, V::NotReading, 2049},
                   {130, Step::Check, 0, V::NotReading, 9000}}},
        GuardCase{"answers taken in time",
                  {{100, Step::Bytes, 20, V::Keep, 2048},
                   {110, Step::Answer, 0, V::Keep, 0},
                   {20000, Step::Check, 0, V::Keep, 0}}},
        GuardCase{"more bytes of a pending request do not move its deadline",
                  {{100, Step::Bytes, 10, V::Keep},
                   {4000, Step::Bytes, 500, V::Keep},
                   {5200, Step::Check, 0, V::TimedOut}}}));

using W = LiveClientWatch::Verdict;

TEST(LiveClientWatch, PingsOnScheduleAndKeepsAClientThatAnswers) {
    LiveClientWatch w(limits(), 0);
    EXPECT_FALSE(w.pingDue(1999));
    EXPECT_TRUE(w.pingDue(2000));
    w.pinged(2000);
    EXPECT_FALSE(w.pingDue(3999));
    w.answered(2003);
    EXPECT_EQ(w.check(0, 8000), W::Keep);
    EXPECT_EQ(w.check(0, 8004), W::Silent);
}

struct WatchCase {
    const char* what;
    std::int64_t backlog;
    std::int64_t lastAnswer;
    std::int64_t now;
    W expected;
};

class LiveClientWatchTest : public ::testing::TestWithParam<WatchCase> {};
TEST_P(LiveClientWatchTest, Verdict) {
    LiveClientWatch w(limits(), 0);
    w.answered(GetParam().lastAnswer);
    EXPECT_EQ(w.check(GetParam().backlog, GetParam().now), GetParam().expected) << GetParam().what;
}
INSTANTIATE_TEST_SUITE_P(Examples, LiveClientWatchTest,
                         ::testing::Values(WatchCase{"reading", 900, 0, 100, W::Keep},
                                           WatchCase{"backlog at the limit", 4096, 0, 100, W::Keep},
                                           WatchCase{"backlog beyond the limit", 4097, 0, 100, W::NotReading},
                                           WatchCase{"no answer for too long", 0, 1000, 7001, W::Silent},
                                           WatchCase{"not reading wins over silence", 5000, 0, 9000, W::NotReading}));

} // namespace
