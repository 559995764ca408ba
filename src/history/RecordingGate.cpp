// SPDX-License-Identifier: MIT
#include "history/RecordingGate.h"

#include "platform/WindowTracker.h"

RecordingGate::RecordingGate(WindowTracker& windowTracker, const QStringList& ignoredApplications,
                             QObject* parent)
    : QObject(parent),
      m_windowTracker(windowTracker),
      m_ignored(foldedNames(ignoredApplications)) {}

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
    const std::optional<RunningApp> front = m_windowTracker.frontmostApplication();
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
