#pragma once
#include "board/BoardSounds.h"
#include "board/BoardTick.h"
#include "core/TimeValue.h"
#include "core/board/ClockEngine.h"
#include "core/board/Scorekeeper.h"
#include "core/settings/Settings.h"
#include "display/BoardView.h"
#include "game/BoardModel.h"
#include <QTime>
#include <QTimer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class SoundDevice;

// What the board needs from the rest of the program: other windows, the time of day, the system beep.
struct BoardServices {
    std::function<void()> openHelp;    // F1: show the help window without blocking the board
    std::function<void()> openOptions; // F2: the options dialog, modal; returns when it has closed
    std::function<QTime()> timeOfDay = [] { return QTime::currentTime(); };
    std::function<bool()> twelveHourClock; // hours as the system's time format writes them
    std::function<void()> beep;
    std::function<void(bool)> setNumLock; // brings the keyboard's NumLock toggle to a state
    std::function<void()> endProgram;     // closing the board ends the run at once
    std::function<void()> openGameSheet;  // F3 with the penalty rules on: save the game sheet (CSV and page)
};

// The scoreboard window: the board's view filling it, drawn from the game its scorekeeper keeps. Keys and clicks
// go to the scorekeeper; the window carries out what it answers (sounds, beep, tooltips, other windows, its
// timers).
class BoardWindow : public QWidget {
    Q_OBJECT
public:
    BoardWindow(SettingsVariables& settings, ClockEngine& engine, SoundDevice& buzzer, SoundDevice& horn,
                BoardServices services, QWidget* parent = nullptr);
    ~BoardWindow() override;

    // Names, colours and LED style again after the options have changed (the board itself does this after F2).
    void refreshFromSettings() { m_view->refreshFromSettings(); }
    // The drawing of the board, filling the window; its controls carry the board's object names.
    BoardView& view() { return *m_view; }
    const BoardView& view() const { return *m_view; }

    // The game the board shows; the board's digits and lights draw it.
    BoardModel& model() { return m_model; }
    const BoardModel& model() const { return m_model; }
    // Brings back a saved game: every digit, light, the view, the selection and the reset time as saved, and
    // every clock stopped at its saved value.
    void resumeGame(const game::GameState& saved);

    // The scorekeeping the board shows: the game's rules live there; the window passes keys and clicks on and
    // carries out what it answers.
    Scorekeeper& scorekeeper() { return m_keeper; }
    const Scorekeeper& scorekeeper() const { return m_keeper; }
    bool buzzerPlaying() const { return m_keeper.buzzerPlaying(); }
    bool showsTimeOfDay() const { return m_keeper.showsTimeOfDay(); }
    int whoGoal() const { return m_keeper.whoGoal(); }

    // A key typed with no field selected: the board's command keys.
    void handleCommandKey(int keyCode);
    // A key typed into a field (or with none), as the field's key-down passes it on.
    void keyDown(std::optional<game::Field> field, int keyCode);
    // A key pressed in another of the program's windows (the help): the board's command keys (start/stop, reset,
    // clock switch, buzzer, horn, independent clock) act as if typed into the selected field; answers whether
    // the key was one of them. Other keys are left to that window.
    bool takeCommandKey(int keyCode);
    void playBuzzer();
    void playHorn();
    // The console's intermission button (F4 on the board does the same).
    void startIntermission();
    // The players serving penalty clocks 1..4 (-1: none), shown beside their times when the option is on.
    void setPenaltyPlayers(const std::array<int, 4>& players);
    // The official's record's penalties on the penalty clocks, with their players (see Scorekeeper::followRecord).
    void followRecord(const RecordedPenalties& shown);
    // A field box took the focus (null: the fields moved): the core selects its field, the view frames it.
    void selectField(QWidget* fieldBox);
    // The tick fired: the clocks are read and drawn, and the next firing armed.
    void onTick();
    // Redraws a shown time of day at each new minute.
    void onTimeOfDayTick();
    // Holds the tick off until a start, for a caller that runs it by hand.
    void stopTick();

    // A click on a goal light's cover: that team's light on, or off again; the goal field is selected.
    void goalCoverClicked(Team team);

    // The nine field boxes in tab order.
    std::array<PictureBoxControl*, 9> fieldBoxes() const { return m_view->fieldBoxes(); }
    // The field box that has the focus, or null.
    PictureBoxControl* selectedField() const;

signals:
    // Something the board shows outside the game changed: a sound started or ended, the team names.
    void shownChanged();
    // The horn (true) or the buzzer began to sound.
    void soundStarted(bool horn);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void connectControls();
    void updateTitle();
    void onLoad();
    void onUnload();
    void afterOptions();
    // Carries out what the scorekeeper answered: sounds, beep, refusals, NumLock, other windows, the timers.
    void carryOut(const BoardEffects& effects);

    // The tick: enabled and disabled as the scorekeeper says, fired when the shown time next changes. A child
    // named "tmrClock1".
    BoardTick m_tick{this};
    // Wakes at each minute's start while the time of day is shown; a child named "tmrTimeOfDay".
    QTimer m_minuteWake{this};

    SettingsVariables& m_settings;
    Scorekeeper m_keeper;
    BoardModel m_model;
    BoardSounds m_sounds;
    BoardView* m_view = nullptr; // a child filling the window
    BoardServices m_services;
    bool m_firstShow = true;
    bool m_unloaded = false;
};
