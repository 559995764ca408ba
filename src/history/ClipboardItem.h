// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QUrl>
#include <QUuid>

#include <memory>
#include <optional>

#include "platform/Clipboard.h"

// Where a kept record's content is read back from when it is needed (the history's database),
// so that a large kept copy is neither held in memory nor written out again. Any thread.
class KeptContent {
  public:
    virtual ~KeptContent() = default;
    // Nothing when the record is no longer kept or cannot be read.
    virtual std::optional<ClipboardSnapshot> read(const QUuid& id) const = 0;
};

// One copy: immutable, equal by id only. Content stays in memory up to the inline limit and
// moves to a blob file beyond it, or stays where it is kept.
class ClipboardItem {
  public:
    static constexpr qint64 defaultInlineByteLimit = 262144;
    // Rows draw a picture 48 points wide at most: three times that covers a scale of 3, and
    // every thumbnail byte stays in memory for the record's life.
    static constexpr int defaultThumbnailMaxSide = 144;
    // What a record keeps of its text: rows show 200 clusters, the rest is only ever needed
    // whole for de-duplication, which the content key covers.
    static constexpr int storedPreviewClusters = 1000;
    static constexpr qsizetype storedPreviewUnits = 4096;
    // How much of a text searching looks at: a whole text as long as any typed one, while a
    // copy of many megabytes keeps no folded twin of its size.
    static constexpr qsizetype searchedUnits = 262144;

    // Nothing when the snapshot holds no non-empty item. Runs on the background queue.
    // blobDirectory empty: no blob folder, the content stays inline. blobFileName: the name the
    // blob gets if one is written (empty: a fresh one), so the caller can tell an in-flight blob
    // from an orphan. id: a kept record's own (null: a fresh one).
    static std::optional<ClipboardItem> make(const ClipboardSnapshot& snapshot,
                                             const QString& blobDirectory, qint64 inlineByteLimit,
                                             int thumbnailMaxSide,
                                             const QDateTime& date = QDateTime::currentDateTime(),
                                             const QString& blobFileName = QString(),
                                             const QUuid& id = QUuid());

    // Hash of size, first 2048 and last 2048 bytes; seeded once per process.
    static qint64 fingerprint(const QByteArray& bytes);

    // What describes the record, for keeping it beside its content: the texts, the thumbnail and
    // unkeyed digests of what the keys are made of, so that a later run makes the record again
    // without decoding its content. CBOR.
    QByteArray summary() const;
    // The record a summary describes, its content inline or read from `kept`; nothing for a
    // summary that is not one of ours (read as untrusted input).
    static std::optional<ClipboardItem> fromSummary(const QUuid& id, const QDateTime& date,
                                                    const QByteArray& summary,
                                                    std::optional<ClipboardSnapshot> inlineData,
                                                    std::shared_ptr<const KeptContent> kept);

    const QUuid& id() const { return m_id; }
    const QDateTime& date() const { return m_date; }
    // The start of the description, at most storedPreviewClusters clusters and
    // storedPreviewUnits UTF-16 units; isPreviewTruncated() tells when more followed.
    const QString& previewText() const { return m_previewText; }
    bool isPreviewTruncated() const { return m_isPreviewTruncated; }
    // Equal for copies that describe the same: a hash of the whole text, or of all the bytes
    // when the copy only has a placeholder to show. Empty when nothing describes it.
    const QByteArray& contentKey() const { return m_contentKey; }
    // What a search compares: the whole text (up to searchedUnits), or the copied files' names,
    // in SearchText's form. Empty for pictures and placeholders, whose label is searched.
    const QString& searchText() const { return m_searchText; }
    const std::optional<QByteArray>& thumbnailData() const { return m_thumbnailData; }
    const QList<QUrl>& fileURLs() const { return m_fileURLs; }
    const std::optional<qint64>& imageFingerprint() const { return m_imageFingerprint; }
    const std::optional<ClipboardSnapshot>& inlineData() const { return m_inlineData; }
    const std::optional<QString>& blobPath() const { return m_blobPath; }
    bool isReadFromKept() const { return m_kept != nullptr; }

    // The stored content: inline, or read back from the blob or where it is kept; empty when
    // none can be had.
    ClipboardSnapshot resolvedClipboardData() const;
    // The same record with its content read from where it is kept from now on.
    ClipboardItem keptIn(std::shared_ptr<const KeptContent> kept) const;
    // The same record with its content in the blob file at `path` from now on.
    ClipboardItem inBlob(const QString& path) const;
    // Removes the blob file, if any; a missing file is fine.
    void deleteBlob() const;

    // The same record, copied again at `date`.
    ClipboardItem redated(const QDateTime& date) const {
        ClipboardItem copy = *this;
        copy.m_date = date;
        return copy;
    }
    bool operator==(const ClipboardItem& other) const { return m_id == other.m_id; }

    // The content key of a description text.
    static QByteArray textKey(QStringView text);

  private:
    ClipboardItem() = default;
    // Keys and fingerprints made from the unkeyed digests with this run's secret.
    void deriveKeys();

    QUuid m_id;
    QDateTime m_date;
    QString m_previewText;
    bool m_isPreviewTruncated = false;
    QByteArray m_contentDigest;
    QByteArray m_contentKey;
    QString m_searchText;
    std::optional<QByteArray> m_thumbnailData;
    QList<QUrl> m_fileURLs;
    std::optional<QByteArray> m_imageDigest;
    std::optional<qint64> m_imageFingerprint;
    std::optional<ClipboardSnapshot> m_inlineData;
    std::optional<QString> m_blobPath;
    std::shared_ptr<const KeptContent> m_kept;
};
