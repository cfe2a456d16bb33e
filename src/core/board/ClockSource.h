#pragma once
#include <cstdint>

// Where the clock engine gets "now". The program measures on a monotonic clock, so that setting the PC's
// clock, an NTP correction or a daylight-saving change never moves a running game clock; tests advance a
// fake by hand.
class ClockSource {
public:
    virtual ~ClockSource() = default;
    // Milliseconds since an arbitrary fixed moment; never goes backwards.
    virtual std::int64_t nowMillis() const = 0;
};

class SteadyClockSource final : public ClockSource {
public:
    std::int64_t nowMillis() const override;
};

// A clock that only moves when told to.
class ManualClockSource final : public ClockSource {
public:
    std::int64_t nowMillis() const override { return m_now; }
    void setMillis(std::int64_t ms) { m_now = ms; }
    void advance(std::int64_t ms) { m_now += ms; }

private:
    std::int64_t m_now = 0;
};
