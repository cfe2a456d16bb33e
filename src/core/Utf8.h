#pragma once
#include <cstdint>
#include <string>

// Appends one Unicode code point to a UTF-8 text. The callers hand it only code points they have checked.
void appendUtf8(std::string& out, std::uint32_t codePoint);
