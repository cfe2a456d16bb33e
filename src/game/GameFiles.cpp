#include "GameFiles.h"
#include "core/game/GameJournal.h"
#include "settings/SettingsSetup.h"
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#ifndef Q_OS_WIN
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

namespace {

// The settings file's real path: links on the way (to the file or to a folder) resolved, as far as the file
// and its folder exist.
QString realPathOf(const QString& settingsFile) {
    const QFileInfo info(settingsFile);
    QString whole = info.canonicalFilePath();
    if (!whole.isEmpty()) {
        return whole;
    }
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    if (!folder.isEmpty()) {
        return QDir(folder).filePath(info.fileName());
    }
    return info.absoluteFilePath();
}

} // namespace

QString GameFiles::setAsideName(const QDateTime& at) const {
    const QString base = journal + u".previous-"_s + at.toString(u"yyyyMMdd-HHmmss"_s);
    QString name = base;
    for (int n = 2; QFileInfo::exists(name) || QFileInfo(name).isSymLink(); ++n) {
        name = base + u'-' + QString::number(n);
    }
    return name;
}

GameFiles gameFilesBeside(const QString& settingsFile) {
    const QString base = realPathOf(settingsFile);
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

GameFileText readGameFile(const QString& path, qint64 limit) {
    GameFileText result;
    const QString shown = QDir::toNativeSeparators(path);
    const auto refuse = [&result, &shown](game::JournalPlace place) {
        result.problem =
            place == game::JournalPlace::IsLink
                ? QCoreApplication::translate("GameFiles", "The saved game %1 is a link and is not read.").arg(shown)
                : QCoreApplication::translate("GameFiles", "The saved game %1 is not a plain file and is not read.")
                      .arg(shown);
        return result;
    };
#ifdef Q_OS_WIN
    const QFileInfo info(path);
    if (info.isSymLink()) {
        return refuse(game::JournalPlace::IsLink);
    }
    if (!info.exists()) {
        result.missing = true;
        return result;
    }
    if (!info.isFile()) {
        return refuse(game::JournalPlace::NotAFile);
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.problem =
            QCoreApplication::translate("Program", "The saved game cannot be used: %1.").arg(file.errorString());
        return result;
    }
    result.text = file.read(limit);
    return result;
#else
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (::lstat(name.constData(), &info) != 0) {
        if (errno == ENOENT) {
            result.missing = true;
            return result;
        }
        result.problem =
            QCoreApplication::translate("Program", "The saved game cannot be used: %1.").arg(qt_error_string(errno));
        return result;
    }
    const game::FileKind kind = S_ISLNK(info.st_mode)   ? game::FileKind::Link
                                : S_ISREG(info.st_mode) ? game::FileKind::Regular
                                                        : game::FileKind::Other;
    if (const game::JournalPlace place = game::journalPlaceToRead(kind); place != game::JournalPlace::Usable) {
        return refuse(place);
    }
    // Opened without following a link and without waiting, then checked again: what was looked at may have
    // been swapped meanwhile.
    const int fd = ::open(name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ELOOP) {
            return refuse(game::JournalPlace::IsLink);
        }
        result.problem =
            QCoreApplication::translate("Program", "The saved game cannot be used: %1.").arg(qt_error_string(errno));
        return result;
    }
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        ::close(fd);
        return refuse(game::JournalPlace::NotAFile);
    }
    // Checked as a plain file through this handle: Qt reads it from here (and closes it).
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        result.problem =
            QCoreApplication::translate("Program", "The saved game cannot be used: %1.").arg(file.errorString());
        return result;
    }
    QByteArray text = file.read(static_cast<qint64>(limit));
    if (file.error() != QFileDevice::NoError) {
        result.problem =
            QCoreApplication::translate("Program", "The saved game cannot be used: %1.").arg(file.errorString());
        return result;
    }
    result.text = std::move(text);
    return result;
#endif
}
