// What the command line and the store ask of the feed.
#include "core/feed/FeedOptions.h"
#include <gtest/gtest.h>

namespace {

struct PortCase {
    const char* text;
    std::optional<std::uint16_t> port;
};

class ParseFeedPortTest : public ::testing::TestWithParam<PortCase> {};
TEST_P(ParseFeedPortTest, Reads) {
    EXPECT_EQ(parseFeedPort(GetParam().text), GetParam().port) << GetParam().text;
}
INSTANTIATE_TEST_SUITE_P(Examples, ParseFeedPortTest,
                         ::testing::Values(PortCase{"8787", 8787}, PortCase{" 8787\r\n", 8787}, PortCase{"1", 1},
                                           PortCase{"65535", 65535}, PortCase{"00080", 80}, PortCase{"0", std::nullopt},
                                           PortCase{"65536", std::nullopt}, PortCase{"99999", std::nullopt},
                                           PortCase{"000080", std::nullopt}, PortCase{"", std::nullopt},
                                           PortCase{"  ", std::nullopt}, PortCase{"-1", std::nullopt},
                                           PortCase{"+80", std::nullopt}, PortCase{"80a", std::nullopt},
                                           PortCase{"8 0", std::nullopt}, PortCase{"0x50", std::nullopt},
                                           PortCase{"80.0", std::nullopt}));

struct PlanCase {
    const char* what;
    FeedRequest commandLine;
    FeedRequest store;
    bool listen;
    std::uint16_t port;
    const char* address;
    const char* directory;
    std::size_t problems;
};

class PlanFeedTest : public ::testing::TestWithParam<PlanCase> {};
TEST_P(PlanFeedTest, Plans) {
    const PlanCase& c = GetParam();
    const FeedPlan plan = planFeed(c.commandLine, c.store);
    EXPECT_EQ(plan.listen, c.listen) << c.what;
    EXPECT_EQ(plan.port, c.port) << c.what;
    EXPECT_EQ(plan.address, c.address) << c.what;
    EXPECT_EQ(plan.directory, c.directory) << c.what;
    EXPECT_EQ(plan.problems.size(), c.problems) << c.what;
}

const std::nullopt_t kNone = std::nullopt;

INSTANTIATE_TEST_SUITE_P(
    Examples, PlanFeedTest,
    ::testing::Values(
        PlanCase{"nothing asked: nothing listens", {}, {}, false, 0, "127.0.0.1", "", 0},
        PlanCase{"--feed 8787", {"8787", kNone, kNone}, {}, true, 8787, "127.0.0.1", "", 0},
        PlanCase{"the store alone", {}, {"9000", "0.0.0.0", kNone}, true, 9000, "0.0.0.0", "", 0},
        PlanCase{"the command line wins", {"8787", kNone, kNone}, {"9000", "::1", kNone}, true, 8787, "::1", "", 0},
        PlanCase{"an address alone opens nothing", {kNone, "0.0.0.0", kNone}, {}, false, 0, "0.0.0.0", "", 0},
        PlanCase{"empty store values ask nothing", {}, {"", " ", kNone}, false, 0, "127.0.0.1", "", 0},
        PlanCase{"a broken store port", {}, {"eighty", kNone, kNone}, false, 0, "127.0.0.1", "", 1},
        PlanCase{"a good command line over a broken store",
                 {"8787", kNone, kNone},
                 {"x", kNone, kNone},
                 true,
                 8787,
                 "127.0.0.1",
                 "",
                 0},
        PlanCase{"files without a server", {kNone, kNone, "/tmp/feed"}, {}, false, 0, "127.0.0.1", "/tmp/feed", 0},
        PlanCase{"files and a server", {"8787", kNone, "out"}, {}, true, 8787, "127.0.0.1", "out", 0},
        PlanCase{"a port out of range", {"70000", kNone, kNone}, {}, false, 0, "127.0.0.1", "", 1}));

TEST(PlanFeed, TheProblemNamesTheValue) {
    const FeedPlan plan = planFeed({"80x", std::nullopt, std::nullopt}, {});
    ASSERT_EQ(plan.problems.size(), 1u);
    EXPECT_NE(plan.problems[0].find("\"80x\""), std::string::npos);
}

} // namespace
