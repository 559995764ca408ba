// SPDX-License-Identifier: MIT
#include "app/AppDelegate.h"

#include <QApplication>

#include <cstdlib>
#include <exception>

#include "core/AppLogger.h"
#include "core/CrashReport.h"
#include "history/ClipboardHistory.h"
#include "hotkey/ChordDetector.h"
#include "ui/onboarding/OnboardingWindowController.h"
#include "ui/popup/PastePopupWindowController.h"

QUILLSTACK_DEFINE_COMPONENT_LOG

AppDelegate::AppDelegate(ClipboardHistory& history, ChordDetector& manager,
                         PastePopupWindowController& popupController,
                         const OnboardingPanel::Dependencies& onboarding, QObject* parent)
    : QObject(parent),
      m_history(history),
      m_manager(manager),
      m_popupController(popupController),
      m_onboarding(new OnboardingWindowController(onboarding, this)) {
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                if (state == Qt::ApplicationActive) {
                    applicationDidBecomeActive();
                }
            });
    connect(qApp, &QCoreApplication::aboutToQuit, this, &AppDelegate::applicationWillTerminate);
}

void AppDelegate::applicationDidFinishLaunching() {
    log(QStringLiteral("applicationDidFinishLaunching: start"));
    // 1. An accessory: no window of ours keeps the process alive or shows in the taskbar.
    QApplication::setQuitOnLastWindowClosed(false);
    // 2.
    std::set_terminate(&AppDelegate::handleUncaughtException);
    // 3-4. The settings were created with the application; the history starts watching.
    m_history.startMonitoring();
    // 5.
    log(QStringLiteral("applicationDidFinishLaunching: starting the hotkey"));
    m_manager.startMonitoring();
    log(QStringLiteral("applicationDidFinishLaunching: hotkey started"));
    // 6.
    m_popupController.setup();
    // 7-8. The onboarding panel until onboarding is completed; 9 is the two public slots.
    m_onboarding->startAtLaunch();
    log(QStringLiteral("applicationDidFinishLaunching: done"));
}

void AppDelegate::applicationDidBecomeActive() {
    m_manager.refreshOnActivation();
}

void AppDelegate::applicationWillTerminate() {
    m_manager.stopMonitoring();
    m_onboarding->dropOnboardingWindow();
}

AppDelegate::~AppDelegate() = default;

void AppDelegate::showOnboardingWindow() {
    m_onboarding->showOnboardingWindow();
}

void AppDelegate::restartOnboardingFromBeginning() {
    m_onboarding->restartOnboardingFromBeginning();
}

void AppDelegate::handleUncaughtException() {
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
