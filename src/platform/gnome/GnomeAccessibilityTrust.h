#pragma once

#include "platform/AccessibilityTrust.h"

class GnomeShellBridge;

// On GNOME on Wayland only the Shell sees keys, types into native windows and knows which
// window has the focus: this port goes through the Shell extension. The bridge must outlive it.
// Keys can be typed and the chord taken while the extension answers.
class GnomeAccessibilityTrust final : public AccessibilityTrust {
  public:
    explicit GnomeAccessibilityTrust(const GnomeShellBridge& bridge) : m_bridge(bridge) {}
    bool isTrusted() override;
    bool isTrusted(bool /*prompt*/) override { return isTrusted(); }

  private:
    const GnomeShellBridge& m_bridge;
};
