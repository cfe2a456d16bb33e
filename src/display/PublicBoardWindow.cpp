#include "display/PublicBoardWindow.h"
#include "display/PublicScreenController.h"
#include <QScreen>

PublicBoardWindow::PublicBoardWindow(PublicScreenController& screens, QWidget* view)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus), m_screens(screens),
      m_view(view) {
    setObjectName(QStringLiteral("publicBoard"));
    // Not "Rinkmaster - ...": that is the board's own title, which tools and tests look windows up by.
    setWindowTitle(tr("Rinkmaster public board"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::BlankCursor);
    if (m_view) {
        m_view->setParent(this);
        m_view->setFocusPolicy(Qt::NoFocus);
        m_view->setGeometry(rect());
    }
    connect(&screens, &PublicScreenController::choiceChanged, this, &PublicBoardWindow::follow);
    follow();
}

void PublicBoardWindow::follow() {
    QScreen* screen = m_screens.publicScreen();
    if (screen == nullptr) {
        hide();
        emit placed();
        return;
    }
    // The whole screen, placed by hand: with no window manager (or one that ignores the full-screen state) the
    // window still covers the screen exactly.
    setScreen(screen);
    setGeometry(screen->geometry());
    if (!isVisible())
        show();
    emit placed();
}

void PublicBoardWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (m_view)
        m_view->setGeometry(rect());
}
