#pragma once

#include <QList>

#include <optional>

#include "ManualScheduler.h"
#include "platform/Workspace.h"

// A scripted window system. An activation takes effect at once, after activationDelayMs of
// virtual time, or never (< 0), as the test chooses; requests are kept in order.
class FakeWorkspace final : public Workspace {
  public:
    explicit FakeWorkspace(ManualScheduler& scheduler) : m_scheduler(scheduler) {}

    std::optional<RunningApp> frontmostApplication() const override { return frontmost; }
    void activate(const RunningApp& app) override {
        activations.append(app);
        if (activationDelayMs == 0) {
            frontmost = app;
        } else if (activationDelayMs > 0) {
            // The fake outlives every scheduler run of the test that owns both.
            m_scheduler.postDelayed(int(activationDelayMs), [this, app] { frontmost = app; });
        }
    }
    void yieldActivation(const RunningApp& to) override { yields.append(to); }
    qint64 currentProcessId() const override { return 4242; }
    void openAccessibilitySettings() override {}
    void openInputMonitoringSettings() override {}

    std::optional<RunningApp> frontmost;
    qint64 activationDelayMs = 0;
    QList<RunningApp> activations;
    QList<RunningApp> yields;

  private:
    ManualScheduler& m_scheduler;
};
