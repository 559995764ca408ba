// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>

#include <optional>

#include "keys/KeyEvent.h"

class QKeyEvent;

// Qt's key events in KeyEvent's keycodes, and Qt's key names by keycode as a US layout has them.
class KeyCodeTable {
  public:
    // The key by its Qt name, for key events that carry no scan code (synthesized ones). Names
    // are read as on a US layout.
    static std::optional<quint16> keyCodeForQtKey(int qtKey);
    // The Qt name of the key at that position on a US layout, unshifted.
    static std::optional<int> qtKeyFor(quint16 keyCode);
    // Shift, Control, Alt, Super and Caps Lock keys, left or right.
    static bool isModifierKey(quint16 keyCode);

    // A key press with the modifiers the user holds (Caps Lock included); nothing for a press of
    // a modifier key itself, or of a key that cannot be told.
    static std::optional<KeyEvent> fromQKeyEvent(const QKeyEvent& event);
};
