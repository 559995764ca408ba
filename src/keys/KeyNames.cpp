// SPDX-License-Identifier: MIT
#include "keys/KeyNames.h"

#include <QStringList>

#include "keys/KeyEvent.h"
#include "settings/L10n.h"

namespace KeyNames {
namespace {

// A key's name as the desktop writes it. named: the word is a name the interface tables
// translate ("Strg" for Ctrl in German).
struct KeyName {
    quint16 code;
    const char16_t* word;
    bool named = false;
};

constexpr KeyName kKeyNames[] = {
    {0, u"A"},
    {1, u"S"},
    {2, u"D"},
    {3, u"F"},
    {4, u"H"},
    {5, u"G"},
    {6, u"Z"},
    {7, u"X"},
    {8, u"C"},
    {9, u"V"},
    {11, u"B"},
    {12, u"Q"},
    {13, u"W"},
    {14, u"E"},
    {15, u"R"},
    {16, u"Y"},
    {17, u"T"},
    {31, u"O"},
    {32, u"U"},
    {34, u"I"},
    {35, u"P"},
    {37, u"L"},
    {38, u"J"},
    {40, u"K"},
    {45, u"N"},
    {46, u"M"},
    {18, u"1"},
    {19, u"2"},
    {20, u"3"},
    {21, u"4"},
    {22, u"6"},
    {23, u"5"},
    {25, u"9"},
    {26, u"7"},
    {28, u"8"},
    {29, u"0"},
    {24, u"="},
    {27, u"-"},
    {30, u"]"},
    {33, u"["},
    {39, u"'"},
    {41, u";"},
    {42, u"\\"},
    {43, u","},
    {44, u"/"},
    {47, u"."},
    {50, u"`"},
    {36, u"Return", true},
    {48, u"Tab", true},
    {49, u"Space", true},
    {51, u"Backspace", true},
    {53, u"Esc", true},
    {76, u"Enter", true},
    {114, u"Insert", true},
    {117, u"Delete", true},
    {115, u"Home", true},
    {119, u"End", true},
    {116, u"Page Up", true},
    {121, u"Page Down", true},
    {123, u"Left", true},
    {124, u"Right", true},
    {125, u"Down", true},
    {126, u"Up", true},
    {122, u"F1"},
    {120, u"F2"},
    {99, u"F3"},
    {118, u"F4"},
    {96, u"F5"},
    {97, u"F6"},
    {98, u"F7"},
    {100, u"F8"},
    {101, u"F9"},
    {109, u"F10"},
    {103, u"F11"},
    {111, u"F12"},
};

// The modifiers in the order the desktop shows them: Super first ("Super+Shift+V"), then the
// usual Ctrl, Alt, Shift.
struct ModifierName {
    quint64 bit;
    const char16_t* word;
};

// Every modifier's word is a name the tables translate.
constexpr ModifierName kModifierNames[] = {
    {ModifierFlag::Super, u"Super"},       {ModifierFlag::Control, u"Ctrl"},
    {ModifierFlag::Alt, u"Alt"},           {ModifierFlag::Shift, u"Shift"},
    {ModifierFlag::CapsLock, u"CapsLock"},
};

// The table's key for a name says what the word is, so that "Delete" the key and "Delete" the
// command can read differently.
QString translatedName(const char16_t* word) {
    const QString bare = QString::fromUtf16(word);
    const QString key = bare + QStringLiteral(" (key name)");
    const QString text = L10n::string(key);
    // Without any table the key comes back: the bare name is the right English then.
    return text == key ? bare : text;
}

}  // namespace

QString displayString(quint64 modifiers, quint16 keyCode, ChordForm form) {
    QStringList pieces;
    for (const ModifierName& m : kModifierNames) {
        if ((modifiers & m.bit) != 0) {
            pieces << (form == ChordForm::Translated ? translatedName(m.word)
                                                     : QString::fromUtf16(m.word));
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
                                                        : QString::fromUtf16(k.word);
    }
    return QStringLiteral("Key") + QString::number(keyCode);
}

}  // namespace KeyNames
