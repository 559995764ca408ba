// SPDX-License-Identifier: MIT
#include "app/backend/PlatformServices.h"

// Built without the Wayland backend: every session is an X one.
bool PlatformServices::waylandUsable() {
    return false;
}

std::optional<PlatformServices> PlatformServices::forWayland() {
    return std::nullopt;
}

// KDE's ports come with the Wayland backend.
bool PlatformServices::onKde() {
    return false;
}

bool PlatformServices::addKGlobalAccel() {
    return false;
}
