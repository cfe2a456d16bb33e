// Grabs the help window, as the scorekeeper sees it, into a PNG file.
//   help_shot OUT.png [FOLDER [WIDTH HEIGHT [SCROLL]]]
// FOLDER holds rinkmasterhelpfile.rtf (default: the program folder); WIDTH and HEIGHT are the window's client size
// in pixels; SCROLL is the vertical scroll position of the text, in pixels.
#include "help/HelpWindow.h"

#include <QApplication>
#include <QPixmap>
#include <QScrollBar>
#include <QTextBrowser>

#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: help_shot OUT.png [FOLDER [WIDTH HEIGHT [SCROLL]]]\n");
        return 2;
    }
    HelpWindow* window = args.size() > 2 ? new HelpWindow(args.at(2)) : new HelpWindow();
    if (args.size() > 4)
        window->resize(args.at(3).toInt(), args.at(4).toInt());
    window->show();
    QApplication::processEvents();
    if (args.size() > 5)
        window->rtbHelp->verticalScrollBar()->setValue(args.at(5).toInt());
    QApplication::processEvents();
    const bool saved = window->grab().save(args.at(1));
    std::printf("%s %dx%d, text %d px high\n", saved ? "saved" : "could not save", window->width(), window->height(),
                window->rtbHelp->verticalScrollBar()->maximum() + window->rtbHelp->viewport()->height());
    delete window;
    return saved ? 0 : 1;
}
