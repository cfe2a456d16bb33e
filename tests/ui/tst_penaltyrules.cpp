// The board with "Apply penalty rules" on, through its window: the rules' record in the journal and a resume, the
// feed's queue, one change per step for the followers, the console and the game sheet. Real key events
// throughout. The rules' behaviour on the board's keys is tabled in tests/core/test_scorekeeper.cpp.
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
    void withTheOptionOffInsertDoesNothing();
    void theRulesSurviveTheJournalAndAResume();
    void theFeedListsTheQueue();
    void followersSeeAClockAndItsRecordInOneChange();
    void theConsoleListsQueueReleaseAndStartAndOffersTheSheet();
    void theGameSheetIsSavedAsCsvAndPage();
    void aGameSheetThatCannotBeSavedSaysWhy();
};

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
    const BoardState s = readBoardState(*f.board, f.settings);
    QVERIFY(s.queued.has_value());
    QCOMPARE((*s.queued)[0], (std::vector<TimeValue>{sec(300), sec(105)}));
    QVERIFY((*s.queued)[1].empty());

    BoardFixture off(withRules(false));
    QVERIFY(!readBoardState(*off.board, off.settings).queued);
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
    offConsole.setIntermission([] {}, off.settings.PenaltyRules);
    QVERIFY(offConsole.intermissionButton()->isHidden());
    // The console's "Intermission": refused while the period has time left, started once the clock shows 0:00.
    console.setIntermission([&f] { f.board->startIntermission(); }, f.settings.PenaltyRules);
    QVERIFY(console.intermissionButton()->isVisible());
    QCOMPARE(console.intermissionButton()->focusPolicy(), Qt::NoFocus);
    console.intermissionButton()->click();
    QVERIFY(!f.board->model().state().intermission);
    f.focus(f.field("TimeBack"));
    f.type(QStringLiteral("0\n"));
    console.intermissionButton()->click();
    QVERIFY(f.board->model().state().intermission);
    f.type(QStringLiteral("0\n")); // what is left of it: nothing
    f.board->onTick();
    QVERIFY(!f.board->model().state().intermission);
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
