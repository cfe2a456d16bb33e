// Pictures of the options dialog's three tabs and of the key window, for looking at the layout:
//   options_shot OUTPUT_FOLDER
// writes options_keyboard.png, options_colors.png, options_text.png, choosekey.png and choosekey_refused.png.
// Runs on any platform, offscreen included.
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTabWidget>

#include "core/settings/Settings.h"
#include "core/settings/SettingsStore.h"
#include "settings/KeyCaptureDialog.h"
#include "settings/OptionsDialog.h"
#include "settings/OptionsDialogs.h"

namespace {

bool save(QWidget& window, const QDir& folder, const QString& name) {
    QApplication::processEvents();
    const QString path = folder.filePath(name);
    if (!window.grab().save(path)) {
        qWarning("could not write %s", qPrintable(path));
        return false;
    }
    qInfo("%s", qPrintable(path));
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    const QDir folder(args.size() > 1 ? args.at(1) : QDir::currentPath());
    if (!folder.exists() && !QDir().mkpath(folder.path()))
        return 1;

    SettingsVariables settings = defaultSettings(QDir::currentPath().toStdString(), '/');
    settings.LEDSelectedWidth = 3;
    settings.HomeText = "Ice Hawks";
    InMemorySettingsStore store;
    OptionsDialog options(settings, store, {}, standardOptionsDialogs());
    options.show();
    bool ok = true;
    const char* names[] = {"options_keyboard.png", "options_colors.png", "options_text.png"};
    for (int tab = 0; tab < 3; ++tab) {
        options.tabs->setCurrentIndex(tab);
        ok = save(options, folder, QString::fromLatin1(names[tab])) && ok;
    }

    KeyCaptureExchange exchange{"start / stop an independent penalty clock", 73, "0"};
    const WorkingKeys keys{83, 82, 46, 67, 73, 66, 71};
    KeyCaptureDialog chooser(exchange, keys, [] {});
    chooser.show();
    ok = save(chooser, folder, QStringLiteral("choosekey.png")) && ok;
    chooser.keyPressed(83);
    ok = save(chooser, folder, QStringLiteral("choosekey_refused.png")) && ok;
    return ok ? 0 : 1;
}
