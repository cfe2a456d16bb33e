#include <QKeyEvent>
#include <QWidget>
#include <QtTest>

#include "input/KeyTranslate.h"

using namespace Qt::StringLiterals;

namespace {

// Records the code of every key that reaches it, as the board's key handlers will see it.
class KeyRecorder : public QWidget {
public:
    QList<int> down;
    QList<int> up;

protected:
    void keyPressEvent(QKeyEvent* event) override { down.append(windowsKeyCode(event)); }
    void keyReleaseEvent(QKeyEvent* event) override { up.append(windowsKeyCode(event)); }
};

} // namespace

class TestKeyTranslate : public QObject {
    Q_OBJECT

private slots:
    void keyEvents_data();
    void keyEvents();
    void noEventIsNoKey();
};

void TestKeyTranslate::keyEvents_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("expected");
    QTest::addColumn<int>("modifierKey"); // the code of the modifier key pressed around it, 0 none
    const int none = Qt::NoModifier;
    const int keypad = Qt::KeypadModifier;
    QTest::newRow("S") << int(Qt::Key_S) << none << 83 << 0;
    QTest::newRow("Shift+S") << int(Qt::Key_S) << int(Qt::ShiftModifier) << 83 << 16;
    QTest::newRow("Ctrl+S") << int(Qt::Key_S) << int(Qt::ControlModifier) << 83 << 17;
    QTest::newRow("Alt+B") << int(Qt::Key_B) << int(Qt::AltModifier) << 66 << 18;
    QTest::newRow("1") << int(Qt::Key_1) << none << 49 << 0;
    QTest::newRow("keypad 1") << int(Qt::Key_1) << keypad << 97 << 0;
    QTest::newRow("keypad 0") << int(Qt::Key_0) << keypad << 96 << 0;
    QTest::newRow("keypad end") << int(Qt::Key_End) << keypad << 35 << 0;
    QTest::newRow("keypad plus") << int(Qt::Key_Plus) << keypad << 107 << 0;
    QTest::newRow("keypad minus") << int(Qt::Key_Minus) << keypad << 109 << 0;
    QTest::newRow("keypad point") << int(Qt::Key_Period) << keypad << 110 << 0;
    QTest::newRow("keypad enter") << int(Qt::Key_Enter) << keypad << 13 << 0;
    QTest::newRow("return") << int(Qt::Key_Return) << none << 13 << 0;
    QTest::newRow("plus") << int(Qt::Key_Plus) << none << 187 << 0;
    QTest::newRow("minus") << int(Qt::Key_Minus) << none << 189 << 0;
    QTest::newRow("point") << int(Qt::Key_Period) << none << 190 << 0;
    QTest::newRow("F1") << int(Qt::Key_F1) << none << 112 << 0;
    QTest::newRow("F2") << int(Qt::Key_F2) << none << 113 << 0;
    QTest::newRow("delete") << int(Qt::Key_Delete) << none << 46 << 0;
    QTest::newRow("space") << int(Qt::Key_Space) << none << 32 << 0;
    QTest::newRow("left") << int(Qt::Key_Left) << none << 37 << 0;
    QTest::newRow("numlock") << int(Qt::Key_NumLock) << none << 144 << 0;
}

void TestKeyTranslate::keyEvents() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, expected);
    QFETCH(int, modifierKey);
    KeyRecorder recorder;
    QTest::keyClick(&recorder, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    if (modifierKey == 0) {
        QCOMPARE(recorder.down, QList<int>{expected});
        QCOMPARE(recorder.up, QList<int>{expected});
    } else {
        QCOMPARE(recorder.down, (QList<int>{modifierKey, expected}));
        QCOMPARE(recorder.up, (QList<int>{expected, modifierKey}));
    }
}

void TestKeyTranslate::noEventIsNoKey() {
    QCOMPARE(windowsKeyCode(nullptr), 0);
}

QTEST_MAIN(TestKeyTranslate)
#include "tst_keytranslate.moc"
