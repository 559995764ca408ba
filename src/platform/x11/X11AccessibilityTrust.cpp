// SPDX-License-Identifier: MIT
#include "platform/x11/X11AccessibilityTrust.h"

#include <xcb/xtest.h>

X11AccessibilityTrust::X11AccessibilityTrust(xcb_connection_t* connection)
    : m_connection(connection) {}

bool X11AccessibilityTrust::isTrusted() {
    if (m_connection == nullptr || xcb_connection_has_error(m_connection) != 0) {
        return false;
    }
    const xcb_query_extension_reply_t* ext = xcb_get_extension_data(m_connection, &xcb_test_id);
    return ext != nullptr && ext->present;
}
