#include "input/KeyTranslate.h"

#include <QGuiApplication>
#include <QKeyEvent>

#include "core/input/VirtualKeys.h"

#if defined(RINKMASTER_HAVE_X11) && !defined(Q_OS_WIN)
#include <QtGui/qguiapplication_platform.h>
// X11 headers last: their macros (None, KeyPress, Status ...) would clash with Qt's names.
#include <X11/XKBlib.h>
#include <X11/keysym.h>
#define RINKMASTER_X11_LAYOUT 1
#endif

static_assert(qtkey::kEscape == Qt::Key_Escape && qtkey::kTab == Qt::Key_Tab && qtkey::kBacktab == Qt::Key_Backtab);
static_assert(qtkey::kBackspace == Qt::Key_Backspace && qtkey::kReturn == Qt::Key_Return);
static_assert(qtkey::kEnter == Qt::Key_Enter && qtkey::kInsert == Qt::Key_Insert && qtkey::kDelete == Qt::Key_Delete);
static_assert(qtkey::kPause == Qt::Key_Pause && qtkey::kPrint == Qt::Key_Print && qtkey::kSysReq == Qt::Key_SysReq);
static_assert(qtkey::kClear == Qt::Key_Clear && qtkey::kHome == Qt::Key_Home && qtkey::kEnd == Qt::Key_End);
static_assert(qtkey::kLeft == Qt::Key_Left && qtkey::kUp == Qt::Key_Up && qtkey::kRight == Qt::Key_Right);
static_assert(qtkey::kDown == Qt::Key_Down && qtkey::kPageUp == Qt::Key_PageUp && qtkey::kPageDown == Qt::Key_PageDown);
static_assert(qtkey::kShift == Qt::Key_Shift && qtkey::kControl == Qt::Key_Control && qtkey::kMeta == Qt::Key_Meta);
static_assert(qtkey::kAlt == Qt::Key_Alt && qtkey::kCapsLock == Qt::Key_CapsLock && qtkey::kNumLock == Qt::Key_NumLock);
static_assert(qtkey::kScrollLock == Qt::Key_ScrollLock && qtkey::kF1 == Qt::Key_F1 && qtkey::kF24 == Qt::Key_F24);
static_assert(qtkey::kSuperL == Qt::Key_Super_L && qtkey::kSuperR == Qt::Key_Super_R && qtkey::kMenu == Qt::Key_Menu);
static_assert(qtkey::kAltGr == Qt::Key_AltGr && qtkey::kSpace == Qt::Key_Space);

namespace {

KeyPlatform currentPlatform() {
#ifdef Q_OS_WIN
    return KeyPlatform::Windows;
#else
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        return KeyPlatform::X11;
    return KeyPlatform::Other;
#endif
}

#ifdef RINKMASTER_X11_LAYOUT
// Asks the X server for the key's keysyms at the unshifted and shifted levels of the event's
// layout group, and for the NumLock state the event was made under. The keymap is fetched anew
// for every event: the layout can change under a running program (setxkbmap), and Xlib's cached
// copy is never refreshed while Qt reads the events through XCB. Key events come at typing rate,
// so the round trip does not matter.
void addLayoutFacts(KeyEventFacts& facts, quint32 nativeModifiers) {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display || facts.nativeScanCode == 0 || facts.nativeScanCode > 255)
        return;

    const unsigned numLockMask = XkbKeysymToModifiers(display, XK_Num_Lock);
    if (numLockMask != 0)
        facts.numLock = (nativeModifiers & numLockMask) != 0 ? 1 : 0;

    XkbDescPtr keymap = XkbGetMap(display, XkbKeyTypesMask | XkbKeySymsMask, XkbUseCoreKbd);
    if (!keymap)
        return;
    const auto keycode = static_cast<KeyCode>(facts.nativeScanCode);
    if (keycode >= keymap->min_key_code && keycode <= keymap->max_key_code) {
        const int groups = XkbKeyNumGroups(keymap, keycode);
        int group = static_cast<int>((nativeModifiers >> 13) & 3);
        if (group >= groups)
            group = 0;
        if (groups > 0) {
            const int width = XkbKeyGroupWidth(keymap, keycode, group);
            if (width > 0)
                facts.baseKeysym = static_cast<std::uint32_t>(XkbKeySymEntry(keymap, keycode, 0, group));
            if (width > 1)
                facts.shiftKeysym = static_cast<std::uint32_t>(XkbKeySymEntry(keymap, keycode, 1, group));
        }
    }
    XkbFreeKeyboard(keymap, 0, True);
}
#endif

} // namespace

int windowsKeyCode(const QKeyEvent* event) {
    if (!event)
        return 0;
    KeyEventFacts facts;
    facts.qtKey = event->key();
    facts.keypad = event->modifiers().testFlag(Qt::KeypadModifier);
    facts.nativeScanCode = event->nativeScanCode();
    facts.nativeVirtualKey = event->nativeVirtualKey();
    facts.platform = currentPlatform();
#ifdef RINKMASTER_X11_LAYOUT
    if (facts.platform == KeyPlatform::X11)
        addLayoutFacts(facts, event->nativeModifiers());
#endif
    return windowsVirtualKey(facts);
}
