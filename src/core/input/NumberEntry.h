#pragma once
#include <string>
#include <vector>

// Number fields (scores and the period) have no value apart from their digits: these rules read the digits
// back, compute, and write digits again. Captions: index 0 rightmost; -1 dark, 0..9 lit.
namespace number_entry {

// The character that stands for the clear key in a typed text.
inline constexpr char kClearCharacter = '\0';

// Shows the number that text asks for, when it lies within min..max: a plain number, "+n" or "-n" relative to
// what the digits show now (dark counts as 0), or the clear character (the dark value -1).
void showNumber(std::vector<int>& captions, const std::string& text, int min, int max);

// The value the digits show, -1 when every digit is dark.
int shownNumber(const std::vector<int>& captions);

// The digit-entry buffer shared by the number fields.
class DigitEntry {
public:
    // One keystroke (a character code from the key table) typed into the field named owner.
    void enterDigitKey(const std::string& owner, std::vector<int>& captions, int characterCode, int min, int max);

    std::string digitText;
    std::string digitOwner;
};

} // namespace number_entry
