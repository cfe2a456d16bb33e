#include "FeedText.h"

namespace {

bool lit(int caption) {
    return caption >= 0 && caption <= 9;
}

// The lit digits of [from, to) in reading order, where reading order is the index order.
std::string litRun(const std::vector<int>& digits, std::size_t from, std::size_t to) {
    std::string text;
    for (std::size_t i = from; i < to && i < digits.size(); ++i) {
        if (lit(digits[i])) {
            text.push_back(static_cast<char>('0' + digits[i]));
        }
    }
    return text;
}

// The lit digits read right to left in index order, for groups whose index 0 is the rightmost digit.
std::string litRunReversed(const std::vector<int>& digits, std::size_t from, std::size_t to) {
    std::string text;
    for (std::size_t i = to; i > from; --i) {
        if (i - 1 < digits.size() && lit(digits[i - 1])) {
            text.push_back(static_cast<char>('0' + digits[i - 1]));
        }
    }
    return text;
}

std::string joined(const std::string& left, char separator, const std::string& right) {
    if (left.empty() || right.empty()) {
        return left + right;
    }
    return left + separator + right;
}

} // namespace

std::string gameClockText(const std::vector<int>& digits) {
    if (digits.size() != 4) {
        return litRun(digits, 0, digits.size());
    }
    if (lit(digits[3])) {
        return joined(litRun(digits, 0, 2), ':', litRun(digits, 2, 4));
    }
    return joined(litRun(digits, 0, 2), '.', litRun(digits, 2, 3));
}

std::string numberText(const std::vector<int>& digits) {
    return litRunReversed(digits, 0, digits.size());
}

std::string penaltyText(const std::vector<int>& digits) {
    if (digits.empty() || !lit(digits[0])) {
        return {};
    }
    return joined(litRunReversed(digits, 2, digits.size()), ':', litRunReversed(digits, 0, 2));
}

OrdinalForm ordinalForm(int n) {
    if (n <= 0) {
        return OrdinalForm::None;
    }
    const int tens = n % 100;
    if (tens >= 11 && tens <= 13) {
        return OrdinalForm::Other;
    }
    switch (n % 10) {
    case 1:
        return OrdinalForm::One;
    case 2:
        return OrdinalForm::Two;
    case 3:
        return OrdinalForm::Three;
    default:
        return OrdinalForm::Other;
    }
}
