// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

#include "ui/onboarding/OnboardingPanel.h"

class ClipboardHistory;
class OnboardingWindowController;
class ChordDetector;
class PastePopupWindowController;

// The application's life: the launch sequence, re-activation and termination.
class AppDelegate : public QObject {
    Q_OBJECT
  public:
    AppDelegate(ClipboardHistory& history, ChordDetector& manager,
                PastePopupWindowController& popupController,
                const OnboardingPanel::Dependencies& onboarding, QObject* parent = nullptr);
    ~AppDelegate() override;

    void applicationDidFinishLaunching();
    void applicationDidBecomeActive();
    void applicationWillTerminate();

    // Logs an uncaught exception's type, reason and call stack, then aborts.
    [[noreturn]] static void handleUncaughtException();

  public Q_SLOTS:
    // "ShowOnboardingWindow", also reached by --show-onboarding.
    void showOnboardingWindow();
    // "RestartOnboarding": the tray's "Welcome guide" row.
    void restartOnboardingFromBeginning();

  private:
    ClipboardHistory& m_history;
    ChordDetector& m_manager;
    PastePopupWindowController& m_popupController;
    OnboardingWindowController* m_onboarding = nullptr;
};
