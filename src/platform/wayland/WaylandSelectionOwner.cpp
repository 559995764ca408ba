// SPDX-License-Identifier: MIT
#include "platform/wayland/WaylandSelectionOwner.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "core/AppLogger.h"
#include "platform/wayland/DataControl.h"

QUILLSTACK_DEFINE_COMPONENT_LOG

struct WaylandSelectionOwner::Source {
    WaylandSelectionOwner* owner = nullptr;
    wl_proxy* proxy = nullptr;
    StoredItem content;
    bool primary = false;
    bool cancelled = false;
};

namespace {
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
}  // namespace

void WaylandPipe::close(int& fd) {
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

struct WaylandSelectionOwnerListeners {
    using Source = WaylandSelectionOwner::Source;
    static void send(void* data, wl_proxy*, const char* mimeType, int32_t fd) {
        auto* source = static_cast<Source*>(data);
        source->owner->onSend(source, mimeType, fd);
    }
    static void cancelled(void* data, wl_proxy*) {
        auto* source = static_cast<Source*>(data);
        source->owner->onCancelled(source);
    }
    static constexpr DataControl::SourceListener kSource{send, cancelled};
};

WaylandSelectionOwner::WaylandSelectionOwner(const DataControl& control, wl_proxy* device,
                                             std::chrono::milliseconds timeout,
                                             const std::atomic<bool>& stop)
    : m_control(control), m_device(device), m_timeout(timeout), m_stop(stop) {}

WaylandSelectionOwner::~WaylandSelectionOwner() {
    abandonTransfers();
    for (const SourcePointer& source : std::as_const(m_sources)) {
        m_control.destroySource(source->proxy);
        source->proxy = nullptr;
    }
}

WaylandSelectionOwner::SourcePointer WaylandSelectionOwner::offerClipboard(
    const StoredItem& content) {
    m_clipboard = createSource(content, false);
    m_control.setSelection(m_device, m_clipboard->proxy);
    return m_clipboard;
}

WaylandSelectionOwner::SourcePointer WaylandSelectionOwner::offerPrimary() {
    // Without a clipboard of ours there is nothing to mirror.
    if (!m_clipboard) {
        return {};
    }
    m_primary = createSource(m_clipboard->content, true);
    m_control.setPrimarySelection(m_device, m_primary->proxy);
    return m_primary;
}

WaylandSelectionOwner::SourcePointer WaylandSelectionOwner::createSource(const StoredItem& content,
                                                                         bool primary) {
    auto source = std::make_shared<Source>();
    source->owner = this;
    source->content = content;
    source->primary = primary;
    source->proxy = m_control.createSource(&WaylandSelectionOwnerListeners::kSource, source.get());
    for (auto it = content.cbegin(); it != content.cend(); ++it) {
        m_control.offer(source->proxy, it.key().toUtf8().constData());
    }
    m_sources.append(source);
    return source;
}

void WaylandSelectionOwner::dropSource(Source* source) {
    if (source->proxy) {
        m_control.destroySource(source->proxy);
        source->proxy = nullptr;
    }
    if (m_clipboard.get() == source) {
        m_clipboard.reset();
    }
    if (m_primary.get() == source) {
        m_primary.reset();
    }
    // Last: a pending sync may still hold it, the list may hold the only other reference.
    m_sources.removeIf([source](const SourcePointer& s) { return s.get() == source; });
}

bool WaylandSelectionOwner::settle(const SourcePointer& clipboard, const SourcePointer& primary,
                                   bool failed) {
    // A source cancelled by now was replaced by someone else's before anyone could paste it.
    const bool owned =
        !failed && !(clipboard && clipboard->cancelled) && !(primary && primary->cancelled);
    if (!owned) {
        log(QStringLiteral("clipboard: could not take the selection"));
        return false;
    }
    // A compositor that does not cancel the sources it replaced must not make them pile up.
    for (const SourcePointer& settled : {clipboard, primary}) {
        const qsizetype index = settled ? m_sources.indexOf(settled) : -1;
        for (const SourcePointer& source : m_sources.first(std::max<qsizetype>(index, 0))) {
            if (source->primary == settled->primary) {
                dropSource(source.get());
            }
        }
    }
    return true;
}

void WaylandSelectionOwner::onCancelled(Source* source) {
    source->cancelled = true;
    dropSource(source);
}

void WaylandSelectionOwner::onSend(Source* source, const char* mimeType, int fd) {
    const auto found = source->content.constFind(QString::fromUtf8(mimeType));
    if (m_stop || found == source->content.cend() || found->isEmpty()) {
        ::close(fd);
        return;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    if (found->size() > 64 * 1024) {
        ::fcntl(fd, F_SETPIPE_SZ, WaylandPipe::size);
    }
    Transfer transfer{fd, *found, 0, Clock::now() + m_timeout};
    if (writeAvailable(transfer)) {
        m_transfers.append(std::move(transfer));
    }
}

bool WaylandSelectionOwner::writeAvailable(Transfer& transfer) {
    qsizetype written = 0;
    while (transfer.offset < transfer.bytes.size() && written < WaylandPipe::bytesPerPass) {
        const qsizetype length =
            std::min(WaylandPipe::chunk, transfer.bytes.size() - transfer.offset);
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
        WaylandPipe::close(transfer.fd);
        return false;
    }
    if (transfer.offset < transfer.bytes.size()) {
        return true;
    }
    WaylandPipe::close(transfer.fd);
    return false;
}

void WaylandSelectionOwner::watch(std::vector<pollfd>& fds, Clock::time_point& deadline) const {
    for (const Transfer& transfer : std::as_const(m_transfers)) {
        fds.push_back({transfer.fd, POLLOUT, 0});
        deadline = std::min(deadline, transfer.deadline);
    }
}

void WaylandSelectionOwner::serveReady(const pollfd* fds, size_t count) {
    for (size_t i = 0; i < count; ++i) {
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

void WaylandSelectionOwner::expireStalled(Clock::time_point now) {
    for (qsizetype t = m_transfers.size() - 1; t >= 0; --t) {
        if (m_transfers[t].deadline <= now) {
            log(QStringLiteral("clipboard: a reader took nothing for too long"));
            WaylandPipe::close(m_transfers[t].fd);
            m_transfers.removeAt(t);
        }
    }
}

void WaylandSelectionOwner::abandonTransfers() {
    for (Transfer& transfer : m_transfers) {
        WaylandPipe::close(transfer.fd);
    }
    m_transfers.clear();
}
