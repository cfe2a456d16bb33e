#pragma once
#include <QObject>
#include <QString>
class SoundDevice : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    QString FileName() const { return m_fileName; }
    void setFileName(const QString& f) { m_fileName = f; }
    virtual void Open() {}
    virtual void Play() {}
    virtual void Stop() {}
    virtual void Prev() {}
    virtual void Close() {}
signals:
    void Done();
private:
    QString m_fileName;
};
