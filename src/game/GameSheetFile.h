#pragma once
#include "core/game/GameModel.h"
#include <QString>
#include <functional>

// The game sheet of the game the board shows, written as a CSV file and a printable page side by side.
// Each file is replaced whole or not at all, and never through a link.
struct GameSheetFiles {
    QString csv;
    QString html;
};

// The two files for a chosen name: its .csv and .html siblings, whatever ending the name has.
GameSheetFiles gameSheetFilesFor(const QString& chosen);

// Writes both files; answers what went wrong, in one line for the user, or nothing. A file that is a link
// (looked at without following it) is refused before either file is written.
QString saveGameSheet(const game::GameState& state, const QString& homeName, const QString& visitorName,
                      const GameSheetFiles& files);

// Asks the user a yes/no question (the text in one paragraph); true for Yes.
using AskToReplace = std::function<bool(const QString& text)>;

struct GameSheetSaving {
    GameSheetFiles files;
    bool saved = false;
    QString problem; // why nothing was saved; empty when saved or when the user kept the existing file
};

// Saves the sheet under the name chosen in the save dialog. That dialog has already asked about the chosen
// file; a sibling it did not name that exists already is replaced only when ask answers yes.
GameSheetSaving saveGameSheetAs(const game::GameState& state, const QString& homeName, const QString& visitorName,
                                const QString& chosen, const AskToReplace& ask);
