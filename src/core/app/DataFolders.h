#pragma once
#include <functional>
#include <string>
#include <vector>

// Where the program finds its own files (sounds, help text): beside the program first, then in the installed
// data folder, which lies at a fixed relative path from the program's folder ("../share/rinkmaster" on Linux),
// so that an installation moved as a whole (another prefix, a staging folder) still finds them.

// folder joined with a relative path written with '/' ("..", "." and empty parts understood), in the platform's
// form with separator. Going up from a root stays at the root; an empty folder leaves the relative path as is.
std::string resolveRelativeFolder(const std::string& folder, const std::string& relative, char separator);

// The folders to look in, in order: the program's folder, then the installed data folder (when it differs).
std::vector<std::string> dataFolderCandidates(const std::string& programFolder, const std::string& dataFromProgram,
                                              char separator);

// The first candidate that holds every one of files (exists answers for a full path); the first candidate when none
// does, so that what is missing is reported where it was first looked for. Nothing when there are no candidates.
std::string chooseDataFolder(const std::vector<std::string>& candidates, const std::vector<std::string>& files,
                             char separator, const std::function<bool(const std::string&)>& exists);
