#pragma once

#include <QObject>

class AppSettings;
class QAction;
class QMenu;
class QSystemTrayIcon;

// The status icon in the desktop's tray. Without a tray host the application keeps running; the
// chord still opens the popup.
class QuillstackTray : public QObject {
    Q_OBJECT
  public:
    explicit QuillstackTray(AppSettings& settings, QObject* parent = nullptr);
    ~QuillstackTray() override;

    // Shows the icon, or logs why there is none.
    void setup();

    QSystemTrayIcon* trayIcon() const { return m_icon; }
    QMenu* contextMenu() const { return m_menu; }

  Q_SIGNALS:
    void quitRequested();

  private:
    void retranslate();

    QMenu* m_menu = nullptr;
    QAction* m_quitAction = nullptr;
    QSystemTrayIcon* m_icon = nullptr;
};
