#include "FakeWorkspace.h"

#include "ManualScheduler.h"

FakeWorkspace::FakeWorkspace(ManualScheduler& scheduler, qint64 ownPid)
    : m_scheduler(scheduler), m_ownPid(ownPid) {}

void FakeWorkspace::activate(const RunningApp& app) {
    m_activations.append({app, m_scheduler.monotonicMs()});
    if (m_activationDelayMs == 0) {
        m_frontmost = app;
    } else if (m_activationDelayMs > 0) {
        // The fake outlives every scheduler run of the test that owns both.
        m_scheduler.postDelayed(int(m_activationDelayMs), [this, app] { m_frontmost = app; });
    }
}

void FakeWorkspace::yieldActivation(const RunningApp& to) {
    m_yields.append({to, m_scheduler.monotonicMs()});
}
