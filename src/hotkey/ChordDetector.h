// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

#include <memory>

#include "platform/KeyboardHooks.h"

class AccessibilityTrust;
class AppSettings;
class Scheduler;

// Detects the paste-from-history chord: intercepted system-wide where it can be had, else
// observed, else only in our own windows. Main thread only.
class ChordDetector : public QObject {
    Q_OBJECT
  public:
    ChordDetector(KeyboardHooks& hooks, AccessibilityTrust& trust, Scheduler& scheduler,
                  AppSettings& settings, QObject* parent = nullptr);
    ~ChordDetector() override;

    bool isGlobalHotkeyAvailable() const { return m_isGlobalHotkeyAvailable; }
    bool isUsingAccessibilityForHotkey() const { return m_isUsingAccessibilityForHotkey; }
    bool isAccessibilityTrusted() const { return m_isAccessibilityTrusted; }
    // Another program holds the chord, so it could not be made ours; the chord is still seen
    // system-wide, and both programs react to it.
    bool isHotkeyTakenByAnotherProgram() const { return m_isHotkeyTakenByAnotherProgram; }

    void startMonitoring();
    void restartMonitoring();
    void refreshOnActivation();
    void stopMonitoring();
    // While the user records a new chord, detection steps aside for as long as the handle
    // lives: every hook is released, so that any chord (the current one included) reaches the
    // recorder instead of opening the popup. The published flags keep describing the detection
    // that resumes afterwards; chord changes meanwhile are installed on resumption.
    [[nodiscard]] std::unique_ptr<HookHandle> pauseDetection();

  Q_SIGNALS:
    // Each key-down of the chord, key repeats included, one turn after it arrived.
    void chordPressed();
    void isGlobalHotkeyAvailableChanged(bool available);
    void isAccessibilityTrustedChanged(bool trusted);
    void isHotkeyTakenByAnotherProgramChanged(bool taken);

  private:
    void installMonitors();
    bool tryInstallEventTap();
    void handleKeyDown(const KeyEvent& event);
    void recognizeKeyDown(const KeyEvent& event);
    void resumeDetection();

    void setGlobalHotkeyAvailable(bool available);
    void setUsingAccessibilityForHotkey(bool usingAccessibility);
    void setAccessibilityTrusted(bool trusted);
    void setHotkeyTakenByAnotherProgram(bool taken);

    KeyboardHooks& m_hooks;
    AccessibilityTrust& m_trust;
    Scheduler& m_scheduler;
    AppSettings& m_settings;

    bool m_isGlobalHotkeyAvailable = false;
    bool m_isUsingAccessibilityForHotkey = false;
    bool m_isAccessibilityTrusted = false;
    bool m_isHotkeyTakenByAnotherProgram = false;
    bool m_chordHeldElsewhere = false;
    bool m_isMonitoring = false;
    int m_pauses = 0;
    bool m_installOnResume = false;

    // The interceptor stands for the event tap; modifier changes have no effect, so no
    // modifier observers are installed.
    std::unique_ptr<HookHandle> m_eventTap;
    std::unique_ptr<HookHandle> m_globalKeyDown;
    std::unique_ptr<HookHandle> m_localKeyDown;
};
