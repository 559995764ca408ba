// SPDX-License-Identifier: MIT
#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/WindowSystem.h"

class AppSettings;
class OnboardingView;
class Clipboard;
class ChordDetector;
class QComboBox;
class Scheduler;
class DesktopIntegration;
class QuillstackTray;

// The onboarding panel's content: a language chooser above the wizard. The interface language
// is its identity: whenever it changes, from here or from the settings window, the whole
// content is built again, every text looked up anew and the wizard back at its first page.
class OnboardingWindowView : public QWidget {
    Q_OBJECT
  public:
    static constexpr int contentWidth = 360;
    static constexpr int contentHeight = 500;

    OnboardingWindowView(AppSettings& settings, ChordDetector& chordDetector, Clipboard& clipboard,
                         Scheduler& scheduler, DesktopIntegration* integration = nullptr,
                         SessionKind session = SessionKind::X11, QuillstackTray* tray = nullptr,
                         QWidget* parent = nullptr);

    OnboardingView* wizardView() const { return m_wizardView; }
    QComboBox* languagePicker() const { return m_picker; }

  private:
    void rebuild();

    AppSettings& m_settings;
    ChordDetector& m_chordDetector;
    Clipboard& m_clipboard;
    Scheduler& m_scheduler;
    DesktopIntegration* m_integration;
    QuillstackTray* m_tray;
    SessionKind m_session;
    QPointer<QWidget> m_content;
    OnboardingView* m_wizardView = nullptr;
    QComboBox* m_picker = nullptr;
};
