#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>
#include <unistd.h>
#include <csignal>

#include "TestHelpers.h"
#include "history/BlobStore.h"
#include "history/ClipboardItem.h"
#include "platform/freedesktop/PrivateTempDirectory.h"

class TestClipboardItem : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void makeNormalisesAndDerives() {
        QVERIFY(!ClipboardItem::make({}, {}, 262144, 256));
        QVERIFY(!ClipboardItem::make({{{"UTF8_STRING", {}}}, {}}, {}, 262144, 256));

        const QByteArray png = encodeImage(solidImage(1024, 512));
        const PasteboardSnapshot snapshot = {
            {{"UTF8_STRING", "caption"}, {"image/png", png}, {"image/tiff", "TIFFDATA"}, {"x", {}}},
            {},
            {{"text/uri-list", "file:///tmp/b.txt\r\n"}}};
        const auto item = ClipboardItem::make(snapshot, {}, 262144, 256);
        QVERIFY(item);
        const PasteboardSnapshot expected = {{{"UTF8_STRING", "caption"}, {"image/png", png}},
                                             {{"text/uri-list", "file:///tmp/b.txt\r\n"}}};
        QCOMPARE(item->resolvedPasteboardData(), expected);
        QCOMPARE(item->previewText(), QStringLiteral("caption"));
        QCOMPARE(item->fileURLs(), QList<QUrl>{QUrl("file:///tmp/b.txt")});
        QCOMPARE(item->imageFingerprint(), ClipboardItem::fingerprint(png));
        QCOMPARE(QImage::fromData(item->thumbnailData().value_or("")).size(), QSize(256, 128));

        // Without an image there is neither thumbnail nor fingerprint.
        const auto text = ClipboardItem::make({{{"UTF8_STRING", "hi"}}}, {}, 262144, 256);
        QVERIFY(text && !text->thumbnailData() && !text->imageFingerprint());
    }

    void inlineLimitAndBlobFiles() {
        QTemporaryDir dir;
        const QByteArray half(131072, 'a');
        const PasteboardSnapshot exact = {{{"UTF8_STRING", half}, {"text/html", half}}};
        const auto inlined = ClipboardItem::make(exact, dir.path(), 262144, 256);
        QVERIFY(inlined && inlined->inlineData() && !inlined->blobPath());
        QVERIFY(QDir(dir.path()).isEmpty());

        const PasteboardSnapshot over = {{{"UTF8_STRING", half}, {"text/html", half + 'b'}},
                                         {{"application/x-private", QByteArray("\0\1\2", 3)}}};
        const auto blob = ClipboardItem::make(over, dir.path(), 262144, 256);
        QVERIFY(blob && !blob->inlineData() && blob->blobPath());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1);
        QCOMPARE(modeOf(*blob->blobPath()), mode_t(S_IFREG | 0600));
        QCOMPARE(blob->resolvedPasteboardData(), over);

        // A blob that vanished, or holds garbage or a cut-off file, restores as nothing.
        QFile file(*blob->blobPath());
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.resize(file.size() / 2));
        file.close();
        QCOMPARE(blob->resolvedPasteboardData(), PasteboardSnapshot());
        blob->deleteBlob();
        QVERIFY(!QFile::exists(*blob->blobPath()));

        // No usable folder: the content stays in memory.
        const auto badFolder = ClipboardItem::make(over, dir.filePath("missing/sub"), 262144, 256);
        QVERIFY(badFolder && badFolder->inlineData() && !badFolder->blobPath());
        QCOMPARE(badFolder->resolvedPasteboardData(), over);
    }

    void shortWriteLeavesNoBlob() {
        QTemporaryDir dir;
        const PasteboardSnapshot big = {{{"UTF8_STRING", QByteArray(5 << 20, 'x')}}};
        // The kernel stores only the first mebibyte of any file, as a nearly full disk would.
        struct sigaction ignore {};
        struct sigaction previous {};
        ignore.sa_handler = SIG_IGN;
        ::sigaction(SIGXFSZ, &ignore, &previous);
        rlimit saved{};
        ::getrlimit(RLIMIT_FSIZE, &saved);
        rlimit small = saved;
        small.rlim_cur = 1 << 20;
        ::setrlimit(RLIMIT_FSIZE, &small);
        const bool written = BlobStore::write(dir.filePath("direct.blob"), big);
        const auto item = ClipboardItem::make(big, dir.path(), 262144, 256);
        ::setrlimit(RLIMIT_FSIZE, &saved);
        ::sigaction(SIGXFSZ, &previous, nullptr);

        QVERIFY(!written);
        QVERIFY(item && item->inlineData() && !item->blobPath());
        QCOMPARE(item->resolvedPasteboardData(), big);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList());
    }

    void previewIsBoundedKeyCoversAll() {
        const auto make = [](const StoredItem& item) {
            return *ClipboardItem::make({item}, {}, 262144, 256);
        };
        const QByteArray words = QByteArray("word ").repeated(20000);
        const ClipboardItem a = make({{"UTF8_STRING", words + "a"}});
        QVERIFY(a.isPreviewTruncated());
        QVERIFY(a.previewText().size() <= ClipboardItem::storedPreviewUnits);
        QVERIFY(words.startsWith(a.previewText().toUtf8()));
        QCOMPARE(a.contentKey(), make({{"text/plain", words + "a"}}).contentKey());
        QVERIFY(a.contentKey() != make({{"UTF8_STRING", words + "b"}}).contentKey());
        const ClipboardItem shortText = make({{"UTF8_STRING", "short"}});
        QVERIFY(!shortText.isPreviewTruncated());
        QCOMPARE(shortText.previewText(), QStringLiteral("short"));

        // One endless cluster is cut at the bound, never inside a surrogate pair.
        const QString tremolo = QStringLiteral("\U0001D167");  // a combining mark, two units
        const qsizetype pairs = ClipboardItem::storedPreviewUnits / 2;
        const ClipboardItem cluster =
            make({{"UTF8_STRING", ("e" + tremolo.repeated(pairs)).toUtf8()}});
        QVERIFY(cluster.isPreviewTruncated());
        QCOMPARE(cluster.previewText(), "e" + tremolo.repeated(pairs - 1));

        // Placeholders are keyed by the bytes, never by the label.
        const ClipboardItem opaque = make({{"application/x-a", "1"}});
        QCOMPARE(opaque.previewText(), QStringLiteral("[Content]"));
        QCOMPARE(opaque.contentKey(), make({{"application/x-a", "1"}}).contentKey());
        QVERIFY(opaque.contentKey() != make({{"application/x-a", "2"}}).contentKey());
        QVERIFY(opaque.contentKey() != make({{"UTF8_STRING", "[Content]"}}).contentKey());
    }

    void fingerprintCoversSizeHeadAndTail() {
        QByteArray a(10000, 'x');
        QByteArray middle = a;
        middle[5000] = 'y';
        QCOMPARE(ClipboardItem::fingerprint(a), ClipboardItem::fingerprint(middle));
        for (qsizetype at : {qsizetype(0), qsizetype(2047), a.size() - 2048, a.size() - 1}) {
            QByteArray changed = a;
            changed[at] = 'y';
            QVERIFY2(ClipboardItem::fingerprint(a) != ClipboardItem::fingerprint(changed),
                     qPrintable(QString::number(at)));
        }
        QVERIFY(ClipboardItem::fingerprint(a) != ClipboardItem::fingerprint(a + 'x'));
    }

    void blobDecodingRejectsMalformedInput() {
        const PasteboardSnapshot snapshot = {{{"a", QByteArray(70000, '\0')}, {"ü/ä", "x"}},
                                             {{"b", "y"}}};
        const QByteArray encoded = BlobStore::encode(snapshot);
        QCOMPARE(BlobStore::decode(encoded), snapshot);
        QCOMPARE(BlobStore::decode(BlobStore::encode({})), PasteboardSnapshot());
        for (qsizetype cut = 0; cut < encoded.size(); cut += 97) {
            QVERIFY2(!BlobStore::decode(encoded.left(cut)), qPrintable(QString::number(cut)));
        }
        // Trailing data, not CBOR, a map at the top, an integer key, a text value, an item that is
        // not a map, a byte string longer than the input.
        for (const QByteArray& bad :
             {encoded + '\0', QByteArray("garbage"), QByteArray::fromHex("a0"),
              QByteArray::fromHex("81a1014161"), QByteArray::fromHex("81a1616161"),
              QByteArray::fromHex("8101"), QByteArray::fromHex("81a161615b7fffffffffffffff")}) {
            QVERIFY2(!BlobStore::decode(bad), bad.toHex().constData());
        }
    }

    void privateDirectoryRefusesUntrustedFolders() {
        QTemporaryDir root;
        const QString privateDir = root.filePath(QStringLiteral("quillstack-%1").arg(::geteuid()));
        const auto blobs = PrivateTempDirectory::blobDirectory(root.path());
        QCOMPARE(blobs, privateDir + "/QuillstackBlobs");
        QCOMPARE(modeOf(privateDir), mode_t(S_IFDIR | 0700));
        QCOMPARE(modeOf(*blobs), mode_t(S_IFDIR | 0700));
        // A looser mode of our own folder is tightened again.
        QVERIFY(::chmod(QFile::encodeName(privateDir).constData(), 0755) == 0);
        QCOMPARE(PrivateTempDirectory::blobDirectory(root.path()), blobs);
        QCOMPARE(modeOf(privateDir), mode_t(S_IFDIR | 0700));

        // A planted symlink is refused, at either level, and nothing is created through it.
        QTemporaryDir linked;
        QTemporaryDir target;
        QVERIFY(QFile::link(target.path(), linked.filePath(QFileInfo(privateDir).fileName())));
        QVERIFY(!PrivateTempDirectory::blobDirectory(linked.path()));
        QVERIFY(QDir(target.path()).isEmpty());
        QVERIFY(QDir(*blobs).removeRecursively());
        QVERIFY(QFile::link(target.path(), *blobs));
        QVERIFY(!PrivateTempDirectory::blobDirectory(root.path()));

        if (::geteuid() != 0) {
            QSKIP("the foreign-owner case needs root to chown a folder away");
        }
        QTemporaryDir foreign;
        const QString planted = foreign.filePath(QFileInfo(privateDir).fileName());
        QVERIFY(QDir().mkdir(planted));
        QVERIFY(::chown(QFile::encodeName(planted).constData(), 65534, 65534) == 0);
        QVERIFY(::chmod(QFile::encodeName(planted).constData(), 0700) == 0);
        QVERIFY(!PrivateTempDirectory::blobDirectory(foreign.path()));
    }
};

QTEST_GUILESS_MAIN(TestClipboardItem)
#include "tst_clipboard_item.moc"
