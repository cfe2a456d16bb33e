#pragma once
#include "sound/SoundDevice.h"
#include <vector>

// What every benchmark needs: a sound device that plays nothing, and the figures of a set of measurements.

class SilentDevice : public SoundDevice {
public:
    void open() override {}
    void play() override {}
    void stop() override {}
    void prev() override {}
    void close() override {}
};

// The value at fraction p (0..1) of the sorted measurements; 0 for none.
double percentile(std::vector<double> values, double p);
double median(std::vector<double> values);
