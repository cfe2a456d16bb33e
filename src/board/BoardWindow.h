#pragma once
#include "board/BoardTick.h"
#include "core/TimeValue.h"
#include "core/board/ClockEngine.h"
#include "core/board/Scorekeeper.h"
#include "core/display/LayoutScaling.h"
#include "core/settings/Settings.h"
#include "display/BoardControls.h"
#include "display/LedDigit.h"
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

// A control array of LED digits showing one number, named like the board's digit groups. Its captions live in
// the game model: reading answers the model's digits, and the digits draw it.
struct LedDigitGroup {
    QString name;
    std::vector<LedDigit*> digits;
    BoardModel* model = nullptr;
    game::DigitGroup group = game::DigitGroup::Time;
    std::vector<int> captions() const;
    // Shows the model's digits.
    void draw() const;
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

// The scoreboard window: every display control, drawn from the game its scorekeeper keeps. Keys and clicks go to
// the scorekeeper; the window carries out what it answers (sounds, beep, tooltips, other windows, its timers).
class BoardWindow : public QWidget, public LayoutWindow {
    Q_OBJECT
public:
    BoardWindow(SettingsVariables& settings, ClockEngine& engine, SoundDevice& buzzer, SoundDevice& horn,
                BoardServices services, QWidget* parent = nullptr);
    // A second drawing of another board's game, for the public board: the same controls, layout and colours,
    // every digit and light drawn from that board's model. It keeps nothing of the game, runs no clock or sound,
    // takes no key, click or focus and never shows the selection marker.
    // (parent has no default, so that this is never taken for a copy.)
    BoardWindow(BoardWindow& shown, QWidget* parent);
    ~BoardWindow() override;

    bool isView() const { return m_shownBoard != nullptr; }
    // Names, colours and LED style again after the options have changed (the board itself does this after F2).
    void refreshFromSettings();

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
    void ObjectSelected(QWidget* selectedObject);
    void UpdateGoal();
    double RSize(int value) const;
    void UpdateLabels();
    void UpdateFormColors();
    void UpdatePenaltyColonColors();
    void Penalty();
    // The tick fired: the clocks are read and drawn, and the next firing armed.
    void onTick();
    // Redraws a shown time of day at each new minute.
    void onTimeOfDayTick();
    // Holds the tick off until a start, for a caller that runs it by hand.
    void stopTick();

    void onHomeGoalCoverClicked();
    void onVisitorGoalCoverClicked();
    void onHomeGoalLabelClicked();
    void onVisitorGoalLabelClicked();

    // Outer window size in twips, the size the team-name scaling is computed from: a standard window frame
    // around the client area, so that the design's 9600 x 7200 window gives the design's point sizes.
    double outerWidthTwips() const;
    double outerHeightTwips() const;
    double layoutWidthTwips() const override;
    double layoutHeightTwips() const override;
    QWidget* window() override { return this; }
    const std::vector<BoardControlRef>& controls() const override { return m_controls; }
    const LayoutScaling::LayoutTable& layoutTable() const { return m_layout; }

    // The nine field boxes in tab order.
    std::array<PictureBoxControl*, 9> fieldBoxes() const;
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
    void buildControls();
    // The model the digits and lights draw: the board's own, or for a view the shown board's.
    BoardModel* shownModel();
    // Draws the model: digits, colons, penalty and goal lights.
    void drawModel();
    void onLoad();
    void onUnload();
    void ColorControls(const QStringList& exceptions);
    void ColorLedGroup(LedDigitGroup& target, OleColor colour);
    void openDevice(SoundDevice& device, const std::string& file, bool checkExists);
    void afterOptions();
    // Carries out what the scorekeeper answered: sounds, beep, refusals, NumLock, other windows, the timers.
    void carryOut(const BoardEffects& effects);

    template <class T, class... Args> T* add(const QString& name, QWidget* parent, Args&&... args);
    LedDigit* addDigit(LedDigitGroup& group, QWidget* parent, double left, double top, double size);

    // The controls, named as on the board (each control's object name); outside the board, find them by name.
    PictureBoxControl* TimeBack = nullptr;
    PictureBoxControl* HomeBack = nullptr;
    PictureBoxControl* VisitorBack = nullptr;
    PictureBoxControl* picGoalBack = nullptr;
    PictureBoxControl* PeriodBack = nullptr;
    PictureBoxControl* PenaltyTH1 = nullptr;
    PictureBoxControl* PenaltyTV1 = nullptr;
    PictureBoxControl* PenaltyTH2 = nullptr;
    PictureBoxControl* PenaltyTV2 = nullptr;
    PictureBoxControl* picHomeContainer = nullptr;
    PictureBoxControl* picVisitorContainer = nullptr;
    LedDigitGroup lumTime, lumHome, lumVisitor, lumPeriod, lumPenaltyTH1, lumPenaltyTH2, lumPenaltyTV1, lumPenaltyTV2;
    std::array<ShapeControl*, 2> Shape2{};
    std::array<ShapeControl*, 2> dotPenaltyTH1{}, dotPenaltyTH2{}, dotPenaltyTV1{}, dotPenaltyTV2{};
    std::array<ShapeControl*, 2> shpPenaltyH{}, shpPenaltyV{};
    ShapeControl* shpGoalH = nullptr;
    ShapeControl* shpGoalV = nullptr;
    ShapeControl* shpObjectSelected = nullptr;
    ShapeControl* Shape1 = nullptr;
    ShapeControl* Shape3 = nullptr;
    ImageControl* imgGoalCoverH = nullptr;
    ImageControl* imgGoalCoverV = nullptr;
    LabelControl* lblHome = nullptr;
    LabelControl* lblVisitor = nullptr;
    LabelControl* lblGoalH = nullptr;
    LabelControl* lblGoalV = nullptr;
    LabelControl* lblPeriod = nullptr;
    LabelControl* lblPenaltyH = nullptr;
    LabelControl* lblPenaltyV = nullptr;
    LabelControl* lblCreatedBy = nullptr;
    // The tick: enabled and disabled as the scorekeeper says, fired when the shown time next changes. A child
    // named "tmrClock1".
    BoardTick m_tick{this};
    // Wakes at each minute's start while the time of day is shown; a child named "tmrTimeOfDay".
    QTimer m_minuteWake{this};

    SettingsVariables& m_settings;
    std::unique_ptr<Scorekeeper> m_ownKeeper; // none for a view
    Scorekeeper& m_keeper;
    BoardModel m_model;
    SoundDevice& m_buzzer;
    SoundDevice& m_horn;
    BoardWindow* m_shownBoard = nullptr; // for a view: the board whose game it draws
    BoardServices m_services;
    std::vector<BoardControlRef> m_controls;
    LayoutScaling::LayoutTable m_layout;
    bool m_firstShow = true;
    bool m_unloaded = false;
};
