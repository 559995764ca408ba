#include "keys/KeyNames.h"

#include <QStringList>

#include "keys/KeyEvent.h"
#include "settings/L10n.h"

namespace KeyNames {
namespace {

// One table for both forms of a key's name: the desktop's words and the macOS glyphs. A key
// with no glyph is written "Key" + its code in the glyph form, as on the Mac.
// named: the word is a name the interface tables translate ("Strg" for Ctrl in German).
struct KeyName {
    quint16 code;
    const char16_t* word;
    const char16_t* glyph;
    bool named = false;
};

constexpr KeyName kKeyNames[] = {
    {0, u"A", u"A"},
    {1, u"S", u"S"},
    {2, u"D", u"D"},
    {3, u"F", u"F"},
    {4, u"H", u"H"},
    {5, u"G", u"G"},
    {6, u"Z", u"Z"},
    {7, u"X", u"X"},
    {8, u"C", u"C"},
    {9, u"V", u"V"},
    {11, u"B", u"B"},
    {12, u"Q", u"Q"},
    {13, u"W", u"W"},
    {14, u"E", u"E"},
    {15, u"R", u"R"},
    {16, u"Y", u"Y"},
    {17, u"T", u"T"},
    {31, u"O", u"O"},
    {32, u"U", u"U"},
    {34, u"I", u"I"},
    {35, u"P", u"P"},
    {37, u"L", u"L"},
    {38, u"J", u"J"},
    {40, u"K", u"K"},
    {45, u"N", u"N"},
    {46, u"M", u"M"},
    {18, u"1", u"1"},
    {19, u"2", u"2"},
    {20, u"3", u"3"},
    {21, u"4", u"4"},
    {22, u"6", u"6"},
    {23, u"5", u"5"},
    {25, u"9", u"9"},
    {26, u"7", u"7"},
    {28, u"8", u"8"},
    {29, u"0", u"0"},
    {24, u"=", u"="},
    {27, u"-", u"-"},
    {30, u"]", u"]"},
    {33, u"[", u"["},
    {39, u"'", u"'"},
    {41, u";", u";"},
    {42, u"\\", u"\\"},
    {43, u",", u","},
    {44, u"/", u"/"},
    {47, u".", u"."},
    {50, u"`", u"`"},
    {36, u"Return", u"\u21B5", true},
    {48, u"Tab", u"\u21E5", true},
    {49, u"Space", u"\u2423", true},
    {51, u"Backspace", u"\u232B", true},
    // Keys the Mac table leaves unnamed, as Linux desktops write them.
    {53, u"Esc", nullptr, true},
    {76, u"Enter", nullptr, true},
    {114, u"Insert", nullptr, true},
    {117, u"Delete", nullptr, true},
    {115, u"Home", nullptr, true},
    {119, u"End", nullptr, true},
    {116, u"Page Up", nullptr, true},
    {121, u"Page Down", nullptr, true},
    {123, u"Left", nullptr, true},
    {124, u"Right", nullptr, true},
    {125, u"Down", nullptr, true},
    {126, u"Up", nullptr, true},
    {122, u"F1", nullptr},
    {120, u"F2", nullptr},
    {99, u"F3", nullptr},
    {118, u"F4", nullptr},
    {96, u"F5", nullptr},
    {97, u"F6", nullptr},
    {98, u"F7", nullptr},
    {100, u"F8", nullptr},
    {101, u"F9", nullptr},
    {109, u"F10", nullptr},
    {103, u"F11", nullptr},
    {111, u"F12", nullptr},
};

// The modifiers in the order the desktop shows them: Super first ("Super+Shift+V"), then the
// usual Ctrl, Alt, Shift; glyphRank is
// the macOS glyph order (command first, control last), -1 where the Mac shows nothing.
struct ModifierName {
    quint64 bit;
    const char16_t* word;
    const char16_t* glyph;
    int glyphRank;
};

// Every modifier's word is a name the tables translate.
constexpr ModifierName kModifierNames[] = {
    {ModifierFlag::Command, u"Super", u"\u2318", 0},
    {ModifierFlag::Control, u"Ctrl", u"\u2303", 3},
    {ModifierFlag::Option, u"Alt", u"\u2325", 2},
    {ModifierFlag::Shift, u"Shift", u"\u21E7", 1},
    {ModifierFlag::CapsLock, u"CapsLock", nullptr, -1},
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
    if (form == ChordForm::Glyphs) {
        QString text;
        for (int rank = 0; rank < 4; ++rank) {
            for (const ModifierName& m : kModifierNames) {
                if (m.glyphRank == rank && (modifiers & m.bit) != 0) {
                    text += QString::fromUtf16(m.glyph);
                }
            }
        }
        return text + keyCodeToChar(keyCode, form);
    }
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
        const char16_t* name = form == ChordForm::Glyphs ? k.glyph : k.word;
        if (name != nullptr) {
            return form == ChordForm::Translated && k.named ? translatedName(name)
                                                            : QString::fromUtf16(name);
        }
        break;
    }
    return QStringLiteral("Key") + QString::number(keyCode);
}

}  // namespace KeyNames
