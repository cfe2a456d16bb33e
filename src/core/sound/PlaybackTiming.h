#pragma once
#include <cstdint>

// Timing rules of one playback. Milliseconds, as the audio layer and its timers count them.

// How long a sound of `frames` frames at `rate` lasts, rounded up so a wait of this length never ends early.
std::int64_t soundLengthMs(std::int64_t frames, int rate);

// The margin a playback gets beyond the sound it still has to play before it is checked for a stall. It covers
// starting the device (a sound server that wakes a sleeping sink may take two seconds) and grows a little with
// long sounds because a busy machine loses more time over them.
std::int64_t stallMarginMs(std::int64_t remainingMs);

// Watches one playback for a stall: a device unplugged mid-game, a sound server that stopped answering. Such a
// playback never reports its end, and it must count as finished so the board's "a sound is playing" flag never
// stays set. At each deadline the device's played time is compared with the previous check: a device that has
// moved on gets a new deadline for the rest of the sound, one that has not has stalled.
class StallWatch {
public:
    // The first deadline, in ms after Play, for a sound of `lengthMs`.
    std::int64_t start(std::int64_t lengthMs);
    // At a deadline, with the time the device reports as played: the next deadline in ms from now, or
    // kStalled when the device has not moved since the previous check.
    std::int64_t check(std::int64_t playedMs);

    static constexpr std::int64_t kStalled = -1;

private:
    std::int64_t m_lengthMs = 0;
    std::int64_t m_playedMs = 0;
};

// Sounds the device takes at Open. Longer ones are refused rather than decoded into memory: the board plays
// signals of a few seconds, and a ten-minute file picked by mistake must not eat the machine's memory.
inline constexpr std::int64_t kMaxSoundSeconds = 600;
inline constexpr std::int64_t kMaxSoundSamples = std::int64_t{1} << 24; // about 3 minutes of 48 kHz stereo
bool soundFitsInMemory(std::int64_t frames, int rate, int channels);

// Silence played after a sound. The sound server reports the end once it has taken the last byte, while up to one
// buffer of sound may still be waiting in it; the board stops the device as soon as the end is reported, so the
// silence is what gets cut instead of the sound's tail.
std::int64_t trailingSilenceMs(std::int64_t bufferMs);
