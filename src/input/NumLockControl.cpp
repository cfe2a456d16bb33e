#include "NumLockControl.h"

namespace NumLockControl {

void SetNumLock(bool wanted) {
    const std::optional<bool> current = NumLockPlatform::readNumLock();
    if (!current || *current == wanted) {
        return;
    }
    NumLockPlatform::writeNumLock(wanted);
}

std::optional<bool> numLockState() {
    return NumLockPlatform::readNumLock();
}

} // namespace NumLockControl
