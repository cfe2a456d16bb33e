#pragma once
#include <cstddef>

// How samples are laid out on their way to the audio device. Sounds are decoded to float and converted once
// into the layout the device takes, so playback itself only copies bytes.
enum class SampleKind { UInt8, Int16, Int32, Float };

struct PcmFormat {
    int sampleRate = 0;
    int channels = 0;
    SampleKind kind = SampleKind::Float;

    friend bool operator==(const PcmFormat&, const PcmFormat&) = default;
};

// What an output device says it accepts.
struct DeviceCapabilities {
    int minimumSampleRate = 0;
    int maximumSampleRate = 0;
    int minimumChannels = 0;
    int maximumChannels = 0;
    bool takesFloat = false;
    bool takesInt16 = false;
    PcmFormat preferred;
};

std::size_t bytesPerSample(SampleKind kind);

// The format a sound of the given rate and channel count is played in: the sound's own rate and channels where the
// device takes them (no resampling, nothing lost), else the device's preferred ones; float where the device takes
// it (keeps 24- and 32-bit sounds whole), else 16-bit, else whatever the device prefers.
PcmFormat chooseOutputFormat(int soundRate, int soundChannels, const DeviceCapabilities& device);
