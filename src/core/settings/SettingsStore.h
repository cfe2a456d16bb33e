#pragma once
#include <map>
#include <optional>
#include <string>
#include <utility>

// Where the settings live between runs: text values grouped by section and key, all under the
// application "Rinkmaster". The program's store is the per-user QSettings store; tests use the
// in-memory one below or a temporary file.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The stored text, or nothing when the value (or its section) is absent.
    virtual std::optional<std::string> read(const std::string& section, const std::string& key) = 0;
    // Creates the section and the value as needed.
    virtual void write(const std::string& section, const std::string& key, const std::string& value) = 0;
    // Makes every write so far permanent. False when the store could not be written, with a
    // sentence for the user in *error (when error is not null). The written values stay readable
    // for the rest of the run either way.
    virtual bool flush(std::string* error) = 0;

    // The stored text, or defaultText when absent: the store's read primitive as the board uses it.
    std::string readText(const std::string& section, const std::string& key, const std::string& defaultText);
};

// A store that forgets everything at the end of the run. flush() can be told to fail, so the
// callers' handling of an unwritable store is testable without a real file.
class InMemorySettingsStore : public SettingsStore {
public:
    std::optional<std::string> read(const std::string& section, const std::string& key) override;
    void write(const std::string& section, const std::string& key, const std::string& value) override;
    bool flush(std::string* error) override;

    void setFlushFailure(std::optional<std::string> error) { m_flushFailure = std::move(error); }
    // Every value held, keyed by (section, key).
    const std::map<std::pair<std::string, std::string>, std::string>& values() const { return m_values; }
    void clear() { m_values.clear(); }

private:
    std::map<std::pair<std::string, std::string>, std::string> m_values;
    std::optional<std::string> m_flushFailure;
};
