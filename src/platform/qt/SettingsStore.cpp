// SPDX-License-Identifier: MIT
#include "platform/qt/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/freedesktop/XdgFolders.h"

namespace {

bool isTaken(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();  // a dangling link is somebody's choice too
}

QString takenOver(const QString& filePath) {
    SettingsStore::takeOverLegacyFile(filePath);
    return filePath;
}

}  // namespace

SettingsStore::SettingsStore()
    : m_settings(takenOver(filePathIn(XdgFolders::configHome())), QSettings::IniFormat) {}

SettingsStore::SettingsStore(const QString& filePath)
    : m_settings(filePath, QSettings::IniFormat) {}

QString SettingsStore::filePathIn(const QString& configDir) {
    return configDir + QStringLiteral("/Quillstack/Quillstack.conf");
}

bool SettingsStore::takeOverLegacyFile(const QString& filePath) {
    const QString legacy = QFileInfo(filePath).absolutePath() + QStringLiteral("/Quillstack.ini");
    if (isTaken(filePath) || !isTaken(legacy)) {
        return true;
    }
    return QFile::rename(legacy, filePath);
}

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

QString SettingsStore::unreadableFile() const {
    // QSettings reports AccessError both for a file it cannot read and for one it could not
    // write; only the first means the values shown are not the user's.
    const QString path = m_settings.fileName();
    if (!isTaken(path)) {
        return {};
    }
    QFile file(path);
    return QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly) ? QString() : path;
}

void SettingsStore::persist() {
    // A file we create is the user's alone from its first byte; the rewrites below keep the
    // mode of the file they replace, so a mode the user chose stays.
    const QString path = m_settings.fileName();
    if (!isTaken(path) && QDir().mkpath(QFileInfo(path).absolutePath())) {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                      QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
            file.close();
        }
    }
    // Every assignment is meant to survive a crash right after it, so write at once.
    m_settings.sync();
}
