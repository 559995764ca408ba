#include <QtTest>

#include <QLineEdit>
#include <QProcess>

#include <csignal>

#include "X11Desktop.h"

// The settings window of the built application, reached from the tray as a user would, and a
// chord recorded there that takes effect at once.
namespace {
QStringList windowsTitled(const QString& title) {
    return visibleWindows({"--name", "^" + title + "$"});
}
}  // namespace

class TestSettingsFlow : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void recordedChordOpensThePopup() {
        QProcess trayHost;
        QVERIFY(startTrayHost(trayHost));
        AppSession session;
        markOnboarded(session);
        QProcess app;
        app.setProcessEnvironment(session.environment());
        app.setProcessChannelMode(QProcess::ForwardedChannels);
        app.start(applicationPath(), {"--language", "en"});
        QVERIFY(app.waitForStarted());

        // The only window of the application so far is its tray icon.
        QStringList icons;
        QTRY_VERIFY_WITH_TIMEOUT(!(icons = run("xdotool", {"search", "--classname", "quillstack"})
                                               .split('\n', Qt::SkipEmptyParts))
                                      .isEmpty(),
                                 10000);
        QTest::qWait(1000);
        XclipOwner copied("UTF8_STRING", "recorded");
        QTest::qWait(1200);

        // The tray menu's second row opens the settings; the recorder's button is the third
        // control, after the language and the login item (nothing has the focus at first).
        run("xdotool", {"mousemove", "--window", icons.constFirst(), "4", "4", "click", "3"});
        QTest::qWait(500);
        key("Down");
        key("Down");
        key("Return");
        QTRY_VERIFY_WITH_TIMEOUT(!windowsTitled("Settings").isEmpty(), 5000);
        run("xdotool", {"windowactivate", "--sync", windowsTitled("Settings").constFirst()});
        QTest::qWait(500);
        key("Tab");
        key("Tab");
        key("Tab");
        key("space");
        run("xdotool", {"key", "ctrl+alt+k"});
        QTest::qWait(800);
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                QFile file(session.filePath("config/Quillstack/Quillstack.conf"));
                return file.open(QIODevice::ReadOnly) &&
                       file.readAll().contains("hotkeyKeyCode=40");
            }(),
            5000);
        run("xdotool", {"windowclose", windowsTitled("Settings").constFirst()});

        // The new chord opens the popup from another window; the old one no longer does.
        QLineEdit target;
        target.setWindowTitle("settings flow target");
        target.show();
        QVERIFY(QTest::qWaitForWindowExposed(&target));
        run("xdotool", {"windowactivate", "--sync", QString::number(target.winId())});
        run("xdotool", {"key", "super+shift+v"});
        // Released: the window in front receives the old chord as an ordinary key.
        QTRY_COMPARE_WITH_TIMEOUT(target.text(), QString("V"), 3000);
        QVERIFY(!visiblePopup());
        target.clear();
        run("xdotool", {"key", "ctrl+alt+k"});
        QVERIFY(waitForPopup(true));
        key("Return");
        QTRY_COMPARE_WITH_TIMEOUT(target.text(), QString("recorded"), 5000);

        ::kill(pid_t(app.processId()), SIGTERM);
        QVERIFY(app.waitForFinished(10000));
        QCOMPARE(app.exitCode(), 0);
        trayHost.terminate();
        trayHost.waitForFinished(3000);
    }
};

QTEST_MAIN(TestSettingsFlow)
#include "tst_settings_flow.moc"
