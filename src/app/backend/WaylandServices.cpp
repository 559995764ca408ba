// SPDX-License-Identifier: MIT
#include <QCoreApplication>
#include <QStandardPaths>
#include <QWidget>

#include "app/backend/PlatformServices.h"
#include "platform/kde/KWinGrant.h"
#include "platform/wayland/SwayIpc.h"
#include "platform/wayland/WaylandClipboard.h"
#include "platform/wayland/WaylandInputInjectionAccess.h"
#include "platform/wayland/WaylandKeyInjector.h"
#include "platform/wayland/WaylandKeyboardHooks.h"
#include "platform/wayland/WaylandSession.h"
#include "platform/wayland/WaylandWindowTracker.h"

bool PlatformServices::waylandUsable() {
    return WaylandClipboard::isOffered();
}

std::optional<PlatformServices> PlatformServices::forWayland() {
    auto session = std::make_shared<WaylandSession>();
    if (!session->isConnected()) {
        return std::nullopt;
    }
    PlatformServices services;
    services.session = SessionKind::Wayland;
    services.shared.push_back(session);
    services.clipboard = std::make_unique<WaylandClipboard>();
    // Only sway takes key bindings from programs; elsewhere the user binds the command.
    std::shared_ptr<SwayIpc> sway;
    if (const QString socket = SwayIpc::sessionSocket(); !socket.isEmpty()) {
        sway = std::make_shared<SwayIpc>(socket);
        services.shared.push_back(sway);
    }
    services.keyboardHooks = std::make_unique<WaylandKeyboardHooks>(
        sway.get(),
        QStringList{QCoreApplication::applicationFilePath(), QStringLiteral("--toggle-popup")});
    services.trust = std::make_unique<WaylandInputInjectionAccess>(*session);
    services.windowTracker =
        std::make_unique<WaylandWindowTracker>(*session, QStringLiteral("quillstack"));
    services.keyInjector = std::make_unique<WaylandKeyInjector>(*session);
    if (onKde()) {
        // KWin has neither the virtual keyboard nor the wlroots window list; it grants its own
        // to an executable whose desktop file asks for them, and notices a file written later.
        services.session = SessionKind::KdeWayland;
        auto grant = std::make_shared<KWinGrant>(
            session, QStringLiteral("Quillstack"),
            QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation));
        services.shared.push_back(grant);
        services.trust = std::make_unique<KWinGrantedTrust>(*grant, std::move(services.trust));
        services.keyInjector =
            std::make_unique<KWinGrantedInjector>(*grant, std::move(services.keyInjector));
        services.windowTracker =
            std::make_unique<KWinGrantedWindowTracker>(*grant, std::move(services.windowTracker));
        services.watchTrust = [grant = grant.get()](std::function<void()> changed) {
            // Queued: the grant may come while the trust is being asked.
            QObject::connect(grant, &KWinGrant::granted, grant, std::move(changed),
                             Qt::QueuedConnection);
        };
    }
    // Every Wayland compositor blends; where windows go is the compositor's call.
    services.windowSystem = PopupWindowSystem{[] { return true; }, {}, {}};
    services.activateWindow = [](QWidget* window, const QString& token) {
        // Qt's xdg-shell (6.4 on) hands the compositor the launcher's token it finds here, and
        // asks for one of its own from the last input otherwise.
        if (!token.isEmpty()) {
            qputenv("XDG_ACTIVATION_TOKEN", token.toLatin1());
        }
        window->activateWindow();
    };
    services.activeWindowGeometry = [] { return std::optional<QRect>(); };
    return services;
}
