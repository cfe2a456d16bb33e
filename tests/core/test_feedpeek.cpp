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
            const TimeValue peek = peeked.peekClockValue(n);
            EXPECT_EQ(peeked.peekClockValue(n), peek);
            // Stop without a fresh reading of the board's own: charges the same on both.
            if (step == 25) {
                peeked.stopClock(n);
                untouched.stopClock(n);
            }
            if (step % 7 == 0) {
                EXPECT_EQ(peek, untouched.peekClockValue(n)) << GetParam().name << " clock " << n;
                EXPECT_EQ(peeked.clockValue(n), untouched.clockValue(n)) << GetParam().name << " clock " << n;
            }
        }
        nowA.advance(137);
        nowB.advance(137);
    }
    for (int n = 0; n < kClockCount; ++n) {
        EXPECT_EQ(peeked.clockValue(n), untouched.clockValue(n)) << GetParam().name << " clock " << n;
        EXPECT_EQ(peeked.peekClockValue(n), peeked.clockValue(n)) << GetParam().name << " clock " << n;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Histories, PeekClockValueTest,
    ::testing::Values(PeekCase{"never started", [](ClockEngine& e, ManualClockSource&) { e.setClock(s(600), 0, 0); }},
                      PeekCase{"running",
                               [](ClockEngine& e, ManualClockSource& now) {
                                   e.setClock(s(600), 0, 0);
                                   e.setClock(s(120), 0, 1);
                                   e.startClock(0);
                                   e.startClock(1);
                                   now.advance(2345);
                                   e.clockValue(0);
                               }},
                      PeekCase{"stopped after a reading",
                               [](ClockEngine& e, ManualClockSource& now) {
                                   e.setClock(s(90), 0, 3);
                                   e.startClock(3);
                                   now.advance(4050);
                                   e.clockValue(3);
                                   now.advance(700);
                                   e.stopClock(3);
                               }},
                      PeekCase{"run out and still running",
                               [](ClockEngine& e, ManualClockSource& now) {
                                   e.setClock(s(1), 0, 2);
                                   e.startClock(2);
                                   now.advance(5000);
                               }},
                      PeekCase{"stopped past zero without a reading",
                               [](ClockEngine& e, ManualClockSource& now) {
                                   e.setClock(s(1), 0, 4);
                                   e.startClock(4);
                                   now.advance(3000);
                                   e.clockValue(4);
                                   e.stopClock(4);
                               }},
                      PeekCase{"counting up", [](ClockEngine& e, ManualClockSource& now) {
                                   e.setClock(s(10), 1, 1);
                                   e.startClock(1);
                                   now.advance(1500);
                               }}));

TEST(peekClockValue, AClockThatDoesNotExistReadsZeroWithoutABeep) {
    ManualClockSource now;
    ClockEngine engine{now};
    int beeps = 0;
    engine.beep = [&] { ++beeps; };
    EXPECT_EQ(engine.peekClockValue(-1), 0);
    EXPECT_EQ(engine.peekClockValue(kClockCount), 0);
    EXPECT_EQ(beeps, 0);
}

// The case that matters to the board: while nobody else reads a running penalty clock, a look from outside
// must not change what the clock has when it is finally stopped: the time up to the stop, peeked or not.
TEST(peekClockValue, PeekingChangesNothingAStopCharges) {
    ManualClockSource now;
    ClockEngine engine{now};
    ManualClockSource otherNow;
    ClockEngine unlooked{otherNow};
    for (ClockEngine* e : {&engine, &unlooked}) {
        e->setClock(s(120), 0, 1);
        e->startClock(1);
    }
    now.advance(10'000);
    otherNow.advance(10'000);
    EXPECT_EQ(engine.clockValue(1), s(110)); // the board's last reading
    EXPECT_EQ(unlooked.clockValue(1), s(110));
    for (int i = 0; i < 300; ++i) {
        now.advance(100);
        engine.peekClockValue(1);
    }
    otherNow.advance(30'000);
    engine.stopClock(1);
    unlooked.stopClock(1);
    EXPECT_EQ(engine.clockValue(1), s(80));
    EXPECT_EQ(engine.clockValue(1), unlooked.clockValue(1));
}

} // namespace
