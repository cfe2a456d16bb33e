// The key window: what it asks, which keys it refuses (with the message and a beep), which it takes, and that
// closing it answers "0".
#include <QApplication>
#include <QTest>
#include <QTimer>

#include "settings/KeyCaptureDialog.h"
#include "settings/OptionsDialogs.h"

namespace {

// The default keys: S, R, Delete, C, I, B, G.
const WorkingKeys kDefaults{83, 82, 46, 67, 73, 66, 71};

struct Window {
    KeyCaptureExchange exchange;
    int beeps = 0;
    std::unique_ptr<KeyCaptureDialog> window;

    Window(const std::string& prompt, std::int16_t assigned, const WorkingKeys& keys = kDefaults)
        : exchange{prompt, assigned, "stale"} {
        window = std::make_unique<KeyCaptureDialog>(exchange, keys, [this] { ++beeps; });
        window->show();
    }
};

} // namespace

class TestChooseKey : public QObject {
    Q_OBJECT
private slots:
    void opensWithThePromptAndNoAnswer_data();
    void opensWithThePromptAndNoAnswer();
    void refusesKeysThatCannotBeCommands_data();
    void refusesKeysThatCannotBeCommands();
    void takesFreeNamedKeysAndItsOwn_data();
    void takesFreeNamedKeysAndItsOwn();
    void triesAgainAfterARefusal();
    void closingAnswersZero_data();
    void closingAnswersZero();
    void characterInputIsIgnored();
    void standardWindowRunsModally();
};

void TestChooseKey::opensWithThePromptAndNoAnswer_data() {
    QTest::addColumn<QString>("prompt");
    for (const char* prompt :
         {"start / stop the clock", "reset the clock", "clear a number", "switch between clock and game time",
          "start / stop an independent penalty clock", "sound the buzzer", "sound the horn"}) {
        QTest::newRow(prompt) << QString::fromLatin1(prompt);
    }
}

void TestChooseKey::opensWithThePromptAndNoAnswer() {
    QFETCH(QString, prompt);
    Window w(prompt.toStdString(), 67);
    QCOMPARE(w.window->windowTitle(), QStringLiteral("Choose Key"));
    QCOMPARE(w.window->size(), QSize(312, 161));
    QCOMPARE(w.window->chooseLabel->text(), QStringLiteral("Press the key you would like to ") + prompt + u'.');
    QCOMPARE(w.exchange.chosenKey, std::string("0"));
    QVERIFY(!w.window->usedLabel->isVisible());
    QCOMPARE(w.window->usedLabel->text(),
             QStringLiteral("This is not a valid key, please choose another or close this window to return."));
    QCOMPARE(w.window->usedLabel->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QVERIFY(w.window->usedLabel->alignment() & Qt::AlignHCenter);
    QVERIFY(w.window->chooseLabel->alignment() & Qt::AlignLeft);
    QCOMPARE(QFontInfo(w.window->chooseLabel->font()).family(), QStringLiteral("Liberation Serif"));
    QCOMPARE(QFontInfo(w.window->usedLabel->font()).family(), QStringLiteral("Liberation Sans"));
    // The whole prompt fits its label, the longest one included.
    const QLabel* label = w.window->chooseLabel;
    const QRect needed =
        QFontMetrics(label->font()).boundingRect(QRect(0, 0, label->width(), 10000), Qt::TextWordWrap, label->text());
    QVERIFY2(needed.height() <= label->height(), qPrintable(QString::number(needed.height())));
}

void TestChooseKey::refusesKeysThatCannotBeCommands_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    const int none = Qt::NoModifier;
    const int keypad = Qt::KeypadModifier;
    for (int digit = 0; digit <= 9; ++digit) {
        QTest::addRow("digit %d", digit) << int(Qt::Key_0) + digit << none;
        QTest::addRow("keypad %d", digit) << int(Qt::Key_0) + digit << keypad;
    }
    QTest::newRow("space") << int(Qt::Key_Space) << none;
    QTest::newRow("left") << int(Qt::Key_Left) << none;
    QTest::newRow("right") << int(Qt::Key_Right) << none;
    QTest::newRow("up") << int(Qt::Key_Up) << none;
    QTest::newRow("down") << int(Qt::Key_Down) << none;
    QTest::newRow("shift") << int(Qt::Key_Shift) << int(Qt::ShiftModifier);
    QTest::newRow("escape") << int(Qt::Key_Escape) << none;
    QTest::newRow("tab") << int(Qt::Key_Tab) << none;
    QTest::newRow("backtab") << int(Qt::Key_Backtab) << int(Qt::ShiftModifier);
    QTest::newRow("numlock") << int(Qt::Key_NumLock) << none;
    QTest::newRow("F1") << int(Qt::Key_F1) << none;
    QTest::newRow("F2") << int(Qt::Key_F2) << none;
    QTest::newRow("plus") << int(Qt::Key_Plus) << none;
    QTest::newRow("keypad plus") << int(Qt::Key_Plus) << keypad;
    QTest::newRow("minus") << int(Qt::Key_Minus) << none;
    // Another command's key: start/stop S, horn G, clear Delete.
    QTest::newRow("start/stop key") << int(Qt::Key_S) << none;
    QTest::newRow("shifted horn key") << int(Qt::Key_G) << int(Qt::ShiftModifier);
    QTest::newRow("clear key") << int(Qt::Key_Delete) << none;
}

void TestChooseKey::refusesKeysThatCannotBeCommands() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    Window w("switch between clock and game time", 67);
    QTest::keyPress(w.window.get(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QVERIFY(w.window->isVisible());
    QVERIFY(w.window->usedLabel->isVisible());
    // A shifted key arrives after the Shift key itself, which is refused as well.
    QCOMPARE(w.beeps, modifiers & Qt::ShiftModifier ? 2 : 1);
    QCOMPARE(w.exchange.chosenKey, std::string("0"));
    // Tab and Backtab stay keys of the window: they never move the focus away from it.
    QVERIFY(!w.window->focusWidget() || w.window->focusWidget() == w.window.get());
}

void TestChooseKey::takesFreeNamedKeysAndItsOwn_data() {
    QTest::addColumn<int>("assigned");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("chosen");
    const int none = Qt::NoModifier;
    QTest::newRow("free letter") << 67 << int(Qt::Key_X) << none << QStringLiteral("88");
    QTest::newRow("shift is ignored") << 67 << int(Qt::Key_X) << int(Qt::ShiftModifier) << QStringLiteral("88");
    QTest::newRow("F3") << 67 << int(Qt::Key_F3) << none << QStringLiteral("114");
    QTest::newRow("F12") << 67 << int(Qt::Key_F12) << none << QStringLiteral("123");
    QTest::newRow("enter") << 67 << int(Qt::Key_Return) << none << QStringLiteral("13");
    QTest::newRow("page down") << 67 << int(Qt::Key_PageDown) << none << QStringLiteral("34");
    QTest::newRow("insert") << 67 << int(Qt::Key_Insert) << none << QStringLiteral("45");
    // The action's own key is one of the seven, and still taken.
    QTest::newRow("own key C") << 67 << int(Qt::Key_C) << none << QStringLiteral("67");
    QTest::newRow("own key Delete") << 46 << int(Qt::Key_Delete) << none << QStringLiteral("46");
}

void TestChooseKey::takesFreeNamedKeysAndItsOwn() {
    QFETCH(int, assigned);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, chosen);
    Window w("sound the horn", static_cast<std::int16_t>(assigned));
    QTest::keyPress(w.window.get(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(QString::fromStdString(w.exchange.chosenKey), chosen);
    QVERIFY(!w.window->isVisible());
    QCOMPARE(w.window->result(), int(QDialog::Accepted));
    QCOMPARE(w.beeps, modifiers == int(Qt::ShiftModifier) ? 1 : 0); // Shift itself arrives first and is refused
}

void TestChooseKey::triesAgainAfterARefusal() {
    Window w("sound the horn", 71);
    QTest::keyPress(w.window.get(), Qt::Key_5);
    QTest::keyPress(w.window.get(), Qt::Key_B);
    QCOMPARE(w.beeps, 2);
    QVERIFY(w.window->usedLabel->isVisible());
    QTest::keyPress(w.window.get(), Qt::Key_H);
    QCOMPARE(w.exchange.chosenKey, std::string("72"));
    QVERIFY(!w.window->usedLabel->isVisible());
    QVERIFY(!w.window->isVisible());
}

void TestChooseKey::closingAnswersZero_data() {
    QTest::addColumn<bool>("refusedFirst");
    QTest::newRow("at once") << false;
    QTest::newRow("after a refused key") << true;
}

void TestChooseKey::closingAnswersZero() {
    QFETCH(bool, refusedFirst);
    Window w("reset the clock", 82);
    if (refusedFirst)
        QTest::keyPress(w.window.get(), Qt::Key_F1);
    QVERIFY(w.window->close());
    QCOMPARE(w.exchange.chosenKey, std::string("0"));
    QCOMPARE(w.window->result(), int(QDialog::Rejected));
}

void TestChooseKey::characterInputIsIgnored() {
    // Text input (an input method's commit) is no key press: nothing is taken or refused.
    Window w("reset the clock", 82);
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("x"));
    QApplication::sendEvent(w.window.get(), &commit);
    QVERIFY(w.window->isVisible());
    QCOMPARE(w.beeps, 0);
    QCOMPARE(w.exchange.chosenKey, std::string("0"));
}

void TestChooseKey::standardWindowRunsModally() {
    // The program's key window blocks until a key is taken, then hands the answer back.
    KeyCaptureExchange exchange{"sound the buzzer", 66, "0"};
    QTimer::singleShot(0, [] {
        QWidget* window = QApplication::activeModalWidget();
        QVERIFY(window);
        QTest::keyPress(window, Qt::Key_Escape); // refused, the window stays
        QVERIFY(window->isVisible());
        QTest::keyPress(window, Qt::Key_N);
    });
    standardOptionsDialogs().captureKey(nullptr, exchange, kDefaults);
    QCOMPARE(exchange.chosenKey, std::string("78"));
}

QTEST_MAIN(TestChooseKey)
#include "tst_choosekey.moc"
