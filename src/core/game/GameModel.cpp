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

void RulesRecord::note(const SheetEvent& event) {
    if (sheet.size() >= kMaxSheetEvents) {
        sheet.erase(sheet.begin());
        ++dropped;
    }
    sheet.push_back(event);
}

ClockTable GameState::freshClocks() {
    ClockTable t{};
    t[0].setTime = secondsToTime(600);
    return t;
}

namespace {

// The digits of a group as a span over the state's storage.
template <class State>
auto storage(State& s, DigitGroup group) -> std::pair<decltype(s.timeDigits.data()), std::size_t> {
    switch (group) {
    case DigitGroup::Time:
        return {s.timeDigits.data(), s.timeDigits.size()};
    case DigitGroup::Home:
        return {s.homeDigits.data(), s.homeDigits.size()};
    case DigitGroup::Visitor:
        return {s.visitorDigits.data(), s.visitorDigits.size()};
    case DigitGroup::Period:
        return {s.periodDigits.data(), s.periodDigits.size()};
    case DigitGroup::PenaltyTH1:
        return {s.penaltyDigits[0].data(), 3};
    case DigitGroup::PenaltyTH2:
        return {s.penaltyDigits[1].data(), 3};
    case DigitGroup::PenaltyTV1:
        return {s.penaltyDigits[2].data(), 3};
    case DigitGroup::PenaltyTV2:
        break;
    }
    return {s.penaltyDigits[3].data(), 3};
}

} // namespace

std::vector<int> digitsOf(const GameState& state, DigitGroup group) {
    const auto [data, size] = storage(state, group);
    return std::vector<int>(data, data + size);
}

void setDigits(GameState& state, DigitGroup group, const std::vector<int>& captions) {
    const auto [data, size] = storage(state, group);
    for (std::size_t i = 0; i < size && i < captions.size(); ++i) {
        data[i] = captions[i];
    }
}

void setPenaltyPlayer(GameState& state, int clock, int number) {
    if (clock < 1 || clock > kPenaltyCount) {
        return;
    }
    state.penaltyPlayers[static_cast<std::size_t>(clock - 1)] = number >= 0 && number <= kMaxPlayerNumber ? number : -1;
}

bool anyPenaltyPlayer(const GameState& state) {
    return std::any_of(state.penaltyPlayers.begin(), state.penaltyPlayers.end(), [](int n) { return n >= 0; });
}

std::array<int, 2> playerDigits(int number) {
    if (number < 0 || number > kMaxPlayerNumber) {
        return {-1, -1};
    }
    return {number % 10, number >= 10 ? number / 10 : -1};
}

GameState freshGame() {
    return GameState{};
}

bool isFreshGame(const GameState& state) {
    const GameState fresh = freshGame();
    return state.timeDigits == fresh.timeDigits && state.homeDigits == fresh.homeDigits &&
           state.visitorDigits == fresh.visitorDigits && state.periodDigits == fresh.periodDigits &&
           state.penaltyDigits == fresh.penaltyDigits && state.penaltyLights == fresh.penaltyLights &&
           state.penaltyPlayers == fresh.penaltyPlayers && state.whoGoal == fresh.whoGoal &&
           state.resetTime == fresh.resetTime && state.clocks == fresh.clocks;
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

TimeValue nextPeriodLength(const GameState& state) {
    return state.resetTime > 0 ? state.resetTime : kDefaultPeriodLength;
}

TimeValue periodLengthOf(const GameState& state) {
    return state.intermission ? nextPeriodLength(state) : state.clocks[0].setTime;
}

ResumeFacts resumeFacts(const GameState& state) {
    const TimeValue left = gameTimeLeft(state);
    const std::int64_t seconds = (left + kTicksPerSecond - 1) / kTicksPerSecond;
    const std::int64_t secs = seconds % 60;
    ResumeFacts facts;
    facts.home = numberShown(state.homeDigits.data(), state.homeDigits.size());
    facts.visitor = numberShown(state.visitorDigits.data(), state.visitorDigits.size());
    facts.period = numberShown(state.periodDigits.data(), state.periodDigits.size());
    facts.timeLeft = std::to_string(seconds / 60) + (secs < 10 ? ":0" : ":") + std::to_string(secs);
    return facts;
}

std::string resumeQuestion(const GameState& state, std::string_view savedAt) {
    const ResumeFacts facts = resumeFacts(state);
    std::string text = "Resume the game in progress? Home " + std::to_string(facts.home) + " - Visitor " +
                       std::to_string(facts.visitor) + ", period " + std::to_string(facts.period) + ", " +
                       facts.timeLeft + " left, saved ";
    text += savedAt;
    return text;
}

} // namespace game
