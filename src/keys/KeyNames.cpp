// SPDX-License-Identifier: MIT
#include "keys/KeyNames.h"

#include <QCoreApplication>
#include <QStringList>

#include "keys/KeyEvent.h"

namespace KeyNames {
namespace {

// A key's name as the desktop writes it. named: the word is a name that is translated
// ("Strg" for Ctrl in German).
struct KeyName {
    int evdev;
    const char* word;
    bool named = false;
};

constexpr KeyName kKeyNames[] = {
    {KEY_A, "A"},
    {KEY_S, "S"},
    {KEY_D, "D"},
    {KEY_F, "F"},
    {KEY_H, "H"},
    {KEY_G, "G"},
    {KEY_Z, "Z"},
    {KEY_X, "X"},
    {KEY_C, "C"},
    {KEY_V, "V"},
    {KEY_B, "B"},
    {KEY_Q, "Q"},
    {KEY_W, "W"},
    {KEY_E, "E"},
    {KEY_R, "R"},
    {KEY_Y, "Y"},
    {KEY_T, "T"},
    {KEY_O, "O"},
    {KEY_U, "U"},
    {KEY_I, "I"},
    {KEY_P, "P"},
    {KEY_L, "L"},
    {KEY_J, "J"},
    {KEY_K, "K"},
    {KEY_N, "N"},
    {KEY_M, "M"},
    {KEY_1, "1"},
    {KEY_2, "2"},
    {KEY_3, "3"},
    {KEY_4, "4"},
    {KEY_6, "6"},
    {KEY_5, "5"},
    {KEY_9, "9"},
    {KEY_7, "7"},
    {KEY_8, "8"},
    {KEY_0, "0"},
    {KEY_EQUAL, "="},
    {KEY_MINUS, "-"},
    {KEY_RIGHTBRACE, "]"},
    {KEY_LEFTBRACE, "["},
    {KEY_APOSTROPHE, "'"},
    {KEY_SEMICOLON, ";"},
    {KEY_BACKSLASH, "\\"},
    {KEY_COMMA, ","},
    {KEY_SLASH, "/"},
    {KEY_DOT, "."},
    {KEY_GRAVE, "`"},
    {KEY_ENTER, QT_TRANSLATE_NOOP("KeyNames", "Return"), true},
    {KEY_TAB, QT_TRANSLATE_NOOP("KeyNames", "Tab"), true},
    {KEY_SPACE, QT_TRANSLATE_NOOP("KeyNames", "Space"), true},
    {KEY_BACKSPACE, QT_TRANSLATE_NOOP("KeyNames", "Backspace"), true},
    {KEY_ESC, QT_TRANSLATE_NOOP("KeyNames", "Esc"), true},
    {KEY_KPENTER, QT_TRANSLATE_NOOP("KeyNames", "Enter"), true},
    {KEY_INSERT, QT_TRANSLATE_NOOP("KeyNames", "Insert"), true},
    {KEY_DELETE, QT_TRANSLATE_NOOP("KeyNames", "Delete"), true},
    {KEY_HOME, QT_TRANSLATE_NOOP("KeyNames", "Home"), true},
    {KEY_END, QT_TRANSLATE_NOOP("KeyNames", "End"), true},
    {KEY_PAGEUP, QT_TRANSLATE_NOOP("KeyNames", "Page Up"), true},
    {KEY_PAGEDOWN, QT_TRANSLATE_NOOP("KeyNames", "Page Down"), true},
    {KEY_LEFT, QT_TRANSLATE_NOOP("KeyNames", "Left"), true},
    {KEY_RIGHT, QT_TRANSLATE_NOOP("KeyNames", "Right"), true},
    {KEY_DOWN, QT_TRANSLATE_NOOP("KeyNames", "Down"), true},
    {KEY_UP, QT_TRANSLATE_NOOP("KeyNames", "Up"), true},
    {KEY_F1, "F1"},
    {KEY_F2, "F2"},
    {KEY_F3, "F3"},
    {KEY_F4, "F4"},
    {KEY_F5, "F5"},
    {KEY_F6, "F6"},
    {KEY_F7, "F7"},
    {KEY_F8, "F8"},
    {KEY_F9, "F9"},
    {KEY_F10, "F10"},
    {KEY_F11, "F11"},
    {KEY_F12, "F12"},
};

// The modifiers in the order the desktop shows them: Super first ("Super+Shift+V"), then the
// usual Ctrl, Alt, Shift.
struct ModifierName {
    quint64 bit;
    const char* word;
};

// Every modifier's word is a name that is translated.
constexpr ModifierName kModifierNames[] = {
    {ModifierFlag::Super, QT_TRANSLATE_NOOP("KeyNames", "Super")},
    {ModifierFlag::Control, QT_TRANSLATE_NOOP("KeyNames", "Ctrl")},
    {ModifierFlag::Alt, QT_TRANSLATE_NOOP("KeyNames", "Alt")},
    {ModifierFlag::Shift, QT_TRANSLATE_NOOP("KeyNames", "Shift")},
    {ModifierFlag::CapsLock, QT_TRANSLATE_NOOP("KeyNames", "CapsLock")},
};

// In a context of their own, so that "Delete" the key and "Delete" the command can read
// differently.
QString translatedName(const char* word) {
    return QCoreApplication::translate("KeyNames", word);
}

}  // namespace

QString displayString(quint64 modifiers, quint16 keyCode, ChordForm form) {
    QStringList pieces;
    for (const ModifierName& m : kModifierNames) {
        if ((modifiers & m.bit) != 0) {
            pieces << (form == ChordForm::Translated ? translatedName(m.word)
                                                     : QString::fromUtf8(m.word));
        }
    }
    pieces << keyCodeToChar(keyCode, form);
    return pieces.join(u'+');
}

QString keyCodeToChar(quint16 keyCode, ChordForm form) {
    for (const KeyName& k : kKeyNames) {
        if (KeyCode::fromEvdev(k.evdev) != keyCode) {
            continue;
        }
        return form == ChordForm::Translated && k.named ? translatedName(k.word)
                                                        : QString::fromUtf8(k.word);
    }
    return QStringLiteral("Key") + QString::number(keyCode);
}

}  // namespace KeyNames
