#pragma once
#include <cstdint>
#include <string>

// The character code field entry works with for a key code: 48..57 a digit, 43 "+", 45 "-",
// 46 ".", 32 space, 13 Enter, 0 the clear code (the key equals clearKey), -1 no character.
// Space and Enter win over the clear key, so a clear key set to Enter still enters.
std::int16_t keyCodeToAsci(std::int16_t keyCode, std::int16_t clearKey);

// The display name of a key code, empty when the key has none (those keys cannot be chosen as
// command keys). F1 and F2 have no name: they are reserved for help and options.
std::string keyCodeToStr(std::int16_t keyCode);
