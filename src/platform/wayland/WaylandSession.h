// SPDX-License-Identifier: MIT
#pragma once

#include <QHash>
#include <QObject>
#include <QString>

class QSocketNotifier;
struct wl_display;
struct wl_interface;
struct wl_registry;
struct wl_seat;
struct zwp_virtual_keyboard_manager_v1;
struct zwlr_foreign_toplevel_manager_v1;

// A Wayland connection of our own (Qt's stays Qt's) on the main thread, read whenever its socket
// has something: the seat, the virtual keyboard manager and the foreign-toplevel manager the
// key injector and the window tracker are built on. It waits on the compositor once, while it is
// constructed. When the compositor goes away every question answers "not available"; the
// objects handed out stay valid to destroy until the session itself goes, so it must outlive
// everything built on it.
class WaylandSession final : public QObject {
    Q_OBJECT
  public:
    // An empty name means $WAYLAND_DISPLAY.
    explicit WaylandSession(const QString& displayName = {}, QObject* parent = nullptr);
    ~WaylandSession() override;
    WaylandSession(const WaylandSession&) = delete;
    WaylandSession& operator=(const WaylandSession&) = delete;

    bool isConnected() const;
    bool hasVirtualKeyboard() const;
    bool hasForeignToplevel() const;

    // Null when not connected or not offered.
    wl_seat* seat() const;
    zwp_virtual_keyboard_manager_v1* virtualKeyboardManager() const;
    // Binds the foreign-toplevel manager for its one user, who sets its listener before control
    // returns to the event loop (the toplevels arrive with the next read) and destroys it before
    // the session goes. Null when not offered or already handed out.
    zwlr_foreign_toplevel_manager_v1* bindForeignToplevelManager();

    // Binds a global the compositor offers by the interface's name, at most at `maxVersion`,
    // for a user who sets its listener before control returns to the event loop and destroys
    // it before the session goes; `version`, when given, gets the version bound. Null when not
    // connected or not offered.
    void* bindGlobal(const wl_interface& interface, quint32 maxVersion, quint32* version = nullptr);

    // Sends what is queued; false once the connection is lost. A full socket is drained later.
    bool flush();
    // Waits until the compositor has handled everything sent so far, dispatching what it
    // answers: for constructors only.
    bool roundtrip();
    // Reads and dispatches whatever has arrived, without waiting.
    void dispatch();

  Q_SIGNALS:
    void connectionLost();

  private:
    friend struct WaylandSessionListeners;
    void onGlobal(wl_registry* registry, quint32 name, const char* interface, quint32 version);
    void onGlobalRemove(quint32 name);
    void fail();

    wl_display* m_display = nullptr;
    wl_registry* m_registry = nullptr;
    wl_seat* m_seat = nullptr;
    zwp_virtual_keyboard_manager_v1* m_keyboardManager = nullptr;
    quint32 m_seatName = 0;
    quint32 m_keyboardManagerName = 0;
    quint32 m_toplevelManagerName = 0;
    quint32 m_toplevelManagerVersion = 0;
    bool m_toplevelManagerBound = false;
    struct Global {
        quint32 name = 0;
        quint32 version = 0;
    };
    QHash<QByteArray, Global> m_globals;
    bool m_broken = false;
    bool m_dispatching = false;
    QSocketNotifier* m_readNotifier = nullptr;
    QSocketNotifier* m_writeNotifier = nullptr;
};
