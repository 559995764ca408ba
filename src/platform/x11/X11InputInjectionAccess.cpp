// SPDX-License-Identifier: MIT
#include "platform/x11/X11InputInjectionAccess.h"

#include <xcb/xtest.h>

X11InputInjectionAccess::X11InputInjectionAccess(xcb_connection_t* connection)
    : m_connection(connection) {}

bool X11InputInjectionAccess::isTrusted() {
    if (m_connection == nullptr || xcb_connection_has_error(m_connection) != 0) {
        return false;
    }
    const xcb_query_extension_reply_t* ext = xcb_get_extension_data(m_connection, &xcb_test_id);
    return ext != nullptr && ext->present;
}
