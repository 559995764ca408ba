#pragma once

#include <QString>
#include <QStringList>

#include <atomic>
#include <chrono>
#include <functional>
#include <optional>
#include <thread>

#include "platform/Pasteboard.h"

struct wl_display;
struct wl_registry;
struct wl_seat;
struct zwlr_data_control_manager_v1;
struct zwlr_data_control_device_v1;
struct zwlr_data_control_offer_v1;

// A Wayland connection of its own on a thread of its own, through the compositor's data
// control: reads every new clipboard selection, each offered type byte for byte, so no other
// client can stall the caller's thread and no focus is needed.
class WaylandDataControlReader {
  public:
    struct Snapshot {
        // False when the clipboard has no content.
        bool hasOffer = false;
        // Every offered type, in the order offered, whether or not its bytes could be had.
        QStringList offeredTypes;
        // The types whose bytes arrived in full.
        StoredItem item;
    };
    // Called on the reader thread.
    using Deliver = std::function<void(Snapshot)>;

    // Connects at once; an empty name means $WAYLAND_DISPLAY. Without a connection, a seat or
    // data control the thread never starts. A type whose owner sends nothing for
    // `requestTimeout` is given up.
    WaylandDataControlReader(const QString& displayName, std::chrono::milliseconds requestTimeout,
                             Deliver deliver);
    ~WaylandDataControlReader();
    WaylandDataControlReader(const WaylandDataControlReader&) = delete;
    WaylandDataControlReader& operator=(const WaylandDataControlReader&) = delete;

    bool isConnected() const { return m_device != nullptr; }

  private:
    friend struct WaylandDataControlListeners;
    struct Offer {
        zwlr_data_control_offer_v1* offer = nullptr;
        QStringList types;
    };

    void onGlobal(wl_registry* registry, quint32 name, const char* interface, quint32 version);
    void onDataOffer(zwlr_data_control_offer_v1* offer);
    void onOfferType(zwlr_data_control_offer_v1* offer, const char* mimeType);
    void onSelection(zwlr_data_control_offer_v1* offer);
    void onPrimarySelection(zwlr_data_control_offer_v1* offer);
    Offer takeNewOffer(zwlr_data_control_offer_v1* offer);

    void run();
    void readPending();
    bool read(zwlr_data_control_offer_v1* offer, const QString& type, QByteArray& bytes);
    void disconnect();

    std::chrono::milliseconds m_timeout;
    Deliver m_deliver;
    wl_display* m_display = nullptr;
    wl_registry* m_registry = nullptr;
    wl_seat* m_seat = nullptr;
    zwlr_data_control_manager_v1* m_manager = nullptr;
    zwlr_data_control_device_v1* m_device = nullptr;
    int m_wakeFd = -1;

    // Thread state. Offers announced but not yet placed, the selection still to be read (only
    // the latest of those that arrive together), the one read last, and the primary selection's.
    QList<Offer> m_newOffers;
    std::optional<Offer> m_pending;
    zwlr_data_control_offer_v1* m_selection = nullptr;
    zwlr_data_control_offer_v1* m_primary = nullptr;
    bool m_broken = false;

    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};
