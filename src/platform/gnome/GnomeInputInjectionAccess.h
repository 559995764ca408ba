// SPDX-License-Identifier: MIT
#pragma once

#include <memory>

#include "platform/InputInjectionAccess.h"

class GnomeShellBridge;

// On GNOME on Wayland only the Shell sees keys, types into native windows and knows which
// window has the focus: this port goes through the Shell extension. The bridge must outlive it.
// Keys can be typed and the chord taken while the extension answers; while it is away, as far as
// `xwayland` allows.
class GnomeInputInjectionAccess final : public InputInjectionAccess {
  public:
    GnomeInputInjectionAccess(const GnomeShellBridge& bridge,
                              std::unique_ptr<InputInjectionAccess> xwayland)
        : m_bridge(bridge), m_xwayland(std::move(xwayland)) {}
    bool isTrusted() override;

  private:
    const GnomeShellBridge& m_bridge;
    std::unique_ptr<InputInjectionAccess> m_xwayland;
};
