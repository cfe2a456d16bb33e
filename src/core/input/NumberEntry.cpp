#include "NumberEntry.h"
#include <cstdint>
#include <optional>

namespace number_entry {
namespace {

// Far beyond any field's range; sums of saturated values cannot overflow.
constexpr std::int64_t kSaturated = 1'000'000'000'000LL;

// The decimal number a text begins with (an optional sign, then digits), 0 when there is none.
std::int64_t leadingNumber(const std::string& s) {
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    std::int64_t v = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        v = v < kSaturated ? v * 10 + (s[i] - '0') : kSaturated;
    }
    return negative ? -v : v;
}

std::string currentText(const std::vector<int>& captions) {
    std::string cur;
    for (std::size_t k = captions.size(); k-- > 0;) {
        if (captions[k] >= 0 && captions[k] <= 9) {
            cur.push_back(static_cast<char>('0' + captions[k]));
        }
    }
    return cur;
}

std::optional<std::int64_t> result(const std::string& text, const std::vector<int>& captions) {
    if (text.empty()) {
        return std::nullopt;
    }
    const char first = text[0];
    const std::string rest = text.substr(1);
    if (first == kClearCharacter) {
        return -1;
    }
    if (first >= '0' && first <= '9') {
        return leadingNumber(text);
    }
    const std::int64_t cur = leadingNumber(currentText(captions));
    if (first == '+') {
        return leadingNumber(rest) + cur;
    }
    if (first == '-') {
        return cur - leadingNumber(rest);
    }
    return std::nullopt;
}

} // namespace

int shownNumber(const std::vector<int>& captions) {
    const std::string cur = currentText(captions);
    return cur.empty() ? -1 : static_cast<int>(leadingNumber(cur));
}

void showNumber(std::vector<int>& captions, const std::string& text, int min, int max) {
    const std::optional<std::int64_t> r = result(text, captions);
    if (!r || *r < min || *r > max) {
        return;
    }
    const std::string digits = std::to_string(*r);
    for (std::size_t i = 0; i < captions.size(); ++i) {
        if (*r != -1 && digits.size() > i) {
            captions[i] = digits[digits.size() - 1 - i] - '0';
        } else {
            captions[i] = -1;
        }
    }
}

void DigitEntry::enterDigitKey(const std::string& owner, std::vector<int>& captions, int c, int min, int max) {
    if (owner != digitOwner) {
        digitText.clear();
        digitOwner = owner;
    }
    // Bounds the buffer against a key held down for minutes; no real entry comes near it.
    constexpr std::size_t kBufferLimit = 4096;
    if (digitText.size() < kBufferLimit) {
        if ((c >= '0' && c <= '9') || c == '+' || c == '-') {
            digitText.push_back(static_cast<char>(c));
        }
    }
    if (c == ' ') {
        digitText.clear();
    }
    if (c == 0) {
        showNumber(captions, std::string(1, kClearCharacter), min, max);
    }
    const bool isSigned = !digitText.empty() && (digitText[0] == '+' || digitText[0] == '-');
    if (captions.size() == 1 && !isSigned) {
        showNumber(captions, digitText, min, max);
        digitText.clear();
    }
    if (digitText.size() >= 2 && isSigned && digitText[1] >= '0' && digitText[1] <= '9') {
        showNumber(captions, digitText, min, max);
        digitText.clear();
    }
    if (c == '\r') {
        showNumber(captions, digitText, min, max);
        digitText.clear();
    }
}

} // namespace number_entry
