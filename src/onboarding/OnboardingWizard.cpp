// SPDX-License-Identifier: MIT
#include "onboarding/OnboardingWizard.h"

#include <QPointer>

#include "history/ClipboardContent.h"
#include "platform/Clipboard.h"
#include "settings/AppSettings.h"

OnboardingWizard::OnboardingWizard(AppSettings& settings, Clipboard& clipboard,
                                   Scheduler& scheduler, QObject* parent)
    : QObject(parent),
      m_settings(settings),
      m_clipboard(clipboard),
      m_scheduler(scheduler),
      m_startAtLogin(settings.launchAtLoginOffered()) {}

OnboardingWizard::~OnboardingWizard() {
    stopCopyCheckTimer();
}

QString OnboardingWizard::trainingText1() {
    return tr("Text 1");
}

QString OnboardingWizard::trainingText2() {
    return tr("Text 2");
}

bool OnboardingWizard::matchesSample(const QString& text, const QString& sample) {
    return text.trimmed().normalized(QString::NormalizationForm_C) ==
           sample.normalized(QString::NormalizationForm_C);
}

bool OnboardingWizard::isNextEnabled() const {
    if (m_step == pasteTrainingStep) {
        return isField1Correct() && isField2Correct();
    }
    return m_step != copyTrainingStep || (m_text1Copied && m_text2Copied);
}

void OnboardingWizard::goBack() {
    if (m_step >= 1) {
        setStep(m_step - 1);
    }
}

void OnboardingWizard::goNextOrFinish() {
    if (!isNextEnabled()) {
        return;
    }
    if (isLastStep()) {
        // An answer left as it was changes nothing: a user's own entry stays untouched.
        if (m_startAtLogin != m_settings.launchAtLogin() || !m_settings.launchAtLoginAnswered()) {
            m_settings.setLaunchAtLogin(m_startAtLogin);
        }
        m_settings.setOnboardingCompleted(true);
    } else {
        setStep(m_step + 1);
    }
}

void OnboardingWizard::skip() {
    if (isSkipVisible()) {
        m_settings.setOnboardingCompleted(true);
    }
}

void OnboardingWizard::copySample(int sample) {
    const QString text = sample == 1 ? trainingText1() : trainingText2();
    m_clipboard.write(ClipboardContent::plainTextItem(text));
    // Marked whatever the clipboard made of it: the button did its part.
    setCopied(sample == 1 ? m_text1Copied : m_text2Copied, true);
}

void OnboardingWizard::setPasteField1(const QString& text) {
    setPasteField(m_pasteField1, text);
}

void OnboardingWizard::setPasteField2(const QString& text) {
    setPasteField(m_pasteField2, text);
}

void OnboardingWizard::setPasteField(QString& field, const QString& text) {
    if (text != field) {
        field = text;
        Q_EMIT pasteFieldsChanged();
    }
}

void OnboardingWizard::pauseCopyCheck() {
    stopCopyCheckTimer();
}

void OnboardingWizard::resumeCopyCheck() {
    if (m_step == copyTrainingStep && !isCopyCheckRunning()) {
        runCopyCheckTimer();
    }
}

void OnboardingWizard::setStep(int step) {
    if (step == m_step) {
        return;
    }
    m_step = step;
    if (step == copyTrainingStep) {
        startCopyCheckTimer();
    } else {
        stopCopyCheckTimer();
    }
    Q_EMIT stepChanged(step);
}

void OnboardingWizard::startCopyCheckTimer() {
    // Every visit asks for both copies again; a sample still on the clipboard counts at once.
    const bool changed = m_text1Copied || m_text2Copied;
    m_text1Copied = false;
    m_text2Copied = false;
    if (changed) {
        Q_EMIT copiedChanged();
    }
    stopCopyCheckTimer();
    runCopyCheckTimer();
}

void OnboardingWizard::runCopyCheckTimer() {
    QPointer<OnboardingWizard> self(this);
    const auto check = [self] {
        if (self) {
            self->checkClipboardForCopyTraining();
        }
    };
    // Each copy is seen as it is made, so two copies close together both count.
    if (m_clipboard.notifiesChanges()) {
        m_copyObserver = m_clipboard.addChangeObserver(check);
    } else {
        m_copyCheckTimer = m_scheduler.startRepeating(copyCheckIntervalMs, check);
    }
    checkClipboardForCopyTraining();
}

void OnboardingWizard::stopCopyCheckTimer() {
    if (m_copyCheckTimer != 0) {
        m_scheduler.cancelTimer(m_copyCheckTimer);
        m_copyCheckTimer = 0;
    }
    if (m_copyObserver != 0) {
        m_clipboard.removeChangeObserver(m_copyObserver);
        m_copyObserver = 0;
    }
    ++m_copyCheckGeneration;
}

void OnboardingWizard::checkClipboardForCopyTraining() {
    const std::optional<QString> text = m_clipboard.string();
    if (!text) {
        return;
    }
    const QString trimmed = text->trimmed();
    QPointer<OnboardingWizard> self(this);
    const quint64 generation = m_copyCheckGeneration;
    m_scheduler.post([self, trimmed, generation] {
        if (!self || generation != self->m_copyCheckGeneration) {
            return;
        }
        if (matchesSample(trimmed, trainingText1())) {
            self->setCopied(self->m_text1Copied, true);
        }
        if (matchesSample(trimmed, trainingText2())) {
            self->setCopied(self->m_text2Copied, true);
        }
    });
}

void OnboardingWizard::setCopied(bool& flag, bool value) {
    if (flag != value) {
        flag = value;
        Q_EMIT copiedChanged();
    }
}
