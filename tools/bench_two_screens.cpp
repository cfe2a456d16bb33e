// Prints what the public board costs: the delay from a key in the console to the changed pixels on the public
// board (p50/p99), and the time to draw both the console's board at 1920x1080 and the public board at
// 3840x2160 for one tick of a running game. Offscreen platform; a figure to watch, not a test.
#include "board/BoardTick.h"
#include "board/BoardWindow.h"
#include "core/board/ClockSource.h"
#include "core/settings/Settings.h"
#include "sound/SoundDevice.h"
#include "support/BenchSupport.h"
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Notes when a watched widget has been painted: the filter runs before the paint, so the moment is taken when
// the next event after it starts, which is after the paint and the flush of the window's backing store.
class PaintWatch : public QObject {
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

void key(QWidget* target, Qt::Key k, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, k, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QApplication::sendEvent(target, &release);
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    SettingsVariables settings = defaultSettings("", '/');
    ManualClockSource clock;
    ClockEngine engine(clock);
    SilentDevice buzzer;
    SilentDevice horn;
    BoardServices services;
    BoardWindow board(settings, engine, buzzer, horn, services);
    board.stopTick();
    BoardView view(settings, board.model(), BoardViewRole::PublicBoard);
    board.resize(1920, 1080);
    view.resize(1920, 1080);
    board.show();
    view.show();
    for (int i = 0; i < 20; ++i) {
        QApplication::processEvents();
    }

    // A key in the console's period field (one digit: every key changes it) until the public board's digit has
    // been painted. Qt's own wait before a repaint (an update request) counts: it is part of every real frame.
    PaintWatch watch;
    LedDigit* publicDigit = view.findChild<LedDigit*>(QStringLiteral("lumPeriod"));
    auto* periodField = board.findChild<PictureBoxControl*>(QStringLiteral("PeriodBack"));
    publicDigit->installEventFilter(&watch);
    periodField->setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
    std::vector<double> delays;
    for (int i = 0; i < 400; ++i) {
        const int digit = 1 + i % 9;
        const int before = watch.paints;
        QElapsedTimer t;
        t.start();
        key(periodField, static_cast<Qt::Key>(Qt::Key_0 + digit), QString::number(digit));
        while (watch.paints == before && t.elapsed() < 1000) {
            QApplication::processEvents(QEventLoop::AllEvents);
        }
        QApplication::processEvents(); // the paint itself, then the flush
        delays.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        if (publicDigit->caption() != digit) {
            std::printf("the public board did not follow the key (%d for %d)\n", publicDigit->caption(), digit);
            return 1;
        }
    }
    std::printf("key in the console -> public board repainted: p50 %.3f ms  p99 %.3f ms  (%zu keys, 1920x1080)\n",
                percentile(delays, 0.5), percentile(delays, 0.99), delays.size());

    // One tick of a running game with both boards drawn: the console at 1920x1080, the public board at
    // 3840x2160. The ticks where the seconds turn over are the ones that change pixels.
    board.resize(1920, 1080);
    view.resize(3840, 2160);
    for (int i = 0; i < 20; ++i) {
        QApplication::processEvents();
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
    PaintWatch all;
    app.installEventFilter(&all);
    std::vector<double> ticks;
    std::vector<double> turning;
    for (int i = 0; i < 1200; ++i) {
        clock.advance(100);
        const int before = game::digitsOf(board.model().state(), game::DigitGroup::Time)[3];
        QElapsedTimer t;
        t.start();
        board.onTick();
        // Until both windows have painted what the tick changed (an update request waits a few ms).
        const int paintsBefore = all.paints;
        QApplication::processEvents();
        if (game::digitsOf(board.model().state(), game::DigitGroup::Time)[3] != before) {
            while (all.paints == paintsBefore && t.elapsed() < 1000) {
                QApplication::processEvents();
            }
            QApplication::processEvents();
        }
        const double ms = static_cast<double>(t.nsecsElapsed()) / 1e6;
        ticks.push_back(ms);
        if (game::digitsOf(board.model().state(), game::DigitGroup::Time)[3] != before) {
            turning.push_back(ms);
        }
    }
    std::printf("tick drawn on both (console 1920x1080 + public 3840x2160): every tick p50 %.3f ms  p99 %.3f ms; "
                "seconds turning p50 %.3f ms  p99 %.3f ms  (%zu ticks, %d paints)\n",
                percentile(ticks, 0.5), percentile(ticks, 0.99), percentile(turning, 0.5), percentile(turning, 0.99),
                ticks.size(), all.paints);
    return 0;
}
