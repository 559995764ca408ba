// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include "platform/WindowSystem.h"

class AppSettings;
class ChordDetector;
class PastePopupView;
class PopupSession;
class QScreen;

// Owns the popup panel and follows the session's isPopupVisible one event-loop turn late: shown
// and focused when it becomes true, hidden when it becomes false. It is centred on the screen
// of the window the user was working in when the popup opened, else on the primary screen.
class PastePopupWindowController : public QObject {
    Q_OBJECT
  public:
    static constexpr int focusCheckDelayMs = 60;

    // The detector tells whether the paste keystroke can be typed (the header says so).
    PastePopupWindowController(PopupSession& session, const ChordDetector& detector,
                               AppSettings& settings, PopupWindowSystem windowSystem = {},
                               QObject* parent = nullptr);
    ~PastePopupWindowController() override;

    // Subscribes to isPopupVisible; the current value is delivered too.
    void setup();

    // Makes the panel ahead of its first showing, hidden, with what its first paint needs;
    // nothing once it exists.
    void prepare();

    QWidget* panel() const { return m_panel; }
    PastePopupView* view() const { return m_view; }

    // The screen whose device-pixel area holds most of this rectangle; none when none does.
    static QScreen* screenForDeviceRect(const QRect& rect);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void follow(bool visible);
    void showPanel();
    void hidePanel();
    void createPanel();
    bool compositing() const;
    void ensureKeyboardFocus();
    QScreen* targetScreen() const;

    PopupSession& m_session;
    const ChordDetector& m_detector;
    AppSettings& m_settings;
    PopupWindowSystem m_windowSystem;
    QPointer<QWidget> m_panel;
    PastePopupView* m_view = nullptr;
    bool m_translucent = false;
    bool m_subscribed = false;
    bool m_grabbingKeyboard = false;
};
