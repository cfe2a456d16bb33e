// Scaling the board to its window, and painting it from the colour settings.
#include "BoardFixture.h"
#include "display/WindowScaling.h"
#include <QFontMetrics>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QColor ole(OleColor c) {
    return fromOleColor(c);
}

} // namespace

class TestLayoutColours : public QObject {
    Q_OBJECT
private slots:
    void designSizeKeepsEveryControl();
    void twiceAsWideDoublesOnlyLeftAndWidth();
    void fourKScalesWithoutOverflow();
    void tinyWindowKeepsEverythingAtLeastOne();
    void captionsFitTheirLabels_data();
    void captionsFitTheirLabels();
    void recordAfterOptionsMakesTheCurrentLayoutTheReference();
    void teamSizeRoundsHalfToEven_data();
    void teamSizeRoundsHalfToEven();
    void teamNamesAreCentred();
    void captionAndLedStyleFromSettings();
    void coloursByControlType();
    void goalBoxEndsWithTheBoardBackground();
    void penaltyColonsOnlyOnClocksInUse();
};

void TestLayoutColours::designSizeKeepsEveryControl() {
    BoardFixture f;
    f.show();
    QList<QRect> before;
    for (const BoardControlRef& c : f.board->view().controls()) {
        before << c.widget->geometry();
    }
    window_scaling::stretchLayout(f.board->view(), f.board->view().layoutTable());
    int i = 0;
    for (const BoardControlRef& c : f.board->view().controls()) {
        // The marker goes back to its recorded place too; it is hidden after every resize anyway.
        if (c.widget != f.control<ShapeControl>(u"shpObjectSelected"_s)) {
            QCOMPARE(c.widget->geometry(), before[i]);
        }
        ++i;
    }
}

void TestLayoutColours::twiceAsWideDoublesOnlyLeftAndWidth() {
    BoardFixture f;
    f.show();
    const QRect time = f.field("TimeBack")->geometry();
    const int digitHeight = f.digits(u"lumTime"_s)[0]->height();
    const double fontSize = f.control<LabelControl>(u"lblPeriod"_s)->fontSize();
    f.board->resize(f.board->width() * 2, f.board->height());
    QTRY_COMPARE(f.field("TimeBack")->x(), time.x() * 2);
    QCOMPARE(f.field("TimeBack")->width(), time.width() * 2);
    QCOMPARE(f.field("TimeBack")->y(), time.y());
    QCOMPARE(f.field("TimeBack")->height(), time.height());
    QCOMPARE(f.digits(u"lumTime"_s)[0]->height(), digitHeight);
    QCOMPARE(f.control<LabelControl>(u"lblPeriod"_s)->fontSize(), fontSize);
    QCOMPARE(f.control<ShapeControl>(u"Shape3"_s)->borderWidth(), 4.0);
}

void TestLayoutColours::fourKScalesWithoutOverflow() {
    BoardFixture f;
    f.show();
    f.board->resize(3840, 2160);
    const double hr = 2160.0 / 453.0;
    const double wr = 3840.0 / 632.0;
    QTRY_VERIFY(std::abs(f.control<ShapeControl>(u"Shape3"_s)->x() - 8 * wr) <= 1);
    QVERIFY(std::abs(f.control<ShapeControl>(u"Shape3"_s)->width() - 617 * wr) <= 1);
    QVERIFY(std::abs(f.control<ShapeControl>(u"Shape3"_s)->height() - 433 * hr) <= 1);
    QVERIFY(std::abs(f.digits(u"lumTime"_s)[0]->ledSize() - 80 * hr) <= 1);
    QVERIFY(std::abs(f.field("PenaltyTV2")->x() - 408 * wr) <= 1);
    QVERIFY(std::abs(f.control<LabelControl>(u"lblPeriod"_s)->fontSize() - 16 * hr) <= 0.01);
    // And back to the design size: the layout comes back as it was.
    f.board->resize(632, 453);
    QTRY_COMPARE(f.field("TimeBack")->geometry(), QRect(189, 16, 254, 97));
}

void TestLayoutColours::captionsFitTheirLabels_data() {
    QTest::addColumn<QSize>("window");
    QTest::addColumn<bool>("byHeight"); // every caption's font follows the height ratio
    QTest::newRow("design") << QSize(632, 453) << true;
    QTest::newRow("1920x1080") << QSize(1920, 1080) << true;
    QTest::newRow("1280x1024") << QSize(1280, 1024) << false;
    QTest::newRow("1024x768, narrower but the captions fit") << QSize(1024, 768) << true;
}

void TestLayoutColours::captionsFitTheirLabels() {
    QFETCH(QSize, window);
    QFETCH(bool, byHeight);
    BoardFixture f;
    f.show();
    const int designHeight = f.board->height();
    const double designFont = f.control<LabelControl>(u"lblPenaltyH"_s)->fontSize();
    f.board->resize(window);
    QTRY_COMPARE(f.board->size(), window);
    for (LabelControl* label : {f.control<LabelControl>(u"lblPenaltyH"_s), f.control<LabelControl>(u"lblPenaltyV"_s),
                                f.control<LabelControl>(u"lblGoalH"_s), f.control<LabelControl>(u"lblGoalV"_s),
                                f.control<LabelControl>(u"lblPeriod"_s)}) {
        const int textWidth = QFontMetrics(label->font()).horizontalAdvance(label->text());
        QVERIFY2(textWidth <= label->width(), qPrintable(label->objectName()));
    }
    const double heightFont = designFont * window.height() / designHeight;
    if (byHeight)
        QCOMPARE(f.control<LabelControl>(u"lblPenaltyH"_s)->fontSize(), heightFont);
    else
        QVERIFY(f.control<LabelControl>(u"lblPenaltyH"_s)->fontSize() < heightFont);
}

void TestLayoutColours::tinyWindowKeepsEverythingAtLeastOne() {
    BoardFixture f;
    f.show();
    f.board->resize(3, 2);
    QApplication::processEvents();
    for (const BoardControlRef& c : f.board->view().controls()) {
        QVERIFY2(c.widget->width() >= 1 && c.widget->height() >= 1, qPrintable(c.name));
        if (c.typeName == QLatin1String("Lumidig")) {
            QVERIFY(static_cast<LedDigit*>(c.widget)->ledSize() >= 1);
        }
        if (c.typeName == QLatin1String("Label")) {
            QVERIFY(static_cast<LabelControl*>(c.widget)->fontSize() >= 1);
        }
    }
}

void TestLayoutColours::recordAfterOptionsMakesTheCurrentLayoutTheReference() {
    BoardFixture f;
    f.show();
    f.board->resize(1264, 453);
    QApplication::processEvents();
    f.press(Qt::Key_F2);
    QCOMPARE(f.board->view().layoutTable().origWidth, 1264 * 15);
    QCOMPARE(f.board->view().layoutTable().origHeight, 453 * 15);
    const int x = f.field("TimeBack")->x();
    f.board->resize(632, 453);
    QTRY_COMPARE(f.field("TimeBack")->x(), x / 2);
}

void TestLayoutColours::teamSizeRoundsHalfToEven_data() {
    QTest::addColumn<qint64>("stored");
    QTest::addColumn<int>("used");
    QTest::newRow("12.5 -> 12") << qint64(125000) << 12;
    QTest::newRow("13.5 -> 14") << qint64(135000) << 14;
    QTest::newRow("24") << qint64(240000) << 24;
}

void TestLayoutColours::teamSizeRoundsHalfToEven() {
    QFETCH(qint64, stored);
    QFETCH(int, used);
    SettingsVariables s = boardDefaults();
    s.TeamSize = stored;
    BoardFixture f(s);
    QCOMPARE(f.control<LabelControl>(u"lblHome"_s)->fontSize(), f.board->view().scaledSize(used));
    QCOMPARE(f.control<LabelControl>(u"lblVisitor"_s)->fontSize(), f.board->view().scaledSize(used));
    // At the design size the reference window is 9600 x 7200 twips: the point size is the stored one.
    QVERIFY(std::abs(f.board->view().scaledSize(used) - used) < 0.01);
}

void TestLayoutColours::teamNamesAreCentred() {
    SettingsVariables s = boardDefaults();
    s.HomeText = "Wolves";
    s.VisitorText = "Les <b>Ours</b>";
    s.TeamSize = 150000;
    BoardFixture f(s);
    f.show();
    for (auto [label, box] : {std::pair{f.control<LabelControl>(u"lblHome"_s), f.field("picHomeContainer")},
                              std::pair{f.control<LabelControl>(u"lblVisitor"_s), f.field("picVisitorContainer")}}) {
        QVERIFY(std::abs(label->geometry().center().x() - box->width() / 2) <= 1);
        QVERIFY(std::abs(label->geometry().center().y() - box->height() / 2) <= 1);
    }
    QCOMPARE(f.control<LabelControl>(u"lblVisitor"_s)->text(), QStringLiteral("Les <b>Ours</b>"));
    QCOMPARE(f.control<LabelControl>(u"lblVisitor"_s)->textFormat(), Qt::PlainText);
}

void TestLayoutColours::captionAndLedStyleFromSettings() {
    SettingsVariables s = boardDefaults();
    s.HomeText = "Ravens";
    s.LEDType = 1;
    BoardFixture f(s);
    QCOMPARE(f.board->windowTitle(), QStringLiteral("Rinkmaster - Ravens"));
    for (const BoardControlRef& c : f.board->view().controls()) {
        if (c.typeName == QLatin1String("Lumidig")) {
            QCOMPARE(static_cast<LedDigit*>(c.widget)->ledType(), 1);
        }
    }
}

void TestLayoutColours::coloursByControlType() {
    SettingsVariables s = boardDefaults();
    s.BorderColor = 0x00FFFF;  // yellow
    s.LEDBack = 0x200000;      // dark blue
    s.FormBack = 0x004000;     // dark green
    s.HomeColor = 0x0000FF;    // red
    s.VisitorColor = 0xFF0000; // blue
    s.LEDSelected = 0xFF00FF;
    s.TimeColor = 0x00FF00;
    s.PeriodColor = 0x808080;
    BoardFixture f(s);
    QCOMPARE(f.board->view().palette().color(QPalette::Window), ole(s.FormBack));
    // Labels other than the team names take the border colour; the team names their own.
    QCOMPARE(f.control<LabelControl>(u"lblPeriod"_s)->foreColor(), ole(s.BorderColor));
    QCOMPARE(f.control<LabelControl>(u"lblGoalV"_s)->foreColor(), ole(s.BorderColor));
    QCOMPARE(f.control<LabelControl>(u"lblHome"_s)->foreColor(), ole(s.HomeColor));
    QCOMPARE(f.control<LabelControl>(u"lblVisitor"_s)->foreColor(), ole(s.VisitorColor));
    // Boxes take the LED background; the name boxes the board's.
    QCOMPARE(f.field("TimeBack")->backColor(), ole(s.LEDBack));
    QCOMPARE(f.field("PenaltyTV2")->backColor(), ole(s.LEDBack));
    QCOMPARE(f.field("picHomeContainer")->backColor(), ole(s.FormBack));
    // Outlines: the two frames in the border colour, every other shape in the LED background.
    QCOMPARE(f.control<ShapeControl>(u"Shape1"_s)->borderColor(), ole(s.BorderColor));
    QCOMPARE(f.control<ShapeControl>(u"Shape3"_s)->borderColor(), ole(s.BorderColor));
    QCOMPARE(f.control<ShapeControl>(u"shpGoalH"_s)->borderColor(), ole(s.LEDBack));
    QCOMPARE(f.controls<ShapeControl>(u"shpPenaltyV"_s)[1]->borderColor(), ole(s.LEDBack));
    QCOMPARE(f.control<ShapeControl>(u"shpObjectSelected"_s)->fillColor(), ole(s.LEDSelected));
    // Digits.
    QCOMPARE(f.digits(u"lumTime"_s)[2]->litColor(), ole(s.TimeColor));
    QCOMPARE(f.digits(u"lumPenaltyTH2"_s)[1]->litColor(), ole(s.TimeColor));
    QCOMPARE(f.digits(u"lumHome"_s)[0]->litColor(), ole(s.ScoreColor));
    QCOMPARE(f.digits(u"lumPeriod"_s)[0]->litColor(), ole(s.PeriodColor));
    QCOMPARE(f.digits(u"lumVisitor"_s)[1]->backColor(), ole(s.LEDBack));
}

void TestLayoutColours::goalBoxEndsWithTheBoardBackground() {
    SettingsVariables s = boardDefaults();
    s.FormBack = 0x123456;
    BoardFixture f(s);
    QCOMPARE(f.field("picGoalBack")->backColor(), ole(s.FormBack));
    QCOMPARE(f.control<ShapeControl>(u"shpGoalH"_s)->fillColor(), ole(s.FormBack));
    // A lit light takes a new score colour when the colours are applied again.
    f.board->goalCoverClicked(Team::Home);
    f.settings.ScoreColor = 0x00FF00;
    f.board->view().updateFormColors();
    QCOMPARE(f.control<ShapeControl>(u"shpGoalH"_s)->fillColor(), ole(0x00FF00));
}

void TestLayoutColours::penaltyColonsOnlyOnClocksInUse() {
    BoardFixture f;
    f.show();
    QCOMPARE(f.controls<ShapeControl>(u"dotPenaltyTV1"_s)[0]->fillColor(), ole(f.settings.LEDBack));
    f.focus(f.field("PenaltyTV1"));
    f.type(QStringLiteral("1\n"));
    QCOMPARE(f.controls<ShapeControl>(u"dotPenaltyTV1"_s)[0]->fillColor(), ole(f.settings.BorderColor));
    QCOMPARE(f.controls<ShapeControl>(u"dotPenaltyTV1"_s)[1]->fillColor(), ole(f.settings.BorderColor));
    QCOMPARE(f.controls<ShapeControl>(u"dotPenaltyTH1"_s)[0]->fillColor(), ole(f.settings.LEDBack));
}

QTEST_MAIN(TestLayoutColours)
#include "tst_layoutcolours.moc"
