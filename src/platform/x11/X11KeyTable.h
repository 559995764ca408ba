#pragma once

#include <QtGlobal>

#include <optional>

// Canonical key codes (ANSI virtual key codes, 9 = V) <-> X keycodes by physical key position.
// X servers with the evdev keycode set number keys as XKB does everywhere on Linux, so the
// one table in the core serves the grabs here and the recorder in our own windows alike.
class X11KeyTable {
  public:
    static std::optional<quint8> xKeycodeFor(quint16 canonicalKeyCode);
    static std::optional<quint16> canonicalFor(quint8 xKeycode);
    // The modifier bits a key carries by itself (numeric pad, function).
    static quint64 impliedModifiers(quint16 canonicalKeyCode);
};
