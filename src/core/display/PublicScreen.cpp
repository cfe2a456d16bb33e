#include "core/display/PublicScreen.h"
#include <cstdint>

namespace screens {

namespace {

std::string_view trimBlanks(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool hasArea(const ScreenInfo& s) {
    return s.width > 0 && s.height > 0;
}

UiText note(const char* source, std::vector<UiText> args = {}) {
    return uiText("PublicScreen", source, std::move(args));
}

void setNote(ScreenChoice& choice, UiText text) {
    choice.note = renderText(text);
    choice.noteText = std::move(text);
}

} // namespace

std::string screenLabel(const ScreenInfo& screen) {
    return screen.name + ' ' + std::to_string(screen.width) + 'x' + std::to_string(screen.height);
}

std::string wantedScreenName(std::string_view stored, const std::optional<std::string>& commandLine) {
    return std::string(trimBlanks(commandLine ? std::string_view(*commandLine) : stored));
}

bool screensOverlap(const ScreenInfo& a, const ScreenInfo& b) {
    if (!hasArea(a) || !hasArea(b))
        return false;
    // 64-bit sums: a screen far out on a large virtual desktop must not wrap round.
    const auto right = [](const ScreenInfo& s) { return std::int64_t{s.x} + s.width; };
    const auto bottom = [](const ScreenInfo& s) { return std::int64_t{s.y} + s.height; };
    return a.x < right(b) && b.x < right(a) && a.y < bottom(b) && b.y < bottom(a);
}

std::vector<std::size_t> offeredScreens(const std::vector<ScreenInfo>& screens) {
    const auto area = [](const ScreenInfo& s) { return std::int64_t{s.width} * s.height; };
    const auto spans = [&area](const ScreenInfo& outer, const ScreenInfo& inner) {
        return hasArea(inner) && area(outer) > area(inner) && outer.x <= inner.x && outer.y <= inner.y &&
               std::int64_t{outer.x} + outer.width >= std::int64_t{inner.x} + inner.width &&
               std::int64_t{outer.y} + outer.height >= std::int64_t{inner.y} + inner.height;
    };
    std::vector<std::size_t> offered;
    for (std::size_t i = 0; i < screens.size(); ++i) {
        const ScreenInfo& s = screens[i];
        if (s.name.empty() || !hasArea(s))
            continue;
        bool spansAnother = false;
        bool nameTaken = false;
        for (std::size_t j = 0; j < screens.size(); ++j) {
            if (j != i && spans(s, screens[j]))
                spansAnother = true;
        }
        for (std::size_t k : offered) {
            if (screens[k].name == s.name)
                nameTaken = true;
        }
        if (!spansAnother && !nameTaken)
            offered.push_back(i);
    }
    return offered;
}

ScreenChoice choosePublicScreen(std::string_view wanted, const std::vector<ScreenInfo>& screens,
                                std::optional<std::size_t> consoleScreen) {
    ScreenChoice choice;
    wanted = trimBlanks(wanted);
    if (wanted.empty()) {
        setNote(choice, note(QT_TRANSLATE_NOOP("PublicScreen", "Public board: this window only")));
        return choice;
    }
    const std::string name(wanted);

    std::optional<std::size_t> found;
    int sameName = 0;
    for (std::size_t i = 0; i < screens.size(); ++i) {
        if (screens[i].name == name) {
            ++sameName;
            if (!found)
                found = i;
        }
    }
    if (!found) {
        choice.placement = Placement::NotConnected;
        setNote(choice, note(QT_TRANSLATE_NOOP("PublicScreen", "Public board not shown: screen %1 is not connected"),
                             {plainText(name)}));
        return choice;
    }
    choice.duplicateName = sameName > 1;
    const ScreenInfo& target = screens[*found];
    if (!hasArea(target)) {
        choice.placement = Placement::NoSize;
        setNote(choice, note(QT_TRANSLATE_NOOP("PublicScreen", "Public board not shown: screen %1 reports no size"),
                             {plainText(name)}));
        return choice;
    }

    const bool consoleKnown = consoleScreen && *consoleScreen < screens.size();
    const bool consoleInTheWay = !consoleKnown || screensOverlap(screens[*consoleScreen], target);
    if (consoleInTheWay) {
        std::optional<std::size_t> elsewhere;
        for (std::size_t i = 0; i < screens.size() && !elsewhere; ++i) {
            if (hasArea(screens[i]) && !screensOverlap(screens[i], target))
                elsewhere = i;
        }
        if (!elsewhere) {
            choice.placement = Placement::ConsoleScreen;
            setNote(choice, note(QT_TRANSLATE_NOOP("PublicScreen",
                                                   "Public board not shown: screen %1 is the screen this window is on"),
                                 {plainText(name)}));
            return choice;
        }
        choice.consoleScreen = elsewhere;
    }

    choice.placement = Placement::OnScreen;
    choice.publicScreen = found;
    if (choice.duplicateName)
        setNote(choice, note(QT_TRANSLATE_NOOP("PublicScreen",
                                               "Public board on %1 (%2 screens are named %3; the first is used)"),
                             {plainText(screenLabel(target)), plainText(std::to_string(sameName)), plainText(name)}));
    else
        setNote(choice,
                note(QT_TRANSLATE_NOOP("PublicScreen", "Public board on %1"), {plainText(screenLabel(target))}));
    return choice;
}

} // namespace screens
