#include "platform/x11/X11KeyTable.h"

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
    {54, 126},   // right Command
    {55, 125},   // Command
    {56, 42},    // Shift
    {57, 58},    // Caps Lock
    {58, 56},    // Option
    {59, 29},    // Control
    {60, 54},    // right Shift
    {61, 100},   // right Option
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

constexpr quint16 kEvdevOffset = 8;
constexpr quint64 kNumericPad = 0x200000;
constexpr quint64 kFunction = 0x800000;

template <typename F>
const Entry* find(F&& matches) {
    for (const Entry& e : kEntries) {
        if (matches(e)) {
            return &e;
        }
    }
    return nullptr;
}

}  // namespace

std::optional<quint8> X11KeyTable::xKeycodeFor(quint16 canonicalKeyCode) {
    const Entry* e = find([&](const Entry& x) { return x.canonical == canonicalKeyCode; });
    if (e == nullptr) {
        const int unlisted = canonicalKeyCode - kUnlistedBase;
        if (unlisted >= kEvdevOffset && unlisted <= 255 &&
            canonicalFor(static_cast<quint8>(unlisted)) == canonicalKeyCode) {
            return static_cast<quint8>(unlisted);
        }
        return std::nullopt;
    }
    return static_cast<quint8>(e->evdev + kEvdevOffset);
}

std::optional<quint16> X11KeyTable::canonicalFor(quint8 xKeycode) {
    if (xKeycode < kEvdevOffset) {
        return std::nullopt;
    }
    const quint16 evdev = xKeycode - kEvdevOffset;
    const Entry* e = find([&](const Entry& x) { return x.evdev == evdev; });
    if (e == nullptr) {
        return static_cast<quint16>(kUnlistedBase + xKeycode);
    }
    return e->canonical;
}

quint64 X11KeyTable::impliedModifiers(quint16 canonicalKeyCode) {
    switch (canonicalKeyCode) {
        case 123:
        case 124:
        case 125:
        case 126:
            return kNumericPad | kFunction;
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
            return kFunction;
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
            return kNumericPad;
        default:
            return 0;
    }
}
