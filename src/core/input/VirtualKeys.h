#pragma once
#include <cstdint>

// The board's key codes are Windows virtual-key codes on every platform. This is the rule that
// turns the facts of a toolkit key event into the code Windows would report for the same key.
//
// Principles, in the order they are applied:
// - On Windows the event already carries the virtual-key code: it is taken as it is.
// - On X11 the physical key decides where the layout's characters would mislead: the main-row
//   digit keys are 48..57 on every layout (on a French keyboard they type "&", "é" ... unshifted);
//   the keypad's digit keys are 96..105 while NumLock is on and cursor/editing codes while it is
//   off, whatever Shift does; letters are the capital of the letter the key types unshifted in
//   the current layout (a key of a non-Latin layout gives the letter of its US position).
// - Punctuation keys follow Windows: the keys that carry "+", ",", "-" or "." (on either shift
//   level) are 187, 188, 189, 190 on every layout; a key carrying one of the US keyboard's
//   unshifted punctuation characters gets that US key's code (the unshifted level is asked
//   first); any other punctuation key gets the code of its US position, except that no such key
//   may pose as "+", ",", "-" or "." (it gets 223 instead), since those four type signs into the
//   board.
// - Everything else (function, cursor, editing and modifier keys) follows the toolkit's key,
//   which does not depend on the layout. Shift, Ctrl and Alt never change the answer.
// - Without native facts (another platform, or a synthesized event) the toolkit's key is read as
//   on a US keyboard.

enum class KeyPlatform { X11, Windows, Other };

struct KeyEventFacts {
    int qtKey = 0;       // the Qt::Key value
    bool keypad = false; // the toolkit marked the key as one of the numeric keypad
    // X11: the X keycode (the evdev code + 8). 0 when unknown.
    std::uint32_t nativeScanCode = 0;
    // Windows: the virtual-key code. X11: the keysym as typed, with the modifiers applied.
    std::uint32_t nativeVirtualKey = 0;
    KeyPlatform platform = KeyPlatform::Other;
    // X11 only, looked up in the current layout: the key's keysyms at the unshifted and the
    // shifted level (0 when unknown), and whether NumLock was on for this event (-1 unknown).
    std::uint32_t baseKeysym = 0;
    std::uint32_t shiftKeysym = 0;
    int numLock = -1;
};

// The Windows virtual-key code of the key, or 0 when Windows has no code for it.
int windowsVirtualKey(const KeyEventFacts& facts);

// The Qt::Key values the rule needs, copied so the rule builds without the toolkit (the input
// layer checks at compile time that they still agree with Qt's).
namespace qtkey {
inline constexpr int kEscape = 0x01000000;
inline constexpr int kTab = 0x01000001;
inline constexpr int kBacktab = 0x01000002;
inline constexpr int kBackspace = 0x01000003;
inline constexpr int kReturn = 0x01000004;
inline constexpr int kEnter = 0x01000005;
inline constexpr int kInsert = 0x01000006;
inline constexpr int kDelete = 0x01000007;
inline constexpr int kPause = 0x01000008;
inline constexpr int kPrint = 0x01000009;
inline constexpr int kSysReq = 0x0100000a;
inline constexpr int kClear = 0x0100000b;
inline constexpr int kHome = 0x01000010;
inline constexpr int kEnd = 0x01000011;
inline constexpr int kLeft = 0x01000012;
inline constexpr int kUp = 0x01000013;
inline constexpr int kRight = 0x01000014;
inline constexpr int kDown = 0x01000015;
inline constexpr int kPageUp = 0x01000016;
inline constexpr int kPageDown = 0x01000017;
inline constexpr int kShift = 0x01000020;
inline constexpr int kControl = 0x01000021;
inline constexpr int kMeta = 0x01000022;
inline constexpr int kAlt = 0x01000023;
inline constexpr int kCapsLock = 0x01000024;
inline constexpr int kNumLock = 0x01000025;
inline constexpr int kScrollLock = 0x01000026;
inline constexpr int kF1 = 0x01000030;
inline constexpr int kF24 = 0x01000047;
inline constexpr int kSuperL = 0x01000053;
inline constexpr int kSuperR = 0x01000054;
inline constexpr int kMenu = 0x01000055;
inline constexpr int kAltGr = 0x01001103;
inline constexpr int kSpace = 0x20;
} // namespace qtkey
