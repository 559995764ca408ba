// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>

// Which chords the paste shortcut may not take: chords every program needs for typing or
// editing. Taken by the popup, they would stop copying, undo or plain typing everywhere.
namespace ChordPolicy {
enum class Verdict {
    Allowed,
    TypesText,  // a printable key with no modifier or Shift only (Caps Lock does not count)
    EditsText,  // Ctrl, with or without Shift, and a letter of the usual editing commands
};

Verdict judge(quint64 modifiers, quint16 keyCode);
}  // namespace ChordPolicy
