#pragma once
#include "core/TimeValue.h"
#include "core/board/ClockEngine.h"
#include "core/game/GameModel.h"
#include "core/input/NumberEntry.h"
#include "core/rules/PenaltyRules.h"
#include "core/rules/RecordedPenalty.h"
#include "core/settings/Settings.h"
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// The board's two sounds.
enum class Sound { Buzzer, Horn };

// Something the program must carry out after an input: the scorekeeper decides, the window does it.
struct BoardEffect {
    enum class Kind {
        PlaySound,      // start `sound` on its device
        CutSound,       // stop `sound` at once (cut short for the zero buzzer); its device still reports the end
        SoundEnded,     // the last playback of `sound` has ended: rewind its device; the board's sounds changed
        Beep,           // the system beep
        Refuse,         // tell `text` beside `field`
        SetNumLock,     // bring NumLock to `on`
        OpenHelp,       // F1
        OpenOptions,    // F2: the options dialog; optionsChanged() once it has closed
        OpenGameSheet,  // F3 with the penalty rules on
        StartTick,      // enable the tick; it fires at once
        WakeTick,       // the tick fires at once, enabled first if it was not
        TickSoon,       // the tick, if enabled, fires once the input has been handled
        TickAt,         // the tick, if enabled, fires at `millis` on the clock source
        TickSleep,      // the tick, if enabled, has nothing to fire for
        StopTick,       // disable the tick until a StartTick
        ArmMinuteWake,  // wake in `millis` ms, at the next minute of the time of day
        StopMinuteWake, // the time of day is no longer shown
    };
    Kind kind = Kind::Beep;
    Sound sound = Sound::Buzzer;
    std::optional<game::Field> field;
    std::string text;
    bool on = false;
    std::int64_t millis = 0;
    bool operator==(const BoardEffect&) const = default;
};
using BoardEffects = std::vector<BoardEffect>;

// The field of penalty clock 1..4 (home 1, home 2, visitor 1, visitor 2).
game::Field penaltyField(int clock);

// The time of day as the system's clock reads it, and whether its format counts hours to twelve.
struct WallTime {
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
    bool twelveHour = false;
};

// The scorekeeping of the board, without a window: the game's state, the clocks, typed time and number entry,
// the penalty clocks and rules, the goal lights, the view (game clock or time of day) and the zero buzzer. Every
// input returns the effects the program must carry out, and tells the state's listeners once.
class Scorekeeper {
public:
    Scorekeeper(ClockEngine& engine, const SettingsVariables& settings);

    // ---- Inputs -------------------------------------------------------------------------------------------
    // The board opens: 10:00 stopped, NumLock as the options force it, the tick started.
    BoardEffects load();
    // A key (Windows virtual-key code) pressed in a field, or with no field (the board's command keys only).
    BoardEffects keyDown(std::optional<game::Field> field, int keyCode);
    BoardEffects keyUp(int keyCode, bool shift);
    // Whether a key typed in another window is one of the board's command keys (start/stop, reset, clock
    // switch, buzzer, horn, independent clock), which then acts as if typed into the selected field.
    bool isCommandKey(int keyCode) const;
    BoardEffects selectField(std::optional<game::Field> field);
    // A click on a goal light's cover: that team's light on, or off again.
    BoardEffects goalClicked(Team team);
    // The player serving penalty clock 1..4 (home 1, 2; visitor 3, 4), from the official's record; a number
    // outside 0..99 is none. Nothing is told when every number stays as it was.
    BoardEffects setPenaltyPlayers(const std::array<int, 4>& players);
    // The official's record's penalties each team's clocks show (with the penalty rules on): a penalty new to the
    // clocks goes on one at its time left and runs with the game clock, one that has left is darkened (one that ran
    // out keeps 0:00), and each clock shows its player's number. The penalty rules give up a clock the record takes.
    // Nothing is told when every clock keeps its penalty and number.
    BoardEffects followRecord(const RecordedPenalties& shown);
    // The tick fired: the clocks are read and drawn.
    BoardEffects tick();
    // A new minute of the time of day.
    BoardEffects minutePassed();
    // The options have changed (the dialog closed).
    BoardEffects optionsChanged();
    // A sound's device reported the end of a playback.
    BoardEffects soundEnded(Sound sound);
    // A saved game comes back: every digit, light, the view, the selection and the reset time as saved, every
    // clock stopped at its saved value.
    BoardEffects resume(const game::GameState& saved);
    // The tick is held off (until a start): for a caller that runs it by hand.
    BoardEffects stopTick();
    // With the penalty rules on, once the period's time is up (game clock at 0:00): the game clock counts the
    // intermission down at once while every penalty clock stays frozen; at its end the horn sounds, the period
    // goes up by one and the game clock waits at the period's length. Otherwise refused with a beep and a reason.
    BoardEffects startIntermission();
    // The buzzer or horn keys' sounds, played when loaded and nothing is playing.
    BoardEffects playBuzzer();
    BoardEffects playHorn();

    // ---- What it needs --------------------------------------------------------------------------------------
    // The time of day (absent: midnight).
    void setWallClock(std::function<WallTime()> wallClock) { m_wallClock = std::move(wallClock); }
    // Whether a sound is loaded on its device (absent: none is).
    void setSoundLoaded(std::function<bool(Sound)> loaded) { m_soundLoaded = std::move(loaded); }
    // Told the new state once after every input.
    void addListener(std::function<void(const game::GameState&)> listener);

    // ---- Outputs --------------------------------------------------------------------------------------------
    const game::GameState& state() const { return m_state; }
    // A sound of the board is playing (the feed's "buzzerPlaying").
    bool buzzerPlaying() const { return m_buzzerPlaying; }
    bool showsTimeOfDay() const { return m_state.timeOfDay; }
    int whoGoal() const { return m_state.whoGoal; }
    // A look at clock n that charges nothing (for the feed and the journal).
    TimeValue peekClock(int n) const { return m_engine.peekClockValue(n); }
    bool clockRunning(int n) const;
    const ClockSource& clockSource() const { return m_engine.source(); }
    bool rulesOn() const { return m_settings.PenaltyRules; }
    bool inIntermission() const { return m_state.intermission; }

private:
    template <class F> BoardEffects input(F&& change);
    void effect(BoardEffect::Kind kind) {
        BoardEffect e;
        e.kind = kind;
        m_effects.push_back(e);
    }

    void handleCommandKey(int keyCode);
    void clockFieldKeyDown(int keyCode);
    void numberFieldKeyDown(game::DigitGroup group, int keyCode, int min, int max);
    void scoreKeyDown(Team team, int keyCode);
    void periodKeyDown(int keyCode);
    void penaltyKeyDown(int clock, int keyCode);
    void goalFieldKeyDown(int keyCode);
    int characterOf(int keyCode) const;

    void showClock(TimeValue t);
    void showTimeOfDay();
    void setTimeOfDayShown(bool shown);
    void armMinuteWake();
    void showPenaltyTime(int clock, TimeValue t);
    void showPenaltyLights();
    void clearPenalty(int clock);
    void showStoppedClocks();
    void stopPenaltyClocksAtGameZero();
    bool gameClockRuns();
    bool penaltyShown(int clock) const;
    void startTick();
    void scheduleNextTick();
    void updateNumLock();

    void playSound(Sound sound);
    void cutPlayingSoundFor(Sound sound);
    void buzzAtZero();
    void beginIntermission();
    void endIntermission();
    void refuseAtClock(const std::string& text);

    PenaltyReadings penaltyReadings();
    GameMoment gameMoment();
    void applyRules(const PenaltyOutcome& outcome, int clock);
    void putPenaltyOnClock(int clock, TimeValue time);
    void addPenalty(int clock);
    void scoreKeyed(Team team, int before, int after);
    void adoptShownPenalties();

    ClockEngine& m_engine;
    const SettingsVariables& m_settings;
    game::GameState m_state;
    number_entry::DigitEntry m_digitEntry;
    PenaltyRules m_rules;
    std::function<WallTime()> m_wallClock;
    std::function<bool(Sound)> m_soundLoaded;
    std::vector<std::function<void(const game::GameState&)>> m_listeners;
    BoardEffects m_effects;
    int m_depth = 0;
    // The tick is enabled: it is disabled at the game clock's zero and enabled again by a start.
    bool m_tickOn = false;
    // Penalty clocks started on their own with the independent-clock key while the game clock was stopped (or had
    // run out), since the game clock last started or stopped; they keep running through a stoppage.
    std::array<bool, kClockCount> m_runningOnTheirOwn{};
    // The record's penalty each penalty clock shows (clocks 1 to 4; 0: none of the record's).
    std::array<std::uint64_t, 4> m_recordIds{};
    // The sound that set buzzerPlaying, and each sound's playbacks that have not reported their end yet (a sound
    // cut short for the zero buzzer still reports its own).
    bool m_buzzerPlaying = false;
    std::optional<Sound> m_soundPlaying;
    std::array<int, 2> m_plays{};
};
