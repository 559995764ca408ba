// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

#include <memory>

#include "platform/KeyboardHooks.h"

class InputInjectionAccess;
class AppSettings;
class Scheduler;

// Detects the paste-from-history chord: intercepted system-wide where it can be had, else
// observed, else only in our own windows. Main thread only.
class ChordDetector : public QObject {
    Q_OBJECT
  public:
    ChordDetector(KeyboardHooks& hooks, InputInjectionAccess& trust, Scheduler& scheduler,
                  AppSettings& settings, QObject* parent = nullptr);
    ~ChordDetector() override;

    bool isGlobalChordAvailable() const { return m_isGlobalChordAvailable; }
    bool isUsingAccessibilityForChord() const { return m_isUsingAccessibilityForChord; }
    bool isInputInjectionAllowed() const { return m_isInputInjectionAllowed; }
    // Another program holds the chord, so it could not be made ours; the chord is still seen
    // system-wide, and both programs react to it.
    bool isChordTakenByAnotherProgram() const { return m_isChordTakenByAnotherProgram; }

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
    void isGlobalChordAvailableChanged(bool available);
    void isInputInjectionAllowedChanged(bool trusted);
    void isChordTakenByAnotherProgramChanged(bool taken);

  private:
    void installMonitors();
    bool tryInstallEventTap();
    void handleKeyDown(const KeyEvent& event);
    void recognizeKeyDown(const KeyEvent& event);
    void resumeDetection();

    void setGlobalChordAvailable(bool available);
    void setUsingAccessibilityForChord(bool usingAccessibility);
    void setInputInjectionAllowed(bool trusted);
    void setChordTakenByAnotherProgram(bool taken);

    KeyboardHooks& m_hooks;
    InputInjectionAccess& m_trust;
    Scheduler& m_scheduler;
    AppSettings& m_settings;

    bool m_isGlobalChordAvailable = false;
    bool m_isUsingAccessibilityForChord = false;
    bool m_isInputInjectionAllowed = false;
    bool m_isChordTakenByAnotherProgram = false;
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
