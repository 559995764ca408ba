// SPDX-License-Identifier: MIT
#include "platform/wayland/WaylandSession.h"

#include <QSocketNotifier>

#include <wayland-client.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "core/AppLogger.h"
#include "virtual-keyboard-unstable-v1-client-protocol.h"
#include "wlr-foreign-toplevel-management-unstable-v1-client-protocol.h"

QUILLSTACK_DEFINE_COMPONENT_LOG

namespace {
constexpr quint32 kToplevelManagerVersion = 3;
}  // namespace

struct WaylandSessionListeners {
    static void global(void* data, wl_registry* registry, uint32_t name, const char* interface,
                       uint32_t version) {
        static_cast<WaylandSession*>(data)->onGlobal(registry, name, interface, version);
    }
    static void globalRemove(void* data, wl_registry*, uint32_t name) {
        static_cast<WaylandSession*>(data)->onGlobalRemove(name);
    }
    static constexpr wl_registry_listener kRegistry{global, globalRemove};
};

WaylandSession::WaylandSession(const QString& displayName, QObject* parent) : QObject(parent) {
    const QByteArray name = displayName.toLocal8Bit();
    m_display = wl_display_connect(name.isEmpty() ? nullptr : name.constData());
    if (!m_display) {
        log(QStringLiteral("WaylandSession: cannot connect to the Wayland display"));
        m_broken = true;
        return;
    }
    m_registry = wl_display_get_registry(m_display);
    wl_registry_add_listener(m_registry, &WaylandSessionListeners::kRegistry, this);
    if (!roundtrip()) {
        log(QStringLiteral("WaylandSession: the compositor did not answer"));
        return;
    }
    const int fd = wl_display_get_fd(m_display);
    m_readNotifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(m_readNotifier, &QSocketNotifier::activated, this, &WaylandSession::dispatch);
    m_writeNotifier = new QSocketNotifier(fd, QSocketNotifier::Write, this);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, &WaylandSession::flush);
    log(QStringLiteral("WaylandSession: seat %1, virtual keyboard %2, foreign toplevels %3")
            .arg(m_seat ? u"yes" : u"no", m_keyboardManager ? u"yes" : u"no",
                 m_toplevelManagerName != 0 ? u"yes" : u"no"));
}

WaylandSession::~WaylandSession() {
    // The notifiers watch the display's socket, which goes with it.
    delete m_readNotifier;
    delete m_writeNotifier;
    if (m_keyboardManager) {
        zwp_virtual_keyboard_manager_v1_destroy(m_keyboardManager);
    }
    if (m_seat) {
        wl_seat_destroy(m_seat);
    }
    if (m_registry) {
        wl_registry_destroy(m_registry);
    }
    if (m_display) {
        wl_display_disconnect(m_display);
    }
}

bool WaylandSession::isConnected() const {
    return m_display && !m_broken;
}

bool WaylandSession::hasVirtualKeyboard() const {
    return virtualKeyboardManager() != nullptr && seat() != nullptr;
}

bool WaylandSession::hasForeignToplevel() const {
    return isConnected() && m_toplevelManagerName != 0 && seat() != nullptr;
}

wl_seat* WaylandSession::seat() const {
    return isConnected() && m_seatName != 0 ? m_seat : nullptr;
}

zwp_virtual_keyboard_manager_v1* WaylandSession::virtualKeyboardManager() const {
    return isConnected() && m_keyboardManagerName != 0 ? m_keyboardManager : nullptr;
}

zwlr_foreign_toplevel_manager_v1* WaylandSession::bindForeignToplevelManager() {
    if (!hasForeignToplevel() || m_toplevelManagerBound) {
        return nullptr;
    }
    m_toplevelManagerBound = true;
    return static_cast<zwlr_foreign_toplevel_manager_v1*>(wl_registry_bind(
        m_registry, m_toplevelManagerName, &zwlr_foreign_toplevel_manager_v1_interface,
        std::min(m_toplevelManagerVersion, kToplevelManagerVersion)));
}

void* WaylandSession::bindGlobal(const wl_interface& interface, quint32 maxVersion,
                                 quint32* version) {
    const auto found = m_globals.constFind(QByteArray(interface.name));
    if (!isConnected() || found == m_globals.cend()) {
        return nullptr;
    }
    const quint32 bound = std::min(found->version, maxVersion);
    if (version) {
        *version = bound;
    }
    return wl_registry_bind(m_registry, found->name, &interface, bound);
}

void WaylandSession::onGlobal(wl_registry* registry, quint32 name, const char* interface,
                              quint32 version) {
    m_globals.insert(QByteArray(interface), Global{name, version});
    if (!m_seat && std::strcmp(interface, wl_seat_interface.name) == 0) {
        m_seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
        m_seatName = name;
    } else if (!m_keyboardManager &&
               std::strcmp(interface, zwp_virtual_keyboard_manager_v1_interface.name) == 0) {
        m_keyboardManager = static_cast<zwp_virtual_keyboard_manager_v1*>(
            wl_registry_bind(registry, name, &zwp_virtual_keyboard_manager_v1_interface, 1));
        m_keyboardManagerName = name;
    } else if (m_toplevelManagerName == 0 &&
               std::strcmp(interface, zwlr_foreign_toplevel_manager_v1_interface.name) == 0) {
        // Bound only when its user can listen: its first events list every open window.
        m_toplevelManagerName = name;
        m_toplevelManagerVersion = version;
    }
}

void WaylandSession::onGlobalRemove(quint32 name) {
    m_globals.removeIf([name](const auto& global) { return global.value().name == name; });
    for (quint32* known : {&m_seatName, &m_keyboardManagerName, &m_toplevelManagerName}) {
        if (*known == name) {
            *known = 0;
        }
    }
}

bool WaylandSession::flush() {
    if (!isConnected()) {
        return false;
    }
    if (wl_display_flush(m_display) < 0) {
        if (errno != EAGAIN) {
            fail();
            return false;
        }
        // The socket is full: the rest goes once the compositor has read some.
        if (m_writeNotifier) {
            m_writeNotifier->setEnabled(true);
        }
        return true;
    }
    if (m_writeNotifier) {
        m_writeNotifier->setEnabled(false);
    }
    return true;
}

bool WaylandSession::roundtrip() {
    if (!isConnected() || m_dispatching) {
        return false;
    }
    m_dispatching = true;
    const int result = wl_display_roundtrip(m_display);
    m_dispatching = false;
    if (result < 0) {
        fail();
        return false;
    }
    return true;
}

void WaylandSession::dispatch() {
    // A listener that asks for fresh state must not dispatch inside the dispatch that called it.
    if (!isConnected() || m_dispatching) {
        return;
    }
    m_dispatching = true;
    bool ok = true;
    while (ok && wl_display_prepare_read(m_display) != 0) {
        ok = wl_display_dispatch_pending(m_display) >= 0;
    }
    // The socket never blocks here: the read takes what has arrived, if anything.
    ok =
        ok && wl_display_read_events(m_display) >= 0 && wl_display_dispatch_pending(m_display) >= 0;
    m_dispatching = false;
    if (!ok) {
        fail();
        return;
    }
    flush();
}

void WaylandSession::fail() {
    if (m_broken) {
        return;
    }
    m_broken = true;
    // A closed socket stays readable: watching it any longer would spin.
    if (m_readNotifier) {
        m_readNotifier->setEnabled(false);
    }
    if (m_writeNotifier) {
        m_writeNotifier->setEnabled(false);
    }
    log(QStringLiteral("WaylandSession: the connection to the compositor is lost (%1)")
            .arg(QString::fromLocal8Bit(std::strerror(wl_display_get_error(m_display)))));
    Q_EMIT connectionLost();
}
