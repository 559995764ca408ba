// SPDX-License-Identifier: MIT
#include "platform/x11/X11Keymap.h"

#include <cstdlib>

#include "keys/KeyEvent.h"

namespace {

constexpr xcb_keysym_t kShiftLock = 0xffe6;
constexpr xcb_keysym_t kCapsLock = 0xffe5;
constexpr xcb_keysym_t kNumLock = 0xff7f;
constexpr xcb_keysym_t kSuperL = 0xffeb;
constexpr xcb_keysym_t kSuperR = 0xffec;
constexpr xcb_keysym_t kAltL = 0xffe9;
constexpr xcb_keysym_t kAltR = 0xffea;
constexpr xcb_keysym_t kMetaL = 0xffe7;
constexpr xcb_keysym_t kMetaR = 0xffe8;

}  // namespace

X11Keymap::X11Keymap(xcb_connection_t* connection) : m_connection(connection) {}

bool X11Keymap::refresh() {
    if (m_connection == nullptr || xcb_connection_has_error(m_connection) != 0) {
        return false;
    }
    const xcb_setup_t* setup = xcb_get_setup(m_connection);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    auto keyCookie =
        xcb_get_keyboard_mapping(m_connection, setup->min_keycode, static_cast<quint8>(count));
    auto modCookie = xcb_get_modifier_mapping(m_connection);
    xcb_get_keyboard_mapping_reply_t* keys =
        xcb_get_keyboard_mapping_reply(m_connection, keyCookie, nullptr);
    xcb_get_modifier_mapping_reply_t* mods =
        xcb_get_modifier_mapping_reply(m_connection, modCookie, nullptr);
    const bool ok = keys != nullptr && mods != nullptr;
    if (ok) {
        m_minKeycode = setup->min_keycode;
        m_keysymsPerKeycode = keys->keysyms_per_keycode;
        const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(keys);
        m_keysyms.assign(syms, syms + xcb_get_keyboard_mapping_keysyms_length(keys));
        m_keycodesPerModifier = mods->keycodes_per_modifier;
        const xcb_keycode_t* codes = xcb_get_modifier_mapping_keycodes(mods);
        m_modifierMap.assign(codes, codes + xcb_get_modifier_mapping_keycodes_length(mods));
        if (m_modifierMap.size() < static_cast<std::size_t>(8 * m_keycodesPerModifier)) {
            m_keycodesPerModifier = static_cast<int>(m_modifierMap.size() / 8);
        }

        const quint16 super = maskBoundTo({kSuperL, kSuperR});
        const quint16 alt = maskBoundTo({kAltL, kAltR, kMetaL, kMetaR});
        m_superMask = super != 0 ? super : quint16{XCB_MOD_MASK_4};
        m_altMask = alt != 0 ? alt : quint16{XCB_MOD_MASK_1};
        m_numLockMask = maskBoundTo({kNumLock});
        m_inUse = XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_LOCK | XCB_MOD_MASK_CONTROL;
        for (int row = 3; row < 8; ++row) {
            for (int i = 0; i < m_keycodesPerModifier; ++i) {
                if (m_modifierMap[static_cast<std::size_t>(row * m_keycodesPerModifier + i)] != 0) {
                    m_inUse |= static_cast<quint16>(1u << row);
                }
            }
        }
    }
    std::free(keys);
    std::free(mods);
    return ok;
}

xcb_keysym_t X11Keymap::keysymAt(xcb_keycode_t keycode, int column) const {
    if (keycode < m_minKeycode || column < 0 || column >= m_keysymsPerKeycode) {
        return 0;
    }
    const std::size_t index =
        static_cast<std::size_t>((keycode - m_minKeycode) * m_keysymsPerKeycode + column);
    return index < m_keysyms.size() ? m_keysyms[index] : 0;
}

quint16 X11Keymap::maskBoundTo(std::initializer_list<xcb_keysym_t> keysyms) const {
    quint16 mask = 0;
    for (int row = 0; row < 8; ++row) {
        for (int i = 0; i < m_keycodesPerModifier; ++i) {
            const xcb_keycode_t code =
                m_modifierMap[static_cast<std::size_t>(row * m_keycodesPerModifier + i)];
            for (int column = 0; code != 0 && column < m_keysymsPerKeycode; ++column) {
                const xcb_keysym_t sym = keysymAt(code, column);
                for (xcb_keysym_t wanted : keysyms) {
                    if (sym == wanted) {
                        mask |= static_cast<quint16>(1u << row);
                    }
                }
            }
        }
    }
    return mask;
}

quint64 X11Keymap::modifierFlags(quint16 xState) const {
    quint64 result = 0;
    if (xState & XCB_MOD_MASK_SHIFT) {
        result |= ModifierFlag::Shift;
    }
    if (xState & XCB_MOD_MASK_LOCK) {
        result |= ModifierFlag::CapsLock;
    }
    if (xState & XCB_MOD_MASK_CONTROL) {
        result |= ModifierFlag::Control;
    }
    if (xState & m_altMask) {
        result |= ModifierFlag::Alt;
    }
    if (xState & m_superMask) {
        result |= ModifierFlag::Super;
    }
    return result;
}

std::optional<quint16> X11Keymap::xModifiersFor(quint64 flags) const {
    constexpr quint64 known = ModifierFlag::Shift | ModifierFlag::CapsLock | ModifierFlag::Control |
                              ModifierFlag::Alt | ModifierFlag::Super;
    if ((flags & ModifierFlag::Mask & ~known) != 0) {
        return std::nullopt;
    }
    quint16 mask = 0;
    if (flags & ModifierFlag::Shift) {
        mask |= XCB_MOD_MASK_SHIFT;
    }
    if (flags & ModifierFlag::CapsLock) {
        mask |= XCB_MOD_MASK_LOCK;
    }
    if (flags & ModifierFlag::Control) {
        mask |= XCB_MOD_MASK_CONTROL;
    }
    if (flags & ModifierFlag::Alt) {
        mask |= m_altMask;
    }
    if (flags & ModifierFlag::Super) {
        mask |= m_superMask;
    }
    return mask;
}

quint16 X11Keymap::modifierMaskOf(xcb_keycode_t keycode) const {
    quint16 mask = 0;
    for (int row = 0; keycode != 0 && row < 8; ++row) {
        for (int i = 0; i < m_keycodesPerModifier; ++i) {
            if (m_modifierMap[static_cast<std::size_t>(row * m_keycodesPerModifier + i)] ==
                keycode) {
                mask |= static_cast<quint16>(1u << row);
            }
        }
    }
    return mask;
}

bool X11Keymap::isLockKey(xcb_keycode_t keycode) const {
    for (int column = 0; column < m_keysymsPerKeycode; ++column) {
        const xcb_keysym_t sym = keysymAt(keycode, column);
        if (sym == kCapsLock || sym == kShiftLock || sym == kNumLock) {
            return true;
        }
    }
    return false;
}

std::vector<xcb_keycode_t> X11Keymap::modifierKeycodes() const {
    std::vector<xcb_keycode_t> codes;
    for (xcb_keycode_t code : m_modifierMap) {
        if (code != 0) {
            codes.push_back(code);
        }
    }
    return codes;
}

xcb_keycode_t X11Keymap::keycodeFor(xcb_keysym_t keysym) const {
    if (m_keysymsPerKeycode <= 0) {
        return 0;
    }
    const int keycodes = static_cast<int>(m_keysyms.size()) / m_keysymsPerKeycode;
    // Columns 0, 2, 4...: the unshifted level of each group.
    for (int column = 0; column < m_keysymsPerKeycode; column += 2) {
        for (int i = 0; i < keycodes; ++i) {
            const auto code = static_cast<xcb_keycode_t>(m_minKeycode + i);
            if (keysymAt(code, column) == keysym) {
                return code;
            }
        }
    }
    return 0;
}
