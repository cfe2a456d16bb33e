#include "SoundDevice.h"

SoundDevice::SoundDevice(QObject* parent) : QObject(parent) {}

SoundDevice::~SoundDevice() = default;
