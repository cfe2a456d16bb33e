#pragma once
#include <QColor>
#include <QString>
#include <optional>

#include "core/settings/KeyCapture.h"

class QWidget;

// Everything the options dialog opens in front of itself: the colour picker, the sound-file chooser, the
// two reset questions and the key window. The program uses the standard ones; tests answer them directly.
class OptionsDialogs {
public:
    virtual ~OptionsDialogs() = default;

    // A colour, starting from current; nothing when the user cancels.
    virtual std::optional<QColor> pickColor(QWidget* parent, const QColor& current) = 0;
    // A WAV file to open, starting at current; nothing when the user cancels.
    virtual std::optional<QString> pickSoundFile(QWidget* parent, const QString& current) = 0;
    // A question with the buttons Yes and No: true for Yes.
    virtual bool askYesNo(QWidget* parent, const QString& title, const QString& text) = 0;
    // The key window for the action in exchange (keyPrompt, assignedKey), modal; it answers in chosenKey.
    virtual void captureKey(QWidget* parent, KeyCaptureExchange& exchange, const WorkingKeys& workingKeys) = 0;
};

// QColorDialog, QFileDialog (filter "Sounds *.wav"), QMessageBox and KeyCaptureDialog.
class StandardOptionsDialogs : public OptionsDialogs {
public:
    std::optional<QColor> pickColor(QWidget* parent, const QColor& current) override;
    std::optional<QString> pickSoundFile(QWidget* parent, const QString& current) override;
    bool askYesNo(QWidget* parent, const QString& title, const QString& text) override;
    void captureKey(QWidget* parent, KeyCaptureExchange& exchange, const WorkingKeys& workingKeys) override;
};

// The program's one set of standard dialogs.
OptionsDialogs& standardOptionsDialogs();
