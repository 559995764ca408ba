// SPDX-License-Identifier: MIT
#include "platform/gnome/GnomeWindowTracker.h"

#include <QCoreApplication>

#include "platform/gnome/GnomeShellBridge.h"

std::optional<RunningApp> GnomeWindowTracker::frontmostApplication() const {
    if (!m_bridge.isConnected()) {
        return m_xwayland ? m_xwayland->frontmostApplication() : std::nullopt;
    }
    const ShellWindow& window = m_bridge.focusedWindow();
    if (window.id == 0) {
        return std::nullopt;
    }
    RunningApp app;
    app.pid = window.pid;
    app.window = window.id;
    app.name = window.title.isEmpty() ? window.wmClass : window.title;
    // X11 windows report their WM_CLASS, native ones their application id: the keystroke table
    // knows terminals by either.
    const QString id = window.appId.isEmpty() ? window.wmClass : window.appId;
    app.windowClass = window.wmClass.isEmpty() ? id : window.wmClass;
    app.windowInstance = id.section(u'.', -1).toLower();
    return app;
}

void GnomeWindowTracker::activate(const RunningApp& app) {
    if (m_bridge.isConnected()) {
        m_bridge.activate(app.window);
    } else if (m_xwayland) {
        m_xwayland->activate(app);
    }
}

qint64 GnomeWindowTracker::currentProcessId() const {
    return QCoreApplication::applicationPid();
}
