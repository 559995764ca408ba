#include <signal.h>

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <numeric>
#include <optional>
#include <vector>

#include "PasteboardRigs.h"
#include "history/ClipboardHistory.h"
#include "platform/wayland/WaylandPasteboard.h"

using namespace std::chrono_literals;

namespace {

QByteArray randomBytes(qsizetype size, quint32 seed = 42) {
    std::vector<quint32> words((size + 3) / 4);
    QRandomGenerator(seed).fillRange(words.data(), words.size());
    return QByteArray(reinterpret_cast<const char*>(words.data()), size);
}

QByteArray allByteValues() {
    QByteArray bytes(256, 0);
    std::iota(bytes.begin(), bytes.end(), char(0));
    return bytes;
}

// Runs a wl-clipboard tool to the end; its standard output.
QByteArray run(const QString& program, const QStringList& arguments, const QByteArray& input = {}) {
    QProcess process;
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, arguments);
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(20'000)) {
        process.kill();
        process.waitForFinished();
    }
    return process.readAllStandardOutput();
}

QByteArray paste(const QString& type, bool primary = false) {
    QStringList arguments{QStringLiteral("-n"), QStringLiteral("-t"), type};
    if (primary) {
        arguments.append(QStringLiteral("-p"));
    }
    return run(QStringLiteral("wl-paste"), arguments);
}

QStringList offeredTypes() {
    QStringList types = QString::fromUtf8(run(QStringLiteral("wl-paste"), {QStringLiteral("-l")}))
                            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    types.sort();
    return types;
}

bool confirmed(WaylandPasteboard& pasteboard) {
    std::optional<bool> result;
    pasteboard.whenWriteConfirmed([&result](bool ok) { result = ok; });
    [[maybe_unused]] const bool answered =
        QTest::qWaitFor([&result] { return result.has_value(); }, 5000);
    return result.value_or(false);
}

// The pipes this process holds open, by inode.
QSet<QString> openPipes() {
    QSet<QString> pipes;
    const QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QString& fd : fds.entryList(QDir::System | QDir::Files | QDir::NoDotAndDotDot)) {
        const QString target = QFile::symLinkTarget(fds.filePath(fd));
        if (target.contains(QLatin1StringView("pipe:"))) {
            pipes.insert(target);
        }
    }
    return pipes;
}

// Waits in a real event loop: QTest's waits sleep 10 ms at a time, which a stall meter would
// count as stalls.
template <typename Condition>
bool spinUntil(Condition condition, int timeoutMs) {
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (condition()) {
            loop.quit();
        }
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    check.start(5);
    loop.exec();
    return condition();
}

using HistoryRig = PasteboardHistoryRig<WaylandPasteboard>;

}  // namespace

class TestWaylandPasteboard : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    // Every case starts from an empty clipboard, so its first change is its own copy.
    void init() { run(QStringLiteral("wl-copy"), {QStringLiteral("--clear")}); }

    void recordsOtherClientsByteForByte_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("isText");
        // No type: wl-copy names it, as a user's `echo … | wl-copy` does.
        QTest::newRow("plain wl-copy") << QString() << QByteArray("hello world\n") << true;
        QTest::newRow("text with a NUL byte")
            << "text/plain;charset=utf-8" << QByteArray("one\0two\n\xc3\xa9", 10) << true;
        QTest::newRow("binary larger than a pipe")
            << "application/x-test" << randomBytes(3 << 20) << false;
    }
    void recordsOtherClientsByteForByte() {
        QFETCH(QString, type);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, isText);
        HistoryRig rig;
        const qint64 before = rig.pasteboard.changeCount();
        run(QStringLiteral("wl-copy"),
            type.isEmpty() ? QStringList() : QStringList{QStringLiteral("-t"), type}, bytes);
        if (type.isEmpty()) {
            type = QStringLiteral("text/plain;charset=utf-8");
        }
        QTRY_VERIFY_WITH_TIMEOUT(rig.pasteboard.changeCount() > before, 10'000);
        QTRY_VERIFY_WITH_TIMEOUT(!rig.history.items().isEmpty(), 5000);
        const PasteboardSnapshot stored = rig.history.items()[0].resolvedPasteboardData();
        QCOMPARE(stored.size(), 1);
        QVERIFY(stored[0].value(type) == bytes);
        QCOMPARE(stored[0].contains("text/plain;charset=utf-8"), isText);
        if (isText) {
            QVERIFY(
                rig.history.items()[0].previewText().startsWith(QString::fromUtf8(bytes.left(3))));
            QCOMPARE(stored[0].value("text/plain;charset=utf-8"), bytes);
        }
    }

    void recordsEveryTypeOfAnotherOwner_data() {
        QTest::addColumn<StoredItem>("copy");
        QTest::addColumn<StoredItem>("recorded");
        const StoredItem three{{"text/html", "<b>\xc3\xa9t\xc3\xa9</b>"},
                               {"text/plain;charset=utf-8", "\xc3\xa9t\xc3\xa9"},
                               {"application/x-quillstack-private", allByteValues()}};
        QTest::newRow("three types") << three << three;
        // Text the history would not find under its own name gets that name as well.
        const StoredItem upper{{"text/plain;charset=\"UTF-8\"", "\xc3\xa9t\xc3\xa9"}};
        StoredItem both = upper;
        both.insert("text/plain;charset=utf-8", "\xc3\xa9t\xc3\xa9");
        QTest::newRow("charset spelled otherwise") << upper << both;
    }
    void recordsEveryTypeOfAnotherOwner() {
        QFETCH(StoredItem, copy);
        QFETCH(StoredItem, recorded);
        WaylandPasteboard pasteboard;
        QVERIFY(pasteboard.isConnected());
        // A second connection is another client to the compositor.
        WaylandPasteboard owner;
        QVERIFY(owner.writeItems({copy}));
        QVERIFY(confirmed(owner));
        QTRY_COMPARE_WITH_TIMEOUT(pasteboard.items(), PasteboardSnapshot{recorded}, 5000);
        QCOMPARE(pasteboard.string(), QStringLiteral("\u00e9t\u00e9"));
        // The owner reads its own selection back as its own write, not as a new copy.
        QTest::qWait(300);
        QCOMPARE(owner.changeCount(), 1);
        QCOMPARE(owner.items(), PasteboardSnapshot{copy});
    }

    void largeCopyDoesNotStallTheMainThread() {
        const QByteArray large = randomBytes(64 << 20, 9);
        QTemporaryFile file;
        QVERIFY(file.open());
        QCOMPARE(file.write(large), large.size());
        file.flush();
        HistoryRig rig;
        qint64 pasteboardStallMs = -1;
        QObject::connect(&rig.pasteboard, &WaylandPasteboard::externalChange, &rig.pasteboard,
                         [&] { pasteboardStallMs = 0; });
        QProcess copy;
        copy.setStandardInputFile(file.fileName());
        copy.start(QStringLiteral("wl-copy"), {QStringLiteral("-t"), "application/x-large"});
        // Measured from here: starting the tool is the test's own work.
        QVERIFY(copy.waitForStarted());
        StallMeter meter;
        QVERIFY(spinUntil([&] { return pasteboardStallMs == 0; }, 30'000));
        pasteboardStallMs = meter.longestMs;
        QVERIFY(spinUntil([&] { return !rig.history.items().isEmpty(); }, 30'000));
        spinUntil([] { return false; }, 100);
        qInfo("longest main-thread stall: %lld ms to the hand-over, %lld ms with the history",
              pasteboardStallMs, meter.longestMs);
        QVERIFY2(pasteboardStallMs < 20, qPrintable(QString::number(pasteboardStallMs)));
        QVERIFY2(meter.longestMs < 20, qPrintable(QString::number(meter.longestMs)));
        QVERIFY(rig.history.items()[0].resolvedPasteboardData() ==
                (PasteboardSnapshot{{{"application/x-large", large}}}));
    }

    void servesOwnWritesByteForByte() {
        WaylandPasteboard pasteboard;
        const StoredItem first{{"text/html", "<b>\xc3\xa9t\xc3\xa9</b>"},
                               {"text/plain;charset=utf-8", "\xc3\xa9t\xc3\xa9"},
                               {"application/x-quillstack-private", allByteValues()},
                               {"application/x-large", randomBytes(5 << 20)}};
        const StoredItem second{{"text/html", "<i>loses</i>"}, {"text/rtf", "{\\rtf1 second}"}};
        QVERIFY(pasteboard.writeItems({first, second}));
        QCOMPARE(pasteboard.changeCount(), 1);
        QVERIFY(confirmed(pasteboard));
        StoredItem merged = first;
        merged.insert("text/rtf", second.value("text/rtf"));
        QCOMPARE(offeredTypes(), merged.keys());
        for (auto it = merged.cbegin(); it != merged.cend(); ++it) {
            QVERIFY2(paste(it.key()) == it.value(), qPrintable(it.key()));
        }
        pasteboard.offerLatestWriteAsPrimary();
        QVERIFY(confirmed(pasteboard));
        QCOMPARE(paste("text/html", true), first.value("text/html"));
        QVERIFY(paste("application/x-large", true) == first.value("application/x-large"));
        // Our own selections are never read back as new copies.
        QTest::qWait(300);
        QCOMPARE(pasteboard.changeCount(), 1);
        QCOMPARE(pasteboard.items(), PasteboardSnapshot{merged});

        // Once another client holds the clipboard, there is nothing of ours to mirror.
        run(QStringLiteral("wl-copy"), {}, "other");
        QTRY_COMPARE_WITH_TIMEOUT(pasteboard.string(), QStringLiteral("other"), 5000);
        pasteboard.offerLatestWriteAsPrimary();
        QVERIFY(!confirmed(pasteboard));
    }

    void offersTextUnderEveryName_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<QUrl>>("urls");
        QTest::addColumn<QStringList>("types");
        QTest::addColumn<QByteArray>("plain");
        QTest::addColumn<StoredItem>("item");
        const QStringList text{"TEXT", "UTF8_STRING", "text/plain", "text/plain;charset=utf-8"};
        QTest::newRow("Latin-1 text")
            << "na\u00efve" << QList<QUrl>() << text + QStringList{"STRING"}
            << QByteArray("na\xc3\xafve") << StoredItem();
        QTest::newRow("beyond Latin-1") << "\u2713 done" << QList<QUrl>() << text
                                        << QByteArray("\xe2\x9c\x93 done") << StoredItem();
        QTest::newRow("files") << QString()
                               << QList<QUrl>{QUrl::fromLocalFile("/tmp/a b.txt"),
                                              QUrl::fromLocalFile("/home/\u00fcser/r.pdf")}
                               << QStringList{"UTF8_STRING", "text/plain",
                                              "text/plain;charset=utf-8", "text/uri-list",
                                              "x-special/gnome-copied-files"}
                               << QByteArray("/tmp/a b.txt\n/home/\xc3\xbcser/r.pdf")
                               << StoredItem();
        // A copy recorded with X names only still pastes into Wayland clients.
        QTest::newRow("restored X text")
            << QString() << QList<QUrl>()
            << QStringList{"UTF8_STRING", "text/plain", "text/plain;charset=utf-8"}
            << QByteArray("na\xc3\xafve") << StoredItem{{"UTF8_STRING", "na\xc3\xafve"}};
    }
    void offersTextUnderEveryName() {
        QFETCH(QString, text);
        QFETCH(QList<QUrl>, urls);
        QFETCH(QStringList, types);
        QFETCH(QByteArray, plain);
        QFETCH(StoredItem, item);
        WaylandPasteboard pasteboard;
        if (!item.isEmpty()) {
            QVERIFY(pasteboard.writeItems({item}));
        } else if (!urls.isEmpty()) {
            QVERIFY(pasteboard.writeFileUrls(urls));
        } else {
            pasteboard.setString(text);
        }
        QVERIFY(confirmed(pasteboard));
        types.sort();
        QCOMPARE(offeredTypes(), types);
        QCOMPARE(paste("text/plain;charset=utf-8"), plain);
        QCOMPARE(paste("UTF8_STRING"), plain);
    }

    void keepsTheClipboardWhenItsOwnerQuits() {
        HistoryRig rig;
        const QByteArray text("kept \xe2\x9c\x93\0after", 15);
        QProcess owner;
        owner.setStandardOutputFile(QProcess::nullDevice());
        owner.start(QStringLiteral("wl-copy"),
                    {QStringLiteral("--foreground"), QStringLiteral("-t"),
                     QStringLiteral("text/plain;charset=utf-8")});
        QVERIFY(owner.waitForStarted());
        owner.write(text);
        owner.closeWriteChannel();
        QTRY_VERIFY_WITH_TIMEOUT(!rig.history.items().isEmpty(), 5000);
        const qint64 before = rig.pasteboard.changeCount();
        owner.kill();
        owner.waitForFinished();
        QTRY_VERIFY_WITH_TIMEOUT(rig.pasteboard.changeCount() > before, 5000);
        QVERIFY(confirmed(rig.pasteboard));
        QCOMPARE(paste("text/plain;charset=utf-8"), text);
        QCOMPARE(rig.history.items().size(), 1);
    }

    void stalledReaderDoesNotHoldUpTheNextCopy() {
        const std::chrono::milliseconds timeout = 2s;
        WaylandPasteboard pasteboard({}, timeout);
        const QByteArray large = randomBytes(8 << 20);
        QVERIFY(pasteboard.writeItems({{{"application/x-large", large}}}));
        QVERIFY(confirmed(pasteboard));
        // A reader that stops after a few bytes ends our write with EPIPE, never this process.
        QCOMPARE(run(QStringLiteral("sh"),
                     {QStringLiteral("-c"), QStringLiteral("wl-paste -t application/x-large | "
                                                           "head -c 10")})
                     .size(),
                 10);
        const QSet<QString> before = openPipes();
        // wl-paste takes what fits into its output, which nobody reads, and then nothing more.
        QProcess reader;
        QProcess sink;
        reader.setStandardOutputProcess(&sink);
        sink.start(QStringLiteral("sleep"), {QStringLiteral("60")});
        reader.start(QStringLiteral("wl-paste"), {QStringLiteral("-t"), "application/x-large"});
        QVERIFY(reader.waitForStarted() && sink.waitForStarted());
        QTest::qWait(500);
        const QSet<QString> during = openPipes() - before;
        // Other readers are served meanwhile.
        QVERIFY(paste("application/x-large") == large);

        QElapsedTimer clock;
        clock.start();
        run(QStringLiteral("wl-copy"), {}, "next copy");
        QTRY_COMPARE_WITH_TIMEOUT(pasteboard.string(), QStringLiteral("next copy"), 5000);
        QVERIFY2(clock.elapsed() < timeout.count() / 2,
                 qPrintable(QString::number(clock.elapsed())));
        // The reader is still alive, but its transfer was given up and its pipe closed.
        QTest::qWait(int(timeout.count()) + 1000);
        QCOMPARE(reader.state(), QProcess::Running);
        QVERIFY(!(during - openPipes()).isEmpty());
        for (QProcess* process : {&reader, &sink}) {
            process->kill();
            process->waitForFinished();
        }
    }

    void hungOwnerIsGivenUp() {
        QProcess owner;
        owner.setStandardOutputFile(QProcess::nullDevice());
        owner.start(QStringLiteral("wl-copy"), {QStringLiteral("--foreground")});
        QVERIFY(owner.waitForStarted());
        owner.write("held");
        owner.closeWriteChannel();
        QTRY_COMPARE_WITH_TIMEOUT(offeredTypes().isEmpty(), false, 5000);
        const qsizetype types = offeredTypes().size();
        // An owner that stops answering, as a hung application does, costs each type its
        // timeout and no more.
        ::kill(pid_t(owner.processId()), SIGSTOP);
        QElapsedTimer clock;
        clock.start();
        WaylandPasteboard pasteboard({}, 300ms);
        QTRY_COMPARE_WITH_TIMEOUT(pasteboard.changeCount(), 1, 10'000);
        const qint64 elapsed = clock.elapsed();
        QVERIFY(pasteboard.items().isEmpty());
        QVERIFY2(elapsed < 300 * types + 2000, qPrintable(QString::number(elapsed)));

        // Our write lands while the hung owner is being read: ours stays, theirs is dropped.
        WaylandPasteboard patient({}, 2s);
        QTest::qWait(200);
        patient.setString(QStringLiteral("ours"));
        QVERIFY(confirmed(patient));
        QCOMPARE(paste("text/plain"), QByteArray("ours"));
        ::kill(pid_t(owner.processId()), SIGCONT);
        owner.kill();
        owner.waitForFinished();
        QTest::qWait(500);
        QCOMPARE(patient.changeCount(), 1);
        QCOMPARE(patient.string(), QStringLiteral("ours"));
    }

    void clearedClipboardCountsOnce() {
        run(QStringLiteral("wl-copy"), {}, "something");
        WaylandPasteboard pasteboard;
        QTRY_COMPARE_WITH_TIMEOUT(pasteboard.changeCount(), 1, 5000);
        run(QStringLiteral("wl-copy"), {QStringLiteral("--clear")});
        QTRY_COMPARE_WITH_TIMEOUT(pasteboard.changeCount(), 2, 5000);
        QVERIFY(pasteboard.items().isEmpty());
        QTest::qWait(200);
        QCOMPARE(pasteboard.changeCount(), 2);
    }

    void survivesTheCompositorGoing() {
        // A compositor of its own, so that the session's stays up.
        QTemporaryFile config;
        QVERIFY(config.open());
        config.write("xwayland disable\n");
        config.flush();
        const QDir runtime(qEnvironmentVariable("XDG_RUNTIME_DIR"));
        const QStringList before = runtime.entryList({QStringLiteral("wayland-*")}, QDir::System);
        QProcess sway;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("SWAYSOCK"));
        sway.setProcessEnvironment(environment);
        sway.setStandardOutputFile(QProcess::nullDevice());
        sway.setStandardErrorFile(QProcess::nullDevice());
        sway.start(QStringLiteral("sway"), {QStringLiteral("--config"), config.fileName()});
        QString display;
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                for (const QString& name :
                     runtime.entryList({QStringLiteral("wayland-*")}, QDir::System)) {
                    if (!before.contains(name) && !name.endsWith(QLatin1StringView(".lock"))) {
                        display = name;
                    }
                }
                return !display.isEmpty() && WaylandPasteboard::isOffered(display);
            }(),
            10'000);
        WaylandPasteboard pasteboard(display);
        QVERIFY(pasteboard.isConnected());
        pasteboard.setString(QStringLiteral("before"));
        QVERIFY(confirmed(pasteboard));
        const qint64 count = pasteboard.changeCount();

        sway.terminate();
        QVERIFY(sway.waitForFinished(10'000));
        QTRY_VERIFY_WITH_TIMEOUT(!pasteboard.isConnected(), 5000);
        QVERIFY(!pasteboard.writeItems({StoredItem{{"text/plain", "x"}}}));
        QVERIFY(!confirmed(pasteboard));
        QVERIFY(pasteboard.items().isEmpty());
        QTest::qWait(200);
        QCOMPARE(pasteboard.changeCount(), count);
    }

    void worksWithoutCompositor() {
        QVERIFY(WaylandPasteboard::isOffered());
        // A socket handed to the application stays the application's.
        qputenv("WAYLAND_SOCKET", "999");
        const bool besideHandedSocket = WaylandPasteboard::isOffered();
        const QByteArray handed = qgetenv("WAYLAND_SOCKET");
        qunsetenv("WAYLAND_SOCKET");
        QVERIFY(besideHandedSocket);
        QCOMPARE(handed, QByteArray("999"));
        const QString nowhere = QStringLiteral("quillstack-no-such-display");
        QVERIFY(!WaylandPasteboard::isOffered(nowhere));
        WaylandPasteboard pasteboard(nowhere);
        QVERIFY(!pasteboard.isConnected());
        pasteboard.setString(QStringLiteral("nowhere"));
        QVERIFY(!pasteboard.writeItems({StoredItem{{"text/plain", "x"}}}));
        QVERIFY(!confirmed(pasteboard));
        QCOMPARE(pasteboard.changeCount(), 0);
        QVERIFY(pasteboard.items().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestWaylandPasteboard)
#include "tst_wayland_pasteboard.moc"
