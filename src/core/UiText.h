#pragma once
#include <functional>
#include <string>
#include <vector>

// The windows translate what the core says; the core has no Qt. Its source texts are marked for the
// translation tools with the same mark the windows use.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

// A text for the user as the core makes it: an English source with %1..%9 where its arguments go, each
// argument a text of its own (a team name is shown as it is; a phrase of the program is translated in turn).
struct UiText {
    std::string context; // where the source is translated
    std::string source;
    bool translated = true; // false: source is shown as it is (a name, a time, a key)
    std::vector<UiText> args;
    bool operator==(const UiText&) const = default;
};

// A phrase of the program, translated in context.
UiText uiText(const char* context, const char* source, std::vector<UiText> args = {});
// Shown exactly as given: never translated, and a % in it is never taken for an argument.
UiText plainText(std::string text);
// Texts one after the other with a separator between them; the separator is not translated.
UiText joinedText(const std::vector<UiText>& parts, const std::string& separator);

// Gives the translation of source in context, or source itself.
using Translate = std::function<std::string(const std::string& context, const std::string& source)>;

// The text with its arguments filled in, each translated first; without translate, English. Each %n of the
// (translated) source is replaced once, in one pass, so a % in an argument stays as it is. A %n without an
// argument stays as it is.
std::string renderText(const UiText& text, const Translate& translate = {});
