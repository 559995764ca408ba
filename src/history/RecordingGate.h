#pragma once

#include <QObject>
#include <QStringList>

#include <functional>

class Workspace;
struct RunningApp;

// Whether a copy is recorded: not while the user paused recording (never kept across runs),
// nor when the window active as it was made belongs to an ignored application. Main thread.
class RecordingGate : public QObject {
    Q_OBJECT
  public:
    // ignoredApplications: read on every copy, so that a change in the settings applies at once.
    RecordingGate(Workspace& workspace, std::function<QStringList()> ignoredApplications,
                  QObject* parent = nullptr);

    bool isPaused() const { return m_paused; }
    void setPaused(bool paused);

    // Asked as the copy is seen, while its window is still the active one.
    bool admitsCopy() const;
    // By either WM_CLASS name or the whole app id, in any case, as the paste keystroke table
    // matches windows.
    static bool isIgnored(const RunningApp& app, const QStringList& ignoredApplications);

  Q_SIGNALS:
    void pausedChanged(bool paused);

  private:
    Workspace& m_workspace;
    std::function<QStringList()> m_ignoredApplications;
    bool m_paused = false;
};
