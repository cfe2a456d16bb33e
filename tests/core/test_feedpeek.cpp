// Looking at the engine from outside the board: the same reading as ClockValue, and nothing moves.
#include "core/board/ClockEngine.h"
#include <functional>
#include <gtest/gtest.h>

namespace {

TimeValue s(double seconds) {
    return static_cast<TimeValue>(seconds * 10 + (seconds >= 0 ? 0.5 : -0.5)) * 1000;
}

// A history of one clock, driven through the engine's own operations.
struct PeekCase {
    const char* name;
    std::function<void(ClockEngine&, ManualClockSource&)> history;
};

class PeekClockValueTest : public ::testing::TestWithParam<PeekCase> {};

// Two engines with the same history: one is peeked at every step, the other never. Their readings and
// what StopClock charges must stay identical.
TEST_P(PeekClockValueTest, AgreesWithClockValueAndChangesNothing) {
    ManualClockSource nowA;
    ManualClockSource nowB;
    ClockEngine peeked{nowA};
    ClockEngine untouched{nowB};
    GetParam().history(peeked, nowA);
    GetParam().history(untouched, nowB);
    for (int step = 0; step < 40; ++step) {
        for (int n = 0; n < kClockCount; ++n) {
            const TimeValue peek = peeked.PeekClockValue(n);
            EXPECT_EQ(peeked.PeekClockValue(n), peek);
            // Stop without a fresh reading of the board's own: charges the same on both.
            if (step == 25) {
                peeked.StopClock(n);
                untouched.StopClock(n);
            }
            if (step % 7 == 0) {
                EXPECT_EQ(peek, untouched.PeekClockValue(n)) << GetParam().name << " clock " << n;
                EXPECT_EQ(peeked.ClockValue(n), untouched.ClockValue(n)) << GetParam().name << " clock " << n;
            }
        }
        nowA.advance(137);
        nowB.advance(137);
    }
    for (int n = 0; n < kClockCount; ++n) {
        EXPECT_EQ(peeked.ClockValue(n), untouched.ClockValue(n)) << GetParam().name << " clock " << n;
        EXPECT_EQ(peeked.PeekClockValue(n), peeked.ClockValue(n)) << GetParam().name << " clock " << n;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Histories, PeekClockValueTest,
    ::testing::Values(PeekCase{"never started", [](ClockEngine& e, ManualClockSource&) { e.SetClock(s(600), 0, 0); }},
                      PeekCase{"running",
                               [](ClockEngine& e, ManualClockSource& now) {
                                   e.SetClock(s(600), 0, 0);
                                   e.SetClock(s(120), 0, 1);
                                   e.StartClock(0);
                                   e.StartClock(1);
                                   now.advance(2345);
                                   e.ClockValue(0);
                               }},
                      PeekCase{"stopped after a reading",
                               [](ClockEngine& e, ManualClockSource& now) {
                                   e.SetClock(s(90), 0, 3);
                                   e.StartClock(3);
                                   now.advance(4050);
                                   e.ClockValue(3);
                                   now.advance(700);
                                   e.StopClock(3);
                               }},
                      PeekCase{"run out and still running",
                               [](ClockEngine& e, ManualClockSource& now) {
                                   e.SetClock(s(1), 0, 2);
                                   e.StartClock(2);
                                   now.advance(5000);
                               }},
                      PeekCase{"stopped past zero without a reading",
                               [](ClockEngine& e, ManualClockSource& now) {
                                   e.SetClock(s(1), 0, 4);
                                   e.StartClock(4);
                                   now.advance(3000);
                                   e.ClockValue(4);
                                   e.StopClock(4);
                               }},
                      PeekCase{"counting up", [](ClockEngine& e, ManualClockSource& now) {
                                   e.SetClock(s(10), 1, 1);
                                   e.StartClock(1);
                                   now.advance(1500);
                               }}));

TEST(PeekClockValue, AClockThatDoesNotExistReadsZeroWithoutABeep) {
    ManualClockSource now;
    ClockEngine engine{now};
    int beeps = 0;
    engine.beep = [&] { ++beeps; };
    EXPECT_EQ(engine.PeekClockValue(-1), 0);
    EXPECT_EQ(engine.PeekClockValue(kClockCount), 0);
    EXPECT_EQ(beeps, 0);
}

// The case that matters to the board: while nobody else reads a running penalty clock, a look from outside
// must not change what the clock has when it is finally stopped: the time up to the stop, peeked or not.
TEST(PeekClockValue, PeekingChangesNothingAStopCharges) {
    ManualClockSource now;
    ClockEngine engine{now};
    ManualClockSource otherNow;
    ClockEngine unlooked{otherNow};
    for (ClockEngine* e : {&engine, &unlooked}) {
        e->SetClock(s(120), 0, 1);
        e->StartClock(1);
    }
    now.advance(10'000);
    otherNow.advance(10'000);
    EXPECT_EQ(engine.ClockValue(1), s(110)); // the board's last reading
    EXPECT_EQ(unlooked.ClockValue(1), s(110));
    for (int i = 0; i < 300; ++i) {
        now.advance(100);
        engine.PeekClockValue(1);
    }
    otherNow.advance(30'000);
    engine.StopClock(1);
    unlooked.StopClock(1);
    EXPECT_EQ(engine.ClockValue(1), s(80));
    EXPECT_EQ(engine.ClockValue(1), unlooked.ClockValue(1));
}

} // namespace
