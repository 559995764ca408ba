#include "MemoryKeyValueStore.h"

void MemoryKeyValueStore::setValue(const QString& key, const QVariant& value) {
    m_values.insert(key, value);
    m_writes.append({key, value, false});
}

void MemoryKeyValueStore::remove(const QString& key) {
    m_values.remove(key);
    m_writes.append({key, QVariant(), true});
}

QStringList MemoryKeyValueStore::keysUnder(const QString& group) const {
    const QString prefix = group + u'/';
    QStringList keys;
    for (auto it = m_values.cbegin(); it != m_values.cend(); ++it) {
        if (it.key().startsWith(prefix)) {
            keys.append(it.key().mid(prefix.size()));
        }
    }
    return keys;
}

QStringList MemoryKeyValueStore::writtenKeys() const {
    QStringList keys;
    for (const Write& w : m_writes) {
        keys.append(w.key);
    }
    return keys;
}
