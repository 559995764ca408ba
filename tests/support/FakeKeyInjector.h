#pragma once

#include <QList>

#include "ManualScheduler.h"
#include "platform/KeyInjector.h"

// Records each paste keystroke with the virtual time it was posted at; while failing, each is
// reported as not made and not recorded.
class FakeKeyInjector final : public KeyInjector {
  public:
    explicit FakeKeyInjector(ManualScheduler& scheduler) : m_scheduler(scheduler) {}

    bool postPasteKeystroke(const Keystroke& keystroke) override {
        ++attempts;
        if (!failing) {
            timesMs << m_scheduler.monotonicMs();
            keystrokes << keystroke;
        }
        return !failing;
    }

    bool failing = false;
    int attempts = 0;
    QList<qint64> timesMs;
    QList<Keystroke> keystrokes;

  private:
    ManualScheduler& m_scheduler;
};
