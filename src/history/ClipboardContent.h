// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QUrl>

#include <optional>

#include "platform/Clipboard.h"

// Pure extraction from clipboard content. Any thread.
namespace ClipboardContent {
// Plain-text targets only (UTF-8 ones, then STRING as Latin-1); the first that decodes and is
// not blank wins, returned untrimmed.
std::optional<QString> stringFromItem(const StoredItem& item);
// Plain text, then RTF, then HTML (tags stripped, five entities, trimmed).
std::optional<QString> anyTextFromItem(const StoredItem& item);
// The text under every plain-text target: the UTF-8 ones, and STRING when Latin-1 holds it.
StoredItem plainTextItem(const QString& text);
// The item as restored: a rich text (RTF, HTML) without plain text of its own, and no picture,
// is offered as plain text too, so that plain-text editors can paste it.
StoredItem withPlainText(StoredItem item);
// The one content a clipboard offers for a copy recorded as several items (the stored form
// allows it): every type of each, the first item's bytes winning.
StoredItem mergedItems(const ClipboardSnapshot& snapshot);
// These files, in order, as file managers copy them, with their paths as plain text.
StoredItem fileListItem(const QList<QUrl>& urls);
// PNG bytes as stored, or TIFF converted to PNG.
std::optional<QByteArray> imageDataFromItem(const StoredItem& item);
// The file URLs of every item in order (text/uri-list, else x-special/gnome-copied-files).
QList<QUrl> fileURLsFromStored(const ClipboardSnapshot& snapshot);
// The preview text of a copy, from its first item. isPlaceholder, when given, tells whether the
// text is one of the placeholders below rather than something the copy holds.
QString previewTextFromStored(const ClipboardSnapshot& snapshot, bool* isPlaceholder = nullptr);
// PNG thumbnail of PNG bytes, longer side at most maxSide pixels, orientation applied; nothing
// for other formats or for images over ImageCodec::maxDecodedBytes.
std::optional<QByteArray> makeThumbnail(const std::optional<QByteArray>& bytes, int maxSide);

// Shown in the interface language by HistoryListModel.
inline const QString imagePlaceholder =
    QStringLiteral(QT_TRANSLATE_NOOP("HistoryListModel", "[Image]"));
inline const QString contentPlaceholder =
    QStringLiteral(QT_TRANSLATE_NOOP("HistoryListModel", "[Content]"));
}  // namespace ClipboardContent
