#include "core/sound/PcmFormat.h"
#include <gtest/gtest.h>

namespace {
// A sound server that takes anything from 1 to 384 kHz and 1 to 32 channels, in every sample format.
DeviceCapabilities openServer() {
    return {1, 384000, 1, 32, true, true, {44100, 2, SampleKind::Int16}};
}
// A sound card that takes only 48 kHz stereo 16-bit.
DeviceCapabilities fixedCard() {
    return {48000, 48000, 2, 2, false, true, {48000, 2, SampleKind::Int16}};
}
// A card that prefers 32-bit integers and takes neither float nor 16-bit.
DeviceCapabilities int32Card() {
    return {44100, 96000, 2, 8, false, false, {48000, 2, SampleKind::Int32}};
}
// A device that reports nothing sensible.
DeviceCapabilities blankDevice() {
    return {};
}

struct FormatCase {
    const char* name;
    DeviceCapabilities device;
    int rate;
    int channels;
    PcmFormat expected;
};

class ChooseOutputFormat : public testing::TestWithParam<FormatCase> {};

TEST_P(ChooseOutputFormat, PicksWhatTheDeviceTakes) {
    const FormatCase& c = GetParam();
    EXPECT_EQ(chooseOutputFormat(c.rate, c.channels, c.device), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Devices, ChooseOutputFormat,
    testing::Values(
        FormatCase{"OwnRateAndChannelsKeptAsFloat", openServer(), 22050, 1, {22050, 1, SampleKind::Float}},
        FormatCase{"HighRateStereoKept", openServer(), 96000, 2, {96000, 2, SampleKind::Float}},
        FormatCase{"FixedCardResamplesAndWidens", fixedCard(), 8000, 1, {48000, 2, SampleKind::Int16}},
        FormatCase{"FixedCardNarrowsSurround", fixedCard(), 48000, 6, {48000, 2, SampleKind::Int16}},
        FormatCase{"RateAboveCardsRangeGoesToPreferred", int32Card(), 192000, 2, {48000, 2, SampleKind::Int32}},
        FormatCase{"RateBelowCardsRangeGoesToPreferred", int32Card(), 8000, 1, {48000, 2, SampleKind::Int32}},
        FormatCase{"BlankDeviceGetsSafeDefaults", blankDevice(), 44100, 2, {48000, 2, SampleKind::Float}},
        FormatCase{"BrokenSoundValuesGetPreferred", openServer(), 0, 0, {44100, 2, SampleKind::Float}}),
    [](const testing::TestParamInfo<FormatCase>& info) { return std::string(info.param.name); });

TEST(BytesPerSample, MatchesEachLayout) {
    EXPECT_EQ(bytesPerSample(SampleKind::UInt8), 1u);
    EXPECT_EQ(bytesPerSample(SampleKind::Int16), 2u);
    EXPECT_EQ(bytesPerSample(SampleKind::Int32), 4u);
    EXPECT_EQ(bytesPerSample(SampleKind::Float), 4u);
}
} // namespace
