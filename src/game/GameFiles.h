#pragma once
#include <QString>
#include <QStringList>
#include <optional>

// Where a run keeps its game: beside the settings store it belongs to, so that two stores never share a game.
struct GameFiles {
    QString journal;  // the game as last saved
    QString previous; // the journal a "New game" set aside
    QString lock;     // held while a program runs on the store
};

// The files for the store the command line names: next to the --settings FILE, or in the user's configuration
// folder. Nothing for a store kept in memory only ("--settings" with no file): such a run keeps no game.
std::optional<GameFiles> gameFilesFor(const QStringList& arguments);

// The files beside one settings file (absolute or relative to the working folder).
GameFiles gameFilesBeside(const QString& settingsFile);
