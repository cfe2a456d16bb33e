#include "core/game/GameEvents.h"
#include "core/game/GameJournal.h"

#include <gtest/gtest.h>

#include <functional>

using game::EventKind;
using game::GameEvent;
using game::GameState;
using game::Side;

namespace {

constexpr std::int64_t kWall = 1796662507000; // 2026-12-07 ...

GameState inPlay() {
    GameState s = game::freshGame();
    s.homeDigits = {2, -1};
    s.visitorDigits = {1, -1};
    s.periodDigits = {2};
    s.clocks[0].setTime = secondsToTime(1200);
    s.clocks[0].used = secondsToTime(446); // 12:34 left
    s.resetTime = secondsToTime(1200);
    return s;
}

// A penalty of 2:00 on a clock, 0:45 of it used, its light on.
GameState withPenalty(GameState s, int clock) {
    const auto i = static_cast<std::size_t>(clock);
    s.clocks[i].setTime = secondsToTime(120);
    s.clocks[i].used = secondsToTime(45);
    s.penaltyDigits[i - 1] = {5, 1, 1};
    s.penaltyLights[i - 1] = true;
    return s;
}

struct Expected {
    EventKind kind;
    Side side = Side::None;
    int penaltyClock = 0;
    int before = 0;
    int after = 0;
    TimeValue time = 0;
    const char* text = "";
};

struct EventRow {
    const char* name;
    std::function<GameState()> before;
    std::function<void(GameState&)> change;
    std::vector<Expected> expected;
};

class EventsBetween : public testing::TestWithParam<EventRow> {};

TEST_P(EventsBetween, NamesWhatChanged) {
    const EventRow& row = GetParam();
    const GameState before = row.before();
    GameState after = before;
    row.change(after);
    const std::vector<GameEvent> events = game::eventsBetween(before, after, kWall);
    ASSERT_EQ(events.size(), row.expected.size());
    for (std::size_t i = 0; i < events.size(); ++i) {
        SCOPED_TRACE(i);
        const Expected& x = row.expected[i];
        EXPECT_EQ(events[i].kind, x.kind);
        EXPECT_EQ(events[i].side, x.side);
        EXPECT_EQ(events[i].penaltyClock, x.penaltyClock);
        EXPECT_EQ(events[i].before, x.before);
        EXPECT_EQ(events[i].after, x.after);
        EXPECT_EQ(events[i].time, x.time);
        EXPECT_EQ(game::eventText(events[i]), x.text);
        // Every event carries the moment it happened at, read from the new state.
        EXPECT_EQ(events[i].wallMillis, kWall);
        EXPECT_EQ(events[i].period, game::numberShown(after.periodDigits.data(), 1));
        EXPECT_EQ(events[i].gameClock, game::gameTimeLeft(after));
        EXPECT_EQ(events[i].homeScore, game::numberShown(after.homeDigits.data(), 2));
        EXPECT_EQ(events[i].visitorScore, game::numberShown(after.visitorDigits.data(), 2));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, EventsBetween,
    testing::Values(
        EventRow{"NothingChanged", inPlay, [](GameState&) {}, {}},
        EventRow{"SelectionViewAndColonAreNoEvents",
                 inPlay,
                 [](GameState& s) {
                     s.selected = game::Field::HomeBack;
                     s.timeOfDay = true;
                     s.colon = false;
                     s.whoGoal = 1;
                 },
                 {}},
        EventRow{"HomeGoal",
                 inPlay,
                 [](GameState& s) {
                     s.homeDigits = {3, -1};
                 },
                 {{EventKind::Goal, Side::Home, 0, 2, 3, 0, "Goal Home (3-1)"}}},
        EventRow{"VisitorGoalIntoTheTens",
                 [] {
                     GameState s = inPlay();
                     s.visitorDigits = {9, -1};
                     return s;
                 },
                 [](GameState& s) {
                     s.visitorDigits = {0, 1};
                 },
                 {{EventKind::Goal, Side::Visitor, 0, 9, 10, 0, "Goal Visitor (2-10)"}}},
        EventRow{"FirstGoalFromADarkScore",
                 [] {
                     GameState s = inPlay();
                     s.homeDigits = {-1, -1};
                     return s;
                 },
                 [](GameState& s) {
                     s.homeDigits = {1, -1};
                 },
                 {{EventKind::Goal, Side::Home, 0, 0, 1, 0, "Goal Home (1-1)"}}},
        EventRow{"ScoreTakenBack",
                 inPlay,
                 [](GameState& s) {
                     s.homeDigits = {1, -1};
                 },
                 {{EventKind::ScoreCorrected, Side::Home, 0, 2, 1, 0, "Home score 2 to 1"}}},
        EventRow{"ScoreRaisedByTwo",
                 inPlay,
                 [](GameState& s) {
                     s.visitorDigits = {3, -1};
                 },
                 {{EventKind::ScoreCorrected, Side::Visitor, 0, 1, 3, 0, "Visitor score 1 to 3"}}},
        EventRow{"ScoreDarkened",
                 inPlay,
                 [](GameState& s) {
                     s.homeDigits = {-1, -1};
                 },
                 {{EventKind::ScoreCorrected, Side::Home, 0, 2, 0, 0, "Home score 2 to 0"}}},
        // Zero and a dark score both read 0: nothing happened to the game.
        EventRow{"ZeroDarkenedIsNoEvent",
                 game::freshGame,
                 [](GameState& s) {
                     s.homeDigits = {-1, -1};
                 },
                 {}},
        EventRow{"BothScoresAtOnce",
                 inPlay,
                 [](GameState& s) {
                     s.homeDigits = {3, -1};
                     s.visitorDigits = {2, -1};
                 },
                 {{EventKind::Goal, Side::Home, 0, 2, 3, 0, "Goal Home (3-2)"},
                  {EventKind::Goal, Side::Visitor, 0, 1, 2, 0, "Goal Visitor (3-2)"}}},
        EventRow{"NextPeriod",
                 inPlay,
                 [](GameState& s) { s.periodDigits = {3}; },
                 {{EventKind::PeriodChanged, Side::None, 0, 2, 3, 0, "Period 2 to 3"}}},
        EventRow{"ClockStarts",
                 inPlay,
                 [](GameState& s) { s.clocks[0].running = true; },
                 {{EventKind::ClockStarted, Side::None, 0, 0, 0, 0, "Clock started"}}},
        EventRow{"ClockStops",
                 [] {
                     GameState s = inPlay();
                     s.clocks[0].running = true;
                     return s;
                 },
                 [](GameState& s) { s.clocks[0].running = false; },
                 {{EventKind::ClockStopped, Side::None, 0, 0, 0, 0, "Clock stopped"}}},
        // A tick read the running clock a little later than the stop charged it: no reset.
        EventRow{"StopChargesLessThanTheLastLook",
                 [] {
                     GameState s = inPlay();
                     s.clocks[0].running = true;
                     return s;
                 },
                 [](GameState& s) {
                     s.clocks[0].running = false;
                     s.clocks[0].used -= tenthsToTime(1);
                 },
                 {{EventKind::ClockStopped, Side::None, 0, 0, 0, 0, "Clock stopped"}}},
        EventRow{"TimeTypedWhileRunning",
                 [] {
                     GameState s = inPlay();
                     s.clocks[0].running = true;
                     return s;
                 },
                 [](GameState& s) {
                     s.clocks[0] = ClockRecord{secondsToTime(305), 0, false, false};
                     s.resetTime = secondsToTime(305);
                 },
                 {{EventKind::ClockStopped, Side::None, 0, 0, 0, 0, "Clock stopped"},
                  {EventKind::ClockSet, Side::None, 0, 0, 0, secondsToTime(305), "Clock set to 5:05"}}},
        EventRow{"ShortTimeTyped",
                 inPlay,
                 [](GameState& s) {
                     s.clocks[0] = ClockRecord{tenthsToTime(455), 0, false, false};
                     s.resetTime = tenthsToTime(455);
                 },
                 {{EventKind::ClockSet, Side::None, 0, 0, 0, tenthsToTime(455), "Clock set to 0:45.5"}}},
        EventRow{"ResetKey",
                 inPlay,
                 [](GameState& s) { s.clocks[0].used = 0; },
                 {{EventKind::ClockReset, Side::None, 0, 0, 0, secondsToTime(1200), "Clock reset to 20:00"}}},
        EventRow{"ResetOfAnUnusedClockIsNoEvent", game::freshGame, [](GameState& s) { s.clocks[0].used = 0; }, {}},
        EventRow{
            "PenaltyTyped",
            inPlay,
            [](GameState& s) {
                s.clocks[3].setTime = secondsToTime(120);
                s.penaltyDigits[2] = {0, 0, 2};
                s.penaltyLights[2] = true;
            },
            {{EventKind::PenaltySet, Side::Visitor, 3, 0, 0, secondsToTime(120), "Visitor penalty 1 set to 2:00"}}},
        EventRow{"PenaltyRetypedWithTheSameTime",
                 [] { return withPenalty(inPlay(), 2); },
                 [](GameState& s) {
                     s.clocks[2].used = 0;
                     s.penaltyDigits[1] = {0, 0, 2};
                 },
                 {{EventKind::PenaltySet, Side::Home, 2, 0, 0, secondsToTime(120), "Home penalty 2 set to 2:00"}}},
        EventRow{"PenaltyCleared",
                 [] { return withPenalty(inPlay(), 4); },
                 [](GameState& s) {
                     s.clocks[4] = ClockRecord{};
                     s.penaltyDigits[3] = {-1, -1, -1};
                     s.penaltyLights[3] = false;
                 },
                 {{EventKind::PenaltyCleared, Side::Visitor, 4, 0, 0, secondsToTime(75), "Visitor penalty 2 cleared"}}},
        EventRow{"ZeroTypedOverAPenalty",
                 [] { return withPenalty(inPlay(), 1); },
                 [](GameState& s) {
                     s.clocks[1] = ClockRecord{};
                     s.penaltyDigits[0] = {0, 0, 0};
                     s.penaltyLights[0] = false;
                 },
                 {{EventKind::PenaltyCleared, Side::Home, 1, 0, 0, secondsToTime(75), "Home penalty 1 cleared"}}},
        EventRow{"PenaltyRunsOut",
                 [] { return withPenalty(inPlay(), 1); },
                 [](GameState& s) {
                     s.clocks[1].used = secondsToTime(120);
                     s.penaltyDigits[0] = {0, 0, 0};
                     s.penaltyLights[0] = false;
                 },
                 {{EventKind::PenaltyRanOut, Side::Home, 1, 0, 0, 0, "Home penalty 1 ran out"}}},
        EventRow{"PenaltyTicksDownIsNoEvent",
                 [] { return withPenalty(inPlay(), 1); },
                 [](GameState& s) {
                     s.clocks[1].used += secondsToTime(1);
                     s.penaltyDigits[0] = {4, 1, 1};
                 },
                 {}},
        EventRow{"GoalWhileAPenaltyRunsOutAtTheStop",
                 [] {
                     GameState s = withPenalty(inPlay(), 3);
                     s.clocks[0].running = true;
                     return s;
                 },
                 [](GameState& s) {
                     s.clocks[0].running = false;
                     s.homeDigits = {3, -1};
                     s.penaltyLights[2] = false;
                     s.penaltyDigits[2] = {0, 0, 0};
                 },
                 {{EventKind::ClockStopped, Side::None, 0, 0, 0, 0, "Clock stopped"},
                  {EventKind::Goal, Side::Home, 0, 2, 3, 0, "Goal Home (3-1)"},
                  {EventKind::PenaltyRanOut, Side::Visitor, 3, 0, 0, 0, "Visitor penalty 1 ran out"}}}),
    [](const testing::TestParamInfo<EventRow>& info) { return std::string(info.param.name); });

TEST(SoundEvent, CarriesTheMomentOfTheState) {
    const GameEvent e = game::soundEvent(EventKind::Horn, inPlay(), kWall);
    EXPECT_EQ(e.kind, EventKind::Horn);
    EXPECT_EQ(e.period, 2);
    EXPECT_EQ(e.gameClock, secondsToTime(754));
    EXPECT_EQ(e.homeScore, 2);
    EXPECT_EQ(e.visitorScore, 1);
    EXPECT_EQ(game::eventText(e), "Horn");
    EXPECT_EQ(game::eventText(game::soundEvent(EventKind::Buzzer, inPlay(), kWall)), "Buzzer");
}

TEST(EventText, UsesTheTeamNamesGiven) {
    GameEvent e;
    e.kind = EventKind::Goal;
    e.side = Side::Visitor;
    e.homeScore = 1;
    e.visitorScore = 4;
    EXPECT_EQ(game::eventText(e, "Kärpät", "Tappara"), "Goal Tappara (1-4)");
}

TEST(EventText, EveryKindIsATranslatedPhraseWithTheNamesAsTheyAre) {
    const auto marked = [](const UiText& text) {
        return renderText(
            text, [](const std::string& context, const std::string& source) { return context + "[" + source + "]"; });
    };
    for (int k = 0; k < game::kEventKindCount; ++k) {
        GameEvent e;
        e.kind = static_cast<EventKind>(k);
        e.side = Side::Home;
        e.penaltyClock = 2;
        e.time = secondsToTime(120);
        const UiText text = game::eventUiText(e, "%1 Bears", "Lions");
        EXPECT_EQ(renderText(text), game::eventText(e, "%1 Bears", "Lions")) << k;
        EXPECT_EQ(marked(text).rfind("GameEvents[", 0), 0u) << marked(text);
        // The name is shown as it is: never translated, and its %1 never filled in.
        EXPECT_EQ(marked(text).find("[%1 Bears]"), std::string::npos) << marked(text);
        if (k != static_cast<int>(EventKind::ClockStarted) && k != static_cast<int>(EventKind::ClockStopped) &&
            k != static_cast<int>(EventKind::ClockSet) && k != static_cast<int>(EventKind::ClockReset) &&
            k != static_cast<int>(EventKind::Horn) && k != static_cast<int>(EventKind::Buzzer) &&
            k != static_cast<int>(EventKind::PeriodChanged)) {
            EXPECT_NE(marked(text).find("%1 Bears"), std::string::npos) << marked(text);
        }
    }
    GameEvent set;
    set.kind = EventKind::PenaltySet;
    set.side = Side::Visitor;
    set.penaltyClock = 4;
    set.time = secondsToTime(120);
    EXPECT_EQ(marked(game::eventUiText(set, "Bears", "Lions")), "GameEvents[GameEvents[Lions penalty 2] set to 2:00]");
}

TEST(EventsCsv, ATeamNameASpreadsheetWouldRunIsWrittenAsText) {
    GameState before = inPlay();
    GameState after = before;
    after.homeDigits = {3, -1};
    const std::string csv =
        game::eventsCsv(game::eventsBetween(before, after, kWall), "=cmd|' /C calc'!A0", "@Lions", nullptr);
    EXPECT_NE(csv.find(",\"'=cmd|' /C calc'!A0\",\"'@Lions\"\r\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find(",goal,\"'=cmd|' /C calc'!A0\","), std::string::npos) << csv;
    EXPECT_EQ(csv.find(",=cmd"), std::string::npos) << csv;
    EXPECT_EQ(csv.find(",@Lions"), std::string::npos) << csv;
}

struct ClockTextRow {
    TimeValue time;
    const char* text;
};

class ClockText : public testing::TestWithParam<ClockTextRow> {};

TEST_P(ClockText, AsTheBoardShowsIt) {
    EXPECT_EQ(game::clockText(GetParam().time), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ClockText,
    testing::Values(ClockTextRow{0, "0:00"}, ClockTextRow{tenthsToTime(374), "0:37.4"},
                    ClockTextRow{tenthsToTime(50), "0:05"}, ClockTextRow{tenthsToTime(1), "0:00.1"},
                    ClockTextRow{tenthsToTime(599), "0:59.9"}, ClockTextRow{secondsToTime(60), "1:00"},
                    ClockTextRow{tenthsToTime(601), "1:01"}, ClockTextRow{secondsToTime(754), "12:34"},
                    ClockTextRow{secondsToTime(5999), "99:59"}, ClockTextRow{secondsToTime(6000), "100:00"},
                    ClockTextRow{-5, "0:00"}));

TEST(EventList, KeepsTheNewestEventsOnly) {
    game::EventList list;
    GameEvent e;
    for (std::size_t i = 0; i < game::kMaxEvents + 5; ++i) {
        e.wallMillis = static_cast<std::int64_t>(i);
        list.add(e);
    }
    ASSERT_EQ(list.events().size(), game::kMaxEvents);
    EXPECT_EQ(list.events().front().wallMillis, 5);
    EXPECT_EQ(list.events().back().wallMillis, static_cast<std::int64_t>(game::kMaxEvents + 4));
}

TEST(EventList, FollowAddsWhatChanged) {
    game::EventList list;
    GameState before = inPlay();
    GameState after = before;
    after.homeDigits = {3, -1};
    EXPECT_EQ(list.follow(before, after, kWall), 1u);
    EXPECT_EQ(list.follow(after, after, kWall), 0u);
    ASSERT_EQ(list.events().size(), 1u);
    EXPECT_EQ(list.events()[0].kind, EventKind::Goal);
}

// ---- CSV --------------------------------------------------------------------------------------------------

struct CsvFieldRow {
    const char* text;
    const char* field;
};

class CsvField : public testing::TestWithParam<CsvFieldRow> {};

TEST_P(CsvField, QuotedOnlyWhenNeeded) {
    EXPECT_EQ(game::csvField(GetParam().text), GetParam().field);
}

INSTANTIATE_TEST_SUITE_P(Rows, CsvField,
                         testing::Values(CsvFieldRow{"", ""}, CsvFieldRow{"Home", "Home"},
                                         CsvFieldRow{"Kärpät, Oulu", "\"Kärpät, Oulu\""},
                                         CsvFieldRow{"The \"Lions\"", "\"The \"\"Lions\"\"\""},
                                         CsvFieldRow{"two\nlines", "\"two\nlines\""}, CsvFieldRow{"cr\r", "\"cr\r\""},
                                         CsvFieldRow{"semi;colon", "semi;colon"}, CsvFieldRow{"\"", "\"\"\"\""},
                                         // What a spreadsheet would run is kept as text.
                                         CsvFieldRow{"=HYPERLINK(\"x\")", "\"'=HYPERLINK(\"\"x\"\")\""},
                                         CsvFieldRow{"+cmd", "\"'+cmd\""}, CsvFieldRow{"-2+3", "\"'-2+3\""},
                                         CsvFieldRow{"@SUM(A1)", "\"'@SUM(A1)\""}, CsvFieldRow{"\tTab", "\"'\tTab\""},
                                         CsvFieldRow{"\rCR", "\"'\rCR\""}, CsvFieldRow{"=1,2", "\"'=1,2\""},
                                         CsvFieldRow{"-", "\"'-\""},
                                         // Plain numbers and signs further in are no formula.
                                         CsvFieldRow{"-1", "-1"}, CsvFieldRow{"+2", "+2"}, CsvFieldRow{"-0.5", "-0.5"},
                                         CsvFieldRow{"a=b", "a=b"}, CsvFieldRow{"Kärpät -", "Kärpät -"}));

TEST(EventsCsv, OneRowAnEventUnderAHeader) {
    GameState before = inPlay();
    GameState after = before;
    after.homeDigits = {3, -1};
    std::vector<GameEvent> events = game::eventsBetween(before, after, kWall);
    events.push_back(game::soundEvent(EventKind::Horn, after, kWall + 1000));
    const std::string csv = game::eventsCsv(events, "Kärpät, Oulu", "The \"Lions\"", [](std::int64_t ms) {
        return ms == kWall ? std::string("20:15:07") : std::string("20:15:08");
    });
    EXPECT_EQ(csv, "Time,Period,Game clock,Event,Team,What,\"Kärpät, Oulu\",\"The \"\"Lions\"\"\"\r\n"
                   "20:15:07,2,12:34,goal,\"Kärpät, Oulu\",\"Goal Kärpät, Oulu (3-1)\",3,1\r\n"
                   "20:15:08,2,12:34,horn,,Horn,3,1\r\n");
}

TEST(EventsCsv, EmptyListIsTheHeaderAlone) {
    EXPECT_EQ(game::eventsCsv({}, "Home", "Visitor", nullptr),
              "Time,Period,Game clock,Event,Team,What,Home,Visitor\r\n");
}

// ---- The journal's list --------------------------------------------------------------------------------

std::vector<GameEvent> someEvents() {
    std::vector<GameEvent> events;
    GameState a = withPenalty(inPlay(), 2);
    GameState b = a;
    b.homeDigits = {3, -1};
    b.clocks[2] = ClockRecord{};
    b.penaltyDigits[1] = {-1, -1, -1};
    b.penaltyLights[1] = false;
    b.clocks[0].running = true;
    events = game::eventsBetween(a, b, kWall);
    events.push_back(game::soundEvent(EventKind::Buzzer, b, kWall + 5));
    return events;
}

json::Value parsed(const std::string& text) {
    json::ParseResult r = json::parse(text);
    EXPECT_TRUE(r.value) << r.error;
    return r.value ? *r.value : json::Value{};
}

TEST(EventsJson, ReadsBackWhatItWrote) {
    const std::vector<GameEvent> events = someEvents();
    ASSERT_EQ(events.size(), 4u);
    const game::EventsReading reading = game::readEvents(parsed(game::eventsJson(events)));
    EXPECT_EQ(reading.problem, "");
    EXPECT_EQ(reading.heldValues, 0);
    EXPECT_EQ(reading.events, events);
    EXPECT_EQ(game::readEvents(parsed(game::eventsJson({}))).events.size(), 0u);
}

TEST(EventsJson, StaysSmall) {
    std::vector<GameEvent> events(game::kMaxEvents, someEvents()[0]);
    for (GameEvent& e : events)
        e.gameClock = secondsToTime(5999);
    EXPECT_LT(game::eventsJson(events).size(), 60 * game::kMaxEvents);
}

struct BadEventsRow {
    const char* name;
    const char* json;
    const char* problem;
};

class EventsJsonRefused : public testing::TestWithParam<BadEventsRow> {};

TEST_P(EventsJsonRefused, AsAWholeWithOneLine) {
    const game::EventsReading reading = game::readEvents(parsed(GetParam().json));
    EXPECT_TRUE(reading.events.empty());
    EXPECT_EQ(reading.problem, GetParam().problem);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, EventsJsonRefused,
    testing::Values(BadEventsRow{"NotAList", "{}", "the events are not a list"},
                    BadEventsRow{"EntryNotAList", "[[\"horn\",0,0,0,0,0,0,0,0,0,0],5]", "event 2 is not an event"},
                    BadEventsRow{"ShortEntry", "[[\"horn\",0,0,0]]", "event 1 is not an event"},
                    BadEventsRow{"UnknownKind", "[[\"fight\",0,0,0,0,0,0,0,0,0,0]]", "event 1 is of no known kind"},
                    BadEventsRow{"KindNotText", "[[7,0,0,0,0,0,0,0,0,0,0]]", "event 1 is of no known kind"},
                    BadEventsRow{"TextForANumber", "[[\"horn\",0,\"1\",0,0,0,0,0,0,0,0]]",
                                 "event 1 has a part that is not a whole number"},
                    BadEventsRow{"PenaltyWithoutAClock", "[[\"penalty set\",0,1,0,1,0,0,0,1200000,0,0]]",
                                 "event 1 names no penalty clock"}),
    [](const testing::TestParamInfo<BadEventsRow>& info) { return std::string(info.param.name); });

TEST(EventsJson, ValuesOutOfRangeAreHeld) {
    const game::EventsReading reading =
        game::readEvents(parsed("[[\"goal\",-5,12,-1,7,9,-3,100,-2,1000,99999999999999999999999]]"));
    ASSERT_EQ(reading.events.size(), 1u);
    const GameEvent& e = reading.events[0];
    EXPECT_EQ(e.wallMillis, 0);
    EXPECT_EQ(e.period, 9);
    EXPECT_EQ(e.gameClock, 0);
    EXPECT_EQ(e.side, Side::Visitor);
    EXPECT_EQ(e.penaltyClock, 4);
    EXPECT_EQ(e.before, 0);
    EXPECT_EQ(e.after, 99);
    EXPECT_EQ(e.time, 0);
    EXPECT_EQ(e.homeScore, 99);
    EXPECT_EQ(e.visitorScore, 99);
    EXPECT_EQ(reading.heldValues, 11); // ten held, and the last one beyond 64 bits besides
}

TEST(EventsJson, ALongerListKeepsItsNewestEvents) {
    std::string text = "[";
    for (std::size_t i = 0; i < game::kMaxEvents + 3; ++i)
        text += (i ? "," : "") + std::string("[\"horn\",") + std::to_string(i) + ",0,0,0,0,0,0,0,0,0]";
    text += "]";
    json::ParseResult r = json::parse(text);
    if (!r.value)
        GTEST_SKIP() << "the reader's size limit is below this list: " << r.error;
    const game::EventsReading reading = game::readEvents(*r.value);
    ASSERT_EQ(reading.events.size(), game::kMaxEvents);
    EXPECT_EQ(reading.events.front().wallMillis, 3);
}

} // namespace

// ---- Kept with the game in the journal ---------------------------------------------------------------

namespace {

TEST(JournalEvents, TheListComesBackWithTheGame) {
    const std::vector<GameEvent> events = someEvents();
    const GameState state = inPlay();
    const game::JournalReading reading = game::readJournal(game::writeJournal(state, kWall, &events));
    ASSERT_TRUE(reading.game) << reading.problem;
    EXPECT_TRUE(reading.game->state == state);
    EXPECT_EQ(reading.events, events);
    EXPECT_EQ(reading.heldValues, 0);
}

TEST(JournalEvents, AJournalWithoutAListHasNoEvents) {
    const game::JournalReading reading = game::readJournal(game::writeJournal(inPlay(), kWall));
    ASSERT_TRUE(reading.game) << reading.problem;
    EXPECT_TRUE(reading.events.empty());
}

TEST(JournalEvents, AListThatCannotBeReadIsLeftOutAndTheGameKept) {
    std::string text = game::writeJournal(inPlay(), kWall, nullptr);
    const std::size_t end = text.rfind('}');
    text.insert(end, ",\n\"events\":[[\"fight\",0,0,0,0,0,0,0,0,0,0]]");
    const game::JournalReading reading = game::readJournal(text);
    ASSERT_TRUE(reading.game) << reading.problem;
    EXPECT_TRUE(reading.events.empty());
    EXPECT_EQ(reading.heldValues, 1);
}

TEST(JournalEvents, AFullListOfTheLongestEventsFitsTheReader) {
    GameEvent longest;
    longest.kind = EventKind::ScoreCorrected; // the longest name
    longest.wallMillis = 253402300799999;
    longest.period = 9;
    longest.gameClock = secondsToTime(5999);
    longest.side = Side::Visitor;
    longest.penaltyClock = 4;
    longest.before = 99;
    longest.after = 98;
    longest.time = secondsToTime(5999);
    longest.homeScore = 99;
    longest.visitorScore = 99;
    const std::vector<GameEvent> events(game::kMaxEvents, longest);
    const std::string text = game::writeJournal(inPlay(), kWall, &events);
    EXPECT_LT(text.size(), json::kMaxDocumentBytes);
    const game::JournalReading reading = game::readJournal(text);
    ASSERT_TRUE(reading.game) << reading.problem;
    EXPECT_EQ(reading.events.size(), game::kMaxEvents);
}

} // namespace

// ---- With the penalty rules on ----------------------------------------------------------------------------

namespace {

// The rules' record after a step: what the rules said, noted as the board notes it.
void noteRules(GameState& s, const PenaltyRules& rules, const PenaltyOutcome& o) {
    for (const PenaltyEvent& e : o.events) {
        s.rules.note(SheetEvent{SheetEvent::Kind::Penalty, e.at, e.team, 0, 0, e});
    }
    s.rules.penalties = rules.state();
}

} // namespace

TEST(RulesEvents, AQueueAReleaseAndAQueuedStartAreNamedAsSuchAndTheClockGetsNoOtherEvent) {
    PenaltyRules rules;
    const GameMoment at{2, secondsToTime(754)};
    GameState s = withPenalty(withPenalty(inPlay(), 1), 2);
    noteRules(s, rules, rules.addPenalty(Team::Home, secondsToTime(120), 1, {}, at));
    noteRules(s, rules, rules.addPenalty(Team::Home, secondsToTime(120), 2, {secondsToTime(120)}, at));

    // A third home penalty waits.
    GameState queued = s;
    const PenaltyReadings now{secondsToTime(75), secondsToTime(75), 0, 0};
    noteRules(queued, rules, rules.addPenalty(Team::Home, secondsToTime(300), 1, now, at));
    const std::vector<GameEvent> waits = game::eventsBetween(s, queued, kWall);
    ASSERT_EQ(waits.size(), 1u);
    EXPECT_EQ(waits[0].kind, EventKind::PenaltyQueued);
    EXPECT_EQ(waits[0].side, Side::Home);
    EXPECT_EQ(game::eventText(waits[0]), "Home penalty 5:00 waits");

    // A visitor goal: the first minor ends and the major takes its clock, set to 5:00 in the same step.
    GameState goal = queued;
    goal.visitorDigits = {2, -1};
    noteRules(goal, rules, rules.scoreChanged(Team::Visitor, 1, 2, now, at));
    goal.clocks[1] = {secondsToTime(300), 0, false, false};
    goal.penaltyDigits[0] = {0, 0, 5};
    const std::vector<GameEvent> events = game::eventsBetween(queued, goal, kWall);
    std::vector<EventKind> kinds;
    kinds.reserve(events.size());
    for (const GameEvent& e : events) {
        kinds.push_back(e.kind);
    }
    EXPECT_EQ(kinds,
              (std::vector<EventKind>{EventKind::Goal, EventKind::PenaltyReleased, EventKind::QueuedPenaltyStarted}));
    EXPECT_EQ(game::eventText(events[1]), "Home penalty 1 released by the goal (1:15 left)");
    EXPECT_EQ(game::eventText(events[2]), "Home penalty 1: waiting penalty 5:00 starts");

    // The journal keeps the new kinds.
    const std::string json = game::eventsJson(events);
    const game::EventsReading back = game::readEvents(*json::parse(json).value);
    ASSERT_TRUE(back.problem.empty()) << back.problem;
    EXPECT_EQ(back.events, events);
}

TEST(JournalEvents, AFullListAndAFullGameSheetTogetherFitTheReader) {
    GameEvent longest;
    longest.kind = EventKind::QueuedPenaltyStarted; // the longest name
    longest.wallMillis = 253402300799999;
    longest.period = 9;
    longest.gameClock = secondsToTime(5999);
    longest.side = Side::Visitor;
    longest.penaltyClock = 4;
    longest.before = 99;
    longest.after = 98;
    longest.time = secondsToTime(5999);
    longest.homeScore = 99;
    longest.visitorScore = 99;
    const std::vector<GameEvent> events(game::kMaxEvents, longest);
    GameState s = inPlay();
    PenaltyEvent record;
    record.kind = PenaltyEventKind::ReleaseUndone;
    record.serial = 999999;
    record.clock = 4;
    record.team = Team::Visitor;
    record.penalty = PenaltyKind::DoubleMinor;
    record.penaltyId = 999999;
    record.fullTime = record.before = record.after = secondsToTime(599);
    record.undoes = 999998;
    record.at = GameMoment{9, secondsToTime(5999)};
    for (std::size_t i = 0; i < game::kMaxSheetEvents; ++i) {
        s.rules.note(SheetEvent{SheetEvent::Kind::Penalty, record.at, Team::Visitor, 0, 0, record});
    }
    s.rules.penalties.nextSerial = 1'000'000;
    s.rules.penalties.nextId = 1'000'000;
    const std::string text = game::writeJournal(s, kWall, &events);
    EXPECT_LT(text.size(), json::kMaxDocumentBytes);
    const game::JournalReading reading = game::readJournal(text);
    ASSERT_TRUE(reading.game) << reading.problem;
    EXPECT_EQ(reading.game->state.rules, s.rules);
    EXPECT_EQ(reading.events.size(), game::kMaxEvents);
}
