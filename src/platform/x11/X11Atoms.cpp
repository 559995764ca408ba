// SPDX-License-Identifier: MIT
#include "platform/x11/X11Atoms.h"

#include "platform/x11/XcbPointer.h"

X11Atoms::X11Atoms(xcb_connection_t* connection) : m_connection(connection) {
    const QList<xcb_atom_t> ids = intern(
        {"CLIPBOARD", "TARGETS", "MULTIPLE", "TIMESTAMP", "INCR", "ATOM_PAIR", "UTF8_STRING",
         "TEXT", "_QUILLSTACK_TIMESTAMP", "CLIPBOARD_MANAGER", "SAVE_TARGETS", "MANAGER", "NULL"});
    clipboard = ids[0];
    targets = ids[1];
    multiple = ids[2];
    timestamp = ids[3];
    incr = ids[4];
    atomPair = ids[5];
    utf8String = ids[6];
    text = ids[7];
    timestampProperty = ids[8];
    clipboardManager = ids[9];
    saveTargets = ids[10];
    manager = ids[11];
    null = ids[12];
}

QList<xcb_atom_t> X11Atoms::intern(const QList<QByteArray>& names) {
    QList<xcb_atom_t> result(names.size(), XCB_ATOM_NONE);
    QList<std::pair<qsizetype, xcb_intern_atom_cookie_t>> pending;
    for (qsizetype i = 0; i < names.size(); ++i) {
        const auto cached = m_byName.constFind(names[i]);
        if (cached != m_byName.cend()) {
            result[i] = *cached;
        } else if (!names[i].isEmpty() && names[i].size() <= 0xFFFF) {
            pending.append({i, xcb_intern_atom(m_connection, 0, quint16(names[i].size()),
                                               names[i].constData())});
        }
    }
    for (const auto& [index, cookie] : pending) {
        XcbPointer<xcb_intern_atom_reply_t> reply(
            xcb_intern_atom_reply(m_connection, cookie, nullptr));
        if (reply && reply->atom != XCB_ATOM_NONE) {
            result[index] = reply->atom;
            m_byName.insert(names[index], reply->atom);
            m_byAtom.insert(reply->atom, names[index]);
        }
    }
    return result;
}

QList<QByteArray> X11Atoms::names(const QList<xcb_atom_t>& atoms) {
    QList<QByteArray> result(atoms.size());
    QList<std::pair<qsizetype, xcb_get_atom_name_cookie_t>> pending;
    for (qsizetype i = 0; i < atoms.size(); ++i) {
        const auto cached = m_byAtom.constFind(atoms[i]);
        if (cached != m_byAtom.cend()) {
            result[i] = *cached;
        } else if (atoms[i] != XCB_ATOM_NONE) {
            pending.append({i, xcb_get_atom_name(m_connection, atoms[i])});
        }
    }
    for (const auto& [index, cookie] : pending) {
        xcb_generic_error_t* error = nullptr;
        XcbPointer<xcb_get_atom_name_reply_t> reply(
            xcb_get_atom_name_reply(m_connection, cookie, &error));
        std::free(error);
        if (!reply) {
            continue;
        }
        const QByteArray name(xcb_get_atom_name_name(reply.get()),
                              xcb_get_atom_name_name_length(reply.get()));
        result[index] = name;
        m_byAtom.insert(atoms[index], name);
        m_byName.insert(name, atoms[index]);
    }
    return result;
}
