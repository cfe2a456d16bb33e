#pragma once
#include <QObject>
#include <QString>
#include <QTimer>
#include <string>

// One game's record file, only ever appended to: each line is written whole and synced before the next; a line
// that cannot be written stays queued (with every later one, in order) and is tried again each second. Never
// written through a link or onto anything but a plain file (POSIX: opened O_APPEND|O_NOFOLLOW).
class RecordFile : public QObject {
    Q_OBJECT
public:
    explicit RecordFile(QObject* parent = nullptr);
    ~RecordFile() override;

    // The file the next lines go to (made at the first line); the old one is closed once its lines are out.
    void setPath(const QString& path);
    QString path() const { return m_path; }
    void append(const std::string& line);
    // Writes what is queued, then closes the file (End game); false when lines are still waiting.
    bool close();
    bool hasWaitingLines() const { return !m_waiting.empty(); }

signals:
    // The first failure of a file, with its reason (told once a file; retried in silence).
    void failed(const QString& reason);

private:
    bool writeWaiting();
    bool openFile(QString* reason);
    void closeHandle();

    QString m_path;
    std::string m_waiting; // lines not yet written, in order
#ifdef Q_OS_WIN
    class QFile* m_file = nullptr;
#else
    int m_fd = -1;
#endif
    QTimer m_retry;
    bool m_told = false;
};
