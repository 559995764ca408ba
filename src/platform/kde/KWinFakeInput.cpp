// SPDX-License-Identifier: MIT
#include "platform/kde/KWinFakeInput.h"

#include <linux/input-event-codes.h>
#include <wayland-client.h>

#include <iterator>
#include <optional>

#include "core/AppLogger.h"
#include "fake-input-client-protocol.h"
#include "org-kde-kwin-keystate-client-protocol.h"
#include "platform/wayland/WaylandSession.h"

QUILLSTACK_DEFINE_COMPONENT_LOG

namespace {
// keyboard_key came with version 4.
constexpr quint32 kKeyboardVersion = 4;

struct ModifierKey {
    quint64 flag;
    quint32 evdev;
};
constexpr ModifierKey kModifierKeys[] = {
    {ModifierFlag::Control, KEY_LEFTCTRL},
    {ModifierFlag::Shift, KEY_LEFTSHIFT},
    {ModifierFlag::Alt, KEY_LEFTALT},
    {ModifierFlag::Super, KEY_LEFTMETA},
};
// Every key that can still be held from the popup (Shift over Return, the chord's Super).
constexpr quint32 kHeldModifierKeys[] = {KEY_LEFTCTRL, KEY_RIGHTCTRL, KEY_LEFTSHIFT, KEY_RIGHTSHIFT,
                                         KEY_LEFTALT,  KEY_RIGHTALT,  KEY_LEFTMETA,  KEY_RIGHTMETA};
// Version 5 added the modifiers and their pressed state.
constexpr quint32 kKeyStateVersion = 5;
// The key-state bits of the modifiers.
constexpr quint32 kModifierKeyStates =
    1u << ORG_KDE_KWIN_KEYSTATE_KEY_ALT | 1u << ORG_KDE_KWIN_KEYSTATE_KEY_CONTROL |
    1u << ORG_KDE_KWIN_KEYSTATE_KEY_SHIFT | 1u << ORG_KDE_KWIN_KEYSTATE_KEY_META |
    1u << ORG_KDE_KWIN_KEYSTATE_KEY_ALTGR;
}  // namespace

struct KWinKeyStateListener {
    static void stateChanged(void* data, org_kde_kwin_keystate*, uint32_t key, uint32_t state) {
        auto* self = static_cast<KWinFakeInput*>(data);
        if (key >= 32) {
            return;
        }
        const quint32 bit = 1u << key;
        self->m_pressedKeys = state == ORG_KDE_KWIN_KEYSTATE_STATE_PRESSED
                                  ? self->m_pressedKeys | bit
                                  : self->m_pressedKeys & ~bit;
    }
    static inline const org_kde_kwin_keystate_listener kListener{stateChanged};
};

KWinFakeInput::KWinFakeInput(WaylandSession& session, const QString& applicationName)
    : m_session(session) {
    quint32 version = 0;
    m_input = static_cast<org_kde_kwin_fake_input*>(
        session.bindGlobal(org_kde_kwin_fake_input_interface, kKeyboardVersion, &version));
    if (m_input && version < kKeyboardVersion) {
        org_kde_kwin_fake_input_destroy(m_input);
        m_input = nullptr;
    }
    if (!m_input) {
        log(QStringLiteral("KWinFakeInput: KWin grants no fake keyboard"));
        return;
    }
    org_kde_kwin_fake_input_authenticate(m_input, applicationName.toUtf8().constData(),
                                         "Types the paste into the window you were in");
    quint32 keyStateVersion = 0;
    m_keyState = static_cast<org_kde_kwin_keystate*>(
        session.bindGlobal(org_kde_kwin_keystate_interface, kKeyStateVersion, &keyStateVersion));
    if (m_keyState && keyStateVersion < kKeyStateVersion) {
        // Older key states know only the locks; KWin 5 lets our releases through instead. Only
        // our side goes: KWin 5.27 offers version 1, which has no destroy request to send.
        wl_proxy_destroy(reinterpret_cast<wl_proxy*>(m_keyState));
        m_keyState = nullptr;
    }
    if (m_keyState) {
        org_kde_kwin_keystate_add_listener(m_keyState, &KWinKeyStateListener::kListener, this);
        org_kde_kwin_keystate_fetchStates(m_keyState);
    }
    m_session.flush();
}

KWinFakeInput::~KWinFakeInput() {
    if (m_keyState) {
        org_kde_kwin_keystate_destroy(m_keyState);
    }
    if (m_input) {
        org_kde_kwin_fake_input_destroy(m_input);
        m_session.flush();
    }
}

bool KWinFakeInput::isGranted() const {
    return m_input && m_session.isConnected();
}

bool KWinFakeInput::userHoldsModifiers() {
    if (!m_keyState || !m_session.isConnected()) {
        return false;
    }
    // What KWin said since the last turn of the event loop counts too.
    m_session.dispatch();
    return (m_pressedKeys & kModifierKeyStates) != 0;
}

bool KWinFakeInput::postPasteKeystroke(const Keystroke& keystroke) {
    if (!isGranted()) {
        return false;
    }
    if (!KeyCode::isKey(keystroke.keyCode)) {
        return false;
    }
    const quint32 key = keystroke.keyCode - KeyCode::EvdevOffset;
    const auto press = [this](quint32 evdev, bool down) {
        org_kde_kwin_fake_input_keyboard_key(
            m_input, evdev, down ? WL_KEYBOARD_KEY_STATE_PRESSED : WL_KEYBOARD_KEY_STATE_RELEASED);
    };
    // KWin keeps one modifier state for all keyboards, so a release from ours lets go of a
    // modifier the user still holds on the real one, which would otherwise turn Ctrl+V into
    // Ctrl+Shift+V; a release of a key nobody holds changes nothing.
    for (const quint32 held : kHeldModifierKeys) {
        press(held, false);
    }
    for (const ModifierKey& modifier : kModifierKeys) {
        if ((keystroke.modifiers & modifier.flag) != 0) {
            press(modifier.evdev, true);
        }
    }
    press(key, true);
    press(key, false);
    for (auto it = std::rbegin(kModifierKeys); it != std::rend(kModifierKeys); ++it) {
        if ((keystroke.modifiers & it->flag) != 0) {
            press(it->evdev, false);
        }
    }
    log(QStringLiteral("KWinFakeInput: sent key %1 with modifiers 0x%2")
            .arg(key)
            .arg(keystroke.modifiers, 0, 16));
    return m_session.flush();
}
