// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QtGlobal>

// A key-down in canonical numbers: a key by its position on an ANSI board (9 = V) and modifier
// bits under 0xFFFF0000. These are the virtual key codes and modifier masks of an earlier
// program, which settings files hold (AppSettings reads and writes them, and nothing else
// stores them), so they never change; KeyCodeTable turns them into XKB keycodes and back.
struct KeyEvent {
    quint16 keyCode = 0;  // the key's position: what chords match
    quint64 modifiers = 0;
    bool isRepeat = false;
    // The key its symbol names, as the same canonical number on a US layout; 0 where only the
    // position is known. A keyboard with a keymap of its own (on-screen keyboards, remote
    // input) types Down from any position, so our own windows read keys by this.
    quint16 typedKeyCode = 0;
    // What the key types in the keyboard's layout; empty where nothing is known.
    QString text = QString();

    quint16 typedKey() const { return typedKeyCode != 0 ? typedKeyCode : keyCode; }
};

// A key with the modifiers held while it is typed, in canonical numbers.
struct Keystroke {
    quint64 modifiers = 0;
    quint16 keyCode = 0;

    friend bool operator==(const Keystroke&, const Keystroke&) = default;
};

namespace ModifierFlag {
constexpr quint64 CapsLock = 0x10000;
constexpr quint64 Shift = 0x20000;
constexpr quint64 Control = 0x40000;
constexpr quint64 Alt = 0x80000;
constexpr quint64 Super = 0x100000;
// Carried by a key itself, never held: the keypad and the arrows, the function keys and the
// navigation block.
constexpr quint64 NumericPad = 0x200000;
constexpr quint64 Function = 0x800000;
constexpr quint64 DeviceIndependentMask = 0xFFFF0000;
}  // namespace ModifierFlag

namespace KeyCode {
constexpr quint16 V = 9;
constexpr quint16 P = 35;
constexpr quint16 Return = 36;
constexpr quint16 Tab = 48;
constexpr quint16 Space = 49;
constexpr quint16 Delete = 51;
constexpr quint16 Escape = 53;
constexpr quint16 KeypadEnter = 76;
constexpr quint16 Insert = 114;  // Help on Apple boards, Insert on PC ones
constexpr quint16 Home = 115;
constexpr quint16 PageUp = 116;
constexpr quint16 ForwardDelete = 117;
constexpr quint16 End = 119;
constexpr quint16 PageDown = 121;
// The digit keys of the main block, 1 to 9.
constexpr quint16 Digits[] = {18, 19, 20, 21, 23, 22, 26, 28, 25};
constexpr quint16 LeftArrow = 123;
constexpr quint16 RightArrow = 124;
constexpr quint16 DownArrow = 125;
constexpr quint16 UpArrow = 126;
}  // namespace KeyCode

// Whether a key-down's modifiers hold every modifier of the chord; more may be held (Caps Lock,
// an extra Alt), and bits below the device-independent ones never count as held.
constexpr bool modifierFlagsMatch(quint64 chordModifiers, quint64 flags) {
    return (chordModifiers & ~(flags & ModifierFlag::DeviceIndependentMask)) == 0;
}
