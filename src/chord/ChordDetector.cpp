// SPDX-License-Identifier: MIT
#include "chord/ChordDetector.h"

#include <QPointer>

#include <functional>

#include "core/AppLogger.h"
#include "core/Scheduler.h"
#include "keys/KeyNames.h"
#include "platform/InputInjectionAccess.h"
#include "settings/AppSettings.h"

QUILLSTACK_DEFINE_COMPONENT_LOG

namespace {

// Destroying it ends a pause of the detection.
class ResumeHandle final : public HookHandle {
  public:
    explicit ResumeHandle(std::function<void()> resume) : m_resume(std::move(resume)) {}
    ~ResumeHandle() override { m_resume(); }

  private:
    std::function<void()> m_resume;
};

QString boolText(bool value) {
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

}  // namespace

ChordDetector::ChordDetector(KeyboardHooks& hooks, InputInjectionAccess& trust,
                             Scheduler& scheduler, AppSettings& settings, QObject* parent)
    : QObject(parent),
      m_hooks(hooks),
      m_trust(trust),
      m_scheduler(scheduler),
      m_settings(settings) {}

ChordDetector::~ChordDetector() = default;

void ChordDetector::setGlobalChordAvailable(bool available) {
    if (m_isGlobalChordAvailable == available) {
        return;
    }
    m_isGlobalChordAvailable = available;
    Q_EMIT isGlobalChordAvailableChanged(available);
}

void ChordDetector::setUsingAccessibilityForChord(bool usingAccessibility) {
    m_isUsingAccessibilityForChord = usingAccessibility;
}

void ChordDetector::setInputInjectionAllowed(bool trusted) {
    if (m_isInputInjectionAllowed == trusted) {
        return;
    }
    m_isInputInjectionAllowed = trusted;
    Q_EMIT isInputInjectionAllowedChanged(trusted);
}

void ChordDetector::setChordTakenByAnotherProgram(bool taken) {
    if (m_isChordTakenByAnotherProgram == taken) {
        return;
    }
    m_isChordTakenByAnotherProgram = taken;
    Q_EMIT isChordTakenByAnotherProgramChanged(taken);
}

void ChordDetector::startMonitoring() {
    log(QStringLiteral("startMonitoring: starting"));
    if (m_pauses > 0) {
        m_installOnResume = true;
        return;
    }
    if (m_globalKeyDown) {
        log(QStringLiteral("startMonitoring: already monitoring"));
        return;
    }
    installMonitors();
}

void ChordDetector::restartMonitoring() {
    if (m_pauses > 0) {
        m_installOnResume = true;
        return;
    }
    stopMonitoring();
    installMonitors();
}

std::unique_ptr<HookHandle> ChordDetector::pauseDetection() {
    if (m_pauses++ == 0) {
        log(QStringLiteral("pauseDetection: hooks released while a chord is recorded"));
        m_installOnResume = m_isMonitoring;
        m_eventTap.reset();
        m_globalKeyDown.reset();
        m_localKeyDown.reset();
    }
    QPointer<ChordDetector> self(this);
    return std::make_unique<ResumeHandle>([self] {
        if (self) {
            self->resumeDetection();
        }
    });
}

void ChordDetector::resumeDetection() {
    if (m_pauses == 0 || --m_pauses > 0) {
        return;
    }
    log(QStringLiteral("pauseDetection: resuming"));
    if (m_installOnResume) {
        m_installOnResume = false;
        restartMonitoring();
    }
}

void ChordDetector::refreshOnActivation() {
    const bool trusted = m_trust.isTrusted();
    setInputInjectionAllowed(trusted);
    if (m_pauses > 0) {
        return;
    }
    // A refused interception is tried again: the program that held the chord may be gone.
    if (m_isUsingAccessibilityForChord && m_isGlobalChordAvailable) {
        return;
    }
    log(QStringLiteral(
            "refreshOnActivation: reinstalling monitors (trusted=%1, taken=%2, global=%3)")
            .arg(boolText(trusted), boolText(m_isUsingAccessibilityForChord),
                 boolText(m_isGlobalChordAvailable)));
    restartMonitoring();
}

void ChordDetector::stopMonitoring() {
    // During a pause the interceptor is already gone while the flag still stands for it.
    m_eventTap.reset();
    setUsingAccessibilityForChord(false);
    m_globalKeyDown.reset();
    m_localKeyDown.reset();
    m_isMonitoring = false;
    // Stopped stays stopped when a paused recorder finishes.
    m_installOnResume = false;
    setGlobalChordAvailable(false);
    setChordTakenByAnotherProgram(false);
}

void ChordDetector::installMonitors() {
    log(QStringLiteral("installMonitors: installing"));
    // Release before hooking again: a second start finds the interceptor still up, and on X11
    // dropping the old grab after taking the new one would release the chord for good.
    m_eventTap.reset();
    m_globalKeyDown.reset();
    m_localKeyDown.reset();

    const bool tapInstalled = tryInstallEventTap();
    setInputInjectionAllowed(m_trust.isTrusted());

    if (!tapInstalled) {
        setUsingAccessibilityForChord(false);
        QPointer<ChordDetector> self(this);
        m_globalKeyDown = m_hooks.observeGlobalKeyDowns([self](const KeyEvent& event) {
            if (self) {
                self->handleKeyDown(event);
            }
        });
    }

    QPointer<ChordDetector> self(this);
    m_localKeyDown = m_hooks.observeLocalKeyDowns([self](const KeyEvent& event) {
        if (self) {
            self->handleKeyDown(event);
        }
        return false;
    });

    m_isMonitoring = true;
    setGlobalChordAvailable(tapInstalled || m_globalKeyDown != nullptr);
    // Both programs react to the chord only when we still see it without the grab.
    setChordTakenByAnotherProgram(m_chordHeldElsewhere && m_globalKeyDown != nullptr);
    if (m_isGlobalChordAvailable) {
        log(QStringLiteral("installMonitors: system-wide detection (%1)")
                .arg(tapInstalled ? QStringLiteral("chord taken")
                                  : QStringLiteral("keys observed, not taken")));
    } else {
        log(QStringLiteral("installMonitors: no system-wide detection, own windows only"));
    }
    log(QStringLiteral("installMonitors: chord \"%1\"")
            .arg(KeyNames::displayString(m_settings.chordModifiers(), m_settings.chordKeyCode())));
}

bool ChordDetector::tryInstallEventTap() {
    QPointer<ChordDetector> self(this);
    // The interceptor does as little as possible: two comparisons, then one hop.
    auto onChord = [self](const KeyEvent& event) {
        if (!self || !modifierFlagsMatch(self->m_settings.chordModifiers(), event.modifiers) ||
            event.keyCode != self->m_settings.chordKeyCode()) {
            return;
        }
        self->m_scheduler.post([self, event] {
            if (self) {
                self->handleKeyDown(event);
            }
        });
    };
    bool installed = false;
    m_chordHeldElsewhere = false;
    // Taking the chord needs no trust here: an X grab, KGlobalAccel or the Shell's accelerator
    // is open to every program. Trust only decides whether the paste can be typed, so a desktop
    // that refuses the typing still opens the popup on the chord.
    ChordRefusal refusal = ChordRefusal::None;
    if (auto tap = m_hooks.interceptChord(m_settings.chordKeyCode(), m_settings.chordModifiers(),
                                          std::move(onChord), &refusal)) {
        m_eventTap = std::move(tap);
        setUsingAccessibilityForChord(true);
        installed = true;
    } else {
        m_chordHeldElsewhere = refusal == ChordRefusal::HeldElsewhere;
    }
    log(QStringLiteral("tryInstallEventTap: %1")
            .arg(installed              ? QStringLiteral("chord intercepted")
                 : m_chordHeldElsewhere ? QStringLiteral("chord held by another program")
                                        : QStringLiteral("interception not available")));
    return installed;
}

void ChordDetector::handleKeyDown(const KeyEvent& event) {
    QPointer<ChordDetector> self(this);
    m_scheduler.post([self, event] {
        if (self) {
            self->recognizeKeyDown(event);
        }
    });
}

void ChordDetector::recognizeKeyDown(const KeyEvent& event) {
    const bool modifiersMatch = modifierFlagsMatch(m_settings.chordModifiers(), event.modifiers);
    const quint16 needKey = m_settings.chordKeyCode();
    const bool keyMatch = event.keyCode == needKey;
    if (!modifiersMatch && !keyMatch) {
        return;
    }
    log(QStringLiteral("KeyDown: keyCode=%1 needKey=%2 modifiersMatch=%3 keyMatch=%4")
            .arg(event.keyCode)
            .arg(needKey)
            .arg(boolText(modifiersMatch), boolText(keyMatch)));
    if (!(modifiersMatch && keyMatch)) {
        return;
    }
    log(QStringLiteral("KeyDown: chord matched (keyCode=%1)").arg(event.keyCode));
    Q_EMIT chordPressed();
}
