// SPDX-License-Identifier: MIT
#pragma once

#include <xcb/xcb.h>

#include "platform/InputInjectionAccess.h"

// X grants every client the input access the chord and the paste need; what can be missing is
// the XTEST extension that types the paste keystroke. There is no prompt to show.
class X11InputInjectionAccess final : public InputInjectionAccess {
  public:
    explicit X11InputInjectionAccess(xcb_connection_t* connection);

    bool isTrusted() override;

  private:
    xcb_connection_t* m_connection;
};
