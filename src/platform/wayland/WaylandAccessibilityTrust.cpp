// SPDX-License-Identifier: MIT
#include "platform/wayland/WaylandAccessibilityTrust.h"

#include "platform/wayland/WaylandSession.h"

WaylandAccessibilityTrust::WaylandAccessibilityTrust(const WaylandSession& session)
    : m_session(session) {}

bool WaylandAccessibilityTrust::isTrusted() {
    return m_session.hasVirtualKeyboard();
}
