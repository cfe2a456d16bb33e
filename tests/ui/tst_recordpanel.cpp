#include "BoardFixture.h"
#include "board/ConsoleStatusLine.h"
#include "board/ConsoleWindow.h"
#include "board/RecordPanel.h"
#include "game/BoardModel.h"
#include "game/GameEventsModel.h"
#include "game/OfficialRecord.h"
#include "game/RecordFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

std::string fileText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

// The official's record in the console: a board, its console and the panel, the record's files in a folder
// of the test's own.
struct Console {
    Console() {
        record = std::make_unique<OfficialRecord>(fx.board->model());
        record->setFolder(dir.filePath(QStringLiteral("games")), dir.filePath(QStringLiteral("current")));
        record->setActive(true);
        console =
            std::make_unique<ConsoleWindow>(*fx.board, new ConsoleStatusLine(fx.board->model(), fx.settings), events);
        panel = new RecordPanel(*record);
        console->setRecordPanel(panel);
        panel->setGiveBackKeys([this] { console->giveKeysToBoard(); });
        panel->setClearBoard([this] { fx.board->resumeGame(game::freshGame()); });
        RecordPanel::Dialogs dialogs;
        dialogs.confirm = [this](QWidget*, const QString& text) {
            asked << text;
            return true;
        };
        dialogs.tell = [](QWidget*, const QString&) {};
        panel->setDialogs(dialogs);
        console->resize(1366, 740);
        console->show();
    }
    template <class T = QWidget> T* in(const char* name) const {
        return panel->findChild<T*>(QString::fromLatin1(name));
    }
    void click(const char* button) const { QTest::mouseClick(in<QPushButton>(button), Qt::LeftButton); }
    void typeInto(const char* field, const QString& text) const {
        QLineEdit* edit = in<QLineEdit>(field);
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClicks(edit, text);
    }
    RecordReading readBack() const { return readRecord(fileText(record->path())); }

    static SettingsVariables rulesOn() {
        SettingsVariables s = boardDefaults();
        s.PenaltyRules = true; // the record is kept while the penalty rules are on
        return s;
    }

    QTemporaryDir dir;
    BoardFixture fx{rulesOn()};
    GameEventsModel events{fx.board->model()};
    std::unique_ptr<OfficialRecord> record;
    std::unique_ptr<ConsoleWindow> console;
    RecordPanel* panel = nullptr;
    QStringList asked;
};

} // namespace

class RecordPanelTest : public QObject {
    Q_OBJECT
private slots:
    void entriesGoToTheFileAtOnce() {
        Console c;
        QVERIFY(QTest::qWaitForWindowExposed(c.console.get()));
        c.typeInto("penaltyPlayer", QStringLiteral("12"));
        c.in<QComboBox>("penaltyKind")->setCurrentIndex(4); // major and minor
        c.click("recordPenalty");
        c.click("shotVisitor");
        RecordReading read = c.readBack();
        QVERIFY(read.problems.empty());
        QCOMPARE(read.record.entries().size(), std::size_t{3}); // the header first
        const auto& penalty = std::get<RecordPenalty>(read.record.entries()[1].item);
        QCOMPARE(penalty.player, 12);
        QCOMPARE(penalty.kind, BookKind::MajorAndMinor);
        QCOMPARE(c.in<QLabel>("recordStrength")->text(), QStringLiteral("4-on-5"));
        QCOMPARE(c.in<QListWidget>("recordPenalties")->count(), 1);
        QVERIFY(c.in<QListWidget>("recordPenalties")->item(0)->text().contains(QStringLiteral("#12")));

        // A goal on the board is written at once; the official's details take its place.
        QTest::keyClicks(c.fx.field("VisitorBack"), QStringLiteral("1\r")); // a goal typed on the board
        QCOMPARE(c.readBack().record.entries().size(), std::size_t{4});
        QCOMPARE(c.in<QComboBox>("recordTeam")->currentIndex(), 1);
        c.typeInto("goalScorer", QStringLiteral("19"));
        c.typeInto("goalAssist1", QStringLiteral("4"));
        c.click("recordGoal");
        read = c.readBack();
        const std::vector<RecordEntry> standing = read.record.standing();
        const auto& goal = std::get<RecordGoal>(standing.back().item);
        QCOMPARE(goal.scorer, 19);
        QCOMPARE(goal.assists, std::vector<int>{4});
        QCOMPARE(goal.team, Team::Visitor);
        QCOMPARE(std::count_if(standing.begin(), standing.end(),
                               [](const RecordEntry& e) { return std::holds_alternative<RecordGoal>(e.item); }),
                 1);

        // The event list names the player the record has on a penalty clock, also for an event typed before the
        // penalty was entered in the same stoppage.
        c.events.setPlayerOf([&c](const game::GameEvent& e) { return c.record->playerOnClock(e.penaltyClock); });
        QObject::connect(c.record.get(), &OfficialRecord::changed, c.fx.board.get(),
                         [&c] { c.fx.board->followRecord(c.record->keeper().shownOnBoard()); });
        QObject::connect(c.record.get(), &OfficialRecord::changed, &c.events, &GameEventsModel::refreshPlayers);
        c.fx.focus(c.fx.field("PenaltyTV1"));
        c.fx.type(QStringLiteral("2\n"));
        QCOMPARE(c.events.rowCount(), 2); // the goal, the penalty set
        QCOMPARE(c.events.playerAt(1), 0);
        c.typeInto("penaltyPlayer", QStringLiteral("8"));
        c.in<QComboBox>("recordTeam")->setCurrentIndex(1);
        c.in<QComboBox>("penaltyKind")->setCurrentIndex(0); // the minor typed on the board: it keeps that clock
        c.click("recordPenalty");
        QCOMPARE(c.events.playerAt(1), 8);
        QVERIFY(
            c.events.data(c.events.index(1, GameEventsModel::What)).toString().endsWith(QStringLiteral("player 8")));
        QVERIFY(c.fx.field("PenaltyTV1")->hasFocus()); // recording the entry gave the keys back
        read = c.readBack();

        // Voiding the selected penalty.
        QListWidget* list = c.in<QListWidget>("recordEntries");
        list->setCurrentRow(1);
        QCOMPARE(c.panel->selectedEntry(), read.record.entries()[1].seq);
        c.click("voidEntry");
        QCOMPARE(c.in<QLabel>("recordStrength")->text(), QStringLiteral("5-on-4"));
    }

    void keysReachTheBoardUnlessAFieldIsClickedInto() {
        Console c;
        QVERIFY(QTest::qWaitForWindowExposed(c.console.get()));
        QTRY_VERIFY(c.fx.field("TimeBack")->hasFocus());
        // The console with the panel still fits a 1366x768 screen.
        QVERIFY2(c.console->minimumSizeHint().width() <= 1366 && c.console->minimumSizeHint().height() <= 740,
                 qPrintable(QStringLiteral("%1x%2")
                                .arg(c.console->minimumSizeHint().width())
                                .arg(c.console->minimumSizeHint().height())));
        // Nothing of the panel takes the keyboard by Tab or by a click on a button.
        for (QPushButton* b : c.panel->findChildren<QPushButton*>())
            QCOMPARE(b->focusPolicy(), Qt::NoFocus);
        for (QLineEdit* e : c.panel->findChildren<QLineEdit*>())
            QVERIFY(e->focusPolicy() == Qt::ClickFocus || e->parentWidget() != c.panel);
        c.click("shotHome");
        QVERIFY(c.fx.field("TimeBack")->hasFocus());
        c.fx.type(QStringLiteral("s")); // the start/stop key
        QVERIFY(c.fx.engine.isClockRunning(0) != 0);
        c.fx.type(QStringLiteral("s"));

        // Clicked into, a field takes the digits; Esc gives the keys back to the board's selected field.
        c.typeInto("penaltyPlayer", QStringLiteral("7"));
        QVERIFY(c.in<QLineEdit>("penaltyPlayer")->hasFocus());
        QCOMPARE(c.in<QLineEdit>("penaltyPlayer")->text(), QStringLiteral("7"));
        QCOMPARE(c.fx.engine.isClockRunning(0), 0);
        QTest::keyClick(c.in<QLineEdit>("penaltyPlayer"), Qt::Key_Escape);
        QTRY_VERIFY(c.fx.field("TimeBack")->hasFocus());
        c.fx.type(QStringLiteral("s"));
        QVERIFY(c.fx.engine.isClockRunning(0) != 0);
        c.fx.type(QStringLiteral("s"));

        // A click on the board takes the keys back too.
        c.typeInto("goalScorer", QStringLiteral("9"));
        QVERIFY(c.in<QLineEdit>("goalScorer")->hasFocus());
        QTest::mouseClick(c.fx.field("HomeBack"), Qt::LeftButton);
        QTRY_VERIFY(!c.in<QLineEdit>("goalScorer")->hasFocus());
    }

    void endGameStartsANewRecordFile() {
        Console c;
        QVERIFY(QTest::qWaitForWindowExposed(c.console.get()));
        c.typeInto("penaltyPlayer", QStringLiteral("3"));
        c.click("recordPenalty");
        QTest::keyClicks(c.fx.field("HomeBack"), QStringLiteral("2\r"));
        const QString first = c.record->path();
        QVERIFY(QFile::exists(first));
        c.click("endGame");
        QCOMPARE(c.asked.size(), 1);
        QVERIFY(c.asked[0].startsWith(QStringLiteral("End this game?")));
        const RecordReading old = readRecord(fileText(first));
        QVERIFY(old.record.ended());
        QVERIFY(c.record->path() != first);
        QVERIFY(c.record->record().entries().empty());
        QCOMPARE(c.fx.home(), QStringLiteral("-0")); // the board is a new game
        QCOMPARE(c.in<QLabel>("recordStrength")->text(), QStringLiteral("5-on-5"));
        QCOMPARE(QString::fromStdString(fileText(c.dir.filePath(QStringLiteral("current")))).trimmed(),
                 QFileInfo(c.record->path()).fileName());

        c.click("shotHome");
        QCOMPARE(c.readBack().record.entries().size(), std::size_t{2});
        QCOMPARE(readRecord(fileText(first)).record.entries(), old.record.entries()); // the first is untouched

        // The next run reads the game on from the file the sidecar names.
        OfficialRecord again(c.fx.board->model());
        again.setFolder(c.dir.filePath(QStringLiteral("games")), c.dir.filePath(QStringLiteral("current")));
        QVERIFY(again.resume(nullptr));
        QCOMPARE(again.path(), c.record->path());
        QCOMPARE(again.record().entries(), c.record->record().entries());
    }

    void aRecordThatCannotBeWrittenIsToldOnceAndRetried() {
        QTemporaryDir dir;
        QFile blocker(dir.filePath(QStringLiteral("games"))); // a file where the folder should be
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        RecordFile file;
        QSignalSpy told(&file, &RecordFile::failed);
        file.setPath(dir.filePath(QStringLiteral("games/a.rinkrecord")));
        file.append("{\"seq\":1}\n");
        file.append("{\"seq\":2}\n");
        QCOMPARE(told.count(), 1);
        QVERIFY(file.hasWaitingLines());
        QVERIFY(blocker.remove());
        QTRY_VERIFY_WITH_TIMEOUT(!file.hasWaitingLines(), 3000);
        QCOMPARE(fileText(file.path()), std::string("{\"seq\":1}\n{\"seq\":2}\n"));
        QCOMPARE(told.count(), 1);

        // Never through a link.
        const QString target = dir.filePath(QStringLiteral("target"));
        QVERIFY(QFile::link(target, dir.filePath(QStringLiteral("games/link.rinkrecord"))));
        file.setPath(dir.filePath(QStringLiteral("games/link.rinkrecord")));
        file.append("{\"seq\":1}\n");
        QCOMPARE(told.count(), 2);
        QVERIFY(!QFile::exists(target));
    }
};

QTEST_MAIN(RecordPanelTest)
#include "tst_recordpanel.moc"
