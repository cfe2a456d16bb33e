#include "core/rules/GameReport.h"
#include "core/rules/RecordKeeping.h"
#include <gtest/gtest.h>

// The official's record beside the board: entries in, strength and penalties out; the same game read back
// from its lines counts the same.
namespace {

constexpr TimeValue sec(std::int64_t s) {
    return secondsToTime(s);
}

struct Step {
    enum Op { Give, Play, Goal, PenaltyShotGoal, VoidLast, MarkLast } op = Play;
    Team team = Team::Home;
    BookKind kind = BookKind::Minor;
    TimeValue time = 0;
};
Step give(Team t, BookKind k) {
    return {Step::Give, t, k, 0};
}
Step play(std::int64_t seconds) {
    return {Step::Play, Team::Home, BookKind::Minor, sec(seconds)};
}
Step goal(Team t) {
    return {Step::Goal, t, BookKind::Minor, 0};
}

struct Open {
    Team team;
    std::string kind;
    std::string state;
    TimeValue remaining;
};

struct Row {
    const char* name;
    TimeValue minorLength;
    std::vector<Step> steps;
    std::string strength;
    std::vector<Open> open; // waiting and running penalties, in the order given
};

RecordTime now(const RecordKeeper& k) {
    return RecordTime{k.book().clock().period, k.book().clock().remaining};
}

std::string playRow(RecordKeeper& keeper, const std::vector<Step>& steps) {
    std::string text = keeper.append(RecordHeader{});
    int player = 10;
    std::uint64_t lastPenalty = 0;
    for (const Step& s : steps) {
        switch (s.op) {
        case Step::Give: {
            RecordPenalty p;
            p.at = now(keeper);
            p.team = s.team;
            p.kind = s.kind;
            p.player = player++;
            p.infraction = "Hooking";
            text += keeper.append(p);
            lastPenalty = keeper.record().entries().back().seq;
            break;
        }
        case Step::Play:
            keeper.play(s.time);
            break;
        case Step::Goal:
        case Step::PenaltyShotGoal: {
            RecordGoal g;
            g.at = now(keeper);
            g.team = s.team;
            g.penaltyShot = s.op == Step::PenaltyShotGoal;
            text += keeper.append(g);
            break;
        }
        case Step::VoidLast:
            text += keeper.append(RecordCorrection{lastPenalty});
            break;
        case Step::MarkLast: {
            RecordPenalty p = std::get<RecordPenalty>(keeper.standingEntry(lastPenalty)->item);
            p.coincident = true;
            for (const std::string& line : keeper.replace(lastPenalty, p))
                text += line;
            lastPenalty = keeper.record().entries().back().seq;
            break;
        }
        }
    }
    return text;
}

void expectOpen(const RecordKeeper& keeper, const Row& row, const char* how) {
    SCOPED_TRACE(std::string(row.name) + " (" + how + ")");
    EXPECT_EQ(keeper.strength(), row.strength);
    const std::vector<PenaltyView> open = keeper.openPenalties();
    ASSERT_EQ(open.size(), row.open.size());
    for (std::size_t i = 0; i < open.size(); ++i) {
        EXPECT_EQ(open[i].team, row.open[i].team) << i;
        EXPECT_EQ(open[i].kind, row.open[i].kind) << i;
        EXPECT_EQ(open[i].state, row.open[i].state) << i;
        EXPECT_EQ(open[i].remaining, row.open[i].remaining) << i;
        EXPECT_NE(open[i].seq, 0u) << i;
    }
}

const Team kH = Team::Home;
const Team kV = Team::Visitor;

TEST(RecordKeeping, RuleBookSituations) {
    const Row rows[] = {
        {"coincident minors, then a later minor released by a goal",
         kMinorTime,
         {give(kH, BookKind::Minor), give(kV, BookKind::Minor), play(30), give(kH, BookKind::Minor), play(10),
          goal(kV)},
         "4-on-4",
         {{kH, "minor", "running", sec(80)}, {kV, "minor", "running", sec(80)}}},
        {"coincident majors and a later minor running",
         kMinorTime,
         {give(kH, BookKind::Major), give(kV, BookKind::Major), play(60), give(kV, BookKind::Minor), play(30)},
         "5-on-4",
         {{kH, "major", "running", sec(210)}, {kV, "major", "running", sec(210)}, {kV, "minor", "running", sec(90)}}},
        {"5+2 on one clock: a goal during the major ends nothing",
         kMinorTime,
         {give(kH, BookKind::MajorAndMinor), play(60), goal(kV)},
         "4-on-5",
         {{kH, "major and minor", "running", sec(360)}}},
        {"5+2 on one clock: the minor released by a goal after the major",
         kMinorTime,
         {give(kH, BookKind::MajorAndMinor), play(60), goal(kV), play(270), goal(kV)},
         "5-on-5",
         {}},
        {"a misconduct runs ten minutes and changes no strength",
         kMinorTime,
         {give(kV, BookKind::Misconduct), play(60)},
         "5-on-5",
         {{kV, "misconduct", "running", sec(540)}}},
        {"a youth minor of 1:30 released by a goal",
         kYouthMinorTime,
         {give(kH, BookKind::Minor), play(40), goal(kV)},
         "5-on-5",
         {}},
        {"a youth minor runs out after 1:30",
         kYouthMinorTime,
         {give(kH, BookKind::Minor), play(89)},
         "4-on-5",
         {{kH, "minor", "running", sec(1)}}},
        {"a penalty-shot goal releases nothing",
         kMinorTime,
         {give(kH, BookKind::Minor), play(20), {Step::PenaltyShotGoal, kV, BookKind::Minor, 0}},
         "4-on-5",
         {{kH, "minor", "running", sec(100)}}},
        {"a voided penalty gives the skater back",
         kMinorTime,
         {give(kH, BookKind::Minor), play(20), {Step::VoidLast}},
         "5-on-5",
         {}},
        {"a penalty marked coincident keeps its place and takes no skater",
         kMinorTime,
         {give(kH, BookKind::Minor), play(20), {Step::MarkLast}, play(10)},
         "5-on-5",
         {{kH, "minor", "running", sec(90)}}},
        {"a third penalty waits for a place",
         kMinorTime,
         {give(kH, BookKind::Minor), play(5), give(kH, BookKind::Minor), play(5), give(kH, BookKind::Minor)},
         "3-on-5",
         {{kH, "minor", "running", sec(110)}, {kH, "minor", "running", sec(115)}, {kH, "minor", "waiting", sec(120)}}},
    };
    for (const Row& row : rows) {
        RuleBookSettings settings;
        settings.minorLength = row.minorLength;
        RecordKeeper live(settings);
        const std::string text = playRow(live, row.steps);
        expectOpen(live, row, "live");
        const RecordReading reading = readRecord(text);
        EXPECT_TRUE(reading.problems.empty());
        const RecordKeeper replayed = RecordKeeper::fromRecord(reading.record, settings, now(live));
        expectOpen(replayed, row, "read back");
    }
}

TEST(RecordKeeping, PenaltiesRunOnIntoTheNextPeriod) {
    RecordKeeper live;
    std::string text = live.append(RecordHeader{});
    RecordPenalty p;
    p.at = {1, sec(60)};
    p.team = kV;
    p.kind = BookKind::Major;
    p.player = 4;
    live.play(sec(std::int64_t{19} * 60));
    text += live.append(p);
    live.play(sec(60));
    live.nextPeriod();
    live.play(sec(30));
    ASSERT_EQ(live.book().clock().period, 2);
    EXPECT_EQ(live.strength(), "5-on-4");
    ASSERT_EQ(live.openPenalties().size(), 1u);
    EXPECT_EQ(live.openPenalties()[0].remaining, sec(210));
    EXPECT_EQ(live.openPenalties()[0].endsAt, (GameClock{2, sec(20 * 60 - 240), false}));
    const RecordKeeper replayed =
        RecordKeeper::fromRecord(readRecord(text).record, {}, RecordTime{2, sec(20 * 60 - 30)});
    EXPECT_EQ(replayed.openPenalties()[0].remaining, sec(210));
}

TEST(RecordKeeping, ALongGameIsKeptWhole) {
    RecordKeeper keeper;
    std::string text = keeper.append(RecordHeader{});
    for (int i = 0; i < 240; ++i) {
        text += keeper.append(RecordShots{1 + i % 3, i % 2 == 0 ? kH : kV, 1});
        if (i % 40 == 0) {
            RecordPenalty p;
            p.at = now(keeper);
            p.team = i % 80 == 0 ? kH : kV;
            p.player = 1 + i / 40;
            text += keeper.append(p);
            keeper.play(sec(150));
        }
    }
    const RecordReading reading = readRecord(text);
    EXPECT_TRUE(reading.problems.empty());
    ASSERT_EQ(reading.record.entries().size(), 1u + 240u + 6u);
    EXPECT_EQ(reading.record.entries(), keeper.record().entries());
    EXPECT_EQ(RecordKeeper::fromRecord(reading.record, {}, now(keeper)).book().penalties().size(), 6u);
}

// Two states of the board: the game clock's table and the digits.
game::GameState board(TimeValue setTime, TimeValue used, bool running, int period = 1, int home = 0, int visitor = 0) {
    game::GameState s = game::freshGame();
    s.clocks[0].setTime = setTime;
    s.clocks[0].used = used;
    s.clocks[0].running = running;
    s.periodDigits[0] = period;
    s.homeDigits[0] = home;
    s.visitorDigits[0] = visitor;
    return s;
}

TEST(RecordKeeping, WhatTheBoardTells) {
    const TimeValue p = sec(1200);
    struct {
        const char* name;
        game::GameState before, after;
        TimeValue played;
        bool nextPeriod;
        std::vector<Team> goals;
    } rows[] = {
        {"running", board(p, 0, true), board(p, sec(1), true), sec(1), false, {}},
        {"stopped by the key: what ran up to it", board(p, sec(1), true), board(p, sec(2), false), sec(1), false, {}},
        {"stopped: nothing", board(p, sec(1), false), board(p, sec(1), false), 0, false, {}},
        {"a typed time is no play", board(p, sec(5), false), board(sec(600), 0, false), 0, false, {}},
        {"the reset key is no play", board(p, sec(5), true), board(p, 0, false), 0, false, {}},
        {"nothing past zero", board(p, p - sec(1), true), board(p, p + sec(3), true), sec(1), false, {}},
        {"a goal", board(p, 0, false), board(p, 0, false, 1, 1), 0, false, {kH}},
        {"a score up by two is a correction", board(p, 0, false), board(p, 0, false, 1, 0, 2), 0, false, {}},
        {"both teams", board(p, 0, false, 1, 1, 1), board(p, 0, false, 1, 2, 2), 0, false, {kH, kV}},
        {"period 0 to 1 starts the game", board(p, 0, false, 0), board(p, 0, false, 1), 0, false, {}},
        {"period 1 to 2", board(p, p, false, 1), board(p, 0, false, 2), 0, true, {}},
        {"period 2 to 4 is a correction", board(p, 0, false, 2), board(p, 0, false, 4), 0, false, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(playBetween(row.before, row.after), row.played);
        EXPECT_EQ(periodAdvanced(row.before, row.after), row.nextPeriod);
        EXPECT_EQ(goalsBetween(row.before, row.after), row.goals);
    }
    EXPECT_EQ(recordTimeOf(board(p, sec(60), false, 0)), (RecordTime{1, p - sec(60)}));
}

// The intermission's countdown on the game clock is no play, and its end is the record's next period.
TEST(RecordKeeping, AnIntermissionIsNoPlay) {
    const TimeValue p = sec(1200);
    const TimeValue pause = sec(900);
    const auto pausing = [](game::GameState s) {
        s.intermission = true;
        return s;
    };
    EXPECT_EQ(playBetween(pausing(board(pause, sec(1), true, 1)), pausing(board(pause, sec(61), true, 1))), 0);
    EXPECT_EQ(playBetween(board(p, p, false, 1), pausing(board(pause, sec(1), true, 1))), 0);
    EXPECT_EQ(recordTimeOf(pausing(board(pause, sec(60), true, 1))), (RecordTime{1, 0}));
    // The record's period length is never the intermission's: the next period's (the reset time, else 20:00).
    EXPECT_EQ(game::periodLengthOf(pausing(board(pause, 0, true, 1))), sec(600));
    game::GameState noReset = pausing(board(pause, 0, true, 1));
    noReset.resetTime = 0;
    EXPECT_EQ(game::periodLengthOf(noReset), p);
    EXPECT_EQ(game::periodLengthOf(board(p, 0, true, 1)), p);
    const game::GameState ended = board(p, 0, false, 2);
    EXPECT_TRUE(periodAdvanced(pausing(board(pause, pause, true, 1)), ended));
    RecordKeeper keeper;
    keeper.follow(board(p, 0, false, 1), board(p, p, true, 1));
    keeper.follow(board(p, p, true, 1), pausing(board(pause, 0, true, 1)));
    keeper.follow(pausing(board(pause, 0, true, 1)), pausing(board(pause, sec(600), true, 1)));
    EXPECT_EQ(keeper.book().clock().period, 1);
    keeper.follow(pausing(board(pause, pause, true, 1)), ended);
    EXPECT_EQ(keeper.book().clock().period, 2);
    EXPECT_EQ(keeper.book().clock().remaining, p);
}

TEST(RecordKeeping, FollowingTheBoardWritesGoalsAndCountsPlay) {
    const TimeValue p = sec(1200);
    RecordKeeper keeper;
    RecordPenalty pen;
    pen.team = kH;
    pen.player = 8;
    pen.at = {1, p};
    keeper.append(pen);
    EXPECT_TRUE(keeper.follow(board(p, 0, false), board(p, 0, true)).empty());
    keeper.follow(board(p, 0, true), board(p, sec(45), true));
    EXPECT_EQ(keeper.strength(), "4-on-5");
    const std::vector<std::string> lines = keeper.follow(board(p, sec(45), true), board(p, sec(45), false, 1, 0, 1));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("\"type\":\"goal\""), std::string::npos);
    EXPECT_EQ(keeper.strength(), "5-on-5");
    const std::optional<RecordEntry> latest = keeper.latestGoal();
    ASSERT_TRUE(latest);
    EXPECT_EQ(std::get<RecordGoal>(latest->item).strength, "PP"); // as it was scored
    EXPECT_EQ(std::get<RecordGoal>(latest->item).at, (RecordTime{1, p - sec(45)}));
    ASSERT_TRUE(keeper.outcomeOf(latest->seq));
    EXPECT_EQ(keeper.outcomeOf(latest->seq)->released, std::optional<std::uint64_t>(1));
    // The official names the scorer: the goal keeps its place and its release.
    RecordGoal named = std::get<RecordGoal>(latest->item);
    named.scorer = 19;
    EXPECT_EQ(keeper.replace(latest->seq, named).size(), 2u);
    EXPECT_EQ(keeper.strength(), "5-on-5");
    EXPECT_EQ(std::get<RecordGoal>(keeper.latestGoal()->item).scorer, 19);
    EXPECT_EQ(std::get<RecordGoal>(keeper.latestGoal()->item).strength, "PP");
    EXPECT_TRUE(keeper.replace(latest->seq, named).empty()); // voided already
}

// The report's penalty start and end: what the official left out comes from the rule book.
RecordTime at(int period, int minutes, int seconds) {
    return RecordTime{period, sec(std::int64_t{minutes} * 60 + seconds)};
}
RecordItem pen(RecordTime given, Team team, int player, BookKind kind) {
    RecordPenalty p;
    p.at = given;
    p.team = team;
    p.player = player;
    p.kind = kind;
    p.minutes = penaltyMinutes(kind);
    return p;
}
RecordItem scored(RecordTime when, Team team) {
    RecordGoal g;
    g.at = when;
    g.team = team;
    return g;
}

TEST(RecordKeeping, ServedTimesOnTheReport) {
    const std::optional<RecordTime> none;
    RecordPenalty handMade = std::get<RecordPenalty>(pen(at(1, 10, 0), kH, 4, BookKind::Minor));
    handMade.start = at(1, 9, 0);
    handMade.end = at(1, 7, 0);
    const RecordItem gameOver = RecordEnd{at(3, 0, 0)};
    const struct {
        const char* name;
        std::vector<RecordItem> entries; // after a header
        std::size_t penalty;             // which penalty entry, in the order written
        std::optional<RecordTime> start;
        std::optional<RecordTime> end;
    } rows[] = {
        {"a minor a power-play goal ends",
         {pen(at(1, 15, 0), kH, 4, BookKind::Minor), scored(at(1, 14, 0), kV), gameOver},
         0,
         at(1, 15, 0),
         at(1, 14, 0)},
        {"a minor that runs out", {pen(at(1, 10, 0), kH, 4, BookKind::Minor), gameOver}, 0, at(1, 10, 0), at(1, 8, 0)},
        {"a third minor waits for a place",
         {pen(at(1, 10, 0), kH, 4, BookKind::Minor), pen(at(1, 10, 0), kH, 5, BookKind::Minor),
          pen(at(1, 9, 30), kH, 6, BookKind::Minor), gameOver},
         2,
         at(1, 8, 0),
         at(1, 6, 0)},
        {"a 5+2 runs into the next period",
         {pen(at(2, 5, 0), kV, 7, BookKind::MajorAndMinor), gameOver},
         0,
         at(2, 5, 0),
         at(3, 18, 0)},
        {"a misconduct starts after the player's minor",
         {pen(at(1, 10, 0), kV, 9, BookKind::Minor), pen(at(1, 10, 0), kV, 9, BookKind::Misconduct), gameOver},
         1,
         at(1, 8, 0),
         at(2, 18, 0)},
        {"coincident minors: a goal ends neither",
         {pen(at(1, 10, 0), kH, 4, BookKind::Minor), pen(at(1, 10, 0), kV, 8, BookKind::Minor), scored(at(1, 9, 0), kH),
          gameOver},
         1,
         at(1, 10, 0),
         at(1, 8, 0)},
        {"a double minor a goal cut to its second minor",
         {pen(at(1, 10, 0), kH, 6, BookKind::DoubleMinor), scored(at(1, 9, 0), kV), gameOver},
         0,
         at(1, 10, 0),
         at(1, 7, 0)},
        {"a game misconduct (as a match penalty): given, never ended",
         {pen(at(3, 13, 0), kV, 21, BookKind::GameMisconduct), gameOver},
         0,
         at(3, 13, 0),
         none},
        {"still running at the latest entry of a game not ended",
         {pen(at(3, 1, 0), kH, 4, BookKind::Minor), RecordTimeout{at(3, 0, 30), kV}},
         0,
         at(3, 1, 0),
         none},
        {"still waiting: neither",
         {pen(at(1, 10, 0), kH, 4, BookKind::Minor), pen(at(1, 10, 0), kH, 5, BookKind::Minor),
          pen(at(1, 10, 0), kH, 6, BookKind::Minor), RecordTimeout{at(1, 9, 0), kH}},
         2,
         none,
         none},
        {"what the official wrote stays", {handMade, gameOver}, 0, at(1, 9, 0), at(1, 7, 0)},
        {"a voided goal ends nothing",
         {pen(at(1, 10, 0), kH, 4, BookKind::Minor), scored(at(1, 9, 0), kV), RecordCorrection{3}, gameOver},
         0,
         at(1, 10, 0),
         at(1, 8, 0)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        GameRecord record;
        record.append(RecordHeader{});
        for (const RecordItem& item : row.entries)
            record.append(item);
        const GameRecord filled = recordWithServedTimes(record);
        std::vector<RecordPenalty> penalties;
        for (const RecordEntry& e : filled.standing())
            if (const auto* p = std::get_if<RecordPenalty>(&e.item))
                penalties.push_back(*p);
        ASSERT_LT(row.penalty, penalties.size());
        EXPECT_EQ(penalties[row.penalty].start, row.start);
        EXPECT_EQ(penalties[row.penalty].end, row.end);
        EXPECT_EQ(filled.entries().size(), record.entries().size());
    }
}

TEST(RecordKeeping, ServedTimesFromTheLiveBookAndOnTheReport) {
    RecordKeeper keeper;
    keeper.append(RecordHeader{});
    keeper.append(pen(at(1, 20, 0), kV, 8, BookKind::Minor));
    keeper.play(sec(60));
    const GameRecord whileRunning = recordWithServedTimes(keeper);
    const RecordPenalty& running = std::get<RecordPenalty>(whileRunning.entries()[1].item);
    EXPECT_EQ(running.start, at(1, 20, 0));
    EXPECT_EQ(running.end, std::nullopt);
    keeper.play(sec(90));
    const GameReport report = makeGameReport(recordWithServedTimes(keeper));
    ASSERT_EQ(report.penalties.size(), 1u);
    EXPECT_EQ(report.penalties[0].start, "P1 0:00");
    EXPECT_EQ(report.penalties[0].end, "P1 2:00");
    // A goal written with no strength is counted against the served times: a power play while the minor ran.
    GameRecord record = recordWithServedTimes(keeper);
    record.append(scored(at(1, 19, 0), kH));
    EXPECT_EQ(makeGameReport(record).goals[0].strength, "PP");
    EXPECT_EQ(makeGameReport(keeper.record()).penalties[0].end, "");
}

} // namespace

// What the board's penalty clocks show: the book's clock penalties less misconducts, two a team, each named by its
// record entry (which a voided earlier entry does not change).
TEST(RecordKeeping, WhatTheBoardShows) {
    const auto shown = [](const RecordKeeper& k) {
        std::string out;
        const RecordedPenalties board = k.shownOnBoard();
        for (std::size_t side = 0; side < 2; ++side) {
            out += side == 0 ? "H" : " V";
            for (const RecordedPenalty& p : board[side])
                out += ":" + std::to_string(p.remaining / secondsToTime(1)) + "#" + std::to_string(p.player);
        }
        return out;
    };
    const struct {
        const char* name;
        std::vector<Step> steps;
        const char* board;
    } rows[] = {
        {"coincident minors served four on four, then a later minor",
         {give(kH, BookKind::Minor), give(kV, BookKind::Minor), play(30), give(kH, BookKind::Minor), play(10)},
         "H:80#10:110#12 V:80#11"},
        {"a 5+2 on one clock", {give(kH, BookKind::MajorAndMinor), play(60)}, "H:360#10 V"},
        {"a misconduct is not on the clocks",
         {give(kV, BookKind::Misconduct), give(kV, BookKind::Minor)},
         "H V:120#11"},
        {"a waiting third penalty is not on the clocks",
         {give(kH, BookKind::Minor), give(kH, BookKind::Minor), give(kH, BookKind::Minor)},
         "H:120#10:120#11 V"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        RecordKeeper keeper;
        playRow(keeper, row.steps);
        EXPECT_EQ(shown(keeper), row.board);
    }
    RecordKeeper keeper;
    playRow(keeper, {give(kH, BookKind::Minor), play(5), give(kH, BookKind::Minor)});
    const std::uint64_t second = keeper.shownOnBoard()[0][1].id;
    keeper.append(RecordCorrection{keeper.shownOnBoard()[0][0].id});
    ASSERT_EQ(keeper.shownOnBoard()[0].size(), 1u);
    EXPECT_EQ(keeper.shownOnBoard()[0][0].id, second);
}
