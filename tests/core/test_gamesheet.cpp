#include "core/rules/GameSheet.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

TimeValue sec(double seconds) {
    return static_cast<TimeValue>(std::llround(seconds * 10)) * kTicksPerTenth;
}

GameMoment at(int period, int minutes, int seconds) {
    return {period, secondsToTime(minutes * 60 + seconds)};
}

// An event list as the console keeps it: scores and periods as they change, and every record of the penalty
// rules, fed with the same game.
class GameLog {
public:
    PenaltyRules rules;
    PenaltyReadings readings{};
    std::array<int, 2> scores{};
    GameSheetInput input;

    void period(int n) {
        SheetEvent e;
        e.kind = SheetEvent::Kind::Period;
        e.at = {n, secondsToTime(1200)};
        input.events.push_back(e);
    }
    void score(Team team, int after, GameMoment moment) {
        int& current = scores[team == Team::Home ? 0 : 1];
        SheetEvent e;
        e.kind = SheetEvent::Kind::Score;
        e.at = moment;
        e.team = team;
        e.scoreBefore = current;
        e.scoreAfter = after;
        input.events.push_back(e);
        take(rules.scoreChanged(team, current, after, readings, moment), moment);
        current = after;
    }
    void penalty(Team team, double seconds, GameMoment moment) {
        take(rules.addPenalty(team, sec(seconds), team == Team::Home ? 1 : 3, readings, moment), moment);
    }
    void enter(int clock, double seconds, GameMoment moment) {
        readings[static_cast<std::size_t>(clock - 1)] = sec(seconds);
        take(rules.typedTime(clock, sec(seconds), readings, moment), moment);
    }
    // The penalty clocks ran for this long; moment is the game clock afterwards.
    void play(double seconds, GameMoment moment) {
        for (TimeValue& r : readings)
            r = std::max<TimeValue>(0, r - sec(seconds));
        take(rules.clocksRead(readings, moment), moment);
    }

private:
    void take(const PenaltyOutcome& out, GameMoment moment) {
        for (const ClockAction& a : out.actions)
            readings[static_cast<std::size_t>(a.clock - 1)] = a.kind == ClockAction::Kind::SetAndRun ? a.time : 0;
        for (const PenaltyEvent& e : out.events) {
            SheetEvent s;
            s.kind = SheetEvent::Kind::Penalty;
            s.at = moment;
            s.team = e.team;
            s.penalty = e;
            input.events.push_back(s);
        }
    }
};

} // namespace

// ---- Text rules ------------------------------------------------------------------------------------------

struct TextRow {
    std::string text;
    std::string expected;
};

class CsvFieldText : public testing::TestWithParam<TextRow> {};
TEST_P(CsvFieldText, IsQuotedOnlyWhenItMustBe) {
    EXPECT_EQ(csvField(GetParam().text), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Rows, CsvFieldText,
                         testing::Values(TextRow{"Lions", "Lions"}, TextRow{"", ""}, TextRow{"A, B", "\"A, B\""},
                                         TextRow{"Say \"hi\"", "\"Say \"\"hi\"\"\""}, TextRow{"\"", "\"\"\"\""},
                                         TextRow{"two\nlines", "\"two\nlines\""}, TextRow{"cr\r", "\"cr\r\""},
                                         TextRow{"<&> 'x' ;", "<&> 'x' ;"}, TextRow{"Kärpät", "Kärpät"}));

class HtmlText : public testing::TestWithParam<TextRow> {};
TEST_P(HtmlText, EscapesEveryMarkupCharacter) {
    EXPECT_EQ(htmlEscape(GetParam().text), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Rows, HtmlText,
                         testing::Values(TextRow{"Lions", "Lions"}, TextRow{"<script>", "&lt;script&gt;"},
                                         TextRow{"Tom & Jerry", "Tom &amp; Jerry"}, TextRow{"&amp;", "&amp;amp;"},
                                         TextRow{"\"Q\" 'S'", "&quot;Q&quot; &#39;S&#39;"},
                                         TextRow{"Kärpät", "Kärpät"}));

struct TimeRow {
    TimeValue value;
    const char* text;
};
class SheetTimeText : public testing::TestWithParam<TimeRow> {};
TEST_P(SheetTimeText, IsMinutesAndSecondsWithTheTenthWhenThereIsOne) {
    EXPECT_EQ(sheetTime(GetParam().value), GetParam().text);
}
INSTANTIATE_TEST_SUITE_P(Rows, SheetTimeText,
                         testing::Values(TimeRow{0, "0:00"}, TimeRow{sec(37.4), "0:37.4"}, TimeRow{sec(1200), "20:00"},
                                         TimeRow{sec(125), "2:05"}, TimeRow{sec(599.9), "9:59.9"},
                                         TimeRow{-sec(5), "0:00"}));

// ---- A game -------------------------------------------------------------------------------------------------

namespace {

// Period 1: a visitor minor, a home power-play goal at 15:30 that ends it; a home double minor cut by a
// visitor goal. Period 2: a goal taken back by a correction, a score raised by two at once, a released minor
// whose release is undone, and a penalty still running at the end.
GameLog playedGame() {
    GameLog g;
    g.period(1);
    g.penalty(Team::Visitor, 120, at(1, 16, 0));
    g.play(30, at(1, 15, 30));
    g.score(Team::Home, 1, at(1, 15, 30));
    g.penalty(Team::Home, 240, at(1, 10, 0));
    g.play(50, at(1, 9, 10));
    g.score(Team::Visitor, 1, at(1, 9, 10));
    g.play(130, at(1, 7, 0));
    g.period(2);
    g.score(Team::Home, 2, at(2, 18, 0));
    g.score(Team::Home, 1, at(2, 17, 50));
    g.score(Team::Visitor, 3, at(2, 12, 0));
    g.penalty(Team::Home, 120, at(2, 10, 0));
    g.play(20, at(2, 9, 40));
    g.score(Team::Visitor, 4, at(2, 9, 40));
    g.enter(1, 100, at(2, 9, 30));
    g.penalty(Team::Visitor, 300, at(2, 5, 0));
    return g;
}

} // namespace

TEST(GameSheet, GoalsByPeriodWithTheirClockAndScore) {
    const GameSheet sheet = buildGameSheet(playedGame().input);
    const std::vector<SheetGoal> expected = {
        {at(1, 15, 30), Team::Home, 1, 0, false, false},  {at(1, 9, 10), Team::Visitor, 1, 1, false, false},
        {at(2, 18, 0), Team::Home, 2, 1, false, true},    {at(2, 12, 0), Team::Visitor, 1, 2, true, false},
        {at(2, 12, 0), Team::Visitor, 1, 3, true, false}, {at(2, 9, 40), Team::Visitor, 1, 4, false, false},
    };
    EXPECT_EQ(sheet.goals, expected);
    EXPECT_EQ(sheet.homeScore, 1);
    EXPECT_EQ(sheet.visitorScore, 4);
    const std::vector<SheetPeriod> periods = {{1, 1, 1, 1, 1}, {2, 0, 3, 1, 1}};
    EXPECT_EQ(sheet.periods, periods);
}

// A sheet whose earliest entries were let go: the goals before its first entry count in the score, the board's
// score is the final one, and the sheet says it is not whole.
TEST(GameSheet, EarlierEntriesLetGoKeepTheScore) {
    GameSheetInput input;
    SheetEvent e;
    e.kind = SheetEvent::Kind::Score;
    e.at = at(3, 5, 0);
    e.team = Team::Visitor;
    e.scoreBefore = 0;
    e.scoreAfter = 1;
    input.events = {e};
    input.earlierEntriesLost = 12;
    GameSheet sheet = buildGameSheet(input); // the home goal was among the entries let go
    EXPECT_EQ(sheet.homeScore, 0);
    input.boardScore = std::array<int, 2>{1, 1};
    sheet = buildGameSheet(input);
    EXPECT_EQ(sheet.homeScore, 1);
    EXPECT_EQ(sheet.visitorScore, 1);
    EXPECT_NE(gameSheetCsv(sheet).find("not kept"), std::string::npos);
    EXPECT_NE(gameSheetHtml(sheet).find("The earliest 12 entries"), std::string::npos);
    input.events[0].team = Team::Home;
    input.events[0].scoreBefore = 2; // a team's first entry on the sheet starts from its score then
    input.events[0].scoreAfter = 3;
    input.boardScore.reset();
    sheet = buildGameSheet(input);
    EXPECT_EQ(sheet.homeScore, 3);
    ASSERT_EQ(sheet.goals.size(), 1u);
    EXPECT_EQ(sheet.goals[0].homeScore, 3);
}

TEST(GameSheet, PenaltiesWithKindStartEndAndHowTheyEnded) {
    const GameSheet sheet = buildGameSheet(playedGame().input);
    ASSERT_EQ(sheet.penalties.size(), 4u);

    const SheetPenalty& released = sheet.penalties[0];
    EXPECT_EQ(released.team, Team::Visitor);
    EXPECT_EQ(released.kind, PenaltyKind::Minor);
    EXPECT_EQ(released.started, at(1, 16, 0));
    EXPECT_EQ(released.ended, at(1, 15, 30));
    EXPECT_EQ(released.endedBy, PenaltyEventKind::Released);

    const SheetPenalty& doubleMinor = sheet.penalties[1];
    EXPECT_EQ(doubleMinor.kind, PenaltyKind::DoubleMinor);
    EXPECT_EQ(doubleMinor.fullTime, sec(240));
    EXPECT_EQ(doubleMinor.firstMinorEndedByGoal, at(1, 9, 10));
    EXPECT_EQ(doubleMinor.ended, at(1, 7, 0)); // its second minor ran in full
    EXPECT_EQ(doubleMinor.endedBy, PenaltyEventKind::Expired);

    const SheetPenalty& undone = sheet.penalties[2];
    EXPECT_EQ(undone.started, at(2, 10, 0));
    EXPECT_FALSE(undone.ended); // the release was undone, so it still runs
    EXPECT_FALSE(undone.endedBy);

    const SheetPenalty& running = sheet.penalties[3];
    EXPECT_EQ(running.kind, PenaltyKind::Major);
    EXPECT_EQ(running.given, at(2, 5, 0));
    EXPECT_FALSE(running.ended);
}

TEST(GameSheet, AQueuedPenaltyStartsWhenItLeavesTheQueue) {
    GameLog g;
    g.penalty(Team::Home, 120, at(1, 19, 0));
    g.penalty(Team::Home, 120, at(1, 19, 0));
    g.penalty(Team::Home, 300, at(1, 18, 30));
    g.play(120, at(1, 17, 0));
    const GameSheet sheet = buildGameSheet(g.input);
    ASSERT_EQ(sheet.penalties.size(), 3u);
    EXPECT_EQ(sheet.penalties[2].given, at(1, 18, 30));
    EXPECT_EQ(sheet.penalties[2].started, at(1, 17, 0));
    EXPECT_EQ(sheet.penalties[0].endedBy, PenaltyEventKind::Expired);
}

TEST(GameSheet, CsvIsOneTableWithQuotedNamesAndCrlfLines) {
    GameLog g;
    g.input.homeName = "Lions, \"Old\" Town";
    g.input.visitorName = "Bears";
    g.period(1);
    g.penalty(Team::Visitor, 120, at(1, 19, 0));
    g.play(45.5, at(1, 18, 14));
    g.score(Team::Home, 1, {1, sec(1094.5)});
    const std::string expected =
        "Record,Period,Clock,Team,Kind,Time,Start period,Start clock,End period,End clock,Ended by,Note,"
        "\"Lions, \"\"Old\"\" Town\",Bears\r\n"
        "period,1,,,,,,,,,,,1,0\r\n"
        "goal,1,18:14.5,\"Lions, \"\"Old\"\" Town\",goal,,,,,,,,1,0\r\n"
        "penalty,1,19:00,Bears,minor,2:00,1,19:00,1,18:14.5,goal,,,\r\n"
        "final,,,,,,,,,,,,1,0\r\n";
    EXPECT_EQ(gameSheetCsv(buildGameSheet(g.input)), expected);
}

TEST(GameSheet, PageEscapesEveryUserText) {
    GameLog g;
    g.input.homeName = "<script>alert('x')</script>";
    g.input.visitorName = "Tom & \"Jerry\"";
    g.period(1);
    g.score(Team::Visitor, 1, at(1, 12, 0));
    g.penalty(Team::Home, 240, at(1, 11, 0));
    const std::string page = gameSheetHtml(buildGameSheet(g.input));
    EXPECT_EQ(page.find("<script"), std::string::npos);
    EXPECT_EQ(page.find("Tom & "), std::string::npos);
    EXPECT_EQ(page.find("\"Jerry\""), std::string::npos);
    EXPECT_NE(page.find("&lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt;"), std::string::npos);
    EXPECT_NE(page.find("Tom &amp; &quot;Jerry&quot;"), std::string::npos);
    EXPECT_NE(page.find("<meta charset=\"utf-8\">"), std::string::npos);
    EXPECT_NE(page.find("double minor"), std::string::npos);
    EXPECT_EQ(page.rfind("</html>\n"), page.size() - 8);
}

TEST(GameSheet, AnEmptyListGivesAnEmptySheet) {
    const GameSheet sheet = buildGameSheet({"Home", "Visitor", {}, 0, std::nullopt});
    EXPECT_TRUE(sheet.goals.empty());
    EXPECT_TRUE(sheet.penalties.empty());
    EXPECT_TRUE(sheet.periods.empty());
    EXPECT_NE(gameSheetHtml(sheet).find("No goals."), std::string::npos);
    EXPECT_EQ(gameSheetCsv(sheet).substr(gameSheetCsv(sheet).rfind("final")), "final,,,,,,,,,,,,0,0\r\n");
}
