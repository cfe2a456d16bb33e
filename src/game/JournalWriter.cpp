#include "JournalWriter.h"
#include "core/game/GameJournal.h"
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <chrono>
#ifdef Q_OS_WIN
#include <QSaveFile>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

namespace {

std::mutex& faultMutex() {
    static std::mutex m;
    return m;
}

std::function<bool()>& writeFault() {
    static std::function<bool()> fault;
    return fault;
}

bool faultNow() {
    std::lock_guard lock(faultMutex());
    return writeFault() && writeFault()();
}

QString placeProblem(game::JournalPlace place, const QString& path) {
    const QString shown = QDir::toNativeSeparators(path);
    switch (place) {
    case game::JournalPlace::IsLink:
        return QCoreApplication::translate("JournalWriter",
                                           "%1 is a link, and the game is never written through a link")
            .arg(shown);
    case game::JournalPlace::NotAFile:
        return QCoreApplication::translate("JournalWriter", "%1 is not a plain file").arg(shown);
    case game::JournalPlace::FolderOpenToOthers:
        return QCoreApplication::translate("JournalWriter",
                                           "other users can change the folder %1; use a folder only you can write to")
            .arg(QDir::toNativeSeparators(QFileInfo(path).absolutePath()));
    case game::JournalPlace::Usable:
        break;
    }
    return {};
}

#ifndef Q_OS_WIN

QString systemReason(int error) {
    return qt_error_string(error);
}

// The rename is only durable once the folder that holds the name is on disk too.
void syncFolder(const QString& folder) {
    const QByteArray name = QFile::encodeName(folder);
    const int fd = ::open(name.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Every byte written, or the system's reason why not.
bool writeAll(int fd, const QByteArray& data, int* error) {
    const char* at = data.constData();
    qsizetype left = data.size();
    while (left > 0) {
        if (faultNow()) {
            *error = ENOSPC;
            return false;
        }
        const ssize_t n = ::write(fd, at, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            *error = n < 0 ? errno : ENOSPC;
            return false;
        }
        at += n;
        left -= n;
    }
    return true;
}

#endif

} // namespace

void JournalWriter::setWriteFault(std::function<bool()> fault) {
    std::lock_guard lock(faultMutex());
    writeFault() = std::move(fault);
}

JournalWriter::JournalWriter(QString path, QObject* parent)
    : QObject(parent), m_path(std::move(path)), m_wallMillis([] { return QDateTime::currentMSecsSinceEpoch(); }) {
    m_clockTimer.setSingleShot(true);
    // Late by no more than a millisecond or two: the interval is what a kill may lose.
    m_clockTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_clockTimer, &QTimer::timeout, this, [this] { clockTimeUp(); });
    m_thread = std::thread([this] { run(); });
}

JournalWriter::~JournalWriter() {
    // The last state is never lost to an orderly end.
    if (m_held) {
        submit(*m_held, true);
        m_held.reset();
    }
    m_clockTimer.stop();
    {
        std::unique_lock lock(m_mutex);
        m_idle.wait_for(lock, std::chrono::seconds(2), [this] { return (!m_pending && !m_busy) || m_failing; });
        m_stop = true;
    }
    m_wake.notify_all();
    m_thread.join();
    closeJournal();
}

void JournalWriter::save(const game::GameState& state, bool eventsMoved) {
    if (!eventsMoved && m_lastSubmitted) {
        if (*m_lastSubmitted == state) {
            m_held.reset();
            return;
        }
        if (game::onlyClockProgress(*m_lastSubmitted, state)) {
            const qint64 elapsed = m_sinceSubmit.elapsed();
            // Once, after a document the tick did not carry (a key's, the timer's), a tick half a second or more
            // later takes the journal's second onto the clocks' grid; from then on each tick due carries one.
            const bool due =
                elapsed >= kClockIntervalMs - kTickSlackMs || (!m_lastByTick && elapsed >= kClockIntervalMs / 2);
            if (due) {
                // The tick's own wake carries the document that is due.
                m_held.reset();
                submit(state, false);
                m_lastByTick = true;
                return;
            }
            // Written with the clocks of its moment once the second since the last document is up.
            m_held = state;
            if (!m_clockTimer.isActive()) {
                const qint64 left = kClockIntervalMs + kTickSlackMs - elapsed;
                m_clockTimer.start(static_cast<int>(std::max<qint64>(0, left)));
            }
            return;
        }
    }
    m_held.reset();
    submit(state, true);
}

void JournalWriter::clockTimeUp() {
    if (!m_lastSubmitted) {
        return;
    }
    if (!m_current && !m_held) {
        return; // nothing newer is known; the next change arms the timer again
    }
    const game::GameState now = m_current ? m_current() : *m_held;
    m_held.reset();
    if (now == *m_lastSubmitted) {
        if (game::anyClockRuns(now)) {
            m_clockTimer.start(kClockIntervalMs + kTickSlackMs);
        }
        return;
    }
    submit(now, !game::onlyClockProgress(*m_lastSubmitted, now));
}

void JournalWriter::eventsChanged() {
    if (m_held) {
        const game::GameState s = *m_held;
        m_held.reset();
        submit(s, true);
    } else if (m_lastSubmitted) {
        submit(*m_lastSubmitted, true);
    }
}

void JournalWriter::submit(const game::GameState& state, bool sync) {
    m_lastSubmitted = state;
    m_lastByTick = false;
    m_sinceSubmit.start();
    // A running clock is written again a second from now; with nothing running the timer sleeps.
    if (game::anyClockRuns(state)) {
        m_clockTimer.start(kClockIntervalMs + kTickSlackMs);
    } else {
        m_clockTimer.stop();
    }
    const std::string text = game::writeJournal(state, m_wallMillis(), m_events ? m_events() : nullptr);
    QByteArray document(text.data(), static_cast<qsizetype>(text.size()));
    {
        std::lock_guard lock(m_mutex);
        if (!sync && !m_pending && !m_busy && !m_failing) {
            // A clock's progress over the journal in place is one write into the system's cache, never a wait
            // for the disk: done here while the writing thread sleeps, it costs that thread no wake.
            QString error;
            switch (writeInPlace(document, &error)) {
            case InPlace::Written:
                ++m_writes;
                ++m_inPlace;
                return;
            case InPlace::Failed:
                closeJournal(); // the thread replaces it whole, and tells if that fails too
                break;
            case InPlace::NotHere:
                break;
            }
        }
        // A game change not yet on disk keeps its sync when a newer document replaces it.
        m_pendingSync = sync || (m_pending && m_pendingSync);
        m_pending = std::move(document);
    }
    m_wake.notify_one();
}

void JournalWriter::waitUntilWritten() {
    if (m_held) {
        const game::GameState s = *m_held;
        m_held.reset();
        submit(s, true);
    }
    std::unique_lock lock(m_mutex);
    m_idle.wait(lock, [this] { return (!m_pending && !m_busy) || m_failing; });
}

bool JournalWriter::writeDurably(const QString& path, const QByteArray& document, bool sync, QString* error) {
    const auto fail = [error](const QString& why) {
        if (error) {
            *error = why;
        }
        return false;
    };
    const QString folder = QFileInfo(path).absolutePath();
    const auto makeFolder = [&folder, &fail] {
        if (QDir().mkpath(folder)) {
            return true;
        }
        return fail(QCoreApplication::translate("JournalWriter", "the folder %1 cannot be made")
                        .arg(QDir::toNativeSeparators(folder)));
    };
#ifdef Q_OS_WIN
    if (!makeFolder()) {
        return false;
    }
    // Links and shared folders are the system's business here: Qt's save file replaces the journal whole.
    const QFileInfo existing(path);
    const game::FileKind kind = existing.isSymLink() ? game::FileKind::Link
                                : !existing.exists() ? game::FileKind::Missing
                                : existing.isFile()  ? game::FileKind::Regular
                                                     : game::FileKind::Other;
    if (const game::JournalPlace place = game::journalPlaceToRead(kind); place != game::JournalPlace::Usable) {
        return fail(placeProblem(place, path));
    }
    QSaveFile file(path);
    if (faultNow() || !file.open(QIODevice::WriteOnly) || file.write(document) != document.size() || !file.commit()) {
        return fail(file.errorString());
    }
    Q_UNUSED(sync);
    return true;
#else
    const QByteArray folderName = QFile::encodeName(folder);
    struct stat folderInfo {};
    // Made only when missing: a write once a second asks the system no more than it must.
    if (::stat(folderName.constData(), &folderInfo) != 0) {
        if (errno != ENOENT) {
            return fail(systemReason(errno));
        }
        if (!makeFolder()) {
            return false;
        }
        if (::stat(folderName.constData(), &folderInfo) != 0) {
            return fail(systemReason(errno));
        }
    }
    FolderAccess access;
    access.mode = static_cast<unsigned>(folderInfo.st_mode) & 07777U;
    access.ownedByUser = folderInfo.st_uid == ::geteuid();
    access.ownedByAdmin = folderInfo.st_uid == 0;
    const QByteArray name = QFile::encodeName(path);
    game::FileKind kind = game::FileKind::Missing;
    struct stat info {};
    if (::lstat(name.constData(), &info) == 0) {
        kind = S_ISLNK(info.st_mode)   ? game::FileKind::Link
               : S_ISREG(info.st_mode) ? game::FileKind::Regular
                                       : game::FileKind::Other;
    } else if (errno != ENOENT) {
        return fail(systemReason(errno));
    }
    if (const game::JournalPlace place = game::journalPlace(kind, access); place != game::JournalPlace::Usable) {
        return fail(placeProblem(place, path));
    }
    // The new document goes under a name of its own, made afresh (never opened through anything left there),
    // and is then renamed over the journal: a rename replaces the name itself and never follows a link.
    const QByteArray temporary = name + ".writing";
    const auto create = [&temporary] {
        return ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, S_IRUSR | S_IWUSR);
    };
    int fd = create();
    if (fd < 0 && errno == EEXIST) {
        // Left by a run that ended while writing (or planted): the name goes, whatever it points to stays.
        ::unlink(temporary.constData());
        fd = create();
    }
    if (fd < 0) {
        return fail(systemReason(errno));
    }
    int problem = 0;
    bool ok = writeAll(fd, document, &problem);
    if (ok && sync && ::fsync(fd) != 0) {
        problem = errno;
        ok = false;
    }
    if (::close(fd) != 0 && ok) {
        problem = errno;
        ok = false;
    }
    if (ok && ::rename(temporary.constData(), name.constData()) != 0) {
        problem = errno;
        ok = false;
    }
    if (!ok) {
        ::unlink(temporary.constData());
        return fail(systemReason(problem));
    }
    if (sync) {
        syncFolder(folder);
    }
    return true;
#endif
}

bool JournalWriter::writeOnThread(const QByteArray& document, bool sync, QString* error) {
    if (!sync) {
        switch (writeInPlace(document, error)) {
        case InPlace::Written: {
            std::lock_guard lock(m_mutex);
            ++m_inPlace;
            return true;
        }
        case InPlace::Failed:
            closeJournal();
            return false;
        case InPlace::NotHere:
            break;
        }
    }
    closeJournal();
    if (!writeDurably(m_path, document, sync, error)) {
        return false;
    }
    keepJournal(document);
    return true;
}

#ifdef Q_OS_WIN

JournalWriter::InPlace JournalWriter::writeInPlace(const QByteArray&, QString*) {
    return InPlace::NotHere;
}

void JournalWriter::keepJournal(const QByteArray&) {}

void JournalWriter::closeJournal() {}

#else

JournalWriter::InPlace JournalWriter::writeInPlace(const QByteArray& document, QString* error) {
    if (m_keptFd < 0 || document.size() != m_keptText.size()) {
        return InPlace::NotHere;
    }
    // Only where the two differ in digits alone: every byte between the first and the last difference that
    // differs is a digit in both, so the structure of the document is the same whichever bytes land.
    qsizetype first = -1;
    qsizetype last = -1;
    for (qsizetype i = 0; i < document.size(); ++i) {
        const char a = m_keptText.at(i);
        const char b = document.at(i);
        if (a == b) {
            continue;
        }
        if (a < '0' || a > '9' || b < '0' || b > '9') {
            return InPlace::NotHere;
        }
        if (first < 0) {
            first = i;
        }
        last = i;
    }
    if (first < 0) {
        return InPlace::Written;
    }
    // Still the file this thread made under the journal's name, looked at without following a link.
    struct stat info {};
    if (::lstat(QFile::encodeName(m_path).constData(), &info) != 0 || !S_ISREG(info.st_mode) ||
        static_cast<std::uint64_t>(info.st_dev) != m_keptDevice ||
        static_cast<std::uint64_t>(info.st_ino) != m_keptInode) {
        return InPlace::NotHere;
    }
    const qsizetype length = last - first + 1;
    int problem = ENOSPC;
    if (!faultNow()) {
        const ssize_t n = ::pwrite(m_keptFd, document.constData() + first, static_cast<size_t>(length), first);
        if (n == length) {
            m_keptText = document;
            return InPlace::Written;
        }
        problem = n < 0 ? errno : ENOSPC;
    }
    if (error) {
        *error = systemReason(problem);
    }
    return InPlace::Failed;
}

void JournalWriter::keepJournal(const QByteArray& document) {
    const int fd = ::open(QFile::encodeName(m_path).constData(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return;
    }
    m_keptFd = fd;
    m_keptDevice = static_cast<std::uint64_t>(info.st_dev);
    m_keptInode = static_cast<std::uint64_t>(info.st_ino);
    m_keptText = document;
}

void JournalWriter::closeJournal() {
    if (m_keptFd >= 0) {
        ::close(m_keptFd);
        m_keptFd = -1;
    }
    m_keptText.clear();
}

#endif

void JournalWriter::run() {
    std::unique_lock lock(m_mutex);
    while (true) {
        m_wake.wait(lock, [this] { return m_stop || m_pending; });
        if (!m_pending) {
            return;
        }
        QByteArray document = std::move(*m_pending);
        const bool sync = m_pendingSync;
        m_pending.reset();
        m_pendingSync = false;
        m_busy = true;
        lock.unlock();
        const auto start = std::chrono::steady_clock::now();
        QString error;
        const bool ok = writeOnThread(document, sync, &error);
        const auto micros =
            std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start).count();
        lock.lock();
        m_busy = false;
        if (ok) {
            ++m_writes;
            if (sync) {
                ++m_syncs;
            }
            if (m_micros.size() < 1'000'000) {
                m_micros.push_back(micros);
            }
            if (m_failing) {
                m_failing = false;
                QMetaObject::invokeMethod(this, &JournalWriter::recovered, Qt::QueuedConnection);
            }
            m_idle.notify_all();
            continue;
        }
        // The old journal stays as it was; the newest document is tried again, synced as the first would be.
        if (!m_pending) {
            m_pending = std::move(document);
        }
        m_pendingSync = m_pendingSync || sync;
        if (!m_failing) {
            m_failing = true;
            QMetaObject::invokeMethod(
                this, [this, error] { emit failed(error); }, Qt::QueuedConnection);
        }
        m_idle.notify_all();
        // Tried again after a pause, with whatever is newest by then.
        m_wake.wait_for(lock, std::chrono::seconds(1), [this] { return m_stop; });
        if (m_stop) {
            return;
        }
    }
}

int JournalWriter::writesDone() const {
    std::lock_guard lock(m_mutex);
    return m_writes;
}

int JournalWriter::inPlaceWrites() const {
    std::lock_guard lock(m_mutex);
    return m_inPlace;
}

int JournalWriter::syncsDone() const {
    std::lock_guard lock(m_mutex);
    return m_syncs;
}

std::vector<std::int64_t> JournalWriter::writeMicros() const {
    std::lock_guard lock(m_mutex);
    return m_micros;
}
