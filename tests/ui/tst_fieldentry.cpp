// Typing into the board's fields, moving between them and the goal lights, through real key events.
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
    void numberFields_data();
    void numberFields();
    void halfTypedScoreStaysWithItsField();
    void gameTimeWhileRunningStopsAllAndBecomesResetTime();
    void timedBuffersAreSeparateFromScoreBuffers();
    void penaltyEntry_data();
    void penaltyEntry();
    void penaltyRunsWithTheGameAndRunsOut();
    void penaltyKeepsItsTimeThroughAStoppage();
    void independentClockKeyRunsOnePenalty();
    void penaltyStartedDuringPlayStopsAtTheGameZero();
    void penaltyStartedDuringTheStoppageRunsOnItsOwn();
    void clearingARunningPenalty();
    void typedTimeStopsARunningPenalty();
    void commandKeyOnFullStopActsAndTypes();
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

void TestFieldEntry::numberFields_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("before"); // typed first to set the field up
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("shown");
    QTest::newRow("+3 on 7") << "home"
                             << "7\n"
                             << "+3"
                             << "10";
    QTest::newRow("-7 on 7") << "home"
                             << "7\n"
                             << "-7"
                             << "-0";
    QTest::newRow("-8 on 7 darkens") << "home"
                                     << "7\n"
                                     << "-8"
                                     << "--";
    QTest::newRow("-9 on 7 ignored") << "home"
                                     << "7\n"
                                     << "-9"
                                     << "-7";
    QTest::newRow("+5 on 95 ignored") << "home"
                                      << "95\n"
                                      << "+5"
                                      << "95";
    QTest::newRow("+2 on dark") << "home"
                                << "#"
                                << "+2"
                                << "-2";
    QTest::newRow("12 Enter") << "visitor"
                              << ""
                              << "12\n"
                              << "12";
    QTest::newRow("007 Enter") << "visitor"
                               << ""
                               << "007\n"
                               << "-7";
    QTest::newRow("123 Enter ignored") << "visitor"
                                       << "4\n"
                                       << "123\n"
                                       << "-4";
    QTest::newRow("clear keeps half-typed") << "home"
                                            << ""
                                            << "1#2\n"
                                            << "12";
    QTest::newRow("clear darkens at once") << "home"
                                           << "31\n"
                                           << "#"
                                           << "--";
    QTest::newRow("period digit at once") << "period"
                                          << ""
                                          << "3"
                                          << "3";
    QTest::newRow("period +1") << "period"
                               << "3"
                               << "+1"
                               << "4";
    QTest::newRow("period 9 +1 ignored") << "period"
                                         << "9"
                                         << "+1"
                                         << "9";
    QTest::newRow("period clear ignored") << "period"
                                          << "4"
                                          << "#"
                                          << "4";
    QTest::newRow("keypad minus and digit") << "home"
                                            << "5\n"
                                            << "k-k2"
                                            << "-3";
}

void TestFieldEntry::numberFields() {
    QFETCH(QString, field);
    QFETCH(QString, before);
    QFETCH(QString, keys);
    QFETCH(QString, shown);
    BoardFixture f;
    f.show();
    PictureBoxControl* box = field == QLatin1String("home")      ? f.field("HomeBack")
                             : field == QLatin1String("visitor") ? f.field("VisitorBack")
                                                                 : f.field("PeriodBack");
    f.focus(box);
    f.type(before);
    // "k" sends the next character from the keypad.
    for (int i = 0; i < keys.size(); ++i) {
        if (keys[i] == QLatin1Char('k')) {
            ++i;
            const Qt::Key key =
                keys[i] == QLatin1Char('-') ? Qt::Key_Minus : static_cast<Qt::Key>(Qt::Key_0 + keys[i].digitValue());
            f.press(key, Qt::KeypadModifier);
        } else {
            f.type(keys.mid(i, 1));
        }
    }
    const QString actual = field == QLatin1String("home")      ? f.home()
                           : field == QLatin1String("visitor") ? f.visitor()
                                                               : f.period();
    QCOMPARE(actual, shown);
}

void TestFieldEntry::halfTypedScoreStaysWithItsField() {
    BoardFixture f;
    f.show();
    f.focus(f.field("HomeBack"));
    f.type(QStringLiteral("1"));
    f.focus(f.field("VisitorBack"));
    f.type(QStringLiteral("2\n"));
    QCOMPARE(f.visitor(), QStringLiteral("-2"));
    QCOMPARE(f.home(), QStringLiteral("-0"));
}

void TestFieldEntry::gameTimeWhileRunningStopsAllAndBecomesResetTime() {
    BoardFixture f;
    f.show();
    f.press(Qt::Key_S);
    f.advance(3'000);
    f.type(QStringLiteral("20\n"));
    for (int n = 0; n < 5; ++n) {
        QCOMPARE(f.engine.IsClockRunning(n), std::int16_t{0});
    }
    QCOMPARE(f.gameClock(), QStringLiteral("2000"));
    QCOMPARE(f.engine.ResetTime, sec(1200));
    f.type(QStringLiteral("\n"));
    QCOMPARE(f.gameClock(), QStringLiteral("-00-"));
    QCOMPARE(f.engine.ResetTime, TimeValue{0});
}

void TestFieldEntry::timedBuffersAreSeparateFromScoreBuffers() {
    BoardFixture f;
    f.show();
    f.type(QStringLiteral("1"));
    f.focus(f.field("HomeBack"));
    f.type(QStringLiteral("4\n"));
    f.focus(f.field("TimeBack"));
    f.type(QStringLiteral("5\n"));
    QCOMPARE(f.gameClock(), QStringLiteral("1500"));
    QCOMPARE(f.home(), QStringLiteral("-4"));
}

void TestFieldEntry::penaltyEntry_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("seconds");
    QTest::newRow("2 Enter") << "2\n"
                             << "200" << 120;
    QTest::newRow("10 Enter rejected") << "10\n"
                                       << "---" << 0;
    QTest::newRow("2.005 half to even") << "2.005\n"
                                        << "200" << 120;
    QTest::newRow("2.015 half to even") << "2.015\n"
                                        << "202" << 122;
    QTest::newRow("9.59 the limit") << "9.59\n"
                                    << "959" << 599;
    QTest::newRow("space cancels") << "5 1\n"
                                   << "100" << 60;
    QTest::newRow("Enter alone shows 0:00") << "\n"
                                            << "000" << 0;
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
    QCOMPARE(f.engine.ClockValue(2), sec(seconds));
    QCOMPARE(f.engine.IsClockRunning(2), std::int16_t{0});
    const bool lit = seconds > 0;
    QCOMPARE(f.controls<ShapeControl>(u"shpPenaltyH"_s)[1]->FillColor(),
             lit ? QColor(255, 128, 0) : QColor(64, 64, 64));
    QCOMPARE(f.controls<ShapeControl>(u"dotPenaltyTH2"_s)[0]->FillColor(),
             shown == QLatin1String("---") ? QColor(Qt::black) : QColor(Qt::white));
}

void TestFieldEntry::penaltyRunsWithTheGameAndRunsOut() {
    BoardFixture f;
    f.show();
    f.focus(f.field("PenaltyTH1"));
    f.type(QStringLiteral("0.03\n"));
    QCOMPARE(f.penalty(1), QStringLiteral("003"));
    f.press(Qt::Key_S);
    f.advance(2'900);
    QCOMPARE(f.penalty(1), QStringLiteral("001")); // 0.1 s left shows 0:01, light still on
    QCOMPARE(f.controls<ShapeControl>(u"shpPenaltyH"_s)[0]->FillColor(), QColor(255, 128, 0));
    f.advance(200);
    QCOMPARE(f.penalty(1), QStringLiteral("000"));
    QCOMPARE(f.controls<ShapeControl>(u"shpPenaltyH"_s)[0]->FillColor(), QColor(64, 64, 64));
    QCOMPARE(f.controls<ShapeControl>(u"dotPenaltyTH1"_s)[0]->FillColor(), QColor(Qt::white));
    f.advance(5'000);
    QCOMPARE(f.penalty(1), QStringLiteral("000"));
}

void TestFieldEntry::penaltyKeepsItsTimeThroughAStoppage() {
    // The game clock runs out with a penalty running; a minute later another penalty is typed (which reads
    // every clock): the first penalty has lost no time.
    BoardFixture f;
    f.show();
    f.focus(f.field("PenaltyTH1"));
    f.type(QStringLiteral("2\n"));
    f.focus(f.field("TimeBack"));
    f.type(QStringLiteral("0.30\n"));
    f.press(Qt::Key_S);
    for (int i = 0; i < 300; ++i) {
        f.advance(100);
    }
    QVERIFY(!f.tick().isActive());
    QCOMPARE(f.penalty(1), QStringLiteral("130"));
    f.clock.advance(60'000);
    f.focus(f.field("PenaltyTV1"));
    f.type(QStringLiteral("2\n"));
    QCOMPARE(f.engine.ClockValue(1), sec(90));
    // The next start of the game starts it again.
    f.focus(f.field("TimeBack"));
    f.type(QStringLiteral("1\n"));
    f.press(Qt::Key_S);
    f.advance(10'000);
    QCOMPARE(f.engine.ClockValue(1), sec(80));
    QCOMPARE(f.penalty(1), QStringLiteral("120"));
}

void TestFieldEntry::independentClockKeyRunsOnePenalty() {
    BoardFixture f;
    f.show();
    f.focus(f.field("PenaltyTV2"));
    f.type(QStringLiteral("1\n"));
    f.press(Qt::Key_I);
    QCOMPARE(f.engine.IsClockRunning(4), std::int16_t{-1});
    QCOMPARE(f.engine.IsClockRunning(0), std::int16_t{0});
    QVERIFY(f.tick().isActive());
    f.advance(5'000);
    QCOMPARE(f.penalty(4), QStringLiteral("055"));
    f.press(Qt::Key_I);
    QCOMPARE(f.engine.IsClockRunning(4), std::int16_t{0});
}

void TestFieldEntry::penaltyStartedDuringPlayStopsAtTheGameZero() {
    // A penalty typed during play is started with the independent-clock key; the period runs out, the
    // intermission goes on, another field is cleared (which reads every clock): the penalty has lost nothing.
    BoardFixture f;
    f.show();
    f.type(QStringLiteral("0.30\n"));
    f.press(Qt::Key_S);
    f.advance(10'000);
    f.focus(f.field("PenaltyTH1"));
    f.type(QStringLiteral("2\n"));
    QCOMPARE(f.engine.IsClockRunning(1), std::int16_t{0});
    f.press(Qt::Key_I);
    QCOMPARE(f.engine.IsClockRunning(1), std::int16_t{-1});
    for (int i = 0; i < 200; ++i) {
        f.advance(100);
    }
    QVERIFY(!f.tick().isActive());
    QCOMPARE(f.gameClock(), QStringLiteral("-00-"));
    QCOMPARE(f.penalty(1), QStringLiteral("140"));
    QCOMPARE(f.engine.IsClockRunning(1), std::int16_t{0});
    f.clock.advance(20'000);
    f.focus(f.field("PenaltyTV1"));
    f.press(Qt::Key_Delete);
    QCOMPARE(f.engine.ClockValue(1), sec(100));
    // The next period: the penalty runs on from where it stopped.
    f.focus(f.field("TimeBack"));
    f.type(QStringLiteral("20\n"));
    f.press(Qt::Key_S);
    f.advance(5'000);
    QCOMPARE(f.engine.ClockValue(1), sec(95));
    QCOMPARE(f.penalty(1), QStringLiteral("135"));
}

void TestFieldEntry::penaltyStartedDuringTheStoppageRunsOnItsOwn() {
    // Started while the game clock has run out, a penalty runs through the stoppage and the next start keeps it.
    BoardFixture f;
    f.show();
    f.type(QStringLiteral("0.01\n"));
    f.press(Qt::Key_S);
    f.advance(1'000);
    QVERIFY(!f.tick().isActive());
    f.focus(f.field("PenaltyTV2"));
    f.type(QStringLiteral("1\n"));
    f.press(Qt::Key_I);
    f.advance(10'000);
    QCOMPARE(f.penalty(4), QStringLiteral("050"));
    f.focus(f.field("PenaltyTH2"));
    f.press(Qt::Key_Delete);
    QCOMPARE(f.engine.IsClockRunning(4), std::int16_t{-1});
    QCOMPARE(f.engine.ClockValue(4), sec(50));
}

void TestFieldEntry::clearingARunningPenalty() {
    BoardFixture f;
    f.show();
    f.focus(f.field("PenaltyTH1"));
    f.type(QStringLiteral("2\n"));
    f.press(Qt::Key_S);
    f.advance(1'000);
    f.press(Qt::Key_Delete);
    QCOMPARE(f.penalty(1), QStringLiteral("---"));
    QCOMPARE(f.engine.IsClockRunning(1), std::int16_t{0});
    QCOMPARE(f.controls<ShapeControl>(u"dotPenaltyTH1"_s)[1]->FillColor(), QColor(Qt::black));
    QCOMPARE(f.controls<ShapeControl>(u"shpPenaltyH"_s)[0]->FillColor(), QColor(64, 64, 64));
    // The next start runs it in the engine, but it stays dark.
    f.press(Qt::Key_S);
    f.press(Qt::Key_S);
    QCOMPARE(f.engine.IsClockRunning(1), std::int16_t{-1});
    f.advance(1'000);
    QCOMPARE(f.penalty(1), QStringLiteral("---"));
}

void TestFieldEntry::typedTimeStopsARunningPenalty() {
    BoardFixture f;
    f.show();
    f.focus(f.field("PenaltyTH1"));
    f.press(Qt::Key_S);
    f.type(QStringLiteral("2\n"));
    QCOMPARE(f.engine.IsClockRunning(1), std::int16_t{0});
    QCOMPARE(f.engine.IsClockRunning(0), std::int16_t{-1});
    f.advance(5'000);
    QCOMPARE(f.penalty(1), QStringLiteral("200"));
}

void TestFieldEntry::commandKeyOnFullStopActsAndTypes() {
    SettingsVariables s = boardDefaults();
    s.ClockSwitchKey = 190;
    BoardFixture f(s);
    f.show();
    f.type(QStringLiteral("1.30\n"));
    QCOMPARE(f.gameClock(), QStringLiteral("-130"));
    QCOMPARE(f.board->ClockTime, std::int16_t{-1});
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
    QCOMPARE(f.board->WhoGoal, std::int16_t{0});
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
    QTest::newRow("left twice stays home") << QList<int>{Qt::Key_Left, Qt::Key_Left} << 1;
    QTest::newRow("right") << QList<int>{Qt::Key_Right} << 2;
    QTest::newRow("down clears") << QList<int>{Qt::Key_Right, Qt::Key_Down} << 0;
    QTest::newRow("up and digits change nothing") << QList<int>{Qt::Key_Left, Qt::Key_Up, Qt::Key_5} << 1;
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
    QCOMPARE(int(f.board->WhoGoal), who);
    QCOMPARE(f.control<ShapeControl>(u"shpGoalH"_s)->FillColor(), who == 1 ? QColor(255, 128, 0) : QColor(64, 64, 64));
    QCOMPARE(f.control<ShapeControl>(u"shpGoalV"_s)->FillColor(), who == 2 ? QColor(255, 128, 0) : QColor(64, 64, 64));
}

void TestFieldEntry::goalLightsFromClicks() {
    BoardFixture f;
    f.show();
    QTest::mouseClick(f.control<ImageControl>(u"imgGoalCoverH"_s), Qt::LeftButton);
    QCOMPARE(f.board->WhoGoal, std::int16_t{1});
    QTRY_VERIFY(f.field("picGoalBack")->hasFocus());
    QTest::mouseClick(f.control<ImageControl>(u"imgGoalCoverV"_s), Qt::LeftButton);
    QCOMPARE(f.board->WhoGoal, std::int16_t{2});
    QTest::mouseClick(f.control<ImageControl>(u"imgGoalCoverV"_s), Qt::LeftButton);
    QCOMPARE(f.board->WhoGoal, std::int16_t{0});
    QTest::mouseClick(f.control<ImageControl>(u"imgGoalCoverV"_s), Qt::LeftButton);
    QCOMPARE(f.board->WhoGoal, std::int16_t{2});
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
        QVERIFY(f.engine.ClockValue(0) >= 0 && f.engine.ClockValue(0) <= sec(5999));
        for (int n = 1; n <= 4; ++n) {
            QVERIFY(f.engine.ClockValue(n) >= 0 && f.engine.ClockValue(n) <= sec(599));
        }
        // Only the focused field ever has the marker, and some field always has the focus.
        QVERIFY(f.board->selectedField() != nullptr);
    }
}

QTEST_MAIN(TestFieldEntry)
#include "tst_fieldentry.moc"
