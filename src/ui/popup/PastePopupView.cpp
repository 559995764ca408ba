#include "ui/popup/PastePopupView.h"

#include <QEasingCurve>
#include <QEvent>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPropertyAnimation>
#include <QScrollArea>
#include <QScrollBar>
#include <QSet>
#include <QVBoxLayout>

#include "history/ClipboardHistory.h"
#include "hotkey/PasteHotkeyManager.h"
#include "settings/AppSettings.h"
#include "settings/L10n.h"
#include "ui/popup/PastePopupRowWidget.h"

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

int PastePopupView::heightForItemCount(qsizetype count) {
    return int(std::min<qsizetype>(count * rowHeightEstimate + chromeHeight, maxHeight));
}

PastePopupView::PastePopupView(PasteHotkeyManager& manager, ClipboardHistory& history,
                               AppSettings& settings, QWidget* parent)
    : QWidget(parent),
      m_manager(manager),
      m_history(history),
      m_header(new QLabel(this)),
      m_divider(new QFrame(this)),
      m_emptyLabel(new QLabel(this)),
      m_scrollArea(new QScrollArea(this)),
      m_listContent(new QWidget) {
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

    m_divider->setFixedHeight(1);
    m_divider->setAutoFillBackground(true);
    QPalette dividerPalette = m_divider->palette();
    dividerPalette.setColor(QPalette::Window,
                            withAlpha(palette().color(QPalette::WindowText), 0.15f));
    m_divider->setPalette(dividerPalette);
    layout->addWidget(m_divider);

    m_emptyLabel->setAlignment(Qt::AlignCenter);
    m_emptyLabel->setContentsMargins(8, 8, 8, 8);
    useSecondaryStyle(m_emptyLabel);
    layout->addWidget(m_emptyLabel, 1);

    // The list lies on our own background, which shows through.
    m_scrollArea->setFrameShape(QFrame::NoFrame);
    m_scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scrollArea->setWidgetResizable(false);
    m_scrollArea->setAutoFillBackground(false);
    m_scrollArea->viewport()->setAutoFillBackground(false);
    m_listContent->setAutoFillBackground(false);
    m_scrollArea->setWidget(m_listContent);
    m_scrollArea->viewport()->installEventFilter(this);
    layout->addWidget(m_scrollArea, 1);

    m_scrollAnimation = new QPropertyAnimation(m_scrollArea->verticalScrollBar(), "value", this);
    m_scrollAnimation->setDuration(scrollAnimationMs);
    m_scrollAnimation->setEasingCurve(QEasingCurve::InOutQuad);

    connect(&history, &ClipboardHistory::itemsChanged, this, &PastePopupView::rebuild);
    connect(&history, &ClipboardHistory::thumbnailCacheChanged, this, &PastePopupView::rebuild);
    connect(&manager, &PasteHotkeyManager::selectedIndexChanged, this, [this] {
        applySelection();
        // Nobody sees a hidden list move; it is placed when it comes on screen.
        if (isVisible() && !m_rows.isEmpty()) {
            scrollToSelected(true);
        }
    });
    connect(&settings, &AppSettings::preferredLanguageChanged, this, &PastePopupView::retranslate);

    retranslate();
    rebuild();
}

void PastePopupView::setTranslucent(bool translucent) {
    m_translucent = translucent;
    update();
}

void PastePopupView::retranslate() {
    m_header->setText(
        L10n::string(QStringLiteral("Clipboard — double-click or ↑↓ Enter to paste")));
    m_emptyLabel->setText(L10n::string(QStringLiteral("No items")));
}

void PastePopupView::rebuild() {
    const QList<ClipboardItem>& items = m_history.items();
    const qsizetype count = items.size();
    setFixedSize(listWidth, heightForItemCount(count));

    const bool listWasShown = !m_scrollArea->isHidden();
    m_emptyLabel->setVisible(count == 0);
    m_scrollArea->setVisible(count > 0);

    // Rows are re-used: a click handler may be running in one of them right now.
    while (m_rows.size() > count) {
        PastePopupRowWidget* row = m_rows.takeLast();
        row->hide();
        row->deleteLater();
    }
    while (m_rows.size() < count) {
        auto* row = new PastePopupRowWidget(m_listContent);
        connect(row, &PastePopupRowWidget::clicked, this,
                [this](qsizetype index) { m_manager.setSelectedIndex(index); });
        connect(row, &PastePopupRowWidget::doubleClicked, this,
                [this](qsizetype index) { m_manager.pasteItemAndClose(index); });
        connect(row, &PastePopupRowWidget::removeClicked, this,
                [this](qsizetype index) { m_manager.removeItemFromHistory(index); });
        row->show();
        m_rows.append(row);
    }

    QSet<QUuid> ids;
    for (qsizetype i = 0; i < count; ++i) {
        const ClipboardItem& item = items[i];
        ids.insert(item.id());
        const ClipboardHistory::Preview preview = m_history.preview(item);
        m_rows[i]->setContent(i, preview.text, thumbnailFor(item.id(), preview.imageData));
        m_rows[i]->setSelected(i == m_manager.selectedIndex());
    }
    for (auto it = m_thumbnails.begin(); it != m_thumbnails.end();) {
        it = ids.contains(it.key()) ? std::next(it) : m_thumbnails.erase(it);
    }
    layoutRows();
    if (!listWasShown && count > 0 && isVisible()) {
        scrollToSelected(false);
    }
}

void PastePopupView::applySelection() {
    for (PastePopupRowWidget* row : std::as_const(m_rows)) {
        row->setSelected(row->index() == m_manager.selectedIndex());
    }
    // The checkmark takes room from the text, which may wrap differently.
    layoutRows();
}

void PastePopupView::layoutRows() {
    const int width = m_scrollArea->viewport()->width();
    int y = 0;
    for (PastePopupRowWidget* row : std::as_const(m_rows)) {
        const int height = row->layoutForWidth(width);
        row->setGeometry(0, y, width, height);
        y += height;
    }
    m_listContent->resize(width, y);
}

int PastePopupView::scrollTargetFor(qsizetype index) const {
    if (index < 0 || index >= m_rows.size()) {
        return m_scrollArea->verticalScrollBar()->value();
    }
    const QWidget* row = m_rows[index];
    const int viewportHeight = m_scrollArea->viewport()->height();
    const int maximum = std::max(0, m_listContent->height() - viewportHeight);
    return std::clamp(row->y() + row->height() / 2 - viewportHeight / 2, 0, maximum);
}

void PastePopupView::scrollToSelected(bool animated) {
    const int target = scrollTargetFor(m_manager.selectedIndex());
    QScrollBar* bar = m_scrollArea->verticalScrollBar();
    m_scrollAnimation->stop();
    if (animated && bar->value() != target) {
        m_scrollAnimation->setStartValue(bar->value());
        m_scrollAnimation->setEndValue(target);
        m_scrollAnimation->start();
    } else {
        bar->setValue(target);
    }
}

QPixmap PastePopupView::thumbnailFor(const QUuid& id, const std::optional<QByteArray>& bytes) {
    if (!bytes || bytes->isEmpty()) {
        m_thumbnails.remove(id);
        return {};
    }
    auto cached = m_thumbnails.constFind(id);
    if (cached != m_thumbnails.cend() && cached->bytes == *bytes) {
        return cached->pixmap;
    }
    QPixmap pixmap;
    QImage image;
    // Thumbnails are PNG; the hint spares loading every image plugin to probe them.
    if (image.loadFromData(*bytes, "PNG")) {
        const qreal dpr = devicePixelRatioF();
        const int side = int(PastePopupRowWidget::thumbnailSide * dpr);
        QImage fitted = image.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        fitted.setDevicePixelRatio(dpr);
        pixmap = QPixmap::fromImage(fitted);
    }
    m_thumbnails.insert(id, Thumbnail{*bytes, pixmap});
    return pixmap;
}

void PastePopupView::updateViewportMask() {
    // The bottom rows must not poke out of the rounded corners.
    QWidget* viewport = m_scrollArea->viewport();
    const QRect area = viewport->rect();
    QPainterPath path;
    path.addRoundedRect(QRectF(area.adjusted(0, -cornerRadius, 0, 0)), cornerRadius, cornerRadius);
    viewport->setMask(QRegion(path.toFillPolygon().toPolygon()));
}

void PastePopupView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor background = palette().color(QPalette::Window);
    if (m_translucent) {
        background.setAlphaF(0.9f);
    }
    painter.setPen(QPen(withAlpha(palette().color(QPalette::WindowText), 0.18f), 1));
    painter.setBrush(background);
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), cornerRadius,
                            cornerRadius);
}

void PastePopupView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    layoutRows();
    if (!m_rows.isEmpty()) {
        scrollToSelected(false);
    }
}

void PastePopupView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    updateViewportMask();
}

bool PastePopupView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_scrollArea->viewport() && event->type() == QEvent::Resize) {
        layoutRows();
        updateViewportMask();
    }
    return QWidget::eventFilter(watched, event);
}
