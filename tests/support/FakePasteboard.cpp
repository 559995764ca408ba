#include "FakePasteboard.h"

#include "history/PasteboardTypeKey.h"

void FakePasteboard::setContent(const PasteboardSnapshot& content) {
    m_content = content;
    ++m_changeCount;
}

bool FakePasteboard::writeItems(const PasteboardSnapshot& items) {
    m_writes.append({Write::Kind::Items, items, {}, {}});
    m_content = items;
    ++m_changeCount;
    return m_writeResult;
}

bool FakePasteboard::writeFileUrls(const QList<QUrl>& urls) {
    m_writes.append({Write::Kind::FileUrls, {}, urls, {}});
    QByteArray uriList;
    for (const QUrl& url : urls) {
        uriList += url.toEncoded() + "\r\n";
    }
    m_content = {StoredItem{{QString(PasteboardTypeKey::uriList), uriList}}};
    ++m_changeCount;
    return m_writeResult;
}

void FakePasteboard::setString(const QString& text) {
    m_writes.append({Write::Kind::String, {}, {}, text});
    m_content = {StoredItem{{QString(PasteboardTypeKey::utf8String), text.toUtf8()}}};
    ++m_changeCount;
}

std::optional<QString> FakePasteboard::string() const {
    for (const StoredItem& item : m_content) {
        for (QLatin1StringView key :
             {PasteboardTypeKey::stringUtf8Mime, PasteboardTypeKey::utf8String,
              PasteboardTypeKey::plainText}) {
            if (item.contains(key)) {
                return QString::fromUtf8(item.value(key));
            }
        }
        if (item.contains(PasteboardTypeKey::latin1String)) {
            return QString::fromLatin1(item.value(PasteboardTypeKey::latin1String));
        }
    }
    return std::nullopt;
}
