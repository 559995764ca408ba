#pragma once

#include <QObject>

class ClipboardHistory;
class PasteHotkeyManager;
class PastePopupWindowController;

// The application's life: the launch sequence, re-activation and termination.
class AppDelegate : public QObject {
    Q_OBJECT
  public:
    AppDelegate(ClipboardHistory& history, PasteHotkeyManager& manager,
                PastePopupWindowController& popupController, QObject* parent = nullptr);

    void applicationDidFinishLaunching();
    void applicationDidBecomeActive();
    void applicationWillTerminate();

    // Logs an uncaught exception's type, reason and call stack, then aborts.
    [[noreturn]] static void handleUncaughtException();

  private:
    ClipboardHistory& m_history;
    PasteHotkeyManager& m_manager;
    PastePopupWindowController& m_popupController;
};
