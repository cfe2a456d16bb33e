#include "FakeOptionsDialogs.h"

#include "settings/KeyCaptureDialog.h"

std::optional<QColor> FakeOptionsDialogs::pickColor(QWidget* parent, const QColor& current) {
    parents.append(parent);
    colorPresets.append(current);
    return colors.isEmpty() ? std::nullopt : colors.takeFirst();
}

std::optional<QString> FakeOptionsDialogs::pickSoundFile(QWidget* parent, const QString& current) {
    parents.append(parent);
    filePresets.append(current);
    return files.isEmpty() ? std::nullopt : files.takeFirst();
}

bool FakeOptionsDialogs::askYesNo(QWidget* parent, const QString& title, const QString& text) {
    parents.append(parent);
    questions.append({title, text});
    return !answers.isEmpty() && answers.takeFirst();
}

void FakeOptionsDialogs::captureKey(QWidget* parent, KeyCaptureExchange& exchange, const WorkingKeys& workingKeys) {
    parents.append(parent);
    keyRequests.append(exchange);
    keyRequestKeys.append(workingKeys);
    if (keyWindow) {
        KeyCaptureDialog window(
            exchange, workingKeys, [this] { ++beeps; }, parent);
        window.show();
        keyWindow(window);
        if (window.isVisible())
            window.close();
        return;
    }
    exchange.chosenKey = chosenKeys.isEmpty() ? std::string("0") : chosenKeys.takeFirst().toStdString();
}
