#pragma once
#include <QDialog>
#include <QLabel>
#include <functional>

#include "core/settings/KeyCapture.h"

// The small window that takes one command key: it shows the action, and the next acceptable key pressed
// becomes the answer in the exchange (chosenKey). Keys that cannot be command keys are refused with a message
// and the system beep; the window stays open for another try. Closing it any other way answers "0".
//
// The window itself takes every key, Tab, Escape and the arrow keys included: they would otherwise move the
// focus or close the window, but they are keys the user can press by mistake and must be refused like the rest.
class KeyCaptureDialog : public QDialog {
    Q_OBJECT
public:
    // workingKeys are the options dialog's seven keys as they are now. beep sounds a refusal; an empty function
    // gives the system beep.
    KeyCaptureDialog(KeyCaptureExchange& exchange, const WorkingKeys& workingKeys, std::function<void()> beep = {},
                     QWidget* parent = nullptr);

    // The handler of one key press, by its Windows key code.
    void keyPressed(int keyCode);

    QLabel* chooseLabel = nullptr;
    QLabel* usedLabel = nullptr;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showPrompt();

    KeyCaptureExchange& m_exchange;
    WorkingKeys m_workingKeys;
    std::function<void()> m_beep;
};
