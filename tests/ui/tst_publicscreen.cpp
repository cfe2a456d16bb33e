#include "core/settings/SettingsStore.h"
#include "display/PublicBoardWindow.h"
#include "display/PublicScreenController.h"
#include "settings/OptionsDialog.h"
#include "support/FakeOptionsDialogs.h"

#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <QWindow>

// The offscreen platform is given two monitors side by side and the X server's whole screen over both, as an
// X server with two RandR monitors reports them.
namespace {

const char* const kScreens = R"({"screens": [
  {"name": "LEFT", "x": 0, "y": 0, "width": 1920, "height": 1080},
  {"name": "RIGHT", "x": 1920, "y": 0, "width": 1920, "height": 1080},
  {"name": "screen", "x": 0, "y": 0, "width": 3840, "height": 1080}
]})";

QScreen* screenNamed(const QString& name) {
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen->name() == name)
            return screen;
    }
    return nullptr;
}

QString nameOf(const QScreen* screen) {
    return screen != nullptr ? screen->name() : QString();
}

} // namespace

class TestPublicScreen : public QObject {
    Q_OBJECT

private:
    QWidget* m_console = nullptr;

    void putConsoleOn(const QString& name) {
        QScreen* screen = screenNamed(name);
        QVERIFY(screen != nullptr);
        m_console->setScreen(screen);
        m_console->move(screen->geometry().topLeft() + QPoint(100, 100));
        QTRY_COMPARE(nameOf(m_console->screen()), name);
    }

private slots:
    void init() {
        m_console = new QWidget;
        m_console->resize(640, 480);
        m_console->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_console));
        putConsoleOn(QStringLiteral("LEFT"));
    }

    void cleanup() {
        delete m_console;
        m_console = nullptr;
    }

    void describesEveryScreenByNameAndSize() {
        QCOMPARE(QGuiApplication::screens().size(), 3);
        const auto choices = PublicScreenController::screenChoices();
        // The whole `screen` spans both monitors: choosing it could only be refused, so it is not offered.
        QCOMPARE(choices.size(), 2);
        QCOMPARE(choices[0].first, QStringLiteral("LEFT 1920x1080"));
        QCOMPARE(choices[0].second, QStringLiteral("LEFT"));
        QCOMPARE(choices[1].first, QStringLiteral("RIGHT 1920x1080"));
        const auto infos = PublicScreenController::describe(QGuiApplication::screens());
        QCOMPARE(infos[1].x, 1920);
        QCOMPARE(infos[1].width, 1920);
    }

    void optionsShowTheScreenInUseAndOfferMonitorsOnly() {
        SettingsVariables settings = defaultSettings("/opt/rinkmaster", '/');
        InMemorySettingsStore store;
        FakeOptionsDialogs dialogs;
        OptionsDialog dialog(settings, store, nullptr, dialogs);
        dialog.showPublicScreenInUse(QStringLiteral("RIGHT")); // from the command line; nothing stored
        auto* box = dialog.findChild<QComboBox*>(QStringLiteral("cmbPublicScreen"));
        QVERIFY(box != nullptr);
        QStringList items;
        for (int i = 0; i < box->count(); ++i)
            items.append(box->itemText(i));
        QCOMPARE(items, (QStringList{QStringLiteral("this window only"), QStringLiteral("LEFT 1920x1080"),
                                     QStringLiteral("RIGHT 1920x1080")}));
        QCOMPARE(box->currentText(), QStringLiteral("RIGHT 1920x1080"));
        dialog.okButton->click();
        QVERIFY(!dialog.publicScreenChanged());
        QCOMPARE(settings.PublicScreen, std::string());
    }

    void placesThePublicBoard_data() {
        QTest::addColumn<QString>("wanted");
        QTest::addColumn<QString>("console");
        QTest::addColumn<QString>("publicScreen");
        QTest::addColumn<QString>("consoleTarget");
        QTest::addColumn<QString>("note");
        QTest::newRow("this window only")
            << QString() << "LEFT" << QString() << QString() << "Public board: this window only";
        QTest::newRow("the other monitor") << "RIGHT"
                                           << "LEFT"
                                           << "RIGHT" << QString() << "Public board on RIGHT 1920x1080";
        QTest::newRow("console on the chosen monitor moves") << "RIGHT"
                                                             << "RIGHT"
                                                             << "RIGHT"
                                                             << "LEFT"
                                                             << "Public board on RIGHT 1920x1080";
        QTest::newRow("whole screen covers the console")
            << "screen"
            << "LEFT" << QString() << QString()
            << "Public board not shown: screen screen is the screen this window is on";
        QTest::newRow("absent screen") << "HDMI-1"
                                       << "LEFT" << QString() << QString()
                                       << "Public board not shown: screen HDMI-1 is not connected";
    }

    void placesThePublicBoard() {
        QFETCH(QString, wanted);
        QFETCH(QString, console);
        QFETCH(QString, publicScreen);
        QFETCH(QString, consoleTarget);
        QFETCH(QString, note);
        putConsoleOn(console);
        PublicScreenController controller(m_console);
        controller.setWanted(wanted);
        QCOMPARE(nameOf(controller.publicScreen()), publicScreen);
        QCOMPARE(nameOf(controller.consoleTarget()), consoleTarget);
        QCOMPARE(controller.note(), note);
    }

    void followsTheConsoleToAnotherScreen() {
        PublicScreenController controller(m_console);
        controller.setWanted(QStringLiteral("RIGHT"));
        QVERIFY(controller.consoleTarget() == nullptr);
        QSignalSpy changed(&controller, &PublicScreenController::choiceChanged);
        putConsoleOn(QStringLiteral("RIGHT"));
        QVERIFY(changed.count() >= 1);
        QCOMPARE(nameOf(controller.consoleTarget()), QStringLiteral("LEFT"));
        QCOMPARE(nameOf(controller.publicScreen()), QStringLiteral("RIGHT"));
    }

    void publicScreenGoesAndComesBack() {
        PublicScreenController controller(m_console);
        controller.setWanted(QStringLiteral("RIGHT"));
        QSignalSpy changed(&controller, &PublicScreenController::choiceChanged);
        QScreen* right = screenNamed(QStringLiteral("RIGHT"));

        // The system announces a removal while it still lists the screen.
        emit qApp->screenRemoved(right);
        QCOMPARE(changed.count(), 1);
        QVERIFY(controller.publicScreen() == nullptr);
        QCOMPARE(controller.note(), QStringLiteral("Public board not shown: screen RIGHT is not connected"));

        emit qApp->screenAdded(right);
        QCOMPARE(changed.count(), 2);
        QCOMPARE(controller.publicScreen(), right);
        QCOMPARE(controller.note(), QStringLiteral("Public board on RIGHT 1920x1080"));
    }

    void asksAgainOnlyWhenSomethingMoved() {
        PublicScreenController controller(m_console);
        QSignalSpy changed(&controller, &PublicScreenController::choiceChanged);
        controller.setWanted(QStringLiteral("RIGHT"));
        controller.setWanted(QStringLiteral("RIGHT"));
        QCOMPARE(changed.count(), 1);
        QScreen* right = screenNamed(QStringLiteral("RIGHT"));
        emit right->geometryChanged(right->geometry());
        emit qApp->primaryScreenChanged(QGuiApplication::primaryScreen());
        QCOMPARE(changed.count(), 1);
        controller.setWanted(QString());
        QCOMPARE(changed.count(), 2);
        QVERIFY(controller.publicScreen() == nullptr);
    }

    void aDeletedConsoleLeavesTheChoiceStanding() {
        PublicScreenController controller(m_console);
        controller.setWanted(QStringLiteral("RIGHT"));
        delete m_console;
        m_console = nullptr;
        controller.reconsider();
        // Without a console to keep clear, the public board still goes on the named screen.
        QCOMPARE(nameOf(controller.publicScreen()), QStringLiteral("RIGHT"));
        QCOMPARE(nameOf(controller.consoleTarget()), QStringLiteral("LEFT"));
    }

    void publicBoardCoversItsScreenAndNeverTheKeyboard() {
        m_console->activateWindow();
        QTRY_VERIFY(m_console->isActiveWindow());
        PublicScreenController controller(m_console);
        controller.setWanted(QStringLiteral("RIGHT"));
        auto* view = new QWidget;
        PublicBoardWindow board(controller, view);
        QTRY_VERIFY(board.isVisible());
        QCOMPARE(board.geometry(), screenNamed(QStringLiteral("RIGHT"))->geometry());
        QCOMPARE(view->geometry(), QRect(0, 0, 1920, 1080));
        QCOMPARE(nameOf(board.screen()), QStringLiteral("RIGHT"));
        QVERIFY(board.windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(board.windowFlags() & Qt::WindowDoesNotAcceptFocus);
        QVERIFY(board.testAttribute(Qt::WA_ShowWithoutActivating));
        QCOMPARE(board.cursor().shape(), Qt::BlankCursor);
        QCOMPARE(board.focusPolicy(), Qt::NoFocus);
        QCOMPARE(view->focusPolicy(), Qt::NoFocus);
        QVERIFY(m_console->isActiveWindow());
        QVERIFY(!board.isActiveWindow());
    }

    void publicBoardLeavesWithItsScreenAndComesBack() {
        PublicScreenController controller(m_console);
        controller.setWanted(QStringLiteral("RIGHT"));
        PublicBoardWindow board(controller, new QWidget);
        QTRY_VERIFY(board.isVisible());
        QScreen* right = screenNamed(QStringLiteral("RIGHT"));
        emit qApp->screenRemoved(right);
        QVERIFY(!board.isVisible());
        emit qApp->screenAdded(right);
        QVERIFY(board.isVisible());
        QCOMPARE(board.geometry(), right->geometry());

        controller.setWanted(QString());
        QVERIFY(!board.isVisible());
        // A screen the console is on is never covered.
        controller.setWanted(QStringLiteral("screen"));
        QVERIFY(!board.isVisible());
    }
};

int main(int argc, char* argv[]) {
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("screens.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly) || file.write(kScreens) < 0)
        return 1;
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
    QApplication app(argc, argv);
    TestPublicScreen test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_publicscreen.moc"
