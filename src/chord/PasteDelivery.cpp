// SPDX-License-Identifier: MIT
#include "chord/PasteDelivery.h"

#include <QPointer>

#include "chord/PasteKeystrokeTable.h"
#include "core/AppLogger.h"
#include "core/Scheduler.h"
#include "keys/KeyNames.h"
#include "platform/Clipboard.h"
#include "platform/KeyInjector.h"
#include "settings/AppSettings.h"

QUILLSTACK_DEFINE_COMPONENT_LOG

namespace {

QString nameOrQuestionMark(const RunningApp& app) {
    return app.name.isEmpty() ? QStringLiteral("?") : app.name;
}

}  // namespace

PasteDelivery::PasteDelivery(WindowTracker& windowTracker, KeyInjector& keyInjector,
                             Scheduler& scheduler, AppSettings& settings, Clipboard& clipboard,
                             QObject* parent)
    : QObject(parent),
      m_windowTracker(windowTracker),
      m_keyInjector(keyInjector),
      m_scheduler(scheduler),
      m_settings(settings),
      m_clipboard(clipboard) {}

void PasteDelivery::deliver(const std::optional<RunningApp>& target) {
    const Keystroke keystroke = target
                                    ? PasteKeystrokeTable(m_settings.pasteKeystrokes())
                                          .keystrokeFor(target->windowInstance, target->windowClass)
                                    : PasteKeystrokeTable::controlV;
    if (PasteKeystrokeTable::pastesPrimarySelection(keystroke)) {
        m_clipboard.offerLatestWriteAsPrimary();
    }
    const bool targetIsSelf = !target || target->pid == m_windowTracker.currentProcessId();

    QPointer<PasteDelivery> self(this);
    if (targetIsSelf) {
        log(QStringLiteral("pasteItemAndClose: no other application, pasting in %1 ms")
                .arg(ownWindowPasteDelayMs));
        m_scheduler.postDelayed(ownWindowPasteDelayMs, [self, keystroke] {
            if (!self) {
                return;
            }
            self->whenWriteConfirmed([self, keystroke] {
                self->postPasteKeystroke(keystroke, self->m_scheduler.monotonicMs());
            });
        });
        return;
    }

    const RunningApp app = *target;
    log(QStringLiteral("pasteItemAndClose: activating %1 pid=%2")
            .arg(nameOrQuestionMark(app))
            .arg(app.pid));
    m_windowTracker.activate(app);
    waitForAppActivation(app, [self, app, keystroke](bool otherWindowInFront) {
        if (!self) {
            return;
        }
        self->whenWriteConfirmed([self, app, keystroke, otherWindowInFront] {
            if (otherWindowInFront) {
                // Typed now, the keystroke would paste into whatever window took the front (a
                // chat, say); the record stays on the clipboard for the user's own keystroke.
                log(QStringLiteral("pasteItemAndClose: %1 is not in front, nothing typed")
                        .arg(nameOrQuestionMark(app)));
                Q_EMIT self->pasteWithheld(KeyNames::displayString(
                    keystroke.modifiers, keystroke.keyCode, KeyNames::ChordForm::Translated));
                return;
            }
            log(QStringLiteral("pasteItemAndClose: posting %1 to %2 pid=%3")
                    .arg(KeyNames::displayString(keystroke.modifiers, keystroke.keyCode),
                         nameOrQuestionMark(app))
                    .arg(app.pid));
            self->postPasteKeystroke(keystroke, self->m_scheduler.monotonicMs());
        });
    });
}

QString PasteDelivery::withheldNotice(const QString& keystrokeDisplay) {
    return tr("Not pasted: another window was in front. The item is on the clipboard: press %1 to "
              "paste it.")
        .arg(keystrokeDisplay);
}

// A keystroke that reaches the target before the clipboard holds the item pastes whatever was
// there before; one that cannot be preceded by the item is better not sent at all.
void PasteDelivery::whenWriteConfirmed(std::function<void()> post) {
    QPointer<PasteDelivery> self(this);
    m_clipboard.whenWriteConfirmed([self, post = std::move(post)](bool confirmed) {
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

void PasteDelivery::waitForAppActivation(const RunningApp& app,
                                         std::function<void(bool)> completion) {
    checkActivation(app, m_scheduler.monotonicMs(),
                    std::make_shared<std::function<void(bool)>>(std::move(completion)));
}

void PasteDelivery::checkActivation(const RunningApp& app, qint64 startMs,
                                    std::shared_ptr<std::function<void(bool)>> completion) {
    const qint64 elapsed = m_scheduler.monotonicMs() - startMs;
    const std::optional<RunningApp> front = m_windowTracker.frontmostApplication();
    if (front && front->isSameApp(app)) {
        log(QStringLiteral("waitForAppActivation: %1 is frontmost after %2ms")
                .arg(nameOrQuestionMark(app))
                .arg(elapsed));
        (*completion)(false);
        return;
    }
    if (elapsed < activationTimeoutMs) {
        QPointer<PasteDelivery> self(this);
        m_scheduler.postDelayed(activationPollIntervalMs, [self, app, startMs, completion] {
            if (self) {
                self->checkActivation(app, startMs, completion);
            }
        });
        return;
    }
    // A window tracker that cannot tell the front window at all (a compositor without a window
    // list) never confirms one: typing blind is the only way a paste works there.
    log(QStringLiteral("waitForAppActivation: TIMEOUT (%1ms), %2")
            .arg(activationTimeoutMs)
            .arg(front ? QStringLiteral("another window in front")
                       : QStringLiteral("front unknown")));
    (*completion)(front.has_value());
}

void PasteDelivery::postPasteKeystroke(const Keystroke& keystroke, qint64 startMs) {
    if (m_keyInjector.userHoldsModifiers() &&
        m_scheduler.monotonicMs() - startMs < heldModifiersTimeoutMs) {
        QPointer<PasteDelivery> self(this);
        m_scheduler.postDelayed(activationPollIntervalMs, [self, keystroke, startMs] {
            if (self) {
                self->postPasteKeystroke(keystroke, startMs);
            }
        });
        return;
    }
    if (!m_keyInjector.postPasteKeystroke(keystroke)) {
        log(QStringLiteral("postPasteKeystroke: the paste keystroke could not be posted"));
        return;
    }
    log(QStringLiteral("pasteItemAndClose: paste keystroke done"));
}
