// SPDX-License-Identifier: MIT
#include "ui/popup/PastePopupView.h"

#include <QEasingCurve>
#include <QEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QInputMethodEvent>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QPainter>
#include <QPainterPath>
#include <QPropertyAnimation>
#include <QScrollBar>
#include <QStyleOptionViewItem>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

#include "history/HistoryFilterModel.h"
#include "history/HistoryListModel.h"
#include "settings/AppSettings.h"
#include "ui/popup/PastePopupItemDelegate.h"

namespace {
QColor withAlpha(QColor colour, float alpha) {
    colour.setAlphaF(alpha);
    return colour;
}

void useSecondaryStyle(QLabel* label) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, withAlpha(palette.color(QPalette::WindowText), 0.6f));
    label->setPalette(palette);
}
}  // namespace

int PastePopupView::fittedHeight() const {
    const int count = m_model.rowCount();
    if (count == 0) {
        // The note gets room above and below, as a row would have.
        return std::max(emptyHeight,
                        m_header->heightForWidth(listWidth) + m_divider->height() +
                            m_emptyLabel->heightForWidth(listWidth) +
                            2 * PastePopupItemDelegate::verticalInset +
                            (m_searchLine->isHidden() ? 0 : m_searchLine->sizeHint().height()));
    }
    // Only the rows that fit are measured, so a long history costs no more than a short one.
    QStyleOptionViewItem option;
    option.font = m_list->font();
    int height = m_header->heightForWidth(listWidth) + m_divider->height() +
                 (m_searchLine->isHidden() ? 0 : m_searchLine->sizeHint().height());
    for (int row = 0; row < count && height < maxHeight; ++row) {
        height += m_delegate->sizeHint(option, m_model.index(row, 0)).height();
    }
    return std::min(height, maxHeight);
}

PastePopupView::PastePopupView(HistoryFilterModel& model, AppSettings& settings, QWidget* parent)
    : QWidget(parent),
      m_model(model),
      m_header(new QLabel(this)),
      m_searchLine(new QLabel(this)),
      m_divider(new QFrame(this)),
      m_emptyLabel(new QLabel(this)),
      m_list(new QListView(this)),
      m_delegate(new PastePopupItemDelegate(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    QFont headline = m_header->font();
    headline.setWeight(QFont::DemiBold);
    m_header->setFont(headline);
    m_header->setContentsMargins(16, 12, 16, 8);
    m_header->setWordWrap(true);
    useSecondaryStyle(m_header);
    layout->addWidget(m_header);

    // What is typed, as typed, in the accent: the keys reach the session, never a text field.
    m_searchLine->setContentsMargins(16, 0, 16, 8);
    QPalette searchPalette = m_searchLine->palette();
    searchPalette.setColor(QPalette::WindowText, searchPalette.color(QPalette::Highlight));
    m_searchLine->setPalette(searchPalette);
    m_searchLine->setTextFormat(Qt::PlainText);
    m_searchLine->setObjectName(QStringLiteral("searchLine"));
    m_searchLine->hide();
    layout->addWidget(m_searchLine);

    m_divider->setFixedHeight(1);
    m_divider->setAutoFillBackground(true);
    QPalette dividerPalette = m_divider->palette();
    dividerPalette.setColor(QPalette::Window,
                            withAlpha(palette().color(QPalette::WindowText), 0.15f));
    m_divider->setPalette(dividerPalette);
    layout->addWidget(m_divider);

    m_emptyLabel->setAlignment(Qt::AlignCenter);
    m_emptyLabel->setWordWrap(true);
    m_emptyLabel->setContentsMargins(8, 8, 8, 8);
    useSecondaryStyle(m_emptyLabel);
    layout->addWidget(m_emptyLabel, 1);

    // What an input method composes comes here, the popup's focus, which is on screen whether
    // rows match or not; the keys themselves reach the popup's owner first.
    setAttribute(Qt::WA_InputMethodEnabled);
    setInputMethodHints(Qt::ImhNoAutoUppercase);

    // The list lies on our own background, which shows through. It never takes the focus:
    // the keys belong to the popup's owner. Its selection follows the session's, so that a
    // screen reader hears which row is chosen; clicks select through the session.
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->setFocusPolicy(Qt::NoFocus);
    m_list->setSelectionMode(QAbstractItemView::NoSelection);
    m_list->setAutoScroll(false);  // the selected row is scrolled to the middle, animated
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_list->setResizeMode(QListView::Adjust);
    // A long history is measured a batch at a time between events, so that no key waits for
    // every row to be laid out again (the first key of a filter shows the search line).
    m_list->setLayoutMode(QListView::Batched);
    m_list->setBatchSize(64);
    m_list->setAutoFillBackground(false);
    m_list->viewport()->setAutoFillBackground(false);
    QPalette listPalette = m_list->palette();
    listPalette.setColor(QPalette::Base, Qt::transparent);
    m_list->setPalette(listPalette);
    m_list->setItemDelegate(m_delegate);
    m_list->setModel(&model);
    m_list->viewport()->installEventFilter(this);
    layout->addWidget(m_list, 1);

    m_scrollAnimation = new QPropertyAnimation(m_list->verticalScrollBar(), "value", this);
    m_scrollAnimation->setDuration(scrollAnimationMs);
    m_scrollAnimation->setEasingCurve(QEasingCurve::InOutQuad);

    connect(m_delegate, &PastePopupItemDelegate::rowClicked, this, &PastePopupView::rowClicked);
    connect(m_delegate, &PastePopupItemDelegate::rowDoubleClicked, this,
            &PastePopupView::rowDoubleClicked);
    connect(m_delegate, &PastePopupItemDelegate::removeClicked, this,
            &PastePopupView::removeClicked);
    connect(m_delegate, &PastePopupItemDelegate::pinClicked, this, &PastePopupView::pinClicked);
    // After the list's own handlers, which lay the rows out anew.
    for (const auto before :
         {&QAbstractItemModel::rowsAboutToBeInserted, &QAbstractItemModel::rowsAboutToBeRemoved}) {
        connect(&model, before, this, &PastePopupView::holdSelectedRowInPlace);
    }
    for (const auto after : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved}) {
        connect(&model, after, this, [this] {
            keepSelectedRowInPlace();
            followRowCount();
        });
    }
    connect(&model, &QAbstractItemModel::modelReset, this, &PastePopupView::followRowCount);
    // A picture that arrives or changes moves the row's text; only that row is laid out again.
    connect(&model, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& from, const QModelIndex& to) {
                for (int row = from.row(); row <= to.row(); ++row) {
                    const QModelIndex index = m_model.index(row, 0);
                    m_delegate->forgetRow(index);
                    Q_EMIT m_delegate->sizeHintChanged(index);
                }
                followRowCount();
            });
    connect(&settings, &AppSettings::preferredLanguageChanged, this, &PastePopupView::retranslate);
    connect(&model, &HistoryFilterModel::queryChanged, this, &PastePopupView::followQuery);

    retranslate();
}

void PastePopupView::setSelectedRow(qsizetype row) {
    const int previous = m_delegate->selectedRow();
    m_delegate->setSelectedRow(int(row));
    selectInList();
    for (const int changed : {previous, int(row)}) {
        m_list->update(m_model.index(changed, 0));
    }
    if (m_rowsChanging) {
        m_scrollWhenRowsChanged = true;  // once the list has laid the rows out again
    } else if (isVisible() && !m_list->isHidden()) {
        scrollToSelected(true);
    }
}

void PastePopupView::holdSelectedRowInPlace() {
    m_rowsChanging = true;
    m_scrollWhenRowsChanged = false;
    const QModelIndex index = m_model.index(m_delegate->selectedRow(), 0);
    m_heldRecord = isVisible() && !m_list->isHidden() && index.isValid()
                       ? index.data(HistoryListModel::RecordIdRole).toUuid()
                       : QUuid();
    m_heldTop = m_heldRecord.isNull() ? 0 : m_list->visualRect(index).top();
}

void PastePopupView::keepSelectedRowInPlace() {
    const QUuid held = std::exchange(m_heldRecord, QUuid());
    m_rowsChanging = false;
    const QModelIndex index = m_model.index(m_delegate->selectedRow(), 0);
    if (held.isNull() || !index.isValid() ||
        index.data(HistoryListModel::RecordIdRole).toUuid() != held) {
        if (std::exchange(m_scrollWhenRowsChanged, false) && isVisible() && !m_list->isHidden()) {
            scrollToSelected(true);
        }
        return;
    }
    // A row that came or went above it would move the record the user is reading, and the
    // rows round it, by its height: the list scrolls by as much instead.
    m_scrollWhenRowsChanged = false;
    const int shift = m_list->visualRect(index).top() - m_heldTop;
    if (shift == 0) {
        return;
    }
    QScrollBar* bar = m_list->verticalScrollBar();
    if (m_scrollAnimation->state() == QAbstractAnimation::Running) {
        m_scrollAnimation->setStartValue(m_scrollAnimation->startValue().toInt() + shift);
        m_scrollAnimation->setEndValue(
            std::clamp(m_scrollAnimation->endValue().toInt() + shift, 0, bar->maximum()));
    }
    bar->setValue(bar->value() + shift);
}

void PastePopupView::setPasteTyped(bool typed) {
    if (m_pasteTyped != typed) {
        m_pasteTyped = typed;
        retranslate();
    }
}

void PastePopupView::retranslate() {
    m_header->setText(m_pasteTyped ? tr("Clipboard — double-click or ↑↓ Enter to paste")
                                   : tr("Clipboard — ↑↓ Enter to copy, then press Ctrl+V"));
    m_list->setAccessibleName(tr("History"));
    followQuery();
    // Row labels such as "[Image]" are worded anew.
    m_delegate->clearCache();
    m_list->doItemsLayout();
    m_list->viewport()->update();
    followRowCount();
}

void PastePopupView::followQuery() {
    const QString& query = m_model.query();
    // The end stays in sight, where typing goes on, and where it stops once the query is as
    // long as the filter counts.
    const QMargins margins = m_searchLine->contentsMargins();
    m_searchLine->setText(QFontMetrics(m_searchLine->font())
                              .elidedText(query + m_preedit, Qt::ElideLeft,
                                          listWidth - margins.left() - margins.right()));
    m_searchLine->setVisible(!query.isEmpty() || !m_preedit.isEmpty());
    m_emptyLabel->setText(query.isEmpty() ? tr("No items") + QStringLiteral("\n") +
                                                tr("Copy something and it will appear here.")
                                          : tr("No matches"));
    m_delegate->setHighlightWords(m_model.words());
    m_list->viewport()->update();
    followRowCount();
}

void PastePopupView::selectInList() {
    m_list->selectionModel()->setCurrentIndex(m_model.index(m_delegate->selectedRow(), 0),
                                              QItemSelectionModel::ClearAndSelect);
}

void PastePopupView::followRowCount() {
    // The list's selection follows its record when rows come and go; the chosen row is by
    // number.
    selectInList();
    const int count = m_model.rowCount();
    setFixedSize(listWidth, fittedHeight());
    const bool listWasShown = !m_list->isHidden();
    m_emptyLabel->setVisible(count == 0);
    m_list->setVisible(count > 0);
    if (!listWasShown && count > 0 && isVisible()) {
        scrollToSelected(false);
    }
}

void PastePopupView::scrollToSelected(bool animated) {
    QScrollBar* bar = m_list->verticalScrollBar();
    m_scrollAnimation->stop();
    const QModelIndex index = m_model.index(m_delegate->selectedRow(), 0);
    if (!index.isValid()) {
        return;
    }
    // visualRect() lays out pending rows first and is relative to the current scroll offset.
    const QRect rect = m_list->visualRect(index);
    const int target = std::clamp(
        bar->value() + rect.center().y() - m_list->viewport()->height() / 2, 0, bar->maximum());
    if (animated && bar->value() != target) {
        m_scrollAnimation->setStartValue(bar->value());
        m_scrollAnimation->setEndValue(target);
        m_scrollAnimation->start();
    } else {
        bar->setValue(target);
    }
}

void PastePopupView::updateViewportMask() {
    // The bottom rows must not poke out of the rounded corners.
    QWidget* viewport = m_list->viewport();
    QPainterPath path;
    path.addRoundedRect(QRectF(viewport->rect().adjusted(0, -cornerRadius, 0, 0)), cornerRadius,
                        cornerRadius);
    viewport->setMask(QRegion(path.toFillPolygon().toPolygon()));
}

void PastePopupView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // Opaque whatever the palette says: rows over the windows behind are hard to read. Only
    // the corners outside the rounding are see-through, where a compositor blends.
    QColor background = palette().color(QPalette::Window);
    background.setAlpha(255);
    painter.setPen(QPen(withAlpha(palette().color(QPalette::WindowText), 0.18f), 1));
    painter.setBrush(background);
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), cornerRadius,
                            cornerRadius);
}

void PastePopupView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!m_list->isHidden()) {
        scrollToSelected(false);
    }
}

void PastePopupView::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // The input method lets go of its composition with the focus.
    if (!std::exchange(m_preedit, QString()).isEmpty()) {
        followQuery();
    }
}

void PastePopupView::inputMethodEvent(QInputMethodEvent* event) {
    if (!event->commitString().isEmpty()) {
        Q_EMIT textCommitted(event->commitString());
    }
    if (m_preedit != event->preeditString()) {
        m_preedit = event->preeditString();
        followQuery();
    }
    event->accept();
}

QVariant PastePopupView::inputMethodQuery(Qt::InputMethodQuery query) const {
    switch (query) {
        case Qt::ImEnabled:
            return true;
        case Qt::ImCursorRectangle: {
            // The end of what is typed, where a candidate window belongs.
            const QMargins margins = m_searchLine->contentsMargins();
            const QFontMetrics metrics(m_searchLine->font());
            const int top = m_header->geometry().bottom() + 1;
            return QRect(margins.left() + metrics.horizontalAdvance(m_searchLine->text()), top, 1,
                         metrics.height());
        }
        case Qt::ImFont:
            return m_searchLine->font();
        case Qt::ImSurroundingText:
        case Qt::ImTextBeforeCursor:
            return m_model.query();
        case Qt::ImCursorPosition:
        case Qt::ImAnchorPosition:
            return int(m_model.query().size());
        case Qt::ImMaximumTextLength:
            return int(HistoryFilterModel::maxQueryLength);
        default:
            return QWidget::inputMethodQuery(query);
    }
}

bool PastePopupView::eventFilter(QObject* watched, QEvent* event) {
    // Before the list's own handling, which lays the rows out again for the new width.
    if (watched == m_list->viewport() && event->type() == QEvent::Resize) {
        m_delegate->setRowWidth(m_list->viewport()->width());
        updateViewportMask();
        // A page is what fits beside the tallest row the popup draws.
        const int tallest = 2 * PastePopupItemDelegate::verticalInset +
                            PastePopupItemDelegate::maxLines * fontMetrics().lineSpacing();
        Q_EMIT pageRowsChanged(std::max(1, m_list->viewport()->height() / std::max(1, tallest)));
    }
    return QWidget::eventFilter(watched, event);
}
