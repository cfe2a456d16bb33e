#include "app/ProgramFiles.h"

#include "core/app/DataFolders.h"
#include "help/HelpWindow.h"
#include "settings/SettingsSetup.h"

#include <QDir>
#include <QFileInfo>

#ifndef RINKMASTER_DATA_FROM_PROGRAM
#define RINKMASTER_DATA_FROM_PROGRAM "../share/rinkmaster"
#endif

namespace {

std::string folderHolding(const std::vector<std::string>& files) {
    const char separator = nativePathSeparator();
    return chooseDataFolder(dataFolderCandidates(programFolder(), RINKMASTER_DATA_FROM_PROGRAM, separator), files,
                            separator,
                            [](const std::string& path) { return QFileInfo(QString::fromStdString(path)).isFile(); });
}

} // namespace

std::string soundFolder() {
    return folderHolding({"horn.wav", "buzzer.wav"});
}

QString helpFolder() {
    return QDir::fromNativeSeparators(
        QString::fromStdString(folderHolding({HelpWindow::helpFileName().toStdString()})));
}
