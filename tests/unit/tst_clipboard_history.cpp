#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include "FakeHistory.h"
#include "core/AppLogger.h"

namespace {

StoredItem text(const QByteArray& s) {
    return {{"UTF8_STRING", s}};
}
StoredItem files(const QStringList& paths) {
    QByteArray list;
    for (const QString& p : paths) {
        list += QUrl::fromLocalFile(p).toEncoded() + "\r\n";
    }
    return {{"text/uri-list", list}};
}
// Larger than the inline limit, so it lives in a blob file.
QByteArray big(char c) {
    return QByteArray(300000, c);
}

struct Rig : FakeHistory {
    QSignalSpy changes{&history, &ClipboardHistory::itemsChanged};
    QStringList logLines;

    // A notifying clipboard, as on X11, unless told otherwise.
    explicit Rig(bool notifying = true) {
        pasteboard.setNotifiesChanges(notifying);
        AppLogger::setSinkForTesting([this](const QString& line) { logLines << line; });
    }
    ~Rig() { AppLogger::setSinkForTesting({}); }
    void start() {
        history.startMonitoring();
        scheduler.runUntilIdle();
        changes.clear();
    }
    QStringList blobFiles() const { return QDir(history.blobDirectory()).entryList(QDir::Files); }
};

}  // namespace

class TestClipboardHistory : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void startMonitoringWipesIngestsAndChecks_data() {
        QTest::addColumn<bool>("notifying");
        QTest::addColumn<int>("idleTimers");
        QTest::addColumn<int>("idleChecks");
        QTest::newRow("notified") << true << 0 << 0;
        QTest::newRow("polled") << false << 1 << 10;  // every 0.5 s
    }
    void startMonitoringWipesIngestsAndChecks() {
        QFETCH(bool, notifying);
        QFETCH(int, idleTimers);
        QFETCH(int, idleChecks);
        Rig rig(notifying);
        QVERIFY(QFile(rig.history.blobDirectory() + "/LEFTOVER.blob").open(QIODevice::WriteOnly));
        rig.pasteboard.setContent({text("at launch")});
        rig.start();
        QVERIFY(rig.blobFiles().isEmpty());
        QCOMPARE(rig.previews(), QStringList{"at launch"});
        QCOMPARE(rig.history.lastChangeCount(), rig.pasteboard.changeCount());

        // Nothing changed: nothing ingested, and only a clipboard that cannot tell is polled.
        QCOMPARE(rig.scheduler.pendingTimers(), idleTimers);
        int reads = rig.pasteboard.changeCountReads();
        rig.scheduler.advance(5000);
        QCOMPARE(rig.changes.count(), 0);
        QCOMPARE(rig.pasteboard.changeCountReads() - reads, idleChecks);

        // Three copies within one interval are one check and one change, at most 0.5 s after
        // the first: only the last content is recorded.
        reads = rig.pasteboard.changeCountReads();
        rig.pasteboard.setContent({text("one")});
        rig.scheduler.advance(200);
        rig.pasteboard.setContent({text("two")});
        rig.scheduler.advance(200);
        rig.pasteboard.setContent({text("three")});
        rig.scheduler.advance(99);
        QCOMPARE(rig.changes.count(), 0);
        rig.scheduler.advance(1);
        QCOMPARE(rig.previews(), (QStringList{"three", "at launch"}));
        QCOMPARE(rig.changes.count(), 1);
        QCOMPARE(rig.pasteboard.changeCountReads() - reads, 1);
        QCOMPARE(rig.scheduler.pendingTimers(), idleTimers);
    }

    void deduplicationRules() {
        Rig rig;
        rig.start();
        const QDateTime firstDate = (rig.copy({text("words")}), rig.history.items()[0].date());
        rig.scheduler.advance(10000);
        rig.copy({{{"text/rtf", "{\\rtf1\\ansi words}"}}});
        QCOMPARE(rig.previews(), QStringList{"words"});
        QVERIFY(rig.history.items()[0].date() > firstDate);
        QVERIFY(rig.history.items()[0].resolvedPasteboardData()[0].contains("text/rtf"));

        // Copies that only have a placeholder to show merge when their bytes are the same.
        rig.copy({{{"application/x-a", "1"}}});
        rig.copy({{{"image/jpeg", "2"}}});
        rig.copy({{{"application/x-a", "1"}}});
        QCOMPARE(rig.previews(), (QStringList{"[Content]", "[Content]", "words"}));
        QCOMPARE(rig.history.items()[0].resolvedPasteboardData()[0].firstKey(),
                 QStringLiteral("application/x-a"));

        // Equal previews across kinds never supersede: "[Image]" text, an image, a file and its
        // name.
        QByteArray image(10000, 'p');
        rig.copy({{{"image/png", image}}});
        rig.copy({text("[Image]")});
        rig.copy({files({"/tmp/a.txt", "/tmp/b.txt"})});
        rig.copy({text("a.txt")});
        QCOMPARE(rig.previews(), (QStringList{"a.txt", "a.txt", "[Image]", "[Image]", "[Content]",
                                              "[Content]", "words"}));
        // The same files in another order and repeated supersede the file record only.
        rig.copy({files({"/tmp/b.txt", "/tmp/a.txt", "/tmp/b.txt"})});
        QCOMPARE(rig.history.items().size(), 7);
        QCOMPARE(rig.history.items()[0].fileURLs().size(), 3);
        QVERIFY(rig.history.items()[1].fileURLs().isEmpty());
        // Images match by size, head and tail: a changed middle supersedes, a changed tail does
        // not.
        image[5000] = 'q';
        rig.copy({{{"image/png", image}}});
        QCOMPARE(rig.history.items().size(), 7);
        image[image.size() - 1] = 'q';
        rig.copy({{{"image/png", image}}});
        QCOMPARE(rig.history.items().size(), 8);
        QCOMPARE(rig.previews().count("[Image]"), 3);

        // Long texts keep only the start of their text, yet merge only when wholly equal.
        rig.history.clearAll();
        const QByteArray prefix = QByteArray("long ").repeated(100000);
        rig.copy({text(prefix + "one")});
        rig.copy({text(prefix + "two")});
        rig.copy({{{"text/html", "<p>" + prefix + "one</p>"}}});
        QCOMPARE(rig.history.items().size(), 2);
        QVERIFY(rig.history.items()[0].resolvedPasteboardData()[0].contains("text/html"));
        QVERIFY(rig.history.items()[1].previewText().size() <= ClipboardItem::storedPreviewUnits);
    }

    void bufferLimitRemovalAndBlobLifecycle() {
        Rig rig;
        rig.limits.bufferLimit = 3;
        rig.start();
        for (char c : {'a', 'b', 'c'}) {
            rig.copy({text(big(c))});
        }
        QCOMPARE(rig.blobFiles().size(), 3);
        const QString oldest = *rig.history.items()[2].blobPath();
        const QString newest = *rig.history.items()[0].blobPath();
        rig.changes.clear();
        rig.copy({text(big('d'))});  // trims 'a'
        QCOMPARE(rig.changes.count(), 1);
        QVERIFY(!QFile::exists(oldest));
        rig.copy({text(big('c'))});  // supersedes the older 'c'
        QVERIFY(!QFile::exists(newest));
        QCOMPARE(rig.blobFiles().size(), 3);

        rig.changes.clear();
        rig.history.removeItem(-1);
        QCOMPARE(rig.changes.count(), 0);
        const QString removed = *rig.history.items()[1].blobPath();
        rig.history.removeItem(1);
        QCOMPARE(rig.changes.count(), 1);
        QVERIFY(!QFile::exists(removed));
        QCOMPARE(rig.blobFiles().size(), 2);

        rig.limits.bufferLimit = 1;
        rig.history.applyLimit();
        rig.history.applyLimit();  // already within the limit: no change
        QCOMPARE(rig.changes.count(), 2);
        QCOMPARE(rig.blobFiles(),
                 QStringList{QFileInfo(*rig.history.items()[0].blobPath()).fileName()});
        rig.history.clearAll();
        QCOMPARE(rig.changes.count(), 3);
        QVERIFY(rig.history.items().isEmpty() && rig.blobFiles().isEmpty());
    }

    void blobOfRecordInFlightSurvivesSweeps() {
        Rig rig;
        rig.pasteboard.setContent({text("small")});
        rig.start();
        // The big copy's blob is written, but its record has not reached the main thread yet when
        // the user removes a record and clears the history.
        rig.pasteboard.setContent({text(big('z'))});
        rig.history.startMonitoring();
        rig.scheduler.runBackgroundOnly();
        rig.history.removeItem(0);
        rig.history.clearAll();
        rig.scheduler.runUntilIdle();
        QCOMPARE(rig.history.items().size(), 1);
        QCOMPARE(rig.history.items()[0].resolvedPasteboardData(),
                 PasteboardSnapshot{text(big('z'))});
    }

    void restoreWritesStoredBytesWithoutReingest() {
        Rig rig;
        rig.start();
        const PasteboardSnapshot rich = {{{"UTF8_STRING", "rich"},
                                          {"text/rtf", "{\\rtf1 rich}"},
                                          {"text/html", "<b>rich</b>"},
                                          {"application/x-private", QByteArray("\0\xff", 2)}},
                                         text("second"),
                                         {{"text/plain", "third"}}};
        rig.copy(rich);
        rig.copy({text(big('b')), {{"application/x-more", "m"}}});
        rig.copy({files({"/tmp/x y.txt", "/tmp/z.txt"}), {{"text/plain", "ignored"}}});
        rig.changes.clear();

        rig.history.restoreToClipboard(1);
        rig.history.restoreToClipboard(2);
        rig.history.restoreToClipboard(0);
        const auto& writes = rig.pasteboard.writes();
        QCOMPARE(writes.size(), 3);
        QCOMPARE(writes[0].items,
                 (PasteboardSnapshot{text(big('b')), {{"application/x-more", "m"}}}));
        QCOMPARE(writes[1].items, rich);
        QCOMPARE(writes[2].kind, FakePasteboard::Write::Kind::FileUrls);
        QCOMPARE(writes[2].urls, (QList<QUrl>{QUrl::fromLocalFile("/tmp/x y.txt"),
                                              QUrl::fromLocalFile("/tmp/z.txt")}));
        QCOMPARE(rig.history.lastChangeCount(), rig.pasteboard.changeCount());
        rig.scheduler.advance(2000);
        QCOMPARE(rig.changes.count(), 0);
        QCOMPARE(rig.history.items().size(), 3);

        // A blob that cannot be read leaves the clipboard as it is.
        QVERIFY(QFile::remove(*rig.history.items()[1].blobPath()));
        const qint64 count = rig.pasteboard.changeCount();
        const PasteboardSnapshot before = rig.pasteboard.items();
        rig.history.restoreToClipboard(1);
        QCOMPARE(rig.pasteboard.writes().size(), 3);
        QCOMPARE(rig.pasteboard.changeCount(), count);
        QCOMPARE(rig.pasteboard.items(), before);
    }

    void ownerLeavingKeepsNewestCopyOffered_data() {
        QTest::addColumn<QList<PasteboardSnapshot>>("copies");
        QTest::addColumn<PasteboardSnapshot>("unpolled");
        QTest::addColumn<PasteboardSnapshot>("offered");
        QTest::addColumn<QStringList>("previews");
        const PasteboardSnapshot rich{{{"UTF8_STRING", "b"}, {"text/html", "<i>b</i>"}},
                                      {{"x-extra", QByteArray("\0\1", 2)}}};
        const PasteboardSnapshot secret{
            {{"UTF8_STRING", "pw"}, {"x-kde-passwordManagerHint", "secret"}}};
        QTest::newRow("newest record, all items")
            << QList<PasteboardSnapshot>{{text("a")}, rich} << PasteboardSnapshot{} << rich
            << QStringList{"b", "a"};
        QTest::newRow("empty history") << QList<PasteboardSnapshot>{} << PasteboardSnapshot{}
                                       << PasteboardSnapshot{} << QStringList{};
        QTest::newRow("password copy newest")
            << QList<PasteboardSnapshot>{{text("a")}, secret} << PasteboardSnapshot{}
            << PasteboardSnapshot{} << QStringList{"a"};
        QTest::newRow("owner left before the poll")
            << QList<PasteboardSnapshot>{{text("a")}} << PasteboardSnapshot{text("late")}
            << PasteboardSnapshot{text("late")} << QStringList{"late", "a"};
        QTest::newRow("password copy left before the poll")
            << QList<PasteboardSnapshot>{{text("a")}} << secret << PasteboardSnapshot{}
            << QStringList{"a"};
    }
    void ownerLeavingKeepsNewestCopyOffered() {
        QFETCH(QList<PasteboardSnapshot>, copies);
        QFETCH(PasteboardSnapshot, unpolled);
        QFETCH(PasteboardSnapshot, offered);
        QFETCH(QStringList, previews);
        Rig rig;
        rig.start();
        for (const PasteboardSnapshot& copy : copies) {
            rig.copy(copy);
        }
        rig.scheduler.runUntilIdle();
        const QList<ClipboardItem> before = rig.history.items();
        if (!unpolled.isEmpty()) {
            rig.pasteboard.setContent(unpolled);
        }

        rig.pasteboard.ownerLeaves();
        QCOMPARE(rig.pasteboard.items(), offered);
        QCOMPARE(rig.pasteboard.writes().size(), offered.isEmpty() ? 0 : 1);
        rig.scheduler.advance(2000);
        rig.scheduler.runUntilIdle();
        QCOMPARE(rig.previews(), previews);
        if (unpolled.isEmpty()) {
            // Not a copy: the very same records, in the same order.
            QCOMPARE(rig.history.items(), before);
        }

        // Anyone's next copy still wins and is recorded.
        rig.copy({text("next")});
        rig.scheduler.runUntilIdle();
        QCOMPARE(rig.previews().first(), QStringLiteral("next"));
        QCOMPARE(rig.pasteboard.writes().size(), offered.isEmpty() ? 0 : 1);
    }

    void ingestDropsRedundantAndEmptyContent() {
        Rig rig;
        rig.start();
        rig.copy({{{"image/png", "PNG"}, {"image/tiff", "TIFF"}, {"text/plain", {}}}, {{"x", {}}}});
        QCOMPARE(rig.history.items()[0].resolvedPasteboardData(),
                 (PasteboardSnapshot{{{"image/png", "PNG"}}}));
        // A PNG target that delivered nothing must not cost the TIFF image.
        rig.copy({{{"image/png", {}}, {"image/tiff", "TIFF"}}});
        QCOMPARE(rig.history.items()[0].resolvedPasteboardData(),
                 (PasteboardSnapshot{{{"image/tiff", "TIFF"}}}));

        // Password managers' copies leave no record and no blob, on any item, NUL or not.
        rig.changes.clear();
        for (const QByteArray& hint : {QByteArray("secret"), QByteArray("secret\0", 7)}) {
            rig.copy({text(big('p')), {{"x-kde-passwordManagerHint", hint}}});
            rig.scheduler.runUntilIdle();
        }
        QCOMPARE(rig.changes.count(), 0);
        QVERIFY(rig.blobFiles().isEmpty());
        rig.copy({{{"UTF8_STRING", "kept"}, {"x-kde-passwordManagerHint", "public"}}});
        QCOMPARE(rig.previews().first(), QStringLiteral("kept"));
    }

    void autoDeleteRemovesStrictlyOlderRecords() {
        Rig rig;
        rig.start();
        rig.copy({text("old")});  // t = 0.5 s
        rig.scheduler.advance(500);
        rig.copy({text("newer")});  // t = 1.5 s
        rig.limits.autoDeleteMinutes = 5;
        rig.history.restartAutoDeleteTimer();  // ticks at 31.5 s, 61.5 s, ... 301.5 s
        QCOMPARE(rig.scheduler.pendingTimers(), 1);
        rig.changes.clear();
        rig.scheduler.advance(300000 - 1000);
        QCOMPARE(rig.history.items().size(), 2);
        rig.scheduler.advance(1000);  // "old" is 301 s old, "newer" exactly 300 s
        QCOMPARE(rig.previews(), QStringList{"newer"});
        QCOMPARE(rig.changes.count(), 1);
        if constexpr (AppEnvironment::isLoggingEnabled) {
            QVERIFY(rig.logLines.contains("autoDelete: removed 1 items older than 5 min"));
        }

        // Switched off nothing expires and nothing ticks; switched on again, the overdue record
        // goes at once.
        rig.limits.autoDeleteMinutes = 0;
        rig.history.restartAutoDeleteTimer();
        QCOMPARE(rig.scheduler.pendingTimers(), 0);
        rig.scheduler.advance(600000);
        rig.limits.autoDeleteMinutes = 5;
        rig.history.restartAutoDeleteTimer();
        QVERIFY(rig.history.items().isEmpty());
        // An empty history has nothing to expire: the timer runs only while records are held.
        QCOMPARE(rig.scheduler.pendingTimers(), 0);
        rig.copy({text("again")});
        QCOMPARE(rig.scheduler.pendingTimers(), 1);
        rig.history.removeItem(0);
        QCOMPARE(rig.scheduler.pendingTimers(), 0);
    }
};

QTEST_GUILESS_MAIN(TestClipboardHistory)
#include "tst_clipboard_history.moc"
