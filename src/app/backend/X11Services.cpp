// SPDX-License-Identifier: MIT
#include <QWidget>

#include "app/backend/PlatformServices.h"
#include "platform/x11/X11Clipboard.h"
#include "platform/x11/X11InputInjectionAccess.h"
#include "platform/x11/X11KeyboardHooks.h"
#include "platform/x11/X11WindowSystem.h"
#include "platform/x11/X11WindowTracker.h"
#include "platform/x11/XTestKeyInjector.h"

std::optional<PlatformServices> PlatformServices::forX11(QApplication& app) {
    auto* x11 = app.nativeInterface<QNativeInterface::QX11Application>();
    std::unique_ptr<X11KeyboardHooks> hooks = X11KeyboardHooks::forApplication();
    if (!hooks || x11 == nullptr) {
        return std::nullopt;
    }
    PlatformServices services;
    // Applications hand their clipboard to us as they exit, unless another manager runs.
    services.clipboard = std::make_unique<X11Clipboard>(
        QString(), std::chrono::seconds(1), X11ClipboardThread::ManagerRole::TakeWhenFree);
    services.keyboardHooks = std::move(hooks);
    services.trust = std::make_unique<X11InputInjectionAccess>(x11->connection());
    auto windowTracker = std::make_unique<X11WindowTracker>();
    X11WindowTracker* front = windowTracker.get();
    services.windowTracker = std::move(windowTracker);
    services.keyInjector = std::make_unique<XTestKeyInjector>();
    services.windowSystem =
        PopupWindowSystem{&X11WindowSystem::isCompositing, &X11WindowSystem::showOnAllDesktops,
                          &X11WindowSystem::windowGeometry};
    services.activateWindow = [](QWidget* window, const QString& startupId) {
        X11WindowSystem::activate(window->winId(), startupId);
    };
    services.activeWindowGeometry = [front]() -> std::optional<QRect> {
        const std::optional<RunningApp> app = front->frontmostApplication();
        return app ? X11WindowSystem::windowGeometry(app->window) : std::nullopt;
    };
    return services;
}
