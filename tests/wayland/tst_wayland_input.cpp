#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QtTest>

#include <ctime>
#include <memory>
#include <thread>

#include "hotkey/PasteKeystrokeTable.h"
#include "platform/wayland/WaylandAccessibilityTrust.h"
#include "platform/wayland/WaylandKeyInjector.h"
#include "platform/wayland/WaylandSession.h"
#include "platform/wayland/WaylandWorkspace.h"

namespace {
const QString kOwnAppId = QStringLiteral("org.quillstack.InputTest");
const QString kOwnTitle = QStringLiteral("Quillstack input test");

void wlCopy(const QByteArray& text) {
    QProcess copy;
    copy.setStandardOutputFile(QProcess::nullDevice());
    copy.setStandardErrorFile(QProcess::nullDevice());
    copy.start(QStringLiteral("wl-copy"));
    QVERIFY(copy.waitForStarted());
    copy.write(text);
    copy.closeWriteChannel();
    QVERIFY(copy.waitForFinished(10'000));
    QCOMPARE(copy.exitCode(), 0);
}

void startFoot(QProcess& foot, const QStringList& arguments) {
    foot.setStandardOutputFile(QProcess::nullDevice());
    foot.setStandardErrorFile(QProcess::nullDevice());
    foot.start(QStringLiteral("foot"), arguments);
    QVERIFY(foot.waitForStarted());
}

double cpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

QByteArray socketPath(const QString& display) {
    return display.startsWith(u'/') ? display.toLocal8Bit()
                                    : qgetenv("XDG_RUNTIME_DIR") + '/' + display.toLocal8Bit();
}

// Passes one client's connection on to the compositor, descriptors included, until cut: to that
// client the compositor is gone, while Qt's own connection lives on.
class Relay {
  public:
    Relay()
        : m_name(QStringLiteral("quillstack-relay-%1").arg(QCoreApplication::applicationPid())) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        qstrncpy(address.sun_path, socketPath(m_name).constData(), sizeof address.sun_path);
        ::unlink(address.sun_path);
        m_listen = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (::bind(m_listen, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
            ::listen(m_listen, 1) == 0 && ::pipe2(m_stop, O_CLOEXEC) == 0) {
            m_thread = std::thread([this] { run(); });
        }
    }
    ~Relay() {
        cut();
        ::close(m_listen);
        ::unlink(socketPath(m_name).constData());
    }
    QString name() const { return m_name; }
    void cut() {
        if (m_thread.joinable()) {
            [[maybe_unused]] const ssize_t woken = ::write(m_stop[1], "x", 1);
            m_thread.join();
            ::close(m_stop[0]);
            ::close(m_stop[1]);
        }
    }

  private:
    void run() {
        pollfd waiting[2] = {{m_listen, POLLIN, 0}, {m_stop[0], POLLIN, 0}};
        if (::poll(waiting, 2, -1) <= 0 || waiting[1].revents != 0) {
            return;
        }
        const int client = ::accept4(m_listen, nullptr, nullptr, SOCK_CLOEXEC);
        const int upstream = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        qstrncpy(address.sun_path, socketPath(qEnvironmentVariable("WAYLAND_DISPLAY")).constData(),
                 sizeof address.sun_path);
        if (::connect(upstream, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
            pollfd fds[3] = {{client, POLLIN, 0}, {upstream, POLLIN, 0}, {m_stop[0], POLLIN, 0}};
            while (::poll(fds, 3, -1) > 0 && fds[2].revents == 0 &&
                   (fds[0].revents == 0 || forward(client, upstream)) &&
                   (fds[1].revents == 0 || forward(upstream, client))) {
            }
        }
        ::close(client);
        ::close(upstream);
    }
    static bool forward(int from, int to) {
        char data[4096];
        alignas(cmsghdr) char control[CMSG_SPACE(sizeof(int) * 28)];
        iovec io{data, sizeof data};
        msghdr message{};
        message.msg_iov = &io;
        message.msg_iovlen = 1;
        message.msg_control = control;
        message.msg_controllen = sizeof control;
        const ssize_t received = ::recvmsg(from, &message, MSG_CMSG_CLOEXEC);
        if (received <= 0) {
            return false;
        }
        io.iov_len = size_t(received);
        const bool sent = ::sendmsg(to, &message, MSG_NOSIGNAL) == received;
        for (cmsghdr* c = CMSG_FIRSTHDR(&message); c; c = CMSG_NXTHDR(&message, c)) {
            const auto* fds = reinterpret_cast<const int*>(CMSG_DATA(c));
            for (size_t i = 0; i < (c->cmsg_len - CMSG_LEN(0)) / sizeof(int); ++i) {
                ::close(fds[i]);
            }
        }
        return sent;
    }

    QString m_name;
    int m_listen = -1;
    int m_stop[2] = {-1, -1};
    std::thread m_thread;
};
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
        wlCopy(text.toUtf8());
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
        wlCopy(text);
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
        QTest::addColumn<bool>("throughRelay");
        QTest::newRow("no such display") << false;
        QTest::newRow("compositor gone") << true;
    }
    void withoutCompositor() {
        QFETCH(bool, throughRelay);
        Relay relay;
        WaylandSession session(throughRelay ? relay.name() : QStringLiteral("quillstack-none"));
        WaylandKeyInjector injector(session);
        WaylandWorkspace workspace(session, kOwnAppId);
        WaylandAccessibilityTrust trust(session);
        if (throughRelay) {
            QVERIFY(trust.isTrusted());
            QVERIFY(session.hasForeignToplevel());
            QTRY_VERIFY(workspace.frontmostApplication());
            QSignalSpy lost(&session, &WaylandSession::connectionLost);
            relay.cut();
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
