// SPDX-License-Identifier: MIT
#include "history/RecordingGate.h"

#include "platform/Workspace.h"

RecordingGate::RecordingGate(Workspace& workspace, const QStringList& ignoredApplications,
                             QObject* parent)
    : QObject(parent), m_workspace(workspace), m_ignored(foldedNames(ignoredApplications)) {}

void RecordingGate::setPaused(bool paused) {
    if (paused == m_paused) {
        return;
    }
    m_paused = paused;
    Q_EMIT pausedChanged(paused);
}

void RecordingGate::setIgnoredApplications(const QStringList& names) {
    m_ignored = foldedNames(names);
}

bool RecordingGate::admitsCopy() const {
    if (m_paused) {
        return false;
    }
    if (m_ignored.isEmpty()) {
        return true;
    }
    const std::optional<RunningApp> front = m_workspace.frontmostApplication();
    return !front || !isIgnored(*front, m_ignored);
}

QSet<QString> RecordingGate::foldedNames(const QStringList& names) {
    QSet<QString> folded;
    folded.reserve(names.size());
    for (const QString& name : names) {
        folded.insert(name.toCaseFolded());
    }
    return folded;
}

bool RecordingGate::isIgnored(const RunningApp& app, const QSet<QString>& folded) {
    for (const QString& name : {app.windowClass, app.windowInstance}) {
        if (!name.isEmpty() && folded.contains(name.toCaseFolded())) {
            return true;
        }
    }
    return false;
}
