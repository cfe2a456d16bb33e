#pragma once
#include "core/feed/FeedFolder.h"
#include "core/game/GameEvents.h"
#include "core/game/GameModel.h"
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The journal: the game written as a small JSON document, so that a run ended by a crash, a power cut or a
// stray close can be resumed. Reading it never trusts it: a document that cannot be read, comes from a newer
// program or misses a part is refused as a whole with a one-line reason; values out of the board's range are
// held to the nearest value the board can show. A penalty rules' record that cannot be taken up is left out with
// its own one-line reason and the game kept.
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
    // One line when the penalty rules' record could not be taken up: the game is kept with an empty record.
    std::string dropped;
};

JournalReading readJournal(std::string_view text);

// True when the two states differ only by the progress of clocks that run in both: the time they have used and
// the faces that show it (the game clock's digits and colon, the penalty clocks' digits). Such a change needs
// writing, but no sync to disk: a crash of the program does not lose what the system already holds, and a power
// cut loses no more than the seconds since the game last changed.
bool onlyClockProgress(const GameState& before, const GameState& after);

// True when any clock runs.
bool anyClockRuns(const GameState& state);

// What lies at the journal's name, looked at without following a link.
enum class FileKind { Missing, Regular, Link, Other };

// Why the journal may not be written or read there, if at all. Nothing is ever written through a link or onto
// anything but a plain file (a link planted by somebody else would make the board overwrite the file it points
// to; a pipe or a device would hang or swallow the game), and nothing into a folder other users can change
// (the feed folder's rule: writable by others unless it is sticky and the user's own, or another user's).
enum class JournalPlace { Usable, IsLink, NotAFile, FolderOpenToOthers };
JournalPlace journalPlace(FileKind atName, const FolderAccess& folder);
// Reading takes only a plain file; the folder is not asked.
JournalPlace journalPlaceToRead(FileKind atName);

} // namespace game
