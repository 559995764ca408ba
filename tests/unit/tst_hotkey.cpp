#include <QtTest>

#include "HotkeyStack.h"
#include "hotkey/PasteKeystrokeTable.h"

Q_DECLARE_METATYPE(Keystroke)

namespace {

using Kind = FakeKeyboardHooks::Hook::Kind;
constexpr quint64 kCmdShift = ModifierFlag::Command | ModifierFlag::Shift;
const RunningApp kSelf{4242, QStringLiteral("Quillstack"), 1};

// The stack with nothing copied, so that a chord press opens no popup, only counts.
struct ChordRig : HotkeyStack {
    int presses = 0;
    ChordRig() {
        QObject::disconnect(&detector, &ChordDetector::chordPressed, &popup, &PopupSession::toggle);
        QObject::connect(&detector, &ChordDetector::chordPressed, [this] { ++presses; });
    }
    // The hooks and the published flags together as digits (interceptors, globals, locals, tap
    // flag, global flag), "!" when the chord is taken by another program, "#" and the hooks
    // installed so far.
    QString state() const {
        const int installs = hooks.installed(Kind::Interceptor) + hooks.installed(Kind::Global) +
                             hooks.installed(Kind::Local);
        return QStringLiteral("%1%2%3%4%5%6#%7")
            .arg(hooks.active(Kind::Interceptor))
            .arg(hooks.active(Kind::Global))
            .arg(hooks.active(Kind::Local))
            .arg(int(detector.isUsingAccessibilityForHotkey()))
            .arg(int(detector.isGlobalHotkeyAvailable()))
            .arg(detector.isHotkeyTakenByAnotherProgram() ? "!" : "")
            .arg(installs);
    }
    // As the popup hands on a paste: the record written, our popup still in front.
    void deliver(const std::optional<RunningApp>& target) {
        pasteboard.setString(QStringLiteral("B"));
        workspace.frontmost = kSelf;
        delivery.deliver(target);
    }
};

// A settings entry ("name=keystroke", only a name: not text, or none), the target's instance
// and class, and the keystroke typed into it.
struct Lookup {
    const char *entry, *instance, *className;
    Keystroke expected;
};

// The target ("editor", "self" or none), when its activation takes effect (< 0: never), when
// the clipboard write is confirmed (< 0: at once) and whether it took; when the keystroke goes
// (< 0: never) and the activations asked for.
struct Delivery {
    const char* target;
    qint64 activationDelayMs, confirmAtMs;
    bool taken;
    qint64 keystrokeMs;
    qsizetype activations;
};

}  // namespace

Q_DECLARE_METATYPE(Lookup)
Q_DECLARE_METATYPE(Delivery)

// The chord, the popup session it opens, and the paste delivered from it.
class TestHotkey : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    // Steps "action" or "action=state" (chord=: presses so far). Never two interceptors at once
    // (on X11 the old handle's release would drop the new grab of the same chord), and at each
    // checked step the one up has the stored chord.
    void detection_data() {
        QTest::addColumn<QString>("script");
        QTest::newRow("trust and refusals")
            << "start=10111#2 activate=10111#2 key40 restart=10111#4 stop=00000#4 untrust "
               "restart=10111#6 activate=10111#6 refuse restart=01101#8 noglobal restart=00100#9 "
               "activate=00100#10";
        // Held by another program while still seen: taken. Untrusted (no typing) the chord is
        // still taken, once the other program lets it go.
        QTest::newRow("held elsewhere") << "untrust held start=01101!#2 free restart=10111#4";
        // The flags describe the detection that comes back, so no warning flickers meanwhile;
        // a chord stored meanwhile is installed once, on resumption. Stopped while paused (the
        // application quits), resuming brings nothing back.
        QTest::newRow("paused")
            << "start=10111#2 pause=00011#2 chord=0 key40 restart=00011#2 activate=00011#2 "
               "resume=10111#4 pause=00011#4 stop=00000#4 resume=00000#4";
    }
    void detection() {
        QFETCH(QString, script);
        ChordRig rig;
        ChordDetector& d = rig.detector;
        QSignalSpy taken(&d, &ChordDetector::isHotkeyTakenByAnotherProgramChanged);
        std::unique_ptr<HookHandle> pause;
        const QHash<QString, std::function<void()>> actions{
            {"start", [&] { d.startMonitoring(); }},
            {"restart", [&] { d.restartMonitoring(); }},
            {"stop", [&] { d.stopMonitoring(); }},
            {"activate", [&] { d.refreshOnActivation(); }},
            {"pause", [&] { pause = d.pauseDetection(); }},
            {"resume", [&] { pause.reset(); }},
            {"trust", [&] { rig.trust.setTrusted(true); }},
            {"untrust", [&] { rig.trust.setTrusted(false); }},
            {"refuse", [&] { rig.hooks.setRefuseInterception(true); }},
            {"held", [&] { rig.hooks.setRefuseInterception(true, ChordRefusal::HeldElsewhere); }},
            {"free", [&] { rig.hooks.setRefuseInterception(false); }},
            {"noglobal", [&] { rig.hooks.setRefuseGlobalObservation(true); }},
            {"key40", [&] { rig.settings.setHotkeyKeyCode(40); }},
            {"chord", [&] {
                 rig.other(kChord);
                 rig.own(kChord);
             }}};
        for (const QString& step : script.split(u' ')) {
            const QString action = step.section(u'=', 0, 0);
            QVERIFY2(actions.contains(action), qPrintable(action));
            actions[action]();
            if (!step.contains(u'=')) {
                continue;
            }
            const QString got = action == u"chord" ? QString::number(rig.presses) : rig.state();
            QVERIFY2(step.section(u'=', 1) == got, qPrintable(step + " gave " + got));
            if (const auto up = rig.hooks.activeInterceptor()) {
                QCOMPARE(up->keyCode, rig.settings.hotkeyKeyCode());
                QCOMPARE(up->modifiers, rig.settings.hotkeyModifiers());
            }
        }
        QVERIFY(rig.hooks.peakActiveInterceptors() <= 1);
        QCOMPARE(taken.isEmpty(), !script.contains(u'!'));
    }

    void chordRecognition() {
        ChordRig rig;
        rig.hooks.setRefuseInterception(true);
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

        // Work still queued when a detector goes is dropped.
        rig.detector.stopMonitoring();
        rig.hooks.setRefuseInterception(false);
        {
            ChordDetector gone(rig.hooks, rig.trust, rig.workspace, rig.scheduler, rig.settings);
            QObject::connect(&gone, &ChordDetector::chordPressed, [&] { ++rig.presses; });
            gone.startMonitoring();
            QVERIFY(rig.hooks.pressInOtherApp({KeyCode::V, cmdShiftOpt, false}));
        }
        rig.scheduler.runUntilIdle();
        QCOMPARE(rig.presses, 5);
    }

    // The entry of the settings file ("name=keystroke", only a name: not text, or none), the
    // target's instance and class: one row per rule of the lookup.
    void keystrokeFor_data() {
        QTest::addColumn<Lookup>("lookup");
        const Keystroke v = PasteKeystrokeTable::controlV;
        const Keystroke sv = PasteKeystrokeTable::controlShiftV;
        const Keystroke ins = PasteKeystrokeTable::shiftInsert;
        const auto row = [](const char* name, const Lookup& l) { QTest::newRow(name) << l; };
        row("editor", {"", "gedit", "Gedit", v});
        row("class only", {"", "", "org.wezfurlong.wezterm", sv});
        row("primary, any case", {"", "URXVT", "URXVT", ins});
        row("user, any case", {"mYtErM=ctrl+shift+v", "myterm", "MyTerm", sv});
        row("user over built-in", {"XTerm=Ctrl+Shift+V", "xterm", "XTerm", sv});
        row("user by instance", {"scratch=Shift+Ins", "scratch", "Kitty", ins});
        row("user entry not text", {"Odd", "", "odd", v});
        row("user Alt and Super",
            {"Odd=Alt+Super+P", "", "odd", {ModifierFlag::Option | ModifierFlag::Command, 35}});
        for (const char* garbage :
             {"XTerm=Ctrl+", "XTerm=Hyper+V", "XTerm=Ctrl+Ctrl+V", "XTerm=Ctrl+Ü"}) {
            row(garbage, {garbage, "xterm", "XTerm", ins});
        }
    }
    void keystrokeFor() {
        QFETCH(Lookup, lookup);
        ChordRig rig;
        const QString entry = QString::fromUtf8(lookup.entry);
        const QString key = "PasteKeystrokes/" + entry.section(u'=', 0, 0);
        if (entry.contains(u'=')) {
            rig.store.seed(key, entry.section(u'=', 1));
        } else if (!entry.isEmpty()) {
            rig.store.seed(key, 7);
        }
        rig.deliver(RunningApp{kEditor.pid, kEditor.name, kEditor.window,
                               QString::fromUtf8(lookup.instance),
                               QString::fromUtf8(lookup.className)});
        QCOMPARE(rig.injector.keystrokes, QList<Keystroke>{lookup.expected});
        // The terminals that paste on Shift+Insert read the primary selection.
        QCOMPARE(rig.pasteboard.primaryOffers().size(),
                 lookup.expected == PasteKeystrokeTable::shiftInsert);
    }

    // The keystroke goes at once into a target already in front, else once its activation took
    // effect, after a pause with nothing to activate, after a second at most; never before the
    // clipboard write is confirmed, and not at all when the write did not take.
    void deliveryTiming_data() {
        QTest::addColumn<Delivery>("d");
        QTest::newRow("target in front") << Delivery{"editor", 0, -1, true, 0, 1};
        QTest::newRow("slow activation") << Delivery{"editor", 60, -1, true, 60, 1};
        QTest::newRow("activation never lands") << Delivery{"editor", -1, -1, true, 1000, 1};
        QTest::newRow("opened over itself") << Delivery{"self", 0, -1, true, 100, 0};
        QTest::newRow("nothing in front") << Delivery{"", 0, -1, true, 100, 0};
        QTest::newRow("late confirmation") << Delivery{"editor", 0, 30, true, 30, 1};
        QTest::newRow("confirmed first") << Delivery{"editor", 60, 10, true, 60, 1};
        QTest::newRow("write lost") << Delivery{"editor", 0, 30, false, -1, 1};
    }
    void deliveryTiming() {
        QFETCH(Delivery, d);
        ChordRig rig;
        rig.workspace.activationDelayMs = d.activationDelayMs;
        rig.pasteboard.setHoldConfirmations(d.confirmAtMs >= 0);
        if (d.confirmAtMs >= 0) {
            rig.scheduler.postDelayed(int(d.confirmAtMs),
                                      [&] { rig.pasteboard.confirmWrites(d.taken); });
        }
        const QByteArray target(d.target);
        rig.deliver(target == "editor" ? std::optional(kEditor)
                    : target == "self" ? std::optional(kSelf)
                                       : std::nullopt);
        QCOMPARE(rig.injector.timesMs.size(), d.keystrokeMs == 0 ? 1 : 0);
        QCOMPARE(rig.workspace.activations.size(), d.activations);
        QCOMPARE(rig.workspace.yields.size(), rig.workspace.activations.size());
        if (d.keystrokeMs > 0) {
            rig.scheduler.advance(d.keystrokeMs - 1);
            QVERIFY(rig.injector.timesMs.isEmpty());
        }
        rig.scheduler.advance(5000 - rig.scheduler.monotonicMs());  // the clock starts at 0
        QCOMPARE(rig.injector.timesMs,
                 d.keystrokeMs < 0 ? QList<qint64>() : QList<qint64>{d.keystrokeMs});
    }
};

QTEST_GUILESS_MAIN(TestHotkey)
#include "tst_hotkey.moc"
