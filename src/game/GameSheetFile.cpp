#include "GameSheetFile.h"
#include "core/rules/GameSheet.h"
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace {

QString cannotSave(const QString& path, const QString& reason) {
    return QCoreApplication::translate("GameSheetFile", "The game sheet cannot be saved as %1: %2.")
        .arg(QDir::toNativeSeparators(path), reason);
}

// Looked at without following a link: a link would make the save replace whatever it points to.
QString refusedPath(const QString& path) {
    const QFileInfo info(path);
    if (info.isSymLink()) {
        return cannotSave(path, QCoreApplication::translate("GameSheetFile",
                                                            "it is a link, and the game sheet is never written "
                                                            "through a link"));
    }
    if (info.exists() && !info.isFile()) {
        return cannotSave(
            path, QCoreApplication::translate("GameSheetFile", "something other than a plain file has that name"));
    }
    return {};
}

QString writeWhole(const QString& path, const std::string& text) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return cannotSave(path, file.errorString());
    }
    if (file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()) ||
        !file.commit()) {
        return cannotSave(path, file.errorString());
    }
    return {};
}

bool samePath(const QString& a, const QString& b) {
    return QDir::cleanPath(QFileInfo(a).absoluteFilePath()) == QDir::cleanPath(QFileInfo(b).absoluteFilePath());
}

} // namespace

GameSheetFiles gameSheetFilesFor(const QString& chosen) {
    const QFileInfo info(chosen);
    QString base = chosen;
    const QString suffix = info.suffix().toLower();
    if (suffix == QLatin1String("html") || suffix == QLatin1String("htm") || suffix == QLatin1String("csv")) {
        base.chop(info.suffix().size() + 1);
    }
    return {base + QStringLiteral(".csv"), base + QStringLiteral(".html")};
}

QString saveGameSheet(const game::GameState& state, const QString& homeName, const QString& visitorName,
                      const GameSheetFiles& files) {
    for (const QString& path : {files.csv, files.html}) {
        QString refused = refusedPath(path);
        if (!refused.isEmpty()) {
            return refused;
        }
    }
    GameSheetInput input;
    input.homeName = homeName.toStdString();
    input.visitorName = visitorName.toStdString();
    input.events = state.rules.sheet;
    input.earlierEntriesLost = state.rules.dropped;
    input.boardScore = std::array<int, 2>{game::numberShown(state.homeDigits.data(), state.homeDigits.size()),
                                          game::numberShown(state.visitorDigits.data(), state.visitorDigits.size())};
    const GameSheet sheet = buildGameSheet(input);
    QString problem = writeWhole(files.csv, gameSheetCsv(sheet));
    if (problem.isEmpty()) {
        problem = writeWhole(files.html, gameSheetHtml(sheet));
    }
    return problem;
}

GameSheetSaving saveGameSheetAs(const game::GameState& state, const QString& homeName, const QString& visitorName,
                                const QString& chosen, const AskToReplace& ask) {
    GameSheetSaving saving;
    saving.files = gameSheetFilesFor(chosen);
    QStringList existing;
    for (const QString& path : {saving.files.csv, saving.files.html}) {
        const QString refused = refusedPath(path);
        if (!refused.isEmpty()) {
            saving.problem = refused;
            return saving;
        }
        if (!samePath(path, chosen) && QFileInfo::exists(path)) {
            existing.append(QDir::toNativeSeparators(path));
        }
    }
    if (!existing.isEmpty()) {
        const QString question =
            existing.size() == 1
                ? QCoreApplication::translate("GameSheetFile", "%1 already exists. Replace it?").arg(existing[0])
                : QCoreApplication::translate("GameSheetFile", "%1 and %2 already exist. Replace them?")
                      .arg(existing[0], existing[1]);
        if (!ask || !ask(question)) {
            return saving;
        }
    }
    saving.problem = saveGameSheet(state, homeName, visitorName, saving.files);
    saving.saved = saving.problem.isEmpty();
    return saving;
}
