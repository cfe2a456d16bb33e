#include "core/rules/RuleBook.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

TimeValue t(const std::string& text) {
    int minutes = 0;
    int seconds = 0;
    int tenths = 0;
    EXPECT_GE(std::sscanf(text.c_str(), "%d:%d.%d", &minutes, &seconds, &tenths), 2) << text;
    return secondsToTime(minutes * 60 + seconds) + tenthsToTime(tenths);
}

std::string mss(TimeValue value) {
    const long long tenths = value / kTicksPerTenth;
    char text[32];
    if (tenths % 10 != 0)
        std::snprintf(text, sizeof text, "%lld:%02lld.%lld", tenths / 600, tenths / 10 % 60, tenths % 10);
    else
        std::snprintf(text, sizeof text, "%lld:%02lld", tenths / 600, tenths / 10 % 60);
    return text;
}

// "16:45" in the current period, "P2 19:00" in another.
std::string at(const GameClock& when, const GameClock& now) {
    return (when.period == now.period ? "" : "P" + std::to_string(when.period) + " ") + mss(when.remaining);
}

// "H7", "H-/12" (a bench minor served by 12), "H7/8" (served by 8)
std::string who(const BookPenalty& p) {
    std::string text = p.call.team == Team::Home ? "H" : "V";
    text += p.call.player > 0 ? std::to_string(p.call.player) : "-";
    if (p.call.servedBy > 0)
        text += "/" + std::to_string(p.call.servedBy);
    return text;
}

// "P1 17:00 4-on-4 | run H3 minor c4 1:00 @16:00 | wait H9 minor | done H4 minor released 17:00 | rec H7 match |
// goals PP>H4": the game clock, the strength, the running penalties (c: coincident with substitutes, c4:
// coincident without), those waiting, those over, those only recorded, and what each goal released.
std::string describe(const RuleBook& book) {
    const GameClock& now = book.clock();
    std::string text = "P" + std::to_string(now.period) + " " + mss(now.remaining) +
                       (now.intermission ? " INT " : " ") + strengthText(book.strength());
    std::vector<std::string> run, wait, done, rec;
    for (const BookPenalty& p : book.penalties()) {
        std::string entry = who(p) + " " + bookKindName(p.call.kind);
        switch (p.state) {
        case BookState::Running:
            if (p.coincident)
                entry += p.withoutSubstitute ? " c4" : " c";
            run.push_back(entry + " " + mss(p.remaining) + " @" + at(*book.endsAt(p), now));
            break;
        case BookState::Waiting:
            wait.push_back(entry);
            break;
        case BookState::RanOut:
        case BookState::Released:
            done.push_back(entry + " " + bookStateName(p.state) + " " + at(*p.ended, now));
            break;
        case BookState::Recorded:
            rec.push_back(entry);
            break;
        }
    }
    auto section = [&text](const char* name, const std::vector<std::string>& items) {
        if (items.empty())
            return;
        text += std::string(" | ") + name + " ";
        for (std::size_t i = 0; i < items.size(); ++i)
            text += (i ? ", " : "") + items[i];
    };
    section("run", run);
    section("wait", wait);
    section("done", done);
    section("rec", rec);
    std::vector<std::string> said;
    for (const GoalOutcome& goal : book.goals()) {
        std::string entry = goal.strength;
        if (goal.released)
            entry += ">" + who(*book.penalty(*goal.released)) + (goal.cutToSecondMinor ? " cut" : "");
        if (!goal.tied.empty()) {
            entry += " tie(";
            for (std::size_t i = 0; i < goal.tied.size(); ++i)
                entry += (i ? "," : "") + std::to_string(goal.tied[i]);
            entry += ")";
        }
        said.push_back(entry);
    }
    section("goals", said);
    return text;
}

BookKind kindOf(const std::string& word) {
    if (word == "double")
        return BookKind::DoubleMinor;
    if (word == "major")
        return BookKind::Major;
    if (word == "5+2")
        return BookKind::MajorAndMinor;
    if (word == "misconduct")
        return BookKind::Misconduct;
    if (word == "gm")
        return BookKind::GameMisconduct;
    if (word == "match")
        return BookKind::Match;
    if (word == "bench")
        return BookKind::BenchMinor;
    EXPECT_EQ(word, "minor");
    return BookKind::Minor;
}

// Steps: "H7 minor" (team, number, kind: minor double major 5+2 misconduct gm match bench), "H bench by12",
// "H7 major by8", "play 1:30", "goal V", "goal V noRelease", "goal V choose 2", "mark 1 on|off", "undo",
// "intermission".
void perform(RuleBook& book, const std::string& step) {
    std::istringstream in(step);
    std::string first, second, third;
    in >> first >> second >> third;
    if (first == "play") {
        book.run(t(second));
    } else if (first == "goal") {
        GoalRelease how;
        how.noRelease = third == "noRelease";
        if (third == "choose") {
            std::uint64_t id = 0;
            in >> id;
            how.choice = id;
        }
        book.goal(second == "H" ? Team::Home : Team::Visitor, how);
    } else if (first == "mark") {
        EXPECT_TRUE(book.markCoincident(std::stoull(second), third == "on")) << step;
    } else if (first == "undo") {
        EXPECT_TRUE(book.undoLastRelease()) << step;
    } else if (first == "intermission") {
        book.startIntermission();
    } else {
        PenaltyCall call;
        call.team = first[0] == 'H' ? Team::Home : Team::Visitor;
        call.player = first.size() > 1 ? std::stoi(first.substr(1)) : 0;
        call.kind = kindOf(second);
        if (third.rfind("by", 0) == 0)
            call.servedBy = std::stoi(third.substr(2));
        book.give(call);
    }
}

struct Situation {
    const char* rule;
    const char* settings; // "", "youth" (1:30 minors) or "substitutes" (no 4-on-4)
    std::vector<std::string> steps;
    const char* expected;
};

// The first six are the situations a scorekeeper used to get wrong.
const Situation kSituations[] = {
    {"NHL Rule 19.1 + 16.2: 4-on-4 coincident minors, a later minor; the goal ends the later one",
     "",
     {"play 2:00", "H3 minor", "V9 minor", "play 0:45", "H4 minor", "play 0:15", "goal V"},
     "P1 17:00 4-on-4 | run H3 minor c4 1:00 @16:00, V9 minor c4 1:00 @16:00 | done H4 minor released 17:00 | "
     "goals PP>H4"},
    {"IIHF Rule 19: coincident majors off the count, two later minors both run (5-on-3)",
     "",
     {"H12 major", "V20 major", "play 1:00", "H7 minor", "play 0:30", "H8 minor"},
     "P1 18:30 3-on-5 | run H12 major c 3:30 @15:00, V20 major c 3:30 @15:00, H7 minor 1:30 @17:00, "
     "H8 minor 2:00 @16:30"},
    {"NHL Rule 20: major and minor to one player on one clock, the major first; a goal then ends nothing",
     "",
     {"H5 5+2", "play 3:00", "goal V"},
     "P1 17:00 4-on-5 | run H5 major and minor 4:00 @13:00 | goals PP"},
    {"NHL Rule 16.2 + 20: the minor of a 5+2 ends on a goal once the major has run out",
     "",
     {"H5 5+2", "play 5:30", "goal V"},
     "P1 14:30 5-on-5 | done H5 major and minor released 14:30 | goals PP>H5"},
    {"NHL Rule 22: a misconduct runs 10:00 without changing the strength",
     "",
     {"H7 misconduct", "play 1:00"},
     "P1 19:00 5-on-5 | run H7 misconduct 9:00 @10:00"},
    {"USA Hockey 402: a 1:30 youth minor is a minor and ends on a goal",
     "youth",
     {"H7 minor", "play 0:40", "goal V"},
     "P1 19:20 5-on-5 | done H7 minor released 19:20 | goals PP>H7"},
    {"IIHF Rule 16: penalty time is playing time, frozen through the intermission",
     "",
     {"play 19:00", "H7 minor", "play 1:00", "intermission", "play 5:00"},
     "P1 10:00 INT 4-on-5 | run H7 minor 1:00 @P2 19:00"},
    {"IIHF Rule 16: after the intermission the next period waits at its full length",
     "",
     {"play 19:00", "H7 minor", "play 1:00", "intermission", "play 15:30"},
     "P2 20:00 4-on-5 | run H7 minor 1:00 @19:00"},
    {"IIHF Rule 16: a minor runs out after 2:00",
     "",
     {"H7 minor", "play 2:00"},
     "P1 18:00 5-on-5 | done H7 minor ran out 18:00"},
    {"USA Hockey 402: a 1:30 youth minor runs out after 1:30",
     "youth",
     {"H7 minor", "play 1:30"},
     "P1 18:30 5-on-5 | done H7 minor ran out 18:30"},
    {"NHL Rule 16.2: a power-play goal ends the minor",
     "",
     {"H7 minor", "play 0:30", "goal V"},
     "P1 19:30 5-on-5 | done H7 minor released 19:30 | goals PP>H7"},
    {"NHL Rule 16.2: a short-handed goal ends nothing",
     "",
     {"H7 minor", "play 0:30", "goal H"},
     "P1 19:30 4-on-5 | run H7 minor 1:30 @18:00 | goals SH"},
    {"IIHF Rule 20: a major never ends on a goal",
     "",
     {"H7 major", "play 1:00", "goal V"},
     "P1 19:00 4-on-5 | run H7 major 4:00 @15:00 | goals PP"},
    {"NHL Rule 18: a goal in the first minor of a double minor cuts it to the second",
     "",
     {"H7 double", "play 1:00", "goal V"},
     "P1 19:00 4-on-5 | run H7 double minor 2:00 @17:00 | goals PP>H7 cut"},
    {"NHL Rule 18: a goal in the second minor ends the double minor",
     "",
     {"H7 double", "play 2:30", "goal V"},
     "P1 17:30 5-on-5 | done H7 double minor released 17:30 | goals PP>H7"},
    {"NHL Rule 16.2: at 5-on-3 the goal ends the minor with the least time",
     "",
     {"H7 minor", "play 0:30", "H8 minor", "play 0:20", "goal V"},
     "P1 19:10 4-on-5 | run H8 minor 1:40 @17:30 | done H7 minor released 19:10 | goals PP>H7"},
    {"NHL Rule 26, USA Hockey 408: a third penalty waits",
     "",
     {"H7 minor", "H8 minor", "H9 minor"},
     "P1 20:00 3-on-5 | run H7 minor 2:00 @18:00, H8 minor 2:00 @18:00 | wait H9 minor"},
    {"NHL Rule 26: the waiting penalty starts in full when the first runs out",
     "",
     {"H7 minor", "play 0:30", "H8 minor", "play 0:30", "H9 minor", "play 1:00"},
     "P1 18:00 3-on-5 | run H8 minor 0:30 @17:30, H9 minor 2:00 @16:00 | done H7 minor ran out 18:00"},
    {"NHL Rule 16.2 + 26: tied minors, the first given ends and the waiting one starts",
     "",
     {"H7 minor", "H8 minor", "H9 minor", "play 0:30", "goal V"},
     "P1 19:30 3-on-5 | run H8 minor 1:30 @18:00, H9 minor 2:00 @17:30 | done H7 minor released 19:30 | "
     "goals PP>H7 tie(1,2)"},
    {"NHL Rule 16.2: the official chooses between tied minors",
     "",
     {"H7 minor", "H8 minor", "H9 minor", "play 0:30", "goal V choose 2"},
     "P1 19:30 3-on-5 | run H7 minor 1:30 @18:00, H9 minor 2:00 @17:30 | done H8 minor released 19:30 | "
     "goals PP>H8 tie(1,2)"},
    {"NHL Rule 19.1: a goal at 4-on-4 ends nothing",
     "",
     {"H3 minor", "V9 minor", "play 0:30", "goal H"},
     "P1 19:30 4-on-4 | run H3 minor c4 1:30 @18:00, V9 minor c4 1:30 @18:00 | goals EV"},
    {"NHL Rule 19.1: coincident minors with another penalty in effect take substitutes",
     "",
     {"H7 minor", "play 0:30", "H3 minor", "V9 minor", "goal V"},
     "P1 19:30 5-on-5 | run H3 minor c 2:00 @17:30, V9 minor c 2:00 @17:30 | done H7 minor released 19:30 | "
     "goals PP>H7"},
    {"IIHF Rule 19, four-on-four off: single coincident minors take substitutes",
     "substitutes",
     {"H3 minor", "V9 minor"},
     "P1 20:00 5-on-5 | run H3 minor c 2:00 @18:00, V9 minor c 2:00 @18:00"},
    {"NHL Rule 24: a penalty-shot goal ends nothing",
     "",
     {"H7 minor", "play 0:30", "goal V noRelease"},
     "P1 19:30 4-on-5 | run H7 minor 1:30 @18:00 | goals PP"},
    {"NHL Rule 17: a bench minor is served by a named player and ends like a minor",
     "",
     {"H bench by12", "play 1:00", "goal V"},
     "P1 19:00 5-on-5 | done H-/12 bench minor released 19:00 | "
     "goals PP>H-/12"},
    {"NHL Rule 26: a major and a minor at one stoppage, the minor goes on first",
     "",
     {"H7 minor", "play 0:30", "H5 major", "H6 minor"},
     "P1 19:30 3-on-5 | run H7 minor 1:30 @18:00, H6 minor 2:00 @17:30 | wait H5 major"},
    {"NHL Rule 23: a game misconduct is recorded, no clock",
     "",
     {"H7 gm", "play 1:00"},
     "P1 19:00 5-on-5 | rec H7 game misconduct"},
    {"NHL Rule 21: a match penalty is recorded; its time is a major served by a teammate",
     "",
     {"H7 match", "H7 major by8"},
     "P1 20:00 4-on-5 | run H7/8 major 5:00 @15:00 | rec H7 match"},
    {"NHL Rule 16.2: an undone release counts the later play again",
     "",
     {"H7 minor", "play 0:30", "goal V", "play 0:20", "undo"},
     "P1 19:10 4-on-5 | run H7 minor 1:10 @18:00 | goals PP"},
    {"IIHF Rule 19: the official unmarks a coincident minor; the goal ends it",
     "",
     {"H3 minor", "V9 minor", "mark 1 off", "play 0:30", "goal V"},
     "P1 19:30 5-on-5 | run V9 minor c 1:30 @18:00 | done H3 minor released 19:30 | goals PP>H3"},
    {"IIHF Rule 19: the official marks penalties of one stoppage typed apart as coincident",
     "",
     {"H7 minor", "play 0:10", "V9 minor", "mark 1 on", "mark 2 on"},
     "P1 19:50 5-on-5 | run H7 minor c 1:50 @18:00, V9 minor c 2:00 @17:50"},
    {"IIHF Rule 19: coincident majors and a minor at one stoppage, the minor counts",
     "",
     {"H5 major", "V6 major", "H7 minor"},
     "P1 20:00 4-on-5 | run H5 major c 5:00 @15:00, V6 major c 5:00 @15:00, H7 minor 2:00 @18:00"},
    {"NHL Rule 16.2: penalties at different stoppages are not coincident",
     "",
     {"H7 minor", "play 0:10", "V9 minor", "play 0:10", "H8 minor", "goal V"},
     "P1 19:40 4-on-4 | run V9 minor 1:50 @17:50, H8 minor 2:00 @17:40 | done H7 minor released 19:40 | "
     "goals PP>H7"},
    {"IIHF Rule 20: a release time carries into the next period",
     "",
     {"play 19:00", "H7 major"},
     "P1 1:00 4-on-5 | run H7 major 5:00 @P2 16:00"},
    {"NHL Rule 19: two minors against one at a stoppage, one pair is coincident, the other minor counts",
     "",
     {"H7 minor", "H8 minor", "V9 minor"},
     "P1 20:00 4-on-5 | run H7 minor c 2:00 @18:00, H8 minor 2:00 @18:00, V9 minor c 2:00 @18:00"},
    {"NHL Rule 19: a double minor against a minor, given as two minors with the second marked coincident",
     "",
     {"H7 minor", "H7 minor", "V9 minor", "mark 1 off", "mark 2 on", "play 2:30"},
     "P1 17:30 5-on-5 | run H7 minor c 1:30 @16:00 | done H7 minor ran out 18:00, V9 minor ran out 18:00"},
    {"NHL Rule 22: a misconduct with a minor starts when the minor ends",
     "",
     {"H7 minor by8", "H7 misconduct", "play 2:30"},
     "P1 17:30 5-on-5 | run H7 misconduct 9:30 @8:00 | done H7/8 minor ran out 18:00"},
    {"NHL Rule 16: one player's penalties at two stoppages are served one after the other",
     "",
     {"H7 minor", "play 1:00", "H7 minor", "play 1:30"},
     "P1 17:30 4-on-5 | run H7 minor 1:30 @16:00 | done H7 minor ran out 18:00"},
    {"NHL Rule 20: a major and a minor to one player typed apart, the major first",
     "",
     {"H7 minor", "H7 major"},
     "P1 20:00 4-on-5 | run H7 major 5:00 @15:00 | wait H7 minor"},
    {"IIHF Rule 16: no intermission while the period has time left",
     "",
     {"play 5:00", "intermission", "play 1:00"},
     "P1 14:00 5-on-5"},
};

// NOLINTNEXTLINE(readability-identifier-naming): GoogleTest finds the printer by this name
void PrintTo(const Situation& row, std::ostream* out) {
    *out << row.rule;
}

class RuleBookSituations : public testing::TestWithParam<Situation> {};

TEST_P(RuleBookSituations, ComesOutAsTheRuleBookSays) {
    const Situation& row = GetParam();
    RuleBookSettings settings;
    if (std::string(row.settings) == "youth")
        settings.minorLength = kYouthMinorTime;
    if (std::string(row.settings) == "substitutes")
        settings.fourOnFour = false;
    RuleBook book(settings);
    for (const std::string& step : row.steps)
        perform(book, step);
    EXPECT_EQ(describe(book), row.expected) << row.rule;
}

INSTANTIATE_TEST_SUITE_P(Table, RuleBookSituations, testing::ValuesIn(kSituations),
                         [](const testing::TestParamInfo<Situation>& param) {
                             return "row" + std::to_string(param.index + 1);
                         });

TEST(RuleBookSheetTimes, RoundUpToTheWholeSecond) {
    EXPECT_EQ(mss(roundUpToWholeSecond(t("0:30.4"))), "0:31");
    EXPECT_EQ(mss(roundUpToWholeSecond(t("0:30"))), "0:30");
    EXPECT_EQ(mss(roundUpToWholeSecond(-5)), "0:00");
    EXPECT_EQ(mss(elapsedInPeriod(t("20:00"), t("17:30.4"))), "2:29");
    EXPECT_EQ(mss(elapsedInPeriod(t("20:00"), t("20:00"))), "0:00");
}

TEST(RuleBookEntries, UnknownChoicesAndMarksChangeNothingAndTheEntriesPlayBack) {
    RuleBook book;
    EXPECT_FALSE(book.markCoincident(1, true));
    EXPECT_FALSE(book.undoLastRelease());
    book.give({Team::Home, BookKind::Minor, 7, 0, "Tripping"});
    book.run(t("0:30"));
    const GoalOutcome goal = book.goal(Team::Visitor, {false, 9});
    EXPECT_TRUE(goal.refusal.has_value());
    EXPECT_EQ(goal.released, std::optional<std::uint64_t>(1));
    book.run(-t("1:00"));
    EXPECT_EQ(book.clock().remaining, t("19:30"));

    std::vector<RuleBook::Entry> entries = book.entries();
    entries.front().call.player = -4;
    const RuleBook again = RuleBook::restored(book.settings(), entries, {{1, false}, {7, true}});
    EXPECT_EQ(describe(again), "P1 19:30 5-on-5 | done H- minor released 19:30 | goals PP>H-");
    EXPECT_EQ(again.marks().size(), 1u);
    EXPECT_EQ(again.penalties().front().call.infraction, "Tripping");
    EXPECT_EQ(again.penaltyMinutesOf(Team::Home), 2);
}

TEST(RuleBookEntries, TheClocksShowPenaltiesThatCountFirst) {
    RuleBook book;
    book.give({Team::Home, BookKind::Misconduct, 4, 0, ""});
    book.give({Team::Home, BookKind::Minor, 3, 0, ""});
    book.give({Team::Visitor, BookKind::Minor, 9, 0, ""});
    book.run(t("0:30"));
    book.give({Team::Home, BookKind::Major, 7, 0, ""});
    book.give({Team::Home, BookKind::Minor, 8, 0, ""});
    // 3 and 9 play 4-on-4 and count; 8 goes on (the minor first) and 7 waits; the misconduct shows after them.
    EXPECT_EQ(book.shownOnClocks(Team::Home), (std::vector<std::uint64_t>{2, 5}));
    EXPECT_EQ(book.shownOnClocks(Team::Home, 4), (std::vector<std::uint64_t>{2, 5, 1}));
    EXPECT_EQ(book.shownOnClocks(Team::Visitor), (std::vector<std::uint64_t>{3}));
    book.run(t("1:30"));
    // 3 ran out and 7 went on after 8.
    EXPECT_EQ(book.shownOnClocks(Team::Home, 4), (std::vector<std::uint64_t>{5, 4, 1}));
}

// Any order of entries, however odd, keeps the counts within the rule books' bounds and plays back the same.
TEST(RuleBookEntries, RandomGamesStayWithinTheRules) {
    std::mt19937 random(20261207);
    for (int game = 0; game < 200; ++game) {
        RuleBook book(RuleBookSettings{game % 2 ? kYouthMinorTime : kMinorTime, secondsToTime(600), secondsToTime(60),
                                       game % 3 != 0});
        for (int step = 0; step < 60; ++step) {
            const Team team = random() % 2 ? Team::Home : Team::Visitor;
            switch (random() % 7) {
            case 0:
            case 1:
                book.give({team, static_cast<BookKind>(random() % 8), static_cast<int>(random() % 5),
                           static_cast<int>(random() % 3), ""});
                break;
            case 2:
                book.run(static_cast<TimeValue>(random() % 1200) * kTicksPerTenth - kTicksPerSecond);
                break;
            case 3:
                book.goal(team, {random() % 5 == 0,
                                 random() % 4 ? std::nullopt : std::optional<std::uint64_t>(random() % 9)});
                break;
            case 4:
                book.markCoincident(random() % 12, random() % 2);
                break;
            case 5:
                book.undoLastRelease();
                break;
            default:
                book.startIntermission();
                break;
            }
            std::array<int, 2> inBox{};
            for (const BookPenalty& p : book.penalties()) {
                ASSERT_GE(p.remaining, 0);
                ASSERT_LE(p.remaining, p.length);
                if (p.reducesStrength())
                    ++inBox[p.call.team == Team::Home ? 0 : 1];
            }
            ASSERT_LE(inBox[0], kFullStrength - kFewestSkaters);
            ASSERT_LE(inBox[1], kFullStrength - kFewestSkaters);
            ASSERT_EQ(book.strength(), (Strength{kFullStrength - inBox[0], kFullStrength - inBox[1]}));
        }
        const RuleBook again = RuleBook::restored(book.settings(), book.entries(), book.marks());
        ASSERT_EQ(describe(again), describe(book)) << "game " << game;
    }
}

} // namespace
