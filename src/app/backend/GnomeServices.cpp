// SPDX-License-Identifier: MIT
#include <QDBusConnection>

#include "app/backend/PlatformServices.h"
#include "platform/gnome/GnomeInputInjectionAccess.h"
#include "platform/gnome/GnomeIntegration.h"
#include "platform/gnome/GnomeKeyInjector.h"
#include "platform/gnome/GnomeKeyboardHooks.h"
#include "platform/gnome/GnomeShellBridge.h"
#include "platform/gnome/GnomeStatusIndicator.h"
#include "platform/gnome/GnomeWindowTracker.h"

bool PlatformServices::onGnomeWayland() {
    return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
           qEnvironmentVariable("XDG_CURRENT_DESKTOP")
               .split(u':')
               .contains(QStringLiteral("GNOME"), Qt::CaseInsensitive);
}

bool PlatformServices::addGnomeShell() {
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        return false;
    }
    // The clipboard stays on XWayland, where mutter hands over every copy with all its types;
    // the input ports go through the Shell, which alone reaches native windows. The extension
    // may come later (enabled from the settings window) or go: the XWayland ports serve then.
    auto bridge = std::make_shared<GnomeShellBridge>(bus);
    shared.push_back(bridge);
    keyboardHooks = std::make_unique<GnomeKeyboardHooks>(*bridge, std::move(keyboardHooks));
    trust = std::make_unique<GnomeInputInjectionAccess>(*bridge, std::move(trust));
    windowTracker = std::make_unique<GnomeWindowTracker>(*bridge, std::move(windowTracker));
    keyInjector = std::make_unique<GnomeKeyInjector>(*bridge, std::move(keyInjector));
    integration = std::make_shared<GnomeIntegration>(*bridge, bus);
    indicator = std::make_shared<GnomeStatusIndicator>(*bridge);
    watchTrust = [bridge = bridge.get()](std::function<void()> changed) {
        QObject::connect(bridge, &GnomeShellBridge::connectedChanged, bridge,
                         [changed = std::move(changed)](bool) { changed(); });
    };
    // Native windows' frames are the Shell's to know.
    activeWindowGeometry = [] { return std::optional<QRect>(); };
    return true;
}
