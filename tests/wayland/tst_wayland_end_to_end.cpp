// SPDX-License-Identifier: MIT
#include <QtTest>

#include <QLineEdit>

#include "PasteScenarios.h"
#include "platform/wayland/SwayIpc.h"
#include "platform/wayland/WaylandKeyInjector.h"
#include "platform/wayland/WaylandKeyboardHooks.h"
#include "platform/wayland/WaylandSession.h"
#include "platform/wayland/WaylandWindowTracker.h"

// The built application as a native client of a real compositor: copies made by other clients,
// the chord typed on a keyboard of this test (sway runs the binding the application made), the
// popup, and the paste into a window of this test and into a terminal.
namespace {
// The popup is seen as the application's window in front; its size is not.
class WaylandPasteDesktop : public PasteDesktop {
  public:
    // The application at times misses later copies once it has kept an owner that left
    // the clipboard of, so owners stay here.
    WaylandPasteDesktop() : PasteDesktop({"wl-copy"}, {"wl-paste", "-n"}, false) {
        // Before the field shows: its window's app id.
        QGuiApplication::setDesktopFileName(QStringLiteral("tst_wayland_end_to_end"));
        m_field.setWindowTitle("Quillstack test target");
        m_field.show();
    }
    // "wtype KEY": typed by wtype, which uploads a keymap of its own.
    void press(const QString& key) override {
        if (key.startsWith(QLatin1String("wtype "))) {
            QCOMPARE(QProcess::execute("wtype", {"-k", key.mid(6)}), 0);
            return;
        }
        static const QHash<QString, Keystroke> keys{
            {"chord", {ModifierFlag::Command | ModifierFlag::Shift, KeyCode::V}},
            {"Down", {0, KeyCode::DownArrow}},
            {"Return", {0, KeyCode::Return}}};
        QVERIFY(m_keyboard.postPasteKeystroke(keys.value(key)));
    }
    bool popupShown() override { return front() == QLatin1String("quillstack"); }
    QString front() override {
        const QString front =
            m_windowTracker.frontmostApplication().value_or(RunningApp{}).windowClass;
        return front == QGuiApplication::desktopFileName() ? QStringLiteral("field") : front;
    }
    QString fieldText() override { return m_field.text(); }
    // A client cannot take the focus here: the field keeps it until a terminal opens.
    void focus(const QString&) override { m_field.clear(); }

    WaylandSession m_wayland;
    WaylandKeyInjector m_keyboard{m_wayland};
    WaylandWindowTracker m_windowTracker{m_wayland, QStringLiteral("tst_wayland_end_to_end")};
    QLineEdit m_field;
};
}  // namespace

class TestWaylandEndToEnd : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_desktop.m_wayland.isConnected() && m_desktop.m_wayland.hasVirtualKeyboard());
        // sway runs the bound command in its own environment: the command must find this
        // instance's socket in the session's runtime folder, next to the compositor's.
        m_app.setEnvironment("XDG_RUNTIME_DIR", qEnvironmentVariable("XDG_RUNTIME_DIR"));
        m_app.setInstanceFolder(qEnvironmentVariable("XDG_RUNTIME_DIR") + "/quillstack");
        // labwc binds the chord in its own configuration, as its users do, to the command.
        if (const QString script = qEnvironmentVariable("QUILLSTACK_CHORD_SCRIPT");
            !script.isEmpty()) {
            QFile file(script);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("exec '" + QFile::encodeName(AppProcess::binary()) + "' --toggle-popup\n");
        }
        QVERIFY(m_app.start());
    }

    void pastes_data() {
        QTest::addColumn<PasteScenario>("scenario");
        // Down and Return come from a keymap of their own: the popup reads them by symbol.
        QTest::newRow("Down, Return pastes the copy before the newest into a Qt field")
            << PasteScenario{
                   {"one", "two"}, "field", {"chord", "wtype Down", "wtype Return"}, "one", "one"};
        QTest::newRow("foot") << PasteScenario{
            {kShellText, "newer"}, "foot", {"chord", "Down", "Return"}, kShellText};
    }
    void pastes() {
        QFETCH(PasteScenario, scenario);
        m_desktop.play(m_app, scenario);
    }

    // The binding runs its command through sway and sh exactly, and goes with its handle.
    void swayBindingRunsTheCommandUntilDropped() {
        if (!qEnvironmentVariableIsSet("SWAYSOCK")) {
            QSKIP("only sway takes bindings from a client");
        }
        const SwayIpc sway(SwayIpc::sessionSocket());
        const QString output = m_app.filePath("bound.out");
        const QString argument = QStringLiteral("it's \"quoted\" \\ $HOME `x`; a, b ✓\\");
        WaylandKeyboardHooks hooks(
            &sway, {"/bin/sh", "-c", "printf %s \"$1\" > \"$0\"", output, argument});
        ChordRefusal refusal = ChordRefusal::None;
        std::unique_ptr<HookHandle> binding = hooks.interceptChord(
            KeyCode::V, ModifierFlag::Control | ModifierFlag::Option, {}, &refusal);
        QVERIFY(binding);
        const Keystroke chord{ModifierFlag::Control | ModifierFlag::Option, KeyCode::V};
        QVERIFY(m_desktop.m_keyboard.postPasteKeystroke(chord));
        QTRY_COMPARE_WITH_TIMEOUT(readFile(output), argument.toUtf8(), 5000);

        binding.reset();
        QFile::remove(output);
        QVERIFY(m_desktop.m_keyboard.postPasteKeystroke(chord));
        QTest::qWait(700);
        QVERIFY(!QFile::exists(output));

        // A key sway cannot name is refused, and says so.
        QVERIFY(!hooks.interceptChord(0xFFFF, ModifierFlag::Control, {}, &refusal));
        QCOMPARE(refusal, ChordRefusal::Unavailable);
    }

    void cleanup() { m_app.reportIfFailed(); }
    void cleanupTestCase() { QVERIFY(m_app.stop()); }

  private:
    AppProcess m_app;
    WaylandPasteDesktop m_desktop;
};

QTEST_MAIN(TestWaylandEndToEnd)
#include "tst_wayland_end_to_end.moc"
