// SPDX-License-Identifier: MIT
#include <QCoreApplication>
#include <QThread>

#include <linux/input-event-codes.h>
#include <wayland-client.h>

#include <cstdio>
#include <memory>

#include "fake-input-client-protocol.h"
#include "platform/kde/KWinWorkspace.h"
#include "platform/wayland/WaylandSession.h"

// The test's hands and eyes on KWin, through the same protocols the application uses:
//   kwin_driver active          prints the active window's app id and pid
//   kwin_driver keys KEY...     types Down, Return or chord (Super+Shift+V); shift-down
//                               and shift-up hold and let go of Shift, pause waits 1.5 s
// Exits 3 when KWin does not grant the protocol (no desktop file asks for it).
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    WaylandSession session;
    const QStringList args = app.arguments().mid(1);
    if (args.value(0) == QLatin1String("active")) {
        const KWinWorkspace workspace(session);
        if (!workspace.isOffered()) {
            return 3;
        }
        const RunningApp front = workspace.frontmostApplication().value_or(RunningApp{});
        std::printf("%s %lld\n", qPrintable(front.windowClass), front.pid);
        return 0;
    }
    // Raw keys of a keyboard of its own, so that a held Shift stays held until let go.
    quint32 version = 0;
    const std::unique_ptr<org_kde_kwin_fake_input, void (*)(org_kde_kwin_fake_input*)> bound(
        static_cast<org_kde_kwin_fake_input*>(
            session.bindGlobal(org_kde_kwin_fake_input_interface, 4, &version)),
        org_kde_kwin_fake_input_destroy);
    org_kde_kwin_fake_input* input = bound.get();
    if (args.value(0) != QLatin1String("keys") || !input || version < 4) {
        return 3;
    }
    org_kde_kwin_fake_input_authenticate(input, "kwin_driver", "test keys");
    const auto key = [&](quint32 code, bool down) {
        org_kde_kwin_fake_input_keyboard_key(
            input, code, down ? WL_KEYBOARD_KEY_STATE_PRESSED : WL_KEYBOARD_KEY_STATE_RELEASED);
    };
    const QHash<QString, QList<quint32>> keys{{"Down", {KEY_DOWN}},
                                              {"Return", {KEY_ENTER}},
                                              {"chord", {KEY_LEFTMETA, KEY_LEFTSHIFT, KEY_V}}};
    for (const QString& name : args.mid(1)) {
        if (name == QLatin1String("shift-down") || name == QLatin1String("shift-up")) {
            key(KEY_LEFTSHIFT, name.endsWith(QLatin1String("down")));
        } else if (name == QLatin1String("pause")) {
            QThread::msleep(1500);
        } else if (keys.contains(name)) {
            const QList<quint32> codes = keys.value(name);
            for (const quint32 code : codes) {
                key(code, true);
            }
            for (auto it = codes.rbegin(); it != codes.rend(); ++it) {
                key(*it, false);
            }
        } else {
            return 2;
        }
        if (!session.roundtrip()) {
            return 2;
        }
    }
    return 0;
}
