// SPDX-License-Identifier: MIT
#pragma once

#include <QRect>
#include <QtGlobal>

#include <functional>
#include <optional>

// The session the backend serves, as far as what keeps the chord or the paste from working
// depends on it (and so the advice our windows give). GNOME on Wayland is an X11 one here: we
// run on XWayland there, the Shell extension standing in for what X cannot reach.
enum class SessionKind { X11, Wayland, KdeWayland };

// What only the window system can tell or do for the popup; any of it may be empty. A window is
// its native id (QWidget::winId), so no widget type reaches the platform code.
struct PopupWindowSystem {
    // A compositor blends translucent windows (asked before every show).
    std::function<bool()> isCompositing;
    // Called with the panel's native window before every show: on all desktops, above the rest.
    std::function<void(quint64 window)> prepareToShow;
    // A top-level window's frame in device pixels of the whole desktop; none when the window
    // is gone or unknown.
    std::function<std::optional<QRect>(quint64 window)> windowGeometry = {};
};
