// SPDX-License-Identifier: MIT
#include "platform/wayland/WaylandWindowTracker.h"

#include <QCoreApplication>

#include <wayland-client.h>

#include <utility>

#include "core/AppLogger.h"
#include "platform/wayland/WaylandSession.h"
#include "wlr-foreign-toplevel-management-unstable-v1-client-protocol.h"

QUILLSTACK_DEFINE_COMPONENT_LOG

struct WaylandWindowTrackerListeners {
    static WaylandWindowTracker* windowTracker(void* data) {
        return static_cast<WaylandWindowTracker*>(data);
    }
    static void toplevel(void* data, zwlr_foreign_toplevel_manager_v1*,
                         zwlr_foreign_toplevel_handle_v1* handle) {
        windowTracker(data)->onToplevel(handle);
    }
    static void finished(void* data, zwlr_foreign_toplevel_manager_v1*) {
        windowTracker(data)->onFinished();
    }
    static void title(void* data, zwlr_foreign_toplevel_handle_v1* handle, const char* title) {
        windowTracker(data)->onTitle(handle, title);
    }
    static void appId(void* data, zwlr_foreign_toplevel_handle_v1* handle, const char* appId) {
        windowTracker(data)->onAppId(handle, appId);
    }
    static void output(void*, zwlr_foreign_toplevel_handle_v1*, wl_output*) {}
    static void state(void* data, zwlr_foreign_toplevel_handle_v1* handle, wl_array* states) {
        windowTracker(data)->onState(handle, states);
    }
    static void done(void* data, zwlr_foreign_toplevel_handle_v1* handle) {
        windowTracker(data)->onDone(handle);
    }
    static void closed(void* data, zwlr_foreign_toplevel_handle_v1* handle) {
        windowTracker(data)->onClosed(handle);
    }
    static void parent(void*, zwlr_foreign_toplevel_handle_v1*, zwlr_foreign_toplevel_handle_v1*) {}

    static constexpr zwlr_foreign_toplevel_manager_v1_listener kManager{toplevel, finished};
    static constexpr zwlr_foreign_toplevel_handle_v1_listener kHandle{title, appId, output, output,
                                                                      state, done,  closed, parent};
};

WaylandWindowTracker::WaylandWindowTracker(WaylandSession& session, const QString& ownAppId)
    : m_session(session), m_ownAppId(ownAppId) {
    m_manager = session.bindForeignToplevelManager();
    if (!m_manager) {
        log(QStringLiteral("WaylandWindowTracker: the compositor does not list its windows"));
        return;
    }
    zwlr_foreign_toplevel_manager_v1_add_listener(m_manager,
                                                  &WaylandWindowTrackerListeners::kManager, this);
    // The windows open now, so the first question already has an answer.
    session.roundtrip();
}

WaylandWindowTracker::~WaylandWindowTracker() {
    for (auto it = m_toplevels.cbegin(); it != m_toplevels.cend(); ++it) {
        zwlr_foreign_toplevel_handle_v1_destroy(it.key());
    }
    if (m_manager) {
        zwlr_foreign_toplevel_manager_v1_stop(m_manager);
        zwlr_foreign_toplevel_manager_v1_destroy(m_manager);
    }
    m_session.flush();
}

void WaylandWindowTracker::onToplevel(zwlr_foreign_toplevel_handle_v1* handle) {
    zwlr_foreign_toplevel_handle_v1_add_listener(handle, &WaylandWindowTrackerListeners::kHandle,
                                                 this);
    Toplevel toplevel;
    toplevel.id = ++m_lastId;
    m_toplevels.insert(handle, toplevel);
}

void WaylandWindowTracker::onFinished() {
    // The compositor has dropped the list; the windows it announced stay until they close.
    zwlr_foreign_toplevel_manager_v1_destroy(m_manager);
    m_manager = nullptr;
}

void WaylandWindowTracker::onTitle(zwlr_foreign_toplevel_handle_v1* handle, const char* title) {
    if (const auto it = m_toplevels.find(handle); it != m_toplevels.end()) {
        it->newTitle = QString::fromUtf8(title);
    }
}

void WaylandWindowTracker::onAppId(zwlr_foreign_toplevel_handle_v1* handle, const char* appId) {
    if (const auto it = m_toplevels.find(handle); it != m_toplevels.end()) {
        it->newAppId = QString::fromUtf8(appId);
    }
}

void WaylandWindowTracker::onState(zwlr_foreign_toplevel_handle_v1* handle,
                                   const wl_array* states) {
    const auto it = m_toplevels.find(handle);
    if (it == m_toplevels.end()) {
        return;
    }
    bool activated = false;
    const auto* state = static_cast<const quint32*>(states->data);
    for (size_t i = 0; i < states->size / sizeof(quint32); ++i) {
        activated = activated || state[i] == ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_ACTIVATED;
    }
    it->newActivated = activated;
}

void WaylandWindowTracker::onDone(zwlr_foreign_toplevel_handle_v1* handle) {
    const auto it = m_toplevels.find(handle);
    if (it == m_toplevels.end()) {
        return;
    }
    Toplevel& toplevel = *it;
    if (toplevel.newTitle) {
        toplevel.title = *std::exchange(toplevel.newTitle, std::nullopt);
    }
    if (toplevel.newAppId) {
        toplevel.appId = *std::exchange(toplevel.newAppId, std::nullopt);
    }
    if (toplevel.newActivated) {
        const bool activated = *std::exchange(toplevel.newActivated, std::nullopt);
        // With more than one seat several windows may be active: the latest counts.
        if (activated && !toplevel.activated) {
            toplevel.activatedSerial = ++m_lastActivation;
        }
        toplevel.activated = activated;
    }
    toplevel.complete = true;
}

void WaylandWindowTracker::onClosed(zwlr_foreign_toplevel_handle_v1* handle) {
    m_toplevels.remove(handle);
    zwlr_foreign_toplevel_handle_v1_destroy(handle);
}

std::optional<RunningApp> WaylandWindowTracker::frontmostApplication() const {
    // What the compositor has said since the last turn of the event loop counts too.
    m_session.dispatch();
    if (!m_session.isConnected()) {
        return std::nullopt;
    }
    const Toplevel* front = nullptr;
    for (const Toplevel& toplevel : m_toplevels) {
        if (toplevel.complete && toplevel.activated &&
            (!front || toplevel.activatedSerial > front->activatedSerial)) {
            front = &toplevel;
        }
    }
    if (!front) {
        return std::nullopt;
    }
    RunningApp app;
    const bool ours = !m_ownAppId.isEmpty() && front->appId == m_ownAppId;
    app.pid = ours ? currentProcessId() : 0;
    app.name = front->title.isEmpty() ? front->appId : front->title;
    app.window = front->id;
    app.windowClass = front->appId;
    app.windowInstance = instanceOfAppId(front->appId);
    return app;
}

QString WaylandWindowTracker::instanceOfAppId(const QString& appId) {
    return appId.section(u'.', -1).toLower();
}

void WaylandWindowTracker::activate(const RunningApp& app) {
    wl_seat* seat = m_session.seat();
    if (!seat || app.window == 0) {
        return;
    }
    for (auto it = m_toplevels.cbegin(); it != m_toplevels.cend(); ++it) {
        if (it->id == app.window) {
            zwlr_foreign_toplevel_handle_v1_activate(it.key(), seat);
            m_session.flush();
            log(QStringLiteral("WaylandWindowTracker: activation requested for window %1")
                    .arg(app.window));
            return;
        }
    }
    log(QStringLiteral("WaylandWindowTracker: window %1 is gone").arg(app.window));
}

qint64 WaylandWindowTracker::currentProcessId() const {
    return QCoreApplication::applicationPid();
}

QStringList WaylandWindowTracker::openWindowClasses() const {
    m_session.dispatch();
    QStringList classes;
    for (const auto& window : m_toplevels) {
        if (!window.appId.isEmpty() && !classes.contains(window.appId)) {
            classes << window.appId;
        }
    }
    return classes;
}
