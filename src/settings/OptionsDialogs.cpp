#include "settings/OptionsDialogs.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "settings/KeyCaptureDialog.h"

std::optional<QColor> StandardOptionsDialogs::pickColor(QWidget* parent, const QColor& current) {
    const QColor chosen = QColorDialog::getColor(current, parent);
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

std::optional<QString> StandardOptionsDialogs::pickSoundFile(QWidget* parent, const QString& current) {
    // The pattern in brackets is what the chooser filters by; the details are hidden so the list shows the
    // filter as the board has always named it.
    const QString filter = QCoreApplication::translate("OptionsDialogs", "Sounds *.wav (*.wav)");
    QString start = current;
    if (!QFileInfo(current).exists())
        start = QFileInfo(current).absolutePath();
    const QString chosen =
        QFileDialog::getOpenFileName(parent, QString(), start, filter, nullptr, QFileDialog::HideNameFilterDetails);
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen;
}

bool StandardOptionsDialogs::askYesNo(QWidget* parent, const QString& title, const QString& text) {
    return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) ==
           QMessageBox::Yes;
}

void StandardOptionsDialogs::captureKey(QWidget* parent, KeyCaptureExchange& exchange, const WorkingKeys& workingKeys) {
    KeyCaptureDialog window(exchange, workingKeys, {}, parent);
    window.exec();
}

OptionsDialogs& standardOptionsDialogs() {
    static StandardOptionsDialogs dialogs;
    return dialogs;
}
