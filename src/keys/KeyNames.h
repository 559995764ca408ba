// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// How a chord is written: in the desktop's words, "Super+Shift+V" (modifiers in the order
// Super, Ctrl, Alt, Shift, CapsLock, joined by "+"), the stored and logged form; Translated is
// the same in the interface language ("Strg+Alt+V"), for display only.
namespace KeyNames {
enum class ChordForm { Words, Translated };

// A key without a name in the form is written "Key" + its code.
QString keyCodeToChar(quint16 keyCode, ChordForm form = ChordForm::Words);
QString displayString(quint64 modifiers, quint16 keyCode, ChordForm form = ChordForm::Words);
}  // namespace KeyNames
