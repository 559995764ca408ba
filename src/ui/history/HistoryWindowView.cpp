// SPDX-License-Identifier: MIT
#include "ui/history/HistoryWindowView.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QLocale>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QStyleOptionViewItem>
#include <QToolTip>
#include <QVBoxLayout>

#include "core/RelativeDate.h"
#include "history/ClipboardHistory.h"
#include "history/HistoryFilterModel.h"
#include "history/HistoryListModel.h"
#include "settings/AppSettings.h"
#include "ui/common/OwnSymbols.h"
#include "ui/history/HistoryWindowDelegate.h"

namespace {

const QColor kDestructiveRed(255, 59, 48);
// The shortest wait between two refreshes of the ages, whatever the clock says.
constexpr qint64 kMinimumRefreshMs = 200;
constexpr int kCopiedNoteMs = 1500;
// The rows sit this far from the window's edges and the search field.
constexpr int kListInset = 8;

QColor withAlpha(QColor colour, float alpha) {
    colour.setAlphaF(alpha);
    return colour;
}

QLabel* secondaryLabel(const QString& text, float alpha, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, withAlpha(palette.color(QPalette::WindowText), alpha));
    label->setPalette(palette);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    return label;
}

QWidget* makePlaceholder(QWidget* parent) {
    auto* page = new QWidget(parent);
    auto* layout = new QVBoxLayout(page);
    layout->addStretch(1);
    auto* symbol = new QLabel(page);
    const QIcon icon = QIcon::fromTheme(QStringLiteral("edit-paste"),
                                        QIcon(QStringLiteral(":/icons/quillstack.svg")));
    symbol->setPixmap(icon.pixmap(QSize(40, 40), page->devicePixelRatioF()));
    symbol->setAlignment(Qt::AlignCenter);
    layout->addWidget(symbol);
    auto* title = secondaryLabel(HistoryWindowView::tr("No items"), 0.6f, page);
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    titleFont.setWeight(QFont::DemiBold);
    title->setFont(titleFont);
    title->setObjectName(QStringLiteral("placeholderTitle"));
    layout->addWidget(title);
    auto* description = secondaryLabel(
        HistoryWindowView::tr("Copy text or an image (Ctrl+C) — it will appear here."), 0.6f, page);
    description->setObjectName(QStringLiteral("placeholderDescription"));
    layout->addWidget(description);
    layout->addStretch(1);
    return page;
}

}  // namespace

HistoryWindowView::HistoryWindowView(ClipboardHistory& history, HistoryListModel& model,
                                     Scheduler& scheduler, const QString& languageCode,
                                     QWidget* parent)
    : QWidget(parent),
      m_history(history),
      m_model(model),
      m_scheduler(scheduler),
      m_filter(new HistoryFilterModel(model, this)),
      m_delegate(new HistoryWindowDelegate(scheduler, languageCode, this)) {
    setMinimumSize(minimumWidth, minimumHeight);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_placeholder = makePlaceholder(this);
    layout->addWidget(m_placeholder, 1);

    m_listPage = new QWidget(this);
    auto* pageLayout = new QVBoxLayout(m_listPage);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pageLayout->setSpacing(0);
    m_search = new QLineEdit(m_listPage);
    m_search->setObjectName(QStringLiteral("searchField"));
    m_search->setPlaceholderText(tr("Search"));
    m_search->setClearButtonEnabled(true);
    // The field takes no more than the filter counts, so what it shows is what is searched.
    m_search->setMaxLength(int(HistoryFilterModel::maxQueryLength));
    m_search->installEventFilter(this);
    auto* searchRow = new QVBoxLayout;
    searchRow->setContentsMargins(8, 8, 8, 0);
    searchRow->addWidget(m_search);
    pageLayout->addLayout(searchRow);
    m_list = new QListView(m_listPage);
    m_list->setModel(m_filter);
    m_list->setItemDelegate(m_delegate);
    m_list->setAlternatingRowColors(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setResizeMode(QListView::Adjust);
    m_list->setMouseTracking(true);
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->installEventFilter(this);
    m_list->viewport()->installEventFilter(this);
    // Over the empty list while a search keeps no row; it follows the viewport's size.
    m_noMatches = secondaryLabel(tr("No matches"), 0.6f, m_list->viewport());
    m_noMatches->setObjectName(QStringLiteral("noMatches"));
    m_noMatches->hide();
    // Inset: the rows sit on their own background, clear of the window's edges.
    auto* inset = new QVBoxLayout;
    inset->setContentsMargins(kListInset, kListInset, kListInset, kListInset);
    inset->addWidget(m_list);
    pageLayout->addLayout(inset, 1);

    auto* divider = new QFrame(m_listPage);
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Sunken);
    pageLayout->addWidget(divider);

    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(16, 10, 16, 10);
    bar->addStretch(1);
    m_clearAll = new QPushButton(tr("Clear all"), m_listPage);
    m_clearAll->setIcon(
        ownSymbol(QStringLiteral("trash"), kDestructiveRed, 16, m_clearAll->devicePixelRatioF()));
    QPalette palette = m_clearAll->palette();
    palette.setColor(QPalette::ButtonText, kDestructiveRed);
    m_clearAll->setPalette(palette);
    m_clearAll->setAutoDefault(false);
    bar->addWidget(m_clearAll);
    pageLayout->addLayout(bar);
    layout->addWidget(m_listPage, 1);

    connect(m_clearAll, &QPushButton::clicked, this, &HistoryWindowView::askToClearAll);
    // The row a button belongs to is the one it is painted in now: deleting a row above
    // renumbers every row below before the next click.
    connect(m_delegate, &HistoryWindowDelegate::copyRequested, this,
            [this](int row) { copyRow(row, ClipboardHistory::RestoreAs::Copied); });
    connect(m_delegate, &HistoryWindowDelegate::pinRequested, this,
            [this](int row) { m_history.togglePinned(historyIndex(row)); });
    connect(m_delegate, &HistoryWindowDelegate::removeRequested, this,
            [this](int row) { m_history.removeItem(historyIndex(row)); });
    connect(m_search, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_filter->setQuery(text);
        m_delegate->setHighlightWords(m_filter->words());
        m_list->viewport()->update();
        if (m_filter->rowCount() > 0) {
            m_list->setCurrentIndex(m_filter->index(0, 0));
        }
    });
    auto* find = new QShortcut(QKeySequence::Find, this, [this] {
        m_search->setFocus(Qt::ShortcutFocusReason);
        m_search->selectAll();
    });
    find->setContext(Qt::WidgetWithChildrenShortcut);
    connect(m_delegate, &QAbstractItemDelegate::closeEditor, this,
            &HistoryWindowView::closeTextViewer);
    // A picture arriving later may change the row's height, not only its look.
    connect(m_filter, &QAbstractItemModel::dataChanged, m_delegate,
            [this](const QModelIndex& first, const QModelIndex& last, const QList<int>& roles) {
                if (roles.isEmpty() || roles.contains(HistoryListModel::PictureRole)) {
                    m_delegate->forgetRows(first, last);
                }
            });
    connect(m_filter, &QAbstractItemModel::rowsInserted, this, &HistoryWindowView::updateNoMatches);
    connect(m_filter, &QAbstractItemModel::rowsRemoved, this, &HistoryWindowView::updateNoMatches);
    connect(m_filter, &QAbstractItemModel::modelReset, this, &HistoryWindowView::updateNoMatches);
    connect(&m_model, &QAbstractItemModel::rowsInserted, this, [this] {
        updateContent();
        scheduleDateRefresh();
    });
    connect(&m_model, &QAbstractItemModel::rowsRemoved, this, &HistoryWindowView::updateContent);
    connect(&m_model, &QAbstractItemModel::modelReset, this, &HistoryWindowView::updateContent);
    updateContent();
}

QSize HistoryWindowView::sizeHint() const {
    const QSize least(minimumWidth, minimumHeight);
    const int rows = m_filter->rowCount();
    const QScreen* shown = screen();
    // Once shown the window keeps the user's size, and the measured rows are the list's own.
    if (rows == 0 || shown == nullptr || isVisible()) {
        return least;
    }
    // Tall enough for every row, or for as many whole rows as three quarters of the screen
    // hold: the first look never ends in half a row. Rows are measured at the width the list
    // has beside its scroll bar when not all of them fit.
    const int around = m_listPage->sizeHint().height() - m_list->sizeHint().height();
    const int room = shown->availableGeometry().height() * 3 / 4 - around;
    QStyleOptionViewItem option;
    option.font = m_list->font();
    const auto rowsHeight = [&](int width) {
        option.rect = QRect(0, 0, width, 0);
        int height = 0;
        for (int row = 0; row < rows; ++row) {
            const int next = m_delegate->sizeHint(option, m_filter->index(row, 0)).height();
            if (height + next > room) {
                return std::pair{height, false};
            }
            height += next;
        }
        return std::pair{height, true};
    };
    const int width = minimumWidth - 2 * kListInset;
    auto [height, all] = rowsHeight(width);
    if (!all) {
        height = rowsHeight(width - m_list->verticalScrollBar()->sizeHint().width()).first;
    }
    return least.expandedTo(QSize(minimumWidth, around + height));
}

int HistoryWindowView::historyIndex(int row) const {
    // The list model's rows are the history's indices.
    return m_filter->mapToSource(m_filter->index(row, 0)).row();
}

void HistoryWindowView::copyRow(int row, ClipboardHistory::RestoreAs as) {
    const bool restored = m_history.restoreToClipboard(historyIndex(row), as);
    // A quiet sign that it worked: the row selected, a short note beside the pointer. A
    // record whose content is gone says so in its row instead.
    const QModelIndex index = m_filter->index(row, 0);
    m_list->setCurrentIndex(index);
    QToolTip::showText(
        QCursor::pos(),
        restored ? tr("Copied") : index.data(HistoryListModel::RowTextRole).toString(),
        m_list->viewport(), m_list->visualRect(index), kCopiedNoteMs);
}

HistoryWindowView::~HistoryWindowView() {
    stopDateRefresh();
}

void HistoryWindowView::updateContent() {
    const bool empty = m_model.rowCount() == 0;
    m_placeholder->setVisible(empty);
    m_listPage->setVisible(!empty);
    if (empty && m_confirmation) {
        m_confirmation->reject();  // nothing left to clear
    }
}

void HistoryWindowView::updateNoMatches() {
    m_noMatches->setVisible(m_filter->rowCount() == 0 && m_model.rowCount() > 0);
}

void HistoryWindowView::askToClearAll() {
    if (m_confirmation) {
        m_confirmation->raise();
        return;
    }
    auto* box = new QMessageBox(this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setIcon(QMessageBox::Warning);
    // The question is the text; a title as long would be cut to fit the small window.
    box->setWindowTitle(QStringLiteral("Quillstack"));
    box->setText(tr("Clear all history?"));
    QPushButton* clear = box->addButton(tr("Clear all"), QMessageBox::DestructiveRole);
    // Qt's own button would say "Cancel" in English whatever the language.
    QPushButton* cancel = box->addButton(tr("Cancel"), QMessageBox::RejectRole);
    box->setDefaultButton(cancel);
    box->setEscapeButton(cancel);
    if (m_history.pinnedCount() > 0) {
        box->setCheckBox(new QCheckBox(tr("Also remove pinned items")));
    }
    connect(box, &QMessageBox::finished, this, [this, box, clear] {
        const bool confirmed = box->clickedButton() == clear;
        const bool pinsToo = box->checkBox() != nullptr && box->checkBox()->isChecked();
        m_confirmation = nullptr;
        if (confirmed) {
            m_history.clearAll(pinsToo ? ClipboardHistory::Pinned::Remove
                                       : ClipboardHistory::Pinned::Keep);
        }
    });
    m_confirmation = box;
    box->open();
}

void HistoryWindowView::openTextViewer(const QModelIndex& index) {
    if (!index.isValid()) {
        return;
    }
    closeTextViewer();
    m_viewerIndex = index;
    m_list->openPersistentEditor(index);
    if (QWidget* viewer = m_list->indexWidget(index)) {
        viewer->setFocus(Qt::OtherFocusReason);
    }
}

void HistoryWindowView::closeTextViewer() {
    if (m_viewerIndex.isValid()) {
        m_list->closePersistentEditor(m_viewerIndex);
    }
    m_viewerIndex = QPersistentModelIndex();
}

bool HistoryWindowView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_F2 || key == Qt::Key_Return || key == Qt::Key_Enter) {
            openTextViewer(m_list->currentIndex());
            return true;
        }
        if (key == Qt::Key_Delete && m_list->currentIndex().isValid()) {
            const int row = m_list->currentIndex().row();
            m_history.removeItem(historyIndex(row));
            // The next row takes the removed one's place, so Delete can go on down the list.
            m_list->setCurrentIndex(m_filter->index(std::min(row, m_filter->rowCount() - 1), 0));
            return true;
        }
    }
    if (watched == m_search && event->type() == QEvent::KeyPress) {
        // Moving through the matches needs no trip to the list first; Home and End edit.
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool control = key->modifiers() & Qt::ControlModifier;
        switch (key->key()) {
            case Qt::Key_Up:
            case Qt::Key_Down:
            case Qt::Key_PageUp:
            case Qt::Key_PageDown:
                QCoreApplication::sendEvent(m_list, event);
                return true;
            case Qt::Key_Home:
            case Qt::Key_End:
                if (control) {
                    QCoreApplication::sendEvent(m_list, event);
                    return true;
                }
                break;
            default:
                break;
        }
    }
    if (watched == m_list->viewport() && event->type() == QEvent::Resize) {
        m_noMatches->setGeometry(m_list->viewport()->rect());
    }
    if (watched == m_list->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        // A double click on the text opens it for selecting; one on a button is two clicks.
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint pos = mouse->position().toPoint();
        const QModelIndex index = m_list->indexAt(pos);
        if (mouse->button() == Qt::LeftButton && index.isValid() &&
            !m_delegate->isOnButton(m_list->visualRect(index), index, pos)) {
            // Shift: the record's text alone, without its formatting.
            if (mouse->modifiers() & Qt::ShiftModifier) {
                copyRow(index.row(), ClipboardHistory::RestoreAs::PlainText);
            } else {
                openTextViewer(index);
            }
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void HistoryWindowView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    scheduleDateRefresh();
}

void HistoryWindowView::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    stopDateRefresh();
}

void HistoryWindowView::scheduleDateRefresh() {
    stopDateRefresh();
    if (!isVisible() || m_model.rowCount() == 0) {
        return;  // nobody reads the ages: no wake-ups
    }
    const QDateTime now = m_scheduler.now();
    qint64 wait = std::numeric_limits<qint64>::max();
    for (int row = 0; row < m_model.rowCount(); ++row) {
        const QDateTime date = m_model.index(row).data(HistoryListModel::DateRole).toDateTime();
        wait = std::min(wait, RelativeDate::msUntilChange(date, now));
    }
    wait = std::clamp<qint64>(wait, kMinimumRefreshMs, std::numeric_limits<int>::max());
    m_dateTimer = m_scheduler.startRepeating(int(wait), [this] {
        m_list->viewport()->update();
        scheduleDateRefresh();
    });
}

void HistoryWindowView::stopDateRefresh() {
    if (m_dateTimer != 0) {
        m_scheduler.cancelTimer(m_dateTimer);
        m_dateTimer = 0;
    }
}
