#pragma once

#include <QObject>
#include <QTimer>

#include <chrono>
#include <functional>
#include <memory>

#include "platform/Pasteboard.h"
#include "platform/x11/X11ClipboardThread.h"

// The X11 CLIPBOARD as the history's pasteboard. Reading and serving happen on a thread with its
// own connection; this object, on the main thread, only holds the latest content and the count.
class X11Pasteboard final : public QObject, public Pasteboard {
    Q_OBJECT
  public:
    // An empty display name means $DISPLAY. Without a display this is an empty clipboard whose
    // count never moves. `requestTimeout` bounds every wait for another client.
    explicit X11Pasteboard(
        const QString& displayName = {},
        std::chrono::milliseconds requestTimeout = std::chrono::seconds(1),
        X11ClipboardThread::ManagerRole managerRole = X11ClipboardThread::ManagerRole::Decline,
        QObject* parent = nullptr);
    ~X11Pasteboard() override;

    qint64 changeCount() const override { return m_changeCount; }
    PasteboardSnapshot items() const override { return m_items; }
    void prepareForNewContents() override;
    bool writeItems(const PasteboardSnapshot& items) override;
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
    void setChangeHandler(std::function<void()> handler) override;

    bool isConnected() const { return m_thread && m_thread->isConnected(); }

  Q_SIGNALS:
    // Another client's content arrived, or the clipboard lost its owner.
    void externalChange();

  private:
    struct ConfirmationWait {
        std::chrono::steady_clock::time_point deadline;
        quint64 claims = 0;
        std::function<void(bool)> done;
    };

    bool write(StoredItem content);
    void accept(X11ClipboardThread::Snapshot snapshot);
    void confirm(quint64 claims, bool owned);
    void expireOverdue();
    // One timer for the oldest wait, stopped when none is left: no wake-up after a paste.
    void rearmConfirmTimer();
    void replaceItems(StoredItem item);

    std::unique_ptr<X11ClipboardThread> m_thread;
    qint64 m_changeCount = 0;
    PasteboardSnapshot m_items;
    quint64 m_claimsIssued = 0;
    bool m_hasOwner = false;
    std::chrono::milliseconds m_confirmTimeout;
    quint64 m_claimsConfirmed = 0;
    bool m_lastClaimOwned = true;
    QList<ConfirmationWait> m_confirmationWaits;
    QTimer m_confirmTimer;
    std::function<void()> m_ownerLost;
    std::function<void()> m_changeHandler;
};
