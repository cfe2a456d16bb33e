#pragma once
#include "core/board/Scorekeeper.h"
#include <string>

class SoundDevice;

// The board's two sound devices, the buzzer and the horn, driven as the scorekeeper says: opened from the
// settings, played, cut short and rewound, closed when the board goes.
class BoardSounds {
public:
    BoardSounds(SoundDevice& buzzer, SoundDevice& horn) : m_buzzer(buzzer), m_horn(horn) {}

    SoundDevice& device(Sound sound) const { return sound == Sound::Horn ? m_horn : m_buzzer; }
    // Whether a sound file is loaded on the sound's device.
    bool loaded(Sound sound) const;
    // At start-up: each device opens its file if there is one (a missing file or a folder is no sound).
    void openFromSettings(const std::string& buzzerFile, const std::string& hornFile);
    // After the options: each device closes and opens the file now set, whatever it is.
    void reopen(const std::string& buzzerFile, const std::string& hornFile);
    // Plays, or stops and rewinds, as the effect says; true for an effect that is a sound's.
    bool follow(const BoardEffect& effect);
    // The board goes: every loaded device closes.
    void closeLoaded();
    // The window object goes without the board having closed: both devices close.
    void closeAll();

private:
    static void open(SoundDevice& device, const std::string& file, bool checkExists);

    SoundDevice& m_buzzer;
    SoundDevice& m_horn;
};
