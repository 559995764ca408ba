// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QPointer>

#include "ui/onboarding/OnboardingPanel.h"

// Owns the onboarding panel: shows it until onboarding is completed, hides it (keeping it)
// when it is, and builds a fresh one when onboarding restarts. Main thread only.
class OnboardingWindowController : public QObject {
    Q_OBJECT
  public:
    explicit OnboardingWindowController(OnboardingPanel::Dependencies dependencies,
                                        QObject* parent = nullptr);
    ~OnboardingWindowController() override;

    // At launch: shows the panel unless onboarding was completed, then hides it whenever the
    // completion flag turns true.
    void startAtLaunch();
    // Brings the panel forward, creating it on first use.
    void showOnboardingWindow();
    // A fresh panel at the first page, with onboarding marked not completed.
    void restartOnboardingFromBeginning();
    // Hides the panel; the next show brings back the same one.
    void closeOnboardingWindow();
    // At termination: closes the panel and lets it go.
    void dropOnboardingWindow();

    OnboardingPanel* onboardingWindow() const { return m_panel; }

  private:
    OnboardingPanel::Dependencies m_dependencies;
    QPointer<OnboardingPanel> m_panel;
    QMetaObject::Connection m_completionSubscription;
};
