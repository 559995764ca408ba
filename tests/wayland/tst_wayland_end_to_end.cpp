#include <QtTest>

#include <QGuiApplication>
#include <QLineEdit>
#include <QProcess>
#include <QStandardPaths>

#include "AppSession.h"
#include "platform/KeyInjector.h"
#include "platform/wayland/SwayIpc.h"
#include "platform/wayland/WaylandKeyInjector.h"
#include "platform/wayland/WaylandKeyboardHooks.h"
#include "platform/wayland/WaylandSession.h"
#include "platform/wayland/WaylandWorkspace.h"

// The built application as a native client of a real compositor: copies made by other clients,
// the chord typed on a keyboard of this test (sway runs the binding the application made), the
// popup, and the paste into a window of this test and into a terminal whose raw-mode `cat`
// writes exactly the bytes the terminal received.

namespace {
// Terminals take it byte for byte, shell and escape characters included.
const QString kText = QStringLiteral("Grüße ✓ ünïcödé $HOME `x` \\ 'q'");
constexpr Keystroke kChord{ModifierFlag::Command | ModifierFlag::Shift, KeyCode::V};
constexpr Keystroke kDown{0, KeyCode::DownArrow};
constexpr Keystroke kReturn{0, KeyCode::Return};

void wlCopy(const QString& text) {
    QProcess copy;
    copy.start(QStringLiteral("wl-copy"), {QStringLiteral("--"), text});
    QVERIFY(copy.waitForFinished(5000));
    QCOMPARE(copy.exitCode(), 0);
    // Copies closer together than the history's check interval count as one.
    QTest::qWait(700);
}

QByteArray wlPaste() {
    QProcess paste;
    paste.start(QStringLiteral("wl-paste"), {QStringLiteral("-n")});
    paste.waitForFinished(5000);
    return paste.readAllStandardOutput();
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
}  // namespace

class TestWaylandEndToEnd : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase() {
        QVERIFY2(QFileInfo(applicationPath()).isExecutable(), qPrintable(applicationPath()));
        QVERIFY(m_wayland.isConnected() && m_wayland.hasVirtualKeyboard() &&
                m_wayland.hasForeignToplevel());
        markOnboarded(m_session);
        QProcessEnvironment env = m_session.environment();
        // sway runs the bound command in its own environment: the command must find this
        // instance's socket in the session's runtime folder, next to the compositor's.
        env.insert("XDG_RUNTIME_DIR", qEnvironmentVariable("XDG_RUNTIME_DIR"));
        m_app.setProcessEnvironment(env);
        m_app.setProcessChannelMode(QProcess::ForwardedOutputChannel);
        connect(&m_app, &QProcess::readyReadStandardError, this,
                [this] { m_log += m_app.readAllStandardError(); });
        m_app.start(applicationPath(), {"--language", "en"});
        QVERIFY(m_app.waitForStarted());

        m_target.setWindowTitle("Quillstack test target");
        m_target.resize(300, 40);
        m_target.show();
        QVERIFY(QTest::qWaitForWindowActive(&m_target));
        // The chord is bound before the event loop runs. A build without diagnostic lines
        // says nothing, so it gets a few seconds instead.
        QElapsedTimer started;
        started.start();
        QTRY_VERIFY_WITH_TIMEOUT(m_log.contains("event loop running") || started.elapsed() > 4000,
                                 6000);
        QTest::qWait(300);
    }

    void chordPastesTheChosenCopyIntoAQtField() {
        wlCopy("first");
        wlCopy("second");
        QTRY_VERIFY(frontClass() == QGuiApplication::desktopFileName());
        QVERIFY(m_keyboard.postPasteKeystroke(kChord));
        QTRY_COMPARE_WITH_TIMEOUT(frontClass(), QString("quillstack"), 5000);
        QVERIFY(m_keyboard.postPasteKeystroke(kDown));
        QVERIFY(m_keyboard.postPasteKeystroke(kReturn));
        QTRY_COMPARE_WITH_TIMEOUT(m_target.text(), QString("first"), 5000);
        QCOMPARE(wlPaste(), QByteArray("first"));
        QTest::qWait(300);
        QCOMPARE(m_target.text(), QString("first"));

        // The same through the command a desktop's own shortcut runs; Escape pastes nothing.
        QProcess toggle;
        toggle.setProcessEnvironment(m_app.processEnvironment());
        toggle.start(applicationPath(), {"--toggle-popup"});
        QVERIFY(toggle.waitForFinished(5000));
        QCOMPARE(toggle.exitCode(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(frontClass(), QString("quillstack"), 5000);
        QVERIFY(m_keyboard.postPasteKeystroke(Keystroke{0, KeyCode::Escape}));
        QTRY_VERIFY_WITH_TIMEOUT(m_target.isActiveWindow(), 5000);
        QTest::qWait(300);
        QCOMPARE(m_target.text(), QString("first"));
    }

    void chordPastesIntoFoot() {
        if (QStandardPaths::findExecutable("foot").isEmpty()) {
            QFAIL("foot is missing: run tools/deps");
        }
        const QString output = m_session.filePath("foot.out");
        const QString script = m_session.filePath("foot.sh");
        QFile file(script);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\nstty raw -echo\nexec cat > '" + QFile::encodeName(output) + "'\n");
        file.close();
        QVERIFY(file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                    QFileDevice::ExeOwner));
        QProcess foot;
        auto stop = qScopeGuard([&foot] {
            foot.kill();
            foot.waitForFinished(3000);
        });
        QProcessEnvironment env = m_session.environment();
        env.insert("XDG_RUNTIME_DIR", qEnvironmentVariable("XDG_RUNTIME_DIR"));
        env.insert("LC_ALL", "C.UTF-8");
        foot.setProcessEnvironment(env);
        foot.setProcessChannelMode(QProcess::ForwardedChannels);
        foot.start("foot", {script});
        QVERIFY(foot.waitForStarted());
        // The shell inside has set the terminal up once the file exists.
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(output), 10000);
        QTRY_COMPARE_WITH_TIMEOUT(frontClass(), QString("foot"), 5000);

        wlCopy(kText);
        wlCopy("newer");  // Down selects the text
        QVERIFY(m_keyboard.postPasteKeystroke(kChord));
        QTRY_COMPARE_WITH_TIMEOUT(frontClass(), QString("quillstack"), 5000);
        QVERIFY(m_keyboard.postPasteKeystroke(kDown));
        QVERIFY(m_keyboard.postPasteKeystroke(kReturn));
        QTRY_COMPARE_WITH_TIMEOUT(contents(output), kText.toUtf8(), 8000);
        // Nothing else arrives after it (a stray ^V or a second paste).
        QTest::qWait(500);
        QCOMPARE(contents(output), kText.toUtf8());
    }

    // The binding runs its command through sway and sh exactly, and goes with its handle.
    void swayBindingRunsTheCommandUntilDropped() {
        const SwayIpc sway(SwayIpc::sessionSocket());
        const QString output = m_session.filePath("bound.out");
        const QString argument = QStringLiteral("it's \"quoted\" \\ $HOME `x`; a, b ✓\\");
        WaylandKeyboardHooks hooks(
            &sway, {"/bin/sh", "-c", "printf %s \"$1\" > \"$0\"", output, argument});
        ChordRefusal refusal = ChordRefusal::None;
        std::unique_ptr<HookHandle> binding = hooks.interceptChord(
            KeyCode::V, ModifierFlag::Control | ModifierFlag::Option, {}, &refusal);
        QVERIFY(binding);
        const Keystroke chord{ModifierFlag::Control | ModifierFlag::Option, KeyCode::V};
        QVERIFY(m_keyboard.postPasteKeystroke(chord));
        QTRY_COMPARE_WITH_TIMEOUT(contents(output), argument.toUtf8(), 5000);

        binding.reset();
        QFile::remove(output);
        QVERIFY(m_keyboard.postPasteKeystroke(chord));
        QTest::qWait(700);
        QVERIFY(!QFile::exists(output));

        // A key sway cannot name is refused, and says so.
        QVERIFY(!hooks.interceptChord(0xFFFF, ModifierFlag::Control, {}, &refusal));
        QCOMPARE(refusal, ChordRefusal::Unavailable);
    }

    void cleanup() {
        if (QTest::currentTestFailed()) {
            qWarning("application log:\n%s", m_log.constData());
        }
    }

    void cleanupTestCase() {
        if (m_app.state() == QProcess::Running) {
            m_app.terminate();
            QVERIFY(m_app.waitForFinished(10000));
            QCOMPARE(m_app.exitStatus(), QProcess::NormalExit);
            QCOMPARE(m_app.exitCode(), 0);
        }
    }

  private:
    QString frontClass() const {
        const std::optional<RunningApp> front = m_workspace.frontmostApplication();
        return front ? front->windowClass : QString();
    }

    AppSession m_session;
    WaylandSession m_wayland;
    WaylandKeyInjector m_keyboard{m_wayland};
    WaylandWorkspace m_workspace{m_wayland, QStringLiteral("tst_wayland_end_to_end")};
    QProcess m_app;
    QByteArray m_log;
    QLineEdit m_target;
};

int main(int argc, char** argv) {
    QGuiApplication::setDesktopFileName(QStringLiteral("tst_wayland_end_to_end"));
    QApplication app(argc, argv);
    TestWaylandEndToEnd test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_wayland_end_to_end.moc"
