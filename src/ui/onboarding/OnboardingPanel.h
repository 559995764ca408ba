// SPDX-License-Identifier: MIT
#pragma once

#include <QRect>
#include <QSize>

#include <functional>
#include <optional>

#include "platform/WindowSystem.h"
#include "ui/common/AppWindow.h"

class AppSettings;
class ChordDetector;
class Clipboard;
class DesktopIntegration;
class OnboardingView;
class QComboBox;
class QuillstackTray;
class Scheduler;

// The first-start guide's window: 380 × 520, titled "Quillstack", closable but not resizable,
// kept above ordinary windows (our history and settings windows too), centred on the screen the
// user works on, otherwise one of our windows (AppWindow). Its content is a language chooser
// above the guide's pages; the interface language is its identity: whenever it changes, from
// here or from the settings window, the content is built again, every text looked up anew and
// the guide back at its first page, the answer about starting at login kept. It hides once the
// guide is completed, and keeps its place for a later showing.
class OnboardingPanel : public AppWindow {
    Q_OBJECT
  public:
    static constexpr QSize panelSize{380, 520};
    static constexpr QSize contentSize{360, 500};

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

    // The guide again from its first page, as on the first start: onboarding marked not
    // completed, the content and the answers fresh, the panel centred anew.
    void restart();

    // None before the panel is first presented.
    OnboardingView* wizardView() const;
    QComboBox* languagePicker() const;

    // The area to centre on: the available part of the screen holding the active window's
    // centre, else of the primary screen; none without any screen.
    static std::optional<QRect> placementArea(const std::optional<QRect>& activeWindow);

  protected:
    std::optional<QRect> firstArea() const override;

  private:
    QWidget* makeContent();

    Dependencies m_dependencies;
};
