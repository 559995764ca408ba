#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

class AppSettings;
class ClipboardHistory;
class PasteHotkeyManager;
class PastePopupView;

// Owns the popup panel and follows the manager's isPopupVisible one event-loop turn late: shown
// centred on the primary screen and focused when it becomes true, hidden when it becomes false.
class PastePopupWindowController : public QObject {
    Q_OBJECT
  public:
    static constexpr int focusCheckDelayMs = 60;

    // What only the window system can tell or do; either may be empty.
    struct WindowSystem {
        // A compositor blends translucent windows (asked once, when the panel is made).
        std::function<bool()> isCompositing;
        // Called with the native panel before every show: on all desktops, above the rest.
        std::function<void(QWidget*)> prepareToShow;
    };

    PastePopupWindowController(PasteHotkeyManager& manager, ClipboardHistory& history,
                               AppSettings& settings, WindowSystem windowSystem = {},
                               QObject* parent = nullptr);
    ~PastePopupWindowController() override;

    // Subscribes to isPopupVisible; the current value is delivered too.
    void setup();

    QWidget* panel() const { return m_panel; }
    PastePopupView* view() const { return m_view; }
    bool isGrabbingKeyboard() const { return m_grabbingKeyboard; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void follow(bool visible);
    void showPanel();
    void hidePanel();
    void createPanel();
    void ensureKeyboardFocus();

    PasteHotkeyManager& m_manager;
    ClipboardHistory& m_history;
    AppSettings& m_settings;
    WindowSystem m_windowSystem;
    QPointer<QWidget> m_panel;
    PastePopupView* m_view = nullptr;
    bool m_translucent = false;
    bool m_subscribed = false;
    bool m_grabbingKeyboard = false;
};
