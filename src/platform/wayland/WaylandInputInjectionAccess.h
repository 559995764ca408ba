// SPDX-License-Identifier: MIT
#pragma once

#include "platform/InputInjectionAccess.h"

class WaylandSession;

// A Wayland compositor either offers a virtual keyboard to every client or to none (KWin has
// none): that is what the paste keystroke needs. There is no prompt to show.
class WaylandInputInjectionAccess final : public InputInjectionAccess {
  public:
    // The session must outlive this object.
    explicit WaylandInputInjectionAccess(const WaylandSession& session);

    bool isTrusted() override;

  private:
    const WaylandSession& m_session;
};
