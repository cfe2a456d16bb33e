#include "SampleConversion.h"
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

std::vector<float> remapChannels(std::span<const float> samples, int fromChannels, int toChannels) {
    if (fromChannels <= 0 || toChannels <= 0) {
        return {};
    }
    const std::size_t frames = samples.size() / static_cast<std::size_t>(fromChannels);
    if (fromChannels == toChannels) {
        return {samples.begin(), samples.begin() + static_cast<std::ptrdiff_t>(frames * toChannels)};
    }
    std::vector<float> out(frames * static_cast<std::size_t>(toChannels), 0.0f);
    for (std::size_t f = 0; f < frames; ++f) {
        const float* in = samples.data() + f * static_cast<std::size_t>(fromChannels);
        float* dst = out.data() + f * static_cast<std::size_t>(toChannels);
        if (fromChannels == 1) {
            std::fill(dst, dst + toChannels, in[0]);
        } else if (toChannels == 1) {
            float sum = 0.0f;
            for (int c = 0; c < fromChannels; ++c) {
                sum += in[c];
            }
            dst[0] = sum / static_cast<float>(fromChannels);
        } else {
            std::copy(in, in + std::min(fromChannels, toChannels), dst);
        }
    }
    return out;
}

long long resampledFrameCount(long long frames, int fromRate, int toRate) {
    if (frames <= 0 || fromRate <= 0 || toRate <= 0) {
        return 0;
    }
    return (frames * toRate + fromRate / 2) / fromRate;
}

std::vector<float> resampleLinear(std::span<const float> samples, int channels, int fromRate, int toRate) {
    if (channels <= 0) {
        return {};
    }
    const auto inFrames = static_cast<long long>(samples.size() / static_cast<std::size_t>(channels));
    if (fromRate == toRate) {
        return {samples.begin(), samples.begin() + static_cast<std::ptrdiff_t>(inFrames * channels)};
    }
    const long long outFrames = resampledFrameCount(inFrames, fromRate, toRate);
    std::vector<float> out(static_cast<std::size_t>(outFrames * channels));
    for (long long f = 0; f < outFrames; ++f) {
        // Position in input frames as a whole part and a fraction, in integers so long sounds do not drift.
        const long long numerator = f * fromRate;
        const long long i0 = numerator / toRate;
        const float frac = static_cast<float>(numerator % toRate) / static_cast<float>(toRate);
        const long long i1 = std::min(i0 + 1, inFrames - 1);
        for (int c = 0; c < channels; ++c) {
            const float a = samples[static_cast<std::size_t>(i0 * channels + c)];
            const float b = samples[static_cast<std::size_t>(i1 * channels + c)];
            out[static_cast<std::size_t>(f * channels + c)] = a + (b - a) * frac;
        }
    }
    return out;
}

void encodeSamples(std::span<const float> samples, SampleKind kind, char* out) {
    for (std::size_t i = 0; i < samples.size(); ++i) {
        float v = samples[i];
        if (!(v == v)) { // NaN from a broken float file plays as silence
            v = 0.0f;
        }
        v = std::clamp(v, -1.0f, 1.0f);
        switch (kind) {
        case SampleKind::UInt8: {
            const auto s = static_cast<std::uint8_t>(std::lround(v * 127.0f) + 128);
            std::memcpy(out + i, &s, 1);
            break;
        }
        case SampleKind::Int16: {
            const auto s = static_cast<std::int16_t>(std::lround(v * 32767.0f));
            std::memcpy(out + i * 2, &s, 2);
            break;
        }
        case SampleKind::Int32: {
            const auto s = static_cast<std::int32_t>(std::llround(static_cast<double>(v) * 2147483647.0));
            std::memcpy(out + i * 4, &s, 4);
            break;
        }
        case SampleKind::Float:
            std::memcpy(out + i * 4, &v, 4);
            break;
        }
    }
}

std::vector<char> convertForDevice(std::span<const float> samples, int channels, int rate, const PcmFormat& out) {
    // Copies are made only for the steps that change something: long sounds at the device's own format cost
    // no more than their bytes.
    std::vector<float> mapped;
    std::span<const float> current = samples;
    if (channels != out.channels) {
        mapped = remapChannels(current, channels, out.channels);
        current = mapped;
    }
    std::vector<float> resampled;
    if (rate != out.sampleRate) {
        resampled = resampleLinear(current, out.channels, rate, out.sampleRate);
        current = resampled;
    }
    const std::size_t whole = current.size() - current.size() % static_cast<std::size_t>(out.channels);
    current = current.first(whole);
    std::vector<char> bytes(current.size() * bytesPerSample(out.kind));
    encodeSamples(current, out.kind, bytes.data());
    return bytes;
}
