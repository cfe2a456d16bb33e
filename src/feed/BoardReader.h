#pragma once
#include "core/feed/BoardState.h"

class BoardWindow;
class Scorekeeper;
struct SettingsVariables;
namespace game {
struct GameState;
}

// What the board shows now, read from its game model (digits, colon, lights, view, selection), the team names
// from the settings, and the clocks' current readings from the board's scorekeeper. Reads only: the clocks are
// peeked, never read, so a look at the board can never change what the board later charges a stopped clock. Lights are
// the model's, so they are right whatever colours the board draws them in.
BoardState readBoardState(const BoardWindow& board, const SettingsVariables& settings);

// What a board showing the game g would show. With a scorekeeper the clocks are peeked through it; without one
// (before the board has opened) they are read from the game's own clock table.
BoardState readGameState(const game::GameState& g, bool soundPlaying, const SettingsVariables& settings,
                         const Scorekeeper* keeper);
