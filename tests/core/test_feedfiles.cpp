// The board as text files, rewritten only when a value changes.
#include "core/feed/FeedFiles.h"
#include <gtest/gtest.h>

namespace {

BoardState inPlay() {
    BoardState s;
    s.clock.digits = {-1, 5, 0, 7};
    s.periodDigits = {2};
    s.home.name = "Home";
    s.home.scoreDigits = {2, 1};
    s.home.penalties[0].digits = {0, 0, 2};
    s.home.penalties[1].digits = {-1, -1, -1};
    s.visitor.name = "Visitor";
    s.visitor.scoreDigits = {0, -1};
    s.visitor.penalties[0].digits = {-1, -1, -1};
    s.visitor.penalties[1].digits = {9, 5, 4};
    return s;
}

TEST(FeedFiles, OneFilePerValueInAFixedOrder) {
    const std::vector<FeedFile> expected{{"clock.txt", "5:07"},           {"period.txt", "2"},
                                         {"home_name.txt", "Home"},       {"home_score.txt", "12"},
                                         {"home_penalty1.txt", "2:00"},   {"home_penalty2.txt", ""},
                                         {"visitor_name.txt", "Visitor"}, {"visitor_score.txt", "0"},
                                         {"visitor_penalty1.txt", ""},    {"visitor_penalty2.txt", "4:59"}};
    EXPECT_EQ(feedFiles(inPlay()), expected);
}

TEST(FeedFiles, NamesArePlainFileNames) {
    BoardState s = inPlay();
    s.home.name = "../../etc/passwd";
    for (const FeedFile& f : feedFiles(s)) {
        EXPECT_EQ(f.name.find('/'), std::string::npos);
        EXPECT_EQ(f.name.find('\\'), std::string::npos);
        EXPECT_EQ(f.name.substr(f.name.size() - 4), ".txt");
    }
}

struct ChangeCase {
    const char* what;
    void (*change)(BoardState&);
    std::vector<std::string> rewritten;
};

class FeedFileChangesTest : public ::testing::TestWithParam<ChangeCase> {};

TEST_P(FeedFileChangesTest, RewritesOnlyWhatChanged) {
    FeedFileChanges changes;
    for (const FeedFile& f : changes.changed(feedFiles(inPlay()))) {
        changes.recordWritten(f);
    }
    BoardState next = inPlay();
    GetParam().change(next);
    std::vector<std::string> names;
    for (const FeedFile& f : changes.changed(feedFiles(next))) {
        names.push_back(f.name);
    }
    EXPECT_EQ(names, GetParam().rewritten) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Examples, FeedFileChangesTest,
    ::testing::Values(ChangeCase{"nothing", [](BoardState&) {}, {}},
                      ChangeCase{"the clock ticks", [](BoardState& s) { s.clock.digits[3] = 6; }, {"clock.txt"}},
                      // Values no file shows never cause a write.
                      ChangeCase{"only the engine's reading",
                                 [](BoardState& s) {
                                     s.clock.remaining += 1000;
                                     s.clock.running = true;
                                     s.home.penalties[0].light = true;
                                     s.soundPlaying = true;
                                     s.selectedField = "HomeBack";
                                 },
                                 {}},
                      ChangeCase{"a goal and a penalty",
                                 [](BoardState& s) {
                                     s.visitor.scoreDigits = {1, -1};
                                     s.visitor.penalties[0].digits = {0, 0, 2};
                                 },
                                 {"visitor_score.txt", "visitor_penalty1.txt"}},
                      ChangeCase{"a penalty cleared",
                                 [](BoardState& s) {
                                     s.home.penalties[0].digits = {-1, -1, -1};
                                 },
                                 {"home_penalty1.txt"}},
                      ChangeCase{"new names",
                                 [](BoardState& s) {
                                     s.home.name = "Lions";
                                     s.visitor.name = "Tigers";
                                 },
                                 {"home_name.txt", "visitor_name.txt"}}));

TEST(FeedFileChanges, EverythingTheFirstTime) {
    FeedFileChanges changes;
    EXPECT_EQ(changes.changed(feedFiles(inPlay())).size(), 10u);
}

TEST(FeedFileChanges, AFailedWriteIsOfferedAgain) {
    FeedFileChanges changes;
    const auto files = feedFiles(inPlay());
    for (const FeedFile& f : files) {
        if (f.name != "clock.txt") {
            changes.recordWritten(f);
        }
    }
    const auto again = changes.changed(files);
    ASSERT_EQ(again.size(), 1u);
    EXPECT_EQ(again[0].name, "clock.txt");
    changes.clear();
    EXPECT_EQ(changes.changed(files).size(), 10u);
}

} // namespace
