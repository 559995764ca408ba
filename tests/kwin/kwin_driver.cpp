// SPDX-License-Identifier: MIT
#include <QCoreApplication>
#include <QRect>
#include <QThread>

#include <linux/input-event-codes.h>
#include <wayland-client.h>

#include <cstdio>
#include <memory>

#include "fake-input-client-protocol.h"
#include "plasma-window-management-client-protocol.h"
#include "platform/kde/KWinWindowTracker.h"
#include "platform/wayland/WaylandSession.h"

namespace {
constexpr auto ignore = [](void*, auto...) {};
// Each window's active flag and frame, as KWin tells its task manager.
using Frames = QHash<org_kde_plasma_window*, std::pair<bool, QRect>>;
const org_kde_plasma_window_listener kWindow = [] {
    org_kde_plasma_window_listener l{};
    l.title_changed = l.app_id_changed = ignore;
    l.state_changed = [](void* data, org_kde_plasma_window* window, uint32_t flags) {
        (*static_cast<Frames*>(data))[window].first =
            (flags & ORG_KDE_PLASMA_WINDOW_MANAGEMENT_STATE_ACTIVE) != 0;
    };
    l.virtual_desktop_changed = ignore;
    l.themed_icon_name_changed = l.resource_name_changed = ignore;
    l.unmapped = [](void* data, org_kde_plasma_window* window) {
        (*static_cast<Frames*>(data))[window].first = false;
    };
    l.initial_state = ignore;
    l.parent_window = ignore;
    l.geometry = [](void* data, org_kde_plasma_window* window, int32_t x, int32_t y, uint32_t w,
                    uint32_t h) {
        (*static_cast<Frames*>(data))[window].second = QRect(x, y, w, h);
    };
    l.icon_changed = ignore;
    l.pid_changed = ignore;
    l.virtual_desktop_entered = l.virtual_desktop_left = ignore;
    l.application_menu = ignore;
    l.activity_entered = l.activity_left = ignore;
    return l;
}();
const org_kde_plasma_window_management_listener kManager = [] {
    org_kde_plasma_window_management_listener l{};
    l.show_desktop_changed = ignore;
    l.stacking_order_changed = ignore;
    l.stacking_order_uuid_changed = ignore;
    l.window = ignore;  // every window comes by its uuid too
    l.window_with_uuid = [](void* data, org_kde_plasma_window_management* manager, uint32_t,
                            const char* uuid) {
        org_kde_plasma_window_add_listener(
            org_kde_plasma_window_management_get_window_by_uuid(manager, uuid), &kWindow, data);
    };
    return l;
}();

int printActiveFrame(WaylandSession& session) {
    quint32 version = 0;
    auto* manager = static_cast<org_kde_plasma_window_management*>(
        session.bindGlobal(org_kde_plasma_window_management_interface, 16, &version));
    if (!manager || version < 13) {
        return 3;
    }
    Frames frames;
    org_kde_plasma_window_management_add_listener(manager, &kManager, &frames);
    session.roundtrip();
    session.roundtrip();
    for (auto it = frames.cbegin(); it != frames.cend(); ++it) {
        if (it->first) {
            const QRect& f = it->second;
            std::printf("%d %d %d %d\n", f.x(), f.y(), f.width(), f.height());
        }
        org_kde_plasma_window_destroy(it.key());
    }
    org_kde_plasma_window_management_destroy(manager);
    return 0;
}
}  // namespace

// The test's hands and eyes on KWin, through the same protocols the application uses:
//   kwin_driver active          prints the active window's app id and pid
//   kwin_driver frame           prints the active window's frame: x y width height
//   kwin_driver keys KEY...     types Down, Return, Escape or chord (Super+Shift+V); shift-down
//                               and shift-up hold and let go of Shift, pause waits 1.5 s
// Exits 3 when KWin does not grant the protocol (no desktop file asks for it).
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    WaylandSession session;
    const QStringList args = app.arguments().mid(1);
    if (args.value(0) == QLatin1String("active")) {
        const KWinWindowTracker windowTracker(session);
        if (!windowTracker.isOffered()) {
            return 3;
        }
        const RunningApp front = windowTracker.frontmostApplication().value_or(RunningApp{});
        std::printf("%s %lld\n", qPrintable(front.windowClass), front.pid);
        return 0;
    }
    if (args.value(0) == QLatin1String("frame")) {
        return printActiveFrame(session);
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
                                              {"Escape", {KEY_ESC}},
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
