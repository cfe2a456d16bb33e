#pragma once
#include <QPointer>
#include <QWidget>
#include <functional>

#include "board/BoardWindow.h"
class GameEventsModel;
class ConsoleStatusLine;
struct SettingsVariables;
class QPushButton;
class QTableView;

// The scorekeeper's window while the public board is on another screen: the board as always (with its
// selection marker) with a frame of its own round the selected field, so the scorekeeper always sees what
// is typed,, the status line under it and the game's event list.
// Every key reaches the board as before; the list and its button never take the keyboard.
class ConsoleWindow : public QWidget {
    Q_OBJECT
public:
    // Takes the board in as its upper part; status and events are the console's own parts.
    // The board stays its owner's: the console hands it back (without a parent) when it goes first.
    ConsoleWindow(BoardWindow& board, ConsoleStatusLine* status, GameEventsModel& events, QWidget* parent = nullptr);
    ~ConsoleWindow() override;

    QTableView* eventList() const { return m_list; }
    QPushButton* saveButton() const { return m_save; }
    // "Game sheet...", shown while the penalty rules are on; it runs open.
    QPushButton* gameSheetButton() const { return m_sheet; }
    void setGameSheet(const std::function<void()>& open, bool shown);
    // "Intermission", beside the game sheet's button and shown with it; it runs start.
    QPushButton* intermissionButton() const { return m_intermission; }
    void setIntermission(const std::function<void()>& start, bool shown);
    // The colours and marker width the console's frame round the selected field keeps clear of; without them
    // it takes the default board's.
    void followSettings(const SettingsVariables& settings);
    // The console's own frame round the selected field, drawn over the board whatever the board's marker
    // looks like (by default the board's marker has the board's colour and no width).
    QWidget* selectionFrame() const { return m_frame; }
    // The official's record beside the event list. It takes the keyboard only when one of its fields is clicked
    // into; Esc there or a click on the board gives the keys back to the board.
    void setRecordPanel(QWidget* panel);
    QWidget* recordPanel() const { return m_panel; }
    void giveKeysToBoard();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void placeSelectionFrame();

private:
    BoardWindow& m_board;
    QPointer<BoardWindow> m_held; // the board while it is still there
    QTableView* m_list = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_sheet = nullptr;
    std::function<void()> m_openSheet;
    QPushButton* m_intermission = nullptr;
    std::function<void()> m_startIntermission;
    const SettingsVariables* m_settings = nullptr;
    QWidget* m_frame = nullptr;
    QWidget* m_panel = nullptr;
    QPointer<QWidget> m_keysFrom; // the board's field that had the keys before the panel took them
    class QHBoxLayout* m_bottom = nullptr;
};
