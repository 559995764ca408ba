#pragma once

#include <QtGui/qwindowdefs.h>
#include <QRect>

#include <optional>

// The few window-manager conversations the popup needs, on Qt's own X connection.
namespace X11WindowSystem {
// A compositing manager owns _NET_WM_CM_S<screen>.
bool isCompositing();
// Before a (re-)map: on every desktop (_NET_WM_DESKTOP 0xFFFFFFFF, sticky) and above the rest.
void showOnAllDesktops(WId window);
// Where a top-level window is, in root-window pixels: its frame when a window manager has
// reparented it, else the window itself. None when the window is gone.
std::optional<QRect> windowGeometry(quint64 window);
}  // namespace X11WindowSystem
