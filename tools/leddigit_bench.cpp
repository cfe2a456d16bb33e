// Measures what one tick of the board costs in LED digit painting on a maximised 4K board: 25 digits, every one
// given a new caption and painted. Prints the mean and worst time per tick for each style, and the cost of
// drawing a digit picture the first time it is needed.
//
//   QT_QPA_PLATFORM=offscreen build/tools/leddigit_bench [ticks]

#include "display/LedDigit.h"
#include "display/LedImageCache.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QTextStream>

#include <algorithm>
#include <vector>

namespace {

constexpr int kDigits = 25;
constexpr double kBoardSize = 352.0; // Size 80 on a board window maximised to 3840x2160

struct Figures {
    double meanMs = 0;
    double worstMs = 0;
};

// One tick as the board runs it: the captions are set, then the window paints everything that changed in one go.
Figures runTicks(std::vector<LedDigit*>& digits, int ticks) {
    Figures f;
    QElapsedTimer timer;
    for (int tick = 0; tick < ticks; ++tick) {
        timer.start();
        for (std::size_t i = 0; i < digits.size(); ++i) {
            // Every digit changes every tick: the worst case, far beyond a real game clock.
            digits[i]->setCaption(static_cast<int>((static_cast<std::size_t>(tick) + i) % 11) - 1);
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
        const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
        f.meanMs += ms;
        f.worstMs = std::max(f.worstMs, ms);
    }
    f.meanMs /= ticks;
    return f;
}

// The digits' own painting alone, into an image the size of the screen, without the window system's flush.
Figures runRenders(std::vector<LedDigit*>& digits, int ticks) {
    Figures f;
    QImage screen(3840, 2160, QImage::Format_RGB32);
    QElapsedTimer timer;
    for (int tick = 0; tick < ticks; ++tick) {
        timer.start();
        for (std::size_t i = 0; i < digits.size(); ++i) {
            digits[i]->setCaption(static_cast<int>((static_cast<std::size_t>(tick) + i) % 11) - 1);
            digits[i]->render(&screen, digits[i]->pos());
        }
        const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
        f.meanMs += ms;
        f.worstMs = std::max(f.worstMs, ms);
    }
    f.meanMs /= ticks;
    return f;
}

// The same digits painted one by one with repaint(), each flushed to the screen on its own.
Figures runRepaints(std::vector<LedDigit*>& digits, int ticks) {
    Figures f;
    QElapsedTimer timer;
    for (int tick = 0; tick < ticks; ++tick) {
        timer.start();
        for (std::size_t i = 0; i < digits.size(); ++i) {
            digits[i]->setCaption(static_cast<int>((static_cast<std::size_t>(tick) + i) % 11) - 1);
            digits[i]->repaint();
        }
        const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
        f.meanMs += ms;
        f.worstMs = std::max(f.worstMs, ms);
    }
    f.meanMs /= ticks;
    return f;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const int ticks = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 300;

    QWidget board;
    board.resize(3840, 2160);
    std::vector<LedDigit*> digits;
    for (int i = 0; i < kDigits; ++i) {
        auto* digit = new LedDigit(&board);
        digit->setSize(kBoardSize);
        digit->move((i % 12) * 310, (i / 12) * 400);
        digits.push_back(digit);
    }
    board.show();
    QCoreApplication::processEvents();

    QTextStream out(stdout);
    out << "LedDigit: " << kDigits << " digits of Size " << kBoardSize << " (" << digits.front()->width() << "x"
        << digits.front()->height() << " px), " << ticks << " ticks, every digit changed and repainted each tick\n";
    for (int style : {0, 1}) {
        for (LedDigit* d : digits) {
            d->setLedType(style);
        }
        runTicks(digits, 11); // the first tick of each caption draws its picture once
        const Figures tick = runTicks(digits, ticks);
        const Figures each = runRepaints(digits, ticks);
        const Figures own = runRenders(digits, ticks);
        const QString name = style == 1 ? QStringLiteral("Dots ") : QStringLiteral("Lines");
        out << name << "  tick (update, one paint):  mean " << QString::number(tick.meanMs, 'f', 3) << " ms,  worst "
            << QString::number(tick.worstMs, 'f', 3) << " ms\n";
        out << name << "  25 x repaint():            mean " << QString::number(each.meanMs, 'f', 3) << " ms,  worst "
            << QString::number(each.worstMs, 'f', 3) << " ms\n";
        out << name << "  25 x paint, no flush:      mean " << QString::number(own.meanMs, 'f', 3) << " ms,  worst "
            << QString::number(own.worstMs, 'f', 3) << " ms\n";
    }
    LedImageCache::instance().clear();
    QElapsedTimer timer;
    timer.start();
    int drawn = 0;
    for (int style : {0, 1}) {
        for (int caption = 0; caption <= 9; ++caption) {
            renderLedDigit(LedImageKey{digits.front()->size(), 1.0, style, caption, qRgb(255, 0, 0), qRgb(0, 0, 0)});
            ++drawn;
        }
    }
    out << "Drawing one digit picture afresh (first use of a caption, size, style or colour): "
        << QString::number(static_cast<double>(timer.nsecsElapsed()) / 1e3 / drawn, 'f', 1) << " us\n";
    return 0;
}
