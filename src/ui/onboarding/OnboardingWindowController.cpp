// SPDX-License-Identifier: MIT
#include "ui/onboarding/OnboardingWindowController.h"

#include "settings/AppSettings.h"

OnboardingWindowController::OnboardingWindowController(OnboardingPanel::Dependencies dependencies,
                                                       QObject* parent)
    : QObject(parent), m_dependencies(std::move(dependencies)) {}

OnboardingWindowController::~OnboardingWindowController() {
    dropOnboardingWindow();
}

void OnboardingWindowController::startAtLaunch() {
    if (!m_dependencies.settings.onboardingCompleted()) {
        showOnboardingWindow();
    }
    if (!m_completionSubscription) {
        m_completionSubscription =
            connect(&m_dependencies.settings, &AppSettings::onboardingCompletedChanged, this,
                    [this](bool completed) {
                        if (completed) {
                            closeOnboardingWindow();
                        }
                    });
    }
}

void OnboardingWindowController::showOnboardingWindow() {
    if (!m_panel) {
        m_panel = new OnboardingPanel(m_dependencies);
    }
    m_panel->present();
}

void OnboardingWindowController::restartOnboardingFromBeginning() {
    if (m_panel) {
        m_panel->hide();
        // Later, not now: the request may come from a signal of something inside it.
        m_panel->deleteLater();
        m_panel = nullptr;
    }
    m_dependencies.settings.setOnboardingCompleted(false);
    showOnboardingWindow();
}

void OnboardingWindowController::closeOnboardingWindow() {
    if (m_panel) {
        m_panel->hide();
    }
}

void OnboardingWindowController::dropOnboardingWindow() {
    delete m_panel.data();
    m_panel = nullptr;
}
