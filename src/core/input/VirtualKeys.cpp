#include "core/input/VirtualKeys.h"

namespace {

// Windows codes of the US punctuation keys, by either of their characters.
int usPunctuationCode(std::uint32_t c) {
    switch (c) {
    case ';':
    case ':':
        return 186;
    case '=':
    case '+':
        return 187;
    case ',':
    case '<':
        return 188;
    case '-':
    case '_':
        return 189;
    case '.':
    case '>':
        return 190;
    case '/':
    case '?':
        return 191;
    case '`':
    case '~':
        return 192;
    case '[':
    case '{':
        return 219;
    case '\\':
    case '|':
        return 220;
    case ']':
    case '}':
        return 221;
    case '\'':
    case '"':
        return 222;
    default:
        return 0;
    }
}

// The US punctuation keys by their unshifted character: a key of another layout that carries one
// of these is taken for the US key that carries it.
int usUnshiftedCode(std::uint32_t c) {
    switch (c) {
    case ';':
        return 186;
    case '=':
        return 187;
    case ',':
        return 188;
    case '-':
        return 189;
    case '.':
        return 190;
    case '/':
        return 191;
    case '`':
        return 192;
    case '[':
        return 219;
    case '\\':
        return 220;
    case ']':
        return 221;
    case '\'':
        return 222;
    default:
        return 0;
    }
}

// Windows gives these four characters the same codes on every layout, wherever the key sits.
int signCode(std::uint32_t c) {
    switch (c) {
    case '+':
    case '=':
        return 187;
    case ',':
        return 188;
    case '-':
        return 189;
    case '.':
        return 190;
    default:
        return 0;
    }
}

bool isSignCode(int code) {
    return code >= 187 && code <= 190;
}

bool isLatinLetter(std::uint32_t c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

int capital(std::uint32_t c) {
    return c >= 'a' ? int(c - 'a' + 'A') : int(c);
}

// X keycodes of the standard (evdev) keymap, which every current X server uses.
int x11DigitRow(std::uint32_t keycode) {
    if (keycode >= 10 && keycode <= 18)
        return int('1' + (keycode - 10));
    if (keycode == 19)
        return '0';
    return 0;
}

// The keypad keys whose meaning NumLock switches: {digit code with NumLock on, code with it off}.
struct KeypadKey {
    std::uint32_t keycode;
    int numLockOn;
    int numLockOff;
};
constexpr KeypadKey kKeypad[] = {
    {79, 103, 36}, {80, 104, 38}, {81, 105, 33}, {83, 100, 37}, {84, 101, 12}, {85, 102, 39},
    {87, 97, 35},  {88, 98, 40},  {89, 99, 34},  {90, 96, 45},  {91, 110, 46},
};

// The keypad keys NumLock does not touch.
int x11KeypadOperator(std::uint32_t keycode) {
    switch (keycode) {
    case 63:
        return 106;
    case 82:
        return 109;
    case 86:
        return 107;
    case 104:
        return 13;
    case 106:
        return 111;
    default:
        return 0;
    }
}

// The letter at a key's US position.
int x11UsLetter(std::uint32_t keycode) {
    static constexpr char kTop[] = "QWERTYUIOP";
    static constexpr char kMiddle[] = "ASDFGHJKL";
    static constexpr char kBottom[] = "ZXCVBNM";
    if (keycode >= 24 && keycode <= 33)
        return kTop[keycode - 24];
    if (keycode >= 38 && keycode <= 46)
        return kMiddle[keycode - 38];
    if (keycode >= 52 && keycode <= 58)
        return kBottom[keycode - 52];
    return 0;
}

// The code of a punctuation key's US position.
int x11UsPunctuation(std::uint32_t keycode) {
    switch (keycode) {
    case 20:
        return 189;
    case 21:
        return 187;
    case 34:
        return 219;
    case 35:
        return 221;
    case 47:
        return 186;
    case 48:
        return 222;
    case 49:
        return 192;
    case 51:
        return 220;
    case 59:
        return 188;
    case 60:
        return 190;
    case 61:
        return 191;
    case 94: // the extra key beside the left Shift on 105-key keyboards
        return 226;
    default:
        return 0;
    }
}

int x11VirtualKey(const KeyEventFacts& f) {
    const std::uint32_t keycode = f.nativeScanCode;
    if (f.keypad) {
        for (const KeypadKey& k : kKeypad) {
            if (k.keycode == keycode && f.numLock >= 0)
                return f.numLock ? k.numLockOn : k.numLockOff;
        }
        if (int code = x11KeypadOperator(keycode))
            return code;
        return 0;
    }
    if (int digit = x11DigitRow(keycode))
        return digit;

    std::uint32_t base = f.baseKeysym;
    std::uint32_t shifted = f.shiftKeysym;
    if (base == 0 && f.qtKey >= 0x20 && f.qtKey <= 0x7e) {
        // The layout could not be asked: the toolkit's character is all there is.
        base = std::uint32_t(f.qtKey);
        shifted = 0;
    }
    if (isLatinLetter(base))
        return capital(base);
    if (int code = signCode(base))
        return code;
    if (int code = signCode(shifted))
        return code;
    if (int code = usUnshiftedCode(base))
        return code;
    if (int code = usUnshiftedCode(shifted))
        return code;
    if (int letter = x11UsLetter(keycode))
        return letter;
    if (int code = x11UsPunctuation(keycode))
        return isSignCode(code) ? 223 : code;
    return 0;
}

int qtVirtualKey(int key, bool keypad) {
    if (key >= 'A' && key <= 'Z')
        return key;
    if (key >= 'a' && key <= 'z')
        return key - 'a' + 'A';
    if (key >= '0' && key <= '9')
        return keypad ? key - '0' + 96 : key;
    if (keypad) {
        switch (key) {
        case '*':
            return 106;
        case '+':
            return 107;
        case '-':
            return 109;
        case '.':
        case ',': // the keypad's decimal key of layouts that write a decimal comma
            return 110;
        case '/':
            return 111;
        default:
            break;
        }
    }
    if (int code = usPunctuationCode(std::uint32_t(key)))
        return code;
    if (key >= qtkey::kF1 && key <= qtkey::kF24)
        return 112 + (key - qtkey::kF1);
    switch (key) {
    case qtkey::kSpace:
        return 32;
    case qtkey::kEscape:
        return 27;
    case qtkey::kTab:
    case qtkey::kBacktab: // Shift+Tab is still the Tab key
        return 9;
    case qtkey::kBackspace:
        return 8;
    case qtkey::kReturn:
    case qtkey::kEnter:
        return 13;
    case qtkey::kInsert:
        return 45;
    case qtkey::kDelete:
        return 46;
    case qtkey::kPause:
        return 19;
    case qtkey::kPrint:
    case qtkey::kSysReq:
        return 44;
    case qtkey::kClear:
        return 12;
    case qtkey::kHome:
        return 36;
    case qtkey::kEnd:
        return 35;
    case qtkey::kLeft:
        return 37;
    case qtkey::kUp:
        return 38;
    case qtkey::kRight:
        return 39;
    case qtkey::kDown:
        return 40;
    case qtkey::kPageUp:
        return 33;
    case qtkey::kPageDown:
        return 34;
    case qtkey::kShift:
        return 16;
    case qtkey::kControl:
        return 17;
    case qtkey::kAlt:
    case qtkey::kAltGr:
        return 18;
    case qtkey::kMeta:
    case qtkey::kSuperL:
        return 91;
    case qtkey::kSuperR:
        return 92;
    case qtkey::kMenu:
        return 93;
    case qtkey::kCapsLock:
        return 20;
    case qtkey::kNumLock:
        return 144;
    case qtkey::kScrollLock:
        return 145;
    default:
        return 0;
    }
}

} // namespace

int windowsVirtualKey(const KeyEventFacts& facts) {
    if (facts.platform == KeyPlatform::Windows && facts.nativeVirtualKey > 0 && facts.nativeVirtualKey < 255)
        return int(facts.nativeVirtualKey);
    if (facts.platform == KeyPlatform::X11 && facts.nativeScanCode != 0) {
        if (int code = x11VirtualKey(facts))
            return code;
    }
    return qtVirtualKey(facts.qtKey, facts.keypad);
}
