#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "platform/freedesktop/XdgAutostart.h"

class TestXdgAutostart : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void registerWritesEntryAndUnregisterRemovesIt();
    void execQuoting();
    void failures();
};

void TestXdgAutostart::registerWritesEntryAndUnregisterRemovesIt() {
    QTemporaryDir dir;
    XdgAutostart autostart(dir.path() + QStringLiteral("/config"),
                           QStringLiteral("/opt/quillstack/bin/quillstack"));
    QVERIFY(autostart.unregisterApp());  // nothing there yet is fine
    QVERIFY(autostart.registerApp());
    QFile file(autostart.entryPath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(file.readAll()),
             QStringLiteral("[Desktop Entry]\nType=Application\nName=Quillstack\n"
                            "Exec=/opt/quillstack/bin/quillstack\n"
                            "X-GNOME-Autostart-enabled=true\nNoDisplay=false\n"));
    file.close();
    QVERIFY(autostart.registerApp());  // again: replaced, not duplicated
    QVERIFY(autostart.unregisterApp());
    QVERIFY(!QFile::exists(autostart.entryPath()));
    QVERIFY(autostart.unregisterApp());
}

void TestXdgAutostart::execQuoting() {
    QCOMPARE(XdgAutostart::execArgument(QStringLiteral("/usr/bin/quillstack")),
             QStringLiteral("/usr/bin/quillstack"));
    QCOMPARE(XdgAutostart::execArgument(QStringLiteral("/home/a b/quillstack")),
             QStringLiteral("\"/home/a b/quillstack\""));
    // Inside quotes \" \` \$ \\; then the file's own escaping doubles every backslash.
    QCOMPARE(XdgAutostart::execArgument(QStringLiteral("/x/\"q\"$`\\")),
             QStringLiteral("\"/x/\\\\\"q\\\\\"\\\\$\\\\`\\\\\\\\\""));
    QCOMPARE(XdgAutostart::execArgument(QStringLiteral("/x/100%")), QStringLiteral("/x/100%%"));
    QCOMPARE(XdgAutostart::execArgument(QStringLiteral("/x/a\nb")), QStringLiteral("\"/x/a\\nb\""));
}

void TestXdgAutostart::failures() {
    QTemporaryDir dir;
    // A file where the autostart folder should be: the entry cannot be written, whoever runs.
    const QString config = dir.path() + QStringLiteral("/config");
    QVERIFY(QDir().mkpath(config));
    QFile blocker(config + QStringLiteral("/autostart"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QVERIFY(!XdgAutostart(config, QStringLiteral("/usr/bin/quillstack")).registerApp());

    // Without an absolute program path there is nothing sound to start.
    QVERIFY(!XdgAutostart(dir.path(), QStringLiteral("quillstack")).registerApp());
    QVERIFY(!XdgAutostart(dir.path(), QString()).registerApp());
    QVERIFY(!QFile::exists(dir.path() + QStringLiteral("/autostart/quillstack.desktop")));
}

QTEST_GUILESS_MAIN(TestXdgAutostart)
#include "tst_xdg_autostart.moc"
