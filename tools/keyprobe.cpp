// A bare window that prints the board's key code of every key press and release:
// "down <code>" / "up <code>" on standard output, one line each, flushed at once, and "focus"
// when the window gets the keyboard. The key translation is tested against real X key events
// through it. Standard error gets the raw facts of each event for diagnosis.
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>
#include <cstdio>

#include "input/KeyTranslate.h"

using namespace Qt::StringLiterals;

namespace {

class KeyProbe : public QWidget {
public:
    KeyProbe() {
        setWindowTitle(u"keyprobe"_s);
        setFocusPolicy(Qt::StrongFocus);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(new QLabel(u"Press keys: their codes go to standard output."_s, this));
        resize(400, 120);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override { report("down", event); }
    void keyReleaseEvent(QKeyEvent* event) override { report("up", event); }
    void focusInEvent(QFocusEvent*) override {
        std::printf("focus\n");
        std::fflush(stdout);
    }
    // Tab is a key like any other here, not a move to another control.
    bool focusNextPrevChild(bool) override { return false; }

private:
    static void report(const char* what, const QKeyEvent* event) {
        std::printf("%s %d\n", what, windowsKeyCode(event));
        std::fflush(stdout);
        std::fprintf(stderr, "%s key=0x%x text=%s scan=%u vk=0x%x mods=0x%x native=0x%x repeat=%d\n", what,
                     event->key(), qPrintable(event->text().toHtmlEscaped()), event->nativeScanCode(),
                     event->nativeVirtualKey(), unsigned(event->modifiers().toInt()), event->nativeModifiers(),
                     int(event->isAutoRepeat()));
    }
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication::setApplicationName(u"keyprobe"_s);
    QApplication app(argc, argv);
    KeyProbe probe;
    probe.show();
    probe.activateWindow();
    probe.setFocus();
    return app.exec();
}
