// SPDX-License-Identifier: MIT
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSet>
#include <QTest>

#include <csignal>

#include "ClipboardContract.h"
#include "ClipboardRigs.h"
#include "TestHelpers.h"
#include "platform/wayland/WaylandClipboard.h"

using namespace std::chrono_literals;

namespace {
// The pipes this process holds open, by inode.
QSet<QString> openPipes() {
    QSet<QString> pipes;
    for (const QFileInfo& fd : QDir("/proc/self/fd").entryInfoList(QDir::System)) {
        const QString target = QFile::symLinkTarget(fd.filePath());
        if (target.contains("pipe:")) {
            pipes.insert(target);
        }
    }
    return pipes;
}

}  // namespace

class TestWaylandClipboard : public ClipboardContract {
    Q_OBJECT
  protected:
    std::unique_ptr<SelectionClipboard> board(const QString& display,
                                              std::chrono::milliseconds timeout) override {
        return std::make_unique<WaylandClipboard>(display, timeout);
    }
    QByteArray paste(const QString& type, bool primary) override {
        return runTool("wl-paste", primary ? QStringList{"-n", "-p", "-t", type}
                                           : QStringList{"-n", "-t", type});
    }
    QStringList offeredTypes() override {
        QStringList types =
            QString::fromUtf8(runTool("wl-paste", {"-l"})).split('\n', Qt::SkipEmptyParts);
        types.sort();
        return types;
    }
    std::unique_ptr<ForeignCopy> copy(const QString& type, const QByteArray& bytes) override {
        return std::make_unique<ForeignCopy>("wl-copy", QStringList{"--foreground", "-t", type},
                                             bytes);
    }
    bool namesTextByMime() const override { return true; }
    void clear() override { runTool("wl-copy", {"--clear"}); }

  private Q_SLOTS:
    void stalledReaderDoesNotHoldUpTheNextCopy() {
        const std::chrono::milliseconds timeout = 2s;
        WaylandClipboard clipboard({}, timeout);
        const QByteArray large = randomBytes(8 << 20);
        QVERIFY(clipboard.write({{"application/x-large", large}}));
        QVERIFY(confirmed(clipboard));
        // A reader that stops after a few bytes ends our write with EPIPE, never this process.
        QCOMPARE(runTool("sh", {"-c", "wl-paste -t application/x-large | head -c 10"}).size(), 10);
        QTest::qWait(200);
        // No thread of this process holds a SIGPIPE it never took.
        for (const QString& task :
             QDir("/proc/self/task").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            const QByteArray status = readFile("/proc/self/task/" + task + "/status");
            const qsizetype at = status.indexOf("SigPnd:\t") + 8;
            QVERIFY(at >= 8 && !(status.mid(at, 16).toULongLong(nullptr, 16) >> (SIGPIPE - 1) & 1));
        }
        const QSet<QString> before = openPipes();
        // wl-paste takes what fits into its output, which nobody reads, and then nothing more.
        QProcess reader, sink;
        reader.setStandardOutputProcess(&sink);
        sink.start("sleep", {"60"});
        reader.start("wl-paste", {"-t", "application/x-large"});
        QVERIFY(reader.waitForStarted() && sink.waitForStarted());
        QTest::qWait(500);
        const QSet<QString> during = openPipes() - before;
        // Other readers are served meanwhile.
        QVERIFY(paste("application/x-large", false) == large);

        QElapsedTimer clock;
        clock.start();
        runTool("wl-copy", {}, "next copy");
        QTRY_COMPARE_WITH_TIMEOUT(clipboard.string(), QStringLiteral("next copy"), 5000);
        QVERIFY2(clock.elapsed() < timeout.count() / 2,
                 qPrintable(QString::number(clock.elapsed())));
        // The reader is still alive, but its transfer was given up and its pipe closed.
        QTest::qWait(int(timeout.count()) + 1000);
        QCOMPARE(reader.state(), QProcess::Running);
        QVERIFY(!(during - openPipes()).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestWaylandClipboard)
#include "tst_wayland_clipboard.moc"
