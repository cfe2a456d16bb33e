#include "core/game/GameJournal.h"
#include "core/game/JsonReader.h"
#include <gtest/gtest.h>
#include <string>

namespace {

using game::GameState;

GameState gameInPlay() {
    GameState s;
    s.timeDigits = {1, 2, 3, 4};
    s.colon = true;
    s.homeDigits = {3, -1};
    s.visitorDigits = {1, 1};
    s.periodDigits = {2};
    s.penaltyDigits[0] = {5, 4, 1};
    s.penaltyDigits[2] = {0, 0, 2};
    s.penaltyLights = {true, false, true, false};
    s.whoGoal = 2;
    s.timeOfDay = true;
    s.selected = game::Field::PenaltyTV1;
    s.resetTime = secondsToTime(1200);
    s.zeroBuzzed = true;
    s.clocks[0] = {secondsToTime(1200), 4'455'000, true, false};
    s.clocks[1] = {secondsToTime(120), 65'000, true, false};
    s.clocks[3] = {secondsToTime(120), 0, false, false};
    return s;
}

GameState withPlayers() {
    GameState s = gameInPlay();
    s.penaltyPlayers = {17, -1, 0, 99};
    return s;
}

TEST(GameJournal, WhatIsWrittenReadsBackTheSame) {
    for (const GameState& s : {game::freshGame(), gameInPlay(), withPlayers()}) {
        const std::string text = game::writeJournal(s, 1'796'674'507'000);
        const game::JournalReading r = game::readJournal(text);
        ASSERT_TRUE(r.game) << r.problem;
        EXPECT_EQ(r.game->state, s);
        EXPECT_EQ(r.game->savedAtMillis, 1'796'674'507'000);
        EXPECT_EQ(r.heldValues, 0);
        EXPECT_LT(text.size(), 1024u);
    }
}

// Replaces the first occurrence of a part of a valid journal.
std::string edited(const std::string& from, const std::string& to) {
    std::string text = game::writeJournal(gameInPlay(), 1000);
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) {
        text.replace(at, from.size(), to);
    }
    return text;
}

struct RefusedCase {
    const char* what;
    std::string text;
    const char* reasonHas;
};

class RefusedJournalTest : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedJournalTest, IsRefusedWholeWithOneLine) {
    const game::JournalReading r = game::readJournal(GetParam().text);
    EXPECT_FALSE(r.game) << GetParam().what;
    EXPECT_NE(r.problem.find("The saved game cannot be used: "), std::string::npos) << r.problem;
    EXPECT_NE(r.problem.find(GetParam().reasonHas), std::string::npos) << GetParam().what << ": " << r.problem;
    EXPECT_EQ(r.problem.find('\n'), std::string::npos) << r.problem;
}

const std::string kValid = game::writeJournal(gameInPlay(), 1000);

INSTANTIATE_TEST_SUITE_P(
    Faults, RefusedJournalTest,
    ::testing::Values(
        RefusedCase{"empty", "", "ends too early"},
        RefusedCase{"truncated", kValid.substr(0, kValid.size() / 2), "ends too early"},
        RefusedCase{"one byte short", kValid.substr(0, kValid.size() - 2), "ends too early"},
        RefusedCase{"garbage",
                    "\x7f"
                    "ELF\x01\x02",
                    "unexpected character"},
        RefusedCase{"not an object", "[1,2,3]", "not a saved game"},
        RefusedCase{"another program's JSON", R"({"version":1})", "not a saved game"},
        RefusedCase{"a newer version", edited("\"version\":1", "\"version\":2"), "newer Rinkmaster"},
        RefusedCase{"a huge version", edited("\"version\":1", "\"version\":99999999999999999999999"), "newer"},
        RefusedCase{"version zero", edited("\"version\":1", "\"version\":0"), "unknown version"},
        RefusedCase{"no version", edited("\"version\":1", "\"versio\":1"), "no version"},
        RefusedCase{"a missing score", edited("\"homeDigits\"", "\"homeDigit\""), "\"homeDigits\" is missing"},
        RefusedCase{"a score of the wrong length", edited("\"homeDigits\":[3,-1]", "\"homeDigits\":[3]"), "homeDigits"},
        RefusedCase{"a digit as text", edited("\"periodDigits\":[2]", "\"periodDigits\":[\"2\"]"), "periodDigits"},
        RefusedCase{"a fraction", edited("\"periodDigits\":[2]", "\"periodDigits\":[2.5]"), "not a whole number"},
        RefusedCase{"three penalty clocks", edited("[[5,4,1],", "["), "penaltyDigits"},
        RefusedCase{"a light as a number", edited("\"penaltyLights\":[true", "\"penaltyLights\":[1"), "penaltyLights"},
        RefusedCase{"no clock table", edited("\"clocks\"", "\"clock\""), "\"clocks\""},
        RefusedCase{"a clock without its time", edited("{\"set\":12000000,", "{"), "\"clocks\""},
        RefusedCase{"a clock as a list",
                    edited("{\"set\":12000000,\"used\":4455000,\"running\":true,\"countUp\":false}", "[1]"),
                    "\"clocks\""},
        RefusedCase{"a selection as a number", edited("\"selected\":\"PenaltyTV1\"", "\"selected\":4"), "selected"},
        RefusedCase{"a name twice", edited("\"colon\":true", "\"colon\":true,\"colon\":false"), "twice"},
        RefusedCase{"text after the document", kValid + "{}", "after the document"},
        RefusedCase{"deeply nested", std::string(100, '[') + std::string(100, ']'), "nested too deeply"},
        RefusedCase{"too large", std::string(70'000, ' '), "larger than"},
        RefusedCase{"an unclosed string", R"({"format":"rinkm)", "not closed"}));

struct HeldCase {
    const char* what;
    std::string from;
    std::string to;
    std::function<bool(const GameState&)> check;
};

class HeldJournalTest : public ::testing::TestWithParam<HeldCase> {};

TEST_P(HeldJournalTest, ValuesAreHeldToWhatTheBoardCanShow) {
    const game::JournalReading r = game::readJournal(edited(GetParam().from, GetParam().to));
    ASSERT_TRUE(r.game) << GetParam().what << ": " << r.problem;
    EXPECT_GE(r.heldValues, 1) << GetParam().what;
    EXPECT_TRUE(GetParam().check(r.game->state)) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Faults, HeldJournalTest,
    ::testing::Values(
        HeldCase{"a digit above 9", "\"periodDigits\":[2]", "\"periodDigits\":[12]",
                 [](const GameState& s) { return s.periodDigits[0] == 9; }},
        HeldCase{"a digit below dark", "\"homeDigits\":[3,-1]", "\"homeDigits\":[3,-7]",
                 [](const GameState& s) { return s.homeDigits[1] == -1; }},
        HeldCase{"a huge digit", "\"homeDigits\":[3,-1]", "\"homeDigits\":[99999999999999999999999,-1]",
                 [](const GameState& s) { return s.homeDigits[0] == 9; }},
        HeldCase{"no such goal light", "\"whoGoal\":2", "\"whoGoal\":7",
                 [](const GameState& s) { return s.whoGoal == 0; }},
        HeldCase{"no such field", "\"selected\":\"PenaltyTV1\"", "\"selected\":\"lblHome\"",
                 [](const GameState& s) { return !s.selected; }},
        HeldCase{"a clock that ran backwards", "\"used\":4455000", "\"used\":-30000",
                 [](const GameState& s) { return s.clocks[0].used == 0; }},
        HeldCase{"more used than set", "\"used\":4455000", "\"used\":99000000",
                 [](const GameState& s) { return s.clocks[0].used == s.clocks[0].setTime; }},
        HeldCase{"a huge game time", "{\"set\":12000000", "{\"set\":9223372036854775807",
                 [](const GameState& s) { return s.clocks[0].setTime == game::kMaxGameClockSet; }},
        HeldCase{"a negative game time", "{\"set\":12000000", "{\"set\":-12000000",
                 [](const GameState& s) { return s.clocks[0].setTime == 0 && s.clocks[0].used == 0; }},
        HeldCase{"a penalty beyond 9:59", "{\"set\":1200000,\"used\":65000", "{\"set\":90000000,\"used\":65000",
                 [](const GameState& s) { return s.clocks[1].setTime == game::kMaxPenaltySet; }},
        HeldCase{"a time between tenths", "\"resetTime\":12000000", "\"resetTime\":12000999",
                 [](const GameState& s) { return s.resetTime == 12'000'000; }},
        HeldCase{"a negative reset time", "\"resetTime\":12000000", "\"resetTime\":-5",
                 [](const GameState& s) { return s.resetTime == 0; }},
        HeldCase{"a save before 1970", "\"savedAt\":1000", "\"savedAt\":-1000", [](const GameState&) { return true; }},
        HeldCase{"player numbers the board cannot show", "\"whoGoal\"",
                 "\"penaltyPlayers\":[17,null,100,-3],\"whoGoal\"",
                 [](const GameState& s) {
                     return s.penaltyPlayers == std::array<int, 4>{17, -1, -1, -1};
                 }},
        HeldCase{"a player number as text", "\"whoGoal\"",
                 "\"penaltyPlayers\":[\"9\",8,null,99999999999999999999999],\"whoGoal\"",
                 [](const GameState& s) {
                     return s.penaltyPlayers == std::array<int, 4>{-1, 8, -1, -1};
                 }},
        HeldCase{"three player numbers", "\"whoGoal\"", "\"penaltyPlayers\":[1,2,3],\"whoGoal\"",
                 [](const GameState& s) { return !game::anyPenaltyPlayer(s); }},
        HeldCase{"player numbers not a list", "\"whoGoal\"", "\"penaltyPlayers\":{},\"whoGoal\"",
                 [](const GameState& s) { return !game::anyPenaltyPlayer(s); }}));

TEST(GameJournal, AnIntermissionReadsBackAndOlderJournalsHaveNone) {
    GameState s = gameInPlay();
    EXPECT_EQ(game::writeJournal(s, 1000).find("intermission"), std::string::npos);
    s.intermission = true;
    const game::JournalReading r = game::readJournal(game::writeJournal(s, 1000));
    ASSERT_TRUE(r.game) << r.problem;
    EXPECT_EQ(r.game->state, s);
    const game::JournalReading bad =
        game::readJournal(edited("\"zeroBuzzed\":true", "\"zeroBuzzed\":true,\"intermission\":1"));
    ASSERT_TRUE(bad.game) << bad.problem;
    EXPECT_FALSE(bad.game->state.intermission);
    EXPECT_EQ(bad.heldValues, 1);
}

TEST(GameJournal, PlayerNumbersAreWrittenOnlyOnceOneIsNoted) {
    EXPECT_EQ(game::writeJournal(gameInPlay(), 1000).find("penaltyPlayers"), std::string::npos);
    EXPECT_NE(game::writeJournal(withPlayers(), 1000).find("\"penaltyPlayers\":[17,null,0,99]"), std::string::npos);
}

TEST(GameJournal, UnknownPartsOfTheSameVersionAreIgnored) {
    const game::JournalReading r = game::readJournal(edited("\"colon\":true", "\"colon\":true,\"note\":[{}]"));
    ASSERT_TRUE(r.game) << r.problem;
    EXPECT_EQ(r.game->state, gameInPlay());
}

struct JsonCase {
    const char* text;
    bool ok;
};

class JsonReaderTest : public ::testing::TestWithParam<JsonCase> {};

TEST_P(JsonReaderTest, ReadsOnlyStrictJson) {
    const json::ParseResult r = json::parse(GetParam().text);
    EXPECT_EQ(r.value.has_value(), GetParam().ok) << GetParam().text << " " << r.error;
    EXPECT_EQ(r.error.empty(), GetParam().ok) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Examples, JsonReaderTest,
                         ::testing::Values(JsonCase{"0", true}, JsonCase{"-0", true}, JsonCase{"01", false},
                                           JsonCase{"-", false}, JsonCase{"1e5", false}, JsonCase{" true ", true},
                                           JsonCase{"tru", false}, JsonCase{"nul", false},
                                           JsonCase{R"("a\u00e9\ud83d\ude00")", true}, JsonCase{R"("\u12")", false},
                                           JsonCase{R"("\x")", false}, JsonCase{"\"a\nb\"", false},
                                           JsonCase{"[1,]", false}, JsonCase{"{\"a\":1,}", false},
                                           JsonCase{"{\"a\" 1}", false}, JsonCase{"{1:1}", false},
                                           JsonCase{"[1 2]", false}, JsonCase{"", false}));

TEST(JsonReader, HoldsNumbersBeyondSixtyFourBits) {
    const auto big = json::parse("[9223372036854775807,9223372036854775808,-9223372036854775808,-9223372036854775809]");
    ASSERT_TRUE(big.value);
    const json::Array& a = *big.value->array();
    EXPECT_EQ(*a[0].integer(), INT64_MAX);
    EXPECT_FALSE(a[0].outOfRange);
    EXPECT_EQ(*a[1].integer(), INT64_MAX);
    EXPECT_TRUE(a[1].outOfRange);
    EXPECT_EQ(*a[2].integer(), INT64_MIN);
    EXPECT_FALSE(a[2].outOfRange);
    EXPECT_EQ(*a[3].integer(), INT64_MIN);
    EXPECT_TRUE(a[3].outOfRange);
}

} // namespace

// ---- The penalty rules' record ----------------------------------------------------------------------------

namespace {

// A game with the rules in use: a home minor and a double minor on the clocks, a major waiting, a goal and a
// period in the sheet's list.
GameState gameWithRules() {
    GameState s = gameInPlay();
    PenaltyRules rules;
    PenaltyReadings now{};
    const GameMoment at{2, secondsToTime(700)};
    auto note = [&s](const PenaltyOutcome& o) {
        for (const PenaltyEvent& e : o.events) {
            s.rules.note(SheetEvent{SheetEvent::Kind::Penalty, e.at, e.team, 0, 0, e});
        }
    };
    s.rules.note(SheetEvent{SheetEvent::Kind::Period, at, Team::Home, 0, 0, {}});
    note(rules.addPenalty(Team::Home, secondsToTime(120), 1, now, at));
    now[0] = secondsToTime(120);
    note(rules.addPenalty(Team::Home, secondsToTime(240), 2, now, at));
    now[1] = secondsToTime(240);
    note(rules.addPenalty(Team::Home, secondsToTime(300), 1, now, at));
    s.rules.note(SheetEvent{SheetEvent::Kind::Score, at, Team::Visitor, 1, 2, {}});
    s.rules.penalties = rules.state();
    return s;
}

std::string rulesJournal() {
    return game::writeJournal(gameWithRules(), 1000);
}

std::string editedRules(const std::string& from, const std::string& to) {
    std::string text = rulesJournal();
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) {
        text.replace(at, from.size(), to);
    }
    return text;
}

} // namespace

TEST(GameJournal, ThePenaltyRulesRecordReadsBackTheSame) {
    const GameState s = gameWithRules();
    ASSERT_EQ(s.rules.penalties.queues[0].size(), 1u);
    const std::string text = game::writeJournal(s, 1000);
    EXPECT_NE(text.find("\"penaltyRules\":{"), std::string::npos);
    const game::JournalReading r = game::readJournal(text);
    ASSERT_TRUE(r.game) << r.problem;
    EXPECT_EQ(r.game->state, s);
}

TEST(GameJournal, AJournalWithoutTheRulesReadsWithAnEmptyRecord) {
    // What every board wrote before the rules, and a board with them off writes now.
    const std::string text = game::writeJournal(gameInPlay(), 1000);
    EXPECT_EQ(text.find("penaltyRules"), std::string::npos);
    const game::JournalReading r = game::readJournal(text);
    ASSERT_TRUE(r.game) << r.problem;
    EXPECT_TRUE(r.game->state.rules.empty());
}

TEST(GameJournal, AFullSheetStaysWithinTheJournalsSize) {
    GameState s = gameWithRules();
    const SheetEvent longest = s.rules.sheet[1];
    const std::size_t before = s.rules.sheet.size();
    for (std::size_t i = 0; i < 2 * game::kMaxSheetEvents; ++i) {
        s.rules.note(longest);
    }
    EXPECT_EQ(s.rules.sheet.size(), game::kMaxSheetEvents);
    EXPECT_EQ(s.rules.dropped, before + game::kMaxSheetEvents); // counted, and kept below
    const std::string text = game::writeJournal(s, 1000);
    EXPECT_LT(text.size(), json::kMaxDocumentBytes / 2);
    const game::JournalReading r = game::readJournal(text);
    ASSERT_TRUE(r.game) << r.problem;
    EXPECT_EQ(r.game->state.rules, s.rules);
}

struct DroppedRulesCase {
    const char* what;
    std::string text;
    const char* reason; // found in the one line that tells of it
};

class DroppedRulesTest : public ::testing::TestWithParam<DroppedRulesCase> {};

// A record the rules could not have made costs the record only: scores, clocks and the board's penalties stay.
TEST_P(DroppedRulesTest, TheRulesRecordIsLeftOutAndTheGameKept) {
    const game::JournalReading r = game::readJournal(GetParam().text);
    ASSERT_TRUE(r.game) << GetParam().what << ": " << r.problem;
    EXPECT_TRUE(r.game->state.rules.empty()) << GetParam().what;
    GameState withoutRules = gameWithRules();
    withoutRules.rules = {};
    EXPECT_EQ(r.game->state, withoutRules) << GetParam().what;
    EXPECT_NE(r.dropped.find("penalty rules"), std::string::npos) << r.dropped;
    EXPECT_NE(r.dropped.find(GetParam().reason), std::string::npos) << GetParam().what << ": " << r.dropped;
    EXPECT_EQ(r.dropped.find('\n'), std::string::npos);
    EXPECT_GE(r.heldValues, 1);
}

TEST(GameJournal, AReadableRulesRecordDropsNothing) {
    const game::JournalReading r = game::readJournal(rulesJournal());
    ASSERT_TRUE(r.game);
    EXPECT_TRUE(r.dropped.empty()) << r.dropped;
}

INSTANTIATE_TEST_SUITE_P(
    RulesFaults, DroppedRulesTest,
    ::testing::Values(
        DroppedRulesCase{"the record as a list", editedRules("\"penaltyRules\":{", "\"penaltyRules\":[],\"rest\":{"),
                         "not a record"},
        DroppedRulesCase{"five clocks", editedRules("\"clocks\":[[", "\"clocks\":[null,["), "not a record"},
        DroppedRulesCase{"an unknown kind", editedRules("\"queues\":[[[3,2,", "\"queues\":[[[3,7,"), "not a record"},
        DroppedRulesCase{"a time left above the full time",
                         editedRules("[1,0,1200000,1200000]", "[1,0,1200000,1300000]"), "rules can take up"},
        DroppedRulesCase{"an id used twice", editedRules("\"queues\":[[[3,", "\"queues\":[[[1,"), "rules can take up"},
        DroppedRulesCase{"no next id", editedRules("\"nextId\"", "\"nextID\""), "not a record"},
        DroppedRulesCase{"a sheet entry of an unknown kind", editedRules("\n[0,2,", "\n[5,2,"), "game sheet"},
        DroppedRulesCase{"a score entry cut short", editedRules("[1,2,7000000,1,1,2]", "[1,2,7000000,1,1]"),
                         "game sheet"},
        DroppedRulesCase{"a penalty record of an unknown event", editedRules("\n[2,2,7000000,0,", "\n[2,2,7000000,9,"),
                         "game sheet"}));
