#include "core/rules/GameRecord.h"
#include "core/rules/GameReport.h"
#include "core/rules/RecordKeeping.h"
#include <chrono>
#include <gtest/gtest.h>
#include <random>

// The record reader against random and mutated files: it never crashes, every line it refuses has a one-line
// reason, the good lines around a bad one are kept, and a report can be made from whatever it read.
// Seeded, so that a failure repeats; bounded in time.
namespace {

std::string randomLine(GameRecord& record, std::mt19937_64& rng) {
    const auto team = [&rng] { return rng() % 2 == 0 ? Team::Home : Team::Visitor; };
    const auto when = [&rng] {
        return RecordTime{1 + static_cast<int>(rng() % 4), static_cast<TimeValue>(rng() % (kDefaultPeriodLength + 1))};
    };
    switch (rng() % 7) {
    case 0:
        return record.append(RecordGoal{when(),
                                        team(),
                                        static_cast<int>(rng() % 100),
                                        {7},
                                        "",
                                        rng() % 5 == 0,
                                        rng() % 4 == 0,
                                        rng() % 3 == 0 ? rng() % 50 : 0});
    case 1: {
        RecordPenalty p;
        p.at = when();
        p.team = team();
        p.player = static_cast<int>(rng() % 100);
        p.kind = static_cast<BookKind>(rng() % 8);
        p.infraction = "Hooking";
        p.start = p.at;
        if (rng() % 2 == 0)
            p.end = when();
        return record.append(p);
    }
    case 2:
        return record.append(RecordShots{1 + static_cast<int>(rng() % 5), team(), 1});
    case 3:
        return record.append(RecordTimeout{when(), team()});
    case 4:
        return record.append(RecordGoalkeeper{when(), team(), static_cast<int>(rng() % 100), 0});
    case 5:
        return record.append(RecordCorrection{1 + rng() % 40});
    default:
        return record.append(RecordHeader{});
    }
}

std::string mutate(std::string line, std::mt19937_64& rng) {
    static const char* const kPieces[] = {"-",        "9223372036854775808",
                                          "-1",       "99999",
                                          "null",     "true",
                                          "\"",       "[",
                                          "]",        "{",
                                          "}",        ",",
                                          ":",        "\\u",
                                          "0.5",      "\x80",
                                          "\xff",     "\n",
                                          "\"seq\":1"};
    const int edits = 1 + static_cast<int>(rng() % 3);
    for (int i = 0; i < edits && !line.empty(); ++i) {
        const std::size_t at = rng() % line.size();
        switch (rng() % 3) {
        case 0:
            line.erase(at, 1 + rng() % 8);
            break;
        case 1:
            line.insert(at, kPieces[rng() % std::size(kPieces)]);
            break;
        default:
            line[at] = static_cast<char>(rng() % 256);
            break;
        }
    }
    return line;
}

TEST(GameRecordFuzz, NeverCrashesAndKeepsGoodLines) {
    std::mt19937_64 rng(20261207);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    for (int round = 0; round < 3000 && std::chrono::steady_clock::now() < deadline; ++round) {
        GameRecord written;
        std::string text;
        std::size_t mutated = 0;
        const int lines = 1 + static_cast<int>(rng() % 40);
        for (int i = 0; i < lines; ++i) {
            std::string line = randomLine(written, rng);
            if (rng() % 4 == 0) {
                line = mutate(line, rng);
                ++mutated;
            }
            text += line;
        }
        const bool torn = rng() % 10 == 0;
        if (torn)
            text.resize(rng() % (text.size() + 1)); // a crash in the middle of a line
        const RecordReading reading = readRecord(text);
        for (const std::string& problem : reading.problems) {
            EXPECT_FALSE(problem.empty());
            EXPECT_EQ(problem.find('\n'), std::string::npos) << problem;
        }
        if (mutated == 0 && !torn) {
            EXPECT_EQ(reading.record.entries(), written.entries());
        }
        // A mutated line is lost, and at most one good line with it (the sequence number it took).
        if (!torn) {
            EXPECT_GE(reading.record.entries().size() + 2 * mutated, static_cast<std::size_t>(lines));
        }
        const GameReport report = makeGameReport(reading.record);
        EXPECT_FALSE(gameReportCsv(report).empty());
        // Whatever was read plays through the rule book, and the game goes on from it.
        RecordKeeper keeper =
            RecordKeeper::fromRecord(reading.record, {}, RecordTime{1 + static_cast<int>(rng() % 5), 0});
        EXPECT_EQ(keeper.strength().find("-on-"), 1u);
        keeper.append(RecordCorrection{1 + rng() % 40});
        (void)keeper.openPenalties();
    }
}

TEST(GameRecordFuzz, RandomBytes) {
    std::mt19937_64 rng(7);
    for (int round = 0; round < 2000; ++round) {
        std::string text(rng() % 300, '\0');
        for (char& c : text)
            c = rng() % 3 == 0 ? '\n' : static_cast<char>(rng() % 256);
        const RecordReading reading = readRecord(text);
        EXPECT_TRUE(reading.record.entries().empty());
        (void)makeGameReport(reading.record);
    }
}

} // namespace
