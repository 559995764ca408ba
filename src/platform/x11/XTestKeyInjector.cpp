#include "platform/x11/XTestKeyInjector.h"

#include <xcb/xtest.h>

#include <cstdlib>

#include "app/AppLogger.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Keymap.h"

QUILLSTACK_DEFINE_COMPONENT_LOG

namespace {

constexpr xcb_keysym_t kLatinV = 0x0076;
constexpr xcb_keysym_t kControlL = 0xffe3;
constexpr xcb_keycode_t kPhysicalV = 55;        // evdev KEY_V + 8
constexpr xcb_keycode_t kPhysicalControl = 37;  // evdev KEY_LEFTCTRL + 8

void fake(xcb_connection_t* c, xcb_window_t root, quint8 type, xcb_keycode_t keycode) {
    xcb_test_fake_input(c, type, keycode, XCB_CURRENT_TIME, root, 0, 0, 0);
}

}  // namespace

XTestKeyInjector::XTestKeyInjector(const char* displayName)
    : m_connection(X11Connection::open(displayName)) {
    if (m_connection) {
        const xcb_query_extension_reply_t* ext =
            xcb_get_extension_data(m_connection->get(), &xcb_test_id);
        m_hasXTest = ext != nullptr && ext->present;
    }
}

XTestKeyInjector::~XTestKeyInjector() = default;

bool XTestKeyInjector::postPasteKeystroke() {
    if (!m_connection || !m_hasXTest || m_connection->isBroken()) {
        return false;
    }
    xcb_connection_t* c = m_connection->get();
    const xcb_window_t root = m_connection->root();
    X11Keymap keymap(c);
    auto held = xcb_query_keymap(c);
    const bool mapped = keymap.refresh();
    xcb_query_keymap_reply_t* keys = xcb_query_keymap_reply(c, held, nullptr);

    xcb_keycode_t v = mapped ? keymap.keycodeFor(kLatinV) : 0;
    if (v == 0) {
        v = kPhysicalV;
    }
    xcb_keycode_t control = mapped ? keymap.keycodeFor(kControlL) : 0;
    if (control == 0 || (keymap.modifierMaskOf(control) & XCB_MOD_MASK_CONTROL) == 0) {
        control = kPhysicalControl;
    }

    // A modifier still held from the popup's keys (Shift, Super, AltGr...) would turn the
    // keystroke into another shortcut. Lock keys stay as they are: releasing one toggles it.
    int released = 0;
    if (keys != nullptr && mapped) {
        for (xcb_keycode_t code : keymap.modifierKeycodes()) {
            const bool down = (keys->keys[code / 8] & (1u << (code % 8))) != 0;
            if (down && !keymap.isLockKey(code)) {
                fake(c, root, XCB_KEY_RELEASE, code);
                ++released;
            }
        }
    }
    std::free(keys);

    fake(c, root, XCB_KEY_PRESS, control);
    fake(c, root, XCB_KEY_PRESS, v);
    fake(c, root, XCB_KEY_RELEASE, v);
    fake(c, root, XCB_KEY_RELEASE, control);
    // A round trip, so the keys are in the server's input queue when we return.
    xcb_get_input_focus_reply_t* synced =
        xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr);
    const bool ok = synced != nullptr;
    std::free(synced);
    log("XTestKeyInjector: Control+V posted (keycode " + QString::number(v) + ", released " +
        QString::number(released) + " held modifiers)");
    return ok;
}
