#include <QtTest>

#include "platform/freedesktop/DesktopShortcutSettings.h"

class TestDesktopShortcutSettings : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void commandForTheDesktop_data() {
        QTest::addColumn<QString>("desktop");
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QString>("command");
        const QStringList all{"gnome-control-center", "systemsettings", "systemsettings5",
                              "xfce4-keyboard-settings"};
        QTest::newRow("GNOME") << "GNOME" << all << "gnome-control-center keyboard";
        QTest::newRow("Ubuntu's list") << "ubuntu:GNOME" << all << "gnome-control-center keyboard";
        QTest::newRow("Plasma 6") << "KDE" << all << "systemsettings kcm_keys";
        QTest::newRow("Plasma 5") << "KDE" << QStringList{"systemsettings5"}
                                  << "systemsettings5 kcm_keys";
        QTest::newRow("Xfce") << "XFCE" << all << "xfce4-keyboard-settings";
        QTest::newRow("program missing") << "XFCE" << QStringList{"gnome-control-center"} << "";
        QTest::newRow("unknown desktop") << "LXQt" << all << "";
        QTest::newRow("no desktop") << "" << all << "";
    }

    void commandForTheDesktop() {
        QFETCH(QString, desktop);
        QFETCH(QStringList, installed);
        const QStringList command = DesktopShortcutSettings::command(
            desktop, [&](const QString& program) { return installed.contains(program); });
        QTEST(command.join(u' '), "command");
    }
};

QTEST_GUILESS_MAIN(TestDesktopShortcutSettings)
#include "tst_desktop_shortcut_settings.moc"
