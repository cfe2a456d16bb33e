#include "FeedDirectory.h"
#include "core/feed/FeedFolder.h"
#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

namespace {

// Whether somebody other than the user can change the folder. Only where the system has owners and
// permission bits to ask; elsewhere the folder is taken as it is.
bool openToOthers(const QString& folder) {
#ifdef Q_OS_UNIX
    struct stat info {};
    if (::stat(QFile::encodeName(folder).constData(), &info) != 0) {
        return false; // a folder that cannot be looked at cannot be written either: the writes say so
    }
    FolderAccess access;
    access.mode = static_cast<unsigned>(info.st_mode) & 07777U;
    access.ownedByUser = info.st_uid == ::geteuid();
    access.ownedByAdmin = info.st_uid == 0;
    return folderOpenToOthers(access);
#else
    Q_UNUSED(folder);
    return false;
#endif
}

} // namespace

FeedDirectory::FeedDirectory(QString folder, std::function<void(const QString&)> tell)
    : m_folder(std::move(folder)), m_tell(std::move(tell)) {
    if (!m_tell) {
        m_tell = [](const QString& text) { qWarning().noquote() << text; };
    }
}

bool FeedDirectory::prepare(QString* error) {
    const QString shown = QDir::toNativeSeparators(m_folder);
    QString problem;
    if (!QDir().mkpath(m_folder)) {
        problem = QCoreApplication::translate("FeedDirectory",
                                              "The feed's text files are not written: the folder %1 cannot be created.")
                      .arg(shown);
    } else if (openToOthers(m_folder)) {
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

bool FeedDirectory::writeOne(const FeedFile& f, QString* problem) const {
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
    const QByteArray text = QByteArray::fromStdString(f.text);
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
