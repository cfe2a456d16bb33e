#include "settings/QSettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

QString settingsKey(const std::string& section, const std::string& key) {
    return QString::fromStdString(section) + u'/' + QString::fromStdString(key);
}

} // namespace

QSettingsStore::QSettingsStore() : m_settings(makeSettings()) {
#ifndef Q_OS_WIN
    // Outside Windows the native store is a file like any other, and is checked like one.
    m_isFile = true;
#endif
}

QSettingsStore::QSettingsStore(const QString& iniFile)
    : m_iniFile(QFileInfo(iniFile).absoluteFilePath()), m_settings(makeSettings()), m_isFile(true) {}

std::unique_ptr<QSettings> QSettingsStore::makeSettings() const {
    if (!m_iniFile.isEmpty())
        return std::make_unique<QSettings>(m_iniFile, QSettings::IniFormat);
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, u"Rinkmaster"_s, u"Rinkmaster"_s);
}

QSettingsStore::~QSettingsStore() = default;

std::optional<std::string> QSettingsStore::read(const std::string& section, const std::string& key) {
    const QString name = settingsKey(section, key);
    if (!m_settings->contains(name))
        return std::nullopt;
    const QVariant value = m_settings->value(name);
    // A hand-edited INI line with a comma in it ("HomeText=Red, White") comes back as a list.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(u", "_s).toStdString();
    if (!value.canConvert<QString>())
        return std::nullopt;
    return value.toString().toStdString();
}

void QSettingsStore::write(const std::string& section, const std::string& key, const std::string& value) {
    const QString name = settingsKey(section, key);
    const QString text = QString::fromStdString(value);
    m_settings->setValue(name, text);
    m_unflushed.emplace_back(name, text);
}

bool QSettingsStore::flush(std::string* error) {
    if (m_failed) {
        m_settings = makeSettings();
        for (const auto& [name, text] : m_unflushed)
            m_settings->setValue(name, text);
        m_failed = false;
    }
    m_settings->sync();
    bool written = m_settings->status() != QSettings::AccessError;
    if (written && m_isFile && !m_unflushed.empty()) {
        // QSettings can end a failed write without an error status; the file itself is the proof.
        const QFileInfo file(m_settings->fileName());
        written = file.exists() && file.isFile() && file.isWritable();
    }
    if (written) {
        m_unflushed.clear();
        return true;
    }
    m_failed = true;
    if (error) {
        const QString text =
            m_isFile ? QCoreApplication::translate("QSettingsStore", "The settings file %1 could not be written.")
                           .arg(location())
                     : QCoreApplication::translate("QSettingsStore", "The settings could not be written to %1.")
                           .arg(location());
        *error = text.toStdString();
    }
    return false;
}

QString QSettingsStore::location() const {
    return m_isFile ? QDir::toNativeSeparators(m_settings->fileName()) : m_settings->fileName();
}
