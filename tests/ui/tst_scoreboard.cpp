// The board window around its scorekeeper: load and the sound devices, the tick and minute wake armed as told, the
// effects carried out (sounds, other windows, NumLock). The rules themselves are tabled in
// tests/core/test_scorekeeper.cpp.
#include "BoardFixture.h"
#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
TimeValue sec(int s) {
    return secondsToTime(s);
}
} // namespace

class TestScoreBoard : public QObject {
    Q_OBJECT
private slots:
    void opensAtTenMinutesWithDarkPenalties();
    void loadOpensOnlySoundFilesThatExist();
    void loadTakesAFolderForAMissingSound();
    void firstShowSelectsTheGameClock();
    void runsDownToZeroBuzzesOnceAndStopsTheTick();
    void clockSwitchShowsTimeOfDayAtOnceEvenAfterZero();
    void shiftDoesNotChangeAKey();
    void keysWithoutACodeDoNothing();
    void failedPlaybackStillFreesTheSounds();
    void closingTheBoardReleasesSoundsAndEndsTheProgram();
    void f1AndF2OpenTheirWindows();
    void afterOptionsSoundsAreReopened();
    void zeroBuzzerCutsAPlayingSound_data();
    void zeroBuzzerCutsAPlayingSound();
    void timeOfDayInTheSystemsHourFormat_data();
    void timeOfDayInTheSystemsHourFormat();
    void numLockRequestedAfterOptionsClose();
    void tickWakesWhenTheShownTimeChanges_data();
    void tickWakesWhenTheShownTimeChanges();
    void tickSleepsWhileNothingRuns();
    void timeOfDayWakesAtTheMinute();
};

void TestScoreBoard::opensAtTenMinutesWithDarkPenalties() {
    BoardFixture f;
    QCOMPARE(f.gameClock(), QStringLiteral("1000"));
    QCOMPARE(f.controls<ShapeControl>(u"Shape2"_s)[0]->fillColor(), QColor(Qt::white));
    QCOMPARE(f.home(), QStringLiteral("-0"));
    QCOMPARE(f.visitor(), QStringLiteral("-0"));
    for (int n = 1; n <= 4; ++n) {
        QCOMPARE(f.penalty(n), QStringLiteral("---"));
    }
    QCOMPARE(f.engine.clockValue(0), sec(600));
    QCOMPARE(f.engine.isClockRunning(0), std::int16_t{0});
    QCOMPARE(f.board->windowTitle(), QStringLiteral("Rinkmaster - Home"));
    QVERIFY(!f.board->buzzerPlaying());
    QVERIFY(!f.board->showsTimeOfDay());
    QCOMPARE(f.board->whoGoal(), 0);
}

void TestScoreBoard::loadOpensOnlySoundFilesThatExist() {
    SettingsVariables s = boardDefaults();
    s.BuzzerFile = "/nonexistent/buzzer.wav";
    s.HornFile = QCoreApplication::applicationFilePath().toStdString(); // any existing file
    BoardFixture f(s);
    QVERIFY(f.buzzer.commands().isEmpty());
    QVERIFY(f.buzzer.fileName().isEmpty());
    QCOMPARE(f.horn.commands(), QStringList{QStringLiteral("Open:") + QString::fromStdString(s.HornFile)});
    // A silent buzzer never blocks the horn.
    f.board->playBuzzer();
    QVERIFY(!f.board->buzzerPlaying());
    f.board->playHorn();
    QVERIFY(f.board->buzzerPlaying());
}

void TestScoreBoard::loadTakesAFolderForAMissingSound() {
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkpath(u"buzzer.wav"_s));
    SettingsVariables s = boardDefaults();
    s.BuzzerFile = folder.path().toStdString() + "/buzzer.wav";
    s.HornFile = folder.path().toStdString() + "/";
    BoardFixture f(s);
    QVERIFY(f.buzzer.commands().isEmpty());
    QVERIFY(f.buzzer.fileName().isEmpty());
    QVERIFY(f.horn.commands().isEmpty());
    QVERIFY(f.horn.fileName().isEmpty());
    // Silent, as a missing file is: neither key blocks the other.
    f.board->playBuzzer();
    f.board->playHorn();
    QVERIFY(!f.board->buzzerPlaying());
}

void TestScoreBoard::firstShowSelectsTheGameClock() {
    BoardFixture f;
    f.show();
    QVERIFY(f.control<ShapeControl>(u"shpObjectSelected"_s)->isVisible());
    // Width 0: the marker is the field plus one pixel right and below.
    QCOMPARE(f.control<ShapeControl>(u"shpObjectSelected"_s)->geometry(),
             f.field("TimeBack")->geometry().adjusted(0, 0, 1, 1));
}

void TestScoreBoard::runsDownToZeroBuzzesOnceAndStopsTheTick() {
    SettingsVariables s = boardDefaults();
    s.BuzzerFile = QCoreApplication::applicationFilePath().toStdString();
    BoardFixture f(s);
    f.show();
    f.type(QStringLiteral("0.05\n")); // 5 seconds
    QCOMPARE(f.gameClock(), QStringLiteral("-50-"));
    f.press(Qt::Key_S);
    f.advance(1'000);
    QCOMPARE(f.gameClock(), QStringLiteral("-40-"));
    QCOMPARE(f.controls<ShapeControl>(u"Shape2"_s)[0]->fillColor(), QColor(Qt::black)); // decimal point alone
    f.advance(3'950);
    QCOMPARE(f.gameClock(), QStringLiteral("-01-"));
    f.advance(200);
    QCOMPARE(f.gameClock(), QStringLiteral("-00-"));
    QVERIFY(!f.tick().isActive());
    QCOMPARE(f.buzzer.commands().count(QStringLiteral("Play")), 1);
    // The game clock stays running at zero in the engine until start/stop.
    QCOMPARE(f.engine.isClockRunning(0), std::int16_t{-1});
    f.buzzer.finish();
    QVERIFY(!f.board->buzzerPlaying());
    f.press(Qt::Key_S);
    QCOMPARE(f.engine.isClockRunning(0), std::int16_t{0});
    f.press(Qt::Key_S);
    QVERIFY(f.tick().isActive());
    f.advance(100);
    QVERIFY(!f.tick().isActive());
    QCOMPARE(f.buzzer.commands().count(QStringLiteral("Play")), 1);
}

void TestScoreBoard::clockSwitchShowsTimeOfDayAtOnceEvenAfterZero() {
    BoardFixture f;
    f.show();
    f.type(QStringLiteral("0\n"));
    f.tick().start();
    f.advance(100);
    QVERIFY(!f.tick().isActive());
    f.press(Qt::Key_C);
    QVERIFY(f.board->showsTimeOfDay());
    QCOMPARE(f.gameClock(), QStringLiteral("1435"));
    QCOMPARE(f.controls<ShapeControl>(u"Shape2"_s)[0]->fillColor(), QColor(Qt::white));
    f.press(Qt::Key_C);
    QCOMPARE(f.gameClock(), QStringLiteral("-00-"));
    // Start/stop and reset return to game time.
    f.press(Qt::Key_C);
    f.press(Qt::Key_R);
    QVERIFY(!f.board->showsTimeOfDay());
    QCOMPARE(f.gameClock(), QStringLiteral("-00-"));
}

void TestScoreBoard::shiftDoesNotChangeAKey() {
    SettingsVariables s = boardDefaults();
    s.BuzzerFile = QCoreApplication::applicationFilePath().toStdString();
    BoardFixture f(s);
    f.show();
    f.press(Qt::Key_B, Qt::ShiftModifier);
    QCOMPARE(f.buzzer.commands().count(QStringLiteral("Play")), 1);
}

void TestScoreBoard::keysWithoutACodeDoNothing() {
    // A hand-edited store can hold 0 for a command key; keys Windows has no code for must not trigger it.
    SettingsVariables s = boardDefaults();
    s.StartStopClockKey = 0;
    BoardFixture f(s);
    f.show();
    f.press(Qt::Key_MediaPlay);
    QCOMPARE(f.engine.isClockRunning(0), std::int16_t{0});
}

void TestScoreBoard::failedPlaybackStillFreesTheSounds() {
    // A device that could not play reports completion like any other; the flag never sticks.
    SettingsVariables s = boardDefaults();
    s.BuzzerFile = s.HornFile = QCoreApplication::applicationFilePath().toStdString();
    BoardFixture f(s);
    f.board->playBuzzer();
    QVERIFY(f.board->buzzerPlaying());
    f.buzzer.finish();
    f.board->playHorn();
    QCOMPARE(f.horn.commands().count(QStringLiteral("Play")), 1);
}

void TestScoreBoard::closingTheBoardReleasesSoundsAndEndsTheProgram() {
    SettingsVariables s = boardDefaults();
    s.HornFile = QCoreApplication::applicationFilePath().toStdString();
    BoardFixture f(s);
    f.show();
    f.board->close();
    QCOMPARE(f.programEnded, 1);
    QVERIFY(!f.buzzer.commands().contains(QStringLiteral("Close")));
    QCOMPARE(f.horn.commands().last(), QStringLiteral("Close"));
}

void TestScoreBoard::f1AndF2OpenTheirWindows() {
    BoardFixture f;
    f.show();
    f.press(Qt::Key_F1);
    QCOMPARE(f.helpOpened, 1);
    f.press(Qt::Key_F2);
    QCOMPARE(f.optionsOpened, 1);
}

void TestScoreBoard::afterOptionsSoundsAreReopened() {
    BoardFixture f;
    f.show();
    f.settings.BuzzerFile = "/somewhere/new-buzzer.wav";
    f.press(Qt::Key_F2);
    // Reopened without checking that the file exists.
    QCOMPARE(f.buzzer.commands().mid(f.buzzer.commands().size() - 2),
             (QStringList{QStringLiteral("Close"), QStringLiteral("Open:/somewhere/new-buzzer.wav")}));
}

void TestScoreBoard::zeroBuzzerCutsAPlayingSound_data() {
    QTest::addColumn<QString>("playing"); // the key pressed just before the zero: G horn, B buzzer, none
    QTest::newRow("horn playing") << "G";
    QTest::newRow("nothing playing") << "";
}

void TestScoreBoard::zeroBuzzerCutsAPlayingSound() {
    QFETCH(QString, playing);
    SettingsVariables s = boardDefaults();
    s.BuzzerFile = s.HornFile = QCoreApplication::applicationFilePath().toStdString();
    BoardFixture f(s);
    f.show();
    f.type(QStringLiteral("0.02\n"));
    f.press(Qt::Key_S);
    f.advance(1'500);
    f.type(playing);
    f.buzzer.clearCommands();
    f.horn.clearCommands();
    f.advance(600);
    QCOMPARE(f.gameClock(), QStringLiteral("-00-"));
    // The sound that was playing stops and goes back to its start; the buzzer plays at once.
    FakeSoundDevice* cut = playing == QLatin1String("G")   ? &f.horn
                           : playing == QLatin1String("B") ? &f.buzzer
                                                           : nullptr;
    if (cut != nullptr) {
        QCOMPARE(cut->commands().mid(0, 2), (QStringList{QStringLiteral("Stop"), QStringLiteral("Prev")}));
    }
    QCOMPARE(f.buzzer.commands().count(QStringLiteral("Play")), 1);
    QCOMPARE(f.buzzer.commands().last(), QStringLiteral("Play"));
    QVERIFY(f.board->buzzerPlaying());
    if (cut != nullptr) {
        // The cut playback reports its end: the buzzer is still sounding, so no other sound may start.
        cut->finish();
        QVERIFY(f.board->buzzerPlaying());
        f.type(QStringLiteral("G"));
        QCOMPARE(f.horn.commands().count(QStringLiteral("Play")), 0);
    }
    f.buzzer.finish();
    QVERIFY(!f.board->buzzerPlaying());
    f.type(QStringLiteral("G"));
    QCOMPARE(f.horn.commands().count(QStringLiteral("Play")), 1);
}

void TestScoreBoard::timeOfDayInTheSystemsHourFormat_data() {
    QTest::addColumn<bool>("twelveHour");
    QTest::addColumn<QTime>("time");
    QTest::addColumn<QString>("shown");
    QTest::newRow("24h 14:35") << false << QTime(14, 35) << "1435";
    QTest::newRow("12h 0:05 is 12:05") << true << QTime(0, 5) << "1205";
}

void TestScoreBoard::timeOfDayInTheSystemsHourFormat() {
    QFETCH(bool, twelveHour);
    QFETCH(QTime, time);
    QFETCH(QString, shown);
    BoardFixture f;
    f.show();
    f.twelveHourClock = twelveHour;
    f.timeOfDay = time;
    f.press(Qt::Key_C);
    QCOMPARE(f.gameClock(), shown);
    // Always hours and minutes with a colon.
    QCOMPARE(f.controls<ShapeControl>(u"Shape2"_s)[0]->fillColor(), QColor(Qt::white));
    QCOMPARE(f.controls<ShapeControl>(u"Shape2"_s)[1]->fillColor(), QColor(Qt::white));
}

void TestScoreBoard::numLockRequestedAfterOptionsClose() {
    BoardFixture f;
    f.show();
    std::size_t requestsWhileOpen = 0;
    f.duringOptions = [&] {
        requestsWhileOpen = f.numLockRequests.size();
        f.settings.NumLockForce = 2; // the operator chose "off" and pressed OK
    };
    f.press(Qt::Key_F2);
    QCOMPARE(f.optionsOpened, 1);
    QCOMPARE(f.numLockRequests.size(), requestsWhileOpen + 1);
    QCOMPARE(f.numLockRequests.back(), false);
    f.duringOptions = [&] { f.settings.NumLockForce = 1; };
    f.press(Qt::Key_F2);
    QCOMPARE(f.numLockRequests.back(), true);
    // "Leave as is" asks for nothing.
    f.duringOptions = [&] { f.settings.NumLockForce = 0; };
    const std::size_t before = f.numLockRequests.size();
    f.press(Qt::Key_F2);
    QCOMPARE(f.numLockRequests.size(), before);
}

void TestScoreBoard::tickWakesWhenTheShownTimeChanges_data() {
    QTest::addColumn<QString>("gameTime"); // typed into the game clock
    QTest::addColumn<QString>("penalty");  // typed into the first home penalty, or none
    QTest::addColumn<QString>("startKey"); // S starts all clocks, I the penalty on its own
    QTest::addColumn<int>("startAt");      // the engine's millisecond of the start
    QTest::addColumn<int>("tickAt");       // ... of a tick
    QTest::addColumn<int>("armedFor");     // the next tick, in ms from the tick
    QTest::newRow("10:00 turns to 9:59 a second after the start") << "10"
                                                                  << ""
                                                                  << "S" << 1'234 << 1'250 << 950;
    QTest::newRow("a penalty on its own, whole seconds") << "10"
                                                         << "2"
                                                         << "I" << 2'000 << 2'345 << 655;
}

void TestScoreBoard::tickWakesWhenTheShownTimeChanges() {
    QFETCH(QString, gameTime);
    QFETCH(QString, penalty);
    QFETCH(QString, startKey);
    QFETCH(int, startAt);
    QFETCH(int, tickAt);
    QFETCH(int, armedFor);
    BoardFixture f;
    f.show();
    f.type(gameTime + QLatin1Char('\n'));
    if (!penalty.isEmpty()) {
        f.focus(f.field("PenaltyTH1"));
        f.type(penalty + QLatin1Char('\n'));
    }
    f.clock.setMillis(startAt);
    f.type(startKey);
    QVERIFY(f.tick().isActive());
    f.advance(tickAt - startAt);
    QVERIFY(f.tick().isArmed());
    QCOMPARE(f.tick().armedInterval(), armedFor);
}

void TestScoreBoard::tickSleepsWhileNothingRuns() {
    BoardFixture f;
    f.show();
    f.tick().start();
    // A change is drawn by a tick at once, then nothing wakes the board.
    f.type(QStringLiteral("5\n"));
    QVERIFY(f.tick().isArmed());
    QCOMPARE(f.tick().armedInterval(), 0);
    f.advance(0);
    QVERIFY(f.tick().isActive());
    QVERIFY(!f.tick().isArmed());
    QVERIFY(!f.timeOfDayTick().isActive());
    // Started and stopped: one tick draws the stop, then it sleeps again.
    f.press(Qt::Key_S);
    f.advance(1'000);
    QVERIFY(f.tick().isArmed());
    f.press(Qt::Key_S);
    f.advance(0);
    QCOMPARE(f.gameClock(), QStringLiteral("-459"));
    QVERIFY(!f.tick().isArmed());
    // Run out: the tick is off and nothing is armed.
    f.type(QStringLiteral("0\n"));
    f.advance(0);
    QVERIFY(!f.tick().isActive());
    QVERIFY(!f.tick().isArmed());
}

void TestScoreBoard::timeOfDayWakesAtTheMinute() {
    BoardFixture f;
    f.show();
    f.timeOfDay = QTime(14, 35, 20, 500);
    f.press(Qt::Key_C);
    QVERIFY(f.timeOfDayTick().isActive());
    QCOMPARE(f.timeOfDayTick().interval(), 39'500);
    f.minutePasses(QTime(14, 36, 0, 1));
    QCOMPARE(f.gameClock(), QStringLiteral("1436"));
    QCOMPARE(f.timeOfDayTick().interval(), 59'999);
    f.press(Qt::Key_C);
    QVERIFY(!f.timeOfDayTick().isActive());
}

QTEST_MAIN(TestScoreBoard)
#include "tst_scoreboard.moc"
