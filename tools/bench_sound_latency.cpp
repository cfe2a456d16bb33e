// Latency of the board's sound: from the key press (the board's call to Play) to the sound leaving the device.
//
//   bench_sound_latency [FILE] [RUNS]      FILE defaults to the program folder's buzzer.wav, RUNS to 40
//
// Starts its own private PulseAudio server (a fresh runtime folder, so a desktop's server is left alone) with a
// null sink as the default output, kept running at 20 ms latency by a stream of silence as a sound card in use
// is, and records the sink's monitor at 5 ms latency. Each run plays the file through WavSoundDevice and times:
//   play call   how long play() itself holds the user-interface thread
//   device      until the sink reports the first sound played (QAudioSink::processedUSecs() > 0)
//   monitor     until the first non-silent sample of the sink's monitor reaches this program: the sound has
//               left the device; this includes the monitor's own latency, so it is an upper bound
// and prints the median and 90th percentile of each in milliseconds. Needs pulseaudio, pactl, pacat and parec.
#include "sound/WavSoundDevice.h"
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QMediaDevices>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

using namespace Qt::StringLiterals;

namespace {
bool run(const QString& program, const QStringList& args, int timeoutMs = 10000) {
    QProcess p;
    p.setStandardInputFile(QProcess::nullDevice());
    p.start(program, args);
    return p.waitForFinished(timeoutMs) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

void waitMs(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

double percentile(std::vector<double> values, double p) {
    if (values.empty()) {
        return -1.0;
    }
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(std::lround(p * static_cast<double>(values.size() - 1)));
    return values[std::min(index, values.size() - 1)];
}

void report(const char* what, const std::vector<double>& ms, int runs) {
    std::printf("%-10s median %7.1f ms   p90 %7.1f ms   (%zu of %d runs)\n", what, percentile(ms, 0.5),
                percentile(ms, 0.9), ms.size(), runs);
}

// True when a block of 16-bit samples holds sound above the faintest level of the test signal's attack.
bool holdsSound(const QByteArray& block) {
    for (qsizetype i = 0; i + 1 < block.size(); i += 2) {
        std::int16_t s;
        std::memcpy(&s, block.constData() + i, 2);
        if (s > 300 || s < -300) {
            return true;
        }
    }
    return false;
}

class PrivateServer {
public:
    bool start() {
        if (!m_dir.isValid()) {
            return false;
        }
        const QString runtime = m_dir.filePath(u"runtime"_s);
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QDir().mkpath(m_dir.filePath(u"home"_s));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
        qputenv("HOME", QFile::encodeName(m_dir.filePath(u"home"_s)));
        qunsetenv("PULSE_SERVER");
        qunsetenv("PULSE_SINK");
        if (!run(u"pulseaudio"_s, {u"-D"_s, u"-n"_s, u"--load=module-native-protocol-unix"_s, u"--exit-idle-time=-1"_s,
                                   u"--system=false"_s, u"--log-target=stderr"_s})) {
            std::fprintf(stderr, "bench_sound_latency: pulseaudio did not start\n");
            return false;
        }
        bool up = false;
        for (int i = 0; i < 50 && !up; ++i) {
            up = run(u"pactl"_s, {u"info"_s});
            if (!up) {
                QThread::msleep(100);
            }
        }
        QFile pidFile(runtime + u"/pulse/pid"_s);
        if (pidFile.open(QIODevice::ReadOnly)) {
            m_pulsePid = pidFile.readAll().trimmed().toLongLong();
        }
        // See tests/e2e/test_real_audio.sh for why the sink has no rewinds and is kept running.
        if (!up || !run(u"pactl"_s, {u"load-module"_s, u"module-null-sink"_s, u"sink_name=nul"_s, u"norewinds=1"_s}) ||
            !run(u"pactl"_s, {u"set-default-sink"_s, u"nul"_s})) {
            std::fprintf(stderr, "bench_sound_latency: no null sink\n");
            return false;
        }
        m_keepAlive.setStandardInputFile(QProcess::nullDevice());
        m_keepAlive.start(u"pacat"_s, {u"--playback"_s, u"--latency-msec=20"_s, u"--raw"_s, u"--format=s16le"_s,
                                       u"--rate=44100"_s, u"--channels=2"_s, u"/dev/zero"_s});
        return m_keepAlive.waitForStarted();
    }

    ~PrivateServer() {
        m_keepAlive.kill();
        m_keepAlive.waitForFinished(2000);
        if (m_pulsePid > 0 && run(u"kill"_s, {QString::number(m_pulsePid)})) {
            // The server removes its files as it goes; the folder can only go after it.
            for (int i = 0; i < 50 && run(u"kill"_s, {u"-0"_s, QString::number(m_pulsePid)}); ++i) {
                QThread::msleep(50);
            }
        }
    }

private:
    QTemporaryDir m_dir;
    QProcess m_keepAlive;
    qint64 m_pulsePid = 0;
};
} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString file = args.size() > 1 ? args.at(1) : app.applicationDirPath() + u"/../buzzer.wav"_s;
    const int runs = args.size() > 2 ? std::max(1, args.at(2).toInt()) : 40;

    PrivateServer server;
    if (!server.start()) {
        return 1;
    }
    if (QMediaDevices::defaultAudioOutput().isNull()) {
        std::fprintf(stderr, "bench_sound_latency: the private server offers no audio output\n");
        return 1;
    }

    QProcess monitor;
    monitor.setStandardInputFile(QProcess::nullDevice());
    monitor.start(u"parec"_s, {u"--latency-msec=5"_s, u"-d"_s, u"nul.monitor"_s, u"--raw"_s, u"--format=s16le"_s,
                               u"--rate=48000"_s, u"--channels=1"_s});
    if (!monitor.waitForStarted()) {
        std::fprintf(stderr, "bench_sound_latency: parec did not start\n");
        return 1;
    }

    WavSoundDevice device;
    device.setFileName(file);
    device.open();
    if (!device.isOpen()) {
        std::fprintf(stderr, "bench_sound_latency: cannot open %s\n", qPrintable(file));
        return 1;
    }
    std::printf("sound %s: %lld frames at %d Hz, %d channels, %lld ms; %d runs\n", qPrintable(file),
                device.frameCount(), device.sampleRate(), device.channelCount(),
                static_cast<long long>(device.lengthMs()), runs);
    waitMs(1000);

    std::vector<double> playCall;
    std::vector<double> deviceStart;
    std::vector<double> monitorStart;
    std::vector<double> doneAfter;
    for (int i = 0; i < runs; ++i) {
        monitor.readAllStandardOutput(); // what the monitor heard before this run
        QElapsedTimer clock;
        qint64 heardNs = -1;
        qint64 processedNs = -1;
        QEventLoop loop;
        QTimer poll;
        poll.setTimerType(Qt::PreciseTimer);
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (processedNs < 0 && device.playedUSecs() > 0) {
                processedNs = clock.nsecsElapsed();
            }
        });
        const auto readMonitor = QObject::connect(&monitor, &QProcess::readyReadStandardOutput, &loop, [&] {
            const QByteArray block = monitor.readAllStandardOutput();
            if (heardNs < 0 && holdsSound(block)) {
                heardNs = clock.nsecsElapsed();
            }
        });
        const auto done = QObject::connect(&device, &SoundDevice::done, &loop, [&] {
            doneAfter.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
            loop.quit();
        });
        poll.start(1);
        clock.start();
        device.play();
        playCall.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
        loop.exec();
        poll.stop();
        QObject::disconnect(readMonitor);
        QObject::disconnect(done);
        device.stop();
        device.prev();
        if (processedNs >= 0) {
            deviceStart.push_back(static_cast<double>(processedNs) / 1e6);
        }
        if (heardNs >= 0) {
            monitorStart.push_back(static_cast<double>(heardNs) / 1e6);
        }
        waitMs(300);
    }
    monitor.kill();
    monitor.waitForFinished(2000);

    report("play call", playCall, runs);
    report("device", deviceStart, runs);
    report("monitor", monitorStart, runs);
    report("done", doneAfter, runs);
    return 0;
}
