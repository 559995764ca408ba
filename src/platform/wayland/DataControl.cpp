// SPDX-License-Identifier: MIT
#include "platform/wayland/DataControl.h"

#include <wayland-client.h>

#include <algorithm>
#include <cstring>
#include <utility>

#include "ext-data-control-v1-client-protocol.h"
#include "wlr-data-control-unstable-v1-client-protocol.h"

namespace {
constexpr quint32 kStandardVersion = 1;
constexpr quint32 kWlrootsVersion = 2;

template <typename T>
T* as(wl_proxy* proxy) {
    return reinterpret_cast<T*>(proxy);
}
template <typename T>
wl_proxy* proxy(T* object) {
    return reinterpret_cast<wl_proxy*>(object);
}
template <typename Listener>
void addListener(wl_proxy* object, const Listener* listener, void* data) {
    // What the generated add_listener functions do, over our own table.
    wl_proxy_add_listener(object,
                          reinterpret_cast<void (**)(void)>(const_cast<Listener*>(listener)), data);
}

static_assert(sizeof(DataControl::DeviceListener) == sizeof(ext_data_control_device_v1_listener) &&
              sizeof(DataControl::DeviceListener) == sizeof(zwlr_data_control_device_v1_listener));
static_assert(sizeof(DataControl::SourceListener) == sizeof(ext_data_control_source_v1_listener) &&
              sizeof(DataControl::SourceListener) == sizeof(zwlr_data_control_source_v1_listener));
static_assert(sizeof(DataControl::OfferListener) == sizeof(ext_data_control_offer_v1_listener) &&
              sizeof(DataControl::OfferListener) == sizeof(zwlr_data_control_offer_v1_listener));
}  // namespace

void DataControl::Global::consider(quint32 globalName, const char* interface,
                                   quint32 globalVersion) {
    // The standard protocol wins; of the wlroots one, the compositor's newest.
    if (std::strcmp(interface, ext_data_control_manager_v1_interface.name) == 0) {
        if (protocol != Protocol::Standard) {
            *this = {globalName, Protocol::Standard, std::min(globalVersion, kStandardVersion)};
        }
    } else if (std::strcmp(interface, zwlr_data_control_manager_v1_interface.name) == 0) {
        if (protocol == Protocol::None) {
            *this = {globalName, Protocol::Wlroots, std::min(globalVersion, kWlrootsVersion)};
        }
    }
}

DataControl::DataControl(wl_registry* registry, const Global& global)
    : m_protocol(global.protocol), m_version(global.version) {
    switch (m_protocol) {
        case Protocol::Standard:
            m_manager = static_cast<wl_proxy*>(wl_registry_bind(
                registry, global.name, &ext_data_control_manager_v1_interface, m_version));
            break;
        case Protocol::Wlroots:
            m_manager = static_cast<wl_proxy*>(wl_registry_bind(
                registry, global.name, &zwlr_data_control_manager_v1_interface, m_version));
            break;
        case Protocol::None:
            break;
    }
    if (!m_manager) {
        m_protocol = Protocol::None;
    }
}

DataControl::~DataControl() {
    reset();
}

DataControl::DataControl(DataControl&& other) noexcept
    : m_protocol(std::exchange(other.m_protocol, Protocol::None)),
      m_version(std::exchange(other.m_version, 0)),
      m_manager(std::exchange(other.m_manager, nullptr)) {}

DataControl& DataControl::operator=(DataControl&& other) noexcept {
    if (this != &other) {
        reset();
        m_protocol = std::exchange(other.m_protocol, Protocol::None);
        m_version = std::exchange(other.m_version, 0);
        m_manager = std::exchange(other.m_manager, nullptr);
    }
    return *this;
}

void DataControl::reset() {
    if (m_protocol == Protocol::Standard) {
        ext_data_control_manager_v1_destroy(as<ext_data_control_manager_v1>(m_manager));
    } else if (m_protocol == Protocol::Wlroots) {
        zwlr_data_control_manager_v1_destroy(as<zwlr_data_control_manager_v1>(m_manager));
    }
    m_manager = nullptr;
    m_protocol = Protocol::None;
}

bool DataControl::offersPrimary() const {
    return m_protocol == Protocol::Standard ||
           (m_protocol == Protocol::Wlroots &&
            m_version >= ZWLR_DATA_CONTROL_DEVICE_V1_SET_PRIMARY_SELECTION_SINCE_VERSION);
}

wl_proxy* DataControl::createDevice(wl_seat* seat, const DeviceListener* listener,
                                    void* data) const {
    wl_proxy* device = m_protocol == Protocol::Standard
                           ? proxy(ext_data_control_manager_v1_get_data_device(
                                 as<ext_data_control_manager_v1>(m_manager), seat))
                           : proxy(zwlr_data_control_manager_v1_get_data_device(
                                 as<zwlr_data_control_manager_v1>(m_manager), seat));
    addListener(device, listener, data);
    return device;
}

wl_proxy* DataControl::createSource(const SourceListener* listener, void* data) const {
    wl_proxy* source = m_protocol == Protocol::Standard
                           ? proxy(ext_data_control_manager_v1_create_data_source(
                                 as<ext_data_control_manager_v1>(m_manager)))
                           : proxy(zwlr_data_control_manager_v1_create_data_source(
                                 as<zwlr_data_control_manager_v1>(m_manager)));
    addListener(source, listener, data);
    return source;
}

void DataControl::listen(wl_proxy* offer, const OfferListener* listener, void* data) const {
    addListener(offer, listener, data);
}

void DataControl::offer(wl_proxy* source, const char* mimeType) const {
    if (m_protocol == Protocol::Standard) {
        ext_data_control_source_v1_offer(as<ext_data_control_source_v1>(source), mimeType);
    } else {
        zwlr_data_control_source_v1_offer(as<zwlr_data_control_source_v1>(source), mimeType);
    }
}

void DataControl::setSelection(wl_proxy* device, wl_proxy* source) const {
    if (m_protocol == Protocol::Standard) {
        ext_data_control_device_v1_set_selection(as<ext_data_control_device_v1>(device),
                                                 as<ext_data_control_source_v1>(source));
    } else {
        zwlr_data_control_device_v1_set_selection(as<zwlr_data_control_device_v1>(device),
                                                  as<zwlr_data_control_source_v1>(source));
    }
}

void DataControl::setPrimarySelection(wl_proxy* device, wl_proxy* source) const {
    if (m_protocol == Protocol::Standard) {
        ext_data_control_device_v1_set_primary_selection(as<ext_data_control_device_v1>(device),
                                                         as<ext_data_control_source_v1>(source));
    } else {
        zwlr_data_control_device_v1_set_primary_selection(as<zwlr_data_control_device_v1>(device),
                                                          as<zwlr_data_control_source_v1>(source));
    }
}

void DataControl::receive(wl_proxy* offer, const char* mimeType, int fd) const {
    if (m_protocol == Protocol::Standard) {
        ext_data_control_offer_v1_receive(as<ext_data_control_offer_v1>(offer), mimeType, fd);
    } else {
        zwlr_data_control_offer_v1_receive(as<zwlr_data_control_offer_v1>(offer), mimeType, fd);
    }
}

void DataControl::destroyDevice(wl_proxy* device) const {
    if (m_protocol == Protocol::Standard) {
        ext_data_control_device_v1_destroy(as<ext_data_control_device_v1>(device));
    } else {
        zwlr_data_control_device_v1_destroy(as<zwlr_data_control_device_v1>(device));
    }
}

void DataControl::destroySource(wl_proxy* source) const {
    if (m_protocol == Protocol::Standard) {
        ext_data_control_source_v1_destroy(as<ext_data_control_source_v1>(source));
    } else {
        zwlr_data_control_source_v1_destroy(as<zwlr_data_control_source_v1>(source));
    }
}

void DataControl::destroyOffer(wl_proxy* offer) const {
    if (m_protocol == Protocol::Standard) {
        ext_data_control_offer_v1_destroy(as<ext_data_control_offer_v1>(offer));
    } else {
        zwlr_data_control_offer_v1_destroy(as<zwlr_data_control_offer_v1>(offer));
    }
}
