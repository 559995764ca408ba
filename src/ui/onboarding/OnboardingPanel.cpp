// SPDX-License-Identifier: MIT
#include "ui/onboarding/OnboardingPanel.h"

#include <QApplication>
#include <QCursor>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include "ui/onboarding/OnboardingWindowView.h"

OnboardingPanel::OnboardingPanel(const Dependencies& dependencies, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    // The application's name, the same in every language.
    setWindowTitle(QStringLiteral("Quillstack"));
    setFixedSize(panelSize);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_content = new OnboardingWindowView(
        dependencies.settings, dependencies.chordDetector, dependencies.clipboard,
        dependencies.scheduler, dependencies.integration, dependencies.session, dependencies.tray);
    layout->addWidget(m_content, 0, Qt::AlignCenter);

    const auto activeWindow = dependencies.activeWindowGeometry
                                  ? dependencies.activeWindowGeometry()
                                  : std::optional<QRect>();
    if (const auto area = placementArea(activeWindow)) {
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, panelSize, *area));
    }
}

std::optional<QRect> OnboardingPanel::placementArea(const std::optional<QRect>& activeWindow) {
    QScreen* screen = activeWindow ? QGuiApplication::screenAt(activeWindow->center()) : nullptr;
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
        return std::nullopt;
    }
    return screen->availableGeometry();
}

void OnboardingPanel::present() {
    if (isVisible() && !isActiveWindow()) {
        // Mapping again is what brings a window to the desktop the user is on.
        const QRect frame = geometry();
        hide();
        setGeometry(frame);
    }
    show();
    raise();
    activateWindow();
}
