#pragma once

#include <QObject>
#include <QTimer>

#include <chrono>
#include <functional>
#include <memory>

#include "platform/Pasteboard.h"
#include "platform/wayland/WaylandClipboardThread.h"

// The Wayland clipboard, through the compositor's data control (wlroots compositors, KWin), as
// the history's pasteboard. Reading and serving happen on a thread with its own connection;
// this object, on the main thread, only holds the latest content and the count.
class WaylandPasteboard final : public QObject, public Pasteboard {
    Q_OBJECT
  public:
    // An empty display name means $WAYLAND_DISPLAY. Without a compositor offering data control,
    // or once it is gone, this is an empty clipboard whose count never moves.
    // `requestTimeout` bounds every wait for another client.
    explicit WaylandPasteboard(const QString& displayName = {},
                               std::chrono::milliseconds requestTimeout = std::chrono::seconds(1),
                               QObject* parent = nullptr);
    ~WaylandPasteboard() override;

    // Whether the display offers data control and a seat, so that this pasteboard can work
    // there. Connects for one round trip.
    static bool isOffered(const QString& displayName = {});

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

    bool isConnected() const { return m_thread && m_thread->isConnected() && !m_lost; }

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
    void accept(WaylandClipboardThread::Snapshot snapshot);
    void confirm(quint64 claims, bool owned);
    void connectionLost();
    void expireOverdue();
    // One timer for the oldest wait, stopped when none is left: no wake-up after a paste.
    void rearmConfirmTimer();
    void replaceItems(StoredItem item);

    std::unique_ptr<WaylandClipboardThread> m_thread;
    bool m_lost = false;
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
