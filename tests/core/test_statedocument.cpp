// The state document that GET /state answers and the live socket pushes.
#include "core/feed/StateDocument.h"
#include <gtest/gtest.h>

namespace {

PenaltyState darkPenalty() {
    return PenaltyState{{-1, -1, -1}, false, 0, false, std::nullopt};
}

// The board as it opens: 10:00 stopped, period 1, scores 0, penalties dark, the game clock selected.
BoardState openingBoard() {
    BoardState s;
    s.clock = GameClockState{{1, 0, 0, 0}, true, false, secondsToTime(600), false};
    s.periodDigits = {1};
    s.home = TeamState{"Home", {0, -1}, false, {darkPenalty(), darkPenalty()}};
    s.visitor = TeamState{"Visitor", {0, -1}, false, {darkPenalty(), darkPenalty()}};
    s.selectedField = "TimeBack";
    return s;
}

TEST(StateDocument, TheOpeningBoard) {
    const std::string dark =
        R"({"text":"","digits":[-1,-1,-1],"running":false,"remaining":0.0,"light":false,"player":null})";
    const std::string expected =
        R"({"clock":{"text":"10:00","digits":[1,0,0,0],"colon":true,"running":false,"remaining":600.0,"timeOfDay":false},)"
        R"("period":{"text":"1","digits":[1]},"clockMode":"play",)"
        R"("home":{"name":"Home","score":{"text":"0","digits":[0,-1]},"goalLight":false,"penalties":[)" +
        dark + "," + dark + R"(]},)" +
        R"("visitor":{"name":"Visitor","score":{"text":"0","digits":[0,-1]},"goalLight":false,"penalties":[)" + dark +
        "," + dark + R"(]},)" + R"("soundPlaying":false,"selectedField":"TimeBack"})";
    EXPECT_EQ(stateDocument(openingBoard()), expected);
}

TEST(StateDocument, AGameInPlay) {
    BoardState s = openingBoard();
    s.clock = GameClockState{{5, 9, 9, -1}, false, true, tenthsToTime(599), false};
    s.periodDigits = {3};
    s.home.scoreDigits = {2, 1};
    s.home.goalLight = true;
    s.home.penalties[1] = PenaltyState{{7, 0, 1}, true, tenthsToTime(665), true, 17};
    s.visitor.penalties[0] = PenaltyState{{0, 0, 0}, true, 0, false, std::nullopt};
    s.soundPlaying = true;
    s.selectedField.reset();
    const std::string doc = stateDocument(s);
    EXPECT_NE(doc.find(R"("clock":{"text":"59.9","digits":[5,9,9,-1],"colon":false,"running":true,"remaining":59.9,)"),
              std::string::npos)
        << doc;
    EXPECT_NE(doc.find(R"("period":{"text":"3","digits":[3]})"), std::string::npos) << doc;
    EXPECT_NE(doc.find(R"("score":{"text":"12","digits":[2,1]},"goalLight":true)"), std::string::npos) << doc;
    EXPECT_NE(doc.find(R"({"text":"1:07","digits":[7,0,1],"running":true,"remaining":66.5,"light":true,"player":17})"),
              std::string::npos)
        << doc;
    EXPECT_NE(
        doc.find(R"({"text":"0:00","digits":[0,0,0],"running":true,"remaining":0.0,"light":false,"player":null})"),
        std::string::npos)
        << doc;
    EXPECT_NE(doc.find(R"("soundPlaying":true,"selectedField":null})"), std::string::npos) << doc;
}

TEST(StateDocument, TheTimeOfDayIsWhatTheClockReads) {
    BoardState s = openingBoard();
    s.clock = GameClockState{{-1, 7, 0, 5}, true, true, secondsToTime(420), true};
    const std::string doc = stateDocument(s);
    EXPECT_NE(
        doc.find(R"("text":"7:05","digits":[-1,7,0,5],"colon":true,"running":true,"remaining":420.0,"timeOfDay":true)"),
        std::string::npos)
        << doc;
}

TEST(StateDocument, EqualStatesGiveTheSameTextAndEveryChangeShows) {
    const BoardState a = openingBoard();
    EXPECT_EQ(stateDocument(a), stateDocument(openingBoard()));
    std::vector<BoardState> changed(10, a);
    changed[0].clock.remaining -= kTicksPerTenth;
    changed[1].clock.digits[3] = 9;
    changed[2].home.penalties[1].light = true;
    changed[3].visitor.name = "Visitors";
    changed[4].soundPlaying = true;
    changed[5].selectedField = "HomeBack";
    changed[6].visitor.goalLight = true;
    changed[7].periodDigits = {2};
    changed[8].clock.timeOfDay = true;
    changed[9].visitor.penalties[0].player = 4;
    for (std::size_t i = 0; i < changed.size(); ++i) {
        EXPECT_NE(stateDocument(changed[i]), stateDocument(a)) << i;
        EXPECT_FALSE(changed[i] == a) << i;
    }
}

TEST(StateDocument, CaptionsOutsideDigitsArePublishedDark) {
    BoardState s = openingBoard();
    s.home.scoreDigits = {10, -7};
    EXPECT_NE(stateDocument(s).find(R"("score":{"text":"","digits":[-1,-1]})"), std::string::npos);
}

struct StringCase {
    std::string text;
    std::string json;
};

class JsonStringTest : public ::testing::TestWithParam<StringCase> {};
TEST_P(JsonStringTest, Escapes) {
    EXPECT_EQ(jsonString(GetParam().text), GetParam().json);
}
INSTANTIATE_TEST_SUITE_P(
    Examples, JsonStringTest,
    ::testing::Values(
        StringCase{"Home", R"("Home")"}, StringCase{"", R"("")"}, StringCase{"say \"hi\"", R"("say \"hi\"")"},
        StringCase{"a\\b", R"("a\\b")"}, StringCase{"two\nlines\r\tx", R"("two\nlines\r\tx")"},
        StringCase{std::string("nul\0x", 5), R"("nul\u0000x")"}, StringCase{"\x1f\x7f", R"("\u001f\u007f")"},
        StringCase{"Kärpät", "\"Kärpät\""}, StringCase{"\xe2\x82\xac 5", "\"\xe2\x82\xac 5\""},
        StringCase{"\xf0\x9f\x8f\x92", "\"\xf0\x9f\x8f\x92\""}, // four bytes: an ice-hockey stick
        StringCase{"</script>", R"("</script>")"},
        // Bytes that are not UTF-8 become U+FFFD, one per byte that cannot start a character.
        StringCase{"a\xff"
                   "b",
                   "\"a\xef\xbf\xbd"
                   "b\""},
        StringCase{"\xc3", "\"\xef\xbf\xbd\""}, StringCase{"\xc0\xaf", "\"\xef\xbf\xbd\xef\xbf\xbd\""}, // overlong '/'
        StringCase{"\xed\xa0\x80", "\"\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\""},                         // a surrogate
        StringCase{"\xf4\x90\x80\x80", "\"\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\""},
        StringCase{"\xe2\x82", "\"\xef\xbf\xbd\xef\xbf\xbd\""}));

struct SecondsCase {
    TimeValue t;
    const char* text;
};

class JsonSecondsTest : public ::testing::TestWithParam<SecondsCase> {};
TEST_P(JsonSecondsTest, Writes) {
    EXPECT_EQ(jsonSeconds(GetParam().t), GetParam().text);
}
INSTANTIATE_TEST_SUITE_P(Examples, JsonSecondsTest,
                         ::testing::Values(SecondsCase{secondsToTime(600), "600.0"}, SecondsCase{0, "0.0"},
                                           SecondsCase{tenthsToTime(599), "59.9"}, SecondsCase{12345, "1.2345"},
                                           SecondsCase{10010, "1.001"}, SecondsCase{1, "0.0001"},
                                           SecondsCase{-kTicksPerSecond, "-1.0"}, SecondsCase{-5000, "-0.5"},
                                           SecondsCase{INT64_MAX, "922337203685477.5807"},
                                           SecondsCase{INT64_MIN, "-922337203685477.5808"}));

} // namespace

TEST(StateDocument, TheClockModeSaysWhatTheGameClockCounts) {
    BoardState s = openingBoard();
    s.intermission = true;
    EXPECT_NE(stateDocument(s).find(R"("digits":[1]},"clockMode":"intermission","home")"), std::string::npos);
}

TEST(StateDocument, WithThePenaltyRulesEachTeamListsItsWaitingPenalties) {
    BoardState s = openingBoard();
    EXPECT_EQ(stateDocument(s).find("queued"), std::string::npos); // the rules off: no such part
    s.queued = std::array<std::vector<TimeValue>, 2>{std::vector<TimeValue>{secondsToTime(300), secondsToTime(120)},
                                                     std::vector<TimeValue>{}};
    const std::string doc = stateDocument(s);
    const std::string dark =
        R"({"text":"","digits":[-1,-1,-1],"running":false,"remaining":0.0,"light":false,"player":null})";
    EXPECT_NE(doc.find(R"("penalties":[)" + dark + "," + dark + R"(],"queued":[300.0,120.0]},"visitor")"),
              std::string::npos)
        << doc;
    EXPECT_NE(doc.find(R"(],"queued":[]},"soundPlaying")"), std::string::npos) << doc;
}

TEST(StateDocument, WithThePenaltyRulesTheRecordGivesStrengthAndPenalties) {
    BoardState s = openingBoard();
    EXPECT_EQ(stateDocument(s).find("strength"), std::string::npos); // the rules off: no such part
    RecordState record;
    record.strength = "5-on-4";
    record.penalties[1].push_back(RecordPenaltyState{12, 0, "minor", "Hooking \"x\"", "running", 1234567,
                                                     std::pair{2, secondsToTime(900) + 999}, false});
    record.penalties[1].push_back(
        RecordPenaltyState{7, 9, "major", "", "waiting", secondsToTime(300), std::nullopt, true});
    s.record = record;
    const std::string doc = stateDocument(s);
    EXPECT_NE(doc.find(R"(,"selectedField":"TimeBack","strength":"5-on-4","penalties":{"home":[],"visitor":[)"
                       R"({"player":12,"servedBy":0,"kind":"minor","infraction":"Hooking \"x\"","state":"running",)"
                       R"("remaining":123.4,"endsAt":{"period":2,"time":900.0},"coincident":false},)"
                       R"({"player":7,"servedBy":9,"kind":"major","infraction":"","state":"waiting",)"
                       R"("remaining":300.0,"endsAt":null,"coincident":true}]}})"),
              std::string::npos)
        << doc;
}
