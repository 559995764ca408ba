// SPDX-License-Identifier: MIT
#pragma once

#include <QRect>
#include <QSize>
#include <QWidget>

#include <functional>
#include <optional>

#include "platform/WindowSystem.h"

class AppSettings;
class OnboardingWindowView;
class Clipboard;
class ChordDetector;
class DesktopIntegration;
class QuillstackTray;
class Scheduler;

// The onboarding window: 380 × 520, titled "Quillstack", closable but not resizable, kept
// above ordinary windows (our history and settings windows too), centred on the screen the user
// works on. Closing only hides it (the default for a window that is not deleted on close); refusing
// the close instead would also refuse it when the application quits, which closes every window
// first.
class OnboardingPanel : public QWidget {
    Q_OBJECT
  public:
    static constexpr QSize panelSize{380, 520};

    struct Dependencies {
        AppSettings& settings;
        ChordDetector& chordDetector;
        Clipboard& clipboard;
        Scheduler& scheduler;
        // The active window's frame in device-independent pixels; none when nothing is active.
        // It picks the screen to centre on (else the primary one).
        std::function<std::optional<QRect>()> activeWindowGeometry;
        // What the paste page offers to turn on; none where nothing is needed.
        DesktopIntegration* integration = nullptr;
        // What the paste page explains: how this session lets us paste.
        SessionKind session = SessionKind::X11;
        // Whether the tray shows, for the pages that point at it; none in tests.
        QuillstackTray* tray = nullptr;
    };

    explicit OnboardingPanel(const Dependencies& dependencies, QWidget* parent = nullptr);

    // Shows the panel, or brings it forward onto the current desktop, focused.
    void present();
    OnboardingWindowView* content() const { return m_content; }

    // The area to centre on: the available part of the screen holding the active window's
    // centre, else of the primary screen; none without any screen.
    static std::optional<QRect> placementArea(const std::optional<QRect>& activeWindow);

  private:
    OnboardingWindowView* m_content = nullptr;
};
