#pragma once
#include <vector>

// The board's own default signals, made from scratch so the program ships sounds it owns. Both are mono, at full
// loudness just under clipping, and start and end at silence so no click is heard.

// The horn: a loud low chord of about three seconds, like an arena's goal horn. Several harmonically rich tones,
// each a pair of slightly detuned voices, swelling in and dying away.
std::vector<float> synthesizeHorn(int sampleRate);

// The buzzer: a harsh square-ish tone of about a second, like an arena's period-end buzzer, with the rasp of two
// square waves beating against each other; fast attack and release.
std::vector<float> synthesizeBuzzer(int sampleRate);

inline constexpr double kHornSeconds = 3.0;
inline constexpr double kBuzzerSeconds = 1.0;
inline constexpr float kSignalPeak = 0.89f; // -1 dBFS
