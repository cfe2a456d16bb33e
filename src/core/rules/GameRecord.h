#pragma once
#include "core/TimeValue.h"
#include "core/rules/RuleBook.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// The off-ice official's record of one game, kept as an append-only log: one JSON object a line, each with its
// sequence number and type. Nothing is ever rewritten: a mistake is voided by a correction entry that names the
// sequence number it voids, so a crash loses at most the line being written and the file needs no size limit.
//
//   {"seq":1,"type":"header","format":"rinkmaster-record","version":1,"date":"2026-12-07",...}
//   {"seq":2,"type":"goal","period":1,"remaining":7345000,"team":"home","scorer":17,"assists":[4,22],...}
//
// Times are the game clock's remaining time in ten-thousandths of a second, as the board counts them.

inline constexpr std::string_view kRecordFormat = "rinkmaster-record";
inline constexpr int kRecordVersion = 1;
// The longest line the reader takes (the JSON reader's own bound).
inline constexpr std::size_t kMaxRecordLine = std::size_t{16} * 1024;
inline constexpr int kMaxPlayerNumber = 99;
inline constexpr int kMaxPeriod = 99;
inline constexpr std::size_t kMaxRecordText = 200; // characters of one text field the reader keeps

// When something happened: the period and the game clock's time left.
struct RecordTime {
    int period = 1;
    TimeValue remaining = 0;
    bool operator==(const RecordTime&) const = default;
};

struct RecordHeader {
    std::string date; // as the official writes it, e.g. 2026-12-07
    std::string venue;
    std::string gameNumber;
    std::string competition;
    std::string homeTeam;
    std::string visitorTeam;
    std::vector<std::string> referees;
    std::vector<std::string> linesmen;
    std::string scorekeeper;
    TimeValue periodLength = kDefaultPeriodLength;
    bool operator==(const RecordHeader&) const = default;
};

// "EN" besides the rule book's "EV", "PP" and "SH"; empty: work it out from the penalties.
struct RecordGoal {
    RecordTime at;
    Team team = Team::Home;
    int scorer = 0;           // 0: not known
    std::vector<int> assists; // at most two
    std::string strength;
    bool emptyNet = false;
    bool penaltyShot = false;  // a penalty-shot goal: it ends no penalty
    std::uint64_t release = 0; // the rule book's penalty the official chose among tied ones (0: the first)
    bool operator==(const RecordGoal&) const = default;
};

struct RecordPenalty {
    RecordTime at;
    Team team = Team::Home;
    int player = 0;   // 0: none (a bench minor)
    int servedBy = 0; // 0: the player serves it
    std::string infraction;
    BookKind kind = BookKind::Minor;
    int minutes = 2;
    bool coincident = false;
    std::optional<RecordTime> start;
    std::optional<RecordTime> end;
    bool operator==(const RecordPenalty&) const = default;
};

// Shots on goal by a team in a period (one entry a shot key press; a count of several for a batch).
struct RecordShots {
    int period = 1;
    Team team = Team::Home;
    int count = 1;
    bool operator==(const RecordShots&) const = default;
};

struct RecordTimeout {
    RecordTime at;
    Team team = Team::Home;
    bool operator==(const RecordTimeout&) const = default;
};

// A goalkeeper change: `in` takes the net (0: the net is left empty), `out` leaves it (0: none was in it).
struct RecordGoalkeeper {
    RecordTime at;
    Team team = Team::Home;
    int in = 0;
    int out = 0;
    bool operator==(const RecordGoalkeeper&) const = default;
};

// Voids the entry with that sequence number.
struct RecordCorrection {
    std::uint64_t voids = 0;
    bool operator==(const RecordCorrection&) const = default;
};

struct RecordEnd {
    RecordTime at;
    bool operator==(const RecordEnd&) const = default;
};

using RecordItem = std::variant<RecordHeader, RecordGoal, RecordPenalty, RecordShots, RecordTimeout, RecordGoalkeeper,
                                RecordCorrection, RecordEnd>;

struct RecordEntry {
    std::uint64_t seq = 0;
    RecordItem item;
    bool operator==(const RecordEntry&) const = default;
};

// The entry as one line of the log, ending in a line break.
std::string recordLine(const RecordEntry& entry);

class GameRecord {
public:
    // Adds an entry with the next sequence number and answers the line to append to the file.
    std::string append(RecordItem item);
    // Every entry as written, corrections included.
    const std::vector<RecordEntry>& entries() const { return m_entries; }
    // The entries that stand: no correction, nothing voided. A header written twice: the latest one counts.
    std::vector<RecordEntry> standing() const;
    RecordHeader header() const;
    bool ended() const;
    // Takes an entry read back from a file (keeps the sequence numbers; the next append follows the highest).
    void restore(RecordEntry entry);

private:
    std::vector<RecordEntry> m_entries;
    std::uint64_t m_lastSeq = 0;
};

struct RecordReading {
    GameRecord record;
    std::vector<std::string> problems; // one line each: "line 7: ..."
    bool tornLastLine = false;         // the last line had no line break and could not be read: dropped
};

// Rebuilds the record from the file's text. A line it cannot read is left out with its reason; the others stay.
RecordReading readRecord(std::string_view text);
