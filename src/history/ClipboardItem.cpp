// SPDX-License-Identifier: MIT
#include "history/ClipboardItem.h"

#include <QCryptographicHash>
#include <QFile>
#include <QRandomGenerator>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <utility>

#include "core/GraphemeCut.h"
#include "history/BlobStore.h"
#include "history/PasteboardContent.h"
#include "history/SearchText.h"
#include "platform/PasteboardTypeKey.h"

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

// Per-process secret for content keys, so equal keys mean equal content and nothing else.
void startKey(QCryptographicHash& hash, char domain) {
    hash.addData(fingerprintSeed());
    hash.addData(QByteArrayView(&domain, 1));
}

constexpr QCryptographicHash::Algorithm keyAlgorithm = QCryptographicHash::Blake2b_256;

void addLength(QCryptographicHash& hash, qsizetype size) {
    const quint64 length = qToLittleEndian(quint64(size));
    hash.addData(QByteArrayView(reinterpret_cast<const char*>(&length), sizeof(length)));
}

// Every type name and buffer, lengths included, so different splits cannot collide.
QByteArray snapshotKey(const PasteboardSnapshot& snapshot) {
    QCryptographicHash hash(keyAlgorithm);
    startKey(hash, 'C');
    addLength(hash, snapshot.size());
    for (const StoredItem& item : snapshot) {
        addLength(hash, item.size());
        for (auto it = item.cbegin(); it != item.cend(); ++it) {
            const QByteArray name = it.key().toUtf8();
            addLength(hash, name.size());
            hash.addData(name);
            addLength(hash, it.value().size());
            hash.addData(it.value());
        }
    }
    return hash.result();
}

// The first clusters of a text, bounded in code units too (one cluster can be arbitrarily
// long); true when something was cut off.
std::pair<QString, bool> boundedPreview(QString text) {
    const std::optional<qsizetype> cut =
        graphemeCut(text, ClipboardItem::storedPreviewClusters, ClipboardItem::storedPreviewUnits);
    if (!cut) {
        return {std::move(text), false};
    }
    return {text.left(*cut), true};
}

// The names of the files, or the text up to what searching looks at.
QString searchTextOf(const QList<QUrl>& fileURLs, QStringView text) {
    if (!fileURLs.isEmpty()) {
        QStringList names;
        for (const QUrl& url : fileURLs) {
            QString path = url.path();
            while (path.endsWith(u'/')) {
                path.chop(1);
            }
            names << path.section(u'/', -1);
        }
        return SearchText::normalised(names.join(u' '));
    }
    qsizetype length = std::min(text.size(), ClipboardItem::searchedUnits);
    if (length < text.size() && length > 0 && text[length - 1].isHighSurrogate()) {
        --length;
    }
    return SearchText::normalised(text.first(length));
}

}  // namespace

ClipboardItem::ClipboardItem(QUuid id, QDateTime date, QString previewText,
                             std::optional<QByteArray> thumbnailData, QList<QUrl> fileURLs,
                             std::optional<qint64> imageFingerprint,
                             std::optional<PasteboardSnapshot> inlineData,
                             std::optional<QString> blobPath, QByteArray contentKey,
                             bool isPreviewTruncated, QString searchText)
    : m_id(id),
      m_date(std::move(date)),
      m_previewText(std::move(previewText)),
      m_isPreviewTruncated(isPreviewTruncated),
      m_contentKey(std::move(contentKey)),
      m_searchText(std::move(searchText)),
      m_thumbnailData(std::move(thumbnailData)),
      m_fileURLs(std::move(fileURLs)),
      m_imageFingerprint(imageFingerprint),
      m_inlineData(std::move(inlineData)),
      m_blobPath(std::move(blobPath)) {
    if (m_contentKey.isEmpty() && !m_previewText.isEmpty()) {
        m_contentKey = textKey(m_previewText);
    }
}

QByteArray ClipboardItem::textKey(QStringView text) {
    QCryptographicHash hash(keyAlgorithm);
    startKey(hash, 'T');
    hash.addData(QByteArrayView(reinterpret_cast<const char*>(text.utf16()),
                                text.size() * qsizetype(sizeof(char16_t))));
    return hash.result();
}

std::optional<ClipboardItem> ClipboardItem::make(const PasteboardSnapshot& snapshot,
                                                 const QString& blobDirectory,
                                                 qint64 inlineByteLimit, int thumbnailMaxSide,
                                                 const QDateTime& date, const QString& blobFileName,
                                                 const QUuid& id) {
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
    bool isPlaceholder = false;
    QString fullPreview = PasteboardContent::previewTextFromStored(items, &isPlaceholder);
    // A placeholder says nothing about the content: two different copies must not merge.
    QByteArray contentKey;
    if (isPlaceholder) {
        contentKey = snapshotKey(items);
    } else if (!fullPreview.isEmpty()) {
        contentKey = textKey(fullPreview);
    }
    QString searchText =
        isPlaceholder && fileURLs.isEmpty() ? QString() : searchTextOf(fileURLs, fullPreview);
    auto [previewText, isPreviewTruncated] = boundedPreview(std::move(fullPreview));
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
    if (byteCount(items) > inlineByteLimit && !blobDirectory.isEmpty()) {
        const QString name = blobFileName.isEmpty() ? BlobStore::newFileName() : blobFileName;
        const QString path = blobDirectory + QLatin1Char('/') + name;
        if (BlobStore::write(path, items)) {
            blobPath = path;
        }
    }
    if (!blobPath) {
        inlineData = std::move(items);
    }
    return ClipboardItem(id.isNull() ? QUuid::createUuid() : id, date, std::move(previewText),
                         std::move(thumbnail), std::move(fileURLs), imageFingerprint,
                         std::move(inlineData), std::move(blobPath), std::move(contentKey),
                         isPreviewTruncated, std::move(searchText));
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
