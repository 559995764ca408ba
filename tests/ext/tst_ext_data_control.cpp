// SPDX-License-Identifier: MIT
#include <QTemporaryDir>
#include <QTest>

#include "ClipboardRigs.h"
#include "DataControlServer.h"
#include "platform/wayland/WaylandClipboard.h"

using namespace std::chrono_literals;

// The history on a compositor that offers only the standard data control (and announces the
// wlroots one beside it), through a real protocol exchange with the test's own server.
class TestExtDataControl : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase() {
        // The server's socket needs a runtime folder; CI may have none.
        if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
            // Made with the owner's permissions only, as the folder must be.
            QVERIFY(m_runtime.isValid());
            qputenv("XDG_RUNTIME_DIR", m_runtime.path().toLocal8Bit());
        }
        // A socket handed to the application is its own: every connection here leaves it alone.
        qputenv("WAYLAND_SOCKET", "999");
    }

    // What is kept of a copy, and when, is the Wayland clipboard's test: here only the protocol
    // differs.
    void copyKeptAndRestored() {
        const QByteArray text("a\0b\n\xc3\xa9", 6);
        const StoredItem content{{"text/html", "<b>\xc3\xa9t\xc3\xa9</b>"},
                                 {"text/plain;charset=\"UTF-8\"", text},
                                 {"application/x-large", randomBytes(64 << 20, 9)}};
        // Clients spell the charset as they like; the history looks for one spelling.
        StoredItem kept = content;
        kept.insert(kUtf8, text);
        DataControlServer server;
        QVERIFY(!server.socketName().isEmpty());
        QVERIFY(WaylandClipboard::isOffered(server.socketName()));
        // Other clients copy through the same protocol: boards of ours.
        const auto board = [&server] {
            return std::make_unique<WaylandClipboard>(server.socketName(), 2s);
        };
        ClipboardHistoryRig rig(board());
        QVERIFY(rig.clipboard.isConnected());
        // Another client of the protocol, pasting what is offered.
        const auto reader = board();

        // Another client's copy is recorded byte for byte; the main thread takes no part in
        // reading it (measured from here: the writer's work is the test's own).
        const auto other = board();
        QVERIFY(other->write(content));
        StallMeter meter;
        QTRY_COMPARE_WITH_TIMEOUT(rig.history.items().size(), 1, 30'000);
        QTest::qWait(100);
        QVERIFY2(meter.longestCpuMs < 20, qPrintable(QString::number(meter.longestCpuMs)));
        QVERIFY(rig.history.items()[0].resolvedClipboardData() == ClipboardSnapshot{kept});

        // Restored after a newer copy: every type again, and as the primary selection too.
        const auto newer = board();
        QVERIFY(newer->write({{kUtf8, "newer"}}));
        QTRY_COMPARE_WITH_TIMEOUT(rig.history.items().size(), 2, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(reader->string(), std::optional(QStringLiteral("newer")), 5000);
        rig.history.restoreToClipboard(1);
        QVERIFY(confirmed(rig.clipboard));
        QTRY_VERIFY_WITH_TIMEOUT(reader->items() == ClipboardSnapshot{kept}, 10'000);
        rig.clipboard.offerLatestWriteAsPrimary();
        QVERIFY(confirmed(rig.clipboard));
        QCOMPARE(server.offeredTypes(true), kept.keys());
        rig.settle();
        QCOMPARE(rig.history.items().size(), 2);
        // The sources the newer ones replaced are given up: ours are the two in use.
        QTRY_COMPARE_WITH_TIMEOUT(server.counts(), std::pair(0, 2), 5000);
        QCOMPARE(qgetenv("WAYLAND_SOCKET"), QByteArray("999"));
    }

  private:
    QTemporaryDir m_runtime;
};

QTEST_GUILESS_MAIN(TestExtDataControl)
#include "tst_ext_data_control.moc"
