#include "ClockFace.h"
#include <cmath>
#include <limits>

std::int16_t wholeDivide(TimeValue a, TimeValue b) {
    if (b == 0) {
        return 0;
    }
    const double q = std::floor(static_cast<double>(a) / static_cast<double>(b));
    if (q > std::numeric_limits<std::int16_t>::max()) {
        return std::numeric_limits<std::int16_t>::max();
    }
    if (q < std::numeric_limits<std::int16_t>::min()) {
        return std::numeric_limits<std::int16_t>::min();
    }
    return static_cast<std::int16_t>(q);
}

GameClockFace gameClockFace(TimeValue t) {
    if (t < 0) {
        t = 0;
    }
    const TimeValue justUnderAMinute = tenthsToTime(599);
    if (t > justUnderAMinute) {
        t += tenthsToTime(9);
    }
    const bool overAMinute = t > justUnderAMinute;
    int d[5] = {0, 0, 0, 0, 0};
    d[0] = wholeDivide(t, secondsToTime(600));
    if (d[0] >= 1) {
        t -= secondsToTime(600) * d[0];
    }
    d[1] = wholeDivide(t, secondsToTime(60));
    if (d[1] >= 1) {
        t -= secondsToTime(60) * d[1];
    }
    d[2] = wholeDivide(t, secondsToTime(10));
    if (d[2] >= 1) {
        t -= secondsToTime(10) * d[2];
    }
    d[3] = static_cast<int>(t / kTicksPerSecond);
    t -= secondsToTime(d[3]);
    d[4] = static_cast<int>(t / kTicksPerTenth);

    GameClockFace face;
    face.captions = {-1, -1, -1, -1};
    // Which of d1..d5 each position shows; the seconds digit (d4, index 3 of d) is lit even when 0.
    int shown[4] = {0, 1, 2, 3};
    int positions = 4;
    if (overAMinute) {
        face.upperDotLit = true;
    } else {
        face.upperDotLit = false;
        shown[0] = 2;
        shown[1] = 3;
        shown[2] = 4;
        positions = 3;
    }
    for (int k = 0; k < positions; ++k) {
        const int i = shown[k];
        int caption = -1;
        if (d[i] > 0 || i == 3) {
            caption = d[i];
        } else if (k > 0 && face.captions[static_cast<std::size_t>(k - 1)] >= 0) {
            caption = 0;
        }
        face.captions[static_cast<std::size_t>(k)] = caption;
    }
    return face;
}

GameClockFace timeOfDayFace(int hour, int minute) {
    const int total = hour * 60 + minute;
    if (total >= 60 || total < 0) {
        return gameClockFace(secondsToTime(total < 0 ? 0 : total));
    }
    GameClockFace face;
    face.captions = {-1, 0, minute / 10, minute % 10};
    face.upperDotLit = true;
    return face;
}

std::array<int, 3> penaltyClockFace(TimeValue t) {
    if (t < 0) {
        t = 0;
    }
    t += tenthsToTime(9);
    const int m = wholeDivide(t, secondsToTime(60));
    t -= secondsToTime(60) * m;
    const int s = wholeDivide(t, secondsToTime(10));
    t -= secondsToTime(10) * s;
    const int units = static_cast<int>(t / kTicksPerSecond);
    return {units, s, m};
}
