#pragma once
#include "core/Csv.h"
#include "core/TimeValue.h"
#include "core/UiText.h"
#include "core/game/GameModel.h"
#include "core/game/JsonReader.h"
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The game's event list: what happened, read off the board by comparing one state of the game with the next,
// plus the horn and the buzzer, which leave no trace in the state. Nothing here changes the game; the list is
// a record for the scorekeeper's console, the saved CSV and the journal.
namespace game {

enum class EventKind {
    Goal,           // a score rose by exactly one
    ScoreCorrected, // any other change of a score
    PeriodChanged,
    PenaltySet,     // a time typed into a penalty clock
    PenaltyCleared, // the clear key, or 0:00 typed
    PenaltyRanOut,  // the penalty clock reached 0:00 on its own
    ClockStarted,
    ClockStopped,
    ClockSet,   // a game time typed
    ClockReset, // the reset key: back to the last typed time
    Horn,
    Buzzer,
    // With the penalty rules on, read off the rules' own records:
    PenaltyQueued,        // a penalty added while both of its team's clocks were taken waits its turn
    QueuedPenaltyStarted, // a waiting penalty went on a clock with its full time
    PenaltyReleased,      // a power-play goal ended a minor (or a double minor's first two minutes)
    ReleaseUndone,        // a release taken back by typing the penalty's time on its clock again
};
inline constexpr int kEventKindCount = 16;

enum class Side { None, Home, Visitor };

struct GameEvent {
    EventKind kind = EventKind::ClockStarted;
    std::int64_t wallMillis = 0; // when, in milliseconds since 1970-01-01 UTC
    int period = 0;              // the period on the board after the event
    TimeValue gameClock = 0;     // the game clock's time left after the event
    Side side = Side::None;
    int penaltyClock = 0; // 1..4 for penalty events
    int before = 0;       // scores and periods: the number before ...
    int after = 0;        // ... and after
    TimeValue time = 0;   // penalties set and clocks set or reset: the time
    int homeScore = 0;    // the score after the event
    int visitorScore = 0;
    bool operator==(const GameEvent&) const = default;
};

// The events that lead from one state to the next, in a fixed order: clock, period, scores, penalties 1..4.
std::vector<GameEvent> eventsBetween(const GameState& before, const GameState& after, std::int64_t wallMillis);

// The horn or the buzzer sounding over a state.
GameEvent soundEvent(EventKind sound, const GameState& state, std::int64_t wallMillis);

// "Goal Home", "Home score 3 to 1", "Home penalty 2 set to 2:00" ...: one short line of what happened, with
// the teams named as the board names them; as a text for the windows to translate, and in English (the CSV
// keeps English, so files from any console read alike).
UiText eventUiText(const GameEvent& event, std::string_view homeName = "Home",
                   std::string_view visitorName = "Visitor");
std::string eventText(const GameEvent& event, std::string_view homeName = "Home",
                      std::string_view visitorName = "Visitor");
// "goal", "score corrected" ...: the kind alone, as the CSV and the journal name it.
std::string_view eventKindName(EventKind kind);
std::optional<EventKind> eventKindNamed(std::string_view name);
// A game-clock or penalty time as the board shows it when stopped: M:SS, tenths under a minute ("0:37.4").
std::string clockText(TimeValue time);

// The list kept for a game: bounded, so that the journal stays well inside its reader's 64 KiB (about 60 bytes
// an event); the oldest events go first.
inline constexpr std::size_t kMaxEvents = 600;
class EventList {
public:
    // Adds what changed between the two states; answers how many events were added.
    std::size_t follow(const GameState& before, const GameState& after, std::int64_t wallMillis);
    // Adds one event, letting the oldest go when the list is full.
    void add(const GameEvent& event);
    void dropOldest();
    void clear() { m_events.clear(); }
    const std::vector<GameEvent>& events() const { return m_events; }

private:
    std::vector<GameEvent> m_events;
};

// The list as CSV (RFC 4180: CRLF line ends, fields with a comma, quote or line break quoted, quotes doubled),
// under one header row. wallText writes a wall time as the user's clock shows it.
std::string eventsCsv(const std::vector<GameEvent>& events, const std::string& homeName, const std::string& visitorName,
                      const std::function<std::string(std::int64_t)>& wallText);
using ::csvField;

// The list as a JSON array, for the journal: each event one array of its kind's name and ten whole numbers
// (wall time, period, game clock, side 0/1/2, penalty clock, before, after, time, home score, visitor score),
// about fifty bytes an event.
std::string eventsJson(const std::vector<GameEvent>& events);

struct EventsReading {
    std::vector<GameEvent> events;
    std::string problem; // one line when the array could not be read; events then empty
    int heldValues = 0;  // values brought into range
};
// Reads what eventsJson wrote. An entry of an unknown kind is refused with the whole list.
EventsReading readEvents(const json::Value& array);

} // namespace game
