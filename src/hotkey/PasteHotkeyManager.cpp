#include "hotkey/PasteHotkeyManager.h"

#include <QPointer>

#include "core/AppLogger.h"
#include "core/GraphemeCut.h"
#include "core/Scheduler.h"
#include "history/ClipboardHistory.h"
#include "hotkey/PasteKeystrokeTable.h"
#include "platform/AccessibilityTrust.h"
#include "platform/KeyInjector.h"
#include "platform/Pasteboard.h"
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

QString nameOrQuestionMark(const RunningApp& app) {
    return app.name.isEmpty() ? QStringLiteral("?") : app.name;
}

// The first characters as the user sees them, so an emoji is never cut in half in the log.
[[maybe_unused]] QString leadingCharacters(const QString& text, int count) {
    return text.left(graphemeCut(text, count).value_or(text.size()));
}

}  // namespace

PasteHotkeyManager::PasteHotkeyManager(KeyboardHooks& hooks, AccessibilityTrust& trust,
                                       Workspace& workspace, KeyInjector& keyInjector,
                                       Scheduler& scheduler, ClipboardHistory& history,
                                       AppSettings& settings, Pasteboard& pasteboard,
                                       QObject* parent)
    : QObject(parent),
      m_hooks(hooks),
      m_trust(trust),
      m_workspace(workspace),
      m_keyInjector(keyInjector),
      m_scheduler(scheduler),
      m_history(history),
      m_settings(settings),
      m_pasteboard(pasteboard) {}

PasteHotkeyManager::~PasteHotkeyManager() = default;

void PasteHotkeyManager::setSelectedIndex(qsizetype index) {
    if (m_selectedIndex == index) {
        return;
    }
    m_selectedIndex = index;
    Q_EMIT selectedIndexChanged(index);
}

void PasteHotkeyManager::setPopupVisible(bool visible) {
    if (m_isPopupVisible == visible) {
        return;
    }
    m_isPopupVisible = visible;
    Q_EMIT isPopupVisibleChanged(visible);
}

void PasteHotkeyManager::setGlobalHotkeyAvailable(bool available) {
    if (m_isGlobalHotkeyAvailable == available) {
        return;
    }
    m_isGlobalHotkeyAvailable = available;
    Q_EMIT isGlobalHotkeyAvailableChanged(available);
}

void PasteHotkeyManager::setUsingAccessibilityForHotkey(bool usingAccessibility) {
    if (m_isUsingAccessibilityForHotkey == usingAccessibility) {
        return;
    }
    m_isUsingAccessibilityForHotkey = usingAccessibility;
    Q_EMIT isUsingAccessibilityForHotkeyChanged(usingAccessibility);
}

void PasteHotkeyManager::setAccessibilityTrusted(bool trusted) {
    if (m_isAccessibilityTrusted == trusted) {
        return;
    }
    m_isAccessibilityTrusted = trusted;
    Q_EMIT isAccessibilityTrustedChanged(trusted);
}

void PasteHotkeyManager::setHotkeyTakenByAnotherProgram(bool taken) {
    if (m_isHotkeyTakenByAnotherProgram == taken) {
        return;
    }
    m_isHotkeyTakenByAnotherProgram = taken;
    Q_EMIT isHotkeyTakenByAnotherProgramChanged(taken);
}

// ---- Detection ----

void PasteHotkeyManager::startMonitoring() {
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

void PasteHotkeyManager::restartMonitoring() {
    if (m_pauses > 0) {
        m_installOnResume = true;
        return;
    }
    stopMonitoring();
    installMonitors();
}

std::unique_ptr<HookHandle> PasteHotkeyManager::pauseDetection() {
    if (m_pauses++ == 0) {
        log(QStringLiteral("pauseDetection: hooks released while a chord is recorded"));
        m_installOnResume = m_isMonitoring;
        m_eventTap.reset();
        m_globalKeyDown.reset();
        m_localKeyDown.reset();
    }
    QPointer<PasteHotkeyManager> self(this);
    return std::make_unique<ResumeHandle>([self] {
        if (self) {
            self->resumeDetection();
        }
    });
}

void PasteHotkeyManager::resumeDetection() {
    if (m_pauses == 0 || --m_pauses > 0) {
        return;
    }
    log(QStringLiteral("pauseDetection: resuming"));
    if (m_installOnResume) {
        m_installOnResume = false;
        restartMonitoring();
    }
}

void PasteHotkeyManager::refreshOnActivation() {
    const bool trusted = m_trust.isTrusted();
    setAccessibilityTrusted(trusted);
    if (m_pauses > 0) {
        return;
    }
    const bool interceptorBecamePossible = trusted && !m_isUsingAccessibilityForHotkey;
    if (!interceptorBecamePossible && m_isGlobalHotkeyAvailable) {
        return;
    }
    log(QStringLiteral("refreshOnActivation: reinstalling monitors (trusted=%1, tap=%2, global=%3)")
            .arg(boolText(trusted), boolText(m_isUsingAccessibilityForHotkey),
                 boolText(m_isGlobalHotkeyAvailable)));
    restartMonitoring();
}

void PasteHotkeyManager::stopMonitoring() {
    // During a pause the interceptor is already gone while the flag still stands for it.
    m_eventTap.reset();
    setUsingAccessibilityForHotkey(false);
    m_globalKeyDown.reset();
    m_localKeyDown.reset();
    m_isMonitoring = false;
    // Stopped stays stopped when a paused recorder finishes.
    m_installOnResume = false;
    setGlobalHotkeyAvailable(false);
    setHotkeyTakenByAnotherProgram(false);
}

void PasteHotkeyManager::installMonitors() {
    log(QStringLiteral("installMonitors: installing"));
    // Release before hooking again: a second start finds the interceptor still up, and on X11
    // dropping the old grab after taking the new one would release the chord for good.
    m_eventTap.reset();
    m_globalKeyDown.reset();
    m_localKeyDown.reset();

    const bool tapInstalled = tryInstallEventTap();
    setAccessibilityTrusted(m_trust.isTrusted());

    if (!tapInstalled) {
        setUsingAccessibilityForHotkey(false);
        QPointer<PasteHotkeyManager> self(this);
        m_globalKeyDown = m_hooks.observeGlobalKeyDowns([self](const KeyEvent& event) {
            if (self) {
                self->handleKeyDown(event);
            }
        });
    }

    QPointer<PasteHotkeyManager> self(this);
    m_localKeyDown = m_hooks.observeLocalKeyDowns([self](const KeyEvent& event) {
        if (self) {
            self->handleKeyDown(event);
        }
        return false;
    });

    m_isMonitoring = true;
    setGlobalHotkeyAvailable(tapInstalled || m_globalKeyDown != nullptr);
    // Both programs react to the chord only when we still see it without the grab.
    setHotkeyTakenByAnotherProgram(m_chordHeldElsewhere && m_globalKeyDown != nullptr);
    if (m_isGlobalHotkeyAvailable) {
        log(QStringLiteral("installMonitors: OK глобальный перехват установлен (%1)")
                .arg(tapInstalled ? QStringLiteral("CGEventTap")
                                  : QStringLiteral("addGlobalMonitor")));
    } else {
        log(QStringLiteral("installMonitors: no system-wide detection, own windows only"));
    }
    log(QStringLiteral("installMonitors: хоткей «%1»").arg(m_settings.hotkeyDisplayString()));
}

bool PasteHotkeyManager::tryInstallEventTap() {
    QPointer<PasteHotkeyManager> self(this);
    // The interceptor does as little as possible: two comparisons, then one hop.
    auto onChord = [self](const KeyEvent& event) {
        if (!self || !self->m_settings.modifierFlagsMatch(event.modifiers) ||
            event.keyCode != self->m_settings.hotkeyKeyCode()) {
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
    if (m_trust.isTrusted(false)) {
        ChordRefusal refusal = ChordRefusal::None;
        if (auto tap =
                m_hooks.interceptChord(m_settings.hotkeyKeyCode(), m_settings.hotkeyModifiers(),
                                       std::move(onChord), &refusal)) {
            m_eventTap = std::move(tap);
            setUsingAccessibilityForHotkey(true);
            installed = true;
        } else {
            m_chordHeldElsewhere = refusal == ChordRefusal::HeldElsewhere;
        }
    }
    log(QStringLiteral("tryInstallEventTap: %1")
            .arg(installed              ? QStringLiteral("chord intercepted")
                 : m_chordHeldElsewhere ? QStringLiteral("chord held by another program")
                                        : QStringLiteral("interception not available")));
    return installed;
}

void PasteHotkeyManager::handleKeyDown(const KeyEvent& event) {
    QPointer<PasteHotkeyManager> self(this);
    m_scheduler.post([self, event] {
        if (self) {
            self->recognizeKeyDown(event);
        }
    });
}

void PasteHotkeyManager::recognizeKeyDown(const KeyEvent& event) {
    const bool modifiersMatch = m_settings.modifierFlagsMatch(event.modifiers);
    const quint16 needKey = m_settings.hotkeyKeyCode();
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
    log(QStringLiteral("KeyDown: hotkey matched (keyCode=%1)").arg(event.keyCode));
    chordPressed();
}

void PasteHotkeyManager::requestAccessibilityPromptFromOS() {
    if (!m_trust.isTrusted(false)) {
        m_trust.isTrusted(true);
    }
}

void PasteHotkeyManager::openAccessibilitySettings() {
    m_workspace.openAccessibilitySettings();
}

void PasteHotkeyManager::requestAccessibilityAndOpenSettings() {
    requestAccessibilityPromptFromOS();
    openAccessibilitySettings();
}

// ---- Popup state ----

void PasteHotkeyManager::chordPressed() {
    if (m_history.items().isEmpty()) {
        log(QStringLiteral("KeyDown: history is empty, nothing to show"));
        return;
    }
    if (m_isPopupVisible) {
        log(QStringLiteral("KeyDown: popup already shown, closing it"));
        closePopupWithoutPaste();
        return;
    }
    m_previousFrontmostApp = m_workspace.frontmostApplication();
    const QString name = m_previousFrontmostApp && !m_previousFrontmostApp->name.isEmpty()
                             ? m_previousFrontmostApp->name
                             : QStringLiteral("nil");
    log(QStringLiteral("KeyDown: showing popup, previousFrontmost=%1").arg(name));
    setSelectedIndex(0);
    setPopupVisible(true);
    startArrowKeyMonitor();
}

void PasteHotkeyManager::startArrowKeyMonitor() {
    if (m_arrowKeyMonitor) {
        return;
    }
    QPointer<PasteHotkeyManager> self(this);
    m_arrowKeyMonitor = m_hooks.observeLocalKeyDowns([self](const KeyEvent& event) {
        // The action may remove this very monitor; nothing of the closure is touched after it.
        return self ? self->handlePopupKey(event) : false;
    });
}

void PasteHotkeyManager::stopArrowKeyMonitor() {
    m_arrowKeyMonitor.reset();
}

bool PasteHotkeyManager::handlePopupKey(const KeyEvent& event) {
    if (!m_isPopupVisible) {
        return false;
    }
    switch (event.keyCode) {
        case KeyCode::Return:
        case KeyCode::KeypadEnter:
            pasteItemAndClose(m_selectedIndex);
            return true;
        case KeyCode::Delete:
        case KeyCode::ForwardDelete:
            deleteSelectedItem();
            return true;
        case KeyCode::Escape:
            closePopupWithoutPaste();
            return true;
        case KeyCode::DownArrow:
            selectNext();
            return true;
        case KeyCode::UpArrow:
            selectPrevious();
            return true;
        default:
            return false;
    }
}

void PasteHotkeyManager::selectNext() {
    const qsizetype n = m_history.items().size();
    if (n == 0) {
        return;
    }
    setSelectedIndex((m_selectedIndex + 1) % n);
}

void PasteHotkeyManager::selectPrevious() {
    const qsizetype n = m_history.items().size();
    if (n == 0) {
        return;
    }
    setSelectedIndex((m_selectedIndex + n - 1) % n);
}

void PasteHotkeyManager::closePopupWithoutPaste() {
    setPopupVisible(false);
    stopArrowKeyMonitor();
    if (m_previousFrontmostApp) {
        const RunningApp app = *m_previousFrontmostApp;
        log(QStringLiteral("closePopupWithoutPaste: yielding activation to %1")
                .arg(nameOrQuestionMark(app)));
        m_workspace.yieldActivation(app);
        m_workspace.activate(app);
    }
    m_previousFrontmostApp.reset();
}

void PasteHotkeyManager::removeItemFromHistory(qsizetype index) {
    if (index < 0 || index >= m_history.items().size()) {
        return;
    }
    m_history.removeItem(index);
    const qsizetype n = m_history.items().size();
    if (n == 0) {
        setPopupVisible(false);
        stopArrowKeyMonitor();
        m_previousFrontmostApp.reset();
        return;
    }
    if (index < m_selectedIndex) {
        setSelectedIndex(m_selectedIndex - 1);
    } else if (m_selectedIndex >= n) {
        setSelectedIndex(n - 1);
    }
}

void PasteHotkeyManager::deleteSelectedItem() {
    removeItemFromHistory(m_selectedIndex);
}

// ---- Paste delivery ----

void PasteHotkeyManager::pasteItemAndClose(qsizetype index) {
    const qsizetype count = m_history.items().size();
    if (index < 0 || index >= count) {
        log(QStringLiteral("pasteItemAndClose: invalid index=%1 count=%2").arg(index).arg(count));
        return;
    }
    if constexpr (AppEnvironment::isLoggingEnabled) {
        const QString preview =
            leadingCharacters(m_history.items().at(index).previewText(), logPreviewLength);
        log(QStringLiteral("pasteItemAndClose: setting pasteboard to item[%1] \"%2…\"")
                .arg(index)
                .arg(preview));
    }
    m_history.restoreToClipboard(index);

    const std::optional<RunningApp> target = m_previousFrontmostApp;
    const Keystroke keystroke = target
                                    ? PasteKeystrokeTable(m_settings.pasteKeystrokes())
                                          .keystrokeFor(target->windowInstance, target->windowClass)
                                    : PasteKeystrokeTable::controlV;
    if (PasteKeystrokeTable::pastesPrimarySelection(keystroke)) {
        m_pasteboard.offerLatestWriteAsPrimary();
    }
    const bool targetIsSelf = !target || target->pid == m_workspace.currentProcessId();

    setPopupVisible(false);
    stopArrowKeyMonitor();
    m_previousFrontmostApp.reset();

    QPointer<PasteHotkeyManager> self(this);
    if (targetIsSelf) {
        log(QStringLiteral("pasteItemAndClose: no other application, pasting in %1 ms")
                .arg(ownWindowPasteDelayMs));
        m_scheduler.postDelayed(ownWindowPasteDelayMs, [self, keystroke] {
            if (!self) {
                return;
            }
            self->whenWriteConfirmed([self, keystroke] {
                self->postPasteKeystroke(keystroke);
                log(QStringLiteral("pasteItemAndClose: paste keystroke done"));
            });
        });
        return;
    }

    const RunningApp app = *target;
    log(QStringLiteral("pasteItemAndClose: activating %1 pid=%2")
            .arg(nameOrQuestionMark(app))
            .arg(app.pid));
    m_workspace.yieldActivation(app);
    m_workspace.activate(app);
    waitForAppActivation(app, [self, app, keystroke] {
        if (!self) {
            return;
        }
        self->whenWriteConfirmed([self, app, keystroke] {
            log(QStringLiteral("pasteItemAndClose: posting %1 to %2 pid=%3")
                    .arg(AppSettings::displayString(keystroke.modifiers, keystroke.keyCode),
                         nameOrQuestionMark(app))
                    .arg(app.pid));
            self->postPasteKeystroke(keystroke);
            log(QStringLiteral("pasteItemAndClose: paste keystroke done"));
        });
    });
}

// A keystroke that reaches the target before the clipboard holds the item pastes whatever was
// there before; one that cannot be preceded by the item is better not sent at all.
void PasteHotkeyManager::whenWriteConfirmed(std::function<void()> post) {
    QPointer<PasteHotkeyManager> self(this);
    m_pasteboard.whenWriteConfirmed([self, post = std::move(post)](bool confirmed) {
        if (!self) {
            return;
        }
        if (!confirmed) {
            log(
                QStringLiteral("pasteItemAndClose: the clipboard did not take the item, no paste "
                               "keystroke"));
            return;
        }
        post();
    });
}

void PasteHotkeyManager::waitForAppActivation(const RunningApp& app,
                                              std::function<void()> completion) {
    checkActivation(app, m_scheduler.monotonicMs(),
                    std::make_shared<std::function<void()>>(std::move(completion)));
}

void PasteHotkeyManager::checkActivation(const RunningApp& app, qint64 startMs,
                                         std::shared_ptr<std::function<void()>> completion) {
    const qint64 elapsed = m_scheduler.monotonicMs() - startMs;
    const std::optional<RunningApp> front = m_workspace.frontmostApplication();
    if (front && front->isSameApp(app)) {
        log(QStringLiteral("waitForAppActivation: %1 is frontmost after %2ms")
                .arg(nameOrQuestionMark(app))
                .arg(elapsed));
        (*completion)();
        return;
    }
    if (elapsed < activationTimeoutMs) {
        QPointer<PasteHotkeyManager> self(this);
        m_scheduler.postDelayed(activationPollIntervalMs, [self, app, startMs, completion] {
            if (self) {
                self->checkActivation(app, startMs, completion);
            }
        });
        return;
    }
    log(QStringLiteral("waitForAppActivation: TIMEOUT (%1ms), posting anyway")
            .arg(activationTimeoutMs));
    (*completion)();
}

void PasteHotkeyManager::postPasteKeystroke(const Keystroke& keystroke) {
    if (!m_keyInjector.postPasteKeystroke(keystroke)) {
        log(QStringLiteral("postPasteKeystroke: the paste keystroke could not be posted"));
    }
}
