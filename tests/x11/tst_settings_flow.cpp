#include <QtTest>

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
        AppProcess app;
        QVERIFY(app.start());
        QVERIFY(copyText("recorded"));

        // The only window of the application so far is its tray icon, once the host shows it.
        const auto windows = [] { return visibleWindows({"--classname", "quillstack"}); };
        QTRY_VERIFY_WITH_TIMEOUT(!windows().isEmpty(), 20000);
        const QStringList icons = windows();
        // The tray menu's second row opens the settings; the recorder's button is the third
        // control, after the language and the login item (nothing has the focus at first).
        run("xdotool", {"mousemove", "--window", icons.constFirst(), "4", "4", "click", "3"});
        QTRY_VERIFY_WITH_TIMEOUT(windows().size() > icons.size(), 10000);
        key("Down Down Return");
        QTRY_VERIFY_WITH_TIMEOUT(!windowsTitled("Settings").isEmpty(), 10000);
        const QString settings = windowsTitled("Settings").constFirst();
        run("xdotool", {"windowactivate", "--sync", settings});
        QTRY_COMPARE_WITH_TIMEOUT(run("xdotool", {"getactivewindow"}), settings, 10000);
        key("Tab Tab Tab space");
        run("xdotool", {"key", "ctrl+alt+k"});
        QTRY_VERIFY_WITH_TIMEOUT(app.settings().contains("hotkeyKeyCode=40"), 10000);
        run("xdotool", {"windowclose", settings});

        // The new chord opens the popup from another window; the old one no longer does.
        QLineEdit target;
        target.setWindowTitle("settings flow target");
        target.show();
        QVERIFY(QTest::qWaitForWindowExposed(&target));
        run("xdotool", {"windowactivate", "--sync", QString::number(target.winId())});
        run("xdotool", {"key", "super+shift+v"});
        // Released: the window in front receives the old chord as an ordinary key.
        QTRY_COMPARE_WITH_TIMEOUT(target.text(), QString("V"), 10000);
        QVERIFY(!visiblePopup());
        target.clear();
        run("xdotool", {"key", "ctrl+alt+k"});
        QVERIFY(waitForPopup(true));
        key("Return");
        QTRY_COMPARE_WITH_TIMEOUT(target.text(), QString("recorded"), 10000);
        QVERIFY(app.stop());
        trayHost.kill();
    }
};

QTEST_MAIN(TestSettingsFlow)
#include "tst_settings_flow.moc"
