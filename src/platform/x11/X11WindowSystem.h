// SPDX-License-Identifier: MIT
#pragma once

#include <QtGui/qwindowdefs.h>
#include <QRect>
#include <QString>

#include <optional>

// The few window-manager conversations the popup needs, on Qt's own X connection.
namespace X11WindowSystem {
// A compositing manager owns _NET_WM_CM_S<screen>.
bool isCompositing();
// Before a (re-)map: on every desktop (_NET_WM_DESKTOP 0xFFFFFFFF, sticky) and above the rest.
void showOnAllDesktops(WId window);
// Asks the window manager to raise and focus a mapped window of ours, dated with the user's
// action that asked for it: the time in the launcher's startup id ("..._TIME<time>") when given
// one, else the server's time now (the user has just asked: a click, a command). Focus-stealing
// prevention compares that date with the user's last input.
void activate(WId window, const QString& startupId = {});
// Where a top-level window is, in root-window pixels: its frame when a window manager has
// reparented it, else the window itself. None when the window is gone.
std::optional<QRect> windowGeometry(quint64 window);
}  // namespace X11WindowSystem
