#include "GameLock.h"
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

GameLock::GameLock(const QString& path) : m_path(path), m_lock(std::make_unique<QLockFile>(path)) {
    // A running holder never refreshes its lock, so age alone must never make it stale; only a holder that
    // has gone does.
    m_lock->setStaleLockTime(0);
}

GameLock::~GameLock() = default;

bool GameLock::tryLock() {
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    if (m_lock->tryLock(0)) {
        return true;
    }
    return m_lock->error() != QLockFile::LockFailedError;
}

QString GameLock::alreadyRunningMessage() {
    return QCoreApplication::translate("GameLock", "Rinkmaster is already running with these settings");
}
