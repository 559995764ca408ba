// SPDX-License-Identifier: MIT
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QProcess>
#include <QtTest>

#include <optional>

#include "ClipboardClients.h"
#include "ClipboardRigs.h"
#include "chord/PasteKeystrokeTable.h"
#include "platform/wayland/WaylandClipboard.h"
#include "platform/wayland/WaylandInputInjectionAccess.h"
#include "platform/wayland/WaylandKeyInjector.h"
#include "platform/wayland/WaylandSession.h"
#include "platform/wayland/WaylandWindowTracker.h"

namespace {
const QString kOwnAppId = QStringLiteral("org.quillstack.InputTest");
const QString kOwnTitle = QStringLiteral("Quillstack ✓ input tést");

void startFoot(QProcess& foot, const QStringList& arguments, const QString& display = {}) {
    quiet(foot, display);
    foot.start(QStringLiteral("foot"), arguments);
    QVERIFY(foot.waitForStarted());
}

}  // namespace

class TestWaylandInput : public QObject {
    Q_OBJECT
  private:
    WaylandSession m_session;
    WaylandWindowTracker m_windowTracker{m_session, kOwnAppId};
    QLineEdit m_window;
    RunningApp m_own;

    std::optional<RunningApp> front() const { return m_windowTracker.frontmostApplication(); }
    QString frontAppId() const { return front().value_or(RunningApp{}).windowClass; }
    void waitUntilOursIsFront() {
        QTRY_COMPARE_WITH_TIMEOUT(frontAppId(), kOwnAppId, 10'000);
        m_own = *front();
        QTRY_VERIFY(m_window.isActiveWindow());
    }

  private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_session.isConnected());
        QGuiApplication::setDesktopFileName(kOwnAppId);
        m_window.setWindowTitle(kOwnTitle);
        m_window.show();
        waitUntilOursIsFront();
        QCOMPARE(std::tuple(m_own.pid, m_own.name, m_own.windowInstance),
                 std::tuple(QCoreApplication::applicationPid(), kOwnTitle, QString("inputtest")));
    }

    // Our own window has a dotted app id; foot's is plain.
    void windowTrackerTracksWindows() {
        QProcess foot;
        startFoot(foot, {"--title=foot title", "sleep", "60"});
        QTRY_COMPARE_WITH_TIMEOUT(frontAppId(), QStringLiteral("foot"), 10'000);
        const RunningApp terminal = *front();
        QCOMPARE(std::tuple(terminal.windowInstance, terminal.name, terminal.pid),
                 std::tuple(QString("foot"), QString("foot title"), 0));
        QVERIFY(terminal.window != 0 && terminal.window != m_own.window);

        m_windowTracker.activate(m_own);
        waitUntilOursIsFront();
        m_windowTracker.activate(terminal);
        QTRY_COMPARE(front().value_or(RunningApp{}).window, terminal.window);

        // Nothing else is left on screen once the terminal closes: a window that stays listed
        // after closing would still count as frontmost.
        m_window.hide();
        foot.kill();
        QVERIFY(foot.waitForFinished());
        QTRY_VERIFY(!front());
        m_windowTracker.activate(terminal);
        const quint64 before = m_own.window;
        m_window.show();
        waitUntilOursIsFront();
        QVERIFY(m_own.window > before);
    }

    // Ours is in front: the test before ends so, as does the start.
    void injectorPastesIntoQtField() {
        m_window.clear();
        m_window.setFocus();
        const QString text = QStringLiteral("Paste ✓ Ünïcode 42 ");
        runTool("wl-copy", {}, text.toUtf8());
        QTRY_COMPARE(QGuiApplication::clipboard()->text(), text);

        // The first keystrokes come right after the keymap, before the compositor can have
        // taken it in.
        WaylandKeyInjector injector(m_session);
        for (int i = 0; i < 10; ++i) {
            QVERIFY(injector.postPasteKeystroke(PasteKeystrokeTable::controlV));
        }
        QTRY_COMPARE_WITH_TIMEOUT(m_window.text(), text.repeated(10), 10'000);
        QTest::qWait(200);
        QCOMPARE(m_window.text(), text.repeated(10));
    }

    // The objects of a session whose compositor goes away report failure from then on.
    void compositorGoesAway() {
        QVERIFY(!WaylandClipboard::isOffered("quillstack-none"));
        NestedCompositor compositor;
        QProcess foot;
        startFoot(foot, {"sleep", "60"}, compositor.display());
        QVERIFY(WaylandClipboard::isOffered(compositor.display()));
        WaylandSession session(compositor.display());
        WaylandKeyInjector injector(session);
        WaylandWindowTracker windowTracker(session, kOwnAppId);
        WaylandInputInjectionAccess trust(session);
        WaylandClipboard clipboard(compositor.display());
        QVERIFY(trust.isTrusted());
        QTRY_VERIFY(windowTracker.frontmostApplication());
        clipboard.write({{"text/plain", "before"}});
        QVERIFY(confirmed(clipboard));
        QSignalSpy lost(&session, &WaylandSession::connectionLost);
        compositor.goAway();
        QTRY_COMPARE(lost.count(), 1);
        const qint64 count = clipboard.changeCount();
        QTRY_VERIFY(!clipboard.isConnected());
        QCOMPARE(std::tuple(clipboard.write({{"text/plain", "x"}}), confirmed(clipboard),
                            clipboard.items().isEmpty(), session.isConnected(), trust.isTrusted(),
                            injector.postPasteKeystroke(PasteKeystrokeTable::controlV),
                            windowTracker.frontmostApplication().has_value()),
                 std::tuple(false, false, true, false, false, false, false));
        windowTracker.activate(m_own);
        // A dead socket stays readable: still watching it would spin.
        const qint64 cpu = StallMeter::cpuMs(CLOCK_PROCESS_CPUTIME_ID);
        QTest::qWait(300);
        const qint64 spent = StallMeter::cpuMs(CLOCK_PROCESS_CPUTIME_ID) - cpu;
        QVERIFY2(spent < 150, qPrintable(QString::number(spent)));
        QCOMPARE(clipboard.changeCount(), count);
    }
};

QTEST_MAIN(TestWaylandInput)
#include "tst_wayland_input.moc"
