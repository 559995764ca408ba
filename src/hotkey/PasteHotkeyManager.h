#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

#include "platform/KeyboardHooks.h"
#include "platform/Workspace.h"

class AccessibilityTrust;
class AppSettings;
class ClipboardHistory;
class KeyInjector;
struct Keystroke;
class Pasteboard;
class Scheduler;

// The paste-from-history chord: detects it system-wide, runs the popup's state (selection, keys,
// removal) and delivers the paste into the application that was in front. Main thread only.
class PasteHotkeyManager : public QObject {
    Q_OBJECT
  public:
    static constexpr int ownWindowPasteDelayMs = 100;
    static constexpr int activationPollIntervalMs = 20;
    static constexpr int activationTimeoutMs = 1000;
    static constexpr int logPreviewLength = 40;

    // `pasteboard` is the one the history writes to: the keystroke waits until the write is in
    // force.
    PasteHotkeyManager(KeyboardHooks& hooks, AccessibilityTrust& trust, Workspace& workspace,
                       KeyInjector& keyInjector, Scheduler& scheduler, ClipboardHistory& history,
                       AppSettings& settings, Pasteboard& pasteboard, QObject* parent = nullptr);
    ~PasteHotkeyManager() override;

    bool isPopupVisible() const { return m_isPopupVisible; }
    bool isGlobalHotkeyAvailable() const { return m_isGlobalHotkeyAvailable; }
    bool isUsingAccessibilityForHotkey() const { return m_isUsingAccessibilityForHotkey; }
    bool isAccessibilityTrusted() const { return m_isAccessibilityTrusted; }
    // Another program holds the chord, so it could not be made ours; the chord is still seen
    // system-wide, and both programs react to it.
    bool isHotkeyTakenByAnotherProgram() const { return m_isHotkeyTakenByAnotherProgram; }
    qsizetype selectedIndex() const { return m_selectedIndex; }
    const std::optional<RunningApp>& previousFrontmostApp() const { return m_previousFrontmostApp; }

    // The list view selects a row on a single click.
    void setSelectedIndex(qsizetype index);

    void startMonitoring();
    void restartMonitoring();
    void refreshOnActivation();
    void stopMonitoring();
    // While the user records a new chord, detection steps aside for as long as the handle
    // lives: every hook is released, so that any chord (the current one included) reaches the
    // recorder instead of opening the popup. The published flags keep describing the detection
    // that resumes afterwards; chord changes meanwhile are installed on resumption.
    [[nodiscard]] std::unique_ptr<HookHandle> pauseDetection();
    bool isDetectionPaused() const { return m_pauses > 0; }

    void requestAccessibilityPromptFromOS();
    void openAccessibilitySettings();
    void requestAccessibilityAndOpenSettings();

    void selectNext();
    void selectPrevious();
    void deleteSelectedItem();
    void removeItemFromHistory(qsizetype index);
    void pasteItemAndClose(qsizetype index);
    // What the chord does, for a desktop's own shortcut that runs a command instead.
    void toggleFromCommand() { chordPressed(); }

  Q_SIGNALS:
    void isPopupVisibleChanged(bool visible);
    void isGlobalHotkeyAvailableChanged(bool available);
    void isUsingAccessibilityForHotkeyChanged(bool usingAccessibility);
    void isAccessibilityTrustedChanged(bool trusted);
    void isHotkeyTakenByAnotherProgramChanged(bool taken);
    void selectedIndexChanged(qsizetype index);

  private:
    void installMonitors();
    bool tryInstallEventTap();
    void handleKeyDown(const KeyEvent& event);
    void recognizeKeyDown(const KeyEvent& event);
    void chordPressed();
    void closePopupWithoutPaste();
    void startArrowKeyMonitor();
    void stopArrowKeyMonitor();
    bool handlePopupKey(const KeyEvent& event);
    void waitForAppActivation(const RunningApp& app, std::function<void()> completion);
    void checkActivation(const RunningApp& app, qint64 startMs,
                         std::shared_ptr<std::function<void()>> completion);
    void whenWriteConfirmed(std::function<void()> post);
    void postPasteKeystroke(const Keystroke& keystroke);

    void setPopupVisible(bool visible);
    void setGlobalHotkeyAvailable(bool available);
    void setUsingAccessibilityForHotkey(bool usingAccessibility);
    void setAccessibilityTrusted(bool trusted);
    void setHotkeyTakenByAnotherProgram(bool taken);
    void resumeDetection();

    KeyboardHooks& m_hooks;
    AccessibilityTrust& m_trust;
    Workspace& m_workspace;
    KeyInjector& m_keyInjector;
    Scheduler& m_scheduler;
    ClipboardHistory& m_history;
    AppSettings& m_settings;
    Pasteboard& m_pasteboard;

    bool m_isPopupVisible = false;
    bool m_isGlobalHotkeyAvailable = false;
    bool m_isUsingAccessibilityForHotkey = false;
    bool m_isAccessibilityTrusted = false;
    bool m_isHotkeyTakenByAnotherProgram = false;
    bool m_chordHeldElsewhere = false;
    bool m_isMonitoring = false;
    int m_pauses = 0;
    bool m_installOnResume = false;
    qsizetype m_selectedIndex = 0;
    std::optional<RunningApp> m_previousFrontmostApp;

    // The interceptor stands for the event tap; modifier changes have no effect, so no
    // modifier observers are installed.
    std::unique_ptr<HookHandle> m_eventTap;
    std::unique_ptr<HookHandle> m_globalKeyDown;
    std::unique_ptr<HookHandle> m_localKeyDown;
    std::unique_ptr<HookHandle> m_arrowKeyMonitor;
};
