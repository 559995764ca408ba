#include <QtTest>

#include <QGuiApplication>
#include <QLineEdit>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>

#include "X11Desktop.h"

// The built application on a real X server: copies made by other clients, the chord, the popup
// and the paste into a window of this test and into real terminals, which do not paste on
// Control+V (a raw-mode `cat` in each writes exactly the bytes the terminal received).

// Terminals take it byte for byte, shell and escape characters included.
static const QString kText = QStringLiteral("Grüße ✓ ünïcödé $HOME `x` \\ 'q'");

class TestEndToEnd : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase() {
        QVERIFY2(QFileInfo(applicationPath()).isExecutable(), qPrintable(applicationPath()));
        m_app.setProcessEnvironment(m_session.environment());
        m_app.setProcessChannelMode(QProcess::ForwardedOutputChannel);
        connect(&m_app, &QProcess::readyReadStandardError, this,
                [this] { m_log += m_app.readAllStandardError(); });
        m_app.start(applicationPath(), {"--language", "en"});
        QVERIFY(m_app.waitForStarted());

        m_target.setWindowTitle("Quillstack test target");
        m_target.resize(300, 40);
        m_target.move(40, 40);
        m_target.show();
        focusTarget();
        // The chord is grabbed before the event loop runs. A build without diagnostic lines
        // says nothing, so it gets a few seconds instead.
        QElapsedTimer started;
        started.start();
        QTRY_VERIFY_WITH_TIMEOUT(m_log.contains("event loop running") || started.elapsed() > 4000,
                                 6000);
        QTest::qWait(300);
    }

    void chordWithEmptyHistoryShowsNothing() {
        focusTarget();
        key("super+shift+v", 0);
        QTest::qWait(800);
        QVERIFY(!visiblePopup());
        // The chord is consumed: the field never sees its V.
        QCOMPARE(m_target.text(), QString());
    }

    void pastesTheChosenCopyIntoTheFocusedWindow() {
        for (const char* text : {"A", "B", "C"}) {
            copy(text);
        }
        focusTarget();
        key("super+shift+v", 0);
        QVERIFY(waitForPopup(true));
        const QRect popup = *visiblePopup();
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(popup.size(), QSize(420, 3 * 56 + 80));
        QVERIFY(qAbs(popup.center().x() - area.center().x()) <= 1);
        QVERIFY(qAbs(popup.center().y() - area.center().y()) <= 1);

        key("Down", 0);
        key("Return", 0);
        QTRY_COMPARE_WITH_TIMEOUT(m_target.text(), QString("B"), 5000);
        QVERIFY(waitForPopup(false));
        QCOMPARE(run("xclip", {"-o", "-selection", "clipboard"}), QString("B"));

        // Restoring B did not move it: the newest row is still C.
        QTest::qWait(700);
        key("super+shift+v", 0);
        QVERIFY(waitForPopup(true));
        key("Return", 0);
        QTRY_COMPARE_WITH_TIMEOUT(m_target.text(), QString("BC"), 5000);
        QTRY_VERIFY(m_target.isActiveWindow());

        // Escape pastes nothing and gives the focus back.
        key("super+shift+v", 0);
        QVERIFY(waitForPopup(true));
        QTRY_VERIFY(!m_target.isActiveWindow());
        key("Escape", 0);
        QVERIFY(waitForPopup(false));
        QTRY_VERIFY_WITH_TIMEOUT(m_target.isActiveWindow(), 3000);
        QCOMPARE(m_target.text(), QString("BC"));
    }

    void pastesIntoTerminal_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("windowClass");
        QTest::newRow("xterm (Shift+Insert, PRIMARY)")
            << "xterm" << QStringList{"-u8", "-e"} << "XTerm";
        QTest::newRow("lxterminal (VTE, Control+Shift+V)")
            << "lxterminal" << QStringList{"--no-remote", "-e"} << "Lxterminal";
    }
    // A desktop's own shortcut runs the command; it must do what the chord does.
    void toggleCommandActsAsTheChord() {
        const auto command = [this] {
            QProcess second;
            second.setProcessEnvironment(m_session.environment());
            second.start(applicationPath(), {"--toggle-popup"});
            QVERIFY(second.waitForFinished(5000));
            QCOMPARE(second.exitCode(), 0);
        };
        m_target.clear();
        focusTarget();
        command();
        QVERIFY(waitForPopup(true));
        command();
        QVERIFY(waitForPopup(false));
        QTRY_VERIFY_WITH_TIMEOUT(m_target.isActiveWindow(), 3000);
        command();
        QVERIFY(waitForPopup(true));
        key("Return", 0);
        QTRY_COMPARE_WITH_TIMEOUT(m_target.text(), QString("C"), 5000);
        QVERIFY(waitForPopup(false));
    }

    void pastesIntoTerminal() {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QFETCH(QString, windowClass);
        if (QStandardPaths::findExecutable(program).isEmpty()) {
            QFAIL(qPrintable(program + " is missing: run tools/deps"));
        }
        copy(kText);
        copy(QStringLiteral("newer"));  // Down selects the text
        const QString output = m_session.filePath(program + ".out");
        QProcess terminal;
        auto stop = qScopeGuard([&terminal] {
            terminal.kill();
            terminal.waitForFinished(3000);
        });
        startTerminal(terminal, program, arguments, windowClass, output);
        if (QTest::currentTestFailed()) {
            return;
        }

        key("super+shift+v", 0);
        QVERIFY(waitForPopup(true));
        key("Down", 0);
        key("Return", 0);
        auto received = [&output] {
            QFile file(output);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        QTRY_COMPARE_WITH_TIMEOUT(received(), kText.toUtf8(), 8000);
        // Nothing else arrives after it (a stray ^V or a second paste).
        QTest::qWait(500);
        QCOMPARE(received(), kText.toUtf8());
    }

    // The target goes away between the chord and Return: the paste finds no window, and the
    // application neither crashes nor stops answering the chord.
    void vanishedTarget() {
        const QString output = m_session.filePath("vanishing.out");
        QProcess terminal;
        startTerminal(terminal, "xterm", {"-u8", "-e"}, "XTerm", output);
        if (QTest::currentTestFailed()) {
            return;
        }
        key("super+shift+v", 0);
        QVERIFY(waitForPopup(true));
        terminal.kill();
        QVERIFY(terminal.waitForFinished(3000));
        key("Return", 0);
        QVERIFY(waitForPopup(false));
        QTest::qWait(1500);
        QCOMPARE(m_app.state(), QProcess::Running);
        key("super+shift+v", 0);
        QVERIFY(waitForPopup(true));
        key("Escape", 0);
        QVERIFY(waitForPopup(false));
    }

    void cleanup() {
        if (QTest::currentTestFailed()) {
            qWarning("application log:\n%s", m_log.constData());
        }
    }

    void cleanupTestCase() {
        m_copies.owners.clear();
        if (m_app.state() == QProcess::Running) {
            m_app.terminate();
            QVERIFY(m_app.waitForFinished(10000));
            QCOMPARE(m_app.exitStatus(), QProcess::NormalExit);
            QCOMPARE(m_app.exitCode(), 0);
        }
    }

  private:
    void focusTarget() {
        m_target.raise();
        m_target.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&m_target));
        m_target.setFocus();
    }

    // Starts the terminal on a raw-mode `cat` into `output` and brings its window to the front.
    void startTerminal(QProcess& terminal, const QString& program, QStringList arguments,
                       const QString& windowClass, const QString& output) {
        const QString script = m_session.filePath(program + ".sh");
        QFile file(script);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\nstty raw -echo\nexec cat > '" + QFile::encodeName(output) + "'\n");
        file.close();
        QVERIFY(file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                    QFileDevice::ExeOwner));
        QFile::remove(output);

        QProcessEnvironment env = m_session.environment();
        env.insert("LC_ALL", "C.UTF-8");
        env.insert("NO_AT_BRIDGE", "1");
        terminal.setProcessEnvironment(env);
        terminal.setProcessChannelMode(QProcess::ForwardedChannels);
        terminal.start(program, arguments << script);
        QVERIFY(terminal.waitForStarted());
        // The shell inside has set the terminal up once the file exists.
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(output), 10000);
        const QString window =
            run("xdotool", {"search", "--sync", "--onlyvisible", "--class", windowClass})
                .section('\n', 0, 0);
        QVERIFY(!window.isEmpty());
        run("xdotool", {"windowactivate", "--sync", window});
        QTRY_COMPARE_WITH_TIMEOUT(run("xdotool", {"getactivewindow"}), window, 3000);
        QTest::qWait(300);
    }

    void copy(const QString& text) { m_copies.text(text); }

    AppSession m_session;
    QProcess m_app;
    QByteArray m_log;
    QLineEdit m_target;
    ClipboardCopies m_copies;
};

QTEST_MAIN(TestEndToEnd)
#include "tst_end_to_end.moc"
