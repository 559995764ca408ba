// SPDX-License-Identifier: MIT
#include "ui/popup/PastePopupItemDelegate.h"

#include <QAbstractItemView>
#include <QIcon>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTextLayout>

#include "history/HistoryListModel.h"
#include "popup/PopupSession.h"
#include "ui/common/MatchHighlight.h"
#include "ui/common/OwnSymbols.h"

// At global scope: the resource initialiser is declared where the macro is used. A static
// library's resources are only linked in when referenced.
static void initIconResources() {
    Q_INIT_RESOURCE(icons);
}

namespace {
// A monochrome symbol from the icon theme, or our own drawing, painted in one colour.
QPixmap tintedSymbol(const QString& themeName, const QString& fallback, const QColor& colour,
                     int side, qreal dpr) {
    QIcon icon = QIcon::fromTheme(themeName);
    if (icon.isNull()) {
        icon = QIcon(fallback);
    }
    QPixmap pixmap = icon.pixmap(QSize(side, side), dpr);
    if (pixmap.isNull()) {
        return pixmap;
    }
    QPainter painter(&pixmap);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(pixmap.rect(), colour);
    return pixmap;
}

QColor withAlpha(QColor colour, float alpha) {
    colour.setAlphaF(alpha);
    return colour;
}

// Wraps the text into at most maxLines lines of this width, breaking inside a word that is
// wider than a line. When text is left over, the last line takes all of it, elided, so the
// row never hides that it was cut.
QStringList wrapLines(const QString& text, const QFont& font, int width, int maxLines) {
    QStringList lines;
    if (width <= 0 || text.isEmpty()) {
        return lines;
    }
    const QFontMetrics metrics(font);
    const QStringList paragraphs = text.split(u'\n');
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    for (qsizetype p = 0; p < paragraphs.size() && lines.size() < maxLines; ++p) {
        const QString& paragraph = paragraphs[p];
        if (lines.size() == maxLines - 1) {
            QString rest = paragraph;
            if (p + 1 < paragraphs.size()) {
                rest += u' ' + paragraphs.mid(p + 1).join(u' ');
            }
            lines.append(metrics.elidedText(rest, Qt::ElideRight, width));
            break;
        }
        if (paragraph.isEmpty()) {
            lines.append(QString());  // a blank line inside the text
            continue;
        }
        QTextLayout layout(paragraph, font);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            if (lines.size() == maxLines - 1) {
                QString rest = paragraph.mid(line.textStart());
                if (p + 1 < paragraphs.size()) {
                    rest += u' ' + paragraphs.mid(p + 1).join(u' ');
                }
                lines.append(metrics.elidedText(rest, Qt::ElideRight, width));
                break;
            }
            lines.append(paragraph.mid(line.textStart(), line.textLength()).trimmed());
        }
        layout.endLayout();
    }
    return lines;
}

QPixmap fittedThumbnail(const QImage& image, qreal dpr) {
    if (image.isNull()) {
        return {};
    }
    const int side = int(PastePopupItemDelegate::thumbnailSide * dpr);
    QImage fitted = image.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    fitted.setDevicePixelRatio(dpr);
    return QPixmap::fromImage(fitted);
}
}  // namespace

PastePopupItemDelegate::PastePopupItemDelegate(QObject* parent) : QStyledItemDelegate(parent) {
    static const bool resourcesReady = (initIconResources(), true);
    Q_UNUSED(resourcesReady);
}

void PastePopupItemDelegate::setRowWidth(int width) {
    if (width > 0 && width != m_rowWidth) {
        m_rowWidth = width;
        m_cache.clear();
    }
}

void PastePopupItemDelegate::clearCache() {
    m_cache.clear();
}

void PastePopupItemDelegate::forgetRow(const QModelIndex& index) {
    m_cache.remove(index.data(HistoryListModel::RecordIdRole).toUuid());
}

PastePopupItemDelegate::RowLayout PastePopupItemDelegate::rowLayout(const QModelIndex& index,
                                                                    const QFont& font) const {
    RowLayout row;
    const bool hasThumbnail = index.data(HistoryListModel::HasPictureRole).toBool();
    int x = leadingInset;
    const int top = verticalInset;
    if (hasThumbnail) {
        row.thumbnail = QRect(x, top, thumbnailSide, thumbnailSide);
        x += thumbnailSide + spacing;
    }
    // The checkmark's place is kept on every row, so that moving the selection never wraps a
    // text differently and every row keeps its height.
    int right = m_rowWidth - trailingInset;
    row.remove = QRect(right - symbolSide, top, symbolSide, symbolSide);
    right = row.remove.left() - spacing;
    row.checkmark = QRect(right - symbolSide, top, symbolSide, symbolSide);
    right = row.checkmark.left() - spacing;
    row.pin = QRect(right - symbolSide, top, symbolSide, symbolSide);
    right = row.pin.left() - spacing;

    const int textWidth = std::max(0, right - x);
    row.lines =
        wrapLines(index.data(HistoryListModel::RowTextRole).toString(), font, textWidth, maxLines);
    row.lineHeight = QFontMetrics(font).lineSpacing();
    const int textHeight = int(std::max<qsizetype>(row.lines.size(), 1)) * row.lineHeight;
    // Parts shorter than the tallest one-line part are centred on it: a one-line text in the
    // middle of its thumbnail, the symbols in the middle of the first line or the thumbnail.
    const int band = std::max({hasThumbnail ? thumbnailSide : 0, symbolSide, row.lineHeight});
    const int contentHeight = std::max(textHeight, band);
    const auto centred = [top, band](int height) { return top + std::max(0, band - height) / 2; };
    row.thumbnail.moveTop(centred(row.thumbnail.height()));
    row.remove.moveTop(centred(symbolSide));
    row.checkmark.moveTop(centred(symbolSide));
    row.pin.moveTop(centred(symbolSide));
    row.textBlock = QRect(x, centred(textHeight), textWidth, textHeight);
    row.text = QRect(x, top, textWidth, contentHeight);
    row.height = contentHeight + 2 * verticalInset;
    return row;
}

PastePopupItemDelegate::Cached& PastePopupItemDelegate::cachedRow(const QModelIndex& index,
                                                                  const QFont& font) const {
    const QUuid id = index.data(HistoryListModel::RecordIdRole).toUuid();
    if (const auto it = m_cache.find(id); it != m_cache.end()) {
        return *it;
    }
    // Rows that left the history leave their entries behind; drop them all now and then.
    if (m_cache.size() > 2 * qsizetype(index.model()->rowCount()) + 64) {
        m_cache.clear();
    }
    return *m_cache.insert(id, Cached{rowLayout(index, font), std::nullopt});
}

QSize PastePopupItemDelegate::sizeHint(const QStyleOptionViewItem& option,
                                       const QModelIndex& index) const {
    return {m_rowWidth, cachedRow(index, option.font).layout.height};
}

void PastePopupItemDelegate::updateSymbols(const QPalette& palette, qreal dpr) const {
    const QColor accent = palette.color(QPalette::Highlight);
    if (!m_checkmark.isNull() && m_symbolsAccent == accent.rgba() && m_symbolsDpr == dpr) {
        return;
    }
    m_symbolsAccent = accent.rgba();
    m_symbolsDpr = dpr;
    m_checkmark =
        tintedSymbol(QStringLiteral("object-select-symbolic"),
                     QStringLiteral(":/icons/checkmark-circle.svg"), accent, symbolSide, dpr);
    m_remove = tintedSymbol(QStringLiteral("window-close-symbolic"),
                            QStringLiteral(":/icons/xmark-circle.svg"),
                            withAlpha(palette.color(QPalette::WindowText), 0.6f), symbolSide, dpr);
    // Our own pin: a theme's may mean something else.
    m_pin = ownSymbol(QStringLiteral("pin"), accent, symbolSide, dpr);
    // Quiet on rows that are not pinned: there to be found, not to be read.
    m_unpinned = ownSymbol(QStringLiteral("pin"),
                           withAlpha(palette.color(QPalette::WindowText), 0.25f), symbolSide, dpr);
}

void PastePopupItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const {
    const qreal dpr = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    Cached& row = cachedRow(index, option.font);
    if (!row.thumbnail && !row.layout.thumbnail.isEmpty()) {
        row.thumbnail =
            fittedThumbnail(index.data(HistoryListModel::PictureRole).value<QImage>(), dpr);
    }
    const bool selected = index.row() == m_selectedRow;
    updateSymbols(option.palette, dpr);

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setRenderHint(QPainter::SmoothPixmapTransform);
    if (selected) {
        painter->fillRect(option.rect, withAlpha(option.palette.color(QPalette::Highlight), 0.2f));
    }
    const QPoint origin = option.rect.topLeft();
    if (row.thumbnail && !row.thumbnail->isNull()) {
        const QSizeF logical = row.thumbnail->deviceIndependentSize();
        const QRectF area = row.layout.thumbnail.translated(origin);
        const QRectF target(area.x() + (area.width() - logical.width()) / 2.0,
                            area.y() + (area.height() - logical.height()) / 2.0, logical.width(),
                            logical.height());
        QPainterPath clip;
        clip.addRoundedRect(target, thumbnailRadius, thumbnailRadius);
        painter->save();
        painter->setClipPath(clip, Qt::IntersectClip);
        painter->drawPixmap(target.topLeft(), *row.thumbnail);
        painter->restore();
    }
    const QRect block = row.layout.textBlock.translated(origin);
    const QFontMetrics metrics(option.font);
    if (index.row() < PopupSession::numberedRows) {
        // Alt and this number paste the row: said quietly in the inset before it.
        QFont small = option.font;
        small.setPointSizeF(small.pointSizeF() * 0.75);
        painter->setFont(small);
        painter->setPen(withAlpha(option.palette.color(QPalette::WindowText), 0.4f));
        painter->drawText(QRect(origin.x(), block.y(), leadingInset, row.layout.lineHeight),
                          Qt::AlignCenter, QString::number(index.row() + 1));
    }
    painter->setFont(option.font);
    painter->setPen(option.palette.color(QPalette::WindowText));
    for (qsizetype i = 0; i < row.layout.lines.size(); ++i) {
        const QPoint baseline(block.x(),
                              block.y() + int(i) * row.layout.lineHeight + metrics.ascent());
        // Drawn from its start as QPainter::drawText would, whatever the line's direction.
        MarkedLine(row.layout.lines[i], option.font, painter->layoutDirection(), block.width(),
                   Qt::AlignLeft | Qt::AlignAbsolute)
            .paint(*painter, baseline, m_highlightWords, option.palette.color(QPalette::Highlight));
    }
    if (selected) {
        painter->drawPixmap(row.layout.checkmark.translated(origin).topLeft(), m_checkmark);
    }
    painter->drawPixmap(row.layout.pin.translated(origin).topLeft(),
                        index.data(HistoryListModel::PinnedRole).toBool() ? m_pin : m_unpinned);
    painter->drawPixmap(row.layout.remove.translated(origin).topLeft(), m_remove);
    painter->restore();
}

bool PastePopupItemDelegate::editorEvent(QEvent* event, QAbstractItemModel*,
                                         const QStyleOptionViewItem& option,
                                         const QModelIndex& index) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
        type != QEvent::MouseButtonDblClick) {
        return false;
    }
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton) {
        return true;
    }
    const RowLayout& row = cachedRow(index, option.font).layout;
    const QPoint at = mouse->position().toPoint() - option.rect.topLeft();
    const int rowNumber = index.row();
    const bool onPin = row.pin.contains(at);
    if (onPin || row.remove.contains(at)) {
        // A button: it acts on release over the button and row where it was pressed.
        if (type == QEvent::MouseButtonRelease) {
            const bool pressedHere = m_pressedButtonRow == index && m_pressedPin == onPin;
            m_pressedButtonRow = QPersistentModelIndex();
            if (pressedHere) {
                Q_EMIT(onPin ? pinClicked(rowNumber) : removeClicked(rowNumber));
            }
        } else {
            m_pressedButtonRow = index;
            m_pressedPin = onPin;
        }
        return true;
    }
    if (type == QEvent::MouseButtonRelease) {
        m_pressedButtonRow = QPersistentModelIndex();
    } else if (row.text.contains(at)) {
        Q_EMIT(type == QEvent::MouseButtonPress
                   ? rowClicked(rowNumber)
                   : rowDoubleClicked(rowNumber, mouse->modifiers() & Qt::ShiftModifier));
    }
    // The rest of the row ignores the mouse: the list must not select or edit on its own.
    return true;
}
