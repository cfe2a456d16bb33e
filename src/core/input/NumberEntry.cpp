#include "NumberEntry.h"
#include <cstdint>
#include <optional>

namespace NumberEntry {
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

void ShowNumber(std::vector<int>& captions, const std::string& text, int min, int max) {
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

void DigitEntry::EnterDigitKey(const std::string& owner, std::vector<int>& captions, int c, int min, int max) {
    if (owner != DigitOwner) {
        DigitText.clear();
        DigitOwner = owner;
    }
    // Bounds the buffer against a key held down for minutes; no real entry comes near it.
    constexpr std::size_t kBufferLimit = 4096;
    if (DigitText.size() < kBufferLimit) {
        if (c >= '0' && c <= '9') {
            DigitText.push_back(static_cast<char>(c));
        } else if (c == '+' || c == '-') {
            DigitText.push_back(static_cast<char>(c));
        }
    }
    if (c == ' ') {
        DigitText.clear();
    }
    if (c == 0) {
        ShowNumber(captions, std::string(1, kClearCharacter), min, max);
    }
    const bool signed_ = !DigitText.empty() && (DigitText[0] == '+' || DigitText[0] == '-');
    if (captions.size() == 1 && !signed_) {
        ShowNumber(captions, DigitText, min, max);
        DigitText.clear();
    }
    if (DigitText.size() >= 2 && signed_ && DigitText[1] >= '0' && DigitText[1] <= '9') {
        ShowNumber(captions, DigitText, min, max);
        DigitText.clear();
    }
    if (c == '\r') {
        ShowNumber(captions, DigitText, min, max);
        DigitText.clear();
    }
}

} // namespace NumberEntry
