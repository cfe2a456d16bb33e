#include "core/game/GameJournal.h"
#include <functional>
#include <gtest/gtest.h>

// Which changes of the game the journal syncs to disk, and where it may be written at all.
namespace {

using game::GameState;

// The game clock and the first home penalty running, the second home penalty stopped.
GameState running() {
    GameState s;
    s.timeDigits = {1, 2, 3, 4};
    s.penaltyDigits[0] = {5, 4, 1};
    s.penaltyLights[0] = true;
    s.clocks[0] = {secondsToTime(1200), 4'455'000, true, false};
    s.clocks[1] = {secondsToTime(120), 65'000, true, false};
    s.clocks[2] = {secondsToTime(120), 10'000, false, false};
    return s;
}

struct ChangeCase {
    const char* what;
    std::function<void(GameState&)> before; // applied to both states first
    std::function<void(GameState&)> change; // applied to the later one
    bool progressOnly;
};

class ClockProgressTest : public ::testing::TestWithParam<ChangeCase> {};

TEST_P(ClockProgressTest, OnlyARunningClocksProgressGoesUnsynced) {
    GameState a = running();
    if (GetParam().before) {
        GetParam().before(a);
    }
    GameState b = a;
    GetParam().change(b);
    EXPECT_EQ(game::onlyClockProgress(a, b), GetParam().progressOnly) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Changes, ClockProgressTest,
    ::testing::Values(ChangeCase{"the game clock moves", {}, [](GameState& s) { s.clocks[0].used += 10'000; }, true},
                      ChangeCase{"the game clock's face turns",
                                 {},
                                 [](GameState& s) {
                                     s.clocks[0].used += 10'000;
                                     s.timeDigits = {1, 2, 3, 3};
                                     s.colon = false;
                                 },
                                 true},
                      ChangeCase{"a penalty clock's face turns",
                                 {},
                                 [](GameState& s) {
                                     s.clocks[1].used += 10'000;
                                     s.penaltyDigits[0] = {4, 4, 1};
                                 },
                                 true},
                      ChangeCase{"nothing at all", {}, [](GameState&) {}, false},
                      ChangeCase{"a score", {}, [](GameState& s) { s.homeDigits[0] = 1; }, false},
                      ChangeCase{"the period", {}, [](GameState& s) { s.periodDigits[0] = 2; }, false},
                      ChangeCase{"a penalty light", {}, [](GameState& s) { s.penaltyLights[1] = true; }, false},
                      ChangeCase{"a stop", {}, [](GameState& s) { s.clocks[0].running = false; }, false},
                      ChangeCase{"a start", {}, [](GameState& s) { s.clocks[2].running = true; }, false},
                      ChangeCase{
                          "a typed time", {}, [](GameState& s) { s.clocks[0].setTime = secondsToTime(900); }, false},
                      ChangeCase{"a stopped clock's time", {}, [](GameState& s) { s.clocks[2].used += 10'000; }, false},
                      ChangeCase{"the buzzer at zero", {}, [](GameState& s) { s.zeroBuzzed = true; }, false},
                      ChangeCase{"the goal light", {}, [](GameState& s) { s.whoGoal = 1; }, false},
                      ChangeCase{"digits typed with nothing running",
                                 [](GameState& s) {
                                     for (ClockRecord& c : s.clocks) {
                                         c.running = false;
                                     }
                                 },
                                 [](GameState& s) {
                                     s.timeDigits = {0, 5, 0, 0};
                                 },
                                 false}));

TEST(GameJournal, AnyClockRuns) {
    EXPECT_FALSE(game::anyClockRuns(game::freshGame()));
    EXPECT_TRUE(game::anyClockRuns(running()));
}

struct PlaceCase {
    const char* what;
    game::FileKind atName;
    FolderAccess folder;
    game::JournalPlace expected;
};

class JournalPlaceTest : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(JournalPlaceTest, NeverThroughALinkNorIntoAFolderOthersChange) {
    EXPECT_EQ(game::journalPlace(GetParam().atName, GetParam().folder), GetParam().expected) << GetParam().what;
}

constexpr FolderAccess kOwn{0700, true, false};
constexpr FolderAccess kOwnShared{0777, true, false};
constexpr FolderAccess kOwnSticky{01777, true, false};
constexpr FolderAccess kSystemSticky{01777, false, true};
constexpr FolderAccess kSystemReadOnly{0755, false, true};
constexpr FolderAccess kOtherUsers{0755, false, false};

INSTANTIATE_TEST_SUITE_P(
    Places, JournalPlaceTest,
    ::testing::Values(
        PlaceCase{"a first journal", game::FileKind::Missing, kOwn, game::JournalPlace::Usable},
        PlaceCase{"a journal", game::FileKind::Regular, kOwn, game::JournalPlace::Usable},
        PlaceCase{"a link", game::FileKind::Link, kOwn, game::JournalPlace::IsLink},
        PlaceCase{"a pipe or a folder", game::FileKind::Other, kOwn, game::JournalPlace::NotAFile},
        PlaceCase{"the user's own sticky folder", game::FileKind::Regular, kOwnSticky, game::JournalPlace::Usable},
        PlaceCase{"a link in the user's own sticky folder", game::FileKind::Link, kOwnSticky,
                  game::JournalPlace::IsLink},
        PlaceCase{"the user's folder writable by all", game::FileKind::Regular, kOwnShared,
                  game::JournalPlace::FolderOpenToOthers},
        PlaceCase{"the system's sticky folder", game::FileKind::Missing, kSystemSticky,
                  game::JournalPlace::FolderOpenToOthers},
        PlaceCase{"the system's folder", game::FileKind::Regular, kSystemReadOnly, game::JournalPlace::Usable},
        PlaceCase{"another user's folder", game::FileKind::Regular, kOtherUsers,
                  game::JournalPlace::FolderOpenToOthers}));

TEST(GameJournal, OnlyAPlainFileIsRead) {
    EXPECT_EQ(game::journalPlaceToRead(game::FileKind::Regular), game::JournalPlace::Usable);
    EXPECT_EQ(game::journalPlaceToRead(game::FileKind::Missing), game::JournalPlace::Usable);
    EXPECT_EQ(game::journalPlaceToRead(game::FileKind::Link), game::JournalPlace::IsLink);
    EXPECT_EQ(game::journalPlaceToRead(game::FileKind::Other), game::JournalPlace::NotAFile);
}

} // namespace
