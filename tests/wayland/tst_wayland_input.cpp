#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QtTest>

#include <ctime>
#include <memory>
#include <optional>

#include "ClipboardClients.h"
#include "hotkey/PasteKeystrokeTable.h"
#include "platform/wayland/WaylandAccessibilityTrust.h"
#include "platform/wayland/WaylandKeyInjector.h"
#include "platform/wayland/WaylandSession.h"
#include "platform/wayland/WaylandWorkspace.h"

namespace {
const QString kOwnAppId = QStringLiteral("org.quillstack.InputTest");
const QString kOwnTitle = QStringLiteral("Quillstack input test");

double cpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

}  // namespace

class TestWaylandInput : public QObject {
    Q_OBJECT
  private:
    QTemporaryDir m_dir;
    std::unique_ptr<WaylandSession> m_session;
    std::unique_ptr<WaylandWorkspace> m_workspace;
    // One virtual keyboard for every test, as in the application.
    std::unique_ptr<WaylandKeyInjector> m_injector;
    QWidget m_window;
    QLineEdit* m_field = new QLineEdit(&m_window);
    RunningApp m_own;

    std::optional<RunningApp> front() const { return m_workspace->frontmostApplication(); }
    QString frontAppId() const { return front().value_or(RunningApp{}).windowClass; }
    quint64 frontWindow() const { return front().value_or(RunningApp{}).window; }
    void waitUntilOursIsFront() {
        QTRY_COMPARE_WITH_TIMEOUT(frontAppId(), kOwnAppId, 10'000);
        m_own = *front();
        QTRY_VERIFY(m_window.isActiveWindow());
    }

  private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        m_session = std::make_unique<WaylandSession>();
        QVERIFY(m_session->isConnected());
        m_workspace = std::make_unique<WaylandWorkspace>(*m_session, kOwnAppId);
        QGuiApplication::setDesktopFileName(kOwnAppId);
        m_window.setWindowTitle(kOwnTitle);
        (new QVBoxLayout(&m_window))->addWidget(m_field);
        m_window.show();
        waitUntilOursIsFront();
        QCOMPARE(m_own.pid, QCoreApplication::applicationPid());
        QCOMPARE(m_own.name, kOwnTitle);
        QCOMPARE(m_own.windowInstance, QStringLiteral("inputtest"));
    }
    void cleanupTestCase() {
        m_injector.reset();
        m_workspace.reset();
        m_session.reset();
    }

    void workspaceTracksWindows_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("appId");
        QTest::addColumn<QString>("instance");
        QTest::addColumn<QString>("name");
        QTest::newRow("plain app id") << QStringList{} << "foot"
                                      << "foot"
                                      << "foot";
        QTest::newRow("dotted app id, own title")
            << QStringList{"--app-id=org.Example.TermTest", "--title=Tést ✓ title"}
            << "org.Example.TermTest"
            << "termtest"
            << "Tést ✓ title";
    }
    void workspaceTracksWindows() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, appId);
        QFETCH(QString, instance);
        QFETCH(QString, name);
        QProcess foot;
        startFoot(foot, arguments + QStringList{"sleep", "60"});
        QTRY_COMPARE_WITH_TIMEOUT(frontAppId(), appId, 10'000);
        const RunningApp terminal = *front();
        QCOMPARE(terminal.windowInstance, instance);
        QCOMPARE(terminal.name, name);
        QCOMPARE(terminal.pid, 0);
        QVERIFY(terminal.window != 0 && terminal.window != m_own.window);

        m_workspace->activate(m_own);
        waitUntilOursIsFront();
        m_workspace->activate(terminal);
        QTRY_COMPARE(frontWindow(), terminal.window);
        QTRY_VERIFY(!m_window.isActiveWindow());

        // Nothing else is left on screen once the terminal closes: a window that stays listed
        // after closing would still count as frontmost.
        m_window.hide();
        foot.kill();
        QVERIFY(foot.waitForFinished());
        QTRY_VERIFY(!front());
        m_workspace->activate(terminal);
        const quint64 before = m_own.window;
        m_window.show();
        waitUntilOursIsFront();
        QVERIFY(m_own.window > before);
    }

    void injectorPastesIntoQtField() {
        m_workspace->activate(m_own);
        waitUntilOursIsFront();
        m_field->clear();
        m_field->setFocus();
        const QString text = QStringLiteral("Paste ✓ Ünïcode 42 ");
        runTool("wl-copy", {}, text.toUtf8());
        QTRY_COMPARE(QGuiApplication::clipboard()->text(), text);

        // The first keystrokes come right after the keymap, before the compositor can have
        // taken it in.
        m_injector = std::make_unique<WaylandKeyInjector>(*m_session);
        for (int i = 0; i < 10; ++i) {
            QVERIFY(m_injector->postPasteKeystroke(PasteKeystrokeTable::controlV));
        }
        QTRY_COMPARE_WITH_TIMEOUT(m_field->text(), text.repeated(10), 10'000);
        QTest::qWait(200);
        QCOMPARE(m_field->text(), text.repeated(10));
    }

    void injectorPastesIntoTerminal() {
        if (!m_injector) {
            m_injector = std::make_unique<WaylandKeyInjector>(*m_session);
        }
        const QByteArray text = "echo 'not run' ✓ $HOME";
        runTool("wl-copy", {}, text);
        const QString file = m_dir.filePath(QStringLiteral("typed"));
        QProcess foot;
        startFoot(foot, {"sh", "-c", "exec cat > \"$0\"", file});
        QTRY_COMPARE_WITH_TIMEOUT(frontAppId(), QStringLiteral("foot"), 10'000);
        const RunningApp target = *front();
        const Keystroke paste =
            PasteKeystrokeTable().keystrokeFor(target.windowInstance, target.windowClass);
        QCOMPARE(paste, PasteKeystrokeTable::controlShiftV);
        QVERIFY(m_injector->postPasteKeystroke(paste));
        QVERIFY(m_injector->postPasteKeystroke(Keystroke{0, KeyCode::Return}));
        const auto content = [&file] {
            QFile typed(file);
            return typed.open(QIODevice::ReadOnly) ? typed.readAll() : QByteArray();
        };
        QTRY_COMPARE_WITH_TIMEOUT(content(), text + '\n', 10'000);
        foot.kill();
        QVERIFY(foot.waitForFinished());
    }

    void withoutCompositor_data() {
        QTest::addColumn<bool>("goesAway");
        QTest::newRow("no such display") << false;
        QTest::newRow("compositor gone") << true;
    }
    void withoutCompositor() {
        QFETCH(bool, goesAway);
        std::optional<NestedCompositor> compositor;
        QProcess foot;
        if (goesAway) {
            compositor.emplace();
            startFoot(foot, {"sleep", "60"}, compositor->display());
        }
        WaylandSession session(goesAway ? compositor->display()
                                        : QStringLiteral("quillstack-none"));
        WaylandKeyInjector injector(session);
        WaylandWorkspace workspace(session, kOwnAppId);
        WaylandAccessibilityTrust trust(session);
        if (goesAway) {
            QVERIFY(trust.isTrusted());
            QVERIFY(session.hasForeignToplevel());
            QTRY_VERIFY(workspace.frontmostApplication());
            QSignalSpy lost(&session, &WaylandSession::connectionLost);
            compositor->goAway();
            QTRY_COMPARE(lost.count(), 1);
        }
        QVERIFY(!session.isConnected());
        QVERIFY(!session.hasVirtualKeyboard());
        QVERIFY(!session.hasForeignToplevel());
        QVERIFY(!trust.isTrusted(true));
        QVERIFY(!injector.postPasteKeystroke(PasteKeystrokeTable::controlV));
        QVERIFY(!workspace.frontmostApplication());
        workspace.activate(m_own);
        // A dead socket stays readable: still watching it would spin.
        const double cpu = cpuSeconds();
        QTest::qWait(300);
        QVERIFY2(cpuSeconds() - cpu < 0.15, qPrintable(QString::number(cpuSeconds() - cpu)));
    }
};

QTEST_MAIN(TestWaylandInput)
#include "tst_wayland_input.moc"
