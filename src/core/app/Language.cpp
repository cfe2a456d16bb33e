#include "core/app/Language.h"

#include <algorithm>
#include <cctype>

namespace {

bool has(const std::vector<std::string>& available, const std::string& code) {
    return std::find(available.begin(), available.end(), code) != available.end();
}

std::string listed(const std::vector<std::string>& available) {
    std::string text;
    for (const std::string& code : available)
        text += (text.empty() ? "" : ", ") + code;
    return text;
}

} // namespace

std::optional<std::string> languageOfTag(const std::string& tag) {
    std::string code;
    for (const char c : tag) {
        if (c == '_' || c == '-' || c == '.' || c == '@')
            break;
        if (!std::isalpha(static_cast<unsigned char>(c)))
            return std::nullopt;
        code += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    // Language codes have two or three letters; "C" and "POSIX" name no language.
    if (code.size() < 2 || code.size() > 3)
        return std::nullopt;
    return code;
}

LanguageChoice chooseLanguage(const std::optional<std::string>& requested,
                              const std::vector<std::string>& systemLanguages,
                              const std::vector<std::string>& available) {
    LanguageChoice choice;
    if (requested) {
        const std::optional<std::string> code = languageOfTag(*requested);
        if (code && has(available, *code)) {
            choice.code = *code;
            return choice;
        }
        choice.problem = "The language \"" + *requested + "\" is not available (" + listed(available) +
                         "); the system's language is used.";
    }
    for (const std::string& tag : systemLanguages) {
        const std::optional<std::string> code = languageOfTag(tag);
        if (code && has(available, *code)) {
            choice.code = *code;
            return choice;
        }
    }
    choice.code = "en";
    return choice;
}
