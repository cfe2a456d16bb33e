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
inline constexpr int Escape = 0x01000000;
inline constexpr int Tab = 0x01000001;
inline constexpr int Backtab = 0x01000002;
inline constexpr int Backspace = 0x01000003;
inline constexpr int Return = 0x01000004;
inline constexpr int Enter = 0x01000005;
inline constexpr int Insert = 0x01000006;
inline constexpr int Delete = 0x01000007;
inline constexpr int Pause = 0x01000008;
inline constexpr int Print = 0x01000009;
inline constexpr int SysReq = 0x0100000a;
inline constexpr int Clear = 0x0100000b;
inline constexpr int Home = 0x01000010;
inline constexpr int End = 0x01000011;
inline constexpr int Left = 0x01000012;
inline constexpr int Up = 0x01000013;
inline constexpr int Right = 0x01000014;
inline constexpr int Down = 0x01000015;
inline constexpr int PageUp = 0x01000016;
inline constexpr int PageDown = 0x01000017;
inline constexpr int Shift = 0x01000020;
inline constexpr int Control = 0x01000021;
inline constexpr int Meta = 0x01000022;
inline constexpr int Alt = 0x01000023;
inline constexpr int CapsLock = 0x01000024;
inline constexpr int NumLock = 0x01000025;
inline constexpr int ScrollLock = 0x01000026;
inline constexpr int F1 = 0x01000030;
inline constexpr int F24 = 0x01000047;
inline constexpr int Super_L = 0x01000053;
inline constexpr int Super_R = 0x01000054;
inline constexpr int Menu = 0x01000055;
inline constexpr int AltGr = 0x01001103;
inline constexpr int Space = 0x20;
} // namespace qtkey
