// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QString>

#include "core/Scheduler.h"

class AppSettings;
class Clipboard;

// The first-run wizard's state without its widgets: the page shown, the two exercises and the
// clipboard check that runs while the copy exercise is on screen: at every change the clipboard
// tells of, else at a poll. Main thread only.
class OnboardingWizard : public QObject {
    Q_OBJECT
  public:
    static constexpr int totalSteps = 7;
    static constexpr int copyTrainingStep = 5;
    static constexpr int pasteTrainingStep = 6;
    static constexpr int copyCheckIntervalMs = 300;

    OnboardingWizard(AppSettings& settings, Clipboard& clipboard, Scheduler& scheduler,
                     QObject* parent = nullptr);
    ~OnboardingWizard() override;

    // The two samples, in the interface language: what is shown, copied and compared.
    static QString trainingText1();
    static QString trainingText2();
    // Trimmed of white space and line breaks at both ends, then compared exactly (canonically
    // equivalent Unicode counts as equal; case does not).
    static bool matchesSample(const QString& text, const QString& sample);

    int step() const { return m_step; }
    bool isLastStep() const { return m_step + 1 == totalSteps; }
    bool isBackVisible() const { return m_step >= 1; }
    bool isSkipVisible() const { return m_step >= 2 && m_step < copyTrainingStep; }
    bool isNextEnabled() const;

    bool text1Copied() const { return m_text1Copied; }
    bool text2Copied() const { return m_text2Copied; }
    bool isField1Correct() const { return matchesSample(m_pasteField1, trainingText1()); }
    bool isField2Correct() const { return matchesSample(m_pasteField2, trainingText2()); }
    bool isCopyCheckRunning() const { return m_copyCheckTimer != 0 || m_copyObserver != 0; }
    // The last page's "Start Quillstack when you log in" box, applied when the guide is done.
    bool startAtLogin() const { return m_startAtLogin; }
    void setStartAtLogin(bool value) { m_startAtLogin = value; }

    // The navigation row's actions.
    void goBack();
    // Next on every page but the last; Done there.
    void goNextOrFinish();
    void skip();

    // A sample's copy button: puts the sample on the clipboard and marks it copied.
    void copySample(int sample);
    void setPasteField1(const QString& text);
    void setPasteField2(const QString& text);

    // The wizard leaves the screen, or comes back to it: the check runs only while the copy
    // exercise is visible. Coming back keeps the samples already seen.
    void pauseCopyCheck();
    void resumeCopyCheck();

    // One look at the clipboard; the flags follow after the current work.
    void checkClipboardForCopyTraining();

  Q_SIGNALS:
    void stepChanged(int step);
    void copiedChanged();
    void pasteFieldsChanged();

  private:
    void setStep(int step);
    void startCopyCheckTimer();
    void stopCopyCheckTimer();
    void runCopyCheckTimer();
    void setCopied(bool& flag, bool value);
    void setPasteField(QString& field, const QString& text);

    AppSettings& m_settings;
    Clipboard& m_clipboard;
    Scheduler& m_scheduler;
    int m_step = 0;
    bool m_text1Copied = false;
    bool m_text2Copied = false;
    QString m_pasteField1;
    QString m_pasteField2;
    bool m_startAtLogin = false;
    Scheduler::TimerId m_copyCheckTimer = 0;
    quint64 m_copyObserver = 0;
    // Bumped whenever the check stops, so results of a read made before are dropped.
    quint64 m_copyCheckGeneration = 0;
};
