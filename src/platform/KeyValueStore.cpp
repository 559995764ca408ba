// SPDX-License-Identifier: MIT
#include "platform/KeyValueStore.h"

#include <limits>

namespace {

bool isIntegerType(int typeId) {
    switch (typeId) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Long:
        case QMetaType::ULong:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::SChar:
        case QMetaType::UChar:
            return true;
        default:
            return false;
    }
}

bool isUnsignedType(int typeId) {
    return typeId == QMetaType::UInt || typeId == QMetaType::ULong ||
           typeId == QMetaType::ULongLong || typeId == QMetaType::UShort ||
           typeId == QMetaType::UChar;
}

// Whole decimal numbers only: an optional sign, then digits. QString's own parsers accept
// surrounding blanks, which would let hand-edited junk through.
bool isWholeNumber(const QString& text, bool allowMinus) {
    qsizetype i = 0;
    if (i < text.size() && (text[i] == u'+' || (allowMinus && text[i] == u'-'))) {
        ++i;
    }
    if (i == text.size()) {
        return false;
    }
    for (; i < text.size(); ++i) {
        if (text[i] < u'0' || text[i] > u'9') {
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<QString> KeyValueStore::stringValue(const QString& key) const {
    const QVariant v = value(key);
    if (v.typeId() != QMetaType::QString) {
        return std::nullopt;
    }
    return v.toString();
}

std::optional<QStringList> KeyValueStore::stringListValue(const QString& key) const {
    const QVariant v = value(key);
    switch (v.typeId()) {
        case QMetaType::QStringList:
            return v.toStringList();
        case QMetaType::QString:
            // INI files keep a one-element list as a plain string.
            return QStringList{v.toString()};
        case QMetaType::QVariantList: {
            QStringList out;
            for (const QVariant& element : v.toList()) {
                if (element.typeId() != QMetaType::QString) {
                    return std::nullopt;
                }
                out.append(element.toString());
            }
            return out;
        }
        default:
            return std::nullopt;
    }
}

std::optional<bool> KeyValueStore::boolValue(const QString& key) const {
    const QVariant v = value(key);
    if (v.typeId() == QMetaType::Bool) {
        return v.toBool();
    }
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString();
        if (s == u"true") {
            return true;
        }
        if (s == u"false") {
            return false;
        }
    }
    return std::nullopt;
}

std::optional<qint64> KeyValueStore::intValue(const QString& key) const {
    const QVariant v = value(key);
    const int type = v.typeId();
    if (isIntegerType(type)) {
        if (isUnsignedType(type)) {
            const quint64 u = v.toULongLong();
            if (u > quint64(std::numeric_limits<qint64>::max())) {
                return std::nullopt;
            }
            return qint64(u);
        }
        return v.toLongLong();
    }
    if (type == QMetaType::QString) {
        const QString s = v.toString();
        if (!isWholeNumber(s, true)) {
            return std::nullopt;
        }
        bool ok = false;
        const qint64 n = s.toLongLong(&ok, 10);
        if (!ok) {
            return std::nullopt;
        }
        return n;
    }
    return std::nullopt;
}

std::optional<quint64> KeyValueStore::uintValue(const QString& key) const {
    const QVariant v = value(key);
    const int type = v.typeId();
    if (isIntegerType(type)) {
        if (isUnsignedType(type)) {
            return v.toULongLong();
        }
        const qint64 n = v.toLongLong();
        if (n < 0) {
            return std::nullopt;
        }
        return quint64(n);
    }
    if (type == QMetaType::QString) {
        const QString s = v.toString();
        if (!isWholeNumber(s, false)) {
            return std::nullopt;
        }
        bool ok = false;
        const quint64 n = s.toULongLong(&ok, 10);
        if (!ok) {
            return std::nullopt;
        }
        return n;
    }
    return std::nullopt;
}
