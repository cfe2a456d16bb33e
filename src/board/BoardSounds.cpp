#include "BoardSounds.h"
#include "sound/SoundDevice.h"
#include <QFileInfo>

bool BoardSounds::loaded(Sound sound) const {
    return !device(sound).fileName().isEmpty();
}

void BoardSounds::open(SoundDevice& device, const std::string& file, bool checkExists) {
    const QString path = QString::fromStdString(file);
    // A folder is no sound: it counts as missing.
    if (checkExists && (path.isEmpty() || !QFileInfo(path).isFile())) {
        return;
    }
    device.setFileName(path);
    device.open();
}

void BoardSounds::openFromSettings(const std::string& buzzerFile, const std::string& hornFile) {
    open(m_buzzer, buzzerFile, true);
    open(m_horn, hornFile, true);
}

void BoardSounds::reopen(const std::string& buzzerFile, const std::string& hornFile) {
    m_buzzer.close();
    open(m_buzzer, buzzerFile, false);
    m_horn.close();
    open(m_horn, hornFile, false);
}

bool BoardSounds::follow(const BoardEffect& effect) {
    using Kind = BoardEffect::Kind;
    if (effect.kind == Kind::PlaySound) {
        device(effect.sound).play();
        return true;
    }
    if (effect.kind == Kind::CutSound || effect.kind == Kind::SoundEnded) {
        device(effect.sound).stop();
        device(effect.sound).prev();
        return true;
    }
    return false;
}

void BoardSounds::closeLoaded() {
    for (SoundDevice* d : {&m_buzzer, &m_horn}) {
        if (!d->fileName().isEmpty()) {
            d->close();
        }
    }
}

void BoardSounds::closeAll() {
    m_buzzer.close();
    m_horn.close();
}
