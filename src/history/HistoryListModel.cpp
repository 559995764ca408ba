// SPDX-License-Identifier: MIT
#include "history/HistoryListModel.h"

#include <QBuffer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QScreen>
#include <QSet>

#include <algorithm>
#include <utility>

#include "core/GraphemeCut.h"
#include "history/ClipboardContent.h"
#include "history/ClipboardHistory.h"
#include "platform/FileThumbnailer.h"

namespace {
constexpr QChar ellipsis(0x2026);
constexpr qsizetype maxFileNames = 50;
constexpr qreal defaultBackingScale = 2.0;

qreal primaryScreenScale() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            return screen->devicePixelRatio();
        }
    }
    return defaultBackingScale;
}

bool isLineBreak(QChar c) {
    switch (c.unicode()) {
        case u'\n':
        case u'\r':
        case 0x0B:
        case 0x0C:
        case 0x85:
        case 0x2028:
        case 0x2029:
            return true;
        default:
            return false;
    }
}

// Line breaks as '\n' (or as a space where one line is wanted), tabs as spaces; other control
// characters, which fonts draw as boxes or not at all, are left out.
QString withoutControls(QStringView text, bool oneLine) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (isLineBreak(c)) {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
                ++i;
            }
            out += oneLine ? u' ' : u'\n';
        } else if (c == u'\t') {
            out += u' ';
        } else if (c.category() != QChar::Other_Control) {
            out += c;
        }
    }
    return out;
}

bool isBlank(QStringView text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.isSpace(); });
}

// Blank lines at either end take room and say nothing.
QString withoutBlankEnds(const QString& text) {
    QStringList lines = text.split(u'\n');
    while (!lines.isEmpty() && isBlank(lines.constLast())) {
        lines.removeLast();
    }
    qsizetype first = 0;
    while (first < lines.size() && isBlank(lines.at(first))) {
        ++first;
    }
    return lines.mid(first).join(u'\n');
}

QString fileNames(const QList<QUrl>& urls) {
    QStringList names;
    for (const QUrl& url : urls) {
        if (names.size() == maxFileNames) {
            names << QString(ellipsis);
            break;
        }
        QString path = url.path();
        while (path.endsWith(u'/')) {
            path.chop(1);
        }
        const QString name = withoutControls(path.section(u'/', -1), true);
        if (!isBlank(name)) {
            names << name;
        }
    }
    return names.join(QStringLiteral(", "));
}
}  // namespace

HistoryListModel::HistoryListModel(ClipboardHistory& history, Scheduler& scheduler,
                                   FileThumbnailer& thumbnailer, QObject* parent)
    : QAbstractListModel(parent),
      m_history(history),
      m_scheduler(scheduler),
      m_thumbnailer(thumbnailer),
      m_items(history.items()) {
    connect(&m_history, &ClipboardHistory::itemsChanged, this, &HistoryListModel::followItems);
    connect(&m_history, &ClipboardHistory::recordUnavailable, this,
            &HistoryListModel::markUnavailable);
    followPins();
    for (const ClipboardItem& item : std::as_const(m_items)) {
        requestFileThumbnail(item);
    }
}

void HistoryListModel::markUnavailable(const QUuid& id) {
    for (qsizetype row = 0; row < m_items.size(); ++row) {
        if (m_items.at(row).id() == id) {
            const QModelIndex changed = index(int(row));
            Q_EMIT dataChanged(changed, changed, {RowTextRole, UnavailableRole});
            return;
        }
    }
}

int HistoryListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_items.size());
}

QVariant HistoryListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.parent().isValid() || index.column() != 0 || index.row() < 0 ||
        index.row() >= m_items.size()) {
        return {};
    }
    const ClipboardItem& item = m_items.at(index.row());
    switch (role) {
        case PreviewTextRole: {
            RowCache& cache = cacheFor(item);
            if (!cache.text) {
                cache.text = previewText(item);
            }
            return *cache.text;
        }
        case PictureRole: {
            const std::optional<QByteArray> bytes = pictureBytes(item);
            const QImage picture = bytes ? QImage::fromData(*bytes, "PNG") : QImage();
            return picture.isNull() ? QVariant() : QVariant(picture);
        }
        case HasPictureRole: {
            RowCache& cache = cacheFor(item);
            if (!cache.hasPicture) {
                cache.hasPicture = hasPicture(item);
            }
            return *cache.hasPicture;
        }
        case DateRole:
            return item.date();
        case PinnedRole:
            return m_pinned.contains(item.id());
        case RecordIdRole:
            return item.id();
        case SearchKeyRole:
            return item.searchText();
        case UnavailableRole:
            return m_history.isUnavailable(item.id());
        case Qt::AccessibleTextRole:  // what a screen reader says of the row: what it shows
        case RowTextRole: {
            if (m_history.isUnavailable(item.id())) {
                return tr("No longer available: remove it with ×");
            }
            RowCache& cache = cacheFor(item);
            if (!cache.rowText) {
                if (!cache.text) {
                    cache.text = previewText(item);
                }
                cache.rowText = rowTextOf(item, *cache.text);
            }
            // Labels are looked up on every call, so that they follow the language.
            return cache.rowText->isLabel ? tr(cache.rowText->text.toUtf8().constData())
                                          : cache.rowText->text;
        }
        case KindRole: {
            RowCache& cache = cacheFor(item);
            if (!cache.kind) {
                cache.kind = kindOf(item);
            }
            return int(*cache.kind);
        }
        default:
            return {};
    }
}

QHash<int, QByteArray> HistoryListModel::roleNames() const {
    return {
        {PreviewTextRole, "previewText"}, {PictureRole, "picture"}, {DateRole, "date"},
        {RecordIdRole, "recordId"},       {KindRole, "kind"},       {RowTextRole, "rowText"},
        {UnavailableRole, "unavailable"}, {PinnedRole, "pinned"},   {HasPictureRole, "hasPicture"},
        {SearchKeyRole, "searchKey"}};
}

QString HistoryListModel::previewText(const ClipboardItem& item) {
    const QString& text = item.previewText();
    if (const std::optional<qsizetype> cut = graphemeCut(text, previewCharacterLimit)) {
        return text.left(*cut) + ellipsis;
    }
    return item.isPreviewTruncated() ? text + ellipsis : text;
}

HistoryListModel::RowText HistoryListModel::rowTextOf(const ClipboardItem& item,
                                                      const QString& previewText) {
    const Kind kind = kindOf(item);
    if (kind == Kind::Files) {
        const QString names = fileNames(item.fileURLs());
        return names.isEmpty() ? RowText{QStringLiteral(QT_TR_NOOP("[Files]")), true}
                               : RowText{names, false};
    }
    if (kind != Kind::Text && (previewText == ClipboardContent::imagePlaceholder ||
                               previewText == ClipboardContent::contentPlaceholder)) {
        return {previewText, true};
    }
    return {withoutBlankEnds(withoutControls(previewText, false)), false};
}

HistoryListModel::Kind HistoryListModel::kindOf(const ClipboardItem& item) {
    if (!item.fileURLs().isEmpty()) {
        return Kind::Files;
    }
    if (item.imageFingerprint()) {
        return Kind::Image;
    }
    // A placeholder such as "[Content]" is keyed by the bytes, a text by itself; a long text
    // keeps only its start, and no placeholder is ever cut.
    if (item.isPreviewTruncated() ||
        (!item.previewText().isEmpty() &&
         item.contentKey() == ClipboardItem::textKey(item.previewText()))) {
        return Kind::Text;
    }
    return Kind::Other;
}

void HistoryListModel::followItems() {
    const QList<ClipboardItem>& target = m_history.items();
    removeRowsLeaving(target);
    if (!keepsOrderOf(target)) {
        moveRowsKept(target);
    }
    insertRowsArriving(target);
    Q_ASSERT(m_items == target);
    followPins();
}

void HistoryListModel::followPins() {
    QSet<QUuid> pinned;
    for (qsizetype row = 0; row < m_history.pinnedCount(); ++row) {
        pinned.insert(m_items.at(row).id());
    }
    const QSet<QUuid> changed = (pinned - m_pinned) | (m_pinned - pinned);
    m_pinned = std::move(pinned);
    for (qsizetype row = 0; row < m_items.size() && !changed.isEmpty(); ++row) {
        if (changed.contains(m_items.at(row).id())) {
            const QModelIndex at = index(int(row));
            Q_EMIT dataChanged(at, at, {PinnedRole});
        }
    }
}

void HistoryListModel::moveRowsKept(const QList<ClipboardItem>& target) {
    // Where each row shown goes among the rows shown, in the target's order.
    QHash<QUuid, qsizetype> place;
    for (const ClipboardItem& item : std::as_const(m_items)) {
        place.insert(item.id(), -1);
    }
    qsizetype next = 0;
    for (const ClipboardItem& item : target) {
        if (const auto it = place.find(item.id()); it != place.end()) {
            *it = next++;
        }
    }
    // Each move undoes at least one inversion, so this ends; one pin or unpin is one move.
    for (qsizetype row = 0; row < m_items.size();) {
        const qsizetype wanted = place.value(m_items.at(row).id());
        if (wanted == row) {
            ++row;
            continue;
        }
        // Down past the rows after it that come before it (unpinned), else the row that
        // belongs here comes up (pinned).
        qsizetype to = row;
        while (to + 1 < m_items.size() && place.value(m_items.at(to + 1).id()) < wanted) {
            ++to;
        }
        if (to > row) {
            beginMoveRows(QModelIndex(), int(row), int(row), QModelIndex(), int(to + 1));
            m_items.move(row, to);
        } else {
            qsizetype from = row + 1;
            while (place.value(m_items.at(from).id()) != row) {
                ++from;
            }
            beginMoveRows(QModelIndex(), int(from), int(from), QModelIndex(), int(row));
            m_items.move(from, row);
        }
        endMoveRows();
    }
}

void HistoryListModel::removeRowsLeaving(const QList<ClipboardItem>& target) {
    if (target.isEmpty()) {
        if (!m_items.isEmpty()) {
            beginRemoveRows(QModelIndex(), 0, int(m_items.size() - 1));
            m_items.clear();
            m_cache.clear();
            m_fileThumbnails.clear();
            endRemoveRows();
        }
        return;
    }
    QSet<QUuid> kept;
    kept.reserve(target.size());
    for (const ClipboardItem& item : target) {
        kept.insert(item.id());
    }
    // From the end, so that each run's rows are still where the views were told they are.
    for (qsizetype last = m_items.size() - 1; last >= 0; --last) {
        if (kept.contains(m_items.at(last).id())) {
            continue;
        }
        qsizetype first = last;
        while (first > 0 && !kept.contains(m_items.at(first - 1).id())) {
            --first;
        }
        beginRemoveRows(QModelIndex(), int(first), int(last));
        for (qsizetype row = first; row <= last; ++row) {
            m_cache.remove(m_items.at(row).id());
            m_fileThumbnails.remove(m_items.at(row).id());
        }
        m_items.remove(first, last - first + 1);
        endRemoveRows();
        last = first;
    }
}

bool HistoryListModel::keepsOrderOf(const QList<ClipboardItem>& target) const {
    qsizetype next = 0;
    for (const ClipboardItem& item : m_items) {
        while (next < target.size() && target.at(next).id() != item.id()) {
            ++next;
        }
        if (next == target.size()) {
            return false;
        }
        ++next;
    }
    return true;
}

void HistoryListModel::insertRowsArriving(const QList<ClipboardItem>& target) {
    qsizetype row = 0;
    qsizetype index = 0;
    while (index < target.size()) {
        if (row < m_items.size() && m_items.at(row).id() == target.at(index).id()) {
            ++row;
            ++index;
            continue;
        }
        // A run of new records ends at the next row already shown, or at the end.
        qsizetype end = index;
        while (end < target.size() &&
               (row >= m_items.size() || m_items.at(row).id() != target.at(end).id())) {
            ++end;
        }
        beginInsertRows(QModelIndex(), int(row), int(row + end - index - 1));
        for (qsizetype i = index; i < end; ++i) {
            m_items.insert(row + (i - index), target.at(i));
        }
        endInsertRows();
        for (qsizetype i = index; i < end; ++i) {
            requestFileThumbnail(target.at(i));
        }
        row += end - index;
        index = end;
    }
}

void HistoryListModel::requestFileThumbnail(const ClipboardItem& item) {
    if (item.thumbnailData() || item.fileURLs().isEmpty()) {
        return;  // the record's own picture wins over a file thumbnail
    }
    const QString path = item.fileURLs().first().toLocalFile();
    if (path.isEmpty() || !QFileInfo::exists(path)) {
        return;
    }
    const std::weak_ptr<bool> alive = m_alive;
    Scheduler& scheduler = m_scheduler;
    const QUuid id = item.id();
    m_thumbnailer.request(path, QSize(fileThumbnailSide, fileThumbnailSide), primaryScreenScale(),
                          [this, alive, &scheduler, id](std::optional<QByteArray> png) {
                              if (!png || png->isEmpty()) {
                                  return;
                              }
                              scheduler.post([this, alive, id, png = std::move(*png)] {
                                  if (alive.lock()) {
                                      showFileThumbnail(id, png);
                                  }
                              });
                          });
}

void HistoryListModel::showFileThumbnail(const QUuid& id, QByteArray png) {
    // The row may have left while the thumbnail was being made.
    for (qsizetype row = 0; row < m_items.size(); ++row) {
        if (m_items.at(row).id() != id) {
            continue;
        }
        m_fileThumbnails.insert(id, std::move(png));
        if (const auto cached = m_cache.find(id); cached != m_cache.end()) {
            cached->hasPicture.reset();
        }
        const QModelIndex changed = index(int(row));
        Q_EMIT dataChanged(changed, changed, {PictureRole});
        return;
    }
}

HistoryListModel::RowCache& HistoryListModel::cacheFor(const ClipboardItem& item) const {
    return m_cache[item.id()];
}

std::optional<QByteArray> HistoryListModel::pictureBytes(const ClipboardItem& item) const {
    if (item.thumbnailData()) {
        return item.thumbnailData();
    }
    if (const auto it = m_fileThumbnails.constFind(item.id()); it != m_fileThumbnails.cend()) {
        return *it;
    }
    return std::nullopt;
}

bool HistoryListModel::hasPicture(const ClipboardItem& item) const {
    const std::optional<QByteArray> bytes = pictureBytes(item);
    if (!bytes) {
        return false;
    }
    // Our own encoder made these bytes (the record's or the thumbnailer's picture): a readable
    // PNG header is a picture that decodes.
    QBuffer buffer;
    buffer.setData(*bytes);
    if (!buffer.open(QIODevice::ReadOnly)) {
        return false;
    }
    QImageReader reader(&buffer, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.canRead() && !reader.size().isEmpty();
}
