#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "TestHelpers.h"
#include "platform/freedesktop/XdgAutostart.h"
#include "platform/freedesktop/XdgFolders.h"

namespace {
// What a launcher makes of an Exec value holding one argument: the string escapes first, then
// the quoting, then the field codes.
QString launchedProgram(const QString& value) {
    QString unescaped;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == u'\\' && i + 1 < value.size()) {
            const QChar next = value[++i];
            unescaped += next == u'n'   ? u'\n'
                         : next == u't' ? u'\t'
                         : next == u'r' ? u'\r'
                         : next == u's' ? u' '
                                        : next;
        } else {
            unescaped += value[i];
        }
    }
    QString argument = unescaped;
    if (unescaped.startsWith(u'"')) {
        argument.clear();
        qsizetype i = 1;
        for (; i < unescaped.size() && unescaped[i] != u'"'; ++i) {
            if (unescaped[i] == u'\\' && i + 1 < unescaped.size()) {
                ++i;
            }
            argument += unescaped[i];
        }
        if (i != unescaped.size() - 1) {
            return QStringLiteral("<not one quoted argument>");
        }
    }
    return argument.replace(QStringLiteral("%%"), QStringLiteral("%"));
}
}  // namespace

class TestXdgAutostart : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    // Each base folder from its variable; unset, empty or relative values fall back. "@" stands
    // for the home folder.
    void baseFolders_data() {
        QTest::addColumn<QByteArray>("variable");
        QTest::addColumn<std::optional<QByteArray>>("value");
        QTest::addColumn<QString>("folder");
        const auto row = [](const char* name, const char* variable, std::optional<QByteArray> value,
                            const char* folder) {
            QTest::newRow(name) << QByteArray(variable) << value << QString(folder);
        };
        row("config set", "XDG_CONFIG_HOME", "/cfg", "/cfg");
        row("config unset", "XDG_CONFIG_HOME", std::nullopt, "@/.config");
        row("config empty", "XDG_CONFIG_HOME", "", "@/.config");
        row("config relative", "XDG_CONFIG_HOME", "cfg", "@/.config");
        row("cache set", "XDG_CACHE_HOME", "/var/c/", "/var/c/");
        row("cache relative", "XDG_CACHE_HOME", "c", "@/.cache");
        row("runtime set, cleaned", "XDG_RUNTIME_DIR", "/run/user//7/", "/run/user/7");
        row("runtime relative", "XDG_RUNTIME_DIR", "run", "");
        row("runtime unset", "XDG_RUNTIME_DIR", std::nullopt, "");
    }
    void baseFolders() {
        QFETCH(QByteArray, variable);
        QFETCH(std::optional<QByteArray>, value);
        QFETCH(QString, folder);
        const ScopedEnv home("HOME", "/home/ann");
        const ScopedEnv env(variable.constData(), value);
        const QString found = variable == "XDG_CONFIG_HOME"  ? XdgFolders::configHome()
                              : variable == "XDG_CACHE_HOME" ? XdgFolders::cacheHome()
                                                             : XdgFolders::runtimeDir();
        QCOMPARE(found, folder.replace(u'@', QStringLiteral("/home/ann")));
    }

    void registerAndUnregister() {
        QTemporaryDir dir;
        XdgAutostart autostart(dir.path() + "/config", "/opt/quillstack/bin/quillstack");
        QVERIFY(autostart.unregisterApp());  // nothing there yet is fine
        QVERIFY(autostart.registerApp());
        QVERIFY(autostart.registerApp());  // replaced, not appended to
        QFile file(autostart.entryPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("[Desktop Entry]\nType=Application\nName=Quillstack\n"
                                            "Icon=quillstack\n"
                                            "Exec=/opt/quillstack/bin/quillstack\n"
                                            "Terminal=false\n"
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

    // Whatever the folder holding the program is called, the entry is valid and starts it.
    void entryStartsTheProgram_data() {
        QTest::addColumn<QString>("program");
        QTest::newRow("plain") << "/usr/bin/quillstack";
        QTest::newRow("space") << "/home/ann/My Apps/quillstack";
        QTest::newRow("shell characters") << "/opt/q$HOME`id`/a'b\"c\\d;e&f|g*h?(i)#~/quillstack";
        QTest::newRow("percent") << "/opt/100% sure/quillstack";
        QTest::newRow("equals and unicode") << "/opt/a=b/Ünïcode ✓/quillstack";
        QTest::newRow("line break") << "/opt/a\nb/quillstack";
    }

    void entryStartsTheProgram() {
        QFETCH(QString, program);
        QTemporaryDir dir;
        XdgAutostart autostart(dir.path(), program);
        QVERIFY(autostart.registerApp());
        QFile file(autostart.entryPath());
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
        const QStringList exec = lines.filter(QRegularExpression(QStringLiteral("^Exec=")));
        QCOMPARE(exec.size(), 1);
        QCOMPARE(launchedProgram(exec.constFirst().mid(5)), program);

        const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
        if (validator.isEmpty()) {
            QSKIP("desktop-file-validate is not installed (tools/deps installs it)");
        }
        QProcess check;
        check.start(validator, {autostart.entryPath()});
        QVERIFY(check.waitForFinished(10000));
        const QByteArray report = check.readAllStandardOutput() + check.readAllStandardError();
        QVERIFY2(check.exitCode() == 0 && report.isEmpty(), report.constData());
    }
};

QTEST_GUILESS_MAIN(TestXdgAutostart)
#include "tst_xdg_autostart.moc"
