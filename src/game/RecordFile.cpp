#include "game/RecordFile.h"
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#ifndef Q_OS_WIN
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

RecordFile::RecordFile(QObject* parent) : QObject(parent) {
    m_retry.setInterval(1000);
    m_retry.setSingleShot(true);
    connect(&m_retry, &QTimer::timeout, this, [this] { writeWaiting(); });
}

RecordFile::~RecordFile() {
    writeWaiting();
    closeHandle();
}

void RecordFile::setPath(const QString& path) {
    if (path == m_path) {
        return;
    }
    close();
    m_waiting.clear(); // what the old file could not take stays with it: a new game never writes onto it
    m_path = path;
    m_told = false;
}

void RecordFile::append(const std::string& line) {
    if (m_path.isEmpty()) {
        return; // a record kept in memory only
    }
    m_waiting += line;
    writeWaiting();
}

bool RecordFile::close() {
    const bool written = writeWaiting();
    closeHandle();
    return written;
}

void RecordFile::closeHandle() {
#ifdef Q_OS_WIN
    delete m_file;
    m_file = nullptr;
#else
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
#endif
}

bool RecordFile::openFile(QString* reason) {
    const QFileInfo info(m_path);
    if (!QDir().mkpath(info.absolutePath())) {
        *reason = QCoreApplication::translate("RecordFile", "the folder %1 cannot be made")
                      .arg(QDir::toNativeSeparators(info.absolutePath()));
        return false;
    }
#ifdef Q_OS_WIN
    if (info.isSymLink()) {
        *reason = QCoreApplication::translate("RecordFile", "it is a link");
        return false;
    }
    auto* file = new QFile(m_path);
    if (!file->open(QIODevice::WriteOnly | QIODevice::Append)) {
        *reason = file->errorString();
        delete file;
        return false;
    }
    m_file = file;
    return true;
#else
    const QByteArray name = QFile::encodeName(m_path);
    const int fd = ::open(name.constData(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0) {
        *reason = errno == ELOOP ? QCoreApplication::translate("RecordFile", "it is a link") : qt_error_string(errno);
        return false;
    }
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        ::close(fd);
        *reason = QCoreApplication::translate("RecordFile", "it is not a plain file");
        return false;
    }
    m_fd = fd;
    return true;
#endif
}

bool RecordFile::writeWaiting() {
    if (m_waiting.empty() || m_path.isEmpty()) {
        return m_waiting.empty();
    }
    QString reason;
    bool ok = true;
#ifdef Q_OS_WIN
    if (m_file == nullptr) {
        ok = openFile(&reason);
    }
    if (ok) {
        const qint64 n = m_file->write(m_waiting.data(), static_cast<qint64>(m_waiting.size()));
        if (n > 0) {
            m_waiting.erase(0, static_cast<std::size_t>(n));
        }
        ok = m_waiting.empty() && m_file->flush();
        if (!ok) {
            reason = m_file->errorString();
        }
    }
#else
    if (m_fd < 0) {
        ok = openFile(&reason);
    }
    while (ok && !m_waiting.empty()) {
        const ssize_t n = ::write(m_fd, m_waiting.data(), m_waiting.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            reason = n < 0 ? qt_error_string(errno) : QCoreApplication::translate("RecordFile", "nothing was written");
            ok = false;
            break;
        }
        // A line cut short (a full disk) goes on from where it stopped at the next try.
        m_waiting.erase(0, static_cast<std::size_t>(n));
    }
    if (ok && ::fsync(m_fd) != 0) {
        reason = qt_error_string(errno);
        ok = false;
    }
#endif
    if (!ok) {
        if (!m_told) {
            m_told = true;
            emit failed(QCoreApplication::translate("RecordFile", "The game's record cannot be written to %1: %2. It "
                                                                  "is tried again every second.")
                            .arg(QDir::toNativeSeparators(m_path), reason));
        }
        closeHandle();
        m_retry.start();
        return false;
    }
    return true;
}
