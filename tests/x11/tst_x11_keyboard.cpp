#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QThread>

#include <xcb/xcb.h>

#include <algorithm>
#include <optional>
#include <thread>
#include <vector>

#include "XclipOwner.h"
#include "platform/x11/X11KeyboardHooks.h"
#include "platform/x11/X11Pasteboard.h"
#include "platform/x11/XTestKeyInjector.h"

Q_DECLARE_METATYPE(Keystroke)

namespace {

constexpr quint32 kXKeyV = 55;
constexpr quint32 kXKeyF5 = 71;  // the sentinel: every key typed before it has been delivered
constexpr quint64 kChord = ModifierFlag::Command | ModifierFlag::Shift;

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
        const quint64 caps = ModifierFlag::CapsLock, alt = ModifierFlag::Option;
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
            return e.keyCode == 11;  // B is consumed
        });
        QVERIFY(handle);
        xdotool({"type", "abc"});
        QTRY_COMPARE(edit.text(), QString("ac"));
        QCOMPARE(seen, QList<quint16>({0, 11, 8}));  // once each, not once per widget passed
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
        X11Pasteboard pasteboard;
        XTestKeyInjector injector;
        const CpuLoad load;
        for (int i = 0; i < 20; ++i) {
            XclipOwner stale("UTF8_STRING", "stale");
            QTRY_COMPARE_WITH_TIMEOUT(pasteboard.string(), QStringLiteral("stale"), 5000);
            // As the history restores a record.
            const QByteArray record = i % 2 == 0 ? "alpha" : "bravo";
            pasteboard.prepareForNewContents();
            pasteboard.writeItems({{{"UTF8_STRING", record}, {"text/plain", record}}});
            std::optional<bool> confirmed;
            pasteboard.whenWriteConfirmed([&](bool taken) {
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
};

QTEST_MAIN(TestX11Keyboard)
#include "tst_x11_keyboard.moc"
