#include "JournalWriter.h"
#include "core/game/GameJournal.h"
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <chrono>
#ifndef Q_OS_WIN
#include <fcntl.h>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

namespace {

// True when two states differ only in how much of a running clock has been used.
bool onlyRunningClocksMoved(const game::GameState& a, const game::GameState& b) {
    game::GameState x = a;
    for (std::size_t i = 0; i < x.clocks.size(); ++i) {
        if (x.clocks[i].running && b.clocks[i].running) {
            x.clocks[i].used = b.clocks[i].used;
        }
    }
    return x == b;
}

// The rename is only durable once the folder that holds the name is on disk too.
void syncFolder(const QString& folder) {
#ifndef Q_OS_WIN
    const QByteArray name = QFile::encodeName(folder);
    const int fd = ::open(name.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    Q_UNUSED(folder);
#endif
}

} // namespace

JournalWriter::JournalWriter(QString path, QObject* parent)
    : QObject(parent), m_path(std::move(path)), m_wallMillis([] { return QDateTime::currentMSecsSinceEpoch(); }) {
    m_heldTimer.setSingleShot(true);
    connect(&m_heldTimer, &QTimer::timeout, this, [this] {
        if (m_held) {
            const game::GameState s = m_current ? m_current() : *m_held;
            m_held.reset();
            submit(s);
        }
    });
    m_thread = std::thread([this] { run(); });
}

JournalWriter::~JournalWriter() {
    // The last state is never lost to an orderly end.
    if (m_held) {
        submit(*m_held);
        m_held.reset();
    }
    {
        std::unique_lock lock(m_mutex);
        m_idle.wait_for(lock, std::chrono::seconds(2), [this] { return (!m_pending && !m_busy) || m_failing; });
        m_stop = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void JournalWriter::save(const game::GameState& state) {
    if (m_lastSubmitted && *m_lastSubmitted == state) {
        m_held.reset();
        return;
    }
    if (m_lastSubmitted && onlyRunningClocksMoved(*m_lastSubmitted, state) &&
        m_sinceSubmit.elapsed() < kClockIntervalMs) {
        m_held = state;
        if (!m_heldTimer.isActive()) {
            m_heldTimer.start(static_cast<int>(kClockIntervalMs - m_sinceSubmit.elapsed()));
        }
        return;
    }
    m_held.reset();
    m_heldTimer.stop();
    submit(state);
}

void JournalWriter::eventsChanged() {
    if (m_held) {
        const game::GameState s = *m_held;
        m_held.reset();
        m_heldTimer.stop();
        submit(s);
    } else if (m_lastSubmitted) {
        submit(*m_lastSubmitted);
    }
}

void JournalWriter::submit(const game::GameState& state) {
    m_lastSubmitted = state;
    m_sinceSubmit.start();
    const std::string text = game::writeJournal(state, m_wallMillis(), m_events ? m_events() : nullptr);
    {
        std::lock_guard lock(m_mutex);
        m_pending = QByteArray(text.data(), static_cast<qsizetype>(text.size()));
    }
    m_wake.notify_one();
}

void JournalWriter::waitUntilWritten() {
    if (m_held) {
        const game::GameState s = *m_held;
        m_held.reset();
        m_heldTimer.stop();
        submit(s);
    }
    std::unique_lock lock(m_mutex);
    m_idle.wait(lock, [this] { return (!m_pending && !m_busy) || m_failing; });
}

bool JournalWriter::writeDurably(const QString& path, const QByteArray& document, QString* error) {
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        if (error) {
            *error = u"the folder %1 cannot be made"_s.arg(QDir::toNativeSeparators(folder));
        }
        return false;
    }
    // Qt's commit flushes the temporary file, syncs it to disk and renames it over the journal.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(document) != document.size() || !file.commit()) {
        if (error) {
            *error = file.errorString();
        }
        return false;
    }
    syncFolder(folder);
    return true;
}

void JournalWriter::run() {
    std::unique_lock lock(m_mutex);
    while (true) {
        m_wake.wait(lock, [this] { return m_stop || m_pending; });
        if (!m_pending) {
            return;
        }
        QByteArray document = std::move(*m_pending);
        m_pending.reset();
        m_busy = true;
        lock.unlock();
        const auto start = std::chrono::steady_clock::now();
        QString error;
        const bool ok = writeDurably(m_path, document, &error);
        const auto micros =
            std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start).count();
        lock.lock();
        m_busy = false;
        if (ok) {
            ++m_writes;
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
        if (!m_pending) {
            m_pending = std::move(document);
        }
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

std::vector<std::int64_t> JournalWriter::writeMicros() const {
    std::lock_guard lock(m_mutex);
    return m_micros;
}
