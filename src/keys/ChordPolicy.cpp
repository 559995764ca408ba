// SPDX-License-Identifier: MIT
#include "keys/ChordPolicy.h"

#include <algorithm>
#include <iterator>

#include "keys/KeyEvent.h"

namespace ChordPolicy {
namespace {

// The keys that type a character: the main block's letters, digits, punctuation and Space (not
// Return, Tab or Backspace), and the keypad's digits and operators.
constexpr int kPrintable[] = {
    KEY_1,          KEY_2,      KEY_3,       KEY_4,         KEY_5,          KEY_6,
    KEY_7,          KEY_8,      KEY_9,       KEY_0,         KEY_MINUS,      KEY_EQUAL,
    KEY_Q,          KEY_W,      KEY_E,       KEY_R,         KEY_T,          KEY_Y,
    KEY_U,          KEY_I,      KEY_O,       KEY_P,         KEY_LEFTBRACE,  KEY_RIGHTBRACE,
    KEY_A,          KEY_S,      KEY_D,       KEY_F,         KEY_G,          KEY_H,
    KEY_J,          KEY_K,      KEY_L,       KEY_SEMICOLON, KEY_APOSTROPHE, KEY_GRAVE,
    KEY_BACKSLASH,  KEY_Z,      KEY_X,       KEY_C,         KEY_V,          KEY_B,
    KEY_N,          KEY_M,      KEY_COMMA,   KEY_DOT,       KEY_SLASH,      KEY_SPACE,
    KEY_102ND,      KEY_KP0,    KEY_KP1,     KEY_KP2,       KEY_KP3,        KEY_KP4,
    KEY_KP5,        KEY_KP6,    KEY_KP7,     KEY_KP8,       KEY_KP9,        KEY_KPDOT,
    KEY_KPASTERISK, KEY_KPPLUS, KEY_KPMINUS, KEY_KPSLASH,   KEY_KPEQUAL,
};
// Copy, paste, cut, undo, redo, select all, save, find, close, new tab, quit, new, print, open.
constexpr int kEditingLetters[] = {KEY_C, KEY_V, KEY_X, KEY_Z, KEY_Y, KEY_A, KEY_S,
                                   KEY_F, KEY_W, KEY_T, KEY_Q, KEY_N, KEY_P, KEY_O};

template <std::size_t N>
bool contains(const int (&keys)[N], quint16 keyCode) {
    return std::any_of(std::begin(keys), std::end(keys),
                       [&](int evdev) { return KeyCode::fromEvdev(evdev) == keyCode; });
}

}  // namespace

Verdict judge(quint64 modifiers, quint16 keyCode) {
    constexpr quint64 held =
        ModifierFlag::Shift | ModifierFlag::Control | ModifierFlag::Alt | ModifierFlag::Super;
    const quint64 beyondShift = modifiers & held & ~ModifierFlag::Shift;
    if (beyondShift == 0 && contains(kPrintable, keyCode)) {
        return Verdict::TypesText;
    }
    if (beyondShift == ModifierFlag::Control && contains(kEditingLetters, keyCode)) {
        return Verdict::EditsText;
    }
    return Verdict::Allowed;
}

}  // namespace ChordPolicy
