#include <QtTest>

#include <QRandomGenerator>

#include "TestHelpers.h"
#include "X11Desktop.h"
#include "XclipOwner.h"
#include "core/AppEnvironment.h"

// The built application's life on a real X server: one instance per user, blob files gone at
// exit, and a release build that stays silent whatever is copied.
namespace {
// Windows of the application's class: before any popup exists, only its tray icon.
QStringList trayIconWindows() {
    QStringList ids;
    for (const QString& line : run("xwininfo", {"-root", "-tree"}).split('\n')) {
        // The history window, which a second start opens, has a title; the icon has none.
        if (line.contains(R"(("quillstack" "Quillstack"))") && !line.contains("\"Clipboard\"")) {
            ids.append(line.trimmed().section(' ', 0, 0));
        }
    }
    return ids;
}

bool windowShows(const QString& title) {
    return QTest::qWaitFor([&] { return !visibleWindows({"--name", title}).isEmpty(); }, 10000);
}

// Targets that describe the selection rather than hold its content.
const QByteArrayList kProtocolTargets{"TARGETS",        "MULTIPLE", "TIMESTAMP",
                                      "SAVE_TARGETS",   "DELETE",   "INSERT_SELECTION",
                                      "INSERT_PROPERTY"};
const QByteArray kLarge(300 * 1024, 'q');  // kept in a blob file
}  // namespace

class TestAppLifecycle : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase() { QVERIFY(startTrayHost(m_trayHost)); }

    void secondStartLeavesTheFirstAlone() {
        AppProcess app;
        QVERIFY(app.start());
        copy(kLarge, "UTF8_STRING");
        QTRY_COMPARE_WITH_TIMEOUT(app.blobFiles().size(), 1, 20000);
        QTRY_COMPARE_WITH_TIMEOUT(trayIconWindows().size(), 1, 20000);
        QTRY_VERIFY(app.settings().contains("preferredLanguage=en"));
        const QStringList blobs = app.blobFiles();
        const QByteArray settings = app.settings();

        QElapsedTimer clock;
        clock.start();
        const AppProcess::Reply second = app.command({"--language", "de"});
        // Sanitizers slow the start of a debug build several times over.
        QVERIFY2(clock.elapsed() < (AppEnvironment::isDebug ? 3000 : 1000),
                 qPrintable(QString::number(clock.elapsed())));
        QVERIFY(second.exitCode == 0 && second.out.isEmpty() && second.err.count('\n') == 1);
        QVERIFY2(second.err.contains("already running"), second.err.constData());
        // A plain second start brings the history window up in the first, and changes nothing.
        QVERIFY(windowShows("^Clipboard$"));
        QVERIFY(app.isRunning() && app.blobFiles() == blobs && app.settings() == settings);
        QCOMPARE(trayIconWindows().size(), 1);
        if constexpr (AppEnvironment::isLoggingEnabled) {
            QTRY_VERIFY(app.log().contains("activation requested"));
        }
        QCOMPARE(app.command({"--show-settings"}).exitCode, 0);
        QVERIFY(windowShows("^Settings$"));
        QCOMPARE(app.command({"--quit"}).exitCode, 0);
        QVERIFY(app.stop(0));
        QCOMPARE(app.blobFiles(), QStringList());
        const AppProcess::Reply again = app.command({"--quit"});
        QVERIFY(again.exitCode == 0 && again.err.contains("not running") && !app.isListening());
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
        AppProcess app;
        QVERIFY(app.start());
        copy(kLarge, "UTF8_STRING");
        QTRY_COMPARE_WITH_TIMEOUT(app.blobFiles().size(), 1, 20000);
        if (signal == 0) {
            QTRY_COMPARE_WITH_TIMEOUT(trayIconWindows().size(), 1, 20000);
            const auto windows = [] { return visibleWindows({"--classname", "quillstack"}); };
            const qsizetype before = windows().size();
            run("xdotool",
                {"mousemove", "--window", trayIconWindows().constFirst(), "4", "4", "click", "3"});
            QTRY_VERIFY_WITH_TIMEOUT(windows().size() > before, 10000);
            // Quit is the menu's last row.
            run("xdotool", {"key", "Up", "Return"});
        }
        QVERIFY(app.stop(signal));
        QCOMPARE(app.blobFiles(), QStringList());
    }

    void releaseBuildPrintsNothing() {
        if constexpr (AppEnvironment::isLoggingEnabled) {
            QSKIP("a debug build prints diagnostic lines");
        }
        AppProcess app;
        QVERIFY(app.start());
        // A PNG cut off inside its noise, which no decoder can finish.
        QImage image(64, 64, QImage::Format_RGB32);
        QRandomGenerator(3).fillRange(reinterpret_cast<quint32*>(image.bits()), 64 * 64);
        copy(encodeImage(image).left(100), "image/png");
        QTest::qWait(1200);
        // Little-endian TIFF whose only directory lacks the required fields and has an unknown
        // one.
        copy(QByteArray::fromHex("49492a00080000000200000103000100000010000000cdab03000100000000"
                                 "00000000000000"),
             "image/tiff");
        QTest::qWait(1500);
        QVERIFY(app.stop());
        QCOMPARE(app.log(), QByteArray());
        QCOMPARE(app.output(), QByteArray());
    }

    void clipboardOutlivesTheCopyingApplication() {
        AppProcess app;
        QVERIFY(app.start());
        QByteArray newest(300 * 1024, 'n');
        newest[7] = '\0';
        copy(kLarge, "UTF8_STRING");
        QTRY_COMPARE_WITH_TIMEOUT(app.blobFiles().size(), 1, 20000);
        copy(newest, "application/x-newest");
        QTRY_COMPARE_WITH_TIMEOUT(app.blobFiles().size(), 2, 20000);
        const QStringList blobs = app.blobFiles();

        QElapsedTimer clock;
        clock.start();
        m_owners.back()->kill();
        QTRY_COMPARE_WITH_TIMEOUT(xclipPaste("application/x-newest"), newest, 1000);
        // Also bounds a paste that was slow to be served.
        QVERIFY2(clock.elapsed() < 6000, qPrintable(QString::number(clock.elapsed())));
        // Owning it again added no copy.
        QTest::qWait(1000);
        QCOMPARE(app.blobFiles(), blobs);
        copy("next", "UTF8_STRING");  // not taken back
        QTest::qWait(1200);
        QCOMPARE(xclipPaste("UTF8_STRING"), QByteArray("next"));
        QVERIFY(app.stop());
    }

    void gtkApplicationHandsItsClipboardOver() {
        AppProcess app;
        QVERIFY(app.start());
        QProcess zenity;
        zenity.start("zenity", {"--entry", "--title", "handover"});
        QVERIFY(zenity.waitForStarted());
        run("xdotool", {"search", "--sync", "--name", "handover", "windowactivate", "--sync"});
        run("xdotool", {"type", "--delay", "20", "Gr\u00fc\u00dfe \u2713 zenity"});
        run("xdotool", {"key", "ctrl+a", "ctrl+c"});
        QTRY_VERIFY_WITH_TIMEOUT(xclipPaste("UTF8_STRING").contains("zenity"), 10000);
        QMap<QByteArray, QByteArray> offered;
        for (const QByteArray& target : xclipPaste("TARGETS").split('\n')) {
            if (!target.isEmpty() && !kProtocolTargets.contains(target)) {
                offered.insert(target, xclipPaste(target));
            }
        }
        QVERIFY(offered.size() >= 2);

        run("xdotool", {"key", "Return"});
        QVERIFY(zenity.waitForFinished(10000));
        // Nobody holds the clipboard until the application has taken the saved copy over; under
        // sanitizers on a busy machine that can take seconds.
        QTRY_VERIFY_WITH_TIMEOUT(!xclipPaste("TARGETS").isEmpty(), 20000);
        for (auto it = offered.cbegin(); it != offered.cend(); ++it) {
            QCOMPARE(xclipPaste(it.key()), it.value());
        }
        QVERIFY(app.stop());
    }

    void cleanup() { m_owners.clear(); }
    void cleanupTestCase() {
        m_trayHost.kill();
        m_trayHost.waitForFinished(2000);
    }

  private:
    // Another client serves the copy until the next one takes the clipboard.
    void copy(const QByteArray& bytes, const char* target) {
        m_owners.push_back(std::make_unique<XclipOwner>(target, bytes));
    }

    QProcess m_trayHost;
    std::vector<std::unique_ptr<XclipOwner>> m_owners;
};

QTEST_MAIN(TestAppLifecycle)
#include "tst_app_lifecycle.moc"
