// NumLock on X11 through the XKB extension: the NumLock modifier is locked or unlocked directly, which is what
// pressing the key does, without sending key events anywhere.
#include "NumLockControl.h"

#if !defined(Q_OS_WIN) && !defined(_WIN32)
#include <QGuiApplication>

#if defined(RINKMASTER_HAVE_X11) && QT_CONFIG(xcb)
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace {

Display* x11Display() {
    const auto* app = qGuiApp;
    if (app == nullptr) {
        return nullptr;
    }
    const auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->display() : nullptr;
}

unsigned numLockMask(Display* dpy) {
    return XkbKeysymToModifiers(dpy, XK_Num_Lock);
}

} // namespace

namespace num_lock_platform {

std::optional<bool> readNumLock() {
    Display* dpy = x11Display();
    if (dpy == nullptr) {
        return std::nullopt;
    }
    const unsigned mask = numLockMask(dpy);
    XkbStateRec state{};
    if (mask == 0 || XkbGetState(dpy, XkbUseCoreKbd, &state) != Success) {
        return std::nullopt;
    }
    return (state.locked_mods & mask) != 0;
}

bool writeNumLock(bool on) {
    Display* dpy = x11Display();
    if (dpy == nullptr) {
        return false;
    }
    const unsigned mask = numLockMask(dpy);
    if (mask == 0) {
        return false;
    }
    const bool sent = XkbLockModifiers(dpy, XkbUseCoreKbd, mask, on ? mask : 0) != 0;
    XFlush(dpy);
    return sent;
}

} // namespace num_lock_platform

#else

namespace num_lock_platform {
std::optional<bool> readNumLock() {
    return std::nullopt;
}
bool writeNumLock(bool) {
    return false;
}
} // namespace num_lock_platform

#endif
#endif
