// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <thread>

#include "platform/Clipboard.h"
#include "platform/SelectionClaimQueue.h"
#include "platform/wayland/DataControl.h"
#include "platform/wayland/WaylandSelectionOwner.h"

struct wl_callback;
struct wl_display;
struct wl_registry;
struct wl_proxy;
struct wl_seat;

// A Wayland connection of its own on a thread of its own, through the compositor's data
// control: reads every new clipboard selection, each offered type byte for byte, and serves
// ours through a WaylandSelectionOwner, so no other client can stall the caller's thread and no
// focus is needed. Reads and transfers are all non-blocking on one poll loop: a slow reader of
// ours never delays reading a new copy, and a slow owner never delays serving.
class WaylandClipboardThread {
  public:
    struct Snapshot {
        // Our claims the thread had carried out when it read this; older reads are stale.
        quint64 claims = 0;
        // False when the clipboard was left without content.
        bool hasOwner = false;
        // The types whose bytes arrived in full.
        StoredItem item;
    };
    // Called on the clipboard thread.
    using Deliver = std::function<void(Snapshot)>;
    // Called on the clipboard thread once the compositor has handled our claims up to `claims`:
    // whether our content is what others get. Claims queued together are answered once.
    using Confirm = std::function<void(quint64 claims, bool owned)>;
    // Called on the clipboard thread, once, when the connection or data control is gone.
    using Lost = std::function<void()>;
    using Clock = std::chrono::steady_clock;

    // The data control the display offers (with a seat); none without one or without a display.
    static DataControl::Protocol offeredProtocol(const QString& displayName);

    // Connects at once; an empty name means $WAYLAND_DISPLAY. Without a connection, a seat or
    // data control the thread never starts and claims are ignored. `requestTimeout` bounds
    // every wait for another client: an owner silent that long while we read a type, a reader
    // taking none of our bytes that long.
    WaylandClipboardThread(const QString& displayName, std::chrono::milliseconds requestTimeout,
                           Deliver deliver, Confirm confirm, Lost lost);
    ~WaylandClipboardThread();
    WaylandClipboardThread(const WaylandClipboardThread&) = delete;
    WaylandClipboardThread& operator=(const WaylandClipboardThread&) = delete;

    bool isConnected() const { return m_device != nullptr; }
    // Whether the compositor has a primary selection we can set.
    bool offersPrimary() const { return m_control.offersPrimary(); }
    // Makes us the clipboard's owner offering exactly these types. Any thread.
    void claim(StoredItem content, bool onlyIfStillEmpty);
    // Offers what our latest clipboard claim offers as the primary selection too; counted and
    // confirmed like a claim. Any thread.
    void claimPrimary();

  private:
    friend struct WaylandClipboardListeners;
    struct Offer {
        wl_proxy* offer = nullptr;
        QStringList types;
    };
    // A sync sent after our set requests: once done, the compositor has handled them.
    struct PendingSync {
        wl_callback* callback = nullptr;
        quint64 claims = 0;
        WaylandSelectionOwner::SourcePointer clipboard;
        WaylandSelectionOwner::SourcePointer primary;
        bool failed = false;
    };
    struct Read {
        Offer offer;
        qsizetype next = 0;
        StoredItem item;
        qsizetype budget = 0;
        int fd = -1;
        QString type;
        QByteArray bytes;
        Clock::time_point deadline;
    };
    void onGlobal(wl_registry* registry, quint32 name, const char* interface, quint32 version);
    void onDataOffer(wl_proxy* offer);
    void onOfferType(wl_proxy* offer, const char* mimeType);
    void onSelection(wl_proxy* offer);
    void onPrimarySelection(wl_proxy* offer);
    void onSyncDone(wl_callback* callback);
    Offer takeNewOffer(wl_proxy* offer);
    void destroyOffer(wl_proxy*& offer);

    void run();
    bool pollOnce();
    void processClaims();
    void sync(PendingSync pending);

    void startRead(Offer offer);
    void abandonRead();
    void readNextType();
    void readAvailable();
    void finishType(bool complete);
    void finishRead();

    void disconnect();

    std::chrono::milliseconds m_timeout;
    Deliver m_deliver;
    Confirm m_confirm;
    Lost m_lost;
    wl_display* m_display = nullptr;
    wl_registry* m_registry = nullptr;
    wl_seat* m_seat = nullptr;
    // The best data control announced, bound once the registry is complete.
    DataControl::Global m_global;
    DataControl m_control;
    wl_proxy* m_device = nullptr;
    std::unique_ptr<WaylandSelectionOwner> m_owner;

    // Thread state. Offers announced but not yet placed, the current selection's offer and the
    // primary selection's (kept until the next one, as the protocol asks).
    QList<Offer> m_newOffers;
    wl_proxy* m_selection = nullptr;
    // The types m_selection offers, to read it again.
    QStringList m_selectionTypes;
    wl_proxy* m_primary = nullptr;
    std::optional<Read> m_read;
    // Whether a selection event has come back for our latest clipboard source yet.
    bool m_echoSeen = false;
    QList<PendingSync> m_syncs;
    bool m_wakePending = false;
    bool m_broken = false;

    // Shared with the callers of claim().
    SelectionClaimQueue m_queue;
    std::atomic<bool> m_stop{false};

    std::thread m_thread;
};
