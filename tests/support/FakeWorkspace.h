#pragma once

#include <QList>

#include <optional>

#include "ManualScheduler.h"
#include "platform/Workspace.h"

// A scripted window system. Activation takes effect at once, after a delay of virtual time, or
// never, as the test chooses.
class FakeWorkspace final : public Workspace {
  public:
    struct Request {
        RunningApp app;
        qint64 atMs;
    };

    explicit FakeWorkspace(ManualScheduler& scheduler, qint64 ownPid = 4242)
        : m_scheduler(scheduler), m_ownPid(ownPid) {}

    std::optional<RunningApp> frontmostApplication() const override { return m_frontmost; }
    void activate(const RunningApp& app) override {
        m_activations.append({app, m_scheduler.monotonicMs()});
        if (m_activationDelayMs == 0) {
            m_frontmost = app;
        } else if (m_activationDelayMs > 0) {
            // The fake outlives every scheduler run of the test that owns both.
            m_scheduler.postDelayed(int(m_activationDelayMs), [this, app] { m_frontmost = app; });
        }
    }
    void yieldActivation(const RunningApp& to) override {
        m_yields.append({to, m_scheduler.monotonicMs()});
    }
    qint64 currentProcessId() const override { return m_ownPid; }
    void openAccessibilitySettings() override {}
    void openInputMonitoringSettings() override {}

    void setFrontmost(std::optional<RunningApp> app) { m_frontmost = std::move(app); }
    // < 0: an activation request never takes effect; 0: at once; otherwise after that many ms.
    void setActivationDelayMs(qint64 ms) { m_activationDelayMs = ms; }

    const QList<Request>& activations() const { return m_activations; }
    const QList<Request>& yields() const { return m_yields; }

  private:
    ManualScheduler& m_scheduler;
    qint64 m_ownPid;
    std::optional<RunningApp> m_frontmost;
    qint64 m_activationDelayMs = 0;
    QList<Request> m_activations;
    QList<Request> m_yields;
};
