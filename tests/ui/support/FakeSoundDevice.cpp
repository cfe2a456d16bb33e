#include "FakeSoundDevice.h"

FakeSoundDevice::FakeSoundDevice(QObject* parent) : SoundDevice(parent) {}

void FakeSoundDevice::open() {
    m_commands << QStringLiteral("Open:") + fileName();
}

void FakeSoundDevice::play() {
    m_commands << QStringLiteral("Play");
}

void FakeSoundDevice::stop() {
    m_commands << QStringLiteral("Stop");
}

void FakeSoundDevice::prev() {
    m_commands << QStringLiteral("Prev");
}

void FakeSoundDevice::close() {
    m_commands << QStringLiteral("Close");
}

void FakeSoundDevice::finish() {
    emit done();
}
