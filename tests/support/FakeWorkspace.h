#pragma once

#include <QList>

#include <optional>

#include "platform/Workspace.h"

class ManualScheduler;

// A scripted window system. Activation takes effect at once, after a delay of virtual time, or
// never, as the test chooses.
class FakeWorkspace final : public Workspace {
  public:
    struct Request {
        RunningApp app;
        qint64 atMs;
    };

    explicit FakeWorkspace(ManualScheduler& scheduler, qint64 ownPid = 4242);

    std::optional<RunningApp> frontmostApplication() const override { return m_frontmost; }
    void activate(const RunningApp& app) override;
    void yieldActivation(const RunningApp& to) override;
    qint64 currentProcessId() const override { return m_ownPid; }
    void openAccessibilitySettings() override {}
    void openInputMonitoringSettings() override { ++m_inputMonitoringSettingsOpened; }

    void setFrontmost(std::optional<RunningApp> app) { m_frontmost = std::move(app); }
    // < 0: an activation request never takes effect; 0: at once; otherwise after that many ms.
    void setActivationDelayMs(qint64 ms) { m_activationDelayMs = ms; }

    const QList<Request>& activations() const { return m_activations; }
    const QList<Request>& yields() const { return m_yields; }
    int inputMonitoringSettingsOpened() const { return m_inputMonitoringSettingsOpened; }

  private:
    ManualScheduler& m_scheduler;
    qint64 m_ownPid;
    std::optional<RunningApp> m_frontmost;
    qint64 m_activationDelayMs = 0;
    QList<Request> m_activations;
    QList<Request> m_yields;
    int m_inputMonitoringSettingsOpened = 0;
};
