// SPDX-License-Identifier: MIT
// Record building end to end: an arbitrary clipboard snapshot goes through ClipboardItem::make
// (previews, HTML and RTF text, file lists and web links, image probing and thumbnails, the
// fingerprint, the blob write), and the record gives back exactly the normalised content, from
// memory or from its blob. The raw input is also read as a blob file and as RTF, so the seeds
// hold snapshots, blobs and RTF documents. tools/test makes the seeds with pictures and large
// content.
//
// Input: a sequence of entries, each
//   tag byte: bit 7 starts a new clipboard item (the first entry always does);
//             bits 0-6 below 112 pick a known target name, else a name of the next byte's
//             length (at most 31) follows;
//   two bytes, little-endian: the length of the content, cut to what is left;
//   the content.
#include <QByteArray>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

#include "history/BlobStore.h"
#include "history/ClipboardItem.h"
#include "history/RtfText.h"
#include "platform/ClipboardTypeKey.h"

namespace {

// Small enough that many inputs go to a blob file.
constexpr qint64 kInlineByteLimit = 256;
constexpr int kThumbnailMaxSide = ClipboardItem::defaultThumbnailMaxSide;

// The targets the extraction rules know, in the order of ClipboardTypeKey, and two others.
const QStringList kKnownTypes =
    QString(
        "text/plain;charset=utf-8 UTF8_STRING text/plain STRING text/rtf application/rtf "
        "text/richtext text/html image/png image/tiff text/uri-list x-special/gnome-copied-files "
        "text/x-moz-url _NETSCAPE_URL image/jpeg application/x-kde-cutselection")
        .split(u' ');

ClipboardSnapshot decodeSnapshot(const uint8_t* data, size_t size) {
    ClipboardSnapshot snapshot;
    size_t pos = 0;
    const auto byte = [&] { return pos < size ? data[pos++] : uint8_t(0); };
    const auto bytes = [&](size_t count) {
        count = std::min(count, size - pos);
        pos += count;
        return QByteArray(reinterpret_cast<const char*>(data + pos - count), qsizetype(count));
    };
    while (pos < size) {
        const uint8_t tag = byte();
        if ((tag & 0x80) != 0 || snapshot.isEmpty()) {
            snapshot.append(StoredItem());
        }
        const uint8_t pick = tag & 0x7F;
        const QString type = pick < 112 ? kKnownTypes.at(pick % kKnownTypes.size())
                                        : QString::fromLatin1(bytes(byte() & 0x1F));
        // Low byte first: the two reads are sequenced apart.
        const size_t low = byte();
        snapshot.last().insert(type, bytes(low | size_t(byte()) << 8));
    }
    return snapshot;
}

// What the record keeps: no empty buffers, no TIFF beside a PNG, no empty items.
ClipboardSnapshot normalised(const ClipboardSnapshot& snapshot) {
    ClipboardSnapshot out;
    for (StoredItem item : snapshot) {
        item.removeIf([](const auto& entry) { return entry.value().isEmpty(); });
        if (item.contains(ClipboardTypeKey::png)) {
            item.remove(ClipboardTypeKey::tiff);
        }
        if (!item.isEmpty()) {
            out.append(item);
        }
    }
    return out;
}

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The same bytes as a blob file and as RTF: a blob decodes to nothing or to a snapshot that
    // survives a round trip unchanged; plain text never grows beyond a few characters per byte.
    const QByteArray raw(reinterpret_cast<const char*>(data), qsizetype(size));
    if (const std::optional<ClipboardSnapshot> decoded = BlobStore::decode(raw)) {
        check(BlobStore::decode(BlobStore::encode(*decoded)) == decoded);
    }
    const std::optional<QString> text = RtfText::toPlainText(raw);
    check(!text || text->size() <= 2 * raw.size() + 2);

    static QTemporaryDir blobs;
    check(blobs.isValid());
    const ClipboardSnapshot snapshot = decodeSnapshot(data, size);
    const ClipboardSnapshot expected = normalised(snapshot);

    const std::optional<ClipboardItem> item =
        ClipboardItem::make(snapshot, blobs.path(), kInlineByteLimit, kThumbnailMaxSide);
    check(item.has_value() == !expected.isEmpty());
    if (!item) {
        return 0;
    }
    check(!item->previewText().isEmpty());
    for (const QUrl& url : item->fileURLs()) {
        check(url.isLocalFile() && !url.toLocalFile().contains(QChar(u'\0')));
    }
    if (const std::optional<QByteArray>& thumbnail = item->thumbnailData()) {
        const QImage image = QImage::fromData(*thumbnail, "png");
        check(!image.isNull() && image.width() <= kThumbnailMaxSide &&
              image.height() <= kThumbnailMaxSide);
        check(item->imageFingerprint().has_value());
    }

    // Over the limit the content goes to a blob file, else it stays in memory; never both.
    const bool large = byteCount(expected) > kInlineByteLimit;
    check(item->blobPath().has_value() == large && item->inlineData().has_value() == !large);
    check(item->resolvedClipboardData() == expected);
    item->deleteBlob();
    // Nothing is left behind: no blob, no half-written temporary file.
    check(QDir(blobs.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
    return 0;
}
