#include "core/settings/SettingsStore.h"

std::string SettingsStore::readText(const std::string& section, const std::string& key,
                                    const std::string& defaultText) {
    std::optional<std::string> text = read(section, key);
    return text ? *text : defaultText;
}

std::optional<std::string> InMemorySettingsStore::read(const std::string& section, const std::string& key) {
    auto it = m_values.find({section, key});
    if (it == m_values.end())
        return std::nullopt;
    return it->second;
}

void InMemorySettingsStore::write(const std::string& section, const std::string& key, const std::string& value) {
    m_values[{section, key}] = value;
}

bool InMemorySettingsStore::flush(std::string* error) {
    if (!m_flushFailure)
        return true;
    if (error)
        *error = *m_flushFailure;
    return false;
}
