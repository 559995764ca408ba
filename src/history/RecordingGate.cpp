#include "history/RecordingGate.h"

#include "platform/Workspace.h"

RecordingGate::RecordingGate(Workspace& workspace, std::function<QStringList()> ignoredApplications,
                             QObject* parent)
    : QObject(parent),
      m_workspace(workspace),
      m_ignoredApplications(std::move(ignoredApplications)) {}

void RecordingGate::setPaused(bool paused) {
    if (paused == m_paused) {
        return;
    }
    m_paused = paused;
    Q_EMIT pausedChanged(paused);
}

bool RecordingGate::admitsCopy() const {
    if (m_paused) {
        return false;
    }
    const QStringList ignored = m_ignoredApplications ? m_ignoredApplications() : QStringList();
    if (ignored.isEmpty()) {
        return true;
    }
    const std::optional<RunningApp> front = m_workspace.frontmostApplication();
    return !front || !isIgnored(*front, ignored);
}

bool RecordingGate::isIgnored(const RunningApp& app, const QStringList& ignoredApplications) {
    for (const QString& name : {app.windowClass, app.windowInstance}) {
        if (!name.isEmpty() && ignoredApplications.contains(name, Qt::CaseInsensitive)) {
            return true;
        }
    }
    return false;
}
