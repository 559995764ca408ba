// SPDX-License-Identifier: MIT
#pragma once

#include <memory>

#include "platform/KeyInjector.h"

class X11Connection;

// Types a keystroke through the XTEST extension on a connection of its own, after releasing the
// modifiers the user still holds so that the target sees that keystroke and nothing else.
class XTestKeyInjector final : public KeyInjector {
  public:
    explicit XTestKeyInjector(const char* displayName = nullptr);
    ~XTestKeyInjector() override;

    bool postPasteKeystroke(const Keystroke& keystroke) override;

  private:
    std::unique_ptr<X11Connection> m_connection;
    bool m_hasXTest = false;
};
