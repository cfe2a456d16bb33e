#include "core/board/ClockEngine.h"
#include "core/board/ClockFace.h"
#include "core/board/TickSchedule.h"
#include <gtest/gtest.h>
#include <random>

namespace {

TimeValue s(double seconds) {
    return static_cast<TimeValue>(seconds * 10 + (seconds >= 0 ? 0.5 : -0.5)) * 1000;
}

struct NextChangeCase {
    const char* what;
    std::int64_t nowMillis;
    double reading;
    ClockDisplay display;
    bool countsUp;
    std::optional<std::int64_t> expected;
};

class NextShownChangeTest : public ::testing::TestWithParam<NextChangeCase> {};

TEST_P(NextShownChangeTest, IsTheMomentTheFaceTurns) {
    const NextChangeCase& c = GetParam();
    EXPECT_EQ(nextShownChangeMillis(c.nowMillis, s(c.reading), c.display, c.countsUp), c.expected) << c.what;
}

constexpr auto kGame = ClockDisplay::GameClock;
constexpr auto kPen = ClockDisplay::PenaltyClock;

INSTANTIATE_TEST_SUITE_P(
    Table, NextShownChangeTest,
    ::testing::Values(NextChangeCase{"10:00 turns to 9:59 a whole second on", 12'345, 600, kGame, false, 13'300},
                      NextChangeCase{"9:59.5 shows 10:00 for five tenths more", 12'345, 599.5, kGame, false, 12'800},
                      NextChangeCase{"on a boundary the next one counts, never now", 12'300, 599.1, kGame, false,
                                     12'400},
                      NextChangeCase{"1:00.1 shows 1:01 until 1:00", 12'345, 60.1, kGame, false, 12'400},
                      NextChangeCase{"1:00 turns to 59.9 a tenth on", 12'345, 60, kGame, false, 12'400},
                      NextChangeCase{"1:00.9 shows 1:01 for nine tenths", 12'399, 60.9, kGame, false, 13'200},
                      NextChangeCase{"under a minute every tenth", 12'345, 30, kGame, false, 12'400},
                      NextChangeCase{"0.1 reaches zero", 12'345, 0.1, kGame, false, 12'400},
                      NextChangeCase{"at zero nothing changes again", 12'345, 0, kGame, false, std::nullopt},
                      NextChangeCase{"a reading between tenths reaches zero", 12'345, 0.05, kGame, false, 12'400},
                      NextChangeCase{"before the origin", -250, 30, kGame, false, -200},
                      NextChangeCase{"counting up from zero", 12'345, 0, kGame, true, 12'400},
                      NextChangeCase{"counting up above a minute", 12'345, 61, kGame, true, 12'400},
                      NextChangeCase{"penalty 2:00 turns to 1:59 a second on", 12'345, 120, kPen, false, 13'300},
                      NextChangeCase{"penalty 1:59.3 turns in three tenths", 12'345, 119.3, kPen, false, 12'600},
                      NextChangeCase{"penalty under a minute still whole seconds", 12'345, 30, kPen, false, 13'300},
                      NextChangeCase{"penalty 0:01 runs out a tenth on", 12'345, 0.1, kPen, false, 12'400},
                      NextChangeCase{"penalty at zero", 12'345, 0, kPen, false, std::nullopt}),
    [](const ::testing::TestParamInfo<NextChangeCase>& info) { return "row" + std::to_string(info.index); });

// Against the engine itself: a clock started at any moment, read at any later moment, keeps its face at every
// millisecond up to the scheduled one and shows another face (or 0) exactly then.
TEST(NextShownChange, AgreesWithTheEngineMillisecondByMillisecond) {
    std::mt19937 rng(20261207);
    for (int round = 0; round < 400; ++round) {
        ManualClockSource clock;
        ClockEngine engine(clock);
        const ClockDisplay display = round % 3 == 0 ? kPen : kGame;
        clock.setMillis(static_cast<std::int64_t>(rng() % 100'000) - 50'000);
        engine.setClock(tenthsToTime(rng() % 1500), 0, 1);
        engine.startClock(1);
        clock.advance(rng() % 3000);
        const std::int64_t now = clock.nowMillis();
        const TimeValue reading = engine.peekClockValueAt(1, now);
        const auto next = nextShownChangeMillis(now, reading, display);
        auto faceAt = [&](std::int64_t ms) {
            const TimeValue v = engine.peekClockValueAt(1, ms);
            if (display == kPen) {
                const auto f = penaltyClockFace(v);
                return std::vector<int>(f.begin(), f.end());
            }
            const GameClockFace f = gameClockFace(v);
            std::vector<int> out(f.captions.begin(), f.captions.end());
            out.push_back(f.upperDotLit ? 1 : 0);
            return out;
        };
        if (!next) {
            ASSERT_EQ(reading, 0);
            continue;
        }
        ASSERT_GT(*next, now);
        ASSERT_EQ(*next % 100, 0);
        for (std::int64_t ms = now + 1; ms < *next; ++ms) {
            ASSERT_EQ(faceAt(ms), faceAt(now)) << "changed early at " << ms << " reading " << reading;
        }
        const bool turned = faceAt(*next) != faceAt(now) || engine.peekClockValueAt(1, *next) == 0;
        ASSERT_TRUE(turned) << "nothing changed at " << *next << " reading " << reading;
    }
}

TEST(EarlierOf, TakesTheEarlierOfThoseThere) {
    EXPECT_EQ(earlierOf(std::nullopt, std::nullopt), std::nullopt);
    EXPECT_EQ(earlierOf(500, std::nullopt), 500);
    EXPECT_EQ(earlierOf(std::nullopt, 700), 700);
    EXPECT_EQ(earlierOf(900, 700), 700);
}

struct MinuteCase {
    int second;
    int millisecond;
    int expected;
};

class MillisToNextMinuteTest : public ::testing::TestWithParam<MinuteCase> {};

TEST_P(MillisToNextMinuteTest, WakesAtTheMinute) {
    EXPECT_EQ(millisToNextMinute(GetParam().second, GetParam().millisecond), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, MillisToNextMinuteTest,
                         ::testing::Values(MinuteCase{0, 0, 60'000}, MinuteCase{59, 999, 1},
                                           MinuteCase{30, 500, 29'500}, MinuteCase{0, 1, 59'999},
                                           MinuteCase{60, 0, 1000}, // a leap second: look again in a second
                                           MinuteCase{-1, 0, 1000}));

} // namespace
