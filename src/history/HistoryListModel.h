// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractListModel>
#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QList>
#include <QSet>
#include <QString>
#include <QUuid>

#include <memory>
#include <optional>

#include "core/Scheduler.h"
#include "history/ClipboardItem.h"

class ClipboardHistory;
class FileThumbnailer;

// The history as rows for list views, newest first. Follows the history with row-level
// signals only, so a copy costs the same whatever the number of rows and whether a view was
// ever shown. Row texts are made when a view first asks and kept per record; pictures are decoded
// on every request and never kept here: the delegates keep them at the size they draw. A copied
// file's picture is asked of the thumbnailer, at the screen's scale, when its row arrives.
class HistoryListModel : public QAbstractListModel {
    Q_OBJECT
  public:
    enum Role {
        PreviewTextRole = Qt::DisplayRole,  // the row's text, cut for display
        PictureRole = Qt::DecorationRole,   // QImage; absent when there are no bytes that decode
        DateRole = Qt::UserRole + 1,        // QDateTime of the copy
        RecordIdRole,                       // QUuid
        KindRole,                           // Kind, as int
        // What a row shows: the text with control characters taken out and no blank lines
        // at either end, the names of copied files, or a label such as "[Image]" in the
        // interface language of the moment. Qt::AccessibleTextRole says the same.
        RowTextRole,
        // bool: a restore found the record's content gone; RowTextRole then says so.
        UnavailableRole,
        PinnedRole,  // bool
        // bool: whether the row has a picture, told from the image header alone (no pixels are
        // decoded), for laying out rows that are never drawn.
        HasPictureRole,
        // QString: the record's ClipboardItem::searchText(); empty where the row's label is
        // what a search looks at.
        SearchKeyRole,
    };
    Q_ENUM(Role)

    // What a copy holds, for views that label or style rows by it.
    enum class Kind { Text, Image, Files, Other };
    Q_ENUM(Kind)

    static constexpr int previewCharacterLimit = 200;
    static constexpr int fileThumbnailSide = 128;  // points

    HistoryListModel(ClipboardHistory& history, Scheduler& scheduler, FileThumbnailer& thumbnailer,
                     QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

    static Kind kindOf(const ClipboardItem& item);
    // RowTextRole before the language is applied: the text, or a label in English.
    struct RowText {
        QString text;
        bool isLabel = false;
    };
    // PreviewTextRole: previewCharacterLimit user-perceived characters, then "…".
    static QString previewText(const ClipboardItem& item);
    // previewText: the item's text as previewText() cuts it.
    static RowText rowTextOf(const ClipboardItem& item, const QString& previewText);

  private:
    struct RowCache {
        std::optional<QString> text;
        std::optional<bool> hasPicture;
        std::optional<Kind> kind;
        std::optional<RowText> rowText;
    };

    void followItems();
    void markUnavailable(const QUuid& id);
    void requestFileThumbnail(const ClipboardItem& item);
    void showFileThumbnail(const QUuid& id, QByteArray png);
    // Steps of followItems(), each keeping m_items consistent with what has been signalled.
    void removeRowsLeaving(const QList<ClipboardItem>& target);
    // Whether the remaining rows appear in target in the same order.
    bool keepsOrderOf(const QList<ClipboardItem>& target) const;
    // Moves the rows kept into the target's order (pinning and unpinning move one).
    void moveRowsKept(const QList<ClipboardItem>& target);
    void insertRowsArriving(const QList<ClipboardItem>& target);
    void followPins();
    RowCache& cacheFor(const ClipboardItem& item) const;
    std::optional<QByteArray> pictureBytes(const ClipboardItem& item) const;
    bool hasPicture(const ClipboardItem& item) const;

    ClipboardHistory& m_history;
    Scheduler& m_scheduler;
    FileThumbnailer& m_thumbnailer;
    // The rows as the views have been told of them; equal to the history's between changes.
    // Kept apart from the history's list, so that a change edits a few rows in place instead
    // of copying every record.
    QList<ClipboardItem> m_items;
    // Pictures of copied files, per row present.
    QHash<QUuid, QByteArray> m_fileThumbnails;
    // The pinned rows as the views have been told of them.
    QSet<QUuid> m_pinned;
    // Filled by data() on first request, per record, so rows never asked for cost nothing.
    mutable QHash<QUuid, RowCache> m_cache;
    // Weak handle for thumbnail answers that may outlive this object.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};
