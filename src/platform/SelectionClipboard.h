// SPDX-License-Identifier: MIT
#pragma once

#include <QLatin1StringView>
#include <QList>
#include <QObject>
#include <QTimer>

#include <chrono>
#include <functional>

#include "platform/Clipboard.h"

// A desktop selection read and served by a thread with its own connection, as the history's
// clipboard. This object, on the main thread, only holds the latest content, the count and the
// waits for our writes; a backend adds the thread and hands over what it reports through the
// post* calls, which may be made on any thread and arrive in the order they were made.
class SelectionClipboard : public QObject, public Clipboard {
    Q_OBJECT
  public:
    qint64 changeCount() const override { return m_changeCount; }
    ClipboardSnapshot items() const override { return m_items; }
    void prepareForNewContents() override;
    bool writeItems(const ClipboardSnapshot& items) override;
    bool writeFileUrls(const QList<QUrl>& urls) override;
    void setString(const QString& text) override;
    std::optional<QString> string() const override;
    void releaseContent() override;
    void whenWriteConfirmed(std::function<void(bool confirmed)> done) override;
    void setOwnerLostHandler(std::function<void()> handler) override {
        m_ownerLost = std::move(handler);
    }
    void offerLatestWriteAsPrimary() override;
    bool notifiesChanges() const override { return true; }
    void setChangeHandler(std::function<void()> handler) override {
        m_changeHandler = std::move(handler);
    }

    bool isConnected() const { return !m_lost && threadConnected(); }

  protected:
    // `requestTimeout` bounds every wait of the thread for another client.
    SelectionClipboard(std::chrono::milliseconds requestTimeout, QObject* parent);

    virtual bool threadConnected() const = 0;
    // A claim made for an owner that left is carried out only while the selection stays empty:
    // a copy made meanwhile must not be overwritten with an older one.
    virtual void claim(const StoredItem& content, bool onlyIfStillEmpty) = 0;
    virtual bool offersPrimary() const { return true; }
    virtual void claimPrimary() = 0;
    // Types a restored copy is offered under besides its own.
    virtual void addRestoredTypes(StoredItem& /*item*/) const {}
    // The types a file list's paths are offered under as text.
    virtual QList<QLatin1StringView> fileListTextTypes() const;

    // The selection as read once `claims` of our writes were carried out; no owner means it was
    // left empty.
    void postSnapshot(quint64 claims, bool hasOwner, StoredItem item);
    // Our writes up to `claims` are carried out; `owned` is false when another took it first.
    void postConfirmation(quint64 claims, bool owned);
    // Nothing can be read or offered any more.
    void postConnectionLost();

  private:
    struct ConfirmationWait {
        std::chrono::steady_clock::time_point deadline;
        quint64 claims = 0;
        std::function<void(bool)> done;
    };

    bool write(StoredItem content);
    void accept(quint64 claims, bool hasOwner, StoredItem item);
    void confirm(quint64 claims, bool owned);
    void connectionLost();
    void expireOverdue();
    // One timer for the oldest wait, stopped when none is left: no wake-up after a paste.
    void rearmConfirmTimer();
    void replaceItems(StoredItem item);

    bool m_lost = false;
    qint64 m_changeCount = 0;
    ClipboardSnapshot m_items;
    quint64 m_claimsIssued = 0;
    bool m_hasOwner = false;
    std::chrono::milliseconds m_confirmTimeout;
    quint64 m_claimsConfirmed = 0;
    bool m_lastClaimOwned = true;
    QList<ConfirmationWait> m_confirmationWaits;
    QTimer m_confirmTimer;
    std::function<void()> m_ownerLost;
    bool m_fillingEmpty = false;
    std::function<void()> m_changeHandler;
};
