#include "platform/x11/X11WindowSystem.h"

#include <QGuiApplication>

#include <xcb/xcb.h>

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
