// SPDX-License-Identifier: MIT
#include "app/QuillstackApp.h"

#include <QFileInfo>
#include <QSocketNotifier>
#include <QThreadPool>
#include <QTimer>
#include <QWidget>

#include <sys/socket.h>
#include <unistd.h>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <utility>

#include "app/instance/SingleInstance.h"
#include "chord/ChordDetector.h"
#include "chord/PasteDelivery.h"
#include "core/AppLogger.h"
#include "core/CrashReport.h"
#include "history/ClipboardHistory.h"
#include "history/HistoryListModel.h"
#include "history/HistoryQueries.h"
#include "history/HistoryStore.h"
#include "history/RecordingGate.h"
#include "platform/freedesktop/DesktopShortcutSettings.h"
#include "platform/freedesktop/FreedesktopThumbnailer.h"
#include "platform/freedesktop/PrivateTempDirectory.h"
#include "platform/freedesktop/XdgAutostart.h"
#include "platform/freedesktop/XdgFolders.h"
#include "platform/qt/QtScheduler.h"
#include "platform/qt/SettingsStore.h"
#include "popup/PopupSession.h"
#include "settings/AppSettings.h"
#include "settings/InterfaceLanguage.h"
#include "ui/common/AppWindow.h"
#include "ui/common/ProblemNotices.h"
#include "ui/common/QuitQuestion.h"
#include "ui/history/HistoryWindowView.h"
#include "ui/onboarding/OnboardingPanel.h"
#include "ui/popup/PastePopupWindowController.h"
#include "ui/settings/SettingsView.h"
#include "ui/tray/QuillstackTray.h"

QUILLSTACK_DEFINE_COMPONENT_LOG

namespace {
int signalPipe[2] = {-1, -1};

void onTerminationSignal(int) {
    const char byte = 1;
    // Nothing else is safe here; the event loop does the quitting.
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}

// Logs an uncaught exception's type, reason and call stack, then aborts.
[[noreturn]] void logUncaughtAndAbort() {
    QString name = CrashReport::currentExceptionTypeName();
    std::optional<QString> reason;
    if (const std::exception_ptr current = std::current_exception()) {
        try {
            std::rethrow_exception(current);
        } catch (const std::exception& e) {
            reason = QString::fromLocal8Bit(e.what());
        } catch (...) {
        }
    }
    if (name.isEmpty()) {
        name = QStringLiteral("std::terminate without an active exception");
    }
    AppLogger::log(CrashReport::exceptionLine(name, reason));
    AppLogger::log(CrashReport::callStackLine(CrashReport::currentCallStack()));
    std::abort();
}

QApplication& configured(QApplication& app) {
    QGuiApplication::setDesktopFileName(QStringLiteral("quillstack"));
    return app;
}
}  // namespace

QuillstackApp::QuillstackApp(int& argc, char** argv, std::unique_ptr<SingleInstance> instance,
                             SingleInstance::Command firstCommand, WindowingSystem windowing)
    : m_app(argc, argv), m_instance(std::move(instance)), m_firstCommand(firstCommand) {
    configured(m_app);
    // Image scaling and conversion borrow the shared pool's threads for every copied picture;
    // parked rather than expiring, they do not wake an idle process half a minute later.
    QThreadPool::globalInstance()->setExpiryTimeout(-1);
    log(QStringLiteral("QuillstackApp: starting, pid %1").arg(QCoreApplication::applicationPid()));
    const QStringList arguments = QCoreApplication::arguments();

    m_store = std::make_unique<SettingsStore>();
    // The language list the previous run stored, read before the settings rewrite it.
    const QString fallbackLanguage = InterfaceLanguage::startupFallback(*m_store);
    const QString program = QCoreApplication::applicationFilePath();
    m_autostart = std::make_unique<XdgAutostart>(
        XdgFolders::configHome(), program, XdgFolders::configDirs(),
        program.startsWith(QFileInfo(QStringLiteral(QUILLSTACK_BUILD_DIR)).canonicalFilePath() +
                           u'/'));
    m_settings = std::make_unique<AppSettings>(*m_store, *m_autostart, arguments);
    m_settings->reconcileLoginItem();
    m_language = std::make_unique<InterfaceLanguage>(m_settings.get(), fallbackLanguage);
    // The application value's own pass over the arguments; it agrees with the settings' one.
    AppSettings::applyLanguage(*m_store, AppSettings::startupLanguage(*m_store, arguments));

    m_scheduler = std::make_unique<QtScheduler>();
    m_platform = PlatformServices::forSession(windowing, m_app);
    if (!m_platform) {
        return;
    }
    m_thumbnailer = std::make_unique<FreedesktopThumbnailer>();

    // Large copies go beside the lock, in the folder chosen as the one that can be trusted.
    const std::optional<QString> blobDirectory =
        m_instance ? PrivateTempDirectory::blobDirectoryIn(m_instance->directory()) : std::nullopt;
    if (!blobDirectory) {
        log(QStringLiteral("QuillstackApp: no private blob folder, large copies stay in memory"));
    }
    AppSettings* settings = m_settings.get();
    // The pins, and the whole history when the user keeps it; the folder is made when first
    // needed.
    m_kept = std::make_unique<HistoryStore>(HistoryStore::defaultFolder());
    m_notices = std::make_unique<ProblemNotices>(ProblemNotices::desktopNotifications());
    QObject::connect(m_settings.get(), &AppSettings::problem, m_notices.get(),
                     [notices = m_notices.get()](const QString& key) { notices->tell(key); });
    PlatformServices& platform = *m_platform;
    m_gate =
        std::make_unique<RecordingGate>(*platform.windowTracker, settings->ignoredApplications());
    QObject::connect(settings, &AppSettings::ignoredApplicationsChanged, m_gate.get(),
                     [settings, gate = m_gate.get()] {
                         gate->setIgnoredApplications(settings->ignoredApplications());
                     });
    m_history = std::make_unique<ClipboardHistory>(
        *m_platform->clipboard, *m_scheduler, blobDirectory.value_or(QString()),
        [settings] {
            return ClipboardHistory::Limits{settings->historySize(), settings->autoDeleteMinutes(),
                                            settings->keepHistory()};
        },
        m_kept.get(), m_gate.get());
    QObject::connect(m_history.get(), &ClipboardHistory::problem, m_notices.get(),
                     &ProblemNotices::tell);
    m_detector = std::make_unique<ChordDetector>(*platform.keyboardHooks, *platform.trust,
                                                 *m_scheduler, *m_settings);
    if (platform.watchTrust) {
        // The ports behind the chord changed (a Shell extension came or went): take it again.
        platform.watchTrust([detector = m_detector.get()] { detector->restartMonitoring(); });
    }
    m_delivery = std::make_unique<PasteDelivery>(*platform.windowTracker, *platform.keyInjector,
                                                 *m_scheduler, *m_settings, *platform.clipboard);
    QObject::connect(m_delivery.get(), &PasteDelivery::pasteWithheld, m_notices.get(),
                     [notices = m_notices.get()](const QString& keystroke) {
                         notices->show(PasteDelivery::withheldNotice(keystroke));
                     });

    // The side effects of a setting run inside its assignment.
    QObject::connect(m_settings.get(), &AppSettings::historySizeAssigned, m_history.get(),
                     &ClipboardHistory::applyLimit, Qt::DirectConnection);
    QObject::connect(m_settings.get(), &AppSettings::autoDeleteMinutesAssigned, m_history.get(),
                     &ClipboardHistory::restartAutoDeleteTimer, Qt::DirectConnection);
    QObject::connect(m_settings.get(), &AppSettings::keepHistoryAssigned, m_history.get(),
                     &ClipboardHistory::applyKeepHistory, Qt::DirectConnection);
    QObject::connect(m_settings.get(), &AppSettings::chordAssigned, m_detector.get(),
                     &ChordDetector::restartMonitoring, Qt::DirectConnection);

    m_listModel = std::make_unique<HistoryListModel>(*m_history, *m_scheduler, *m_thumbnailer);
    m_session = std::make_unique<PopupSession>(
        *platform.keyboardHooks, *platform.windowTracker, *m_history, *m_listModel,
        [delivery = m_delivery.get()](const std::optional<RunningApp>& target) {
            delivery->deliver(target);
        });
    QObject::connect(m_detector.get(), &ChordDetector::chordPressed, m_session.get(),
                     &PopupSession::toggle);
    m_queries = std::make_unique<HistoryQueries>(*m_history, *m_listModel, *m_scheduler,
                                                 *platform.clipboard);
    m_popupController = std::make_unique<PastePopupWindowController>(
        *m_session, *m_detector, *m_settings, platform.windowSystem);
    buildWindows();
    // The guide opens on the screen of the window the user is working in. Its content is made
    // when it is first shown, so a completed guide costs only an empty window.
    m_onboarding = std::make_unique<OnboardingPanel>(OnboardingPanel::Dependencies{
        *m_settings, *m_detector, *platform.clipboard, *m_scheduler, platform.activeWindowGeometry,
        platform.integration.get(), platform.session, m_tray.get()});
    QObject::connect(m_tray.get(), &QuillstackTray::restartOnboardingRequested, m_onboarding.get(),
                     &OnboardingPanel::restart);
    // One of our windows took the focus: whether keys may be typed is asked again, and a chord
    // another program held is tried again.
    QObject::connect(&m_app, &QGuiApplication::applicationStateChanged, m_onboarding.get(),
                     [detector = m_detector.get()](Qt::ApplicationState state) {
                         if (state == Qt::ApplicationActive) {
                             detector->refreshOnActivation();
                         }
                     });
    // At quit, before the event loop returns: the chord is let go and the guide closed.
    QObject::connect(&m_app, &QCoreApplication::aboutToQuit, m_onboarding.get(),
                     [detector = m_detector.get(), onboarding = m_onboarding.get()] {
                         detector->stopMonitoring();
                         onboarding->hide();
                     });
}

void QuillstackApp::buildWindows() {
    const auto home = [this](const QString& name) {
        return AppWindow::Home{m_settings.get(), name, m_platform->activateWindow};
    };
    m_historyWindow = std::make_unique<AppWindow>(
        QT_TRANSLATE_NOOP("AppWindow", "History"),
        [this] {
            return new HistoryWindowView(*m_history, *m_listModel, *m_scheduler,
                                         m_language->current());
        },
        home(QStringLiteral("history")));
    // Looked up once: empty where no keyboard-shortcut settings program is known.
    const std::function<void()> openShortcutSettings = DesktopShortcutSettings::opener();
    m_settingsWindow = std::make_unique<AppWindow>(
        QT_TRANSLATE_NOOP("AppWindow", "Settings"),
        [this, openShortcutSettings] {
            return new SettingsView(
                *m_settings, *m_detector, openShortcutSettings, [this] { quitAsked(); },
                m_platform->session, m_platform->integration.get(),
                [windowTracker = m_platform->windowTracker.get()] {
                    return windowTracker->openWindowClasses();
                });
        },
        home(QStringLiteral("settings")));
    m_tray = std::make_unique<QuillstackTray>(*m_settings, m_platform->indicator.get());
    QObject::connect(m_tray.get(), &QuillstackTray::pauseToggleRequested, m_gate.get(),
                     [gate = m_gate.get()] { gate->setPaused(!gate->isPaused()); });
    QObject::connect(m_gate.get(), &RecordingGate::pausedChanged, m_tray.get(),
                     &QuillstackTray::setRecordingPaused);
    QObject::connect(m_tray.get(), &QuillstackTray::settingsRequested, m_settingsWindow.get(),
                     [window = m_settingsWindow.get()] { window->present(); });
    QObject::connect(m_tray.get(), &QuillstackTray::quitRequested, &m_app, [this] { quitAsked(); });
    m_quitQuestion = std::make_unique<QuitQuestion>([settings = m_settings.get()](bool keep) {
        if (keep) {
            settings->setKeepHistory(true);  // written before the exit, which waits for it
        }
        QCoreApplication::quit();
    });
    QObject::connect(m_tray.get(), &QuillstackTray::historyWindowRequested, m_historyWindow.get(),
                     [window = m_historyWindow.get()] { window->present(); });

    // A window's content is built again in the new language, its texts looked up anew. Queued:
    // the change is often made from inside that very content (its language picker).
    for (AppWindow* window : {m_historyWindow.get(), m_settingsWindow.get()}) {
        QObject::connect(m_settings.get(), &AppSettings::preferredLanguageChanged, window,
                         &AppWindow::rebuildContent, Qt::QueuedConnection);
    }
}

void QuillstackApp::listenForCommands() {
    if (!m_instance || !m_instance->isPrimary()) {
        log(QStringLiteral(
            "QuillstackApp: no private runtime folder, a second start is not caught"));
        m_instance.reset();
        return;
    }
    // Once launched: a later start's command waits for this (it retries for a while), and the
    // socket's presence tells that the history is watching.
    m_instance->listen();
    QObject::connect(m_instance.get(), &SingleInstance::commandReceived, &m_app,
                     [this](SingleInstance::Command command) { perform(command); });
    m_instance->setQueryHandler(
        [this](const SingleInstance::Query& query,
               const std::function<void(SingleInstance::Answer)>& reply) { answer(query, reply); });
    // Open windows rebuild in the new language, as when it is picked in the settings.
    QObject::connect(m_instance.get(), &SingleInstance::languageRequested, m_settings.get(),
                     &AppSettings::setPreferredLanguage);
    QObject::connect(m_instance.get(), &SingleInstance::activationTokenReceived, &m_app,
                     [this](const QString& token) { m_activationToken = token; });
}

void QuillstackApp::perform(SingleInstance::Command command) {
    // The token came with this command, and is good for it alone.
    const QString token = std::exchange(m_activationToken, QString());
    switch (command) {
        case SingleInstance::Command::Activate:
            log(QStringLiteral("QuillstackApp: started again, activation requested"));
            m_historyWindow->present(token);
            break;
        case SingleInstance::Command::TogglePopup:
            m_session->toggle();
            break;
        case SingleInstance::Command::ShowOnboarding:
            m_onboarding->present();
            break;
        case SingleInstance::Command::ShowHistory:
            m_historyWindow->present(token);
            break;
        case SingleInstance::Command::ShowSettings:
            m_settingsWindow->present(token);
            break;
        case SingleInstance::Command::Pause:
        case SingleInstance::Command::Resume:
            m_gate->setPaused(command == SingleInstance::Command::Pause);
            break;
        case SingleInstance::Command::Quit:
            QCoreApplication::quit();
            break;
    }
}

void QuillstackApp::answer(const SingleInstance::Query& query,
                           const std::function<void(SingleInstance::Answer)>& reply) {
    if (!m_history->arePinsLoaded()) {
        // Record numbers count the pins first: an answer before they are read would be wrong.
        QObject::connect(
            m_history.get(), &ClipboardHistory::pinsLoaded, &m_app,
            [this, query, reply] { answer(query, reply); }, Qt::SingleShotConnection);
        return;
    }
    switch (query.kind) {
        case SingleInstance::Query::Kind::List:
            reply({{}, m_queries->list()});
            break;
        case SingleInstance::Query::Kind::Print:
            m_queries->print(query.number, query.type, [reply](HistoryQueries::Result result) {
                reply({result.error, std::move(result.bytes)});
            });
            break;
        case SingleInstance::Query::Kind::Copy:
            m_queries->copy(query.number, [reply](QString error) { reply({error, {}}); });
            break;
    }
}

QuillstackApp::~QuillstackApp() {
    if (m_scheduler) {
        m_scheduler->waitForBackground();
    }
    if (m_thumbnailer) {
        m_thumbnailer->waitForDone();
    }
}

int QuillstackApp::run() {
    if (!m_onboarding) {
        qCritical("Quillstack cannot use this display");
        return 1;
    }
    installSignalHandlers();
    m_tray->setup();
    start();
    if (m_firstCommand != SingleInstance::Command::Activate) {
        perform(m_firstCommand);
    }
    listenForCommands();
    // Once the start is done, while nothing waits: the first chord then only shows the popup.
    QTimer::singleShot(popupPrepareDelayMs, m_popupController.get(),
                       &PastePopupWindowController::prepare);
    log(QStringLiteral("QuillstackApp: event loop running"));
    const int status = QCoreApplication::exec();
    shutDown();
    return status;
}

void QuillstackApp::start() {
    // A tray application: closing its last window does not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    std::set_terminate(&logUncaughtAndAbort);
    m_history->startMonitoring();
    log(QStringLiteral("QuillstackApp: starting the chord"));
    m_detector->startMonitoring();
    log(QStringLiteral("QuillstackApp: chord started"));
    m_popupController->setup();
    if (!m_settings->onboardingCompleted()) {
        m_onboarding->present();
    }
}

void QuillstackApp::shutDown() {
    // Copies must not outlive the process. Records still being built finish and are handed
    // over (their blob files are spared until then), after which every blob file is ours to
    // remove. The lock is still held, so no newer instance's files are touched.
    m_scheduler->waitForBackground();
    QCoreApplication::sendPostedEvents(m_scheduler.get());
    m_history->wipeBlobDirectory();
    log(QStringLiteral("QuillstackApp: blob folder emptied"));
}

void QuillstackApp::quitAsked() {
    const qsizetype cleared = m_history->items().size() - m_history->pinnedCount();
    m_quitQuestion->ask(m_settings->keepHistory() ? 0 : cleared);
}

void QuillstackApp::installSignalHandlers() {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0) {
        return;
    }
    m_signalNotifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &m_app);
    QObject::connect(m_signalNotifier, &QSocketNotifier::activated, &m_app, [] {
        char byte = 0;
        [[maybe_unused]] const ssize_t bytesRead = ::read(signalPipe[0], &byte, 1);
        log(QStringLiteral("QuillstackApp: termination signal, quitting"));
        QCoreApplication::quit();
    });
    struct sigaction action {};
    action.sa_handler = &onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
}
