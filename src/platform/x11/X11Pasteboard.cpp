#include "platform/x11/X11Pasteboard.h"

#include <QStringDecoder>
#include <QThreadPool>
#include <QTimer>

#include <algorithm>
#include <utility>

#include "history/PasteboardTypeKey.h"

namespace {
constexpr qsizetype kReleaseElsewhereBytes = 4 * 1024 * 1024;
// Content up to this size stays after a release, so string() keeps answering for text.
constexpr qsizetype kKeptAfterReleaseBytes = 256 * 1024;

// Taking ownership waits for the server's time (bounded by the request timeout) and one round
// trip; a claim not answered after that much more is stuck behind something else.
constexpr std::chrono::milliseconds kConfirmSlack(1000);
}  // namespace

X11Pasteboard::X11Pasteboard(const QString& displayName, std::chrono::milliseconds requestTimeout,
                             X11ClipboardThread::ManagerRole managerRole, QObject* parent)
    : QObject(parent), m_confirmTimeout(requestTimeout + kConfirmSlack) {
    m_confirmTimer.setSingleShot(true);
    connect(&m_confirmTimer, &QTimer::timeout, this, &X11Pasteboard::expireOverdue);
    // Both arrive through the same queue, so they reach the main thread in the thread's order.
    m_thread = std::make_unique<X11ClipboardThread>(
        displayName, requestTimeout,
        [this](X11ClipboardThread::Snapshot snapshot) {
            QMetaObject::invokeMethod(
                this,
                [this, snapshot = std::move(snapshot)]() mutable { accept(std::move(snapshot)); },
                Qt::QueuedConnection);
        },
        [this](quint64 claims, bool owned) {
            QMetaObject::invokeMethod(
                this, [this, claims, owned] { confirm(claims, owned); }, Qt::QueuedConnection);
        },
        managerRole);
}

X11Pasteboard::~X11Pasteboard() {
    // Joins the thread first, so no delivery can be posted to a half-destroyed object.
    m_thread.reset();
}

void X11Pasteboard::accept(X11ClipboardThread::Snapshot snapshot) {
    // Read before our latest write reached the thread: that content is gone.
    if (snapshot.claims < m_claimsIssued) {
        return;
    }
    if (!snapshot.hasOwner && !m_hasOwner) {
        return;
    }
    if (!snapshot.hasOwner && m_ownerLost) {
        // A write in there makes us the owner before anyone sees the clipboard empty.
        const quint64 claims = m_claimsIssued;
        m_ownerLost();
        if (m_claimsIssued != claims) {
            return;
        }
    }
    m_hasOwner = snapshot.hasOwner;
    replaceItems(std::move(snapshot.item));
    ++m_changeCount;
    Q_EMIT externalChange();
    if (m_changeHandler) {
        m_changeHandler();
    }
}

void X11Pasteboard::setChangeHandler(std::function<void()> handler) {
    m_changeHandler = std::move(handler);
}

void X11Pasteboard::whenWriteConfirmed(std::function<void(bool confirmed)> done) {
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

void X11Pasteboard::offerLatestWriteAsPrimary() {
    if (!isConnected()) {
        return;
    }
    // A claim of its own: waits that start now end once PRIMARY is ours as well.
    ++m_claimsIssued;
    m_thread->claimPrimary();
}

void X11Pasteboard::confirm(quint64 claims, bool owned) {
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

void X11Pasteboard::expireOverdue() {
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

void X11Pasteboard::rearmConfirmTimer() {
    if (m_confirmationWaits.isEmpty()) {
        m_confirmTimer.stop();
        return;
    }
    // Waits are added in deadline order, so the first one is due first.
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        m_confirmationWaits.first().deadline - std::chrono::steady_clock::now());
    m_confirmTimer.start(std::max(left, std::chrono::milliseconds(0)));
}

void X11Pasteboard::replaceItems(StoredItem item) {
    PasteboardSnapshot old = std::exchange(m_items, {});
    if (!item.isEmpty()) {
        m_items.append(std::move(item));
    }
    // Unmapping a large copy takes milliseconds; if we hold its last reference, drop it elsewhere.
    if (byteCount(old) >= kReleaseElsewhereBytes) {
        QThreadPool::globalInstance()->start([old = std::move(old)]() mutable { old.clear(); });
    }
}

void X11Pasteboard::releaseContent() {
    // Otherwise the latest large copy would stay resident here until the next one arrives.
    if (byteCount(m_items) > kKeptAfterReleaseBytes) {
        replaceItems({});
    }
}

bool X11Pasteboard::write(StoredItem content) {
    if (!isConnected()) {
        return false;
    }
    ++m_claimsIssued;
    m_thread->claim(content);
    replaceItems(std::move(content));
    m_hasOwner = true;
    ++m_changeCount;
    if (m_changeHandler) {
        m_changeHandler();
    }
    return true;
}

void X11Pasteboard::prepareForNewContents() {
    write({});
}

bool X11Pasteboard::writeItems(const PasteboardSnapshot& items) {
    // X holds one item: offer every target, the first item's bytes winning.
    StoredItem merged;
    for (const StoredItem& item : items) {
        for (auto it = item.cbegin(); it != item.cend(); ++it) {
            if (!merged.contains(it.key())) {
                merged.insert(it.key(), it.value());
            }
        }
    }
    return write(std::move(merged));
}

bool X11Pasteboard::writeFileUrls(const QList<QUrl>& urls) {
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
    return write(StoredItem{
        {QString(PasteboardTypeKey::uriList), uriList},
        {QString(PasteboardTypeKey::gnomeCopiedFiles), "copy\n" + uris.join('\n')},
        {QString(PasteboardTypeKey::plainText), pathText},
        {QString(PasteboardTypeKey::utf8String), pathText},
    });
}

void X11Pasteboard::setString(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    StoredItem item{
        {QString(PasteboardTypeKey::utf8String), utf8},
        {QString(PasteboardTypeKey::stringUtf8Mime), utf8},
        {QString(PasteboardTypeKey::plainText), utf8},
        {QStringLiteral("TEXT"), utf8},
    };
    // STRING is Latin-1: a text beyond it is better not offered that way than offered as "?"s.
    if (std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() <= 0xFF; })) {
        item.insert(QString(PasteboardTypeKey::latin1String), text.toLatin1());
    }
    write(item);
}

std::optional<QString> X11Pasteboard::string() const {
    if (m_items.isEmpty()) {
        return std::nullopt;
    }
    const StoredItem& item = m_items.first();
    for (const QLatin1StringView key :
         {PasteboardTypeKey::stringUtf8Mime, PasteboardTypeKey::utf8String,
          PasteboardTypeKey::plainText}) {
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
    const auto latin1 = item.constFind(QString(PasteboardTypeKey::latin1String));
    if (latin1 != item.cend() && !latin1->isEmpty()) {
        return QString::fromLatin1(*latin1);
    }
    return std::nullopt;
}
