#include "core/sound/ArenaSounds.h"
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace {
constexpr int kRate = 44100;

// Level of one frequency over a stretch of the sound (Goertzel), relative to full scale.
double levelAt(const std::vector<float>& s, double frequency, std::size_t from, std::size_t count) {
    const double w = 2.0 * std::numbers::pi * frequency / kRate;
    double re = 0.0;
    double im = 0.0;
    for (std::size_t i = 0; i < count; ++i) {
        re += s[from + i] * std::cos(w * static_cast<double>(i));
        im += s[from + i] * std::sin(w * static_cast<double>(i));
    }
    return 2.0 * std::hypot(re, im) / static_cast<double>(count);
}

double rms(const std::vector<float>& s, std::size_t from, std::size_t count) {
    double sum = 0.0;
    for (std::size_t i = from; i < from + count; ++i) {
        sum += static_cast<double>(s[i]) * s[i];
    }
    return std::sqrt(sum / static_cast<double>(count));
}

// The largest step between neighbouring samples in the first or last `span` samples: a click is a big step.
float largestStepAtEnds(const std::vector<float>& s, std::size_t span) {
    float step = 0.0f;
    for (std::size_t i = 1; i < span; ++i) {
        step = std::max(step, std::fabs(s[i] - s[i - 1]));
        step = std::max(step, std::fabs(s[s.size() - i] - s[s.size() - i - 1]));
    }
    return step;
}

struct SignalCase {
    const char* name;
    std::vector<float> (*make)(int);
    double seconds;
    double minRms; // loud: a signal meant to cut through a crowd
};

class ArenaSignal : public testing::TestWithParam<SignalCase> {};

TEST_P(ArenaSignal, HasItsLengthAndLevel) {
    const SignalCase& c = GetParam();
    const std::vector<float> s = c.make(kRate);
    ASSERT_EQ(s.size(), static_cast<std::size_t>(std::lround(c.seconds * kRate)));
    const float peak =
        *std::max_element(s.begin(), s.end(), [](float a, float b) { return std::fabs(a) < std::fabs(b); });
    EXPECT_NEAR(std::fabs(peak), kSignalPeak, 1e-4);
    EXPECT_GT(rms(s, s.size() / 4, s.size() / 2), c.minRms);
}

TEST_P(ArenaSignal, StartsAndEndsWithoutAClick) {
    const SignalCase& c = GetParam();
    const std::vector<float> s = c.make(kRate);
    EXPECT_NEAR(s.front(), 0.0f, 1e-3);
    EXPECT_NEAR(s.back(), 0.0f, 0.02);
    EXPECT_LT(largestStepAtEnds(s, 64), 0.05f);
}

TEST_P(ArenaSignal, SameAtEveryRate) {
    const SignalCase& c = GetParam();
    EXPECT_EQ(c.make(48000).size(), static_cast<std::size_t>(std::lround(c.seconds * 48000)));
    EXPECT_TRUE(c.make(0).empty());
}

INSTANTIATE_TEST_SUITE_P(Signals, ArenaSignal,
                         testing::Values(SignalCase{"Horn", &synthesizeHorn, kHornSeconds, 0.3},
                                         SignalCase{"Buzzer", &synthesizeBuzzer, kBuzzerSeconds, 0.3}),
                         [](const testing::TestParamInfo<SignalCase>& info) { return std::string(info.param.name); });

TEST(Horn, IsALowChord) {
    const std::vector<float> s = synthesizeHorn(kRate);
    const std::size_t from = kRate;
    const std::size_t count = kRate / 2;
    // Every note of the chord sounds, well above a frequency between them.
    for (const double note : {110.0, 138.59, 164.81}) {
        EXPECT_GT(levelAt(s, note, from, count), 4.0 * levelAt(s, 125.0, from, count)) << note;
    }
    // Its weight is low: the root is stronger than anything up in the kilohertz range.
    EXPECT_GT(levelAt(s, 110.0, from, count), 3.0 * levelAt(s, 2000.0, from, count));
}

TEST(Buzzer, IsHarshAndSquareish) {
    const std::vector<float> s = synthesizeBuzzer(kRate);
    const std::size_t from = kRate / 4;
    const std::size_t count = kRate / 2;
    const double fundamental = levelAt(s, 196.0, from, count);
    // A square wave carries its odd harmonics strongly and its even ones hardly at all.
    EXPECT_GT(levelAt(s, 3 * 196.0, from, count), 0.15 * fundamental);
    EXPECT_GT(levelAt(s, 3 * 196.0, from, count), 3.0 * levelAt(s, 2 * 196.0, from, count));
}
} // namespace
