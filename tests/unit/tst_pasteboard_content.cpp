#include <QTest>

#include "TestHelpers.h"
#include "history/PasteboardContent.h"
#include "history/RtfText.h"

using namespace PasteboardContent;

namespace {

QString rtf(const QByteArray& body) {
    return RtfText::toPlainText("{\\rtf1\\ansi " + body + "}").value_or(QStringLiteral("<none>"));
}

}  // namespace

class TestPasteboardContent : public QObject {
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
        const auto item = [](std::initializer_list<std::pair<const char*, QByteArray>> entries) {
            StoredItem stored;
            for (const auto& [type, bytes] : entries) {
                stored.insert(QString::fromLatin1(type), bytes);
            }
            return PasteboardSnapshot{stored};
        };
        const QStringList one{QString::fromLatin1(r)};
        const QStringList several{QString::fromLatin1(a), QString::fromLatin1(e)};

        // pcmanfm ends both lists with the C string's NUL; cut offers the same URI list.
        QTest::newRow("pcmanfm one") << item({{"text/uri-list", r + nul},
                                              {"x-special/gnome-copied-files", "copy\n" + r + nul}})
                                     << one << QStringLiteral("Отчёт 1.pdf");
        QTest::newRow("pcmanfm several")
            << item({{"text/uri-list", a + "\r\n" + e + nul},
                     {"x-special/gnome-copied-files", "copy\n" + a + "\n" + e + nul}})
            << several << QStringLiteral("a b.txt");
        QTest::newRow("pcmanfm cut, GNOME form only")
            << item({{"x-special/gnome-copied-files", "cut\n" + a + "\n" + e + nul}}) << several
            << QStringLiteral("a b.txt");
        // Nautilus and Caja: "copy" or "cut", LF, no final newline; the URI list with CRLF.
        QTest::newRow("nautilus copy one")
            << item({{"x-special/gnome-copied-files", "copy\n" + r}, {"text/uri-list", r + "\r\n"}})
            << one << QStringLiteral("Отчёт 1.pdf");
        QTest::newRow("nautilus cut several")
            << item({{"x-special/gnome-copied-files", "cut\n" + a + "\n" + e}}) << several
            << QStringLiteral("a b.txt");
        QTest::newRow("caja copy several, trailing newline")
            << item({{"x-special/gnome-copied-files", "copy\n" + a + "\n" + e + "\n"}}) << several
            << QStringLiteral("a b.txt");
        // Dolphin: a CRLF URI list; a cut adds the KDE marker.
        QTest::newRow("dolphin copy one")
            << item({{"text/uri-list", r + "\r\n"}}) << one << QStringLiteral("Отчёт 1.pdf");
        QTest::newRow("dolphin cut several") << item({{"text/uri-list", a + "\r\n" + e + "\r\n"},
                                                      {"application/x-kde-cutselection", "1"}})
                                             << several << QStringLiteral("a b.txt");

        QTest::newRow("comments, blank lines, other schemes")
            << item({{"text/uri-list", "# comment\r\n" + a +
                                           "\r\nhttp://example.com/x\r\n\r\n"
                                           "FILE:///tmp/c\r\nnot a url\r\n\r\n"}})
            << QStringList{QString::fromLatin1(a), "file:///tmp/c"} << QStringLiteral("a b.txt");
        QTest::newRow("a NUL ends the list")
            << item({{"text/uri-list", a + "\r\n" + e + nul + "file:///tmp/lost\r\n"}}) << several
            << QStringLiteral("a b.txt");
        QTest::newRow("no path holds a NUL")
            << item({{"text/uri-list", "file:///tmp/c\r\nfile:///tmp/x%00y\r\n"}})
            << QStringList{"file:///tmp/c"} << QStringLiteral("c");
        QTest::newRow("raw UTF-8 and spaces")
            << item({{"text/uri-list", "file:///home/u/\xC3\xA9 x.txt"}})
            << QStringList{"file:///home/u/%C3%A9%20x.txt"} << QStringLiteral("é x.txt");
        // Any scheme names the file in the preview; only absolute file URLs are files.
        QTest::newRow("relative and foreign") << item({{"x-special/gnome-copied-files",
                                                        "copy\nsftp://host/srv/report.odt\n"
                                                        "file:relative\n/tmp/plain"}})
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
};

QTEST_GUILESS_MAIN(TestPasteboardContent)
#include "tst_pasteboard_content.moc"
