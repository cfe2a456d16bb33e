#pragma once
#include "core/TimeValue.h"
#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// What the board shows at one moment, as the feed publishes it. Digits are LED captions in the board's own
// index order, -1 for a dark digit; everything else is read from the board's lights and the clock engine.
struct PenaltyState {
    std::vector<int> digits; // index 0 rightmost (seconds)
    bool running = false;
    TimeValue remaining = 0;
    bool light = false;
    std::optional<int> player; // the number of the player serving it, when noted
    bool operator==(const PenaltyState&) const = default;
};

struct TeamState {
    std::string name;             // UTF-8
    std::vector<int> scoreDigits; // index 0 units
    bool goalLight = false;
    std::array<PenaltyState, 2> penalties{};
    bool operator==(const TeamState&) const = default;
};

struct GameClockState {
    std::vector<int> digits; // index 0 leftmost
    bool colon = false;      // the upper colon dot is lit
    bool running = false;
    TimeValue remaining = 0;
    bool timeOfDay = false;
    bool operator==(const GameClockState&) const = default;
};

// With the penalty rules on, a penalty of the official's record still to be served or being served.
struct RecordPenaltyState {
    int player = 0;   // 0: none
    int servedBy = 0; // 0: the player serves it
    std::string kind;
    std::string infraction;
    std::string state; // "waiting" or "running"
    TimeValue remaining = 0;
    std::optional<std::pair<int, TimeValue>> endsAt; // period, game clock's time left
    bool coincident = false;
    bool operator==(const RecordPenaltyState&) const = default;
};

struct RecordState {
    std::string strength;                                     // "5-on-4", home first
    std::array<std::vector<RecordPenaltyState>, 2> penalties; // home, visitor
    bool operator==(const RecordState&) const = default;
};

struct BoardState {
    GameClockState clock;
    std::vector<int> periodDigits;
    TeamState home;
    TeamState visitor;
    bool soundPlaying = false;
    std::optional<std::string> selectedField; // the field box with the focus, by name
    // With the penalty rules on: each team's waiting penalties (full times, oldest first), home then visitor,
    // written as the team's "queued" list. Without the rules the document has no such part.
    std::optional<std::array<std::vector<TimeValue>, 2>> queued;
    // The version of the board's layout document (colours, captions, LED style), written as "layout" once a
    // browser board can be served (1 and up): a page that sees it change fetches the layout again.
    int layoutVersion = 0;
    // With the penalty rules on: the strength and the record's penalties, written as "strength" and
    // "penalties" ({"home": [...], "visitor": [...]}). Without the rules the document has no such parts.
    std::optional<RecordState> record;
    // The game clock counts an intermission: written as "clockMode" ("intermission", else "play").
    bool intermission = false;
    bool operator==(const BoardState&) const = default;
};
