#include <QtTest>

#include "HotkeyStack.h"
#include "hotkey/PasteKeystrokeTable.h"

Q_DECLARE_METATYPE(Keystroke)

namespace {

using Kind = FakeKeyboardHooks::Hook::Kind;
constexpr quint64 kCmdShift = ModifierFlag::Command | ModifierFlag::Shift;
const RunningApp kSelf{4242, QStringLiteral("Quillstack"), 1};

KeyEvent key(quint16 code) {
    return KeyEvent{code, 0, false};
}

// The stack with nothing copied, so that a chord press opens no popup, only counts.
struct ChordRig : HotkeyStack {
    int presses = 0;
    ChordRig() {
        QObject::connect(&detector, &ChordDetector::chordPressed, [this] { ++presses; });
    }
    // The hooks and the published flags together; unnamed shapes come back as their digits
    // (interceptors, globals, locals, tap flag, global flag).
    QString mode() const {
        const QString shape = QStringLiteral("%1%2%3%4%5")
                                  .arg(hooks.active(Kind::Interceptor))
                                  .arg(hooks.active(Kind::Global))
                                  .arg(hooks.active(Kind::Local))
                                  .arg(int(detector.isUsingAccessibilityForHotkey()))
                                  .arg(int(detector.isGlobalHotkeyAvailable()));
        static const QHash<QString, QString> names{
            {"00000", "stopped"}, {"10111", "tap"}, {"01101", "global"}, {"00100", "local"}};
        return names.value(shape, shape);
    }
    // As the popup hands on a paste: the record written, our popup still in front.
    void deliver(const std::optional<RunningApp>& target) {
        pasteboard.setString(QStringLiteral("B"));
        workspace.frontmost = kSelf;
        delivery.deliver(target);
    }
};

}  // namespace

// The chord, the popup session it opens, and the paste delivered from it.
class TestHotkey : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void detectionModes() {
        ChordRig rig;
        ChordDetector& d = rig.detector;
        d.startMonitoring();
        QCOMPARE(rig.mode(), QStringLiteral("tap"));
        QCOMPARE(rig.hooks.activeInterceptor()->modifiers, kCmdShift);
        // Activation with trust still present: nothing reinstalled.
        d.refreshOnActivation();
        QCOMPARE(rig.hooks.installed(Kind::Interceptor), 1);

        // A second start never has two interceptors up at once (on X11 the old handle's release
        // would drop the new grab of the same chord); the chord is read afresh.
        rig.settings.setHotkeyKeyCode(8);
        d.restartMonitoring();
        QCOMPARE(rig.hooks.peakActiveInterceptors(), 1);
        QCOMPARE(rig.hooks.activeInterceptor()->keyCode, quint16(8));
        d.stopMonitoring();
        QCOMPARE(rig.mode(), QStringLiteral("stopped"));

        // Untrusted: global monitor; trust granted in the background moves to the interceptor.
        rig.trust.setTrusted(false);
        d.restartMonitoring();
        QCOMPARE(rig.mode(), QStringLiteral("global"));
        rig.trust.setTrusted(true);
        d.refreshOnActivation();
        QCOMPARE(rig.mode(), QStringLiteral("tap"));

        // Another client holds the chord: global monitor; no global observation either: local
        // only, and then every activation tries again.
        rig.hooks.setRefuseInterception(true);
        d.restartMonitoring();
        QCOMPARE(rig.mode(), QStringLiteral("global"));
        rig.hooks.setRefuseGlobalObservation(true);
        d.restartMonitoring();
        QCOMPARE(rig.mode(), QStringLiteral("local"));
        const int locals = rig.hooks.installed(Kind::Local);
        d.refreshOnActivation();
        QCOMPARE(rig.hooks.installed(Kind::Local), locals + 1);
    }

    void chordRecognition() {
        ChordRig rig;
        rig.trust.setTrusted(false);
        rig.detector.startMonitoring();
        const quint64 cmdShiftOpt = kCmdShift | ModifierFlag::Option;
        QVERIFY(!rig.other({KeyCode::V, cmdShiftOpt | 0x8, false}));  // observed, not consumed
        rig.own(kChord);
        for (const KeyEvent& miss :
             {KeyEvent{KeyCode::V, ModifierFlag::Command, false},
              KeyEvent{KeyCode::V, ModifierFlag::Shift, false}, KeyEvent{8, kCmdShift, false}}) {
            rig.other(miss);
        }
        QCOMPARE(rig.presses, 2);
        // Caps Lock on and key repeat: every repeated key-down is a press.
        for (int i = 0; i < 3; ++i) {
            rig.other({KeyCode::V, kCmdShift | ModifierFlag::CapsLock, i > 0});
        }
        QCOMPARE(rig.presses, 5);

        // The interceptor consumes the chord; work still queued when a detector goes is dropped.
        rig.detector.stopMonitoring();
        rig.trust.setTrusted(true);
        {
            ChordDetector gone(rig.hooks, rig.trust, rig.workspace, rig.scheduler, rig.settings);
            QObject::connect(&gone, &ChordDetector::chordPressed, [&] { ++rig.presses; });
            gone.startMonitoring();
            QVERIFY(rig.hooks.pressInOtherApp({KeyCode::V, cmdShiftOpt, false}));
            QVERIFY(!rig.hooks.pressInOtherApp({KeyCode::V, ModifierFlag::Command, false}));
        }
        rig.scheduler.runUntilIdle();
        QCOMPARE(rig.presses, 5);
    }

    // Held by another program while still seen: taken; untrusted, nothing is tried. Freed, the
    // next installation clears the flag.
    void chordTakenByAnotherProgram() {
        for (const auto& [trusted, heldElsewhere, taken] :
             {std::tuple(true, false, false), {true, true, true}, {false, true, false}}) {
            ChordRig rig;
            ChordDetector& d = rig.detector;
            QSignalSpy changed(&d, &ChordDetector::isHotkeyTakenByAnotherProgramChanged);
            rig.trust.setTrusted(trusted);
            rig.hooks.setChordHeldElsewhere(heldElsewhere);
            d.startMonitoring();
            QCOMPARE(std::pair(d.isHotkeyTakenByAnotherProgram(), int(changed.count())),
                     std::pair(taken, int(taken)));
            rig.hooks.setChordHeldElsewhere(false);
            d.restartMonitoring();
            QVERIFY(!d.isHotkeyTakenByAnotherProgram());
        }
    }

    void pausedDetectionReleasesTheChord() {
        ChordRig rig;
        ChordDetector& d = rig.detector;
        d.startMonitoring();
        auto pause = d.pauseDetection();
        QCOMPARE(rig.hooks.active(Kind::Interceptor) + rig.hooks.active(Kind::Local), 0);
        QVERIFY(!rig.other(kChord) && !rig.own(kChord));
        QCOMPARE(rig.presses, 0);
        // The flags describe the detection that comes back, so no warning flickers meanwhile.
        QVERIFY(d.isGlobalHotkeyAvailable() && d.isUsingAccessibilityForHotkey());

        // A chord stored meanwhile is installed once, on resumption.
        const int installs = rig.hooks.installed(Kind::Interceptor);
        rig.settings.setHotkeyKeyCode(40);
        d.restartMonitoring();
        d.refreshOnActivation();
        QCOMPARE(rig.hooks.installed(Kind::Interceptor), installs);
        pause.reset();
        QCOMPARE(rig.hooks.installed(Kind::Interceptor), installs + 1);
        QCOMPARE(rig.hooks.activeInterceptor()->keyCode, quint16(40));

        // Stopped while paused (the application quits): resuming brings nothing back.
        pause = d.pauseDetection();
        d.stopMonitoring();
        pause.reset();
        QCOMPARE(rig.mode(), QStringLiteral("stopped"));
    }

    void popupSelectionAndKeys() {
        HotkeyStack rig({"C", "B", "A"});
        PopupSession& s = rig.popup;
        QVERIFY(!rig.own(key(KeyCode::Delete)));  // hidden: our other windows keep their keys
        s.toggle();
        QCOMPARE(s.previousFrontmostApp()->pid, kEditor.pid);
        QList<qsizetype> seen{s.selectedIndex()};
        for (quint16 code :
             {KeyCode::DownArrow, KeyCode::DownArrow, KeyCode::DownArrow, KeyCode::UpArrow}) {
            QVERIFY(rig.own(key(code)));
            seen << s.selectedIndex();
        }
        QCOMPARE(seen, QList<qsizetype>({0, 1, 2, 0, 2}));
        QVERIFY(!rig.own(key(KeyCode::Space)));

        // Escape gives the focus back to the application it was opened over.
        QVERIFY(rig.own(key(KeyCode::Escape)));
        QVERIFY(!s.isPopupVisible() && !s.previousFrontmostApp());
        QCOMPARE(std::tuple(rig.hooks.active(Kind::Local), rig.workspace.yields.size(),
                            rig.workspace.activations.first().app.pid),
                 std::tuple(0, 1, kEditor.pid));

        // A second toggle closes it too; reopening selects the newest row again.
        s.toggle();
        rig.own(key(KeyCode::DownArrow));
        s.toggle();
        s.toggle();
        QCOMPARE(std::pair(rig.workspace.activations.size(), s.selectedIndex()),
                 std::pair(qsizetype(2), qsizetype(0)));

        // A new copy while shown keeps the number, so the row above is now highlighted.
        rig.own(key(KeyCode::DownArrow));
        rig.copyText(QStringLiteral("N"));
        QCOMPARE(rig.text(s.selectedIndex()), QStringLiteral("A"));
        QVERIFY(rig.delivered.isEmpty());
    }

    // Items A, B, C, D (A newest); the selected one is removed by its key.
    void removalKeepsSelection_data() {
        QTest::addColumn<qsizetype>("selected");
        QTest::addColumn<qsizetype>("removed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("above the selection") << qsizetype(2) << qsizetype(0) << "C";
        QTest::newRow("selected last row") << qsizetype(3) << qsizetype(3) << "C";
        QTest::newRow("selected, forward delete") << qsizetype(1) << qsizetype(1) << "C";
        QTest::newRow("below the selection") << qsizetype(0) << qsizetype(2) << "A";
    }
    void removalKeepsSelection() {
        QFETCH(qsizetype, selected);
        QFETCH(qsizetype, removed);
        HotkeyStack rig({"D", "C", "B", "A"});
        PopupSession& s = rig.popup;
        s.toggle();
        s.setSelectedIndex(selected);
        if (removed == selected) {
            QVERIFY(rig.own(key(removed == 1 ? KeyCode::ForwardDelete : KeyCode::Delete)));
        } else {
            s.removeItemFromHistory(removed);
        }
        QCOMPARE(rig.history.items().size(), 3);
        QTEST(rig.text(s.selectedIndex()), "expected");
        QVERIFY(s.isPopupVisible());
    }

    void removingTheLastItemCloses() {
        HotkeyStack rig({"only"});
        PopupSession& s = rig.popup;
        s.toggle();
        s.removeItemFromHistory(1);
        QVERIFY(rig.own(key(KeyCode::Delete)));
        QVERIFY(rig.history.items().isEmpty());
        QVERIFY(!s.isPopupVisible() && !s.previousFrontmostApp());
        QVERIFY(rig.workspace.activations.isEmpty() && rig.workspace.yields.isEmpty());
        s.toggle();  // nothing to show
        QVERIFY(!s.isPopupVisible());
    }

    // The selected record goes to the clipboard, the popup closes, and the paste is handed on
    // for the application the popup was opened over.
    void pasteHandsOnTheTarget() {
        for (quint16 enter : {KeyCode::Return, KeyCode::KeypadEnter}) {
            HotkeyStack rig({"B", "A"});
            PopupSession& s = rig.popup;
            s.toggle();
            s.pasteItemAndClose(5);
            QVERIFY(s.isPopupVisible() && rig.pasteboard.writes().isEmpty());
            rig.own(key(KeyCode::DownArrow));
            QVERIFY(rig.own(key(enter)));
            QCOMPARE(rig.pasteboard.string(), QStringLiteral("B"));
            QVERIFY(!s.isPopupVisible() && !s.previousFrontmostApp());
            QCOMPARE(rig.hooks.active(Kind::Local), 0);
            QVERIFY(rig.delivered.size() == 1 && rig.delivered.first()->pid == kEditor.pid);
        }
    }

    // User entry ("name=keystroke" or none), instance, class: one row per rule of the lookup.
    void keystrokeFor_data() {
        QTest::addColumn<QString>("userEntry");
        QTest::addColumn<QString>("instance");
        QTest::addColumn<QString>("className");
        QTest::addColumn<Keystroke>("expected");
        const Keystroke v = PasteKeystrokeTable::controlV;
        const Keystroke sv = PasteKeystrokeTable::controlShiftV;
        const Keystroke ins = PasteKeystrokeTable::shiftInsert;
        const auto row = [](const char* name, const char* entry, const char* instance,
                            const char* className, Keystroke expected) {
            QTest::newRow(name) << QString::fromUtf8(entry) << QString::fromUtf8(instance)
                                << QString::fromUtf8(className) << expected;
        };
        row("editor", "", "gedit", "Gedit", v);
        row("by instance", "", "lxterminal", "Lxterminal", sv);
        row("class only", "", "", "org.wezfurlong.wezterm", sv);
        // Wayland app ids, as the workspace passes them: the last part lower-cased, then the id.
        row("app id's last part", "", "ghostty", "com.mitchellh.ghostty", sv);
        row("primary, any case", "", "URXVT", "URXVT", ins);
        row("user, any case", "mYtErM=ctrl+shift+v", "myterm", "MyTerm", sv);
        row("user over built-in", "XTerm=Ctrl+Shift+V", "xterm", "XTerm", sv);
        row("user by instance", "scratch=Shift+Ins", "scratch", "Kitty", ins);
        row("user Alt and Super", "Odd=Alt+Super+P", "", "odd",
            {ModifierFlag::Option | ModifierFlag::Command, 35});
        for (const char* garbage :
             {"XTerm=Ctrl+", "XTerm=Hyper+V", "XTerm=Ctrl+Ctrl+V", "XTerm=Ctrl+Ü"}) {
            row(garbage, garbage, "xterm", "XTerm", ins);
        }
    }
    void keystrokeFor() {
        QFETCH(QString, userEntry);
        QFETCH(QString, instance);
        QFETCH(QString, className);
        QMap<QString, QString> entries;
        if (!userEntry.isEmpty()) {
            entries.insert(userEntry.section(u'=', 0, 0), userEntry.section(u'=', 1));
        }
        QTEST(PasteKeystrokeTable(entries).keystrokeFor(instance, className), "expected");
    }

    // The keystroke goes at once into a target already in front, else once its activation took
    // effect, after a pause with nothing to activate, after a second at most; never before the
    // clipboard write is confirmed, and not at all when the write did not take.
    void deliveryTiming_data() {
        QTest::addColumn<QString>("target");            // "editor", "self" or none
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
        QTest::newRow("confirmed first") << "editor" << 60LL << 10LL << true << 60LL << 1;
        QTest::newRow("write lost") << "editor" << 0LL << 30LL << false << -1LL << 1;
    }
    void deliveryTiming() {
        QFETCH(QString, target);
        QFETCH(qint64, activationDelayMs);
        QFETCH(qint64, confirmAtMs);
        QFETCH(bool, taken);
        QFETCH(qint64, keystrokeMs);
        ChordRig rig;
        rig.workspace.activationDelayMs = activationDelayMs;
        rig.pasteboard.setHoldConfirmations(confirmAtMs >= 0);
        const qint64 t0 = rig.scheduler.monotonicMs();
        if (confirmAtMs >= 0) {
            rig.scheduler.postDelayed(int(confirmAtMs),
                                      [&] { rig.pasteboard.confirmWrites(taken); });
        }
        rig.deliver(target == u"editor" ? std::optional(kEditor)
                    : target == u"self" ? std::optional(kSelf)
                                        : std::nullopt);
        QCOMPARE(rig.injector.timesMs.size(), keystrokeMs == 0 ? 1 : 0);
        QTEST(int(rig.workspace.activations.size()), "activations");
        QCOMPARE(rig.workspace.yields.size(), rig.workspace.activations.size());
        if (keystrokeMs > 0) {
            rig.scheduler.advance(keystrokeMs - 1);
            QVERIFY(rig.injector.timesMs.isEmpty());
        }
        rig.scheduler.advance(5000 - (rig.scheduler.monotonicMs() - t0));
        QCOMPARE(rig.injector.timesMs,
                 keystrokeMs < 0 ? QList<qint64>() : QList<qint64>{t0 + keystrokeMs});
    }

    // The target's window class picks the keystroke, the settings file included; a terminal
    // that pastes the primary selection gets the item there too. A keystroke that cannot be
    // made is not retried.
    void keystrokeFollowsTheTarget_data() {
        QTest::addColumn<QString>("windowClass");
        QTest::addColumn<Keystroke>("keystroke");
        QTest::newRow("xterm") << "XTerm" << PasteKeystrokeTable::shiftInsert;
        QTest::newRow("settings entry") << "MyTerm" << PasteKeystrokeTable::shiftInsert;
        QTest::newRow("settings entry not text") << "Broken" << PasteKeystrokeTable::controlV;
    }
    void keystrokeFollowsTheTarget() {
        QFETCH(QString, windowClass);
        QFETCH(Keystroke, keystroke);
        ChordRig rig;
        rig.store.seed(QStringLiteral("PasteKeystrokes/myterm"), QStringLiteral("Shift+Insert"));
        rig.store.seed(QStringLiteral("PasteKeystrokes/Broken"), 7);
        RunningApp target = kEditor;
        target.windowClass = windowClass;
        rig.deliver(target);
        rig.scheduler.advance(2000);
        QCOMPARE(rig.injector.keystrokes, QList<Keystroke>{keystroke});
        const bool primary = keystroke == PasteKeystrokeTable::shiftInsert;
        QCOMPARE(rig.pasteboard.primaryOffers(),
                 primary ? QList<qsizetype>{1} : QList<qsizetype>{});

        rig.injector.failing = true;
        rig.deliver(target);
        rig.scheduler.advance(2000);
        QCOMPARE(rig.injector.attempts, 2);
    }
};

QTEST_GUILESS_MAIN(TestHotkey)
#include "tst_hotkey.moc"
