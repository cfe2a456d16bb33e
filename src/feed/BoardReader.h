#pragma once
#include "core/feed/BoardState.h"

class BoardWindow;
class ClockEngine;
struct SettingsVariables;
namespace game {
struct GameState;
}

// What the board shows now, read from its game model (digits, colon, lights, view, selection), the team names
// from the settings, and the engine's current readings. Reads only: the engine is peeked, never read through
// ClockValue, so a look at the board can never change what the board later charges a stopped clock. Lights are
// the model's, so they are right whatever colours the board draws them in.
BoardState readBoardState(const BoardWindow& board, ClockEngine& engine, const SettingsVariables& settings);

// What a board showing the game g would show. With an engine the clocks are read from it; without one (before
// the board has opened) from the game's own clock table.
BoardState readGameState(const game::GameState& g, bool soundPlaying, const SettingsVariables& settings,
                         ClockEngine* engine);
