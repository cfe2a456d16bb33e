#pragma once
#include <QByteArray>
#include <QIODevice>

// The bytes of one playback, handed to the audio sink as it asks for them.
//
// It also tells the sink how much sound to gather before it starts: the sink passes a stream's size() to the
// sound server as its start threshold when the stream is smaller than the server's own threshold. Qt's sink
// feeds the server in 20 ms chunks and stops when less than a chunk fits, so with a small buffer the server's
// threshold may lie just above what the sink ever writes, and the sound would never start. Reporting a size
// of a few milliseconds starts the sound with the first chunk: no such stall, and the lowest latency.
class PcmSource : public QIODevice {
public:
    explicit PcmSource(QObject* parent = nullptr);

    // Plays `pcm` from byte `offset`; the array must outlive the playback and stay unchanged during it.
    bool begin(const QByteArray* pcm, qint64 offset, qint64 startThresholdBytes);
    void end();

    bool isSequential() const override { return true; }
    qint64 size() const override;
    qint64 bytesAvailable() const override;
    bool atEnd() const override;

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 maxSize) override;

private:
    const QByteArray* m_pcm = nullptr;
    qint64 m_offset = 0;
    qint64 m_startThreshold = 0;
};
