// Record building end to end: an arbitrary clipboard snapshot goes through ClipboardItem::make
// (previews, HTML and RTF text, image probing and thumbnails, the fingerprint, the blob write),
// and the record gives back exactly the normalised content, from memory or from its blob.
// tools/test makes the seeds with pictures and large content.
//
// Input: a sequence of entries, each
//   tag byte: bit 7 starts a new clipboard item (the first entry always does);
//             bits 0-6 below 112 pick a known target name, else a name of the next byte's
//             length (at most 31) follows;
//   two bytes, little-endian: the length of the content, cut to what is left;
//   the content.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

#include "history/ClipboardItem.h"
#include "platform/PasteboardTypeKey.h"

namespace {

// Small enough that many inputs go to a blob file.
constexpr qint64 kInlineByteLimit = 256;
constexpr int kThumbnailMaxSide = ClipboardItem::defaultThumbnailMaxSide;

const QStringList& knownTypes() {
    static const QStringList types{
        PasteboardTypeKey::stringUtf8Mime,
        PasteboardTypeKey::utf8String,
        PasteboardTypeKey::plainText,
        PasteboardTypeKey::latin1String,
        PasteboardTypeKey::rtf,
        PasteboardTypeKey::applicationRtf,
        PasteboardTypeKey::richText,
        PasteboardTypeKey::html,
        PasteboardTypeKey::png,
        PasteboardTypeKey::tiff,
        PasteboardTypeKey::uriList,
        PasteboardTypeKey::gnomeCopiedFiles,
        PasteboardTypeKey::mozUrl,
        PasteboardTypeKey::netscapeUrl,
        QStringLiteral("image/jpeg"),
        QStringLiteral("application/x-kde-cutselection"),
    };
    return types;
}

class Reader {
  public:
    Reader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    bool atEnd() const { return m_pos >= m_size; }
    uint8_t byte() { return atEnd() ? 0 : m_data[m_pos++]; }
    QByteArray bytes(size_t count) {
        count = std::min(count, m_size - m_pos);
        QByteArray out(reinterpret_cast<const char*>(m_data + m_pos), qsizetype(count));
        m_pos += count;
        return out;
    }

  private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

PasteboardSnapshot decodeSnapshot(const uint8_t* data, size_t size) {
    PasteboardSnapshot snapshot;
    Reader in(data, size);
    while (!in.atEnd()) {
        const uint8_t tag = in.byte();
        if ((tag & 0x80) != 0 || snapshot.isEmpty()) {
            snapshot.append(StoredItem());
        }
        const uint8_t pick = tag & 0x7F;
        const QString type = pick < 112 ? knownTypes().at(pick % knownTypes().size())
                                        : QString::fromLatin1(in.bytes(in.byte() & 0x1F));
        const size_t length = in.byte() | (size_t(in.byte()) << 8);
        snapshot.last().insert(type, in.bytes(length));
    }
    return snapshot;
}

// What the record keeps: no empty buffers, no TIFF beside a PNG, no empty items.
PasteboardSnapshot normalised(const PasteboardSnapshot& snapshot) {
    PasteboardSnapshot out;
    for (StoredItem item : snapshot) {
        item.removeIf([](const auto& entry) { return entry.value().isEmpty(); });
        if (item.contains(PasteboardTypeKey::png)) {
            item.remove(PasteboardTypeKey::tiff);
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
    static QTemporaryDir blobs;
    check(blobs.isValid());
    const PasteboardSnapshot snapshot = decodeSnapshot(data, size);
    const PasteboardSnapshot expected = normalised(snapshot);

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
    check(item->resolvedPasteboardData() == expected);
    if (item->blobPath()) {
        check(QFile::exists(*item->blobPath()));
    }
    item->deleteBlob();
    // Nothing is left behind: no blob, no half-written temporary file.
    check(QDir(blobs.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
    return 0;
}
