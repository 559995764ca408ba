// SPDX-License-Identifier: MIT
#pragma once

#include <QPointer>
#include <QPropertyAnimation>
#include <QWidget>

#include "platform/WindowSystem.h"

class AppSettings;
class OnboardingWizard;
class Clipboard;
class ChordDetector;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QToolButton;
class Scheduler;
class DesktopIntegration;
class QuillstackTray;

namespace onboarding {
class RoundedBox;
class StepDots;
}  // namespace onboarding

// The first-run wizard: seven pages one at a time, the step dots and Back / Skip / Next (Done).
// Built whole from its constructor arguments, so a language change simply makes a new one.
class OnboardingView : public QWidget {
    Q_OBJECT
  public:
    static constexpr int pageTransitionMs = 200;

    OnboardingView(AppSettings& settings, ChordDetector& chordDetector, Clipboard& clipboard,
                   Scheduler& scheduler, DesktopIntegration* integration = nullptr,
                   SessionKind session = SessionKind::X11, QuillstackTray* tray = nullptr,
                   QWidget* parent = nullptr);
    ~OnboardingView() override;

    OnboardingWizard& wizard() const { return *m_wizard; }
    // The last page's box, as the user left it in a view this one replaces.
    void setStartAtLogin(bool on);

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    QWidget* buildPage(int step);
    QWidget* buildWelcomePage();
    QWidget* buildUniversalAccessPage();
    QWidget* buildCopyTrainingPage();
    QWidget* buildPasteTrainingPage();
    QWidget* buildCopyableBlock(int sample);
    QWidget* buildPasteFieldBlock(int field);
    void addWayInNotice(QWidget* built);
    void showStep(int step, bool animated);
    void updateButtons();
    void updateTrust(bool trusted);
    void updateCopied();
    void updatePasteFields();
    void focusForStep(int step);

    AppSettings& m_settings;
    ChordDetector& m_chordDetector;
    OnboardingWizard* m_wizard = nullptr;

    QStackedWidget* m_pages = nullptr;
    onboarding::StepDots* m_dots = nullptr;
    QPushButton* m_back = nullptr;
    QPushButton* m_skip = nullptr;
    QPushButton* m_next = nullptr;
    QPointer<QPropertyAnimation> m_fadeAnimation;

    QCheckBox* m_startAtLogin = nullptr;
    QWidget* m_trustedRow = nullptr;
    QLabel* m_pasteRoute = nullptr;
    SessionKind m_session;
    DesktopIntegration* m_integration = nullptr;
    QuillstackTray* m_tray = nullptr;
    onboarding::RoundedBox* m_sampleBoxes[2] = {nullptr, nullptr};
    QToolButton* m_copyButtons[2] = {nullptr, nullptr};
    QLabel* m_bothCopied = nullptr;
    onboarding::RoundedBox* m_fieldBoxes[2] = {nullptr, nullptr};
    QLineEdit* m_fields[2] = {nullptr, nullptr};
    QWidget* m_correctRow = nullptr;
};
