#include "PcmFormat.h"

std::size_t bytesPerSample(SampleKind kind) {
    switch (kind) {
    case SampleKind::UInt8:
        return 1;
    case SampleKind::Int16:
        return 2;
    case SampleKind::Int32:
    case SampleKind::Float:
        return 4;
    }
    return 4;
}

namespace {
bool within(int value, int low, int high) {
    return value > 0 && value >= low && value <= high;
}
} // namespace

PcmFormat chooseOutputFormat(int soundRate, int soundChannels, const DeviceCapabilities& device) {
    PcmFormat out = device.preferred;
    if (within(soundRate, device.minimumSampleRate, device.maximumSampleRate)) {
        out.sampleRate = soundRate;
    }
    if (within(soundChannels, device.minimumChannels, device.maximumChannels)) {
        out.channels = soundChannels;
    }
    if (device.takesFloat) {
        out.kind = SampleKind::Float;
    } else if (device.takesInt16) {
        out.kind = SampleKind::Int16;
    }
    // A device that reports nothing usable still gets a format every sound card plays.
    if (out.sampleRate <= 0) {
        out.sampleRate = 48000;
    }
    if (out.channels <= 0) {
        out.channels = 2;
    }
    return out;
}
