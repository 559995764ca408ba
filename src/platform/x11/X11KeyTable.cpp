#include "platform/x11/X11KeyTable.h"

#include "hotkey/KeyCodeTable.h"

std::optional<quint8> X11KeyTable::xKeycodeFor(quint16 canonicalKeyCode) {
    return KeyCodeTable::xkbKeycodeFor(canonicalKeyCode);
}

std::optional<quint16> X11KeyTable::canonicalFor(quint8 xKeycode) {
    return KeyCodeTable::canonicalForXkbKeycode(xKeycode);
}

quint64 X11KeyTable::impliedModifiers(quint16 canonicalKeyCode) {
    return KeyCodeTable::impliedModifiers(canonicalKeyCode);
}
