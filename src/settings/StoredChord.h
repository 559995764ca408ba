// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>

#include "keys/KeyEvent.h"

// The chord as settings files hold it, in the numbers of the program whose files they were
// first: a virtual key code by the key's position on an ANSI board (9 = V; keys that board lacks
// as 0x100 + their XKB keycode), and modifier bits, the held ones as ModifierFlag has them plus
// two that the key itself carries (0x200000 on the keypad and the arrows, 0x800000 on the
// arrows, the function keys and the navigation block). Files keep these numbers, so that they
// read back the chord they were given; nothing but this reads or writes them.
namespace StoredChord {
struct Numbers {
    quint64 modifiers = 0;
    quint16 keyCode = 0;

    friend bool operator==(const Numbers&, const Numbers&) = default;
};

// A key code that names no key reads as key 0, which no desktop can bind; modifier bits that do
// not belong to the key are kept, so that a chord that never matched still does not.
Keystroke read(const Numbers& stored);
Numbers write(const Keystroke& chord);
}  // namespace StoredChord
