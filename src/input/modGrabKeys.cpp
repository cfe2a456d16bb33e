#include "modGrabKeys.h"

namespace modGrabKeys {

void SetNumLock(bool wanted) {
    const std::optional<bool> current = modGrabKeysPlatform::readNumLock();
    if (!current || *current == wanted) {
        return;
    }
    modGrabKeysPlatform::writeNumLock(wanted);
}

std::optional<bool> numLockState() { return modGrabKeysPlatform::readNumLock(); }

} // namespace modGrabKeys
