#include "DataControlServer.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/eventfd.h>
#include <unistd.h>
#include <wayland-server.h>

#include <algorithm>
#include <cerrno>
#include <future>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "ext-data-control-v1-server-protocol.h"

// The wlroots manager's interface table, from the client side's generated code.
extern "C" const wl_interface zwlr_data_control_manager_v1_interface;

namespace {
enum Kind { Clipboard = 0, Primary = 1 };
}  // namespace

struct DataControlServer::State {
    struct Source {
        State* state = nullptr;
        wl_resource* resource = nullptr;
        QStringList types;
        bool used = false;
    };
    struct Selection {
        Source* source = nullptr;
        std::optional<StoredItem> content;
        quint64 generation = 0;
        QStringList types() const {
            return source ? source->types : content ? content->keys() : QStringList();
        }
    };
    struct Offer {
        State* state;
        Kind kind;
        quint64 generation;
    };

    wl_display* display = wl_display_create();
    int wakeFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    std::mutex mutex;
    std::vector<std::packaged_task<void()>> tasks;
    bool stop = false;
    bool closing = false;
    QList<wl_resource*> devices;
    Selection selections[2];
    int wlrootsBinds = 0;
    std::vector<std::thread> writers;
    std::thread thread;

    void run() {
        while (!stop) {
            wl_display_flush_clients(display);
            wl_event_loop_dispatch(wl_display_get_event_loop(display), -1);
        }
    }

    static int wake(int fd, uint32_t, void* data) {
        auto* state = static_cast<State*>(data);
        eventfd_t count = 0;
        eventfd_read(fd, &count);
        std::vector<std::packaged_task<void()>> tasks;
        {
            const std::lock_guard lock(state->mutex);
            tasks.swap(state->tasks);
        }
        for (auto& task : tasks) {
            task();
        }
        return 0;
    }

    void announce(wl_resource* device, Kind kind) {
        const Selection& selection = selections[kind];
        wl_resource* offer = nullptr;
        if (selection.source || selection.content) {
            offer = wl_resource_create(wl_resource_get_client(device),
                                       &ext_data_control_offer_v1_interface,
                                       wl_resource_get_version(device), 0);
            wl_resource_set_implementation(
                offer, &kOffer, new Offer{this, kind, selection.generation},
                [](wl_resource* resource) {
                    delete static_cast<Offer*>(wl_resource_get_user_data(resource));
                });
            ext_data_control_device_v1_send_data_offer(device, offer);
            for (const QString& type : selection.types()) {
                ext_data_control_offer_v1_send_offer(offer, type.toUtf8().constData());
            }
        }
        if (kind == Clipboard) {
            ext_data_control_device_v1_send_selection(device, offer);
        } else {
            ext_data_control_device_v1_send_primary_selection(device, offer);
        }
    }

    void select(Kind kind, Source* source, std::optional<StoredItem> content) {
        Selection& selection = selections[kind];
        if (selection.source && selection.source != source) {
            ext_data_control_source_v1_send_cancelled(selection.source->resource);
        }
        selection.source = source;
        selection.content = std::move(content);
        ++selection.generation;
        for (wl_resource* device : std::as_const(devices)) {
            announce(device, kind);
        }
    }

    // What a paste gets at once, or the descriptor the selection's source writes it to.
    std::optional<QByteArray> request(Kind kind, const QString& type, int& fd) {
        const Selection& selection = selections[kind];
        if (selection.content) {
            return selection.content->value(type);
        }
        if (!selection.source || !selection.source->types.contains(type)) {
            return QByteArray();
        }
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0) {
            return QByteArray();
        }
        ext_data_control_source_v1_send_send(selection.source->resource, type.toUtf8().constData(),
                                             fds[1]);
        ::close(fds[1]);
        fd = fds[0];
        return std::nullopt;
    }

    static State* of(wl_resource* resource) {
        return static_cast<State*>(wl_resource_get_user_data(resource));
    }
    static void destroy(wl_client*, wl_resource* resource) { wl_resource_destroy(resource); }

    static void sourceOffer(wl_client*, wl_resource* resource, const char* mimeType) {
        auto* source = static_cast<Source*>(wl_resource_get_user_data(resource));
        if (source->used) {
            wl_resource_post_error(resource, EXT_DATA_CONTROL_SOURCE_V1_ERROR_INVALID_OFFER,
                                   "offer after the source was set");
            return;
        }
        source->types.append(QString::fromUtf8(mimeType));
    }
    static constexpr struct ext_data_control_source_v1_interface kSource { sourceOffer, destroy };

    static void setSelection(wl_resource* device, wl_resource* sourceResource, Kind kind) {
        auto* source = sourceResource
                           ? static_cast<Source*>(wl_resource_get_user_data(sourceResource))
                           : nullptr;
        if (source && source->used) {
            wl_resource_post_error(device, EXT_DATA_CONTROL_DEVICE_V1_ERROR_USED_SOURCE,
                                   "source used before");
            return;
        }
        if (source) {
            source->used = true;
        }
        of(device)->select(kind, source, std::nullopt);
    }
    static constexpr struct ext_data_control_device_v1_interface kDevice {
        [](wl_client*, wl_resource* device, wl_resource* source) {
            setSelection(device, source, Clipboard);
        },
            destroy, [](wl_client*, wl_resource* device, wl_resource* source) {
                setSelection(device, source, Primary);
            }
    };

    static void receive(wl_client*, wl_resource* resource, const char* mimeType, int32_t fd) {
        const auto* offer = static_cast<Offer*>(wl_resource_get_user_data(resource));
        State& state = *offer->state;
        const Selection& selection = state.selections[offer->kind];
        const QString type = QString::fromUtf8(mimeType);
        if (offer->generation != selection.generation) {
            ::close(fd);
        } else if (selection.source) {
            ext_data_control_source_v1_send_send(selection.source->resource, mimeType, fd);
            ::close(fd);
        } else {
            // The copying client writes as fast as the reader takes it, on its own.
            state.writers.emplace_back([fd, bytes = selection.content->value(type)] {
                sigset_t pipeSignal;
                sigemptyset(&pipeSignal);
                sigaddset(&pipeSignal, SIGPIPE);
                pthread_sigmask(SIG_BLOCK, &pipeSignal, nullptr);
                qsizetype offset = 0;
                while (offset < bytes.size()) {
                    const ssize_t put =
                        ::write(fd, bytes.constData() + offset, size_t(bytes.size() - offset));
                    if (put < 0 && errno != EINTR) {
                        break;
                    }
                    offset += std::max<ssize_t>(put, 0);
                }
                ::close(fd);
            });
        }
    }
    static constexpr struct ext_data_control_offer_v1_interface kOffer { receive, destroy };

    static void createSource(wl_client* client, wl_resource* manager, uint32_t id) {
        wl_resource* resource = wl_resource_create(client, &ext_data_control_source_v1_interface,
                                                   wl_resource_get_version(manager), id);
        auto* source = new Source{of(manager), resource, {}, false};
        wl_resource_set_implementation(resource, &kSource, source, [](wl_resource* gone) {
            auto* dropped = static_cast<Source*>(wl_resource_get_user_data(gone));
            State& state = *dropped->state;
            // The selection's source going away, with its client or not, leaves it empty.
            for (Kind kind : {Clipboard, Primary}) {
                if (state.selections[kind].source == dropped) {
                    state.selections[kind].source = nullptr;
                    if (!state.closing) {
                        state.select(kind, nullptr, std::nullopt);
                    }
                }
            }
            delete dropped;
        });
    }
    static void getDevice(wl_client* client, wl_resource* manager, uint32_t id, wl_resource*) {
        wl_resource* device = wl_resource_create(client, &ext_data_control_device_v1_interface,
                                                 wl_resource_get_version(manager), id);
        State* state = of(manager);
        wl_resource_set_implementation(
            device, &kDevice, state, [](wl_resource* gone) { of(gone)->devices.removeOne(gone); });
        state->devices.append(device);
        state->announce(device, Clipboard);
        state->announce(device, Primary);
    }
    static constexpr struct ext_data_control_manager_v1_interface kManager {
        createSource, getDevice, destroy
    };
};

DataControlServer::DataControlServer() : m_state(std::make_unique<State>()) {
    State& state = *m_state;
    if (!state.display || state.wakeFd < 0) {
        return;
    }
    wl_event_loop_add_fd(wl_display_get_event_loop(state.display), state.wakeFd, WL_EVENT_READABLE,
                         &State::wake, &state);
    wl_global_create(state.display, &wl_seat_interface, 1, nullptr,
                     [](wl_client* client, void*, uint32_t, uint32_t id) {
                         // No input: the seat only names whose selection is meant.
                         wl_resource_create(client, &wl_seat_interface, 1, id);
                     });
    wl_global_create(state.display, &ext_data_control_manager_v1_interface, 1, &state,
                     [](wl_client* client, void* data, uint32_t version, uint32_t id) {
                         wl_resource* manager = wl_resource_create(
                             client, &ext_data_control_manager_v1_interface, int(version), id);
                         wl_resource_set_implementation(manager, &State::kManager, data, nullptr);
                     });
    wl_global_create(state.display, &zwlr_data_control_manager_v1_interface, 2, &state,
                     [](wl_client* client, void* data, uint32_t version, uint32_t id) {
                         ++static_cast<State*>(data)->wlrootsBinds;
                         wl_resource_create(client, &zwlr_data_control_manager_v1_interface,
                                            int(version), id);
                     });
    const char* socket = wl_display_add_socket_auto(state.display);
    if (!socket) {
        return;
    }
    m_socket = QString::fromUtf8(socket);
    state.thread = std::thread(&State::run, &state);
}

DataControlServer::~DataControlServer() {
    State& state = *m_state;
    if (state.thread.joinable()) {
        call([](State& s) { s.stop = true; });
        state.thread.join();
    }
    state.closing = true;
    if (state.display) {
        wl_display_destroy_clients(state.display);
        wl_display_destroy(state.display);
    }
    for (std::thread& writer : state.writers) {
        writer.join();
    }
    if (state.wakeFd >= 0) {
        ::close(state.wakeFd);
    }
}

void DataControlServer::call(const std::function<void(State&)>& task) {
    State& state = *m_state;
    std::packaged_task<void()> packaged([&task, &state] { task(state); });
    std::future<void> done = packaged.get_future();
    {
        const std::lock_guard lock(state.mutex);
        state.tasks.push_back(std::move(packaged));
    }
    eventfd_write(state.wakeFd, 1);
    done.wait();
}

void DataControlServer::copy(const StoredItem& content) {
    call([&content](State& state) { state.select(Clipboard, nullptr, content); });
}

void DataControlServer::clear() {
    call([](State& state) { state.select(Clipboard, nullptr, std::nullopt); });
}

QByteArray DataControlServer::paste(const QString& type, bool primary) {
    int fd = -1;
    std::optional<QByteArray> bytes;
    call([&](State& state) { bytes = state.request(primary ? Primary : Clipboard, type, fd); });
    if (bytes) {
        return *bytes;
    }
    // The source writes its bytes and closes its end; a silent one is given up.
    QByteArray read;
    pollfd readable{fd, POLLIN, 0};
    char chunk[65536];
    while (::poll(&readable, 1, 5000) > 0) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got <= 0 && !(got < 0 && errno == EINTR)) {
            break;
        }
        read.append(chunk, std::max<ssize_t>(got, 0));
    }
    ::close(fd);
    return read;
}

QStringList DataControlServer::offeredTypes(bool primary) {
    QStringList types;
    call([&](State& state) { types = state.selections[primary ? Primary : Clipboard].types(); });
    types.sort();
    return types;
}

int DataControlServer::wlrootsBinds() {
    int binds = 0;
    call([&binds](State& state) { binds = state.wlrootsBinds; });
    return binds;
}
