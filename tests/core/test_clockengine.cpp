#include "core/board/ClockEngine.h"
#include "core/board/ClockFace.h"
#include <cctype>
#include <gtest/gtest.h>
#include <random>

namespace {

TimeValue s(double seconds) {
    return static_cast<TimeValue>(seconds * 10 + (seconds >= 0 ? 0.5 : -0.5)) * 1000;
}

struct ParseCase {
    const char* typed;
    TimeValue expected;
};

class ParseEnteredTimeTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseEnteredTimeTest, ReadsTypedTime) {
    EXPECT_EQ(parseEnteredTime(GetParam().typed), GetParam().expected) << GetParam().typed;
}

INSTANTIATE_TEST_SUITE_P(Examples, ParseEnteredTimeTest,
                         ::testing::Values(ParseCase{"20", s(1200)}, ParseCase{"12.5", s(725)},
                                           ParseCase{"12.50", s(770)}, ParseCase{"0.455", s(45.5)},
                                           ParseCase{".30", s(30)}, ParseCase{"1.75", s(135)}, ParseCase{"", 0},
                                           ParseCase{"99.99", s(99 * 60 + 99)},
                                           ParseCase{"2.0159", s(121.5)}, // third digit is tenths, the rest ignored
                                           ParseCase{"100", kNoTime}, ParseCase{"1.2.3", kNoTime},
                                           ParseCase{"123456789", kNoTime}, ParseCase{"1a", kNoTime},
                                           ParseCase{"-1", kNoTime}, ParseCase{"1.100", s(70)}, ParseCase{".", 0},
                                           ParseCase{"00000099", s(99 * 60)}));

TEST(parseEnteredTime, RandomTextNeverCrashesNorAnswersNegative) {
    std::mt19937 rng(12345);
    const std::string alphabet = "0123456789..-+ x\xff\x80";
    for (int i = 0; i < 200000; ++i) {
        std::string text(rng() % 12, ' ');
        for (char& c : text) {
            c = alphabet[rng() % alphabet.size()];
        }
        const TimeValue t = parseEnteredTime(text);
        ASSERT_TRUE(t == kNoTime || (t >= 0 && t <= s(99 * 60 + 99.9))) << text;
    }
}

struct FaceCase {
    double seconds;
    std::array<int, 4> captions;
    bool colon;
};

class GameClockFaceTest : public ::testing::TestWithParam<FaceCase> {};

TEST_P(GameClockFaceTest, ShowsTime) {
    const GameClockFace face = gameClockFace(s(GetParam().seconds));
    EXPECT_EQ(face.captions, GetParam().captions) << GetParam().seconds;
    EXPECT_EQ(face.upperDotLit, GetParam().colon) << GetParam().seconds;
}

INSTANTIATE_TEST_SUITE_P(Examples, GameClockFaceTest,
                         ::testing::Values(FaceCase{600, {1, 0, 0, 0}, true}, FaceCase{307, {-1, 5, 0, 7}, true},
                                           FaceCase{45.3, {4, 5, 3, -1}, false}, FaceCase{7, {-1, 7, 0, -1}, false},
                                           FaceCase{60.0, {-1, 1, 0, 0}, true}, FaceCase{60.1, {-1, 1, 0, 1}, true},
                                           FaceCase{59.9, {5, 9, 9, -1}, false}, FaceCase{0, {-1, 0, 0, -1}, false},
                                           FaceCase{5999, {9, 9, 5, 9}, true}, FaceCase{0.1, {-1, 0, 1, -1}, false},
                                           FaceCase{600.05, {1, 0, 0, 1}, true}, FaceCase{10, {1, 0, 0, -1}, false}));

TEST(TimeOfDayFace, HoursAndMinutes) {
    EXPECT_EQ(timeOfDayFace(7, 5).captions, (std::array<int, 4>{-1, 7, 0, 5}));
    EXPECT_TRUE(timeOfDayFace(7, 5).upperDotLit);
    EXPECT_EQ(timeOfDayFace(23, 59).captions, (std::array<int, 4>{2, 3, 5, 9}));
    // Between midnight and 1:00 on a 24-hour clock: 0:MM with a colon, not the under-a-minute form.
    EXPECT_EQ(timeOfDayFace(0, 7).captions, (std::array<int, 4>{-1, 0, 0, 7}));
    EXPECT_TRUE(timeOfDayFace(0, 7).upperDotLit);
    EXPECT_EQ(timeOfDayFace(12, 0).captions, (std::array<int, 4>{1, 2, 0, 0}));
}

struct PenaltyFaceCase {
    double seconds;
    std::array<int, 3> captions;
};

class PenaltyFaceTest : public ::testing::TestWithParam<PenaltyFaceCase> {};

TEST_P(PenaltyFaceTest, ShowsMinutesSeconds) {
    EXPECT_EQ(penaltyClockFace(s(GetParam().seconds)), GetParam().captions) << GetParam().seconds;
}

INSTANTIATE_TEST_SUITE_P(Examples, PenaltyFaceTest,
                         ::testing::Values(PenaltyFaceCase{125, {5, 0, 2}}, PenaltyFaceCase{124.1, {5, 0, 2}},
                                           PenaltyFaceCase{59.9, {0, 0, 1}}, PenaltyFaceCase{0.1, {1, 0, 0}},
                                           PenaltyFaceCase{0, {0, 0, 0}}, PenaltyFaceCase{599, {9, 5, 9}}));

TEST(wholeDivide, FloorsAndClamps) {
    EXPECT_EQ(wholeDivide(s(600), s(600)), 1);
    EXPECT_EQ(wholeDivide(s(599.9), s(600)), 0);
    EXPECT_EQ(wholeDivide(s(-0.1), s(60)), -1);
    EXPECT_EQ(wholeDivide(s(1e9), s(1)), 32767);
    EXPECT_EQ(wholeDivide(s(5), 0), 0);
}

class EngineTest : public ::testing::Test {
protected:
    ManualClockSource m_now;
    ClockEngine m_engine{m_now};
};

TEST_F(EngineTest, SetClockNeverStartedReadsItsTime) {
    m_engine.setClock(s(600), 0, 0);
    m_now.advance(3'600'000);
    EXPECT_EQ(m_engine.clockValue(0), s(600));
    EXPECT_EQ(m_engine.isClockRunning(0), 0);
}

TEST_F(EngineTest, TenthsAreCutBeforeSubtracting) {
    m_engine.setClock(s(600), 0, 0);
    m_now.setMillis(1'000'950); // hh:mm:ss.950
    m_engine.startClock(0);
    m_now.setMillis(1'001'050); // the next second's .050
    EXPECT_EQ(m_engine.clockValue(0), s(599.9));
}

TEST_F(EngineTest, RunsOutToExactlyZeroAndStaysThere) {
    m_engine.setClock(s(2), 0, 0);
    m_engine.startClock(0);
    m_now.advance(5'000);
    EXPECT_EQ(m_engine.clockValue(0), 0);
    EXPECT_EQ(m_engine.isClockRunning(0), -1);
    m_engine.stopClock(0);
    EXPECT_EQ(m_engine.clockValue(0), 0);
    m_engine.startClock(0);
    m_now.advance(1'000);
    EXPECT_EQ(m_engine.clockValue(0), 0);
}

TEST_F(EngineTest, StopChargesUpToTheMomentOfStopping) {
    m_engine.setClock(s(600), 0, 0);
    m_engine.startClock(0);
    m_now.advance(10'000);
    EXPECT_EQ(m_engine.clockValue(0), s(590));
    m_now.advance(980);
    m_engine.stopClock(0);
    m_now.advance(60'000);
    EXPECT_EQ(m_engine.clockValue(0), s(589.1));
    m_engine.startClock(0);
    m_now.advance(1'000);
    EXPECT_EQ(m_engine.clockValue(0), s(588.1));
}

// One run between a start and a stop. The clock was last read some time before the stop (the board reads it
// only when a shown digit changes); the stop must keep every tenth up to its own moment all the same.
struct RunCase {
    const char* name;
    int clock; // 0 the game clock, 1..4 penalty clocks
    double setSeconds;
    std::int64_t startMillis;    // the engine's moment of the start
    std::int64_t runMillis;      // from start to stop
    std::int64_t lastReadMillis; // after the start, when the clock was last read before the stop; -1 never
    double expectedSeconds;      // what the stopped clock reads
};

class StopChargeTest : public ::testing::TestWithParam<RunCase> {};

TEST_P(StopChargeTest, KeepsExactlyTheTimeThatRan) {
    const RunCase& c = GetParam();
    ManualClockSource now;
    ClockEngine engine{now};
    engine.setClock(s(c.setSeconds), 0, c.clock);
    now.setMillis(c.startMillis);
    engine.startClock(c.clock);
    if (c.lastReadMillis >= 0) {
        now.setMillis(c.startMillis + c.lastReadMillis);
        engine.clockValue(c.clock);
    }
    now.setMillis(c.startMillis + c.runMillis);
    engine.stopClock(c.clock);
    EXPECT_EQ(engine.clockValue(c.clock), s(c.expectedSeconds)) << c.name;
    EXPECT_EQ(engine.peekClockValue(c.clock), s(c.expectedSeconds)) << c.name;
    EXPECT_EQ(engine.snapshot()[static_cast<std::size_t>(c.clock)].used, s(c.setSeconds) - s(c.expectedSeconds))
        << c.name;
    // The stoppage takes nothing more.
    now.advance(90'000);
    EXPECT_EQ(engine.clockValue(c.clock), s(c.expectedSeconds)) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Runs, StopChargeTest,
    ::testing::Values(RunCase{"game, 0.05 s within one tenth", 0, 600, 1'000'020, 50, -1, 600},
                      RunCase{"game, 0.05 s across a tenth", 0, 600, 1'000'080, 50, 10, 599.9},
                      RunCase{"game, 0.6 s never read", 0, 600, 1'000'000, 600, -1, 599.4},
                      RunCase{"game, 0.6 s read at the start", 0, 600, 1'000'000, 600, 0, 599.4},
                      RunCase{"game, 1.3 s read at the whole second", 0, 600, 1'000'000, 1'300, 1'000, 598.7},
                      RunCase{"game, 1.3 s off the tenth", 0, 600, 1'000'040, 1'300, 960, 598.7},
                      RunCase{"game, 59.95 s from above a minute", 0, 600, 1'000'000, 59'950, 59'000, 540.1},
                      RunCase{"game, 1.3 s under a minute", 0, 45.5, 1'000'000, 1'300, 1'200, 44.2},
                      RunCase{"game, 59.95 s from under a minute", 0, 59.9, 1'000'000, 59'950, 59'800, 0},
                      RunCase{"game, across the minute", 0, 60.5, 1'000'000, 1'300, 500, 59.2},
                      RunCase{"home penalty, 0.6 s", 1, 120, 1'000'000, 600, -1, 119.4},
                      RunCase{"home penalty, 1.3 s read at the second", 2, 120, 1'000'000, 1'300, 1'000, 118.7},
                      RunCase{"visitor penalty, 59.95 s", 3, 120, 1'000'000, 59'950, 59'000, 60.1},
                      RunCase{"visitor penalty, 0.05 s", 4, 300, 1'000'090, 50, -1, 299.9},
                      RunCase{"penalty, 1.3 s past its zero", 4, 1, 1'000'000, 1'300, 1'000, 0}),
    [](const ::testing::TestParamInfo<RunCase>& info) {
        std::string name;
        for (const char* c = info.param.name; *c != '\0'; ++c) {
            name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
        }
        return name;
    });

TEST_F(EngineTest, SettingARunningClockStopsItAtTheNewTimeWhole) {
    m_engine.setClock(s(600), 0, 1);
    m_engine.startClock(1);
    m_now.advance(10'000);
    m_engine.setClock(s(120), 0, 1);
    EXPECT_EQ(m_engine.isClockRunning(1), 0);
    EXPECT_EQ(m_engine.clockValue(1), s(120));
    m_engine.startClock(1);
    m_now.advance(1'000);
    m_engine.stopClock(1);
    EXPECT_EQ(m_engine.clockValue(1), s(119));
}

TEST_F(EngineTest, TenStopsOfOnePointThreeSecondsTakeThirteenSeconds) {
    m_engine.setClock(s(600), 0, 0);
    m_now.setMillis(500'000);
    for (int run = 0; run < 10; ++run) {
        m_engine.startClock(0);
        // The board reads the clock when the whole second it shows turns, never at the stop.
        m_now.advance(1'000);
        m_engine.clockValue(0);
        m_now.advance(300);
        m_engine.stopClock(0);
        m_now.advance(2'000);
    }
    EXPECT_EQ(m_engine.clockValue(0), s(587));
}

TEST_F(EngineTest, StartingARunningClockKeepsItsStamp) {
    m_engine.setClock(s(100), 0, 1);
    m_engine.startClock(1);
    m_now.advance(4'000);
    m_engine.startClock(1);
    m_now.advance(1'000);
    EXPECT_EQ(m_engine.clockValue(1), s(95));
}

TEST_F(EngineTest, LongRunsAcrossMidnightMeasureExactly) {
    // A monotonic source has no midnight; a whole day of running is still exact to the tenth.
    m_engine.setClock(s(99 * 60 + 59), 0, 0);
    m_now.setMillis(86'399'950);
    m_engine.startClock(0);
    m_now.setMillis(86'400'000 + 1'049);
    EXPECT_EQ(m_engine.clockValue(0), s(99 * 60 + 59 - 1.1));
}

TEST_F(EngineTest, WallClockJumpsCannotMoveARunningClock) {
    // The engine reads only its monotonic source; the wall clock is not an input at all. A source that
    // (wrongly) went backwards is treated as no time passing, never as time given back.
    m_engine.setClock(s(600), 0, 0);
    m_now.setMillis(50'000);
    m_engine.startClock(0);
    m_now.setMillis(40'000);
    EXPECT_EQ(m_engine.clockValue(0), s(600));
}

TEST_F(EngineTest, CountUpClockAddsItsTimes) {
    m_engine.setClock(s(10), -1, 2);
    m_engine.startClock(2);
    m_now.advance(3'000);
    EXPECT_EQ(m_engine.clockValue(2), s(13));
}

TEST_F(EngineTest, ClockNumbersOutOfRangeTouchNothing) {
    int beeps = 0;
    m_engine.beep = [&] { ++beeps; };
    m_engine.setClock(s(600), 0, 0);
    for (int n : {5, 6, 100, -1, -32768, 32767}) {
        m_engine.setClock(s(1), 0, n);
        m_engine.startClock(n);
        m_engine.stopClock(n);
        EXPECT_EQ(m_engine.clockValue(n), 0);
        EXPECT_EQ(m_engine.isClockRunning(n), 0);
    }
    EXPECT_EQ(beeps, 6);
    EXPECT_EQ(m_engine.clockValue(0), s(600));
}

struct EntryCase {
    const char* keys; // '\r' is Enter
    int limit;
    TimeValue expected;
};

class EnterTimeKeyTest : public ::testing::TestWithParam<EntryCase> {};

TEST_P(EnterTimeKeyTest, TypedTime) {
    ManualClockSource now;
    ClockEngine engine(now);
    TimeValue last = kNoTime;
    for (const char* k = GetParam().keys; *k; ++k) {
        last = engine.enterTimeKey("lumTime", *k, GetParam().limit);
    }
    EXPECT_EQ(last, GetParam().expected) << GetParam().keys;
    EXPECT_TRUE(engine.entryText.empty());
}

INSTANTIATE_TEST_SUITE_P(Keys, EnterTimeKeyTest,
                         ::testing::Values(EntryCase{"20\r", 5999, s(1200)}, EntryCase{"\r", 5999, 0},
                                           EntryCase{"12 5\r", 5999, s(300)}, EntryCase{"10\r", 599, kNoTime},
                                           EntryCase{"9.59\r", 599, s(599)}, EntryCase{"99.59\r", 5999, s(5999)},
                                           EntryCase{"99.60\r", 5999, kNoTime}, EntryCase{"2x0\r", 5999, s(1200)},
                                           EntryCase{"1111111111111111111111111\r", 5999, kNoTime}));

TEST(enterTimeKey, AnotherFieldThrowsAwayAHalfTypedEntry) {
    ManualClockSource now;
    ClockEngine engine(now);
    engine.enterTimeKey("lumTime", '2', 5999);
    EXPECT_EQ(engine.enterTimeKey("lumPenaltyTH1", '\r', 599), 0);
    engine.enterTimeKey("lumTime", '3', 5999);
    EXPECT_EQ(engine.enterTimeKey("lumTime", '\r', 5999), s(180));
}

} // namespace
