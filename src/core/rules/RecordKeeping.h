#pragma once
#include "core/game/GameModel.h"
#include "core/rules/GameRecord.h"
#include "core/rules/RecordedPenalty.h"
#include "core/rules/RuleBook.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The official's record kept beside the board: the record's entries and the rule book that counts them.
//
// The rule book hears of penalties from the record, of goals from the board (a score going up by one, as the
// event list reads it; each such goal is written into the record at once, so that the record holds every goal
// the book counted) and of play from the game clock: the time the clock used between two states of the game
// while it ran. A period going up on the board ends the book's period (what was left of it counts as played)
// and its intermission, so the book's clock starts the new period at its length.
//
// A game brought back from its record file plays the standing goals and penalties through in game-clock order,
// the play between two of them counted from their times; a corrected entry keeps its place in the game.

// The game clock's time used between two states of the game while it ran (never negative; nothing when the
// clock was set or counts up, nor while either state counts an intermission).
TimeValue playBetween(const game::GameState& before, const game::GameState& after);
// The team whose score went up by exactly one, as the event list counts a goal (both: home first).
std::vector<Team> goalsBetween(const game::GameState& before, const game::GameState& after);
// The period on the board went up by one from a period that had started (1 or more).
bool periodAdvanced(const game::GameState& before, const game::GameState& after);
// The moment as the record writes it: the period shown (0 counts as 1) and the game clock's time left (0, the
// period's end, during an intermission).
RecordTime recordTimeOf(const game::GameState& state);

// A penalty still to be served or being served, as the console and the feed show it.
struct PenaltyView {
    std::uint64_t seq = 0; // the record entry
    std::uint64_t id = 0;  // the rule book's
    Team team = Team::Home;
    int player = 0;
    int servedBy = 0;
    std::string kind; // bookKindName
    std::string infraction;
    std::string state; // bookStateName
    TimeValue remaining = 0;
    std::optional<GameClock> endsAt;
    bool coincident = false;
};

class RecordKeeper {
public:
    explicit RecordKeeper(RuleBookSettings settings = {});
    // The record read back from its file, played through; `now` is where the board's game clock stands.
    static RecordKeeper fromRecord(const GameRecord& record, RuleBookSettings settings, std::optional<RecordTime> now);

    const GameRecord& record() const { return m_record; }
    const RuleBook& book() const { return m_book; }

    // Appends an entry and tells the book of it; answers the line for the file. A header sets the period's
    // length the book counts with; a goal counts with its penalty-shot mark and chosen release (a goal with no
    // strength gets the one on the ice: EV, PP, SH, or EN into an empty net); a correction takes the voided
    // entry out of the book.
    std::string append(RecordItem item);
    // Voids entry `seq` and puts `item` in its place in the game (the official's fuller goal, a penalty marked
    // coincident): answers the two lines, or none when `seq` does not stand.
    std::vector<std::string> replace(std::uint64_t seq, RecordItem item);
    // The board moved from one state to the next: play, a new period, goals (each written as a goal with no
    // scorer, `penaltyShot` for the next one). Answers the lines appended.
    std::vector<std::string> follow(const game::GameState& before, const game::GameState& after,
                                    bool penaltyShot = false);
    // Plays the book on to a board time (a later moment of the same or a later period).
    void catchUp(const RecordTime& to);
    void play(TimeValue elapsed);
    void nextPeriod();

    // The entry that stands with that sequence number.
    std::optional<RecordEntry> standingEntry(std::uint64_t seq) const;
    // The book's penalty counted from a record entry, and back.
    std::optional<std::uint64_t> penaltyIdOf(std::uint64_t seq) const;
    // The latest standing goal entry.
    std::optional<RecordEntry> latestGoal() const;
    // What the goal entry `seq` released, as counted now.
    std::optional<GoalOutcome> outcomeOf(std::uint64_t seq) const;
    // Waiting and running penalties, in the order given.
    std::vector<PenaltyView> openPenalties() const;
    // The running penalties the board's penalty clocks show, two a team at most: those the book shows on its
    // clocks, less misconducts (a player's own ten minutes, on no strength clock; the console and the feed list
    // them). Each is named by its record entry, which stays the same when an earlier entry is voided.
    RecordedPenalties shownOnBoard() const;
    std::string strength() const { return strengthText(m_book.strength()); }

private:
    // The record entry of each of the book's penalties (by id, from 1).
    std::vector<std::uint64_t> seqOfPenalties() const;
    void tellBook(std::uint64_t seq, const RecordItem& item);
    void rebuild();

    RuleBookSettings m_settings;
    GameRecord m_record;
    RuleBook m_book;
    std::vector<std::uint64_t> m_entrySeq; // by the book's entry: the record entry behind it (0: play, intermission)
};

// The book's entry for a record entry: a penalty or a goal; nothing for the rest.
std::optional<RuleBook::Entry> bookEntryOf(const RecordItem& item);

// The record as the game report shows it: each penalty's start and end that the official did not write taken
// from the book, which knows when the penalty went on the clock and when it ran out or a goal ended it. What the
// official wrote stays; each of the two is filled on its own. As an official sheet shows them:
// - a penalty with a clock starts when it went on the clock (a waiting one when a place came free, a misconduct
//   once the player's own penalties ended); one still waiting has neither, one still running no end;
// - a double minor a goal cut to its second minor runs on and ends when that one ends;
// - a game misconduct or a match penalty puts no one in the box for a time: its start is the moment it was
//   given and it has no end (the player is gone for the rest of the game);
// - a penalty given in an intermission starts with the next period (every penalty stands still in between).
// The keeper's book as it stands: the board's moment is the report's.
GameRecord recordWithServedTimes(const RecordKeeper& keeper);
// The same for a record read from its file: played through to its end entry, or, for a game not ended, to the
// latest moment any of its entries names.
GameRecord recordWithServedTimes(const GameRecord& record, RuleBookSettings settings = {});
