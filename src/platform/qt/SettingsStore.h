// SPDX-License-Identifier: MIT
#pragma once

#include <QSettings>
#include <QString>

#include "platform/KeyValueStore.h"

// The user-defaults store: an INI file, written through on every change.
class SettingsStore final : public KeyValueStore {
  public:
    // <config home>/Quillstack/Quillstack.conf, taking over an older
    // Quillstack.ini from the same folder.
    SettingsStore();
    // Any file; tests use a temporary one.
    explicit SettingsStore(const QString& filePath);

    // The settings file inside a configuration folder.
    static QString filePathIn(const QString& configDir);
    // Earlier versions kept the settings in Quillstack.ini beside it: that file is renamed to
    // filePath when nothing is there yet. False when something was left to move but could not
    // be.
    static bool takeOverLegacyFile(const QString& filePath);

    bool contains(const QString& key) const override;
    QVariant value(const QString& key) const override;
    void setValue(const QString& key, const QVariant& value) override;
    void remove(const QString& key) override;
    QStringList keysUnder(const QString& group) const override;
    QString unreadableFile() const override;

    QString fileName() const { return m_settings.fileName(); }

  private:
    void persist();

    QSettings m_settings;
};
