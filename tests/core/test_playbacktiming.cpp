#include "core/sound/PlaybackTiming.h"
#include <gtest/gtest.h>

namespace {
struct LengthCase {
    const char* name;
    std::int64_t frames;
    int rate;
    std::int64_t expectedMs;
};

class SoundLength : public testing::TestWithParam<LengthCase> {};

TEST_P(SoundLength, RoundsUpSoAWaitNeverEndsEarly) {
    const LengthCase& c = GetParam();
    EXPECT_EQ(soundLengthMs(c.frames, c.rate), c.expectedMs);
}

INSTANTIATE_TEST_SUITE_P(Sounds, SoundLength,
                         testing::Values(LengthCase{"OneSecond", 44100, 44100, 1000},
                                         LengthCase{"OneFrameOver", 44101, 44100, 1001},
                                         LengthCase{"ShortAt8k", 4, 8000, 1},
                                         LengthCase{"TenMinutesAt96k", 57600000, 96000, 600000},
                                         LengthCase{"NoFrames", 0, 44100, 0}, LengthCase{"NoRate", 100, 0, 0}),
                         [](const testing::TestParamInfo<LengthCase>& info) { return std::string(info.param.name); });

struct FitCase {
    const char* name;
    std::int64_t frames;
    int rate;
    int channels;
    bool fits;
};

class SoundFits : public testing::TestWithParam<FitCase> {};

TEST_P(SoundFits, RefusesWhatWouldEatMemory) {
    const FitCase& c = GetParam();
    EXPECT_EQ(soundFitsInMemory(c.frames, c.rate, c.channels), c.fits);
}

INSTANTIATE_TEST_SUITE_P(
    Sounds, SoundFits,
    testing::Values(FitCase{"HornOfThreeSeconds", std::int64_t{3} * 44100, 44100, 2, true},
                    FitCase{"TenMinutesOfMono8k", std::int64_t{600} * 8000, 8000, 1, true},
                    FitCase{"JustOverTenMinutes", 600 * 8000 + 1, 8000, 1, false},
                    FitCase{"ThreeMinutesOf48kStereoAtTheSampleLimit", kMaxSoundSamples / 2, 48000, 2, true},
                    FitCase{"OneFrameOverTheSampleLimit", kMaxSoundSamples / 2 + 1, 48000, 2, false},
                    FitCase{"HeaderClaimingAbsurdLength", std::int64_t{1} << 62, 44100, 2, false},
                    FitCase{"EmptySound", 0, 44100, 1, false}, FitCase{"NoChannels", 100, 44100, 0, false},
                    FitCase{"NoRate", 100, 0, 1, false}),
    [](const testing::TestParamInfo<FitCase>& info) { return std::string(info.param.name); });

TEST(StallWatch, FirstDeadlineLeavesRoomToStartTheDevice) {
    StallWatch watch;
    EXPECT_EQ(watch.start(1000), 1000 + 2500 + 250);
    EXPECT_EQ(watch.start(0), 2500);
    EXPECT_GE(watch.start(200), 200 + 2000); // a slow sound server may take two seconds to wake its sink
}

struct StallCase {
    const char* name;
    std::int64_t lengthMs;
    std::vector<std::int64_t> playedAtChecks; // what the device reports at each deadline
    std::vector<std::int64_t> expected;       // the next deadline after each check, or kStalled
};

class StallChecks : public testing::TestWithParam<StallCase> {};

TEST_P(StallChecks, EndsOnlyAPlaybackThatStoppedMoving) {
    const StallCase& c = GetParam();
    StallWatch watch;
    watch.start(c.lengthMs);
    for (std::size_t i = 0; i < c.playedAtChecks.size(); ++i) {
        EXPECT_EQ(watch.check(c.playedAtChecks[i]), c.expected[i]) << "check " << i;
    }
}

constexpr std::int64_t kStalled = StallWatch::kStalled;
INSTANTIATE_TEST_SUITE_P(
    Playbacks, StallChecks,
    testing::Values(
        // A device unplugged before it played anything.
        StallCase{"NeverStarted", 1000, {0}, {kStalled}},
        // A server that woke late: it has played half, so it gets the other half and a new margin.
        StallCase{"LateStartGetsTheRest", 1000, {500}, {500 + 2500 + 125}},
        // Played the whole sound but never said so: one more margin, then it counts as finished.
        StallCase{"PlayedAllButNoEndReported", 1000, {1100, 1100}, {2500, kStalled}},
        // Moving again and again, then frozen mid-sound (a server that stopped answering).
        StallCase{"FrozeMidSound", 10000, {2000, 4000, 4000}, {8000 + 2500 + 2000, 6000 + 2500 + 1500, kStalled}},
        // A device whose clock went backwards is not moving forward.
        StallCase{"ClockWentBack", 1000, {600, 300}, {400 + 2500 + 100, kStalled}}),
    [](const testing::TestParamInfo<StallCase>& info) { return std::string(info.param.name); });

TEST(TrailingSilence, CoversTheServersBuffer) {
    EXPECT_GT(trailingSilenceMs(100), 100);
    EXPECT_GT(trailingSilenceMs(0), 0);
}
} // namespace
