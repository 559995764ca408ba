// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>

struct wl_proxy;
struct wl_registry;
struct wl_seat;

// The compositor's data control: the standard ext-data-control-v1 where it is offered, else the
// wlroots protocol it grew from. The two carry the same messages in the same order under other
// names, so one clipboard thread speaks either through these calls, holding the objects as
// plain proxies.
class DataControl {
  public:
    enum class Protocol { None, Standard, Wlroots };
    // The best data control global seen so far in a registry.
    struct Global {
        quint32 name = 0;
        Protocol protocol = Protocol::None;
        quint32 version = 0;
        // Keeps the global announced if it is better than the one held.
        void consider(quint32 name, const char* interface, quint32 version);
    };

    // Laid out like either protocol's generated listeners: libwayland calls them by the message
    // signatures, which the two share.
    struct DeviceListener {
        void (*dataOffer)(void* data, wl_proxy* device, wl_proxy* offer);
        void (*selection)(void* data, wl_proxy* device, wl_proxy* offer);
        void (*finished)(void* data, wl_proxy* device);
        void (*primarySelection)(void* data, wl_proxy* device, wl_proxy* offer);
    };
    struct SourceListener {
        void (*send)(void* data, wl_proxy* source, const char* mimeType, int32_t fd);
        void (*cancelled)(void* data, wl_proxy* source);
    };
    struct OfferListener {
        void (*offer)(void* data, wl_proxy* offer, const char* mimeType);
    };

    DataControl() = default;
    // Binds the manager `global` names; none when it holds no data control.
    DataControl(wl_registry* registry, const Global& global);
    ~DataControl();
    DataControl(DataControl&& other) noexcept;
    DataControl& operator=(DataControl&& other) noexcept;

    bool isValid() const { return m_manager != nullptr; }
    Protocol protocol() const { return m_protocol; }
    // Whether the compositor takes a primary selection from us: from the start in the standard
    // protocol, from version 2 in the wlroots one.
    bool offersPrimary() const;

    wl_proxy* createDevice(wl_seat* seat, const DeviceListener* listener, void* data) const;
    wl_proxy* createSource(const SourceListener* listener, void* data) const;
    void listen(wl_proxy* offer, const OfferListener* listener, void* data) const;
    void offer(wl_proxy* source, const char* mimeType) const;
    void setSelection(wl_proxy* device, wl_proxy* source) const;
    void setPrimarySelection(wl_proxy* device, wl_proxy* source) const;
    void receive(wl_proxy* offer, const char* mimeType, int fd) const;
    void destroyDevice(wl_proxy* device) const;
    void destroySource(wl_proxy* source) const;
    void destroyOffer(wl_proxy* offer) const;

  private:
    void reset();

    Protocol m_protocol = Protocol::None;
    quint32 m_version = 0;
    wl_proxy* m_manager = nullptr;
};
