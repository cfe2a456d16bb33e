// Typing into the board's fields through real key events: what the window shows of it, moving between fields
// and the goal lights. What the keys do to the game is tabled in tests/core/test_scorekeeper.cpp.
#include "BoardFixture.h"
#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
TimeValue sec(int s) {
    return secondsToTime(s);
}
} // namespace

class TestFieldEntry : public QObject {
    Q_OBJECT
private slots:
    void penaltyEntry_data();
    void penaltyEntry();
    void tabOrderAndMarker_data();
    void tabOrderAndMarker();
    void markerWidthFromSettings_data();
    void markerWidthFromSettings();
    void clicksSelectFields();
    void resizeHidesTheMarker();
    void goalLightsFromKeys_data();
    void goalLightsFromKeys();
    void goalLightsFromClicks();
    void randomKeysKeepEveryFieldInRange();
};

void TestFieldEntry::penaltyEntry_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("seconds");
    QTest::newRow("2 Enter") << "2\n"
                             << "200" << 120;
    QTest::newRow("10 Enter rejected") << "10\n"
                                       << "---" << 0;
}

void TestFieldEntry::penaltyEntry() {
    QFETCH(QString, keys);
    QFETCH(QString, shown);
    QFETCH(int, seconds);
    BoardFixture f;
    f.show();
    f.focus(f.field("PenaltyTH2"));
    f.type(keys);
    QCOMPARE(f.penalty(2), shown);
    QCOMPARE(f.engine.clockValue(2), sec(seconds));
    QCOMPARE(f.engine.isClockRunning(2), std::int16_t{0});
    const bool lit = seconds > 0;
    QCOMPARE(f.controls<ShapeControl>(u"shpPenaltyH"_s)[1]->fillColor(),
             lit ? QColor(255, 128, 0) : QColor(64, 64, 64));
    QCOMPARE(f.controls<ShapeControl>(u"dotPenaltyTH2"_s)[0]->fillColor(),
             shown == QLatin1String("---") ? QColor(Qt::black) : QColor(Qt::white));
}

void TestFieldEntry::tabOrderAndMarker_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<bool>("back");
    QTest::addColumn<int>("expected");
    QTest::newRow("visitor -> goal lights") << 2 << false << 3;
    QTest::newRow("goal lights -> period") << 3 << false << 4;
    QTest::newRow("game clock <- visitor penalty 2") << 0 << true << 8;
    QTest::newRow("visitor penalty 2 -> game clock") << 8 << false << 0;
    QTest::newRow("home penalty 1 -> visitor penalty 1") << 5 << false << 6;
}

void TestFieldEntry::tabOrderAndMarker() {
    QFETCH(int, start);
    QFETCH(bool, back);
    QFETCH(int, expected);
    BoardFixture f;
    f.show();
    const auto fields = f.board->fieldBoxes();
    f.focus(fields[static_cast<std::size_t>(start)]);
    f.press(back ? Qt::Key_Backtab : Qt::Key_Tab, back ? Qt::ShiftModifier : Qt::NoModifier);
    QTRY_VERIFY(fields[static_cast<std::size_t>(expected)]->hasFocus());
    QCOMPARE(f.control<ShapeControl>(u"shpObjectSelected"_s)->geometry(),
             fields[static_cast<std::size_t>(expected)]->geometry().adjusted(0, 0, 1, 1));
}

void TestFieldEntry::markerWidthFromSettings_data() {
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("pixels");
    QTest::newRow("0") << 0 << 0;
    QTest::newRow("5") << 5 << 5;
    QTest::newRow("hand-edited 3000 held to 50") << 3000 << 50;
    QTest::newRow("hand-edited -7 held to 0") << -7 << 0;
}

void TestFieldEntry::markerWidthFromSettings() {
    QFETCH(int, stored);
    QFETCH(int, pixels);
    SettingsVariables s = boardDefaults();
    s.LEDSelectedWidth = static_cast<std::int16_t>(stored);
    BoardFixture f(s);
    f.show();
    f.focus(f.field("PeriodBack"));
    QCOMPARE(f.control<ShapeControl>(u"shpObjectSelected"_s)->geometry(),
             f.field("PeriodBack")->geometry().adjusted(-pixels, -pixels, pixels + 1, pixels + 1));
}

void TestFieldEntry::clicksSelectFields() {
    BoardFixture f;
    f.show();
    QTest::mouseClick(f.digits(u"lumPeriod"_s)[0], Qt::LeftButton);
    QTRY_VERIFY(f.field("PeriodBack")->hasFocus());
    QVERIFY(f.control<ShapeControl>(u"shpObjectSelected"_s)->isVisible());
    QTest::mouseClick(f.control<LabelControl>(u"lblGoalV"_s), Qt::LeftButton);
    QTRY_VERIFY(f.field("picGoalBack")->hasFocus());
    QCOMPARE(f.board->whoGoal(), 0);
    QTest::mouseClick(f.field("HomeBack"), Qt::LeftButton, {}, QPoint(3, 3));
    QTRY_VERIFY(f.field("HomeBack")->hasFocus());
}

void TestFieldEntry::resizeHidesTheMarker() {
    BoardFixture f;
    f.show();
    f.focus(f.field("HomeBack"));
    QVERIFY(f.control<ShapeControl>(u"shpObjectSelected"_s)->isVisible());
    f.board->resize(f.board->width() + 40, f.board->height() + 30);
    QTRY_VERIFY(!f.control<ShapeControl>(u"shpObjectSelected"_s)->isVisible());
    // A click on the focused field is no change of focus; a click on one of its digits is.
    QTest::mouseClick(f.field("HomeBack"), Qt::LeftButton, {}, QPoint(2, 2));
    QVERIFY(!f.control<ShapeControl>(u"shpObjectSelected"_s)->isVisible());
    QTest::mouseClick(f.digits(u"lumHome"_s)[0], Qt::LeftButton);
    QTRY_VERIFY(f.control<ShapeControl>(u"shpObjectSelected"_s)->isVisible());
    QVERIFY(f.field("HomeBack")->hasFocus());
}

void TestFieldEntry::goalLightsFromKeys_data() {
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<int>("who");
    QTest::newRow("right") << QList<int>{Qt::Key_Right} << 2;
    QTest::newRow("keypad 4 with NumLock off") << QList<int>{-Qt::Key_Left} << 1;
    QTest::newRow("keypad 6 then 2 with NumLock off") << QList<int>{-Qt::Key_Right, -Qt::Key_Down} << 0;
}

void TestFieldEntry::goalLightsFromKeys() {
    QFETCH(QList<int>, keys);
    QFETCH(int, who);
    BoardFixture f;
    f.show();
    f.focus(f.field("picGoalBack"));
    for (int k : keys) {
        f.press(static_cast<Qt::Key>(std::abs(k)), k < 0 ? Qt::KeypadModifier : Qt::NoModifier);
    }
    QCOMPARE(f.board->whoGoal(), who);
    QCOMPARE(f.control<ShapeControl>(u"shpGoalH"_s)->fillColor(), who == 1 ? QColor(255, 128, 0) : QColor(64, 64, 64));
    QCOMPARE(f.control<ShapeControl>(u"shpGoalV"_s)->fillColor(), who == 2 ? QColor(255, 128, 0) : QColor(64, 64, 64));
}

void TestFieldEntry::goalLightsFromClicks() {
    BoardFixture f;
    f.show();
    QTest::mouseClick(f.control<ImageControl>(u"imgGoalCoverH"_s), Qt::LeftButton);
    QCOMPARE(f.board->whoGoal(), 1);
    QTRY_VERIFY(f.field("picGoalBack")->hasFocus());
    QTest::mouseClick(f.control<ImageControl>(u"imgGoalCoverV"_s), Qt::LeftButton);
    QCOMPARE(f.board->whoGoal(), 2);
    QTest::mouseClick(f.control<ImageControl>(u"imgGoalCoverV"_s), Qt::LeftButton);
    QCOMPARE(f.board->whoGoal(), 0);
    QTest::mouseClick(f.control<ImageControl>(u"imgGoalCoverV"_s), Qt::LeftButton);
    QCOMPARE(f.board->whoGoal(), 2);
}

void TestFieldEntry::randomKeysKeepEveryFieldInRange() {
    // Any sequence of keys in any field keeps every value within what its field can hold, and never crashes.
    BoardFixture f;
    f.show();
    const QList<QPair<Qt::Key, Qt::KeyboardModifiers>> keys = [] {
        QList<QPair<Qt::Key, Qt::KeyboardModifiers>> k;
        for (int d = 0; d <= 9; ++d) {
            k.append({static_cast<Qt::Key>(Qt::Key_0 + d), Qt::NoModifier});
            k.append({static_cast<Qt::Key>(Qt::Key_0 + d), Qt::KeypadModifier});
        }
        for (Qt::Key key : {Qt::Key_Plus, Qt::Key_Minus, Qt::Key_Period, Qt::Key_Return, Qt::Key_Space, Qt::Key_Delete,
                            Qt::Key_S, Qt::Key_R, Qt::Key_C, Qt::Key_I, Qt::Key_B, Qt::Key_G, Qt::Key_Left,
                            Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_Tab, Qt::Key_Escape}) {
            k.append({key, Qt::NoModifier});
        }
        k.append({Qt::Key_Plus, Qt::KeypadModifier});
        k.append({Qt::Key_Minus, Qt::KeypadModifier});
        k.append({Qt::Key_Backtab, Qt::ShiftModifier});
        return k;
    }();
    auto number = [](const QString& shown) {
        QString digits = shown;
        digits.remove(QLatin1Char('-'));
        return digits.isEmpty() ? -1 : digits.toInt();
    };
    QRandomGenerator rng(20261207);
    const int count = qEnvironmentVariableIntValue("RINKMASTER_RANDOM_KEYS") > 0
                          ? qEnvironmentVariableIntValue("RINKMASTER_RANDOM_KEYS")
                          : 100'000;
    for (int i = 0; i < count; ++i) {
        const auto& [key, mods] = keys[static_cast<int>(rng.bounded(static_cast<quint32>(keys.size())))];
        f.press(key, mods);
        if (rng.bounded(4U) == 0) {
            f.advance(static_cast<int>(rng.bounded(3000U)));
        }
        const int home = number(f.home());
        const int visitor = number(f.visitor());
        const int period = number(f.period());
        QVERIFY2(home >= -1 && home <= 99, qPrintable(f.home()));
        QVERIFY2(visitor >= -1 && visitor <= 99, qPrintable(f.visitor()));
        QVERIFY2(period >= 0 && period <= 9, qPrintable(f.period()));
        QVERIFY(f.engine.clockValue(0) >= 0 && f.engine.clockValue(0) <= sec(5999));
        for (int n = 1; n <= 4; ++n) {
            QVERIFY(f.engine.clockValue(n) >= 0 && f.engine.clockValue(n) <= sec(599));
        }
        // Only the focused field ever has the marker, and some field always has the focus.
        QVERIFY(f.board->selectedField() != nullptr);
    }
}

QTEST_MAIN(TestFieldEntry)
#include "tst_fieldentry.moc"
