#include "core/rules/GameReport.h"
#include <gtest/gtest.h>

// The game report's content from a record: times as sheets write them, strength, totals, and the CSV.
namespace {

RecordTime at(int period, int minutes, int seconds, int tenths = 0) {
    return {period, secondsToTime(minutes * 60 + seconds) + tenthsToTime(tenths)};
}

RecordPenalty penalty(Team team, int player, BookKind kind, RecordTime given, std::optional<RecordTime> end,
                      bool coincident = false) {
    RecordPenalty p;
    p.at = given;
    p.team = team;
    p.player = player;
    p.kind = kind;
    p.minutes = penaltyMinutes(kind);
    p.infraction = "Tripping";
    p.coincident = coincident;
    p.start = given;
    p.end = end;
    return p;
}

RecordGoal goal(Team team, RecordTime when, int scorer, std::vector<int> assists = {}) {
    RecordGoal g;
    g.at = when;
    g.team = team;
    g.scorer = scorer;
    g.assists = std::move(assists);
    return g;
}

struct SheetTimeRow {
    TimeValue remaining;
    SheetTimeStyle style;
    const char* expected;
};

TEST(GameReportSheetTime, RoundsAsTheRuleBooksDo) {
    const SheetTimeRow rows[] = {
        {secondsToTime(1200), SheetTimeStyle::Elapsed, "0:00"},
        {secondsToTime(30) + tenthsToTime(4), SheetTimeStyle::Elapsed, "19:29"}, // 0:30.4 left is 0:31
        {secondsToTime(30) + tenthsToTime(4), SheetTimeStyle::Remaining, "0:31"},
        {tenthsToTime(1), SheetTimeStyle::Elapsed, "19:59"},
        {0, SheetTimeStyle::Elapsed, "20:00"},
        {secondsToTime(754), SheetTimeStyle::Remaining, "12:34"},
        {secondsToTime(754), SheetTimeStyle::Elapsed, "7:26"},
        {-5, SheetTimeStyle::Remaining, "0:00"}, // held in range
        {secondsToTime(5000), SheetTimeStyle::Elapsed, "0:00"},
    };
    for (const SheetTimeRow& row : rows)
        EXPECT_EQ(sheetTime(row.remaining, kDefaultPeriodLength, row.style), row.expected) << row.remaining;
}

struct StrengthRow {
    const char* name;
    std::vector<RecordPenalty> penalties;
    RecordGoal scored;
    const char* expected;
};

TEST(GameReportStrength, CountedFromTheRunningPenalties) {
    const StrengthRow rows[] = {
        {"nobody off", {}, goal(Team::Home, at(1, 10, 0), 9), "EV"},
        {"power play",
         {penalty(Team::Visitor, 4, BookKind::Minor, at(1, 12, 0), at(1, 10, 0))},
         goal(Team::Home, at(1, 10, 0), 9),
         "PP"}, // the goal ended it: still counted at the goal
        {"short-handed",
         {penalty(Team::Home, 4, BookKind::Minor, at(1, 12, 0), at(1, 10, 0))},
         goal(Team::Home, at(1, 11, 0), 9),
         "SH"},
        {"after the penalty ended",
         {penalty(Team::Visitor, 4, BookKind::Minor, at(1, 12, 0), at(1, 10, 0))},
         goal(Team::Home, at(1, 9, 0), 9),
         "EV"},
        {"penalty given at the goal's moment",
         {penalty(Team::Visitor, 4, BookKind::Minor, at(1, 10, 0), at(1, 8, 0))},
         goal(Team::Home, at(1, 10, 0), 9),
         "EV"},
        {"coincident pair",
         {penalty(Team::Home, 4, BookKind::Minor, at(1, 12, 0), at(1, 10, 0), true),
          penalty(Team::Visitor, 5, BookKind::Minor, at(1, 12, 0), at(1, 10, 0), true)},
         goal(Team::Home, at(1, 11, 0), 9),
         "EV"},
        {"misconduct changes nothing",
         {penalty(Team::Visitor, 4, BookKind::Misconduct, at(1, 12, 0), at(1, 2, 0))},
         goal(Team::Home, at(1, 11, 0), 9),
         "EV"},
        {"major across periods",
         {penalty(Team::Visitor, 4, BookKind::Major, at(1, 2, 0), at(2, 17, 0))},
         goal(Team::Home, at(2, 18, 0), 9),
         "PP"},
        {"still running at the end",
         {penalty(Team::Visitor, 4, BookKind::Minor, at(3, 1, 0), std::nullopt)},
         goal(Team::Home, at(3, 0, 30), 9),
         "PP"},
    };
    for (const StrengthRow& row : rows) {
        GameRecord record;
        for (const RecordPenalty& p : row.penalties)
            record.append(p);
        record.append(row.scored);
        const GameReport report = makeGameReport(record);
        ASSERT_EQ(report.goals.size(), 1u) << row.name;
        EXPECT_EQ(report.goals[0].strength, row.expected) << row.name;
    }
}

TEST(GameReportStrength, RecordedStrengthAndEmptyNetWin) {
    GameRecord record;
    record.append(penalty(Team::Visitor, 4, BookKind::Minor, at(1, 12, 0), at(1, 10, 0)));
    RecordGoal recorded = goal(Team::Home, at(1, 11, 0), 9);
    recorded.strength = "EV";
    record.append(recorded);
    RecordGoal emptyNet = goal(Team::Home, at(3, 0, 40), 9);
    emptyNet.emptyNet = true;
    record.append(emptyNet);
    const GameReport report = makeGameReport(record);
    ASSERT_EQ(report.goals.size(), 2u);
    EXPECT_EQ(report.goals[0].strength, "EV");
    EXPECT_EQ(report.goals[1].strength, "EN");
}

TEST(GameReportContent, GoalsInGameOrderTotalsAndCorrections) {
    GameRecord record;
    RecordHeader header;
    header.homeTeam = "Lakers";
    header.visitorTeam = "Hawks";
    record.append(header);
    record.append(goal(Team::Visitor, at(2, 5, 0), 11, {3}));
    record.append(goal(Team::Home, at(1, 15, 0), 17, {4, 22}));
    record.append(goal(Team::Home, at(3, 1, 0), 8)); // voided below
    record.append(RecordCorrection{4});
    record.append(penalty(Team::Home, 4, BookKind::MajorAndMinor, at(1, 3, 0), at(2, 16, 0)));
    record.append(penalty(Team::Home, 4, BookKind::Misconduct, at(1, 3, 0), at(2, 13, 0)));
    record.append(penalty(Team::Visitor, 6, BookKind::Minor, at(2, 3, 0), at(2, 1, 0)));
    record.append(RecordShots{1, Team::Home, 3});
    record.append(RecordShots{1, Team::Home, 1});
    record.append(RecordShots{2, Team::Visitor, 5});
    record.append(RecordShots{4, Team::Visitor, 1}); // overtime adds a column
    record.append(RecordTimeout{at(3, 2, 0), Team::Visitor});
    record.append(RecordGoalkeeper{at(1, 20, 0), Team::Home, 30, 0});
    record.append(RecordGoalkeeper{at(3, 1, 30), Team::Home, 0, 30});
    record.append(RecordGoalkeeper{at(1, 20, 0), Team::Visitor, 1, 0});
    record.append(RecordEnd{at(4, 0, 0)});

    const GameReport report = makeGameReport(record, SheetTimeStyle::Elapsed);
    ASSERT_EQ(report.goals.size(), 2u);
    EXPECT_EQ(report.goals[0].team, "Lakers");
    EXPECT_EQ(report.goals[0].time, "5:00");
    EXPECT_EQ(report.goals[0].firstAssist, "4");
    EXPECT_EQ(report.goals[0].secondAssist, "22");
    EXPECT_EQ(report.goals[0].score, "1-0");
    EXPECT_EQ(report.goals[1].score, "1-1");
    EXPECT_EQ(report.score, (std::array<int, 2>{1, 1}));
    EXPECT_EQ(report.penaltyMinutes, (std::array<int, 2>{17, 2}));
    ASSERT_EQ(report.penalties.size(), 3u);
    EXPECT_EQ(report.penalties[0].kind, "major and minor");
    EXPECT_EQ(report.penalties[0].start, "P1 17:00");
    EXPECT_EQ(report.penalties[0].end, "P2 4:00");
    EXPECT_EQ(report.periods, 4);
    EXPECT_EQ(report.shots[0], (std::vector<int>{4, 0, 0, 0}));
    EXPECT_EQ(report.shotTotals, (std::array<int, 2>{4, 6}));
    ASSERT_EQ(report.timeouts.size(), 1u);
    EXPECT_EQ(report.timeouts[0].time, "18:00");
    ASSERT_EQ(report.goalkeepers.size(), 2u);
    EXPECT_EQ(report.goalkeepers[0].minutes, "58:30");
    EXPECT_EQ(report.goalkeepers[0].out, "P3 18:30");
    EXPECT_EQ(report.goalkeepers[1].minutes, "80:00");

    const GameReport remaining = makeGameReport(record, SheetTimeStyle::Remaining);
    EXPECT_EQ(remaining.goals[0].time, "15:00");
}

TEST(GameReportCsv, SectionsAndEscapedText) {
    GameRecord record;
    RecordHeader header;
    header.homeTeam = "Lakers, \"A\"";
    header.venue = "=1+2";
    header.competition = "@SUM(A1)";
    record.append(header);
    RecordPenalty p = penalty(Team::Home, 4, BookKind::Minor, at(1, 12, 0), at(1, 10, 0));
    p.infraction = "Slashing\nagain";
    record.append(p);
    const std::string csv = gameReportCsv(makeGameReport(record));
    EXPECT_NE(csv.find("\"Lakers, \"\"A\"\"\""), std::string::npos);
    EXPECT_NE(csv.find("\"Slashing\nagain\""), std::string::npos);
    for (const char* section : {"Goals\r\n", "Penalties\r\n", "Goalkeepers\r\n", "Shots on goal\r\n", "Officials\r\n"})
        EXPECT_NE(csv.find(section), std::string::npos) << section;
    // A cell a spreadsheet would run as a formula is written so it does not (quoting alone does not stop it).
    for (const char* formula : {",=1+2", ",\"=1+2", ",@SUM", ",\"@SUM"})
        EXPECT_EQ(csv.find(formula), std::string::npos) << formula;
    EXPECT_NE(csv.find("Venue,\"'=1+2\"\r\n"), std::string::npos);
}

TEST(GameReportFiles, StemFromDateAndNumber) {
    RecordHeader h;
    EXPECT_EQ(reportFileStem(h), "undated-game-0");
    h.date = "2026-12-07";
    h.gameNumber = "12/../b";
    EXPECT_EQ(reportFileStem(h), "2026-12-07-game-12____b");
}

} // namespace
