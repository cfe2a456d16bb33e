// Renders every LED digit in both styles, at the smallest board size and a maximised 4K size, in the board's
// default colours, plus the game clock reading "10:00", into one PNG for judging the digits by eye.
//
//   QT_QPA_PLATFORM=offscreen build/tools/leddigit_gallery gallery.png

#include "display/LedDigit.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTextStream>

#include <cmath>
#include <vector>

namespace {

struct Scheme {
    QString name;
    QColor lit;
};

const QColor kPanel(40, 40, 44);  // around the digit boxes, so each box's edge shows
const QColor kLedBack(0, 0, 0);   // the digits' own background
const QColor kFieldBack(0, 0, 0); // the clock field behind the "10:00" digits

const std::vector<Scheme>& schemes() {
    static const std::vector<Scheme> kSchemes = {
        {QStringLiteral("red"), QColor(255, 0, 0)},
        {QStringLiteral("orange"), QColor(255, 128, 0)},
        {QStringLiteral("green"), QColor(0, 255, 0)},
    };
    return kSchemes;
}

void drawDigit(QPainter& painter, LedDigit& digit, QPoint at) {
    digit.render(&painter, at);
}

// One row of 0..9 and a dark digit; returns the row height.
int drawRow(QPainter& painter, int x, int y, int size, int style, const Scheme& scheme) {
    LedDigit digit;
    digit.setSize(size);
    digit.setLedType(style);
    digit.setLitColor(scheme.lit);
    digit.setBackColor(kLedBack);
    const int gap = std::max(6, digit.width() / 6);
    for (int d = 0; d <= 10; ++d) {
        digit.setCaption(d == 10 ? -1 : d);
        drawDigit(painter, digit, QPoint(x + d * (digit.width() + gap), y));
    }
    return digit.height();
}

// The game-clock field as laid out on the board at a scale: four digits, the colon dots, a black field box.
int drawClock(QPainter& painter, int x, int y, double scale, const QColor& lit, int style) {
    const auto px = [scale](int twips) { return static_cast<int>(std::lround(twips / 15.0 * scale)); };
    const QRect field(x, y, px(3810), px(1455));
    painter.fillRect(field, kFieldBack);
    const int lefts[4] = {120, 960, 2160, 3000};
    const int captions[4] = {1, 0, 0, 0};
    for (int i = 0; i < 4; ++i) {
        LedDigit digit;
        digit.setSize(80.0 * scale);
        digit.setLedType(style);
        digit.setLitColor(lit);
        digit.setBackColor(kLedBack);
        digit.setCaption(captions[i]);
        drawDigit(painter, digit, QPoint(x + px(lefts[i]), y + px(135)));
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(lit);
    painter.drawEllipse(QRectF(x + px(1800), y + px(300), px(195), px(195)));
    painter.drawEllipse(QRectF(x + px(1800), y + px(1000), px(200), px(200)));
    painter.setRenderHint(QPainter::Antialiasing, false);
    return field.height();
}

void label(QPainter& painter, int x, int y, const QString& text) {
    painter.setPen(QColor(200, 200, 200));
    painter.drawText(QPoint(x, y), text);
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 2) {
        QTextStream(stderr) << "usage: leddigit_gallery OUTPUT.png\n";
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);

    QImage image(2750, 3800, QImage::Format_RGB32);
    image.fill(kPanel);
    QPainter painter(&image);
    QFont font = painter.font();
    font.setPixelSize(16);
    painter.setFont(font);

    int y = 30;
    const QString styles[2] = {QStringLiteral("Lines"), QStringLiteral("Dots")};
    for (int size : {65, 380}) {
        for (int style = 0; style < 2; ++style) {
            for (const Scheme& scheme : schemes()) {
                label(painter, 20, y - 6, QStringLiteral("Size %1  %2  %3").arg(size).arg(styles[style], scheme.name));
                y += drawRow(painter, 20, y, size, style, scheme) + 34;
            }
        }
    }
    int x = 20;
    for (int style = 0; style < 2; ++style) {
        label(painter, x, y - 6, QStringLiteral("Clock field, Size 80, %1").arg(styles[style]));
        drawClock(painter, x, y, 1.0, QColor(255, 0, 0), style);
        x += 300;
    }
    y += 130;
    label(painter, 20, y - 6, QStringLiteral("Clock field at 4.4x (Size 352)"));
    drawClock(painter, 20, y, 4.4, QColor(255, 0, 0), 0);
    drawClock(painter, 1200, y, 4.4, QColor(255, 128, 0), 1);
    painter.end();

    if (!image.save(out)) {
        QTextStream(stderr) << "cannot write " << out << "\n";
        return 1;
    }
    return 0;
}
