#pragma once
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

// Where a run keeps its game: beside the settings store it belongs to, so that two stores never share a game.
// One store reached by two names (a link to the file or to a folder on its way) has one set of files: they
// are named from the store's real path.
struct GameFiles {
    QString journal;  // the game as last saved
    QString previous; // the single set-aside game older programs kept; read where it exists, never removed
    QString lock;     // held while a program runs on the store

    // The name a game set aside at a moment gets: the journal's name with the local time added
    // (FILE.game.json.previous-20261207-161500, then -2, -3 ... within one second). Never the name of a file
    // already there.
    QString setAsideName(const QDateTime& at) const;
};

// The files for the store the command line names: next to the --settings FILE, or in the user's configuration
// folder. Nothing for a store kept in memory only ("--settings" with no file): such a run keeps no game.
std::optional<GameFiles> gameFilesFor(const QStringList& arguments);

// The files beside one settings file (absolute or relative to the working folder).
GameFiles gameFilesBeside(const QString& settingsFile);

// A saved game's text, read only from a plain file reached without a link (never a pipe: opening one would
// wait for a writer forever), at most `limit` bytes. Nothing, with a one-line reason, otherwise; `missing`
// tells that nothing is there at all.
struct GameFileText {
    std::optional<QByteArray> text;
    QString problem;
    bool missing = false;
};
GameFileText readGameFile(const QString& path, qint64 limit);
