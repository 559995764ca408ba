// SPDX-License-Identifier: MIT
#pragma once

#include <xcb/xcb.h>

#include <QByteArray>
#include <QList>
#include <QString>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <thread>

#include "platform/Clipboard.h"
#include "platform/SelectionClaimQueue.h"
#include "platform/x11/XcbPointer.h"

class X11Atoms;
class X11SelectionOwner;

// One xcb connection and a hidden window on a thread of their own: reads every new CLIPBOARD
// owner's content and serves ours, so no other client can stall the caller's thread.
class X11ClipboardThread {
  public:
    struct Snapshot {
        // Our claims the thread had carried out when it read this; older reads are stale.
        quint64 claims = 0;
        // False when CLIPBOARD lost its owner.
        bool hasOwner = false;
        StoredItem item;
    };
    // Called on the clipboard thread.
    using Deliver = std::function<void(Snapshot)>;
    // Called on the clipboard thread once the server answered for our claims up to `claims`:
    // whether it made us the owner. Claims queued together are answered once.
    using Confirm = std::function<void(quint64 claims, bool owned)>;
    using Clock = std::chrono::steady_clock;
    // Whether to act as the desktop's clipboard manager: hold CLIPBOARD_MANAGER while no other
    // client does, and save the clipboard of applications that hand it over as they exit.
    enum class ManagerRole { Decline, TakeWhenFree };

    // Connects at once; an empty name means $DISPLAY. Without a connection the thread never
    // starts and claims are ignored.
    X11ClipboardThread(const QString& displayName, std::chrono::milliseconds requestTimeout,
                       Deliver deliver, Confirm confirm,
                       ManagerRole managerRole = ManagerRole::Decline);
    ~X11ClipboardThread();
    X11ClipboardThread(const X11ClipboardThread&) = delete;
    X11ClipboardThread& operator=(const X11ClipboardThread&) = delete;

    bool isConnected() const { return m_connection != nullptr; }
    // Makes us the CLIPBOARD owner offering exactly these targets. Any thread.
    void claim(StoredItem content, bool onlyIfStillEmpty);
    // Makes us the PRIMARY owner too, offering what our latest CLIPBOARD claim offers; counted
    // and confirmed like a claim. Any thread.
    void claimPrimary();

  private:
    struct Fetched {
        xcb_atom_t type = XCB_ATOM_NONE;
        quint8 format = 0;
        QByteArray bytes;
    };
    using EventMatch = std::function<bool(const xcb_generic_event_t*)>;

    bool setUp();
    void run();
    void dispatch(const xcb_generic_event_t* event);
    bool interrupted() const;
    bool hasManagerWork() const;
    void takeManagerSelection();
    void queueSaveRequest(const xcb_selection_request_event_t& request);
    void save(const xcb_selection_request_event_t& request);
    std::optional<QList<xcb_atom_t>> requestedTargets(const xcb_selection_request_event_t& request);
    XcbPointer<xcb_generic_event_t> waitFor(const EventMatch& match, Clock::time_point deadline,
                                            bool interruptible);
    void processClaims();
    void finishClaims(quint64 primaryClaims, bool owned);
    bool offerPrimary();
    xcb_timestamp_t serverTime();
    void readOwner(xcb_window_t owner);
    // Reads the owner's TARGETS, or only `wanted`, giving up on what is left at `deadline`.
    std::optional<StoredItem> readItem(const std::optional<QList<xcb_atom_t>>& wanted = {},
                                       Clock::time_point deadline = Clock::time_point::max());
    std::optional<Fetched> fetch(xcb_atom_t target, qsizetype cap,
                                 Clock::time_point deadline = Clock::time_point::max());
    std::optional<Fetched> fetchIncrementally(xcb_atom_t property, qsizetype sizeHint,
                                              qsizetype cap, Clock::time_point deadline);
    XcbPointer<xcb_get_property_reply_t> takeProperty(xcb_atom_t property, qsizetype cap);
    void abandonProperty();

    std::chrono::milliseconds m_timeout;
    Deliver m_deliver;
    Confirm m_confirm;
    ManagerRole m_managerRole;
    xcb_connection_t* m_connection = nullptr;
    xcb_window_t m_window = XCB_WINDOW_NONE;
    quint8 m_xfixesFirstEvent = 0;
    std::unique_ptr<X11Atoms> m_atoms;
    std::unique_ptr<X11SelectionOwner> m_owner;
    std::unique_ptr<X11SelectionOwner> m_primaryOwner;
    QList<xcb_atom_t> m_properties;
    qsizetype m_propertyIndex = 0;

    // Thread state.
    bool m_wakePending = false;
    bool m_broken = false;
    std::optional<xcb_window_t> m_pendingOwner;
    // When another client's CLIPBOARD was last seen going to no owner, while it stays so.
    std::optional<xcb_timestamp_t> m_emptiedAt;
    // Targets asked for and given up before their answer came, oldest first.
    QList<xcb_atom_t> m_abandoned;
    // The owner whose content was last read in full and delivered.
    xcb_window_t m_lastReadOwner = XCB_WINDOW_NONE;
    bool m_managing = false;
    bool m_managerFree = false;
    QList<xcb_selection_request_event_t> m_saveRequests;

    // Shared with the callers of claim().
    SelectionClaimQueue m_queue;
    std::atomic<bool> m_stop{false};

    std::thread m_thread;
};
