#pragma once
#include "core/feed/BoardState.h"

class frmScoreBoard;
class modCount;
struct SettingsVariables;

// What the board shows now, read from its controls and public state, with the engine's current readings.
// Reads only: the engine is peeked, never read through ClockValue, so a look at the board can never change
// what the board later charges a stopped clock. The colon dot and the penalty lights count as lit when their
// colour differs from the colour they take when off, which is what a viewer of the board sees; the goal
// lights follow WhoGoal.
BoardState readBoardState(const frmScoreBoard& board, modCount& engine, const SettingsVariables& settings);
