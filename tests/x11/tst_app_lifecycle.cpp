// SPDX-License-Identifier: MIT
#include <QtTest>

#include "X11Desktop.h"
#include "XcbAtom.h"
#include "XclipOwner.h"
#include "core/AppEnvironment.h"

// The built application's life on a real X server: one instance per user, the clipboard
// manager's role, blob files gone at exit, pins kept over a restart and a release build that
// stays silent whatever is copied. (Its pastes: paste_end_to_end.sh.)
namespace {
// Windows of the application's class: before any popup exists, only its tray icon.
QStringList trayIconWindows() {
    QStringList ids;
    for (const QString& line : run("xwininfo", {"-root", "-tree"}).split('\n')) {
        // The history window, which a second start opens, has a title; the icon has none.
        if (line.contains(R"(("quillstack" "Quillstack"))") && !line.contains("\"History\"")) {
            ids.append(line.trimmed().section(' ', 0, 0));
        }
    }
    return ids;
}

bool windowShows(const QString& title) {
    return QTest::qWaitFor([&] { return !visibleWindows({"--name", title}).isEmpty(); }, 10000);
}

// Opens the tray icon's menu with a right click; the menu then has the keyboard.
bool openTrayMenu() {
    const auto windows = [] { return visibleWindows({"--classname", "quillstack"}); };
    if (!QTest::qWaitFor([] { return trayIconWindows().size() == 1; }, 20000)) {
        return false;
    }
    const qsizetype before = windows().size();
    run("xdotool",
        {"mousemove", "--window", trayIconWindows().constFirst(), "4", "4", "click", "3"});
    return QTest::qWaitFor([&] { return windows().size() > before; }, 10000);
}

const QByteArray kLarge(300 * 1024, 'q');  // kept in a blob file

}  // namespace

class TestAppLifecycle : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    // A tray host, so that the tray icon shows up as a window.
    void initTestCase() {
        m_trayHost.start(QUILLSTACK_SOURCE_DIR "/tools/lib/tray-host", {"200", "24"});
        QVERIFY(m_trayHost.waitForStarted());
    }

    void secondStartLeavesTheFirstAlone() {
        QCOMPARE(selectionOwner("CLIPBOARD_MANAGER"), xcb_window_t(XCB_WINDOW_NONE));
        AppProcess app;
        QVERIFY(app.start());
        // It saves the clipboard of applications that exit (tst_x11_clipboard: how).
        QTRY_VERIFY(selectionOwner("CLIPBOARD_MANAGER") != XCB_WINDOW_NONE);
        copy(kLarge, "UTF8_STRING");
        // Its final name: while it is written, the blob has a temporary one.
        QTRY_VERIFY_WITH_TIMEOUT(
            app.blobFiles().size() == 1 && app.blobFiles()[0].endsWith(".blob"), 20000);
        QTRY_VERIFY(app.settings().contains("preferredLanguage=en"));
        const QStringList blobs = app.blobFiles();
        const QByteArray settings = app.settings();

        const AppProcess::Reply second = app.command({});
        QVERIFY(second.exitCode == 0 && second.out.isEmpty() && second.err.count('\n') == 1);
        QVERIFY2(second.err.contains("already running"), second.err.constData());
        // A plain second start brings the history window up in the first, and changes nothing.
        QVERIFY(windowShows("^History$"));
        QVERIFY(app.isRunning() && app.blobFiles() == blobs && app.settings() == settings);
        // The tray icon's menu: its second row opens the settings.
        QVERIFY(openTrayMenu());
        key("Down Down Return");
        QVERIFY(windowShows("^Settings$"));
        // A language given with a command switches the running one at once.
        QCOMPARE(app.command({"--language", "de", "--show-settings"}).exitCode, 0);
        QVERIFY(windowShows("^Einstellungen$"));
        QTRY_VERIFY(app.settings().contains("preferredLanguage=de"));
        QCOMPARE(app.command({"--quit"}).exitCode, 0);
        QVERIFY(app.stop(0));
        QCOMPARE(app.blobFiles(), QStringList());
        const AppProcess::Reply again = app.command({"--quit"});
        QVERIFY(again.exitCode == 0 && again.err.contains("not running") && !app.isListening());
    }

    // What scripts and launchers ask of the running instance, with the answers byte for byte,
    // and the copies it leaves out while paused: the gate the application wires, whose other
    // reason, an ignored application's window, is tst_x11_keyboard's and tst_clipboard_history's.
    void scriptingCommands() {
        AppProcess app;
        QVERIFY(app.start());
        const auto list = [&] { return app.command({"--list"}).out; };
        const QByteArray text = "first\tline\ntwo";
        copy(text, "UTF8_STRING");
        QTRY_COMPARE_WITH_TIMEOUT(list(), QByteArray("1\tfirst line two\n"), 10000);
        copy("<i>x</i>", "text/html");
        QTRY_COMPARE_WITH_TIMEOUT(list(), QByteArray("1\tx\n2\tfirst line two\n"), 10000);
        copy(kLarge, "UTF8_STRING");  // read back from its blob file
        QTRY_COMPARE_WITH_TIMEOUT(list().count('\n'), 3, 10000);
        // The arguments, the status, the output and a part of the error.
        for (const auto& [arguments, status, out, err] :
             {std::tuple(QStringList{"--print", "1"}, 0, kLarge, QByteArray()),
              {{"--print", "3"}, 0, text, ""},
              {{"--print", "2", "--type", "text/html"}, 0, "<i>x</i>", ""},
              {{"--print", "2", "--type", "image/png"}, 1, "", "no image/png"},
              {{"--print", "4"}, 1, "", "records 1 to 3"},
              {{"--copy", "3"}, 0, "", ""}}) {
            const AppProcess::Reply reply = app.command(arguments);
            QVERIFY2(reply.exitCode == status && reply.out == out && reply.err.contains(err) &&
                         (status == 0) == reply.err.isEmpty(),
                     qPrintable(arguments.join(' ') + ": " + reply.err));
        }
        QCOMPARE(xclipPaste("UTF8_STRING"), text);
        // A reader that stops early ends the command quietly with status 1, not by SIGPIPE (141).
        QProcess early;
        early.setProcessEnvironment(app.environment());
        early.start("bash",
                    {"-c", R"("$0" --print 1 | head -c 10 >/dev/null; echo ${PIPESTATUS[0]})",
                     AppProcess::binary()});
        QVERIFY(early.waitForFinished(30000));
        QCOMPARE(early.readAllStandardOutput(), "1\n");
        QCOMPARE(early.readAllStandardError(), QByteArray());

        // A copy left out leaves no trace to wait for: each is given time to be seen.
        QCOMPARE(app.command({"--pause"}).exitCode, 0);
        copy("while paused", "UTF8_STRING");
        QTest::qWait(1500);
        QCOMPARE(app.command({"--resume"}).exitCode, 0);
        copy("resumed", "UTF8_STRING");
        QTRY_VERIFY_WITH_TIMEOUT(list().startsWith("1\tresumed\n"), 10000);
        QCOMPARE(list().count('\n'), 4);
        QVERIFY(openTrayMenu());
        run("xdotool", {"key", "Up", "Return"});  // Quit is the menu's last row
        // The history is not kept, so Quit asks first; Return keeps it and quits.
        QVERIFY(windowShows("^Quillstack$"));
        run("xdotool", {"key", "Return"});
        QVERIFY(app.stop(0) && app.blobFiles().isEmpty());
        QVERIFY(QFileInfo(app.filePath("data/Quillstack/history.sqlite")).size() > 0);
    }

    // Where the instance folder's rules (tst_single_instance) trust no folder: no instance at
    // all, rather than one no later start can reach, and the reasons said.
    void instanceFolderOrder() {
        AppProcess app;
        const QString own = app.filePath("tmp/quillstack-" + QString::number(::geteuid()));
        QDir().mkpath(app.filePath("elsewhere"));
        app.setEnvironment("XDG_RUNTIME_DIR", "");
        QVERIFY(QFile::link(app.filePath("elsewhere"), own) &&
                QFile::link(app.filePath("elsewhere"), app.filePath("cache/quillstack")));
        // No display: the message box would wait for a click.
        app.setEnvironment("DISPLAY", "");
        const AppProcess::Reply refused = app.command({"--toggle-popup"});
        QCOMPARE(std::pair(refused.exitCode, refused.err.count('\n')), std::pair(1, qsizetype(1)));
        QVERIFY2(refused.err.contains(QFile::encodeName(own) + " is a symbolic link") &&
                     refused.err.contains("$XDG_RUNTIME_DIR is not set"),
                 refused.err.constData());
        QVERIFY(QDir(app.filePath("elsewhere")).isEmpty());
    }

    // Pinned records come back after a restart byte for byte, a large one too, from a private
    // folder; Shift+Return restores one as text only. (What each restore offers:
    // tst_clipboard_history.) The termination signals, like --quit and the tray icon's Quit
    // above, leave no blob file, and a release build stays silent whatever is copied.
    void pinsSurviveARestart() {
        const QByteArray html = "<b>only</b> html";
        AppProcess app;
        QVERIFY(app.start());
        copy(html, "text/html");
        // Recorded before the next copy, which would otherwise replace it unseen.
        QTRY_VERIFY_WITH_TIMEOUT(app.command({"--list"}).out == "1\tonly html\n", 10000);
        copy(kLarge, "UTF8_STRING");
        QTRY_COMPARE_WITH_TIMEOUT(app.blobFiles().size(), 1, 20000);
        const auto popupKeys = [&app](const QString& keys) {
            QVERIFY(QTest::qWaitFor(
                [&app] {
                    return app.command({"--toggle-popup"}).exitCode == 0 && waitForPopup(true);
                },
                20000));
            key(keys);
            QVERIFY(waitForPopup(false));
        };
        popupKeys("ctrl+p Down ctrl+p Escape");
        // The pins are in the store, or in its journal until SQLite folds it in.
        const QString store = app.filePath("data/Quillstack/history.sqlite");
        QTRY_VERIFY_WITH_TIMEOUT(
            QFileInfo(store).size() + QFileInfo(store + "-wal").size() > kLarge.size(), 20000);
        QCOMPARE(QFileInfo(app.filePath("data/Quillstack")).permissions() & 0x077, 0);
        m_owners.clear();  // nothing on the clipboard at the restart: the popup shows only pins
        QVERIFY(app.stop(SIGINT) && app.blobFiles().isEmpty());
        QVERIFY(app.start());
        // The pins are read once it listens; the first listing it answers waits for them.
        QByteArray listed;
        QVERIFY(QTest::qWaitFor(
            [&] {
                const auto listing = app.command({"--list"});
                listed = listing.out;
                return listing.exitCode == 0;
            },
            20000));
        QVERIFY2(listed.startsWith("1\t\U0001F4CC qqq") &&
                     listed.endsWith("\n2\t\U0001F4CC only html\n"),
                 listed.right(40).constData());

        popupKeys("Return");
        QTRY_COMPARE_WITH_TIMEOUT(xclipPaste("UTF8_STRING"), kLarge, 10000);
        popupKeys("Down Return");
        QTRY_COMPARE_WITH_TIMEOUT(xclipPaste("text/html"), html, 10000);
        popupKeys("Down shift+Return");
        QTRY_VERIFY_WITH_TIMEOUT(!xclipPaste("TARGETS").contains("text/html"), 10000);
        QCOMPARE(xclipPaste("UTF8_STRING"), QByteArray("only html"));

        // A little-endian TIFF whose only directory lacks the required fields and has an unknown
        // one, on which its decoder warns and fails.
        copy(QByteArray::fromHex("49492a00080000000200000103000100000010000000cdab03000100000000"
                                 "00000000000000"),
             "image/tiff");
        QTRY_COMPARE_WITH_TIMEOUT(app.command({"--list"}).out.count('\n'), 3, 10000);
        QVERIFY(app.stop(SIGHUP));
        if constexpr (!AppEnvironment::isLoggingEnabled) {  // a debug build prints diagnostics
            QCOMPARE(app.log(), QByteArray());
            QCOMPARE(app.output(), QByteArray());
        }
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
