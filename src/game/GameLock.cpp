#include "GameLock.h"
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <optional>
#ifndef Q_OS_WIN
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

namespace {

// The lock file's text, read only from a plain file and never waiting; nothing when it cannot be read.
std::optional<QByteArray> lockText(const QString& path) {
#ifdef Q_OS_WIN
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return file.read(4096);
#else
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    // Checked as a plain file through this handle: Qt reads it from here (and closes it).
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return std::nullopt;
    }
    QByteArray text = file.read(4096);
    if (file.error() != QFileDevice::NoError) {
        return std::nullopt;
    }
    return text;
#endif
}

// Whether a lock file's text names a process, as Qt writes it: the process number on the first line.
bool namesAProcess(const QByteArray& text) {
    const qsizetype end = text.indexOf('\n');
    if (end <= 0) {
        return false;
    }
    bool ok = false;
    const qint64 pid = text.left(end).toLongLong(&ok);
    return ok && pid > 0;
}

} // namespace

GameLock::GameLock(const QString& path) : m_path(path), m_lock(std::make_unique<QLockFile>(path)) {
    // A running holder never refreshes its lock, so age alone must never make it stale; only a holder that
    // has gone does.
    m_lock->setStaleLockTime(0);
}

GameLock::~GameLock() = default;

void GameLock::clearGarbage() {
    std::optional<QByteArray> text = lockText(m_path);
    if (!text || namesAProcess(*text)) {
        return;
    }
    // A program making its lock this moment writes its number right after creating the file: give it the time.
    QThread::msleep(200);
    text = lockText(m_path);
    if (text && !namesAProcess(*text)) {
        QFile::remove(m_path);
    }
}

bool GameLock::tryLock() {
    m_problem.clear();
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    clearGarbage();
    if (m_lock->tryLock(0)) {
        return true;
    }
    if (m_lock->error() == QLockFile::LockFailedError) {
        return false;
    }
    const QString shown = QDir::toNativeSeparators(m_path);
    m_problem = QCoreApplication::translate(
                    "GameLock", "Rinkmaster cannot make sure it is the only program using these settings: the lock "
                                "file %1 cannot be made. Do not start a second Rinkmaster with them.")
                    .arg(shown);
    return true;
}

QString GameLock::alreadyRunningMessage() {
    return QCoreApplication::translate("GameLock", "Rinkmaster is already running with these settings");
}
