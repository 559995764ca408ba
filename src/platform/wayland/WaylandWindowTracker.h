// SPDX-License-Identifier: MIT
#pragma once

#include <QHash>
#include <QString>

#include <optional>

#include "platform/WindowTracker.h"

class WaylandSession;
struct wl_array;
struct zwlr_foreign_toplevel_manager_v1;
struct zwlr_foreign_toplevel_handle_v1;

// The frontmost window and activation through the compositor's foreign-toplevel list (wlroots
// compositors). Wayland gives no process id: our own windows are told by their app id, every
// other window counts as its own application. The app id stands in for WM_CLASS: its last
// dot-separated part, lower-cased, is the instance ("org.kde.konsole" -> "konsole"). Without
// the protocol there is no frontmost window and nothing to activate.
class WaylandWindowTracker final : public WindowTracker {
  public:
    // The session must outlive the window tracker; ownAppId is the app id of this process's
    // windows.
    WaylandWindowTracker(WaylandSession& session, const QString& ownAppId);
    ~WaylandWindowTracker() override;
    WaylandWindowTracker(const WaylandWindowTracker&) = delete;
    WaylandWindowTracker& operator=(const WaylandWindowTracker&) = delete;

    // The WM_CLASS instance an app id stands for.
    static QString instanceOfAppId(const QString& appId);

    std::optional<RunningApp> frontmostApplication() const override;
    void activate(const RunningApp& app) override;
    qint64 currentProcessId() const override;
    QStringList openWindowClasses() const override;

  private:
    friend struct WaylandWindowTrackerListeners;
    struct Toplevel {
        quint64 id = 0;  // never reused, so a closed window's id finds nothing
        QString title;
        QString appId;
        bool activated = false;
        quint64 activatedSerial = 0;
        bool complete = false;  // had its first done
        // Changes since the last done, applied together at the next.
        std::optional<QString> newTitle;
        std::optional<QString> newAppId;
        std::optional<bool> newActivated;
    };

    void onToplevel(zwlr_foreign_toplevel_handle_v1* handle);
    void onFinished();
    void onTitle(zwlr_foreign_toplevel_handle_v1* handle, const char* title);
    void onAppId(zwlr_foreign_toplevel_handle_v1* handle, const char* appId);
    void onState(zwlr_foreign_toplevel_handle_v1* handle, const wl_array* states);
    void onDone(zwlr_foreign_toplevel_handle_v1* handle);
    void onClosed(zwlr_foreign_toplevel_handle_v1* handle);

    WaylandSession& m_session;
    QString m_ownAppId;
    zwlr_foreign_toplevel_manager_v1* m_manager = nullptr;
    QHash<zwlr_foreign_toplevel_handle_v1*, Toplevel> m_toplevels;
    quint64 m_lastId = 0;
    quint64 m_lastActivation = 0;
};
