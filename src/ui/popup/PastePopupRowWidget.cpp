#include "ui/popup/PastePopupRowWidget.h"

#include <QEvent>
#include <QIcon>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTextLayout>
#include <QToolButton>

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

QColor secondaryColour(const QPalette& palette) {
    QColor colour = palette.color(QPalette::WindowText);
    colour.setAlphaF(0.6f);
    return colour;
}

// Wraps the text into at most maxLines lines of this width; the last line takes the rest of the
// text, elided, so nothing beyond it is lost silently.
QStringList wrapLines(const QString& text, const QFont& font, int width, int maxLines) {
    QStringList lines;
    if (width <= 0) {
        return lines;
    }
    const QFontMetrics metrics(font);
    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace('\r', '\n');
    const QStringList paragraphs = normalised.split('\n');
    for (qsizetype p = 0; p < paragraphs.size() && lines.size() < maxLines; ++p) {
        const QString& paragraph = paragraphs[p];
        QTextLayout layout(paragraph, font);
        layout.beginLayout();
        for (;;) {
            QTextLine line = layout.createLine();
            if (!line.isValid()) {
                break;
            }
            line.setLineWidth(width);
            if (lines.size() == maxLines - 1) {
                QString rest = paragraph.mid(line.textStart());
                if (p + 1 < paragraphs.size()) {
                    rest += ' ' + paragraphs.mid(p + 1).join(' ');
                }
                lines.append(metrics.elidedText(rest, Qt::ElideRight, width));
                break;
            }
            lines.append(paragraph.mid(line.textStart(), line.textLength()).trimmed());
        }
        layout.endLayout();
        if (paragraph.isEmpty() && lines.size() < maxLines) {
            lines.append(QString());
        }
    }
    return lines;
}
}  // namespace

PastePopupRowWidget::PastePopupRowWidget(QWidget* parent)
    : QWidget(parent), m_removeButton(new QToolButton(this)) {
    static const bool resourcesReady = (initIconResources(), true);
    Q_UNUSED(resourcesReady);
    m_removeButton->setAutoRaise(true);
    m_removeButton->setFocusPolicy(Qt::NoFocus);
    m_removeButton->setCursor(Qt::ArrowCursor);
    m_removeButton->setStyleSheet(
        QStringLiteral("QToolButton { border: none; padding: 0; background: transparent; }"));
    m_removeButton->setFixedSize(symbolSide, symbolSide);
    m_removeButton->setIconSize(QSize(symbolSide - 2, symbolSide - 2));
    connect(m_removeButton, &QToolButton::clicked, this, [this] { Q_EMIT removeClicked(m_index); });
    updateIcons();
}

void PastePopupRowWidget::setContent(qsizetype index, const QString& text,
                                     const QPixmap& thumbnail) {
    m_index = index;
    m_text = text;
    m_thumbnail = thumbnail;
    update();
}

void PastePopupRowWidget::setSelected(bool selected) {
    if (m_selected != selected) {
        m_selected = selected;
        update();
    }
}

int PastePopupRowWidget::layoutForWidth(int width) {
    int x = leadingInset;
    const int top = verticalInset;
    m_thumbnailRect = {};
    if (!m_thumbnail.isNull()) {
        m_thumbnailRect = QRect(x, top, thumbnailSide, thumbnailSide);
        x += thumbnailSide + spacing;
    }
    int right = width - trailingInset;
    const QRect removeRect(right - symbolSide, top, symbolSide, symbolSide);
    right = removeRect.left() - spacing;
    m_checkmarkRect = {};
    if (m_selected) {
        m_checkmarkRect = QRect(right - symbolSide, top, symbolSide, symbolSide);
        right = m_checkmarkRect.left() - spacing;
    }
    const int textWidth = std::max(0, right - x);
    m_lines = wrapLines(m_text, font(), textWidth, maxLines);
    m_lineHeight = fontMetrics().lineSpacing();
    const int textHeight = int(m_lines.size()) * m_lineHeight;
    const int contentHeight =
        std::max({textHeight, m_thumbnail.isNull() ? 0 : thumbnailSide, symbolSide});
    m_textRect = QRect(x, top, textWidth, contentHeight);
    m_removeButton->move(removeRect.topLeft());
    return contentHeight + 2 * verticalInset;
}

void PastePopupRowWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (m_selected) {
        QColor accent = palette().color(QPalette::Highlight);
        accent.setAlphaF(0.2f);
        painter.fillRect(rect(), accent);
    }
    if (!m_thumbnail.isNull()) {
        const QSizeF logical = m_thumbnail.deviceIndependentSize();
        const QRectF target(m_thumbnailRect.x() + (thumbnailSide - logical.width()) / 2.0,
                            m_thumbnailRect.y() + (thumbnailSide - logical.height()) / 2.0,
                            logical.width(), logical.height());
        QPainterPath clip;
        clip.addRoundedRect(target, thumbnailRadius, thumbnailRadius);
        painter.save();
        painter.setClipPath(clip);
        painter.drawPixmap(target.topLeft(), m_thumbnail);
        painter.restore();
    }
    painter.setPen(palette().color(QPalette::WindowText));
    const int ascent = fontMetrics().ascent();
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        painter.drawText(QPoint(m_textRect.x(), m_textRect.y() + int(i) * m_lineHeight + ascent),
                         m_lines[i]);
    }
    if (m_selected) {
        painter.drawPixmap(m_checkmarkRect.topLeft(), m_checkmark);
    }
}

void PastePopupRowWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && m_textRect.contains(event->position().toPoint())) {
        Q_EMIT clicked(m_index);
    }
}

void PastePopupRowWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && m_textRect.contains(event->position().toPoint())) {
        Q_EMIT doubleClicked(m_index);
    }
}

void PastePopupRowWidget::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange) {
        updateIcons();
    }
    QWidget::changeEvent(event);
}

void PastePopupRowWidget::updateIcons() {
    const qreal dpr = devicePixelRatioF();
    m_checkmark = tintedSymbol(QStringLiteral("object-select-symbolic"),
                               QStringLiteral(":/icons/checkmark-circle.svg"),
                               palette().color(QPalette::Highlight), symbolSide, dpr);
    m_removeButton->setIcon(tintedSymbol(QStringLiteral("window-close-symbolic"),
                                         QStringLiteral(":/icons/xmark-circle.svg"),
                                         secondaryColour(palette()), symbolSide, dpr));
}
