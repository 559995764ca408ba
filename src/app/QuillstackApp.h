#pragma once

#include <QApplication>

#include <memory>

class AppDelegate;
class AppSettings;
class ClipboardHistory;
class FreedesktopThumbnailer;
class PasteHotkeyManager;
class PastePopupWindowController;
class QSocketNotifier;
class QtScheduler;
class QuillstackTray;
class SingleInstance;
class SettingsStore;
class X11AccessibilityTrust;
class X11KeyboardHooks;
class X11Pasteboard;
class X11Workspace;
class XTestKeyInjector;
class XdgAutostart;

// The composition root: creates the single instance of every service, in dependency order, and
// runs the event loop.
class QuillstackApp {
  public:
    QuillstackApp(int& argc, char** argv);
    ~QuillstackApp();

    // Another instance of this user was running and has been told about this start.
    bool isAlreadyRunning() const { return m_alreadyRunning; }

    // 0 after a normal quit or when already running; 1 when no X display could be used.
    int run();

  private:
    // False when another instance runs: then nothing else may be created.
    bool claimInstance();
    void installSignalHandlers();
    void shutDown();

    QApplication m_app;
    // Destroyed last: the lock is held until everything else, the blob wipe included, is done.
    std::unique_ptr<SingleInstance> m_instance;
    bool m_alreadyRunning = false;
    std::unique_ptr<SettingsStore> m_store;
    std::unique_ptr<XdgAutostart> m_autostart;
    std::unique_ptr<AppSettings> m_settings;
    std::unique_ptr<QtScheduler> m_scheduler;
    std::unique_ptr<X11Pasteboard> m_pasteboard;
    std::unique_ptr<X11KeyboardHooks> m_keyboardHooks;
    std::unique_ptr<X11AccessibilityTrust> m_trust;
    std::unique_ptr<X11Workspace> m_workspace;
    std::unique_ptr<XTestKeyInjector> m_keyInjector;
    std::unique_ptr<FreedesktopThumbnailer> m_thumbnailer;
    std::unique_ptr<ClipboardHistory> m_history;
    std::unique_ptr<PasteHotkeyManager> m_manager;
    std::unique_ptr<PastePopupWindowController> m_popupController;
    std::unique_ptr<QuillstackTray> m_tray;
    std::unique_ptr<AppDelegate> m_delegate;
    QSocketNotifier* m_signalNotifier = nullptr;
};
