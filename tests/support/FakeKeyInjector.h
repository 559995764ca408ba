#pragma once

#include <QList>

#include "ManualScheduler.h"
#include "platform/KeyInjector.h"

// Records each paste keystroke with the virtual time it was posted at.
class FakeKeyInjector final : public KeyInjector {
  public:
    explicit FakeKeyInjector(ManualScheduler& scheduler) : m_scheduler(scheduler) {}

    bool postPasteKeystroke() override {
        ++m_attempts;
        if (!m_failing) {
            m_times.append(m_scheduler.monotonicMs());
        }
        return !m_failing;
    }

    // Keystrokes that cannot be made are reported and not recorded.
    void setFailing(bool failing) { m_failing = failing; }
    const QList<qint64>& keystrokeTimesMs() const { return m_times; }
    int attempts() const { return m_attempts; }

  private:
    ManualScheduler& m_scheduler;
    bool m_failing = false;
    QList<qint64> m_times;
    int m_attempts = 0;
};
