#include "WavSoundDevice.h"
#include "core/sound/SampleConversion.h"
#include <QAudioFormat>
#include <QAudioSink>
#include <QCoreApplication>
#include <QMediaDevices>
#include <algorithm>

namespace {
// The sound server's buffer for our stream. Small, so a key press is heard at once; large enough that a busy
// machine refilling it every 20 ms does not run dry.
constexpr qint64 kBufferMs = 100;
// Sound the server gathers before it starts playing (see PcmSource).
constexpr qint64 kStartThresholdMs = 5;

QAudioFormat::SampleFormat toQt(SampleKind kind) {
    switch (kind) {
    case SampleKind::UInt8:
        return QAudioFormat::UInt8;
    case SampleKind::Int16:
        return QAudioFormat::Int16;
    case SampleKind::Int32:
        return QAudioFormat::Int32;
    case SampleKind::Float:
        return QAudioFormat::Float;
    }
    return QAudioFormat::Float;
}

bool fromQt(QAudioFormat::SampleFormat format, SampleKind* kind) {
    switch (format) {
    case QAudioFormat::UInt8:
        *kind = SampleKind::UInt8;
        return true;
    case QAudioFormat::Int16:
        *kind = SampleKind::Int16;
        return true;
    case QAudioFormat::Int32:
        *kind = SampleKind::Int32;
        return true;
    case QAudioFormat::Float:
        *kind = SampleKind::Float;
        return true;
    default:
        return false;
    }
}

QAudioFormat toQt(const PcmFormat& pcm) {
    QAudioFormat format;
    format.setSampleRate(pcm.sampleRate);
    format.setChannelCount(pcm.channels);
    format.setSampleFormat(toQt(pcm.kind));
    return format;
}

DeviceCapabilities capabilitiesOf(const QAudioDevice& device) {
    DeviceCapabilities caps;
    caps.minimumSampleRate = device.minimumSampleRate();
    caps.maximumSampleRate = device.maximumSampleRate();
    caps.minimumChannels = device.minimumChannelCount();
    caps.maximumChannels = device.maximumChannelCount();
    const QList<QAudioFormat::SampleFormat> formats = device.supportedSampleFormats();
    caps.takesFloat = formats.contains(QAudioFormat::Float);
    caps.takesInt16 = formats.contains(QAudioFormat::Int16);
    const QAudioFormat preferred = device.preferredFormat();
    caps.preferred.sampleRate = preferred.sampleRate();
    caps.preferred.channels = preferred.channelCount();
    if (!fromQt(preferred.sampleFormat(), &caps.preferred.kind)) {
        caps.preferred.kind = SampleKind::Int16;
    }
    return caps;
}

qint64 bytesPerFrame(const PcmFormat& pcm) {
    return static_cast<qint64>(bytesPerSample(pcm.kind)) * pcm.channels;
}
} // namespace

WavSoundDevice::WavSoundDevice(QObject* parent) : SoundDevice(parent) {
    m_deadline.setSingleShot(true);
    // A silent playback must not end before the sound's length; coarse timers may fire a little early.
    m_deadline.setTimerType(Qt::PreciseTimer);
    connect(&m_deadline, &QTimer::timeout, this, &WavSoundDevice::onDeadline);
}

WavSoundDevice::~WavSoundDevice() {
    m_playing = false;
    // Deleting a sink lets pending events run; none of them may reach this half-destroyed device.
    QCoreApplication::removePostedEvents(this);
    QObject::disconnect(m_sinkConnection);
    if (m_sink != nullptr) {
        m_sink->disconnect(this);
        m_sink->stop();
        delete m_sink;
    }
}

qint64 WavSoundDevice::lengthMs() const {
    return soundLengthMs(m_sound.frameCount(), m_sound.sampleRate);
}

QAudioDevice WavSoundDevice::outputDevice() const {
    return QMediaDevices::defaultAudioOutput();
}

void WavSoundDevice::open() {
    close();
    m_sound = decodeSoundFile(fileName());
    if (!isOpen()) {
        return;
    }
    // Converting now keeps the work out of the key press that plays the sound.
    const QAudioDevice device = outputDevice();
    if (!device.isNull()) {
        prepareFor(device);
    }
}

void WavSoundDevice::play() {
    if (m_playing) {
        return;
    }
    ++m_playback;
    if (!isOpen()) {
        reportDone();
        return;
    }
    if (m_position >= frameCount()) {
        m_position = 0;
    }
    m_playing = true;
    m_startFrame = m_position;
    m_clock.start();
    const qint64 remainingMs = soundLengthMs(frameCount() - m_position, sampleRate());

    const QAudioDevice device = outputDevice();
    m_silent = device.isNull() || !prepareFor(device) || !startSink(device);
    if (m_silent) {
        // No speakers, or the device refused the sound: it "plays" for its length without being heard.
        QObject::disconnect(m_sinkConnection);
        m_deadline.start(static_cast<int>(remainingMs) + 1);
        return;
    }
    m_deadline.start(static_cast<int>(m_stallWatch.start(remainingMs)));
}

void WavSoundDevice::onDeadline() {
    if (!m_playing) {
        return;
    }
    if (!m_silent && m_sink != nullptr) {
        const qint64 next = m_stallWatch.check(m_sink->processedUSecs() / 1000);
        if (next != StallWatch::kStalled) {
            m_deadline.start(static_cast<int>(next));
            return;
        }
    }
    endPlayback(EndReason::Finished);
}

void WavSoundDevice::stop() {
    if (m_playing) {
        endPlayback(EndReason::Interrupted);
    }
}

void WavSoundDevice::prev() {
    stop();
    m_position = 0;
}

void WavSoundDevice::close() {
    stop();
    releaseSink();
    m_sound = DecodedSound{};
    m_pcm.clear();
    m_pcm.squeeze();
    m_pcmFormat = PcmFormat{};
    m_pcmSoundBytes = 0;
    m_position = 0;
}

qint64 WavSoundDevice::playedUSecs() const {
    if (!m_playing) {
        return 0;
    }
    if (m_silent || m_sink == nullptr) {
        return m_clock.nsecsElapsed() / 1000;
    }
    return m_sink->processedUSecs();
}

bool WavSoundDevice::prepareFor(const QAudioDevice& device) {
    PcmFormat wanted = chooseOutputFormat(m_sound.sampleRate, m_sound.channels, capabilitiesOf(device));
    if (!device.isFormatSupported(toQt(wanted))) {
        const QAudioFormat preferred = device.preferredFormat();
        if (!preferred.isValid() || !fromQt(preferred.sampleFormat(), &wanted.kind)) {
            return false;
        }
        wanted.sampleRate = preferred.sampleRate();
        wanted.channels = preferred.channelCount();
    }
    if (wanted == m_pcmFormat && !m_pcm.isEmpty()) {
        return true;
    }
    const std::vector<char> bytes = convertForDevice(m_sound.samples, m_sound.channels, m_sound.sampleRate, wanted);
    const qint64 frameBytes = bytesPerFrame(wanted);
    const qint64 silenceFrames = trailingSilenceMs(kBufferMs) * wanted.sampleRate / 1000;
    m_source.end();
    m_pcm.clear();
    m_pcm.reserve(static_cast<qsizetype>(bytes.size()) + silenceFrames * frameBytes);
    m_pcm.append(bytes.data(), static_cast<qsizetype>(bytes.size()));
    m_pcm.append(static_cast<qsizetype>(silenceFrames * frameBytes), wanted.kind == SampleKind::UInt8 ? '\x80' : '\0');
    m_pcmSoundBytes = static_cast<qint64>(bytes.size());
    m_pcmFormat = wanted;
    return true;
}

bool WavSoundDevice::startSink(const QAudioDevice& device) {
    const QAudioFormat format = toQt(m_pcmFormat);
    if (m_sink == nullptr || m_sinkDevice != device || m_sink->format() != format) {
        releaseSink();
        m_sink = new QAudioSink(device, format);
        m_sinkDevice = device;
    }
    m_sink->setBufferSize(
        static_cast<qsizetype>(kBufferMs * m_pcmFormat.sampleRate / 1000 * bytesPerFrame(m_pcmFormat)));

    const qint64 outFrame = resampledFrameCount(m_position, m_sound.sampleRate, m_pcmFormat.sampleRate);
    const qint64 startThreshold = std::max<qint64>(kStartThresholdMs * m_pcmFormat.sampleRate / 1000, 1);
    m_source.begin(&m_pcm, std::min(outFrame * bytesPerFrame(m_pcmFormat), m_pcmSoundBytes),
                   startThreshold * bytesPerFrame(m_pcmFormat));

    QObject::disconnect(m_sinkConnection);
    // Queued: the sink reports some states from inside start() and some from the sound server's thread.
    const quint64 playback = m_playback;
    m_sinkConnection = connect(
        m_sink, &QAudioSink::stateChanged, this, [this, playback] { onSinkState(playback); }, Qt::QueuedConnection);
    m_sink->start(&m_source);
    return m_sink->error() == QAudio::NoError && m_sink->state() != QAudio::StoppedState;
}

void WavSoundDevice::onSinkState(quint64 playback) {
    if (!m_playing || m_silent || playback != m_playback || m_sink == nullptr) {
        return;
    }
    const QAudio::State state = m_sink->state();
    if (state == QAudio::IdleState && m_source.atEnd()) {
        // Everything, trailing silence included, has gone to the sound server: the sound itself has been heard.
        endPlayback(EndReason::Finished);
    } else if (state == QAudio::StoppedState) {
        // The device failed mid-sound (unplugged, the server went away): finish silently on the sound's time.
        QObject::disconnect(m_sinkConnection);
        m_sink->stop();
        m_silent = true;
        const qint64 total = soundLengthMs(frameCount() - m_startFrame, sampleRate());
        const qint64 left = std::max<qint64>(total - m_clock.elapsed(), 0);
        m_deadline.start(static_cast<int>(left) + 1);
    }
    // Idle before the end is a momentary underrun: the sink refills on its own, and the watchdog covers the rest.
}

void WavSoundDevice::endPlayback(EndReason reason) {
    if (!m_playing) {
        return;
    }
    const long long played = playedFrames();
    m_playing = false;
    m_deadline.stop();
    QObject::disconnect(m_sinkConnection);
    if (m_sink != nullptr) {
        m_sink->stop();
    }
    m_source.end();
    m_position = reason == EndReason::Finished ? frameCount() : played;
    reportDone();
}

long long WavSoundDevice::playedFrames() const {
    const qint64 usecs = m_silent || m_sink == nullptr ? m_clock.nsecsElapsed() / 1000 : m_sink->processedUSecs();
    const long long frames = m_startFrame + usecs * sampleRate() / 1000000;
    return std::clamp<long long>(frames, 0, frameCount());
}

void WavSoundDevice::reportDone() {
    QMetaObject::invokeMethod(
        this, [this] { emit done(); }, Qt::QueuedConnection);
}

void WavSoundDevice::releaseSink() {
    QObject::disconnect(m_sinkConnection);
    if (m_sink == nullptr) {
        return;
    }
    m_sink->disconnect(this);
    m_sink->stop();
    // Later: deleting a sink runs pending events, which must not happen inside a board command.
    m_sink->deleteLater();
    m_sink = nullptr;
    m_sinkDevice = QAudioDevice();
}
