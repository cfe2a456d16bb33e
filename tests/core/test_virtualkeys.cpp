#include "core/input/VirtualKeys.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

// Keysyms of the layouts below (X11 keysymdef.h); Latin-1 keysyms equal their character codes.
constexpr std::uint32_t kXkEacute = 0xe9;
constexpr std::uint32_t kXkEgrave = 0xe8;
constexpr std::uint32_t kXkAgrave = 0xe0;
constexpr std::uint32_t kXkSsharp = 0xdf;
constexpr std::uint32_t kXkUdiaeresisSmall = 0xfc;
constexpr std::uint32_t kXkUdiaeresisCapital = 0xdc;
constexpr std::uint32_t kXkOdiaeresis = 0xf6;
constexpr std::uint32_t kXkDegree = 0xb0;
constexpr std::uint32_t kXkSection = 0xa7;
constexpr std::uint32_t kXkDeadCircumflex = 0xfe52;
constexpr std::uint32_t kXkDeadDiaeresis = 0xfe57;
constexpr std::uint32_t kXkDeadAcute = 0xfe51;
constexpr std::uint32_t kXkDeadGrave = 0xfe50;
constexpr std::uint32_t kXkCyrillicShortiSmall = 0x6ca;
constexpr std::uint32_t kXkCyrillicShortiCapital = 0x6ea;
constexpr std::uint32_t kXkReturn = 0xff0d;
constexpr std::uint32_t kXkF1 = 0xffbe;
// Qt keys for characters are their upper-case Unicode values.
constexpr int kQtEacute = 0xc9;
constexpr int kQtAgrave = 0xc0;
constexpr int kQtEuroSign = 0x20ac;
constexpr int kQtCyrillicShortiCapital = 0x419;
constexpr int kQtUnknown = 0x01ffffff;

struct Row {
    const char* name;
    KeyEventFacts facts;
    int expected;
};

// A key event on X11: X keycode, Qt key, the key's unshifted and shifted keysyms.
KeyEventFacts x11(std::uint32_t keycode, int qtKey, std::uint32_t base, std::uint32_t shifted) {
    KeyEventFacts f;
    f.platform = KeyPlatform::X11;
    f.nativeScanCode = keycode;
    f.nativeVirtualKey = base;
    f.qtKey = qtKey;
    f.baseKeysym = base;
    f.shiftKeysym = shifted;
    f.numLock = 1;
    return f;
}

// A keypad key on X11 under a NumLock state (-1: unknown).
KeyEventFacts x11Keypad(std::uint32_t keycode, int qtKey, int numLock) {
    KeyEventFacts f = x11(keycode, qtKey, 0, 0);
    f.keypad = true;
    f.numLock = numLock;
    return f;
}

KeyEventFacts windows(std::uint32_t virtualKey, int qtKey) {
    KeyEventFacts f;
    f.platform = KeyPlatform::Windows;
    f.nativeVirtualKey = virtualKey;
    f.qtKey = qtKey;
    return f;
}

// A key event without native facts (the offscreen platform, synthesized events).
KeyEventFacts qt(int qtKey, bool keypad = false) {
    KeyEventFacts f;
    f.qtKey = qtKey;
    f.keypad = keypad;
    return f;
}

KeyEventFacts withoutLayout(KeyEventFacts f) {
    f.baseKeysym = 0;
    f.shiftKeysym = 0;
    return f;
}

class WindowsVirtualKey : public testing::TestWithParam<Row> {};

TEST_P(WindowsVirtualKey, IsWhatWindowsReportsForTheSameKey) {
    EXPECT_EQ(windowsVirtualKey(GetParam().facts), GetParam().expected);
}

std::string rowName(const testing::TestParamInfo<Row>& info) {
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(
    UsLayout, WindowsVirtualKey,
    testing::Values(Row{"LetterA", x11(38, 'A', 'a', 'A'), 65}, Row{"LetterS", x11(39, 'S', 's', 'S'), 83},
                    Row{"LetterZ", x11(52, 'Z', 'z', 'Z'), 90}, Row{"Digit1", x11(10, '1', '1', '!'), 49},
                    Row{"ShiftDigit1", x11(10, '!', '1', '!'), 49}, Row{"Digit0", x11(19, '0', '0', ')'), 48},
                    Row{"ShiftDigit0", x11(19, ')', '0', ')'), 48}, Row{"Digit5", x11(14, '5', '5', '%'), 53},
                    Row{"Minus", x11(20, '-', '-', '_'), 189}, Row{"ShiftMinus", x11(20, '_', '-', '_'), 189},
                    Row{"Equals", x11(21, '=', '=', '+'), 187}, Row{"ShiftEqualsIsPlus", x11(21, '+', '=', '+'), 187},
                    Row{"BracketLeft", x11(34, '[', '[', '{'), 219}, Row{"BracketRight", x11(35, ']', ']', '}'), 221},
                    Row{"Semicolon", x11(47, ';', ';', ':'), 186}, Row{"ShiftSemicolon", x11(47, ':', ';', ':'), 186},
                    Row{"Apostrophe", x11(48, '\'', '\'', '"'), 222}, Row{"Grave", x11(49, '`', '`', '~'), 192},
                    Row{"Backslash", x11(51, '\\', '\\', '|'), 220}, Row{"Comma", x11(59, ',', ',', '<'), 188},
                    Row{"Period", x11(60, '.', '.', '>'), 190}, Row{"ShiftPeriod", x11(60, '>', '.', '>'), 190},
                    Row{"Slash", x11(61, '/', '/', '?'), 191}, Row{"IsoExtraKey", x11(94, '<', '<', '>'), 226}),
    rowName);

INSTANTIATE_TEST_SUITE_P(
    FrenchLayout, WindowsVirtualKey,
    testing::Values(
        // The digit row types "&é"(-è_çà" unshifted; the digits need Shift, and are still 48..57.
        Row{"Ampersand1", x11(10, '&', '&', '1'), 49}, Row{"Shift1", x11(10, '1', '&', '1'), 49},
        Row{"Eacute2", x11(11, kQtEacute, kXkEacute, '2'), 50}, Row{"Quote3", x11(12, '"', '"', '3'), 51},
        Row{"Minus6IsASix", x11(15, '-', '-', '6'), 54}, Row{"Egrave7", x11(16, 0xc8, kXkEgrave, '7'), 55},
        Row{"Shift9", x11(18, '9', 0xe7, '9'), 57}, Row{"Agrave0", x11(19, kQtAgrave, kXkAgrave, '0'), 48},
        // Letters follow the layout, as on Windows.
        Row{"AOnTheUsQKey", x11(24, 'A', 'a', 'A'), 65}, Row{"QOnTheUsAKey", x11(38, 'Q', 'q', 'Q'), 81},
        Row{"ZOnTheUsWKey", x11(25, 'Z', 'z', 'Z'), 90}, Row{"MOnTheUsSemicolonKey", x11(47, 'M', 'm', 'M'), 77},
        Row{"AltGrEuroIsStillE", x11(26, kQtEuroSign, 'e', 'E'), 69},
        // Punctuation: "+", ",", "-", "." keys keep their Windows codes wherever they sit.
        Row{"EqualsPlus", x11(21, '=', '=', '+'), 187}, Row{"CommaOnTheUsMKey", x11(58, ',', ',', '?'), 188},
        Row{"SemicolonPeriodKey", x11(59, ';', ';', '.'), 190},
        Row{"ShiftSemicolonPeriodKey", x11(59, '.', ';', '.'), 190}, Row{"ColonSlashKey", x11(60, ':', ':', '/'), 191},
        // No sign on the key: its US position, but never posing as a sign key.
        Row{"ParenthesisOnTheUsMinusKey", x11(20, ')', ')', kXkDegree), 223},
        Row{"ExclamationOnTheUsSlashKey", x11(61, '!', '!', kXkSection), 191},
        Row{"DeadCircumflex", x11(34, 0x01001252, kXkDeadCircumflex, kXkDeadDiaeresis), 219},
        Row{"IsoExtraKey", x11(94, '<', '<', '>'), 226}),
    rowName);

INSTANTIATE_TEST_SUITE_P(
    GermanLayout, WindowsVirtualKey,
    testing::Values(Row{"PlusKey", x11(35, '+', '+', '*'), 187}, Row{"ShiftPlusKey", x11(35, '*', '+', '*'), 187},
                    Row{"MinusKey", x11(61, '-', '-', '_'), 189}, Row{"ShiftMinusKey", x11(61, '_', '-', '_'), 189},
                    Row{"PeriodKey", x11(60, '.', '.', ':'), 190}, Row{"ShiftPeriodKey", x11(60, ':', '.', ':'), 190},
                    Row{"CommaKey", x11(59, ',', ',', ';'), 188}, Row{"ShiftCommaKey", x11(59, ';', ',', ';'), 188},
                    Row{"Y", x11(29, 'Z', 'z', 'Z'), 90}, Row{"Z", x11(52, 'Y', 'y', 'Y'), 89},
                    Row{"UUmlaut", x11(34, kXkUdiaeresisCapital, kXkUdiaeresisSmall, kXkUdiaeresisCapital), 219},
                    Row{"OUmlaut", x11(47, 0xd6, kXkOdiaeresis, 0xd6), 186},
                    Row{"SharpSIsNoMinus", x11(20, kXkSsharp, kXkSsharp, '?'), 223},
                    Row{"DeadAcuteIsNoPlus", x11(21, 0x01001251, kXkDeadAcute, kXkDeadGrave), 223},
                    Row{"HashKey", x11(51, '#', '#', '\''), 222}),
    rowName);

INSTANTIATE_TEST_SUITE_P(OtherLayouts, WindowsVirtualKey,
                         testing::Values(
                             // A non-Latin layout: letters are those of the US position, as Windows gives them.
                             Row{"CyrillicOnTheUsQKey",
                                 x11(24, kQtCyrillicShortiCapital, kXkCyrillicShortiSmall, kXkCyrillicShortiCapital),
                                 81},
                             // When the layout could not be asked, the toolkit's character stands in for it.
                             Row{"NoLayoutLetter", withoutLayout(x11(38, 'Q', 'q', 'Q')), 81},
                             Row{"NoLayoutDigitRow", withoutLayout(x11(10, '&', '&', '1')), 49},
                             Row{"NoLayoutPlus", withoutLayout(x11(21, '=', '=', '+')), 187},
                             Row{"NoLayoutSymbolOnALetterKey", withoutLayout(x11(26, kQtEuroSign, 0, 0)), 69}),
                         rowName);

INSTANTIATE_TEST_SUITE_P(
    X11Keypad, WindowsVirtualKey,
    testing::Values(
        Row{"Kp0On", x11Keypad(90, '0', 1), 96}, Row{"Kp1On", x11Keypad(87, '1', 1), 97},
        Row{"Kp2On", x11Keypad(88, '2', 1), 98}, Row{"Kp3On", x11Keypad(89, '3', 1), 99},
        Row{"Kp4On", x11Keypad(83, '4', 1), 100}, Row{"Kp5On", x11Keypad(84, '5', 1), 101},
        Row{"Kp6On", x11Keypad(85, '6', 1), 102}, Row{"Kp7On", x11Keypad(79, '7', 1), 103},
        Row{"Kp8On", x11Keypad(80, '8', 1), 104}, Row{"Kp9On", x11Keypad(81, '9', 1), 105},
        Row{"KpDecimalOn", x11Keypad(91, '.', 1), 110}, Row{"KpDecimalCommaOn", x11Keypad(91, ',', 1), 110},
        Row{"Kp0Off", x11Keypad(90, qtkey::kInsert, 0), 45}, Row{"Kp1Off", x11Keypad(87, qtkey::kEnd, 0), 35},
        Row{"Kp2Off", x11Keypad(88, qtkey::kDown, 0), 40}, Row{"Kp3Off", x11Keypad(89, qtkey::kPageDown, 0), 34},
        Row{"Kp4Off", x11Keypad(83, qtkey::kLeft, 0), 37}, Row{"Kp5Off", x11Keypad(84, qtkey::kClear, 0), 12},
        Row{"Kp6Off", x11Keypad(85, qtkey::kRight, 0), 39}, Row{"Kp7Off", x11Keypad(79, qtkey::kHome, 0), 36},
        Row{"Kp8Off", x11Keypad(80, qtkey::kUp, 0), 38}, Row{"Kp9Off", x11Keypad(81, qtkey::kPageUp, 0), 33},
        Row{"KpDecimalOff", x11Keypad(91, qtkey::kDelete, 0), 46},
        // X11 lets Shift swap the keypad's meaning; the board does not.
        Row{"ShiftKp1On", x11Keypad(87, qtkey::kEnd, 1), 97}, Row{"ShiftKp1Off", x11Keypad(87, '1', 0), 35},
        // NumLock state unknown: what the toolkit says.
        Row{"Kp1Unknown", x11Keypad(87, '1', -1), 97}, Row{"KpEndUnknown", x11Keypad(87, qtkey::kEnd, -1), 35},
        Row{"KpMultiply", x11Keypad(63, '*', 0), 106}, Row{"KpAdd", x11Keypad(86, '+', 1), 107},
        Row{"KpSubtract", x11Keypad(82, '-', 0), 109}, Row{"KpDivide", x11Keypad(106, '/', 1), 111},
        Row{"KpEnter", x11Keypad(104, qtkey::kEnter, 1), 13}),
    rowName);

INSTANTIATE_TEST_SUITE_P(
    X11OtherKeys, WindowsVirtualKey,
    testing::Values(
        Row{"F1", x11(67, qtkey::kF1, kXkF1, kXkF1), 112}, Row{"F10", x11(76, qtkey::kF1 + 9, 0, 0), 121},
        Row{"F11", x11(95, qtkey::kF1 + 10, 0, 0), 122}, Row{"F12", x11(96, qtkey::kF1 + 11, 0, 0), 123},
        Row{"Return", x11(36, qtkey::kReturn, kXkReturn, kXkReturn), 13}, Row{"Space", x11(65, ' ', ' ', ' '), 32},
        Row{"Tab", x11(23, qtkey::kTab, 0, 0), 9}, Row{"ShiftTab", x11(23, qtkey::kBacktab, 0, 0), 9},
        Row{"Escape", x11(9, qtkey::kEscape, 0, 0), 27}, Row{"Backspace", x11(22, qtkey::kBackspace, 0, 0), 8},
        Row{"Delete", x11(119, qtkey::kDelete, 0, 0), 46}, Row{"Insert", x11(118, qtkey::kInsert, 0, 0), 45},
        Row{"Home", x11(110, qtkey::kHome, 0, 0), 36}, Row{"End", x11(115, qtkey::kEnd, 0, 0), 35},
        Row{"PageUp", x11(112, qtkey::kPageUp, 0, 0), 33}, Row{"PageDown", x11(117, qtkey::kPageDown, 0, 0), 34},
        Row{"Left", x11(113, qtkey::kLeft, 0, 0), 37}, Row{"Up", x11(111, qtkey::kUp, 0, 0), 38},
        Row{"Right", x11(114, qtkey::kRight, 0, 0), 39}, Row{"Down", x11(116, qtkey::kDown, 0, 0), 40},
        Row{"ShiftLeft", x11(50, qtkey::kShift, 0, 0), 16}, Row{"ShiftRight", x11(62, qtkey::kShift, 0, 0), 16},
        Row{"Control", x11(37, qtkey::kControl, 0, 0), 17}, Row{"Alt", x11(64, qtkey::kAlt, 0, 0), 18},
        Row{"AltGr", x11(108, qtkey::kAltGr, 0, 0), 18}, Row{"Pause", x11(127, qtkey::kPause, 0, 0), 19},
        Row{"NumLock", x11(77, qtkey::kNumLock, 0, 0), 144}, Row{"CapsLock", x11(66, qtkey::kCapsLock, 0, 0), 20},
        // A synthesized event has no keycode: the toolkit's key decides.
        Row{"Synthesized", x11(0, 'S', 0, 0), 83}),
    rowName);

INSTANTIATE_TEST_SUITE_P(WindowsPlatform, WindowsVirtualKey,
                         testing::Values(Row{"Letter", windows(65, 'A'), 65}, Row{"Numpad1", windows(97, '1'), 97},
                                         Row{"NumpadEnd", windows(35, qtkey::kEnd), 35},
                                         Row{"OemFrenchParenthesis", windows(219, ')'), 219},
                                         Row{"Digit", windows(50, kQtEacute), 50},
                                         Row{"NoNativeCodeFallsBackToTheKey", windows(0, 'S'), 83},
                                         Row{"OutOfRangeNativeCode", windows(300, 'S'), 83}),
                         rowName);

INSTANTIATE_TEST_SUITE_P(
    WithoutNativeFacts, WindowsVirtualKey,
    testing::Values(Row{"Letter", qt('S'), 83}, Row{"LowerCaseLetter", qt('s'), 83}, Row{"Digit", qt('1'), 49},
                    Row{"KeypadDigit", qt('1', true), 97}, Row{"KeypadZero", qt('0', true), 96},
                    Row{"KeypadNine", qt('9', true), 105}, Row{"KeypadEnd", qt(qtkey::kEnd, true), 35},
                    Row{"KeypadClear", qt(qtkey::kClear, true), 12}, Row{"KeypadStar", qt('*', true), 106},
                    Row{"KeypadPlus", qt('+', true), 107}, Row{"KeypadMinus", qt('-', true), 109},
                    Row{"KeypadPoint", qt('.', true), 110}, Row{"KeypadComma", qt(',', true), 110},
                    Row{"KeypadSlash", qt('/', true), 111}, Row{"KeypadEnter", qt(qtkey::kEnter, true), 13},
                    Row{"Plus", qt('+'), 187}, Row{"Equals", qt('='), 187}, Row{"Minus", qt('-'), 189},
                    Row{"Underscore", qt('_'), 189}, Row{"Point", qt('.'), 190}, Row{"Comma", qt(','), 188},
                    Row{"Colon", qt(':'), 186}, Row{"Question", qt('?'), 191}, Row{"Tilde", qt('~'), 192},
                    Row{"Brace", qt('{'), 219}, Row{"Pipe", qt('|'), 220}, Row{"Quote", qt('"'), 222},
                    Row{"Star", qt('*'), 0}, Row{"F1", qt(qtkey::kF1), 112}, Row{"F2", qt(qtkey::kF1 + 1), 113},
                    Row{"F12", qt(qtkey::kF1 + 11), 123}, Row{"F24", qt(qtkey::kF24), 135}, Row{"Space", qt(' '), 32},
                    Row{"Menu", qt(qtkey::kMenu), 93}, Row{"Super", qt(qtkey::kSuperL), 91},
                    Row{"ScrollLock", qt(qtkey::kScrollLock), 145}, Row{"Euro", qt(kQtEuroSign), 0},
                    Row{"Unknown", qt(kQtUnknown), 0}, Row{"Zero", qt(0), 0}),
    rowName);

// Every key that the board or its settings give a meaning must arrive with that meaning whatever
// modifier the toolkit folded into its key: the physical key decides on X11.
TEST(WindowsVirtualKey, MainRowDigitsAreTheSameUnderEveryModifierOnX11) {
    const int shifted[] = {'!', '@', '#', '$', '%', '^', '&', '*', '('};
    for (std::uint32_t keycode = 10; keycode <= 18; ++keycode) {
        const int digit = int('1' + (keycode - 10));
        EXPECT_EQ(windowsVirtualKey(x11(keycode, digit, std::uint32_t(digit), 0)), digit);
        EXPECT_EQ(windowsVirtualKey(x11(keycode, shifted[keycode - 10], std::uint32_t(digit), 0)), digit);
        EXPECT_EQ(windowsVirtualKey(withoutLayout(x11(keycode, shifted[keycode - 10], 0, 0))), digit);
    }
}

} // namespace
