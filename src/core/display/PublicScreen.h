#pragma once
#include "core/UiText.h"
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Which screen the public board goes on. The scorekeeper picks a screen by the name the system gives it
// (HDMI-1, DP-2 ...); the public board then fills that screen while the board window stays where the
// scorekeeper types. These rules decide from the screens present now, so a screen that comes or goes only
// asks the same question again.
namespace screens {

struct ScreenInfo {
    std::string name;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const ScreenInfo&) const = default;
};

// "HDMI-1 1920x1080": how a screen is offered in the options and named on the console.
std::string screenLabel(const ScreenInfo& screen);

// The screen asked for: the command line's --public-screen wins over the stored PublicScreen. Blanks around a
// name are not part of it; an empty answer means this window only.
std::string wantedScreenName(std::string_view stored, const std::optional<std::string>& commandLine);

enum class Placement {
    ThisWindowOnly, // nothing asked for: the board as a single window
    OnScreen,       // the public board fills publicScreen
    NotConnected,   // no screen of that name now
    NoSize,         // the screen reports an empty area (seen while a display is switching modes)
    ConsoleScreen,  // the screen the board window is on, and no other screen to move the window to
};

struct ScreenChoice {
    Placement placement = Placement::ThisWindowOnly;
    std::optional<std::size_t> publicScreen;  // index into the list, with OnScreen
    std::optional<std::size_t> consoleScreen; // where the board window must go so the public board leaves it
                                              // in sight; empty when it may stay where it is
    bool duplicateName = false;               // two or more screens carry the wanted name; the first is used
    std::string note;                         // one line for the console: where the public board is, or why not
    UiText noteText;                          // the same line for the windows to translate
    bool operator==(const ScreenChoice&) const = default;
};

// Decides the public board's screen. consoleScreen is the index of the screen the board window is on (none
// when it is not known yet). Screens that overlap count as one place: a screen spanning both monitors is the
// console's screen as much as the monitor the console sits on.
ScreenChoice choosePublicScreen(std::string_view wanted, const std::vector<ScreenInfo>& screens,
                                std::optional<std::size_t> consoleScreen);

// The screens the options offer for the public board, as indexes into the list in its order: each named screen
// with an area, once per name, leaving out a screen that spans another one whole (an X server reports its whole
// desktop as `screen` beside its monitors; the public board there would always cover the console).
std::vector<std::size_t> offeredScreens(const std::vector<ScreenInfo>& screens);

// True when two screens share any pixel.
bool screensOverlap(const ScreenInfo& a, const ScreenInfo& b);

} // namespace screens
