#pragma once
#include <string>
#include <string_view>

// One field of a CSV file (RFC 4180): quoted, with its quotes doubled, when it holds a comma, a quote or a line
// break. Every CSV file the program writes quotes with this rule.
std::string csvField(std::string_view text);
