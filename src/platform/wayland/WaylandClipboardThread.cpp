#include "platform/wayland/WaylandClipboardThread.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/eventfd.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <wayland-client.h>

#include <QSet>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>
#include <vector>

#include "core/AppLogger.h"
#include "wlr-data-control-unstable-v1-client-protocol.h"

QUILLSTACK_DEFINE_COMPONENT_LOG

namespace {
constexpr quint32 kManagerVersion = 2;
constexpr qsizetype kTypeCap = qsizetype(256) * 1024 * 1024;
constexpr qsizetype kSnapshotCap = qsizetype(512) * 1024 * 1024;
constexpr qsizetype kChunk = 1024 * 1024;
// Larger pipes mean fewer wake-ups for a large copy; the kernel may refuse, which costs nothing.
constexpr int kPipeSize = 1024 * 1024;
// One pass over a busy pipe stops after this much, so other transfers get their turn.
constexpr qsizetype kBytesPerPass = 8 * 1024 * 1024;
constexpr int kThreadNice = 5;

// Names an X11 bridge may pass on that describe the selection, not its content.
bool isProtocolType(const QString& name) {
    static const QSet<QString> names{"TARGETS",        "MULTIPLE", "TIMESTAMP",
                                     "SAVE_TARGETS",   "DELETE",   "INSERT_SELECTION",
                                     "INSERT_PROPERTY"};
    return names.contains(name);
}

// Conversions an owner renders on demand from its image; the PNG already holds the picture.
// The same list the X11 reader skips.
bool isDerivedRaster(const QString& name) {
    static const QSet<QString> names{"image/tiff",
                                     "image/bmp",
                                     "image/x-bmp",
                                     "image/x-MS-bmp",
                                     "image/x-icon",
                                     "image/x-ico",
                                     "image/vnd.microsoft.icon",
                                     "image/jpeg",
                                     "PIXMAP",
                                     "BITMAP"};
    return names.contains(name) || name.startsWith(QLatin1StringView("image/x-portable-"));
}

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

void destroyOffer(zwlr_data_control_offer_v1*& offer) {
    if (offer) {
        zwlr_data_control_offer_v1_destroy(offer);
        offer = nullptr;
    }
}

void closeFd(int& fd) {
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

// A write to a reader that already closed its end raises SIGPIPE at this thread, where it is
// blocked; taking it here keeps it from staying pending. Process-wide handling is untouched.
void discardPendingSigpipe() {
    sigset_t pipeSignal;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    const timespec now{};
    while (sigtimedwait(&pipeSignal, nullptr, &now) > 0) {
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
    quint32 version = 0;
};

void probeGlobal(void* data, wl_registry*, uint32_t, const char* interface, uint32_t version) {
    auto* probe = static_cast<Probe*>(data);
    if (std::strcmp(interface, wl_seat_interface.name) == 0) {
        probe->seat = true;
    } else if (std::strcmp(interface, zwlr_data_control_manager_v1_interface.name) == 0) {
        probe->version = std::max(probe->version, version);
    }
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
    static void dataOffer(void* data, zwlr_data_control_device_v1*,
                          zwlr_data_control_offer_v1* offer) {
        thread(data)->onDataOffer(offer);
    }
    static void selection(void* data, zwlr_data_control_device_v1*,
                          zwlr_data_control_offer_v1* offer) {
        thread(data)->onSelection(offer);
    }
    static void finished(void* data, zwlr_data_control_device_v1*) {
        log(QStringLiteral("clipboard: the compositor withdrew data control"));
        thread(data)->m_broken = true;
    }
    static void primarySelection(void* data, zwlr_data_control_device_v1*,
                                 zwlr_data_control_offer_v1* offer) {
        thread(data)->onPrimarySelection(offer);
    }
    static void offerType(void* data, zwlr_data_control_offer_v1* offer, const char* mimeType) {
        thread(data)->onOfferType(offer, mimeType);
    }
    static void send(void* data, zwlr_data_control_source_v1*, const char* mimeType, int32_t fd) {
        auto* source = static_cast<Thread::Source*>(data);
        source->thread->onSend(source, mimeType, fd);
    }
    static void cancelled(void* data, zwlr_data_control_source_v1*) {
        auto* source = static_cast<Thread::Source*>(data);
        source->thread->onCancelled(source);
    }
    static void done(void* data, wl_callback* callback, uint32_t) {
        thread(data)->onSyncDone(callback);
    }

    static constexpr wl_registry_listener kRegistry{global, globalRemove};
    static constexpr zwlr_data_control_device_v1_listener kDevice{dataOffer, selection, finished,
                                                                  primarySelection};
    static constexpr zwlr_data_control_offer_v1_listener kOffer{offerType};
    static constexpr zwlr_data_control_source_v1_listener kSource{send, cancelled};
    static constexpr wl_callback_listener kSync{done};
};

quint32 WaylandClipboardThread::offeredVersion(const QString& displayName) {
    wl_display* display = connectDisplay(displayName);
    if (!display) {
        return 0;
    }
    Probe probe;
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &kProbeListener, &probe);
    const bool answered = wl_display_roundtrip(display) >= 0;
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return answered && probe.seat ? probe.version : 0;
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
    m_wakeFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wl_display_roundtrip(m_display) < 0 || !m_seat || !m_manager || m_wakeFd < 0) {
        log(QStringLiteral("clipboard: the compositor offers no seat or no data control"));
        disconnect();
        return;
    }
    m_device = zwlr_data_control_manager_v1_get_data_device(m_manager, m_seat);
    zwlr_data_control_device_v1_add_listener(m_device, &WaylandClipboardListeners::kDevice, this);
    m_thread = std::thread(&WaylandClipboardThread::run, this);
}

WaylandClipboardThread::~WaylandClipboardThread() {
    if (m_thread.joinable()) {
        m_stop = true;
        wake();
        m_thread.join();
    }
    disconnect();
}

void WaylandClipboardThread::disconnect() {
    abandonRead();
    for (Transfer& transfer : m_transfers) {
        closeFd(transfer.fd);
    }
    m_transfers.clear();
    for (PendingSync& pending : m_syncs) {
        wl_callback_destroy(pending.callback);
    }
    m_syncs.clear();
    for (const std::shared_ptr<Source>& source : std::as_const(m_sources)) {
        zwlr_data_control_source_v1_destroy(source->proxy);
        source->proxy = nullptr;
    }
    m_sources.clear();
    m_clipboardSource.reset();
    m_primarySource.reset();
    for (Offer& offer : m_newOffers) {
        destroyOffer(offer.offer);
    }
    m_newOffers.clear();
    destroyOffer(m_selection);
    destroyOffer(m_primary);
    if (m_device) {
        zwlr_data_control_device_v1_destroy(m_device);
        m_device = nullptr;
    }
    if (m_manager) {
        zwlr_data_control_manager_v1_destroy(m_manager);
        m_manager = nullptr;
    }
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
    closeFd(m_wakeFd);
}

void WaylandClipboardThread::claim(StoredItem content) {
    if (!m_device) {
        return;
    }
    {
        std::lock_guard lock(m_mutex);
        m_claimQueue.append(std::move(content));
    }
    wake();
}

void WaylandClipboardThread::claimPrimary() {
    if (!m_device) {
        return;
    }
    {
        std::lock_guard lock(m_mutex);
        ++m_primaryClaims;
    }
    wake();
}

void WaylandClipboardThread::wake() {
    const quint64 one = 1;
    [[maybe_unused]] const ssize_t written = ::write(m_wakeFd, &one, sizeof one);
}

void WaylandClipboardThread::onGlobal(wl_registry* registry, quint32 name, const char* interface,
                                      quint32 version) {
    if (!m_seat && std::strcmp(interface, wl_seat_interface.name) == 0) {
        m_seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    } else if (!m_manager &&
               std::strcmp(interface, zwlr_data_control_manager_v1_interface.name) == 0) {
        m_managerVersion = std::min(version, kManagerVersion);
        m_manager = static_cast<zwlr_data_control_manager_v1*>(wl_registry_bind(
            registry, name, &zwlr_data_control_manager_v1_interface, m_managerVersion));
    }
}

void WaylandClipboardThread::onDataOffer(zwlr_data_control_offer_v1* offer) {
    zwlr_data_control_offer_v1_add_listener(offer, &WaylandClipboardListeners::kOffer, this);
    m_newOffers.append(Offer{offer, {}});
}

void WaylandClipboardThread::onOfferType(zwlr_data_control_offer_v1* offer, const char* mimeType) {
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

WaylandClipboardThread::Offer WaylandClipboardThread::takeNewOffer(
    zwlr_data_control_offer_v1* offer) {
    for (qsizetype i = 0; i < m_newOffers.size(); ++i) {
        if (m_newOffers[i].offer == offer) {
            return m_newOffers.takeAt(i);
        }
    }
    return {offer, {}};
}

void WaylandClipboardThread::onSelection(zwlr_data_control_offer_v1* offer) {
    Offer placed = offer ? takeNewOffer(offer) : Offer{};
    // Whatever was being read is no longer the clipboard.
    abandonRead();
    destroyOffer(m_selection);
    m_selection = placed.offer;

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
    if (m_clipboardSource && (syncPending || !m_echoSeen)) {
        m_echoSeen = true;
        return;
    }
    if (!placed.offer) {
        if (!m_stop) {
            m_deliver(Snapshot{m_claims, false, {}});
        }
        return;
    }
    startRead(std::move(placed));
}

void WaylandClipboardThread::onPrimarySelection(zwlr_data_control_offer_v1* offer) {
    // Only kept to be destroyed in turn: the history follows the clipboard alone.
    Offer placed = offer ? takeNewOffer(offer) : Offer{};
    destroyOffer(m_primary);
    m_primary = placed.offer;
}

void WaylandClipboardThread::startRead(Offer offer) {
    const bool hasPng = offer.types.contains(QStringLiteral("image/png"));
    offer.types.removeIf([hasPng](const QString& type) {
        return type.isEmpty() || isProtocolType(type) || (hasPng && isDerivedRaster(type));
    });
    m_read.emplace();
    m_read->offer = std::move(offer);
    m_read->budget = kSnapshotCap;
    readNextType();
}

void WaylandClipboardThread::abandonRead() {
    if (m_read) {
        closeFd(m_read->fd);
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
        ::fcntl(fds[0], F_SETPIPE_SZ, kPipeSize);
        zwlr_data_control_offer_v1_receive(read.offer.offer, type.toUtf8().constData(), fds[1]);
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
    const qsizetype cap = std::min(kTypeCap, read.budget);
    qsizetype taken = 0;
    while (taken < kBytesPerPass) {
        const qsizetype size = read.bytes.size();
        if (read.bytes.capacity() < size + kChunk) {
            read.bytes.reserve(std::max(read.bytes.capacity() * 2, size + kChunk));
        }
        read.bytes.resize(size + kChunk);
        const ssize_t got = ::read(read.fd, read.bytes.data() + size, size_t(kChunk));
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
    closeFd(read.fd);
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
    Snapshot snapshot{m_claims, true, std::move(m_read->item)};
    log(QStringLiteral("clipboard: read %1 of %2 types")
            .arg(snapshot.item.size())
            .arg(m_read->offer.types.size()));
    m_read.reset();
    if (!m_stop) {
        m_deliver(std::move(snapshot));
    }
}

std::shared_ptr<WaylandClipboardThread::Source> WaylandClipboardThread::createSource(
    const StoredItem& content, bool primary) {
    auto source = std::make_shared<Source>();
    source->thread = this;
    source->content = content;
    source->primary = primary;
    source->proxy = zwlr_data_control_manager_v1_create_data_source(m_manager);
    zwlr_data_control_source_v1_add_listener(source->proxy, &WaylandClipboardListeners::kSource,
                                             source.get());
    for (auto it = content.cbegin(); it != content.cend(); ++it) {
        zwlr_data_control_source_v1_offer(source->proxy, it.key().toUtf8().constData());
    }
    m_sources.append(source);
    return source;
}

void WaylandClipboardThread::dropSource(Source* source) {
    if (source->proxy) {
        zwlr_data_control_source_v1_destroy(source->proxy);
        source->proxy = nullptr;
    }
    if (m_clipboardSource.get() == source) {
        m_clipboardSource.reset();
    }
    if (m_primarySource.get() == source) {
        m_primarySource.reset();
    }
    // Last: a pending sync may still hold it, the list may hold the only other reference.
    m_sources.removeIf([source](const std::shared_ptr<Source>& s) { return s.get() == source; });
}

void WaylandClipboardThread::processClaims() {
    StoredItem content;
    qsizetype count = 0;
    quint64 primaryClaims = 0;
    {
        std::lock_guard lock(m_mutex);
        count = m_claimQueue.size();
        if (count > 0) {
            content = m_claimQueue.last();
        }
        m_claimQueue.clear();
        primaryClaims = std::exchange(m_primaryClaims, 0);
    }
    if (count == 0 && primaryClaims == 0) {
        return;
    }
    PendingSync pending;
    if (count > 0) {
        // Our write replaces whatever another owner offered, so reading it is pointless.
        abandonRead();
        pending.clipboard = createSource(content, false);
        zwlr_data_control_device_v1_set_selection(m_device, pending.clipboard->proxy);
        m_clipboardSource = pending.clipboard;
        m_echoSeen = false;
        m_claims += quint64(count);
    }
    if (primaryClaims > 0) {
        m_claims += primaryClaims;
        // Without a clipboard of ours there is nothing to mirror.
        if (m_clipboardSource && offersPrimary()) {
            pending.primary = createSource(m_clipboardSource->content, true);
            zwlr_data_control_device_v1_set_primary_selection(m_device, pending.primary->proxy);
            m_primarySource = pending.primary;
        } else {
            pending.failed = true;
        }
    }
    pending.claims = m_claims;
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
    // A source cancelled by now was replaced by someone else's before anyone could paste it.
    const bool owned = !pending.failed && !(pending.clipboard && pending.clipboard->cancelled) &&
                       !(pending.primary && pending.primary->cancelled);
    if (!owned) {
        log(QStringLiteral("clipboard: could not take the selection"));
    }
    // Our sources of the same kind set before this one are replaced for good; a compositor that
    // does not cancel them must not make them pile up.
    for (const std::shared_ptr<Source>& settled : {pending.clipboard, pending.primary}) {
        const qsizetype index = settled && owned ? m_sources.indexOf(settled) : -1;
        for (const std::shared_ptr<Source>& source :
             m_sources.first(std::max<qsizetype>(index, 0))) {
            if (source->primary == settled->primary) {
                dropSource(source.get());
            }
        }
    }
    m_confirm(pending.claims, owned);
}

void WaylandClipboardThread::onCancelled(Source* source) {
    source->cancelled = true;
    dropSource(source);
}

void WaylandClipboardThread::onSend(Source* source, const char* mimeType, int fd) {
    const auto found = source->content.constFind(QString::fromUtf8(mimeType));
    if (m_stop || found == source->content.cend() || found->isEmpty()) {
        ::close(fd);
        return;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    if (found->size() > 64 * 1024) {
        ::fcntl(fd, F_SETPIPE_SZ, kPipeSize);
    }
    Transfer transfer{fd, *found, 0, Clock::now() + m_timeout};
    if (writeAvailable(transfer)) {
        m_transfers.append(std::move(transfer));
    }
}

bool WaylandClipboardThread::writeAvailable(Transfer& transfer) {
    qsizetype written = 0;
    while (transfer.offset < transfer.bytes.size() && written < kBytesPerPass) {
        const qsizetype length = std::min(kChunk, transfer.bytes.size() - transfer.offset);
        const ssize_t put =
            ::write(transfer.fd, transfer.bytes.constData() + transfer.offset, size_t(length));
        if (put > 0) {
            transfer.offset += put;
            written += put;
            transfer.deadline = Clock::now() + m_timeout;
            continue;
        }
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put < 0 && errno == EAGAIN) {
            return true;
        }
        if (put < 0 && errno == EPIPE) {
            discardPendingSigpipe();
        }
        // The reader went away before taking everything.
        closeFd(transfer.fd);
        return false;
    }
    if (transfer.offset < transfer.bytes.size()) {
        return true;
    }
    closeFd(transfer.fd);
    return false;
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
        for (Transfer& transfer : m_transfers) {
            closeFd(transfer.fd);
        }
        m_transfers.clear();
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
                            {m_wakeFd, POLLIN, 0}};
    Clock::time_point deadline = Clock::time_point::max();
    const bool reading = m_read && m_read->fd >= 0;
    if (reading) {
        fds.push_back({m_read->fd, POLLIN, 0});
        deadline = m_read->deadline;
    }
    const size_t firstTransfer = fds.size();
    for (const Transfer& transfer : std::as_const(m_transfers)) {
        fds.push_back({transfer.fd, POLLOUT, 0});
        deadline = std::min(deadline, transfer.deadline);
    }
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
        quint64 count = 0;
        [[maybe_unused]] const ssize_t got = ::read(m_wakeFd, &count, sizeof count);
        m_wakePending = true;
    }
    if (ready > 0 && reading && m_read && fds[2].revents != 0) {
        readAvailable();
    }
    if (ready > 0) {
        for (size_t i = firstTransfer; i < fds.size(); ++i) {
            if (fds[i].revents == 0) {
                continue;
            }
            // Descriptors are unique while open, and none closed since the poll.
            for (qsizetype t = 0; t < m_transfers.size(); ++t) {
                if (m_transfers[t].fd == fds[i].fd) {
                    if (!writeAvailable(m_transfers[t])) {
                        m_transfers.removeAt(t);
                    }
                    break;
                }
            }
        }
    }

    // Whoever stayed silent for the whole timeout is given up.
    const Clock::time_point now = Clock::now();
    if (m_read && m_read->fd >= 0 && m_read->deadline <= now) {
        finishType(false);
    }
    for (qsizetype t = m_transfers.size() - 1; t >= 0; --t) {
        if (m_transfers[t].deadline <= now) {
            log(QStringLiteral("clipboard: a reader took nothing for too long"));
            closeFd(m_transfers[t].fd);
            m_transfers.removeAt(t);
        }
    }
    return true;
}
