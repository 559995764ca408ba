#pragma once

#include "platform/Workspace.h"

class GnomeShellBridge;

// On GNOME on Wayland only the Shell sees keys, types into native windows and knows which
// window has the focus: this port goes through the Shell extension. The bridge must outlive it.
// The focused window as the Shell last reported it, and activation through the Shell.
class GnomeWorkspace final : public Workspace {
  public:
    explicit GnomeWorkspace(GnomeShellBridge& bridge) : m_bridge(bridge) {}
    std::optional<RunningApp> frontmostApplication() const override;
    void activate(const RunningApp& app) override;
    void yieldActivation(const RunningApp& /*to*/) override {}
    qint64 currentProcessId() const override;
    void openAccessibilitySettings() override;
    void openInputMonitoringSettings() override;

  private:
    GnomeShellBridge& m_bridge;
};
