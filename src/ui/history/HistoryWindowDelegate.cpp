// SPDX-License-Identifier: MIT
#include "ui/history/HistoryWindowDelegate.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QIcon>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QTextLayout>
#include <QToolTip>

#include "core/RelativeDate.h"
#include "core/Scheduler.h"
#include "history/ClipboardContent.h"
#include "history/HistoryListModel.h"
#include "ui/common/MatchHighlight.h"
#include "ui/common/OwnSymbols.h"

namespace {

const QColor kDeleteRed(255, 59, 48);

QFont captionFont(QFont font) {
    font.setPointSizeF(font.pointSizeF() * 0.85);
    return font;
}

// The text block (lines, gap, age) is centred in the text area.
int textTop(const QRect& area, int lines, const QFont& font) {
    const int blockHeight = lines * QFontMetrics(font).lineSpacing() +
                            HistoryWindowDelegate::lineSpacing +
                            QFontMetrics(captionFont(font)).lineSpacing();
    return area.top() + std::max(0, (area.height() - blockHeight) / 2);
}

QColor withAlpha(QColor colour, float alpha) {
    colour.setAlphaF(alpha);
    return colour;
}

// Two overlapping sheets, for desktops whose icon theme has no copy symbol.
}  // namespace

HistoryWindowDelegate::HistoryWindowDelegate(Scheduler& scheduler, QString languageCode,
                                             QObject* parent)
    : QStyledItemDelegate(parent),
      m_scheduler(scheduler),
      m_languageCode(std::move(languageCode)) {}

QString HistoryWindowDelegate::displayText(const QModelIndex& index) {
    // The row's text as every list shows it: all file names, no stray control characters or
    // blank end lines, labels in the interface language (a text reading "[Image]" stays text).
    return index.data(HistoryListModel::RowTextRole).toString();
}

QString HistoryWindowDelegate::dateText(const QModelIndex& index) const {
    return RelativeDate::format(index.data(HistoryListModel::DateRole).toDateTime(),
                                m_scheduler.now(), m_languageCode);
}

HistoryWindowDelegate::RowLayout HistoryWindowDelegate::layoutFor(const QRect& rect,
                                                                  const QModelIndex& index) const {
    RowLayout layout;
    const QRect inner =
        rect.adjusted(horizontalPadding, verticalPadding, -horizontalPadding, -verticalPadding);
    int left = inner.left();
    if (index.data(HistoryListModel::HasPictureRole).toBool()) {
        layout.picture =
            QRect(left, inner.center().y() - pictureSide / 2 + 1, pictureSide, pictureSide);
        left += pictureSide + spacing;
    }
    layout.deleteButton =
        QRect(inner.right() - deleteIconSide + 1, inner.center().y() - deleteIconSide / 2 + 1,
              deleteIconSide, deleteIconSide);
    layout.copyButton =
        QRect(layout.deleteButton.left() - spacing - copyButtonSide,
              inner.center().y() - copyButtonSide / 2 + 1, copyButtonSide, copyButtonSide);
    layout.pinButton = QRect(layout.copyButton.left() - spacing / 2 - copyButtonSide,
                             layout.copyButton.top(), copyButtonSide, copyButtonSide);
    const int textRight = layout.pinButton.left() - spacing;
    layout.text = QRect(left, inner.top(), std::max(1, textRight - left), inner.height());
    return layout;
}

QStringList HistoryWindowDelegate::textLines(const QModelIndex& index, const QFont& font,
                                             int width) const {
    QString text = displayText(index);
    text.replace(u'\n', QChar::LineSeparator);
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QStringList lines;
    const QFontMetrics metrics(font);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        if (lines.size() == maxTextLines - 1) {
            // The last line takes whatever is left, cut to fit.
            QString rest = text.mid(line.textStart());
            rest.replace(QChar::LineSeparator, u' ');
            lines.append(metrics.elidedText(rest, Qt::ElideRight, width));
            break;
        }
        QString part = text.mid(line.textStart(), line.textLength());
        part.remove(QChar::LineSeparator);
        lines.append(part.trimmed().isEmpty() ? part : part.trimmed());
    }
    layout.endLayout();
    if (lines.isEmpty()) {
        lines.append(QString());
    }
    return lines;
}

int HistoryWindowDelegate::rowWidth(const QStyleOptionViewItem& option) const {
    if (const auto* view = qobject_cast<const QAbstractItemView*>(option.widget)) {
        return view->viewport()->width();
    }
    return option.rect.width();
}

QSize HistoryWindowDelegate::sizeHint(const QStyleOptionViewItem& option,
                                      const QModelIndex& index) const {
    const int width = rowWidth(option);
    if (width != m_heightsWidth) {
        m_heights.clear();
        m_heightsWidth = width;
    }
    const QUuid id = index.data(HistoryListModel::RecordIdRole).toUuid();
    if (const auto cached = m_heights.constFind(id); cached != m_heights.cend()) {
        return {width, *cached};
    }
    const RowLayout layout = layoutFor(QRect(0, 0, width, 0), index);
    const qsizetype lines = textLines(index, option.font, layout.text.width()).size();
    const int textHeight = int(lines) * QFontMetrics(option.font).lineSpacing() + lineSpacing +
                           QFontMetrics(captionFont(option.font)).lineSpacing();
    int content = std::max(textHeight, copyButtonSide);
    if (!layout.picture.isEmpty()) {
        content = std::max(content, pictureSide);
    }
    const int height = content + 2 * verticalPadding;
    m_heights.insert(id, height);
    return {width, height};
}

void HistoryWindowDelegate::forgetRows(const QModelIndex& first, const QModelIndex& last) {
    for (int row = first.row(); row <= last.row(); ++row) {
        const QModelIndex index = first.sibling(row, 0);
        const QUuid id = index.data(HistoryListModel::RecordIdRole).toUuid();
        m_pictures.remove(id);
        if (m_heights.remove(id)) {
            Q_EMIT sizeHintChanged(index);
        }
    }
}

QPixmap HistoryWindowDelegate::pictureFor(const QModelIndex& index, qreal dpr) const {
    const QUuid id = index.data(HistoryListModel::RecordIdRole).toUuid();
    if (const auto cached = m_pictures.constFind(id);
        cached != m_pictures.cend() && qFuzzyCompare(cached->devicePixelRatio(), dpr)) {
        return *cached;
    }
    const QImage image = index.data(HistoryListModel::PictureRole).value<QImage>();
    if (image.isNull()) {
        return {};
    }
    const int side = int(pictureSide * dpr);
    QImage fitted = image.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    fitted.setDevicePixelRatio(dpr);
    QPixmap pixmap = QPixmap::fromImage(fitted);
    m_pictures.insert(id, pixmap);
    return pixmap;
}

QPixmap HistoryWindowDelegate::deleteGlyph(qreal dpr) const {
    if (m_deleteGlyph.isNull() || !qFuzzyCompare(m_deleteGlyph.devicePixelRatio(), dpr)) {
        // The cross is cut out of the circle, so tinting the shape keeps it visible.
        m_deleteGlyph = ownSymbol(QStringLiteral("xmark-circle"), withAlpha(kDeleteRed, 0.9f),
                                  deleteIconSide, dpr);
    }
    return m_deleteGlyph;
}

QPixmap HistoryWindowDelegate::pinGlyph(bool pinned, const QPalette& palette, qreal dpr) const {
    QPixmap& glyph = m_pinGlyphs[pinned ? 1 : 0];
    if (glyph.isNull() || !qFuzzyCompare(glyph.devicePixelRatio(), dpr)) {
        // Lit on pinned rows, quiet on the others.
        glyph = ownSymbol(QStringLiteral("pin"),
                          pinned ? palette.color(QPalette::Highlight)
                                 : withAlpha(palette.color(QPalette::Text), 0.3f),
                          deleteIconSide, dpr);
    }
    return glyph;
}

QIcon HistoryWindowDelegate::copyIcon() const {
    if (m_copyIcon.isNull()) {
        const QColor accent = QApplication::palette().color(QPalette::Highlight);
        for (const qreal dpr : {1.0, 2.0}) {
            m_copyIcon.addPixmap(ownSymbol(QStringLiteral("copy"), accent, 16, dpr));
        }
    }
    return m_copyIcon;
}

void HistoryWindowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    opt.text.clear();
    opt.icon = QIcon();
    opt.features &= ~QStyleOptionViewItem::HasDecoration;
    const QWidget* widget = option.widget;
    QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    style->drawPrimitive(QStyle::PE_PanelItemViewRow, &opt, painter, widget);
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

    const RowLayout layout = layoutFor(option.rect, index);
    const qreal dpr = painter->device()->devicePixelRatioF();
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);

    if (!layout.picture.isEmpty()) {
        const QPixmap picture = pictureFor(index, dpr);
        QRect target(QPoint(), picture.deviceIndependentSize().toSize());
        target.moveCenter(layout.picture.center());
        QPainterPath clip;
        clip.addRoundedRect(QRectF(layout.picture), pictureRadius, pictureRadius);
        painter->save();
        painter->setClipPath(clip);
        painter->drawPixmap(target, picture);
        painter->restore();
    }

    const bool selected = option.state & QStyle::State_Selected;
    const QColor textColour =
        option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    const QFontMetrics metrics(option.font);
    const QStringList lines = textLines(index, option.font, layout.text.width());
    const QFont caption = captionFont(option.font);
    int y = textTop(layout.text, int(lines.size()), option.font);
    painter->setFont(option.font);
    painter->setPen(textColour);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int top = y + int(i) * metrics.lineSpacing();
        const QPoint baseline(
            layout.text.left(),
            top + (metrics.lineSpacing() - metrics.height()) / 2 + metrics.ascent());
        MarkedLine(lines.at(i), option.font, painter->layoutDirection(), layout.text.width())
            .paint(
                *painter, baseline, m_highlightWords,
                // On the selected row the accent is the row's own colour.
                option.palette.color(selected ? QPalette::HighlightedText : QPalette::Highlight));
    }
    y += int(lines.size()) * metrics.lineSpacing();
    y += lineSpacing;
    painter->setFont(caption);
    painter->setPen(withAlpha(textColour, 0.4f));
    painter->drawText(
        QRect(layout.text.left(), y, layout.text.width(), QFontMetrics(caption).lineSpacing()),
        Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
        QFontMetrics(caption).elidedText(dateText(index), Qt::ElideRight, layout.text.width()));

    QStyleOptionButton button;
    button.initFrom(widget);
    button.rect = layout.copyButton;
    button.state = QStyle::State_Enabled | QStyle::State_Raised;
    button.icon = copyIcon();
    button.iconSize = QSize(14, 14);
    style->drawControl(QStyle::CE_PushButton, &button, painter, widget);

    const QPixmap pin =
        pinGlyph(index.data(HistoryListModel::PinnedRole).toBool(), option.palette, dpr);
    QRect pinTarget(QPoint(), pin.deviceIndependentSize().toSize());
    pinTarget.moveCenter(layout.pinButton.center());
    painter->drawPixmap(pinTarget, pin);
    painter->drawPixmap(layout.deleteButton, deleteGlyph(dpr));
    painter->restore();
}

HistoryWindowDelegate::Button HistoryWindowDelegate::buttonAt(const QRect& rect,
                                                              const QModelIndex& index,
                                                              const QPoint& pos) const {
    const RowLayout layout = layoutFor(rect, index);
    if (layout.copyButton.contains(pos)) {
        return Button::Copy;
    }
    if (layout.pinButton.contains(pos)) {
        return Button::Pin;
    }
    if (layout.deleteButton.contains(pos)) {
        return Button::Delete;
    }
    return Button::None;
}

bool HistoryWindowDelegate::editorEvent(QEvent* event, QAbstractItemModel*,
                                        const QStyleOptionViewItem& option,
                                        const QModelIndex& index) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
        type != QEvent::MouseButtonRelease) {
        return false;
    }
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton) {
        return false;
    }
    const Button button = buttonAt(option.rect, index, mouse->position().toPoint());
    if (type != QEvent::MouseButtonRelease) {
        m_pressedButton = button;
        m_pressedIndex = index;
        // A press on a button is the button's, and a double click never opens the text.
        return button != Button::None;
    }
    // A click is a press and a release on the same button of the same row; the row is
    // wherever that record is now.
    const bool pressedHere =
        m_pressedIndex.isValid() ? (m_pressedIndex == index && m_pressedButton == button) : true;
    m_pressedButton = Button::None;
    m_pressedIndex = QPersistentModelIndex();
    if (button == Button::None || !pressedHere) {
        return button != Button::None;
    }
    if (button == Button::Copy) {
        Q_EMIT copyRequested(index.row());
    } else if (button == Button::Pin) {
        Q_EMIT pinRequested(index.row());
    } else {
        Q_EMIT removeRequested(index.row());
    }
    return true;
}

bool HistoryWindowDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                      const QStyleOptionViewItem& option,
                                      const QModelIndex& index) {
    const Button button = event->type() == QEvent::ToolTip
                              ? buttonAt(option.rect, index, event->pos())
                              : Button::None;
    if (button == Button::Copy || button == Button::Pin) {
        const bool pinned = index.data(HistoryListModel::PinnedRole).toBool();
        const QString tip = button == Button::Copy ? tr("Copy") : pinned ? tr("Unpin") : tr("Pin");
        QToolTip::showText(event->globalPos(), tip, view);
        return true;
    }
    return QStyledItemDelegate::helpEvent(event, view, option, index);
}

QWidget* HistoryWindowDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                             const QModelIndex&) const {
    auto* viewer = new QPlainTextEdit(parent);
    viewer->setReadOnly(true);
    viewer->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    viewer->setFrameShape(QFrame::NoFrame);
    viewer->setFont(option.font);
    viewer->document()->setDocumentMargin(0);
    viewer->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return viewer;
}

void HistoryWindowDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (auto* viewer = qobject_cast<QPlainTextEdit*>(editor)) {
        if (viewer->toPlainText().isEmpty()) {
            viewer->setPlainText(displayText(index));
        }
    }
}

void HistoryWindowDelegate::updateEditorGeometry(QWidget* editor,
                                                 const QStyleOptionViewItem& option,
                                                 const QModelIndex& index) const {
    const RowLayout layout = layoutFor(option.rect, index);
    // Over the lines as painted, leaving the age below them visible.
    const int lines = int(textLines(index, option.font, layout.text.width()).size());
    const int top = textTop(layout.text, lines, option.font);
    editor->setGeometry(layout.text.left(), top, layout.text.width(),
                        lines * QFontMetrics(option.font).lineSpacing());
}
