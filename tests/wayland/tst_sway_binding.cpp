// SPDX-License-Identifier: MIT
#include <QtTest>

#include "TestHelpers.h"
#include "platform/wayland/SwayIpc.h"
#include "platform/wayland/WaylandKeyInjector.h"
#include "platform/wayland/WaylandKeyboardHooks.h"
#include "platform/wayland/WaylandSession.h"

// The chord's binding through sway's IPC, typed on a keyboard of this test. (The built
// application's binding, popup and pastes: paste_end_to_end.sh.)
class TestSwayBinding : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    // The binding runs its command through sway and sh exactly, and goes with its handle.
    void swayBindingRunsTheCommandUntilDropped() {
        if (!qEnvironmentVariableIsSet("SWAYSOCK")) {
            QSKIP("only sway takes bindings from a client");
        }
        WaylandSession wayland;
        WaylandKeyInjector keyboard{wayland};
        QVERIFY(wayland.isConnected() && wayland.hasVirtualKeyboard());
        const SwayIpc sway(SwayIpc::sessionSocket());
        const QTemporaryDir dir;
        const QString output = dir.filePath("bound.out");
        const QString argument = QStringLiteral("it's \"quoted\" \\ $HOME `x`; a, b ✓\\");
        WaylandKeyboardHooks hooks(
            &sway, {"/bin/sh", "-c", "printf %s \"$1\" > \"$0\"", output, argument});
        ChordRefusal refusal = ChordRefusal::None;
        std::unique_ptr<HookHandle> binding = hooks.interceptChord(
            KeyCode::V, ModifierFlag::Control | ModifierFlag::Alt, {}, &refusal);
        QVERIFY(binding);
        const Keystroke chord{ModifierFlag::Control | ModifierFlag::Alt, KeyCode::V};
        QVERIFY(keyboard.postPasteKeystroke(chord));
        QTRY_COMPARE_WITH_TIMEOUT(readFile(output), argument.toUtf8(), 5000);

        binding.reset();
        QFile::remove(output);
        QVERIFY(keyboard.postPasteKeystroke(chord));
        QTest::qWait(700);
        QVERIFY(!QFile::exists(output));

        // A key sway cannot name is refused, and says so.
        QVERIFY(!hooks.interceptChord(0xFFFF, ModifierFlag::Control, {}, &refusal));
        QCOMPARE(refusal, ChordRefusal::Unavailable);
    }
};

QTEST_GUILESS_MAIN(TestSwayBinding)
#include "tst_sway_binding.moc"
