#pragma once
#include "core/game/GameEvents.h"
#include "core/game/GameModel.h"
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The journal: the game written as a small JSON document, so that a run ended by a crash, a power cut or a
// stray close can be resumed. Reading it never trusts it: a document that cannot be read, comes from a newer
// program or misses a part is refused as a whole with a one-line reason; values out of the board's range are
// held to the nearest value the board can show.
namespace game {

inline constexpr int kJournalVersion = 1;
inline constexpr std::string_view kJournalFormat = "rinkmaster-game";

struct SavedGame {
    GameState state;
    std::int64_t savedAtMillis = 0; // milliseconds since 1970-01-01 UTC
};

// The document for a state saved at a moment; with events, the game's event list goes with it.
std::string writeJournal(const GameState& state, std::int64_t savedAtMillis,
                         const std::vector<GameEvent>* events = nullptr);

struct JournalReading {
    std::optional<SavedGame> game;
    std::string problem; // one line, when game is empty
    int heldValues = 0;  // values brought into the board's range
    // The event list saved with the game (none in a journal written without one). A list that cannot be read
    // is left out, the game kept, and counted among the held values.
    std::vector<GameEvent> events;
};

JournalReading readJournal(std::string_view text);

} // namespace game
