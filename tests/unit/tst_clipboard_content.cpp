// SPDX-License-Identifier: MIT
#include <QBuffer>
#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <sys/resource.h>
#include <unistd.h>
#include <zlib.h>
#include <csignal>

#include "TestHelpers.h"
#include "core/ImageCodec.h"
#include "history/BlobStore.h"
#include "history/ClipboardContent.h"
#include "history/ClipboardItem.h"
#include "history/RtfText.h"
#include "platform/freedesktop/FreedesktopThumbnailer.h"
#include "platform/freedesktop/PrivateTempDirectory.h"

using namespace ClipboardContent;
using S = ClipboardSnapshot;

namespace {
// The tEXt chunks of a cached thumbnail, spliced in by hand after the image data as ImageMagick
// writes them (Qt writes them before it): they are only known once the image is read.
QByteArray withTextChunks(const QImage& image,
                          const QList<std::pair<QByteArray, QByteArray>>& texts) {
    QByteArray png = encodeImage(image);
    QByteArray chunks;
    QDataStream stream(&chunks, QIODevice::WriteOnly);
    for (const auto& [key, value] : texts) {
        const QByteArray body = "tEXt" + key + '\0' + value;
        stream << quint32(body.size() - 4);
        stream.writeRawData(body.constData(), int(body.size()));
        stream << quint32(
            ::crc32(0, reinterpret_cast<const Bytef*>(body.constData()), uInt(body.size())));
    }
    return png.insert(png.size() - 12, chunks);
}

// The picture for a file, asked at 128 points on a 2x screen (null when there is none); none
// unless answered once, off this thread.
std::optional<QImage> ask(FreedesktopThumbnailer& thumbnailer, const QString& path) {
    QList<std::optional<QByteArray>> answers;
    QThread* const mainThread = QThread::currentThread();
    thumbnailer.request(path, QSize(128, 128), 2.0, [&](std::optional<QByteArray> png) {
        answers << (QThread::currentThread() != mainThread ? png : QByteArray("on main"));
    });
    thumbnailer.waitForDone();
    if (answers.size() != 1 || answers[0] == QByteArray("on main")) {
        return std::nullopt;
    }
    return answers[0] ? QImage::fromData(*answers[0], "png") : QImage();
}

}  // namespace

// What a copy becomes: its text, files and image, the record that keeps it, and the pictures
// of copied images and files (the codec, and the desktop's thumbnail cache).
class TestClipboardContent : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    // Which text each reader finds in an item: "plain" the plain-text targets, "any" falls
    // back to RTF then HTML, "rtf" the RTF reader alone.
    void textOfAnItem_data() {
        QTest::addColumn<QString>("reader");
        QTest::addColumn<StoredItem>("item");
        QTest::addColumn<QString>("expected");  // null: none
        const auto row = [](const char* reader, const StoredItem& item, const QString& expected) {
            static int n = 0;
            QTest::addRow("%s %d", reader, ++n) << QString(reader) << item << expected;
        };
        const auto rtf = [&](const QByteArray& body, const QString& expected) {
            row("rtf", {{"text/rtf", "{\\rtf1\\ansi " + body + "}"}}, expected);
        };
        // Blank UTF-8 falls through to STRING, decoded as Latin-1 and returned untrimmed;
        // invalid or truncated UTF-8 does not qualify.
        row("plain", {{"UTF8_STRING", " \n\t"}, {"STRING", " caf\xE9\n"}}, " caf\u00E9\n");
        row("plain", {{"text/plain;charset=utf-8", "ab\xFF"}, {"text/plain", "ok"}}, "ok");
        row("plain", {{"UTF8_STRING", "ab\xC3"}}, {});
        row("any", {{"UTF8_STRING", "  "}, {"text/rtf", "{\\rtf1 Rich}"}}, "Rich");
        row("any",
            {{"UTF8_STRING", "  "},
             {"application/rtf", "{\\rtf1 {\\*\\x only hidden}}"},
             {"text/html", "<i>Marked</i>"}},
            "Marked");
        row("any", {{"text/rtf", "not rtf at all"}}, {});
        row("any", {{"text/html", "&amp;lt;tag&amp;gt; &amp;amp;"}}, "<tag> &amp;");
        // An unclosed '<' and an empty "<>" are text, not tags.
        row("any", {{"text/html", "a <> b <b>c</b> < d"}}, "a <> b c < d");
        row("any", {{"text/html", QByteArray("\xFF\xFE<\0b\0>\0h\0i\0", 12)}}, "hi");
        row("any", {{"text/html", "<p>&nbsp;</p>"}}, {});
        // Unclosed brackets must not make tag removal quadratic.
        row("any", {{"text/html", QByteArray(200000, '<')}}, QString(200000, u'<'));
        rtf("\\deff0{\\fonttbl{\\f0\\fswiss Helvetica;}}{\\colortbl;\\red255\\green0;}"
            "\\f0\\fs24 Caf\\'e9\\par Next\\tab col",
            "Caf\u00E9\nNext\tcol");
        rtf("\\ansicpg1251 \\'e9\\'f2", "\u0439\u0442");
        rtf("{\\fonttbl{\\f1\\fcharset204 Arial;}}\\f1\\'e9", "\u0439");
        // \uN skips \ucN fallback characters, a \'hh counting as one; the count is per group.
        rtf("\\u-255?\\u8364?a\\uc2\\u8364\\'80\\'80b{\\uc0\\u8364}c",
            "\uFF01\u20ACa\u20ACb\u20ACc");
        rtf("{\\b bold {\\i it}} {\\*\\generator Word;}{\\*\\unknown hidden}"
            "{\\info{\\title T}}{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt link}} end",
            "bold it link end");
        rtf("a\\~b\\-c\\_d\\\\\\{\\}\\emdash\\line", "a\u00A0bc\u2011d\\{}\u2014\n");
        rtf("{\\pict\\bin4 }}{{x}y", "y");
        // Malformed input yields what can be read, never a crash.
        row("rtf", {{"text/rtf", "{\\rtf1 {{{a"}}, "a");
        rtf("}}}} b\\'", " b");
        // A high surrogate without its low one is a replacement character.
        rtf("\\u55357?\\u-10179?\\u-8704?", "\uFFFD\U0001F600");
        rtf("\\u99999999999999999999?\\uc99999999999 \\u65 zzz", "\uFFFDA");
        rtf("\\bin-5 q\\bin999999999", "q");
        // Groups too deep to track still close in order: the \\uc0 outside them holds after.
        rtf("{\\uc0 " + QByteArray(100000, '{') + "deep" + QByteArray(100000, '}') + "\\u8364?}",
            "deep\u20AC?");
    }
    void textOfAnItem() {
        QFETCH(QString, reader);
        QFETCH(StoredItem, item);
        QFETCH(QString, expected);
        const std::optional<QString> found = reader == u"plain" ? stringFromItem(item)
                                             : reader == u"rtf"
                                                 ? RtfText::toPlainText(item.value("text/rtf"))
                                                 : anyTextFromItem(item);
        QCOMPARE(found, expected.isNull() ? std::nullopt : std::optional(expected));
    }

    // What file managers put on the clipboard, as captured from them (pcmanfm) or as their
    // formats are documented: the URLs come back clean, and the preview names the first file.
    void fileManagerLists_data() {
        QTest::addColumn<S>("snapshot");
        QTest::addColumn<QStringList>("urls");
        QTest::addColumn<QString>("preview");
        const QByteArray a = "file:///home/u/a%20b.txt";
        const QByteArray e = "file:///home/u/%C3%A9.txt";
        const QByteArray nul(1, '\0');
        const QStringList several{QString::fromLatin1(a), QString::fromLatin1(e)};
        const char* gnome = "x-special/gnome-copied-files";
        // pcmanfm ends both lists with the C string's NUL, which ends the list; cut offers the
        // same URI list.
        QTest::newRow("pcmanfm several")
            << S{{{"text/uri-list", a + "\r\n" + e + nul + "file:///tmp/lost\r\n"},
                  {gnome, "copy\n" + a + "\n" + e + nul}}}
            << several << "a b.txt";
        QTest::newRow("pcmanfm cut, GNOME form only")
            << S{{{gnome, "cut\n" + a + "\n" + e + nul}}} << several << "a b.txt";
        // No path holds a NUL.
        QTest::newRow("comments, blank lines, other schemes")
            << S{{{"text/uri-list", "# comment\r\n" + a + "\r\nhttp://x/y\r\n\r\n" +
                                        "file:///tmp/x%00y\r\nFILE:///tmp/c\r\nnot a url\r\n"}}}
            << QStringList{QString::fromLatin1(a), "file:///tmp/c"} << "a b.txt";
        // Any scheme names the file in the preview, decoded; only absolute file URLs are files.
        QTest::newRow("relative and foreign")
            << S{{{gnome, "copy\nsftp://host/srv/r%C3%A9port.odt\nfile:relative\n/tmp/plain"}}}
            << QStringList() << "réport.odt";
        // Every item contributes in order; the URI list wins over the GNOME form of its item.
        // Nautilus and Caja: "copy" or "cut", LF, no final newline.
        QTest::newRow("several items") << S{
            {{gnome, "copy\nfile:///a\nfile:///b"}},
            {{"text/plain", "no files"}},
            {{"text/uri-list", "file:///c\n"}, {gnome, "cut\nfile:///d"}},
            {{gnome, "cut\nsmb://host/share/e"}},
        } << QStringList{"file:///a", "file:///b", "file:///c"} << "a";
    }
    void fileManagerLists() {
        QFETCH(S, snapshot);
        QStringList found;
        for (const QUrl& url : fileURLsFromStored(snapshot)) {
            found << QString::fromLatin1(url.toEncoded());
        }
        QTEST(found, "urls");
        QTEST(previewTextFromStored(snapshot), "preview");
    }

    // The picture of a record and its preview: text wins over an image, a TIFF is
    // converted unless it declares gigabytes of pixels (an image still), other formats are not
    // images. A fingerprint is kept exactly when there is a picture, of the PNG if there is one.
    void pictureOfARecord_data() {
        QTest::addColumn<StoredItem>("item");
        QTest::addColumn<QString>("preview");
        QTest::addColumn<QSize>("picture");
        const auto row = [](const char* name, const StoredItem& item, const char* preview,
                            QSize picture = QSize(0, 0)) {
            QTest::newRow(name) << item << QString(preview) << picture;
        };
        row("PNG, scaled",
            {{"UTF8_STRING", "caption"}, {"image/png", encodeImage(solidImage(1024, 512))}},
            "caption", QSize(256, 128));
        row("TIFF", {{"image/tiff", encodeImage(solidImage(30, 20), "tiff")}}, "[Image]",
            QSize(30, 20));
        row("broken TIFF", {{"image/tiff", "II*\0garbage"}}, "[Content]");
        row("TIFF bomb", {{"image/tiff", deflateTiff(15000)}}, "[Image]");
        row("JPEG", {{"image/jpeg", encodeImage(solidImage(4, 4), "jpeg")}}, "[Content]");
        row("JPEG offered as PNG", {{"image/png", encodeImage(solidImage(4, 4), "jpeg")}},
            "[Image]");
        // text/x-moz-url: UTF-16 "url\ntitle", with or without BOM; a stray odd byte is ignored.
        const QString moz = QStringLiteral("https://example.com/a?b=1\nTitle");
        const QByteArray utf16(reinterpret_cast<const char*>(moz.utf16()), moz.size() * 2);
        row("web link", {{"text/x-moz-url", utf16 + 'x'}}, "https://example.com/a?b=1");
        row("web link, big-endian",
            {{"text/x-moz-url",
              "\xFE\xFF" + QByteArray(QStringEncoder(QStringEncoder::Utf16BE)(moz))}},
            "https://example.com/a?b=1");
    }
    void pictureOfARecord() {
        QFETCH(StoredItem, item);
        QFETCH(QSize, picture);
        // Only the first item is described.
        const ClipboardItem record =
            *ClipboardItem::make({item, {{"UTF8_STRING", "2nd"}}}, {}, 262144, 256);
        QTEST(record.previewText(), "preview");
        QCOMPARE(QImage::fromData(record.thumbnailData().value_or("")).size(), picture);
        if (!item.contains("image/png")) {
            QCOMPARE(record.imageFingerprint().has_value(), !picture.isEmpty());
        } else {
            QCOMPARE(record.imageFingerprint(),
                     ClipboardItem::fingerprint(item.value("image/png")));
        }
    }

    // Over the inline limit the content goes to a private blob file; where no file can be
    // written it stays in memory, whole.
    void whereContentIsKept() {
        // A usable folder, none, and a kernel that stores only the start of any file, as a
        // nearly full disk would.
        for (const auto& [folder, fileSizeLimit, inBlob] :
             {std::tuple("", 0, true), std::tuple("/missing/sub", 0, false),
              std::tuple("", 1 << 17, false)}) {
            QTemporaryDir dir;
            const QByteArray half(131072, 'a');
            const S over = {{{"UTF8_STRING", half}, {"text/html", half + 'b'}},
                            {{"application/x-private", QByteArray("\0\1\2", 3)}}};
            const auto previous = std::signal(SIGXFSZ, SIG_IGN);
            rlimit saved{};
            ::getrlimit(RLIMIT_FSIZE, &saved);
            const rlimit small{fileSizeLimit > 0 ? rlim_t(fileSizeLimit) : saved.rlim_cur,
                               saved.rlim_max};
            ::setrlimit(RLIMIT_FSIZE, &small);
            const auto item = ClipboardItem::make(over, dir.path() + folder, 262144, 256);
            ::setrlimit(RLIMIT_FSIZE, &saved);
            std::signal(SIGXFSZ, previous);

            QVERIFY(item);
            QCOMPARE(item->resolvedClipboardData(), over);
            QCOMPARE(item->blobPath().has_value(), inBlob);
            // (A blob cut off or gone restores as nothing: blobDecodingRejectsMalformedInput,
            // and restoreWritesNoRecordAndNothingUnreadable in tst_clipboard_history.)
            if (item->blobPath()) {
                QCOMPARE(modeOf(*item->blobPath()), mode_t(S_IFREG | 0600));
            } else {
                QVERIFY(QDir(dir.path()).isEmpty());
            }
        }
    }

    // What tells two copies apart.
    void keyAndFingerprint() {
        const auto key = [](const S& snapshot) {
            return ClipboardItem::make(snapshot, {}, 262144, 256)->contentKey();
        };
        // The text past the preview counts too. (The preview's bound: rolesOfEachKind in
        // tst_clipboard_history.)
        const QByteArray words = QByteArray("word ").repeated(20000);
        const QByteArray a = key({{{"UTF8_STRING", words + "a"}}});
        QCOMPARE(a, key({{{"text/plain", words + "a"}}}));
        QVERIFY(a != key({{{"UTF8_STRING", words + "b"}}}));
        // Placeholders are keyed by the bytes, never by the label.
        const QByteArray opaque = key({{{"application/x-a", "1"}}});
        QCOMPARE(opaque, key({{{"application/x-a", "1"}}}));
        QVERIFY(opaque != key({{{"application/x-a", "2"}}}));
        QVERIFY(opaque != key({{{"UTF8_STRING", "[Content]"}}}));
        // The same types split into items differently are different copies.
        QVERIFY(key({{{"a", "1"}}, {{"b", "2"}, {"c", "3"}}}) !=
                key({{{"a", "1"}, {"b", "2"}}, {{"c", "3"}}}));
        // An image's fingerprint covers its size, head and tail.
        const QByteArray image(10000, 'x');
        for (qsizetype at : {qsizetype(0), qsizetype(2047), image.size() - 2048, image.size() - 1,
                             qsizetype(5000)}) {
            QByteArray changed = image;
            changed[at] = 'y';
            QCOMPARE(ClipboardItem::fingerprint(image) == ClipboardItem::fingerprint(changed),
                     at == 5000);
        }
        QVERIFY(ClipboardItem::fingerprint(image) != ClipboardItem::fingerprint(image + 'x'));
    }

    void blobDecodingRejectsMalformedInput() {
        const QByteArray encoded =
            BlobStore::encode({{{"a", QByteArray(70000, '\0')}, {"ü/ä", "x"}}, {{"b", "y"}}});
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
        QCOMPARE(modeOf(*blobs), mode_t(S_IFDIR | 0700));
        // A looser mode of our own folder is tightened again.
        QVERIFY(::chmod(QFile::encodeName(privateDir).constData(), 0755) == 0);
        QCOMPARE(PrivateTempDirectory::blobDirectory(root.path()), blobs);
        QCOMPARE(modeOf(privateDir), mode_t(S_IFDIR | 0700));

        // A planted symlink is refused, at either level, and nothing is created through it.
        QTemporaryDir linked, target;
        QVERIFY(QFile::link(target.path(), linked.filePath(QFileInfo(privateDir).fileName())));
        QVERIFY(!PrivateTempDirectory::blobDirectory(linked.path()));
        QVERIFY(QDir(target.path()).isEmpty());
        QVERIFY(QDir(*blobs).removeRecursively() && QFile::link(target.path(), *blobs));
        QVERIFY(!PrivateTempDirectory::blobDirectory(root.path()));
        // A folder of another user's: tst_single_instance, through the same check.
    }

    void thumbnails_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("made");  // invalid: nothing
        // Scaling down, never up, and bytes that do not decode: pictureOfARecord. (An empty box
        // gives nothing even unguarded.)
        QTest::newRow("orientation applied")
            << jpegWithOrientation6(solidImage(1000, 500)) << QSize(128, 256);
        // 32 bits a pixel: a 6144-pixel square fills the decode budget exactly; one more pixel
        // a side is refused unread.
        QTest::newRow("budget filled") << deflateTiff(6144) << QSize(256, 256);
        QTest::newRow("over budget") << deflateTiff(6145) << QSize();
    }
    void thumbnails() {
        QFETCH(QByteArray, bytes);
        QBuffer buffer(&bytes);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        QImageReader reader(&buffer);
        const std::optional<QByteArray> png = ImageCodec::thumbnailPng(reader, QSize(256, 256));
        QTEST(png ? QImage::fromData(*png, "png").size() : QSize(), "made");
    }

    void cacheThenDecode() {
        QTemporaryDir home;
        // The default folder follows the cache home: the entry below is found there.
        const ScopedEnv cacheHome("XDG_CACHE_HOME", QFile::encodeName(home.path()));

        const QString picture = home.filePath("photo one.png");
        QVERIFY(solidImage(1000, 500, Qt::blue).save(picture, "png"));
        const qint64 mtime = QFileInfo(picture).lastModified().toSecsSinceEpoch();
        const QByteArray uri = QUrl::fromLocalFile(picture).toEncoded();
        const QString cached =
            home.filePath("thumbnails/x-large/" +
                          QCryptographicHash::hash(uri, QCryptographicHash::Md5).toHex() + ".png");
        const auto writeCached = [&](qint64 stamp) {
            QVERIFY(writeFile(
                cached, withTextChunks(
                            solidImage(512, 256, Qt::red),
                            {{"Thumb::URI", uri}, {"Thumb::MTime", QByteArray::number(stamp)}})));
        };

        FreedesktopThumbnailer thumbnailer;
        // A cache entry with the file's MTime is used, from a larger folder fitted to the 256
        // pixels asked for; a stale one is ignored, and the file itself is decoded and scaled.
        for (const auto& [stamp, colour] :
             {std::pair(mtime, QColor(Qt::red)), {mtime - 10, Qt::blue}}) {
            writeCached(stamp);
            const QImage image = ask(thumbnailer, picture).value_or(QImage());
            QCOMPARE(std::pair(image.size(), image.pixelColor(5, 5)),
                     std::pair(QSize(256, 128), colour));
        }
        // Neither a missing file nor a folder gets a picture.
        for (const QString& path : {home.filePath("missing.png"), home.path()}) {
            const std::optional<QImage> answer = ask(thumbnailer, path);
            QVERIFY2(answer && answer->isNull(), qPrintable(path));
        }
    }
};

QTEST_GUILESS_MAIN(TestClipboardContent)
#include "tst_clipboard_content.moc"
