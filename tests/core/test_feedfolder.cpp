// Which folders the feed's text files may go into: none that another user can change.
#include "core/feed/FeedFolder.h"
#include <gtest/gtest.h>

namespace {

struct FolderCase {
    const char* what;
    unsigned mode;
    bool ownedByUser;
    bool ownedByAdmin;
    bool openToOthers;
};

class FeedFolderTest : public ::testing::TestWithParam<FolderCase> {};
TEST_P(FeedFolderTest, OpenToOthers) {
    const FolderCase& c = GetParam();
    EXPECT_EQ(folderOpenToOthers({c.mode, c.ownedByUser, c.ownedByAdmin}), c.openToOthers) << c.what;
}
INSTANTIATE_TEST_SUITE_P(
    Examples, FeedFolderTest,
    ::testing::Values(FolderCase{"the user's own", 0755, true, false, false},
                      FolderCase{"the user's own, shared with the group", 0775, true, false, false},
                      FolderCase{"the user's own, private", 0700, true, false, false},
                      FolderCase{"writable by everybody", 0777, true, false, true},
                      FolderCase{"writable by everybody, sticky, the user's own", 01777, true, false, false},
                      FolderCase{"writable by everybody, sticky, the administrator's (like /tmp)", 01777, false, true,
                                 true},
                      FolderCase{"the administrator's, closed", 0755, false, true, false},
                      FolderCase{"another user's, closed to the rest", 0755, false, false, true},
                      FolderCase{"another user's, sticky and open", 01777, false, false, true},
                      FolderCase{"writable by everybody, with set-group bits", 02777, true, false, true}));

} // namespace
