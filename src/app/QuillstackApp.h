// SPDX-License-Identifier: MIT
#pragma once

#include <QApplication>

#include <memory>

#include "app/backend/PlatformServices.h"
#include "app/instance/SingleInstance.h"

class AppSettings;
class ClipboardHistory;
class HistoryStore;
class AppWindow;
class FreedesktopThumbnailer;
class HistoryListModel;
class InterfaceLanguage;
class HistoryQueries;
class OnboardingPanel;
class RecordingGate;
class ChordDetector;
class PasteDelivery;
class PopupSession;
class PastePopupWindowController;
class QSocketNotifier;
class QtScheduler;
class ProblemNotices;
class QuillstackTray;
class QuitQuestion;
class SettingsStore;
class XdgAutostart;

// The composition root: creates the single instance of every service, in dependency order, and
// runs the event loop: what happens at start (run), on a command from a later start (perform,
// answer) and at quit.
class QuillstackApp {
  public:
    // After the start, when the tray icon and the first-start guide are up.
    static constexpr int popupPrepareDelayMs = 1000;

    // instance: this user's one instance, its lock held (or null where no private runtime
    // folder exists). firstCommand: what the command line asked for, done once launched.
    // windowing: the backend main() chose, Qt's platform already set to match.
    QuillstackApp(int& argc, char** argv, std::unique_ptr<SingleInstance> instance,
                  SingleInstance::Command firstCommand, WindowingSystem windowing);
    ~QuillstackApp();

    // 0 after a normal quit; 1 when the display could not be used.
    int run();

  private:
    // Once every service is built: the history and the chord start watching, the popup follows
    // its session, and the first-start guide shows until it was completed.
    void start();
    void listenForCommands();
    void perform(SingleInstance::Command command);
    void answer(const SingleInstance::Query& query,
                const std::function<void(SingleInstance::Answer)>& reply);
    void buildWindows();
    void installSignalHandlers();
    void shutDown();
    // Quit as the tray and the settings ask for it: first asking, when the history would be
    // lost (see QuitQuestion).
    void quitAsked();

    QApplication m_app;
    // Destroyed last: the lock is held until everything else, the blob wipe included, is done.
    std::unique_ptr<SingleInstance> m_instance;
    SingleInstance::Command m_firstCommand;
    std::unique_ptr<SettingsStore> m_store;
    std::unique_ptr<XdgAutostart> m_autostart;
    std::unique_ptr<AppSettings> m_settings;
    std::unique_ptr<InterfaceLanguage> m_language;
    std::unique_ptr<QtScheduler> m_scheduler;
    std::optional<PlatformServices> m_platform;
    std::unique_ptr<FreedesktopThumbnailer> m_thumbnailer;
    // What the user must hear of, said once each.
    std::unique_ptr<ProblemNotices> m_notices;
    std::unique_ptr<HistoryStore> m_kept;
    std::unique_ptr<QuitQuestion> m_quitQuestion;
    std::unique_ptr<RecordingGate> m_gate;
    std::unique_ptr<ClipboardHistory> m_history;
    // The one list model every history view shows.
    std::unique_ptr<HistoryListModel> m_listModel;
    // The command line's questions about it.
    std::unique_ptr<HistoryQueries> m_queries;
    // The chord opens the popup's session; a paste from it goes to the delivery.
    std::unique_ptr<ChordDetector> m_detector;
    std::unique_ptr<PasteDelivery> m_delivery;
    std::unique_ptr<PopupSession> m_session;
    std::unique_ptr<PastePopupWindowController> m_popupController;
    std::unique_ptr<AppWindow> m_historyWindow;
    std::unique_ptr<AppWindow> m_settingsWindow;
    // The launcher's token of the start whose command comes next.
    QString m_activationToken;
    std::unique_ptr<QuillstackTray> m_tray;
    // The first-start guide; destroyed first, ending the connections made in its name.
    std::unique_ptr<OnboardingPanel> m_onboarding;
    QSocketNotifier* m_signalNotifier = nullptr;
};
