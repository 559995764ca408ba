// SPDX-License-Identifier: MIT
#include "platform/x11/XTestKeyInjector.h"

#include <xcb/xtest.h>

#include <cstdlib>
#include <vector>

#include "core/AppLogger.h"
#include "keys/KeyNames.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Keymap.h"

QUILLSTACK_DEFINE_COMPONENT_LOG

namespace {

constexpr xcb_keysym_t kLatinV = 0x0076;
constexpr xcb_keysym_t kInsert = 0xff63;

// A modifier, the key that holds it and that key's position on a PC board.
struct ModifierKey {
    quint64 flag;
    xcb_keysym_t keysym;
    xcb_keycode_t physical;
};
constexpr ModifierKey kModifierKeys[] = {
    {ModifierFlag::Control, 0xffe3, KeyCode::fromEvdev(KEY_LEFTCTRL)},  // Control_L
    {ModifierFlag::Shift, 0xffe1, KeyCode::fromEvdev(KEY_LEFTSHIFT)},   // Shift_L
    {ModifierFlag::Alt, 0xffe9, KeyCode::fromEvdev(KEY_LEFTALT)},       // Alt_L
    {ModifierFlag::Super, 0xffeb, KeyCode::fromEvdev(KEY_LEFTMETA)},    // Super_L
};

void fake(xcb_connection_t* c, xcb_window_t root, quint8 type, xcb_keycode_t keycode) {
    xcb_test_fake_input(c, type, keycode, XCB_CURRENT_TIME, root, 0, 0, 0);
}

quint16 xMaskOf(const X11Keymap& keymap, quint64 flag) {
    switch (flag) {
        case ModifierFlag::Control:
            return XCB_MOD_MASK_CONTROL;
        case ModifierFlag::Shift:
            return XCB_MOD_MASK_SHIFT;
        case ModifierFlag::Alt:
            return keymap.altMask();
        default:
            return keymap.superMask();
    }
}

// The key that types the keystroke's key in the current layout where it has a symbol we know,
// so Control+V stays Control+V on layouts that move V; else the key at the US position.
xcb_keycode_t keycodeOf(const X11Keymap& keymap, bool mapped, quint16 keyCode) {
    xcb_keysym_t keysym = 0;
    if (keyCode == KeyCode::V) {
        keysym = kLatinV;
    } else if (keyCode == KeyCode::Insert) {
        keysym = kInsert;
    }
    const xcb_keycode_t byLayout = mapped && keysym != 0 ? keymap.keycodeFor(keysym) : 0;
    if (byLayout != 0) {
        return byLayout;
    }
    return KeyCode::isKey(keyCode) ? xcb_keycode_t(keyCode) : 0;
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

bool XTestKeyInjector::postPasteKeystroke(const Keystroke& keystroke) {
    if (!m_connection || !m_hasXTest || m_connection->isBroken()) {
        return false;
    }
    xcb_connection_t* c = m_connection->get();
    const xcb_window_t root = m_connection->root();
    X11Keymap keymap(c);
    auto held = xcb_query_keymap(c);
    const bool mapped = keymap.refresh();
    xcb_query_keymap_reply_t* keys = xcb_query_keymap_reply(c, held, nullptr);

    const xcb_keycode_t key = keycodeOf(keymap, mapped, keystroke.keyCode);
    if (key == 0) {
        std::free(keys);
        return false;
    }
    std::vector<xcb_keycode_t> modifiers;
    for (const ModifierKey& modifier : kModifierKeys) {
        if ((keystroke.modifiers & modifier.flag) == 0) {
            continue;
        }
        xcb_keycode_t code = mapped ? keymap.keycodeFor(modifier.keysym) : 0;
        if (code == 0 || (keymap.modifierMaskOf(code) & xMaskOf(keymap, modifier.flag)) == 0) {
            code = modifier.physical;
        }
        modifiers.push_back(code);
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

    for (xcb_keycode_t code : modifiers) {
        fake(c, root, XCB_KEY_PRESS, code);
    }
    fake(c, root, XCB_KEY_PRESS, key);
    fake(c, root, XCB_KEY_RELEASE, key);
    for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) {
        fake(c, root, XCB_KEY_RELEASE, *it);
    }
    // A round trip, so the keys are in the server's input queue when we return.
    xcb_get_input_focus_reply_t* synced =
        xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr);
    const bool ok = synced != nullptr;
    std::free(synced);
    log("XTestKeyInjector: " + KeyNames::displayString(keystroke.modifiers, keystroke.keyCode) +
        " posted (keycode " + QString::number(key) + ", released " + QString::number(released) +
        " held modifiers)");
    return ok;
}
