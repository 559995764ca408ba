// SPDX-License-Identifier: MIT
#include "platform/kde/KWinWindowTracker.h"

#include <QCoreApplication>

#include <wayland-client.h>

#include "core/AppLogger.h"
#include "plasma-window-management-client-protocol.h"
#include "platform/wayland/WaylandSession.h"
#include "platform/wayland/WaylandWindowTracker.h"

QUILLSTACK_DEFINE_COMPONENT_LOG

namespace {
constexpr quint32 kVersion = 16;
// Windows come by uuid from this version on; the numeric ids are deprecated.
constexpr quint32 kUuidVersion = 13;
// Every event this window tracker does not read.
constexpr auto ignore = [](void*, auto...) {};
}  // namespace

struct KWinWindowTrackerListeners {
    static KWinWindowTracker* windowTracker(void* data) {
        return static_cast<KWinWindowTracker*>(data);
    }
    static void window(void* data, org_kde_plasma_window_management* manager, uint32_t id) {
        if (windowTracker(data)->m_version < kUuidVersion) {
            windowTracker(data)->onWindow(org_kde_plasma_window_management_get_window(manager, id));
        }
    }
    static void windowWithUuid(void* data, org_kde_plasma_window_management* manager, uint32_t,
                               const char* uuid) {
        windowTracker(data)->onWindow(
            org_kde_plasma_window_management_get_window_by_uuid(manager, uuid));
    }
    static void title(void* data, org_kde_plasma_window* window, const char* title) {
        if (const auto it = windowTracker(data)->m_windows.find(window);
            it != windowTracker(data)->m_windows.end()) {
            it->title = QString::fromUtf8(title);
        }
    }
    static void appId(void* data, org_kde_plasma_window* window, const char* appId) {
        if (const auto it = windowTracker(data)->m_windows.find(window);
            it != windowTracker(data)->m_windows.end()) {
            it->appId = QString::fromUtf8(appId);
        }
    }
    static void pid(void* data, org_kde_plasma_window* window, uint32_t pid) {
        if (const auto it = windowTracker(data)->m_windows.find(window);
            it != windowTracker(data)->m_windows.end()) {
            it->pid = pid;
        }
    }
    static void state(void* data, org_kde_plasma_window* window, uint32_t flags) {
        windowTracker(data)->onState(window, flags);
    }
    static void unmapped(void* data, org_kde_plasma_window* window) {
        windowTracker(data)->onUnmapped(window);
    }

    // Filled by name from an empty one: the events that newer protocol files add past the
    // version we bind stay empty, as KWin never sends them to us.
    static org_kde_plasma_window_management_listener managerListener() {
        org_kde_plasma_window_management_listener l{};
        l.show_desktop_changed = ignore;
        l.window = window;
        l.stacking_order_changed = ignore;
        l.stacking_order_uuid_changed = ignore;
        l.window_with_uuid = windowWithUuid;
        return l;
    }
    static org_kde_plasma_window_listener windowListener() {
        org_kde_plasma_window_listener l{};
        l.title_changed = title;
        l.app_id_changed = appId;
        l.state_changed = state;
        l.virtual_desktop_changed = ignore;
        l.themed_icon_name_changed = ignore;
        l.unmapped = unmapped;
        l.initial_state = ignore;
        l.parent_window = ignore;
        l.geometry = ignore;
        l.icon_changed = ignore;
        l.pid_changed = pid;
        l.virtual_desktop_entered = ignore;
        l.virtual_desktop_left = ignore;
        l.application_menu = ignore;
        l.activity_entered = ignore;
        l.activity_left = ignore;
        l.resource_name_changed = ignore;
        return l;
    }
    static inline const org_kde_plasma_window_management_listener kManager = managerListener();
    static inline const org_kde_plasma_window_listener kWindow = windowListener();
};

KWinWindowTracker::KWinWindowTracker(WaylandSession& session) : m_session(session) {
    m_manager = static_cast<org_kde_plasma_window_management*>(
        session.bindGlobal(org_kde_plasma_window_management_interface, kVersion, &m_version));
    if (!m_manager) {
        log(QStringLiteral("KWinWindowTracker: KWin does not list its windows to us"));
        return;
    }
    org_kde_plasma_window_management_add_listener(m_manager, &KWinWindowTrackerListeners::kManager,
                                                  this);
    // The windows open now and their state, so the first question already has an answer.
    session.roundtrip();
    session.roundtrip();
}

KWinWindowTracker::~KWinWindowTracker() {
    for (auto it = m_windows.cbegin(); it != m_windows.cend(); ++it) {
        org_kde_plasma_window_destroy(it.key());
    }
    if (m_manager) {
        org_kde_plasma_window_management_destroy(m_manager);
    }
    m_session.flush();
}

void KWinWindowTracker::onWindow(org_kde_plasma_window* window) {
    org_kde_plasma_window_add_listener(window, &KWinWindowTrackerListeners::kWindow, this);
    Window w;
    w.id = ++m_lastId;
    m_windows.insert(window, w);
}

void KWinWindowTracker::onState(org_kde_plasma_window* window, quint32 flags) {
    const auto it = m_windows.find(window);
    if (it == m_windows.end()) {
        return;
    }
    const bool active = (flags & ORG_KDE_PLASMA_WINDOW_MANAGEMENT_STATE_ACTIVE) != 0;
    if (active && !it->active) {
        it->activatedSerial = ++m_lastActivation;
    }
    it->active = active;
}

void KWinWindowTracker::onUnmapped(org_kde_plasma_window* window) {
    m_windows.remove(window);
    org_kde_plasma_window_destroy(window);
}

std::optional<RunningApp> KWinWindowTracker::frontmostApplication() const {
    // What KWin has said since the last turn of the event loop counts too.
    m_session.dispatch();
    if (!m_session.isConnected()) {
        return std::nullopt;
    }
    const Window* front = nullptr;
    for (const Window& window : m_windows) {
        if (window.active && (!front || window.activatedSerial > front->activatedSerial)) {
            front = &window;
        }
    }
    if (!front) {
        return std::nullopt;
    }
    RunningApp app;
    app.pid = front->pid;
    app.name = front->title.isEmpty() ? front->appId : front->title;
    app.window = front->id;
    app.windowClass = front->appId;
    app.windowInstance = WaylandWindowTracker::instanceOfAppId(front->appId);
    return app;
}

void KWinWindowTracker::activate(const RunningApp& app) {
    for (auto it = m_windows.cbegin(); it != m_windows.cend(); ++it) {
        if (app.window != 0 && it->id == app.window) {
            org_kde_plasma_window_set_state(it.key(), ORG_KDE_PLASMA_WINDOW_MANAGEMENT_STATE_ACTIVE,
                                            ORG_KDE_PLASMA_WINDOW_MANAGEMENT_STATE_ACTIVE);
            m_session.flush();
            log(QStringLiteral("KWinWindowTracker: activation requested for window %1")
                    .arg(app.window));
            return;
        }
    }
    log(QStringLiteral("KWinWindowTracker: window %1 is gone").arg(app.window));
}

qint64 KWinWindowTracker::currentProcessId() const {
    return QCoreApplication::applicationPid();
}

QStringList KWinWindowTracker::openWindowClasses() const {
    m_session.dispatch();
    QStringList classes;
    for (const auto& window : m_windows) {
        if (!window.appId.isEmpty() && !classes.contains(window.appId)) {
            classes << window.appId;
        }
    }
    return classes;
}
