#pragma once
#include "core/feed/BoardState.h"

class frmScoreBoard;
class modCount;
struct SettingsVariables;

// What the board shows now, read from its game model (digits, colon, lights, view, selection), the team names
// from the settings, and the engine's current readings. Reads only: the engine is peeked, never read through
// ClockValue, so a look at the board can never change what the board later charges a stopped clock. Lights are
// the model's, so they are right whatever colours the board draws them in.
BoardState readBoardState(const frmScoreBoard& board, modCount& engine, const SettingsVariables& settings);
