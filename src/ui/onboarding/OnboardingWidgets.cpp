// SPDX-License-Identifier: MIT
#include "ui/onboarding/OnboardingWidgets.h"

#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

// At global scope: the resource initialiser is declared where the macro is used. A static
// library's resources are only linked in when referenced.
static void initOnboardingIconResources() {
    Q_INIT_RESOURCE(icons);
}

namespace onboarding {

namespace {
constexpr int kDotSide = 6;
constexpr int kDotSpacing = 6;
constexpr qreal kBoxRadius = 8;
constexpr qreal kOutlineWidth = 2;

qreal scaleFor(TextStyle style) {
    switch (style) {
        case TextStyle::Title2:
            return 1.6;
        case TextStyle::Title3:
            return 1.4;
        case TextStyle::Body:
            return 1.0;
        case TextStyle::Callout:
            return 0.95;
        case TextStyle::Subheadline:
            return 0.9;
        case TextStyle::Caption:
            return 0.85;
        case TextStyle::Caption2:
            return 0.8;
    }
    return 1.0;
}

QColor withAlpha(QColor colour, qreal alpha) {
    colour.setAlphaF(float(alpha));
    return colour;
}
}  // namespace

QFont styledFont(const QFont& base, TextStyle style, bool bold) {
    QFont font = base;
    const qreal scale = scaleFor(style);
    if (font.pointSizeF() > 0) {
        font.setPointSizeF(font.pointSizeF() * scale);
    } else if (font.pixelSize() > 0) {
        font.setPixelSize(qRound(font.pixelSize() * scale));
    }
    font.setBold(bold);
    return font;
}

QColor secondaryColour(const QPalette& palette) {
    return withAlpha(palette.color(QPalette::WindowText), 0.6);
}

QColor tertiaryColour(const QPalette& palette) {
    return withAlpha(palette.color(QPalette::WindowText), 0.4);
}

QColor accentColour(const QPalette& palette) {
    return palette.color(QPalette::Highlight);
}

QColor successColour() {
    return QColor(52, 199, 89);
}

QPixmap symbol(const QString& themeName, const QString& fallback, const QColor& colour, int side,
               qreal devicePixelRatio) {
    initOnboardingIconResources();
    QIcon icon;
    if (!themeName.isEmpty()) {
        // Only symbolic icons keep their shape when painted in one colour.
        icon = QIcon::fromTheme(themeName + QStringLiteral("-symbolic"));
    }
    if (icon.isNull()) {
        icon = QIcon(fallback);
    }
    QPixmap pixmap = icon.pixmap(QSize(side, side), devicePixelRatio);
    if (pixmap.isNull() || !colour.isValid()) {
        return pixmap;
    }
    QPainter painter(&pixmap);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(pixmap.rect(), colour);
    return pixmap;
}

QLabel* makeLabel(const QString& text, TextStyle style, Tone tone, bool bold,
                  Qt::Alignment alignment) {
    auto* label = new QLabel(text);
    label->setFont(styledFont(label->font(), style, bold));
    label->setWordWrap(true);
    label->setAlignment(alignment);
    label->setTextFormat(Qt::PlainText);
    QPalette palette = label->palette();
    switch (tone) {
        case Tone::Primary:
            break;
        case Tone::Secondary:
            palette.setColor(QPalette::WindowText, secondaryColour(palette));
            break;
        case Tone::Tertiary:
            palette.setColor(QPalette::WindowText, tertiaryColour(palette));
            break;
        case Tone::Success:
            palette.setColor(QPalette::WindowText, successColour());
            break;
    }
    label->setPalette(palette);
    return label;
}

RoundedBox::RoundedBox(QWidget* child, QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(child);
}

void RoundedBox::setHighlighted(bool highlighted) {
    if (highlighted != m_highlighted) {
        m_highlighted = highlighted;
        update();
    }
}

void RoundedBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // Inset by half the outline, so its straight edges cover whole pixels.
    const QRectF box = QRectF(rect()).adjusted(kOutlineWidth / 2, kOutlineWidth / 2,
                                               -kOutlineWidth / 2, -kOutlineWidth / 2);
    QPainterPath path;
    path.addRoundedRect(box, kBoxRadius, kBoxRadius);
    const QColor fill = m_highlighted ? withAlpha(successColour(), 0.2)
                                      : withAlpha(palette().color(QPalette::WindowText), 0.06);
    painter.fillPath(path, fill);
    if (m_highlighted) {
        painter.strokePath(path, QPen(successColour(), kOutlineWidth));
    }
}

StepDots::StepDots(int count, QWidget* parent) : QWidget(parent), m_count(count) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void StepDots::setCurrent(int index) {
    if (index != m_current) {
        m_current = index;
        update();
    }
}

QSize StepDots::sizeHint() const {
    return {m_count * kDotSide + (m_count - 1) * kDotSpacing, kDotSide};
}

void StepDots::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const QColor faint = withAlpha(palette().color(QPalette::WindowText), 0.2);
    for (int i = 0; i < m_count; ++i) {
        painter.setBrush(i == m_current ? accentColour(palette()) : faint);
        painter.drawEllipse(QRectF(i * (kDotSide + kDotSpacing), 0, kDotSide, kDotSide));
    }
}

}  // namespace onboarding
