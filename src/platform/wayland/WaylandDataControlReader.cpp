#include "platform/wayland/WaylandDataControlReader.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>
#include <wayland-client.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "core/AppLogger.h"
#include "wlr-data-control-unstable-v1-client-protocol.h"

QUILLSTACK_DEFINE_COMPONENT_LOG

namespace {
constexpr quint32 kManagerVersion = 2;
constexpr qsizetype kTypeCap = qsizetype(256) * 1024 * 1024;
constexpr qsizetype kChunk = 64 * 1024;

void destroyOffer(zwlr_data_control_offer_v1*& offer) {
    if (offer) {
        zwlr_data_control_offer_v1_destroy(offer);
        offer = nullptr;
    }
}
}  // namespace

struct WaylandDataControlListeners {
    static WaylandDataControlReader* reader(void* data) {
        return static_cast<WaylandDataControlReader*>(data);
    }
    static void global(void* data, wl_registry* registry, uint32_t name, const char* interface,
                       uint32_t version) {
        reader(data)->onGlobal(registry, name, interface, version);
    }
    static void globalRemove(void*, wl_registry*, uint32_t) {}
    static void dataOffer(void* data, zwlr_data_control_device_v1*,
                          zwlr_data_control_offer_v1* offer) {
        reader(data)->onDataOffer(offer);
    }
    static void selection(void* data, zwlr_data_control_device_v1*,
                          zwlr_data_control_offer_v1* offer) {
        reader(data)->onSelection(offer);
    }
    static void finished(void* data, zwlr_data_control_device_v1*) {
        log(QStringLiteral("clipboard: the compositor withdrew data control"));
        reader(data)->m_broken = true;
    }
    static void primarySelection(void* data, zwlr_data_control_device_v1*,
                                 zwlr_data_control_offer_v1* offer) {
        reader(data)->onPrimarySelection(offer);
    }
    static void offerType(void* data, zwlr_data_control_offer_v1* offer, const char* mimeType) {
        reader(data)->onOfferType(offer, mimeType);
    }

    static constexpr wl_registry_listener kRegistry{global, globalRemove};
    static constexpr zwlr_data_control_device_v1_listener kDevice{dataOffer, selection, finished,
                                                                  primarySelection};
    static constexpr zwlr_data_control_offer_v1_listener kOffer{offerType};
};

WaylandDataControlReader::WaylandDataControlReader(const QString& displayName,
                                                   std::chrono::milliseconds requestTimeout,
                                                   Deliver deliver)
    : m_timeout(requestTimeout), m_deliver(std::move(deliver)) {
    const QByteArray name = displayName.toLocal8Bit();
    m_display = wl_display_connect(name.isEmpty() ? nullptr : name.constData());
    if (!m_display) {
        log(QStringLiteral("clipboard: cannot connect to the Wayland display"));
        return;
    }
    m_registry = wl_display_get_registry(m_display);
    wl_registry_add_listener(m_registry, &WaylandDataControlListeners::kRegistry, this);
    m_wakeFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wl_display_roundtrip(m_display) < 0 || !m_seat || !m_manager || m_wakeFd < 0) {
        log(QStringLiteral("clipboard: the compositor offers no seat or no data control"));
        disconnect();
        return;
    }
    m_device = zwlr_data_control_manager_v1_get_data_device(m_manager, m_seat);
    zwlr_data_control_device_v1_add_listener(m_device, &WaylandDataControlListeners::kDevice, this);
    m_thread = std::thread(&WaylandDataControlReader::run, this);
}

WaylandDataControlReader::~WaylandDataControlReader() {
    m_stop = true;
    if (m_thread.joinable()) {
        const quint64 one = 1;
        [[maybe_unused]] const ssize_t written = ::write(m_wakeFd, &one, sizeof one);
        m_thread.join();
    }
    disconnect();
}

void WaylandDataControlReader::disconnect() {
    for (Offer& offer : m_newOffers) {
        destroyOffer(offer.offer);
    }
    m_newOffers.clear();
    if (m_pending) {
        destroyOffer(m_pending->offer);
        m_pending.reset();
    }
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
    if (m_wakeFd >= 0) {
        ::close(m_wakeFd);
        m_wakeFd = -1;
    }
}

void WaylandDataControlReader::onGlobal(wl_registry* registry, quint32 name, const char* interface,
                                        quint32 version) {
    if (!m_seat && std::strcmp(interface, wl_seat_interface.name) == 0) {
        m_seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    } else if (!m_manager &&
               std::strcmp(interface, zwlr_data_control_manager_v1_interface.name) == 0) {
        m_manager = static_cast<zwlr_data_control_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_data_control_manager_v1_interface,
                             std::min(version, kManagerVersion)));
    }
}

void WaylandDataControlReader::onDataOffer(zwlr_data_control_offer_v1* offer) {
    zwlr_data_control_offer_v1_add_listener(offer, &WaylandDataControlListeners::kOffer, this);
    m_newOffers.append(Offer{offer, {}});
}

void WaylandDataControlReader::onOfferType(zwlr_data_control_offer_v1* offer,
                                           const char* mimeType) {
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

WaylandDataControlReader::Offer WaylandDataControlReader::takeNewOffer(
    zwlr_data_control_offer_v1* offer) {
    for (qsizetype i = 0; i < m_newOffers.size(); ++i) {
        if (m_newOffers[i].offer == offer) {
            return m_newOffers.takeAt(i);
        }
    }
    return {offer, {}};
}

void WaylandDataControlReader::onSelection(zwlr_data_control_offer_v1* offer) {
    // A newer selection makes one not yet read pointless to read.
    if (m_pending) {
        destroyOffer(m_pending->offer);
    }
    m_pending = offer ? takeNewOffer(offer) : Offer{};
}

void WaylandDataControlReader::onPrimarySelection(zwlr_data_control_offer_v1* offer) {
    destroyOffer(m_primary);
    m_primary = offer ? takeNewOffer(offer).offer : nullptr;
}

void WaylandDataControlReader::run() {
    const int fd = wl_display_get_fd(m_display);
    while (!m_stop && !m_broken) {
        while (wl_display_prepare_read(m_display) != 0) {
            if (wl_display_dispatch_pending(m_display) < 0) {
                m_broken = true;
                break;
            }
        }
        if (m_broken) {
            break;
        }
        if (!m_pending) {
            wl_display_flush(m_display);
            pollfd fds[2] = {{fd, POLLIN, 0}, {m_wakeFd, POLLIN, 0}};
            if (::poll(fds, 2, -1) < 0 && errno != EINTR) {
                wl_display_cancel_read(m_display);
                break;
            }
            if (fds[0].revents & (POLLIN | POLLHUP | POLLERR)) {
                if (wl_display_read_events(m_display) < 0) {
                    m_broken = true;
                    break;
                }
            } else {
                wl_display_cancel_read(m_display);
            }
        } else {
            wl_display_cancel_read(m_display);
        }
        if (wl_display_dispatch_pending(m_display) < 0) {
            m_broken = true;
            break;
        }
        if (m_pending && !m_stop) {
            readPending();
        }
    }
    if (m_broken) {
        log(QStringLiteral("clipboard: the Wayland connection is lost"));
    }
}

void WaylandDataControlReader::readPending() {
    Offer offer = std::move(*m_pending);
    m_pending.reset();
    Snapshot snapshot;
    snapshot.hasOffer = offer.offer != nullptr;
    snapshot.offeredTypes = offer.types;
    for (const QString& type : offer.types) {
        QByteArray bytes;
        if (m_stop) {
            break;
        }
        if (read(offer.offer, type, bytes)) {
            snapshot.item.insert(type, bytes);
        }
    }
    // The previous selection is no longer needed once the new one is read.
    destroyOffer(m_selection);
    m_selection = offer.offer;
    if (!m_stop) {
        m_deliver(std::move(snapshot));
    }
}

bool WaylandDataControlReader::read(zwlr_data_control_offer_v1* offer, const QString& type,
                                    QByteArray& bytes) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) {
        return false;
    }
    zwlr_data_control_offer_v1_receive(offer, type.toUtf8().constData(), fds[1]);
    wl_display_flush(m_display);
    // Only the owner may hold the write end, or the end of the data never shows.
    ::close(fds[1]);
    bool complete = false;
    char chunk[kChunk];
    for (;;) {
        pollfd polled[2] = {{fds[0], POLLIN, 0}, {m_wakeFd, POLLIN, 0}};
        const int ready = ::poll(polled, 2, int(m_timeout.count()));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready <= 0 || polled[1].revents) {
            log(QStringLiteral("clipboard: gave up reading %1").arg(type));
            break;
        }
        const ssize_t got = ::read(fds[0], chunk, sizeof chunk);
        if (got == 0) {
            complete = true;
            break;
        }
        if (got < 0) {
            if (errno == EAGAIN || errno == EINTR) {
                continue;
            }
            break;
        }
        if (bytes.size() + got > kTypeCap) {
            log(QStringLiteral("clipboard: %1 is larger than we keep").arg(type));
            break;
        }
        bytes.append(chunk, got);
    }
    ::close(fds[0]);
    return complete;
}
