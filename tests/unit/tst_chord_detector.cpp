#include <QtTest>

#include "FakeAccessibilityTrust.h"
#include "FakeKeyboardHooks.h"
#include "FakeLoginItems.h"
#include "FakeWorkspace.h"
#include "ManualScheduler.h"
#include "MemoryKeyValueStore.h"
#include "hotkey/ChordDetector.h"
#include "settings/AppSettings.h"

namespace {

using Kind = FakeKeyboardHooks::Hook::Kind;
constexpr quint64 kCmdShift = ModifierFlag::Command | ModifierFlag::Shift;
const KeyEvent kChord{KeyCode::V, kCmdShift, false};

struct Rig {
    ManualScheduler scheduler;
    FakeKeyboardHooks hooks;
    FakeAccessibilityTrust trust;
    FakeWorkspace workspace{scheduler};
    MemoryKeyValueStore store;
    FakeLoginItems loginItems;
    AppSettings settings{store, loginItems, {}};
    std::unique_ptr<ChordDetector> detector =
        std::make_unique<ChordDetector>(hooks, trust, workspace, scheduler, settings);
    int presses = 0;

    Rig() {
        QObject::connect(detector.get(), &ChordDetector::chordPressed, [this] { ++presses; });
    }
    bool other(const KeyEvent& event) { return settle(hooks.pressInOtherApp(event)); }
    bool own(const KeyEvent& event) { return settle(hooks.pressInOwnWindow(event)); }
    bool settle(bool consumed) {
        scheduler.runUntilIdle();
        return consumed;
    }
    // The hooks and the published flags together; unnamed shapes come back as their digits
    // (interceptors, globals, locals, tap flag, global flag).
    QString mode() const {
        const QString shape = QStringLiteral("%1%2%3%4%5")
                                  .arg(hooks.active(Kind::Interceptor))
                                  .arg(hooks.active(Kind::Global))
                                  .arg(hooks.active(Kind::Local))
                                  .arg(int(detector->isUsingAccessibilityForHotkey()))
                                  .arg(int(detector->isGlobalHotkeyAvailable()));
        static const QHash<QString, QString> names{
            {"00000", "stopped"}, {"10111", "tap"}, {"01101", "global"}, {"00100", "local"}};
        return names.value(shape, shape);
    }
};

}  // namespace

class TestChordDetector : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void detectionModes() {
        Rig rig;
        ChordDetector& d = *rig.detector;
        d.startMonitoring();
        QCOMPARE(rig.mode(), QStringLiteral("tap"));
        QCOMPARE(rig.hooks.activeInterceptor()->keyCode, KeyCode::V);
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
        Rig rig;
        rig.trust.setTrusted(false);
        rig.detector->startMonitoring();
        const quint64 cmdShiftOpt = kCmdShift | ModifierFlag::Option;
        QVERIFY(!rig.other({KeyCode::V, cmdShiftOpt | 0x8, false}));  // observed, not consumed
        rig.own(kChord);
        QCOMPARE(rig.presses, 2);
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

        // The interceptor consumes the chord; work still queued when the detector goes is
        // dropped.
        rig.trust.setTrusted(true);
        rig.detector->restartMonitoring();
        QVERIFY(rig.hooks.pressInOtherApp({KeyCode::V, cmdShiftOpt, false}));
        QVERIFY(!rig.hooks.pressInOtherApp({KeyCode::V, ModifierFlag::Command, false}));
        rig.detector.reset();
        rig.scheduler.runUntilIdle();
        QCOMPARE(rig.presses, 5);
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
        Rig rig;
        ChordDetector& d = *rig.detector;
        QSignalSpy changed(&d, &ChordDetector::isHotkeyTakenByAnotherProgramChanged);
        rig.trust.setTrusted(trusted);
        rig.hooks.setChordHeldElsewhere(heldElsewhere);
        rig.hooks.setRefuseGlobalObservation(globalRefused);
        d.startMonitoring();
        QTEST(d.isHotkeyTakenByAnotherProgram(), "taken");
        QCOMPARE(changed.count(), int(d.isHotkeyTakenByAnotherProgram()));
        // Freed by the other program: the next installation clears the flag.
        rig.hooks.setChordHeldElsewhere(false);
        d.restartMonitoring();
        QVERIFY(!d.isHotkeyTakenByAnotherProgram());
    }

    void pausedDetectionReleasesTheChord() {
        Rig rig;
        ChordDetector& d = *rig.detector;
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
        QCOMPARE(rig.mode(), QStringLiteral("tap"));
        QCOMPARE(rig.hooks.activeInterceptor()->keyCode, quint16(40));

        // Stopped while paused (the application quits): resuming brings nothing back.
        pause = d.pauseDetection();
        d.stopMonitoring();
        pause.reset();
        QCOMPARE(rig.mode(), QStringLiteral("stopped"));
    }
};

QTEST_GUILESS_MAIN(TestChordDetector)
#include "tst_chord_detector.moc"
