#pragma once
#include <QString>
#include <memory>
#include <utility>
#include <vector>

#include "core/settings/SettingsStore.h"

class QSettings;

// The settings store on QSettings. Every value is a string; sections are groups.
// The default store is the user's own: on Windows the registry under
// HKEY_CURRENT_USER\Software\Rinkmaster\Rinkmaster\<section>, on Linux ~/.config/Rinkmaster/Rinkmaster.conf.
// A store on a named INI file serves portable installs and tests, which never touch the user's store.
class QSettingsStore : public SettingsStore {
public:
    QSettingsStore();
    explicit QSettingsStore(const QString& iniFile);
    ~QSettingsStore() override;

    std::optional<std::string> read(const std::string& section, const std::string& key) override;
    void write(const std::string& section, const std::string& key, const std::string& value) override;
    bool flush(std::string* error) override;

    // Where the values live: the file, or the registry key, for messages.
    QString location() const;

private:
    std::unique_ptr<QSettings> makeSettings() const;

    QString m_iniFile; // empty for the user's native store
    std::unique_ptr<QSettings> m_settings;
    bool m_isFile = false;
    // Writes since the last successful flush, replayed into a fresh QSettings after a failure:
    // QSettings keeps its first error for good, so the same object could never report a later
    // success.
    std::vector<std::pair<QString, QString>> m_unflushed;
    bool m_failed = false;
};
