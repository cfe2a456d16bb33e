#pragma once
#include "core/Csv.h"
#include "core/rules/PenaltyRules.h"
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The game sheet: the game's record drawn from its event list, as data, as CSV and as a printable page.
// Times are game-clock readings (time left in the period), as the board shows them.

// One entry of the event list, as far as the sheet needs it.
struct SheetEvent {
    enum class Kind {
        Period,  // the period on the board changed to at.period
        Score,   // a team's score changed from scoreBefore to scoreAfter
        Penalty, // a record of the penalty rules
    };
    Kind kind = Kind::Period;
    GameMoment at;
    Team team = Team::Home;
    int scoreBefore = 0;
    int scoreAfter = 0;
    PenaltyEvent penalty;
    bool operator==(const SheetEvent&) const = default;
};

struct GameSheetInput {
    std::string homeName; // UTF-8, as the user typed it
    std::string visitorName;
    std::vector<SheetEvent> events;               // in order of happening
    std::uint64_t earlierEntriesLost = 0;         // entries of the game let go before the first of `events`
    std::optional<std::array<int, 2>> boardScore; // the score the board shows now (home, visitor)
};

struct SheetGoal {
    GameMoment at;
    Team team = Team::Home;
    int homeScore = 0; // the score after it
    int visitorScore = 0;
    bool byCorrection = false; // the score was raised by more than one at once
    bool takenBack = false;    // a later correction lowered the score below it
    bool operator==(const SheetGoal&) const = default;
};

struct SheetPenalty {
    std::uint64_t id = 0;
    Team team = Team::Home;
    PenaltyKind kind = PenaltyKind::Minor;
    TimeValue fullTime = 0;
    GameMoment given;                                // when it was typed
    std::optional<GameMoment> started;               // when it went on a clock
    std::optional<GameMoment> ended;                 // when it left its clock for good
    std::optional<PenaltyEventKind> endedBy;         // Released, Expired or Cleared
    std::optional<GameMoment> firstMinorEndedByGoal; // a double minor cut to its second minor
    bool operator==(const SheetPenalty&) const = default;
};

struct SheetPeriod {
    int period = 0;
    int homeGoals = 0;
    int visitorGoals = 0;
    int homePenalties = 0; // given in the period
    int visitorPenalties = 0;
    bool operator==(const SheetPeriod&) const = default;
};

struct GameSheet {
    std::string homeName;
    std::string visitorName;
    int homeScore = 0; // the score on the board after the last event, or as the board shows it when told
    int visitorScore = 0;
    std::uint64_t earlierEntriesLost = 0;
    std::vector<SheetPeriod> periods; // in order, each period that has a moment in the list
    std::vector<SheetGoal> goals;
    std::vector<SheetPenalty> penalties; // in order of being given
};

GameSheet buildGameSheet(const GameSheetInput& input);

// One table, one record a row: "period", "goal", "penalty" and "final" rows under one header. Fields are
// quoted when they hold a comma, a quote or a line break (quotes doubled); lines end with CRLF.
std::string gameSheetCsv(const GameSheet& sheet);
// A whole UTF-8 HTML page for printing; every text from the user is escaped.
std::string gameSheetHtml(const GameSheet& sheet);

// M:SS, with the tenth when it is not zero ("0:37.4").
std::string sheetTime(TimeValue value);
std::string htmlEscape(std::string_view text);
