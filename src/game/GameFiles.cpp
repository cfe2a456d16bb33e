#include "GameFiles.h"
#include "settings/SettingsSetup.h"
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

GameFiles gameFilesBeside(const QString& settingsFile) {
    const QString base = QFileInfo(settingsFile).absoluteFilePath();
    GameFiles files;
    files.journal = base + u".game.json"_s;
    files.previous = files.journal + u".previous"_s;
    // QSettings keeps "<file>.lock" for its own writes: the program's lock has a name of its own.
    files.lock = base + u".instance.lock"_s;
    return files;
}

std::optional<GameFiles> gameFilesFor(const QStringList& arguments) {
    const std::optional<QString> file = settingsFileFromArguments(arguments);
    if (file) {
        if (file->isEmpty()) {
            return std::nullopt;
        }
        return gameFilesBeside(*file);
    }
    // The user's store is <config>/Rinkmaster/Rinkmaster.conf outside Windows (the registry on Windows): the
    // game goes beside it, in the same folder on every platform.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (folder.isEmpty()) {
        return std::nullopt;
    }
    return gameFilesBeside(QDir(folder).filePath(u"Rinkmaster/Rinkmaster"_s));
}
