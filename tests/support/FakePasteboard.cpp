#include "FakePasteboard.h"

#include <utility>

#include "platform/PasteboardTypeKey.h"

void FakePasteboard::setContent(const PasteboardSnapshot& content) {
    m_content = content;
    changed();
}

void FakePasteboard::changed() {
    ++m_changeCount;
    if (m_notifies && m_changeHandler) {
        m_changeHandler();
    }
}

void FakePasteboard::ownerLeaves() {
    const qint64 before = m_changeCount;
    if (m_ownerLost) {
        m_ownerLost();
    }
    if (m_changeCount == before) {
        m_content.clear();
        ++m_changeCount;
    }
}

void FakePasteboard::wrote() {
    changed();
    m_unconfirmed = m_holdConfirmations;
}

void FakePasteboard::prepareForNewContents() {
    m_content.clear();
    m_unconfirmed = m_holdConfirmations;
}

bool FakePasteboard::writeItems(const PasteboardSnapshot& items) {
    m_writes.append({Write::Kind::Items, items, {}, {}});
    m_content = items;
    wrote();
    return true;
}

bool FakePasteboard::writeFileUrls(const QList<QUrl>& urls) {
    m_writes.append({Write::Kind::FileUrls, {}, urls, {}});
    QByteArray uriList;
    for (const QUrl& url : urls) {
        uriList += url.toEncoded() + "\r\n";
    }
    m_content = {StoredItem{{QString(PasteboardTypeKey::uriList), uriList}}};
    wrote();
    return true;
}

void FakePasteboard::setString(const QString& text) {
    m_writes.append({Write::Kind::String, {}, {}, text});
    m_content = {StoredItem{{QString(PasteboardTypeKey::utf8String), text.toUtf8()}}};
    wrote();
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

void FakePasteboard::whenWriteConfirmed(std::function<void(bool confirmed)> done) {
    if (m_unconfirmed) {
        m_heldConfirmations.append(std::move(done));
    } else {
        done(m_confirmed);
    }
}

void FakePasteboard::confirmWrites(bool confirmed) {
    m_unconfirmed = false;
    m_confirmed = confirmed;
    const QList<std::function<void(bool)>> held = std::exchange(m_heldConfirmations, {});
    for (const auto& done : held) {
        done(confirmed);
    }
}
