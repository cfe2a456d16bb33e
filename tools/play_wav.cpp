// Plays one sound file through the program's sound device and prints "done <ms>" when the device reports
// completion, <ms> counted from Play. Used by the real-audio test and by hand:
//   play_wav FILE [TIMES]
#include "sound/WavSoundDevice.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: play_wav FILE [TIMES]\n");
        return 2;
    }
    const int times = args.size() > 2 ? std::max(1, args.at(2).toInt()) : 1;
    WavSoundDevice device;
    device.setFileName(args.at(1));
    device.open();
    QTextStream out(stdout);
    out << "open " << (device.isOpen() ? "ok" : "failed") << " frames " << device.frameCount() << " rate "
        << device.sampleRate() << " channels " << device.channelCount() << " length_ms " << device.lengthMs()
        << Qt::endl;

    QElapsedTimer clock;
    int played = 0;
    QObject::connect(&device, &SoundDevice::done, &app, [&] {
        out << "done " << clock.elapsed() << Qt::endl;
        device.stop();
        device.prev();
        if (++played < times) {
            clock.start();
            device.play();
        } else {
            device.close();
            app.quit();
        }
    });
    clock.start();
    device.play();
    return app.exec();
}
