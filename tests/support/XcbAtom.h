// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>

#include <xcb/xcb.h>

#include <cstdlib>

// The atom of `name` on this connection; XCB_ATOM_NONE when the server does not answer.
inline xcb_atom_t internAtom(xcb_connection_t* connection, const QByteArray& name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, name.size(), name.constData()), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

// Who holds `selection` on the default display now.
inline xcb_window_t selectionOwner(const QByteArray& selection) {
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    xcb_get_selection_owner_reply_t* reply = xcb_get_selection_owner_reply(
        connection, xcb_get_selection_owner(connection, internAtom(connection, selection)),
        nullptr);
    const xcb_window_t owner = reply ? reply->owner : xcb_window_t(XCB_WINDOW_NONE);
    std::free(reply);
    xcb_disconnect(connection);
    return owner;
}
