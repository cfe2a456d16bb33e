#pragma once
#include <string>
#include <string_view>

// One field of a CSV file (RFC 4180): quoted, with its quotes doubled, when it holds a comma, a quote or a line
// break. Every CSV file the program writes quotes with this rule.
//
// A field a spreadsheet would run as a formula (one starting with =, +, -, @, a tab or a carriage return, such
// as a team named "=HYPERLINK(...)") is written quoted with an apostrophe in front, so a spreadsheet shows it
// as text. A plain number ("-1", "+2", "-0.5") is no formula and stays as it is.
std::string csvField(std::string_view text);

// True when a spreadsheet would take the field as a formula.
bool csvLooksLikeFormula(std::string_view text);
