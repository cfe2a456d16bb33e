#pragma once
#include "PcmFormat.h"
#include <span>
#include <vector>

// Sample arithmetic between a decoded sound (interleaved float, full scale -1..1) and the device's layout.
// Simple on purpose: the board plays short signals, and the device usually takes the sound's own rate and channels,
// so these run only for the odd file the device cannot take as it is.

// Mono goes to every output channel; many channels go to mono as their mean; otherwise channels are kept by
// position and missing ones stay silent.
std::vector<float> remapChannels(std::span<const float> samples, int fromChannels, int toChannels);

// Linear interpolation between neighbouring frames; the result lasts as long as the input (rounded to a frame).
std::vector<float> resampleLinear(std::span<const float> samples, int channels, int fromRate, int toRate);

// Frames the resampled sound has: the same duration at the new rate.
long long resampledFrameCount(long long frames, int fromRate, int toRate);

// Writes the samples in the device's layout (native byte order), clipping to full scale.
// `out` must hold samples.size() * bytesPerSample(kind) bytes.
void encodeSamples(std::span<const float> samples, SampleKind kind, char* out);

// The whole path from a decoded sound to the bytes the device plays.
std::vector<char> convertForDevice(std::span<const float> samples, int channels, int rate, const PcmFormat& out);
