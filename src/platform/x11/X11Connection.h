// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>

#include <xcb/xcb.h>

#include <map>
#include <memory>
#include <string>

// An xcb connection of our own, for adapters that must not share Qt's event stream. Also the
// small property and atom helpers they all need; these work on any connection.
class X11Connection {
  public:
    // Nothing when no X server can be reached.
    static std::unique_ptr<X11Connection> open(const char* displayName = nullptr);
    ~X11Connection();
    X11Connection(const X11Connection&) = delete;
    X11Connection& operator=(const X11Connection&) = delete;

    xcb_connection_t* get() const { return m_connection; }
    xcb_window_t root() const { return m_root; }
    bool isBroken() const { return xcb_connection_has_error(m_connection) != 0; }

    xcb_atom_t atom(const char* name);

    // The property's bytes when it exists with this type (XCB_ATOM_ANY for any) and format,
    // else an empty array. At most maxBytes are read.
    static QByteArray property(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property,
                               xcb_atom_t type, quint8 format, quint32 maxBytes = 65536);
    static xcb_atom_t internAtom(xcb_connection_t* c, const char* name);
    static xcb_window_t firstRoot(xcb_connection_t* c);

  private:
    X11Connection(xcb_connection_t* connection, xcb_window_t root);

    xcb_connection_t* m_connection;
    xcb_window_t m_root;
    std::map<std::string, xcb_atom_t> m_atoms;
};
