// SPDX-License-Identifier: MIT
#pragma once

#include <QList>

#include <memory>

#include "platform/KeyInjector.h"

class GnomeShellBridge;

// On GNOME on Wayland only the Shell sees keys, types into native windows and knows which
// window has the focus: this port goes through the Shell extension. The bridge must outlive it.
// Types through a keyboard of the Shell's own, so the keystroke reaches any window; while the
// extension is away, through `xwayland` into X windows.
class GnomeKeyInjector final : public KeyInjector {
  public:
    GnomeKeyInjector(GnomeShellBridge& bridge, std::unique_ptr<KeyInjector> xwayland)
        : m_bridge(bridge), m_xwayland(std::move(xwayland)) {}
    bool postPasteKeystroke(const Keystroke& keystroke) override;

    // The keysyms to press in order: the modifiers, then the key as a US layout names it (the
    // Shell finds the key that types it in the user's layout, as a paste needs). Empty for a
    // key with no symbol.
    static QList<quint32> keysyms(const Keystroke& keystroke);

  private:
    GnomeShellBridge& m_bridge;
    std::unique_ptr<KeyInjector> m_xwayland;
};
