#include "KeyTables.h"
std::int16_t KeyCodeToAsci(std::int16_t k, std::int16_t clearKey) {
    if (k == 32) return 32;
    if (k == 13) return 13;
    if (k == clearKey) return 0;
    if (k == 187 || k == 107) return 43;
    if (k == 189 || k == 109) return 45;
    if (k >= 96 && k <= 105) return static_cast<std::int16_t>(k - 48);
    if (k >= 48 && k <= 57) return k;
    if (k == 110 || k == 190) return 46;
    return -1;
}
std::string KeyCodeToStr(std::int16_t) { return {}; }
