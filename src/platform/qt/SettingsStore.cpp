#include "platform/qt/SettingsStore.h"

#include <QFile>

SettingsStore::SettingsStore()
    : m_settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Quillstack"),
                 QStringLiteral("Quillstack")) {}

SettingsStore::SettingsStore(const QString& filePath)
    : m_settings(filePath, QSettings::IniFormat) {}

bool SettingsStore::contains(const QString& key) const {
    return m_settings.contains(key);
}

QVariant SettingsStore::value(const QString& key) const {
    return m_settings.value(key);
}

void SettingsStore::setValue(const QString& key, const QVariant& value) {
    m_settings.setValue(key, value);
    persist();
}

void SettingsStore::remove(const QString& key) {
    m_settings.remove(key);
    persist();
}

QStringList SettingsStore::keysUnder(const QString& group) const {
    const QString prefix = group + u'/';
    QStringList keys;
    for (const QString& key : m_settings.allKeys()) {
        if (key.startsWith(prefix)) {
            keys.append(key.mid(prefix.size()));
        }
    }
    return keys;
}

void SettingsStore::persist() {
    // Every assignment is meant to survive a crash right after it, so write at once.
    m_settings.sync();
    // The file is rewritten through a temporary one, so its mode is set after each write.
    QFile::setPermissions(m_settings.fileName(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}
