#pragma once
#include <cstdint>
#include <string>
std::int16_t KeyCodeToAsci(std::int16_t keyCode, std::int16_t clearKey);
std::string KeyCodeToStr(std::int16_t keyCode);
