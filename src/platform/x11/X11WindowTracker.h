// SPDX-License-Identifier: MIT
#pragma once

#include <QStringList>

#include <xcb/xcb.h>

#include <memory>

#include "platform/WindowTracker.h"

class X11Connection;

// The frontmost application and activation through the window manager's EWMH interface, on a
// connection of its own (the activation timestamp is read by waiting for one of our own
// events, which must not steal from Qt's queue). Without a window manager it falls back to
// the X input focus.
class X11WindowTracker final : public WindowTracker {
  public:
    explicit X11WindowTracker(const char* displayName = nullptr);
    ~X11WindowTracker() override;

    std::optional<RunningApp> frontmostApplication() const override;
    void activate(const RunningApp& app) override;
    qint64 currentProcessId() const override;
    QStringList openWindowClasses() const override;

  private:
    bool hasWindowManager() const;
    xcb_window_t activeWindow() const;
    xcb_window_t focusedTopLevel() const;
    xcb_timestamp_t serverTime();
    void drainEvents() const;

    std::unique_ptr<X11Connection> m_connection;
    xcb_window_t m_clockWindow = XCB_WINDOW_NONE;
};
