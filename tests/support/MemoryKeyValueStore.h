#pragma once

#include <QList>
#include <QMap>

#include "platform/KeyValueStore.h"

// An in-memory store that records every write, so tests can tell what a component stored and
// that it stored nothing.
class MemoryKeyValueStore final : public KeyValueStore {
  public:
    struct Write {
        QString key;
        QVariant value;  // invalid for a removal
        bool removed = false;
    };

    bool contains(const QString& key) const override { return m_values.contains(key); }
    QVariant value(const QString& key) const override { return m_values.value(key); }
    void setValue(const QString& key, const QVariant& value) override {
        m_values.insert(key, value);
        m_writes.append({key, value, false});
    }
    void remove(const QString& key) override {
        m_values.remove(key);
        m_writes.append({key, {}, true});
    }
    QStringList keysUnder(const QString& group) const override {
        QStringList keys;
        for (const QString& key : m_values.keys()) {
            if (key.startsWith(group + u'/')) {
                keys.append(key.mid(group.size() + 1));
            }
        }
        return keys;
    }

    // Puts a value in place without recording it: the state found at start-up.
    void seed(const QString& key, const QVariant& value) { m_values.insert(key, value); }
    const QList<Write>& writes() const { return m_writes; }
    QStringList writtenKeys() const {
        QStringList keys;
        for (const Write& w : m_writes) {
            keys.append(w.key);
        }
        return keys;
    }
    void clearWrites() { m_writes.clear(); }

  private:
    QMap<QString, QVariant> m_values;
    QList<Write> m_writes;
};
