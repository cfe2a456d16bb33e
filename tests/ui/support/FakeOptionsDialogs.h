#pragma once
#include <QList>
#include <QPair>
#include <functional>

#include "settings/OptionsDialogs.h"

class KeyCaptureDialog;

// The options dialog's pickers, questions and key window, answered by the test. Each answer list is taken
// from the front, one entry per opening; when a list is empty the user cancels (no colour, no file, No, no key).
// Everything the dialog asked is recorded.
class FakeOptionsDialogs : public OptionsDialogs {
public:
    std::optional<QColor> pickColor(QWidget* parent, const QColor& current) override;
    std::optional<QString> pickSoundFile(QWidget* parent, const QString& current) override;
    bool askYesNo(QWidget* parent, const QString& title, const QString& text) override;
    void captureKey(QWidget* parent, KeyCaptureExchange& exchange, const WorkingKeys& workingKeys) override;

    // Answers.
    QList<std::optional<QColor>> colors;
    QList<std::optional<QString>> files;
    QList<bool> answers;
    // The key window's answer as chosenKey text ("0" for none), used when keyWindow is empty.
    QList<QString> chosenKeys;
    // When set, every key window is the real one, shown without blocking; the function plays the user's part
    // (pressing keys, closing it). Refusals beep into beeps.
    std::function<void(KeyCaptureDialog&)> keyWindow;
    int beeps = 0;

    // What was asked.
    QList<QColor> colorPresets;
    QList<QString> filePresets;
    QList<QPair<QString, QString>> questions;
    QList<KeyCaptureExchange> keyRequests; // the exchange as handed to the key window
    QList<WorkingKeys> keyRequestKeys;
    QList<QWidget*> parents;
};
