#include "core/game/ConsoleStatus.h"
#include "core/game/GameEvents.h"
#include <vector>

namespace game {

namespace {

constexpr const char* kContext = "ConsoleStatus";

UiText phrase(const char* source, std::vector<UiText> args = {}) {
    return uiText(kContext, source, std::move(args));
}

UiText penaltyName(Field field) {
    switch (field) {
    case Field::PenaltyTH1:
        return phrase(QT_TRANSLATE_NOOP("ConsoleStatus", "Home penalty 1"));
    case Field::PenaltyTH2:
        return phrase(QT_TRANSLATE_NOOP("ConsoleStatus", "Home penalty 2"));
    case Field::PenaltyTV1:
        return phrase(QT_TRANSLATE_NOOP("ConsoleStatus", "Visitor penalty 1"));
    default:
        return phrase(QT_TRANSLATE_NOOP("ConsoleStatus", "Visitor penalty 2"));
    }
}

} // namespace

UiText fieldHintText(std::optional<Field> selected, const ConsoleStatusInput& keys) {
    if (!selected)
        return phrase(QT_TRANSLATE_NOOP("ConsoleStatus", "No field selected: click a field or press Tab"));
    switch (*selected) {
    case Field::TimeBack:
        return phrase(QT_TRANSLATE_NOOP("ConsoleStatus", "Game clock: minutes, a point and seconds, then Enter "
                                                         "(12.5 is 12:05); %1 starts and stops"),
                      {plainText(keys.startStopKey)});
    case Field::HomeBack:
        return phrase(QT_TRANSLATE_NOOP("ConsoleStatus", "Home score: digits then Enter set it, +1 or -1 change it "
                                                         "at once, %1 darkens it"),
                      {plainText(keys.clearKey)});
    case Field::VisitorBack:
        return phrase(QT_TRANSLATE_NOOP("ConsoleStatus", "Visitor score: digits then Enter set it, +1 or -1 change "
                                                         "it at once, %1 darkens it"),
                      {plainText(keys.clearKey)});
    case Field::PeriodBack:
        return phrase(QT_TRANSLATE_NOOP("ConsoleStatus", "Period: a digit sets it, +1 or -1 change it"));
    case Field::GoalLights:
        return phrase(
            QT_TRANSLATE_NOOP("ConsoleStatus", "Goal light: Left lights Home, Right lights Visitor, Down puts it out"));
    case Field::PenaltyTH1:
    case Field::PenaltyTV1:
    case Field::PenaltyTH2:
    case Field::PenaltyTV2: {
        std::vector<UiText> args{penaltyName(*selected), plainText(keys.sepTimeKey), plainText(keys.clearKey)};
        if (keys.penaltyRules)
            return phrase(QT_TRANSLATE_NOOP("ConsoleStatus",
                                            "%1: minutes, a point and seconds, then Enter (2 is 2:00), or Insert to "
                                            "add it as a new penalty (a third one waits); %2 runs it alone, %3 "
                                            "clears it"),
                          std::move(args));
        return phrase(QT_TRANSLATE_NOOP("ConsoleStatus", "%1: minutes, a point and seconds, then Enter (2 is 2:00); "
                                                         "%2 runs it alone, %3 clears it"),
                      std::move(args));
    }
    }
    return plainText({});
}

std::string fieldHint(std::optional<Field> selected, const ConsoleStatusInput& keys) {
    return renderText(fieldHintText(selected, keys));
}

UiText consoleStatusText(const ConsoleStatusInput& input) {
    std::vector<UiText> parts;
    parts.push_back(fieldHintText(input.selected, input));
    if (input.timeOfDay) {
        parts.push_back(input.clockRunning
                            ? phrase(QT_TRANSLATE_NOOP("ConsoleStatus", "Clock running (showing the time of day)"))
                            : phrase(QT_TRANSLATE_NOOP("ConsoleStatus", "Clock stopped (showing the time of day)")));
    } else {
        parts.push_back(input.clockRunning ? phrase(QT_TRANSLATE_NOOP("ConsoleStatus", "Clock running"))
                                           : phrase(QT_TRANSLATE_NOOP("ConsoleStatus", "Clock stopped")));
    }
    if (input.penaltyRules) {
        std::vector<UiText> teams;
        for (std::size_t t = 0; t < 2; ++t) {
            if (input.waiting[t].empty())
                continue;
            std::vector<UiText> times;
            for (TimeValue time : input.waiting[t])
                times.push_back(plainText(clockText(time)));
            teams.push_back(t == 0
                                ? phrase(QT_TRANSLATE_NOOP("ConsoleStatus", "Home %1"), {joinedText(times, " ")})
                                : phrase(QT_TRANSLATE_NOOP("ConsoleStatus", "Visitor %1"), {joinedText(times, " ")}));
        }
        if (!teams.empty())
            parts.push_back(phrase(QT_TRANSLATE_NOOP("ConsoleStatus", "Waiting: %1"), {joinedText(teams, ", ")}));
    }
    if (input.sound == SoundPlaying::Horn)
        parts.push_back(phrase(QT_TRANSLATE_NOOP("ConsoleStatus", "Horn playing")));
    else if (input.sound == SoundPlaying::Buzzer)
        parts.push_back(phrase(QT_TRANSLATE_NOOP("ConsoleStatus", "Buzzer playing")));
    if (!input.publicScreen.empty())
        parts.push_back(plainText(input.publicScreen));
    if (!input.feedAddress.empty())
        parts.push_back(phrase(QT_TRANSLATE_NOOP("ConsoleStatus", "Feed on %1"), {plainText(input.feedAddress)}));
    return joinedText(parts, "  |  ");
}

std::string consoleStatus(const ConsoleStatusInput& input) {
    return renderText(consoleStatusText(input));
}

} // namespace game
