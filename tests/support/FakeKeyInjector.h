#pragma once

#include <QList>

#include "platform/KeyInjector.h"

class ManualScheduler;

// Records each paste keystroke with the virtual time it was posted at.
class FakeKeyInjector final : public KeyInjector {
  public:
    explicit FakeKeyInjector(ManualScheduler& scheduler) : m_scheduler(scheduler) {}

    bool postPasteKeystroke(const Keystroke& keystroke) override;

    // Keystrokes that cannot be made are reported and not recorded.
    void setFailing(bool failing) { m_failing = failing; }
    const QList<qint64>& keystrokeTimesMs() const { return m_times; }
    const QList<Keystroke>& keystrokes() const { return m_keystrokes; }
    int attempts() const { return m_attempts; }

  private:
    ManualScheduler& m_scheduler;
    bool m_failing = false;
    QList<qint64> m_times;
    QList<Keystroke> m_keystrokes;
    int m_attempts = 0;
};
