#pragma once
#include "PcmSource.h"
#include "SoundDevice.h"
#include "SoundFileDecoder.h"
#include "core/sound/PcmFormat.h"
#include "core/sound/PlaybackTiming.h"
#include <QAudio>
#include <QAudioDevice>
#include <QByteArray>
#include <QElapsedTimer>
#include <QTimer>

class QAudioSink;

// The program's sound device: the whole file is decoded at Open (any WAV libsndfile reads: 8/16/24/32-bit PCM,
// float, mono or stereo or more, any rate) and played from memory through the default audio output.
//
// Behaviour the board can rely on:
// - Done is reported once per Play, asynchronously, when the sound has left the device whole, when it could not
//   start (no file, a broken file, no audio device, the device refused), when the device failed mid-sound, and
//   when the device stalled (see StallWatch).
// - With no audio output at all the sound plays "silently": Done comes after the sound's length, as if it had
//   played, so the board's timing does not depend on the machine having speakers.
// - Play while a sound is playing is ignored (the running sound goes on and reports its one Done), since the
//   board never asks for a second sound before the first has finished.
// - Stop ends a playback (its Done follows) and keeps the position; Prev ends it and returns to the start of the
//   sound; Play at the end of the sound plays it again from the start. Close ends the playback and releases the
//   sound. All of them are safe in any state.
// - Sounds longer than 10 minutes, or of more than kMaxSoundSamples samples, are refused at Open.
class WavSoundDevice : public SoundDevice {
    Q_OBJECT
public:
    explicit WavSoundDevice(QObject* parent = nullptr);
    ~WavSoundDevice() override;

    void open() override;
    void play() override;
    void stop() override;
    void prev() override;
    void close() override;

    bool isOpen() const { return !m_sound.isEmpty(); }
    bool isPlaying() const { return m_playing; }
    long long frameCount() const { return m_sound.frameCount(); }
    int sampleRate() const { return m_sound.sampleRate; }
    int channelCount() const { return m_sound.channels; }
    qint64 lengthMs() const;
    // The format the sound goes to the device in; empty before the first playback on a device.
    PcmFormat outputFormat() const { return m_pcmFormat; }
    // Microseconds of the current playback the device reports as played; 0 while none runs.
    qint64 playedUSecs() const;

protected:
    // Where sounds go: the system's default output, looked up at every Play so a device plugged in mid-game is
    // used. A null device means there is no audio output.
    virtual QAudioDevice outputDevice() const;

private:
    enum class EndReason { Finished, Interrupted };
    bool prepareFor(const QAudioDevice& device);
    bool startSink(const QAudioDevice& device);
    void onSinkState(quint64 playback);
    void onDeadline();
    void endPlayback(EndReason reason);
    void reportDone();
    void releaseSink();
    long long playedFrames() const;

    DecodedSound m_sound;
    long long m_position = 0; // where the next Play starts, in frames of the sound
    bool m_playing = false;
    quint64 m_playback = 0; // counts playbacks, so a late signal from an ended one is recognised

    QAudioSink* m_sink = nullptr;
    QAudioDevice m_sinkDevice;
    QMetaObject::Connection m_sinkConnection;
    PcmFormat m_pcmFormat;
    QByteArray m_pcm; // the sound in the device's format, followed by trailing silence
    qint64 m_pcmSoundBytes = 0;
    PcmSource m_source;

    QTimer m_deadline; // the next stall check, or the end of a silent playback when there is no device
    StallWatch m_stallWatch;
    bool m_silent = false;
    QElapsedTimer m_clock;
    long long m_startFrame = 0;
};
