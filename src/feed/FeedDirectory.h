#pragma once
#include "core/feed/BoardState.h"
#include "core/feed/FeedFiles.h"
#include <QString>
#include <set>
#include <string>

// The board as small text files in one folder (clock.txt, period.txt, home_name.txt ...), for streaming
// software that reads text sources. A file is rewritten only when its text changes, and each write replaces
// the file whole, so a reader never sees half a value.
class FeedDirectory {
public:
    explicit FeedDirectory(QString folder);

    // Creates the folder when needed. False, with a sentence in *error, when it cannot be made.
    bool prepare(QString* error = nullptr);
    // Writes the files whose text changed. A file that cannot be written is tried again with the next state.
    void write(const BoardState& state);
    const QString& folder() const { return m_folder; }
    int failedWrites() const { return m_failedWrites; }

private:
    QString m_folder;
    FeedFileChanges m_changes;
    std::set<std::string> m_reported; // files whose failure has been reported once already
    int m_failedWrites = 0;
};
