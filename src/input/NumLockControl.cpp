#include "NumLockControl.h"

namespace num_lock_control {

void setNumLock(bool wanted) {
    const std::optional<bool> current = num_lock_platform::readNumLock();
    if (!current || *current == wanted) {
        return;
    }
    num_lock_platform::writeNumLock(wanted);
}

std::optional<bool> numLockState() {
    return num_lock_platform::readNumLock();
}

} // namespace num_lock_control
