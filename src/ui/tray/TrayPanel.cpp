// SPDX-License-Identifier: MIT
#include "ui/tray/TrayPanel.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

#include "settings/AppSettings.h"
#include "ui/tray/TrayPanelView.h"

namespace {
// A click on the tray icon arrives just after the panel lost the focus to it.
constexpr qint64 kToggleAfterFocusLossMs = 300;
}  // namespace

TrayPanel::TrayPanel(AppSettings& settings, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_settings(settings) {
    setObjectName(QStringLiteral("QuillstackTrayContent"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(&settings, &AppSettings::preferredLanguageChanged, this, &TrayPanel::rebuild);
    rebuild();
}

void TrayPanel::rebuild() {
    setAccessibleName(tr("Quillstack"));
    setWindowTitle(tr("Quillstack"));
    auto* fresh = new TrayPanelView(m_settings, m_paused, this);
    connect(fresh, &TrayPanelView::historyWindowRequested, this,
            &TrayPanel::historyWindowRequested);
    connect(fresh, &TrayPanelView::settingsRequested, this, &TrayPanel::settingsRequested);
    connect(fresh, &TrayPanelView::pauseToggleRequested, this, &TrayPanel::pauseToggleRequested);
    connect(fresh, &TrayPanelView::restartOnboardingRequested, this,
            &TrayPanel::restartOnboardingRequested);
    connect(fresh, &TrayPanelView::quitRequested, this, &TrayPanel::quitRequested);
    if (m_view) {
        delete layout()->replaceWidget(m_view, fresh);  // the old view's layout item
        // Later: the language may change from inside a handler of the old view.
        m_view->hide();
        m_view->deleteLater();
    } else {
        layout()->addWidget(fresh);
    }
    m_view = fresh;
    fresh->show();
    adjustSize();
}

void TrayPanel::setRecordingPaused(bool paused) {
    m_paused = paused;
    m_view->setRecordingPaused(paused);
}

QPoint TrayPanel::placement(const QSize& size, const QRect& anchor, const QRect& available) {
    int x = anchor.center().x() - size.width() / 2;
    int y = anchor.bottom() + 1 + anchorGap;
    const bool roomBelow = y + size.height() <= available.bottom() + 1;
    const bool roomAbove = anchor.top() - anchorGap - size.height() >= available.top();
    // A tray at the bottom of the screen opens its panel upwards.
    if (!roomBelow && (roomAbove || anchor.center().y() > available.center().y())) {
        y = anchor.top() - anchorGap - size.height();
    }
    x = std::clamp(x, available.left(),
                   std::max(available.left(), available.right() + 1 - size.width()));
    y = std::clamp(y, available.top(),
                   std::max(available.top(), available.bottom() + 1 - size.height()));
    return {x, y};
}

void TrayPanel::showAt(const QRect& anchor) {
    adjustSize();
    const QScreen* screen = QGuiApplication::screenAt(anchor.center());
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen != nullptr) {
        move(placement(size(), anchor, screen->availableGeometry()));
    }
    show();
    raise();
    activateWindow();
}

void TrayPanel::toggle(const QRect& anchor) {
    if (isVisible()) {
        hide();
        return;
    }
    if (m_closedByFocusLoss.isValid() && m_closedByFocusLoss.elapsed() < kToggleAfterFocusLossMs) {
        m_closedByFocusLoss.invalidate();
        return;
    }
    showAt(anchor);
}

bool TrayPanel::event(QEvent* event) {
    if (event->type() == QEvent::WindowDeactivate && isVisible()) {
        m_closedByFocusLoss.start();
        hide();
    }
    return QWidget::event(event);
}

void TrayPanel::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TrayPanel::paintEvent(QPaintEvent*) {
    // Square and opaque: without a compositor, rounded corners would show black.
    QPainter painter(this);
    QColor border = palette().color(QPalette::WindowText);
    border.setAlphaF(0.18f);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    painter.setPen(border);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
