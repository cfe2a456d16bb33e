#include "BoardFixture.h"
#include "board/ConsoleStatusLine.h"
#include "board/ConsoleWindow.h"
#include "game/GameEventsModel.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

// What a view shows of a digit group, as BoardFixture reads the board.
QString shownOn(const QWidget& view, const char* group, bool indexZeroIsRightmost) {
    return BoardFixture::shown(view.findChildren<LedDigit*>(QString::fromLatin1(group)), indexZeroIsRightmost);
}

template <class T> T* on(const QWidget& board, const char* name, int index = 0) {
    const QList<T*> found = board.findChildren<T*>(QString::fromLatin1(name));
    return index < found.size() ? found[index] : nullptr;
}

using StateEdit = std::function<void(game::GameState&)>;

} // namespace

Q_DECLARE_METATYPE(StateEdit)

// The public board's view and the console around the board: the view draws the board's game and nothing else;
// the console passes every key to the board as the board's own window does.
class TestTwoScreens : public QObject {
    Q_OBJECT

private slots:
    // A view of either role draws a game it is given: the digits, one light or colon, and the marker only on the
    // scorekeeper's board.
    void viewDrawsAState_data() {
        QTest::addColumn<StateEdit>("edit");
        QTest::addColumn<int>("role");
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("digits"); // as BoardFixture reads them, leftmost first
        QTest::addColumn<QString>("light");
        QTest::addColumn<int>("lightIndex");
        QTest::addColumn<int>("fill"); // the light's colour, as the settings store it
        QTest::addColumn<bool>("marker");
        const SettingsVariables d = boardDefaults();
        const int board = static_cast<int>(BoardViewRole::Board);
        const int pub = static_cast<int>(BoardViewRole::PublicBoard);
        const auto clock = [](game::GameState& s) {
            s.timeDigits = {1, 2, 3, 4};
            s.colon = false;
        };
        const auto scores = [](game::GameState& s) {
            s.homeDigits = {2, 1};
            s.whoGoal = 2;
        };
        const auto penalty = [](game::GameState& s) {
            s.penaltyDigits[2] = {0, 0, 2};
            s.penaltyLights[2] = true;
            s.selected = game::Field::PenaltyTV1;
        };
        const auto period = [](game::GameState& s) {
            s.periodDigits = {3};
            s.selected = game::Field::PeriodBack;
        };
        for (const int role : {board, pub}) {
            const char* r = role == board ? "board: " : "public: ";
            QTest::addRow("%sclock 12:34, upper dot dark", r)
                << StateEdit(clock) << role << u"lumTime"_s << u"1234"_s << u"Shape2"_s << 0 << d.LEDBack << false;
            QTest::addRow("%shome 12, visitor goal light", r)
                << StateEdit(scores) << role << u"lumHome"_s << u"12"_s << u"shpGoalV"_s << 0 << d.ScoreColor << false;
            QTest::addRow("%s2:00 on the first visitor clock, its light", r)
                << StateEdit(penalty) << role << u"lumPenaltyTV1"_s << u"200"_s << u"shpPenaltyV"_s << 0 << d.ScoreColor
                << (role == board);
            QTest::addRow("%sthat clock's colon lit", r) << StateEdit(penalty) << role << u"lumPenaltyTV2"_s << u"---"_s
                                                         << u"dotPenaltyTV1"_s << 1 << d.BorderColor << (role == board);
            QTest::addRow("%speriod 3, no goal light", r) << StateEdit(period) << role << u"lumPeriod"_s << u"3"_s
                                                          << u"shpGoalH"_s << 0 << d.FormBack << (role == board);
        }
    }
    void viewDrawsAState() {
        QFETCH(StateEdit, edit);
        QFETCH(int, role);
        QFETCH(QString, group);
        QFETCH(QString, digits);
        QFETCH(QString, light);
        QFETCH(int, lightIndex);
        QFETCH(int, fill);
        QFETCH(bool, marker);
        const SettingsVariables settings = boardDefaults();
        BoardModel model;
        BoardView view(settings, model, static_cast<BoardViewRole>(role));
        view.setMarkerShown(true);
        model.edit(edit);
        QCOMPARE(BoardFixture::shown(view.findChildren<LedDigit*>(group), group != u"lumTime"_s), digits);
        const QList<ShapeControl*> lights = view.findChildren<ShapeControl*>(light);
        QVERIFY(lightIndex < lights.size());
        QCOMPARE(lights[lightIndex]->fillColor(), fromOleColor(fill));
        auto* shownMarker = view.findChild<ShapeControl*>(u"shpObjectSelected"_s);
        QCOMPARE(!shownMarker->isHidden(), marker);
        if (marker) {
            const PictureBoxControl* field = view.fieldBox(*model.state().selected);
            QCOMPARE(shownMarker->geometry(), field->geometry().adjusted(0, 0, 1, 1));
        }
    }

    // With the option on, a noted player's number stands beside a penalty time; off, nothing changes.
    void playerNumbersBesideThePenalties_data() {
        QTest::addColumn<bool>("option");
        QTest::addColumn<bool>("timeShown");
        QTest::addColumn<int>("player");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<QString>("digits"); // tens then units
        QTest::newRow("option off: the board as ever") << false << true << 17 << false << u"17"_s;
        QTest::newRow("17 beside the time") << true << true << 17 << true << u"17"_s;
        QTest::newRow("7 without a leading zero") << true << true << 7 << true << u"-7"_s;
        QTest::newRow("0") << true << true << 0 << true << u"-0"_s;
        QTest::newRow("no number noted") << true << true << -1 << false << u"--"_s;
        QTest::newRow("no time on the clock") << true << false << 17 << false << u"17"_s;
    }
    void playerNumbersBesideThePenalties() {
        QFETCH(bool, option);
        QFETCH(bool, timeShown);
        QFETCH(int, player);
        QFETCH(bool, shown);
        QFETCH(QString, digits);
        SettingsVariables settings = boardDefaults();
        settings.ShowPlayerNumbers = option;
        BoardModel model;
        BoardView view(settings, model, BoardViewRole::PublicBoard);
        const std::array<const char*, 4> names{"TH1", "TH2", "TV1", "TV2"};
        for (int clock = 1; clock <= 4; ++clock) {
            model.edit([&](game::GameState& s) {
                s.penaltyDigits[static_cast<std::size_t>(clock - 1)] =
                    timeShown ? std::array<int, 3>{0, 0, 2} : std::array<int, 3>{-1, -1, -1};
                game::setPenaltyPlayer(s, clock, player);
            });
            const QString name = QString::fromLatin1(names[static_cast<std::size_t>(clock - 1)]);
            auto* box = view.findChild<PictureBoxControl*>(u"Player"_s + name);
            QVERIFY(box != nullptr);
            QCOMPARE(!box->isHidden(), shown);
            QCOMPARE(BoardFixture::shown(view.findChildren<LedDigit*>(u"lumPlayer"_s + name), true), digits);
            QCOMPARE(view.findChildren<LedDigit*>(u"lumPlayer"_s + name)[0]->litColor(),
                     fromOleColor(clock <= 2 ? settings.HomeColor : settings.VisitorColor));
        }
    }

    // At every size the numbers keep clear of every other control (the outer frame holds them all).
    void playerNumbersOverlapNothing() {
        SettingsVariables settings = boardDefaults();
        settings.ShowPlayerNumbers = true;
        BoardModel model;
        model.edit([](game::GameState& s) {
            for (int clock = 1; clock <= 4; ++clock) {
                s.penaltyDigits[static_cast<std::size_t>(clock - 1)] = {0, 0, 2};
                game::setPenaltyPlayer(s, clock, 88);
            }
        });
        BoardView view(settings, model, BoardViewRole::PublicBoard);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        for (const QSize size : {view.size(), QSize(1920, 1080), QSize(3840, 2160), QSize(800, 450)}) {
            view.resize(size);
            QCoreApplication::processEvents();
            for (const char* name : {"PlayerTH1", "PlayerTH2", "PlayerTV1", "PlayerTV2"}) {
                auto* box = view.findChild<PictureBoxControl*>(QString::fromLatin1(name));
                QVERIFY(box->isVisible());
                for (QObject* o : view.children()) {
                    auto* other = qobject_cast<QWidget*>(o);
                    if (other == nullptr || other == box || other->isHidden() || other->objectName() == u"Shape3"_s)
                        continue;
                    QVERIFY2(!box->geometry().intersects(other->geometry()),
                             qPrintable(QStringLiteral("%1 over %2 at %3x%4")
                                            .arg(QLatin1String(name), other->objectName())
                                            .arg(size.width())
                                            .arg(size.height())));
                }
            }
        }
    }

    void viewDrawsTheBoardsGame() {
        BoardFixture fx;
        fx.show();
        BoardView view(fx.settings, fx.board->model(), BoardViewRole::PublicBoard);
        view.resize(1920, 1080);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        fx.board->activateWindow();
        QTRY_VERIFY(fx.field("TimeBack")->hasFocus());

        fx.focus(fx.field("HomeBack"));
        fx.type(QStringLiteral("3\n"));
        fx.focus(fx.field("VisitorBack"));
        fx.type(QStringLiteral("2\n"));
        fx.focus(fx.field("PeriodBack"));
        fx.type(QStringLiteral("2"));
        QTest::keyClicks(fx.field("PenaltyTH1"), QStringLiteral("2\r"));
        QCOMPARE(fx.home(), QStringLiteral("-3"));
        QCOMPARE(shownOn(view, "lumHome", true), QStringLiteral("-3"));
        QCOMPARE(shownOn(view, "lumVisitor", true), QStringLiteral("-2"));
        QCOMPARE(shownOn(view, "lumPeriod", true), QStringLiteral("2"));
        QCOMPARE(shownOn(view, "lumPenaltyTH1", true), fx.penalty(1));
        QCOMPARE(shownOn(view, "lumTime", false), fx.gameClock());
        // Lights follow too: the penalty light and a goal light.
        QCOMPARE(on<ShapeControl>(view, "shpPenaltyH")->fillColor(),
                 on<ShapeControl>(*fx.board, "shpPenaltyH")->fillColor());
        fx.board->goalCoverClicked(Team::Visitor);
        QCOMPARE(on<ShapeControl>(view, "shpGoalV")->fillColor(), on<ShapeControl>(*fx.board, "shpGoalV")->fillColor());
        QVERIFY(on<ShapeControl>(view, "shpGoalV")->fillColor() != on<ShapeControl>(view, "shpGoalH")->fillColor());

        // A running clock is drawn as the board's tick draws it.
        fx.type(QStringLiteral("s"));
        fx.advance(61000);
        QCOMPARE(shownOn(view, "lumTime", false), fx.gameClock());
        QVERIFY(fx.gameClock() != QStringLiteral("1000"));
    }

    void viewNeverSelectsTakesKeysOrEndsTheRun() {
        BoardFixture fx;
        fx.show();
        BoardView view(fx.settings, fx.board->model(), BoardViewRole::PublicBoard);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        for (PictureBoxControl* f : view.fieldBoxes())
            QCOMPARE(f->focusPolicy(), Qt::NoFocus);
        for (LedDigit* d : view.findChildren<LedDigit*>())
            QCOMPARE(d->focusPolicy(), Qt::NoFocus);
        QVERIFY(view.testAttribute(Qt::WA_TransparentForMouseEvents));
        QCOMPARE(view.role(), BoardViewRole::PublicBoard);
        QCOMPARE(fx.board->view().role(), BoardViewRole::Board);
        QVERIFY(!fx.board->view().testAttribute(Qt::WA_TransparentForMouseEvents));

        fx.board->activateWindow();
        fx.focus(fx.field("HomeBack"));
        QVERIFY(on<ShapeControl>(*fx.board, "shpObjectSelected")->isVisible());
        QVERIFY(!on<ShapeControl>(view, "shpObjectSelected")->isVisible());
        view.resize(800, 450);
        QVERIFY(!on<ShapeControl>(view, "shpObjectSelected")->isVisible());

        // Nothing the view does moves the game.
        const game::GameState before = fx.board->model().state();
        view.refreshFromSettings();
        view.close();
        QCOMPARE(fx.programEnded, 0);
        QVERIFY(fx.board->model().state() == before);
    }

    void viewTakesNewColoursWhenRefreshed() {
        BoardFixture fx;
        BoardView view(fx.settings, fx.board->model(), BoardViewRole::PublicBoard);
        fx.settings.ScoreColor = 0x00FF00; // green in the store's blue-green-red order
        fx.settings.HomeText = "Bears";
        view.refreshFromSettings();
        QCOMPARE(on<LedDigit>(view, "lumHome")->litColor(), QColor(0, 255, 0));
        QCOMPARE(on<LabelControl>(view, "lblHome")->text(), QStringLiteral("Bears"));
        // The player numbers follow the option too.
        QTest::keyClicks(fx.field("PenaltyTH1"), QStringLiteral("2\r"));
        fx.board->setPenaltyPlayers({21, -1, -1, -1});
        QVERIFY(on<PictureBoxControl>(view, "PlayerTH1")->isHidden());
        fx.settings.ShowPlayerNumbers = true;
        view.refreshFromSettings();
        QVERIFY(!on<PictureBoxControl>(view, "PlayerTH1")->isHidden());
        QCOMPARE(shownOn(view, "lumPlayerTH1", true), u"21"_s);
    }

    void consolePassesKeysAndCloseToTheBoard() {
        BoardFixture fx;
        GameEventsModel events(fx.board->model());
        auto* status = new ConsoleStatusLine(fx.board->model(), fx.settings);
        ConsoleWindow console(*fx.board, status, events);
        console.show();
        QVERIFY(QTest::qWaitForWindowExposed(&console));
        QCOMPARE(fx.board->window(), &console);
        QCOMPARE(fx.board->view().geometry(), fx.board->rect()); // the view fills the board
        QCOMPARE(fx.board->parentWidget(), &console);
        QVERIFY(fx.board->isVisible());
        QTRY_VERIFY(fx.field("TimeBack")->hasFocus());
        QCOMPARE(console.eventList()->focusPolicy(), Qt::NoFocus);
        QCOMPARE(console.saveButton()->focusPolicy(), Qt::NoFocus);
        QCOMPARE(console.windowTitle(), QStringLiteral("Rinkmaster - Home"));

        fx.focus(fx.field("HomeBack"));
        fx.type(QStringLiteral("+1"));
        QCOMPARE(fx.home(), QStringLiteral("-1"));
        QCOMPARE(events.rowCount(), 1);
        QVERIFY(status->text().startsWith(QStringLiteral("Home score:")));

        // With no field selected the keys reach the board through the console.
        fx.field("HomeBack")->clearFocus();
        QTest::keyClick(&console, Qt::Key_S);
        QVERIFY(fx.engine.isClockRunning(0) != 0);

        console.close();
        QCOMPARE(fx.programEnded, 1);
    }

    void consoleFramesTheSelectedFieldWhateverTheMarker_data() {
        QTest::addColumn<int>("markerWidth");
        QTest::addColumn<bool>("markerLikeTheBoard");
        QTest::newRow("default marker: the board's colour, no width") << 0 << true;
        QTest::newRow("a visible marker: the frame lies outside it") << 3 << false;
    }
    void consoleFramesTheSelectedFieldWhateverTheMarker() {
        QFETCH(int, markerWidth);
        QFETCH(bool, markerLikeTheBoard);
        BoardFixture fx;
        fx.settings.LEDSelectedWidth = static_cast<std::int16_t>(markerWidth);
        fx.settings.LEDSelected = markerLikeTheBoard ? fx.settings.FormBack : 0xFF0000;
        fx.board->refreshFromSettings();
        GameEventsModel events(fx.board->model());
        ConsoleWindow console(*fx.board, new ConsoleStatusLine(fx.board->model(), fx.settings), events);
        console.followSettings(fx.settings);
        console.resize(1200, 900);
        console.show();
        QVERIFY(QTest::qWaitForWindowExposed(&console));
        QWidget* frame = console.selectionFrame();
        QVERIFY(frame != nullptr);

        const auto fieldRect = [&console](PictureBoxControl* field) {
            return QRect(field->mapTo(&console, QPoint(0, 0)), field->size());
        };
        for (const char* name : {"HomeBack", "PenaltyTV2", "TimeBack"}) {
            fx.focus(fx.field(name));
            const QRect field = fieldRect(fx.field(name));
            QTRY_VERIFY(frame->isVisible());
            QCOMPARE(frame->geometry(),
                     field.adjusted(-markerWidth - 3, -markerWidth - 3, markerWidth + 3, markerWidth + 3));
            // White on the grey board and the black fields; the board's own marker stays inside the frame.
            const QImage shot = console.grab().toImage();
            QCOMPARE(shot.pixelColor(field.left() - markerWidth - 2, field.center().y()), QColor(Qt::white));
            QCOMPARE(shot.pixelColor(field.center().x(), field.bottom() + markerWidth + 2), QColor(Qt::white));
            if (markerWidth > 0)
                QCOMPARE(shot.pixelColor(field.left() - 1, field.center().y()), QColor(0, 0, 255));
            QVERIFY(shot.pixelColor(field.center()) != QColor(Qt::white)); // the field itself is not covered
        }

        // The board lays its fields out anew at another size; the frame follows.
        console.resize(900, 700);
        QTRY_COMPARE(frame->geometry(),
                     fieldRect(fx.field("TimeBack"))
                         .adjusted(-markerWidth - 3, -markerWidth - 3, markerWidth + 3, markerWidth + 3));
        // The public board's view has no such frame.
        BoardView view(fx.settings, fx.board->model(), BoardViewRole::PublicBoard);
        QCOMPARE(view.findChild<QWidget*>(u"consoleSelectionFrame"_s), nullptr);
    }

    void aLongStatusLineWrapsInsteadOfWideningTheConsole() {
        BoardFixture fx;
        GameEventsModel events(fx.board->model());
        auto* status = new ConsoleStatusLine(fx.board->model(), fx.settings);
        ConsoleWindow console(*fx.board, status, events);
        console.resize(700, 600);
        console.show();
        QVERIFY(QTest::qWaitForWindowExposed(&console));
        const QString longName(400, u'X');
        status->setPublicScreen(u"Public board not shown: screen "_s + longName + u" is not connected"_s);
        QTest::qWait(50);
        QCOMPARE(console.width(), 700);
        QVERIFY(console.minimumSizeHint().width() < 700);
        QVERIFY(status->width() <= console.width());
        // Nothing is lost: the whole name is in the line, on as many rows as it takes.
        QVERIFY(status->text().contains(longName));
        QTRY_VERIFY(status->height() >= 3 * status->fontMetrics().height());
    }
};

QTEST_MAIN(TestTwoScreens)
#include "tst_twoscreens.moc"
