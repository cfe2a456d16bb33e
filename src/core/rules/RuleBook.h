#pragma once
#include "core/TimeValue.h"
#include "core/rules/PenaltyRules.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

// Penalties as the hockey rule books count them: the off-ice official's model of who sits in the penalty box,
// how many skaters each team has on the ice, which penalty a goal ends and when each one ends on the game clock.
// It keeps its own game clock and penalty time (the board tells it how much the game clock ran), so it needs no
// penalty clock of the board: the board may show what it answers.
//
// Rules as built:
// - Kinds: minor (the minor's length, a setting: 2:00, 1:30 in youth hockey), bench minor (a minor served by a
//   named player), double minor (two minors back to back), major (5:00), major and minor to one player (one
//   clock, the major first, then the minor), misconduct (10:00 of its own, never changes the strength), game
//   misconduct and match penalty (recorded, no clock). A match penalty's time served by a teammate is entered as
//   a major served by that teammate.
// - A stoppage: every penalty given with no play and no goal between them. Within a stoppage minors go in before
//   majors, so with one place left the minor runs and the major waits.
// - Coincident penalties: at one stoppage, equal penalties to both teams (minor against minor or bench minor,
//   double minor against double minor, major against major, major-and-minor against major-and-minor) pair off,
//   the earliest given first. Paired penalties are served with substitutes: their time runs, but they change no
//   strength, never wait and never end on a goal. The official can mark or unmark any penalty as coincident.
//   One exception (the "four on four" setting, on by default): one minor to each team and nothing else at that
//   stoppage, with neither team short-handed nor waiting before it, is served without substitutes (4-on-4); the
//   pair still never ends on a goal.
// - One player's penalties are served one after the other: a penalty to a player (or served by one) already
//   serving or waiting to serve one waits for it, and a major and a minor to one player at one stoppage serve
//   the major first. A misconduct starts once the player's own penalties with a strength clock have ended,
//   whoever serves those.
// - Strength: each team has five skaters less one for each penalty that reduces its strength and runs; at most
//   two (three skaters). A third reducing penalty waits and starts, with its full time, when one ends.
// - A goal by a team with more skaters than its opponent ends the opponent's running non-coincident minor with
//   the least time left in its current minor: a double minor in its first minor is cut to its second; a major
//   and minor ends once the major has run out. Equal times: the one given first, unless the official chooses
//   another of the tied ones. A penalty-shot goal ("no release") ends nothing. A release can be undone; later
//   play is counted again as if the goal had ended nothing.
// - Game clock: counts down the period; penalties run only while it runs in play. An intermission, started once
//   the period's time is up, is counted down on the game clock while every penalty stays frozen; at its end the
//   period goes up by one and the game clock shows the period's length, stopped.
// - Not told apart: a double minor against a single minor pairs nothing by itself; the official gives the
//   double minor as two minors to the player and marks which one is coincident. Goals into an empty net count
//   as even strength here; the caller knows whether a goalkeeper was pulled.
//
// Everything the official enters is kept as a list of entries and the model is that list played through, so an
// undone release or a corrected coincident mark counts the whole game again from the start.

enum class BookKind { Minor, BenchMinor, DoubleMinor, Major, MajorAndMinor, Misconduct, GameMisconduct, Match };

// "minor", "bench minor", "double minor", "major", "major and minor", "misconduct", "game misconduct", "match"
const char* bookKindName(BookKind kind);
// Penalty minutes on the game sheet (minor 2 whatever its length in play, 4, 5, 7, 10, 10, 25 for a match).
int penaltyMinutes(BookKind kind);

inline constexpr TimeValue kYouthMinorTime = secondsToTime(90);
inline constexpr TimeValue kMisconductTime = secondsToTime(600);
inline constexpr TimeValue kDefaultPeriodLength = secondsToTime(std::int64_t{20} * 60);
inline constexpr TimeValue kDefaultIntermissionLength = secondsToTime(std::int64_t{15} * 60);
inline constexpr int kFullStrength = 5;
inline constexpr int kFewestSkaters = 3;

struct RuleBookSettings {
    TimeValue minorLength = kMinorTime;
    TimeValue periodLength = kDefaultPeriodLength;
    TimeValue intermissionLength = kDefaultIntermissionLength;
    bool fourOnFour = true;
};

// The time a penalty runs (0 for one with no clock).
TimeValue bookPenaltyLength(BookKind kind, TimeValue minorLength);
// A time on the game sheet: a remaining time rounded up to the whole second (0:30.4 left is written 0:31).
TimeValue roundUpToWholeSecond(TimeValue t);
// The elapsed time in the period as game sheets write it, from the game clock's remaining time.
TimeValue elapsedInPeriod(TimeValue periodLength, TimeValue remaining);

// The game clock: the period, its time left, and whether it is counting an intermission.
struct GameClock {
    int period = 1;
    TimeValue remaining = kDefaultPeriodLength;
    bool intermission = false;
    bool operator==(const GameClock&) const = default;
};

struct ClockRun {
    GameClock clock;
    TimeValue played = 0;          // play time the penalties count (0 in an intermission)
    bool periodOver = false;       // play reached 0:00 in this run
    bool intermissionOver = false; // the horn: the next period is ready, stopped
};
// The game clock after `elapsed` of running time from `from`. It stops at 0:00; an intermission's end turns it
// into the next period, stopped at its full length.
ClockRun runGameClock(const GameClock& from, TimeValue elapsed, const RuleBookSettings& settings);

struct PenaltyCall {
    Team team = Team::Home;
    BookKind kind = BookKind::Minor;
    int player = 0;   // 0: none (a bench minor)
    int servedBy = 0; // 0: the player serves it
    std::string infraction;
};

enum class BookState { Waiting, Running, RanOut, Released, Recorded };
// "waiting", "running", "ran out", "released", "recorded"
const char* bookStateName(BookState state);

struct BookPenalty {
    std::uint64_t id = 0; // order given, from 1
    PenaltyCall call;
    GameClock given;
    TimeValue length = 0;
    TimeValue remaining = 0;
    BookState state = BookState::Waiting;
    bool coincident = false;          // as counted (the automatic reading or the official's mark)
    bool withoutSubstitute = false;   // a coincident pair served 4-on-4
    bool behindOwn = false;           // waits for the same player's earlier penalty, not for a place
    std::uint64_t followOrder = 0;    // while behindOwn: the order such penalties start in
    std::uint64_t startOrder = 0;     // the order penalties went on the clock
    std::optional<GameClock> started; // when it went on the clock
    std::optional<GameClock> ended;   // when it ran out or was released
    // Whether it takes a skater off the ice while it runs.
    bool reducesStrength() const;
};

struct Strength {
    int home = kFullStrength;
    int visitor = kFullStrength;
    bool operator==(const Strength&) const = default;
};
// "5-on-4": the home team's skaters first.
std::string strengthText(Strength strength);
// "EV", "PP" or "SH" for a goal by the team at that strength.
const char* goalStrengthLabel(Strength strength, Team scorer);

struct GoalRelease {
    bool noRelease = false;              // a penalty-shot goal
    std::optional<std::uint64_t> choice; // one of penalties tied for least time
};

struct GoalOutcome {
    std::string strength; // "EV", "PP" or "SH", as it was when the goal was scored
    std::optional<std::uint64_t> released;
    bool cutToSecondMinor = false;      // a double minor goes on with its second minor
    std::vector<std::uint64_t> tied;    // penalties tied for least time (two or more): the official may choose
    std::optional<std::string> refusal; // a choice that was not among the tied penalties (the first was taken)
};

class RuleBook {
public:
    explicit RuleBook(RuleBookSettings settings = {});

    const RuleBookSettings& settings() const { return m_settings; }
    // New game: nothing given, period 1 at its full length.
    void reset();

    // A penalty given at the current stoppage; answers its id.
    std::uint64_t give(const PenaltyCall& call);
    // The official's reading of whether a penalty is coincident, over the automatic one; clearMark goes back to
    // the automatic reading. False for an unknown id.
    bool markCoincident(std::uint64_t id, bool coincident);
    bool clearMark(std::uint64_t id);
    GoalOutcome goal(Team scorer, GoalRelease how = {});
    // Undoes the release of the latest goal that released something; false when there is none.
    bool undoLastRelease();
    // The game clock ran for `elapsed` (play, or the intermission).
    ClockRun run(TimeValue elapsed);
    // Starts the intermission once the period's time is up; false (nothing changes) while time is left.
    bool startIntermission();

    const GameClock& clock() const { return m_clock; }
    Strength strength() const;
    const std::vector<BookPenalty>& penalties() const { return m_penalties; }
    const BookPenalty* penalty(std::uint64_t id) const;
    // The team's penalties waiting for a place, the first to start first.
    const std::vector<std::uint64_t>& queue(Team team) const { return m_queues[team == Team::Home ? 0 : 1]; }
    // The running penalties a team's `places` penalty clocks show: those that take a skater off, first on first,
    // then the others with a clock (coincident, misconduct), least time left first.
    std::vector<std::uint64_t> shownOnClocks(Team team, std::size_t places = 2) const;
    // The team's penalty minutes as the game sheet totals them.
    int penaltyMinutesOf(Team team) const;
    // What each goal released, in order, as counted now (an undone release counts as none).
    const std::vector<GoalOutcome>& goals() const { return m_goals; }
    // Where a running penalty ends on the game clock if nothing ends it earlier (the next period when the time
    // left is longer than the period's); nothing for a penalty not running.
    std::optional<GameClock> endsAt(const BookPenalty& penalty) const;

    // The official's entries, in order, for a record kept elsewhere.
    struct Entry {
        enum class Kind { Penalty, Play, Goal, Intermission };
        Kind kind = Kind::Play;
        PenaltyCall call;         // Penalty
        TimeValue elapsed = 0;    // Play
        Team scorer = Team::Home; // Goal
        GoalRelease how;          // Goal
        bool undone = false;      // Goal: its release was undone
    };
    const std::vector<Entry>& entries() const { return m_entries; }
    const std::map<std::uint64_t, bool>& marks() const { return m_marks; }
    // The rules holding entries kept elsewhere, played through. Values no entry could hold are made harmless:
    // negative numbers and times count as none, a mark of a penalty never given is left out.
    static RuleBook restored(RuleBookSettings settings, std::vector<Entry> entries,
                             const std::map<std::uint64_t, bool>& marks);

private:
    void replay();
    void applyGroup(std::size_t firstEntry, std::size_t endEntry);
    void start(BookPenalty& penalty);
    void startWaiting(Team team);
    void startFollowing(Team team);
    bool blocked(const BookPenalty& penalty) const;
    ClockRun play(TimeValue elapsed);
    GoalOutcome score(Team scorer, const GoalRelease& how);
    int reducing(Team team) const;
    BookPenalty* find(std::uint64_t id);

    RuleBookSettings m_settings;
    std::vector<Entry> m_entries;
    std::map<std::uint64_t, bool> m_marks;
    // played through from the entries
    GameClock m_clock;
    std::vector<BookPenalty> m_penalties;
    std::vector<GoalOutcome> m_goals;
    std::array<std::vector<std::uint64_t>, 2> m_queues{}; // home, visitor: waiting ids, first to start first
    std::uint64_t m_startOrder = 0;
    std::uint64_t m_followOrder = 0; // order of waiting for one's own earlier penalty
    bool m_lastRunStopped = true;    // the latest run ended a period or an intermission (no joining runs over it)
};
