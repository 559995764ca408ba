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
#include "history/PasteboardContent.h"
#include "history/RtfText.h"
#include "platform/freedesktop/PrivateTempDirectory.h"

using namespace PasteboardContent;

namespace {

QString rtf(const QByteArray& body) {
    return RtfText::toPlainText("{\\rtf1\\ansi " + body + "}").value_or(QStringLiteral("<none>"));
}

}  // namespace

// What a copy becomes: its text, files and image, and the record that keeps it.
class TestClipboardContent : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void plainTextCandidates() {
        // Blank UTF-8 falls through to STRING, decoded as Latin-1 and returned untrimmed.
        QCOMPARE(stringFromItem({{"UTF8_STRING", " \n\t"}, {"STRING", " caf\xE9\n"}}),
                 QStringLiteral(" caf\u00E9\n"));
        // Invalid or truncated UTF-8 does not qualify; the next UTF-8 target does.
        QCOMPARE(stringFromItem({{"text/plain;charset=utf-8", "ab\xFF"}, {"text/plain", "ok"}}),
                 QStringLiteral("ok"));
        QCOMPARE(stringFromItem({{"UTF8_STRING", "ab\xC3"}}), std::nullopt);
        QCOMPARE(stringFromItem({{"text/html", "<b>x</b>"}}), std::nullopt);
        // Blank plain text gives way to RTF, then to HTML.
        QCOMPARE(anyTextFromItem({{"UTF8_STRING", "  "}, {"text/rtf", "{\\rtf1 Rich}"}}),
                 QStringLiteral("Rich"));
        QCOMPARE(anyTextFromItem({{"UTF8_STRING", "  "},
                                  {"application/rtf", "{\\rtf1 {\\*\\x only hidden}}"},
                                  {"text/html", "<i>Marked</i>"}}),
                 QStringLiteral("Marked"));
        QCOMPARE(anyTextFromItem({{"text/rtf", "not rtf at all"}}), std::nullopt);
    }

    void htmlText() {
        QCOMPARE(anyTextFromItem({{"text/html", "<p>word&nbsp;<br></p>\n"}}),
                 QStringLiteral("word"));
        QCOMPARE(anyTextFromItem({{"text/html", "&amp;lt;tag&amp;gt; &amp;amp;"}}),
                 QStringLiteral("<tag> &amp;"));
        // An unclosed '<' and an empty "<>" are text, not tags.
        QCOMPARE(anyTextFromItem({{"text/html", "a <> b <b>c</b> < d"}}),
                 QStringLiteral("a <> b c < d"));
        QCOMPARE(anyTextFromItem({{"text/html", QByteArray("\xFF\xFE<\0b\0>\0h\0i\0", 12)}}),
                 QStringLiteral("hi"));
        QCOMPARE(anyTextFromItem({{"text/html", "<p>&nbsp;</p>"}}), std::nullopt);
        // Unclosed brackets must not make tag removal quadratic.
        const QByteArray many(200000, '<');
        QCOMPARE(anyTextFromItem({{"text/html", many}})->size(), many.size());
    }

    void rtfText() {
        QCOMPARE(rtf("\\deff0{\\fonttbl{\\f0\\fswiss Helvetica;}}{\\colortbl;\\red255\\green0;}"
                     "\\f0\\fs24 Caf\\'e9\\par Next\\tab col"),
                 QStringLiteral("Caf\u00E9\nNext\tcol"));
        QCOMPARE(rtf("\\ansicpg1251 \\'e9\\'f2"), QStringLiteral("\u0439\u0442"));
        QCOMPARE(rtf("{\\fonttbl{\\f1\\fcharset204 Arial;}}\\f1\\'e9"), QStringLiteral("\u0439"));
        // \uN skips \ucN fallback characters, a \'hh counting as one; the count is per group.
        QCOMPARE(rtf("\\u8364?a\\uc2\\u8364\\'80\\'80b{\\uc0\\u8364}c"),
                 QStringLiteral("\u20ACa\u20ACb\u20ACc"));
        QCOMPARE(rtf("\\u-10179?\\u-8704?"), QStringLiteral("\U0001F600"));
        QCOMPARE(rtf("{\\b bold {\\i it}} {\\*\\generator Word;}{\\*\\unknown hidden}"
                     "{\\info{\\title T}}{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt link}} end"),
                 QStringLiteral("bold it link end"));
        QCOMPARE(rtf("a\\~b\\-c\\_d\\\\\\{\\}\\emdash\\line"),
                 QStringLiteral("a\u00A0bc\u2011d\\{}\u2014\n"));
        QCOMPARE(rtf("{\\pict\\bin4 }}{{x}y"), QStringLiteral("y"));
        QCOMPARE(RtfText::toPlainText(" \n{\\rtf1 ok}"), QStringLiteral("ok"));

        // Malformed input yields what can be read, never a crash.
        QCOMPARE(RtfText::toPlainText("{\\rtf1 {{{a"), QStringLiteral("a"));
        QCOMPARE(rtf("}}}} b\\'"), QStringLiteral(" b"));
        QCOMPARE(rtf("\\u99999999999999999999?\\uc99999999999 \\u65 zzz"),
                 QStringLiteral("\uFFFDA"));
        QCOMPARE(rtf("\\bin-5 q\\bin999999999"), QStringLiteral("q"));
        const QByteArray deep = QByteArray(100000, '{') + "deep" + QByteArray(100000, '}');
        QCOMPARE(rtf(deep), QStringLiteral("deep"));
    }

    // What file managers put on the clipboard, as captured from them (pcmanfm) or as their
    // formats are documented: the URLs come back clean, and the preview names the first file.
    void fileManagerLists_data() {
        QTest::addColumn<PasteboardSnapshot>("snapshot");
        QTest::addColumn<QStringList>("urls");
        QTest::addColumn<QString>("preview");

        const QByteArray a = "file:///home/u/a%20b.txt";
        const QByteArray e = "file:///home/u/%C3%A9.txt";
        const QByteArray r = "file:///home/u/%D0%9E%D1%82%D1%87%D1%91%D1%82%201.pdf";
        const QByteArray nul(1, '\0');
        using S = PasteboardSnapshot;
        const QStringList one{QString::fromLatin1(r)};
        const QStringList several{QString::fromLatin1(a), QString::fromLatin1(e)};

        // pcmanfm ends both lists with the C string's NUL; cut offers the same URI list.
        QTest::newRow("pcmanfm several")
            << S{{{"text/uri-list", a + "\r\n" + e + nul},
                  {"x-special/gnome-copied-files", "copy\n" + a + "\n" + e + nul}}}
            << several << QStringLiteral("a b.txt");
        QTest::newRow("pcmanfm cut, GNOME form only")
            << S{{{"x-special/gnome-copied-files", "cut\n" + a + "\n" + e + nul}}} << several
            << QStringLiteral("a b.txt");
        // Nautilus and Caja: "copy" or "cut", LF, no final newline; the URI list with CRLF.
        QTest::newRow("nautilus copy one")
            << S{{{"x-special/gnome-copied-files", "copy\n" + r}, {"text/uri-list", r + "\r\n"}}}
            << one << QStringLiteral("Отчёт 1.pdf");
        QTest::newRow("caja copy several, trailing newline")
            << S{{{"x-special/gnome-copied-files", "copy\n" + a + "\n" + e + "\n"}}} << several
            << QStringLiteral("a b.txt");
        // Dolphin: a CRLF URI list; a cut adds the KDE marker.
        QTest::newRow("dolphin cut several") << S{{{"text/uri-list", a + "\r\n" + e + "\r\n"},
                                                   {"application/x-kde-cutselection", "1"}}}
                                             << several << QStringLiteral("a b.txt");

        QTest::newRow("comments, blank lines, other schemes")
            << S{{{"text/uri-list", "# comment\r\n" + a +
                                        "\r\nhttp://example.com/x\r\n\r\n"
                                        "FILE:///tmp/c\r\nnot a url\r\n\r\n"}}}
            << QStringList{QString::fromLatin1(a), "file:///tmp/c"} << QStringLiteral("a b.txt");
        QTest::newRow("a NUL ends the list")
            << S{{{"text/uri-list", a + "\r\n" + e + nul + "file:///tmp/lost\r\n"}}} << several
            << QStringLiteral("a b.txt");
        QTest::newRow("no path holds a NUL")
            << S{{{"text/uri-list", "file:///tmp/c\r\nfile:///tmp/x%00y\r\n"}}}
            << QStringList{"file:///tmp/c"} << QStringLiteral("c");
        QTest::newRow("raw UTF-8 and spaces")
            << S{{{"text/uri-list", "file:///home/u/\xC3\xA9 x.txt"}}}
            << QStringList{"file:///home/u/%C3%A9%20x.txt"} << QStringLiteral("é x.txt");
        // Any scheme names the file in the preview; only absolute file URLs are files.
        QTest::newRow("relative and foreign") << S{{{"x-special/gnome-copied-files",
                                                     "copy\nsftp://host/srv/report.odt\n"
                                                     "file:relative\n/tmp/plain"}}}
                                              << QStringList() << QStringLiteral("report.odt");
        // Every item contributes in order; the URI list wins over the GNOME form of its item.
        QTest::newRow("several items") << PasteboardSnapshot{
            {{"x-special/gnome-copied-files", "copy\nfile:///a\nfile:///b"}},
            {{"text/plain", "no files"}},
            {{"text/uri-list", "file:///c\n"}, {"x-special/gnome-copied-files", "cut\nfile:///d"}},
            {{"x-special/gnome-copied-files", "cut\nsmb://host/share/e"}},
        } << QStringList{"file:///a", "file:///b", "file:///c"} << QStringLiteral("a");
    }

    void fileManagerLists() {
        QFETCH(PasteboardSnapshot, snapshot);
        QFETCH(QStringList, urls);
        QStringList found;
        for (const QUrl& url : fileURLsFromStored(snapshot)) {
            found << QString::fromLatin1(url.toEncoded());
        }
        QCOMPARE(found, urls);
        QTEST(previewTextFromStored(snapshot), "preview");
        const QByteArray uriList = snapshot.first().value(QStringLiteral("text/uri-list"));
        if (snapshot.size() == 1 && !uriList.isEmpty()) {
            QCOMPARE(parseUriList(uriList), fileURLsFromStored(snapshot));
        }
    }

    void previews() {
        const QByteArray png = encodeImage(solidImage(4, 4), "png");
        QCOMPARE(previewTextFromStored({{{"image/png", png}}}), QStringLiteral("[Image]"));
        QCOMPARE(previewTextFromStored({{{"image/png", png}, {"UTF8_STRING", "caption"}}}),
                 QStringLiteral("caption"));
        // text/x-moz-url: UTF-16 "url\ntitle", with or without BOM; a stray odd byte is ignored.
        const QString moz = QStringLiteral("https://example.com/a?b=1\nTitle");
        QByteArray utf16(reinterpret_cast<const char*>(moz.utf16()), moz.size() * 2);
        QCOMPARE(previewTextFromStored({{{"text/x-moz-url", utf16 + 'x'}}}),
                 QStringLiteral("https://example.com/a?b=1"));
        QCOMPARE(previewTextFromStored({{{"text/x-moz-url", "\xFF\xFE" + utf16}}}),
                 QStringLiteral("https://example.com/a?b=1"));
        QCOMPARE(previewTextFromStored({{{"image/jpeg", encodeImage(solidImage(4, 4), "jpeg")}}}),
                 QStringLiteral("[Content]"));
        // Only the first item is described.
        QCOMPARE(previewTextFromStored({{{"image/jpeg", "x"}}, {{"UTF8_STRING", "second"}}}),
                 QStringLiteral("[Content]"));
    }

    void imagesAndThumbnails() {
        const QByteArray png = encodeImage(solidImage(3, 2), "png");
        QCOMPARE(imageDataFromItem({{"image/png", png}, {"image/tiff", "x"}}), png);
        const std::optional<QByteArray> fromTiff =
            imageDataFromItem({{"image/tiff", encodeImage(solidImage(30, 20), "tiff")}});
        QVERIFY(fromTiff && fromTiff->startsWith("\x89PNG"));
        QCOMPARE(QImage::fromData(*fromTiff).size(), QSize(30, 20));
        QCOMPARE(imageDataFromItem({{"image/tiff", "II*\0garbage"}}), std::nullopt);

        // Thumbnails are the codec's (its own table covers the cases); the orientation shows the
        // bytes reach it, and in any format.
        QCOMPARE(QImage::fromData(*makeThumbnail(jpegWithOrientation6(solidImage(1000, 500)), 256))
                     .size(),
                 QSize(128, 256));
        // A TIFF declaring gigabytes of pixels is not converted, yet still counts as an image.
        const QByteArray bomb = deflateTiff(15000);
        QCOMPARE(imageDataFromItem({{"image/tiff", bomb}}), std::nullopt);
        QCOMPARE(previewTextFromStored({{{"image/tiff", bomb}}}), QStringLiteral("[Image]"));
    }

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

QTEST_GUILESS_MAIN(TestClipboardContent)
#include "tst_clipboard_content.moc"
