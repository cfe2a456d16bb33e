#include "settings/SettingsErrorReporter.h"

#include <QCoreApplication>
#include <QMessageBox>

#include "core/settings/SettingsStore.h"

using namespace Qt::StringLiterals;

namespace {

StoreFailureDialog& dialogOverride() {
    static StoreFailureDialog dialog;
    return dialog;
}

} // namespace

void setStoreFailureDialog(StoreFailureDialog dialog) {
    dialogOverride() = std::move(dialog);
}

void reportStoreFailure(QWidget* parent, const QString& detail) {
    const QString title = u"Rinkmaster"_s;
    QString text = QCoreApplication::translate(
        "SettingsErrorReporter", "The settings could not be saved. They stay in effect for this session.");
    if (!detail.isEmpty())
        text += u"\n\n"_s + detail;
    if (dialogOverride()) {
        dialogOverride()(parent, title, text);
        return;
    }
    QMessageBox::warning(parent, title, text);
}

bool flushSettingsOrReport(SettingsStore& store, QWidget* parent) {
    std::string error;
    if (store.flush(&error))
        return true;
    reportStoreFailure(parent, QString::fromStdString(error));
    return false;
}
