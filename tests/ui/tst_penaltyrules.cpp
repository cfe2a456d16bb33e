// The board with "Apply penalty rules" on: Insert adds a penalty, a third one waits, a clock's zero starts it,
// a power-play goal releases a minor; with the option off none of it happens. Real key events throughout.
#include "BoardFixture.h"
#include "board/ConsoleStatusLine.h"
#include "board/ConsoleWindow.h"
#include "core/game/GameJournal.h"
#include "feed/BoardReader.h"
#include "game/GameEventsModel.h"
#include "game/GameSheetFile.h"
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

namespace {

TimeValue sec(int s) {
    return secondsToTime(s);
}

SettingsVariables withRules(bool on = true) {
    SettingsVariables s = boardDefaults();
    s.PenaltyRules = on;
    return s;
}

std::vector<TimeValue> queued(const BoardFixture& f, Team team) {
    std::vector<TimeValue> out;
    for (const QueuedPenalty& q : f.board->model().state().rules.penalties.queues[team == Team::Home ? 0 : 1]) {
        out.push_back(q.fullTime);
    }
    return out;
}

// The kinds of the rules' records in the game sheet's list, in order.
std::vector<PenaltyEventKind> penaltyRecords(const BoardFixture& f) {
    std::vector<PenaltyEventKind> out;
    for (const SheetEvent& e : f.board->model().state().rules.sheet) {
        if (e.kind == SheetEvent::Kind::Penalty) {
            out.push_back(e.penalty.kind);
        }
    }
    return out;
}

// Three home penalties by Insert in the first home field: two on the clocks, the third waits.
void fiveOnThree(BoardFixture& f, const QString& third = QStringLiteral("5")) {
    f.focus(f.field("PenaltyTH1"));
    f.type(QStringLiteral("2"));
    f.press(Qt::Key_Insert);
    f.type(QStringLiteral("2"));
    f.press(Qt::Key_Insert);
    f.type(third);
    f.press(Qt::Key_Insert);
}

} // namespace

class TestPenaltyRulesOnBoard : public QObject {
    Q_OBJECT
private slots:
    void insertAddsOrQueues_data();
    void insertAddsOrQueues();
    void withTheOptionOffInsertDoesNothing();
    void aCommandKeyOnInsertKeepsItsCommand();
    void enterStillReplacesTheClocksTime();
    void expiryStartsTheQueuedPenaltyRunning();
    void powerPlayGoalReleasesTheShortestMinor_data();
    void powerPlayGoalReleasesTheShortestMinor();
    void aPenaltyAddedWhileTheGameRunsRunsWithIt();
    void typingAReleasedPenaltysTimeAgainUndoesTheRelease();
    void theRulesSurviveTheJournalAndAResume();
    void theFeedListsTheQueue();
    void followersSeeAClockAndItsRecordInOneChange();
    void penaltiesTypedWithTheOptionOffAreTakenUpWhenItGoesOn();
    void theConsoleListsQueueReleaseAndStartAndOffersTheSheet();
    void theGameSheetIsSavedAsCsvAndPage();
    void aGameSheetThatCannotBeSavedSaysWhy();
};

void TestPenaltyRulesOnBoard::insertAddsOrQueues_data() {
    QTest::addColumn<QString>("keys"); // typed into PenaltyTH1; '!' is Insert
    QTest::addColumn<QString>("clock1");
    QTest::addColumn<QString>("clock2");
    QTest::addColumn<int>("waiting");
    QTest::newRow("one minor") << "2!"
                               << "200"
                               << "---" << 0;
    QTest::newRow("two go on both clocks") << "2!4!"
                                           << "200"
                                           << "400" << 0;
    QTest::newRow("a third waits") << "2!4!5!"
                                   << "200"
                                   << "400" << 1;
    QTest::newRow("a queue of three") << "2!2!2!4!5!"
                                      << "200"
                                      << "200" << 3;
    QTest::newRow("Insert with nothing typed") << "!"
                                               << "---"
                                               << "---" << 0;
    QTest::newRow("a time over 9:59 is no time") << "10!"
                                                 << "---"
                                                 << "---" << 0;
    QTest::newRow("0:00 is refused") << "0!"
                                     << "---"
                                     << "---" << 0;
    QTest::newRow("seconds round as Enter does") << "1.305!"
                                                 << "130"
                                                 << "---" << 0;
}

void TestPenaltyRulesOnBoard::insertAddsOrQueues() {
    QFETCH(QString, keys);
    BoardFixture f(withRules());
    f.show();
    f.focus(f.field("PenaltyTH1"));
    for (const QChar c : keys) {
        if (c == QLatin1Char('!')) {
            f.press(Qt::Key_Insert);
        } else {
            f.type(QString(c));
        }
    }
    QTEST(f.penalty(1), "clock1");
    QTEST(f.penalty(2), "clock2");
    QTEST(static_cast<int>(queued(f, Team::Home).size()), "waiting");
    QCOMPARE(f.penalty(3), QStringLiteral("---"));
    QVERIFY(queued(f, Team::Visitor).empty());
}

void TestPenaltyRulesOnBoard::withTheOptionOffInsertDoesNothing() {
    BoardFixture off(withRules(false));
    off.show();
    fiveOnThree(off);
    off.focus(off.field("HomeBack"));
    off.type(QStringLiteral("+1"));
    QCOMPARE(off.penalty(1), QStringLiteral("---"));
    QCOMPARE(off.penalty(2), QStringLiteral("---"));
    QCOMPARE(off.home(), QStringLiteral("-1"));
    QVERIFY(off.board->model().state().rules.empty());
    // Nothing of the rules reaches the journal: it is what a board without them always wrote.
    const std::string text = game::writeJournal(off.board->model().state(), 0);
    QVERIFY(text.find("penaltyRules") == std::string::npos);
}

void TestPenaltyRulesOnBoard::aCommandKeyOnInsertKeepsItsCommand() {
    SettingsVariables s = withRules();
    s.StartStopClockKey = 45; // Insert
    BoardFixture f(s);
    f.show();
    f.focus(f.field("PenaltyTH1"));
    f.type(QStringLiteral("2"));
    f.press(Qt::Key_Insert);
    QCOMPARE(f.engine.IsClockRunning(0), std::int16_t{-1});
    QCOMPARE(f.penalty(1), QStringLiteral("---"));
    QVERIFY(penaltyRecords(f).empty());
}

void TestPenaltyRulesOnBoard::enterStillReplacesTheClocksTime() {
    BoardFixture f(withRules());
    f.show();
    fiveOnThree(f);
    f.focus(f.field("PenaltyTH2"));
    f.type(QStringLiteral("1.30\n"));
    QCOMPARE(f.penalty(1), QStringLiteral("200"));
    QCOMPARE(f.penalty(2), QStringLiteral("130"));
    QCOMPARE(queued(f, Team::Home), std::vector<TimeValue>{sec(300)});
    QCOMPARE(penaltyRecords(f).back(), PenaltyEventKind::Corrected);
}

void TestPenaltyRulesOnBoard::expiryStartsTheQueuedPenaltyRunning() {
    BoardFixture f(withRules());
    f.show();
    fiveOnThree(f);
    f.focus(f.field("PenaltyTH2"));
    f.type(QStringLiteral("1\n")); // the second clock now has 1:00 left
    f.press(Qt::Key_S);
    f.advance(59'900);
    QCOMPARE(f.penalty(2), QStringLiteral("001"));
    f.advance(200);
    // The major waiting took the clock that ran out, with its full time, and runs with the game.
    QCOMPARE(f.penalty(2), QStringLiteral("500"));
    QVERIFY(queued(f, Team::Home).empty());
    QCOMPARE(f.engine.IsClockRunning(2), std::int16_t{-1});
    f.advance(10'000);
    QCOMPARE(f.penalty(2), QStringLiteral("450"));
    const std::vector<PenaltyEventKind> records = penaltyRecords(f);
    QCOMPARE(records.size(), std::size_t{6}); // added, added, queued, corrected, expired, queued start
    QCOMPARE(records[4], PenaltyEventKind::Expired);
    QCOMPARE(records[5], PenaltyEventKind::QueuedStart);
}

void TestPenaltyRulesOnBoard::powerPlayGoalReleasesTheShortestMinor_data() {
    QTest::addColumn<QString>("second"); // keys in the second home field after a minor in the first; '!' Insert
    QTest::addColumn<QString>("goal");   // keys in the visitor's score field
    QTest::addColumn<QString>("clock1");
    QTest::addColumn<QString>("clock2");
    QTest::newRow("5-on-3: the shorter minor ends") << "2!1.30\n"
                                                    << "+1"
                                                    << "200"
                                                    << "---";
    QTest::newRow("typed score up by one is a goal") << "2!1.30\n"
                                                     << "1\n"
                                                     << "200"
                                                     << "---";
    QTest::newRow("a correction by two releases nothing") << "2!1.30\n"
                                                          << "2\n"
                                                          << "200"
                                                          << "130";
    QTest::newRow("a major stays, the minor ends") << "5!"
                                                   << "+1"
                                                   << "---"
                                                   << "500";
    QTest::newRow("a timed penalty (Enter on a free clock) stays") << "1.30\n"
                                                                   << "+1"
                                                                   << "---"
                                                                   << "130";
}

void TestPenaltyRulesOnBoard::powerPlayGoalReleasesTheShortestMinor() {
    QFETCH(QString, second);
    QFETCH(QString, goal);
    BoardFixture f(withRules());
    f.show();
    f.focus(f.field("PenaltyTH1"));
    f.type(QStringLiteral("2"));
    f.press(Qt::Key_Insert);
    f.focus(f.field("PenaltyTH2"));
    for (const QChar c : second) {
        if (c == QLatin1Char('!')) {
            f.press(Qt::Key_Insert);
        } else {
            f.type(QString(c));
        }
    }
    f.focus(f.field("VisitorBack"));
    f.type(goal);
    QTEST(f.penalty(1), "clock1");
    QTEST(f.penalty(2), "clock2");
}

void TestPenaltyRulesOnBoard::aPenaltyAddedWhileTheGameRunsRunsWithIt() {
    BoardFixture f(withRules());
    f.show();
    f.press(Qt::Key_S);
    f.advance(1'000);
    f.focus(f.field("PenaltyTV1"));
    f.type(QStringLiteral("2"));
    f.press(Qt::Key_Insert);
    f.advance(5'000);
    QCOMPARE(f.penalty(3), QStringLiteral("155"));
    f.press(Qt::Key_S); // stops the game and every clock
    f.advance(5'000);
    QCOMPARE(f.penalty(3), QStringLiteral("155"));
}

void TestPenaltyRulesOnBoard::typingAReleasedPenaltysTimeAgainUndoesTheRelease() {
    BoardFixture f(withRules());
    f.show();
    fiveOnThree(f);
    f.focus(f.field("PenaltyTH2"));
    f.type(QStringLiteral("1.30\n"));
    f.focus(f.field("VisitorBack"));
    f.type(QStringLiteral("+1")); // releases the 1:30 minor; the waiting major takes its clock
    QCOMPARE(f.penalty(2), QStringLiteral("500"));
    // The goal is taken back: the score goes down (which brings nothing back) and the minor's time is typed.
    f.type(QStringLiteral("-1"));
    QCOMPARE(f.penalty(2), QStringLiteral("500"));
    f.focus(f.field("PenaltyTH2"));
    f.type(QStringLiteral("1.30\n"));
    QCOMPARE(f.penalty(2), QStringLiteral("130"));
    QCOMPARE(queued(f, Team::Home), std::vector<TimeValue>{sec(300)});
    const std::vector<PenaltyEventKind> records = penaltyRecords(f);
    QVERIFY(std::find(records.begin(), records.end(), PenaltyEventKind::Requeued) != records.end());
    QCOMPARE(records.back(), PenaltyEventKind::ReleaseUndone);
    // A second goal now releases the minor again.
    f.focus(f.field("VisitorBack"));
    f.type(QStringLiteral("+1"));
    QCOMPARE(f.penalty(2), QStringLiteral("500"));
}

void TestPenaltyRulesOnBoard::theRulesSurviveTheJournalAndAResume() {
    BoardFixture f(withRules());
    f.show();
    fiveOnThree(f, QStringLiteral("4"));
    f.focus(f.field("VisitorBack"));
    f.type(QStringLiteral("+1")); // releases the first minor; the double minor waiting takes its clock
    QCOMPARE(f.penalty(1), QStringLiteral("400"));
    const std::string text = game::writeJournal(f.board->model().state(), 1000);
    const game::JournalReading reading = game::readJournal(text);
    QVERIFY2(reading.game.has_value(), reading.problem.c_str());
    QCOMPARE(reading.game->state.rules, f.board->model().state().rules);

    BoardFixture g(withRules());
    g.show();
    g.board->resumeGame(reading.game->state);
    // The resumed rules know both penalties: a visitor goal releases the home minor left on clock 2.
    g.focus(g.field("VisitorBack"));
    g.type(QStringLiteral("+1"));
    QCOMPARE(g.penalty(1), QStringLiteral("400"));
    QCOMPARE(g.penalty(2), QStringLiteral("---"));
}

void TestPenaltyRulesOnBoard::theFeedListsTheQueue() {
    BoardFixture f(withRules());
    f.show();
    fiveOnThree(f);
    f.type(QStringLiteral("1.45"));
    f.press(Qt::Key_Insert);
    const BoardState s = readBoardState(*f.board, f.engine, f.settings);
    QVERIFY(s.queued.has_value());
    QCOMPARE((*s.queued)[0], (std::vector<TimeValue>{sec(300), sec(105)}));
    QVERIFY((*s.queued)[1].empty());

    BoardFixture off(withRules(false));
    QVERIFY(!readBoardState(*off.board, off.engine, off.settings).queued);
}

void TestPenaltyRulesOnBoard::followersSeeAClockAndItsRecordInOneChange() {
    BoardFixture f(withRules());
    f.show();
    fiveOnThree(f);
    f.focus(f.field("VisitorBack"));
    // At each change: what the home clocks show and how many of the rules' records there are.
    std::vector<std::pair<QString, std::size_t>> seen;
    QObject::connect(&f.board->model(), &BoardModel::changed, f.board.get(),
                     [&] { seen.emplace_back(f.penalty(1) + f.penalty(2), penaltyRecords(f).size()); });
    const std::size_t recordsBefore = penaltyRecords(f).size();
    f.type(QStringLiteral("+1")); // releases the first minor; the waiting major takes its clock
    QVERIFY(!seen.empty());
    // No follower ever sees the clock changed without the records that say why, nor the records before the clock.
    for (const auto& [clocks, records] : seen) {
        const bool released = clocks == QStringLiteral("500200");
        QVERIFY2(released == (records == recordsBefore + 2), qPrintable(clocks));
    }
    QCOMPARE(seen.back().first, QStringLiteral("500200"));
}

void TestPenaltyRulesOnBoard::penaltiesTypedWithTheOptionOffAreTakenUpWhenItGoesOn() {
    BoardFixture f(withRules(false));
    f.show();
    f.focus(f.field("PenaltyTH1"));
    f.type(QStringLiteral("2\n"));
    f.focus(f.field("PenaltyTH2"));
    f.type(QStringLiteral("1.30\n"));
    f.settings.PenaltyRules = true; // ticked in Options
    f.board->AllKeyCode(113);       // F2: the options dialog opens and closes
    // A third penalty now waits instead of overwriting a clock, and a goal ends the minor.
    f.focus(f.field("PenaltyTH1"));
    f.type(QStringLiteral("5"));
    f.press(Qt::Key_Insert);
    QCOMPARE(queued(f, Team::Home), std::vector<TimeValue>{sec(300)});
    QCOMPARE(f.penalty(1), QStringLiteral("200"));
    f.focus(f.field("VisitorBack"));
    f.type(QStringLiteral("+1"));
    QCOMPARE(f.penalty(1), QStringLiteral("500"));
    QCOMPARE(f.penalty(2), QStringLiteral("130")); // 1:30 typed on its own is a timed penalty: it stays
}

void TestPenaltyRulesOnBoard::theConsoleListsQueueReleaseAndStartAndOffersTheSheet() {
    BoardFixture f(withRules());
    GameEventsModel events(f.board->model());
    auto* status = new ConsoleStatusLine(f.board->model(), f.settings);
    ConsoleWindow console(*f.board, status, events);
    int sheets = 0;
    console.setGameSheet([&sheets] { ++sheets; }, f.settings.PenaltyRules);
    console.show();
    QVERIFY(QTest::qWaitForWindowExposed(&console));
    QVERIFY(console.gameSheetButton()->isVisible());
    QCOMPARE(console.gameSheetButton()->focusPolicy(), Qt::NoFocus);
    console.gameSheetButton()->click();
    QCOMPARE(sheets, 1);

    fiveOnThree(f);
    QVERIFY2(status->text().contains(QStringLiteral("Insert to add it as a new penalty")), qPrintable(status->text()));
    QVERIFY2(status->text().contains(QStringLiteral("Waiting: Home 5:00")), qPrintable(status->text()));
    f.focus(f.field("VisitorBack"));
    f.type(QStringLiteral("+1"));
    QStringList what;
    for (int row = 0; row < events.rowCount(); ++row) {
        what << events.data(events.index(row, GameEventsModel::What)).toString();
    }
    QVERIFY2(what.contains(QStringLiteral("Home penalty 5:00 waits")), qPrintable(what.join(u'|')));
    const QStringList last = what.mid(what.size() - 3);
    QCOMPARE(last, (QStringList{QStringLiteral("Goal Visitor (0-1)"),
                                QStringLiteral("Home penalty 1 released by the goal (2:00 left)"),
                                QStringLiteral("Home penalty 1: waiting penalty 5:00 starts")}));
    QVERIFY(!status->text().contains(QStringLiteral("Waiting")));

    BoardFixture off(withRules(false));
    GameEventsModel offEvents(off.board->model());
    ConsoleWindow offConsole(*off.board, nullptr, offEvents);
    offConsole.setGameSheet([] {}, off.settings.PenaltyRules);
    QVERIFY(offConsole.gameSheetButton()->isHidden());
}

void TestPenaltyRulesOnBoard::theGameSheetIsSavedAsCsvAndPage() {
    BoardFixture f(withRules());
    f.show();
    f.focus(f.field("PeriodBack"));
    f.type(QStringLiteral("1"));
    fiveOnThree(f);
    f.focus(f.field("VisitorBack"));
    f.type(QStringLiteral("+1"));
    QTemporaryDir dir;
    const GameSheetFiles files = gameSheetFilesFor(dir.filePath(QStringLiteral("sheet.HTML")));
    QCOMPARE(files.csv, dir.filePath(QStringLiteral("sheet.csv")));
    QCOMPARE(files.html, dir.filePath(QStringLiteral("sheet.html")));
    QCOMPARE(
        saveGameSheet(f.board->model().state(), QStringLiteral("Ilves <Tampere>"), QStringLiteral("Tappara"), files),
        QString());
    QFile csv(files.csv);
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QByteArray text = csv.readAll();
    QVERIFY2(text.contains("goal"), text.constData());
    QVERIFY2(text.contains("major"), text.constData());
    QFile html(files.html);
    QVERIFY(html.open(QIODevice::ReadOnly));
    const QByteArray page = html.readAll();
    QVERIFY(page.contains("Ilves &lt;Tampere&gt;"));
    QVERIFY(!page.contains("Ilves <Tampere>"));
}

void TestPenaltyRulesOnBoard::aGameSheetThatCannotBeSavedSaysWhy() {
    BoardFixture f(withRules());
    QTemporaryDir dir;
    const GameSheetFiles files = gameSheetFilesFor(dir.filePath(QStringLiteral("no/such/folder/sheet")));
    const QString problem = saveGameSheet(f.board->model().state(), QStringLiteral("H"), QStringLiteral("V"), files);
    QVERIFY2(problem.startsWith(QStringLiteral("The game sheet cannot be saved as ")), qPrintable(problem));
    QVERIFY(!problem.contains(QLatin1Char('\n')));
}

QTEST_MAIN(TestPenaltyRulesOnBoard)
#include "tst_penaltyrules.moc"
