#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProcess>
#include <QTest>
#include <QWidget>

#include <xcb/xcb.h>

#include <algorithm>

#include "platform/x11/X11KeyboardHooks.h"
#include "platform/x11/XTestKeyInjector.h"

Q_DECLARE_METATYPE(Keystroke)

namespace {

constexpr quint32 kXKeyV = 55;
constexpr quint32 kXKeyF5 = 71;  // the sentinel: every key typed before it has been delivered

struct Press {
    quint32 scanCode;
    quint32 state;
};

// A focusable window that records the key presses X delivers to it.
class KeyLog : public QWidget {
  public:
    KeyLog() { setFocusPolicy(Qt::StrongFocus); }
    QList<Press> presses;
    int count(quint32 scanCode) const {
        return int(std::count_if(presses.cbegin(), presses.cend(),
                                 [scanCode](const Press& p) { return p.scanCode == scanCode; }));
    }

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        presses.append({event->nativeScanCode(), event->nativeModifiers()});
    }
};

void xdotool(const QStringList& args) {
    QCOMPARE(QProcess::execute("xdotool", args), 0);
}

}  // namespace

class TestX11Keyboard : public QObject {
    Q_OBJECT
  private:
    void focus(QWidget* w) {
        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        w->setFocus();
    }
    // Everything typed before returns has reached its receivers.
    void sync(KeyLog& log) {
        const int before = log.count(kXKeyF5);
        xdotool({"key", "F5"});
        QTRY_COMPARE(log.count(kXKeyF5), before + 1);
    }

    std::unique_ptr<X11KeyboardHooks> m_hooks;
    KeyLog m_log;

  private Q_SLOTS:
    void initTestCase() {
        m_hooks = X11KeyboardHooks::forApplication();
        QVERIFY(m_hooks);
        focus(&m_log);
    }

    void chordIsConsumedWithAnyExtraModifiers() {
        QList<KeyEvent> seen;
        auto handle =
            m_hooks->interceptChord(KeyCode::V, ModifierFlag::Command | ModifierFlag::Shift,
                                    [&](const KeyEvent& e) { seen.append(e); });
        QVERIFY(handle);
        m_log.presses.clear();

        xdotool({"key", "super+shift+v"});
        for (const char* lock : {"Caps_Lock", "Num_Lock"}) {
            xdotool({"key", lock});
            xdotool({"key", "super+shift+v"});
            xdotool({"key", lock});
        }
        xdotool({"key", "super+shift+alt+v"});
        QTRY_COMPARE(seen.size(), 4);
        const quint64 chord = ModifierFlag::Command | ModifierFlag::Shift;
        QVERIFY(seen[0].keyCode == KeyCode::V && seen[0].modifiers == chord && !seen[0].isRepeat);
        QVERIFY(seen[1].modifiers & ModifierFlag::CapsLock);
        QCOMPARE(seen[2].modifiers, chord);
        QCOMPARE(seen[3].modifiers, chord | ModifierFlag::Option);

        sync(m_log);
        QCOMPARE(m_log.count(kXKeyV), 0);  // the focused window saw none of them

        xdotool({"key", "super+v"});
        xdotool({"key", "shift+v"});
        sync(m_log);
        QCOMPARE(seen.size(), 4);
        QCOMPARE(m_log.count(kXKeyV), 2);

        handle.reset();  // ungrabs
        xdotool({"key", "super+shift+v"});
        sync(m_log);
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

        auto chord =
            m_hooks->interceptChord(KeyCode::V, ModifierFlag::Command | ModifierFlag::Shift,
                                    [](const KeyEvent&) { QFAIL("not grabbed"); });
        QVERIFY(!chord);
        QList<KeyEvent> seen;
        auto observer = m_hooks->observeGlobalKeyDowns([&](const KeyEvent& e) { seen.append(e); });
        QVERIFY(observer);
        m_log.presses.clear();

        xdotool({"key", "super+shift+v"});
        QTRY_COMPARE(seen.size(), 1);
        QVERIFY(seen[0].keyCode == KeyCode::V &&
                seen[0].modifiers == (ModifierFlag::Command | ModifierFlag::Shift));
        sync(m_log);
        QCOMPARE(m_log.count(kXKeyV), 1);  // observed, not consumed

        xcb_disconnect(other);

        // Typed through XTEST, like everything xdotool sends: an ignoring observer sees none.
        auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
        X11KeyboardHooks ignoring(x11->connection(), root,
                                  X11KeyboardHooks::SyntheticInput::Ignore);
        int ignoredSeen = 0;
        auto quiet = ignoring.observeGlobalKeyDowns([&](const KeyEvent&) { ++ignoredSeen; });
        QVERIFY(quiet);
        const int before = seen.size();
        xdotool({"key", "a"});
        sync(m_log);
        QTRY_COMPARE(seen.size(), before + 2);
        QCOMPARE(ignoredSeen, 0);
    }

    void localObserverSeesAndConsumes() {
        QLineEdit edit;
        focus(&edit);
        QList<KeyEvent> seen;
        auto handle = m_hooks->observeLocalKeyDowns([&](const KeyEvent& e) {
            seen.append(e);
            return e.keyCode == 11;  // B is consumed
        });
        QVERIFY(handle);
        xdotool({"type", "abc"});
        QTRY_COMPARE(edit.text(), QString("ac"));
        QCOMPARE(seen.size(), 3);  // once each, not once per widget the key passes
        QCOMPARE(seen[2].keyCode, quint16(8));
        focus(&m_log);
    }

    // Whatever the keystroke, the target sees exactly its modifiers, though the user still
    // holds the chord's Super and Shift, and nothing stays held afterwards.
    void injectorTypesExactlyTheKeystroke_data() {
        QTest::addColumn<Keystroke>("keystroke");
        QTest::addColumn<int>("xKeycode");
        QTest::addColumn<uint>("xState");
        QTest::newRow("Control+V") << Keystroke{ModifierFlag::Control, KeyCode::V} << int(kXKeyV)
                                   << uint(XCB_MOD_MASK_CONTROL);
        QTest::newRow("Control+Shift+V")
            << Keystroke{ModifierFlag::Control | ModifierFlag::Shift, KeyCode::V} << int(kXKeyV)
            << uint(XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_SHIFT);
        QTest::newRow("Shift+Insert")
            << Keystroke{ModifierFlag::Shift, KeyCode::Insert} << 118 << uint(XCB_MOD_MASK_SHIFT);
    }
    void injectorTypesExactlyTheKeystroke() {
        QFETCH(Keystroke, keystroke);
        QFETCH(int, xKeycode);
        QFETCH(uint, xState);
        XTestKeyInjector injector;
        for (bool holdChord : {false, true}) {
            m_log.presses.clear();
            if (holdChord) {
                xdotool({"keydown", "super+shift"});
            }
            QVERIFY(injector.postPasteKeystroke(keystroke));
            sync(m_log);
            if (holdChord) {
                xdotool({"keyup", "super+shift"});
            }
            QCOMPARE(m_log.count(quint32(xKeycode)), 1);
            const auto typed =
                std::find_if(m_log.presses.cbegin(), m_log.presses.cend(),
                             [&](const Press& p) { return p.scanCode == quint32(xKeycode); });
            QCOMPARE(typed->state & (XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_4),
                     xState);
            // F5 of the sync arrives without modifiers: nothing was left held down.
            QCOMPARE(m_log.presses.last().state & (XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_SHIFT), 0u);
        }
    }
};

QTEST_MAIN(TestX11Keyboard)
#include "tst_x11_keyboard.moc"
