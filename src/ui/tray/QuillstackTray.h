// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QRect>

#include <memory>

class AppSettings;
class StatusIndicator;
class TrayPanel;
class QAction;
class QMenu;
class QSystemTrayIcon;

// The status icon in the desktop's tray: a left click opens or closes the tray panel next to
// the icon; the context menu offers the panel's five rows, for tray hosts that only show menus.
// The tooltip names the application and the chord, or says that recording is paused, which the
// icon shows too. Where the desktop has no tray host, `indicator` (GNOME's top bar) offers the
// same rows; without either the application keeps running and the chord still opens the popup.
class QuillstackTray : public QObject {
    Q_OBJECT
  public:
    // `indicator` may be null and must outlive the tray.
    explicit QuillstackTray(AppSettings& settings, StatusIndicator* indicator = nullptr,
                            QObject* parent = nullptr);
    ~QuillstackTray() override;

    // Shows the icon, or logs why there is none.
    void setup();
    // Opens or closes the panel next to the icon, or at the pointer where the tray says nothing
    // of where the icon is.
    void togglePanel();

    QSystemTrayIcon* trayIcon() const { return m_icon; }
    QMenu* contextMenu() const { return m_menu; }
    TrayPanel* panel() const { return m_panel.get(); }
    void setRecordingPaused(bool paused);
    // Whether the user sees a way in: the tray icon or the indicator.
    bool isVisible() const;

  Q_SIGNALS:
    void visibilityChanged();
    void historyWindowRequested();
    void settingsRequested();
    // Pause recording, or resume it while paused.
    void pauseToggleRequested();
    void restartOnboardingRequested();
    void quitRequested();

  private:
    void retranslate();
    void updateToolTip();
    void updateIcon();
    void offerIndicator();
    QRect panelAnchor() const;

    AppSettings& m_settings;
    StatusIndicator* m_indicator;
    QMenu* m_menu = nullptr;
    QAction* m_historyWindowAction = nullptr;
    QAction* m_settingsAction = nullptr;
    QAction* m_pauseAction = nullptr;
    QAction* m_restartOnboardingAction = nullptr;
    QAction* m_quitAction = nullptr;
    QSystemTrayIcon* m_icon = nullptr;
    std::unique_ptr<TrayPanel> m_panel;
    bool m_paused = false;
};
