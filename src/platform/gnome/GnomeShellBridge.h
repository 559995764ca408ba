// SPDX-License-Identifier: MIT
#pragma once

#include <QDBusConnection>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <map>

#include "platform/StatusIndicator.h"

class QDBusMessage;
class QDBusServiceWatcher;

// A window as the Shell reports it; id 0 when none has the focus.
struct ShellWindow {
    quint64 id = 0;
    QString wmClass;
    QString appId;
    qint64 pid = 0;
    QString title;
};

// Quillstack's end of its GNOME Shell extension: says Hello whenever the extension appears
// (a Shell restart, the extension enabled later), keeps the focused window as last reported, and
// takes the grabbed chords again after a restart. Main thread. Only a grab waits for the Shell,
// and at most grabTimeoutMs.
class GnomeShellBridge : public QObject {
    Q_OBJECT
  public:
    static constexpr int grabTimeoutMs = 500;

    explicit GnomeShellBridge(QDBusConnection bus, QObject* parent = nullptr);
    ~GnomeShellBridge() override;

    // Whether the extension is on this bus now (installed, enabled and loaded by the Shell).
    static bool isPresent(const QDBusConnection& bus);

    bool isConnected() const { return m_connected; }
    // Grabs an accelerator in mutter's syntax ("<Super><Shift>0x37"). A handle > 0, also while
    // the extension is away (the grab is made when it answers); 0 when the Shell refused it.
    int grab(const QString& accelerator, std::function<void()> onActivated);
    void ungrab(int handle);
    // Presses the keys in order and releases them in reverse; false when not connected.
    bool typeKeys(const QList<quint32>& keysyms);
    const ShellWindow& focusedWindow() const { return m_focused; }
    void activate(quint64 window);
    // The top-bar indicator's rows and look; the extension shows it while no tray does.
    void setIndicator(const QList<StatusIndicator::Row>& rows, bool paused);

  Q_SIGNALS:
    void connectedChanged(bool connected);
    void indicatorActivated(const QString& row);
    void indicatorShown(bool shown);

  private Q_SLOTS:
    void onAcceleratorActivated(uint action);
    void onFocusChanged(const QDBusMessage& message);

  private:
    struct Grab {
        QString accelerator;
        std::function<void()> onActivated;
        uint action = 0;
    };

    void sayHello();
    void setConnected(bool connected);
    uint grabNow(const QString& accelerator);
    QDBusMessage call(const QString& method) const;

    QDBusConnection m_bus;
    QDBusServiceWatcher* m_watcher;
    bool m_connected = false;
    ShellWindow m_focused;
    std::map<int, Grab> m_grabs;
    int m_nextHandle = 1;
};
