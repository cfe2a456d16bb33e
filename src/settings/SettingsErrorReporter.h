#pragma once
#include <QString>
#include <functional>

class QWidget;
class SettingsStore;

// Shows the user a failed settings write. The dialog is reached through a replaceable function so
// tests can answer it without a blocking message box.
using StoreFailureDialog = std::function<void(QWidget* parent, const QString& title, const QString& text)>;

// Replaces the message box (an empty function restores it).
void setStoreFailureDialog(StoreFailureDialog dialog);

// Warns that the settings could not be saved and stay in effect for this session; detail says
// where and why.
void reportStoreFailure(QWidget* parent, const QString& detail);

// Flushes the store and reports a failure to the user. True when everything was written.
bool flushSettingsOrReport(SettingsStore& store, QWidget* parent);
