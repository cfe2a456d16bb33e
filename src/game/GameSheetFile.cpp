#include "GameSheetFile.h"
#include "core/rules/GameSheet.h"
#include <QCoreApplication>
#include <QFileInfo>
#include <QSaveFile>

namespace {

QString writeWhole(const QString& path, const std::string& text) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return QCoreApplication::translate("GameSheetFile", "The game sheet cannot be saved as %1: %2.")
            .arg(path, file.errorString());
    }
    if (file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()) ||
        !file.commit()) {
        return QCoreApplication::translate("GameSheetFile", "The game sheet cannot be saved as %1: %2.")
            .arg(path, file.errorString());
    }
    return {};
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
    GameSheetInput input;
    input.homeName = homeName.toStdString();
    input.visitorName = visitorName.toStdString();
    input.events = state.rules.sheet;
    const GameSheet sheet = buildGameSheet(input);
    QString problem = writeWhole(files.csv, gameSheetCsv(sheet));
    if (problem.isEmpty()) {
        problem = writeWhole(files.html, gameSheetHtml(sheet));
    }
    return problem;
}
