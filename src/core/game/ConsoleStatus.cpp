#include "core/game/ConsoleStatus.h"
#include "core/game/GameEvents.h"
#include <vector>

namespace game {

namespace {

std::string penaltyName(Field field) {
    switch (field) {
    case Field::PenaltyTH1:
        return "Home penalty 1";
    case Field::PenaltyTH2:
        return "Home penalty 2";
    case Field::PenaltyTV1:
        return "Visitor penalty 1";
    default:
        return "Visitor penalty 2";
    }
}

} // namespace

std::string fieldHint(std::optional<Field> selected, const ConsoleStatusInput& keys) {
    if (!selected)
        return "No field selected: click a field or press Tab";
    switch (*selected) {
    case Field::TimeBack:
        return "Game clock: minutes, a point and seconds, then Enter (12.5 is 12:05); " + keys.startStopKey +
               " starts and stops";
    case Field::HomeBack:
    case Field::VisitorBack:
        return std::string(*selected == Field::HomeBack ? "Home" : "Visitor") +
               " score: digits then Enter set it, +1 or -1 change it at once, " + keys.clearKey + " darkens it";
    case Field::PeriodBack:
        return "Period: a digit sets it, +1 or -1 change it";
    case Field::picGoalBack:
        return "Goal light: Left lights Home, Right lights Visitor, Down puts it out";
    case Field::PenaltyTH1:
    case Field::PenaltyTV1:
    case Field::PenaltyTH2:
    case Field::PenaltyTV2:
        return penaltyName(*selected) + ": minutes, a point and seconds, then Enter (2 is 2:00)" +
               (keys.penaltyRules ? std::string(", or Insert to add it as a new penalty (a third one waits)") : "") +
               "; " + keys.sepTimeKey + " runs it alone, " + keys.clearKey + " clears it";
    }
    return {};
}

std::string consoleStatus(const ConsoleStatusInput& input) {
    std::vector<std::string> parts;
    parts.push_back(fieldHint(input.selected, input));
    std::string clock = input.clockRunning ? "Clock running" : "Clock stopped";
    if (input.timeOfDay)
        clock += " (showing the time of day)";
    parts.push_back(clock);
    if (input.penaltyRules) {
        std::string waiting;
        for (std::size_t t = 0; t < 2; ++t) {
            if (input.waiting[t].empty())
                continue;
            waiting += waiting.empty() ? "Waiting: " : ", ";
            waiting += t == 0 ? "Home" : "Visitor";
            for (TimeValue time : input.waiting[t])
                waiting += " " + clockText(time);
        }
        if (!waiting.empty())
            parts.push_back(waiting);
    }
    if (input.sound == SoundPlaying::Horn)
        parts.emplace_back("Horn playing");
    else if (input.sound == SoundPlaying::Buzzer)
        parts.emplace_back("Buzzer playing");
    if (!input.publicScreen.empty())
        parts.push_back(input.publicScreen);
    if (!input.feedAddress.empty())
        parts.push_back("Feed on " + input.feedAddress);

    std::string line;
    for (const std::string& part : parts) {
        if (!line.empty())
            line += "  |  ";
        line += part;
    }
    return line;
}

} // namespace game
