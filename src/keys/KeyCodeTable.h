// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>

#include <optional>

#include "keys/KeyEvent.h"

class QKeyEvent;

// Canonical key codes (ANSI virtual key codes, 9 = V) by physical key position. Linux numbers
// keys by their evdev code, and XKB keycodes (X11 and Wayland alike, and so the native scan code
// of a Qt key event) are that code + 8: the V position is XKB keycode 55 whatever letter the
// active layout prints on it. Keys an ANSI board does not have (media keys, Print, ...) get
// 0x100 + their XKB keycode, so they can still be recorded and grabbed.
class KeyCodeTable {
  public:
    static constexpr quint16 kUnlistedBase = 0x100;
    static constexpr quint16 kXkbOffset = 8;

    static std::optional<quint16> canonicalForXkbKeycode(quint32 xkbKeycode);
    static std::optional<quint8> xkbKeycodeFor(quint16 canonicalKeyCode);
    // The key by its Qt name, for key events that carry no scan code (synthesized ones). Names
    // are read as on a US layout.
    static std::optional<quint16> canonicalForQtKey(int qtKey);
    // The Qt name of the key at that position on a US layout, unshifted.
    static std::optional<int> qtKeyFor(quint16 canonicalKeyCode);
    // The modifier bits a key carries by itself: NumericPad for the keypad and the arrows,
    // Function for the arrows, the function keys and the navigation block.
    static quint64 impliedModifiers(quint16 canonicalKeyCode);
    // Shift, Control, Alt, Super and Caps Lock keys, left or right.
    static bool isModifierKey(quint16 canonicalKeyCode);

    // A key press in canonical numbers, with the modifiers the user holds (Caps Lock included)
    // plus the key's implied ones; nothing for a press of a modifier key itself, or of a key
    // that cannot be told.
    static std::optional<KeyEvent> fromQKeyEvent(const QKeyEvent& event);
    // The modifiers of a canonical event that the user holds, without the implied ones.
    static quint64 heldModifiers(const KeyEvent& event);
};
