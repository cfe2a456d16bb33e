#include "help/HelpWindow.h"

#include "core/help/RtfParser.h"
#include "help/RtfReader.h"
#include "input/KeyTranslate.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPointer>
#include <QTextBrowser>
#include <QTextDocument>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr int kTwipsPerPixel = 15;
constexpr int kClientWidth = 11055; // twips, as designed
constexpr int kClientHeight = 9270;
constexpr int kTextLeft = 120;
constexpr int kMinimumWidth = 2700; // outer window size, twips
constexpr int kMinimumHeight = 1700;

int pixelsCeil(int twips) {
    return (twips + kTwipsPerPixel - 1) / kTwipsPerPixel;
}

} // namespace

HelpWindow::HelpWindow(QWidget* parent) : HelpWindow(QCoreApplication::applicationDirPath(), parent) {}

HelpWindow::HelpWindow(const QString& folder, QWidget* parent)
    : QWidget(parent, Qt::Window), rtbHelp(new QTextBrowser(this)), m_folder(folder) {
    setObjectName(u"frmHelp"_s);
    setWindowTitle(tr("Rinkmaster Help"));
    // The help stays open beside the board but never keeps the program alive once the board has closed.
    setAttribute(Qt::WA_QuitOnClose, false);

    rtbHelp->setObjectName(u"rtbHelp"_s);
    rtbHelp->setReadOnly(true);
    // The help is one self-contained text: nothing in it may lead the viewer to other files.
    rtbHelp->setOpenLinks(false);
    rtbHelp->setOpenExternalLinks(false);
    // The text box has the keyboard whenever the help is in front: the board's keys are looked at before it
    // scrolls with them, and a key it leaves goes on to the window unasked.
    rtbHelp->installEventFilter(this);
    setFocusProxy(rtbHelp);

    applyMinimumSize();
    resize(kClientWidth / kTwipsPerPixel, kClientHeight / kTwipsPerPixel);
    loadHelpText();
    placeTextBox();
}

QString HelpWindow::helpFileName() {
    return u"rinkmasterhelpfile.rtf"_s;
}

QString HelpWindow::helpFilePath(const QString& folder) {
    return QDir(folder).filePath(helpFileName());
}

QString HelpWindow::missingFileMessage() {
    return tr("Help file has been moved from its normal location.  Please reinstall the program.");
}

HelpWindow* HelpWindow::showHelp(const QString& folder, std::function<bool(int)> passKeyOn) {
    static QPointer<HelpWindow> open;
    if (open.isNull()) {
        open = folder.isEmpty() ? new HelpWindow() : new HelpWindow(folder);
        open->setAttribute(Qt::WA_DeleteOnClose);
    }
    open->setKeyPassOn(std::move(passKeyOn));
    open->show();
    if (open->isMinimized())
        open->showNormal();
    open->raise();
    open->activateWindow();
    return open;
}

void HelpWindow::loadHelpText() {
    const QString path = helpFilePath(m_folder);
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile()) {
        rtbHelp->setPlainText(missingFileMessage());
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        rtbHelp->setPlainText(tr("The help file could not be opened (%1).  Please check that you may read it, "
                                 "or reinstall the program.")
                                  .arg(file.errorString()));
        return;
    }
    // One byte past the limit is enough to know the file is too large; a huge file is never read whole.
    const QByteArray bytes = file.read(static_cast<qint64>(rtf::kMaxInputBytes) + 1);
    QString error;
    if (file.error() != QFileDevice::NoError) {
        error = file.errorString();
    } else if (readRtf(bytes, rtbHelp->document(), &error)) {
        rtbHelp->moveCursor(QTextCursor::Start);
        return;
    }
    rtbHelp->setPlainText(tr("The help file cannot be shown.  %1  Please reinstall the program.").arg(error));
}

void HelpWindow::placeTextBox() {
    if (isMinimized())
        return;
    applyMinimumSize();
    // The text box runs from its left margin to the window's right edge and fills the window's height: what the
    // designed outer-size arithmetic (width - 240, height - 420 twips) gives on a framed window, expressed in the
    // client area that Qt measures.
    const int left = kTextLeft / kTwipsPerPixel;
    rtbHelp->setGeometry(left, 0, std::max(0, width() - left), height());
    rtbHelp->viewport()->update();
}

void HelpWindow::applyMinimumSize() {
    // The smallest size is designed for the outer window; Qt limits the client area, so the frame the window
    // manager adds (known once the window is shown, nothing before) is taken off.
    const QSize frame = frameGeometry().size() - geometry().size();
    const QSize smallest(std::max(1, pixelsCeil(kMinimumWidth) - std::max(0, frame.width())),
                         std::max(1, pixelsCeil(kMinimumHeight) - std::max(0, frame.height())));
    if (minimumSize() != smallest)
        setMinimumSize(smallest);
}

void HelpWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeTextBox();
    // The smallest size is only a hint to a window manager; without one, another program can shrink the window
    // below it, and the window grows straight back.
    if (!isMinimized() && (width() < minimumWidth() || height() < minimumHeight()))
        resize(size().expandedTo(minimumSize()));
}

void HelpWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // Restoring from the task bar: fit the box to whatever size the window comes back with.
    if (event->type() == QEvent::WindowStateChange)
        placeTextBox();
}

void HelpWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    placeTextBox();
}

bool HelpWindow::passedOn(QKeyEvent* event) {
    if (!m_passKeyOn) {
        return false;
    }
    const int keyCode = windowsKeyCode(event);
    return keyCode != 0 && m_passKeyOn(keyCode);
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == rtbHelp && event->type() == QEvent::KeyPress && passedOn(static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
