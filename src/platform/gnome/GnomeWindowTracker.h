// SPDX-License-Identifier: MIT
#pragma once

#include <memory>

#include "platform/WindowTracker.h"

class GnomeShellBridge;

// On GNOME on Wayland only the Shell sees keys, types into native windows and knows which
// window has the focus: this port goes through the Shell extension. The bridge must outlive it.
// The focused window as the Shell last reported it, and activation through the Shell; while the
// extension is away, what `xwayland` knows of X windows.
class GnomeWindowTracker final : public WindowTracker {
  public:
    GnomeWindowTracker(GnomeShellBridge& bridge, std::unique_ptr<WindowTracker> xwayland)
        : m_bridge(bridge), m_xwayland(std::move(xwayland)) {}
    std::optional<RunningApp> frontmostApplication() const override;
    void activate(const RunningApp& app) override;
    qint64 currentProcessId() const override;
    // X windows only: the Shell extension does not list windows.
    QStringList openWindowClasses() const override {
        return m_xwayland ? m_xwayland->openWindowClasses() : QStringList();
    }

  private:
    GnomeShellBridge& m_bridge;
    std::unique_ptr<WindowTracker> m_xwayland;
};
