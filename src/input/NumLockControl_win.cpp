// NumLock on Windows: the thread's keyboard state tells the toggle; a synthesized press and release of the
// NumLock key changes it, on every version of Windows.
#include "NumLockControl.h"
#include <windows.h>

namespace num_lock_platform {

std::optional<bool> readNumLock() {
    BYTE state[256] = {};
    if (!GetKeyboardState(state)) {
        return std::nullopt;
    }
    // The low bit is the toggle; the high bit only says the key is held down at this moment.
    return (state[VK_NUMLOCK] & 0x01) != 0;
}

bool writeNumLock(bool /*on*/) {
    keybd_event(VK_NUMLOCK, 0x45, KEYEVENTF_EXTENDEDKEY, 0);
    keybd_event(VK_NUMLOCK, 0x45, KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP, 0);
    return true;
}

} // namespace num_lock_platform
