#include "FeedFolder.h"

namespace {
constexpr unsigned kWritableByEverybody = 0002;
constexpr unsigned kSticky = 01000;
} // namespace

bool folderOpenToOthers(const FolderAccess& access) {
    if (!access.ownedByUser && !access.ownedByAdmin) {
        return true;
    }
    if ((access.mode & kWritableByEverybody) == 0) {
        return false;
    }
    return !((access.mode & kSticky) != 0 && access.ownedByUser);
}
