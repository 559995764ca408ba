// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>

#include "keys/KeyEvent.h"

// Types a paste keystroke into the focused window.
class KeyInjector {
  public:
    virtual ~KeyInjector() = default;
    // Modifiers the user still holds are released first, so the target sees exactly this.
    virtual bool postPasteKeystroke(const Keystroke& keystroke) = 0;  // false when it cannot
    // Whether the user still holds a modifier on another keyboard that this injector cannot let
    // go of for them (Shift of Shift+Return): it would join the keystroke, so the paste waits.
    // False where the injector releases them itself or cannot tell.
    virtual bool userHoldsModifiers() { return false; }
};
