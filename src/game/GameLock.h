#pragma once
#include <QLockFile>
#include <QString>
#include <memory>

// One program per settings store: the lock is held for the whole run and taken over only from a holder that
// no longer runs (Qt's lock file names its process, so a crash never leaves the store locked).
class GameLock {
public:
    explicit GameLock(const QString& path);
    ~GameLock();

    // False when another running program holds the lock. A lock that cannot be made at all (an unwritable
    // folder) does not stop the run: the journal's own message tells of the folder.
    bool tryLock();

    static QString alreadyRunningMessage();

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};
