#pragma once
#include "board/BoardTick.h"
#include "core/TimeValue.h"
#include "core/board/ClockEngine.h"
#include "core/board/ClockFace.h"
#include "core/input/NumberEntry.h"
#include "core/rules/PenaltyRules.h"
#include "core/settings/Settings.h"
#include "display/BoardView.h"
#include "game/BoardModel.h"
#include <QTime>
#include <QTimer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

class SoundDevice;

// One number of the board, named like the board's digit groups. Its captions live in the game model: reading
// answers the model's digits, writing changes the model, and the board's view draws it.
struct LedDigitGroup {
    QString name;
    BoardModel* model = nullptr;
    game::DigitGroup group = game::DigitGroup::Time;
    std::vector<int> captions() const;
    void setCaptions(const std::vector<int>& captions);
};

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

// The scoreboard window: the board's view (every display control) filling it, the game it shows and the
// handlers that drive it. Scores and the period exist only as the digits shown.
class BoardWindow : public QWidget {
    Q_OBJECT
public:
    BoardWindow(SettingsVariables& settings, ClockEngine& engine, SoundDevice& buzzer, SoundDevice& horn,
                BoardServices services, QWidget* parent = nullptr);
    ~BoardWindow() override;

    // Names, colours and LED style again after the options have changed (the board itself does this after F2).
    void refreshFromSettings();
    // The drawing of the board, filling the window; its controls carry the board's object names.
    BoardView& view() { return *m_view; }
    const BoardView& view() const { return *m_view; }

    // The game the board shows; the board's digits and lights draw it.
    BoardModel& model() { return m_model; }
    const BoardModel& model() const { return m_model; }
    // Brings back a saved game: every digit, light, the view, the selection and the reset time as saved, and
    // every clock stopped at its saved value.
    void resumeGame(const game::GameState& saved);

    // Public state: -1 true, 0 false.
    std::int16_t BuzzerPlaying = 0;
    std::int16_t ClockTime = 0;
    std::int16_t WhoGoal = 0; // 0 none, 1 home, 2 visitor

    void AllKeyCode(int keyCode);
    // A key pressed in another of the program's windows (the help): the board's command keys (start/stop, reset,
    // clock switch, buzzer, horn, independent clock) act as if typed into the selected field; answers whether
    // the key was one of them. Other keys are left to that window.
    bool takeCommandKey(int keyCode);
    void AllKeyUp(int keyCode, int shift);
    int KeyCodeToAsci(int keyCode) const;
    void ObjectSelected(QWidget* selectedObject);
    void UpdateGoal();
    void UpdateNumLock();
    // Redraws the penalty clocks' colons (the view draws them from the model).
    void UpdatePenaltyColonColors();
    void Buzzer();
    void Horn();
    void DisplayTime(LedDigitGroup& clockObject, TimeValue dispSec);
    void Penalty();
    void ClearPenalty(int clockNum, LedDigitGroup& playerObj, LedDigitGroup& timeObj);
    void ShowClock(TimeValue t);
    void onTick();
    // Redraws a shown time of day at each new minute.
    void onTimeOfDayTick();

    // Key-down handlers of the fields, with the Windows key code.
    void clockFieldKeyDown(int keyCode);
    void homeScoreKeyDown(int keyCode);
    void visitorScoreKeyDown(int keyCode);
    void periodKeyDown(int keyCode);
    void PenaltyKeyDown(int clockNumber, int keyCode);
    void goalFieldKeyDown(int keyCode);
    void onHomeGoalCoverClicked();
    void onVisitorGoalCoverClicked();
    void onHomeGoalLabelClicked();
    void onVisitorGoalLabelClicked();

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
    // Binds the digit groups to the model and the view's fields to the handlers.
    void connectControls();
    // Draws the model at once: digits, colons, penalty and goal lights.
    void drawModel();
    void updateTitle();
    // Copies the clock engine's table, the reset time and the zero buzzer's mark into the model.
    void noteEngine();
    void onLoad();
    void onUnload();
    void showFace(const GameClockFace& face);
    void showTimeOfDay();
    void setClockTime(std::int16_t value);
    void stopPenaltyClocksAtGameZero();
    // Draws the clocks just stopped at the value they keep, without waiting for the tick.
    void showStoppedClocks();
    void scheduleNextTick();
    void armTimeOfDay();
    bool gameClockRuns();
    void buzzAtZero();
    void playSound(SoundDevice& device);
    int& playsOf(SoundDevice& device);
    void soundFinished(SoundDevice& device);
    void openDevice(SoundDevice& device, const std::string& file, bool checkExists);
    void afterOptions();
    LedDigitGroup& penaltyGroup(int clockNumber);
    void numberFieldKeyDown(LedDigitGroup& group, int keyCode, int min, int max);

    // The penalty rules, consulted only while "Apply penalty rules" is on: what the clocks read, the game's
    // moment, carrying out the rules' answer and keeping their state and records in the model.
    bool rulesOn() const { return m_settings.PenaltyRules; }
    PenaltyReadings penaltyReadings();
    GameMoment gameMoment();
    void applyRules(const PenaltyOutcome& outcome, int field);
    void addPenalty(int clockNumber);
    // A score field's number changed by a key: the game sheet notes it and the rules look for a goal.
    void scoreKeyed(Team team, int before, int after);
    bool isCommandKey(int keyCode) const;
    // Penalties on the clocks that the rules do not hold (typed while the option was off) become theirs, each
    // of the kind its time left says.
    void adoptShownPenalties();

    // The digit groups the handlers type into, by the board's names; the view draws them.
    LedDigitGroup lumTime, lumHome, lumVisitor, lumPeriod, lumPenaltyTH1, lumPenaltyTH2, lumPenaltyTV1, lumPenaltyTV2;
    // The tick: enabled and disabled as the board's rules say, fired when the shown time next changes. A child
    // named "tmrClock1".
    BoardTick tmrClock1{this};
    // Wakes at each minute's start while the time of day is shown; a child named "tmrTimeOfDay".
    QTimer tmrTimeOfDay{this};

    SettingsVariables& m_settings;
    ClockEngine& m_engine;
    BoardModel m_model;
    SoundDevice& m_buzzer;
    SoundDevice& m_horn;
    BoardView* m_view = nullptr; // a child filling the window
    BoardServices m_services;
    NumberEntry::DigitEntry m_digitEntry;
    // Kept by the tick: -1 once the buzzer has sounded for the game clock's present zero.
    std::int16_t ZeroBuzzed = 0;
    // Penalty clocks started on their own with the independent-clock key while the game clock was stopped (or had
    // run out), since the game clock last started or stopped; they keep running through a stoppage.
    std::array<bool, kClockCount> m_runningOnTheirOwn{};
    // The device whose sound set BuzzerPlaying, and each device's playbacks that have not reported their end yet
    // (a sound cut short for the zero buzzer still reports its own).
    SoundDevice* m_soundPlaying = nullptr;
    int m_buzzerPlays = 0;
    int m_hornPlays = 0;
    PenaltyRules m_rules;
    bool m_firstShow = true;
    bool m_unloaded = false;
};
