#include <QSignalSpy>
#include <QtTest>

#include "BoardFixture.h"
#include "core/game/GameJournal.h"

using namespace Qt::StringLiterals;

namespace {

TimeValue sec(std::int64_t s) {
    return secondsToTime(s);
}

// Everything a viewer sees of one board: digits, colon and lights as drawn, view, selection.
struct Seen {
    QString clock, home, visitor, period, penalties;
    QColor colon;
    std::array<QColor, 4> penaltyLights;
    std::array<QColor, 8> penaltyColons;
    QColor goalH, goalV;
    bool clockTime;
    int whoGoal;
    QString selected;
    // One line per part, so that a failed comparison names what differs.
    QString text() const {
        QString out = u"clock %1 home %2 visitor %3 period %4 penalties %5 colon %6\n"_s.arg(
            clock, home, visitor, period, penalties, colon.name());
        for (const QColor& c : penaltyLights) {
            out += u"light "_s + c.name() + u' ';
        }
        for (const QColor& c : penaltyColons) {
            out += u"dot "_s + c.name() + u' ';
        }
        out += u"\ngoal %1 %2 clockTime %3 whoGoal %4 selected %5"_s.arg(goalH.name(), goalV.name())
                   .arg(clockTime)
                   .arg(whoGoal)
                   .arg(selected);
        return out;
    }
};

Seen seen(const BoardFixture& f) {
    const BoardWindow& b = *f.board;
    Seen s;
    s.clock = f.gameClock();
    s.home = f.home();
    s.visitor = f.visitor();
    s.period = f.period();
    for (int n = 1; n <= 4; ++n) {
        s.penalties += f.penalty(n) + u' ';
    }
    const auto shapes = [&f](const char* name) { return f.controls<ShapeControl>(QLatin1String(name)); };
    s.colon = shapes("Shape2")[0]->fillColor();
    s.penaltyLights = {shapes("shpPenaltyH")[0]->fillColor(), shapes("shpPenaltyH")[1]->fillColor(),
                       shapes("shpPenaltyV")[0]->fillColor(), shapes("shpPenaltyV")[1]->fillColor()};
    std::size_t i = 0;
    for (const char* dots : {"dotPenaltyTH1", "dotPenaltyTH2", "dotPenaltyTV1", "dotPenaltyTV2"}) {
        for (ShapeControl* dot : shapes(dots)) {
            s.penaltyColons[i++] = dot->fillColor();
        }
    }
    s.goalH = shapes("shpGoalH")[0]->fillColor();
    s.goalV = shapes("shpGoalV")[0]->fillColor();
    s.clockTime = b.showsTimeOfDay();
    s.whoGoal = b.whoGoal();
    s.selected = b.selectedField() ? b.selectedField()->objectName() : QString();
    return s;
}

// A game played by keys: 15:00 typed, home 3, visitor 12, the home goal light, period 2, penalties 2:00 (home 1)
// and 5:00 (visitor 1), every clock running for 65.4 s.
void playAGame(BoardFixture& f) {
    f.show();
    f.type(u"15\n"_s);
    f.focus(f.field("HomeBack"));
    f.type(u"3\n"_s);
    f.focus(f.field("VisitorBack"));
    f.type(u"12\n"_s);
    f.focus(f.field("picGoalBack"));
    f.press(Qt::Key_Left);
    f.focus(f.field("PeriodBack"));
    f.type(u"2"_s);
    f.focus(f.field("PenaltyTH1"));
    f.type(u"2\n"_s);
    f.focus(f.field("PenaltyTV1"));
    f.type(u"5\ns"_s);
    f.tick().start();
    for (int i = 0; i < 654; ++i) {
        f.advance(100);
    }
}

} // namespace

class TestGameResume : public QObject {
    Q_OBJECT

private slots:
    void theModelHoldsWhatTheBoardShows();
    void resumeBringsBackEveryFieldWithEveryClockStopped();
    void resumeKeepsDarkDigitsTheTimeOfDayAndTheSelection();
    void aJournalReadBackResumesTheSameBoard();
};

void TestGameResume::theModelHoldsWhatTheBoardShows() {
    BoardFixture f;
    QVERIFY(game::isFreshGame(f.board->model().state()));
    QSignalSpy changed(&f.board->model(), &BoardModel::changed);
    playAGame(f);
    QVERIFY(changed.count() > 0);
    const game::GameState& s = f.board->model().state();
    QVERIFY(!game::isFreshGame(s));
    QCOMPARE(s.homeDigits, (std::array<int, 2>{3, -1}));
    QCOMPARE(s.visitorDigits, (std::array<int, 2>{2, 1}));
    QCOMPARE(s.periodDigits[0], 2);
    QCOMPARE(s.whoGoal, 1);
    QCOMPARE(s.resetTime, sec(900));
    QCOMPARE(s.selected, std::optional(game::Field::PenaltyTV1));
    QCOMPARE(s.penaltyLights, (std::array<bool, 4>{true, false, true, false}));
    // The engine's table as of the last tick.
    QCOMPARE(s.clocks[0].used, 654'000);
    QVERIFY(s.clocks[0].running && s.clocks[1].running && s.clocks[3].running);
    QCOMPARE(s.clocks[3].setTime, sec(300));
    // The digits draw the model, nothing else.
    QCOMPARE(f.gameClock(), u"1355"_s);
    QCOMPARE(f.penalty(1), u"055"_s);
    QCOMPARE(f.penalty(3), u"355"_s);
}

void TestGameResume::resumeBringsBackEveryFieldWithEveryClockStopped() {
    BoardFixture played;
    playAGame(played);
    const game::GameState saved = played.board->model().state();
    // Taken before the second board takes the focus from the first.
    const QString expected = seen(played).text();

    BoardFixture f;
    f.clock.setMillis(987'654'321); // another run, another monotonic origin
    f.show();
    f.board->resumeGame(saved);
    QApplication::processEvents();
    QCOMPARE(seen(f).text(), expected);
    for (int n = 0; n < kClockCount; ++n) {
        QCOMPARE(f.engine.isClockRunning(n), std::int16_t{0});
        QCOMPARE(f.engine.peekClockValue(n), played.engine.peekClockValue(n));
    }
    // Stopped: ticks change nothing until the start key.
    f.advance(5000);
    QCOMPARE(seen(f).text(), expected);
    f.type(u"s"_s);
    f.advance(1000);
    QCOMPARE(f.engine.clockValue(0), sec(900) - 664'000);
    QCOMPARE(f.engine.clockValue(3), sec(300) - 664'000);
    // The reset key goes back to the time typed in the game resumed.
    f.board->handleCommandKey(f.settings.ResetClockKey);
    QCOMPARE(f.gameClock(), u"1500"_s);
}

void TestGameResume::resumeKeepsDarkDigitsTheTimeOfDayAndTheSelection() {
    BoardFixture played;
    played.show();
    played.focus(played.field("HomeBack"));
    played.type(u"#"_s); // the home score cleared: both digits dark
    played.focus(played.field("PenaltyTV2"));
    played.type(u"1\n"_s);
    played.board->handleCommandKey(played.settings.ClockSwitchKey);
    QCOMPARE(played.home(), u"--"_s);
    const game::GameState saved = played.board->model().state();
    QVERIFY(saved.timeOfDay);

    BoardFixture f;
    f.show();
    f.board->resumeGame(saved);
    QApplication::processEvents();
    QCOMPARE(f.home(), u"--"_s);
    QCOMPARE(f.penalty(4), u"100"_s);
    QVERIFY(f.board->showsTimeOfDay());
    QCOMPARE(f.gameClock(), played.gameClock()); // the time of day, 14:35
    QCOMPARE(f.board->selectedField(), f.field("PenaltyTV2"));
    QVERIFY(f.control<ShapeControl>(u"shpObjectSelected"_s)->isVisible());
}

void TestGameResume::aJournalReadBackResumesTheSameBoard() {
    BoardFixture played;
    playAGame(played);
    const std::string text = game::writeJournal(played.board->model().state(), 0);
    const game::JournalReading r = game::readJournal(text);
    const QString expected = seen(played).text();
    QVERIFY(r.game.has_value());
    BoardFixture f;
    f.show();
    f.board->resumeGame(r.game->state);
    QApplication::processEvents();
    QCOMPARE(seen(f).text(), expected);
}

QTEST_MAIN(TestGameResume)
#include "tst_gameresume.moc"
