// SPDX-License-Identifier: MIT
#include "settings/StoredChord.h"

namespace StoredChord {
namespace {

constexpr quint64 kKeypad = 0x200000;
constexpr quint64 kFunction = 0x800000;
constexpr quint64 kArrow = kKeypad | kFunction;
constexpr quint16 kUnlistedBase = 0x100;
constexpr quint16 kNoKey = 0xFFFF;

struct Entry {
    quint16 stored;
    int evdev;
    quint64 implied = 0;
};

constexpr Entry kEntries[] = {
    {0, KEY_A},
    {1, KEY_S},
    {2, KEY_D},
    {3, KEY_F},
    {4, KEY_H},
    {5, KEY_G},
    {6, KEY_Z},
    {7, KEY_X},
    {8, KEY_C},
    {9, KEY_V},
    {10, KEY_102ND},  // ISO section key (102nd)
    {11, KEY_B},
    {12, KEY_Q},
    {13, KEY_W},
    {14, KEY_E},
    {15, KEY_R},
    {16, KEY_Y},
    {17, KEY_T},
    {18, KEY_1},
    {19, KEY_2},
    {20, KEY_3},
    {21, KEY_4},
    {22, KEY_6},
    {23, KEY_5},
    {24, KEY_EQUAL},
    {25, KEY_9},
    {26, KEY_7},
    {27, KEY_MINUS},
    {28, KEY_8},
    {29, KEY_0},
    {30, KEY_RIGHTBRACE},
    {31, KEY_O},
    {32, KEY_U},
    {33, KEY_LEFTBRACE},
    {34, KEY_I},
    {35, KEY_P},
    {36, KEY_ENTER},
    {37, KEY_L},
    {38, KEY_J},
    {39, KEY_APOSTROPHE},
    {40, KEY_K},
    {41, KEY_SEMICOLON},
    {42, KEY_BACKSLASH},
    {43, KEY_COMMA},
    {44, KEY_SLASH},
    {45, KEY_N},
    {46, KEY_M},
    {47, KEY_DOT},
    {48, KEY_TAB},
    {49, KEY_SPACE},
    {50, KEY_GRAVE},
    {51, KEY_BACKSPACE},
    {53, KEY_ESC},
    {54, KEY_RIGHTMETA},
    {55, KEY_LEFTMETA},
    {56, KEY_LEFTSHIFT},
    {57, KEY_CAPSLOCK},
    {58, KEY_LEFTALT},
    {59, KEY_LEFTCTRL},
    {60, KEY_RIGHTSHIFT},
    {61, KEY_RIGHTALT},
    {62, KEY_RIGHTCTRL},
    {65, KEY_KPDOT, kKeypad},
    {67, KEY_KPASTERISK, kKeypad},
    {69, KEY_KPPLUS, kKeypad},
    {75, KEY_KPSLASH, kKeypad},
    {76, KEY_KPENTER, kKeypad},
    {78, KEY_KPMINUS, kKeypad},
    {81, KEY_KPEQUAL, kKeypad},
    {82, KEY_KP0, kKeypad},
    {83, KEY_KP1, kKeypad},
    {84, KEY_KP2, kKeypad},
    {85, KEY_KP3, kKeypad},
    {86, KEY_KP4, kKeypad},
    {87, KEY_KP5, kKeypad},
    {88, KEY_KP6, kKeypad},
    {89, KEY_KP7, kKeypad},
    {91, KEY_KP8, kKeypad},
    {92, KEY_KP9, kKeypad},
    {96, KEY_F5, kFunction},
    {97, KEY_F6, kFunction},
    {98, KEY_F7, kFunction},
    {99, KEY_F3, kFunction},
    {100, KEY_F8, kFunction},
    {101, KEY_F9, kFunction},
    {103, KEY_F11, kFunction},
    {109, KEY_F10, kFunction},
    {111, KEY_F12, kFunction},
    {114, KEY_INSERT, kFunction},  // Help on Apple boards, where PC ones have Insert
    {115, KEY_HOME, kFunction},
    {116, KEY_PAGEUP, kFunction},
    {117, KEY_DELETE, kFunction},
    {118, KEY_F4, kFunction},
    {119, KEY_END, kFunction},
    {120, KEY_F2, kFunction},
    {121, KEY_PAGEDOWN, kFunction},
    {122, KEY_F1, kFunction},
    {123, KEY_LEFT, kArrow},
    {124, KEY_RIGHT, kArrow},
    {125, KEY_DOWN, kArrow},
    {126, KEY_UP, kArrow},
    {71, KEY_NUMLOCK, kKeypad},  // keypad Clear, where PC boards have Num Lock
};

const Entry* byStored(quint16 code) {
    for (const Entry& e : kEntries) {
        if (e.stored == code) {
            return &e;
        }
    }
    return nullptr;
}

const Entry* byKey(quint16 keyCode) {
    for (const Entry& e : kEntries) {
        if (KeyCode::fromEvdev(e.evdev) == keyCode) {
            return &e;
        }
    }
    return nullptr;
}

}  // namespace

Keystroke read(const Numbers& stored) {
    if (const Entry* e = byStored(stored.keyCode)) {
        return {stored.modifiers & ~e->implied, KeyCode::fromEvdev(e->evdev)};
    }
    // An unlisted key, unless its keycode belongs to a listed one.
    const int unlisted = stored.keyCode - kUnlistedBase;
    if (unlisted >= 0 && KeyCode::isKey(quint16(unlisted)) && byKey(quint16(unlisted)) == nullptr) {
        return {stored.modifiers, quint16(unlisted)};
    }
    return {stored.modifiers, 0};
}

Numbers write(const Keystroke& chord) {
    if (const Entry* e = byKey(chord.keyCode)) {
        return {chord.modifiers | e->implied, e->stored};
    }
    if (KeyCode::isKey(chord.keyCode)) {
        return {chord.modifiers, quint16(kUnlistedBase + chord.keyCode)};
    }
    return {chord.modifiers, kNoKey};
}

}  // namespace StoredChord
