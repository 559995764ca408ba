#include <QApplication>
#include <QProcess>
#include <QTest>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

#include "ClipboardClients.h"
#include "XcbAtom.h"
#include "platform/x11/X11AccessibilityTrust.h"
#include "platform/x11/X11Workspace.h"
#include "platform/x11/XTestKeyInjector.h"

namespace {

void setProp(xcb_connection_t* c, xcb_window_t w, const char* name, xcb_atom_t type, quint8 format,
             const QByteArray& data) {
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, internAtom(c, name), type, format,
                        static_cast<quint32>(data.size() / (format / 8)), data.constData());
}

QByteArray cardinal(quint32 value) {
    return QByteArray(reinterpret_cast<const char*>(&value), sizeof value);
}

// A plain top-level window as another client would make it, with what the test wants it to say.
xcb_window_t makeWindow(xcb_connection_t* c, const QByteArray& wmClass, const QByteArray& pid) {
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const xcb_window_t w = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, w, screen->root, 10, 10, 200, 100, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
    if (!wmClass.isEmpty()) {
        setProp(c, w, "WM_CLASS", XCB_ATOM_STRING, 8, wmClass);
    }
    if (!pid.isEmpty()) {
        setProp(c, w, "_NET_WM_PID", XCB_ATOM_CARDINAL, pid.size() == 4 ? 32 : 16, pid);
    }
    const quint32 hints[9] = {1, 1, 0, 0, 0, 0, 0, 0, 0};  // InputHint: accepts focus
    setProp(c, w, "WM_HINTS", internAtom(c, "WM_HINTS"), 32,
            QByteArray(reinterpret_cast<const char*>(hints), sizeof hints));
    xcb_map_window(c, w);
    xcb_flush(c);
    return w;
}

xcb_window_t inputFocus(xcb_connection_t* c) {
    const std::unique_ptr<xcb_get_input_focus_reply_t, decltype(&std::free)> reply(
        xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr), &std::free);
    return reply ? reply->focus : 0;
}

// The window manager has taken the window on once it set its state.
bool isManaged(xcb_window_t w) {
    return runTool("xprop", {"-id", QString::number(w), "WM_STATE"}).contains("window state");
}

}  // namespace

class TestX11Workspace : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void frontmostFollowsActivationUnderWindowManager() {
        xcb_connection_t* c = xcb_connect(nullptr, nullptr);
        QVERIFY(!xcb_connection_has_error(c));
        const xcb_window_t alpha = makeWindow(c, QByteArray("alpha\0Alpha\0", 12), cardinal(4242));
        // No class, a pid of the wrong format and a UTF-8 title only.
        const xcb_window_t gamma = makeWindow(c, {}, QByteArray("\1\2", 2));
        setProp(c, gamma, "_NET_WM_NAME", internAtom(c, "UTF8_STRING"), 8,
                QString("Café ☕").toUtf8());
        xcb_flush(c);
        // A request for a window the manager has not taken on yet is dropped.
        for (xcb_window_t w : {alpha, gamma}) {
            QTRY_VERIFY_WITH_TIMEOUT(isManaged(w), 20'000);
        }

        X11Workspace workspace;
        // openbox focuses the newest window on its own; only then is the stage quiet.
        QTRY_COMPARE(workspace.frontmostApplication().value_or(RunningApp{}).window,
                     quint64(gamma));
        const struct {
            xcb_window_t window;
            qint64 pid;
            QString name;
            QString instance;
        } expected[] = {{alpha, 4242, "Alpha", "alpha"}, {gamma, 0, "Café ☕", ""}};
        for (const auto& e : expected) {
            workspace.activate(RunningApp{0, {}, e.window});
            QTRY_COMPARE(workspace.frontmostApplication().value_or(RunningApp{}).window,
                         quint64(e.window));
            QTRY_COMPARE(inputFocus(c), e.window);
            const RunningApp front = *workspace.frontmostApplication();
            // The WM_CLASS names, both empty for the window without one.
            QVERIFY(front.pid == e.pid && front.name == e.name &&
                    front.windowInstance == e.instance);
            QCOMPARE(front.windowClass, e.instance.isEmpty() ? QString() : e.name);
        }

        xcb_destroy_window(c, gamma);
        xcb_flush(c);
        workspace.activate(RunningApp{0, {}, gamma});  // gone: nothing to activate or break
        xcb_disconnect(c);
    }

    // A server of our own, without a window manager and without XTEST.
    void bareServerFallsBackToInputFocus() {
        QProcess xvfb;
        xvfb.start("Xvfb", {"-displayfd", "1", "-nolisten", "tcp", "-extension", "XTEST"});
        QVERIFY(xvfb.waitForStarted());
        QTRY_VERIFY(xvfb.canReadLine());
        const QByteArray display = ":" + xvfb.readLine().trimmed();

        xcb_connection_t* c = xcb_connect(display.constData(), nullptr);
        QVERIFY(!xcb_connection_has_error(c));
        X11Workspace workspace(display.constData());
        QVERIFY(!workspace.frontmostApplication().has_value());  // focus on the root

        // Some clients leave out the final NUL of WM_CLASS.
        const xcb_window_t two = makeWindow(c, QByteArray("two\0Two", 7), {});
        workspace.activate(RunningApp{0, {}, two});
        QTRY_COMPARE(inputFocus(c), two);
        const RunningApp front = workspace.frontmostApplication().value_or(RunningApp{});
        QVERIFY(front.window == two && front.name == "Two" && front.pid == 0);

        QVERIFY(!X11AccessibilityTrust(c).isTrusted());
        QVERIFY(!XTestKeyInjector(display.constData())
                     .postPasteKeystroke({ModifierFlag::Control, KeyCode::V}));
        xcb_disconnect(c);
        xvfb.terminate();
        QVERIFY(xvfb.waitForFinished());

        // Our own display has XTEST; a dead or missing connection never counts as trusted.
        auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
        QVERIFY(X11AccessibilityTrust(x11->connection()).isTrusted(true));
        QVERIFY(!X11AccessibilityTrust(nullptr).isTrusted());
        xcb_connection_t* broken = xcb_connect(":9999", nullptr);
        QVERIFY(!X11AccessibilityTrust(broken).isTrusted());
        xcb_disconnect(broken);
        QVERIFY(!X11Workspace(":9999").frontmostApplication().has_value());
    }
};

QTEST_MAIN(TestX11Workspace)
#include "tst_x11_workspace.moc"
