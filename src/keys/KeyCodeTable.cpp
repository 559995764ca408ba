// SPDX-License-Identifier: MIT
#include "keys/KeyCodeTable.h"

#include <QKeyEvent>

namespace {

struct Entry {
    quint16 canonical;
    quint16 evdev;
};

// evdev codes from linux/input-event-codes.h, by the position of the key on an ANSI board.
constexpr Entry kEntries[] = {
    {0, 30},     // A
    {1, 31},     // S
    {2, 32},     // D
    {3, 33},     // F
    {4, 35},     // H
    {5, 34},     // G
    {6, 44},     // Z
    {7, 45},     // X
    {8, 46},     // C
    {9, 47},     // V
    {10, 86},    // ISO section key (102nd)
    {11, 48},    // B
    {12, 16},    // Q
    {13, 17},    // W
    {14, 18},    // E
    {15, 19},    // R
    {16, 21},    // Y
    {17, 20},    // T
    {18, 2},     // 1
    {19, 3},     // 2
    {20, 4},     // 3
    {21, 5},     // 4
    {22, 7},     // 6
    {23, 6},     // 5
    {24, 13},    // =
    {25, 10},    // 9
    {26, 8},     // 7
    {27, 12},    // -
    {28, 9},     // 8
    {29, 11},    // 0
    {30, 27},    // ]
    {31, 24},    // O
    {32, 22},    // U
    {33, 26},    // [
    {34, 23},    // I
    {35, 25},    // P
    {36, 28},    // Return
    {37, 38},    // L
    {38, 36},    // J
    {39, 40},    // '
    {40, 37},    // K
    {41, 39},    // ;
    {42, 43},    // backslash
    {43, 51},    // ,
    {44, 53},    // /
    {45, 49},    // N
    {46, 50},    // M
    {47, 52},    // .
    {48, 15},    // Tab
    {49, 57},    // Space
    {50, 41},    // grave
    {51, 14},    // Delete (backspace)
    {53, 1},     // Escape
    {54, 126},   // right Super
    {55, 125},   // Super
    {56, 42},    // Shift
    {57, 58},    // Caps Lock
    {58, 56},    // Alt
    {59, 29},    // Control
    {60, 54},    // right Shift
    {61, 100},   // right Alt
    {62, 97},    // right Control
    {65, 83},    // keypad .
    {67, 55},    // keypad *
    {69, 78},    // keypad +
    {75, 98},    // keypad /
    {76, 96},    // keypad Enter
    {78, 74},    // keypad -
    {81, 117},   // keypad =
    {82, 82},    // keypad 0
    {83, 79},    // keypad 1
    {84, 80},    // keypad 2
    {85, 81},    // keypad 3
    {86, 75},    // keypad 4
    {87, 76},    // keypad 5
    {88, 77},    // keypad 6
    {89, 71},    // keypad 7
    {91, 72},    // keypad 8
    {92, 73},    // keypad 9
    {96, 63},    // F5
    {97, 64},    // F6
    {98, 65},    // F7
    {99, 61},    // F3
    {100, 66},   // F8
    {101, 67},   // F9
    {103, 87},   // F11
    {109, 68},   // F10
    {111, 88},   // F12
    {114, 110},  // Help sits where PC boards have Insert
    {115, 102},  // Home
    {116, 104},  // Page Up
    {117, 111},  // forward Delete
    {118, 62},   // F4
    {119, 107},  // End
    {120, 60},   // F2
    {121, 109},  // Page Down
    {122, 59},   // F1
    {123, 105},  // Left
    {124, 106},  // Right
    {125, 108},  // Down
    {126, 103},  // Up
    {71, 69},    // keypad Clear sits where PC boards have Num Lock
};

// Qt's key names on a US layout, shifted symbols with the key that types them.
struct QtEntry {
    int qtKey;
    quint16 canonical;
};

constexpr QtEntry kQtEntries[] = {
    {Qt::Key_A, 0},
    {Qt::Key_S, 1},
    {Qt::Key_D, 2},
    {Qt::Key_F, 3},
    {Qt::Key_H, 4},
    {Qt::Key_G, 5},
    {Qt::Key_Z, 6},
    {Qt::Key_X, 7},
    {Qt::Key_C, 8},
    {Qt::Key_V, 9},
    {Qt::Key_B, 11},
    {Qt::Key_Q, 12},
    {Qt::Key_W, 13},
    {Qt::Key_E, 14},
    {Qt::Key_R, 15},
    {Qt::Key_Y, 16},
    {Qt::Key_T, 17},
    {Qt::Key_1, 18},
    {Qt::Key_Exclam, 18},
    {Qt::Key_2, 19},
    {Qt::Key_At, 19},
    {Qt::Key_3, 20},
    {Qt::Key_NumberSign, 20},
    {Qt::Key_4, 21},
    {Qt::Key_Dollar, 21},
    {Qt::Key_6, 22},
    {Qt::Key_AsciiCircum, 22},
    {Qt::Key_5, 23},
    {Qt::Key_Percent, 23},
    {Qt::Key_Equal, 24},
    {Qt::Key_Plus, 24},
    {Qt::Key_9, 25},
    {Qt::Key_ParenLeft, 25},
    {Qt::Key_7, 26},
    {Qt::Key_Ampersand, 26},
    {Qt::Key_Minus, 27},
    {Qt::Key_Underscore, 27},
    {Qt::Key_8, 28},
    {Qt::Key_Asterisk, 28},
    {Qt::Key_0, 29},
    {Qt::Key_ParenRight, 29},
    {Qt::Key_BracketRight, 30},
    {Qt::Key_BraceRight, 30},
    {Qt::Key_O, 31},
    {Qt::Key_U, 32},
    {Qt::Key_BracketLeft, 33},
    {Qt::Key_BraceLeft, 33},
    {Qt::Key_I, 34},
    {Qt::Key_P, 35},
    {Qt::Key_Return, 36},
    {Qt::Key_L, 37},
    {Qt::Key_J, 38},
    {Qt::Key_Apostrophe, 39},
    {Qt::Key_QuoteDbl, 39},
    {Qt::Key_K, 40},
    {Qt::Key_Semicolon, 41},
    {Qt::Key_Colon, 41},
    {Qt::Key_Backslash, 42},
    {Qt::Key_Bar, 42},
    {Qt::Key_Comma, 43},
    {Qt::Key_Less, 43},
    {Qt::Key_Slash, 44},
    {Qt::Key_Question, 44},
    {Qt::Key_N, 45},
    {Qt::Key_M, 46},
    {Qt::Key_Period, 47},
    {Qt::Key_Greater, 47},
    {Qt::Key_Tab, 48},
    {Qt::Key_Backtab, 48},
    {Qt::Key_Space, 49},
    {Qt::Key_QuoteLeft, 50},
    {Qt::Key_AsciiTilde, 50},
    {Qt::Key_Backspace, 51},
    {Qt::Key_Escape, 53},
    {Qt::Key_Meta, 55},
    {Qt::Key_Super_L, 55},
    {Qt::Key_Super_R, 54},
    {Qt::Key_Shift, 56},
    {Qt::Key_CapsLock, 57},
    {Qt::Key_Alt, 58},
    {Qt::Key_Control, 59},
    {Qt::Key_Enter, 76},
    {Qt::Key_F1, 122},
    {Qt::Key_F2, 120},
    {Qt::Key_F3, 99},
    {Qt::Key_F4, 118},
    {Qt::Key_F5, 96},
    {Qt::Key_F6, 97},
    {Qt::Key_F7, 98},
    {Qt::Key_F8, 100},
    {Qt::Key_F9, 101},
    {Qt::Key_F10, 109},
    {Qt::Key_F11, 103},
    {Qt::Key_F12, 111},
    {Qt::Key_Insert, 114},
    {Qt::Key_Home, 115},
    {Qt::Key_PageUp, 116},
    {Qt::Key_Delete, 117},
    {Qt::Key_End, 119},
    {Qt::Key_PageDown, 121},
    {Qt::Key_Left, 123},
    {Qt::Key_Right, 124},
    {Qt::Key_Down, 125},
    {Qt::Key_Up, 126},
};

// Lock in the core modifier state that XKB reports on X11 and on Wayland alike.
constexpr quint32 kNativeLockMask = 0x2;

template <typename T, std::size_t N, typename F>
const T* find(const T (&entries)[N], F&& matches) {
    for (const T& e : entries) {
        if (matches(e)) {
            return &e;
        }
    }
    return nullptr;
}

}  // namespace

std::optional<quint16> KeyCodeTable::canonicalForXkbKeycode(quint32 xkbKeycode) {
    if (xkbKeycode < kXkbOffset || xkbKeycode > 255) {
        return std::nullopt;
    }
    const auto evdev = static_cast<quint16>(xkbKeycode - kXkbOffset);
    const Entry* e = find(kEntries, [&](const Entry& x) { return x.evdev == evdev; });
    if (e == nullptr) {
        return static_cast<quint16>(kUnlistedBase + xkbKeycode);
    }
    return e->canonical;
}

std::optional<quint8> KeyCodeTable::xkbKeycodeFor(quint16 canonicalKeyCode) {
    const Entry* e =
        find(kEntries, [&](const Entry& x) { return x.canonical == canonicalKeyCode; });
    if (e != nullptr) {
        return static_cast<quint8>(e->evdev + kXkbOffset);
    }
    // An unlisted key, unless its keycode belongs to a listed one.
    const int unlisted = canonicalKeyCode - kUnlistedBase;
    if (unlisted >= kXkbOffset && unlisted <= 255 &&
        canonicalForXkbKeycode(quint32(unlisted)) == canonicalKeyCode) {
        return static_cast<quint8>(unlisted);
    }
    return std::nullopt;
}

std::optional<quint16> KeyCodeTable::canonicalForQtKey(int qtKey) {
    const QtEntry* e = find(kQtEntries, [&](const QtEntry& x) { return x.qtKey == qtKey; });
    if (e == nullptr) {
        return std::nullopt;
    }
    return e->canonical;
}

std::optional<int> KeyCodeTable::qtKeyFor(quint16 canonicalKeyCode) {
    // Unshifted names come first in the table.
    const QtEntry* e =
        find(kQtEntries, [&](const QtEntry& x) { return x.canonical == canonicalKeyCode; });
    if (e == nullptr) {
        return std::nullopt;
    }
    return e->qtKey;
}

quint64 KeyCodeTable::impliedModifiers(quint16 canonicalKeyCode) {
    switch (canonicalKeyCode) {
        case 123:
        case 124:
        case 125:
        case 126:
            return ModifierFlag::NumericPad | ModifierFlag::Function;
        case 96:
        case 97:
        case 98:
        case 99:
        case 100:
        case 101:
        case 103:
        case 109:
        case 111:
        case 114:
        case 115:
        case 116:
        case 117:
        case 118:
        case 119:
        case 120:
        case 121:
        case 122:
            return ModifierFlag::Function;
        case 65:
        case 67:
        case 69:
        case 71:
        case 75:
        case 76:
        case 78:
        case 81:
        case 82:
        case 83:
        case 84:
        case 85:
        case 86:
        case 87:
        case 88:
        case 89:
        case 91:
        case 92:
            return ModifierFlag::NumericPad;
        default:
            return 0;
    }
}

bool KeyCodeTable::isModifierKey(quint16 canonicalKeyCode) {
    return canonicalKeyCode >= 54 && canonicalKeyCode <= 62;
}

std::optional<KeyEvent> KeyCodeTable::fromQKeyEvent(const QKeyEvent& event) {
    // The physical key first: it is what the system-wide detection compares. Only events that
    // carry no scan code are read by their key name.
    std::optional<quint16> code = canonicalForXkbKeycode(event.nativeScanCode());
    if (!code) {
        code = canonicalForQtKey(event.key());
    }
    if (!code || isModifierKey(*code)) {
        return std::nullopt;
    }
    const Qt::KeyboardModifiers qt = event.modifiers();
    quint64 modifiers = impliedModifiers(*code);
    if (qt & Qt::ShiftModifier) {
        modifiers |= ModifierFlag::Shift;
    }
    if (qt & Qt::ControlModifier) {
        modifiers |= ModifierFlag::Control;
    }
    if (qt & Qt::AltModifier) {
        modifiers |= ModifierFlag::Alt;
    }
    // Qt reports Super as Meta when the keyboard has no separate Meta key.
    if (qt & Qt::MetaModifier) {
        modifiers |= ModifierFlag::Super;
    }
    if (event.nativeModifiers() & kNativeLockMask) {
        modifiers |= ModifierFlag::CapsLock;
    }
    return KeyEvent{*code, modifiers, event.isAutoRepeat(),
                    canonicalForQtKey(event.key()).value_or(0), event.text()};
}

quint64 KeyCodeTable::heldModifiers(const KeyEvent& event) {
    return event.modifiers & ModifierFlag::DeviceIndependentMask & ~impliedModifiers(event.keyCode);
}
