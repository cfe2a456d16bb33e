#include "core/input/VirtualKeys.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

// Keysyms of the layouts below (X11 keysymdef.h); Latin-1 keysyms equal their character codes.
constexpr std::uint32_t XK_eacute = 0xe9;
constexpr std::uint32_t XK_egrave = 0xe8;
constexpr std::uint32_t XK_agrave = 0xe0;
constexpr std::uint32_t XK_ssharp = 0xdf;
constexpr std::uint32_t XK_udiaeresis = 0xfc;
constexpr std::uint32_t XK_Udiaeresis = 0xdc;
constexpr std::uint32_t XK_odiaeresis = 0xf6;
constexpr std::uint32_t XK_degree = 0xb0;
constexpr std::uint32_t XK_section = 0xa7;
constexpr std::uint32_t XK_dead_circumflex = 0xfe52;
constexpr std::uint32_t XK_dead_diaeresis = 0xfe57;
constexpr std::uint32_t XK_dead_acute = 0xfe51;
constexpr std::uint32_t XK_dead_grave = 0xfe50;
constexpr std::uint32_t XK_Cyrillic_shorti = 0x6ca;
constexpr std::uint32_t XK_Cyrillic_SHORTI = 0x6ea;
constexpr std::uint32_t XK_Return = 0xff0d;
constexpr std::uint32_t XK_F1 = 0xffbe;
// Qt keys for characters are their upper-case Unicode values.
constexpr int Qt_Eacute = 0xc9;
constexpr int Qt_Agrave = 0xc0;
constexpr int Qt_EuroSign = 0x20ac;
constexpr int Qt_Cyrillic_SHORTI = 0x419;
constexpr int Qt_Unknown = 0x01ffffff;

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
        Row{"Eacute2", x11(11, Qt_Eacute, XK_eacute, '2'), 50}, Row{"Quote3", x11(12, '"', '"', '3'), 51},
        Row{"Minus6IsASix", x11(15, '-', '-', '6'), 54}, Row{"Egrave7", x11(16, 0xc8, XK_egrave, '7'), 55},
        Row{"Shift9", x11(18, '9', 0xe7, '9'), 57}, Row{"Agrave0", x11(19, Qt_Agrave, XK_agrave, '0'), 48},
        // Letters follow the layout, as on Windows.
        Row{"AOnTheUsQKey", x11(24, 'A', 'a', 'A'), 65}, Row{"QOnTheUsAKey", x11(38, 'Q', 'q', 'Q'), 81},
        Row{"ZOnTheUsWKey", x11(25, 'Z', 'z', 'Z'), 90}, Row{"MOnTheUsSemicolonKey", x11(47, 'M', 'm', 'M'), 77},
        Row{"AltGrEuroIsStillE", x11(26, Qt_EuroSign, 'e', 'E'), 69},
        // Punctuation: "+", ",", "-", "." keys keep their Windows codes wherever they sit.
        Row{"EqualsPlus", x11(21, '=', '=', '+'), 187}, Row{"CommaOnTheUsMKey", x11(58, ',', ',', '?'), 188},
        Row{"SemicolonPeriodKey", x11(59, ';', ';', '.'), 190},
        Row{"ShiftSemicolonPeriodKey", x11(59, '.', ';', '.'), 190}, Row{"ColonSlashKey", x11(60, ':', ':', '/'), 191},
        // No sign on the key: its US position, but never posing as a sign key.
        Row{"ParenthesisOnTheUsMinusKey", x11(20, ')', ')', XK_degree), 223},
        Row{"ExclamationOnTheUsSlashKey", x11(61, '!', '!', XK_section), 191},
        Row{"DeadCircumflex", x11(34, 0x01001252, XK_dead_circumflex, XK_dead_diaeresis), 219},
        Row{"IsoExtraKey", x11(94, '<', '<', '>'), 226}),
    rowName);

INSTANTIATE_TEST_SUITE_P(
    GermanLayout, WindowsVirtualKey,
    testing::Values(Row{"PlusKey", x11(35, '+', '+', '*'), 187}, Row{"ShiftPlusKey", x11(35, '*', '+', '*'), 187},
                    Row{"MinusKey", x11(61, '-', '-', '_'), 189}, Row{"ShiftMinusKey", x11(61, '_', '-', '_'), 189},
                    Row{"PeriodKey", x11(60, '.', '.', ':'), 190}, Row{"ShiftPeriodKey", x11(60, ':', '.', ':'), 190},
                    Row{"CommaKey", x11(59, ',', ',', ';'), 188}, Row{"ShiftCommaKey", x11(59, ';', ',', ';'), 188},
                    Row{"Y", x11(29, 'Z', 'z', 'Z'), 90}, Row{"Z", x11(52, 'Y', 'y', 'Y'), 89},
                    Row{"UUmlaut", x11(34, XK_Udiaeresis, XK_udiaeresis, XK_Udiaeresis), 219},
                    Row{"OUmlaut", x11(47, 0xd6, XK_odiaeresis, 0xd6), 186},
                    Row{"SharpSIsNoMinus", x11(20, XK_ssharp, XK_ssharp, '?'), 223},
                    Row{"DeadAcuteIsNoPlus", x11(21, 0x01001251, XK_dead_acute, XK_dead_grave), 223},
                    Row{"HashKey", x11(51, '#', '#', '\''), 222}),
    rowName);

INSTANTIATE_TEST_SUITE_P(OtherLayouts, WindowsVirtualKey,
                         testing::Values(
                             // A non-Latin layout: letters are those of the US position, as Windows gives them.
                             Row{"CyrillicOnTheUsQKey",
                                 x11(24, Qt_Cyrillic_SHORTI, XK_Cyrillic_shorti, XK_Cyrillic_SHORTI), 81},
                             // When the layout could not be asked, the toolkit's character stands in for it.
                             Row{"NoLayoutLetter", withoutLayout(x11(38, 'Q', 'q', 'Q')), 81},
                             Row{"NoLayoutDigitRow", withoutLayout(x11(10, '&', '&', '1')), 49},
                             Row{"NoLayoutPlus", withoutLayout(x11(21, '=', '=', '+')), 187},
                             Row{"NoLayoutSymbolOnALetterKey", withoutLayout(x11(26, Qt_EuroSign, 0, 0)), 69}),
                         rowName);

INSTANTIATE_TEST_SUITE_P(
    X11Keypad, WindowsVirtualKey,
    testing::Values(Row{"Kp0On", x11Keypad(90, '0', 1), 96}, Row{"Kp1On", x11Keypad(87, '1', 1), 97},
                    Row{"Kp2On", x11Keypad(88, '2', 1), 98}, Row{"Kp3On", x11Keypad(89, '3', 1), 99},
                    Row{"Kp4On", x11Keypad(83, '4', 1), 100}, Row{"Kp5On", x11Keypad(84, '5', 1), 101},
                    Row{"Kp6On", x11Keypad(85, '6', 1), 102}, Row{"Kp7On", x11Keypad(79, '7', 1), 103},
                    Row{"Kp8On", x11Keypad(80, '8', 1), 104}, Row{"Kp9On", x11Keypad(81, '9', 1), 105},
                    Row{"KpDecimalOn", x11Keypad(91, '.', 1), 110}, Row{"KpDecimalCommaOn", x11Keypad(91, ',', 1), 110},
                    Row{"Kp0Off", x11Keypad(90, qtkey::Insert, 0), 45}, Row{"Kp1Off", x11Keypad(87, qtkey::End, 0), 35},
                    Row{"Kp2Off", x11Keypad(88, qtkey::Down, 0), 40},
                    Row{"Kp3Off", x11Keypad(89, qtkey::PageDown, 0), 34},
                    Row{"Kp4Off", x11Keypad(83, qtkey::Left, 0), 37}, Row{"Kp5Off", x11Keypad(84, qtkey::Clear, 0), 12},
                    Row{"Kp6Off", x11Keypad(85, qtkey::Right, 0), 39}, Row{"Kp7Off", x11Keypad(79, qtkey::Home, 0), 36},
                    Row{"Kp8Off", x11Keypad(80, qtkey::Up, 0), 38}, Row{"Kp9Off", x11Keypad(81, qtkey::PageUp, 0), 33},
                    Row{"KpDecimalOff", x11Keypad(91, qtkey::Delete, 0), 46},
                    // X11 lets Shift swap the keypad's meaning; the board does not.
                    Row{"ShiftKp1On", x11Keypad(87, qtkey::End, 1), 97}, Row{"ShiftKp1Off", x11Keypad(87, '1', 0), 35},
                    // NumLock state unknown: what the toolkit says.
                    Row{"Kp1Unknown", x11Keypad(87, '1', -1), 97},
                    Row{"KpEndUnknown", x11Keypad(87, qtkey::End, -1), 35},
                    Row{"KpMultiply", x11Keypad(63, '*', 0), 106}, Row{"KpAdd", x11Keypad(86, '+', 1), 107},
                    Row{"KpSubtract", x11Keypad(82, '-', 0), 109}, Row{"KpDivide", x11Keypad(106, '/', 1), 111},
                    Row{"KpEnter", x11Keypad(104, qtkey::Enter, 1), 13}),
    rowName);

INSTANTIATE_TEST_SUITE_P(
    X11OtherKeys, WindowsVirtualKey,
    testing::Values(
        Row{"F1", x11(67, qtkey::F1, XK_F1, XK_F1), 112}, Row{"F10", x11(76, qtkey::F1 + 9, 0, 0), 121},
        Row{"F11", x11(95, qtkey::F1 + 10, 0, 0), 122}, Row{"F12", x11(96, qtkey::F1 + 11, 0, 0), 123},
        Row{"Return", x11(36, qtkey::Return, XK_Return, XK_Return), 13}, Row{"Space", x11(65, ' ', ' ', ' '), 32},
        Row{"Tab", x11(23, qtkey::Tab, 0, 0), 9}, Row{"ShiftTab", x11(23, qtkey::Backtab, 0, 0), 9},
        Row{"Escape", x11(9, qtkey::Escape, 0, 0), 27}, Row{"Backspace", x11(22, qtkey::Backspace, 0, 0), 8},
        Row{"Delete", x11(119, qtkey::Delete, 0, 0), 46}, Row{"Insert", x11(118, qtkey::Insert, 0, 0), 45},
        Row{"Home", x11(110, qtkey::Home, 0, 0), 36}, Row{"End", x11(115, qtkey::End, 0, 0), 35},
        Row{"PageUp", x11(112, qtkey::PageUp, 0, 0), 33}, Row{"PageDown", x11(117, qtkey::PageDown, 0, 0), 34},
        Row{"Left", x11(113, qtkey::Left, 0, 0), 37}, Row{"Up", x11(111, qtkey::Up, 0, 0), 38},
        Row{"Right", x11(114, qtkey::Right, 0, 0), 39}, Row{"Down", x11(116, qtkey::Down, 0, 0), 40},
        Row{"ShiftLeft", x11(50, qtkey::Shift, 0, 0), 16}, Row{"ShiftRight", x11(62, qtkey::Shift, 0, 0), 16},
        Row{"Control", x11(37, qtkey::Control, 0, 0), 17}, Row{"Alt", x11(64, qtkey::Alt, 0, 0), 18},
        Row{"AltGr", x11(108, qtkey::AltGr, 0, 0), 18}, Row{"Pause", x11(127, qtkey::Pause, 0, 0), 19},
        Row{"NumLock", x11(77, qtkey::NumLock, 0, 0), 144}, Row{"CapsLock", x11(66, qtkey::CapsLock, 0, 0), 20},
        // A synthesized event has no keycode: the toolkit's key decides.
        Row{"Synthesized", x11(0, 'S', 0, 0), 83}),
    rowName);

INSTANTIATE_TEST_SUITE_P(WindowsPlatform, WindowsVirtualKey,
                         testing::Values(Row{"Letter", windows(65, 'A'), 65}, Row{"Numpad1", windows(97, '1'), 97},
                                         Row{"NumpadEnd", windows(35, qtkey::End), 35},
                                         Row{"OemFrenchParenthesis", windows(219, ')'), 219},
                                         Row{"Digit", windows(50, Qt_Eacute), 50},
                                         Row{"NoNativeCodeFallsBackToTheKey", windows(0, 'S'), 83},
                                         Row{"OutOfRangeNativeCode", windows(300, 'S'), 83}),
                         rowName);

INSTANTIATE_TEST_SUITE_P(
    WithoutNativeFacts, WindowsVirtualKey,
    testing::Values(Row{"Letter", qt('S'), 83}, Row{"LowerCaseLetter", qt('s'), 83}, Row{"Digit", qt('1'), 49},
                    Row{"KeypadDigit", qt('1', true), 97}, Row{"KeypadZero", qt('0', true), 96},
                    Row{"KeypadNine", qt('9', true), 105}, Row{"KeypadEnd", qt(qtkey::End, true), 35},
                    Row{"KeypadClear", qt(qtkey::Clear, true), 12}, Row{"KeypadStar", qt('*', true), 106},
                    Row{"KeypadPlus", qt('+', true), 107}, Row{"KeypadMinus", qt('-', true), 109},
                    Row{"KeypadPoint", qt('.', true), 110}, Row{"KeypadComma", qt(',', true), 110},
                    Row{"KeypadSlash", qt('/', true), 111}, Row{"KeypadEnter", qt(qtkey::Enter, true), 13},
                    Row{"Plus", qt('+'), 187}, Row{"Equals", qt('='), 187}, Row{"Minus", qt('-'), 189},
                    Row{"Underscore", qt('_'), 189}, Row{"Point", qt('.'), 190}, Row{"Comma", qt(','), 188},
                    Row{"Colon", qt(':'), 186}, Row{"Question", qt('?'), 191}, Row{"Tilde", qt('~'), 192},
                    Row{"Brace", qt('{'), 219}, Row{"Pipe", qt('|'), 220}, Row{"Quote", qt('"'), 222},
                    Row{"Star", qt('*'), 0}, Row{"F1", qt(qtkey::F1), 112}, Row{"F2", qt(qtkey::F1 + 1), 113},
                    Row{"F12", qt(qtkey::F1 + 11), 123}, Row{"F24", qt(qtkey::F24), 135}, Row{"Space", qt(' '), 32},
                    Row{"Menu", qt(qtkey::Menu), 93}, Row{"Super", qt(qtkey::Super_L), 91},
                    Row{"ScrollLock", qt(qtkey::ScrollLock), 145}, Row{"Euro", qt(Qt_EuroSign), 0},
                    Row{"Unknown", qt(Qt_Unknown), 0}, Row{"Zero", qt(0), 0}),
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
