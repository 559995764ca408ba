// SPDX-License-Identifier: MIT
#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

#include "platform/wayland/WaylandKeyInjector.h"
#include "platform/wayland/WaylandSession.h"
#include "platform/wayland/WaylandWindowTracker.h"

// The shell-driven tests' hands and eyes on a wlroots compositor, through the protocols the
// application uses:
//   wayland_driver front   prints the app id of the window in front
//   wayland_driver chord   types Super+Shift+V on a keyboard of its own, with the keymap sway's
//                          bindings are matched against
// Exits 1 when it cannot.
int main(int argc, char** argv) {
    const QCoreApplication app(argc, argv);
    WaylandSession session;
    if (app.arguments().value(1) == QLatin1String("chord")) {
        WaylandKeyInjector keyboard(session);
        const bool typed =
            keyboard.postPasteKeystroke({ModifierFlag::Super | ModifierFlag::Shift, KeyCode::V});
        // A fresh keymap is given time to settle: the keystroke waits for it.
        QTimer::singleShot(500, &app, &QCoreApplication::quit);
        QCoreApplication::exec();
        return typed && session.roundtrip() ? 0 : 1;
    }
    const WaylandWindowTracker windows(session, QStringLiteral("wayland_driver"));
    session.roundtrip();  // the windows' app ids and states follow their announcement
    const RunningApp front = windows.frontmostApplication().value_or(RunningApp{});
    std::printf("%s\n", qPrintable(front.windowClass));
    return session.isConnected() ? 0 : 1;
}
