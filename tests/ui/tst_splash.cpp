// The start-up window: where it sits, what it says, and that a click anywhere but its buttons goes on.
#include "app/SplashWindow.h"
#include <QApplication>
#include <QTest>

class TestSplash : public QObject {
    Q_OBJECT
private slots:
    void placementAboveTheCentre();
    void showsVersionAndLoadsSettingsOnce();
    void clicksGoOnToTheBoard_data();
    void clicksGoOnToTheBoard();
    void buttonsOpenWindowsAndStay();
    void keysGoOnToTheBoard_data();
    void keysGoOnToTheBoard();
    void aButtonReachedWithTabTakesTheKeys();
    void closingWithoutGoingOnEndsTheProgram();
};

namespace {
struct Counts {
    int loads = 0;
    int boards = 0;
    int helps = 0;
    int options = 0;
    int ends = 0;
};

SplashServices servicesFor(Counts& c) {
    SplashServices s;
    s.loadSettings = [&c] { ++c.loads; };
    s.showScoreBoard = [&c] { ++c.boards; };
    s.openHelp = [&c] { ++c.helps; };
    s.openOptions = [&c] { ++c.options; };
    s.endProgram = [&c] { ++c.ends; };
    return s;
}
} // namespace

void TestSplash::placementAboveTheCentre() {
    // A screen 11520 twips high puts the top edge at 2820 twips.
    QCOMPARE(SplashWindow::placement(15360, 11520, 6240).y(), 2820);
    QCOMPARE(SplashWindow::placement(15360, 11520, 6240).x(), 4560);
}

void TestSplash::showsVersionAndLoadsSettingsOnce() {
    Counts c;
    SplashWindow splash(servicesFor(c));
    QCOMPARE(c.loads, 1);
    QCOMPARE(splash.versionLabel->text(), QStringLiteral("Version 1.0.0"));
    QCOMPARE(splash.nameLabel->text(), QStringLiteral("Rinkmaster"));
    QCOMPARE(splash.madeByLabel->text(), QStringLiteral("by Kestrelsoft"));
    QCOMPARE(splash.clickLabel->text(), QStringLiteral("Click to continue."));
    QCOMPARE(splash.label1->text(), QStringLiteral("Press ' F1 ' to view Help from the scoreboard."));
    QCOMPARE(splash.label2->text(), QStringLiteral("Press ' F2 ' to set Options from the scoreboard."));
    QCOMPARE(splash.height(), 216);
    QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);
    // The hint lines are whole on one line.
    for (QLabel* hint : {splash.label1, splash.label2}) {
        QVERIFY(QFontMetrics(hint->font()).horizontalAdvance(hint->text()) <= hint->width());
    }
}

void TestSplash::clicksGoOnToTheBoard_data() {
    QTest::addColumn<QString>("target");
    for (const char* name : {"version", "logo", "name", "madeby", "click", "label1", "label2", "frame", "window"}) {
        QTest::newRow(name) << QString::fromLatin1(name);
    }
}

void TestSplash::clicksGoOnToTheBoard() {
    QFETCH(QString, target);
    Counts c;
    SplashWindow splash(servicesFor(c));
    splash.show();
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    QWidget* w = target == QLatin1String("version")  ? static_cast<QWidget*>(splash.versionLabel)
                 : target == QLatin1String("logo")   ? splash.logo
                 : target == QLatin1String("name")   ? static_cast<QWidget*>(splash.nameLabel)
                 : target == QLatin1String("madeby") ? static_cast<QWidget*>(splash.madeByLabel)
                 : target == QLatin1String("click")  ? static_cast<QWidget*>(splash.clickLabel)
                 : target == QLatin1String("label1") ? static_cast<QWidget*>(splash.label1)
                 : target == QLatin1String("label2") ? static_cast<QWidget*>(splash.label2)
                 : target == QLatin1String("frame")  ? static_cast<QWidget*>(splash.splashFrame)
                                                     : static_cast<QWidget*>(&splash);
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(1, 1));
    QCOMPARE(c.boards, 1);
    QVERIFY(!splash.isVisible());
    QCOMPARE(c.ends, 0);
}

void TestSplash::buttonsOpenWindowsAndStay() {
    Counts c;
    SplashWindow splash(servicesFor(c));
    splash.show();
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    QTest::mouseClick(splash.helpButton, Qt::LeftButton);
    QTest::mouseClick(splash.optionsButton, Qt::LeftButton);
    QCOMPARE(c.helps, 1);
    QCOMPARE(c.options, 1);
    QCOMPARE(c.boards, 0);
    QVERIFY(splash.isVisible());
}

void TestSplash::keysGoOnToTheBoard_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("boards");
    QTest::newRow("enter") << int(Qt::Key_Return) << 1;
    QTest::newRow("keypad enter") << int(Qt::Key_Enter) << 1;
    QTest::newRow("space") << int(Qt::Key_Space) << 1;
    QTest::newRow("a letter") << int(Qt::Key_A) << 0;
    QTest::newRow("escape") << int(Qt::Key_Escape) << 0;
}

void TestSplash::keysGoOnToTheBoard() {
    QFETCH(int, key);
    QFETCH(int, boards);
    Counts c;
    SplashWindow splash(servicesFor(c));
    splash.show();
    splash.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&splash));
    // The key goes where the keyboard is, as a real key would.
    QCOMPARE(QApplication::focusWidget(), &splash);
    QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key));
    QCOMPARE(c.boards, boards);
    QCOMPARE(splash.isVisible(), boards == 0);
    QCOMPARE(c.helps + c.options + c.ends, 0);
}

void TestSplash::aButtonReachedWithTabTakesTheKeys() {
    Counts c;
    SplashWindow splash(servicesFor(c));
    splash.show();
    splash.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&splash));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), splash.helpButton);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(c.helps, 2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), splash.optionsButton);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
    QCOMPARE(c.options, 1);
    QCOMPARE(c.boards, 0);
    QVERIFY(splash.isVisible());
}

void TestSplash::closingWithoutGoingOnEndsTheProgram() {
    Counts c;
    SplashWindow splash(servicesFor(c));
    splash.show();
    splash.close();
    QCOMPARE(c.ends, 1);
}

QTEST_MAIN(TestSplash)
#include "tst_splash.moc"
