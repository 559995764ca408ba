// SPDX-License-Identifier: MIT
#pragma once

#include <QHash>
#include <QString>

#include <optional>

#include "platform/WindowTracker.h"

class WaylandSession;
struct org_kde_plasma_window;
struct org_kde_plasma_window_management;

// The frontmost window and activation through KWin's window list (the one Plasma's task
// manager reads). KWin offers it only to an executable whose desktop file asks for it. Unlike
// the wlroots list it tells each window's process id, so our own windows are told by theirs;
// the app id stands in for WM_CLASS as on sway. Without it there is no frontmost window and
// nothing to activate.
class KWinWindowTracker final : public WindowTracker {
  public:
    // The session must outlive the window tracker.
    explicit KWinWindowTracker(WaylandSession& session);
    ~KWinWindowTracker() override;
    KWinWindowTracker(const KWinWindowTracker&) = delete;
    KWinWindowTracker& operator=(const KWinWindowTracker&) = delete;

    bool isOffered() const { return m_manager != nullptr; }

    std::optional<RunningApp> frontmostApplication() const override;
    void activate(const RunningApp& app) override;
    qint64 currentProcessId() const override;
    QStringList openWindowClasses() const override;

  private:
    friend struct KWinWindowTrackerListeners;
    struct Window {
        quint64 id = 0;  // never reused, so a closed window's id finds nothing
        QString title;
        QString appId;
        qint64 pid = 0;
        bool active = false;
        quint64 activatedSerial = 0;
    };

    void onWindow(org_kde_plasma_window* window);
    void onState(org_kde_plasma_window* window, quint32 flags);
    void onUnmapped(org_kde_plasma_window* window);

    WaylandSession& m_session;
    org_kde_plasma_window_management* m_manager = nullptr;
    quint32 m_version = 0;
    QHash<org_kde_plasma_window*, Window> m_windows;
    quint64 m_lastId = 0;
    quint64 m_lastActivation = 0;
};
