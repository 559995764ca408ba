// SPDX-License-Identifier: MIT
#include "platform/SelectionClipboard.h"

#include <QStringDecoder>
#include <QThreadPool>

#include <algorithm>
#include <utility>

#include "platform/ClipboardTypeKey.h"

namespace {
constexpr qsizetype kReleaseElsewhereBytes = 4 * 1024 * 1024;
// Content up to this size stays after a release, so string() keeps answering for text.
constexpr qsizetype kKeptAfterReleaseBytes = 256 * 1024;

// Taking the selection waits at most the request timeout for the other side, and the thread
// handles it as soon as it is free; a claim not answered after that much more is stuck behind
// something else.
constexpr std::chrono::milliseconds kConfirmSlack(1000);
}  // namespace

SelectionClipboard::SelectionClipboard(std::chrono::milliseconds requestTimeout, QObject* parent)
    : QObject(parent), m_confirmTimeout(requestTimeout + kConfirmSlack) {
    m_confirmTimer.setSingleShot(true);
    connect(&m_confirmTimer, &QTimer::timeout, this, &SelectionClipboard::expireOverdue);
}

// All three go through the same queue, so they reach the main thread in the thread's order.
void SelectionClipboard::postSnapshot(quint64 claims, bool hasOwner, StoredItem item) {
    QMetaObject::invokeMethod(
        this,
        [this, claims, hasOwner, item = std::move(item)]() mutable {
            accept(claims, hasOwner, std::move(item));
        },
        Qt::QueuedConnection);
}

void SelectionClipboard::postConfirmation(quint64 claims, bool owned) {
    QMetaObject::invokeMethod(
        this, [this, claims, owned] { confirm(claims, owned); }, Qt::QueuedConnection);
}

void SelectionClipboard::postConnectionLost() {
    QMetaObject::invokeMethod(
        this, [this] { connectionLost(); }, Qt::QueuedConnection);
}

void SelectionClipboard::accept(quint64 claims, bool hasOwner, StoredItem item) {
    // Read before our latest write reached the thread: that content is gone.
    if (m_lost || claims < m_claimsIssued) {
        return;
    }
    if (!hasOwner && !m_hasOwner) {
        return;
    }
    if (!hasOwner && m_ownerLost) {
        // A write in there makes us the owner before anyone sees the clipboard empty.
        const quint64 issued = m_claimsIssued;
        m_fillingEmpty = true;
        m_ownerLost();
        m_fillingEmpty = false;
        if (m_claimsIssued != issued) {
            return;
        }
    }
    m_hasOwner = hasOwner;
    replaceItems(std::move(item));
    ++m_changeCount;
    if (m_changeHandler) {
        m_changeHandler();
    }
    notifyChangeObservers();
}

void SelectionClipboard::connectionLost() {
    // Nothing can be read or offered any more: the clipboard we knew went with the compositor.
    m_lost = true;
    m_hasOwner = false;
    replaceItems({});
    QList<ConfirmationWait> waits = std::exchange(m_confirmationWaits, {});
    rearmConfirmTimer();
    for (const ConfirmationWait& wait : std::as_const(waits)) {
        wait.done(false);
    }
}

void SelectionClipboard::whenWriteConfirmed(std::function<void(bool confirmed)> done) {
    if (!isConnected()) {
        done(false);
        return;
    }
    if (m_claimsConfirmed >= m_claimsIssued) {
        done(m_lastClaimOwned);
        return;
    }
    m_confirmationWaits.append(
        {std::chrono::steady_clock::now() + m_confirmTimeout, m_claimsIssued, std::move(done)});
    rearmConfirmTimer();
}

void SelectionClipboard::offerLatestWriteAsPrimary() {
    if (!isConnected() || !offersPrimary()) {
        return;
    }
    // A claim of its own: waits that start now end once the primary selection is ours as well.
    ++m_claimsIssued;
    claimPrimary();
}

void SelectionClipboard::confirm(quint64 claims, bool owned) {
    m_claimsConfirmed = claims;
    m_lastClaimOwned = owned;
    // A wait for an earlier claim ends too: what is offered now is a later write of ours.
    QList<ConfirmationWait> answered;
    for (qsizetype i = 0; i < m_confirmationWaits.size();) {
        if (m_confirmationWaits[i].claims <= claims) {
            answered.append(m_confirmationWaits.takeAt(i));
        } else {
            ++i;
        }
    }
    rearmConfirmTimer();
    for (const ConfirmationWait& wait : std::as_const(answered)) {
        wait.done(owned);
    }
}

void SelectionClipboard::expireOverdue() {
    const auto now = std::chrono::steady_clock::now();
    QList<ConfirmationWait> overdue;
    while (!m_confirmationWaits.isEmpty() && m_confirmationWaits.first().deadline <= now) {
        overdue.append(m_confirmationWaits.takeFirst());
    }
    rearmConfirmTimer();
    for (const ConfirmationWait& wait : std::as_const(overdue)) {
        wait.done(false);
    }
}

void SelectionClipboard::rearmConfirmTimer() {
    if (m_confirmationWaits.isEmpty()) {
        m_confirmTimer.stop();
        return;
    }
    // Waits are added in deadline order, so the first one is due first.
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        m_confirmationWaits.first().deadline - std::chrono::steady_clock::now());
    m_confirmTimer.start(std::max(left, std::chrono::milliseconds(0)));
}

void SelectionClipboard::replaceItems(StoredItem item) {
    ClipboardSnapshot old = std::exchange(m_items, {});
    if (!item.isEmpty()) {
        m_items.append(std::move(item));
    }
    // Unmapping a large copy takes milliseconds; if we hold its last reference, drop it elsewhere.
    if (byteCount(old) >= kReleaseElsewhereBytes) {
        QThreadPool::globalInstance()->start([old = std::move(old)]() mutable { old.clear(); });
    }
}

void SelectionClipboard::releaseContent() {
    // Otherwise the latest large copy would stay resident here until the next one arrives.
    if (byteCount(m_items) > kKeptAfterReleaseBytes) {
        replaceItems({});
    }
}

bool SelectionClipboard::write(StoredItem content) {
    if (!isConnected()) {
        return false;
    }
    ++m_claimsIssued;
    claim(content, m_fillingEmpty);
    replaceItems(std::move(content));
    m_hasOwner = true;
    ++m_changeCount;
    if (m_changeHandler) {
        m_changeHandler();
    }
    notifyChangeObservers();
    return true;
}

void SelectionClipboard::prepareForNewContents() {
    write({});
}

bool SelectionClipboard::writeItems(const ClipboardSnapshot& items) {
    // A selection holds one item: offer every type, the first item's bytes winning.
    StoredItem merged;
    for (const StoredItem& item : items) {
        for (auto it = item.cbegin(); it != item.cend(); ++it) {
            if (!merged.contains(it.key())) {
                merged.insert(it.key(), it.value());
            }
        }
    }
    addRestoredTypes(merged);
    return write(std::move(merged));
}

bool SelectionClipboard::writeFileUrls(const QList<QUrl>& urls) {
    QByteArray uriList;
    QByteArrayList uris;
    QStringList paths;
    for (const QUrl& url : urls) {
        const QByteArray encoded = url.toEncoded();
        uriList += encoded + "\r\n";
        uris.append(encoded);
        paths.append(url.isLocalFile() ? url.toLocalFile() : url.toString());
    }
    const QByteArray pathText = paths.join(QLatin1Char('\n')).toUtf8();
    StoredItem item{
        {QString(ClipboardTypeKey::uriList), uriList},
        {QString(ClipboardTypeKey::gnomeCopiedFiles), "copy\n" + uris.join('\n')},
    };
    for (const QLatin1StringView type : fileListTextTypes()) {
        item.insert(QString(type), pathText);
    }
    return write(std::move(item));
}

QList<QLatin1StringView> SelectionClipboard::fileListTextTypes() const {
    return {ClipboardTypeKey::plainText, ClipboardTypeKey::utf8String};
}

void SelectionClipboard::setString(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    StoredItem item{
        {QString(ClipboardTypeKey::utf8String), utf8},
        {QString(ClipboardTypeKey::stringUtf8Mime), utf8},
        {QString(ClipboardTypeKey::plainText), utf8},
        {QStringLiteral("TEXT"), utf8},
    };
    // STRING is Latin-1: a text beyond it is better not offered that way than offered as "?"s.
    if (std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() <= 0xFF; })) {
        item.insert(QString(ClipboardTypeKey::latin1String), text.toLatin1());
    }
    write(item);
}

std::optional<QString> SelectionClipboard::string() const {
    if (m_items.isEmpty()) {
        return std::nullopt;
    }
    const StoredItem& item = m_items.first();
    for (const QLatin1StringView key :
         {ClipboardTypeKey::stringUtf8Mime, ClipboardTypeKey::utf8String,
          ClipboardTypeKey::plainText}) {
        const auto found = item.constFind(QString(key));
        if (found == item.cend() || found->isEmpty()) {
            continue;
        }
        QStringDecoder decoder(QStringDecoder::Utf8);
        const QString text = decoder(*found);
        if (!decoder.hasError()) {
            return text;
        }
    }
    const auto latin1 = item.constFind(QString(ClipboardTypeKey::latin1String));
    if (latin1 != item.cend() && !latin1->isEmpty()) {
        return QString::fromLatin1(*latin1);
    }
    return std::nullopt;
}
