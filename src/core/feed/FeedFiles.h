#pragma once
#include "core/feed/BoardState.h"
#include <map>
#include <string>
#include <vector>

// The board as small text files for streaming software that reads text sources: one file per value, each
// holding exactly the text a person reads on the board (no line end), "" for a dark value.
struct FeedFile {
    std::string name; // a plain file name, never a path
    std::string text;
    bool operator==(const FeedFile&) const = default;
};

// Every file, in a fixed order: clock.txt, period.txt, then per team (home, visitor) <team>_name.txt,
// <team>_score.txt, <team>_penalty1.txt, <team>_penalty2.txt.
std::vector<FeedFile> feedFiles(const BoardState& state);

// Remembers what each file last held on disk, so a file is rewritten only when its text changes. A write
// that failed is not recorded, and the file is offered again with the next state.
class FeedFileChanges {
public:
    // The files whose text differs from what was last recorded (all of them the first time).
    std::vector<FeedFile> changed(const std::vector<FeedFile>& files) const;
    void recordWritten(const FeedFile& file);
    // Forgets everything: after the folder was emptied by someone else, every file is written again.
    void clear() { m_written.clear(); }

private:
    std::map<std::string, std::string> m_written;
};
