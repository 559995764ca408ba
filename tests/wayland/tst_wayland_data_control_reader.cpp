#include <signal.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>

#include <memory>
#include <mutex>

#include "platform/wayland/WaylandDataControlReader.h"

using namespace std::chrono_literals;
using Snapshot = WaylandDataControlReader::Snapshot;

namespace {
void wlCopy(const QStringList& arguments, const QByteArray& input) {
    QProcess copy;
    copy.setStandardOutputFile(QProcess::nullDevice());
    copy.setStandardErrorFile(QProcess::nullDevice());
    copy.start(QStringLiteral("wl-copy"), arguments);
    QVERIFY(copy.waitForStarted());
    copy.write(input);
    copy.closeWriteChannel();
    QVERIFY(copy.waitForFinished(10'000));
    QCOMPARE(copy.exitCode(), 0);
}
}  // namespace

class TestWaylandDataControlReader : public QObject {
    Q_OBJECT
  private:
    std::mutex m_mutex;
    QList<Snapshot> m_delivered;
    std::unique_ptr<WaylandDataControlReader> m_reader;

    // Starts a reader and waits for its first report, the selection found at start.
    void startReader(std::chrono::milliseconds timeout) {
        m_reader.reset();
        m_delivered.clear();
        m_reader =
            std::make_unique<WaylandDataControlReader>(QString(), timeout, [this](Snapshot s) {
                const std::lock_guard lock(m_mutex);
                m_delivered.append(std::move(s));
            });
        QVERIFY(m_reader->isConnected());
        QTRY_COMPARE_WITH_TIMEOUT(deliveredCount(), 1, 5000);
    }
    qsizetype deliveredCount() {
        const std::lock_guard lock(m_mutex);
        return m_delivered.size();
    }
    Snapshot last() {
        const std::lock_guard lock(m_mutex);
        return m_delivered.last();
    }

  private Q_SLOTS:
    void cleanup() { m_reader.reset(); }

    void readsEveryTypeByteForByte_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("text with a NUL byte")
            << "text/plain;charset=utf-8" << QByteArray("one\0two\n\xc3\xa9", 10);
        QByteArray large(3 * 1024 * 1024 + 7, Qt::Uninitialized);
        QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(large.data()), large.size() / 4);
        QTest::newRow("binary larger than a pipe's buffer") << "application/x-test" << large;
    }
    void readsEveryTypeByteForByte() {
        QFETCH(QString, type);
        QFETCH(QByteArray, bytes);
        startReader(2s);
        wlCopy({QStringLiteral("--type"), type}, bytes);
        QTRY_COMPARE_WITH_TIMEOUT(deliveredCount(), 2, 10'000);
        const Snapshot snapshot = last();
        QVERIFY(snapshot.hasOffer);
        QVERIFY(snapshot.offeredTypes.contains(type));
        QStringList offered = snapshot.offeredTypes;
        offered.sort();
        QCOMPARE(snapshot.item.keys(), offered);
        for (const QByteArray& read : snapshot.item) {
            QCOMPARE(read, bytes);
        }
    }

    void clearedClipboardHasNoOffer() {
        wlCopy({}, "something");
        startReader(2s);
        QVERIFY(last().hasOffer);
        wlCopy({QStringLiteral("--clear")}, {});
        QTRY_COMPARE_WITH_TIMEOUT(deliveredCount(), 2, 5000);
        QVERIFY(!last().hasOffer);
        QVERIFY(last().item.isEmpty());
    }

    void hungOwnerIsGivenUp() {
        startReader(300ms);
        QProcess owner;
        owner.setStandardOutputFile(QProcess::nullDevice());
        owner.start(QStringLiteral("wl-copy"), {QStringLiteral("--foreground")});
        QVERIFY(owner.waitForStarted());
        owner.write("held");
        owner.closeWriteChannel();
        QTRY_COMPARE_WITH_TIMEOUT(deliveredCount(), 2, 5000);
        QVERIFY(!last().item.isEmpty());
        // An owner that stops answering, as a hung application does, costs each type its
        // timeout and no more.
        ::kill(pid_t(owner.processId()), SIGSTOP);
        QElapsedTimer timer;
        timer.start();
        startReader(300ms);
        const Snapshot snapshot = last();
        ::kill(pid_t(owner.processId()), SIGCONT);
        owner.kill();
        owner.waitForFinished();
        QVERIFY(snapshot.hasOffer);
        QVERIFY(!snapshot.offeredTypes.isEmpty());
        QVERIFY(snapshot.item.isEmpty());
        QVERIFY(timer.elapsed() < 300 * snapshot.offeredTypes.size() + 2000);
    }
};

QTEST_GUILESS_MAIN(TestWaylandDataControlReader)
#include "tst_wayland_data_control_reader.moc"
