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

const std::string kNotShown = "Public board not shown: screen ";

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

ScreenChoice choosePublicScreen(std::string_view wanted, const std::vector<ScreenInfo>& screens,
                                std::optional<std::size_t> consoleScreen) {
    ScreenChoice choice;
    wanted = trimBlanks(wanted);
    if (wanted.empty()) {
        choice.note = "Public board: this window only";
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
        choice.note = kNotShown + name + " is not connected";
        return choice;
    }
    choice.duplicateName = sameName > 1;
    const ScreenInfo& target = screens[*found];
    if (!hasArea(target)) {
        choice.placement = Placement::NoSize;
        choice.note = kNotShown + name + " reports no size";
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
            choice.note = kNotShown + name + " is the screen this window is on";
            return choice;
        }
        choice.consoleScreen = elsewhere;
    }

    choice.placement = Placement::OnScreen;
    choice.publicScreen = found;
    choice.note = "Public board on " + screenLabel(target);
    if (choice.duplicateName)
        choice.note += " (" + std::to_string(sameName) + " screens are named " + name + "; the first is used)";
    return choice;
}

} // namespace screens
