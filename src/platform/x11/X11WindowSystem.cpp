// SPDX-License-Identifier: MIT
#include "platform/x11/X11WindowSystem.h"

#include <QGuiApplication>

#include <xcb/xcb.h>

#include "platform/x11/X11Connection.h"

#include <cstdlib>
#include <memory>

namespace {
xcb_connection_t* qtConnection(int* screenNumber = nullptr) {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (x11 == nullptr) {
        return nullptr;
    }
    if (screenNumber != nullptr) {
        // Qt connects to the default screen of $DISPLAY.
        const QByteArray display = qgetenv("DISPLAY");
        const qsizetype dot = display.lastIndexOf('.');
        const qsizetype colon = display.lastIndexOf(':');
        *screenNumber = dot > colon ? display.mid(dot + 1).toInt() : 0;
    }
    return x11->connection();
}

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    const auto cookie = xcb_intern_atom(c, 0, uint16_t(qstrlen(name)), name);
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(c, cookie, nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

template <typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

// The server's clock now: a property change on a window of this connection comes back dated.
xcb_timestamp_t serverTime(X11Connection& connection) {
    xcb_connection_t* c = connection.get();
    const xcb_window_t probe = xcb_generate_id(c);
    const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(c, XCB_COPY_FROM_PARENT, probe, connection.root(), -1, -1, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &mask);
    xcb_change_property(c, XCB_PROP_MODE_APPEND, probe, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, 0,
                        nullptr);
    xcb_flush(c);
    xcb_timestamp_t time = XCB_CURRENT_TIME;
    // The connection is ours and new: the only event coming is that one (none if it breaks).
    while (xcb_generic_event_t* event = xcb_wait_for_event(c)) {
        const bool dated = (event->response_type & 0x7F) == XCB_PROPERTY_NOTIFY;
        if (dated) {
            time = reinterpret_cast<xcb_property_notify_event_t*>(event)->time;
        }
        std::free(event);
        if (dated) {
            break;
        }
    }
    return time;
}

// The window's ancestor just below the root: the window manager's frame, or the window.
xcb_window_t topLevelOf(xcb_connection_t* c, xcb_window_t window) {
    for (int depth = 0; depth < 16; ++depth) {
        Reply<xcb_query_tree_reply_t> tree(
            xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr), &std::free);
        if (!tree) {
            return XCB_WINDOW_NONE;
        }
        if (tree->parent == tree->root || tree->parent == XCB_WINDOW_NONE) {
            return window;
        }
        window = tree->parent;
    }
    return window;
}
}  // namespace

namespace X11WindowSystem {

bool isCompositing() {
    int screen = 0;
    xcb_connection_t* c = qtConnection(&screen);
    if (c == nullptr) {
        return false;
    }
    const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(screen);
    const xcb_atom_t selection = atom(c, name.constData());
    if (selection == XCB_ATOM_NONE) {
        return false;
    }
    std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&std::free)> reply(
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, selection), nullptr),
        &std::free);
    return reply && reply->owner != XCB_WINDOW_NONE;
}

void showOnAllDesktops(WId window) {
    xcb_connection_t* c = qtConnection();
    if (c == nullptr || window == 0) {
        return;
    }
    const auto id = xcb_window_t(window);
    const uint32_t allDesktops = 0xFFFFFFFF;
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, atom(c, "_NET_WM_DESKTOP"), XCB_ATOM_CARDINAL,
                        32, 1, &allDesktops);
    // Qt merges its own states into this list when it maps the window.
    const xcb_atom_t states[] = {atom(c, "_NET_WM_STATE_STICKY"), atom(c, "_NET_WM_STATE_ABOVE"),
                                 atom(c, "_NET_WM_STATE_SKIP_TASKBAR"),
                                 atom(c, "_NET_WM_STATE_SKIP_PAGER")};
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, atom(c, "_NET_WM_STATE"), XCB_ATOM_ATOM, 32,
                        std::size(states), states);
    xcb_flush(c);
}

void activate(WId window, const QString& startupId) {
    xcb_connection_t* c = qtConnection();
    if (c == nullptr || window == 0) {
        return;
    }
    // Qt's own request carries the date of the last input it saw, which for a command from
    // another start or the Shell can be long past.
    const std::unique_ptr<X11Connection> own = X11Connection::open();
    // A startup id that names no time (a Wayland launcher's token) dates nothing.
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = xcb_window_t(window);
    message.type = atom(c, "_NET_ACTIVE_WINDOW");
    message.data.data32[0] = 1;  // from an application
    bool dated = false;
    const qsizetype at = startupId.lastIndexOf(QStringLiteral("_TIME"));
    const uint launched = at < 0 ? 0 : startupId.mid(at + 5).toUInt(&dated);
    message.data.data32[1] = dated && launched != 0 ? launched
                             : own                  ? serverTime(*own)
                                                    : xcb_timestamp_t(XCB_CURRENT_TIME);
    message.data.data32[2] = XCB_WINDOW_NONE;
    xcb_send_event(c, 0, X11Connection::firstRoot(c),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(c);
}

std::optional<QRect> windowGeometry(quint64 window) {
    xcb_connection_t* c = qtConnection();
    if (c == nullptr || window == 0 || window > 0xFFFFFFFFu) {
        return std::nullopt;
    }
    const xcb_window_t top = topLevelOf(c, xcb_window_t(window));
    if (top == XCB_WINDOW_NONE) {
        return std::nullopt;
    }
    Reply<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(c, xcb_get_geometry(c, top), nullptr), &std::free);
    if (!geometry) {
        return std::nullopt;
    }
    Reply<xcb_translate_coordinates_reply_t> origin(
        xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, top, geometry->root, 0, 0),
                                        nullptr),
        &std::free);
    if (!origin) {
        return std::nullopt;
    }
    return QRect(origin->dst_x, origin->dst_y, geometry->width, geometry->height);
}

}  // namespace X11WindowSystem
