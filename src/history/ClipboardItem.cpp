#include "history/ClipboardItem.h"

#include <QCryptographicHash>
#include <QFile>
#include <QRandomGenerator>
#include <QtEndian>

#include <array>

#include "history/BlobStore.h"
#include "history/PasteboardContent.h"
#include "history/PasteboardTypeKey.h"

namespace {

constexpr qsizetype fingerprintSpan = 2048;

// Per-process secret so fingerprints cannot be predicted or carried between runs.
const QByteArray& fingerprintSeed() {
    static const QByteArray seed = [] {
        std::array<quint64, 2> words{};
        QRandomGenerator::system()->fillRange(words.data(), words.size());
        return QByteArray(reinterpret_cast<const char*>(words.data()), sizeof(words));
    }();
    return seed;
}

// Empty buffers count as absent; a PNG makes the TIFF form redundant.
StoredItem normalised(StoredItem item) {
    for (auto it = item.begin(); it != item.end();) {
        it = it.value().isEmpty() ? item.erase(it) : std::next(it);
    }
    if (item.contains(PasteboardTypeKey::png)) {
        item.remove(PasteboardTypeKey::tiff);
    }
    return item;
}

qint64 totalSize(const PasteboardSnapshot& snapshot) {
    qint64 total = 0;
    for (const StoredItem& item : snapshot) {
        for (const QByteArray& bytes : item) {
            total += bytes.size();
        }
    }
    return total;
}

}  // namespace

ClipboardItem::ClipboardItem(QUuid id, QDateTime date, QString previewText,
                             std::optional<QByteArray> thumbnailData, QList<QUrl> fileURLs,
                             std::optional<qint64> imageFingerprint,
                             std::optional<PasteboardSnapshot> inlineData,
                             std::optional<QString> blobPath)
    : m_id(id),
      m_date(std::move(date)),
      m_previewText(std::move(previewText)),
      m_thumbnailData(std::move(thumbnailData)),
      m_fileURLs(std::move(fileURLs)),
      m_imageFingerprint(imageFingerprint),
      m_inlineData(std::move(inlineData)),
      m_blobPath(std::move(blobPath)) {}

std::optional<ClipboardItem> ClipboardItem::make(const PasteboardSnapshot& snapshot,
                                                 const QString& blobDirectory,
                                                 qint64 inlineByteLimit, int thumbnailMaxSide,
                                                 const QDateTime& date,
                                                 const QString& blobFileName) {
    PasteboardSnapshot items;
    items.reserve(snapshot.size());
    for (const StoredItem& item : snapshot) {
        StoredItem cleaned = normalised(item);
        if (!cleaned.isEmpty()) {
            items.append(std::move(cleaned));
        }
    }
    if (items.isEmpty()) {
        return std::nullopt;
    }

    QList<QUrl> fileURLs = PasteboardContent::fileURLsFromStored(items);
    QString previewText = PasteboardContent::previewTextFromStored(items);
    const std::optional<QByteArray> imageBytes =
        PasteboardContent::imageDataFromItem(items.first());
    std::optional<QByteArray> thumbnail;
    std::optional<qint64> imageFingerprint;
    if (imageBytes) {
        thumbnail = PasteboardContent::makeThumbnail(imageBytes, thumbnailMaxSide);
        imageFingerprint = fingerprint(*imageBytes);
    }

    std::optional<PasteboardSnapshot> inlineData;
    std::optional<QString> blobPath;
    if (totalSize(items) > inlineByteLimit && !blobDirectory.isEmpty()) {
        const QString name = blobFileName.isEmpty() ? BlobStore::newFileName() : blobFileName;
        const QString path = blobDirectory + QLatin1Char('/') + name;
        if (BlobStore::write(path, items)) {
            blobPath = path;
        }
    }
    if (!blobPath) {
        inlineData = std::move(items);
    }
    return ClipboardItem(QUuid::createUuid(), date, std::move(previewText), std::move(thumbnail),
                         std::move(fileURLs), imageFingerprint, std::move(inlineData),
                         std::move(blobPath));
}

qint64 ClipboardItem::fingerprint(const QByteArray& bytes) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(fingerprintSeed());
    const quint64 length = qToLittleEndian(quint64(bytes.size()));
    hash.addData(QByteArrayView(reinterpret_cast<const char*>(&length), sizeof(length)));
    const qsizetype span = std::min(bytes.size(), fingerprintSpan);
    hash.addData(QByteArrayView(bytes).first(span));
    hash.addData(QByteArrayView(bytes).last(span));
    return qFromLittleEndian<qint64>(hash.resultView().constData());
}

PasteboardSnapshot ClipboardItem::resolvedPasteboardData() const {
    if (m_inlineData) {
        return *m_inlineData;
    }
    if (m_blobPath) {
        return BlobStore::read(*m_blobPath).value_or(PasteboardSnapshot());
    }
    return {};
}

void ClipboardItem::deleteBlob() const {
    if (m_blobPath) {
        QFile::remove(*m_blobPath);
    }
}
