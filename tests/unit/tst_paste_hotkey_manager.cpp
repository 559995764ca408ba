#include <QtTest>

#include <memory>

#include "FakeAccessibilityTrust.h"
#include "FakeFileThumbnailer.h"
#include "FakeKeyInjector.h"
#include "FakeKeyboardHooks.h"
#include "FakeLoginItems.h"
#include "FakePasteboard.h"
#include "FakeWorkspace.h"
#include "ManualScheduler.h"
#include "MemoryKeyValueStore.h"
#include "app/AppLogger.h"
#include "history/ClipboardHistory.h"
#include "history/PasteboardTypeKey.h"
#include "hotkey/PasteHotkeyManager.h"
#include "settings/AppSettings.h"

namespace {

using Kind = FakeKeyboardHooks::Hook::Kind;

constexpr quint64 kCmdShift = ModifierFlag::Command | ModifierFlag::Shift;
const KeyEvent kChord{KeyCode::V, kCmdShift, false};
const RunningApp kEditor{100, QStringLiteral("Editor"), 7};

KeyEvent key(quint16 code, quint64 modifiers = 0) {
    return KeyEvent{code, modifiers, false};
}

// Installed before anything that logs, so every line of a test lands here.
struct LogCapture {
    QStringList lines;
    LogCapture() {
        AppLogger::setSinkForTesting([this](const QString& line) { lines << line; });
    }
    ~LogCapture() { AppLogger::setSinkForTesting({}); }
};

// The whole manager over real settings and a real history on fakes, in virtual time.
struct Rig {
    LogCapture capture;
    QStringList& lines = capture.lines;
    ManualScheduler scheduler;
    FakeKeyboardHooks hooks;
    FakeAccessibilityTrust trust;
    FakeWorkspace workspace{scheduler};
    FakeKeyInjector injector{scheduler};
    FakePasteboard pasteboard;
    FakeFileThumbnailer thumbnailer;
    MemoryKeyValueStore store;
    FakeLoginItems loginItems;
    AppSettings settings{store, loginItems, {}};
    ClipboardHistory history{pasteboard, scheduler, thumbnailer, QString(),
                             [] { return ClipboardHistory::Limits{}; }};
    std::unique_ptr<PasteHotkeyManager> manager = std::make_unique<PasteHotkeyManager>(
        hooks, trust, workspace, injector, scheduler, history, settings);

    explicit Rig(const QStringList& copies = {}) {
        history.startMonitoring();
        for (const QString& text : copies) {
            copy(text);
        }
        workspace.setFrontmost(kEditor);
        lines.clear();
    }

    void copy(const QString& text) {
        pasteboard.setContent({{{QString(PasteboardTypeKey::stringUtf8Mime), text.toUtf8()}}});
        scheduler.advance(ClipboardHistory::pollIntervalMs);
    }
    bool other(const KeyEvent& event) {
        const bool consumed = hooks.pressInOtherApp(event);
        scheduler.runUntilIdle();
        return consumed;
    }
    bool own(const KeyEvent& event) {
        const bool consumed = hooks.pressInOwnWindow(event);
        scheduler.runUntilIdle();
        return consumed;
    }
    QString text(qsizetype row) const { return history.items().at(row).previewText(); }
    QStringList linesStarting(const QString& prefix) const {
        QStringList found;
        for (const QString& line : lines) {
            if (line.startsWith(prefix)) {
                found << line;
            }
        }
        return found;
    }
};

// The detection mode as the hooks and the published fields together show it; any other
// combination comes back as its raw digits (interceptors, globals, locals, tap flag, global flag).
QString mode(const Rig& rig) {
    const PasteHotkeyManager& m = *rig.manager;
    const QString shape = QStringLiteral("%1%2%3%4%5")
                              .arg(rig.hooks.active(Kind::Interceptor))
                              .arg(rig.hooks.active(Kind::Global))
                              .arg(rig.hooks.active(Kind::Local))
                              .arg(int(m.isUsingAccessibilityForHotkey()))
                              .arg(int(m.isGlobalHotkeyAvailable()));
    static const QHash<QString, QString> names{{QStringLiteral("00000"), QStringLiteral("stopped")},
                                               {QStringLiteral("10111"), QStringLiteral("tap")},
                                               {QStringLiteral("01101"), QStringLiteral("global")},
                                               {QStringLiteral("00100"), QStringLiteral("local")}};
    return names.value(shape, shape);
}

}  // namespace

class TestPasteHotkeyManager : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void interceptorModeAndActivation();
    void fallbackModes();
    void chordRecognition();
    void popupSelectionAndKeys();
    void removalKeepsSelection();
    void historyEmptiedWhileShown();
    void pasteTiming();
    void pasteLogAndRequests();
};

void TestPasteHotkeyManager::interceptorModeAndActivation() {
    Rig rig({QStringLiteral("A")});
    PasteHotkeyManager& m = *rig.manager;
    m.startMonitoring();
    QCOMPARE(mode(rig), QStringLiteral("tap"));
    QVERIFY(m.isAccessibilityTrusted());
    QCOMPARE(rig.hooks.activeInterceptor()->keyCode, KeyCode::V);
    QCOMPARE(rig.hooks.activeInterceptor()->modifiers, kCmdShift);
    QCOMPARE(rig.hooks.installed(Kind::Global), 0);
    QVERIFY(rig.lines.contains(
        QStringLiteral("installMonitors: OK глобальный перехват установлен (CGEventTap)")));
    QCOMPARE(rig.lines.last(), QStringLiteral("installMonitors: хоткей «⌘⇧V»"));

    // Activation with trust still present: nothing reinstalled, nothing logged.
    rig.lines.clear();
    m.refreshOnActivation();
    QVERIFY(rig.lines.isEmpty());
    QCOMPARE(rig.hooks.installed(Kind::Interceptor), 1);

    // A second start hooks again, never with two interceptors up at once (on X11 the old
    // handle's release would drop the new grab of the same chord).
    m.startMonitoring();
    QCOMPARE(rig.hooks.installed(Kind::Interceptor), 2);
    QCOMPARE(rig.hooks.peakActiveInterceptors(), 1);
    QCOMPARE(mode(rig), QStringLiteral("tap"));
    rig.own(kChord);
    QVERIFY(m.isPopupVisible());
    rig.own(key(KeyCode::Escape));

    // The chord is read afresh on restart.
    rig.settings.setHotkeyKeyCode(8);
    m.restartMonitoring();
    QCOMPARE(rig.hooks.activeInterceptor()->keyCode, quint16(8));

    // Revoked trust keeps the interceptor until the next restart; stopping keeps the trust.
    rig.trust.setTrusted(false);
    m.refreshOnActivation();
    QVERIFY(!m.isAccessibilityTrusted());
    QCOMPARE(mode(rig), QStringLiteral("tap"));
    m.stopMonitoring();
    QCOMPARE(mode(rig), QStringLiteral("stopped"));
    QVERIFY(!m.isAccessibilityTrusted());
    rig.trust.setTrusted(true);
    m.restartMonitoring();
    m.stopMonitoring();
    QVERIFY(m.isAccessibilityTrusted());
}

void TestPasteHotkeyManager::fallbackModes() {
    Rig rig;
    PasteHotkeyManager& m = *rig.manager;
    rig.trust.setTrusted(false);
    m.startMonitoring();
    QCOMPARE(mode(rig), QStringLiteral("global"));
    QCOMPARE(rig.hooks.installed(Kind::Interceptor), 0);
    QVERIFY(rig.lines.contains(
        QStringLiteral("installMonitors: OK глобальный перехват установлен (addGlobalMonitor)")));

    // Trust granted in the background: the next activation moves to the interceptor.
    rig.trust.setTrusted(true);
    rig.lines.clear();
    m.refreshOnActivation();
    QCOMPARE(rig.lines.value(0), QStringLiteral("refreshOnActivation: reinstalling monitors "
                                                "(trusted=true, tap=false, global=true)"));
    QCOMPARE(mode(rig), QStringLiteral("tap"));
    QVERIFY(m.isAccessibilityTrusted());

    // Another client holds the chord: global monitor; no global observation either: local only.
    rig.hooks.setRefuseInterception(true);
    m.restartMonitoring();
    QCOMPARE(mode(rig), QStringLiteral("global"));
    rig.hooks.setRefuseGlobalObservation(true);
    m.restartMonitoring();
    QCOMPARE(mode(rig), QStringLiteral("local"));

    // With no system-wide detection every activation tries again, trusted or not.
    rig.trust.setTrusted(false);
    rig.lines.clear();
    m.refreshOnActivation();
    QCOMPARE(rig.lines.value(0), QStringLiteral("refreshOnActivation: reinstalling monitors "
                                                "(trusted=false, tap=false, global=false)"));
    QCOMPARE(rig.hooks.installed(Kind::Local), 5);
    QCOMPARE(mode(rig), QStringLiteral("local"));
}

void TestPasteHotkeyManager::chordRecognition() {
    Rig rig({QStringLiteral("A")});
    PasteHotkeyManager& m = *rig.manager;
    rig.trust.setTrusted(false);
    m.startMonitoring();
    rig.lines.clear();

    const quint64 cmdShiftOpt = kCmdShift | ModifierFlag::Option;
    QVERIFY(!rig.other(key(KeyCode::V, cmdShiftOpt | 0x8)));  // observed, never consumed
    QCOMPARE(rig.lines, QStringList({
                            QStringLiteral("KeyDown: keyCode=9 needKey=9 modifiersMatch=true "
                                           "keyMatch=true"),
                            QStringLiteral("KeyDown: hotkey matched (keyCode=9)"),
                            QStringLiteral("KeyDown: showing popup, previousFrontmost=Editor"),
                        }));
    QVERIFY(m.isPopupVisible());
    rig.own(key(KeyCode::Escape));

    rig.lines.clear();
    rig.other(key(KeyCode::V, ModifierFlag::Command));
    rig.other(key(KeyCode::V, ModifierFlag::Shift));
    rig.other(key(8, kCmdShift));
    rig.other(key(0, ModifierFlag::Command));
    rig.other(key(0));
    QCOMPARE(rig.lines,
             QStringList({
                 QStringLiteral("KeyDown: keyCode=9 needKey=9 modifiersMatch=false keyMatch=true"),
                 QStringLiteral("KeyDown: keyCode=9 needKey=9 modifiersMatch=false keyMatch=true"),
                 QStringLiteral("KeyDown: keyCode=8 needKey=9 modifiersMatch=true keyMatch=false"),
             }));
    QVERIFY(!m.isPopupVisible());

    // Caps Lock on and key repeat: every repeated key-down is a press (open, close, open).
    rig.lines.clear();
    for (int i = 0; i < 3; ++i) {
        rig.other(KeyEvent{KeyCode::V, kCmdShift | ModifierFlag::CapsLock, i > 0});
    }
    QCOMPARE(rig.linesStarting(QStringLiteral("KeyDown: hotkey matched")).size(), 3);
    QVERIFY(m.isPopupVisible());
    rig.own(key(KeyCode::Escape));

    // Hops: the monitor path acts one main-queue turn after the event, the interceptor two.
    bool shownAtProbe = false;
    rig.hooks.pressInOtherApp(kChord);
    rig.scheduler.post([&] { shownAtProbe = m.isPopupVisible(); });
    rig.scheduler.runUntilIdle();
    QVERIFY(shownAtProbe);
    rig.own(key(KeyCode::Escape));

    rig.trust.setTrusted(true);
    m.restartMonitoring();
    QVERIFY(rig.hooks.pressInOtherApp(key(KeyCode::V, cmdShiftOpt)));  // consumed
    rig.scheduler.post([&] { shownAtProbe = m.isPopupVisible(); });
    rig.scheduler.runUntilIdle();
    QVERIFY(!shownAtProbe);
    QVERIFY(m.isPopupVisible());

    // Work still queued when the manager goes away is dropped.
    rig.hooks.pressInOtherApp(kChord);
    rig.manager.reset();
    rig.scheduler.runUntilIdle();
}

void TestPasteHotkeyManager::popupSelectionAndKeys() {
    Rig rig({QStringLiteral("C"), QStringLiteral("B"), QStringLiteral("A")});
    PasteHotkeyManager& m = *rig.manager;
    m.startMonitoring();
    QSignalSpy visibility(&m, &PasteHotkeyManager::isPopupVisibleChanged);

    // Hidden: our other windows keep their keys.
    for (quint16 code : {KeyCode::Return, KeyCode::Escape, KeyCode::DownArrow, KeyCode::Delete}) {
        QVERIFY(!rig.own(key(code)));
    }
    QCOMPARE(rig.history.items().size(), 3);

    rig.other(kChord);
    QVERIFY(m.isPopupVisible());
    QCOMPARE(visibility.size(), 1);
    QCOMPARE(m.previousFrontmostApp()->pid, kEditor.pid);
    QCOMPARE(m.selectedIndex(), 0);
    QCOMPARE(rig.hooks.active(Kind::Local), 2);
    QList<qsizetype> seen;
    for (quint16 code :
         {KeyCode::DownArrow, KeyCode::DownArrow, KeyCode::DownArrow, KeyCode::UpArrow}) {
        QVERIFY(rig.own(key(code)));
        seen << m.selectedIndex();
    }
    QCOMPARE(seen, QList<qsizetype>({1, 2, 0, 2}));
    for (quint16 code : {quint16(0), KeyCode::Tab, KeyCode::Space}) {
        QVERIFY(!rig.own(key(code)));
    }
    // Clicking another application changes nothing.
    rig.workspace.setFrontmost(RunningApp{300, QStringLiteral("Other"), 9});
    QVERIFY(m.isPopupVisible());

    QVERIFY(rig.own(key(KeyCode::Escape)));
    QVERIFY(!m.isPopupVisible());
    QCOMPARE(rig.hooks.active(Kind::Local), 1);
    QCOMPARE(rig.workspace.yields().size(), 1);
    QCOMPARE(rig.workspace.activations().size(), 1);
    QCOMPARE(rig.workspace.activations().first().app.pid, kEditor.pid);
    QVERIFY(!m.previousFrontmostApp());
    QVERIFY(rig.lines.contains(
        QStringLiteral("closePopupWithoutPaste: yielding activation to Editor")));

    // Reopening selects the newest row again with a fresh key monitor; the chord closes it.
    rig.workspace.setFrontmost(kEditor);
    rig.other(kChord);
    QCOMPARE(m.selectedIndex(), 0);
    QCOMPARE(rig.hooks.installed(Kind::Local), 3);
    rig.other(kChord);
    QVERIFY(!m.isPopupVisible());
    QCOMPARE(rig.workspace.yields().size(), 2);
    QVERIFY(!m.previousFrontmostApp());

    // No frontmost application: "nil", and closing gives nothing back; a nameless one is "?".
    rig.lines.clear();
    rig.workspace.setFrontmost(std::nullopt);
    rig.other(kChord);
    rig.own(key(KeyCode::Escape));
    QCOMPARE(rig.workspace.activations().size(), 2);
    rig.workspace.setFrontmost(RunningApp{77, QString(), 0});
    rig.other(kChord);
    rig.own(key(KeyCode::Escape));
    QCOMPARE(rig.linesStarting(QStringLiteral("KeyDown: showing")),
             QStringList(2, QStringLiteral("KeyDown: showing popup, previousFrontmost=nil")));
    QVERIFY(rig.lines.contains(QStringLiteral("closePopupWithoutPaste: yielding activation to ?")));

    // A new copy while shown keeps the number, so the row above is now highlighted.
    rig.other(kChord);
    rig.own(key(KeyCode::DownArrow));
    rig.copy(QStringLiteral("N"));
    QCOMPARE(m.selectedIndex(), 1);
    QCOMPARE(rig.text(0), QStringLiteral("N"));
    QCOMPARE(rig.text(1), QStringLiteral("A"));
}

void TestPasteHotkeyManager::removalKeepsSelection() {
    struct Case {
        qsizetype selected;
        qsizetype removed;
        qsizetype expected;
        const char* expectedText;
    };
    // Items A, B, C, D (A newest).
    for (const Case& c :
         {Case{2, 0, 1, "C"}, Case{3, 3, 2, "C"}, Case{1, 1, 1, "C"}, Case{0, 2, 0, "A"}}) {
        Rig rig(
            {QStringLiteral("D"), QStringLiteral("C"), QStringLiteral("B"), QStringLiteral("A")});
        PasteHotkeyManager& m = *rig.manager;
        m.startMonitoring();
        rig.other(kChord);
        m.setSelectedIndex(c.selected);
        if (c.removed == c.selected) {
            QVERIFY(rig.own(key(c.removed == 1 ? KeyCode::ForwardDelete : KeyCode::Delete)));
        } else {
            m.removeItemFromHistory(c.removed);
        }
        QCOMPARE(rig.history.items().size(), 3);
        QCOMPARE(m.selectedIndex(), c.expected);
        QCOMPARE(rig.text(m.selectedIndex()), QString::fromLatin1(c.expectedText));
        QVERIFY(m.isPopupVisible());
    }

    Rig rig({QStringLiteral("only")});
    PasteHotkeyManager& m = *rig.manager;
    m.startMonitoring();
    rig.other(kChord);
    m.removeItemFromHistory(1);
    m.removeItemFromHistory(-1);
    QCOMPARE(rig.history.items().size(), 1);
    QVERIFY(rig.own(key(KeyCode::Delete)));
    QVERIFY(rig.history.items().isEmpty());
    QVERIFY(!m.isPopupVisible());
    QVERIFY(!m.previousFrontmostApp());
    QCOMPARE(rig.hooks.active(Kind::Local), 1);
    QVERIFY(rig.workspace.activations().isEmpty() && rig.workspace.yields().isEmpty());
}

void TestPasteHotkeyManager::historyEmptiedWhileShown() {
    Rig rig({QStringLiteral("A")});
    PasteHotkeyManager& m = *rig.manager;
    m.startMonitoring();
    rig.other(kChord);
    rig.history.clearAll();
    rig.lines.clear();

    rig.other(kChord);  // nothing to show, and it does not close either
    QVERIFY(m.isPopupVisible());
    QVERIFY(rig.own(key(KeyCode::Return)));
    QVERIFY(rig.own(key(KeyCode::KeypadEnter)));
    QCOMPARE(rig.linesStarting(QStringLiteral("pasteItemAndClose:")),
             QStringList(2, QStringLiteral("pasteItemAndClose: invalid index=0 count=0")));
    QVERIFY(rig.own(key(KeyCode::DownArrow)));
    QVERIFY(rig.own(key(KeyCode::Delete)));
    QCOMPARE(m.selectedIndex(), 0);
    QVERIFY(m.isPopupVisible());
    QVERIFY(rig.pasteboard.writes().isEmpty());
    QVERIFY(rig.own(key(KeyCode::Escape)));
    QVERIFY(!m.isPopupVisible());
}

void TestPasteHotkeyManager::pasteTiming() {
    const RunningApp self{4242, QStringLiteral("Quillstack"), 1};
    struct Case {
        std::optional<RunningApp> openedOver;
        qint64 activationDelayMs;  // < 0: never
        qint64 expectedKeystrokeMs;
        int expectedActivations;
    };
    for (const Case& c :
         {Case{kEditor, 0, 0, 1}, Case{kEditor, 60, 60, 1}, Case{kEditor, -1, 1000, 1},
          Case{self, 0, 100, 0}, Case{std::nullopt, 0, 100, 0}}) {
        Rig rig({QStringLiteral("B"), QStringLiteral("A")});
        PasteHotkeyManager& m = *rig.manager;
        m.startMonitoring();
        rig.workspace.setFrontmost(c.openedOver);
        rig.other(kChord);
        rig.own(key(KeyCode::DownArrow));
        rig.workspace.setFrontmost(self);  // the popup is in front now
        rig.workspace.setActivationDelayMs(c.activationDelayMs);
        const qint64 t0 = rig.scheduler.monotonicMs();

        QVERIFY(rig.hooks.pressInOwnWindow(key(KeyCode::Return)));
        // A target already in front gets its keystroke inside the call.
        QCOMPARE(rig.injector.keystrokeTimesMs().size(), c.expectedKeystrokeMs == 0 ? 1 : 0);
        QVERIFY(!m.isPopupVisible() && !m.previousFrontmostApp());
        QCOMPARE(rig.hooks.active(Kind::Local), 1);
        QCOMPARE(rig.pasteboard.writes().size(), 1);
        QCOMPARE(rig.pasteboard.items().first().value(QString(PasteboardTypeKey::stringUtf8Mime)),
                 QByteArray("B"));
        QCOMPARE(rig.workspace.activations().size(), c.expectedActivations);
        QCOMPARE(rig.workspace.yields().size(), c.expectedActivations);
        if (c.expectedKeystrokeMs > 0) {
            rig.scheduler.advance(c.expectedKeystrokeMs - 1);
            QVERIFY(rig.injector.keystrokeTimesMs().isEmpty());
        }
        rig.scheduler.advance(5000 - (rig.scheduler.monotonicMs() - t0));
        QCOMPARE(rig.injector.keystrokeTimesMs(), QList<qint64>({t0 + c.expectedKeystrokeMs}));

        if (c.expectedActivations == 1) {
            QCOMPARE(rig.linesStarting(QStringLiteral("waitForAppActivation:")),
                     QStringList(c.activationDelayMs < 0
                                     ? QStringLiteral(
                                           "waitForAppActivation: TIMEOUT (1000ms), posting anyway")
                                     : QStringLiteral("waitForAppActivation: Editor is frontmost "
                                                      "after %1ms")
                                           .arg(c.expectedKeystrokeMs)));
            QVERIFY(
                rig.lines.contains(QStringLiteral("pasteItemAndClose: activating Editor pid=100")));
            QVERIFY(rig.lines.contains(
                QStringLiteral("pasteItemAndClose: posting Cmd+V to Editor pid=100")));
        }
    }

    // Two pastes in quick succession run two waits; a manager gone ends its pending paste.
    Rig rig({QStringLiteral("B"), QStringLiteral("A")});
    PasteHotkeyManager& m = *rig.manager;
    m.startMonitoring();
    rig.workspace.setActivationDelayMs(-1);
    const qint64 t0 = rig.scheduler.monotonicMs();
    const RunningApp popup{4242, QStringLiteral("Quillstack"), 1};
    rig.other(kChord);
    rig.workspace.setFrontmost(popup);
    rig.own(key(KeyCode::Return));
    rig.scheduler.advance(10);
    rig.workspace.setFrontmost(kEditor);
    rig.other(kChord);
    rig.workspace.setFrontmost(popup);
    rig.own(key(KeyCode::Return));
    rig.scheduler.advance(2000);
    QCOMPARE(rig.injector.keystrokeTimesMs(), QList<qint64>({t0 + 1000, t0 + 1010}));

    rig.workspace.setFrontmost(std::nullopt);
    rig.other(kChord);
    rig.own(key(KeyCode::Return));
    rig.manager.reset();
    rig.scheduler.advance(2000);
    QCOMPARE(rig.injector.keystrokeTimesMs().size(), 2);
}

void TestPasteHotkeyManager::pasteLogAndRequests() {
    // 41 user-perceived characters, one of them a two-unit emoji and one a combined letter.
    const QString longText = QStringLiteral("😀e\u0301") + QString(39, u'x');
    Rig rig({QStringLiteral("short"), longText, QStringLiteral("C")});
    PasteHotkeyManager& m = *rig.manager;
    m.startMonitoring();
    rig.other(kChord);
    m.pasteItemAndClose(5);
    QCOMPARE(rig.lines.last(), QStringLiteral("pasteItemAndClose: invalid index=5 count=3"));
    QVERIFY(m.isPopupVisible());
    QVERIFY(rig.pasteboard.writes().isEmpty());

    m.pasteItemAndClose(1);
    rig.other(kChord);
    m.pasteItemAndClose(2);
    QCOMPARE(rig.linesStarting(QStringLiteral("pasteItemAndClose: setting")),
             QStringList({QStringLiteral("pasteItemAndClose: setting pasteboard to item[1] \"") +
                              longText.left(42) + QStringLiteral("…\""),
                          QStringLiteral("pasteItemAndClose: setting pasteboard to item[2] "
                                         "\"short…\"")}));

    // A keystroke that cannot be made is reported, not retried.
    rig.injector.setFailing(true);
    rig.other(kChord);
    m.pasteItemAndClose(0);
    rig.scheduler.advance(2000);
    QCOMPARE(rig.injector.attempts(), 3);
    QVERIFY(rig.linesStarting(QStringLiteral("postCmdV:")).size() == 1);

    rig.trust.setTrusted(false);
    m.requestAccessibilityAndOpenSettings();
    rig.trust.setTrusted(true);
    m.requestAccessibilityPromptFromOS();
    QCOMPARE(rig.trust.promptQueries().mid(rig.trust.promptQueries().size() - 3),
             QList<bool>({false, true, false}));
    QCOMPARE(rig.workspace.accessibilitySettingsOpened(), 1);
}

QTEST_GUILESS_MAIN(TestPasteHotkeyManager)
#include "tst_paste_hotkey_manager.moc"
