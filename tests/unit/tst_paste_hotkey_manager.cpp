#include <QtTest>

#include "HotkeyStack.h"

namespace {

using Kind = FakeKeyboardHooks::Hook::Kind;
using Rig = HotkeyStack;

constexpr quint64 kCmdShift = ModifierFlag::Command | ModifierFlag::Shift;

KeyEvent key(quint16 code, quint64 modifiers = 0) {
    return KeyEvent{code, modifiers, false};
}

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
    void detectionModes() {
        Rig rig({QStringLiteral("A")});
        PasteHotkeyManager& m = *rig.manager;
        m.startMonitoring();
        QCOMPARE(mode(rig), QStringLiteral("tap"));
        QCOMPARE(rig.hooks.activeInterceptor()->keyCode, KeyCode::V);
        QCOMPARE(rig.hooks.activeInterceptor()->modifiers, kCmdShift);

        // Activation with trust still present: nothing reinstalled.
        m.refreshOnActivation();
        QCOMPARE(rig.hooks.installed(Kind::Interceptor), 1);
        QCOMPARE(mode(rig), QStringLiteral("tap"));

        // A second start never has two interceptors up at once (on X11 the old handle's release
        // would drop the new grab of the same chord); the chord is read afresh.
        rig.settings.setHotkeyKeyCode(8);
        m.restartMonitoring();
        QCOMPARE(rig.hooks.peakActiveInterceptors(), 1);
        QCOMPARE(rig.hooks.activeInterceptor()->keyCode, quint16(8));
        m.stopMonitoring();
        QCOMPARE(mode(rig), QStringLiteral("stopped"));

        // Untrusted: global monitor; trust granted in the background moves to the interceptor.
        rig.trust.setTrusted(false);
        m.restartMonitoring();
        QCOMPARE(mode(rig), QStringLiteral("global"));
        rig.trust.setTrusted(true);
        m.refreshOnActivation();
        QCOMPARE(mode(rig), QStringLiteral("tap"));

        // Another client holds the chord: global monitor; no global observation either: local only,
        // and then every activation tries again.
        rig.hooks.setRefuseInterception(true);
        m.restartMonitoring();
        QCOMPARE(mode(rig), QStringLiteral("global"));
        rig.hooks.setRefuseGlobalObservation(true);
        m.restartMonitoring();
        QCOMPARE(mode(rig), QStringLiteral("local"));
        const int locals = rig.hooks.installed(Kind::Local);
        m.refreshOnActivation();
        QCOMPARE(rig.hooks.installed(Kind::Local), locals + 1);
    }

    void chordRecognition() {
        Rig rig({QStringLiteral("A")});
        PasteHotkeyManager& m = *rig.manager;
        rig.trust.setTrusted(false);
        m.startMonitoring();

        const quint64 cmdShiftOpt = kCmdShift | ModifierFlag::Option;
        QVERIFY(!rig.other(key(KeyCode::V, cmdShiftOpt | 0x8)));  // observed, never consumed
        QVERIFY(m.isPopupVisible());
        QCOMPARE(m.previousFrontmostApp()->name, kEditor.name);
        rig.own(key(KeyCode::Escape));

        for (const KeyEvent& miss : {key(KeyCode::V, ModifierFlag::Command),
                                     key(KeyCode::V, ModifierFlag::Shift), key(8, kCmdShift)}) {
            rig.other(miss);
            QVERIFY(!m.isPopupVisible());
        }

        // Caps Lock on and key repeat: every repeated key-down is a press (open, close, open).
        QList<bool> shown;
        for (int i = 0; i < 3; ++i) {
            rig.other(KeyEvent{KeyCode::V, kCmdShift | ModifierFlag::CapsLock, i > 0});
            shown << m.isPopupVisible();
        }
        QCOMPARE(shown, QList<bool>({true, false, true}));
        rig.own(key(KeyCode::Escape));

        // The interceptor consumes the chord; work still queued when the manager goes is dropped.
        rig.trust.setTrusted(true);
        m.restartMonitoring();
        QVERIFY(rig.hooks.pressInOtherApp(key(KeyCode::V, cmdShiftOpt)));
        rig.manager.reset();
        rig.scheduler.runUntilIdle();
    }

    void chordTakenByAnotherProgram_data() {
        QTest::addColumn<bool>("trusted");
        QTest::addColumn<bool>("heldElsewhere");
        QTest::addColumn<bool>("globalRefused");
        QTest::addColumn<bool>("taken");
        QTest::newRow("grabbed") << true << false << false << false;
        QTest::newRow("held elsewhere, still seen") << true << true << false << true;
        QTest::newRow("held elsewhere, unseen") << true << true << true << false;
        QTest::newRow("not trusted, never tried") << false << true << false << false;
    }

    void chordTakenByAnotherProgram() {
        QFETCH(bool, trusted);
        QFETCH(bool, heldElsewhere);
        QFETCH(bool, globalRefused);
        Rig rig({QStringLiteral("A")});
        PasteHotkeyManager& m = *rig.manager;
        QSignalSpy changed(&m, &PasteHotkeyManager::isHotkeyTakenByAnotherProgramChanged);
        rig.trust.setTrusted(trusted);
        rig.hooks.setChordHeldElsewhere(heldElsewhere);
        rig.hooks.setRefuseGlobalObservation(globalRefused);
        m.startMonitoring();
        QTEST(m.isHotkeyTakenByAnotherProgram(), "taken");
        QCOMPARE(changed.count(), int(m.isHotkeyTakenByAnotherProgram()));

        // Freed by the other program: the next installation clears the flag.
        rig.hooks.setChordHeldElsewhere(false);
        m.restartMonitoring();
        QVERIFY(!m.isHotkeyTakenByAnotherProgram());
    }

    void pausedDetectionReleasesTheChord() {
        Rig rig({QStringLiteral("A")});
        PasteHotkeyManager& m = *rig.manager;
        m.startMonitoring();
        auto pause = m.pauseDetection();
        QCOMPARE(rig.hooks.active(Kind::Interceptor) + rig.hooks.active(Kind::Local), 0);
        QVERIFY(!rig.other(kChord) && !rig.own(kChord));
        QVERIFY(!m.isPopupVisible());
        // The flags describe the detection that comes back, so no warning flickers meanwhile.
        QVERIFY(m.isGlobalHotkeyAvailable() && m.isUsingAccessibilityForHotkey());

        // A chord stored meanwhile is installed once, on resumption.
        const int installs = rig.hooks.installed(Kind::Interceptor);
        rig.settings.setHotkeyKeyCode(40);
        m.restartMonitoring();
        m.refreshOnActivation();
        QCOMPARE(rig.hooks.installed(Kind::Interceptor), installs);
        pause.reset();
        QCOMPARE(rig.hooks.installed(Kind::Interceptor), installs + 1);
        QCOMPARE(mode(rig), QStringLiteral("tap"));
        QCOMPARE(rig.hooks.activeInterceptor()->keyCode, quint16(40));

        // Stopped while paused (the application quits): resuming brings nothing back.
        pause = m.pauseDetection();
        m.stopMonitoring();
        pause.reset();
        QCOMPARE(mode(rig), QStringLiteral("stopped"));
    }

    void popupSelectionAndKeys() {
        Rig rig({QStringLiteral("C"), QStringLiteral("B"), QStringLiteral("A")});
        PasteHotkeyManager& m = *rig.manager;
        m.startMonitoring();

        QVERIFY(!rig.own(key(KeyCode::Delete)));  // hidden: our other windows keep their keys
        QCOMPARE(rig.history.items().size(), 3);

        rig.other(kChord);
        QVERIFY(m.isPopupVisible());
        QCOMPARE(m.previousFrontmostApp()->pid, kEditor.pid);
        QList<qsizetype> seen{m.selectedIndex()};
        for (quint16 code :
             {KeyCode::DownArrow, KeyCode::DownArrow, KeyCode::DownArrow, KeyCode::UpArrow}) {
            QVERIFY(rig.own(key(code)));
            seen << m.selectedIndex();
        }
        QCOMPARE(seen, QList<qsizetype>({0, 1, 2, 0, 2}));
        QVERIFY(!rig.own(key(KeyCode::Space)));

        QVERIFY(rig.own(key(KeyCode::Escape)));
        QVERIFY(!m.isPopupVisible() && !m.previousFrontmostApp());
        QCOMPARE(rig.hooks.active(Kind::Local), 1);
        QCOMPARE(rig.workspace.activations().size(), 1);
        QCOMPARE(rig.workspace.activations().first().app.pid, kEditor.pid);

        // The chord closes it too; reopening selects the newest row again.
        rig.other(kChord);
        rig.own(key(KeyCode::DownArrow));
        rig.other(kChord);
        QVERIFY(!m.isPopupVisible());
        rig.other(kChord);
        QCOMPARE(m.selectedIndex(), 0);

        // A new copy while shown keeps the number, so the row above is now highlighted.
        rig.own(key(KeyCode::DownArrow));
        rig.copyText(QStringLiteral("N"));
        QCOMPARE(m.selectedIndex(), 1);
        QCOMPARE(rig.text(0), QStringLiteral("N"));
        QCOMPARE(rig.text(1), QStringLiteral("A"));
    }

    void removalKeepsSelection() {
        struct Case {
            qsizetype selected;
            qsizetype removed;
            qsizetype expected;
            const char* expectedText;
        };
        // Items A, B, C, D (A newest).
        for (const Case& c :
             {Case{2, 0, 1, "C"}, Case{3, 3, 2, "C"}, Case{1, 1, 1, "C"}, Case{0, 2, 0, "A"}}) {
            Rig rig({QStringLiteral("D"), QStringLiteral("C"), QStringLiteral("B"),
                     QStringLiteral("A")});
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

        // Removing the last item hides the popup without giving focus back.
        Rig rig({QStringLiteral("only")});
        PasteHotkeyManager& m = *rig.manager;
        m.startMonitoring();
        rig.other(kChord);
        m.removeItemFromHistory(1);
        QCOMPARE(rig.history.items().size(), 1);
        QVERIFY(rig.own(key(KeyCode::Delete)));
        QVERIFY(rig.history.items().isEmpty());
        QVERIFY(!m.isPopupVisible() && !m.previousFrontmostApp());
        QVERIFY(rig.workspace.activations().isEmpty() && rig.workspace.yields().isEmpty());
    }

    void invalidIndexAndFailedKeystroke() {
        Rig rig({QStringLiteral("B"), QStringLiteral("A")});
        PasteHotkeyManager& m = *rig.manager;
        m.startMonitoring();
        rig.other(kChord);
        m.pasteItemAndClose(5);
        QVERIFY(m.isPopupVisible());
        QVERIFY(rig.pasteboard.writes().isEmpty());

        // A keystroke that cannot be made is reported, not retried.
        rig.injector.setFailing(true);
        m.pasteItemAndClose(0);
        rig.scheduler.advance(2000);
        QCOMPARE(rig.injector.attempts(), 1);
        if (!AppEnvironment::isLoggingEnabled) {
            QSKIP("The failure is reported on the diagnostic log, which this build leaves out");
        }
        QCOMPARE(rig.lines.filter(QStringLiteral("postPasteKeystroke:")).size(), 1);
    }

    // The keystroke goes at once into a target already in front, else once its activation took
    // effect, after a pause with nothing to activate, after a second at most; never before the
    // clipboard write is confirmed, and not at all when the write did not take.
    void pasteKeystrokeTiming_data() {
        QTest::addColumn<QString>("openedOver");        // "editor", "self" or nothing in front
        QTest::addColumn<qint64>("activationDelayMs");  // < 0: never takes effect
        QTest::addColumn<qint64>("confirmAtMs");        // < 0: confirmed at once
        QTest::addColumn<bool>("taken");
        QTest::addColumn<qint64>("keystrokeMs");  // < 0: none
        QTest::addColumn<int>("activations");
        QTest::newRow("target in front") << "editor" << 0LL << -1LL << true << 0LL << 1;
        QTest::newRow("slow activation") << "editor" << 60LL << -1LL << true << 60LL << 1;
        QTest::newRow("activation never lands") << "editor" << -1LL << -1LL << true << 1000LL << 1;
        QTest::newRow("opened over itself") << "self" << 0LL << -1LL << true << 100LL << 0;
        QTest::newRow("nothing in front") << "" << 0LL << -1LL << true << 100LL << 0;
        QTest::newRow("late confirmation") << "editor" << 0LL << 30LL << true << 30LL << 1;
        QTest::newRow("confirmed before activation")
            << "editor" << 60LL << 10LL << true << 60LL << 1;
        QTest::newRow("over itself, late confirmation")
            << "self" << 0LL << 150LL << true << 150LL << 0;
        QTest::newRow("write lost") << "editor" << 0LL << 30LL << false << -1LL << 1;
    }
    void pasteKeystrokeTiming() {
        QFETCH(QString, openedOver);
        QFETCH(qint64, activationDelayMs);
        QFETCH(qint64, confirmAtMs);
        QFETCH(bool, taken);
        QFETCH(qint64, keystrokeMs);
        const RunningApp self{4242, QStringLiteral("Quillstack"), 1};
        Rig rig({QStringLiteral("B"), QStringLiteral("A")});
        rig.manager->startMonitoring();
        rig.workspace.setFrontmost(openedOver == u"editor" ? std::optional(kEditor)
                                   : openedOver == u"self" ? std::optional(self)
                                                           : std::nullopt);
        rig.other(kChord);
        rig.own(key(KeyCode::DownArrow));
        rig.workspace.setFrontmost(self);  // the popup is in front now
        rig.workspace.setActivationDelayMs(activationDelayMs);
        rig.pasteboard.setHoldConfirmations(confirmAtMs >= 0);
        const qint64 t0 = rig.scheduler.monotonicMs();
        if (confirmAtMs >= 0) {
            rig.scheduler.postDelayed(int(confirmAtMs),
                                      [&] { rig.pasteboard.confirmWrites(taken); });
        }

        QVERIFY(rig.hooks.pressInOwnWindow(key(KeyCode::Return)));
        QCOMPARE(rig.injector.keystrokeTimesMs().size(), keystrokeMs == 0 ? 1 : 0);
        QVERIFY(!rig.manager->isPopupVisible());
        QCOMPARE(rig.pasteboard.string(), QStringLiteral("B"));
        QTEST(int(rig.workspace.activations().size()), "activations");
        if (keystrokeMs > 0) {
            rig.scheduler.advance(keystrokeMs - 1);
            QVERIFY(rig.injector.keystrokeTimesMs().isEmpty());
        }
        rig.scheduler.advance(5000 - (rig.scheduler.monotonicMs() - t0));
        QCOMPARE(rig.injector.keystrokeTimesMs(),
                 keystrokeMs < 0 ? QList<qint64>() : QList<qint64>{t0 + keystrokeMs});
    }

    // The target's window class picks the keystroke, the settings file included; a terminal
    // that pastes the primary selection gets the item there too, before the keystroke waits.
    void keystrokeFollowsTheTarget_data() {
        QTest::addColumn<QString>("windowClass");
        QTest::addColumn<quint64>("modifiers");
        QTest::addColumn<int>("keyCode");
        QTest::addColumn<bool>("primary");
        const quint64 ctrl = ModifierFlag::Control;
        QTest::newRow("no WM_CLASS") << "" << ctrl << int(KeyCode::V) << false;
        QTest::newRow("VTE") << "Lxterminal" << (ctrl | ModifierFlag::Shift) << int(KeyCode::V)
                             << false;
        QTest::newRow("xterm") << "XTerm" << quint64(ModifierFlag::Shift) << int(KeyCode::Insert)
                               << true;
        QTest::newRow("settings entry")
            << "MyTerm" << quint64(ModifierFlag::Shift) << int(KeyCode::Insert) << true;
        QTest::newRow("settings entry not text") << "Broken" << ctrl << int(KeyCode::V) << false;
    }
    void keystrokeFollowsTheTarget() {
        QFETCH(QString, windowClass);
        QFETCH(quint64, modifiers);
        QFETCH(int, keyCode);
        QFETCH(bool, primary);
        Rig rig({QStringLiteral("B"), QStringLiteral("A")});
        rig.store.seed(QStringLiteral("PasteKeystrokes/myterm"), QStringLiteral("Shift+Insert"));
        rig.store.seed(QStringLiteral("PasteKeystrokes/Broken"), 7);
        RunningApp target = kEditor;
        target.windowClass = windowClass;
        rig.workspace.setFrontmost(target);
        rig.manager->startMonitoring();
        rig.other(kChord);
        const qsizetype writesBefore = rig.pasteboard.writes().size();
        QVERIFY(rig.hooks.pressInOwnWindow(key(KeyCode::Return)));
        rig.scheduler.advance(2000);

        QCOMPARE(rig.injector.keystrokes().size(), 1);
        QCOMPARE(rig.injector.keystrokes().first().modifiers, modifiers);
        QCOMPARE(int(rig.injector.keystrokes().first().keyCode), keyCode);
        // Offered once, after the item's own write.
        QCOMPARE(rig.pasteboard.primaryOffers(),
                 primary ? QList<qsizetype>{writesBefore + 1} : QList<qsizetype>{});
    }
};

QTEST_GUILESS_MAIN(TestPasteHotkeyManager)
#include "tst_paste_hotkey_manager.moc"
