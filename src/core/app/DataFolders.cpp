#include "core/app/DataFolders.h"

#include "core/settings/Settings.h"

#include <algorithm>

namespace {

bool isSeparator(char c, char separator) {
    // Windows takes either slash.
    return c == separator || (separator == '\\' && c == '/');
}

// Length of the root at the start of folder: "/" or "\\", "C:\" or "C:", nothing for a relative folder.
std::size_t rootLength(const std::string& folder, char separator) {
    if (separator == '\\' && folder.size() >= 2 && folder[1] == ':')
        return folder.size() >= 3 && isSeparator(folder[2], separator) ? 3 : 2;
    std::size_t n = 0;
    while (n < folder.size() && isSeparator(folder[n], separator))
        ++n;
    return n;
}

} // namespace

std::string resolveRelativeFolder(const std::string& folder, const std::string& relative, char separator) {
    if (folder.empty())
        return relative;
    const std::size_t root = rootLength(folder, separator);
    std::string head = folder.substr(0, root);
    for (char& c : head) {
        if (isSeparator(c, separator))
            c = separator;
    }
    std::vector<std::string> parts;
    std::string part;
    const auto flush = [&parts, &part] {
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        part.clear();
    };
    for (std::size_t i = root; i < folder.size(); ++i) {
        if (isSeparator(folder[i], separator))
            flush();
        else
            part += folder[i];
    }
    flush();
    for (const char c : relative) {
        if (c == '/')
            flush();
        else
            part += c;
    }
    flush();
    std::string result = head;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0)
            result += separator;
        result += parts[i];
    }
    return result.empty() ? std::string(1, '.') : result;
}

std::vector<std::string> dataFolderCandidates(const std::string& programFolder, const std::string& dataFromProgram,
                                              char separator) {
    std::vector<std::string> candidates{programFolder};
    if (!dataFromProgram.empty()) {
        std::string installed = resolveRelativeFolder(programFolder, dataFromProgram, separator);
        if (installed != programFolder)
            candidates.push_back(std::move(installed));
    }
    return candidates;
}

std::string chooseDataFolder(const std::vector<std::string>& candidates, const std::vector<std::string>& files,
                             char separator, const std::function<bool(const std::string&)>& exists) {
    if (candidates.empty())
        return {};
    for (const std::string& folder : candidates) {
        const bool holdsAll = std::all_of(files.begin(), files.end(), [&](const std::string& file) {
            return exists && exists(joinProgramPath(folder, file, separator));
        });
        if (holdsAll)
            return folder;
    }
    return candidates.front();
}
