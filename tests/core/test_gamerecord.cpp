#include "core/rules/GameRecord.h"
#include <gtest/gtest.h>

// The official's record: every entry written as a line reads back the same; a bad line is refused with its
// reason and the rest kept; a torn last line is dropped.
namespace {

GameRecord sampleRecord() {
    GameRecord record;
    RecordHeader h;
    h.date = "2026-12-07";
    h.venue = "Patinoire \"Nord\"\n";
    h.gameNumber = "12";
    h.competition = "Ligue B";
    h.homeTeam = "Lakers";
    h.visitorTeam = "Hawks";
    h.referees = {"A. Ref", "B. Ref"};
    h.linesmen = {"C. Line"};
    h.scorekeeper = "D. Keeper";
    record.append(h);
    record.append(RecordGoal{{1, secondsToTime(734)}, Team::Home, 17, {4, 22}, "PP", false});
    RecordPenalty p;
    p.at = {2, tenthsToTime(4567)};
    p.team = Team::Visitor;
    p.player = 8;
    p.servedBy = 14;
    p.infraction = "Too many men";
    p.kind = BookKind::BenchMinor;
    p.start = RecordTime{2, tenthsToTime(4567)};
    p.end = RecordTime{2, tenthsToTime(3367)};
    record.append(p);
    record.append(RecordShots{3, Team::Visitor, 1});
    record.append(RecordTimeout{{3, secondsToTime(60)}, Team::Home});
    record.append(RecordGoalkeeper{{3, secondsToTime(50)}, Team::Home, 0, 30});
    record.append(RecordCorrection{3});
    record.append(RecordEnd{{3, 0}});
    return record;
}

std::string textOf(const GameRecord& record) {
    std::string text;
    for (const RecordEntry& e : record.entries())
        text += recordLine(e);
    return text;
}

TEST(GameRecordLines, EveryEntryReadsBackTheSame) {
    const GameRecord record = sampleRecord();
    const RecordReading reading = readRecord(textOf(record));
    EXPECT_TRUE(reading.problems.empty()) << reading.problems.front();
    EXPECT_EQ(reading.record.entries(), record.entries());
    EXPECT_TRUE(reading.record.ended());
    EXPECT_EQ(reading.record.standing().size(), 6u); // the correction and the penalty it voids are out
    EXPECT_EQ(reading.record.header().venue, "Patinoire \"Nord\"\n");
}

TEST(GameRecordLines, AppendFollowsTheHighestNumberRead) {
    RecordReading reading = readRecord(textOf(sampleRecord()));
    const std::string line = reading.record.append(RecordShots{});
    EXPECT_EQ(line.rfind("{\"seq\":9,", 0), 0u) << line;
    EXPECT_EQ(line.back(), '\n');
}

struct BadLineRow {
    const char* line;
    const char* reason; // a part of the one-line reason
};

TEST(GameRecordReader, RefusesABadLineAndKeepsTheRest) {
    const BadLineRow rows[] = {
        {"garbage", "line 2"},
        {"[1,2]", "not a JSON object"},
        {R"({"type":"shots","period":1,"team":"home"})", "\"seq\" is missing"},
        {R"({"seq":7,"type":"dance"})", "not a kind of record entry"},
        {R"({"seq":7,"type":"shots","period":0,"team":"home"})", "\"period\""},
        {R"({"seq":7,"type":"shots","period":1,"team":"away"})", "home or visitor"},
        {R"({"seq":7,"type":"goal","period":1,"remaining":0,"team":"home","scorer":100})", "\"scorer\""},
        {R"({"seq":7,"type":"goal","period":1,"remaining":0,"team":"home","assists":[1,2,3]})", "at most two"},
        {R"({"seq":7,"type":"goal","period":1,"remaining":0,"team":"home","strength":"XX"})", "EV, PP, SH or EN"},
        {R"({"seq":7,"type":"penalty","period":1,"remaining":0,"team":"home","kind":"hooking"})", "kind of penalty"},
        {R"({"seq":7,"type":"penalty","period":1,"remaining":-1,"team":"home","kind":"minor"})", "\"remaining\""},
        {R"({"seq":1,"type":"shots","period":1,"team":"home"})", "used twice"},
        {R"({"seq":7,"type":"header","format":"other","version":1})", "not of a game record"},
        {R"({"seq":7,"type":"header","format":"rinkmaster-record","version":2})", "\"version\""},
        {R"({"seq":7,"type":"correction"})", "\"voids\" is missing"},
        {R"({"seq":7,"type":"end","period":1,"remaining":1.5})", "line 2"},
    };
    const std::string first = R"({"seq":1,"type":"shots","period":1,"team":"home"})"
                              "\n";
    const std::string last = R"({"seq":9,"type":"shots","period":2,"team":"visitor"})"
                             "\n";
    for (const BadLineRow& row : rows) {
        std::string text = first;
        text.append(row.line).append("\n").append(last);
        const RecordReading reading = readRecord(text);
        ASSERT_EQ(reading.problems.size(), 1u) << row.line;
        EXPECT_NE(reading.problems[0].find(row.reason), std::string::npos) << reading.problems[0];
        EXPECT_EQ(reading.problems[0].find('\n'), std::string::npos);
        EXPECT_EQ(reading.record.entries().size(), 2u) << row.line;
        EXPECT_FALSE(reading.tornLastLine);
    }
}

TEST(GameRecordReader, TornLastLineIsDroppedAndSaid) {
    std::string text = textOf(sampleRecord());
    text += R"({"seq":9,"type":"goal","per)";
    const RecordReading reading = readRecord(text);
    EXPECT_TRUE(reading.tornLastLine);
    ASSERT_EQ(reading.problems.size(), 1u);
    EXPECT_NE(reading.problems[0].find("cut off"), std::string::npos);
    EXPECT_EQ(reading.record.entries().size(), 8u);
}

TEST(GameRecordReader, LastLineWithoutBreakThatReadsIsKept) {
    std::string text = textOf(sampleRecord());
    text.pop_back();
    const RecordReading reading = readRecord(text);
    EXPECT_FALSE(reading.tornLastLine);
    EXPECT_EQ(reading.record.entries().size(), 8u);
}

TEST(GameRecordReader, NoCapOnTheNumberOfEntries) {
    GameRecord record;
    std::string text;
    for (int i = 0; i < 1000; ++i)
        text += record.append(RecordShots{1 + i % 3, i % 2 == 0 ? Team::Home : Team::Visitor, 1});
    EXPECT_EQ(readRecord(text).record.standing().size(), 1000u);
}

} // namespace
