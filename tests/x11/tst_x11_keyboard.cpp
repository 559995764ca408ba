// SPDX-License-Identifier: MIT
// The X11 backends for the keyboard and the windows, on a real X server with a window manager:
// the chord's grab, key observers, the paste keystroke, the window in front and its activation.
// The window tests run last, as they take the focus from the key log.
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QThread>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include "ClipboardClients.h"
#include "XcbAtom.h"
#include "XclipOwner.h"
#include "history/RecordingGate.h"
#include "platform/x11/X11Clipboard.h"
#include "platform/x11/X11InputInjectionAccess.h"
#include "platform/x11/X11KeyboardHooks.h"
#include "platform/x11/X11WindowTracker.h"
#include "platform/x11/XTestKeyInjector.h"

namespace {

constexpr quint32 kXKeyV = 55;
constexpr quint32 kXKeyF5 = 71;  // the sentinel: every key typed before it has been delivered
constexpr quint64 kChord = ModifierFlag::Super | ModifierFlag::Shift;

struct Press {
    quint32 scanCode, state;
};

// A focusable window that records the key presses X delivers to it.
class KeyLog : public QWidget {
  public:
    KeyLog() { setFocusPolicy(Qt::StrongFocus); }
    QList<Press> presses;
    int count(quint32 scanCode) const {
        return int(std::ranges::count(presses, scanCode, &Press::scanCode));
    }

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        presses.append({event->nativeScanCode(), event->nativeModifiers()});
    }
};

void xdotool(const QStringList& args) {
    QCOMPARE(QProcess::execute("xdotool", args), 0);
}

void focus(QWidget* w) {
    w->show();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    w->setFocus();
}

// Every core busy while it lives. The clipboard thread yields to other work, so under load a
// keystroke that does not wait for the claim overtakes it.
struct CpuLoad {
    std::vector<std::jthread> threads;
    CpuLoad() {
        for (int i = 0; i < QThread::idealThreadCount(); ++i) {
            threads.emplace_back([](const std::stop_token& stop) {
                while (!stop.stop_requested()) {
                }
            });
        }
    }
};

void setProp(xcb_connection_t* c, xcb_window_t w, const char* name, xcb_atom_t type, quint8 format,
             const QByteArray& data) {
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, internAtom(c, name), type, format,
                        static_cast<quint32>(data.size() / (format / 8)), data.constData());
}

QByteArray cardinal(quint32 value) {
    return QByteArray(reinterpret_cast<const char*>(&value), sizeof value);
}

// A plain top-level window as another client would make it, mapped; what it says is the test's.
xcb_window_t makeWindow(xcb_connection_t* c) {
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const xcb_window_t w = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, w, screen->root, 10, 10, 200, 100, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
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

// A server of our own, without a window manager and without XTEST, while it lives.
struct BareServer {
    QProcess xvfb;
    QByteArray display;
    bool start() {
        xvfb.start("Xvfb", {"-displayfd", "1", "-nolisten", "tcp", "-extension", "XTEST"});
        if (!xvfb.waitForStarted() || !QTest::qWaitFor([this] { return xvfb.canReadLine(); })) {
            return false;
        }
        display = ":" + xvfb.readLine().trimmed();
        return true;
    }
    ~BareServer() {
        xvfb.terminate();
        xvfb.waitForFinished();
    }
};

// WM_CLASS as a window sets it: its type, its bytes.
struct WindowClass {
    QByteArray type, bytes;
    QStringList ignored;
    QString instance, className;
    bool recorded;
};

}  // namespace

class TestX11Keyboard : public QObject {
    Q_OBJECT
    // Everything typed before returns has reached the log window.
    void sync() {
        const int before = m_log.count(kXKeyF5);
        xdotool({"key", "F5"});
        QTRY_COMPARE(m_log.count(kXKeyF5), before + 1);
    }

    std::unique_ptr<X11KeyboardHooks> m_hooks;
    KeyLog m_log;

  private Q_SLOTS:
    void initTestCase() {
        m_hooks = X11KeyboardHooks::forApplication();
        QVERIFY(m_hooks);
        focus(&m_log);
    }

    // Caps Lock and Num Lock on, or an extra Alt, the chord is still grabbed; the focused
    // window sees none of them, only the presses that miss a modifier. Released, it is free.
    void chordIsConsumedWithAnyExtraModifiers() {
        QList<quint64> seen;
        auto handle = m_hooks->interceptChord(KeyCode::V, kChord, [&](const KeyEvent& e) {
            QVERIFY(e.keyCode == KeyCode::V && (!seen.isEmpty() || !e.isRepeat));
            seen.append(e.modifiers);
        });
        QVERIFY(handle);
        m_log.presses.clear();
        for (const char* key :
             {"super+shift+v", "Caps_Lock", "super+shift+v", "Caps_Lock", "Num_Lock",
              "super+shift+v", "Num_Lock", "super+shift+alt+v", "super+v", "shift+v"}) {
            xdotool({"key", key});
        }
        const quint64 caps = ModifierFlag::CapsLock, alt = ModifierFlag::Alt;
        QTRY_COMPARE(seen, QList<quint64>({kChord, kChord | caps, kChord, kChord | alt}));
        sync();
        QCOMPARE(m_log.count(kXKeyV), 2);

        handle.reset();
        xdotool({"key", "super+shift+v"});
        sync();
        QCOMPARE(m_log.count(kXKeyV), 3);
    }

    void chordHeldElsewhereFallsBackToObserving() {
        xcb_connection_t* other = xcb_connect(nullptr, nullptr);
        QVERIFY(!xcb_connection_has_error(other));
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(other)).data->root;
        // Only the Alt variant: our attempt fails part-way and must give back what it got.
        const quint16 mods = XCB_MOD_MASK_4 | XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_1;
        auto cookie = xcb_grab_key_checked(other, 1, root, mods, kXKeyV, XCB_GRAB_MODE_ASYNC,
                                           XCB_GRAB_MODE_ASYNC);
        QVERIFY(xcb_request_check(other, cookie) == nullptr);

        ChordRefusal refusal = ChordRefusal::None;
        QVERIFY(!m_hooks->interceptChord(
            KeyCode::V, kChord, [](const KeyEvent&) { QFAIL("not grabbed"); }, &refusal));
        QVERIFY(refusal == ChordRefusal::HeldElsewhere);
        QList<KeyEvent> seen;
        auto observer = m_hooks->observeGlobalKeyDowns([&](const KeyEvent& e) { seen.append(e); });
        QVERIFY(observer);
        m_log.presses.clear();
        xdotool({"key", "super+shift+v"});
        sync();
        QTRY_COMPARE(seen.size(), 2);  // V and the F5 of the sync
        QVERIFY(seen[0].keyCode == KeyCode::V && seen[0].modifiers == kChord);
        QCOMPARE(m_log.count(kXKeyV), 1);  // observed, not consumed
        xcb_disconnect(other);

        // Typed through XTEST, like everything xdotool sends: an ignoring observer sees none.
        auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
        X11KeyboardHooks ignoring(x11->connection(), root,
                                  X11KeyboardHooks::SyntheticInput::Ignore);
        int ignoredSeen = 0;
        auto quiet = ignoring.observeGlobalKeyDowns([&](const KeyEvent&) { ++ignoredSeen; });
        QVERIFY(quiet);
        xdotool({"key", "a"});
        sync();
        QTRY_COMPARE(seen.size(), 4);
        QCOMPARE(ignoredSeen, 0);
    }

    void localObserverSeesAndConsumes() {
        QLineEdit edit;
        focus(&edit);
        QList<quint16> seen;
        auto handle = m_hooks->observeLocalKeyDowns([&](const KeyEvent& e) {
            seen.append(e.keyCode);
            return e.keyCode == KeyCode::fromEvdev(KEY_B);  // consumed
        });
        QVERIFY(handle);
        xdotool({"type", "abc"});
        QTRY_COMPARE(edit.text(), QString("ac"));
        // A, B, C, once each, not once per widget passed.
        QCOMPARE(seen, QList<quint16>({38, 56, 54}));
        focus(&m_log);
    }

    // Whatever the keystroke, the target sees exactly its modifiers, though the user still
    // holds the chord's Super and Shift, and nothing stays held afterwards. (Control+Shift+V
    // reaches a real terminal in tst_app_lifecycle.)
    void injectorTypesExactlyTheKeystroke_data() {
        QTest::addColumn<Keystroke>("keystroke");
        QTest::addColumn<uint>("xKeycode");
        QTest::addColumn<uint>("xState");
        QTest::newRow("Control+V") << Keystroke{ModifierFlag::Control, KeyCode::V} << uint(kXKeyV)
                                   << uint(XCB_MOD_MASK_CONTROL);
        QTest::newRow("Shift+Insert")
            << Keystroke{ModifierFlag::Shift, KeyCode::Insert} << 118u << uint(XCB_MOD_MASK_SHIFT);
    }
    void injectorTypesExactlyTheKeystroke() {
        QFETCH(Keystroke, keystroke);
        QFETCH(uint, xKeycode);
        m_log.presses.clear();
        xdotool({"keydown", "super+shift"});
        QVERIFY(XTestKeyInjector().postPasteKeystroke(keystroke));
        sync();
        xdotool({"keyup", "super+shift"});
        QCOMPARE(m_log.count(xKeycode), 1);
        const auto typed = std::ranges::find(m_log.presses, xKeycode, &Press::scanCode);
        const uint mask = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_4;
        QTEST(typed->state & mask, "xState");
        // F5 of the sync arrives without modifiers: nothing was left held down.
        QCOMPARE(m_log.presses.last().state & mask, 0u);
    }

    // A restore pasted by the keystroke into a text field already in front, right after
    // another client copied something else: the keystroke waits for the claim to be confirmed.
    void keystrokeAfterConfirmationPastesTheRestore() {
        QLineEdit field;
        focus(&field);
        X11Clipboard clipboard;
        XTestKeyInjector injector;
        const CpuLoad load;
        for (int i = 0; i < 20; ++i) {
            XclipOwner stale("UTF8_STRING", "stale");
            QTRY_COMPARE_WITH_TIMEOUT(clipboard.string(), QStringLiteral("stale"), 5000);
            // As the history restores a record.
            const QByteArray record = i % 2 == 0 ? "alpha" : "bravo";
            clipboard.write({{"UTF8_STRING", record}, {"text/plain", record}});
            std::optional<bool> confirmed;
            clipboard.whenWriteConfirmed([&](bool taken) {
                confirmed = taken;
                injector.postPasteKeystroke({ModifierFlag::Control, KeyCode::V});
            });
            QVERIFY(!confirmed);  // never before the server answered
            QTRY_VERIFY_WITH_TIMEOUT(!field.text().isEmpty(), 5000);
            QCOMPARE(confirmed, std::optional<bool>(true));
            QCOMPARE(field.text().toUtf8(), record);
            field.clear();
        }
        focus(&m_log);
    }

    void frontmostFollowsActivationUnderWindowManager() {
        xcb_connection_t* c = xcb_connect(nullptr, nullptr);
        QVERIFY(!xcb_connection_has_error(c));
        const xcb_window_t alpha = makeWindow(c);
        setProp(c, alpha, "WM_CLASS", XCB_ATOM_STRING, 8, QByteArray("alpha\0Alpha\0", 12));
        setProp(c, alpha, "_NET_WM_PID", XCB_ATOM_CARDINAL, 32, cardinal(4242));
        // No class, a pid of the wrong format and a UTF-8 title only.
        const xcb_window_t gamma = makeWindow(c);
        setProp(c, gamma, "_NET_WM_PID", XCB_ATOM_CARDINAL, 16, QByteArray("\1\2", 2));
        setProp(c, gamma, "_NET_WM_NAME", internAtom(c, "UTF8_STRING"), 8,
                QString("Café ☕").toUtf8());
        xcb_flush(c);
        // A request for a window the manager has not taken on yet is dropped.
        for (xcb_window_t w : {alpha, gamma}) {
            QTRY_VERIFY_WITH_TIMEOUT(isManaged(w), 20'000);
        }

        X11WindowTracker windowTracker;
        // openbox focuses the newest window on its own; only then is the stage quiet.
        QTRY_COMPARE(windowTracker.frontmostApplication().value_or(RunningApp{}).window,
                     quint64(gamma));
        for (const auto& [window, pid, name, instance] :
             {std::tuple(alpha, 4242, QString("Alpha"), QString("alpha")),
              {gamma, 0, "Café ☕", ""}}) {
            windowTracker.activate(RunningApp{0, {}, window});
            QTRY_COMPARE(windowTracker.frontmostApplication().value_or(RunningApp{}).window,
                         quint64(window));
            QTRY_COMPARE(inputFocus(c), window);
            const RunningApp front = *windowTracker.frontmostApplication();
            // The WM_CLASS names, both empty for the window without one.
            QVERIFY(front.pid == pid && front.name == name && front.windowInstance == instance);
            QCOMPARE(front.windowClass, instance.isEmpty() ? QString() : name);
        }

        xcb_destroy_window(c, gamma);
        xcb_flush(c);
        windowTracker.activate(RunningApp{0, {}, gamma});  // gone: nothing to activate or break
        xcb_disconnect(c);
    }

    // The WM_CLASS names of the window in front as the window set them, in either type and
    // of any length, and whether the gate records its copies.
    void ignoredByWindowClass_data() {
        using namespace Qt::StringLiterals;
        QTest::addColumn<WindowClass>("w");
        const QByteArray longClass = "Long" + QByteArray(3000, 'o') + "Class";
        const auto row = [](const char* name, const char* type, const QByteArray& bytes,
                            const QString& ignored, const QString& instance,
                            const QString& className, bool recorded = false) {
            QTest::newRow(name) << WindowClass{type,     bytes,     {ignored},
                                               instance, className, recorded};
        };
        row("STRING class", "STRING", "keepassxc\0KeePassXC\0"_ba, "keepassxc", "keepassxc",
            "KeePassXC");
        row("UTF8_STRING class, other case", "UTF8_STRING", "scribe\0Écrivain\0"_ba, "ÉCRIVAIN",
            "scribe", "Écrivain");
        row("Latin-1 STRING", "STRING", "caf\xe9\0Caf\xe9\0"_ba, "CAFÉ", "café", "Café");
        row("UTF-8 under STRING", "STRING", "scribe\0Écrivain"_ba, "écrivain", "scribe",
            "Écrivain");
        row("class past 1,024 bytes", "UTF8_STRING", "long\0"_ba + longClass + '\0',
            QString(longClass), "long", QString(longClass));
        // Either name alone counts; a part of one never does (tst_settings_files).
        row("by the instance", "STRING", "term\0Terminal\0"_ba, "Term", "term", "Terminal");
        row("another type", "COMPOUND_TEXT", "keepassxc\0KeePassXC\0"_ba, "KeePassXC", "", "",
            true);
    }
    void ignoredByWindowClass() {
        QFETCH(WindowClass, w);
        BareServer server;
        QVERIFY(server.start());
        const std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> connection(
            xcb_connect(server.display.constData(), nullptr), &xcb_disconnect);
        xcb_connection_t* c = connection.get();
        QVERIFY(!xcb_connection_has_error(c));
        const xcb_window_t window = makeWindow(c);
        setProp(c, window, "WM_CLASS", internAtom(c, w.type), 8, w.bytes);
        xcb_flush(c);
        // Without a window manager the window with the input focus is in front: none at first.
        X11WindowTracker windowTracker(server.display.constData());
        QVERIFY(!windowTracker.frontmostApplication().has_value());
        // Without XTEST nothing is trusted to type the paste.
        QVERIFY(!X11InputInjectionAccess(c).isTrusted());
        QVERIFY(!XTestKeyInjector(server.display.constData())
                     .postPasteKeystroke({ModifierFlag::Control, KeyCode::V}));
        windowTracker.activate(RunningApp{0, {}, window});
        QTRY_COMPARE(windowTracker.frontmostApplication().value_or(RunningApp{}).window,
                     quint64(window));
        const RunningApp front = *windowTracker.frontmostApplication();
        QCOMPARE(std::pair(front.windowInstance, front.windowClass),
                 std::pair(w.instance, w.className));
        QVERIFY(front.name == (w.className.isEmpty() ? w.instance : w.className) && !front.pid);
        QCOMPARE(RecordingGate(windowTracker, w.ignored).admitsCopy(), w.recorded);
    }

    void trustNeedsXTest() {
        // Our own display has XTEST; a dead or missing connection never counts as trusted.
        auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
        QVERIFY(X11InputInjectionAccess(x11->connection()).isTrusted());
        QVERIFY(!X11InputInjectionAccess(nullptr).isTrusted());
        xcb_connection_t* broken = xcb_connect(":9999", nullptr);
        QVERIFY(!X11InputInjectionAccess(broken).isTrusted());
        xcb_disconnect(broken);
        QVERIFY(!X11WindowTracker(":9999").frontmostApplication().has_value());
    }
};

QTEST_MAIN(TestX11Keyboard)
#include "tst_x11_keyboard.moc"
