#include "settings/SettingsSetup.h"

#include <QCoreApplication>
#include <QDir>

#include "settings/QSettingsStore.h"

using namespace Qt::StringLiterals;

std::optional<QString> settingsFileFromArguments(const QStringList& arguments) {
    const QString option = u"--settings"_s;
    const QString prefix = u"--settings="_s;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == option)
            return i + 1 < arguments.size() ? arguments.at(i + 1) : QString();
        if (argument.startsWith(prefix))
            return argument.mid(prefix.size());
    }
    return std::nullopt;
}

std::unique_ptr<SettingsStore> openSettingsStore(const QStringList& arguments) {
    const std::optional<QString> file = settingsFileFromArguments(arguments);
    if (!file)
        return std::make_unique<QSettingsStore>();
    if (file->isEmpty())
        return std::make_unique<InMemorySettingsStore>();
    return std::make_unique<QSettingsStore>(*file);
}

std::string programFolder() {
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath()).toStdString();
}

char nativePathSeparator() {
    return QDir::separator().toLatin1();
}
