#pragma once

#include <QtGlobal>

#include "platform/KeyboardHooks.h"

// A key with the modifiers held while it is typed, in canonical numbers.
struct Keystroke {
    quint64 modifiers = 0;
    quint16 keyCode = 0;

    friend bool operator==(const Keystroke&, const Keystroke&) = default;
};

// Types a paste keystroke into the focused window.
class KeyInjector {
  public:
    virtual ~KeyInjector() = default;
    // Modifiers the user still holds are released first, so the target sees exactly this.
    virtual bool postPasteKeystroke(const Keystroke& keystroke) = 0;  // false when it cannot
};
