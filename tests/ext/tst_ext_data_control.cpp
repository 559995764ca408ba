#include <QTemporaryDir>
#include <QTest>

#include "DataControlServer.h"
#include "PasteboardRigs.h"
#include "platform/wayland/WaylandPasteboard.h"

using namespace std::chrono_literals;

namespace {
const QString kUtf8 = QStringLiteral("text/plain;charset=utf-8");
}

// The history on a compositor that offers only the standard data control (and announces the
// wlroots one beside it), through a real protocol exchange with the test's own server.
class TestExtDataControl : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase() {
        // The server's socket needs a runtime folder; CI may have none.
        if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
            QVERIFY(m_runtime.isValid());
            QFile::setPermissions(m_runtime.path(), QFileDevice::ReadOwner |
                                                        QFileDevice::WriteOwner |
                                                        QFileDevice::ExeOwner);
            qputenv("XDG_RUNTIME_DIR", m_runtime.path().toLocal8Bit());
        }
        qunsetenv("WAYLAND_SOCKET");
    }

    void copyKeptAndRestored_data() {
        QTest::addColumn<StoredItem>("content");
        QTest::newRow("text with a NUL byte")
            << StoredItem{{kUtf8, QByteArray("a\0b\n\xc3\xa9", 6)}};
        QTest::newRow("three types, every byte value")
            << StoredItem{{"text/html", "<b>\xc3\xa9t\xc3\xa9</b>"},
                          {kUtf8, "\xc3\xa9t\xc3\xa9"},
                          {"application/x-quillstack-private", allByteValues()}};
        QTest::newRow("larger than a pipe")
            << StoredItem{{"application/x-large", randomBytes(2 << 20, 5)}};
    }

    void copyKeptAndRestored() {
        QFETCH(StoredItem, content);
        DataControlServer server;
        QVERIFY(!server.socketName().isEmpty());
        QVERIFY(WaylandPasteboard::isOffered(server.socketName()));
        PasteboardHistoryRig rig(std::make_unique<WaylandPasteboard>(server.socketName(), 2s));
        QVERIFY(rig.pasteboard.isConnected());
        const auto pastesAll = [&server, &content](bool primary) {
            bool same = server.offeredTypes(primary) == content.keys();
            for (auto it = content.cbegin(); it != content.cend(); ++it) {
                same = same && server.paste(it.key(), primary) == it.value();
            }
            return same;
        };

        // Another client's copy is recorded byte for byte.
        server.copy(content);
        QTRY_COMPARE_WITH_TIMEOUT(rig.history.items().size(), 1, 10'000);
        QVERIFY(rig.history.items()[0].resolvedPasteboardData() == PasteboardSnapshot{content});

        // Its client leaving leaves the copy on the clipboard, as ours, and no second record.
        server.clear();
        QTRY_VERIFY_WITH_TIMEOUT(!server.offeredTypes().isEmpty(), 5000);
        QVERIFY(pastesAll(false));
        rig.settle();
        QCOMPARE(rig.history.items().size(), 1);

        // Restored after a newer copy: every type again, and as the primary selection too.
        server.copy({{kUtf8, "newer"}});
        QTRY_COMPARE_WITH_TIMEOUT(rig.history.items().size(), 2, 5000);
        rig.history.restoreToClipboard(1);
        QVERIFY(confirmed(rig.pasteboard));
        QVERIFY(pastesAll(false));
        rig.pasteboard.offerLatestWriteAsPrimary();
        QVERIFY(confirmed(rig.pasteboard));
        QVERIFY(pastesAll(true));
        rig.settle();
        QCOMPARE(rig.history.items().size(), 2);
        // The sources the newer ones replaced are given up: ours are the two in use.
        QTRY_COMPARE_WITH_TIMEOUT(server.counts(), std::pair(0, 2), 5000);
    }

  private:
    QTemporaryDir m_runtime;
};

QTEST_GUILESS_MAIN(TestExtDataControl)
#include "tst_ext_data_control.moc"
