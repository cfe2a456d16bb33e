#include "FakeSoundDevice.h"

FakeSoundDevice::FakeSoundDevice(QObject* parent) : SoundDevice(parent) {}

void FakeSoundDevice::Open() {
    m_commands << QStringLiteral("Open:") + FileName();
}

void FakeSoundDevice::Play() {
    m_commands << QStringLiteral("Play");
}

void FakeSoundDevice::Stop() {
    m_commands << QStringLiteral("Stop");
}

void FakeSoundDevice::Prev() {
    m_commands << QStringLiteral("Prev");
}

void FakeSoundDevice::Close() {
    m_commands << QStringLiteral("Close");
}

void FakeSoundDevice::finish() {
    emit Done();
}
