#include "core/sound/SampleConversion.h"
#include <cmath>
#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>

namespace {
struct RemapCase {
    const char* name;
    std::vector<float> in;
    int from;
    int to;
    std::vector<float> expected;
};

class RemapChannels : public testing::TestWithParam<RemapCase> {};

TEST_P(RemapChannels, MapsEveryFrame) {
    const RemapCase& c = GetParam();
    EXPECT_EQ(remapChannels(c.in, c.from, c.to), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, RemapChannels,
    testing::Values(RemapCase{"MonoToStereoCopies", {0.5f, -0.25f}, 1, 2, {0.5f, 0.5f, -0.25f, -0.25f}},
                    RemapCase{"StereoToMonoAverages", {1.0f, 0.0f, -0.5f, -0.5f}, 2, 1, {0.5f, -0.5f}},
                    RemapCase{"StereoToFourKeepsFrontSilencesRest", {0.1f, 0.2f}, 2, 4, {0.1f, 0.2f, 0.0f, 0.0f}},
                    RemapCase{"SixToStereoKeepsFront", {1, 2, 3, 4, 5, 6}, 6, 2, {1, 2}},
                    RemapCase{"SameLayoutUnchanged", {0.3f, 0.4f}, 2, 2, {0.3f, 0.4f}},
                    RemapCase{"PartialTrailingFrameDropped", {0.3f, 0.4f, 0.9f}, 2, 2, {0.3f, 0.4f}},
                    RemapCase{"NoChannelsGivesNothing", {0.3f}, 0, 2, {}}),
    [](const testing::TestParamInfo<RemapCase>& info) { return std::string(info.param.name); });

struct ResampleCase {
    const char* name;
    long long frames;
    int from;
    int to;
    long long expectedFrames;
};

class Resample : public testing::TestWithParam<ResampleCase> {};

TEST_P(Resample, KeepsTheDuration) {
    const ResampleCase& c = GetParam();
    std::vector<float> in(static_cast<std::size_t>(c.frames) * 2, 0.25f);
    const std::vector<float> out = resampleLinear(in, 2, c.from, c.to);
    EXPECT_EQ(static_cast<long long>(out.size()) / 2, c.expectedFrames);
    EXPECT_EQ(resampledFrameCount(c.frames, c.from, c.to), c.expectedFrames);
    for (const float s : out) {
        ASSERT_FLOAT_EQ(s, 0.25f); // a constant stays constant: no gain, no wrap-around at the end
    }
}

INSTANTIATE_TEST_SUITE_P(Rates, Resample,
                         testing::Values(ResampleCase{"Up8kTo48k", 8000, 8000, 48000, 48000},
                                         ResampleCase{"Down96kTo44k1", 96000, 96000, 44100, 44100},
                                         ResampleCase{"Up22k05To48k", 22050, 22050, 48000, 48000},
                                         ResampleCase{"SameRate", 1234, 44100, 44100, 1234},
                                         ResampleCase{"OddLengthRounds", 3, 44100, 48000, 3}),
                         [](const testing::TestParamInfo<ResampleCase>& info) { return std::string(info.param.name); });

TEST(Resample, InterpolatesBetweenFrames) {
    const std::vector<float> ramp{0.0f, 1.0f};
    const std::vector<float> out = resampleLinear(ramp, 1, 1000, 2000);
    ASSERT_EQ(out.size(), 4u);
    EXPECT_FLOAT_EQ(out[0], 0.0f);
    EXPECT_FLOAT_EQ(out[1], 0.5f);
    EXPECT_FLOAT_EQ(out[2], 1.0f);
    EXPECT_FLOAT_EQ(out[3], 1.0f); // the last frame is held, not interpolated towards garbage
}

TEST(Resample, KeepsAToneAtItsPitch) {
    // A 1 kHz tone at 8 kHz resampled to 48 kHz still crosses zero 2000 times a second.
    std::vector<float> in(8000);
    for (std::size_t i = 0; i < in.size(); ++i) {
        in[i] =
            static_cast<float>(std::sin(2.0 * 3.141592653589793 * 1000.0 * (static_cast<double>(i) + 0.5) / 8000.0));
    }
    const std::vector<float> out = resampleLinear(in, 1, 8000, 48000);
    int crossings = 0;
    for (std::size_t i = 1; i < out.size(); ++i) {
        crossings += (out[i - 1] < 0.0f) != (out[i] < 0.0f) ? 1 : 0;
    }
    EXPECT_NEAR(crossings, 2000, 2);
}

struct EncodeCase {
    const char* name;
    float value;
    SampleKind kind;
    std::int64_t expected; // the sample as the device reads it
};

std::int64_t readBack(const char* bytes, SampleKind kind) {
    switch (kind) {
    case SampleKind::UInt8: {
        std::uint8_t v;
        std::memcpy(&v, bytes, 1);
        return v;
    }
    case SampleKind::Int16: {
        std::int16_t v;
        std::memcpy(&v, bytes, 2);
        return v;
    }
    case SampleKind::Int32: {
        std::int32_t v;
        std::memcpy(&v, bytes, 4);
        return v;
    }
    case SampleKind::Float: {
        float v;
        std::memcpy(&v, bytes, 4);
        return static_cast<std::int64_t>(std::lround(v * 1000.0f));
    }
    }
    return 0;
}

class Encode : public testing::TestWithParam<EncodeCase> {};

TEST_P(Encode, WritesTheDevicesLayout) {
    const EncodeCase& c = GetParam();
    char bytes[4] = {};
    const float value[] = {c.value};
    encodeSamples(value, c.kind, bytes);
    EXPECT_EQ(readBack(bytes, c.kind), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Samples, Encode,
                         testing::Values(EncodeCase{"Int16Silence", 0.0f, SampleKind::Int16, 0},
                                         EncodeCase{"Int16FullScale", 1.0f, SampleKind::Int16, 32767},
                                         EncodeCase{"Int16NegativeFullScale", -1.0f, SampleKind::Int16, -32767},
                                         EncodeCase{"Int16ClipsOverload", 1.7f, SampleKind::Int16, 32767},
                                         EncodeCase{"Int16ClipsNegativeOverload", -3.0f, SampleKind::Int16, -32767},
                                         EncodeCase{"Int16Half", 0.5f, SampleKind::Int16, 16384},
                                         EncodeCase{"UInt8SilenceIsMidpoint", 0.0f, SampleKind::UInt8, 128},
                                         EncodeCase{"UInt8FullScale", 1.0f, SampleKind::UInt8, 255},
                                         EncodeCase{"UInt8NegativeFullScale", -1.0f, SampleKind::UInt8, 1},
                                         EncodeCase{"Int32FullScale", 1.0f, SampleKind::Int32, 2147483647},
                                         EncodeCase{"Int32NegativeHalf", -0.5f, SampleKind::Int32, -1073741824},
                                         EncodeCase{"FloatKept", 0.25f, SampleKind::Float, 250},
                                         EncodeCase{"FloatClipped", 2.0f, SampleKind::Float, 1000},
                                         EncodeCase{"NotANumberIsSilence", std::nanf(""), SampleKind::Int16, 0}),
                         [](const testing::TestParamInfo<EncodeCase>& info) { return std::string(info.param.name); });

TEST(ConvertForDevice, MonoSoundToStereo16BitAtAnotherRate) {
    const std::vector<float> sound(22050, 0.5f); // one second of mono at 22.05 kHz
    const std::vector<char> bytes = convertForDevice(sound, 1, 22050, {44100, 2, SampleKind::Int16});
    ASSERT_EQ(bytes.size(), 44100u * 2 * 2);
    std::int16_t first[2];
    std::memcpy(first, bytes.data(), sizeof first);
    EXPECT_EQ(first[0], 16384);
    EXPECT_EQ(first[1], 16384);
}

TEST(ConvertForDevice, SameFormatIsByteForByte) {
    const std::vector<float> sound{0.1f, -0.2f, 0.3f, -0.4f};
    const std::vector<char> bytes = convertForDevice(sound, 2, 48000, {48000, 2, SampleKind::Float});
    ASSERT_EQ(bytes.size(), sound.size() * 4);
    EXPECT_EQ(std::memcmp(bytes.data(), sound.data(), bytes.size()), 0);
}
} // namespace
