// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>

// The user-defaults store. The raw accessors are the port; the typed readers check the kind of
// the stored value and give nothing for a missing key or a value of another kind.
class KeyValueStore {
  public:
    virtual ~KeyValueStore() = default;

    virtual bool contains(const QString& key) const = 0;
    virtual QVariant value(const QString& key) const = 0;  // invalid when absent
    virtual void setValue(const QString& key, const QVariant& value) = 0;
    virtual void remove(const QString& key) = 0;
    // The keys under "group/", without the prefix; none where the store cannot list them.
    virtual QStringList keysUnder(const QString& /*group*/) const { return {}; }
    // A settings file that is there but cannot be read: the values are defaults and nothing
    // is saved over it. Empty when the store reads and saves normally.
    virtual QString unreadableFile() const { return {}; }

    std::optional<QString> stringValue(const QString& key) const;
    std::optional<QStringList> stringListValue(const QString& key) const;
    std::optional<bool> boolValue(const QString& key) const;
    std::optional<qint64> intValue(const QString& key) const;
    std::optional<quint64> uintValue(const QString& key) const;
};
