// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QString>

#include <functional>
#include <utility>

#include "platform/Clipboard.h"
#include "platform/ClipboardTypeKey.h"

// An in-memory clipboard. Every write (and every simulated copy) bumps the change count once;
// items() returns what was last written or copied. Records every write for inspection.
class FakeClipboard final : public Clipboard {
  public:
    // Another application copies this content.
    void setContent(const ClipboardSnapshot& content) {
        m_content = content;
        changed();
    }
    // The owning application quits and leaves the clipboard without an owner.
    void ownerLeaves() {
        const qint64 before = m_changeCount;
        if (m_ownerLost) {
            m_ownerLost();
        }
        if (m_changeCount == before) {
            m_content.clear();
            ++m_changeCount;
        }
    }

    qint64 changeCount() const override {
        ++m_changeCountReads;
        return m_changeCount;
    }
    // How often changeCount() was asked: one per check of a watcher.
    int changeCountReads() const { return m_changeCountReads; }
    ClipboardSnapshot items() const override { return m_content; }
    bool write(const StoredItem& content) override {
        if (m_refusesWrites) {
            return false;
        }
        m_writes.append(content);
        m_content = {content};
        changed();
        m_unconfirmed = m_holdConfirmations;
        return true;
    }
    std::optional<QString> string() const override {
        using namespace ClipboardTypeKey;
        for (const StoredItem& item : m_content) {
            for (QLatin1StringView key : {stringUtf8Mime, utf8String, plainText, latin1String}) {
                if (item.contains(key)) {
                    const QByteArray bytes = item.value(key);
                    return key == latin1String ? QString::fromLatin1(bytes)
                                               : QString::fromUtf8(bytes);
                }
            }
        }
        return std::nullopt;
    }
    // Answered at once unless a write is unconfirmed; then held until confirmWrites().
    void whenWriteConfirmed(std::function<void(bool confirmed)> done) override {
        if (m_unconfirmed) {
            m_heldConfirmations.append(std::move(done));
        } else {
            done(m_confirmed);
        }
    }
    // While set, writes fail as they do once the display has gone.
    void setRefusesWrites(bool refuses) { m_refusesWrites = refuses; }
    // While set, every write stays unconfirmed until confirmWrites().
    void setHoldConfirmations(bool hold) { m_holdConfirmations = hold; }
    // Settles the writes so far and answers every held wait, in order.
    void confirmWrites(bool confirmed) {
        m_unconfirmed = false;
        m_confirmed = confirmed;
        for (const auto& done : std::exchange(m_heldConfirmations, {})) {
            done(confirmed);
        }
    }
    void setOwnerLostHandler(std::function<void()> handler) override {
        m_ownerLost = std::move(handler);
    }
    void offerLatestWriteAsPrimary() override { m_primaryOffers.append(m_writes.size()); }
    // While set, every change of the count calls the handler at once, as a notifying clipboard
    // would; otherwise the handler is never called.
    void setNotifiesChanges(bool notifies) { m_notifies = notifies; }
    bool notifiesChanges() const override { return m_notifies; }
    void setChangeHandler(std::function<void()> handler) override {
        m_changeHandler = std::move(handler);
    }

    const QList<StoredItem>& writes() const { return m_writes; }
    // For each offer of the primary selection, how many writes had been made by then.
    const QList<qsizetype>& primaryOffers() const { return m_primaryOffers; }

  private:
    void changed() {
        ++m_changeCount;
        if (m_notifies && m_changeHandler) {
            m_changeHandler();
        }
        if (m_notifies) {
            notifyChangeObservers();
        }
    }

    qint64 m_changeCount = 0;
    mutable int m_changeCountReads = 0;
    ClipboardSnapshot m_content;
    QList<StoredItem> m_writes;
    QList<qsizetype> m_primaryOffers;
    bool m_refusesWrites = false, m_holdConfirmations = false, m_unconfirmed = false,
         m_confirmed = true;
    QList<std::function<void(bool)>> m_heldConfirmations;
    std::function<void()> m_ownerLost;
    bool m_notifies = false;
    std::function<void()> m_changeHandler;
};
