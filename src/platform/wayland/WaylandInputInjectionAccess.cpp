// SPDX-License-Identifier: MIT
#include "platform/wayland/WaylandInputInjectionAccess.h"

#include "platform/wayland/WaylandSession.h"

WaylandInputInjectionAccess::WaylandInputInjectionAccess(const WaylandSession& session)
    : m_session(session) {}

bool WaylandInputInjectionAccess::isTrusted() {
    return m_session.hasVirtualKeyboard();
}
