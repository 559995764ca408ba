// SPDX-License-Identifier: MIT
#include "platform/gnome/GnomeInputInjectionAccess.h"

#include "platform/gnome/GnomeShellBridge.h"

bool GnomeInputInjectionAccess::isTrusted() {
    return m_bridge.isConnected() || (m_xwayland && m_xwayland->isTrusted());
}
