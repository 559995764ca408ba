// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QSet>
#include <QStringList>

class WindowTracker;
struct RunningApp;

// Whether a copy is recorded: not while the user paused recording (never kept across runs),
// nor when the window active as it was made belongs to an ignored application. Main thread.
class RecordingGate : public QObject {
    Q_OBJECT
  public:
    RecordingGate(WindowTracker& windowTracker, const QStringList& ignoredApplications,
                  QObject* parent = nullptr);

    bool isPaused() const { return m_paused; }
    void setPaused(bool paused);
    // Applies from the next copy on; the names are folded here, once, not on every copy.
    void setIgnoredApplications(const QStringList& names);

    // Asked as the copy is seen, while its window is still the active one.
    bool admitsCopy() const;
    // The form isIgnored() compares names in.
    static QSet<QString> foldedNames(const QStringList& names);
    // By either WM_CLASS name or the whole app id, in any case, as the paste keystroke table
    // matches windows.
    static bool isIgnored(const RunningApp& app, const QSet<QString>& folded);

  Q_SIGNALS:
    void pausedChanged(bool paused);

  private:
    WindowTracker& m_windowTracker;
    QSet<QString> m_ignored;
    bool m_paused = false;
};
