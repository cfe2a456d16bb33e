#include "display/LedDigit.h"

#include <QImage>
#include <QSignalSpy>
#include <QTest>

#include <climits>
#include <limits>

namespace {

// Counts the paints a widget receives, to see whether a property change scheduled a repaint.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) : QObject(widget) { widget->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
        }
        return QObject::eventFilter(watched, event);
    }
};

QImage render(LedDigit& digit) {
    return digit.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

struct LitArea {
    int pixels = 0; // pixels that are not pure BackColor
    int fullyLit = 0;
    QRect bounds;
};

LitArea litArea(const QImage& image, QRgb back, QRgb lit) {
    LitArea area;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (p == back) {
                continue;
            }
            ++area.pixels;
            if (p == lit) {
                ++area.fullyLit;
            }
            area.bounds |= QRect(x, y, 1, 1);
        }
    }
    return area;
}

bool between(int v, int a, int b) {
    return v >= std::min(a, b) && v <= std::max(a, b);
}

} // namespace

class TestLedDigit : public QObject {
    Q_OBJECT

private slots:
    void startsAsARedZeroOnBlackOfSize80();
    void typeNameIsLumidig();

    void captionFromNumber_data();
    void captionFromNumber();
    void captionFromText_data();
    void captionFromText();

    void ledTypeKeptAsGiven_data();
    void ledTypeKeptAsGiven();

    void sizeRoundsAndSetsTheBox_data();
    void sizeRoundsAndSetsTheBox();

    void propertiesReachableByName();

    void darkDigitShowsOnlyBackColor_data();
    void darkDigitShowsOnlyBackColor();
    void eightIsLitInsideTheBox_data();
    void eightIsLitInsideTheBox();
    void onlyLitAndBackColoursAppear_data();
    void onlyLitAndBackColoursAppear();
    void oneLightsLessThanEight_data();
    void oneLightsLessThanEight();
    void everyDigitLooksDifferent_data();
    void everyDigitLooksDifferent();
    void colourChangesShowAtOnce();
    void tinySizesStillDraw_data();
    void tinySizesStillDraw();
    void digitsOfDifferentColoursShareNothingVisible();

    void repaintOnlyOnChange_data();
    void repaintOnlyOnChange();

    void clickFocusesAndSignals();
};

void TestLedDigit::startsAsARedZeroOnBlackOfSize80() {
    LedDigit digit;
    QCOMPARE(digit.caption(), 0);
    QCOMPARE(digit.ledType(), 0);
    QCOMPARE(digit.ledSize(), 80);
    QCOMPARE(digit.litColor(), QColor(255, 0, 0));
    QCOMPARE(digit.backColor(), QColor(0, 0, 0));
    QCOMPARE(digit.size(), QSize(44, 79));
    QCOMPARE(digit.focusPolicy(), Qt::ClickFocus);
}

void TestLedDigit::typeNameIsLumidig() {
    LedDigit digit;
    QCOMPARE(digit.typeName(), QStringLiteral("Lumidig"));
}

void TestLedDigit::captionFromNumber_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("caption");
    QTest::newRow("0") << 0 << 0;
    QTest::newRow("5") << 5 << 5;
    QTest::newRow("9") << 9 << 9;
    QTest::newRow("dark") << -1 << -1;
    QTest::newRow("10 is not a digit") << 10 << -1;
    QTest::newRow("-2") << -2 << -1;
    QTest::newRow("INT_MAX") << INT_MAX << -1;
    QTest::newRow("INT_MIN") << INT_MIN << -1;
}

void TestLedDigit::captionFromNumber() {
    QFETCH(int, value);
    QFETCH(int, caption);
    LedDigit digit;
    digit.setCaption(3);
    digit.setCaption(value);
    QCOMPARE(digit.caption(), caption);
}

void TestLedDigit::captionFromText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caption");
    QTest::newRow("7") << QStringLiteral("7") << 7;
    QTest::newRow("0") << QStringLiteral("0") << 0;
    QTest::newRow("9") << QStringLiteral("9") << 9;
    QTest::newRow("empty") << QString() << -1;
    QTest::newRow("two digits") << QStringLiteral("12") << -1;
    QTest::newRow("letter") << QStringLiteral("x") << -1;
    QTest::newRow("minus one") << QStringLiteral("-1") << -1;
    QTest::newRow("space before") << QStringLiteral(" 7") << -1;
    QTest::newRow("colon") << QStringLiteral(":") << -1;
    QTest::newRow("Arabic-Indic three") << QString(QChar(0x0663)) << -1;
    QTest::newRow("full-width seven") << QString(QChar(0xFF17)) << -1;
}

void TestLedDigit::captionFromText() {
    QFETCH(QString, text);
    QFETCH(int, caption);
    LedDigit digit;
    digit.setCaption(3);
    digit.setCaption(text);
    QCOMPARE(digit.caption(), caption);
}

void TestLedDigit::ledTypeKeptAsGiven_data() {
    QTest::addColumn<int>("type");
    QTest::newRow("Lines") << 0;
    QTest::newRow("Dots") << 1;
    QTest::newRow("unknown 2") << 2;
    QTest::newRow("negative") << -1;
    QTest::newRow("INT_MAX") << INT_MAX;
}

void TestLedDigit::ledTypeKeptAsGiven() {
    QFETCH(int, type);
    LedDigit digit;
    digit.setCaption(8);
    digit.setLedType(type);
    QCOMPARE(digit.ledType(), type);
    // Any style but Dots draws the seven segments.
    LedDigit lines;
    lines.setCaption(8);
    LedDigit dots;
    dots.setCaption(8);
    dots.setLedType(1);
    const QImage image = render(digit);
    QCOMPARE(image == render(dots), type == 1);
    QCOMPARE(image == render(lines), type != 1);
}

void TestLedDigit::sizeRoundsAndSetsTheBox_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("size");
    QTest::addColumn<QSize>("box");
    QTest::newRow("80") << 80.0 << 80 << QSize(44, 79);
    QTest::newRow("75") << 75.0 << 75 << QSize(42, 75);
    QTest::newRow("70") << 70.0 << 70 << QSize(38, 69);
    QTest::newRow("65") << 65.0 << 65 << QSize(36, 65);
    QTest::newRow("70.5 rounds to even 70") << 70.5 << 70 << QSize(38, 69);
    QTest::newRow("71.5 rounds to even 72") << 71.5 << 72 << QSize(40, 71);
    QTest::newRow("64.6") << 64.6 << 65 << QSize(36, 65);
    QTest::newRow("4K 380") << 380.0 << 380 << QSize(210, 379);
    QTest::newRow("0.2 is at least 1") << 0.2 << 1 << QSize(1, 1);
    QTest::newRow("negative") << -12.0 << 1 << QSize(1, 1);
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << 1 << QSize(1, 1);
}

void TestLedDigit::sizeRoundsAndSetsTheBox() {
    QFETCH(double, value);
    QFETCH(int, size);
    QFETCH(QSize, box);
    QWidget board;
    auto* digit = new LedDigit(&board);
    digit->move(30, 40);
    digit->setSize(value);
    QCOMPARE(digit->ledSize(), size);
    QCOMPARE(digit->size(), box);
    QCOMPARE(digit->pos(), QPoint(30, 40));
    // The control sizes itself but never pins its size: the board may still lay it out freely.
    QCOMPARE(digit->minimumSize(), QSize(0, 0));
}

void TestLedDigit::propertiesReachableByName() {
    // The board's colouring and layout walks reach the digit's properties by name.
    LedDigit digit;
    QVERIFY(digit.setProperty("Caption", 4));
    QVERIFY(digit.setProperty("LedType", 1));
    QVERIFY(digit.setProperty("Size", 65));
    QVERIFY(digit.setProperty("LitColor", QColor(0, 255, 0)));
    QVERIFY(digit.setProperty("BackColor", QColor(0, 0, 80)));
    QCOMPARE(digit.property("Caption").toInt(), 4);
    QCOMPARE(digit.property("LedType").toInt(), 1);
    QCOMPARE(digit.property("Size").toInt(), 65);
    QCOMPARE(digit.size(), QSize(36, 65));
    QCOMPARE(digit.property("LitColor").value<QColor>(), QColor(0, 255, 0));
    QCOMPARE(digit.property("BackColor").value<QColor>(), QColor(0, 0, 80));
}

namespace {
void addStyleAndSizeRows() {
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("size");
    for (int style : {0, 1}) {
        for (int size : {36, 50, 65, 70, 75, 80, 120, 200, 352, 380, 400}) {
            QTest::addRow("%s %d", style == 1 ? "Dots" : "Lines", size) << style << size;
        }
    }
}
} // namespace

void TestLedDigit::darkDigitShowsOnlyBackColor_data() {
    addStyleAndSizeRows();
}

void TestLedDigit::darkDigitShowsOnlyBackColor() {
    QFETCH(int, style);
    QFETCH(int, size);
    LedDigit digit;
    digit.setSize(size);
    digit.setLedType(style);
    digit.setLitColor(QColor(255, 128, 0));
    digit.setBackColor(QColor(10, 20, 30));
    digit.setCaption(-1);
    const QImage image = render(digit);
    QCOMPARE(image.size(), digit.size());
    const LitArea area = litArea(image, qRgb(10, 20, 30), qRgb(255, 128, 0));
    QCOMPARE(area.pixels, 0);
}

void TestLedDigit::eightIsLitInsideTheBox_data() {
    addStyleAndSizeRows();
}

void TestLedDigit::eightIsLitInsideTheBox() {
    QFETCH(int, style);
    QFETCH(int, size);
    LedDigit digit;
    digit.setSize(size);
    digit.setLedType(style);
    digit.setCaption(8);
    const QImage image = render(digit);
    const LitArea area = litArea(image, qRgb(0, 0, 0), qRgb(255, 0, 0));
    QVERIFY2(area.fullyLit > 0, "no pixel in the full lit colour");
    // Nothing is cut at the control's edge: a dark border of at least one pixel all round.
    QVERIFY2(area.bounds.left() >= 1 && area.bounds.top() >= 1,
             qPrintable(QStringLiteral("%1,%2").arg(area.bounds.left()).arg(area.bounds.top())));
    QVERIFY(area.bounds.right() <= image.width() - 2);
    QVERIFY(area.bounds.bottom() <= image.height() - 2);
    // ...and the digit fills its box, so neighbouring digits of a number sit close as on a real board.
    QVERIFY(area.bounds.width() >= image.width() * 3 / 4);
    QVERIFY(area.bounds.height() >= image.height() * 4 / 5);
    // Centred in its box.
    QVERIFY(qAbs(area.bounds.left() - (image.width() - 1 - area.bounds.right())) <= 1);
    QVERIFY(qAbs(area.bounds.top() - (image.height() - 1 - area.bounds.bottom())) <= 1);
}

void TestLedDigit::onlyLitAndBackColoursAppear_data() {
    addStyleAndSizeRows();
}

void TestLedDigit::onlyLitAndBackColoursAppear() {
    // A clean LED look: every pixel is the lit colour, the background, or the antialiased mix of the two.
    QFETCH(int, style);
    QFETCH(int, size);
    LedDigit digit;
    digit.setSize(size);
    digit.setLedType(style);
    digit.setCaption(8);
    const QColor lit(255, 128, 0);
    const QColor back(0, 0, 90);
    digit.setLitColor(lit);
    digit.setBackColor(back);
    const QImage image = render(digit);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor p = QColor::fromRgb(image.pixel(x, y));
            if (!between(p.red(), lit.red(), back.red()) || !between(p.green(), lit.green(), back.green()) ||
                !between(p.blue(), lit.blue(), back.blue())) {
                QFAIL(qPrintable(QStringLiteral("pixel %1,%2 is %3").arg(x).arg(y).arg(p.name())));
            }
        }
    }
}

void TestLedDigit::oneLightsLessThanEight_data() {
    addStyleAndSizeRows();
}

void TestLedDigit::oneLightsLessThanEight() {
    QFETCH(int, style);
    QFETCH(int, size);
    LedDigit digit;
    digit.setSize(size);
    digit.setLedType(style);
    digit.setCaption(1);
    const int one = litArea(render(digit), qRgb(0, 0, 0), qRgb(255, 0, 0)).pixels;
    digit.setCaption(8);
    const int eight = litArea(render(digit), qRgb(0, 0, 0), qRgb(255, 0, 0)).pixels;
    QVERIFY(one > 0);
    // Lines: two bars of seven; Dots: ten dots of seventeen.
    QVERIFY2(one * 4 < eight * 3, qPrintable(QStringLiteral("1: %1 pixels, 8: %2 pixels").arg(one).arg(eight)));
}

void TestLedDigit::everyDigitLooksDifferent_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("size");
    QTest::newRow("Lines 65") << 0 << 65;
    QTest::newRow("Dots 65") << 1 << 65;
    QTest::newRow("Lines 380") << 0 << 380;
    QTest::newRow("Dots 380") << 1 << 380;
}

void TestLedDigit::everyDigitLooksDifferent() {
    QFETCH(int, style);
    QFETCH(int, size);
    LedDigit digit;
    digit.setSize(size);
    digit.setLedType(style);
    QList<QImage> images;
    for (int d = -1; d <= 9; ++d) {
        digit.setCaption(d);
        images << render(digit);
    }
    for (int i = 0; i < images.size(); ++i) {
        for (int j = i + 1; j < images.size(); ++j) {
            QVERIFY2(images[i] != images[j], qPrintable(QStringLiteral("%1 looks like %2").arg(i - 1).arg(j - 1)));
        }
    }
}

void TestLedDigit::colourChangesShowAtOnce() {
    LedDigit digit;
    digit.setCaption(8);
    render(digit); // a first paint, so a stale drawing would show below
    digit.setLitColor(QColor(0, 255, 0));
    digit.setBackColor(QColor(0, 0, 255));
    const LitArea area = litArea(render(digit), qRgb(0, 0, 255), qRgb(0, 255, 0));
    QVERIFY(area.fullyLit > 0);
    QCOMPARE(render(digit).pixel(0, 0), qRgb(0, 0, 255));
}

void TestLedDigit::tinySizesStillDraw_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("size");
    for (int style : {0, 1}) {
        for (int size : {1, 2, 3, 5, 8, 13, 21, 30}) {
            QTest::addRow("%s %d", style == 1 ? "Dots" : "Lines", size) << style << size;
        }
    }
}

void TestLedDigit::tinySizesStillDraw() {
    // A board window dragged very small: the digits shrink to a few pixels but still paint their whole box.
    QFETCH(int, style);
    QFETCH(int, size);
    LedDigit digit;
    digit.setSize(size);
    digit.setLedType(style);
    digit.setCaption(8);
    const QImage image = render(digit);
    QCOMPARE(image.size(), digit.size());
    if (size >= 13) {
        QVERIFY(litArea(image, qRgb(0, 0, 0), qRgb(255, 0, 0)).pixels > 0);
    }
}

void TestLedDigit::digitsOfDifferentColoursShareNothingVisible() {
    // Digits of the same size and caption but in the board's different colours each show their own colour,
    // however often the colours go back and forth.
    LedDigit time;
    LedDigit score;
    time.setCaption(8);
    score.setCaption(8);
    score.setLitColor(QColor(255, 128, 0));
    LedDigit* red = &time;
    LedDigit* orange = &score;
    for (int round = 0; round < 3; ++round) {
        QVERIFY(litArea(render(*red), qRgb(0, 0, 0), qRgb(255, 0, 0)).fullyLit > 0);
        QCOMPARE(litArea(render(*red), qRgb(0, 0, 0), qRgb(255, 128, 0)).fullyLit, 0);
        QVERIFY(litArea(render(*orange), qRgb(0, 0, 0), qRgb(255, 128, 0)).fullyLit > 0);
        QCOMPARE(litArea(render(*orange), qRgb(0, 0, 0), qRgb(255, 0, 0)).fullyLit, 0);
        red->setLitColor(QColor(255, 128, 0));
        orange->setLitColor(QColor(255, 0, 0));
        std::swap(red, orange);
    }
}

void TestLedDigit::repaintOnlyOnChange_data() {
    QTest::addColumn<QString>("property");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("paints");
    QTest::newRow("same caption") << QStringLiteral("Caption") << QVariant(5) << 0;
    QTest::newRow("same caption as text") << QStringLiteral("CaptionText") << QVariant(QStringLiteral("5")) << 0;
    QTest::newRow("same style") << QStringLiteral("LedType") << QVariant(0) << 0;
    QTest::newRow("same size") << QStringLiteral("Size") << QVariant(80.0) << 0;
    QTest::newRow("same size after rounding") << QStringLiteral("Size") << QVariant(80.4) << 0;
    QTest::newRow("same lit colour") << QStringLiteral("LitColor") << QVariant(QColor(255, 0, 0)) << 0;
    QTest::newRow("same back colour") << QStringLiteral("BackColor") << QVariant(QColor(0, 0, 0)) << 0;
    QTest::newRow("another caption") << QStringLiteral("Caption") << QVariant(6) << 1;
    QTest::newRow("dark by text") << QStringLiteral("CaptionText") << QVariant(QStringLiteral("x")) << 1;
    QTest::newRow("Dots") << QStringLiteral("LedType") << QVariant(1) << 1;
    QTest::newRow("bigger") << QStringLiteral("Size") << QVariant(120.0) << 1;
    QTest::newRow("green") << QStringLiteral("LitColor") << QVariant(QColor(0, 255, 0)) << 1;
    QTest::newRow("blue back") << QStringLiteral("BackColor") << QVariant(QColor(0, 0, 255)) << 1;
}

void TestLedDigit::repaintOnlyOnChange() {
    QFETCH(QString, property);
    QFETCH(QVariant, value);
    QFETCH(int, paints);
    QWidget board;
    board.resize(300, 200);
    auto* digit = new LedDigit(&board);
    digit->setCaption(5);
    board.show();
    QVERIFY(QTest::qWaitForWindowExposed(&board));
    QCoreApplication::processEvents();
    auto* counter = new PaintCounter(digit);

    if (property == QLatin1String("Caption")) {
        digit->setCaption(value.toInt());
    } else if (property == QLatin1String("CaptionText")) {
        digit->setCaption(value.toString());
    } else if (property == QLatin1String("LedType")) {
        digit->setLedType(value.toInt());
    } else if (property == QLatin1String("Size")) {
        digit->setSize(value.toDouble());
    } else if (property == QLatin1String("LitColor")) {
        digit->setLitColor(value.value<QColor>());
    } else {
        digit->setBackColor(value.value<QColor>());
    }
    QTest::qWait(50);
    QCOMPARE(counter->paints, paints);
}

void TestLedDigit::clickFocusesAndSignals() {
    QWidget board;
    board.resize(300, 200);
    auto* digit = new LedDigit(&board);
    digit->move(20, 20);
    board.show();
    board.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&board));
    QSignalSpy spy(digit, &LedDigit::gotFocus);
    QTest::mouseClick(digit, Qt::LeftButton, {}, QPoint(10, 10));
    QTRY_COMPARE(spy.count(), 1);
    QVERIFY(digit->hasFocus());
}

QTEST_MAIN(TestLedDigit)
#include "tst_leddigit.moc"
