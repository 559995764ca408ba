// SPDX-License-Identifier: MIT
#include "ui/tray/TrayRow.h"

#include <QAccessibleWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace {
const QColor kDestructiveRed(255, 59, 48);

// A screen reader hears a row as a button named by its title, which it can press.
class AccessibleTrayRow : public QAccessibleWidget {
  public:
    explicit AccessibleTrayRow(TrayRow* row) : QAccessibleWidget(row, QAccessible::Button) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.hotTracked = static_cast<const TrayRow*>(widget())->isHovered();
        return state;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override {
        if (action == pressAction()) {
            Q_EMIT static_cast<TrayRow*>(widget())->clicked();
        }
    }
};

QAccessibleInterface* accessibleTrayRow(const QString& className, QObject* object) {
    return className == QLatin1String("TrayRow") && object->isWidgetType()
               ? new AccessibleTrayRow(static_cast<TrayRow*>(object))
               : nullptr;
}
}  // namespace

TrayRow::TrayRow(QString title, Role role, QWidget* parent)
    : QWidget(parent), m_title(std::move(title)), m_role(role) {
    static const bool accessible = (QAccessible::installFactory(accessibleTrayRow), true);
    Q_UNUSED(accessible);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setAccessibleName(m_title);
}

QColor TrayRow::titleColour() const {
    return m_role == Role::Destructive ? kDestructiveRed : palette().color(QPalette::WindowText);
}

QSize TrayRow::sizeHint() const {
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(m_title) + 2 * horizontalPadding,
            metrics.height() + 2 * verticalPadding};
}

void TrayRow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (m_hovered) {
        QColor accent = palette().color(QPalette::Highlight);
        accent.setAlphaF(0.15f);
        QPainterPath path;
        path.addRoundedRect(QRectF(rect()), cornerRadius, cornerRadius);
        painter.fillPath(path, accent);
    }
    painter.setPen(titleColour());
    const QRect text = rect().adjusted(horizontalPadding, 0, -horizontalPadding, 0);
    // The panel is made wide enough for every title; cut one that is not, rather than overflow.
    painter.drawText(text, Qt::AlignLeading | Qt::AlignVCenter | Qt::TextSingleLine,
                     fontMetrics().elidedText(m_title, Qt::ElideRight, text.width()));
}

void TrayRow::setHovered(bool hovered) {
    if (m_hovered != hovered) {
        m_hovered = hovered;
        update();
    }
}

void TrayRow::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    m_hovered = true;
    update();
}

void TrayRow::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    m_hovered = false;
    m_pressed = false;
    update();
}

void TrayRow::mousePressEvent(QMouseEvent* event) {
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void TrayRow::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_pressed = false;
    event->accept();
    if (click) {
        Q_EMIT clicked();
    }
}

void TrayRow::setTitle(const QString& title) {
    m_title = title;
    setAccessibleName(m_title);
    updateGeometry();
    update();
}
