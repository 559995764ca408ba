#pragma once

#include <QList>

#include "ManualScheduler.h"
#include "platform/KeyInjector.h"

// Records each paste keystroke with the virtual time it was posted at.
class FakeKeyInjector final : public KeyInjector {
  public:
    explicit FakeKeyInjector(ManualScheduler& scheduler) : m_scheduler(scheduler) {}

    bool postPasteKeystroke(const Keystroke& keystroke) override {
        timesMs << m_scheduler.monotonicMs();
        keystrokes << keystroke;
        return true;
    }

    QList<qint64> timesMs;
    QList<Keystroke> keystrokes;

  private:
    ManualScheduler& m_scheduler;
};
