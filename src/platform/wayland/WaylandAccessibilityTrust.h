// SPDX-License-Identifier: MIT
#pragma once

#include "platform/AccessibilityTrust.h"

class WaylandSession;

// A Wayland compositor either offers a virtual keyboard to every client or to none (KWin has
// none): that is what the paste keystroke needs. There is no prompt to show.
class WaylandAccessibilityTrust final : public AccessibilityTrust {
  public:
    // The session must outlive this object.
    explicit WaylandAccessibilityTrust(const WaylandSession& session);

    bool isTrusted() override;

  private:
    const WaylandSession& m_session;
};
