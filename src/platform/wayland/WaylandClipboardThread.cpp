// SPDX-License-Identifier: MIT
#include "platform/wayland/WaylandClipboardThread.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <wayland-client.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>
#include <vector>

#include "core/AppLogger.h"
#include "platform/SelectionContentPolicy.h"
#include "platform/wayland/WaylandSelectionOwner.h"

QUILLSTACK_DEFINE_COMPONENT_LOG

namespace {
constexpr int kThreadNice = 5;

// Clients spell the charset as they like ("UTF-8", quoted, with spaces); the history looks for
// one spelling. The bytes stay under the name they were offered with too.
void addCanonicalUtf8Text(StoredItem& item) {
    const QString canonical = QStringLiteral("text/plain;charset=utf-8");
    if (item.contains(canonical)) {
        return;
    }
    for (auto it = item.cbegin(); it != item.cend(); ++it) {
        QString name = it.key().toLower();
        name.remove(QLatin1Char(' '));
        name.remove(QLatin1Char('"'));
        if (name == canonical) {
            item.insert(canonical, it.value());
            return;
        }
    }
}

// A connection of our own, beside the application's. An empty name means $WAYLAND_DISPLAY and
// nothing else: without it this is no Wayland session, whatever socket lies around. A socket
// handed to the application in $WAYLAND_SOCKET is its own, and libwayland would take it for
// any connection, so with that set we connect to the display's socket ourselves.
wl_display* connectDisplay(const QString& displayName) {
    const QByteArray name =
        displayName.isEmpty() ? qgetenv("WAYLAND_DISPLAY") : displayName.toLocal8Bit();
    if (name.isEmpty()) {
        return nullptr;
    }
    if (qEnvironmentVariableIsEmpty("WAYLAND_SOCKET")) {
        return wl_display_connect(name.constData());
    }
    const QByteArray path = name.startsWith('/') ? name : qgetenv("XDG_RUNTIME_DIR") + '/' + name;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= qsizetype(sizeof address.sun_path)) {
        return nullptr;
    }
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return nullptr;
    }
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return nullptr;
    }
    return wl_display_connect_to_fd(fd);
}

struct Probe {
    bool seat = false;
    DataControl::Global control;
};

void probeGlobal(void* data, wl_registry*, uint32_t name, const char* interface, uint32_t version) {
    auto* probe = static_cast<Probe*>(data);
    if (std::strcmp(interface, wl_seat_interface.name) == 0) {
        probe->seat = true;
    }
    probe->control.consider(name, interface, version);
}
void probeGlobalRemove(void*, wl_registry*, uint32_t) {}
constexpr wl_registry_listener kProbeListener{probeGlobal, probeGlobalRemove};
}  // namespace

struct WaylandClipboardListeners {
    using Thread = WaylandClipboardThread;
    static Thread* thread(void* data) { return static_cast<Thread*>(data); }
    static void global(void* data, wl_registry* registry, uint32_t name, const char* interface,
                       uint32_t version) {
        thread(data)->onGlobal(registry, name, interface, version);
    }
    static void globalRemove(void*, wl_registry*, uint32_t) {}
    static void dataOffer(void* data, wl_proxy*, wl_proxy* offer) {
        thread(data)->onDataOffer(offer);
    }
    static void selection(void* data, wl_proxy*, wl_proxy* offer) {
        thread(data)->onSelection(offer);
    }
    static void finished(void* data, wl_proxy*) {
        log(QStringLiteral("clipboard: the compositor withdrew data control"));
        thread(data)->m_broken = true;
    }
    static void primarySelection(void* data, wl_proxy*, wl_proxy* offer) {
        thread(data)->onPrimarySelection(offer);
    }
    static void offerType(void* data, wl_proxy* offer, const char* mimeType) {
        thread(data)->onOfferType(offer, mimeType);
    }
    static void done(void* data, wl_callback* callback, uint32_t) {
        thread(data)->onSyncDone(callback);
    }

    static constexpr wl_registry_listener kRegistry{global, globalRemove};
    static constexpr DataControl::DeviceListener kDevice{dataOffer, selection, finished,
                                                         primarySelection};
    static constexpr DataControl::OfferListener kOffer{offerType};
    static constexpr wl_callback_listener kSync{done};
};

DataControl::Protocol WaylandClipboardThread::offeredProtocol(const QString& displayName) {
    wl_display* display = connectDisplay(displayName);
    if (!display) {
        return DataControl::Protocol::None;
    }
    Probe probe;
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &kProbeListener, &probe);
    const bool answered = wl_display_roundtrip(display) >= 0;
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return answered && probe.seat ? probe.control.protocol : DataControl::Protocol::None;
}

WaylandClipboardThread::WaylandClipboardThread(const QString& displayName,
                                               std::chrono::milliseconds requestTimeout,
                                               Deliver deliver, Confirm confirm, Lost lost)
    : m_timeout(requestTimeout),
      m_deliver(std::move(deliver)),
      m_confirm(std::move(confirm)),
      m_lost(std::move(lost)) {
    m_display = connectDisplay(displayName);
    if (!m_display) {
        log(QStringLiteral("clipboard: cannot connect to the Wayland display"));
        return;
    }
    m_registry = wl_display_get_registry(m_display);
    wl_registry_add_listener(m_registry, &WaylandClipboardListeners::kRegistry, this);
    if (wl_display_roundtrip(m_display) >= 0) {
        m_control = DataControl(m_registry, m_global);
    }
    if (!m_seat || !m_control.isValid() || !m_queue.isValid()) {
        log(QStringLiteral("clipboard: the compositor offers no seat or no data control"));
        disconnect();
        return;
    }
    log(QStringLiteral("clipboard: data control through the %1 protocol")
            .arg(m_control.protocol() == DataControl::Protocol::Standard
                     ? QStringLiteral("standard")
                     : QStringLiteral("wlroots")));
    m_device = m_control.createDevice(m_seat, &WaylandClipboardListeners::kDevice, this);
    m_owner = std::make_unique<WaylandSelectionOwner>(m_control, m_device, m_timeout, m_stop);
    m_thread = std::thread(&WaylandClipboardThread::run, this);
}

WaylandClipboardThread::~WaylandClipboardThread() {
    if (m_thread.joinable()) {
        m_stop = true;
        m_queue.wake();
        m_thread.join();
    }
    disconnect();
}

void WaylandClipboardThread::disconnect() {
    abandonRead();
    for (PendingSync& pending : m_syncs) {
        wl_callback_destroy(pending.callback);
    }
    m_syncs.clear();
    m_owner.reset();
    for (Offer& offer : m_newOffers) {
        destroyOffer(offer.offer);
    }
    m_newOffers.clear();
    destroyOffer(m_selection);
    destroyOffer(m_primary);
    if (m_device) {
        m_control.destroyDevice(m_device);
        m_device = nullptr;
    }
    m_control = DataControl();
    if (m_seat) {
        wl_seat_destroy(m_seat);
        m_seat = nullptr;
    }
    if (m_registry) {
        wl_registry_destroy(m_registry);
        m_registry = nullptr;
    }
    if (m_display) {
        wl_display_disconnect(m_display);
        m_display = nullptr;
    }
}

void WaylandClipboardThread::claim(StoredItem content, bool onlyIfStillEmpty) {
    if (!m_device) {
        return;
    }
    m_queue.claim(std::move(content), onlyIfStillEmpty);
}

void WaylandClipboardThread::claimPrimary() {
    if (!m_device) {
        return;
    }
    m_queue.claimPrimary();
}

void WaylandClipboardThread::onGlobal(wl_registry* registry, quint32 name, const char* interface,
                                      quint32 version) {
    if (!m_seat && std::strcmp(interface, wl_seat_interface.name) == 0) {
        m_seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    } else {
        m_global.consider(name, interface, version);
    }
}

void WaylandClipboardThread::destroyOffer(wl_proxy*& offer) {
    if (offer) {
        m_control.destroyOffer(offer);
        offer = nullptr;
    }
}

void WaylandClipboardThread::onDataOffer(wl_proxy* offer) {
    m_control.listen(offer, &WaylandClipboardListeners::kOffer, this);
    m_newOffers.append(Offer{offer, {}});
}

void WaylandClipboardThread::onOfferType(wl_proxy* offer, const char* mimeType) {
    for (Offer& pending : m_newOffers) {
        if (pending.offer == offer) {
            const QString type = QString::fromUtf8(mimeType);
            if (!pending.types.contains(type)) {
                pending.types.append(type);
            }
            return;
        }
    }
}

WaylandClipboardThread::Offer WaylandClipboardThread::takeNewOffer(wl_proxy* offer) {
    for (qsizetype i = 0; i < m_newOffers.size(); ++i) {
        if (m_newOffers[i].offer == offer) {
            return m_newOffers.takeAt(i);
        }
    }
    return {offer, {}};
}

void WaylandClipboardThread::onSelection(wl_proxy* offer) {
    Offer placed = offer ? takeNewOffer(offer) : Offer{};
    // Whatever was being read is no longer the clipboard.
    abandonRead();
    destroyOffer(m_selection);
    m_selection = placed.offer;
    m_selectionTypes = placed.types;

    // Our own selection comes back to us like anyone's; reading it would only make us serve
    // ourselves. Events reach us in the order the compositor sent them: setting a selection
    // cancels the source it replaces before the new offer goes out, and our sync is answered
    // only after the compositor handled our set request. So while that sync is pending and our
    // source stands, a new offer is ours or one our request is about to replace. Once it is
    // answered, only the first offer while our source stands can be ours (a compositor that
    // echoes late). Any offer after our source was cancelled is someone else's.
    const bool syncPending =
        std::any_of(m_syncs.cbegin(), m_syncs.cend(),
                    [](const PendingSync& pending) { return pending.clipboard != nullptr; });
    if (m_owner->ownsClipboard() && (syncPending || !m_echoSeen)) {
        m_echoSeen = true;
        return;
    }
    if (!placed.offer) {
        if (!m_stop) {
            m_deliver(Snapshot{m_queue.carriedOut(), false, {}});
        }
        return;
    }
    startRead(std::move(placed));
}

void WaylandClipboardThread::onPrimarySelection(wl_proxy* offer) {
    // Only kept to be destroyed in turn: the history follows the clipboard alone.
    Offer placed = offer ? takeNewOffer(offer) : Offer{};
    destroyOffer(m_primary);
    m_primary = placed.offer;
}

void WaylandClipboardThread::startRead(Offer offer) {
    const bool besidePng = offer.types.contains(QStringLiteral("image/png"));
    offer.types.removeIf([besidePng](const QString& type) {
        return !SelectionContentPolicy::isWorthReading(type.toUtf8(), besidePng);
    });
    m_read.emplace();
    m_read->offer = std::move(offer);
    m_read->budget = SelectionContentPolicy::snapshotCap;
    readNextType();
}

void WaylandClipboardThread::abandonRead() {
    if (m_read) {
        WaylandPipe::close(m_read->fd);
        m_read.reset();
    }
}

void WaylandClipboardThread::readNextType() {
    Read& read = *m_read;
    while (read.next < read.offer.types.size() && read.budget > 0) {
        const QString type = read.offer.types[read.next++];
        int fds[2];
        // Only our end is non-blocking: the owner writes to its end as it pleases.
        if (::pipe2(fds, O_CLOEXEC) != 0) {
            continue;
        }
        ::fcntl(fds[0], F_SETFL, O_NONBLOCK);
        ::fcntl(fds[0], F_SETPIPE_SZ, WaylandPipe::size);
        m_control.receive(read.offer.offer, type.toUtf8().constData(), fds[1]);
        // The request holds a duplicate until it is sent; the end of the data shows only once
        // no one but the owner holds the write end.
        ::close(fds[1]);
        read.fd = fds[0];
        read.type = type;
        read.bytes = QByteArray();
        read.deadline = Clock::now() + m_timeout;
        return;
    }
    finishRead();
}

void WaylandClipboardThread::readAvailable() {
    Read& read = *m_read;
    const qsizetype cap = std::min(SelectionContentPolicy::typeCap, read.budget);
    qsizetype taken = 0;
    while (taken < WaylandPipe::bytesPerPass) {
        const qsizetype size = read.bytes.size();
        if (read.bytes.capacity() < size + WaylandPipe::chunk) {
            read.bytes.reserve(std::max(read.bytes.capacity() * 2, size + WaylandPipe::chunk));
        }
        read.bytes.resize(size + WaylandPipe::chunk);
        const ssize_t got = ::read(read.fd, read.bytes.data() + size, size_t(WaylandPipe::chunk));
        read.bytes.resize(size + std::max<ssize_t>(got, 0));
        if (got == 0) {
            finishType(true);
            return;
        }
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            if (errno != EAGAIN) {
                finishType(false);
            }
            return;
        }
        taken += got;
        read.deadline = Clock::now() + m_timeout;
        if (read.bytes.size() > cap) {
            log(QStringLiteral("clipboard: %1 is larger than we keep").arg(read.type));
            finishType(false);
            return;
        }
    }
}

void WaylandClipboardThread::finishType(bool complete) {
    Read& read = *m_read;
    WaylandPipe::close(read.fd);
    if (!complete) {
        log(QStringLiteral("clipboard: gave up reading %1").arg(read.type));
    } else if (!read.bytes.isEmpty()) {
        read.bytes.squeeze();
        read.budget -= read.bytes.size();
        read.item.insert(read.type, std::exchange(read.bytes, {}));
    }
    read.bytes = QByteArray();
    readNextType();
}

void WaylandClipboardThread::finishRead() {
    addCanonicalUtf8Text(m_read->item);
    Snapshot snapshot{m_queue.carriedOut(), true, std::move(m_read->item)};
    log(QStringLiteral("clipboard: read %1 of %2 types")
            .arg(snapshot.item.size())
            .arg(m_read->offer.types.size()));
    m_read.reset();
    if (!m_stop) {
        m_deliver(std::move(snapshot));
    }
}

void WaylandClipboardThread::processClaims() {
    const SelectionClaimQueue::Batch batch = m_queue.take();
    if (batch.claims == 0 && batch.primaryClaims == 0) {
        return;
    }
    PendingSync pending;
    if (batch.claims > 0 && batch.onlyIfStillEmpty && m_selection && !m_owner->ownsClipboard()) {
        // Someone copied since the clipboard emptied: theirs stays, read under the count that
        // includes the claim given up, as what arrived before it is dropped as stale.
        m_queue.carryOut(quint64(batch.claims));
        pending.failed = true;
        if (!m_read) {
            startRead({m_selection, m_selectionTypes});
        }
    } else if (batch.claims > 0) {
        // Our write replaces whatever another owner offered, so reading it is pointless.
        abandonRead();
        pending.clipboard = m_owner->offerClipboard(batch.latest);
        m_echoSeen = false;
        m_queue.carryOut(quint64(batch.claims));
    }
    if (batch.primaryClaims > 0) {
        m_queue.carryOut(batch.primaryClaims);
        if (offersPrimary()) {
            pending.primary = m_owner->offerPrimary();
        }
        pending.failed = pending.failed || !pending.primary;
    }
    pending.claims = m_queue.carriedOut();
    sync(std::move(pending));
}

void WaylandClipboardThread::sync(PendingSync pending) {
    pending.callback = wl_display_sync(m_display);
    wl_callback_add_listener(pending.callback, &WaylandClipboardListeners::kSync, this);
    m_syncs.append(std::move(pending));
}

void WaylandClipboardThread::onSyncDone(wl_callback* callback) {
    const auto found = std::find_if(
        m_syncs.begin(), m_syncs.end(),
        [callback](const PendingSync& pending) { return pending.callback == callback; });
    if (found == m_syncs.end()) {
        return;
    }
    const PendingSync pending = *found;
    m_syncs.erase(found);
    wl_callback_destroy(callback);
    const bool owned = m_owner->settle(pending.clipboard, pending.primary, pending.failed);
    m_confirm(pending.claims, owned);
}

void WaylandClipboardThread::run() {
    // Writing to a reader that closed early must fail with EPIPE here, not end the process.
    sigset_t pipeSignal;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeSignal, nullptr);
    // Copying a large image must not take the CPU from the interface.
    setpriority(PRIO_PROCESS, id_t(gettid()), kThreadNice);
    while (!m_stop && !m_broken && pollOnce()) {
    }
    if (m_broken && !m_stop) {
        log(QStringLiteral("clipboard: the Wayland connection is lost (%1)")
                .arg(wl_display_get_error(m_display)));
        abandonRead();
        m_owner->abandonTransfers();
        m_lost();
    }
}

bool WaylandClipboardThread::pollOnce() {
    if (wl_display_dispatch_pending(m_display) < 0) {
        m_broken = true;
    }
    if (m_wakePending && !m_broken) {
        m_wakePending = false;
        processClaims();
    }
    while (!m_broken && wl_display_prepare_read(m_display) != 0) {
        if (wl_display_dispatch_pending(m_display) < 0) {
            m_broken = true;
        }
    }
    if (m_broken || m_stop) {
        if (!m_broken) {
            wl_display_cancel_read(m_display);
        }
        return false;
    }
    short displayEvents = POLLIN;
    if (wl_display_flush(m_display) < 0) {
        if (errno != EAGAIN) {
            wl_display_cancel_read(m_display);
            m_broken = true;
            return false;
        }
        // The compositor is slow to take our requests: send the rest once it can.
        displayEvents |= POLLOUT;
    }

    std::vector<pollfd> fds{{wl_display_get_fd(m_display), displayEvents, 0},
                            {m_queue.wakeFd(), POLLIN, 0}};
    Clock::time_point deadline = Clock::time_point::max();
    const bool reading = m_read && m_read->fd >= 0;
    if (reading) {
        fds.push_back({m_read->fd, POLLIN, 0});
        deadline = m_read->deadline;
    }
    const size_t firstTransfer = fds.size();
    m_owner->watch(fds, deadline);
    int timeoutMs = -1;
    if (deadline != Clock::time_point::max()) {
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        timeoutMs = int(std::clamp<qint64>(left, 0, 60'000));
    }
    const int ready = ::poll(fds.data(), nfds_t(fds.size()), timeoutMs);
    if (ready < 0 && errno != EINTR) {
        wl_display_cancel_read(m_display);
        m_broken = true;
        return false;
    }
    if (ready > 0 && (fds[0].revents & (POLLIN | POLLHUP | POLLERR))) {
        if (wl_display_read_events(m_display) < 0) {
            m_broken = true;
            return false;
        }
    } else {
        wl_display_cancel_read(m_display);
    }
    if (ready > 0 && (fds[1].revents & POLLIN)) {
        m_queue.acknowledgeWake();
        m_wakePending = true;
    }
    if (ready > 0 && reading && m_read && fds[2].revents != 0) {
        readAvailable();
    }
    if (ready > 0) {
        m_owner->serveReady(fds.data() + firstTransfer, fds.size() - firstTransfer);
    }

    // Whoever stayed silent for the whole timeout is given up.
    const Clock::time_point now = Clock::now();
    if (m_read && m_read->fd >= 0 && m_read->deadline <= now) {
        finishType(false);
    }
    m_owner->expireStalled(now);
    return true;
}
