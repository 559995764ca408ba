// SPDX-License-Identifier: MIT
#pragma once

#include <QMap>

#include "platform/KeyValueStore.h"

// An in-memory store that records the key of every write and removal, so tests can tell what a
// component stored and that it stored nothing.
class MemoryKeyValueStore final : public KeyValueStore {
  public:
    bool contains(const QString& key) const override { return values.contains(key); }
    QVariant value(const QString& key) const override { return values.value(key); }
    void setValue(const QString& key, const QVariant& value) override {
        values.insert(key, value);
        writes << key;
    }
    void remove(const QString& key) override {
        values.remove(key);
        writes << key;
    }
    QStringList keysUnder(const QString& group) const override {
        QStringList keys;
        for (const QString& key : values.keys()) {
            if (key.startsWith(group + u'/')) {
                keys << key.mid(group.size() + 1);
            }
        }
        return keys;
    }
    // Puts a value in place without recording it: the state found at start-up.
    void seed(const QString& key, const QVariant& value) { values.insert(key, value); }

    QMap<QString, QVariant> values;
    QStringList writes;
};
