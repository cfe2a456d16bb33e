#pragma once
#include "core/TimeValue.h"
#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

// The penalty rules of the game, applied to the board's four penalty clocks when "Apply penalty rules" is on.
// The unit keeps its own record of which penalty sits on which clock and which wait; the board tells it what
// the clocks read and what happened, and carries out the clock actions it answers. It never reads or runs a
// clock itself.
//
// Rules as built, and the readings chosen where the game's rules leave room:
// - Kinds follow the typed time: exactly 2:00 a minor, 4:00 a double minor (two minors back to back on one
//   clock), 5:00 a major, any other time "timed" (runs its time, never ends on a goal). 0:00 and anything over
//   9:59 (the board's penalty limit) are refused as a new penalty.
// - Live penalty: one on a clock whose reading is above 0:00. A clock at 0:00 (run out, still lit) or dark is
//   free. A team never has more than two live penalties; a penalty added (Insert) goes on the field it was
//   typed in when that clock is free, else on the team's other free clock, else it waits in the team's queue
//   (at most kMaxQueued). Queued penalties keep their full time until they start.
// - Expiry: a live penalty whose clock reads 0:00 has run out. The clock keeps showing 0:00 as on a board
//   without the rules, unless the team has a queued penalty: the oldest one then goes on that clock with its
//   full time at once, and runs with the game clock. At the period's end (game clock 0:00) the queued penalty
//   is put on the clock then, stopped with the game, so it starts with the next period.
// - Short-handed by the count: a team is short-handed when it has more live penalties than the other team.
//   Only penalties on clocks count; queued ones do not (the team is never more than two players short), and a
//   major or a timed penalty counts like any other, since the board cannot tell who is on the ice. Coincident
//   penalties are not paired off: equal counts release nothing, and with 2 against 1 a goal ends one minor of
//   the team with two, whichever has least time left.
// - Release: a goal is a score that rose by exactly one (any other change is a correction and releases
//   nothing; a correction downward never brings a penalty back). If the scoring team's opponent is short-handed
//   by the count, its live minor with the least time left in its current two minutes ends. For a double minor
//   that is the time left minus 2:00 while more than 2:00 remain (the first minor is served), and a goal then
//   ends only the first minor: the clock is set to 2:00 and the second minor runs in full. With 2:00 or less
//   left the double minor is in its second minor and ends. Equal time left: the penalty added first ends
//   (the rulebooks' "first of such penalties"). Majors and timed penalties never end on a goal; if the
//   short-handed team has none but those, nothing ends. A released minor's clock goes dark, or takes the
//   team's oldest queued penalty.
// - Correction (Enter on a penalty field): the typed time replaces that clock's time, as it does without the
//   rules. A time no longer than the penalty's full time corrects the time left and keeps the kind (a double
//   minor corrected to 1:30 is in its second minor); a longer time is a new length, and the kind follows it as
//   on adding (2:00 minor, 4:00 double minor, 5:00 major, otherwise timed). 0:00 ends the penalty, like the
//   clear key, and a queued penalty takes the clock. Enter on a free clock puts a penalty of the typed time's
//   kind on that clock (never queued: the field was named).
// - Undoing a release: the first Enter on the clock of a release, before anything else is done on that clock,
//   undoes it: the released penalty comes back with its kind and the typed time, and a queued penalty that the
//   release started goes back to the head of its queue with its full time. The undo is recorded as such.
// - Every added, queued, started, released, run-out, corrected, cleared and restored penalty gives an event
//   record with the game moment, for the console's event list, the journal and the game sheet.

enum class Team { Home, Visitor };
enum class PenaltyKind { Minor, DoubleMinor, Major, Timed };

inline constexpr TimeValue kMinorTime = secondsToTime(120);
inline constexpr TimeValue kDoubleMinorTime = secondsToTime(240);
inline constexpr TimeValue kMajorTime = secondsToTime(300);
inline constexpr TimeValue kLongestPenalty = secondsToTime(599);
inline constexpr std::size_t kMaxQueued = 8;

// Board clock numbers of the penalty clocks: 1 and 2 home, 3 and 4 visitor.
inline constexpr int kFirstPenaltyClock = 1;
inline constexpr int kLastPenaltyClock = 4;

// The kind a typed time gives: the minor's length (2:00, or as set) a minor, two of them a double minor, 5:00 a
// major, any other time timed.
PenaltyKind penaltyKindOf(TimeValue typed, TimeValue minorLength = kMinorTime);
Team teamOfClock(int clock);
// "minor", "double minor", "major", "timed"
const char* penaltyKindName(PenaltyKind kind);
const char* teamName(Team team);

// When something happened: the period on the board and the game clock's reading (time left).
struct GameMoment {
    int period = 0;
    TimeValue gameClock = 0;
    bool operator==(const GameMoment&) const = default;
};

// What the four penalty clocks read now, clocks 1 to 4 at index 0 to 3.
using PenaltyReadings = std::array<TimeValue, 4>;

enum class PenaltyEventKind {
    Added,         // put on a clock when typed
    Queued,        // typed while the team had two live penalties
    QueuedStart,   // left the queue for a clock
    Released,      // ended (or, a double minor, cut to its second minor) by a goal
    Expired,       // its clock reached 0:00
    Corrected,     // a typed time replaced its time
    Cleared,       // cleared or corrected to 0:00
    ReleaseUndone, // brought back by typing its time on the clock of its release
    Requeued,      // went back to its queue when the release that started it was undone
};
const char* penaltyEventName(PenaltyEventKind kind);

struct PenaltyEvent {
    std::uint64_t serial = 0; // in order of happening, never reused within a game
    PenaltyEventKind kind = PenaltyEventKind::Added;
    Team team = Team::Home;
    int clock = 0; // 1..4; 0 while queued
    PenaltyKind penalty = PenaltyKind::Minor;
    std::uint64_t penaltyId = 0; // the same in every record of one penalty
    TimeValue fullTime = 0;
    TimeValue before = 0; // time on its clock before (full time for a queued one)
    TimeValue after = 0;  // time on its clock after (0 when it left the clock)
    GameMoment at;
    std::uint64_t undoes = 0; // ReleaseUndone: the serial of the release it undoes
    bool operator==(const PenaltyEvent&) const = default;
};

// What the board must do to its clocks.
struct ClockAction {
    enum class Kind {
        SetAndRun, // put `time` on the clock, lit, running with the game clock (stopped while the game is stopped)
        Clear,     // stop the clock and darken it
    };
    Kind kind = Kind::SetAndRun;
    int clock = 0;
    TimeValue time = 0;
    bool operator==(const ClockAction&) const = default;
};

struct PenaltyOutcome {
    std::vector<ClockAction> actions;
    std::vector<PenaltyEvent> events;
    std::optional<std::string> refusal; // told to the user; nothing changed
};

// A penalty held on a clock, as the console shows it.
struct PenaltyOnClock {
    std::uint64_t id = 0;
    PenaltyKind kind = PenaltyKind::Minor;
    TimeValue fullTime = 0;
    TimeValue remaining = 0; // as of the last reading
    bool operator==(const PenaltyOnClock&) const = default;
};

// A waiting penalty, as the console and the feed show it.
struct QueuedPenalty {
    std::uint64_t id = 0;
    PenaltyKind kind = PenaltyKind::Minor;
    TimeValue fullTime = 0;
    bool operator==(const QueuedPenalty&) const = default;
};

// Everything the rules hold, as plain data for the game's journal. The chance to undo a release is not kept:
// after a resume, typing a released penalty's time puts a new penalty on the clock.
struct PenaltyRulesState {
    std::array<std::optional<PenaltyOnClock>, 4> clocks{}; // clocks 1 to 4
    std::array<std::vector<QueuedPenalty>, 2> queues{};    // home, visitor; oldest first
    std::uint64_t nextId = 1;
    std::uint64_t nextSerial = 1;
    bool operator==(const PenaltyRulesState&) const = default;
};

class PenaltyRules {
public:
    PenaltyRulesState state() const;
    // Rules holding a saved state; nothing when the state could not have come from the rules (an unknown kind,
    // a time outside 0:01..9:59 or above its full time, too many queued, an id used twice or not below nextId).
    static std::optional<PenaltyRules> fromState(const PenaltyRulesState& state);

    // A penalty typed into one of the team's fields and ended with Insert; preferredClock is that field's clock.
    PenaltyOutcome addPenalty(Team team, TimeValue typed, int preferredClock, const PenaltyReadings& now,
                              GameMoment at);
    // A time typed into a penalty field and ended with Enter (the board has already put it on the clock).
    PenaltyOutcome typedTime(int clock, TimeValue typed, const PenaltyReadings& now, GameMoment at);
    // The clear key on a penalty field (the board has already darkened it).
    PenaltyOutcome cleared(int clock, const PenaltyReadings& now, GameMoment at);
    // A team's score changed from before to after (scores as numbers; a dark score counts 0).
    PenaltyOutcome scoreChanged(Team team, int before, int after, const PenaltyReadings& now, GameMoment at);
    // Each reading of the clocks (the tick): penalties whose clocks reached 0:00 run out.
    PenaltyOutcome clocksRead(const PenaltyReadings& now, GameMoment at);
    // A new game: nothing on the clocks, nothing queued.
    void reset();
    // The clock is taken over by a penalty the rules do not count (the official's record): what it held is
    // dropped without an event, and the clock is no longer the rules' to end or fill.
    void giveUpClock(int clock);
    // The minor penalty's length (2:00 unless set: 1:30 in youth hockey); a double minor is two of them. Penalties
    // already held keep their kind.
    void setMinorLength(TimeValue length) { m_minorLength = length > 0 ? length : kMinorTime; }

    std::optional<PenaltyOnClock> onClock(int clock) const;
    // The full times of the team's waiting penalties, oldest first.
    std::vector<TimeValue> queuedTimes(Team team) const;
    // Live penalties of the team as of the last reading.
    int livePenalties(Team team) const;

private:
    struct Held {
        std::uint64_t id = 0;
        PenaltyKind kind = PenaltyKind::Minor;
        TimeValue fullTime = 0;
        TimeValue remaining = 0;
    };
    struct Waiting {
        std::uint64_t id = 0;
        PenaltyKind kind = PenaltyKind::Minor;
        TimeValue fullTime = 0;
    };
    // What the first Enter on a clock after a release brings back.
    struct Undo {
        std::uint64_t releaseSerial = 0;
        Held released;                        // as it was just before the goal
        std::optional<std::uint64_t> started; // id of the queued penalty the release put on the clock
        bool cutOnly = false;                 // a double minor cut to its second minor stays on the clock
    };

    static std::size_t slot(int clock) { return static_cast<std::size_t>(clock - kFirstPenaltyClock); }
    static std::size_t side(Team team) { return team == Team::Home ? 0 : 1; }
    static bool validClock(int clock) { return clock >= kFirstPenaltyClock && clock <= kLastPenaltyClock; }
    static std::array<int, 2> clocksOf(Team team);

    PenaltyEvent event(PenaltyEventKind kind, int clock, Team team, std::uint64_t id, PenaltyKind penalty,
                       TimeValue fullTime, TimeValue before, TimeValue after, GameMoment at);
    bool live(int clock) const;
    void takeReadings(const PenaltyReadings& now);
    void expire(PenaltyOutcome& out, GameMoment at);
    // Puts the team's oldest queued penalty on the clock, if one waits; answers its id.
    std::optional<std::uint64_t> startQueued(int clock, PenaltyOutcome& out, GameMoment at);
    void undoRelease(int clock, TimeValue typed, PenaltyOutcome& out, GameMoment at);

    std::array<std::optional<Held>, 4> m_clocks{};
    std::array<std::deque<Waiting>, 2> m_queues{};
    std::array<std::optional<Undo>, 4> m_undo{};
    std::uint64_t m_nextId = 1;
    std::uint64_t m_nextSerial = 1;
    TimeValue m_minorLength = kMinorTime;
};
