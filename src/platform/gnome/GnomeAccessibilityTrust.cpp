// SPDX-License-Identifier: MIT
#include "platform/gnome/GnomeAccessibilityTrust.h"

#include "platform/gnome/GnomeShellBridge.h"

bool GnomeAccessibilityTrust::isTrusted() {
    return m_bridge.isConnected() || (m_xwayland && m_xwayland->isTrusted());
}
