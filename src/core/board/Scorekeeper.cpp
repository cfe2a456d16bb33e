#include "core/board/Scorekeeper.h"
#include "core/UiText.h"
#include "core/board/ClockFace.h"
#include "core/board/TickSchedule.h"
#include "core/input/KeyTables.h"
#include <algorithm>
#include <utility>

namespace {

// Key codes the board reads without a setting.
constexpr int kF1 = 112;
constexpr int kF2 = 113;
constexpr int kF3 = 114;
constexpr int kF4 = 115;
constexpr int kNumPad0 = 96;
constexpr int kNumPad9 = 105;
constexpr int kInsert = 45;
constexpr int kNumLock = 144;
constexpr int kLeft = 37;
constexpr int kRight = 39;
constexpr int kDown = 40;
constexpr int kEnter = '\r';

// The highest period the board shows: its one digit.
constexpr int kLastPeriod = 9;

// Penalty clocks 1..4 and their digit groups and fields: home 1, home 2, visitor 1, visitor 2.
constexpr std::array<game::DigitGroup, 4> kPenaltyGroups{game::DigitGroup::PenaltyTH1, game::DigitGroup::PenaltyTH2,
                                                         game::DigitGroup::PenaltyTV1, game::DigitGroup::PenaltyTV2};
constexpr std::array<game::Field, 4> kPenaltyFields{game::Field::PenaltyTH1, game::Field::PenaltyTH2,
                                                    game::Field::PenaltyTV1, game::Field::PenaltyTV2};

game::DigitGroup penaltyGroup(int clock) {
    return kPenaltyGroups[static_cast<std::size_t>(clock - 1)];
}

// The typed-entry buffers are shared between fields and know each by its digit group's name.
std::string entryOwner(game::DigitGroup group) {
    switch (group) {
    case game::DigitGroup::Time:
        return "lumTime";
    case game::DigitGroup::Home:
        return "lumHome";
    case game::DigitGroup::Visitor:
        return "lumVisitor";
    case game::DigitGroup::Period:
        return "lumPeriod";
    case game::DigitGroup::PenaltyTH1:
        return "lumPenaltyTH1";
    case game::DigitGroup::PenaltyTH2:
        return "lumPenaltyTH2";
    case game::DigitGroup::PenaltyTV1:
        return "lumPenaltyTV1";
    case game::DigitGroup::PenaltyTV2:
        return "lumPenaltyTV2";
    }
    return {};
}

} // namespace

game::Field penaltyField(int clock) {
    return kPenaltyFields[static_cast<std::size_t>(std::clamp(clock, 1, 4) - 1)];
}

Scorekeeper::Scorekeeper(ClockEngine& engine, const SettingsVariables& settings)
    : m_engine(engine), m_settings(settings) {
    m_rules.setMinorLength(m_settings.MinorLength);
}

void Scorekeeper::addListener(std::function<void(const game::GameState&)> listener) {
    m_listeners.push_back(std::move(listener));
}

template <class F> BoardEffects Scorekeeper::input(F&& change) {
    const bool outermost = m_depth == 0;
    if (outermost) {
        m_effects.clear();
    }
    ++m_depth;
    change();
    --m_depth;
    if (!outermost) {
        return {};
    }
    // The engine's clock table, the reset time and the zero buzzer's mark go with every state told.
    m_state.clocks = m_engine.snapshot();
    m_state.resetTime = m_engine.resetTime;
    // Taken before the listeners hear: one of them may give an input of its own (the official's record follows
    // the board and answers with its penalties), whose effects are its own.
    BoardEffects effects = std::exchange(m_effects, {});
    for (const auto& listener : m_listeners) {
        listener(m_state);
    }
    return effects;
}

bool Scorekeeper::clockRunning(int n) const {
    if (n < 0 || n >= kClockCount) {
        return false;
    }
    return m_engine.snapshot()[static_cast<std::size_t>(n)].running;
}

// ---- Inputs -------------------------------------------------------------------------------------------------

BoardEffects Scorekeeper::load() {
    return input([this] {
        m_rules.setMinorLength(m_settings.MinorLength);
        showPenaltyLights();
        updateNumLock();
        m_engine.resetTime = secondsToTime(600);
        m_engine.setClock(secondsToTime(600), 0, 0);
        showClock(secondsToTime(600));
        startTick();
    });
}

BoardEffects Scorekeeper::keyDown(std::optional<game::Field> field, int keyCode) {
    return input([this, field, keyCode] {
        if (!field) {
            handleCommandKey(keyCode);
            return;
        }
        switch (*field) {
        case game::Field::TimeBack:
            clockFieldKeyDown(keyCode);
            break;
        case game::Field::HomeBack:
            scoreKeyDown(Team::Home, keyCode);
            break;
        case game::Field::VisitorBack:
            scoreKeyDown(Team::Visitor, keyCode);
            break;
        case game::Field::GoalLights:
            goalFieldKeyDown(keyCode);
            break;
        case game::Field::PeriodBack:
            periodKeyDown(keyCode);
            break;
        case game::Field::PenaltyTH1:
            penaltyKeyDown(1, keyCode);
            break;
        case game::Field::PenaltyTH2:
            penaltyKeyDown(2, keyCode);
            break;
        case game::Field::PenaltyTV1:
            penaltyKeyDown(3, keyCode);
            break;
        case game::Field::PenaltyTV2:
            penaltyKeyDown(4, keyCode);
            break;
        }
    });
}

BoardEffects Scorekeeper::keyUp(int keyCode, bool /*shift*/) {
    return input([this, keyCode] {
        if (keyCode == kNumLock) {
            updateNumLock();
        }
    });
}

bool Scorekeeper::isCommandKey(int keyCode) const {
    const SettingsVariables& s = m_settings;
    const bool digit = (keyCode >= '0' && keyCode <= '9') || (keyCode >= kNumPad0 && keyCode <= kNumPad9);
    if (keyCode == 0 || keyCode == kF1 || keyCode == kF2 || keyCode == kF3 || keyCode == kF4 || digit) {
        return false;
    }
    for (std::int64_t key :
         {s.StartStopClockKey, s.ResetClockKey, s.ClockSwitchKey, s.BuzzerKey, s.HornKey, s.SepTimeKey}) {
        if (key == keyCode) {
            return true;
        }
    }
    return false;
}

BoardEffects Scorekeeper::selectField(std::optional<game::Field> field) {
    return input([this, field] { m_state.selected = field; });
}

BoardEffects Scorekeeper::goalClicked(Team team) {
    return input([this, team] {
        const int light = team == Team::Home ? 1 : 2;
        m_state.whoGoal = m_state.whoGoal == light ? 0 : light;
    });
}

BoardEffects Scorekeeper::setPenaltyPlayers(const std::array<int, 4>& players) {
    game::GameState next = m_state;
    for (int clock = 1; clock <= 4; ++clock) {
        game::setPenaltyPlayer(next, clock, players[static_cast<std::size_t>(clock - 1)]);
    }
    if (next.penaltyPlayers == m_state.penaltyPlayers) {
        return {};
    }
    return input([this, &next] { m_state.penaltyPlayers = next.penaltyPlayers; });
}

BoardEffects Scorekeeper::followRecord(const RecordedPenalties& shown) {
    if (!rulesOn()) {
        m_recordIds.fill(0);
        return {};
    }
    // Each team's clocks: a penalty stays on the clock it is on; a new one takes the clock where the same penalty
    // was typed, else a dark or run-out clock, else one the penalty rules hold for another typed penalty.
    std::array<const RecordedPenalty*, 4> plan{};
    for (std::size_t side = 0; side < 2; ++side) {
        const int first = static_cast<int>(side) * 2 + 1;
        const auto slot = [](int clock) { return static_cast<std::size_t>(clock - 1); };
        std::vector<const RecordedPenalty*> newcomers;
        for (const RecordedPenalty& p : shown[side]) {
            if (p.id == 0 || p.remaining <= 0) {
                continue;
            }
            if (m_recordIds[slot(first)] == p.id && plan[slot(first)] == nullptr) {
                plan[slot(first)] = &p;
            } else if (m_recordIds[slot(first + 1)] == p.id && plan[slot(first + 1)] == nullptr) {
                plan[slot(first + 1)] = &p;
            } else {
                newcomers.push_back(&p);
            }
        }
        for (const RecordedPenalty* p : newcomers) {
            int best = 0;
            int bestRank = 0;
            for (int clock = first; clock <= first + 1; ++clock) {
                if (plan[slot(clock)] != nullptr) {
                    continue;
                }
                int rank = 3; // dark, run out, or leaving the record's penalty
                const TimeValue shownTime = m_engine.clockValue(clock);
                if (m_recordIds[slot(clock)] == 0 && m_rules.onClock(clock)) {
                    // Typed on the board: the same penalty when it shows the record's time (typed at the
                    // stoppage it was given in) or the record's player (a resumed game's clock), else another
                    // one that keeps its clock while one is free.
                    const TimeValue off =
                        shownTime > p->remaining ? shownTime - p->remaining : p->remaining - shownTime;
                    const int player = m_state.penaltyPlayers[slot(clock)];
                    rank = off <= secondsToTime(1) || (player >= 0 && player == p->player) ? 4 : 1;
                } else if (m_recordIds[slot(clock)] == 0 && penaltyShown(clock) && shownTime > 0) {
                    rank = 2;
                }
                if (rank > bestRank) {
                    best = clock;
                    bestRank = rank;
                }
            }
            if (best != 0) {
                plan[slot(best)] = p;
            }
        }
    }
    bool changes = false;
    for (std::size_t i = 0; i < 4; ++i) {
        const std::uint64_t id = plan[i] != nullptr ? plan[i]->id : 0;
        const int player = plan[i] != nullptr ? plan[i]->player : -1;
        changes = changes || id != m_recordIds[i] || player != m_state.penaltyPlayers[i];
    }
    if (!changes) {
        return {};
    }
    return input([this, &plan] {
        for (int clock = 1; clock <= 4; ++clock) {
            const auto i = static_cast<std::size_t>(clock - 1);
            const RecordedPenalty* p = plan[i];
            const std::uint64_t id = p != nullptr ? p->id : 0;
            if (id != m_recordIds[i]) {
                if (p != nullptr) {
                    m_rules.giveUpClock(clock);
                    putPenaltyOnClock(clock, p->remaining);
                } else if (m_engine.clockValue(clock) > secondsToTime(1)) {
                    // Released or taken out of the record. One that ran out keeps showing 0:00 (the record may
                    // count its end a moment before the clock shows it).
                    clearPenalty(clock);
                }
                m_recordIds[i] = id;
            }
            game::setPenaltyPlayer(m_state, clock, p != nullptr ? p->player : -1);
        }
        m_state.rules.penalties = m_rules.state();
        showPenaltyLights();
    });
}

BoardEffects Scorekeeper::tick() {
    return input([this] {
        // A firing means the tick is on, however it was enabled.
        m_tickOn = true;
        const TimeValue v = m_engine.clockValue(0);
        if (m_state.timeOfDay) {
            showTimeOfDay();
        } else {
            showClock(v);
        }
        if (v > 0) {
            m_state.zeroBuzzed = false;
        } else if (m_state.intermission) {
            endIntermission();
        } else {
            m_tickOn = false;
            effect(BoardEffect::Kind::StopTick);
            stopPenaltyClocksAtGameZero();
            if (!m_state.zeroBuzzed) {
                m_state.zeroBuzzed = true;
                buzzAtZero();
            }
        }
        for (int n = 1; n <= 4; ++n) {
            if (penaltyShown(n)) {
                showPenaltyTime(n, m_engine.clockValue(n));
            }
        }
        if (rulesOn()) {
            // A penalty clock that has reached 0:00 may start the team's oldest waiting penalty.
            applyRules(m_rules.clocksRead(penaltyReadings(), gameMoment()), 0);
        }
        showPenaltyLights();
        scheduleNextTick();
    });
}

BoardEffects Scorekeeper::minutePassed() {
    return input([this] {
        if (m_state.timeOfDay) {
            showTimeOfDay();
            armMinuteWake();
        }
    });
}

BoardEffects Scorekeeper::optionsChanged() {
    return input([this] {
        m_rules.setMinorLength(m_settings.MinorLength);
        if (rulesOn()) {
            adoptShownPenalties();
        } else {
            // The clocks the record ran go on as plain penalty clocks.
            m_recordIds.fill(0);
            // Without the rules there are no intermissions: the game clock goes on as a plain clock.
            m_state.intermission = false;
        }
        updateNumLock();
        showPenaltyLights();
        effect(BoardEffect::Kind::TickSoon);
    });
}

BoardEffects Scorekeeper::soundEnded(Sound sound) {
    return input([this, sound] {
        int& plays = m_plays[static_cast<std::size_t>(sound)];
        if (plays > 0) {
            --plays;
        }
        if (plays > 0) {
            // The end of a playback cut short; the device is playing again.
            return;
        }
        if (m_soundPlaying == sound || !m_soundPlaying) {
            m_buzzerPlaying = false;
            m_soundPlaying.reset();
        }
        BoardEffect e;
        e.kind = BoardEffect::Kind::SoundEnded;
        e.sound = sound;
        m_effects.push_back(e);
    });
}

BoardEffects Scorekeeper::resume(const game::GameState& saved) {
    return input([this, &saved] {
        game::GameState s = saved;
        for (ClockRecord& c : s.clocks) {
            c.running = false;
        }
        m_engine.restore(s.clocks);
        m_engine.resetTime = s.resetTime;
        m_engine.entryText.clear();
        m_engine.entryOwner.clear();
        m_runningOnTheirOwn.fill(false);
        // The record names its penalties' clocks again once it has followed the saved game.
        m_recordIds.fill(0);
        // The journal's reader has let through only a rules' state the rules could have made.
        m_rules = PenaltyRules::fromState(s.rules.penalties).value_or(PenaltyRules{});
        m_rules.setMinorLength(m_settings.MinorLength);
        const bool wasShowingTimeOfDay = m_state.timeOfDay;
        m_state = s;
        m_state.timeOfDay = wasShowingTimeOfDay;
        setTimeOfDayShown(s.timeOfDay);
        if (s.timeOfDay) {
            showTimeOfDay();
        }
        m_state.selected = s.selected.value_or(game::Field::TimeBack);
        if (rulesOn()) {
            adoptShownPenalties();
        } else {
            m_state.intermission = false;
        }
        // The tick goes on drawing from the engine, which now holds the saved values.
        startTick();
    });
}

BoardEffects Scorekeeper::stopTick() {
    return input([this] {
        m_tickOn = false;
        effect(BoardEffect::Kind::StopTick);
    });
}

BoardEffects Scorekeeper::startIntermission() {
    return input([this] { beginIntermission(); });
}

BoardEffects Scorekeeper::playBuzzer() {
    return input([this] {
        if (m_soundLoaded && m_soundLoaded(Sound::Buzzer) && !m_buzzerPlaying) {
            playSound(Sound::Buzzer);
        }
    });
}

BoardEffects Scorekeeper::playHorn() {
    return input([this] {
        if (m_soundLoaded && m_soundLoaded(Sound::Horn) && !m_buzzerPlaying) {
            playSound(Sound::Horn);
        }
    });
}

// ---- Keys ---------------------------------------------------------------------------------------------------

void Scorekeeper::handleCommandKey(int keyCode) {
    const SettingsVariables& s = m_settings;
    if (keyCode == s.StartStopClockKey) {
        setTimeOfDayShown(false);
        m_runningOnTheirOwn.fill(false);
        if (m_state.intermission) {
            // The intermission's countdown alone: the penalty clocks stay frozen until play.
            if (m_engine.isClockRunning(0)) {
                m_engine.stopClock(0);
                showStoppedClocks();
            } else {
                m_engine.startClock(0);
                startTick();
            }
        } else if (m_engine.isClockRunning(0)) {
            for (int n = 0; n < kClockCount; ++n) {
                m_engine.stopClock(n);
            }
            showStoppedClocks();
        } else {
            for (int n = 0; n < kClockCount; ++n) {
                m_engine.startClock(n);
            }
            startTick();
        }
    } else if (keyCode == s.ResetClockKey) {
        if (m_engine.isClockRunning(0)) {
            handleCommandKey(s.StartStopClockKey);
        }
        // Reset calls an intermission off: the period stays as it is.
        m_state.intermission = false;
        m_engine.setClock(m_engine.resetTime, 0, 0);
        showClock(m_engine.clockValue(0));
        setTimeOfDayShown(false);
    } else if (keyCode == s.ClockSwitchKey) {
        setTimeOfDayShown(!m_state.timeOfDay);
        // Show the other view at once: after the game clock has run out the tick is off, and the intermission
        // is exactly when the time of day is wanted.
        if (m_state.timeOfDay) {
            showTimeOfDay();
        } else {
            showClock(m_engine.clockValue(0));
        }
    } else if (keyCode == s.BuzzerKey) {
        playBuzzer();
    } else if (keyCode == s.HornKey) {
        playHorn();
    } else if (keyCode == kF1) {
        effect(BoardEffect::Kind::OpenHelp);
    } else if (keyCode == kF2) {
        effect(BoardEffect::Kind::OpenOptions);
    } else if (keyCode == kF3 && rulesOn()) {
        effect(BoardEffect::Kind::OpenGameSheet);
    } else if (keyCode == kF4 && rulesOn()) {
        beginIntermission();
    }
    // Every key can change what the tick draws (a typed time, a start or stop, a cleared penalty, new options):
    // the tick runs once as soon as the key has been handled, and schedules itself from what it reads.
    effect(BoardEffect::Kind::TickSoon);
}

int Scorekeeper::characterOf(int keyCode) const {
    return ::keyCodeToAsci(static_cast<std::int16_t>(keyCode), m_settings.ClearKey);
}

void Scorekeeper::clockFieldKeyDown(int keyCode) {
    handleCommandKey(keyCode);
    const TimeValue t = m_engine.enterTimeKey(entryOwner(game::DigitGroup::Time), characterOf(keyCode), 5999);
    if (t != kNoTime) {
        if (m_engine.isClockRunning(0)) {
            handleCommandKey(m_settings.StartStopClockKey);
        }
        m_engine.setClock(t, 0, 0);
        // A time typed during an intermission is what is left of it; the period's length stays the reset time.
        if (!m_state.intermission) {
            m_engine.resetTime = t;
        }
        showClock(m_engine.clockValue(0));
    }
}

void Scorekeeper::numberFieldKeyDown(game::DigitGroup group, int keyCode, int min, int max) {
    handleCommandKey(keyCode);
    std::vector<int> captions = game::digitsOf(m_state, group);
    m_digitEntry.enterDigitKey(entryOwner(group), captions, characterOf(keyCode), min, max);
    game::setDigits(m_state, group, captions);
}

void Scorekeeper::scoreKeyDown(Team team, int keyCode) {
    const auto& digits = team == Team::Home ? m_state.homeDigits : m_state.visitorDigits;
    const int before = game::numberShown(digits.data(), 2);
    numberFieldKeyDown(team == Team::Home ? game::DigitGroup::Home : game::DigitGroup::Visitor, keyCode, -1, 99);
    scoreKeyed(team, before, game::numberShown(digits.data(), 2));
}

void Scorekeeper::periodKeyDown(int keyCode) {
    const int before = game::numberShown(m_state.periodDigits.data(), 1);
    numberFieldKeyDown(game::DigitGroup::Period, keyCode, 0, 9);
    const int after = game::numberShown(m_state.periodDigits.data(), 1);
    if (rulesOn() && after != before) {
        SheetEvent e;
        e.kind = SheetEvent::Kind::Period;
        e.at = gameMoment();
        m_state.rules.note(e);
    }
}

void Scorekeeper::goalFieldKeyDown(int keyCode) {
    handleCommandKey(keyCode);
    if (keyCode == kLeft) {
        m_state.whoGoal = 1;
    } else if (keyCode == kRight) {
        m_state.whoGoal = 2;
    } else if (keyCode == kDown) {
        m_state.whoGoal = 0;
    }
}

void Scorekeeper::penaltyKeyDown(int n, int keyCode) {
    const auto slot = static_cast<std::size_t>(n);
    if (keyCode == m_settings.ClearKey) {
        clearPenalty(n);
        if (rulesOn()) {
            applyRules(m_rules.cleared(n, penaltyReadings(), gameMoment()), n);
        }
    }
    handleCommandKey(keyCode);
    // Penalty time is frozen through an intermission: the independent-clock key does nothing then.
    if (keyCode == m_settings.SepTimeKey && !m_state.intermission) {
        if (m_engine.isClockRunning(n)) {
            m_engine.stopClock(n);
            m_runningOnTheirOwn[slot] = false;
            showStoppedClocks();
        } else {
            // Started during play it runs with the game and stops at the game clock's zero like the others; only
            // one started while the game is stopped (or has run out) runs on its own through the stoppage.
            const bool onItsOwn = !gameClockRuns();
            m_engine.startClock(n);
            m_runningOnTheirOwn[slot] = onItsOwn;
            startTick();
        }
    }
    TimeValue v = m_engine.enterTimeKey(entryOwner(penaltyGroup(n)), characterOf(keyCode), 599);
    if (v != kNoTime) {
        v = roundToWholeSecondsHalfEven(v);
        m_engine.setClock(v, 0, n);
        m_runningOnTheirOwn[slot] = false;
        showPenaltyTime(n, m_engine.clockValue(n));
        showPenaltyLights();
        if (rulesOn()) {
            applyRules(m_rules.typedTime(n, v, penaltyReadings(), gameMoment()), n);
        }
    } else if (keyCode == kInsert && rulesOn() && keyCode != m_settings.ClearKey && !isCommandKey(keyCode)) {
        addPenalty(n);
    }
}

// ---- Clocks -------------------------------------------------------------------------------------------------

void Scorekeeper::showClock(TimeValue t) {
    const GameClockFace face = gameClockFace(t);
    m_state.timeDigits = face.captions;
    m_state.colon = face.upperDotLit;
}

void Scorekeeper::showTimeOfDay() {
    const WallTime now = m_wallClock ? m_wallClock() : WallTime{};
    int hour = now.hour;
    if (now.twelveHour) {
        hour = hour % 12 == 0 ? 12 : hour % 12;
    }
    const GameClockFace face = timeOfDayFace(hour, now.minute);
    m_state.timeDigits = face.captions;
    m_state.colon = face.upperDotLit;
}

void Scorekeeper::setTimeOfDayShown(bool shown) {
    const bool wasShowingTimeOfDay = m_state.timeOfDay;
    m_state.timeOfDay = shown;
    if (shown) {
        armMinuteWake();
    } else {
        effect(BoardEffect::Kind::StopMinuteWake);
        if (wasShowingTimeOfDay && !m_tickOn) {
            showClock(m_engine.clockValue(0));
        }
    }
}

void Scorekeeper::armMinuteWake() {
    const WallTime now = m_wallClock ? m_wallClock() : WallTime{};
    BoardEffect e;
    e.kind = BoardEffect::Kind::ArmMinuteWake;
    e.millis = millisToNextMinute(now.second, now.millisecond);
    m_effects.push_back(e);
}

bool Scorekeeper::penaltyShown(int clock) const {
    return m_state.penaltyDigits[static_cast<std::size_t>(clock - 1)][0] >= 0;
}

void Scorekeeper::showPenaltyTime(int clock, TimeValue t) {
    const std::array<int, 3> face = penaltyClockFace(t);
    m_state.penaltyDigits[static_cast<std::size_t>(clock - 1)] = face;
}

void Scorekeeper::showPenaltyLights() {
    for (int n = 1; n <= 4; ++n) {
        m_state.penaltyLights[static_cast<std::size_t>(n - 1)] = m_engine.clockValue(n) > 0;
    }
}

void Scorekeeper::clearPenalty(int clock) {
    std::vector<int> captions = game::digitsOf(m_state, penaltyGroup(clock));
    number_entry::showNumber(captions, std::string(1, number_entry::kClearCharacter), -1, -1);
    game::setDigits(m_state, penaltyGroup(clock), captions);
    m_engine.setClock(0, 0, clock);
    m_runningOnTheirOwn[static_cast<std::size_t>(clock)] = false;
    showPenaltyLights();
}

void Scorekeeper::showStoppedClocks() {
    // A stop keeps the time up to the key, which can lie between two of the tick's readings: the board shows what
    // was kept at once, also while the tick is off after the game clock's zero.
    if (!m_state.timeOfDay) {
        showClock(m_engine.clockValue(0));
    }
    for (int n = 1; n <= 4; ++n) {
        if (penaltyShown(n)) {
            showPenaltyTime(n, m_engine.clockValue(n));
        }
    }
}

void Scorekeeper::stopPenaltyClocksAtGameZero() {
    // Penalty time runs only with game time: at the game clock's zero the penalty clocks stop, charged up to
    // this moment, so nothing read during the stoppage can take time off a player's penalty. The next start
    // of the game starts them again. A clock started on its own with the independent-clock key keeps running.
    for (int n = 1; n <= 4; ++n) {
        if (!m_runningOnTheirOwn[static_cast<std::size_t>(n)]) {
            m_engine.clockValue(n);
            m_engine.stopClock(n);
        }
    }
}

bool Scorekeeper::gameClockRuns() {
    return m_engine.isClockRunning(0) != 0 && m_engine.peekClockValue(0) > 0;
}

void Scorekeeper::startTick() {
    m_tickOn = true;
    effect(BoardEffect::Kind::StartTick);
}

void Scorekeeper::scheduleNextTick() {
    if (!m_tickOn) {
        return;
    }
    // Every running clock's reading turns at the same whole tenths of the engine's clock; the tick wakes at the
    // first one where something it draws changes: the game clock's face (also behind the time of day, for its
    // zero), a drawn penalty clock's face, a penalty light going out.
    const std::int64_t now = m_engine.source().nowMillis();
    std::optional<std::int64_t> next;
    if (m_engine.isClockRunning(0)) {
        next = nextShownChangeMillis(now, m_engine.peekClockValueAt(0, now), ClockDisplay::GameClock);
    }
    for (int n = 1; n <= 4; ++n) {
        const TimeValue v = m_engine.peekClockValueAt(n, now);
        if (m_engine.isClockRunning(n) && (penaltyShown(n) || v > 0)) {
            next = earlierOf(next, nextShownChangeMillis(now, v, ClockDisplay::PenaltyClock));
        }
    }
    BoardEffect e;
    e.kind = next ? BoardEffect::Kind::TickAt : BoardEffect::Kind::TickSleep;
    e.millis = next.value_or(0);
    m_effects.push_back(e);
}

void Scorekeeper::updateNumLock() {
    if (m_settings.NumLockForce == 1 || m_settings.NumLockForce == 2) {
        BoardEffect e;
        e.kind = BoardEffect::Kind::SetNumLock;
        e.on = m_settings.NumLockForce == 1;
        m_effects.push_back(e);
    }
}

// ---- Sounds -------------------------------------------------------------------------------------------------

void Scorekeeper::playSound(Sound sound) {
    m_buzzerPlaying = true;
    m_soundPlaying = sound;
    ++m_plays[static_cast<std::size_t>(sound)];
    BoardEffect e;
    e.kind = BoardEffect::Kind::PlaySound;
    e.sound = sound;
    m_effects.push_back(e);
}

void Scorekeeper::cutPlayingSoundFor(Sound sound) {
    // A sound still playing (the horn, a long buzzer) is cut short when `sound` is loaded to take its place. Its
    // device still reports the end of the playback that was cut, which then changes nothing.
    if (m_soundLoaded && m_soundLoaded(sound) && m_buzzerPlaying) {
        if (m_soundPlaying) {
            BoardEffect e;
            e.kind = BoardEffect::Kind::CutSound;
            e.sound = *m_soundPlaying;
            m_effects.push_back(e);
        }
        m_buzzerPlaying = false;
        m_soundPlaying.reset();
    }
}

void Scorekeeper::buzzAtZero() {
    // The end of play is the one signal that is never lost.
    cutPlayingSoundFor(Sound::Buzzer);
    playBuzzer();
}

// ---- Intermission -------------------------------------------------------------------------------------------

void Scorekeeper::refuseAtClock(const std::string& text) {
    effect(BoardEffect::Kind::Beep);
    BoardEffect e;
    e.kind = BoardEffect::Kind::Refuse;
    e.field = game::Field::TimeBack;
    e.text = text;
    m_effects.push_back(e);
}

void Scorekeeper::beginIntermission() {
    if (!rulesOn()) {
        return;
    }
    if (m_state.intermission) {
        refuseAtClock(QT_TRANSLATE_NOOP("Scorekeeper", "The intermission is already running."));
        return;
    }
    if (m_engine.clockValue(0) > 0) {
        refuseAtClock(QT_TRANSLATE_NOOP("Scorekeeper", "An intermission starts once the period's time is up."));
        return;
    }
    // Every penalty clock keeps what it shows until play goes on, also one running on its own.
    for (int n = 1; n <= 4; ++n) {
        m_engine.stopClock(n);
    }
    m_runningOnTheirOwn.fill(false);
    m_state.intermission = true;
    m_engine.setClock(m_settings.IntermissionLength > 0 ? m_settings.IntermissionLength : kIntermissionLengthDefault, 0,
                      0);
    m_engine.startClock(0);
    showStoppedClocks();
    startTick();
}

void Scorekeeper::endIntermission() {
    m_state.intermission = false;
    m_state.zeroBuzzed = false;
    // The horn calls the teams back; a sound still playing is cut short for it.
    cutPlayingSoundFor(Sound::Horn);
    playHorn();
    const int before = game::numberShown(m_state.periodDigits.data(), 1);
    const int after = std::min(before + 1, kLastPeriod);
    m_state.periodDigits[0] = after;
    if (after != before) {
        SheetEvent e;
        e.kind = SheetEvent::Kind::Period;
        e.at = gameMoment();
        m_state.rules.note(e);
    }
    m_state.resetTime = m_engine.resetTime;
    m_engine.stopClock(0);
    m_engine.setClock(game::nextPeriodLength(m_state), 0, 0);
    if (!m_state.timeOfDay) {
        showClock(m_engine.clockValue(0));
    }
}

// ---- Penalty rules ------------------------------------------------------------------------------------------

PenaltyReadings Scorekeeper::penaltyReadings() {
    PenaltyReadings r{};
    for (int n = 1; n <= 4; ++n) {
        // A dark clock holds no penalty, whatever its engine clock says.
        r[static_cast<std::size_t>(n - 1)] = penaltyShown(n) ? m_engine.clockValue(n) : 0;
    }
    return r;
}

void Scorekeeper::adoptShownPenalties() {
    // Penalties on the clocks that the rules do not hold (typed while the option was off) become theirs, each of
    // the kind its time left says.
    for (int n = 1; n <= 4; ++n) {
        const TimeValue left = penaltyReadings()[static_cast<std::size_t>(n - 1)];
        if (left > 0 && !m_rules.onClock(n) && m_recordIds[static_cast<std::size_t>(n - 1)] == 0) {
            applyRules(m_rules.typedTime(n, left, penaltyReadings(), gameMoment()), n);
        }
    }
}

GameMoment Scorekeeper::gameMoment() {
    return GameMoment{game::numberShown(m_state.periodDigits.data(), 1), m_engine.clockValue(0)};
}

void Scorekeeper::addPenalty(int n) {
    // Insert ends the typed time as Enter would, but adds the penalty instead of replacing the clock's time.
    TimeValue v = m_engine.enterTimeKey(entryOwner(penaltyGroup(n)), kEnter, 599);
    if (v == kNoTime) {
        return;
    }
    v = roundToWholeSecondsHalfEven(v);
    applyRules(m_rules.addPenalty(teamOfClock(n), v, n, penaltyReadings(), gameMoment()), n);
}

void Scorekeeper::scoreKeyed(Team team, int before, int after) {
    // A score field's number changed by a key: the game sheet notes it and the rules look for a goal.
    if (!rulesOn() || before == after) {
        return;
    }
    SheetEvent e;
    e.kind = SheetEvent::Kind::Score;
    e.at = gameMoment();
    e.team = team;
    e.scoreBefore = before;
    e.scoreAfter = after;
    m_state.rules.note(e);
    applyRules(m_rules.scoreChanged(team, before, after, penaltyReadings(), e.at), 0);
}

void Scorekeeper::putPenaltyOnClock(int clock, TimeValue time) {
    // On the clock as a typed penalty, running while the game clock runs.
    m_engine.setClock(time, 0, clock);
    m_runningOnTheirOwn[static_cast<std::size_t>(clock)] = false;
    if (m_engine.isClockRunning(0) != 0 && m_engine.clockValue(0) > 0 && !m_state.intermission) {
        m_engine.startClock(clock);
        // The tick looks again at once and schedules itself from the clocks it now reads.
        m_tickOn = true;
        effect(BoardEffect::Kind::WakeTick);
    }
    showPenaltyTime(clock, m_engine.clockValue(clock));
}

void Scorekeeper::applyRules(const PenaltyOutcome& outcome, int clock) {
    if (outcome.refusal) {
        // Told beside the field it was typed in; the board itself goes on unchanged.
        effect(BoardEffect::Kind::Beep);
        if (clock >= 1 && clock <= 4) {
            BoardEffect e;
            e.kind = BoardEffect::Kind::Refuse;
            e.field = penaltyField(clock);
            e.text = *outcome.refusal;
            m_effects.push_back(e);
        }
    }
    for (const ClockAction& a : outcome.actions) {
        if (a.clock < 1 || a.clock > 4) {
            continue;
        }
        if (a.kind == ClockAction::Kind::Clear) {
            clearPenalty(a.clock);
            continue;
        }
        putPenaltyOnClock(a.clock, a.time);
    }
    if (!outcome.actions.empty()) {
        showPenaltyLights();
    }
    m_state.rules.penalties = m_rules.state();
    for (const PenaltyEvent& e : outcome.events) {
        SheetEvent entry;
        entry.kind = SheetEvent::Kind::Penalty;
        entry.at = e.at;
        entry.team = e.team;
        entry.penalty = e;
        m_state.rules.note(entry);
    }
}
