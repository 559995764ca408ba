// SPDX-License-Identifier: MIT
#include "ClipboardContract.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QTest>
#include <QThread>

#include <algorithm>
#include <functional>

#include "ClipboardRigs.h"
#include "history/ClipboardContent.h"

using namespace std::chrono_literals;

void ClipboardContract::servesOwnWritesUnderEveryName_data() {
    QTest::addColumn<StoredItem>("content");
    QTest::addColumn<StoredItem>("offered");
    // What a client asking by MIME type only is offered besides.
    QTest::addColumn<StoredItem>("mimeOffered");
    // Binary bytes are served as the history's refill: historyTakesLargeCopiesAndKeepsTheClipboard.
    // Larger than any X request, whatever the server's limit: sent in parts only.
    const StoredItem content{{"text/html", "<b>\xc3\xa9t\xc3\xa9</b>"},
                             {kUtf8, "\xc3\xa9t\xc3\xa9"},
                             {"application/x-large", randomBytes(20 << 20)},
                             {"TEXT", "\xc3\xa9t\xc3\xa9"}};
    QTest::newRow("every type") << content << content << StoredItem();
    // A copy recorded with X names only still pastes into clients that ask by MIME type.
    QTest::newRow("restored X text")
        << StoredItem{{"UTF8_STRING", "naive"}} << StoredItem{{"UTF8_STRING", "naive"}}
        << StoredItem{{"text/plain", "naive"}, {kUtf8, "naive"}};
}

void ClipboardContract::servesOwnWritesUnderEveryName() {
    QFETCH(StoredItem, content);
    QFETCH(StoredItem, offered);
    QFETCH(StoredItem, mimeOffered);
    const auto clipboard = board();
    QVERIFY(clipboard->isConnected());
    QVERIFY(!clipboard->write({}));  // no claim without a type: the count stays
    QVERIFY(clipboard->write(content));
    QCOMPARE(clipboard->changeCount(), 1);
    QVERIFY(confirmed(*clipboard));
    if (namesTextByMime()) {
        offered.insert(mimeOffered);
    }
    QCOMPARE(offeredTypes(), offered.keys());
    for (auto it = offered.cbegin(); it != offered.cend(); ++it) {
        QVERIFY2(paste(it.key()) == it.value(), qPrintable(it.key()));
    }
    QCOMPARE(paste("application/x-not-offered"), QByteArray());
    // Terminals that paste the primary selection get our latest write there too.
    clipboard->offerLatestWriteAsPrimary();
    QVERIFY(confirmed(*clipboard));
    QVERIFY(paste(offered.firstKey(), true) == offered.first());
    // Our own selections are never read back as new copies.
    QTest::qWait(300);
    QCOMPARE(clipboard->changeCount(), 1);
    QVERIFY(clipboard->items() == ClipboardSnapshot{offered});

    // Once another client holds the clipboard, there is nothing of ours to mirror.
    const auto other = copy("text/plain", "other");
    QTRY_COMPARE_WITH_TIMEOUT(clipboard->string(), QStringLiteral("other"), 5000);
    QCOMPARE(clipboard->changeCount(), 2);
    clipboard->offerLatestWriteAsPrimary();
    QVERIFY(!confirmed(*clipboard));
}

// Large copies of every byte value: historyTakesLargeCopiesAndKeepsTheClipboard.
void ClipboardContract::readsOtherClientsByteForByte() {
    const QByteArray bytes("one\0two\n\xc3\xa9", 10);
    auto owner = copy(kUtf8, bytes);
    QTest::qWait(300);
    // Content there at start-up is the first change.
    const auto clipboard = board();
    QTRY_COMPARE_WITH_TIMEOUT(clipboard->changeCount(), 1, 30'000);
    QCOMPARE(clipboard->items().size(), 1);
    QVERIFY(clipboard->items()[0].value(kUtf8) == bytes);
    QCOMPARE(clipboard->string(), std::optional(QString::fromUtf8(bytes)));
    // The owner quitting empties the clipboard, once.
    owner->kill();
    QTRY_COMPARE_WITH_TIMEOUT(clipboard->changeCount(), 2, 5000);
    QVERIFY(clipboard->items().isEmpty());
    QTest::qWait(200);
    QCOMPARE(clipboard->changeCount(), 2);
}

void ClipboardContract::historyTakesLargeCopiesAndKeepsTheClipboard() {
    ClipboardHistoryRig rig(board());
    rig.settle();
    const QByteArray large = randomBytes(1 << 20, 3);
    auto owner = copy("application/x-large", large);
    QTRY_COMPARE_WITH_TIMEOUT(rig.history.items().size(), 1, 10'000);
    // Once taken in, only the record's blob holds a large copy.
    QVERIFY(rig.clipboard.items().isEmpty());
    QVERIFY(rig.history.items()[0].resolvedClipboardData() ==
            (ClipboardSnapshot{{{"application/x-large", large}}}));
    // Its owner quitting leaves the latest copy on the clipboard, as ours, and no second record.
    const qint64 before = rig.clipboard.changeCount();
    owner->kill();
    QTRY_VERIFY_WITH_TIMEOUT(rig.clipboard.changeCount() > before, 5000);
    QVERIFY(confirmed(rig.clipboard));
    QVERIFY(paste("application/x-large") == large);
    rig.settle();
    QCOMPARE(rig.history.items().size(), 1);
    // The next copy stays its owner's: nothing takes the clipboard back.
    const auto next = copy("text/plain", "next");
    QTRY_COMPARE_WITH_TIMEOUT(rig.history.items().size(), 2, 5000);
    rig.settle();
    QCOMPARE(paste("text/plain"), QByteArray("next"));
}

// Another program copies ten times 100 ms apart, each copy held until the next: all recorded,
// in order. Then it sets the clipboard as fast as it can for a second, copy 100 staying 60 ms:
// that one and the last are recorded, and what is recorded keeps the order.
// The paces are a release build's; a sanitized one reads several times slower, and on a
// loaded machine its reader, a low-priority thread, falls further behind.
#ifdef __SANITIZE_ADDRESS__
constexpr int slowdown = 3;
#else
constexpr int slowdown = 1;
#endif

void ClipboardContract::historyRecordsEveryCopyOfABurst() {
    ClipboardHistoryRig rig(board());
    const auto other = board();
    rig.settle();
    QList<int> recorded;  // the copy each new newest record holds, as they came
    QObject::connect(&rig.history, &ClipboardHistory::itemsChanged, [&] {
        const int newest = rig.history.items().constFirst().previewText().toInt();
        if (recorded.isEmpty() || recorded.constLast() != newest) {
            recorded << newest;
        }
    });
    QElapsedTimer clock;
    clock.start();
    int copy = 0;
    for (; copy < 10 || clock.elapsed() < 1000; ++copy) {
        other->write(ClipboardContent::plainTextItem(QString::number(copy)));
        QTest::qWait(copy < 10 ? 100 * slowdown : copy == 100 ? 60 * slowdown : 1);
        if (copy < 10) {
            clock.restart();  // the flood's second starts after the burst
        }
    }
    QTRY_COMPARE_WITH_TIMEOUT(recorded.value(recorded.size() - 1), copy - 1, 5000);
    QCOMPARE(recorded.mid(0, 10), QList<int>({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    QVERIFY2(recorded.contains(100) &&
                 std::adjacent_find(recorded.cbegin(), recorded.cend(), std::greater_equal<>()) ==
                     recorded.cend(),
             qPrintable(QDebug::toString(recorded)));
}

void ClipboardContract::copyMadeAsTheOwnerLeavesIsNotOverwritten() {
    const auto clipboard = board();
    auto owner = copy("text/plain", "leaving");
    QTRY_COMPARE_WITH_TIMEOUT(clipboard->string(), QStringLiteral("leaving"), 5000);
    // Another program copies between the owner leaving and our refill of the clipboard.
    std::unique_ptr<ForeignCopy> next;
    bool refilled = false;
    clipboard->setOwnerLostHandler([&] {
        next = copy("text/plain", "next");
        for (int tries = 0; tries < 100 && paste("text/plain") != "next"; ++tries) {
            QThread::msleep(50);
        }
        clipboard->write(ClipboardContent::plainTextItem(QStringLiteral("leaving")));
        refilled = true;
    });
    owner->kill();
    QTRY_VERIFY_WITH_TIMEOUT(refilled, 20'000);
    QTRY_COMPARE_WITH_TIMEOUT(clipboard->string(), QStringLiteral("next"), 5000);
    QVERIFY(!confirmed(*clipboard));
    QCOMPARE(paste("text/plain"), QByteArray("next"));
}

void ClipboardContract::hungOwnerIsGivenUpAndOurWriteWins() {
    auto owner = copy("text/plain", "held");
    QTRY_VERIFY_WITH_TIMEOUT(!offeredTypes().isEmpty(), 5000);
    // An owner that stops answering, as a hung application does, costs the main thread nothing.
    owner->hang(true);
    StallMeter meter;
    const auto clipboard = board({}, 300ms);
    QTRY_COMPARE_WITH_TIMEOUT(clipboard->changeCount(), 1, 10'000);
    QVERIFY(clipboard->items().isEmpty());
    // Shorter than one wait, however busy the machine.
    QVERIFY2(meter.longestMs < 300, qPrintable(QString::number(meter.longestMs)));

    // Our write lands while the hung owner is being read: ours stays, theirs is dropped.
    const auto patient = board({}, 2s);
    QTest::qWait(200);
    patient->write(ClipboardContent::plainTextItem(QStringLiteral("ours")));
    QVERIFY(confirmed(*patient));
    QCOMPARE(paste("text/plain"), QByteArray("ours"));
    owner->hang(false);
    owner->kill();
    QTest::qWait(500);
    QCOMPARE(patient->changeCount(), 1);
    QCOMPARE(patient->string(), QStringLiteral("ours"));
}

#include "moc_ClipboardContract.cpp"
