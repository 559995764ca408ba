// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QtGlobal>

#include <linux/input-event-codes.h>

// A key-down: the key by its XKB keycode, and the modifiers held. XKB keycodes are the kernel's
// evdev codes (linux/input-event-codes.h) + 8, the numbers of X11 key events, of Wayland's
// keymaps and of Qt's native scan codes alike. They name a key's position: 55 is the key that
// types V on a US board, whatever letter the active layout prints on it.
struct KeyEvent {
    quint16 keyCode = 0;  // the key's position: what chords match
    quint64 modifiers = 0;
    bool isRepeat = false;
    // The key its symbol names, as the keycode that types it on a US layout; 0 where only the
    // position is known. A keyboard with a keymap of its own (on-screen keyboards, remote
    // input) types Down from any position, so our own windows read keys by this.
    quint16 typedKeyCode = 0;
    // What the key types in the keyboard's layout; empty where nothing is known.
    QString text = QString();

    quint16 typedKey() const { return typedKeyCode != 0 ? typedKeyCode : keyCode; }
};

// A key with the modifiers held while it is typed.
struct Keystroke {
    quint64 modifiers = 0;
    quint16 keyCode = 0;

    friend bool operator==(const Keystroke&, const Keystroke&) = default;
};

// The bits are those settings files hold for them (see StoredChord), so that a chord read from
// a file needs no translation of its modifiers.
namespace ModifierFlag {
constexpr quint64 CapsLock = 0x10000;
constexpr quint64 Shift = 0x20000;
constexpr quint64 Control = 0x40000;
constexpr quint64 Alt = 0x80000;
constexpr quint64 Super = 0x100000;
// The bits a modifier may take; the lower ones never count as held.
constexpr quint64 Mask = 0xFFFF0000;
}  // namespace ModifierFlag

namespace KeyCode {
constexpr quint16 EvdevOffset = 8;
constexpr quint16 fromEvdev(int evdev) {
    return quint16(evdev + EvdevOffset);
}
// XKB keycodes run from 8 to 255; anything else names no key.
constexpr bool isKey(quint16 code) {
    return code >= EvdevOffset && code <= 255;
}

constexpr quint16 V = fromEvdev(KEY_V);
constexpr quint16 P = fromEvdev(KEY_P);
constexpr quint16 Return = fromEvdev(KEY_ENTER);
constexpr quint16 Tab = fromEvdev(KEY_TAB);
constexpr quint16 Space = fromEvdev(KEY_SPACE);
constexpr quint16 Backspace = fromEvdev(KEY_BACKSPACE);
constexpr quint16 Escape = fromEvdev(KEY_ESC);
constexpr quint16 KeypadEnter = fromEvdev(KEY_KPENTER);
constexpr quint16 Insert = fromEvdev(KEY_INSERT);
constexpr quint16 Home = fromEvdev(KEY_HOME);
constexpr quint16 PageUp = fromEvdev(KEY_PAGEUP);
constexpr quint16 Delete = fromEvdev(KEY_DELETE);
constexpr quint16 End = fromEvdev(KEY_END);
constexpr quint16 PageDown = fromEvdev(KEY_PAGEDOWN);
// The digit keys of the main block, 1 to 9.
constexpr quint16 Digits[] = {fromEvdev(KEY_1), fromEvdev(KEY_2), fromEvdev(KEY_3),
                              fromEvdev(KEY_4), fromEvdev(KEY_5), fromEvdev(KEY_6),
                              fromEvdev(KEY_7), fromEvdev(KEY_8), fromEvdev(KEY_9)};
constexpr quint16 Left = fromEvdev(KEY_LEFT);
constexpr quint16 Right = fromEvdev(KEY_RIGHT);
constexpr quint16 Down = fromEvdev(KEY_DOWN);
constexpr quint16 Up = fromEvdev(KEY_UP);
}  // namespace KeyCode

// Whether a key-down's modifiers hold every modifier of the chord; more may be held (Caps Lock,
// an extra Alt).
constexpr bool modifierFlagsMatch(quint64 chordModifiers, quint64 flags) {
    return (chordModifiers & ~(flags & ModifierFlag::Mask)) == 0;
}
