#include "GameModel.h"
#include <algorithm>

namespace game {

namespace {

constexpr std::array<std::string_view, kFieldCount> kFieldNames{"TimeBack",    "HomeBack",   "VisitorBack",
                                                                "picGoalBack", "PeriodBack", "PenaltyTH1",
                                                                "PenaltyTV1",  "PenaltyTH2", "PenaltyTV2"};

} // namespace

std::string_view fieldName(Field field) {
    return kFieldNames[static_cast<std::size_t>(field)];
}

std::optional<Field> fieldNamed(std::string_view name) {
    for (std::size_t i = 0; i < kFieldNames.size(); ++i) {
        if (kFieldNames[i] == name) {
            return static_cast<Field>(i);
        }
    }
    return std::nullopt;
}

ClockTable GameState::freshClocks() {
    ClockTable t{};
    t[0].setTime = secondsToTime(600);
    return t;
}

GameState freshGame() {
    return GameState{};
}

bool isFreshGame(const GameState& state) {
    const GameState fresh = freshGame();
    return state.timeDigits == fresh.timeDigits && state.homeDigits == fresh.homeDigits &&
           state.visitorDigits == fresh.visitorDigits && state.periodDigits == fresh.periodDigits &&
           state.penaltyDigits == fresh.penaltyDigits && state.penaltyLights == fresh.penaltyLights &&
           state.whoGoal == fresh.whoGoal && state.resetTime == fresh.resetTime && state.clocks == fresh.clocks;
}

int numberShown(const int* digits, std::size_t count) {
    int value = 0;
    int scale = 1;
    for (std::size_t i = 0; i < count; ++i) {
        if (digits[i] >= 0) {
            value += digits[i] * scale;
        }
        scale *= 10;
    }
    return value;
}

TimeValue gameTimeLeft(const GameState& state) {
    const ClockRecord& c = state.clocks[0];
    if (c.countUp) {
        return c.setTime + c.used;
    }
    return std::max<TimeValue>(0, c.setTime - c.used);
}

std::string resumeQuestion(const GameState& state, std::string_view savedAt) {
    const TimeValue left = gameTimeLeft(state);
    // Rounded up to the whole second, as the board shows a running minute.
    const std::int64_t seconds = (left + kTicksPerSecond - 1) / kTicksPerSecond;
    const std::int64_t secs = seconds % 60;
    std::string text = "Resume the game in progress? Home ";
    text += std::to_string(numberShown(state.homeDigits.data(), state.homeDigits.size()));
    text += " - Visitor ";
    text += std::to_string(numberShown(state.visitorDigits.data(), state.visitorDigits.size()));
    text += ", period ";
    text += std::to_string(numberShown(state.periodDigits.data(), state.periodDigits.size()));
    text += ", ";
    text += std::to_string(seconds / 60);
    text += secs < 10 ? ":0" : ":";
    text += std::to_string(secs);
    text += " left, saved ";
    text += savedAt;
    return text;
}

} // namespace game
