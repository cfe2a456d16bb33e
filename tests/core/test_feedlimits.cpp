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

TEST(ConnectionGuard, IdleOnlyWithNothingPendingEitherWay) {
    FeedLimits l = limits();
    l.firstRequestGraceMs = 1000;
    ConnectionGuard guard(l, 100);
    EXPECT_FALSE(guard.idle(0, 1099)); // just opened: its first request may be on its way
    EXPECT_TRUE(guard.idle(0, 1100));  // nothing said for the whole grace
    EXPECT_EQ(guard.lastActivityMs(), 100);
    guard.received(40, 0, 1300); // a request on its way
    EXPECT_FALSE(guard.idle(0, 1300));
    EXPECT_EQ(guard.lastActivityMs(), 1300);
    guard.answered(1310);
    EXPECT_FALSE(guard.idle(500, 1310)); // the answer has not left yet
    EXPECT_TRUE(guard.idle(0, 1310));    // answered: idle at once
    EXPECT_EQ(guard.lastActivityMs(), 1310);
    guard.received(0, 0, 1900); // nothing new arrived: still idle, still quiet since the answer
    EXPECT_TRUE(guard.idle(0, 1900));
    EXPECT_EQ(guard.lastActivityMs(), 1310);
}

struct AdmissionCase {
    const char* what;
    std::vector<ConnectionSlot> open;
    std::string peer;
    bool admit;
    std::optional<std::size_t> drop;
};

class AdmissionTest : public ::testing::TestWithParam<AdmissionCase> {};
TEST_P(AdmissionTest, Decision) {
    FeedLimits l;
    l.maxConnections = 4;
    l.maxConnectionsPerPeer = 3;
    const Admission a = admitConnection(GetParam().open, GetParam().peer, l);
    EXPECT_EQ(a.admit, GetParam().admit) << GetParam().what;
    EXPECT_EQ(a.drop, GetParam().drop) << GetParam().what;
}
INSTANTIATE_TEST_SUITE_P(
    Examples, AdmissionTest,
    ::testing::Values(AdmissionCase{"room for everybody", {{"a", true, 5}, {"b", false, 1}}, "c", true, std::nullopt},
                      AdmissionCase{
                          "a peer below its bound", {{"a", true, 5}, {"a", true, 1}}, "a", true, std::nullopt},
                      AdmissionCase{"a peer at its bound pushes out its own oldest idle one",
                                    {{"a", true, 5}, {"a", false, 1}, {"b", true, 0}, {"a", true, 3}},
                                    "a",
                                    true,
                                    3},
                      AdmissionCase{"a peer at its bound with nothing idle still gets in while the feed has room",
                                    {{"a", false, 5}, {"a", false, 1}, {"a", false, 3}},
                                    "a",
                                    true,
                                    std::nullopt},
                      AdmissionCase{"a peer at its bound with nothing idle pushes out nobody else's in a full feed",
                                    {{"a", false, 5}, {"a", false, 1}, {"a", false, 3}, {"b", true, 0}},
                                    "a",
                                    false,
                                    std::nullopt},
                      AdmissionCase{"a full feed pushes out anybody's oldest idle one",
                                    {{"a", true, 9}, {"a", true, 7}, {"b", false, 1}, {"b", true, 8}},
                                    "c",
                                    true,
                                    1},
                      AdmissionCase{"a full feed with nothing idle refuses",
                                    {{"a", false, 9}, {"a", false, 7}, {"b", false, 1}, {"b", false, 8}},
                                    "c",
                                    false,
                                    std::nullopt},
                      AdmissionCase{"of two equally quiet, the earlier goes",
                                    {{"a", true, 4}, {"b", true, 4}, {"b", false, 1}, {"a", false, 1}},
                                    "c",
                                    true,
                                    0},
                      AdmissionCase{"one address holding idle connections does not shut out a new one from it",
                                    {{"x", true, 1}, {"x", true, 2}, {"x", true, 3}, {"y", false, 4}},
                                    "x",
                                    true,
                                    0},
                      AdmissionCase{"a full feed with nothing idle pushes out the trickle quiet for longest",
                                    {{"a", false, 9, true}, {"b", false, 1}, {"a", false, 4, true}, {"b", false, 2}},
                                    "c",
                                    true,
                                    2},
                      AdmissionCase{"an idle connection goes before a trickle",
                                    {{"a", false, 1, true}, {"b", true, 8}, {"a", false, 2, true}, {"b", false, 0}},
                                    "c",
                                    true,
                                    1},
                      AdmissionCase{"a peer at its bound in a full feed pushes out its own slowest trickle",
                                    {{"a", false, 5, true}, {"a", false, 1}, {"a", false, 3, true}, {"b", false, 0}},
                                    "a",
                                    true,
                                    2},
                      AdmissionCase{"a peer at its bound pushes out no trickle of anybody else's",
                                    {{"a", false, 5}, {"a", false, 1}, {"a", false, 3}, {"b", false, 0, true}},
                                    "a",
                                    false,
                                    std::nullopt}));

TEST(ConnectionGuard, ARequestThatComesInPiecesTricklesUntilAnswered) {
    ConnectionGuard guard(limits(), 0);
    EXPECT_FALSE(guard.trickling());
    guard.received(60, 0, 10, true); // a whole request at once
    EXPECT_FALSE(guard.trickling());
    guard.answered(12);
    guard.received(5, 0, 100, false); // the next one starts with a few bytes
    EXPECT_TRUE(guard.trickling());
    guard.received(60, 0, 900, true); // its end arriving later does not make it whole-and-fast
    EXPECT_TRUE(guard.trickling());
    guard.answered(901);
    EXPECT_FALSE(guard.trickling());
    EXPECT_FALSE(guard.heard());
}

struct TrickleCase {
    int maxConnections;
    int reserved;
    int tricklingNow;
    bool may;
};
class TrickleBudgetTest : public ::testing::TestWithParam<TrickleCase> {};
TEST_P(TrickleBudgetTest, Decision) {
    FeedLimits l;
    l.maxConnections = GetParam().maxConnections;
    l.reservedConnections = GetParam().reserved;
    EXPECT_EQ(mayTrickle(GetParam().tricklingNow, l), GetParam().may)
        << GetParam().maxConnections << " - " << GetParam().reserved << " with " << GetParam().tricklingNow;
}
INSTANTIATE_TEST_SUITE_P(Examples, TrickleBudgetTest,
                         ::testing::Values(TrickleCase{512, 128, 0, true}, TrickleCase{512, 128, 383, true},
                                           TrickleCase{512, 128, 384, false}, TrickleCase{256, 64, 300, false},
                                           TrickleCase{4, 2, 1, true}, TrickleCase{4, 2, 2, false},
                                           TrickleCase{3, 64, 0, false}, TrickleCase{256, 0, 255, true}));

TEST(FeedLimits, TheDefaultsKeepAShareForWholeRequests) {
    const FeedLimits l;
    EXPECT_GT(l.reservedConnections, 0);
    EXPECT_LT(l.reservedConnections, l.maxConnections);
    EXPECT_TRUE(mayTrickle(299, l)); // 300 trickles are held to their deadline, not closed to come back at once
    EXPECT_FALSE(mayTrickle(l.maxConnections - 1, l)); // and never take every slot
}

struct FloodCase {
    const char* what;
    int frames;      // sent evenly over
    std::int64_t ms; // this span
    bool closed;
};

class FrameRateTest : public ::testing::TestWithParam<FloodCase> {};
TEST_P(FrameRateTest, Verdict) {
    FeedLimits l;
    l.maxFramesPerSecond = 50;
    l.frameBurst = 100;
    LiveClientWatch w(l, 0);
    bool closed = false;
    for (int i = 0; i < GetParam().frames && !closed; ++i) {
        const std::int64_t at = GetParam().frames > 1 ? GetParam().ms * i / (GetParam().frames - 1) : 0;
        closed = w.frameReceived(at) == W::Flooding;
    }
    EXPECT_EQ(closed, GetParam().closed) << GetParam().what;
}
INSTANTIATE_TEST_SUITE_P(Examples, FrameRateTest,
                         ::testing::Values(FloodCase{"a burst up to the bound", 100, 0, false},
                                           FloodCase{"one more than the burst at once", 101, 0, true},
                                           FloodCase{"the bound rate for a minute", 3000, 60'000, false},
                                           FloodCase{"a little over the bound for a minute", 3200, 60'000, true},
                                           FloodCase{"a flood", 10'000, 1000, true},
                                           FloodCase{"a pong a second for an hour", 3600, 3'600'000, false}));

struct FrameBytesCase {
    std::int64_t payload;
    std::int64_t bytes;
};
class TextFrameBytesTest : public ::testing::TestWithParam<FrameBytesCase> {};
TEST_P(TextFrameBytesTest, Size) {
    EXPECT_EQ(textFrameBytes(GetParam().payload), GetParam().bytes) << GetParam().payload;
}
INSTANTIATE_TEST_SUITE_P(Examples, TextFrameBytesTest,
                         ::testing::Values(FrameBytesCase{0, 2}, FrameBytesCase{125, 127}, FrameBytesCase{126, 130},
                                           FrameBytesCase{65535, 65539}, FrameBytesCase{65536, 65546}));

struct PingCase {
    const char* what;
    int pings;             // empty pings answered (two bytes each), evenly over
    std::int64_t ms;       // this span
    std::int64_t ownBytes; // the feed's own messages written meanwhile
    bool closed;
};
class PingCountTest : public ::testing::TestWithParam<PingCase> {};
TEST_P(PingCountTest, Verdict) {
    FeedLimits l;
    l.maxFramesPerSecond = 50;
    l.frameBurst = 100;
    LiveClientWatch w(l, 0);
    bool closed = false;
    std::int64_t written = 0;
    std::int64_t sent = 0;
    for (int i = 0; i < GetParam().pings && !closed; ++i) {
        const std::int64_t at = GetParam().pings > 1 ? GetParam().ms * i / (GetParam().pings - 1) : 0;
        sent += GetParam().ownBytes / GetParam().pings;
        written += GetParam().ownBytes / GetParam().pings + 2;
        closed = w.answersWritten(written, sent, at) == W::Flooding;
    }
    EXPECT_EQ(closed, GetParam().closed) << GetParam().what;
}
INSTANTIATE_TEST_SUITE_P(Examples, PingCountTest,
                         ::testing::Values(PingCase{"a ping now and then", 60, 60'000, 0, false},
                                           PingCase{"pings up to the burst", 100, 0, 0, false},
                                           PingCase{"one more ping than the burst at once", 101, 0, 0, true},
                                           PingCase{"5000 pings as fast as they go", 5000, 1000, 0, true},
                                           PingCase{"the feed's own pushes are never counted", 50, 60'000,
                                                    std::int64_t{50} * 100'000, false}));

TEST(LiveClientWatch, PingsAndOtherFramesShareOneAllowance) {
    FeedLimits l;
    l.maxFramesPerSecond = 50;
    l.frameBurst = 100;
    LiveClientWatch w(l, 0);
    for (int i = 0; i < 60; ++i) {
        ASSERT_EQ(w.frameReceived(0), W::Keep);
    }
    EXPECT_EQ(w.answersWritten(80, 0, 0), W::Keep);     // 40 pongs: the allowance is spent
    EXPECT_EQ(w.answersWritten(82, 0, 0), W::Flooding); // one more
}

TEST(LiveClientWatch, AllowanceComesBackAfterAPause) {
    FeedLimits l;
    l.maxFramesPerSecond = 50;
    l.frameBurst = 100;
    LiveClientWatch w(l, 0);
    for (int i = 0; i < 100; ++i) {
        ASSERT_EQ(w.frameReceived(0), W::Keep);
    }
    EXPECT_EQ(w.frameReceived(10), W::Flooding); // half a frame earned back
    EXPECT_EQ(w.frameReceived(2000), W::Keep);   // two quiet seconds: a full burst again
}

} // namespace
