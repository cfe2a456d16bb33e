#pragma once
#include <QLockFile>
#include <QString>
#include <memory>

// One program per settings store: the lock is held for the whole run and taken over only from a holder that
// no longer runs (Qt's lock file names its process, so a crash never leaves the store locked). A lock file that
// names no process at all (empty or garbage: what a crash while it was being made leaves) is stale too.
class GameLock {
public:
    explicit GameLock(const QString& path);
    ~GameLock();

    // False when another running program holds the lock. A lock that cannot be made at all (an unwritable
    // folder, a name too long) does not stop the run: problem() then says why, for the user to be told.
    bool tryLock();

    // Why the lock could not be made; empty while it is held or held by another.
    QString problem() const { return m_problem; }

    static QString alreadyRunningMessage();

private:
    // Removes a lock file that names no process, so that it counts as stale.
    void clearGarbage();

    QString m_path;
    QString m_problem;
    std::unique_ptr<QLockFile> m_lock;
};
