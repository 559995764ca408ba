// SPDX-License-Identifier: MIT
#include "platform/x11/X11WindowTracker.h"

#include <QCoreApplication>
#include <QStringDecoder>

#include <cstdlib>
#include <cstring>
#include <tuple>
#include <utility>

#include "core/AppLogger.h"
#include "platform/x11/X11Connection.h"

QUILLSTACK_DEFINE_COMPONENT_LOG

namespace {

constexpr quint32 kSourcePager = 2;  // _NET_ACTIVE_WINDOW source: an explicit user request
constexpr int kMaxTreeDepth = 64;

quint32 firstWord(const QByteArray& bytes) {
    quint32 word = 0;
    std::memcpy(&word, bytes.constData(), sizeof word);
    return word;
}

// WM_CLASS is read in pieces of this size, up to the cap; a longer one is cut there.
constexpr quint32 kClassChunkBytes = 1024;
constexpr qsizetype kMaxClassBytes = 64 * 1024;

QString decodedName(const QByteArray& bytes, bool utf8) {
    if (utf8) {
        return QString::fromUtf8(bytes);
    }
    // STRING is Latin-1, yet some clients put UTF-8 there; Latin-1 text beyond ASCII is hardly
    // ever valid UTF-8, so that reading is taken first.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString asUtf8 = decoder.decode(bytes);
    return decoder.hasError() ? QString::fromLatin1(bytes) : asUtf8;
}

// WM_CLASS, "instance\0class\0", whole: as STRING, which ICCCM asks for, or as UTF8_STRING,
// which some toolkits set. Both empty when it is missing or of another type.
std::pair<QString, QString> windowClassNames(xcb_connection_t* c, xcb_window_t window,
                                             xcb_atom_t utf8String) {
    QByteArray bytes;
    xcb_atom_t type = XCB_ATOM_NONE;
    quint32 offsetWords = 0;
    while (bytes.size() < kMaxClassBytes) {
        const auto cookie = xcb_get_property(c, 0, window, XCB_ATOM_WM_CLASS, XCB_ATOM_ANY,
                                             offsetWords, kClassChunkBytes / 4);
        xcb_get_property_reply_t* reply = xcb_get_property_reply(c, cookie, nullptr);
        if (reply == nullptr) {
            return {};
        }
        const bool known = reply->format == 8 &&
                           (reply->type == XCB_ATOM_STRING || reply->type == utf8String) &&
                           (type == XCB_ATOM_NONE || reply->type == type);
        const int length = xcb_get_property_value_length(reply);
        const quint32 after = reply->bytes_after;
        if (known && length > 0) {
            type = reply->type;
            bytes.append(static_cast<const char*>(xcb_get_property_value(reply)), length);
        }
        std::free(reply);
        if (!known) {
            return {};  // missing, of another type, or replaced by one while it was read
        }
        if (after == 0 || length == 0 || length % 4 != 0) {
            break;
        }
        offsetWords += quint32(length) / 4;
    }
    const bool utf8 = type == utf8String;
    const qsizetype end = bytes.indexOf('\0');
    if (end < 0) {
        return {decodedName(bytes, utf8), {}};
    }
    const qsizetype classEnd = bytes.indexOf('\0', end + 1);
    return {decodedName(bytes.left(end), utf8),
            decodedName(bytes.mid(end + 1, classEnd < 0 ? -1 : classEnd - end - 1), utf8)};
}

xcb_window_t windowProperty(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property) {
    const QByteArray bytes = X11Connection::property(c, window, property, XCB_ATOM_WINDOW, 32, 4);
    return bytes.size() < 4 ? 0 : firstWord(bytes);
}

}  // namespace

X11WindowTracker::X11WindowTracker(const char* displayName)
    : m_connection(X11Connection::open(displayName)) {
    if (!m_connection) {
        return;
    }
    xcb_connection_t* c = m_connection->get();
    m_clockWindow = xcb_generate_id(c);
    const quint32 events = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(c, XCB_COPY_FROM_PARENT, m_clockWindow, m_connection->root(), -1, -1, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK,
                      &events);
    xcb_flush(c);
}

X11WindowTracker::~X11WindowTracker() = default;

bool X11WindowTracker::hasWindowManager() const {
    xcb_connection_t* c = m_connection->get();
    const xcb_atom_t check = m_connection->atom("_NET_SUPPORTING_WM_CHECK");
    const xcb_window_t wm = windowProperty(c, m_connection->root(), check);
    // A window manager that went away leaves the root property behind, but not its window.
    return wm != XCB_WINDOW_NONE && windowProperty(c, wm, check) == wm;
}

xcb_window_t X11WindowTracker::activeWindow() const {
    return windowProperty(m_connection->get(), m_connection->root(),
                          m_connection->atom("_NET_ACTIVE_WINDOW"));
}

xcb_window_t X11WindowTracker::focusedTopLevel() const {
    xcb_connection_t* c = m_connection->get();
    xcb_get_input_focus_reply_t* focus =
        xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr);
    xcb_window_t window = XCB_WINDOW_NONE;
    if (focus != nullptr) {
        window = focus->focus;
    }
    std::free(focus);
    if (window == XCB_WINDOW_NONE || window == XCB_INPUT_FOCUS_POINTER_ROOT ||
        window == m_connection->root()) {
        return XCB_WINDOW_NONE;
    }
    for (int depth = 0; depth < kMaxTreeDepth; ++depth) {
        xcb_query_tree_reply_t* tree = xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr);
        if (tree == nullptr) {
            return XCB_WINDOW_NONE;
        }
        const xcb_window_t parent = tree->parent;
        const xcb_window_t root = tree->root;
        std::free(tree);
        if (parent == root || parent == XCB_WINDOW_NONE) {
            return window;
        }
        window = parent;
    }
    return XCB_WINDOW_NONE;
}

std::optional<RunningApp> X11WindowTracker::frontmostApplication() const {
    if (!m_connection || m_connection->isBroken()) {
        return std::nullopt;
    }
    drainEvents();
    const xcb_window_t window = hasWindowManager() ? activeWindow() : focusedTopLevel();
    if (window == XCB_WINDOW_NONE) {
        return std::nullopt;
    }
    xcb_connection_t* c = m_connection->get();
    RunningApp app;
    app.window = window;
    const QByteArray pid = X11Connection::property(c, window, m_connection->atom("_NET_WM_PID"),
                                                   XCB_ATOM_CARDINAL, 32, 4);
    if (pid.size() >= 4) {
        app.pid = firstWord(pid);
    }
    // The class names the application.
    std::tie(app.windowInstance, app.windowClass) =
        windowClassNames(c, window, m_connection->atom("UTF8_STRING"));
    app.name = app.windowClass.isEmpty() ? app.windowInstance : app.windowClass;
    if (app.name.isEmpty()) {
        const QByteArray netName =
            X11Connection::property(c, window, m_connection->atom("_NET_WM_NAME"),
                                    m_connection->atom("UTF8_STRING"), 8, 4096);
        app.name = QString::fromUtf8(netName);
    }
    if (app.name.isEmpty()) {
        const QByteArray wmName =
            X11Connection::property(c, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, 4096);
        app.name = QString::fromLatin1(wmName);
    }
    return app;
}

QStringList X11WindowTracker::openWindowClasses() const {
    if (!m_connection || m_connection->isBroken()) {
        return {};
    }
    xcb_connection_t* c = m_connection->get();
    const QByteArray list = X11Connection::property(
        c, m_connection->root(), m_connection->atom("_NET_CLIENT_LIST"), XCB_ATOM_WINDOW, 32);
    const xcb_atom_t utf8String = m_connection->atom("UTF8_STRING");
    QStringList classes;
    for (qsizetype at = 0; at + 4 <= list.size(); at += 4) {
        const xcb_window_t window = firstWord(list.mid(at, 4));
        const QString windowClass = windowClassNames(c, window, utf8String).second;
        if (!windowClass.isEmpty()) {
            classes << windowClass;
        }
    }
    classes.removeDuplicates();
    return classes;
}

void X11WindowTracker::activate(const RunningApp& app) {
    if (!m_connection || m_connection->isBroken() || app.window == 0) {
        return;
    }
    xcb_connection_t* c = m_connection->get();
    const auto target = static_cast<xcb_window_t>(app.window);
    const xcb_timestamp_t time = serverTime();
    if (hasWindowManager()) {
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = target;
        message.type = m_connection->atom("_NET_ACTIVE_WINDOW");
        message.data.data32[0] = kSourcePager;
        message.data.data32[1] = time;
        message.data.data32[2] = activeWindow();
        xcb_send_event(c, 0, m_connection->root(),
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&message));
    } else {
        const quint32 above = XCB_STACK_MODE_ABOVE;
        xcb_configure_window(c, target, XCB_CONFIG_WINDOW_STACK_MODE, &above);
        xcb_set_input_focus(c, XCB_INPUT_FOCUS_POINTER_ROOT, target, time);
    }
    xcb_flush(c);
    log("X11WindowTracker: activation requested for window " + QString::number(app.window));
}

xcb_timestamp_t X11WindowTracker::serverTime() {
    xcb_connection_t* c = m_connection->get();
    if (m_clockWindow == XCB_WINDOW_NONE) {
        return XCB_CURRENT_TIME;
    }
    drainEvents();
    // Appending nothing to a property still stamps a PropertyNotify with the server's time.
    const xcb_atom_t clock = m_connection->atom("_QUILLSTACK_CLOCK");
    xcb_change_property(c, XCB_PROP_MODE_APPEND, m_clockWindow, clock, XCB_ATOM_STRING, 8, 0,
                        nullptr);
    xcb_flush(c);
    while (xcb_generic_event_t* event = xcb_wait_for_event(c)) {
        const bool found =
            (event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY &&
            reinterpret_cast<xcb_property_notify_event_t*>(event)->window == m_clockWindow;
        const xcb_timestamp_t time =
            found ? reinterpret_cast<xcb_property_notify_event_t*>(event)->time : 0;
        std::free(event);
        if (found) {
            return time;
        }
    }
    return XCB_CURRENT_TIME;
}

void X11WindowTracker::drainEvents() const {
    // Errors of fire-and-forget requests (a window that vanished) queue up as events.
    while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection->get())) {
        std::free(event);
    }
}

qint64 X11WindowTracker::currentProcessId() const {
    return QCoreApplication::applicationPid();
}
