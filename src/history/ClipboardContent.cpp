// SPDX-License-Identifier: MIT
#include "history/ClipboardContent.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QStringDecoder>

#include <algorithm>
#include <initializer_list>

#include "core/ImageCodec.h"
#include "history/RtfText.h"
#include "platform/ClipboardTypeKey.h"

namespace {

QByteArray bytesFor(const StoredItem& item, QLatin1StringView type) {
    return item.value(QString(type));
}

// Strict: an invalid or truncated sequence is a failure, not a replacement character.
std::optional<QString> decodeUtf8(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError()) {
        return std::nullopt;
    }
    return text;
}

std::optional<QString> decodeUtf16(QByteArray bytes, QStringDecoder::Encoding defaultEncoding) {
    QStringDecoder::Encoding encoding = defaultEncoding;
    if (bytes.startsWith("\xFF\xFE")) {
        encoding = QStringDecoder::Utf16LE;
        bytes.remove(0, 2);
    } else if (bytes.startsWith("\xFE\xFF")) {
        encoding = QStringDecoder::Utf16BE;
        bytes.remove(0, 2);
    }
    // A dangling half code unit cannot be text; drop it rather than fail the whole buffer.
    if (bytes.size() % 2 != 0) {
        bytes.chop(1);
    }
    QStringDecoder decoder(encoding, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError()) {
        return std::nullopt;
    }
    return text;
}

// Without trimmed(), which would copy a large text just to look at it.
bool isBlank(const QString& text) {
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.isSpace(); });
}

// Same result as removing every match of "<[^>]+>", but linear: a regex engine rescans the rest
// of the text from every '<' that is never closed.
QString removeTags(const QString& html) {
    QString out;
    out.reserve(html.size());
    const qsizetype size = html.size();
    qsizetype i = 0;
    while (i < size) {
        const QChar c = html.at(i);
        if (c != u'<') {
            out.append(c);
            ++i;
            continue;
        }
        const qsizetype close = html.indexOf(u'>', i + 1);
        if (close < 0) {
            // No '>' anywhere after this point: nothing further can match.
            out.append(QStringView(html).mid(i));
            break;
        }
        if (close == i + 1) {
            // "<>" has no character between the brackets.
            out.append(c);
            ++i;
            continue;
        }
        i = close + 1;
    }
    return out;
}

std::optional<QString> htmlText(const QByteArray& bytes) {
    std::optional<QString> decoded;
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        // Some browsers put UTF-16 with a byte-order mark under text/html on X11.
        decoded = decodeUtf16(bytes, QStringDecoder::Utf16LE);
    } else {
        decoded = decodeUtf8(bytes);
    }
    if (!decoded) {
        return std::nullopt;
    }
    QString text = removeTags(*decoded);
    text.replace(QLatin1StringView("&amp;"), QLatin1StringView("&"));
    text.replace(QLatin1StringView("&lt;"), QLatin1StringView("<"));
    text.replace(QLatin1StringView("&gt;"), QLatin1StringView(">"));
    text.replace(QLatin1StringView("&nbsp;"), QLatin1StringView(" "));
    text = text.trimmed();
    if (text.isEmpty()) {
        return std::nullopt;
    }
    return text;
}

// Null when the bytes do not decode or declare more pixels than the budget allows; `oversized`
// tells the latter, which is still an image.
QImage decodeTiff(const QByteArray& bytes, bool* oversized = nullptr) {
    QBuffer buffer;
    buffer.setData(bytes);
    if (!buffer.open(QIODevice::ReadOnly)) {
        return {};
    }
    QImageReader reader(&buffer, "tiff");
    if (!ImageCodec::fitsDecodeBudget(reader)) {
        if (oversized != nullptr) {
            *oversized = true;
        }
        return {};
    }
    return reader.read();
}

// One line of a URI list, trimmed. Raw bytes that a URI may not hold (non-ASCII, spaces) are
// percent-encoded so that both proper URIs and sloppy UTF-8 or Latin-1 paths parse.
QUrl urlFromLine(QByteArrayView line) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    QByteArray encoded;
    encoded.reserve(line.size());
    for (const char ch : line) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte <= 0x20 || byte >= 0x7F) {
            encoded.append('%');
            encoded.append(kHex[byte >> 4]);
            encoded.append(kHex[byte & 0x0F]);
        } else {
            encoded.append(ch);
        }
    }
    return QUrl::fromEncoded(encoded, QUrl::TolerantMode);
}

// Every URL of a URI list, any scheme. A first line "copy" or "cut" (the GNOME file-copy form)
// is skipped when asked. File managers write these lists as C strings, some with the closing
// NUL included (pcmanfm), so the list ends at the first NUL byte.
QList<QUrl> urlsFromList(const QByteArray& bytes, bool skipCopyCutLine) {
    QList<QUrl> urls;
    bool firstLine = true;
    QByteArrayView all(bytes);
    if (const qsizetype nul = all.indexOf('\0'); nul >= 0) {
        all.truncate(nul);
    }
    qsizetype start = 0;
    while (start <= all.size()) {
        qsizetype end = all.indexOf('\n', start);
        if (end < 0) {
            end = all.size();
        }
        const QByteArrayView line = all.sliced(start, end - start).trimmed();
        start = end + 1;
        const bool wasFirst = firstLine;
        firstLine = false;
        if (line.isEmpty() || line.startsWith('#')) {
            continue;
        }
        if (wasFirst && skipCopyCutLine && (line == "copy" || line == "cut")) {
            continue;
        }
        const QUrl url = urlFromLine(line);
        if (url.isValid() && !url.isEmpty()) {
            urls.append(url);
        }
    }
    return urls;
}

// A file URL names an absolute path; "file:name" points nowhere in particular, and no path
// holds a NUL ("%00"), so such a URL names no file.
bool isFileUrl(const QUrl& url) {
    if (url.scheme() != QLatin1StringView("file")) {
        return false;
    }
    const QString path = url.path(QUrl::FullyDecoded);
    return path.startsWith(u'/') && !path.contains(QChar(u'\0'));
}

QList<QUrl> fileUrlsOf(const QList<QUrl>& urls) {
    QList<QUrl> files;
    for (const QUrl& url : urls) {
        if (isFileUrl(url)) {
            files.append(url);
        }
    }
    return files;
}

// The URLs an item offers as copied files, any scheme: the URI list wins over the GNOME form.
QList<QUrl> itemUrls(const StoredItem& item) {
    const QByteArray uriList = bytesFor(item, ClipboardTypeKey::uriList);
    if (!uriList.isEmpty()) {
        return urlsFromList(uriList, false);
    }
    const QByteArray gnome = bytesFor(item, ClipboardTypeKey::gnomeCopiedFiles);
    if (!gnome.isEmpty()) {
        return urlsFromList(gnome, true);
    }
    return {};
}

// Last path component; a directory URL ending in '/' names the directory.
QString lastPathComponent(const QUrl& url) {
    QString path = url.path(QUrl::FullyDecoded);
    while (path.size() > 1 && path.endsWith(u'/')) {
        path.chop(1);
    }
    if (path == QLatin1StringView("/")) {
        return path;
    }
    return path.mid(path.lastIndexOf(u'/') + 1);
}

QString firstLine(const QString& text) {
    const qsizetype end = text.indexOf(u'\n');
    return (end < 0 ? text : text.left(end)).trimmed();
}

std::optional<QString> webUrl(const StoredItem& item) {
    const QByteArray moz = bytesFor(item, ClipboardTypeKey::mozUrl);
    if (!moz.isEmpty()) {
        // Firefox writes UTF-16 in host order; a buffer without NUL bytes cannot be UTF-16 ASCII
        // and is taken as UTF-8.
        const bool looksUtf16 =
            moz.startsWith("\xFF\xFE") || moz.startsWith("\xFE\xFF") || moz.contains('\0');
        const std::optional<QString> text =
            looksUtf16 ? decodeUtf16(moz, QStringDecoder::Utf16LE) : decodeUtf8(moz);
        if (text) {
            const QString url = firstLine(*text);
            if (!url.isEmpty()) {
                return url;
            }
        }
    }
    const QByteArray netscape = bytesFor(item, ClipboardTypeKey::netscapeUrl);
    if (!netscape.isEmpty()) {
        if (const std::optional<QString> text = decodeUtf8(netscape)) {
            const QString url = firstLine(*text);
            if (!url.isEmpty()) {
                return url;
            }
        }
    }
    return std::nullopt;
}

// Whether imageDataFromItem would yield bytes, without paying for the PNG encoding.
bool hasImage(const StoredItem& item) {
    if (!bytesFor(item, ClipboardTypeKey::png).isEmpty()) {
        return true;
    }
    const QByteArray tiff = bytesFor(item, ClipboardTypeKey::tiff);
    bool oversized = false;
    return !tiff.isEmpty() && (!decodeTiff(tiff, &oversized).isNull() || oversized);
}

}  // namespace

namespace ClipboardContent {

std::optional<QString> stringFromItem(const StoredItem& item) {
    for (const QLatin1StringView type :
         {ClipboardTypeKey::stringUtf8Mime, ClipboardTypeKey::utf8String,
          ClipboardTypeKey::plainText}) {
        const QByteArray bytes = bytesFor(item, type);
        if (bytes.isEmpty()) {
            continue;
        }
        std::optional<QString> text = decodeUtf8(bytes);
        if (text && !isBlank(*text)) {
            return text;
        }
    }
    const QByteArray latin1 = bytesFor(item, ClipboardTypeKey::latin1String);
    if (!latin1.isEmpty()) {
        QString text = QString::fromLatin1(latin1);
        if (!isBlank(text)) {
            return text;
        }
    }
    return std::nullopt;
}

std::optional<QString> anyTextFromItem(const StoredItem& item) {
    if (std::optional<QString> text = stringFromItem(item)) {
        return text;
    }
    for (const QLatin1StringView type :
         {ClipboardTypeKey::rtf, ClipboardTypeKey::applicationRtf, ClipboardTypeKey::richText}) {
        const QByteArray bytes = bytesFor(item, type);
        if (bytes.isEmpty()) {
            continue;
        }
        std::optional<QString> text = RtfText::toPlainText(bytes);
        if (text && !isBlank(*text)) {
            return text;
        }
    }
    const QByteArray html = bytesFor(item, ClipboardTypeKey::html);
    if (!html.isEmpty()) {
        return htmlText(html);
    }
    return std::nullopt;
}

StoredItem plainTextItem(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    StoredItem item{{QString(ClipboardTypeKey::stringUtf8Mime), utf8},
                    {QString(ClipboardTypeKey::utf8String), utf8},
                    {QString(ClipboardTypeKey::plainText), utf8}};
    // Offered as "?"s a text beyond Latin-1 would be worse than not offered that way.
    if (std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() <= 0xFF; })) {
        item.insert(QString(ClipboardTypeKey::latin1String), text.toLatin1());
    }
    return item;
}

StoredItem withPlainText(StoredItem item) {
    for (const QLatin1StringView type :
         {ClipboardTypeKey::stringUtf8Mime, ClipboardTypeKey::utf8String,
          ClipboardTypeKey::plainText, ClipboardTypeKey::latin1String}) {
        if (!bytesFor(item, type).isEmpty()) {
            return item;
        }
    }
    if (hasImage(item)) {
        return item;
    }
    if (const std::optional<QString> text = anyTextFromItem(item); text && !isBlank(*text)) {
        item.insert(plainTextItem(*text));
    }
    return item;
}

std::optional<QByteArray> imageDataFromItem(const StoredItem& item) {
    const QByteArray png = bytesFor(item, ClipboardTypeKey::png);
    if (!png.isEmpty()) {
        return png;
    }
    const QByteArray tiff = bytesFor(item, ClipboardTypeKey::tiff);
    if (!tiff.isEmpty()) {
        return ImageCodec::encodePng(decodeTiff(tiff));
    }
    return std::nullopt;
}

QList<QUrl> fileURLsFromStored(const ClipboardSnapshot& snapshot) {
    QList<QUrl> urls;
    for (const StoredItem& item : snapshot) {
        urls.append(fileUrlsOf(itemUrls(item)));
    }
    return urls;
}

QString previewTextFromStored(const ClipboardSnapshot& snapshot, bool* isPlaceholder) {
    if (isPlaceholder != nullptr) {
        *isPlaceholder = false;
    }
    const auto placeholder = [isPlaceholder](const QString& text) {
        if (isPlaceholder != nullptr) {
            *isPlaceholder = true;
        }
        return text;
    };
    if (snapshot.isEmpty()) {
        return placeholder(contentPlaceholder);
    }
    const StoredItem& item = snapshot.first();
    if (std::optional<QString> text = anyTextFromItem(item)) {
        return *text;
    }
    if (hasImage(item)) {
        return placeholder(imagePlaceholder);
    }
    const QList<QUrl> urls = itemUrls(item);
    if (!urls.isEmpty()) {
        // A URL without a path has no name to show; the later rules still may.
        QString name = lastPathComponent(urls.first());
        if (!name.isEmpty()) {
            return name;
        }
    }
    if (std::optional<QString> url = webUrl(item)) {
        return *url;
    }
    return placeholder(contentPlaceholder);
}

std::optional<QByteArray> makeThumbnail(const std::optional<QByteArray>& bytes, int maxSide) {
    // Any program can put any bytes on the clipboard: only PNG (what the record's picture bytes
    // are, a TIFF having been converted) is decoded, never whatever format a mislabelled buffer
    // is really in, whose decoder may take seconds or scale badly with crafted input.
    if (!bytes || !bytes->startsWith("\x89PNG\r\n\x1a\n") || maxSide <= 0) {
        return std::nullopt;
    }
    QBuffer buffer;
    buffer.setData(*bytes);
    if (!buffer.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    QImageReader reader(&buffer, "png");
    reader.setAutoDetectImageFormat(false);
    return ImageCodec::thumbnailPng(reader, QSize(maxSide, maxSide));
}

}  // namespace ClipboardContent
