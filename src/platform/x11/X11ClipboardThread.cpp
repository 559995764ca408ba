// SPDX-License-Identifier: MIT
#include "platform/x11/X11ClipboardThread.h"

#include <poll.h>
#include <sys/resource.h>
#include <unistd.h>
#include <xcb/xfixes.h>

#include <algorithm>
#include <utility>

#include "core/AppLogger.h"
#include "platform/SelectionContentPolicy.h"
#include "platform/x11/X11Atoms.h"
#include "platform/x11/X11SelectionOwner.h"

QUILLSTACK_DEFINE_COMPONENT_LOG

namespace {
constexpr qsizetype kMaxTargets = 1024;
constexpr int kPropertyCount = 8;
constexpr auto kTransferTick = std::chrono::seconds(1);
constexpr int kThreadNice = 5;
// An application handing its clipboard over waits for us; so does its exit.
constexpr int kSaveTimeoutFactor = 3;
constexpr qsizetype kMaxQueuedSaves = 4;
// Requests given up that an owner may still answer; an owner that never does drops out.
constexpr qsizetype kMaxAbandoned = 16;

// Server resource ids mean nothing once the owner is gone.
bool isResourceType(xcb_atom_t type, xcb_atom_t atomPair) {
    return type == XCB_ATOM_ATOM || type == atomPair || type == XCB_ATOM_WINDOW ||
           type == XCB_ATOM_DRAWABLE || type == XCB_ATOM_PIXMAP || type == XCB_ATOM_BITMAP ||
           type == XCB_ATOM_COLORMAP;
}

quint8 eventType(const xcb_generic_event_t* event) {
    return event->response_type & 0x7f;
}
}  // namespace

X11ClipboardThread::X11ClipboardThread(const QString& displayName,
                                       std::chrono::milliseconds requestTimeout, Deliver deliver,
                                       Confirm confirm, ManagerRole managerRole)
    : m_timeout(requestTimeout),
      m_deliver(std::move(deliver)),
      m_confirm(std::move(confirm)),
      m_managerRole(managerRole) {
    const QByteArray name = displayName.toLocal8Bit();
    xcb_connection_t* connection =
        xcb_connect(name.isEmpty() ? nullptr : name.constData(), nullptr);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        log(QStringLiteral("clipboard: cannot open the display"));
        return;
    }
    m_connection = connection;
    if (!setUp()) {
        m_owner.reset();
        m_atoms.reset();
        xcb_disconnect(m_connection);
        m_connection = nullptr;
        return;
    }
    m_thread = std::thread([this] { run(); });
}

X11ClipboardThread::~X11ClipboardThread() {
    if (m_thread.joinable()) {
        m_stop = true;
        m_queue.wake();
        m_thread.join();
    }
    m_primaryOwner.reset();
    m_owner.reset();
    m_atoms.reset();
    if (m_connection) {
        xcb_disconnect(m_connection);
    }
}

bool X11ClipboardThread::setUp() {
    const xcb_query_extension_reply_t* xfixes =
        xcb_get_extension_data(m_connection, &xcb_xfixes_id);
    if (!xfixes || !xfixes->present) {
        log(QStringLiteral("clipboard: the X server lacks XFixes"));
        return false;
    }
    m_xfixesFirstEvent = xfixes->first_event;
    XcbPointer<xcb_xfixes_query_version_reply_t> version(xcb_xfixes_query_version_reply(
        m_connection, xcb_xfixes_query_version(m_connection, 5, 0), nullptr));
    if (!version) {
        return false;
    }
    if (!m_queue.isValid()) {
        return false;
    }

    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data;
    m_window = xcb_generate_id(m_connection);
    const quint32 values[] = {1, XCB_EVENT_MASK_PROPERTY_CHANGE};
    xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, m_window, screen->root, -10, -10, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT,
                      XCB_CW_OVERRIDE_REDIRECT | XCB_CW_EVENT_MASK, values);

    m_atoms = std::make_unique<X11Atoms>(m_connection);
    QList<QByteArray> propertyNames;
    for (int i = 0; i < kPropertyCount; ++i) {
        propertyNames.append("_QUILLSTACK_SELECTION_" + QByteArray::number(i));
    }
    m_properties = m_atoms->intern(propertyNames);
    if (m_atoms->clipboard == XCB_ATOM_NONE || m_properties.contains(XCB_ATOM_NONE)) {
        return false;
    }
    xcb_xfixes_select_selection_input(m_connection, m_window, m_atoms->clipboard,
                                      XCB_XFIXES_SELECTION_EVENT_MASK_SET_SELECTION_OWNER |
                                          XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_WINDOW_DESTROY |
                                          XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_CLIENT_CLOSE);
    m_owner = std::make_unique<X11SelectionOwner>(m_connection, m_window, *m_atoms);
    if (m_managerRole == ManagerRole::TakeWhenFree) {
        // Told when the manager selection falls free, so it can be taken then.
        xcb_xfixes_select_selection_input(
            m_connection, m_window, m_atoms->clipboardManager,
            XCB_XFIXES_SELECTION_EVENT_MASK_SET_SELECTION_OWNER |
                XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_WINDOW_DESTROY |
                XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_CLIENT_CLOSE);
        XcbPointer<xcb_get_selection_owner_reply_t> manager(xcb_get_selection_owner_reply(
            m_connection, xcb_get_selection_owner(m_connection, m_atoms->clipboardManager),
            nullptr));
        m_managerFree = manager && manager->owner == XCB_WINDOW_NONE;
    }
    m_primaryOwner =
        std::make_unique<X11SelectionOwner>(m_connection, m_window, *m_atoms, XCB_ATOM_PRIMARY);

    // Whatever is on the clipboard already is the first content.
    XcbPointer<xcb_get_selection_owner_reply_t> owner(xcb_get_selection_owner_reply(
        m_connection, xcb_get_selection_owner(m_connection, m_atoms->clipboard), nullptr));
    if (owner && owner->owner != XCB_WINDOW_NONE) {
        m_pendingOwner = owner->owner;
    }
    xcb_flush(m_connection);
    return !xcb_connection_has_error(m_connection);
}

void X11ClipboardThread::claim(StoredItem content, bool onlyIfStillEmpty) {
    if (!m_connection) {
        return;
    }
    m_queue.claim(std::move(content), onlyIfStillEmpty);
}

void X11ClipboardThread::claimPrimary() {
    if (!m_connection) {
        return;
    }
    m_queue.claimPrimary();
}

void X11ClipboardThread::run() {
    // Copying a large image must not take the CPU from the interface.
    setpriority(PRIO_PROCESS, id_t(gettid()), kThreadNice);
    while (!m_stop && !m_broken) {
        if (m_wakePending) {
            m_wakePending = false;
            processClaims();
        } else if (m_pendingOwner) {
            const xcb_window_t owner = *m_pendingOwner;
            m_pendingOwner.reset();
            readOwner(owner);
        } else if (m_managerFree) {
            takeManagerSelection();
        } else if (!m_saveRequests.isEmpty()) {
            save(m_saveRequests.takeFirst());
        } else {
            waitFor(nullptr, Clock::time_point::max(), true);
        }
    }
}

bool X11ClipboardThread::interrupted() const {
    return m_stop || m_broken || m_wakePending || m_pendingOwner.has_value();
}

bool X11ClipboardThread::hasManagerWork() const {
    return m_managerFree || !m_saveRequests.isEmpty();
}

void X11ClipboardThread::dispatch(const xcb_generic_event_t* event) {
    if (eventType(event) == m_xfixesFirstEvent + XCB_XFIXES_SELECTION_NOTIFY) {
        const auto* notify = reinterpret_cast<const xcb_xfixes_selection_notify_event_t*>(event);
        // Our own claims are known already; only other owners need reading.
        if (notify->selection == m_atoms->clipboard && notify->owner != m_window) {
            m_pendingOwner = notify->owner;
            m_emptiedAt = notify->owner == XCB_WINDOW_NONE
                              ? std::optional(notify->selection_timestamp)
                              : std::nullopt;
        } else if (notify->selection == m_atoms->clipboardManager && notify->owner != m_window) {
            m_managing = false;
            m_managerFree = notify->owner == XCB_WINDOW_NONE;
        }
        return;
    }
    if (eventType(event) == XCB_SELECTION_REQUEST) {
        const auto* request = reinterpret_cast<const xcb_selection_request_event_t*>(event);
        if (request->selection == m_atoms->clipboardManager) {
            queueSaveRequest(*request);
            return;
        }
    } else if (eventType(event) == XCB_SELECTION_CLEAR) {
        const auto* clear = reinterpret_cast<const xcb_selection_clear_event_t*>(event);
        if (clear->selection == m_atoms->clipboardManager) {
            // Another manager took over; it is theirs until they let it go.
            m_managing = false;
            return;
        }
    }
    if (!m_owner->handleEvent(event)) {
        m_primaryOwner->handleEvent(event);
    }
}

XcbPointer<xcb_generic_event_t> X11ClipboardThread::waitFor(const EventMatch& match,
                                                            Clock::time_point deadline,
                                                            bool interruptible) {
    for (;;) {
        while (xcb_generic_event_t* raw = xcb_poll_for_event(m_connection)) {
            XcbPointer<xcb_generic_event_t> event(raw);
            if (match && match(event.get())) {
                return event;
            }
            dispatch(event.get());
        }
        if (xcb_connection_has_error(m_connection)) {
            log(QStringLiteral("clipboard: the X connection broke"));
            m_broken = true;
            return {};
        }
        if (m_stop || (interruptible && interrupted()) || (!match && hasManagerWork())) {
            return {};
        }
        const Clock::time_point now = Clock::now();
        m_owner->expireStalledTransfers(now);
        m_primaryOwner->expireStalledTransfers(now);
        if (now >= deadline) {
            return {};
        }
        int timeoutMs = -1;
        if (deadline != Clock::time_point::max()) {
            timeoutMs = int(std::chrono::ceil<std::chrono::milliseconds>(deadline - now).count());
        }
        if (m_owner->hasTransfers() || m_primaryOwner->hasTransfers()) {
            const int tick = int(std::chrono::milliseconds(kTransferTick).count());
            timeoutMs = timeoutMs < 0 ? tick : std::min(timeoutMs, tick);
        }
        xcb_flush(m_connection);
        pollfd fds[2] = {{xcb_get_file_descriptor(m_connection), POLLIN, 0},
                         {m_queue.wakeFd(), POLLIN, 0}};
        if (::poll(fds, 2, timeoutMs) > 0 && (fds[1].revents & POLLIN)) {
            m_queue.acknowledgeWake();
            m_wakePending = true;
        }
    }
}

void X11ClipboardThread::processClaims() {
    const SelectionClaimQueue::Batch batch = m_queue.take();
    const StoredItem& content = batch.latest;
    const quint64 primaryClaims = batch.primaryClaims;
    if (batch.claims == 0) {
        if (primaryClaims > 0) {
            finishClaims(primaryClaims, true);
        }
        return;
    }
    QList<QByteArray> names;
    for (auto it = content.cbegin(); it != content.cend(); ++it) {
        names.append(it.key().toLatin1());
    }
    const QList<xcb_atom_t> atoms = m_atoms->intern(names);
    QList<X11SelectionOwner::Target> targets;
    qsizetype index = 0;
    for (auto it = content.cbegin(); it != content.cend(); ++it, ++index) {
        const xcb_atom_t atom = atoms[index];
        if (atom == XCB_ATOM_NONE || atom == m_atoms->targets || atom == m_atoms->timestamp ||
            atom == m_atoms->multiple) {
            continue;
        }
        // TEXT names a choice of encodings, not one; our bytes are UTF-8.
        const xcb_atom_t type = atom == m_atoms->text ? m_atoms->utf8String : atom;
        targets.append({atom, type, it.value()});
    }

    // Filling an emptied clipboard is dated with the selection's last change, which an owner
    // going away leaves as it was, or once it is ours with when it became so: the server then
    // refuses it if anyone took the selection since, even a copy we have not heard of yet.
    std::optional<xcb_timestamp_t> time;
    if (!batch.onlyIfStillEmpty) {
        time = serverTime();
    } else if (m_owner->isServing()) {
        time = m_owner->since();
    } else {
        time = m_emptiedAt;
    }
    if (time) {
        m_owner->serve(std::move(targets), *time);
        xcb_set_selection_owner(m_connection, m_window, m_atoms->clipboard, *time);
    }
    XcbPointer<xcb_get_selection_owner_reply_t> owner(xcb_get_selection_owner_reply(
        m_connection, xcb_get_selection_owner(m_connection, m_atoms->clipboard), nullptr));
    m_queue.carryOut(quint64(batch.claims));

    // The reply came after every event the server sent before it, so owner changes queued now
    // happened before our claim and lost to it.
    m_pendingOwner.reset();
    while (xcb_generic_event_t* raw = xcb_poll_for_queued_event(m_connection)) {
        XcbPointer<xcb_generic_event_t> event(raw);
        if (eventType(event.get()) != m_xfixesFirstEvent + XCB_XFIXES_SELECTION_NOTIFY) {
            dispatch(event.get());
        }
    }
    // The server handled SetSelectionOwner before it answered: every request it handles from
    // now on, from any client, finds us the owner.
    const bool owned = owner && owner->owner == m_window;
    if (owned) {
        m_emptiedAt.reset();
    } else {
        // Someone with a later timestamp won; read them instead.
        m_owner->stopServing();
        m_lastReadOwner = XCB_WINDOW_NONE;
        if (owner && owner->owner != XCB_WINDOW_NONE) {
            m_pendingOwner = owner->owner;
        }
        log(QStringLiteral("clipboard: could not take ownership"));
    }
    finishClaims(primaryClaims, owned);
}

void X11ClipboardThread::finishClaims(quint64 primaryClaims, bool owned) {
    if (primaryClaims > 0) {
        m_queue.carryOut(primaryClaims);
        owned = offerPrimary() && owned;
    }
    m_confirm(m_queue.carriedOut(), owned);
}

bool X11ClipboardThread::offerPrimary() {
    // Without CLIPBOARD there is nothing of ours to mirror.
    if (!m_owner->isServing()) {
        return false;
    }
    const xcb_timestamp_t time = serverTime();
    m_primaryOwner->serve(m_owner->targets(), time);
    xcb_set_selection_owner(m_connection, m_window, XCB_ATOM_PRIMARY, time);
    XcbPointer<xcb_get_selection_owner_reply_t> owner(xcb_get_selection_owner_reply(
        m_connection, xcb_get_selection_owner(m_connection, XCB_ATOM_PRIMARY), nullptr));
    const bool owned = owner && owner->owner == m_window;
    if (!owned) {
        m_primaryOwner->stopServing();
        log(QStringLiteral("clipboard: could not take the primary selection"));
    }
    return owned;
}

xcb_timestamp_t X11ClipboardThread::serverTime() {
    // A zero-length append changes nothing but makes the server report its time.
    xcb_change_property(m_connection, XCB_PROP_MODE_APPEND, m_window, m_atoms->timestampProperty,
                        XCB_ATOM_INTEGER, 32, 0, nullptr);
    const XcbPointer<xcb_generic_event_t> event = waitFor(
        [this](const xcb_generic_event_t* e) {
            if (eventType(e) != XCB_PROPERTY_NOTIFY) {
                return false;
            }
            const auto* notify = reinterpret_cast<const xcb_property_notify_event_t*>(e);
            return notify->window == m_window && notify->atom == m_atoms->timestampProperty;
        },
        Clock::now() + m_timeout, false);
    if (!event) {
        return XCB_CURRENT_TIME;
    }
    return reinterpret_cast<const xcb_property_notify_event_t*>(event.get())->time;
}

void X11ClipboardThread::readOwner(xcb_window_t owner) {
    if (owner == XCB_WINDOW_NONE) {
        m_lastReadOwner = XCB_WINDOW_NONE;
        m_deliver(Snapshot{m_queue.carriedOut(), false, {}});
        return;
    }
    const std::optional<StoredItem> item = readItem();
    // Only content actually had spares a save request the second read.
    m_lastReadOwner = item && !item->isEmpty() ? owner : xcb_window_t(XCB_WINDOW_NONE);
    if (item) {
        m_deliver(Snapshot{m_queue.carriedOut(), true, *item});
    }
}

void X11ClipboardThread::takeManagerSelection() {
    m_managerFree = false;
    const xcb_timestamp_t time = serverTime();
    xcb_set_selection_owner(m_connection, m_window, m_atoms->clipboardManager, time);
    XcbPointer<xcb_get_selection_owner_reply_t> owner(xcb_get_selection_owner_reply(
        m_connection, xcb_get_selection_owner(m_connection, m_atoms->clipboardManager), nullptr));
    m_managing = owner && owner->owner == m_window;
    if (!m_managing) {
        return;
    }
    // Announced as ICCCM asks of a manager selection's new owner.
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data;
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = screen->root;
    message.type = m_atoms->manager;
    message.data.data32[0] = time;
    message.data.data32[1] = m_atoms->clipboardManager;
    message.data.data32[2] = m_window;
    xcb_send_event(m_connection, 0, screen->root, XCB_EVENT_MASK_STRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    log(QStringLiteral("clipboard: holding CLIPBOARD_MANAGER"));
}

void X11ClipboardThread::queueSaveRequest(const xcb_selection_request_event_t& request) {
    // Requests beyond a few at a time are flooding, not applications exiting.
    if (m_managing && request.owner == m_window && request.target == m_atoms->saveTargets &&
        m_saveRequests.size() < kMaxQueuedSaves) {
        m_saveRequests.append(request);
        return;
    }
    X11SelectionOwner::notifyRequestor(m_connection, request, XCB_ATOM_NONE);
    xcb_flush(m_connection);
}

std::optional<QList<xcb_atom_t>> X11ClipboardThread::requestedTargets(
    const xcb_selection_request_event_t& request) {
    if (request.property == XCB_ATOM_NONE) {
        return std::nullopt;
    }
    // The requestor may be gone already; then there is no list.
    xcb_generic_error_t* error = nullptr;
    XcbPointer<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        m_connection,
        xcb_get_property(m_connection, 0, request.requestor, request.property, XCB_ATOM_ATOM, 0,
                         quint32(kMaxTargets)),
        &error));
    std::free(error);
    if (!reply || reply->format != 32 || reply->type != XCB_ATOM_ATOM) {
        return std::nullopt;
    }
    const auto* raw = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    return QList<xcb_atom_t>(raw, raw + count);
}

void X11ClipboardThread::save(const xcb_selection_request_event_t& request) {
    const Clock::time_point deadline = Clock::now() + kSaveTimeoutFactor * m_timeout;
    const std::optional<QList<xcb_atom_t>> wanted = requestedTargets(request);
    XcbPointer<xcb_get_selection_owner_reply_t> owner(xcb_get_selection_owner_reply(
        m_connection, xcb_get_selection_owner(m_connection, m_atoms->clipboard), nullptr));
    const xcb_window_t window = owner ? owner->owner : xcb_window_t(XCB_WINDOW_NONE);
    bool saved = window != XCB_WINDOW_NONE &&
                 (window == m_window || (window == m_lastReadOwner && !m_pendingOwner));
    if (!saved && window != XCB_WINDOW_NONE) {
        const std::optional<StoredItem> item = readItem(wanted, deadline);
        saved = item && !item->isEmpty();
        if (saved) {
            m_lastReadOwner = window;
            m_deliver(Snapshot{m_queue.carriedOut(), true, *item});
        }
    }
    xcb_atom_t property = XCB_ATOM_NONE;
    if (saved) {
        property = request.property == XCB_ATOM_NONE ? request.target : request.property;
        xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, request.requestor, property,
                            m_atoms->null, 32, 0, nullptr);
    }
    X11SelectionOwner::notifyRequestor(m_connection, request, property);
    xcb_flush(m_connection);
    log(QStringLiteral("clipboard: %1 the clipboard of an exiting application")
            .arg(saved ? QStringLiteral("saved") : QStringLiteral("could not save")));
}

std::optional<StoredItem> X11ClipboardThread::readItem(
    const std::optional<QList<xcb_atom_t>>& wanted, Clock::time_point deadline) {
    QList<xcb_atom_t> offered;
    if (wanted) {
        offered = wanted->first(std::min(wanted->size(), kMaxTargets));
    } else {
        const std::optional<Fetched> list = fetch(m_atoms->targets, kMaxTargets * 4, deadline);
        if (interrupted()) {
            return std::nullopt;
        }
        if (!list || list->format != 32) {
            return StoredItem{};
        }
        const auto* raw = reinterpret_cast<const quint32*>(list->bytes.constData());
        offered = QList<xcb_atom_t>(raw, raw + list->bytes.size() / 4);
    }
    QList<xcb_atom_t> atoms;
    for (const xcb_atom_t atom : std::as_const(offered)) {
        if (atom != XCB_ATOM_NONE && !atoms.contains(atom)) {
            atoms.append(atom);
        }
    }
    const QList<QByteArray> names = m_atoms->names(atoms);
    const bool besidePng = names.contains("image/png");

    StoredItem item;
    qsizetype budget = SelectionContentPolicy::snapshotCap;
    qsizetype skipped = 0;
    for (qsizetype i = 0; i < atoms.size() && budget > 0; ++i) {
        const QByteArray& name = names[i];
        if (!SelectionContentPolicy::isWorthReading(name, besidePng)) {
            continue;
        }
        if (Clock::now() >= deadline) {
            ++skipped;
            continue;
        }
        const std::optional<Fetched> data =
            fetch(atoms[i], std::min(SelectionContentPolicy::typeCap, budget), deadline);
        if (interrupted()) {
            return std::nullopt;
        }
        if (!data || data->bytes.isEmpty() || isResourceType(data->type, m_atoms->atomPair)) {
            ++skipped;
            continue;
        }
        budget -= data->bytes.size();
        item.insert(QString::fromLatin1(name), data->bytes);
    }
    log(QStringLiteral("clipboard: read %1 targets, %2 unavailable").arg(item.size()).arg(skipped));
    return item;
}

std::optional<X11ClipboardThread::Fetched> X11ClipboardThread::fetch(xcb_atom_t target,
                                                                     qsizetype cap,
                                                                     Clock::time_point deadline) {
    const xcb_atom_t property = m_properties[m_propertyIndex];
    xcb_convert_selection(m_connection, m_window, m_atoms->clipboard, target, property,
                          XCB_CURRENT_TIME);
    const XcbPointer<xcb_generic_event_t> event = waitFor(
        [&](const xcb_generic_event_t* e) {
            if (eventType(e) != XCB_SELECTION_NOTIFY) {
                return false;
            }
            const auto* notify = reinterpret_cast<const xcb_selection_notify_event_t*>(e);
            if (notify->requestor != m_window || notify->selection != m_atoms->clipboard ||
                notify->target != target) {
                return false;
            }
            // Owners answer in turn: the first answer to a target asked for and given up
            // belongs to that request, even a refusal, which names no property to tell them
            // apart. Taken for ours, it would make a copy that is there look empty.
            const qsizetype abandoned = m_abandoned.indexOf(target);
            if (notify->property != property && abandoned >= 0) {
                m_abandoned.removeAt(abandoned);
                return false;
            }
            return true;
        },
        std::min(Clock::now() + m_timeout, deadline), true);
    if (!event) {
        // A late answer must not land in the next request's property.
        abandonProperty();
        m_abandoned.append(target);
        if (m_abandoned.size() > kMaxAbandoned) {
            m_abandoned.removeFirst();
        }
        return std::nullopt;
    }
    const auto* notify = reinterpret_cast<const xcb_selection_notify_event_t*>(event.get());
    if (notify->property == XCB_ATOM_NONE) {
        return std::nullopt;
    }
    if (notify->property != property) {
        abandonProperty();
        return std::nullopt;
    }
    const XcbPointer<xcb_get_property_reply_t> reply = takeProperty(property, cap);
    if (!reply || reply->type == XCB_ATOM_NONE) {
        return std::nullopt;
    }
    if (reply->type == m_atoms->incr) {
        qsizetype hint = 0;
        if (reply->format == 32 && xcb_get_property_value_length(reply.get()) >= 4) {
            hint = *static_cast<const quint32*>(xcb_get_property_value(reply.get()));
        }
        return fetchIncrementally(property, std::min(hint, cap), cap, deadline);
    }
    if (reply->bytes_after > 0) {
        xcb_delete_property(m_connection, m_window, property);
        return std::nullopt;
    }
    const auto* value = static_cast<const char*>(xcb_get_property_value(reply.get()));
    return Fetched{reply->type, reply->format,
                   QByteArray(value, xcb_get_property_value_length(reply.get()))};
}

std::optional<X11ClipboardThread::Fetched> X11ClipboardThread::fetchIncrementally(
    xcb_atom_t property, qsizetype sizeHint, qsizetype cap, Clock::time_point deadline) {
    Fetched result;
    result.bytes.reserve(sizeHint);
    for (;;) {
        const XcbPointer<xcb_generic_event_t> event = waitFor(
            [&](const xcb_generic_event_t* e) {
                if (eventType(e) != XCB_PROPERTY_NOTIFY) {
                    return false;
                }
                const auto* notify = reinterpret_cast<const xcb_property_notify_event_t*>(e);
                return notify->window == m_window && notify->atom == property &&
                       notify->state == XCB_PROPERTY_NEW_VALUE;
            },
            std::min(Clock::now() + m_timeout, deadline), true);
        if (!event) {
            abandonProperty();
            return std::nullopt;
        }
        const XcbPointer<xcb_get_property_reply_t> reply =
            takeProperty(property, cap - result.bytes.size());
        if (!reply || reply->bytes_after > 0) {
            abandonProperty();
            return std::nullopt;
        }
        const int length = xcb_get_property_value_length(reply.get());
        if (length == 0) {
            return result;
        }
        result.type = reply->type;
        result.format = reply->format;
        result.bytes.append(static_cast<const char*>(xcb_get_property_value(reply.get())), length);
    }
}

XcbPointer<xcb_get_property_reply_t> X11ClipboardThread::takeProperty(xcb_atom_t property,
                                                                      qsizetype cap) {
    // One reply carries the whole property; deleting it tells an INCR owner to go on.
    const auto words = quint32(std::min<qsizetype>((cap + 3) / 4, 0x3FFFFFFF));
    XcbPointer<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        m_connection,
        xcb_get_property(m_connection, 1, m_window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, words),
        nullptr));
    if (reply && reply->format != 0 && reply->format != 8 && reply->format != 16 &&
        reply->format != 32) {
        return {};
    }
    return reply;
}

void X11ClipboardThread::abandonProperty() {
    m_propertyIndex = (m_propertyIndex + 1) % m_properties.size();
}
