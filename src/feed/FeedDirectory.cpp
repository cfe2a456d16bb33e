#include "FeedDirectory.h"
#include <QDebug>
#include <QDir>
#include <QSaveFile>

using namespace Qt::StringLiterals;

FeedDirectory::FeedDirectory(QString folder) : m_folder(std::move(folder)) {}

bool FeedDirectory::prepare(QString* error) {
    if (QDir().mkpath(m_folder)) {
        return true;
    }
    if (error) {
        *error = u"The feed folder %1 cannot be created."_s.arg(QDir::toNativeSeparators(m_folder));
    }
    return false;
}

void FeedDirectory::write(const BoardState& state) {
    const QDir dir(m_folder);
    for (const FeedFile& f : m_changes.changed(feedFiles(state))) {
        QSaveFile file(dir.filePath(QString::fromStdString(f.name)));
        const QByteArray text = QByteArray::fromStdString(f.text);
        const bool ok = file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.commit();
        if (ok) {
            m_changes.recordWritten(f);
            m_reported.erase(f.name);
            continue;
        }
        ++m_failedWrites;
        if (m_reported.insert(f.name).second) {
            qWarning().noquote() << u"The feed cannot write %1: %2"_s.arg(QDir::toNativeSeparators(file.fileName()),
                                                                          file.errorString());
        }
    }
}
