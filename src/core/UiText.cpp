#include "core/UiText.h"
#include <algorithm>
#include <cstddef>

UiText uiText(const char* context, const char* source, std::vector<UiText> args) {
    return UiText{context, source, true, std::move(args)};
}

UiText plainText(std::string text) {
    return UiText{{}, std::move(text), false, {}};
}

UiText joinedText(const std::vector<UiText>& parts, const std::string& separator) {
    // Nine arguments at most a text: longer lists are joined in groups of nine.
    if (parts.size() > 9) {
        std::vector<UiText> groups;
        for (std::size_t from = 0; from < parts.size(); from += 9) {
            const auto end = parts.begin() + static_cast<std::ptrdiff_t>(std::min(parts.size(), from + 9));
            groups.push_back(
                joinedText(std::vector<UiText>(parts.begin() + static_cast<std::ptrdiff_t>(from), end), separator));
        }
        return joinedText(groups, separator);
    }
    UiText joined{{}, {}, false, parts};
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0)
            joined.source += separator;
        joined.source += '%' + std::to_string(i + 1);
    }
    return joined;
}

std::string renderText(const UiText& text, const Translate& translate) {
    if (!text.translated && text.args.empty())
        return text.source;
    const std::string source = text.translated && translate ? translate(text.context, text.source) : text.source;
    std::string out;
    out.reserve(source.size());
    for (std::size_t i = 0; i < source.size(); ++i) {
        const char c = source[i];
        if (c == '%' && i + 1 < source.size() && source[i + 1] >= '1' && source[i + 1] <= '9') {
            const auto n = static_cast<std::size_t>(source[i + 1] - '1');
            if (n < text.args.size()) {
                out += renderText(text.args[n], translate);
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}
