// What keeping the game's journal costs. Three figures:
//  1. one durable write (temporary file, sync, rename, folder sync): p50 / p99 / max over many writes;
//  2. writes per minute during a running clock, with a key every few seconds, as the board hands the writer
//     every change (ten clock readings a second);
//  3. the tick's delay: how long the board's thread spends handing over each state (the write itself runs on
//     the writer's own thread), p50 / p99 / max, and how late a 100 ms timer fires with the writer busy.
// The journal goes into --dir (default: a temporary folder on the same disk as the user's settings).
//   bench_journal [--writes N (300)] [--seconds S (20)] [--dir FOLDER]
#include "core/game/GameJournal.h"
#include "game/JournalWriter.h"
#include "support/BenchSupport.h"
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

using Clock = std::chrono::steady_clock;

void printFigures(const char* what, const std::vector<double>& v, const char* unit) {
    std::printf("%-44s p50 %8.3f  p99 %8.3f  max %8.3f %s  (n=%zu)\n", what, percentile(v, 0.50), percentile(v, 0.99),
                v.empty() ? 0.0 : *std::max_element(v.begin(), v.end()), unit, v.size());
}

game::GameState gameInPlay() {
    game::GameState s;
    s.homeDigits = {3, -1};
    s.visitorDigits = {1, -1};
    s.periodDigits = {2};
    s.penaltyDigits[0] = {0, 0, 2};
    s.penaltyDigits[2] = {0, 3, 1};
    s.clocks[0] = {secondsToTime(1200), 0, true, false};
    s.clocks[1] = {secondsToTime(120), 0, true, false};
    s.clocks[3] = {secondsToTime(90), 0, true, false};
    return s;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption writesOption(u"writes"_s, u"Durable writes to time (300)."_s, u"n"_s, u"300"_s);
    const QCommandLineOption secondsOption(u"seconds"_s, u"Length of the running-clock phase (20)."_s, u"s"_s, u"20"_s);
    const QCommandLineOption dirOption(u"dir"_s, u"Folder for the journal."_s, u"folder"_s);
    parser.addOptions({writesOption, secondsOption, dirOption});
    parser.process(app);
    const int writes = std::clamp(parser.value(writesOption).toInt(), 10, 100'000);
    const int seconds = std::clamp(parser.value(secondsOption).toInt(), 2, 600);

    std::unique_ptr<QTemporaryDir> temp;
    QString folder = parser.value(dirOption);
    if (folder.isEmpty()) {
        const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
        QDir().mkpath(config);
        temp = std::make_unique<QTemporaryDir>(config + u"/rinkmaster-bench-XXXXXX"_s);
        folder = temp->path();
    }
    const QString path = QDir(folder).filePath(u"bench.game.json"_s);
    std::printf("journal: %s\n", qPrintable(QDir::toNativeSeparators(path)));

    // 1. One durable write.
    {
        game::GameState s = gameInPlay();
        std::vector<double> micros;
        std::vector<double> makeMicros;
        for (int i = 0; i < writes; ++i) {
            s.clocks[0].used = tenthsToTime(i);
            const auto a = Clock::now();
            const std::string text = game::writeJournal(s, 1'796'674'507'000 + i);
            const auto b = Clock::now();
            QString error;
            if (!JournalWriter::writeDurably(path, QByteArray::fromStdString(text), true, &error)) {
                std::printf("write failed: %s\n", qPrintable(error));
                return 1;
            }
            const auto c = Clock::now();
            makeMicros.push_back(std::chrono::duration<double, std::micro>(b - a).count());
            micros.push_back(std::chrono::duration<double, std::milli>(c - b).count());
        }
        printFigures("making the document", makeMicros, "us");
        printFigures("one durable write", micros, "ms");
    }

    // 2 and 3. A running clock, ten readings a second, a key every 3 s, as the board hands them over.
    {
        JournalWriter writer(path);
        game::GameState s = gameInPlay();
        std::vector<double> handOver;
        std::vector<double> lateness;
        QElapsedTimer clock;
        clock.start();
        qint64 lastTick = 0;
        int ticks = 0;
        QTimer tick;
        tick.setTimerType(Qt::PreciseTimer);
        tick.setInterval(100);
        QObject::connect(&tick, &QTimer::timeout, [&] {
            const qint64 now = clock.nsecsElapsed();
            if (ticks > 0) {
                lateness.push_back(static_cast<double>(now - lastTick) / 1e6 - 100.0);
            }
            lastTick = now;
            ++ticks;
            for (auto& c : s.clocks) {
                if (c.running) {
                    c.used = std::min(c.setTime, tenthsToTime(clock.elapsed() / 100));
                }
            }
            if (ticks % 30 == 0) {
                s.homeDigits[0] = (s.homeDigits[0] + 1) % 10; // a key
            }
            const auto a = Clock::now();
            writer.save(s);
            handOver.push_back(std::chrono::duration<double, std::milli>(Clock::now() - a).count());
            if (clock.elapsed() >= qint64{seconds} * 1000) {
                tick.stop();
                app.quit();
            }
        });
        tick.start();
        app.exec();
        writer.waitUntilWritten();
        const double minutes = static_cast<double>(clock.elapsed()) / 60000.0;
        std::printf("running clock for %d s: %d writes, %.0f writes per minute (%d ticks, a key every 3 s)\n", seconds,
                    writer.writesDone(), writer.writesDone() / minutes, ticks);
        std::vector<double> threadMs;
        for (std::int64_t m : writer.writeMicros()) {
            threadMs.push_back(static_cast<double>(m) / 1000.0);
        }
        printFigures("write on the writer's thread", threadMs, "ms");
        printFigures("tick delay: handing the state over", handOver, "ms");
        printFigures("100 ms timer lateness meanwhile", lateness, "ms");
        std::printf("target: tick delay p99 < 1 ms: %s\n", percentile(handOver, 0.99) < 1.0 ? "met" : "NOT MET");
    }
    return 0;
}
