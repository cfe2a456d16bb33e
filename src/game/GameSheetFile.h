#pragma once
#include "core/game/GameModel.h"
#include <QString>

// The game sheet of the game the board shows, written as a CSV file and a printable page side by side.
// Each file is replaced whole or not at all.
struct GameSheetFiles {
    QString csv;
    QString html;
};

// The two files for a chosen name: its .csv and .html siblings, whatever ending the name has.
GameSheetFiles gameSheetFilesFor(const QString& chosen);

// Writes both files; answers what went wrong, in one line for the user, or nothing.
QString saveGameSheet(const game::GameState& state, const QString& homeName, const QString& visitorName,
                      const GameSheetFiles& files);
