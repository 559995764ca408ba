#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "platform/freedesktop/XdgAutostart.h"

class TestXdgAutostart : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void registerAndUnregister() {
        QTemporaryDir dir;
        XdgAutostart autostart(dir.path() + "/config", "/opt/quillstack/bin/quillstack");
        QVERIFY(autostart.unregisterApp());  // nothing there yet is fine
        QVERIFY(autostart.registerApp());
        QVERIFY(autostart.registerApp());  // replaced, not appended to
        QFile file(autostart.entryPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("[Desktop Entry]\nType=Application\nName=Quillstack\n"
                                            "Exec=/opt/quillstack/bin/quillstack\n"
                                            "X-GNOME-Autostart-enabled=true\nNoDisplay=false\n"));
        QVERIFY(autostart.unregisterApp());
        QVERIFY(!QFile::exists(autostart.entryPath()));

        // A file where the autostart folder should be: unwritable, whoever runs the test.
        QFile blocker(dir.path() + "/blocked/autostart");
        QVERIFY(QDir().mkpath(dir.path() + "/blocked") && blocker.open(QIODevice::WriteOnly));
        QVERIFY(!XdgAutostart(dir.path() + "/blocked", "/usr/bin/quillstack").registerApp());
        // Without an absolute program path there is nothing sound to start.
        QVERIFY(!XdgAutostart(dir.path() + "/rel", "quillstack").registerApp());
        QVERIFY(!QFile::exists(dir.path() + "/rel/autostart/quillstack.desktop"));
    }

    void execQuoting() {
        QCOMPARE(XdgAutostart::execArgument("/usr/bin/quillstack"), QString("/usr/bin/quillstack"));
        QCOMPARE(XdgAutostart::execArgument("/home/a b/q"), QString("\"/home/a b/q\""));
        // Inside quotes \" \` \$ \\, then the file's own escaping doubles every backslash.
        QCOMPARE(XdgAutostart::execArgument("/x/\"$`\\"),
                 QString("\"/x/\\\\\"\\\\$\\\\`\\\\\\\\\""));
        QCOMPARE(XdgAutostart::execArgument("/x/100%"), QString("/x/100%%"));
        QCOMPARE(XdgAutostart::execArgument("/x/a\nb"), QString("\"/x/a\\nb\""));
    }
};

QTEST_GUILESS_MAIN(TestXdgAutostart)
#include "tst_xdg_autostart.moc"
