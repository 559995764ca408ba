// SPDX-License-Identifier: MIT
#pragma once

#include <QHash>
#include <QMap>
#include <QString>

#include <optional>

#include "keys/KeyEvent.h"

// Which keystroke pastes in a window, by the application's window class names: most take
// Control+V, terminals do not (Control+V types a literal ^V there). Names match without regard
// to case; the user's entries come before the built-in ones.
class PasteKeystrokeTable {
  public:
    static constexpr Keystroke controlV{ModifierFlag::Control, KeyCode::V};
    static constexpr Keystroke controlShiftV{ModifierFlag::Control | ModifierFlag::Shift,
                                             KeyCode::V};
    static constexpr Keystroke shiftInsert{ModifierFlag::Shift, KeyCode::Insert};

    // Class name -> keystroke text such as "Ctrl+Shift+V"; entries that do not read as a
    // keystroke are left out.
    explicit PasteKeystrokeTable(const QMap<QString, QString>& userEntries = {});

    // Either WM_CLASS name may be empty; a window with neither gets Control+V.
    Keystroke keystrokeFor(const QString& instanceName, const QString& className) const;

    // Modifiers joined by '+' (Ctrl/Control, Shift, Alt, Super), then one key: a letter, a
    // digit or Insert. Nothing for anything else, a keystroke without a modifier included.
    static std::optional<Keystroke> parse(const QString& text);
    // Shift+Insert pastes the primary selection in the terminals that use it.
    static bool pastesPrimarySelection(const Keystroke& keystroke) {
        return keystroke == shiftInsert;
    }

  private:
    std::optional<Keystroke> find(const QHash<QString, Keystroke>& entries,
                                  const QString& instanceName, const QString& className) const;

    QHash<QString, Keystroke> m_userEntries;
};
