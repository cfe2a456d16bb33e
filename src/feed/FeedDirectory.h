#pragma once
#include "core/feed/BoardState.h"
#include "core/feed/FeedFiles.h"
#include <QString>
#include <functional>
#include <set>
#include <string>

// The board as small text files in one folder (clock.txt, period.txt, home_name.txt ...), for streaming
// software that reads text sources. A file is rewritten only when its text changes, and each write replaces
// the file whole, so a reader never sees half a value. Nothing is written through a link or over anything
// but a plain file, and a folder other users can change is not used at all. The folder is held open from the
// moment it was checked and every file is made through that handle, so swapping the folder for a link
// afterwards changes nothing about where the files go.
class FeedDirectory {
public:
    // tell receives each problem once (the error output when none is given).
    explicit FeedDirectory(QString folder, std::function<void(const QString&)> tell = {});
    ~FeedDirectory();
    FeedDirectory(const FeedDirectory&) = delete;
    FeedDirectory& operator=(const FeedDirectory&) = delete;

    // Creates the folder when needed. False, with a sentence in *error, when it cannot be made or other users
    // can change it.
    bool prepare(QString* error = nullptr);
    // Writes the files whose text changed. A file that cannot be written is tried again with the next state.
    void write(const BoardState& state);
    const QString& folder() const { return m_folder; }
    int failedWrites() const { return m_failedWrites; }

private:
    bool writeOne(const FeedFile& file, QString* problem);

    QString m_folder;
    std::function<void(const QString&)> m_tell;
    FeedFileChanges m_changes;
    std::set<std::string> m_reported; // files whose failure has been reported once already
    int m_failedWrites = 0;
    int m_handle = -1;   // the folder as checked (where the system has such handles)
    unsigned m_made = 0; // new files made so far, for their passing names
};
