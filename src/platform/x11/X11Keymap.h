// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>

#include <xcb/xcb.h>

#include <optional>
#include <vector>

// The keyboard and modifier mapping of an X server, read on demand, and the translation of X
// modifier state to ModifierFlag bits: Super = the modifier Super is bound to (usually
// Mod4), Alt = the one Alt is bound to (usually Mod1), Caps Lock = Lock. Num Lock and the
// other modifiers have no ModifierFlag bit.
class X11Keymap {
  public:
    explicit X11Keymap(xcb_connection_t* connection);

    // Reads both mappings again; false (and the previous tables kept) when the server does not
    // answer.
    bool refresh();

    quint16 superMask() const { return m_superMask; }
    quint16 altMask() const { return m_altMask; }
    quint16 numLockMask() const { return m_numLockMask; }
    // Shift, Lock, Control and every ModN that at least one key is bound to.
    quint16 modifiersInUse() const { return m_inUse; }

    quint64 modifierFlags(quint16 xState) const;
    // The X modifiers for ModifierFlag bits; nothing when a bit has no X counterpart.
    std::optional<quint16> xModifiersFor(quint64 flags) const;

    // The modifier mask the key is bound to, 0 for ordinary keys.
    quint16 modifierMaskOf(xcb_keycode_t keycode) const;
    // Caps Lock, Shift Lock and Num Lock: they lock their modifier instead of holding it.
    bool isLockKey(xcb_keycode_t keycode) const;
    std::vector<xcb_keycode_t> modifierKeycodes() const;

    // A key producing the symbol without a shift level, searching group by group; 0 if none.
    xcb_keycode_t keycodeFor(xcb_keysym_t keysym) const;
    xcb_keysym_t keysymAt(xcb_keycode_t keycode, int column) const;

  private:
    quint16 maskBoundTo(std::initializer_list<xcb_keysym_t> keysyms) const;

    xcb_connection_t* m_connection;
    xcb_keycode_t m_minKeycode = 8;
    int m_keysymsPerKeycode = 0;
    std::vector<xcb_keysym_t> m_keysyms;
    int m_keycodesPerModifier = 0;
    std::vector<xcb_keycode_t> m_modifierMap;  // 8 rows: Shift, Lock, Control, Mod1..Mod5
    quint16 m_superMask = XCB_MOD_MASK_4;
    quint16 m_altMask = XCB_MOD_MASK_1;
    quint16 m_numLockMask = 0;
    quint16 m_inUse = XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_LOCK | XCB_MOD_MASK_CONTROL;
};
