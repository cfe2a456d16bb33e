#include "board/ConsoleStatusLine.h"
#include "core/settings/Settings.h"
#include "game/BoardModel.h"
#include "game/GameEventsModel.h"

#include "display/PublicScreenController.h"

#include <QFile>
#include <QHash>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

using game::EventKind;
using game::GameState;

namespace {

// 2026-12-07 20:15:07 in the test's time zone is not fixed, so times are compared through the model's own text.
constexpr qint64 kWall = 1796674507000;

QString cell(const GameEventsModel& m, int row, int column) {
    return m.data(m.index(row, column)).toString();
}

// A few German words, as a loaded translation gives them; anything else stays English.
class GermanWords : public QTranslator {
public:
    QString translate(const char* context, const char* source, const char*, int) const override {
        static const QHash<QString, QString> kWords{
            {QStringLiteral("ConsoleStatus|No field selected: click a field or press Tab"),
             QStringLiteral("Kein Feld gewählt: Feld anklicken oder Tab drücken")},
            {QStringLiteral("ConsoleStatus|Clock stopped"), QStringLiteral("Uhr steht")},
            {QStringLiteral("ConsoleStatus|Home score: digits then Enter set it, +1 or -1 change it at once, %1 "
                            "darkens it"),
             QStringLiteral("Heim-Tore: Ziffern und Enter setzen sie, +1 oder -1 sofort, %1 löscht sie")},
            {QStringLiteral("GameEvents|Goal %1 (%2-%3)"), QStringLiteral("Tor %1 (%2:%3)")},
            {QStringLiteral("PublicScreen|Public board: this window only"),
             QStringLiteral("Anzeigetafel: nur dieses Fenster")},
        };
        return kWords.value(QString::fromLatin1(context) + u'|' + QString::fromUtf8(source));
    }
    bool isEmpty() const override { return false; }
};

} // namespace

class TestConsole : public QObject {
    Q_OBJECT

private slots:
    void eventsFollowTheBoard() {
        BoardModel board;
        qint64 now = kWall;
        GameEventsModel events(board, [&now] { return now; });
        QSignalSpy added(&events, &GameEventsModel::eventsAdded);
        QSignalSpy inserted(&events, &QAbstractItemModel::rowsInserted);

        board.edit([](GameState& s) { s.clocks[0].running = true; });
        now += 61000;
        board.edit([](GameState& s) { s.homeDigits = {1, -1}; });
        board.edit([](GameState& s) { s.selected = game::Field::VisitorBack; }); // no event
        now += 1000;
        events.noteSound(EventKind::Horn);

        QCOMPARE(events.rowCount(), 3);
        QCOMPARE(added.count(), 3);
        QCOMPARE(inserted.count(), 3);
        QCOMPARE(cell(events, 0, GameEventsModel::What), QStringLiteral("Clock started"));
        QCOMPARE(cell(events, 1, GameEventsModel::What), QStringLiteral("Goal Home (1-0)"));
        QCOMPARE(cell(events, 1, GameEventsModel::WallTime), GameEventsModel::wallText(kWall + 61000));
        QCOMPARE(cell(events, 1, GameEventsModel::Period), QStringLiteral("0"));
        QCOMPARE(cell(events, 1, GameEventsModel::GameClock), QStringLiteral("10:00"));
        QCOMPARE(cell(events, 2, GameEventsModel::What), QStringLiteral("Horn"));
        QCOMPARE(events.headerData(GameEventsModel::GameClock, Qt::Horizontal).toString(),
                 QStringLiteral("Game clock"));

        events.setTeamNames(QStringLiteral("Bears"), QStringLiteral("Lions"));
        QCOMPARE(cell(events, 1, GameEventsModel::What), QStringLiteral("Goal Bears (1-0)"));
    }

    void restoredGameAddsNoEventsOfItsOwn() {
        BoardModel board;
        GameEventsModel events(board, [] { return kWall; });
        std::vector<game::GameEvent> saved(2, game::soundEvent(EventKind::Buzzer, board.state(), kWall));
        GameState resumed = board.state();
        resumed.homeDigits = {3, -1};
        resumed.periodDigits = {2};
        board.setState(resumed);
        events.restore(saved);
        QCOMPARE(events.rowCount(), 2);
        board.edit([](GameState& s) { s.homeDigits = {4, -1}; });
        QCOMPARE(events.rowCount(), 3);
        QCOMPARE(cell(events, 2, GameEventsModel::What), QStringLiteral("Goal Home (4-0)"));
        events.clear();
        QCOMPARE(events.rowCount(), 0);
    }

    void fullListLetsTheOldestGo() {
        BoardModel board;
        GameEventsModel events(board, [] { return kWall; });
        QSignalSpy removed(&events, &QAbstractItemModel::rowsRemoved);
        for (std::size_t i = 0; i < game::kMaxEvents + 2; ++i)
            events.noteSound(i % 2 == 0 ? EventKind::Horn : EventKind::Buzzer);
        QCOMPARE(events.rowCount(), static_cast<int>(game::kMaxEvents));
        QCOMPARE(removed.count(), 2);
        QCOMPARE(cell(events, 0, GameEventsModel::What), QStringLiteral("Horn"));
    }

    void savesTheListAsCsv() {
        BoardModel board;
        GameEventsModel events(board, [] { return kWall; });
        events.setTeamNames(QStringLiteral("Kärpät, Oulu"), QStringLiteral("Lions"));
        board.edit([](GameState& s) { s.homeDigits = {1, -1}; });
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("game.csv"));
        QString error;
        QVERIFY(events.saveCsv(path, &error));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString expected = QStringLiteral("Time,Period,Game clock,Event,Team,What,\"Kärpät, Oulu\",Lions\r\n") +
                                 GameEventsModel::wallText(kWall) +
                                 QStringLiteral(",0,10:00,goal,\"Kärpät, Oulu\",\"Goal Kärpät, Oulu (1-0)\",1,0\r\n");
        QCOMPARE(QString::fromUtf8(file.readAll()), expected);

        // A folder that does not exist: refused with a reason, nothing written.
        QVERIFY(!events.saveCsv(dir.filePath(QStringLiteral("no/such/folder/game.csv")), &error));
        QVERIFY(!error.isEmpty());
    }

    void statusLineFollowsTheBoard() {
        BoardModel board;
        SettingsVariables settings = defaultSettings("/opt/rinkmaster", '/');
        ConsoleStatusLine line(board, settings);
        QCOMPARE(line.text(), QStringLiteral("No field selected: click a field or press Tab  |  Clock stopped"));
        board.edit([](GameState& s) {
            s.selected = game::Field::PenaltyTV1;
            s.clocks[0].running = true;
        });
        line.setPublicScreen(QStringLiteral("Public board on RIGHT 1920x1080"));
        line.setSound(game::SoundPlaying::Buzzer);
        line.setFeedAddress(QStringLiteral("http://127.0.0.1:8080/"));
        QCOMPARE(line.text(),
                 QStringLiteral("Visitor penalty 1: minutes, a point and seconds, then Enter (2 is 2:00); I "
                                "runs it alone, Delete clears it  |  Clock running  |  Buzzer playing  |  "
                                "Public board on RIGHT 1920x1080  |  Feed on http://127.0.0.1:8080/"));
        QCOMPARE(line.focusPolicy(), Qt::NoFocus);

        // Keys changed in the options show once the line is refreshed.
        settings.SepTimeKey = 120; // F9
        line.setSound(game::SoundPlaying::None);
        QVERIFY(line.text().contains(QStringLiteral("F9 runs it alone")));
        QVERIFY(!line.text().contains(QStringLiteral("playing")));
    }

    void statusAndEventsSpeakTheProgramsLanguage() {
        GermanWords german;
        QVERIFY(QCoreApplication::installTranslator(&german));
        BoardModel board;
        SettingsVariables settings = defaultSettings("/opt/rinkmaster", '/');
        ConsoleStatusLine line(board, settings);
        QCOMPARE(line.text(), QStringLiteral("Kein Feld gewählt: Feld anklicken oder Tab drücken  |  Uhr steht"));
        board.edit([](GameState& s) { s.selected = game::Field::HomeBack; });
        QCOMPARE(line.text(),
                 QStringLiteral("Heim-Tore: Ziffern und Enter setzen sie, +1 oder -1 sofort, Delete löscht sie  |  "
                                "Uhr steht"));

        GameEventsModel events(board, [] { return kWall; });
        events.setTeamNames(QStringLiteral("Kärpät"), QStringLiteral("Tappara"));
        board.edit([](GameState& s) { s.homeDigits = {1, -1}; });
        QCOMPARE(events.rowCount(), 1);
        QCOMPARE(cell(events, 0, GameEventsModel::What), QStringLiteral("Tor Kärpät (1:0)"));

        PublicScreenController screens(nullptr);
        screens.setWanted(QString());
        QCOMPARE(screens.note(), QStringLiteral("Anzeigetafel: nur dieses Fenster"));
        QCoreApplication::removeTranslator(&german);
        QCOMPARE(screens.note(), QStringLiteral("Public board: this window only"));
    }
};

QTEST_MAIN(TestConsole)
#include "tst_console.moc"
