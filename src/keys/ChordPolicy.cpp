// SPDX-License-Identifier: MIT
#include "keys/ChordPolicy.h"

#include <algorithm>
#include <array>

#include "keys/KeyEvent.h"

namespace ChordPolicy {
namespace {

// Key codes of the main block that type a character (Return and Tab do not), and of the keypad.
constexpr std::array<quint16, 2> kNotPrintableBelow51 = {36, 48};
constexpr std::array<quint16, 16> kKeypadPrintable = {65, 67, 69, 75, 78, 81, 82, 83,
                                                      84, 85, 86, 87, 88, 89, 91, 92};
// Copy, paste, cut, undo, redo, select all, save, find, close, new tab, quit, new, print, open.
constexpr std::array<quint16, 14> kEditingLetters = {8, 9,  7,  6,  16, 0,  1,
                                                     3, 13, 17, 12, 45, 35, 31};

template <std::size_t N>
bool contains(const std::array<quint16, N>& codes, quint16 code) {
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

bool isPrintable(quint16 keyCode) {
    if (keyCode <= 50) {
        return !contains(kNotPrintableBelow51, keyCode);
    }
    return contains(kKeypadPrintable, keyCode);
}

}  // namespace

Verdict judge(quint64 modifiers, quint16 keyCode) {
    constexpr quint64 held =
        ModifierFlag::Shift | ModifierFlag::Control | ModifierFlag::Alt | ModifierFlag::Super;
    const quint64 beyondShift = modifiers & held & ~ModifierFlag::Shift;
    if (beyondShift == 0 && isPrintable(keyCode)) {
        return Verdict::TypesText;
    }
    if (beyondShift == ModifierFlag::Control && contains(kEditingLetters, keyCode)) {
        return Verdict::EditsText;
    }
    return Verdict::Allowed;
}

}  // namespace ChordPolicy
