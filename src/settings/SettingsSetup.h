#pragma once
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <string>

class SettingsStore;

// The file named by "--settings FILE" or "--settings=FILE" on the command line; nothing when the
// option is absent, an empty text when it names no file.
std::optional<QString> settingsFileFromArguments(const QStringList& arguments);

// The store the program runs on: the user's own store, or the INI file given with --settings.
// "--settings" without a file keeps the settings in memory only, so that a mistyped test command
// never writes into the user's store.
std::unique_ptr<SettingsStore> openSettingsStore(const QStringList& arguments);

// The folder of the executable in the platform's own form, without a trailing separator except
// at a root ("/", "C:\").
std::string programFolder();

// The platform's path separator: '\' on Windows, '/' elsewhere.
char nativePathSeparator();
