#include "ArenaSounds.h"
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
constexpr double kTwoPi = 2.0 * std::numbers::pi;

// A band-limited tone: harmonics up to just below half the sample rate, so nothing folds back as hiss.
// `odd` keeps odd harmonics only (a square wave), `slope` is how fast harmonics fall off (1: sawtooth-like).
class HarmonicTone {
public:
    HarmonicTone(double frequency, int sampleRate, bool odd, double slope) {
        const double nyquist = sampleRate / 2.0 * 0.9;
        for (int n = 1; n * frequency < nyquist && n <= 60; ++n) {
            const bool kept = !odd || n % 2 == 1;
            m_amplitude.push_back(kept ? 1.0 / std::pow(static_cast<double>(n), slope) : 0.0);
        }
    }
    // sin(n * phase) by the Chebyshev recurrence: one sine and one cosine per sample instead of one per harmonic.
    double at(double phase) const {
        const double twoCos = 2.0 * std::cos(phase);
        double previous = 0.0;
        double current = std::sin(phase);
        double v = 0.0;
        for (const double a : m_amplitude) {
            v += a * current;
            const double next = twoCos * current - previous;
            previous = current;
            current = next;
        }
        return v;
    }

private:
    std::vector<double> m_amplitude;
};

// Rises with a raised cosine over `attack`, falls the same way over `release`: smooth at both ends.
double envelope(double t, double length, double attack, double release) {
    if (t < attack) {
        return 0.5 - 0.5 * std::cos(std::numbers::pi * t / attack);
    }
    if (t > length - release) {
        const double r = std::max(length - t, 0.0);
        return 0.5 - 0.5 * std::cos(std::numbers::pi * r / release);
    }
    return 1.0;
}

void normalise(std::vector<float>& samples) {
    float peak = 0.0f;
    for (const float s : samples) {
        peak = std::max(peak, std::fabs(s));
    }
    if (peak > 0.0f) {
        const float gain = kSignalPeak / peak;
        for (float& s : samples) {
            s *= gain;
        }
    }
}

std::vector<float> render(int sampleRate, double seconds, auto&& sample) {
    const auto frames = static_cast<std::size_t>(std::lround(seconds * sampleRate));
    std::vector<float> out(frames);
    for (std::size_t i = 0; i < frames; ++i) {
        out[i] = static_cast<float>(sample(static_cast<double>(i) / sampleRate));
    }
    normalise(out);
    return out;
}
} // namespace

std::vector<float> synthesizeHorn(int sampleRate) {
    if (sampleRate <= 0) {
        return {};
    }
    // A low A major chord with the root doubled above, as air horns are tuned to a chord.
    constexpr double chord[] = {110.0, 138.59, 164.81, 220.0};
    constexpr double level[] = {1.0, 0.8, 0.7, 0.5};
    constexpr double detune = 0.004; // the two voices of a tone beat slowly, like two horns blown together
    struct Voice {
        double frequency;
        double level;
        HarmonicTone tone;
    };
    std::vector<Voice> voices;
    for (std::size_t k = 0; k < std::size(chord); ++k) {
        for (const double d : {-detune, detune}) {
            const double f = chord[k] * (1.0 + d);
            voices.push_back({f, level[k], HarmonicTone(f, sampleRate, false, 1.2)});
        }
    }
    return render(sampleRate, kHornSeconds, [&](double t) {
        // A slight pitch sag at the start, as the air pressure builds.
        const double bend = 1.0 - 0.02 * std::exp(-t * 12.0);
        double v = 0.0;
        for (const Voice& voice : voices) {
            v += voice.level * voice.tone.at(kTwoPi * voice.frequency * bend * t);
        }
        // Soft saturation: the brassy, overdriven edge of a loud horn.
        v = std::tanh(v * 0.45);
        return v * envelope(t, kHornSeconds, 0.08, 0.45);
    });
}

std::vector<float> synthesizeBuzzer(int sampleRate) {
    if (sampleRate <= 0) {
        return {};
    }
    constexpr double base = 196.0;
    constexpr double fifth = base * 1.5 + 3.0; // a fifth up, a few hertz sharp: the two beat into a rasp
    const HarmonicTone low(base, sampleRate, true, 1.0);
    const HarmonicTone high(fifth, sampleRate, true, 1.0);
    return render(sampleRate, kBuzzerSeconds, [&](double t) {
        double v = low.at(kTwoPi * base * t) + 0.8 * high.at(kTwoPi * fifth * t);
        // A mains-rate rattle on top, as from an electromechanical buzzer.
        v *= 0.75 + 0.25 * std::sin(kTwoPi * 50.0 * t);
        v = std::tanh(v * 1.5);
        return v * envelope(t, kBuzzerSeconds, 0.006, 0.015);
    });
}
