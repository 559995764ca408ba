// SPDX-License-Identifier: MIT
#include "app/backend/PlatformServices.h"

#include <QByteArray>

#include <cstdio>

#include "core/AppLogger.h"

QUILLSTACK_DEFINE_COMPONENT_LOG

namespace {
void sayMissing(const char* text) {
    std::fputs(text, stderr);
    std::fflush(stderr);
}
}  // namespace

// Under Wayland the compositor's data control is what lets a program watch and own the
// clipboard; where it is missing (GNOME) the X11 backend runs through XWayland, to which mutter
// hands every copy (the Shell extension adds the input ports there). Qt's platform is set to match,
// since each backend's services need that connection. An explicit QT_QPA_PLATFORM is obeyed, except
// a session-wide "wayland" where the compositor gives no clipboard access but XWayland runs.
std::optional<WindowingSystem> PlatformServices::chooseWindowingSystem(
    const QStringList& arguments) {
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    const bool wantsWayland = platform.startsWith(QStringLiteral("wayland"));
    if ((wantsWayland || platform.isEmpty()) && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        waylandUsable()) {
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("wayland"));
        return WindowingSystem::Wayland;
    }
    if (wantsWayland && qEnvironmentVariableIsEmpty("DISPLAY")) {
        sayMissing(
            "Quillstack needs a Wayland compositor that offers clipboard access to programs (wlr "
            "data control)\n");
        return std::nullopt;
    }
    if (platform.isEmpty() || wantsWayland) {
        // Qt aborts when its only platform cannot start; say what is missing instead.
        if (qEnvironmentVariableIsEmpty("DISPLAY") &&
            !arguments.contains(QStringLiteral("-display"))) {
            sayMissing(
                "Quillstack needs an X11 display or a Wayland compositor that offers clipboard "
                "access to programs\n");
            return std::nullopt;
        }
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("xcb"));
    }
    return WindowingSystem::X11;
}

std::optional<PlatformServices> PlatformServices::forSession(WindowingSystem windowing,
                                                             QApplication& app) {
    std::optional<PlatformServices> services =
        windowing == WindowingSystem::Wayland ? forWayland() : forX11(app);
    if (!services) {
        return std::nullopt;
    }
    const bool gnomeShell =
        windowing == WindowingSystem::X11 && onGnomeWayland() && services->addGnomeShell();
    // On Plasma the chord is KGlobalAccel's to give, on Wayland and X11 alike.
    const bool kde = onKde() && services->addKGlobalAccel();
    log(QStringLiteral("PlatformServices: %1 backend%2")
            .arg(windowing == WindowingSystem::Wayland ? QStringLiteral("Wayland")
                 : gnomeShell                          ? QStringLiteral("X11 + GNOME Shell")
                                                       : QStringLiteral("X11"),
                 kde ? QStringLiteral(" + KGlobalAccel") : QString()));
    return services;
}
