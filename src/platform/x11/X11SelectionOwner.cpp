// SPDX-License-Identifier: MIT
#include "platform/x11/X11SelectionOwner.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "platform/x11/X11Atoms.h"

namespace {
constexpr quint32 kPreferredChunk = 256 * 1024;
// A requestor that has not taken a chunk for this long is gone or stuck.
constexpr auto kStallLimit = std::chrono::seconds(10);
}  // namespace

void X11SelectionOwner::notifyRequestor(xcb_connection_t* connection,
                                        const xcb_selection_request_event_t& request,
                                        xcb_atom_t property) {
    // send_event copies exactly 32 bytes.
    std::array<char, 32> buffer{};
    auto* notify = reinterpret_cast<xcb_selection_notify_event_t*>(buffer.data());
    notify->response_type = XCB_SELECTION_NOTIFY;
    notify->time = request.time;
    notify->requestor = request.requestor;
    notify->selection = request.selection;
    notify->target = request.target;
    notify->property = property;
    xcb_send_event(connection, 0, request.requestor, XCB_EVENT_MASK_NO_EVENT, buffer.data());
}

X11SelectionOwner::X11SelectionOwner(xcb_connection_t* connection, xcb_window_t window,
                                     const X11Atoms& atoms, xcb_atom_t selection)
    : m_connection(connection),
      m_window(window),
      m_atoms(atoms),
      m_selection(selection == XCB_ATOM_NONE ? atoms.clipboard : selection) {
    // The request header and the ChangeProperty fields must fit next to the data.
    const quint64 maxRequestBytes = quint64(xcb_get_maximum_request_length(connection)) * 4;
    m_chunkSize = quint32(std::clamp<quint64>(maxRequestBytes - 64, 4096, kPreferredChunk));
}

void X11SelectionOwner::serve(QList<Target> targets, xcb_timestamp_t since) {
    m_targets = std::move(targets);
    m_since = since;
    m_serving = true;
}

void X11SelectionOwner::stopServing() {
    m_serving = false;
    m_targets.clear();
}

bool X11SelectionOwner::handleEvent(const xcb_generic_event_t* event) {
    switch (event->response_type & 0x7f) {
        case 0: {
            // A requestor window vanished under a transfer.
            const auto* error = reinterpret_cast<const xcb_generic_error_t*>(event);
            if (error->error_code == XCB_WINDOW) {
                dropTransfersTo(error->resource_id);
            }
            return false;
        }
        case XCB_SELECTION_REQUEST: {
            // Another selection of the same window is another owner's to answer.
            const auto* request = reinterpret_cast<const xcb_selection_request_event_t*>(event);
            if (request->selection != m_selection) {
                return false;
            }
            answer(*request);
            return true;
        }
        case XCB_SELECTION_CLEAR: {
            const auto* clear = reinterpret_cast<const xcb_selection_clear_event_t*>(event);
            if (clear->owner != m_window || clear->selection != m_selection) {
                return false;
            }
            stopServing();
            return true;
        }
        case XCB_PROPERTY_NOTIFY: {
            const auto* notify = reinterpret_cast<const xcb_property_notify_event_t*>(event);
            if (notify->state != XCB_PROPERTY_DELETE) {
                return false;
            }
            for (qsizetype i = 0; i < m_transfers.size(); ++i) {
                if (m_transfers[i].requestor == notify->window &&
                    m_transfers[i].property == notify->atom) {
                    sendNextChunk(i);
                    return true;
                }
            }
            return false;
        }
        case XCB_DESTROY_NOTIFY: {
            const auto* destroyed = reinterpret_cast<const xcb_destroy_notify_event_t*>(event);
            dropTransfersTo(destroyed->window);
            return false;
        }
        default:
            return false;
    }
}

void X11SelectionOwner::answer(const xcb_selection_request_event_t& request) {
    // Obsolete clients pass no property and expect the target's name.
    const xcb_atom_t property =
        request.property == XCB_ATOM_NONE ? request.target : request.property;
    bool answered = false;
    if (m_serving && request.owner == m_window && request.selection == m_selection) {
        if (request.target == m_atoms.targets) {
            QList<xcb_atom_t> list{m_atoms.targets, m_atoms.timestamp};
            for (const Target& target : std::as_const(m_targets)) {
                list.append(target.target);
            }
            xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, request.requestor, property,
                                XCB_ATOM_ATOM, 32, quint32(list.size()), list.constData());
            answered = true;
        } else if (request.target == m_atoms.timestamp) {
            xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, request.requestor, property,
                                XCB_ATOM_INTEGER, 32, 1, &m_since);
            answered = true;
        } else {
            const auto found =
                std::find_if(m_targets.cbegin(), m_targets.cend(),
                             [&](const Target& target) { return target.target == request.target; });
            if (found != m_targets.cend()) {
                answered = put(request.requestor, property, *found);
            }
        }
    }
    notifyRequestor(m_connection, request, answered ? property : xcb_atom_t(XCB_ATOM_NONE));
    xcb_flush(m_connection);
}

bool X11SelectionOwner::put(xcb_window_t requestor, xcb_atom_t property, const Target& target) {
    if (target.bytes.size() <= qsizetype(m_chunkSize)) {
        xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, requestor, property, target.type,
                            8, quint32(target.bytes.size()), target.bytes.constData());
        return true;
    }
    // A second request for the same property restarts that transfer.
    for (qsizetype i = m_transfers.size() - 1; i >= 0; --i) {
        if (m_transfers[i].requestor == requestor && m_transfers[i].property == property) {
            m_transfers.removeAt(i);
        }
    }
    // Watch the requestor before announcing, so its first delete cannot be missed.
    watchRequestor(requestor, true);
    const quint32 size = quint32(std::min<qsizetype>(target.bytes.size(), 0xFFFFFFFF));
    xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, requestor, property, m_atoms.incr, 32,
                        1, &size);
    m_transfers.append(Transfer{requestor, property, target.type, target.bytes, 0, Clock::now()});
    return true;
}

void X11SelectionOwner::sendNextChunk(qsizetype index) {
    Transfer& transfer = m_transfers[index];
    const qsizetype length =
        std::min<qsizetype>(m_chunkSize, transfer.bytes.size() - transfer.offset);
    xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, transfer.requestor, transfer.property,
                        transfer.type, 8, quint32(length),
                        transfer.bytes.constData() + transfer.offset);
    transfer.offset += length;
    transfer.lastActivity = Clock::now();
    if (length == 0) {
        // The empty chunk just written ends the transfer.
        const xcb_window_t requestor = transfer.requestor;
        m_transfers.removeAt(index);
        watchRequestor(requestor, false);
    }
    xcb_flush(m_connection);
}

void X11SelectionOwner::expireStalledTransfers(Clock::time_point now) {
    QList<xcb_window_t> released;
    for (qsizetype i = m_transfers.size() - 1; i >= 0; --i) {
        if (now - m_transfers[i].lastActivity > kStallLimit) {
            released.append(m_transfers[i].requestor);
            m_transfers.removeAt(i);
        }
    }
    for (xcb_window_t requestor : std::as_const(released)) {
        watchRequestor(requestor, false);
    }
}

void X11SelectionOwner::dropTransfersTo(xcb_window_t requestor) {
    m_transfers.removeIf([&](const Transfer& transfer) { return transfer.requestor == requestor; });
}

void X11SelectionOwner::watchRequestor(xcb_window_t requestor, bool watch) {
    if (requestor == m_window) {
        return;
    }
    if (!watch && std::any_of(m_transfers.cbegin(), m_transfers.cend(),
                              [&](const Transfer& t) { return t.requestor == requestor; })) {
        return;
    }
    const quint32 mask =
        watch ? quint32(XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_STRUCTURE_NOTIFY) : 0;
    xcb_change_window_attributes(m_connection, requestor, XCB_CW_EVENT_MASK, &mask);
}
