// SPDX-License-Identifier: MIT
#include "history/ClipboardItem.h"

#include <QCborArray>
#include <QCborMap>
#include <QCborValue>
#include <QCryptographicHash>
#include <QFile>
#include <QRandomGenerator>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <utility>

#include "core/GraphemeCut.h"
#include "history/BlobStore.h"
#include "history/ClipboardContent.h"
#include "history/SearchText.h"
#include "platform/ClipboardTypeKey.h"

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
    if (item.contains(ClipboardTypeKey::png)) {
        item.remove(ClipboardTypeKey::tiff);
    }
    return item;
}

constexpr QCryptographicHash::Algorithm keyAlgorithm = QCryptographicHash::Blake2b_256;
constexpr qsizetype digestSize = 32;

void addLength(QCryptographicHash& hash, qsizetype size) {
    const quint64 length = qToLittleEndian(quint64(size));
    hash.addData(QByteArrayView(reinterpret_cast<const char*>(&length), sizeof(length)));
}

// Digests carry no secret, so that a kept record keeps them; the keys compared in memory are
// made from them with this run's secret, so equal keys mean equal content and nothing else.
QByteArray textDigest(QStringView text) {
    QCryptographicHash hash(keyAlgorithm);
    hash.addData("T");
    hash.addData(QByteArrayView(reinterpret_cast<const char*>(text.utf16()),
                                text.size() * qsizetype(sizeof(char16_t))));
    return hash.result();
}

// Every type name and buffer, lengths included, so different splits cannot collide.
QByteArray snapshotDigest(const ClipboardSnapshot& snapshot) {
    QCryptographicHash hash(keyAlgorithm);
    hash.addData("C");
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

QByteArray imageDigest(const QByteArray& bytes) {
    QCryptographicHash hash(keyAlgorithm);
    hash.addData("F");
    addLength(hash, bytes.size());
    const qsizetype span = std::min(bytes.size(), fingerprintSpan);
    hash.addData(QByteArrayView(bytes).first(span));
    hash.addData(QByteArrayView(bytes).last(span));
    return hash.result();
}

QByteArray keyOf(QByteArrayView digest) {
    QCryptographicHash hash(keyAlgorithm);
    hash.addData(fingerprintSeed());
    hash.addData(digest);
    return hash.result();
}

qint64 fingerprintOf(QByteArrayView digest) {
    return qFromLittleEndian<qint64>(keyOf(digest).constData());
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

QByteArray ClipboardItem::textKey(QStringView text) {
    return keyOf(textDigest(text));
}

void ClipboardItem::deriveKeys() {
    m_contentKey = m_contentDigest.isEmpty() ? QByteArray() : keyOf(m_contentDigest);
    m_imageFingerprint =
        m_imageDigest ? std::optional<qint64>(fingerprintOf(*m_imageDigest)) : std::nullopt;
}

std::optional<ClipboardItem> ClipboardItem::make(const ClipboardSnapshot& snapshot,
                                                 const QString& blobDirectory,
                                                 qint64 inlineByteLimit, int thumbnailMaxSide,
                                                 const QDateTime& date, const QString& blobFileName,
                                                 const QUuid& id) {
    ClipboardSnapshot items;
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

    ClipboardItem record;
    record.m_id = id.isNull() ? QUuid::createUuid() : id;
    record.m_date = date;
    record.m_fileURLs = ClipboardContent::fileURLsFromStored(items);
    bool isPlaceholder = false;
    QString fullPreview = ClipboardContent::previewTextFromStored(items, &isPlaceholder);
    // A placeholder says nothing about the content: two different copies must not merge.
    if (isPlaceholder) {
        record.m_contentDigest = snapshotDigest(items);
    } else if (!fullPreview.isEmpty()) {
        record.m_contentDigest = textDigest(fullPreview);
    }
    if (!isPlaceholder || !record.m_fileURLs.isEmpty()) {
        record.m_searchText = searchTextOf(record.m_fileURLs, fullPreview);
    }
    std::tie(record.m_previewText, record.m_isPreviewTruncated) =
        boundedPreview(std::move(fullPreview));
    if (const std::optional<QByteArray> imageBytes =
            ClipboardContent::imageDataFromItem(items.first())) {
        record.m_thumbnailData = ClipboardContent::makeThumbnail(imageBytes, thumbnailMaxSide);
        record.m_imageDigest = imageDigest(*imageBytes);
    }
    record.deriveKeys();

    if (byteCount(items) > inlineByteLimit && !blobDirectory.isEmpty()) {
        const QString name = blobFileName.isEmpty() ? BlobStore::newFileName() : blobFileName;
        const QString path = blobDirectory + QLatin1Char('/') + name;
        if (BlobStore::write(path, items)) {
            record.m_blobPath = path;
        }
    }
    if (!record.m_blobPath) {
        record.m_inlineData = std::move(items);
    }
    return record;
}

qint64 ClipboardItem::fingerprint(const QByteArray& bytes) {
    return fingerprintOf(imageDigest(bytes));
}

namespace {

// The summary's fields; 0 holds its form, so that a later form is told from this one.
enum SummaryField : int {
    Form = 0,
    Preview,
    PreviewTruncated,
    Search,
    Thumbnail,
    Files,
    ContentDigest,
    ImageDigest,
};
constexpr int summaryForm = 1;
// A thumbnail is a small picture; anything larger is not one of ours.
constexpr qsizetype maxThumbnailBytes = 4 << 20;

}  // namespace

QByteArray ClipboardItem::summary() const {
    QCborMap map;
    map.insert(Form, summaryForm);
    map.insert(Preview, m_previewText);
    map.insert(PreviewTruncated, m_isPreviewTruncated);
    map.insert(Search, m_searchText);
    if (m_thumbnailData) {
        map.insert(Thumbnail, *m_thumbnailData);
    }
    QCborArray files;
    for (const QUrl& url : m_fileURLs) {
        files.append(url.toString(QUrl::FullyEncoded));
    }
    map.insert(Files, files);
    map.insert(ContentDigest, m_contentDigest);
    if (m_imageDigest) {
        map.insert(ImageDigest, *m_imageDigest);
    }
    return map.toCborValue().toCbor();
}

std::optional<ClipboardItem> ClipboardItem::fromSummary(const QUuid& id, const QDateTime& date,
                                                        const QByteArray& summary,
                                                        std::optional<ClipboardSnapshot> inlineData,
                                                        std::shared_ptr<const KeptContent> kept) {
    QCborParserError error;
    const QCborValue value = QCborValue::fromCbor(summary, &error);
    const QCborMap map = value.toMap();
    if (error.error != QCborError::NoError || !value.isMap() ||
        map.value(Form).toInteger() != summaryForm || !map.value(Preview).isString() ||
        !map.value(Search).isString() || !map.value(Files).isArray() ||
        !map.value(ContentDigest).isByteArray() || (inlineData.has_value() == (kept != nullptr))) {
        return std::nullopt;
    }
    ClipboardItem record;
    record.m_id = id;
    record.m_date = date;
    record.m_previewText = map.value(Preview).toString();
    record.m_isPreviewTruncated = map.value(PreviewTruncated).toBool();
    record.m_searchText = map.value(Search).toString();
    record.m_contentDigest = map.value(ContentDigest).toByteArray();
    if (map.contains(Thumbnail)) {
        record.m_thumbnailData = map.value(Thumbnail).toByteArray();
    }
    if (map.contains(ImageDigest)) {
        record.m_imageDigest = map.value(ImageDigest).toByteArray();
    }
    for (const QCborValue& file : map.value(Files).toArray()) {
        const QUrl url(file.toString(), QUrl::StrictMode);
        if (!file.isString() || !url.isValid()) {
            return std::nullopt;
        }
        record.m_fileURLs.append(url);
    }
    const auto digestIsOurs = [](const QByteArray& digest) {
        return digest.isEmpty() || digest.size() == digestSize;
    };
    if (record.m_previewText.size() > storedPreviewUnits ||
        record.m_searchText.size() > searchedUnits || !digestIsOurs(record.m_contentDigest) ||
        (record.m_imageDigest && record.m_imageDigest->size() != digestSize) ||
        (record.m_thumbnailData && record.m_thumbnailData->size() > maxThumbnailBytes)) {
        return std::nullopt;
    }
    record.deriveKeys();
    record.m_inlineData = std::move(inlineData);
    record.m_kept = std::move(kept);
    return record;
}

ClipboardItem ClipboardItem::keptIn(std::shared_ptr<const KeptContent> kept) const {
    ClipboardItem copy = *this;
    copy.m_inlineData.reset();
    copy.m_blobPath.reset();
    copy.m_kept = std::move(kept);
    return copy;
}

ClipboardItem ClipboardItem::inBlob(const QString& path) const {
    ClipboardItem copy = *this;
    copy.m_inlineData.reset();
    copy.m_kept.reset();
    copy.m_blobPath = path;
    return copy;
}

ClipboardSnapshot ClipboardItem::resolvedClipboardData() const {
    if (m_inlineData) {
        return *m_inlineData;
    }
    if (m_blobPath) {
        return BlobStore::read(*m_blobPath).value_or(ClipboardSnapshot());
    }
    if (m_kept) {
        return m_kept->read(m_id).value_or(ClipboardSnapshot());
    }
    return {};
}

void ClipboardItem::deleteBlob() const {
    if (m_blobPath) {
        QFile::remove(*m_blobPath);
    }
}
