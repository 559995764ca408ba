// SPDX-License-Identifier: MIT
#include "platform/x11/X11Connection.h"

#include <cstdlib>
#include <cstring>

std::unique_ptr<X11Connection> X11Connection::open(const char* displayName) {
    int screenNumber = 0;
    xcb_connection_t* c = xcb_connect(displayName, &screenNumber);
    if (xcb_connection_has_error(c) != 0) {
        xcb_disconnect(c);
        return nullptr;
    }
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screenNumber && it.rem > 0; ++i) {
        xcb_screen_next(&it);
    }
    if (it.rem == 0 || it.data == nullptr) {
        xcb_disconnect(c);
        return nullptr;
    }
    return std::unique_ptr<X11Connection>(new X11Connection(c, it.data->root));
}

X11Connection::X11Connection(xcb_connection_t* connection, xcb_window_t root)
    : m_connection(connection), m_root(root) {}

X11Connection::~X11Connection() {
    xcb_disconnect(m_connection);
}

xcb_atom_t X11Connection::atom(const char* name) {
    auto found = m_atoms.find(name);
    if (found != m_atoms.end()) {
        return found->second;
    }
    const xcb_atom_t a = internAtom(m_connection, name);
    if (a != XCB_ATOM_NONE) {
        m_atoms.emplace(name, a);
    }
    return a;
}

xcb_atom_t X11Connection::internAtom(xcb_connection_t* c, const char* name) {
    if (c == nullptr) {
        return XCB_ATOM_NONE;
    }
    auto cookie = xcb_intern_atom(c, 0, static_cast<quint16>(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c, cookie, nullptr);
    if (reply == nullptr) {
        return XCB_ATOM_NONE;
    }
    const xcb_atom_t a = reply->atom;
    std::free(reply);
    return a;
}

xcb_window_t X11Connection::firstRoot(xcb_connection_t* c) {
    if (c == nullptr || xcb_connection_has_error(c) != 0) {
        return XCB_WINDOW_NONE;
    }
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    if (it.rem == 0 || it.data == nullptr) {
        return XCB_WINDOW_NONE;
    }
    return it.data->root;
}

QByteArray X11Connection::property(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property,
                                   xcb_atom_t type, quint8 format, quint32 maxBytes) {
    if (c == nullptr || window == XCB_WINDOW_NONE || property == XCB_ATOM_NONE) {
        return {};
    }
    auto cookie = xcb_get_property(c, 0, window, property, type, 0, (maxBytes + 3) / 4);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(c, cookie, nullptr);
    if (reply == nullptr) {
        return {};
    }
    QByteArray bytes;
    const bool typeOk = type == XCB_ATOM_ANY || reply->type == type;
    if (typeOk && reply->format == format) {
        const int length = xcb_get_property_value_length(reply);
        if (length > 0) {
            bytes = QByteArray(static_cast<const char*>(xcb_get_property_value(reply)), length);
        }
    }
    std::free(reply);
    return bytes;
}
