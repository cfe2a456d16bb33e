#pragma once
#include "sound/SoundDevice.h"
#include <vector>

// What every benchmark needs: a sound device that plays nothing, and the figures of a set of measurements.

class SilentDevice : public SoundDevice {
public:
    void Open() override {}
    void Play() override {}
    void Stop() override {}
    void Prev() override {}
    void Close() override {}
};

// The value at fraction p (0..1) of the sorted measurements; 0 for none.
double percentile(std::vector<double> values, double p);
double median(std::vector<double> values);
