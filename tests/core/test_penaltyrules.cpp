#include "core/rules/PenaltyRules.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

// "M:SS" or "M:SS.T" as a time value.
TimeValue t(const std::string& text) {
    int minutes = 0;
    int seconds = 0;
    int tenths = 0;
    const int read = std::sscanf(text.c_str(), "%d:%d.%d", &minutes, &seconds, &tenths);
    EXPECT_GE(read, 2) << text;
    return secondsToTime(minutes * 60 + seconds) + tenthsToTime(tenths);
}

std::string mss(TimeValue value) {
    const std::int64_t tenths = value / kTicksPerTenth;
    char text[32];
    if (tenths % 10 != 0)
        std::snprintf(text, sizeof text, "%lld:%02lld.%lld", static_cast<long long>(tenths / 600),
                      static_cast<long long>(tenths / 10 % 60), static_cast<long long>(tenths % 10));
    else
        std::snprintf(text, sizeof text, "%lld:%02lld", static_cast<long long>(tenths / 600),
                      static_cast<long long>(tenths / 10 % 60));
    return text;
}

const char* shortKind(PenaltyEventKind kind) {
    switch (kind) {
    case PenaltyEventKind::Added:
        return "added";
    case PenaltyEventKind::Queued:
        return "queued";
    case PenaltyEventKind::QueuedStart:
        return "starts";
    case PenaltyEventKind::Released:
        return "released";
    case PenaltyEventKind::Expired:
        return "expired";
    case PenaltyEventKind::Corrected:
        return "corrected";
    case PenaltyEventKind::Cleared:
        return "cleared";
    case PenaltyEventKind::ReleaseUndone:
        return "undone";
    case PenaltyEventKind::Requeued:
        return "requeued";
    }
    return "?";
}

// "P1 17:30 released H1 minor 0:30>0:00": moment, what, clock as its field (H1 H2 V1 V2; "H-" while queued),
// kind, time on the clock before and after.
std::string describe(const PenaltyEvent& e) {
    std::string clock = e.team == Team::Home ? "H" : "V";
    clock += e.clock == 0 ? "-" : std::to_string(e.clock <= 2 ? e.clock : e.clock - 2);
    return "P" + std::to_string(e.at.period) + " " + mss(e.at.gameClock) + " " + shortKind(e.kind) + " " + clock + " " +
           penaltyKindName(e.penalty) + " " + mss(e.before) + ">" + mss(e.after);
}

enum class Op { Insert, Enter, Clear, Play, Goal, ScoreTo, NewPeriod };

struct Step {
    Op op;
    Team team = Team::Home;
    int clock = 0;
    std::string time;
    int score = 0;
};

Step insert(Team team, const std::string& time, int field) {
    return {Op::Insert, team, field, time, 0};
}
Step enter(int clock, const std::string& time) {
    return {Op::Enter, teamOfClock(clock), clock, time, 0};
}
Step clear(int clock) {
    return {Op::Clear, teamOfClock(clock), clock, "", 0};
}
Step play(const std::string& time) {
    return {Op::Play, Team::Home, 0, time, 0};
}
Step goal(Team team) {
    return {Op::Goal, team, 0, "", 0};
}
Step scoreTo(Team team, int score) {
    return {Op::ScoreTo, team, 0, "", score};
}
Step newPeriod() {
    return {Op::NewPeriod, Team::Home, 0, "", 0};
}

constexpr Team kH = Team::Home;
constexpr Team kV = Team::Visitor;

// The board around the rules: four penalty clocks that run with the game clock, scores and the period. It does
// what the rules answer, and what Enter and the clear key do on a board without them.
class Rink {
public:
    PenaltyRules rules;
    PenaltyReadings readings{};
    std::array<bool, 4> lit{};
    std::array<int, 2> score{};
    GameMoment moment{1, t("20:00")};
    std::vector<PenaltyEvent> events;
    std::vector<std::string> refusals;

    void apply(const PenaltyOutcome& out) {
        for (const ClockAction& action : out.actions) {
            const auto i = static_cast<std::size_t>(action.clock - 1);
            readings[i] = action.kind == ClockAction::Kind::SetAndRun ? action.time : 0;
            lit[i] = action.kind == ClockAction::Kind::SetAndRun;
        }
        events.insert(events.end(), out.events.begin(), out.events.end());
        if (out.refusal)
            refusals.push_back(*out.refusal);
    }

    void run(const Step& step) {
        const auto i = static_cast<std::size_t>(step.clock > 0 ? step.clock - 1 : 0);
        const auto side = static_cast<std::size_t>(step.team == kH ? 0 : 1);
        switch (step.op) {
        case Op::Insert:
            apply(rules.addPenalty(step.team, t(step.time), step.clock, readings, moment));
            break;
        case Op::Enter:
            readings[i] = t(step.time);
            lit[i] = true;
            apply(rules.typedTime(step.clock, t(step.time), readings, moment));
            break;
        case Op::Clear:
            readings[i] = 0;
            lit[i] = false;
            apply(rules.cleared(step.clock, readings, moment));
            break;
        case Op::Play: {
            // The game clock stops at the period's end, and the penalty clocks with it.
            const TimeValue played = std::min(t(step.time), moment.gameClock);
            // Tick by tick, so each clock that reaches 0:00 is seen at its own moment.
            for (TimeValue done = 0; done < played; done += kTicksPerTenth) {
                moment.gameClock -= kTicksPerTenth;
                for (TimeValue& reading : readings)
                    reading = std::max<TimeValue>(0, reading - kTicksPerTenth);
                apply(rules.clocksRead(readings, moment));
            }
            break;
        }
        case Op::Goal:
            apply(rules.scoreChanged(step.team, score[side], score[side] + 1, readings, moment));
            score[side] += 1;
            break;
        case Op::ScoreTo:
            apply(rules.scoreChanged(step.team, score[side], step.score, readings, moment));
            score[side] = step.score;
            break;
        case Op::NewPeriod:
            moment = {moment.period + 1, t("20:00")};
            break;
        }
    }

    // The four penalty fields as shown: M:SS, or "" when dark.
    std::vector<std::string> fields() const {
        std::vector<std::string> shown;
        for (std::size_t i = 0; i < 4; ++i)
            shown.push_back(lit[i] ? mss(readings[i]) : "");
        return shown;
    }
    std::vector<std::string> described() const {
        std::vector<std::string> lines;
        for (const PenaltyEvent& e : events)
            lines.push_back(describe(e));
        return lines;
    }
};

std::vector<std::string> queued(const PenaltyRules& rules, Team team) {
    std::vector<std::string> times;
    for (TimeValue time : rules.queuedTimes(team))
        times.push_back(mss(time));
    return times;
}

} // namespace

// ---- Kinds -------------------------------------------------------------------------------------------------

struct KindRow {
    const char* typed;
    PenaltyKind kind;
};

class KindOfTypedTime : public testing::TestWithParam<KindRow> {};

TEST_P(KindOfTypedTime, FollowsTheExactFullTime) {
    EXPECT_EQ(penaltyKindOf(t(GetParam().typed)), GetParam().kind) << GetParam().typed;
}

INSTANTIATE_TEST_SUITE_P(Rows, KindOfTypedTime,
                         testing::Values(KindRow{"2:00", PenaltyKind::Minor}, KindRow{"4:00", PenaltyKind::DoubleMinor},
                                         KindRow{"5:00", PenaltyKind::Major}, KindRow{"1:59.9", PenaltyKind::Timed},
                                         KindRow{"2:00.1", PenaltyKind::Timed}, KindRow{"1:00", PenaltyKind::Timed},
                                         KindRow{"3:00", PenaltyKind::Timed}, KindRow{"9:59", PenaltyKind::Timed},
                                         KindRow{"0:01", PenaltyKind::Timed}));

// ---- Game situations ---------------------------------------------------------------------------------------

struct Situation {
    const char* name;
    std::vector<Step> steps;
    std::vector<std::string> events;
    std::vector<std::string> fields; // H1 H2 V1 V2 at the end
    std::vector<std::string> queuedHome;
    std::vector<std::string> queuedVisitor;
};

class GameSituation : public testing::TestWithParam<Situation> {};

TEST_P(GameSituation, EndsWithTheseClocksQueuesAndEvents) {
    const Situation& row = GetParam();
    Rink rink;
    for (const Step& step : row.steps)
        rink.run(step);
    EXPECT_EQ(rink.described(), row.events);
    EXPECT_EQ(rink.fields(), row.fields);
    EXPECT_EQ(queued(rink.rules, kH), row.queuedHome);
    EXPECT_EQ(queued(rink.rules, kV), row.queuedVisitor);
    EXPECT_TRUE(rink.refusals.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, GameSituation,
    testing::Values(
        Situation{"FiveOnThreeQueuesTheThirdAndAGoalStartsIt",
                  {play("1:00"), insert(kH, "2:00", 1), play("0:30"), insert(kH, "2:00", 1), play("0:30"),
                   insert(kH, "2:00", 2), play("0:30"), goal(kV)},
                  {"P1 19:00 added H1 minor 0:00>2:00", "P1 18:30 added H2 minor 0:00>2:00",
                   "P1 18:00 queued H- minor 0:00>0:00", "P1 17:30 released H1 minor 0:30>0:00",
                   "P1 17:30 starts H1 minor 0:00>2:00"},
                  {"2:00", "1:00", "", ""},
                  {},
                  {}},
        Situation{"FiveOnThreeSecondGoalEndsTheOtherMinor",
                  {insert(kH, "2:00", 1), play("0:30"), insert(kH, "2:00", 2), insert(kH, "2:00", 1), play("1:00"),
                   goal(kV), goal(kV)},
                  {"P1 20:00 added H1 minor 0:00>2:00", "P1 19:30 added H2 minor 0:00>2:00",
                   "P1 19:30 queued H- minor 0:00>0:00", "P1 18:30 released H1 minor 0:30>0:00",
                   "P1 18:30 starts H1 minor 0:00>2:00", "P1 18:30 released H2 minor 1:00>0:00"},
                  {"2:00", "", "", ""},
                  {},
                  {}},
        Situation{"FiveOnThreeWithoutAGoalTheThirdStartsWhenTheFirstRunsOut",
                  {insert(kH, "2:00", 1), play("0:20"), insert(kH, "5:00", 2), insert(kH, "2:00", 1), play("2:00")},
                  {"P1 20:00 added H1 minor 0:00>2:00", "P1 19:40 added H2 major 0:00>5:00",
                   "P1 19:40 queued H- minor 0:00>0:00", "P1 18:00 expired H1 minor 0:00>0:00",
                   "P1 18:00 starts H1 minor 0:00>2:00"},
                  {"1:40", "3:00", "", ""},
                  {},
                  {}},
        Situation{"DoubleMinorGoalAtThreeTenLeftEndsOnlyTheFirstMinor",
                  {insert(kV, "4:00", 3), play("0:50"), goal(kH), play("2:00")},
                  {"P1 20:00 added V1 double minor 0:00>4:00", "P1 19:10 released V1 double minor 3:10>2:00",
                   "P1 17:10 expired V1 double minor 0:00>0:00"},
                  {"", "", "0:00", ""},
                  {},
                  {}},
        Situation{"DoubleMinorGoalAtOneTenLeftEndsIt",
                  {insert(kV, "4:00", 3), play("2:50"), goal(kH)},
                  {"P1 20:00 added V1 double minor 0:00>4:00", "P1 17:10 released V1 double minor 1:10>0:00"},
                  {"", "", "", ""},
                  {},
                  {}},
        Situation{"DoubleMinorTwoGoalsEndBothMinors",
                  {insert(kV, "4:00", 4), play("0:30"), goal(kH), play("0:30"), goal(kH)},
                  {"P1 20:00 added V2 double minor 0:00>4:00", "P1 19:30 released V2 double minor 3:30>2:00",
                   "P1 19:00 released V2 double minor 1:30>0:00"},
                  {"", "", "", ""},
                  {},
                  {}},
        Situation{"DoubleMinorInItsFirstMinorGoesBeforeAMinorWithMoreLeft",
                  // The double minor's first minor has 0:15 left, the minor 1:55.
                  {insert(kV, "4:00", 3), play("1:40"), insert(kV, "2:00", 4), play("0:05"), goal(kH)},
                  {"P1 20:00 added V1 double minor 0:00>4:00", "P1 18:20 added V2 minor 0:00>2:00",
                   "P1 18:15 released V1 double minor 2:15>2:00"},
                  {"", "", "2:00", "1:55"},
                  {},
                  {}},
        Situation{"MinorWithLessLeftGoesBeforeADoubleMinorInItsSecondMinor",
                  {insert(kV, "4:00", 3), play("1:50"), insert(kV, "2:00", 4), play("0:20"), goal(kH)},
                  {"P1 20:00 added V1 double minor 0:00>4:00", "P1 18:10 added V2 minor 0:00>2:00",
                   "P1 17:50 released V2 minor 1:40>0:00"},
                  {"", "", "1:50", ""},
                  {},
                  {}},
        Situation{"CoincidentMinorsReleaseNothing",
                  {insert(kH, "2:00", 1), insert(kV, "2:00", 3), play("0:40"), goal(kH), goal(kV)},
                  {"P1 20:00 added H1 minor 0:00>2:00", "P1 20:00 added V1 minor 0:00>2:00"},
                  {"1:20", "", "1:20", ""},
                  {},
                  {}},
        Situation{
            "TwoAgainstOneEndsAMinorOfTheTeamWithTwo",
            {insert(kH, "2:00", 1), play("0:30"), insert(kH, "2:00", 2), insert(kV, "2:00", 3), play("0:10"), goal(kV)},
            {"P1 20:00 added H1 minor 0:00>2:00", "P1 19:30 added H2 minor 0:00>2:00",
             "P1 19:30 added V1 minor 0:00>2:00", "P1 19:20 released H1 minor 1:20>0:00"},
            {"", "1:50", "1:50", ""},
            {},
            {}},
        Situation{"EqualTimeLeftEndsThePenaltyAddedFirst",
                  {insert(kH, "2:00", 2), insert(kH, "2:00", 1), play("0:30"), goal(kV)},
                  {"P1 20:00 added H2 minor 0:00>2:00", "P1 20:00 added H1 minor 0:00>2:00",
                   "P1 19:30 released H2 minor 1:30>0:00"},
                  {"1:30", "", "", ""},
                  {},
                  {}},
        Situation{"MajorAndMinorToOneTeamAGoalEndsTheMinorOnly",
                  {insert(kV, "5:00", 3), insert(kV, "2:00", 4), play("1:00"), goal(kH), play("0:30"), goal(kH)},
                  {"P1 20:00 added V1 major 0:00>5:00", "P1 20:00 added V2 minor 0:00>2:00",
                   "P1 19:00 released V2 minor 1:00>0:00"},
                  {"", "", "3:30", ""},
                  {},
                  {}},
        Situation{"TimedPenaltyNeverEndsOnAGoal",
                  {insert(kH, "1:30", 1), play("0:10"), goal(kV)},
                  {"P1 20:00 added H1 timed 0:00>1:30"},
                  {"1:20", "", "", ""},
                  {},
                  {}},
        Situation{"ShortHandedGoalReleasesNothing",
                  {insert(kH, "2:00", 1), play("0:10"), goal(kH)},
                  {"P1 20:00 added H1 minor 0:00>2:00"},
                  {"1:50", "", "", ""},
                  {},
                  {}},
        Situation{"ScoreRaisedByTwoIsACorrection",
                  {insert(kH, "2:00", 1), scoreTo(kV, 2)},
                  {"P1 20:00 added H1 minor 0:00>2:00"},
                  {"2:00", "", "", ""},
                  {},
                  {}},
        Situation{"PenaltyEndingAtThePeriodsZeroAndTheNextPeriodsStart",
                  // H1 runs out with the period; the queued minor goes on its clock then and starts with
                  // period 2; H2 carries 1:00 into period 2.
                  {play("18:00"), insert(kH, "2:00", 1), play("1:00"), insert(kH, "2:00", 2), insert(kH, "2:00", 1),
                   play("5:00"), newPeriod(), play("0:30"), goal(kV)},
                  {"P1 2:00 added H1 minor 0:00>2:00", "P1 1:00 added H2 minor 0:00>2:00",
                   "P1 1:00 queued H- minor 0:00>0:00", "P1 0:00 expired H1 minor 0:00>0:00",
                   "P1 0:00 starts H1 minor 0:00>2:00", "P2 19:30 released H2 minor 0:30>0:00"},
                  {"1:30", "", "", ""},
                  {},
                  {}},
        Situation{"AQueueOfThreeStartsOldestFirstOnWhicheverClockFrees",
                  {insert(kV, "2:00", 3), play("0:30"), insert(kV, "2:00", 4), insert(kV, "5:00", 3),
                   insert(kV, "4:00", 3), insert(kV, "1:00", 4), play("1:30"), play("0:30")},
                  {"P1 20:00 added V1 minor 0:00>2:00", "P1 19:30 added V2 minor 0:00>2:00",
                   "P1 19:30 queued V- major 0:00>0:00", "P1 19:30 queued V- double minor 0:00>0:00",
                   "P1 19:30 queued V- timed 0:00>0:00", "P1 18:00 expired V1 minor 0:00>0:00",
                   "P1 18:00 starts V1 major 0:00>5:00", "P1 17:30 expired V2 minor 0:00>0:00",
                   "P1 17:30 starts V2 double minor 0:00>4:00"},
                  {"", "", "4:30", "4:00"},
                  {},
                  {"1:00"}},
        Situation{"InsertGoesOnTheOtherClockWhenTheTypedFieldIsTaken",
                  {insert(kH, "2:00", 2), insert(kH, "5:00", 2)},
                  {"P1 20:00 added H2 minor 0:00>2:00", "P1 20:00 added H1 major 0:00>5:00"},
                  {"5:00", "2:00", "", ""},
                  {},
                  {}},
        Situation{"AClockShowingZeroIsFree",
                  {insert(kH, "2:00", 1), insert(kH, "2:00", 2), play("2:00"), insert(kH, "2:00", 2)},
                  {"P1 20:00 added H1 minor 0:00>2:00", "P1 20:00 added H2 minor 0:00>2:00",
                   "P1 18:00 expired H1 minor 0:00>0:00", "P1 18:00 expired H2 minor 0:00>0:00",
                   "P1 18:00 added H2 minor 0:00>2:00"},
                  {"0:00", "2:00", "", ""},
                  {},
                  {}},
        Situation{"DownwardScoreCorrectionNeverBringsAPenaltyBack",
                  {insert(kH, "2:00", 1), play("0:20"), goal(kV), scoreTo(kV, 0), play("0:10")},
                  {"P1 20:00 added H1 minor 0:00>2:00", "P1 19:40 released H1 minor 1:40>0:00"},
                  {"", "", "", ""},
                  {},
                  {}},
        Situation{"ClearingAClockStartsTheQueuedPenalty",
                  {insert(kV, "2:00", 3), insert(kV, "2:00", 4), insert(kV, "5:00", 3), play("0:15"), clear(4)},
                  {"P1 20:00 added V1 minor 0:00>2:00", "P1 20:00 added V2 minor 0:00>2:00",
                   "P1 20:00 queued V- major 0:00>0:00", "P1 19:45 cleared V2 minor 1:45>0:00",
                   "P1 19:45 starts V2 major 0:00>5:00"},
                  {"", "", "1:45", "5:00"},
                  {},
                  {}}),
    [](const testing::TestParamInfo<Situation>& info) { return info.param.name; });

// ---- Enter: corrections and undoing a release ------------------------------------------------------------

INSTANTIATE_TEST_SUITE_P(
    Corrections, GameSituation,
    testing::Values(
        Situation{"ShorterTimeKeepsTheKindAndAGoalStillEndsIt",
                  {insert(kH, "2:00", 1), enter(1, "1:30"), goal(kV)},
                  {"P1 20:00 added H1 minor 0:00>2:00", "P1 20:00 corrected H1 minor 2:00>1:30",
                   "P1 20:00 released H1 minor 1:30>0:00"},
                  {"", "", "", ""},
                  {},
                  {}},
        Situation{"LongerTimeMakesAMinorAMajor",
                  {insert(kH, "2:00", 1), enter(1, "5:00"), goal(kV)},
                  {"P1 20:00 added H1 minor 0:00>2:00", "P1 20:00 corrected H1 major 2:00>5:00"},
                  {"5:00", "", "", ""},
                  {},
                  {}},
        Situation{"LongerOddTimeMakesItTimed",
                  {insert(kH, "2:00", 1), play("0:30"), enter(1, "3:00"), goal(kV)},
                  {"P1 20:00 added H1 minor 0:00>2:00", "P1 19:30 corrected H1 timed 1:30>3:00"},
                  {"3:00", "", "", ""},
                  {},
                  {}},
        Situation{"DoubleMinorCorrectedIntoItsSecondMinorEndsOnAGoal",
                  {insert(kV, "4:00", 3), enter(3, "1:30"), goal(kH)},
                  {"P1 20:00 added V1 double minor 0:00>4:00", "P1 20:00 corrected V1 double minor 4:00>1:30",
                   "P1 20:00 released V1 double minor 1:30>0:00"},
                  {"", "", "", ""},
                  {},
                  {}},
        Situation{"TypedZeroEndsThePenaltyAndTheQueuedOneStarts",
                  {insert(kV, "2:00", 3), insert(kV, "2:00", 4), insert(kV, "4:00", 3), play("0:05"), enter(3, "0:00")},
                  {"P1 20:00 added V1 minor 0:00>2:00", "P1 20:00 added V2 minor 0:00>2:00",
                   "P1 20:00 queued V- double minor 0:00>0:00", "P1 19:55 cleared V1 minor 1:55>0:00",
                   "P1 19:55 starts V1 double minor 0:00>4:00"},
                  {"", "", "4:00", "1:55"},
                  {},
                  {}},
        Situation{"EnterOnAFreeClockPutsAPenaltyThere",
                  {enter(2, "2:00"), play("0:30"), goal(kV)},
                  {"P1 20:00 added H2 minor 0:00>2:00", "P1 19:30 released H2 minor 1:30>0:00"},
                  {"", "", "", ""},
                  {},
                  {}},
        Situation{"TypingTheTimeAgainUndoesARelease",
                  {insert(kH, "2:00", 1), play("0:20"), goal(kV), enter(1, "1:40"), play("0:10"), goal(kV)},
                  {"P1 20:00 added H1 minor 0:00>2:00", "P1 19:40 released H1 minor 1:40>0:00",
                   "P1 19:40 undone H1 minor 0:00>1:40", "P1 19:30 released H1 minor 1:30>0:00"},
                  {"", "", "", ""},
                  {},
                  {}},
        Situation{"UndoingAReleaseSendsTheQueuedPenaltyItStartedBack",
                  {insert(kH, "2:00", 1), insert(kH, "5:00", 2), insert(kH, "4:00", 1), play("0:30"), goal(kV),
                   play("0:10"), enter(1, "1:30")},
                  {"P1 20:00 added H1 minor 0:00>2:00", "P1 20:00 added H2 major 0:00>5:00",
                   "P1 20:00 queued H- double minor 0:00>0:00", "P1 19:30 released H1 minor 1:30>0:00",
                   "P1 19:30 starts H1 double minor 0:00>4:00", "P1 19:20 requeued H1 double minor 3:50>0:00",
                   "P1 19:20 undone H1 minor 0:00>1:30"},
                  {"1:30", "4:20", "", ""},
                  {"4:00"},
                  {}},
        Situation{"UndoingTheCutOfADoubleMinor",
                  {insert(kV, "4:00", 3), play("0:50"), goal(kH), enter(3, "3:10"), play("1:30"), goal(kH)},
                  {"P1 20:00 added V1 double minor 0:00>4:00", "P1 19:10 released V1 double minor 3:10>2:00",
                   "P1 19:10 undone V1 double minor 2:00>3:10", "P1 17:40 released V1 double minor 1:40>0:00"},
                  {"", "", "", ""},
                  {},
                  {}},
        Situation{"OnlyTheFirstEnterUndoesTheLaterOnesCorrect",
                  {insert(kH, "2:00", 1), goal(kV), enter(1, "2:00"), enter(1, "1:00")},
                  {"P1 20:00 added H1 minor 0:00>2:00", "P1 20:00 released H1 minor 2:00>0:00",
                   "P1 20:00 undone H1 minor 0:00>2:00", "P1 20:00 corrected H1 minor 2:00>1:00"},
                  {"1:00", "", "", ""},
                  {},
                  {}},
        Situation{"ANewPenaltyOnTheClockEndsTheChanceToUndo",
                  {insert(kH, "2:00", 1), goal(kV), insert(kH, "5:00", 1), enter(1, "4:00"), goal(kV)},
                  {"P1 20:00 added H1 minor 0:00>2:00", "P1 20:00 released H1 minor 2:00>0:00",
                   "P1 20:00 added H1 major 0:00>5:00", "P1 20:00 corrected H1 major 5:00>4:00"},
                  {"4:00", "", "", ""},
                  {},
                  {}}),
    [](const testing::TestParamInfo<Situation>& info) { return info.param.name; });

TEST(PenaltyRules, TheUndoRecordNamesTheReleaseItUndoes) {
    Rink rink;
    for (const Step& step : {insert(kH, "2:00", 1), goal(kV), enter(1, "2:00")})
        rink.run(step);
    ASSERT_EQ(rink.events.size(), 3u);
    EXPECT_EQ(rink.events[2].kind, PenaltyEventKind::ReleaseUndone);
    EXPECT_EQ(rink.events[2].undoes, rink.events[1].serial);
    EXPECT_EQ(rink.events[2].penaltyId, rink.events[0].penaltyId);
}

// ---- Refusals -----------------------------------------------------------------------------------------

struct RefusalRow {
    const char* name;
    std::vector<Step> setup;
    Step refused;
    std::string message;
};

class Refusal : public testing::TestWithParam<RefusalRow> {};

TEST_P(Refusal, ChangesNothingAndSaysWhy) {
    Rink rink;
    for (const Step& step : GetParam().setup)
        rink.run(step);
    const auto fieldsBefore = rink.fields();
    const auto queuedBefore = queued(rink.rules, kH);
    const std::size_t eventsBefore = rink.events.size();
    rink.run(GetParam().refused);
    ASSERT_EQ(rink.refusals.size(), 1u);
    EXPECT_EQ(rink.refusals[0], GetParam().message);
    EXPECT_EQ(rink.fields(), fieldsBefore);
    EXPECT_EQ(queued(rink.rules, kH), queuedBefore);
    EXPECT_EQ(rink.events.size(), eventsBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Refusal,
    testing::Values(RefusalRow{"NoTime", {}, insert(kH, "0:00", 1), "A penalty needs a time from 0:01 to 9:59."},
                    RefusalRow{"OverTheLimit", {}, insert(kH, "10:00", 1), "A penalty needs a time from 0:01 to 9:59."},
                    RefusalRow{"QueueFull",
                               {insert(kH, "2:00", 1), insert(kH, "2:00", 1), insert(kH, "2:00", 1),
                                insert(kH, "2:00", 1), insert(kH, "2:00", 1), insert(kH, "2:00", 1),
                                insert(kH, "2:00", 1), insert(kH, "2:00", 1), insert(kH, "2:00", 1),
                                insert(kH, "2:00", 1)},
                               insert(kH, "2:00", 1),
                               "The home team already has 8 penalties waiting."}),
    [](const testing::TestParamInfo<RefusalRow>& info) { return info.param.name; });

TEST(PenaltyRules, ClockNumbersOutsideThePenaltyClocksAreRefused) {
    PenaltyRules rules;
    const PenaltyReadings none{};
    for (int clock : {-1, 0, 5, 1000}) {
        EXPECT_TRUE(rules.typedTime(clock, t("2:00"), none, {}).refusal) << clock;
        EXPECT_TRUE(rules.cleared(clock, none, {}).refusal) << clock;
        EXPECT_FALSE(rules.onClock(clock)) << clock;
    }
    // A field of the other team, or none, is no preference: the penalty goes on the team's own clock.
    const PenaltyOutcome out = rules.addPenalty(Team::Visitor, t("2:00"), 1, none, {});
    ASSERT_EQ(out.actions.size(), 1u);
    EXPECT_EQ(out.actions[0].clock, 3);
}

TEST(PenaltyRules, ReadingsOutsideAPenaltysRangeAreHeldToIt) {
    PenaltyRules rules;
    rules.addPenalty(Team::Home, t("2:00"), 1, {}, {});
    const PenaltyOutcome out = rules.clocksRead({-5, 0, 0, 0}, {});
    ASSERT_EQ(out.events.size(), 1u);
    EXPECT_EQ(out.events[0].kind, PenaltyEventKind::Expired);
    rules.addPenalty(Team::Home, t("2:00"), 1, {}, {});
    rules.clocksRead({secondsToTime(1000000), 0, 0, 0}, {});
    EXPECT_EQ(rules.onClock(1)->remaining, kLongestPenalty);
}

TEST(PenaltyRules, ResetForgetsClocksAndQueues) {
    Rink rink;
    for (const Step& step : {insert(kH, "2:00", 1), insert(kH, "2:00", 1), insert(kH, "2:00", 1)})
        rink.run(step);
    EXPECT_EQ(rink.rules.livePenalties(kH), 2);
    rink.rules.reset();
    EXPECT_EQ(rink.rules.livePenalties(kH), 0);
    EXPECT_TRUE(rink.rules.queuedTimes(kH).empty());
    EXPECT_FALSE(rink.rules.onClock(1));
}

// ---- Saved state -------------------------------------------------------------------------------------------

TEST(PenaltyRulesState, ASavedGameGoesOnAsIfNeverStopped) {
    Rink played;
    Rink resumed;
    const std::vector<Step> before = {insert(kH, "2:00", 1), play("0:30"),          insert(kH, "4:00", 2),
                                      insert(kH, "5:00", 1), insert(kV, "2:00", 3), play("0:10")};
    const std::vector<Step> after = {goal(kV), goal(kV), play("2:00"), goal(kV)};
    for (const Step& step : before) {
        played.run(step);
        resumed.run(step);
    }
    const std::optional<PenaltyRules> restored = PenaltyRules::fromState(resumed.rules.state());
    ASSERT_TRUE(restored);
    resumed.rules = *restored;
    EXPECT_EQ(resumed.rules.state(), played.rules.state());
    for (const Step& step : after) {
        played.run(step);
        resumed.run(step);
    }
    EXPECT_EQ(resumed.described(), played.described());
    EXPECT_EQ(resumed.events.back().serial, played.events.back().serial);
    EXPECT_EQ(resumed.fields(), played.fields());
}

struct BadStateRow {
    const char* name;
    std::function<void(PenaltyRulesState&)> spoil;
};

class BadSavedState : public testing::TestWithParam<BadStateRow> {};

TEST_P(BadSavedState, IsRefusedAsAWhole) {
    Rink rink;
    for (const Step& step :
         {insert(kH, "2:00", 1), insert(kH, "2:00", 1), insert(kH, "5:00", 1), insert(kV, "4:00", 3)})
        rink.run(step);
    PenaltyRulesState state = rink.rules.state();
    ASSERT_TRUE(PenaltyRules::fromState(state));
    GetParam().spoil(state);
    EXPECT_FALSE(PenaltyRules::fromState(state));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, BadSavedState,
    testing::Values(
        BadStateRow{"UnknownKind", [](PenaltyRulesState& s) { s.clocks[0]->kind = static_cast<PenaltyKind>(7); }},
        BadStateRow{"NoFullTime", [](PenaltyRulesState& s) { s.clocks[2]->fullTime = 0; }},
        BadStateRow{"FullTimeOverTheLimit", [](PenaltyRulesState& s) { s.queues[0][0].fullTime = secondsToTime(600); }},
        BadStateRow{"MoreLeftThanItsTime",
                    [](PenaltyRulesState& s) { s.clocks[1]->remaining = kMinorTime + kTicksPerTenth; }},
        BadStateRow{"NegativeLeft", [](PenaltyRulesState& s) { s.clocks[1]->remaining = -1; }},
        BadStateRow{"IdTwice", [](PenaltyRulesState& s) { s.queues[0][0].id = s.clocks[0]->id; }},
        BadStateRow{"IdNotYetGiven", [](PenaltyRulesState& s) { s.clocks[2]->id = s.nextId; }},
        BadStateRow{"IdZero", [](PenaltyRulesState& s) { s.clocks[0]->id = 0; }},
        BadStateRow{"QueueTooLong",
                    [](PenaltyRulesState& s) {
                        for (std::uint64_t i = 0; i <= kMaxQueued; ++i)
                            s.queues[1].push_back({s.nextId++, PenaltyKind::Minor, kMinorTime});
                    }},
        BadStateRow{"NoSerial", [](PenaltyRulesState& s) { s.nextSerial = 0; }}),
    [](const testing::TestParamInfo<BadStateRow>& info) { return info.param.name; });
