#pragma once
#include <optional>
#include <string>
#include <vector>

// The language of the program's windows. The texts are written in English; other languages come from
// translations shipped with the program.

// The language part of a locale or language tag, in lower case: "fr_CA.UTF-8", "fr-CA" and "FR" give "fr".
// Nothing for names that carry no language ("", "C", "POSIX", "*").
std::optional<std::string> languageOfTag(const std::string& tag);

struct LanguageChoice {
    std::string code;                   // "en", "fr", "de", ...
    std::optional<std::string> problem; // what to tell the user when the language asked for cannot be had
};

// The language asked for (--language CODE) when the program has it; otherwise the first of the system's languages,
// in the system's order, that it has; otherwise English. available lists the languages shipped ("en" included).
LanguageChoice chooseLanguage(const std::optional<std::string>& requested,
                              const std::vector<std::string>& systemLanguages,
                              const std::vector<std::string>& available);
