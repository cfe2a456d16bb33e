#include "FeedDirectory.h"
#include "core/feed/FeedFolder.h"
#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

namespace {

#ifdef Q_OS_UNIX
// Whether somebody other than the user can change the folder held open as handle.
bool openToOthers(int handle) {
    struct stat info {};
    if (::fstat(handle, &info) != 0) {
        return false; // a folder that cannot be looked at cannot be written either: the writes say so
    }
    FolderAccess access;
    access.mode = static_cast<unsigned>(info.st_mode) & 07777U;
    access.ownedByUser = info.st_uid == ::geteuid();
    access.ownedByAdmin = info.st_uid == 0;
    return folderOpenToOthers(access);
}

QString systemError(int code) {
    return QString::fromLocal8Bit(std::strerror(code));
}
#endif

} // namespace

FeedDirectory::FeedDirectory(QString folder, std::function<void(const QString&)> tell)
    : m_folder(std::move(folder)), m_tell(std::move(tell)) {
    if (!m_tell) {
        m_tell = [](const QString& text) { qWarning().noquote() << text; };
    }
}

FeedDirectory::~FeedDirectory() {
#ifdef Q_OS_UNIX
    if (m_handle >= 0) {
        ::close(m_handle);
    }
#endif
}

bool FeedDirectory::prepare(QString* error) {
    const QString shown = QDir::toNativeSeparators(m_folder);
    QString problem;
    bool othersCanChange = false;
    bool made = QDir().mkpath(m_folder);
#ifdef Q_OS_UNIX
    if (made) {
        // Checked and then written through this one handle: whatever later takes the folder's name, the
        // files go into the folder that was checked.
        m_handle = ::open(QFile::encodeName(m_folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        made = m_handle >= 0;
        othersCanChange = made && openToOthers(m_handle);
    }
#endif
    if (!made) {
        problem = QCoreApplication::translate("FeedDirectory",
                                              "The feed's text files are not written: the folder %1 cannot be created.")
                      .arg(shown);
    } else if (othersCanChange) {
        problem = QCoreApplication::translate(
                      "FeedDirectory", "The feed's text files are not written: other users can change the folder "
                                       "%1. Use a folder of your own that only you can write to.")
                      .arg(shown);
    }
    if (problem.isEmpty()) {
        return true;
    }
    if (error) {
        *error = problem;
    }
    return false;
}

bool FeedDirectory::writeOne(const FeedFile& f, QString* problem) {
    const QByteArray text = QByteArray::fromStdString(f.text);
#ifdef Q_OS_UNIX
    if (m_handle >= 0) {
        const QByteArray name = QByteArray::fromStdString(f.name);
        struct stat existing {};
        if (::fstatat(m_handle, name.constData(), &existing, AT_SYMLINK_NOFOLLOW) == 0) {
            if (S_ISLNK(existing.st_mode)) {
                *problem = QCoreApplication::translate("FeedDirectory",
                                                       "it is a link, and the feed writes no file through a link");
                return false;
            }
            if (!S_ISREG(existing.st_mode)) {
                *problem =
                    QCoreApplication::translate("FeedDirectory", "something other than a plain file has that name");
                return false;
            }
        }
        // A new file under a passing name nothing can be waiting at, renamed over the old one: a reader sees
        // the old text or the new, and the rename replaces whatever has the name without following it.
        const QByteArray passing =
            '.' + name + '.' + QByteArray::number(::getpid()) + '.' + QByteArray::number(m_made++);
        const int fd =
            ::openat(m_handle, passing.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd < 0) {
            *problem = systemError(errno);
            return false;
        }
        qsizetype written = 0;
        while (written < text.size()) {
            const ssize_t n = ::write(fd, text.constData() + written, static_cast<std::size_t>(text.size() - written));
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                break;
            }
            written += n;
        }
        const int writeError = written == text.size() ? 0 : (errno != 0 ? errno : EIO);
        const bool closed = ::close(fd) == 0;
        if (writeError != 0 || !closed || ::renameat(m_handle, passing.constData(), m_handle, name.constData()) != 0) {
            *problem = systemError(writeError != 0 ? writeError : errno);
            ::unlinkat(m_handle, passing.constData(), 0);
            return false;
        }
        return true;
    }
#endif
    const QString path = QDir(m_folder).filePath(QString::fromStdString(f.name));
    // Looked at without following a link. The file is then replaced by renaming a new one over it, which
    // never follows a link either; the new one is made under a fresh name that nothing can be waiting at.
    const QFileInfo existing(path);
    if (existing.isSymLink()) {
        *problem =
            QCoreApplication::translate("FeedDirectory", "it is a link, and the feed writes no file through a link");
        return false;
    }
    if (existing.exists() && !existing.isFile()) {
        *problem = QCoreApplication::translate("FeedDirectory", "something other than a plain file has that name");
        return false;
    }
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.commit()) {
        return true;
    }
    *problem = file.errorString();
    return false;
}

void FeedDirectory::write(const BoardState& state) {
    for (const FeedFile& f : m_changes.changed(feedFiles(state))) {
        QString problem;
        if (writeOne(f, &problem)) {
            m_changes.recordWritten(f);
            m_reported.erase(f.name);
            continue;
        }
        ++m_failedWrites;
        if (m_reported.insert(f.name).second) {
            const QString path = QDir::toNativeSeparators(QDir(m_folder).filePath(QString::fromStdString(f.name)));
            m_tell(QCoreApplication::translate("FeedDirectory", "The feed cannot write %1: %2.").arg(path, problem));
        }
    }
}
