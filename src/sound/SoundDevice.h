#pragma once
#include <QObject>
#include <QString>

// One of the board's two sound signals (the horn, the buzzer): a file played on command.
// The board drives it as a media device:
//   at load          setFileName, Open
//   Buzzer / Horn    Play
//   on Done          Stop, then Prev
//   after options    Close, setFileName, Open
//   on unload        Close
// Done is the completion notification: exactly once per Play, on the user-interface thread, never from inside
// Play() itself, and also when the sound could not play at all or stalled. The board's "a sound is playing" flag
// is cleared by it, so a device that failed silently must still finish.
class SoundDevice : public QObject {
    Q_OBJECT
public:
    explicit SoundDevice(QObject* parent = nullptr);
    ~SoundDevice() override;

    QString fileName() const { return m_fileName; }
    void setFileName(const QString& fileName) { m_fileName = fileName; }

    virtual void open() = 0;
    virtual void play() = 0;
    virtual void stop() = 0;
    virtual void prev() = 0;
    virtual void close() = 0;

signals:
    void done();

private:
    QString m_fileName;
};
