#pragma once

#include <QtGlobal>

#include "keys/KeyEvent.h"

// Types a paste keystroke into the focused window.
class KeyInjector {
  public:
    virtual ~KeyInjector() = default;
    // Modifiers the user still holds are released first, so the target sees exactly this.
    virtual bool postPasteKeystroke(const Keystroke& keystroke) = 0;  // false when it cannot
};
