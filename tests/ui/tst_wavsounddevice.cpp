#include "sound/SoundFileDecoder.h"
#include "sound/WavSoundDevice.h"
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <cmath>
#include <memory>

using namespace Qt::StringLiterals;

namespace {
// The device on a machine without any audio output.
class DeviceWithoutOutput : public WavSoundDevice {
public:
    using WavSoundDevice::WavSoundDevice;

protected:
    QAudioDevice outputDevice() const override { return QAudioDevice(); }
};

// Counts Done and remembers when it came and whether it came from inside Play().
struct DoneWatch {
    explicit DoneWatch(SoundDevice& device) {
        QObject::connect(&device, &SoundDevice::done, &device, [this] {
            ++count;
            elapsedAtDone = clock.elapsed();
            duringPlay = duringPlay || insidePlay;
        });
    }
    void play(SoundDevice& device) {
        clock.start();
        insidePlay = true;
        device.play();
        insidePlay = false;
    }
    bool waitFor(int wanted, int timeoutMs) {
        QElapsedTimer waited;
        waited.start();
        while (count < wanted && waited.elapsed() < timeoutMs) {
            QTest::qWait(5);
        }
        return count >= wanted;
    }

    int count = 0;
    qint64 elapsedAtDone = -1;
    bool insidePlay = false;
    bool duringPlay = false;
    QElapsedTimer clock;
};

constexpr double kToneSeconds = 0.2;
constexpr double kToneLevel = 0.3;
} // namespace

class TestWavSoundDevice : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void formatMatrix_data();
    void formatMatrix();

    void silentWithoutAudioOutput();
    void refusesBadFiles_data();
    void refusesBadFiles();
    void soundCutShortPlaysWhatItHolds();
    void refusesSoundsTooLongForMemory();

    void commandsInAnyState_data();
    void commandsInAnyState();
    void stopKeepsPositionPrevRewinds();
    void destroyedWhilePlaying();

private:
    QString makeTone(const QString& name, int rate, int channels, const QString& encoding, int bits, double seconds);
    QString path(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
};

QString TestWavSoundDevice::makeTone(const QString& name, int rate, int channels, const QString& encoding, int bits,
                                     double seconds) {
    QString file = path(name);
    const QStringList args{u"-n"_s,
                           u"-r"_s,
                           QString::number(rate),
                           u"-c"_s,
                           QString::number(channels),
                           u"-e"_s,
                           encoding,
                           u"-b"_s,
                           QString::number(bits),
                           file,
                           u"synth"_s,
                           QString::number(seconds),
                           u"sine"_s,
                           u"440"_s,
                           u"vol"_s,
                           QString::number(kToneLevel)};
    QProcess sox;
    sox.start(u"sox"_s, args);
    if (!sox.waitForFinished(60000) || sox.exitCode() != 0) {
        qWarning() << "sox failed:" << sox.readAllStandardError();
        return {};
    }
    return file;
}

void TestWavSoundDevice::initTestCase() {
    QVERIFY(m_dir.isValid());
    if (QStandardPaths::findExecutable(u"sox"_s).isEmpty()) {
        QFAIL("sox is needed to make the test sounds (tools/dev.sh installs it)");
    }
}

void TestWavSoundDevice::formatMatrix_data() {
    QTest::addColumn<QString>("encoding");
    QTest::addColumn<int>("bits");
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("rate");
    struct Encoding {
        const char* label;
        const char* sox;
        int bits;
    };
    const Encoding encodings[] = {{"pcm8", "unsigned-integer", 8},
                                  {"pcm16", "signed-integer", 16},
                                  {"pcm24", "signed-integer", 24},
                                  {"pcm32", "signed-integer", 32},
                                  {"float32", "floating-point", 32}};
    for (const Encoding& e : encodings) {
        for (const int channels : {1, 2}) {
            for (const int rate : {8000, 22050, 44100, 48000, 96000}) {
                const QByteArray row =
                    QByteArray(e.label) + (channels == 1 ? "-mono-" : "-stereo-") + QByteArray::number(rate);
                QTest::newRow(row.constData()) << QString::fromLatin1(e.sox) << e.bits << channels << rate;
            }
        }
    }
}

void TestWavSoundDevice::formatMatrix() {
    QFETCH(QString, encoding);
    QFETCH(int, bits);
    QFETCH(int, channels);
    QFETCH(int, rate);
    const QString file = makeTone(QString::fromLatin1(QTest::currentDataTag()) + u".wav"_s, rate, channels, encoding,
                                  bits, kToneSeconds);
    QVERIFY(!file.isEmpty());
    const auto frames = static_cast<long long>(std::lround(rate * kToneSeconds));

    // Decoded whole, at full scale whatever the sample format: 8-bit is unsigned, float is not scaled.
    const DecodedSound decoded = decodeSoundFile(file);
    QCOMPARE(decoded.frameCount(), frames);
    const float peak = std::fabs(*std::max_element(decoded.samples.begin(), decoded.samples.end(),
                                                   [](float a, float b) { return std::fabs(a) < std::fabs(b); }));
    QVERIFY2(std::fabs(peak - kToneLevel) < 0.02, qPrintable(QString::number(peak)));

    // Played on this machine's default output (silently where there is none) to its reported end.
    WavSoundDevice device;
    DoneWatch done(device);
    device.setFileName(file);
    device.open();
    QVERIFY(device.isOpen());
    QCOMPARE(device.frameCount(), frames);
    QCOMPARE(device.sampleRate(), rate);
    QCOMPARE(device.channelCount(), channels);
    done.play(device);
    QVERIFY(device.isPlaying());
    QCOMPARE(done.count, 0);
    QVERIFY(done.waitFor(1, 10000));
    QVERIFY(!done.duringPlay);
    QVERIFY2(done.elapsedAtDone >= device.lengthMs(), qPrintable(QString::number(done.elapsedAtDone)));
    QTest::qWait(50);
    QCOMPARE(done.count, 1);
    QVERIFY(!device.isPlaying());
}

void TestWavSoundDevice::silentWithoutAudioOutput() {
    const QString file = makeTone(u"half-second.wav"_s, 44100, 2, u"signed-integer"_s, 16, 0.5);
    DeviceWithoutOutput device;
    DoneWatch done(device);
    device.setFileName(file);
    device.open();
    QVERIFY(device.isOpen());
    QCOMPARE(device.lengthMs(), 500);
    done.play(device);
    QVERIFY(done.waitFor(1, 5000));
    QVERIFY(!done.duringPlay);
    // As long as the sound would have been heard, so the board keeps its one-sound-at-a-time timing.
    QVERIFY2(done.elapsedAtDone >= 500 && done.elapsedAtDone < 1500, qPrintable(QString::number(done.elapsedAtDone)));
    QTest::qWait(50);
    QCOMPARE(done.count, 1);
}

void TestWavSoundDevice::refusesBadFiles_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content"); // written as the file unless the row is about a missing one
    QTest::addColumn<bool>("exists");

    QByteArray riffHeader("RIFF\x24\x00\x00\x00WAVEfmt ", 16);
    QTest::newRow("missing file") << u"missing.wav"_s << QByteArray() << false;
    QTest::newRow("no file name") << QString() << QByteArray() << false;
    QTest::newRow("empty file") << u"empty.wav"_s << QByteArray() << true;
    QTest::newRow("garbage") << u"garbage.wav"_s << QByteArray(4096, '\x5a') << true;
    QTest::newRow("text named wav") << u"notes.wav"_s << QByteArray("horn goes here\n") << true;
    QTest::newRow("header cut short") << u"cut-header.wav"_s << riffHeader << true;
    QTest::newRow("header without sound") << u"no-data.wav"_s << QByteArray() << true; // a real header, cut below
    QTest::newRow("a folder") << u"folder.wav"_s << QByteArray() << true;
}

void TestWavSoundDevice::refusesBadFiles() {
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(bool, exists);
    QString file = name.isEmpty() ? QString() : path(name);
    if (exists && name == u"folder.wav"_s) {
        QVERIFY(QDir(m_dir.path()).mkpath(name));
    } else if (exists && name == u"no-data.wav"_s) {
        QFile whole(makeTone(u"header-source.wav"_s, 44100, 1, u"signed-integer"_s, 16, 0.1));
        QVERIFY(whole.open(QIODevice::ReadOnly));
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(whole.read(44));
    } else if (exists) {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }

    WavSoundDevice device;
    DoneWatch done(device);
    device.setFileName(file);
    device.open();
    QVERIFY(!device.isOpen());
    QCOMPARE(device.frameCount(), 0);
    // The board's flag is set before Play: it must still be cleared, soon, and not from inside Play().
    done.play(device);
    QCOMPARE(done.count, 0);
    QVERIFY(done.waitFor(1, 1000));
    QVERIFY(!done.duringPlay);
    QTest::qWait(20);
    QCOMPARE(done.count, 1);
}

void TestWavSoundDevice::soundCutShortPlaysWhatItHolds() {
    const QString whole = makeTone(u"whole.wav"_s, 44100, 1, u"signed-integer"_s, 16, 0.5);
    QFile in(whole);
    QVERIFY(in.open(QIODevice::ReadOnly));
    const QByteArray bytes = in.readAll();
    QFile out(path(u"cut.wav"_s));
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(bytes.left(bytes.size() / 2)); // a copy that broke off half-way through the sound
    out.close();

    DeviceWithoutOutput device;
    DoneWatch done(device);
    device.setFileName(out.fileName());
    device.open();
    QVERIFY(device.isOpen());
    QVERIFY(device.frameCount() > 5000 && device.frameCount() < 22050 / 2 + 100);
    done.play(device);
    QVERIFY(done.waitFor(1, 3000));
}

void TestWavSoundDevice::refusesSoundsTooLongForMemory() {
    const QString file = makeTone(u"long.wav"_s, 8000, 1, u"unsigned-integer"_s, 8, 601.0);
    QVERIFY(!file.isEmpty());
    DeviceWithoutOutput device;
    DoneWatch done(device);
    device.setFileName(file);
    device.open();
    QVERIFY(!device.isOpen());
    done.play(device);
    QVERIFY(done.waitFor(1, 1000));
}

// Command sequences in every state the board can reach, and some it never does; none may crash, and each Play
// that started gets exactly one Done. Letters: O Open, P Play, S Stop, R Prev (rewind), C Close, W wait for Done.
void TestWavSoundDevice::commandsInAnyState_data() {
    QTest::addColumn<QString>("commands");
    QTest::addColumn<bool>("withFile");
    QTest::addColumn<int>("expectedDone");

    QTest::newRow("nothing opened") << u"SRCSRC"_s << false << 0;
    QTest::newRow("play unopened") << u"PW"_s << false << 1;
    QTest::newRow("opened, idle") << u"OSRCSRC"_s << true << 0;
    QTest::newRow("board cycle twice") << u"OPWSRPWSRC"_s << true << 2;
    QTest::newRow("play while playing is ignored") << u"OPPPW"_s << true << 1;
    QTest::newRow("stop while playing") << u"OPSW"_s << true << 1;
    QTest::newRow("prev while playing") << u"OPRW"_s << true << 1;
    QTest::newRow("close while playing") << u"OPCW"_s << true << 1;
    QTest::newRow("reopen while playing") << u"OPOW"_s << true << 1;
    QTest::newRow("stop and prev twice after done") << u"OPWSRSRPW"_s << true << 2;
    QTest::newRow("play after close") << u"OPWCPW"_s << true << 2;
    QTest::newRow("close twice then open") << u"OCCOPW"_s << true << 1;
}

void TestWavSoundDevice::commandsInAnyState() {
    QFETCH(QString, commands);
    QFETCH(bool, withFile);
    QFETCH(int, expectedDone);
    static const QString kTone = makeTone(u"state-tone.wav"_s, 22050, 1, u"signed-integer"_s, 16, 0.15);

    for (const bool silent : {true, false}) {
        std::unique_ptr<WavSoundDevice> device =
            silent ? std::make_unique<DeviceWithoutOutput>() : std::make_unique<WavSoundDevice>();
        DoneWatch done(*device);
        device->setFileName(withFile ? kTone : QString());
        int waited = 0;
        for (const QChar c : commands) {
            switch (c.toLatin1()) {
            case 'O':
                device->open();
                break;
            case 'P':
                done.play(*device);
                break;
            case 'S':
                device->stop();
                break;
            case 'R':
                device->prev();
                break;
            case 'C':
                device->close();
                break;
            case 'W':
                QVERIFY2(done.waitFor(++waited, 5000), silent ? "silent device" : "default output");
                break;
            }
        }
        QTest::qWait(400); // long enough for any Done a buggy device would send late
        QCOMPARE(done.count, expectedDone);
        QVERIFY(!done.duringPlay);
        QVERIFY(!device->isPlaying());
    }
}

void TestWavSoundDevice::stopKeepsPositionPrevRewinds() {
    const QString file = makeTone(u"position.wav"_s, 44100, 1, u"signed-integer"_s, 16, 0.6);
    DeviceWithoutOutput device;
    DoneWatch done(device);
    device.setFileName(file);
    device.open();

    done.play(device);
    QTest::qWait(300);
    device.stop();
    QVERIFY(done.waitFor(1, 1000));

    done.play(device); // goes on from where it stopped: about 300 ms left
    QVERIFY(done.waitFor(2, 2000));
    QVERIFY2(done.elapsedAtDone < 500, qPrintable(QString::number(done.elapsedAtDone)));

    done.play(device); // at the end: plays again from the start
    QVERIFY(done.waitFor(3, 2000));
    QVERIFY2(done.elapsedAtDone >= 600, qPrintable(QString::number(done.elapsedAtDone)));

    done.play(device);
    QTest::qWait(300);
    device.prev(); // ends the playback and rewinds
    QVERIFY(done.waitFor(4, 1000));
    done.play(device);
    QVERIFY(done.waitFor(5, 2000));
    QVERIFY2(done.elapsedAtDone >= 600, qPrintable(QString::number(done.elapsedAtDone)));
}

void TestWavSoundDevice::destroyedWhilePlaying() {
    const QString file = makeTone(u"destroyed.wav"_s, 48000, 2, u"floating-point"_s, 32, 0.3);
    int doneAfterDestruction = 0;
    QObject receiver;
    for (const bool silent : {true, false}) {
        auto* device = silent ? new DeviceWithoutOutput : new WavSoundDevice;
        device->setFileName(file);
        device->open();
        device->play();
        QTest::qWait(50);
        device->stop(); // its Done is queued when the device goes
        QObject::connect(device, &SoundDevice::done, &receiver, [&] { ++doneAfterDestruction; });
        delete device;
    }
    QTest::qWait(500);
    QCOMPARE(doneAfterDestruction, 0);
}

QTEST_MAIN(TestWavSoundDevice)
#include "tst_wavsounddevice.moc"
