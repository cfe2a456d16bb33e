#pragma once
#include <QPointer>
#include <QWidget>
#include <functional>

#include "board/frmScoreBoard.h"
class GameEventsModel;
class ConsoleStatusLine;
class QPushButton;
class QTableView;

// The scorekeeper's window while the public board is on another screen: the board as always (with its
// selection marker, so the scorekeeper sees what is typed), the status line under it and the game's event list.
// Every key reaches the board as before; the list and its button never take the keyboard.
class ConsoleWindow : public QWidget {
    Q_OBJECT
public:
    // Takes the board in as its upper part; status and events are the console's own parts.
    // The board stays its owner's: the console hands it back (without a parent) when it goes first.
    ConsoleWindow(frmScoreBoard& board, ConsoleStatusLine* status, GameEventsModel& events, QWidget* parent = nullptr);
    ~ConsoleWindow() override;

    QTableView* eventList() const { return m_list; }
    QPushButton* saveButton() const { return m_save; }
    // "Game sheet...", shown while the penalty rules are on; it runs open.
    QPushButton* gameSheetButton() const { return m_sheet; }
    void setGameSheet(const std::function<void()>& open, bool shown);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    frmScoreBoard& m_board;
    QPointer<frmScoreBoard> m_held; // the board while it is still there
    QTableView* m_list = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_sheet = nullptr;
    std::function<void()> m_openSheet;
};
