#pragma once
#include <string>
#include <vector>

// What a person reads off a group of LED digits, built from the digits alone: the captions are the board's
// only record of a score, the period or a shown time. Dark digits (-1) are not read; a group that is all
// dark reads "".

// The game clock's four digits, index 0 leftmost. A lit last digit means minutes and seconds ("10:00",
// "5:07", and the time of day "7:05"); a dark one the under-a-minute form with tenths ("59.9", "7.0").
std::string gameClockText(const std::vector<int>& digits);

// A score or the period, index 0 units: "12", "0", or "" when dark.
std::string numberText(const std::vector<int>& digits);

// A penalty clock, index 0 rightmost: "2:00", "0:07", or "" while the clock is not in use (digit 0 dark).
std::string penaltyText(const std::vector<int>& digits);

// Which ordinal ending a number takes, the English way: 1st, 2nd, 3rd, 4th, ... 11th, 12th, 13th, 21st. A
// translation picks its own words for each form; nothing for 0 or less (period 0 is shown as its bare number).
enum class OrdinalForm { None, One, Two, Three, Other };
OrdinalForm ordinalForm(int n);
