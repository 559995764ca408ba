// SPDX-License-Identifier: MIT
#pragma once

#include <xcb/xcb.h>

#include <QByteArray>
#include <QHash>
#include <QList>

// Atom ids and names on one connection. Ids never change while the server runs, so both
// directions are cached. Use from the thread that owns the connection only.
class X11Atoms {
  public:
    explicit X11Atoms(xcb_connection_t* connection);

    // Pipelined: one round trip for the whole list. XCB_ATOM_NONE where interning failed.
    QList<xcb_atom_t> intern(const QList<QByteArray>& names);
    // Pipelined; an empty name for an atom the server does not know.
    QList<QByteArray> names(const QList<xcb_atom_t>& atoms);

    // The atoms the clipboard code uses all the time.
    xcb_atom_t clipboard = XCB_ATOM_NONE;
    xcb_atom_t targets = XCB_ATOM_NONE;
    xcb_atom_t multiple = XCB_ATOM_NONE;
    xcb_atom_t timestamp = XCB_ATOM_NONE;
    xcb_atom_t incr = XCB_ATOM_NONE;
    xcb_atom_t atomPair = XCB_ATOM_NONE;
    xcb_atom_t utf8String = XCB_ATOM_NONE;
    xcb_atom_t text = XCB_ATOM_NONE;
    xcb_atom_t timestampProperty = XCB_ATOM_NONE;
    xcb_atom_t clipboardManager = XCB_ATOM_NONE;
    xcb_atom_t saveTargets = XCB_ATOM_NONE;
    xcb_atom_t manager = XCB_ATOM_NONE;
    xcb_atom_t null = XCB_ATOM_NONE;

  private:
    xcb_connection_t* m_connection;
    QHash<QByteArray, xcb_atom_t> m_byName;
    QHash<xcb_atom_t, QByteArray> m_byAtom;
};
