// SPDX-License-Identifier: MIT
#include "platform/gnome/GnomeKeyInjector.h"

#include <xkbcommon/xkbcommon.h>

#include <memory>

#include "platform/gnome/GnomeShellBridge.h"

namespace {

constexpr quint32 kControlL = 0xffe3;
constexpr quint32 kShiftL = 0xffe1;
constexpr quint32 kAltL = 0xffe9;
constexpr quint32 kSuperL = 0xffeb;

// The symbol a key prints on a US layout, without modifiers; 0 for none.
quint32 usSymbol(quint16 xkbKeycode) {
    struct Layout {
        xkb_context* context = nullptr;
        xkb_keymap* keymap = nullptr;
        xkb_state* state = nullptr;
    };
    static const Layout layout = [] {
        Layout l;
        l.context = xkb_context_new(XKB_CONTEXT_NO_ENVIRONMENT_NAMES);
        const xkb_rule_names names{"evdev", "pc105", "us", "", ""};
        l.keymap = l.context
                       ? xkb_keymap_new_from_names(l.context, &names, XKB_KEYMAP_COMPILE_NO_FLAGS)
                       : nullptr;
        l.state = l.keymap ? xkb_state_new(l.keymap) : nullptr;
        return l;
    }();
    return layout.state ? xkb_state_key_get_one_sym(layout.state, xkbKeycode) : 0;
}

}  // namespace

QList<quint32> GnomeKeyInjector::keysyms(const Keystroke& keystroke) {
    const quint32 key = KeyCode::isKey(keystroke.keyCode) ? usSymbol(keystroke.keyCode) : 0;
    if (key == 0) {
        return {};
    }
    QList<quint32> keys;
    if (keystroke.modifiers & ModifierFlag::Control) {
        keys << kControlL;
    }
    if (keystroke.modifiers & ModifierFlag::Alt) {
        keys << kAltL;
    }
    if (keystroke.modifiers & ModifierFlag::Shift) {
        keys << kShiftL;
    }
    if (keystroke.modifiers & ModifierFlag::Super) {
        keys << kSuperL;
    }
    return keys << key;
}

bool GnomeKeyInjector::postPasteKeystroke(const Keystroke& keystroke) {
    if (!m_bridge.isConnected()) {
        return m_xwayland && m_xwayland->postPasteKeystroke(keystroke);
    }
    const QList<quint32> keys = keysyms(keystroke);
    return !keys.isEmpty() && m_bridge.typeKeys(keys);
}
