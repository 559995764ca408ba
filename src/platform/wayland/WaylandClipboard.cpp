// SPDX-License-Identifier: MIT
#include "platform/wayland/WaylandClipboard.h"

#include "platform/ClipboardTypeKey.h"

WaylandClipboard::WaylandClipboard(const QString& displayName,
                                   std::chrono::milliseconds requestTimeout, QObject* parent)
    : SelectionClipboard(requestTimeout, parent) {
    m_thread = std::make_unique<WaylandClipboardThread>(
        displayName, requestTimeout,
        [this](WaylandClipboardThread::Snapshot snapshot) {
            postSnapshot(snapshot.claims, snapshot.hasOwner, std::move(snapshot.item));
        },
        [this](quint64 claims, bool owned) { postConfirmation(claims, owned); },
        [this] { postConnectionLost(); });
}

WaylandClipboard::~WaylandClipboard() {
    // Joins the thread first, so no delivery can be posted to a half-destroyed object.
    m_thread.reset();
}

bool WaylandClipboard::isOffered(const QString& displayName) {
    return WaylandClipboardThread::offeredProtocol(displayName) != DataControl::Protocol::None;
}

// Wayland clients ask for text by MIME type only. A copy recorded with X names alone (from an X
// client, or a bridge that passed those on) gets the MIME names as well, or native clients would
// find nothing to paste.
void WaylandClipboard::addRestoredTypes(StoredItem& item) const {
    if (item.contains(QString(ClipboardTypeKey::stringUtf8Mime)) ||
        item.contains(QString(ClipboardTypeKey::plainText))) {
        return;
    }
    QByteArray utf8 = item.value(QString(ClipboardTypeKey::utf8String));
    if (utf8.isEmpty()) {
        utf8 = QString::fromLatin1(item.value(QString(ClipboardTypeKey::latin1String))).toUtf8();
    }
    if (!utf8.isEmpty()) {
        item.insert(QString(ClipboardTypeKey::stringUtf8Mime), utf8);
        item.insert(QString(ClipboardTypeKey::plainText), utf8);
    }
}

// Wayland clients ask for text with its charset named; X clients behind the bridge get
// UTF8_STRING as on X11.
QList<QLatin1StringView> WaylandClipboard::fileListTextTypes() const {
    return {ClipboardTypeKey::stringUtf8Mime, ClipboardTypeKey::plainText,
            ClipboardTypeKey::utf8String};
}
