// How late the board draws its clock. Two boards run side by side on the real monotonic clock (offscreen
// platform): one with the plain free-running 100 ms tick, one with the tick scheduled for each change. Both run
// the same game: the game clock from 2:10 down to 0 (above and under a minute) with several starts and stops at
// odd moments. For every change of the shown game clock it measures the staleness: when the board drew it minus
// when the engine's value changed. It also counts the tick's wake-ups per second while the clock runs and while
// nothing runs. A figure to watch, not a test; about two and a half minutes.
//   bench_tick
#include "board/BoardWindow.h"
#include "core/board/ClockFace.h"
#include "core/board/ClockSource.h"
#include "core/settings/Settings.h"
#include "sound/SoundDevice.h"
#include "support/BenchSupport.h"
#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

using SteadyClock = std::chrono::steady_clock;

// Milliseconds on the clock the engine measures on (SteadyClockSource), with the fraction.
double nowMs() {
    return std::chrono::duration<double, std::milli>(SteadyClock::now().time_since_epoch()).count();
}

void runFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

std::vector<int> faceOf(const GameClockFace& f) {
    std::vector<int> out(f.captions.begin(), f.captions.end());
    out.push_back(f.upperDotLit ? 1 : 0);
    return out;
}

// One board with its own engine, and what was measured on it.
struct Contender {
    Contender(const char* label, bool freeRunning, const SteadyClockSource& source) : name(label), engine(source) {
        settings = defaultSettings("/nonexistent", '/');
        settings.BuzzerFile.clear();
        settings.HornFile.clear();
        board = std::make_unique<BoardWindow>(settings, engine, buzzer, horn, BoardServices{});
        tick().setFreeRunning(freeRunning);
        // Connected after the board's own handler: runs once the tick has drawn.
        QObject::connect(&tick(), &BoardTick::timeout, board.get(), [this] { afterTick(); });
    }

    // The board's tick, found by its name.
    BoardTick& tick() const { return *board->findChild<BoardTick*>(QStringLiteral("tmrClock1")); }

    std::vector<int> shown() const {
        std::vector<int> out;
        for (const LedDigit* d : board->findChildren<LedDigit*>(QStringLiteral("lumTime"))) {
            out.push_back(d->caption());
        }
        const auto colon = board->findChildren<ShapeControl*>(QStringLiteral("Shape2"));
        out.push_back(colon[0]->fillColor() == colon[1]->fillColor() ? 1 : 0);
        return out;
    }

    void afterTick() {
        ++wakeups;
        const double drawnAt = nowMs();
        const std::vector<int> face = shown();
        if (face == lastShown) {
            return;
        }
        lastShown = face;
        if (!engine.isClockRunning(0)) {
            return;
        }
        // The first whole tenth, since the last start, from which the engine's reading shows this face (a tenth
        // may have turned between the tick's reading and now: step back to the face drawn first).
        auto b = static_cast<std::int64_t>(drawnAt) / 100 * 100;
        while (b >= lastStartMs && faceOf(gameClockFace(engine.peekClockValueAt(0, b))) != face) {
            b -= 100;
        }
        // Not before the previous face appeared: the engine keeps no history, and a clock that has reached 0
        // reads 0 for any earlier moment of its run.
        while (b - 100 >= lastStartMs && b - 100 > lastChangeMs &&
               faceOf(gameClockFace(engine.peekClockValueAt(0, b - 100))) == face) {
            b -= 100;
        }
        lastChangeMs = static_cast<double>(b);
        const double late = drawnAt - static_cast<double>(b);
        staleness.push_back(late);
        if (drawnAt - lastStartMs < 1000) {
            afterStart.push_back(late);
        }
    }

    void startStop() {
        board->handleCommandKey(settings.StartStopClockKey);
        if (engine.isClockRunning(0)) {
            lastStartMs = static_cast<double>(engine.source().nowMillis());
        }
    }

    const char* name;
    SettingsVariables settings;
    ClockEngine engine;
    SilentDevice buzzer;
    SilentDevice horn;
    std::unique_ptr<BoardWindow> board;
    std::vector<int> lastShown;
    double lastStartMs = 0;
    double lastChangeMs = 0;
    std::vector<double> staleness;
    std::vector<double> afterStart;
    long wakeups = 0;
    double wakeupsRunning = 0;
    double wakeupsIdle = 0;
};

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    SteadyClockSource source;
    Contender freeRunning("free-running 100 ms", true, source);
    Contender aligned("aligned to each change", false, source);
    std::vector<Contender*> both{&freeRunning, &aligned};
    int x = 0;
    for (Contender* c : both) {
        c->board->move(x, 0);
        c->board->show();
        x += 700;
    }
    QApplication::processEvents();

    // Idle: the board as it opens, every clock stopped, the tick enabled.
    for (Contender* c : both) {
        c->tick().start();
        c->wakeups = 0;
    }
    constexpr int kIdleMs = 8000;
    runFor(kIdleMs);
    for (Contender* c : both) {
        c->wakeupsIdle = static_cast<double>(c->wakeups) * 1000.0 / kIdleMs;
    }

    // The game: 2:10 run down with starts and stops at odd moments, so starts fall anywhere within a tenth.
    for (Contender* c : both) {
        // 2:10 typed into the game clock.
        for (int key : {int{'2'}, 190, int{'1'}, int{'0'}, int{'\r'}}) {
            c->board->keyDown(game::Field::TimeBack, key);
        }
        c->lastShown = c->shown();
    }
    const std::vector<int> runs{17'013, 31'370, 40'207, 22'051};
    const std::vector<int> stops{1'337, 713, 2'061, 471};
    double runningMs = 0;
    long wakeupsAtStart[2] = {0, 0};
    auto run = [&](int ms) {
        for (std::size_t i = 0; i < both.size(); ++i) {
            both[i]->startStop();
            wakeupsAtStart[i] = both[i]->wakeups;
        }
        runFor(ms);
        runningMs += ms;
        for (std::size_t i = 0; i < both.size(); ++i) {
            both[i]->wakeupsRunning += static_cast<double>(both[i]->wakeups - wakeupsAtStart[i]);
        }
    };
    int gameMs = 0;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        run(runs[i]);
        gameMs += runs[i];
        for (Contender* c : both) {
            c->startStop();
        }
        runFor(stops[i]);
    }
    // The rest of the game to its zero, and a little beyond.
    run(130'000 - gameMs + 500);

    std::printf("game clock 2:10 to 0:00 in %zu runs with stops between, both boards side by side; the shown\n"
                "clock changes %d times (every second above a minute, every tenth under)\n",
                runs.size() + 1, 70 + 600);
    std::printf("%-24s %8s %8s %8s %8s %14s %12s %12s\n", "tick", "changes", "p50 ms", "p99 ms", "max ms",
                "1st-s max ms", "wakes/s run", "wakes/s idle");
    for (Contender* c : both) {
        const double maxLate = c->staleness.empty() ? 0 : *std::max_element(c->staleness.begin(), c->staleness.end());
        const double maxAfterStart =
            c->afterStart.empty() ? 0 : *std::max_element(c->afterStart.begin(), c->afterStart.end());
        std::printf("%-24s %8zu %8.2f %8.2f %8.2f %14.2f %12.2f %12.2f\n", c->name, c->staleness.size(),
                    percentile(c->staleness, 0.5), percentile(c->staleness, 0.99), maxLate, maxAfterStart,
                    c->wakeupsRunning * 1000.0 / runningMs, c->wakeupsIdle);
    }
    std::printf("(staleness: when the board drew a change minus the whole tenth at which the engine's reading "
                "changed; 1st-s: changes in the first second after a start)\n");
    std::printf("staleness p99: free-running %.1f ms, aligned %.1f ms\n", percentile(freeRunning.staleness, 0.99),
                percentile(aligned.staleness, 0.99));
    return 0;
}
