#include <QtTest>

#include <QProcess>
#include <QRandomGenerator>

#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <memory>

#include "TestHelpers.h"
#include "X11Desktop.h"
#include "core/AppEnvironment.h"

// The built application's life on a real X server: one instance per user, blob files gone at
// exit, and a release build that stays silent whatever is copied.
namespace {
// Windows of the application's class: before any popup exists, only its tray icon.
QStringList trayIconWindows() {
    QProcess tree;
    tree.start("xwininfo", {"-root", "-tree"});
    tree.waitForFinished(5000);
    QStringList ids;
    for (const QByteArray& line : tree.readAllStandardOutput().split('\n')) {
        // The history window, which a second start opens, has a title; the icon has none.
        if (line.contains(R"(("quillstack" "Quillstack"))") && !line.contains("\"Clipboard\"")) {
            ids.append(QString::fromLatin1(line.trimmed().split(' ').value(0)));
        }
    }
    return ids;
}

// Targets that describe the selection rather than hold its content.
const QByteArrayList kProtocolTargets{"TARGETS",        "MULTIPLE", "TIMESTAMP",
                                      "SAVE_TARGETS",   "DELETE",   "INSERT_SELECTION",
                                      "INSERT_PROPERTY"};

// A user of their own, running the application.
class Session : public AppSession {
  public:
    // A returning user: no welcome guide among the windows counted here.
    Session() { markOnboarded(*this); }
    std::unique_ptr<QProcess> start(const QStringList& arguments = {"--language", "en"}) {
        auto app = std::make_unique<QProcess>();
        app->setProcessEnvironment(environment());
        app->start(applicationPath(), arguments);
        return app;
    }
    // It holds the lock and listens; its history and tray are under way.
    bool isListening() const { return QFile::exists(filePath("run/quillstack/quillstack.socket")); }
    QStringList blobFiles() const {
        return QDir(filePath("tmp/quillstack-%1/QuillstackBlobs").arg(::geteuid()))
            .entryList(QDir::Files | QDir::Hidden);
    }
    QByteArray settings() const {
        QFile file(filePath("config/Quillstack/Quillstack.conf"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};
}  // namespace

class TestAppLifecycle : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase() {
        QVERIFY2(QFileInfo(applicationPath()).isExecutable(), qPrintable(applicationPath()));
        QVERIFY(startTrayHost(m_trayHost));
        QTest::qWait(500);
    }

    void secondStartLeavesTheFirstAlone() {
        Session session;
        const auto first = session.start();
        QTRY_VERIFY_WITH_TIMEOUT(session.isListening(), 10000);
        copy(QByteArray(300 * 1024, 'q'), "UTF8_STRING");
        QTRY_COMPARE_WITH_TIMEOUT(session.blobFiles().size(), 1, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(trayIconWindows().size(), 1, 10000);
        QTRY_VERIFY(session.settings().contains("preferredLanguage=en"));
        const QStringList blobs = session.blobFiles();
        const QByteArray settings = session.settings();

        QElapsedTimer clock;
        clock.start();
        const auto second = session.start({"--language", "de"});
        stop(*second, 0);
        const qint64 elapsed = clock.elapsed();
        const QByteArray said = second->readAllStandardError();
        QCOMPARE(said.count('\n'), 1);
        QVERIFY2(said.contains("already running"), said.constData());
        QCOMPARE(second->readAllStandardOutput(), QByteArray());
        // Sanitizers slow the start of a debug build several times over.
        QVERIFY2(elapsed < (AppEnvironment::isDebug ? 3000 : 1000),
                 qPrintable(QString::number(elapsed)));

        QTest::qWait(500);
        QCOMPARE(first->state(), QProcess::Running);
        QCOMPARE(session.blobFiles(), blobs);
        QCOMPARE(session.settings(), settings);
        QCOMPARE(trayIconWindows().size(), 1);
        // A plain second start brings the history window up in the first.
        QTRY_VERIFY_WITH_TIMEOUT(
            QProcess::execute("xdotool", {"search", "--onlyvisible", "--name", "^Clipboard$"}) == 0,
            5000);
        if constexpr (AppEnvironment::isLoggingEnabled) {
            QVERIFY(first->readAllStandardError().contains("activation requested"));
        }
        const auto settingsCommand = session.start({"--show-settings"});
        stop(*settingsCommand, 0);
        QTRY_VERIFY_WITH_TIMEOUT(
            QProcess::execute("xdotool", {"search", "--onlyvisible", "--name", "^Settings$"}) == 0,
            5000);
        const auto quit = session.start({"--quit"});
        stop(*quit, 0);
        stop(*first, 0);
        QCOMPARE(session.blobFiles(), QStringList());
        const auto again = session.start({"--quit"});
        stop(*again, 0);
        QVERIFY(again->readAllStandardError().contains("not running"));
        QVERIFY(!session.isListening());
    }

    void exitEmptiesTheBlobFolder_data() {
        QTest::addColumn<int>("signal");  // 0: Quit in the tray icon's menu
        QTest::newRow("tray Quit") << 0;
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGINT") << SIGINT;
        QTest::newRow("SIGHUP") << SIGHUP;
    }
    void exitEmptiesTheBlobFolder() {
        QFETCH(int, signal);
        Session session;
        const auto app = session.start();
        QTRY_VERIFY_WITH_TIMEOUT(session.isListening(), 10000);
        copy(QByteArray(300 * 1024, 'b'), "UTF8_STRING");
        QTRY_COMPARE_WITH_TIMEOUT(session.blobFiles().size(), 1, 10000);
        if (signal == 0) {
            QTRY_COMPARE_WITH_TIMEOUT(trayIconWindows().size(), 1, 10000);
            const QString icon = trayIconWindows().constFirst();
            QProcess::execute("xdotool", {"mousemove", "--window", icon, "4", "4", "click", "3"});
            QTest::qWait(500);
            // Quit is the menu's last row.
            QProcess::execute("xdotool", {"key", "Up", "Return"});
        }
        stop(*app, signal);
        QCOMPARE(session.blobFiles(), QStringList());
    }

    void releaseBuildPrintsNothing() {
        if constexpr (AppEnvironment::isLoggingEnabled) {
            QSKIP("a debug build prints diagnostic lines");
        }
        Session session;
        const auto app = session.start();
        QTRY_VERIFY_WITH_TIMEOUT(session.isListening(), 10000);
        // A PNG cut off inside its noise, which no decoder can finish.
        QImage image(64, 64, QImage::Format_RGB32);
        QRandomGenerator(3).fillRange(reinterpret_cast<quint32*>(image.bits()), 64 * 64);
        copy(encodeImage(image).left(100), "image/png");
        // Little-endian TIFF whose only directory lacks the required fields and has an unknown
        // one.
        copy(QByteArray::fromHex("49492a00080000000200000103000100000010000000cdab0300010000000000"
                                 "000000000000"),
             "image/tiff");
        QTest::qWait(1500);
        stop(*app, SIGTERM);
        QCOMPARE(app->readAllStandardError(), QByteArray());
        QCOMPARE(app->readAllStandardOutput(), QByteArray());
    }

    void clipboardOutlivesTheCopyingApplication() {
        Session session;
        const auto app = session.start();
        QTRY_VERIFY_WITH_TIMEOUT(session.isListening(), 10000);
        const QByteArray older(300 * 1024, 'o');
        QByteArray newest(300 * 1024, 'n');
        newest[7] = '\0';
        copy(older, "UTF8_STRING");
        copy(newest, "application/x-newest");
        QTRY_COMPARE_WITH_TIMEOUT(session.blobFiles().size(), 2, 10000);
        const QStringList blobs = session.blobFiles();

        QElapsedTimer clock;
        clock.start();
        m_copies.owners.back()->kill();
        QTRY_COMPARE_WITH_TIMEOUT(paste("application/x-newest"), newest, 1000);
        // Also bounds a paste that was slow to be served.
        QVERIFY2(clock.elapsed() < 6000, qPrintable(QString::number(clock.elapsed())));
        // Owning it again added no copy.
        QTest::qWait(1000);
        QCOMPARE(session.blobFiles(), blobs);
        copy("next", "UTF8_STRING");
        QCOMPARE(paste("UTF8_STRING"), QByteArray("next"));
        stop(*app, SIGTERM);
    }

    void gtkApplicationHandsItsClipboardOver() {
        Session session;
        const auto app = session.start();
        QTRY_VERIFY_WITH_TIMEOUT(session.isListening(), 10000);
        QProcess zenity;
        zenity.start("zenity", {"--entry", "--title", "handover"});
        QVERIFY(zenity.waitForStarted());
        QProcess::execute("xdotool",
                          {"search", "--sync", "--name", "handover", "windowactivate", "--sync"});
        QProcess::execute("xdotool", {"type", "--delay", "20", "Gr\u00fc\u00dfe \u2713 zenity"});
        QProcess::execute("xdotool", {"key", "ctrl+a", "ctrl+c"});
        QTRY_VERIFY_WITH_TIMEOUT(paste("UTF8_STRING").contains("zenity"), 5000);
        QMap<QByteArray, QByteArray> offered;
        for (const QByteArray& target : paste("TARGETS").split('\n')) {
            if (!target.isEmpty() && !kProtocolTargets.contains(target)) {
                offered.insert(target, paste(target));
            }
        }
        QVERIFY(offered.size() >= 2);

        QProcess::execute("xdotool", {"key", "Return"});
        QVERIFY(zenity.waitForFinished(5000));
        QTest::qWait(300);
        for (auto it = offered.cbegin(); it != offered.cend(); ++it) {
            QVERIFY2(paste(it.key()) == it.value(), it.key().constData());
        }
        stop(*app, SIGTERM);
    }

    void cleanup() { m_copies.owners.clear(); }

    void cleanupTestCase() {
        m_trayHost.kill();
        m_trayHost.waitForFinished(2000);
    }

  private:
    void copy(const QByteArray& bytes, const char* target) { m_copies.bytes(bytes, target); }

    static void stop(QProcess& app, int signal) {
        if (signal != 0) {
            ::kill(pid_t(app.processId()), signal);
        }
        QVERIFY(app.waitForFinished(10000));
        QCOMPARE(app.exitStatus(), QProcess::NormalExit);
        QCOMPARE(app.exitCode(), 0);
    }

    QProcess m_trayHost;
    ClipboardCopies m_copies;
};

QTEST_MAIN(TestAppLifecycle)
#include "tst_app_lifecycle.moc"
