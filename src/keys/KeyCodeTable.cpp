// SPDX-License-Identifier: MIT
#include "keys/KeyCodeTable.h"

#include <QKeyEvent>

#include <algorithm>

namespace {

// Qt's key names on a US layout, shifted symbols with the key that types them; unshifted names
// come first.
struct QtEntry {
    int qtKey;
    int evdev;
};

constexpr QtEntry kQtEntries[] = {
    {Qt::Key_A, KEY_A},
    {Qt::Key_S, KEY_S},
    {Qt::Key_D, KEY_D},
    {Qt::Key_F, KEY_F},
    {Qt::Key_H, KEY_H},
    {Qt::Key_G, KEY_G},
    {Qt::Key_Z, KEY_Z},
    {Qt::Key_X, KEY_X},
    {Qt::Key_C, KEY_C},
    {Qt::Key_V, KEY_V},
    {Qt::Key_B, KEY_B},
    {Qt::Key_Q, KEY_Q},
    {Qt::Key_W, KEY_W},
    {Qt::Key_E, KEY_E},
    {Qt::Key_R, KEY_R},
    {Qt::Key_Y, KEY_Y},
    {Qt::Key_T, KEY_T},
    {Qt::Key_1, KEY_1},
    {Qt::Key_Exclam, KEY_1},
    {Qt::Key_2, KEY_2},
    {Qt::Key_At, KEY_2},
    {Qt::Key_3, KEY_3},
    {Qt::Key_NumberSign, KEY_3},
    {Qt::Key_4, KEY_4},
    {Qt::Key_Dollar, KEY_4},
    {Qt::Key_6, KEY_6},
    {Qt::Key_AsciiCircum, KEY_6},
    {Qt::Key_5, KEY_5},
    {Qt::Key_Percent, KEY_5},
    {Qt::Key_Equal, KEY_EQUAL},
    {Qt::Key_Plus, KEY_EQUAL},
    {Qt::Key_9, KEY_9},
    {Qt::Key_ParenLeft, KEY_9},
    {Qt::Key_7, KEY_7},
    {Qt::Key_Ampersand, KEY_7},
    {Qt::Key_Minus, KEY_MINUS},
    {Qt::Key_Underscore, KEY_MINUS},
    {Qt::Key_8, KEY_8},
    {Qt::Key_Asterisk, KEY_8},
    {Qt::Key_0, KEY_0},
    {Qt::Key_ParenRight, KEY_0},
    {Qt::Key_BracketRight, KEY_RIGHTBRACE},
    {Qt::Key_BraceRight, KEY_RIGHTBRACE},
    {Qt::Key_O, KEY_O},
    {Qt::Key_U, KEY_U},
    {Qt::Key_BracketLeft, KEY_LEFTBRACE},
    {Qt::Key_BraceLeft, KEY_LEFTBRACE},
    {Qt::Key_I, KEY_I},
    {Qt::Key_P, KEY_P},
    {Qt::Key_Return, KEY_ENTER},
    {Qt::Key_L, KEY_L},
    {Qt::Key_J, KEY_J},
    {Qt::Key_Apostrophe, KEY_APOSTROPHE},
    {Qt::Key_QuoteDbl, KEY_APOSTROPHE},
    {Qt::Key_K, KEY_K},
    {Qt::Key_Semicolon, KEY_SEMICOLON},
    {Qt::Key_Colon, KEY_SEMICOLON},
    {Qt::Key_Backslash, KEY_BACKSLASH},
    {Qt::Key_Bar, KEY_BACKSLASH},
    {Qt::Key_Comma, KEY_COMMA},
    {Qt::Key_Less, KEY_COMMA},
    {Qt::Key_Slash, KEY_SLASH},
    {Qt::Key_Question, KEY_SLASH},
    {Qt::Key_N, KEY_N},
    {Qt::Key_M, KEY_M},
    {Qt::Key_Period, KEY_DOT},
    {Qt::Key_Greater, KEY_DOT},
    {Qt::Key_Tab, KEY_TAB},
    {Qt::Key_Backtab, KEY_TAB},
    {Qt::Key_Space, KEY_SPACE},
    {Qt::Key_QuoteLeft, KEY_GRAVE},
    {Qt::Key_AsciiTilde, KEY_GRAVE},
    {Qt::Key_Backspace, KEY_BACKSPACE},
    {Qt::Key_Escape, KEY_ESC},
    {Qt::Key_Meta, KEY_LEFTMETA},
    {Qt::Key_Super_L, KEY_LEFTMETA},
    {Qt::Key_Super_R, KEY_RIGHTMETA},
    {Qt::Key_Shift, KEY_LEFTSHIFT},
    {Qt::Key_CapsLock, KEY_CAPSLOCK},
    {Qt::Key_Alt, KEY_LEFTALT},
    {Qt::Key_Control, KEY_LEFTCTRL},
    {Qt::Key_Enter, KEY_KPENTER},
    {Qt::Key_F1, KEY_F1},
    {Qt::Key_F2, KEY_F2},
    {Qt::Key_F3, KEY_F3},
    {Qt::Key_F4, KEY_F4},
    {Qt::Key_F5, KEY_F5},
    {Qt::Key_F6, KEY_F6},
    {Qt::Key_F7, KEY_F7},
    {Qt::Key_F8, KEY_F8},
    {Qt::Key_F9, KEY_F9},
    {Qt::Key_F10, KEY_F10},
    {Qt::Key_F11, KEY_F11},
    {Qt::Key_F12, KEY_F12},
    {Qt::Key_Insert, KEY_INSERT},
    {Qt::Key_Home, KEY_HOME},
    {Qt::Key_PageUp, KEY_PAGEUP},
    {Qt::Key_Delete, KEY_DELETE},
    {Qt::Key_End, KEY_END},
    {Qt::Key_PageDown, KEY_PAGEDOWN},
    {Qt::Key_Left, KEY_LEFT},
    {Qt::Key_Right, KEY_RIGHT},
    {Qt::Key_Down, KEY_DOWN},
    {Qt::Key_Up, KEY_UP},
};

constexpr int kModifierKeys[] = {KEY_LEFTSHIFT, KEY_RIGHTSHIFT, KEY_LEFTCTRL,
                                 KEY_RIGHTCTRL, KEY_LEFTALT,    KEY_RIGHTALT,
                                 KEY_LEFTMETA,  KEY_RIGHTMETA,  KEY_CAPSLOCK};

// Lock in the core modifier state that XKB reports on X11 and on Wayland alike.
constexpr quint32 kNativeLockMask = 0x2;

}  // namespace

std::optional<quint16> KeyCodeTable::keyCodeForQtKey(int qtKey) {
    const auto* e = std::find_if(std::begin(kQtEntries), std::end(kQtEntries),
                                 [&](const QtEntry& x) { return x.qtKey == qtKey; });
    if (e == std::end(kQtEntries)) {
        return std::nullopt;
    }
    return KeyCode::fromEvdev(e->evdev);
}

std::optional<int> KeyCodeTable::qtKeyFor(quint16 keyCode) {
    const auto* e =
        std::find_if(std::begin(kQtEntries), std::end(kQtEntries),
                     [&](const QtEntry& x) { return KeyCode::fromEvdev(x.evdev) == keyCode; });
    if (e == std::end(kQtEntries)) {
        return std::nullopt;
    }
    return e->qtKey;
}

bool KeyCodeTable::isModifierKey(quint16 keyCode) {
    return std::any_of(std::begin(kModifierKeys), std::end(kModifierKeys),
                       [&](int evdev) { return KeyCode::fromEvdev(evdev) == keyCode; });
}

std::optional<KeyEvent> KeyCodeTable::fromQKeyEvent(const QKeyEvent& event) {
    // The physical key first: it is what the system-wide detection compares. Only events that
    // carry no scan code are read by their key name.
    std::optional<quint16> code;
    if (event.nativeScanCode() <= 0xFFFF && KeyCode::isKey(quint16(event.nativeScanCode()))) {
        code = quint16(event.nativeScanCode());
    } else {
        code = keyCodeForQtKey(event.key());
    }
    if (!code || isModifierKey(*code)) {
        return std::nullopt;
    }
    const Qt::KeyboardModifiers qt = event.modifiers();
    quint64 modifiers = 0;
    if (qt & Qt::ShiftModifier) {
        modifiers |= ModifierFlag::Shift;
    }
    if (qt & Qt::ControlModifier) {
        modifiers |= ModifierFlag::Control;
    }
    if (qt & Qt::AltModifier) {
        modifiers |= ModifierFlag::Alt;
    }
    // Qt reports Super as Meta when the keyboard has no separate Meta key.
    if (qt & Qt::MetaModifier) {
        modifiers |= ModifierFlag::Super;
    }
    if (event.nativeModifiers() & kNativeLockMask) {
        modifiers |= ModifierFlag::CapsLock;
    }
    return KeyEvent{*code, modifiers, event.isAutoRepeat(),
                    keyCodeForQtKey(event.key()).value_or(0), event.text()};
}
