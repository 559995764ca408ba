#pragma once

#include <QtGlobal>

#include <optional>

// Canonical key codes (ANSI virtual key codes, 9 = V) <-> X keycodes by physical key position.
// X servers with the evdev keycode set number keys as the kernel's evdev code + 8, so the V
// position is X keycode 55 whatever letter the active layout prints on it. Keys an ANSI board
// does not have (media keys, Print, ...) get 0x100 + their X keycode, so they can still be
// recorded and grabbed.
class X11KeyTable {
  public:
    static constexpr quint16 kUnlistedBase = 0x100;

    static std::optional<quint8> xKeycodeFor(quint16 canonicalKeyCode);
    static std::optional<quint16> canonicalFor(quint8 xKeycode);
    // The modifier bits a key carries by itself: the numeric pad bit (0x200000) for the keypad
    // and the arrows, the function bit (0x800000) for the arrows, the function keys and the
    // navigation block.
    static quint64 impliedModifiers(quint16 canonicalKeyCode);
};
