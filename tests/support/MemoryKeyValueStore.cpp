#include "MemoryKeyValueStore.h"

void MemoryKeyValueStore::setValue(const QString& key, const QVariant& value) {
    m_values.insert(key, value);
    m_writes.append({key, value, false});
}

void MemoryKeyValueStore::remove(const QString& key) {
    m_values.remove(key);
    m_writes.append({key, QVariant(), true});
}

QStringList MemoryKeyValueStore::writtenKeys() const {
    QStringList keys;
    for (const Write& w : m_writes) {
        keys.append(w.key);
    }
    return keys;
}
