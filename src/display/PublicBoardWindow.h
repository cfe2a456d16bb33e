#pragma once
#include <QPointer>
#include <QWidget>

class PublicScreenController;

// The public board's window: frameless, it fills the screen the controller names and shows one view of the
// game, nothing else. It never takes the keyboard (the scorekeeper types in the console on another screen),
// shows no mouse pointer and is never the parent of a dialog. When the controller names no screen it hides;
// when the screen comes back it shows there again.
class PublicBoardWindow : public QWidget {
    Q_OBJECT
public:
    // view is the drawing of the board; the window takes it over and stretches it over the whole screen.
    PublicBoardWindow(PublicScreenController& screens, QWidget* view);

    QWidget* view() const { return m_view; }

signals:
    // The window was placed on a screen (or hidden); the view has its new size.
    void placed();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void follow();

    PublicScreenController& m_screens;
    QPointer<QWidget> m_view;
};
