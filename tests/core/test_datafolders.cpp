#include "core/app/DataFolders.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

struct ResolveCase {
    const char* folder;
    const char* relative;
    char separator;
    const char* expected;
};

class ResolveRelativeFolder : public testing::TestWithParam<ResolveCase> {};

TEST_P(ResolveRelativeFolder, JoinsAndNormalises) {
    const ResolveCase& c = GetParam();
    EXPECT_EQ(resolveRelativeFolder(c.folder, c.relative, c.separator), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ResolveRelativeFolder,
    testing::Values(ResolveCase{"/usr/bin", "../share/rinkmaster", '/', "/usr/share/rinkmaster"},
                    ResolveCase{"/usr/local/bin/", "../share/rinkmaster", '/', "/usr/local/share/rinkmaster"},
                    ResolveCase{"/tmp/stage/usr/bin", "../share/rinkmaster", '/', "/tmp/stage/usr/share/rinkmaster"},
                    ResolveCase{"/opt/rm/./bin", "./../share//rinkmaster/", '/', "/opt/rm/share/rinkmaster"},
                    ResolveCase{"/bin", "../../../share", '/', "/share"},
                    ResolveCase{"/", "../share/rinkmaster", '/', "/share/rinkmaster"},
                    ResolveCase{"/usr/bin", "", '/', "/usr/bin"},
                    ResolveCase{"", "../share/rinkmaster", '/', "../share/rinkmaster"},
                    ResolveCase{"build", "..", '/', "."},
                    ResolveCase{R"(C:\Program Files\Rinkmaster\bin)", "../share/rinkmaster", '\\',
                                R"(C:\Program Files\Rinkmaster\share\rinkmaster)"},
                    ResolveCase{"C:/Rinkmaster/bin", "../share/rinkmaster", '\\', R"(C:\Rinkmaster\share\rinkmaster)"},
                    ResolveCase{R"(C:\)", "../share", '\\', R"(C:\share)"}),
    [](const testing::TestParamInfo<ResolveCase>& info) { return std::to_string(info.index); });

TEST(DataFolderCandidates, ProgramFolderFirstThenInstalledFolder) {
    EXPECT_EQ(dataFolderCandidates("/usr/bin", "../share/rinkmaster", '/'),
              (std::vector<std::string>{"/usr/bin", "/usr/share/rinkmaster"}));
    EXPECT_EQ(dataFolderCandidates("/usr/bin", "", '/'), (std::vector<std::string>{"/usr/bin"}));
    EXPECT_EQ(dataFolderCandidates("/usr/bin", ".", '/'), (std::vector<std::string>{"/usr/bin"}));
}

struct ChooseCase {
    const char* name;
    std::set<std::string> existing;
    std::vector<std::string> files;
    std::string expected;
};

class ChooseDataFolder : public testing::TestWithParam<ChooseCase> {};

TEST_P(ChooseDataFolder, FirstFolderHoldingEveryFile) {
    const ChooseCase& c = GetParam();
    const std::vector<std::string> candidates{"/usr/bin", "/usr/share/rinkmaster"};
    const auto exists = [&c](const std::string& path) { return c.existing.count(path) > 0; };
    EXPECT_EQ(chooseDataFolder(candidates, c.files, '/', exists), c.expected);
}

const std::vector<std::string> kSounds{"horn.wav", "buzzer.wav"};

INSTANTIATE_TEST_SUITE_P(
    Layouts, ChooseDataFolder,
    testing::Values(
        ChooseCase{"BesideTheProgramWins",
                   {"/usr/bin/horn.wav", "/usr/bin/buzzer.wav", "/usr/share/rinkmaster/horn.wav",
                    "/usr/share/rinkmaster/buzzer.wav"},
                   kSounds,
                   "/usr/bin"},
        ChooseCase{"InstalledFolder",
                   {"/usr/share/rinkmaster/horn.wav", "/usr/share/rinkmaster/buzzer.wav"},
                   kSounds,
                   "/usr/share/rinkmaster"},
        ChooseCase{"HalfBesideTheProgramIsNotEnough",
                   {"/usr/bin/horn.wav", "/usr/share/rinkmaster/horn.wav", "/usr/share/rinkmaster/buzzer.wav"},
                   kSounds,
                   "/usr/share/rinkmaster"},
        ChooseCase{"MissingEverywhereNamesTheProgramFolder", {"/usr/share/rinkmaster/horn.wav"}, kSounds, "/usr/bin"},
        ChooseCase{"HelpFile",
                   {"/usr/share/rinkmaster/rinkmasterhelpfile.rtf"},
                   {"rinkmasterhelpfile.rtf"},
                   "/usr/share/rinkmaster"}),
    [](const testing::TestParamInfo<ChooseCase>& info) { return std::string(info.param.name); });

TEST(ChooseDataFolder, NoCandidatesNoFolder) {
    EXPECT_EQ(chooseDataFolder({}, kSounds, '/', [](const std::string&) { return true; }), "");
}

} // namespace
