// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// The desktop's own keyboard-shortcut settings, where the user frees or changes a chord that
// another program holds. Known for GNOME (and the desktops built on its settings), KDE Plasma,
// Xfce, Cinnamon and MATE, chosen from XDG_CURRENT_DESKTOP.
class DesktopShortcutSettings {
  public:
    using ProgramExists = std::function<bool(const QString& program)>;

    // Program and arguments that open them on the desktops an XDG_CURRENT_DESKTOP value names
    // (a colon-separated list, most specific first), best first.
    static QList<QStringList> candidates(const QString& currentDesktop);
    // The first candidate whose program exists; empty when none does.
    static QStringList command(const QString& currentDesktop, const ProgramExists& exists);
    // For this session: opens the settings, or is empty when no way to open them is known (a
    // button for it is then better not shown).
    static std::function<void()> opener();

    static bool isInPath(const QString& program);
};
