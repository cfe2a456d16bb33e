#include "core/input/KeyTables.h"

std::int16_t keyCodeToAsci(std::int16_t keyCode, std::int16_t clearKey) {
    if (keyCode == 32)
        return 32;
    if (keyCode == 13)
        return 13;
    if (keyCode == clearKey)
        return 0;
    if (keyCode == 187 || keyCode == 107)
        return 43;
    if (keyCode == 189 || keyCode == 109)
        return 45;
    // Keypad digits count only while NumLock makes the keypad send them; otherwise they come as
    // cursor keys and are no characters.
    if (keyCode >= 96 && keyCode <= 105)
        return static_cast<std::int16_t>(keyCode - 96 + 48);
    if (keyCode >= 48 && keyCode <= 57)
        return keyCode;
    if (keyCode == 110 || keyCode == 190)
        return 46;
    return -1;
}

std::string keyCodeToStr(std::int16_t keyCode) {
    switch (keyCode) {
    case 8:
        return "Backspace";
    case 13:
        return "Enter";
    case 17:
        return "Ctrl";
    case 19:
        return "Pause/Break";
    case 33:
        return "Page Up";
    case 34:
        return "Page Down";
    case 35:
        return "End";
    case 36:
        return "Home";
    case 45:
        return "Insert";
    case 46:
        return "Delete";
    case 106:
        return "Numpad *";
    case 111:
        return "Numpad /";
    case 186:
        return ";";
    case 188:
        return ",";
    case 190:
        return ".";
    case 191:
        return "/";
    case 192:
        return "`";
    case 219:
        return "[";
    case 220:
        return "\\";
    case 221:
        return "]";
    case 222:
        return "\"";
    default:
        break;
    }
    if (keyCode >= 65 && keyCode <= 90)
        return std::string(1, static_cast<char>(keyCode));
    if (keyCode >= 114 && keyCode <= 123)
        return "F" + std::to_string(keyCode - 111);
    return {};
}
