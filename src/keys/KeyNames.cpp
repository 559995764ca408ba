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
    quint16 code;
    const char* word;
    bool named = false;
};

constexpr KeyName kKeyNames[] = {
    {0, "A"},
    {1, "S"},
    {2, "D"},
    {3, "F"},
    {4, "H"},
    {5, "G"},
    {6, "Z"},
    {7, "X"},
    {8, "C"},
    {9, "V"},
    {11, "B"},
    {12, "Q"},
    {13, "W"},
    {14, "E"},
    {15, "R"},
    {16, "Y"},
    {17, "T"},
    {31, "O"},
    {32, "U"},
    {34, "I"},
    {35, "P"},
    {37, "L"},
    {38, "J"},
    {40, "K"},
    {45, "N"},
    {46, "M"},
    {18, "1"},
    {19, "2"},
    {20, "3"},
    {21, "4"},
    {22, "6"},
    {23, "5"},
    {25, "9"},
    {26, "7"},
    {28, "8"},
    {29, "0"},
    {24, "="},
    {27, "-"},
    {30, "]"},
    {33, "["},
    {39, "'"},
    {41, ";"},
    {42, "\\"},
    {43, ","},
    {44, "/"},
    {47, "."},
    {50, "`"},
    {36, QT_TRANSLATE_NOOP("KeyNames", "Return"), true},
    {48, QT_TRANSLATE_NOOP("KeyNames", "Tab"), true},
    {49, QT_TRANSLATE_NOOP("KeyNames", "Space"), true},
    {51, QT_TRANSLATE_NOOP("KeyNames", "Backspace"), true},
    {53, QT_TRANSLATE_NOOP("KeyNames", "Esc"), true},
    {76, QT_TRANSLATE_NOOP("KeyNames", "Enter"), true},
    {114, QT_TRANSLATE_NOOP("KeyNames", "Insert"), true},
    {117, QT_TRANSLATE_NOOP("KeyNames", "Delete"), true},
    {115, QT_TRANSLATE_NOOP("KeyNames", "Home"), true},
    {119, QT_TRANSLATE_NOOP("KeyNames", "End"), true},
    {116, QT_TRANSLATE_NOOP("KeyNames", "Page Up"), true},
    {121, QT_TRANSLATE_NOOP("KeyNames", "Page Down"), true},
    {123, QT_TRANSLATE_NOOP("KeyNames", "Left"), true},
    {124, QT_TRANSLATE_NOOP("KeyNames", "Right"), true},
    {125, QT_TRANSLATE_NOOP("KeyNames", "Down"), true},
    {126, QT_TRANSLATE_NOOP("KeyNames", "Up"), true},
    {122, "F1"},
    {120, "F2"},
    {99, "F3"},
    {118, "F4"},
    {96, "F5"},
    {97, "F6"},
    {98, "F7"},
    {100, "F8"},
    {101, "F9"},
    {109, "F10"},
    {103, "F11"},
    {111, "F12"},
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
        if (k.code != keyCode) {
            continue;
        }
        return form == ChordForm::Translated && k.named ? translatedName(k.word)
                                                        : QString::fromUtf8(k.word);
    }
    return QStringLiteral("Key") + QString::number(keyCode);
}

}  // namespace KeyNames
