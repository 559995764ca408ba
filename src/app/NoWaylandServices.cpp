#include "app/PlatformServices.h"

// Built without the Wayland backend: every session is an X one.
bool PlatformServices::waylandUsable() {
    return false;
}

std::optional<PlatformServices> PlatformServices::forWayland() {
    return std::nullopt;
}
