#include "TickSchedule.h"
#include "core/board/ClockEngine.h"
#include "core/board/ClockFace.h"

namespace {

bool sameFace(TimeValue a, TimeValue b, ClockDisplay display) {
    if (display == ClockDisplay::PenaltyClock) {
        return penaltyClockFace(a) == penaltyClockFace(b);
    }
    const GameClockFace fa = gameClockFace(a);
    const GameClockFace fb = gameClockFace(b);
    return fa.captions == fb.captions && fa.upperDotLit == fb.upperDotLit;
}

// A face changes at least once a second wherever the board can show the time.
constexpr int kLongestSteadyTenths = 10;

} // namespace

std::optional<std::int64_t> nextShownChangeMillis(std::int64_t nowMillis, TimeValue reading, ClockDisplay display,
                                                  bool countsUp) {
    if (!countsUp && reading <= 0) {
        return std::nullopt;
    }
    const std::int64_t tenthNow = tenthsOf(nowMillis);
    for (int k = 1; k <= kLongestSteadyTenths; ++k) {
        TimeValue later = countsUp ? reading + tenthsToTime(k) : reading - tenthsToTime(k);
        if (later < 0) {
            later = 0;
        }
        // Reaching 0 matters even where the face would not show it: the game clock buzzes, a penalty light goes out.
        if (!sameFace(reading, later, display) || later == 0) {
            return (tenthNow + k) * 100;
        }
    }
    return (tenthNow + kLongestSteadyTenths) * 100;
}

std::optional<std::int64_t> earlierOf(std::optional<std::int64_t> a, std::optional<std::int64_t> b) {
    if (!a) {
        return b;
    }
    if (!b) {
        return a;
    }
    return *a < *b ? a : b;
}

int millisToNextMinute(int second, int millisecond) {
    const int into = second * 1000 + millisecond;
    if (into < 0 || into >= 60000) {
        // A leap second or a nonsense reading: look again in a second.
        return 1000;
    }
    return 60000 - into;
}
