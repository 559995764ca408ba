// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// An application with a window on screen. pid 0 means the window did not say.
struct RunningApp {
    qint64 pid = 0;
    QString name;  // empty when unknown
    quint64 window = 0;
    // The window's WM_CLASS names, empty when it has none.
    QString windowInstance{};
    QString windowClass{};

    // Same process, or the same window when either pid is unknown.
    bool isSameApp(const RunningApp& other) const {
        if (pid != 0 && other.pid != 0) {
            return pid == other.pid;
        }
        return window != 0 && window == other.window;
    }
};

class WindowTracker {
  public:
    virtual ~WindowTracker() = default;
    virtual std::optional<RunningApp> frontmostApplication() const = 0;
    virtual void activate(const RunningApp& app) = 0;
    virtual qint64 currentProcessId() const = 0;
    // The class names (X11 WM_CLASS class, or the Wayland app id) of the windows open now, for
    // choices offered to the user; empty where the window system does not tell.
    virtual QStringList openWindowClasses() const { return {}; }
};
