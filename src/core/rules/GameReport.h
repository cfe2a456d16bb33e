#pragma once
#include "core/rules/GameRecord.h"

#include <array>
#include <string>
#include <vector>

// The game report: what an official game sheet holds, worked out from the official's record and laid out as
// the sheet's tables (every cell already a text). The PDF and the CSV both draw this one value.
//
// Times on the sheet are whole seconds: a remaining time is rounded up (0:30.4 left is 0:31), and the elapsed
// time in the period is the period's length less that (19:29). Goals and penalties are written in elapsed time
// unless the caller asks for the time left. A goal's strength is the one recorded, else counted from the
// penalties running when it was scored (a penalty counts from just after its start to its end, so one a goal
// ended still counts at that goal); a goal into an empty net is EN.

enum class SheetTimeStyle { Elapsed, Remaining };

struct ReportGoal {
    int period = 1;
    std::string time;
    std::string team; // the team's name
    Team side = Team::Home;
    std::string scorer;
    std::string firstAssist;
    std::string secondAssist;
    std::string strength;
    std::string score; // after the goal, home first: "2-1"
};

struct ReportPenalty {
    int period = 1;
    std::string time;
    std::string team;
    Team side = Team::Home;
    std::string player;
    std::string servedBy;
    std::string infraction;
    std::string kind;
    int minutes = 0;
    std::string start; // "P1 12:00" or empty
    std::string end;
};

struct ReportGoalkeeper {
    std::string team;
    Team side = Team::Home;
    std::string number;
    std::string in;      // "P1 0:00"
    std::string out;     // "P3 20:00"
    std::string minutes; // time in the net, m:ss
};

struct ReportTimeout {
    std::string team;
    int period = 1;
    std::string time;
};

struct GameReport {
    RecordHeader header;
    SheetTimeStyle timeStyle = SheetTimeStyle::Elapsed;
    int periods = 3; // periods with a column in the shots table: the regulation three or as many as were played
    std::array<int, 2> score{};           // home, visitor
    std::vector<ReportGoal> goals;        // in game order
    std::vector<ReportPenalty> penalties; // in game order
    std::vector<ReportGoalkeeper> goalkeepers;
    std::array<std::vector<int>, 2> shots; // per team, per period (index 0: period 1)
    std::array<int, 2> shotTotals{};
    std::vector<ReportTimeout> timeouts;
    std::array<int, 2> penaltyMinutes{};
    bool ended = false;
};

// A time on the sheet, m:ss, from the game clock's time left.
std::string sheetTime(TimeValue remaining, TimeValue periodLength, SheetTimeStyle style);
// Minutes and seconds of a duration, m:ss (rounded down to the second).
std::string durationText(TimeValue duration);

GameReport makeGameReport(const GameRecord& record, SheetTimeStyle style = SheetTimeStyle::Elapsed);

// The report as one CSV file (RFC 4180), its sections one after the other, each under a title row.
std::string gameReportCsv(const GameReport& report);

// The file name stem of a game's report: "2026-12-07-game-12" (unsafe characters become "_").
std::string reportFileStem(const RecordHeader& header);
