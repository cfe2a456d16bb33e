#pragma once
#include "core/UiText.h"
#include "core/game/GameModel.h"
#include <array>
#include <optional>
#include <string>
#include <vector>

// The status line under the scorekeeper's board: what the selected field takes, whether the clock runs, which
// sound plays, where the public board is and where the feed listens. The public board never shows it.
namespace game {

enum class SoundPlaying { None, Horn, Buzzer };

struct ConsoleStatusInput {
    std::optional<Field> selected;
    bool clockRunning = false;
    bool timeOfDay = false; // the board shows the time of day instead of the game clock
    SoundPlaying sound = SoundPlaying::None;
    std::string publicScreen; // where the public board is, or why it is not shown; empty with one screen
    std::string feedAddress;  // empty while the feed is off
    // The names of the keys the hints mention, as the options show them.
    std::string startStopKey = "S";
    std::string clearKey = "Delete";
    std::string sepTimeKey = "I";
    // "Apply penalty rules" on: Insert adds a penalty, and the waiting ones are shown.
    bool penaltyRules = false;
    std::array<std::vector<TimeValue>, 2> waiting{}; // home, visitor: full times, oldest first
};

// What typing does in a field: "Home score: digits and Enter set it, +1 or -1 at once, Delete darkens it".
// As a text for the windows to translate, and in English.
UiText fieldHintText(std::optional<Field> selected, const ConsoleStatusInput& keys);
std::string fieldHint(std::optional<Field> selected, const ConsoleStatusInput& keys);

// The whole line, its parts apart by "  |  ". The public screen's note is shown as it is given.
UiText consoleStatusText(const ConsoleStatusInput& input);
std::string consoleStatus(const ConsoleStatusInput& input);

} // namespace game
