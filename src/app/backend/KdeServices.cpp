// SPDX-License-Identifier: MIT
#include <QCoreApplication>
#include <QDBusConnection>

#include "app/backend/PlatformServices.h"
#include "platform/kde/KGlobalAccelHooks.h"

bool PlatformServices::onKde() {
    return qEnvironmentVariable("XDG_CURRENT_DESKTOP")
        .split(u':')
        .contains(QStringLiteral("KDE"), Qt::CaseInsensitive);
}

bool PlatformServices::addKGlobalAccel() {
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!KGlobalAccelHooks::isOffered(bus)) {
        return false;
    }
    keyboardHooks = std::make_unique<KGlobalAccelHooks>(
        bus,
        KGlobalAccelHooks::Names{
            QStringLiteral("quillstack"), QStringLiteral("toggle-popup"),
            QStringLiteral("Quillstack"),
            QCoreApplication::translate("PlatformServices", "paste from history")},
        std::move(keyboardHooks));
    return true;
}
