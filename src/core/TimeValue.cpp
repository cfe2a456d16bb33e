#include "TimeValue.h"

TimeValue roundToWholeSecondsHalfEven(TimeValue t) {
    if (t < 0) {
        return -roundToWholeSecondsHalfEven(-t);
    }
    const TimeValue whole = t / kTicksPerSecond;
    const TimeValue rest = t % kTicksPerSecond;
    const TimeValue half = kTicksPerSecond / 2;
    if (rest > half || (rest == half && whole % 2 != 0)) {
        return (whole + 1) * kTicksPerSecond;
    }
    return whole * kTicksPerSecond;
}
