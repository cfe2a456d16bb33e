#include "Csv.h"

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// An optional sign, digits, and at most one point with digits after it.
bool isPlainNumber(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    const std::size_t digitsFrom = i;
    while (i < text.size() && isDigit(text[i]))
        ++i;
    if (i == digitsFrom)
        return false;
    if (i < text.size() && text[i] == '.') {
        ++i;
        const std::size_t fractionFrom = i;
        while (i < text.size() && isDigit(text[i]))
            ++i;
        if (i == fractionFrom)
            return false;
    }
    return i == text.size();
}

} // namespace

bool csvLooksLikeFormula(std::string_view text) {
    if (text.empty())
        return false;
    switch (text.front()) {
    case '=':
    case '@':
    case '\t':
    case '\r':
        return true;
    case '+':
    case '-':
        return !isPlainNumber(text);
    default:
        return false;
    }
}

std::string csvField(std::string_view text) {
    const bool formula = csvLooksLikeFormula(text);
    if (!formula && text.find_first_of(",\"\r\n") == std::string_view::npos) {
        return std::string(text);
    }
    std::string quoted = formula ? "\"'" : "\"";
    for (char c : text) {
        if (c == '"') {
            quoted += '"';
        }
        quoted += c;
    }
    return quoted + '"';
}
