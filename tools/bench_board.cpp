// Prints how long the board takes to rescale itself and to run one tick with its repaint, at 1920x1080 and
// 3840x2160, under the offscreen platform. A figure to watch, not a test.
#include "board/BoardTick.h"
#include "board/BoardWindow.h"
#include "core/board/ClockSource.h"
#include "display/WindowScaling.h"
#include "sound/SoundDevice.h"
#include "support/BenchSupport.h"
#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Counts paint events, to show that the measured ticks really repainted.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Deliver update requests at once, so processEvents() below includes the repaint the tick caused.
    qputenv("QT_QPA_UPDATE_IDLE_TIME", "0");
    QApplication app(argc, argv);
    SettingsVariables settings;
    ManualClockSource clock;
    ClockEngine engine(clock);
    SilentDevice buzzer;
    SilentDevice horn;
    BoardServices services;
    BoardWindow board(settings, engine, buzzer, horn, services);
    board.stopTick();
    board.show();
    QApplication::processEvents();

    // A game in play: the game clock and two penalties running, set afresh for each size.
    auto startGame = [&] {
        for (int n = 0; n < 5; ++n) {
            engine.stopClock(n);
        }
        engine.setClock(secondsToTime(1200), 0, 0);
        for (int n : {1, 3}) {
            // 9:00 typed into the penalty clock, as the scorekeeper does.
            board.keyDown(penaltyField(n), '9');
            board.keyDown(penaltyField(n), '\r');
        }
        for (int n = 0; n < 5; ++n) {
            engine.startClock(n);
        }
    };

    PaintCounter counter;
    app.installEventFilter(&counter);
    std::printf("%-10s %14s %14s %14s %14s %14s %8s\n", "size", "stretch med", "stretch p90", "tick med", "redraw med",
                "redraw p90", "paints");
    std::printf("(redraw: the ticks where the seconds turn over; the last column counts the widgets painted)\n");
    for (const QSize size : {QSize(1920, 1080), QSize(3840, 2160)}) {
        board.resize(size);
        QApplication::processEvents();
        std::vector<double> stretch;
        for (int i = 0; i < 200; ++i) {
            // Alternate by a pixel so every run really moves every control.
            board.resize(size.width() - (i % 2), size.height() - (i % 2));
            QElapsedTimer t;
            t.start();
            window_scaling::stretchLayout(board.view(), board.view().layoutTable());
            QApplication::processEvents();
            stretch.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        }
        board.resize(size);
        QApplication::processEvents();
        // Most ticks change nothing on screen (the clock shows whole seconds); the ones that matter are those
        // where the seconds turn over, so those are measured on their own.
        std::vector<double> tick;
        std::vector<double> changing;
        counter.paints = 0;
        startGame();
        for (int i = 0; i < 1200; ++i) {
            clock.advance(100);
            const int before = game::digitsOf(board.model().state(), game::DigitGroup::Time)[3];
            QElapsedTimer t;
            t.start();
            board.onTick();
            QApplication::processEvents(); // the repaint of what the tick changed
            const double ms = static_cast<double>(t.nsecsElapsed()) / 1e6;
            tick.push_back(ms);
            if (game::digitsOf(board.model().state(), game::DigitGroup::Time)[3] != before) {
                changing.push_back(ms);
            }
        }
        std::printf("%4dx%-5d %11.3f ms %11.3f ms %11.3f ms %11.3f ms %11.3f ms %8d\n", size.width(), size.height(),
                    median(stretch), percentile(stretch, 0.9), median(tick), median(changing),
                    percentile(changing, 0.9), counter.paints);
    }
    return 0;
}
