#include "core/board/ClockEngine.h"
#include "core/game/GameModel.h"
#include <functional>
#include <gtest/gtest.h>

namespace {

using game::GameState;

TimeValue sec(std::int64_t s) {
    return secondsToTime(s);
}

struct FreshCase {
    const char* what;
    std::function<void(GameState&)> change;
    bool fresh;
};

class FreshGameTest : public ::testing::TestWithParam<FreshCase> {};

TEST_P(FreshGameTest, OnlyAGameInProgressCounts) {
    GameState s = game::freshGame();
    GetParam().change(s);
    EXPECT_EQ(game::isFreshGame(s), GetParam().fresh) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Changes, FreshGameTest,
    ::testing::Values(FreshCase{"nothing", [](GameState&) {}, true},
                      FreshCase{"a field selected", [](GameState& s) { s.selected = game::Field::HomeBack; }, true},
                      FreshCase{"the time of day shown", [](GameState& s) { s.timeOfDay = true; }, true},
                      FreshCase{"a home goal",
                                [](GameState& s) {
                                    s.homeDigits = {1, -1};
                                },
                                false},
                      FreshCase{"a visitor goal",
                                [](GameState& s) {
                                    s.visitorDigits = {2, -1};
                                },
                                false},
                      FreshCase{"a score cleared dark",
                                [](GameState& s) {
                                    s.homeDigits = {-1, -1};
                                },
                                false},
                      FreshCase{"the period", [](GameState& s) { s.periodDigits = {1}; }, false},
                      FreshCase{"a typed time", [](GameState& s) { s.resetTime = sec(1200); }, false},
                      FreshCase{"a penalty typed",
                                [](GameState& s) {
                                    s.penaltyDigits[2] = {0, 0, 2};
                                },
                                false},
                      FreshCase{"a penalty light", [](GameState& s) { s.penaltyLights[0] = true; }, false},
                      FreshCase{"a goal light", [](GameState& s) { s.whoGoal = 2; }, false},
                      FreshCase{"the clock has run", [](GameState& s) { s.clocks[0].used = 1000; }, false},
                      FreshCase{"the clock runs", [](GameState& s) { s.clocks[0].running = true; }, false},
                      FreshCase{"a penalty clock set", [](GameState& s) { s.clocks[3].setTime = sec(120); }, false},
                      FreshCase{"a player noted", [](GameState& s) { s.penaltyPlayers[1] = 7; }, false}));

struct PlayerCase {
    int clock;
    int number;
    std::array<int, 4> players; // after noting it on a board with 5 on clock 4
};

class PenaltyPlayerTest : public ::testing::TestWithParam<PlayerCase> {};

TEST_P(PenaltyPlayerTest, IsNotedOnItsClockOnlyWhenTheBoardCanShowIt) {
    GameState s = game::freshGame();
    s.penaltyPlayers[3] = 5;
    game::setPenaltyPlayer(s, GetParam().clock, GetParam().number);
    EXPECT_EQ(s.penaltyPlayers, GetParam().players);
}

INSTANTIATE_TEST_SUITE_P(Numbers, PenaltyPlayerTest,
                         ::testing::Values(PlayerCase{1, 17, {17, -1, -1, 5}}, PlayerCase{2, 0, {-1, 0, -1, 5}},
                                           PlayerCase{3, 99, {-1, -1, 99, 5}}, PlayerCase{4, -1, {-1, -1, -1, -1}},
                                           PlayerCase{4, 100, {-1, -1, -1, -1}}, PlayerCase{4, -7, {-1, -1, -1, -1}},
                                           PlayerCase{0, 12, {-1, -1, -1, 5}}, PlayerCase{5, 12, {-1, -1, -1, 5}},
                                           PlayerCase{-2147483647 - 1, 12, {-1, -1, -1, 5}}));

struct PlayerDigitsCase {
    int number;
    std::array<int, 2> digits;
};

class PlayerDigitsTest : public ::testing::TestWithParam<PlayerDigitsCase> {};

TEST_P(PlayerDigitsTest, TwoDigitsWithoutALeadingZero) {
    EXPECT_EQ(game::playerDigits(GetParam().number), GetParam().digits) << GetParam().number;
}

INSTANTIATE_TEST_SUITE_P(Numbers, PlayerDigitsTest,
                         ::testing::Values(PlayerDigitsCase{-1, {-1, -1}}, PlayerDigitsCase{0, {0, -1}},
                                           PlayerDigitsCase{7, {7, -1}}, PlayerDigitsCase{10, {0, 1}},
                                           PlayerDigitsCase{99, {9, 9}}, PlayerDigitsCase{100, {-1, -1}}));

struct QuestionCase {
    std::array<int, 2> home;
    std::array<int, 2> visitor;
    int period;
    TimeValue set;
    TimeValue used;
    const char* expected;
};

class ResumeQuestionTest : public ::testing::TestWithParam<QuestionCase> {};

TEST_P(ResumeQuestionTest, NamesScorePeriodAndTimeLeft) {
    GameState s;
    s.homeDigits = GetParam().home;
    s.visitorDigits = GetParam().visitor;
    s.periodDigits = {GetParam().period};
    s.clocks[0].setTime = GetParam().set;
    s.clocks[0].used = GetParam().used;
    EXPECT_EQ(game::resumeQuestion(s, "20:15:07"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, ResumeQuestionTest,
    ::testing::Values(
        QuestionCase{{3, -1},
                     {1, -1},
                     2,
                     sec(1200),
                     sec(1200 - 754),
                     "Resume the game in progress? Home 3 - Visitor 1, period 2, 12:34 left, saved 20:15:07"},
        // Tens and units; a score cleared dark reads 0; the board shows a running second rounded up.
        QuestionCase{{2, 1},
                     {-1, -1},
                     3,
                     sec(600),
                     sec(600 - 59) + 5000,
                     "Resume the game in progress? Home 12 - Visitor 0, period 3, 0:59 left, saved 20:15:07"},
        // A clock used beyond its time has none left.
        QuestionCase{{0, -1},
                     {0, -1},
                     0,
                     sec(60),
                     sec(90),
                     "Resume the game in progress? Home 0 - Visitor 0, period 0, 0:00 left, saved 20:15:07"}));

TEST(FieldNames, EveryFieldHasItsControlName) {
    for (int i = 0; i < game::kFieldCount; ++i) {
        const auto f = static_cast<game::Field>(i);
        EXPECT_EQ(game::fieldNamed(game::fieldName(f)), f);
    }
    EXPECT_EQ(game::fieldName(game::Field::GoalLights), "picGoalBack");
    EXPECT_EQ(game::fieldNamed("lumHome"), std::nullopt);
    EXPECT_EQ(game::fieldNamed(""), std::nullopt);
}

// The engine's table: what a snapshot reads is what a restore brings back, every clock stopped.
TEST(ClockTable, SnapshotChargesNothingAndRestoreStopsEveryClock) {
    ManualClockSource source;
    ClockEngine engine(source);
    engine.setClock(sec(1200), 0, 0);
    engine.setClock(sec(120), 0, 1);
    engine.setClock(sec(300), 0, 3);
    engine.startClock(0);
    engine.startClock(1);
    source.advance(65'432);
    const ClockTable table = engine.snapshot();
    EXPECT_EQ(table[0].setTime, sec(1200));
    EXPECT_EQ(table[0].used, 654'000); // whole tenths: 65.4 s
    EXPECT_TRUE(table[0].running);
    EXPECT_EQ(table[1].used, 654'000);
    EXPECT_FALSE(table[3].running);
    EXPECT_EQ(table[3].used, 0);
    // Taking the snapshot moved nothing: a stop now charges the whole run.
    EXPECT_EQ(engine.clockValue(0), sec(1200) - 654'000);

    ManualClockSource later;
    later.setMillis(9'000'000);
    ClockEngine resumed(later);
    resumed.restore(table);
    for (int n = 0; n < kClockCount; ++n) {
        EXPECT_EQ(resumed.isClockRunning(n), 0) << n;
    }
    later.advance(10'000);
    EXPECT_EQ(resumed.clockValue(0), sec(1200) - 654'000);
    EXPECT_EQ(resumed.clockValue(1), sec(120) - 654'000);
    EXPECT_EQ(resumed.clockValue(3), sec(300));
    resumed.startClock(0);
    later.advance(2'000);
    EXPECT_EQ(resumed.clockValue(0), sec(1200) - 674'000);
}

TEST(ClockTable, AClockRunOutReadsAsAllUsed) {
    ManualClockSource source;
    ClockEngine engine(source);
    engine.setClock(sec(5), 0, 2);
    engine.startClock(2);
    source.advance(9'000);
    const ClockTable table = engine.snapshot();
    EXPECT_EQ(table[2].used, sec(5));
    ClockEngine resumed(source);
    resumed.restore(table);
    EXPECT_EQ(resumed.clockValue(2), 0);
}

} // namespace
