// SPDX-License-Identifier: MIT
#pragma once

#include <QApplication>
#include <QRect>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/Clipboard.h"
#include "platform/DesktopIntegration.h"
#include "platform/InputInjectionAccess.h"
#include "platform/KeyInjector.h"
#include "platform/KeyboardHooks.h"
#include "platform/StatusIndicator.h"
#include "platform/WindowSystem.h"
#include "platform/WindowTracker.h"

class QWidget;

// The windowing system behind the ports, chosen once at start-up from the session.
enum class WindowingSystem { X11, Wayland };

// One realisation of every port for the running session: the backend chosen, and the desktop's
// own services (GNOME Shell, KGlobalAccel) put before it where they answer.
struct PlatformServices {
    // Connections the services share; declared first, so released after all of them.
    std::vector<std::shared_ptr<void>> shared;
    std::unique_ptr<Clipboard> clipboard;
    std::unique_ptr<KeyboardHooks> keyboardHooks;
    std::unique_ptr<InputInjectionAccess> trust;
    std::unique_ptr<WindowTracker> windowTracker;
    std::unique_ptr<KeyInjector> keyInjector;
    PopupWindowSystem windowSystem;
    // Raises and focuses one of our ordinary windows once shown, with the launcher's token of
    // the start that asked for it (see AppWindow::Home).
    std::function<void(QWidget*, const QString&)> activateWindow;
    // The active window's frame, for placing the first-start guide; none where unknown.
    std::function<std::optional<QRect>()> activeWindowGeometry;
    SessionKind session = SessionKind::X11;
    // Subscribes to changes of what `trust` answers (a Shell extension coming and going); empty
    // where it never changes.
    std::function<void(std::function<void()>)> watchTrust;
    // What the user may turn on for the chord and the paste to reach every window; none where
    // nothing is needed.
    std::shared_ptr<DesktopIntegration> integration;
    // The desktop's own stand-in for the tray icon; none where only a tray host shows one.
    std::shared_ptr<StatusIndicator> indicator;

    // Before any display is opened: the windowing system whose backend serves this session, with
    // Qt's platform set to match; nothing, said on stderr, where neither can.
    static std::optional<WindowingSystem> chooseWindowingSystem(const QStringList& arguments);
    // The ports on the application's display; nothing when it cannot be used.
    static std::optional<PlatformServices> forSession(WindowingSystem windowing, QApplication& app);

  private:
    // Nothing when the application's display is not an X one.
    static std::optional<PlatformServices> forX11(QApplication& app);
    // Nothing when the compositor cannot be reached.
    static std::optional<PlatformServices> forWayland();
    // Whether this build has the Wayland backend, and the session's compositor lets it watch
    // and own the clipboard. Asked before any display is opened.
    static bool waylandUsable();

    // GNOME on Wayland, where the program runs on XWayland.
    static bool onGnomeWayland();
    // Puts the GNOME Shell extension before the input ports (chord, typed keys, focused
    // window), the XWayland ones serving while it does not answer; false, and nothing changed,
    // without a session bus.
    bool addGnomeShell();

    // KDE Plasma, on Wayland or X11.
    static bool onKde();
    // Puts KGlobalAccel before the chord port, the current one serving the rest; false, and
    // nothing changed, where it does not answer.
    bool addKGlobalAccel();
};
