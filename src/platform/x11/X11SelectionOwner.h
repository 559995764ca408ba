// SPDX-License-Identifier: MIT
#pragma once

#include <xcb/xcb.h>

#include <QByteArray>
#include <QList>

#include <chrono>

class X11Atoms;

// Serves CLIPBOARD for this process: answers TARGETS, TIMESTAMP and every stored target byte for
// byte, large ones by INCR. Driven by the connection's thread, which feeds it every event.
class X11SelectionOwner {
  public:
    struct Target {
        xcb_atom_t target = XCB_ATOM_NONE;
        xcb_atom_t type = XCB_ATOM_NONE;
        QByteArray bytes;
    };
    using Clock = std::chrono::steady_clock;

    // `selection` is the one served, CLIPBOARD when none is named.
    X11SelectionOwner(xcb_connection_t* connection, xcb_window_t window, const X11Atoms& atoms,
                      xcb_atom_t selection = XCB_ATOM_NONE);

    // Tells the requestor its request is done: the answer is in `property`, or refused (None).
    static void notifyRequestor(xcb_connection_t* connection,
                                const xcb_selection_request_event_t& request, xcb_atom_t property);

    // Answers with these targets from now on; `since` is the ownership's server time.
    void serve(QList<Target> targets, xcb_timestamp_t since);
    // Refuses every further request; transfers already under way still complete.
    void stopServing();
    bool isServing() const { return m_serving; }
    // When the selection served became ours.
    xcb_timestamp_t since() const { return m_since; }
    const QList<Target>& targets() const { return m_targets; }

    // True when the event concerned the owner side (and was handled).
    bool handleEvent(const xcb_generic_event_t* event);
    // Drops INCR transfers whose requestor stopped reading.
    void expireStalledTransfers(Clock::time_point now);
    bool hasTransfers() const { return !m_transfers.isEmpty(); }

  private:
    struct Transfer {
        xcb_window_t requestor = XCB_WINDOW_NONE;
        xcb_atom_t property = XCB_ATOM_NONE;
        xcb_atom_t type = XCB_ATOM_NONE;
        QByteArray bytes;
        qsizetype offset = 0;
        Clock::time_point lastActivity;
    };

    void answer(const xcb_selection_request_event_t& request);
    bool put(xcb_window_t requestor, xcb_atom_t property, const Target& target);
    void sendNextChunk(qsizetype index);
    void dropTransfersTo(xcb_window_t requestor);
    void watchRequestor(xcb_window_t requestor, bool watch);

    xcb_connection_t* m_connection;
    xcb_window_t m_window;
    const X11Atoms& m_atoms;
    xcb_atom_t m_selection;
    quint32 m_chunkSize;
    bool m_serving = false;
    xcb_timestamp_t m_since = XCB_CURRENT_TIME;
    QList<Target> m_targets;
    QList<Transfer> m_transfers;
};
