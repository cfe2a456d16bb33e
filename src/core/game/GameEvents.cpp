#include "core/game/GameEvents.h"
#include <algorithm>
#include <array>

namespace game {

namespace {

constexpr std::array<std::string_view, kEventKindCount> kKindNames{"goal",
                                                                   "score corrected",
                                                                   "period",
                                                                   "penalty set",
                                                                   "penalty cleared",
                                                                   "penalty ran out",
                                                                   "clock start",
                                                                   "clock stop",
                                                                   "clock set",
                                                                   "clock reset",
                                                                   "horn",
                                                                   "buzzer",
                                                                   "penalty queued",
                                                                   "queued penalty started",
                                                                   "penalty released",
                                                                   "release undone"};

// The latest moment an event may name: the last millisecond of the year 9999.
constexpr std::int64_t kLatestMoment = 253402300799999;
// Beyond any time the board can hold, even a count-up clock left running for days.
constexpr TimeValue kLongestTime = secondsToTime(100LL * 24 * 3600);

int score(const std::array<int, 2>& digits) {
    return numberShown(digits.data(), digits.size());
}

int period(const GameState& s) {
    return numberShown(s.periodDigits.data(), s.periodDigits.size());
}

TimeValue timeLeft(const ClockRecord& c) {
    return std::max<TimeValue>(0, c.setTime - c.used);
}

bool allDark(const std::array<int, 3>& digits) {
    return std::all_of(digits.begin(), digits.end(), [](int d) { return d < 0; });
}

// A clock given a time by a key: its set time changed, or its use went back to nothing. A running clock's use
// read at a tick can be a little more than what a later stop folds in, so only a return to zero counts.
bool wasSet(const ClockRecord& before, const ClockRecord& after) {
    return after.setTime != before.setTime || (after.used == 0 && before.used != 0);
}

std::string_view sideName(Side side, std::string_view homeName, std::string_view visitorName) {
    return side == Side::Home ? homeName : visitorName;
}

} // namespace

std::string_view eventKindName(EventKind kind) {
    return kKindNames[static_cast<std::size_t>(kind)];
}

std::optional<EventKind> eventKindNamed(std::string_view name) {
    for (std::size_t i = 0; i < kKindNames.size(); ++i) {
        if (kKindNames[i] == name)
            return static_cast<EventKind>(i);
    }
    return std::nullopt;
}

std::string clockText(TimeValue time) {
    time = std::max<TimeValue>(0, time);
    const TimeValue tenths = time / kTicksPerTenth;
    if (time < secondsToTime(60)) {
        std::string text = "0:" + std::string(tenths < 100 ? "0" : "") + std::to_string(tenths / 10);
        if (tenths % 10 != 0)
            text += "." + std::to_string(tenths % 10);
        return text;
    }
    // A minute or more shows whole seconds, a part-second rounded up as a running clock shows it.
    const std::int64_t seconds = (time + kTicksPerSecond - 1) / kTicksPerSecond;
    const std::int64_t s = seconds % 60;
    return std::to_string(seconds / 60) + (s < 10 ? ":0" : ":") + std::to_string(s);
}

std::vector<GameEvent> eventsBetween(const GameState& before, const GameState& after, std::int64_t wallMillis) {
    std::vector<GameEvent> out;
    const auto event = [&](EventKind kind) -> GameEvent& {
        GameEvent e;
        e.kind = kind;
        e.wallMillis = wallMillis;
        e.period = period(after);
        e.gameClock = gameTimeLeft(after);
        e.homeScore = score(after.homeDigits);
        e.visitorScore = score(after.visitorDigits);
        out.push_back(e);
        return out.back();
    };

    const ClockRecord& g0 = before.clocks[0];
    const ClockRecord& g1 = after.clocks[0];
    if (g0.running && !g1.running)
        event(EventKind::ClockStopped);
    if (after.resetTime != before.resetTime) {
        event(EventKind::ClockSet).time = after.resetTime;
    } else if (wasSet(g0, g1)) {
        event(EventKind::ClockReset).time = g1.setTime;
    }
    if (!g0.running && g1.running)
        event(EventKind::ClockStarted);

    if (period(before) != period(after)) {
        GameEvent& e = event(EventKind::PeriodChanged);
        e.before = period(before);
        e.after = period(after);
    }

    for (const auto& [side, was, now] :
         {std::tuple{Side::Home, score(before.homeDigits), score(after.homeDigits)},
          std::tuple{Side::Visitor, score(before.visitorDigits), score(after.visitorDigits)}}) {
        if (was == now)
            continue;
        GameEvent& e = event(now == was + 1 ? EventKind::Goal : EventKind::ScoreCorrected);
        e.side = side;
        e.before = was;
        e.after = now;
    }

    // With the penalty rules on, their new records say what happened to a clock they name: a waiting penalty
    // queued or started, a release, a run-out. Such a clock gets no event of its own read off the clocks.
    std::array<bool, kPenaltyCount + 1> told{};
    for (const SheetEvent& entry : after.rules.sheet) {
        const PenaltyEvent& r = entry.penalty;
        if (entry.kind != SheetEvent::Kind::Penalty || r.serial < before.rules.penalties.nextSerial)
            continue;
        std::optional<EventKind> kind;
        TimeValue time = 0;
        switch (r.kind) {
        case PenaltyEventKind::Queued:
            kind = EventKind::PenaltyQueued;
            time = r.fullTime;
            break;
        case PenaltyEventKind::QueuedStart:
            kind = EventKind::QueuedPenaltyStarted;
            time = r.fullTime;
            break;
        case PenaltyEventKind::Released:
            kind = EventKind::PenaltyReleased;
            time = r.before;
            break;
        case PenaltyEventKind::Expired:
            kind = EventKind::PenaltyRanOut;
            break;
        case PenaltyEventKind::ReleaseUndone:
            kind = EventKind::ReleaseUndone;
            time = r.after;
            break;
        default:
            break;
        }
        if (!kind)
            continue;
        GameEvent& e = event(*kind);
        e.side = r.team == Team::Home ? Side::Home : Side::Visitor;
        e.penaltyClock = r.clock;
        e.time = time;
        if (r.clock >= 1 && r.clock <= kPenaltyCount)
            told[static_cast<std::size_t>(r.clock)] = true;
    }

    for (int n = 1; n <= kPenaltyCount; ++n) {
        const auto i = static_cast<std::size_t>(n);
        if (told[i])
            continue;
        const ClockRecord& c0 = before.clocks[i];
        const ClockRecord& c1 = after.clocks[i];
        const bool lit = before.penaltyLights[i - 1];
        const bool darkNow = allDark(after.penaltyDigits[i - 1]) && !allDark(before.penaltyDigits[i - 1]);
        std::optional<EventKind> kind;
        TimeValue time = 0;
        if (darkNow || (wasSet(c0, c1) && c1.setTime == 0 && lit)) {
            kind = EventKind::PenaltyCleared;
            time = timeLeft(c0);
        } else if (wasSet(c0, c1) && c1.setTime > 0) {
            kind = EventKind::PenaltySet;
            time = c1.setTime;
        } else if (lit && !after.penaltyLights[i - 1]) {
            kind = EventKind::PenaltyRanOut;
        }
        if (kind) {
            GameEvent& e = event(*kind);
            e.side = n <= 2 ? Side::Home : Side::Visitor;
            e.penaltyClock = n;
            e.time = time;
        }
    }
    return out;
}

GameEvent soundEvent(EventKind sound, const GameState& state, std::int64_t wallMillis) {
    GameEvent e;
    e.kind = sound;
    e.wallMillis = wallMillis;
    e.period = period(state);
    e.gameClock = gameTimeLeft(state);
    e.homeScore = score(state.homeDigits);
    e.visitorScore = score(state.visitorDigits);
    return e;
}

namespace {

UiText eventPhrase(const char* source, std::vector<UiText> args = {}) {
    return uiText("GameEvents", source, std::move(args));
}

UiText number(int value) {
    return plainText(std::to_string(value));
}

UiText timeText(TimeValue time) {
    return plainText(clockText(time));
}

} // namespace

UiText eventUiText(const GameEvent& e, std::string_view homeName, std::string_view visitorName) {
    const UiText team = plainText(std::string(sideName(e.side, homeName, visitorName)));
    // Clocks 1 and 3 are each team's first penalty clock, 2 and 4 its second.
    const UiText penalty =
        eventPhrase(QT_TRANSLATE_NOOP("GameEvents", "%1 penalty %2"), {team, number((e.penaltyClock - 1) % 2 + 1)});
    switch (e.kind) {
    case EventKind::Goal:
        return eventPhrase(QT_TRANSLATE_NOOP("GameEvents", "Goal %1 (%2-%3)"),
                           {team, number(e.homeScore), number(e.visitorScore)});
    case EventKind::ScoreCorrected:
        return eventPhrase(QT_TRANSLATE_NOOP("GameEvents", "%1 score %2 to %3"),
                           {team, number(e.before), number(e.after)});
    case EventKind::PeriodChanged:
        return eventPhrase(QT_TRANSLATE_NOOP("GameEvents", "Period %1 to %2"), {number(e.before), number(e.after)});
    case EventKind::PenaltySet:
        return eventPhrase(QT_TRANSLATE_NOOP("GameEvents", "%1 set to %2"), {penalty, timeText(e.time)});
    case EventKind::PenaltyCleared:
        return eventPhrase(QT_TRANSLATE_NOOP("GameEvents", "%1 cleared"), {penalty});
    case EventKind::PenaltyRanOut:
        return eventPhrase(QT_TRANSLATE_NOOP("GameEvents", "%1 ran out"), {penalty});
    case EventKind::ClockStarted:
        return eventPhrase(QT_TRANSLATE_NOOP("GameEvents", "Clock started"));
    case EventKind::ClockStopped:
        return eventPhrase(QT_TRANSLATE_NOOP("GameEvents", "Clock stopped"));
    case EventKind::ClockSet:
        return eventPhrase(QT_TRANSLATE_NOOP("GameEvents", "Clock set to %1"), {timeText(e.time)});
    case EventKind::ClockReset:
        return eventPhrase(QT_TRANSLATE_NOOP("GameEvents", "Clock reset to %1"), {timeText(e.time)});
    case EventKind::Horn:
        return eventPhrase(QT_TRANSLATE_NOOP("GameEvents", "Horn"));
    case EventKind::Buzzer:
        return eventPhrase(QT_TRANSLATE_NOOP("GameEvents", "Buzzer"));
    case EventKind::PenaltyQueued:
        return eventPhrase(QT_TRANSLATE_NOOP("GameEvents", "%1 penalty %2 waits"), {team, timeText(e.time)});
    case EventKind::QueuedPenaltyStarted:
        return eventPhrase(QT_TRANSLATE_NOOP("GameEvents", "%1: waiting penalty %2 starts"),
                           {penalty, timeText(e.time)});
    case EventKind::PenaltyReleased:
        return eventPhrase(QT_TRANSLATE_NOOP("GameEvents", "%1 released by the goal (%2 left)"),
                           {penalty, timeText(e.time)});
    case EventKind::ReleaseUndone:
        return eventPhrase(QT_TRANSLATE_NOOP("GameEvents", "%1 release undone, %2 again"), {penalty, timeText(e.time)});
    }
    return plainText({});
}

std::string eventText(const GameEvent& e, std::string_view homeName, std::string_view visitorName) {
    return renderText(eventUiText(e, homeName, visitorName));
}

std::size_t EventList::follow(const GameState& before, const GameState& after, std::int64_t wallMillis) {
    const std::vector<GameEvent> found = eventsBetween(before, after, wallMillis);
    for (const GameEvent& e : found)
        add(e);
    return found.size();
}

void EventList::add(const GameEvent& event) {
    if (m_events.size() >= kMaxEvents)
        dropOldest();
    m_events.push_back(event);
}

void EventList::dropOldest() {
    if (!m_events.empty())
        m_events.erase(m_events.begin());
}

std::string eventsCsv(const std::vector<GameEvent>& events, const std::string& homeName, const std::string& visitorName,
                      const std::function<std::string(std::int64_t)>& wallText) {
    std::string out = "Time,Period,Game clock,Event,Team,What," + csvField(homeName) + "," + csvField(visitorName);
    out += "\r\n";
    for (const GameEvent& e : events) {
        const std::string team =
            e.side == Side::None ? std::string() : std::string(sideName(e.side, homeName, visitorName));
        const std::array<std::string, 8> fields{wallText ? wallText(e.wallMillis) : std::to_string(e.wallMillis),
                                                std::to_string(e.period),
                                                clockText(e.gameClock),
                                                std::string(eventKindName(e.kind)),
                                                team,
                                                eventText(e, homeName, visitorName),
                                                std::to_string(e.homeScore),
                                                std::to_string(e.visitorScore)};
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (i > 0)
                out += ',';
            out += csvField(fields[i]);
        }
        out += "\r\n";
    }
    return out;
}

std::string eventsJson(const std::vector<GameEvent>& events) {
    std::string out = "[";
    for (std::size_t i = 0; i < events.size(); ++i) {
        const GameEvent& e = events[i];
        out += i == 0 ? "\n[\"" : ",\n[\"";
        out += eventKindName(e.kind);
        out += '"';
        for (const std::int64_t v :
             {e.wallMillis, std::int64_t{e.period}, e.gameClock, std::int64_t{static_cast<int>(e.side)},
              std::int64_t{e.penaltyClock}, std::int64_t{e.before}, std::int64_t{e.after}, e.time,
              std::int64_t{e.homeScore}, std::int64_t{e.visitorScore}}) {
            out += ',';
            out += std::to_string(v);
        }
        out += ']';
    }
    out += events.empty() ? "]" : "\n]";
    return out;
}

EventsReading readEvents(const json::Value& value) {
    EventsReading reading;
    const auto refuse = [&reading](std::size_t index, const std::string& why) {
        reading.events.clear();
        reading.heldValues = 0;
        reading.problem = "event " + std::to_string(index + 1) + " " + why;
        return reading;
    };
    const json::Array* list = value.array();
    if (list == nullptr) {
        reading.problem = "the events are not a list";
        return reading;
    }
    // A longer list than the board keeps is cut to its newest events.
    const std::size_t first = list->size() > kMaxEvents ? list->size() - kMaxEvents : 0;
    for (std::size_t i = first; i < list->size(); ++i) {
        const json::Array* entry = (*list)[i].array();
        if (entry == nullptr || entry->size() != 11)
            return refuse(i, "is not an event");
        const std::string* name = (*entry)[0].string();
        const std::optional<EventKind> kind = name != nullptr ? eventKindNamed(*name) : std::nullopt;
        if (!kind)
            return refuse(i, "is of no known kind");
        std::array<std::int64_t, 10> v{};
        for (std::size_t k = 0; k < v.size(); ++k) {
            const json::Value& field = (*entry)[k + 1];
            if (field.integer() == nullptr)
                return refuse(i, "has a part that is not a whole number");
            v[k] = *field.integer();
            if (field.outOfRange)
                ++reading.heldValues;
        }
        const auto held = [&reading](std::int64_t x, std::int64_t low, std::int64_t high) {
            const std::int64_t c = std::clamp(x, low, high);
            if (c != x)
                ++reading.heldValues;
            return c;
        };
        GameEvent e;
        e.kind = *kind;
        e.wallMillis = held(v[0], 0, kLatestMoment);
        e.period = static_cast<int>(held(v[1], 0, 9));
        e.gameClock = held(v[2], 0, kLongestTime);
        e.side = static_cast<Side>(held(v[3], 0, 2));
        e.penaltyClock = static_cast<int>(held(v[4], 0, kPenaltyCount));
        e.before = static_cast<int>(held(v[5], 0, 99));
        e.after = static_cast<int>(held(v[6], 0, 99));
        e.time = held(v[7], 0, kLongestTime);
        e.homeScore = static_cast<int>(held(v[8], 0, 99));
        e.visitorScore = static_cast<int>(held(v[9], 0, 99));
        // A penalty event names its clock, and the clock names the team.
        const bool penalty = e.kind == EventKind::PenaltySet || e.kind == EventKind::PenaltyCleared ||
                             e.kind == EventKind::PenaltyRanOut || e.kind == EventKind::QueuedPenaltyStarted ||
                             e.kind == EventKind::PenaltyReleased || e.kind == EventKind::ReleaseUndone;
        if (penalty && e.penaltyClock == 0)
            return refuse(i, "names no penalty clock");
        reading.events.push_back(e);
    }
    return reading;
}

} // namespace game
