#include "ClockSource.h"
#include <chrono>

std::int64_t SteadyClockSource::nowMillis() const {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
