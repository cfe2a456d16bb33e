#pragma once
#include "sound/SoundDevice.h"
#include <QStringList>

// A sound device for the board's tests: it plays nothing, remembers every command in order ("Open:<file name>",
// "Play", "Stop", "Prev", "Close") and reports completion only when the test calls finish().
class FakeSoundDevice : public SoundDevice {
    Q_OBJECT
public:
    explicit FakeSoundDevice(QObject* parent = nullptr);

    void open() override;
    void play() override;
    void stop() override;
    void prev() override;
    void close() override;

    QStringList commands() const { return m_commands; }
    void clearCommands() { m_commands.clear(); }
    // Reports completion, as a real device does when its sound has ended.
    void finish();

private:
    QStringList m_commands;
};
