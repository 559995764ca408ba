#pragma once

#include <QSettings>
#include <QString>

#include "platform/KeyValueStore.h"

// The user-defaults store: an INI file, written through on every change.
class SettingsStore final : public KeyValueStore {
  public:
    // ~/.config/Quillstack/Quillstack.ini
    SettingsStore();
    // Any file; tests use a temporary one.
    explicit SettingsStore(const QString& filePath);

    bool contains(const QString& key) const override;
    QVariant value(const QString& key) const override;
    void setValue(const QString& key, const QVariant& value) override;
    void remove(const QString& key) override;
    QStringList keysUnder(const QString& group) const override;

    QString fileName() const { return m_settings.fileName(); }

  private:
    void persist();

    QSettings m_settings;
};
