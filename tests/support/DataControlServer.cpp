// SPDX-License-Identifier: MIT
#include "DataControlServer.h"

#include <poll.h>
#include <unistd.h>
#include <wayland-server.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>

#include "ext-data-control-v1-server-protocol.h"

// The wlroots manager's table, from the generated client code.
extern "C" const wl_interface zwlr_data_control_manager_v1_interface;

namespace {
using State = DataControlServer::State;
struct Source {
    State* state;
    wl_resource* resource;
    QStringList types;
};
}  // namespace

struct DataControlServer::State {
    wl_display* display = wl_display_create();
    // Held by whoever touches the display: the server's thread or a call.
    std::mutex mutex;
    std::atomic<bool> stop = false;
    QList<wl_resource*> devices;
    Source* selections[2] = {};
    int wlrootsBinds = 0, liveSources = 0;  // sources: created by clients, not yet destroyed
    std::thread thread;

    void announce(wl_resource* device, int kind) {
        wl_resource* offer = nullptr;
        if (selections[kind]) {
            offer = wl_resource_create(wl_resource_get_client(device),
                                       &ext_data_control_offer_v1_interface,
                                       wl_resource_get_version(device), 0);
            // An offer reads whatever the selection is by then.
            wl_resource_set_implementation(offer, &kOffer, &selections[kind], nullptr);
            ext_data_control_device_v1_send_data_offer(device, offer);
            for (const QString& type : selections[kind]->types) {
                ext_data_control_offer_v1_send_offer(offer, type.toUtf8().constData());
            }
        }
        (kind == 0 ? ext_data_control_device_v1_send_selection
                   : ext_data_control_device_v1_send_primary_selection)(device, offer);
    }
    // Every device hears of the new selection.
    void select(int kind, Source* source) {
        Source* replaced = std::exchange(selections[kind], source);
        if (replaced && replaced != source) {
            ext_data_control_source_v1_send_cancelled(replaced->resource);
        }
        for (wl_resource* device : std::as_const(devices)) {
            announce(device, kind);
        }
    }

    static State* of(wl_resource* resource) {
        return static_cast<State*>(wl_resource_get_user_data(resource));
    }
    static void destroy(wl_client*, wl_resource* resource) { wl_resource_destroy(resource); }
    static void set(wl_resource* device, wl_resource* source, int kind) {
        of(device)->select(
            kind, source ? static_cast<Source*>(wl_resource_get_user_data(source)) : nullptr);
    }

    static constexpr struct ext_data_control_source_v1_interface kSource {
        [](wl_client*, wl_resource* source, const char* type) {
            static_cast<Source*>(wl_resource_get_user_data(source))->types.append(type);
        },
            destroy
    };
    static constexpr struct ext_data_control_device_v1_interface kDevice {
        [](wl_client*, wl_resource* device, wl_resource* source) { set(device, source, 0); },
            destroy,
            [](wl_client*, wl_resource* device, wl_resource* source) { set(device, source, 1); }
    };
    static constexpr struct ext_data_control_offer_v1_interface kOffer {
        [](wl_client*, wl_resource* offer, const char* type, int32_t fd) {
            // The selection's owner writes `type` to `fd`.
            if (const Source* owner = *static_cast<Source**>(wl_resource_get_user_data(offer))) {
                ext_data_control_source_v1_send_send(owner->resource, type, fd);
            }
            ::close(fd);
        },
            destroy
    };
    static void createSource(wl_client* client, wl_resource* manager, uint32_t id) {
        wl_resource* resource = wl_resource_create(client, &ext_data_control_source_v1_interface,
                                                   wl_resource_get_version(manager), id);
        ++of(manager)->liveSources;
        wl_resource_set_implementation(
            resource, &kSource, new Source{of(manager), resource, {}}, [](wl_resource* gone) {
                auto* source = static_cast<Source*>(wl_resource_get_user_data(gone));
                --source->state->liveSources;
                // The selection's source going away leaves it without content. The clients that
                // use this server destroy it only when they leave, so nobody is told.
                std::ranges::replace(source->state->selections, source, nullptr);
                delete source;
            });
    }
    static void getDevice(wl_client* client, wl_resource* manager, uint32_t id, wl_resource*) {
        wl_resource* device = wl_resource_create(client, &ext_data_control_device_v1_interface,
                                                 wl_resource_get_version(manager), id);
        wl_resource_set_implementation(device, &kDevice, of(manager), [](wl_resource* gone) {
            of(gone)->devices.removeOne(gone);
        });
        of(manager)->devices.append(device);
        of(manager)->announce(device, 0);
        of(manager)->announce(device, 1);
    }
    static constexpr struct ext_data_control_manager_v1_interface kManager {
        createSource, getDevice, destroy
    };
};

DataControlServer::DataControlServer() : m_state(std::make_unique<State>()) {
    State& state = *m_state;
    const char* socket = state.display ? wl_display_add_socket_auto(state.display) : nullptr;
    if (!socket) {
        return;
    }
    m_socket = QString::fromUtf8(socket);
    // No input: the seat only names whose selection is meant.
    wl_global_create(state.display, &wl_seat_interface, 1, nullptr,
                     [](wl_client* client, void*, uint32_t, uint32_t id) {
                         wl_resource_create(client, &wl_seat_interface, 1, id);
                     });
    wl_global_create(state.display, &ext_data_control_manager_v1_interface, 1, &state,
                     [](wl_client* client, void* data, uint32_t version, uint32_t id) {
                         wl_resource_set_implementation(
                             wl_resource_create(client, &ext_data_control_manager_v1_interface,
                                                int(version), id),
                             &State::kManager, data, nullptr);
                     });
    wl_global_create(state.display, &zwlr_data_control_manager_v1_interface, 2, &state,
                     [](wl_client* client, void* data, uint32_t version, uint32_t id) {
                         ++static_cast<State*>(data)->wlrootsBinds;
                         wl_resource_create(client, &zwlr_data_control_manager_v1_interface,
                                            int(version), id);
                     });
    state.thread = std::thread([&state] {
        wl_event_loop* loop = wl_display_get_event_loop(state.display);
        pollfd ready{wl_event_loop_get_fd(loop), POLLIN, 0};
        while (!state.stop) {
            // Waits unlocked, so that calls get in between.
            ::poll(&ready, 1, 10);
            const std::lock_guard lock(state.mutex);
            wl_event_loop_dispatch(loop, 0);
            wl_display_flush_clients(state.display);
        }
    });
}

DataControlServer::~DataControlServer() {
    m_state->stop = true;
    if (m_state->thread.joinable()) {
        m_state->thread.join();
    }
    if (m_state->display) {
        wl_display_destroy_clients(m_state->display);
        wl_display_destroy(m_state->display);
    }
}

void DataControlServer::call(const std::function<void(State&)>& task) {
    const std::lock_guard lock(m_state->mutex);
    task(*m_state);
    wl_display_flush_clients(m_state->display);
}

QStringList DataControlServer::offeredTypes(bool primary) {
    QStringList types;
    call([&](State& state) {
        types = state.selections[primary] ? state.selections[primary]->types : QStringList();
    });
    types.sort();
    return types;
}

std::pair<int, int> DataControlServer::counts() {
    std::pair<int, int> out;
    call([&out](State& state) { out = {state.wlrootsBinds, state.liveSources}; });
    return out;
}
