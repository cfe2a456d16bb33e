#include "core/game/GameJournal.h"
#include <algorithm>
#include <chrono>
#include <gtest/gtest.h>
#include <random>
#include <string>

// The journal reader against 100 000 random and mutated documents: it never crashes, answers either a game
// within the board's range or one line of reason, and what it accepts writes back to a document it reads the
// same. Seeded, so that a failure repeats; bounded in time, so a slow machine cannot hang the suite.
namespace {

using game::GameState;

GameState randomState(std::mt19937_64& rng) {
    const auto digit = [&rng] { return static_cast<int>(rng() % 11) - 1; };
    GameState s;
    for (int& d : s.timeDigits) {
        d = digit();
    }
    s.homeDigits = {digit(), digit()};
    s.visitorDigits = {digit(), digit()};
    s.periodDigits = {digit()};
    for (auto& p : s.penaltyDigits) {
        p = {digit(), digit(), digit()};
    }
    for (auto&& light : s.penaltyLights) {
        light = rng() % 2 == 0;
    }
    s.whoGoal = static_cast<int>(rng() % 3);
    s.colon = rng() % 2 == 0;
    s.timeOfDay = rng() % 2 == 0;
    if (rng() % 3 != 0) {
        s.selected = static_cast<game::Field>(rng() % game::kFieldCount);
    }
    s.resetTime = tenthsToTime(static_cast<std::int64_t>(rng() % 59991));
    for (std::size_t i = 0; i < s.clocks.size(); ++i) {
        const std::int64_t maxTenths = i == 0 ? 59990 : 5990;
        s.clocks[i].setTime = tenthsToTime(static_cast<std::int64_t>(rng() % (maxTenths + 1)));
        s.clocks[i].used = tenthsToTime(static_cast<std::int64_t>(rng() % (maxTenths + 1)));
        if (s.clocks[i].used > s.clocks[i].setTime) {
            s.clocks[i].used = s.clocks[i].setTime;
        }
        s.clocks[i].running = rng() % 2 == 0;
    }
    return s;
}

std::string mutate(std::string text, std::mt19937_64& rng) {
    static const char* const kPieces[] = {"-",    "9223372036854775808",
                                          "-1",   "99999",
                                          "null", "true",
                                          "\"",   "[",
                                          "]",    "{",
                                          "}",    ",",
                                          ":",    "\\u",
                                          "0.5",  "1e9",
                                          "\x80", "\xff",
                                          " ",    "\"version\":2"};
    const int edits = 1 + static_cast<int>(rng() % 4);
    for (int e = 0; e < edits && !text.empty(); ++e) {
        const std::size_t at = rng() % text.size();
        switch (rng() % 6) {
        case 0:
            text[at] = static_cast<char>(rng() % 256);
            break;
        case 1:
            text.erase(at, 1 + rng() % 16);
            break;
        case 2:
            text.insert(at, kPieces[rng() % (sizeof kPieces / sizeof *kPieces)]);
            break;
        case 3:
            text.resize(at);
            break;
        case 4: {
            const std::size_t from = rng() % text.size();
            text.insert(at, text.substr(from, 1 + rng() % 32));
            break;
        }
        default:
            // A digit changed into another, keeping the document well-formed most of the time.
            if (text[at] >= '0' && text[at] <= '9') {
                text[at] = static_cast<char>('0' + rng() % 10);
            }
            break;
        }
    }
    return text;
}

bool inRange(const GameState& s) {
    const auto digitsOk = [](const auto& digits) {
        for (int d : digits) {
            if (d < -1 || d > 9) {
                return false;
            }
        }
        return true;
    };
    bool ok = digitsOk(s.timeDigits) && digitsOk(s.homeDigits) && digitsOk(s.visitorDigits) &&
              digitsOk(s.periodDigits) && s.whoGoal >= 0 && s.whoGoal <= 2 && s.resetTime >= 0 &&
              s.resetTime <= game::kMaxGameClockSet;
    for (const auto& p : s.penaltyDigits) {
        ok = ok && digitsOk(p);
    }
    for (std::size_t i = 0; i < s.clocks.size(); ++i) {
        const ClockRecord& c = s.clocks[i];
        ok = ok && c.setTime >= 0 && c.setTime <= (i == 0 ? game::kMaxGameClockSet : game::kMaxPenaltySet) &&
             c.used >= 0 && (c.countUp || c.used <= c.setTime);
    }
    return ok;
}

TEST(GameJournalFuzz, HundredThousandRandomAndMutatedDocuments) {
    std::mt19937_64 rng(20261207);
    constexpr int kCases = 100'000;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    int accepted = 0;
    int cases = 0;
    for (; cases < kCases && std::chrono::steady_clock::now() < deadline; ++cases) {
        std::string text;
        if (cases % 4 == 0) {
            text.resize(rng() % 600);
            for (char& c : text) {
                c = static_cast<char>(rng() % 256);
            }
        } else {
            text = mutate(game::writeJournal(randomState(rng), static_cast<std::int64_t>(rng() >> 24)), rng);
        }
        const game::JournalReading r = game::readJournal(text);
        if (!r.game) {
            ASSERT_FALSE(r.problem.empty()) << "case " << cases;
            ASSERT_EQ(r.problem.find('\n'), std::string::npos) << "case " << cases;
            continue;
        }
        ++accepted;
        ASSERT_TRUE(inRange(r.game->state)) << "case " << cases << ": " << text;
        const game::JournalReading again = game::readJournal(game::writeJournal(r.game->state, r.game->savedAtMillis));
        ASSERT_TRUE(again.game) << "case " << cases;
        ASSERT_EQ(again.game->state, r.game->state) << "case " << cases;
        ASSERT_EQ(again.heldValues, 0) << "case " << cases;
    }
    EXPECT_EQ(cases, kCases) << "the time bound cut the run short";
    // Mutations keep enough documents whole that acceptance is exercised too.
    EXPECT_GT(accepted, kCases / 50);
    std::printf("%d documents, %d accepted\n", cases, accepted);
}

// A game with the penalty rules in use: random penalties added, goals scored and clocks read.
GameState randomRulesState(std::mt19937_64& rng) {
    GameState s = randomState(rng);
    PenaltyRules rules;
    PenaltyReadings now{};
    const int steps = static_cast<int>(rng() % 12);
    for (int i = 0; i < steps; ++i) {
        const GameMoment at{static_cast<int>(rng() % 4), secondsToTime(static_cast<int>(rng() % 1200))};
        const Team team = rng() % 2 == 0 ? Team::Home : Team::Visitor;
        PenaltyOutcome o;
        switch (rng() % 3) {
        case 0: {
            const int times[] = {120, 240, 300, 90};
            o = rules.addPenalty(team, secondsToTime(times[rng() % 4]), 1 + static_cast<int>(rng() % 4), now, at);
            break;
        }
        case 1:
            o = rules.scoreChanged(team, 0, 1, now, at);
            s.rules.note(SheetEvent{SheetEvent::Kind::Score, at, team, 0, 1, {}});
            break;
        default:
            for (TimeValue& t : now) {
                t = std::max<TimeValue>(0, t - secondsToTime(static_cast<int>(rng() % 90)));
            }
            o = rules.clocksRead(now, at);
            break;
        }
        for (const ClockAction& a : o.actions) {
            now[static_cast<std::size_t>(a.clock - 1)] = a.kind == ClockAction::Kind::Clear ? 0 : a.time;
        }
        for (const PenaltyEvent& e : o.events) {
            s.rules.note(SheetEvent{SheetEvent::Kind::Penalty, e.at, e.team, 0, 0, e});
        }
    }
    s.rules.penalties = rules.state();
    return s;
}

TEST(GameJournalFuzz, MutatedJournalsWithThePenaltyRules) {
    std::mt19937_64 rng(20261208);
    constexpr int kCases = 20'000;
    int accepted = 0;
    for (int cases = 0; cases < kCases; ++cases) {
        const std::string text = mutate(game::writeJournal(randomRulesState(rng), 1000), rng);
        const game::JournalReading r = game::readJournal(text);
        if (!r.game) {
            ASSERT_FALSE(r.problem.empty()) << "case " << cases;
            continue;
        }
        ++accepted;
        // Whatever is let through, the rules take up again as it is, and it writes and reads back the same.
        ASSERT_TRUE(PenaltyRules::fromState(r.game->state.rules.penalties)) << "case " << cases << ": " << text;
        const game::JournalReading again = game::readJournal(game::writeJournal(r.game->state, 1000));
        ASSERT_TRUE(again.game) << "case " << cases;
        ASSERT_EQ(again.game->state, r.game->state) << "case " << cases;
    }
    EXPECT_GT(accepted, kCases / 50);
    std::printf("%d documents with the rules, %d accepted\n", kCases, accepted);
}

} // namespace
