// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <memory>
#include <optional>

#include "platform/KeyboardHooks.h"

class GnomeShellBridge;

// On GNOME on Wayland only the Shell sees keys, types into native windows and knows which
// window has the focus: this port goes through the Shell extension. The bridge must outlive it.
// The chord as a Shell accelerator; keys inside our own windows through `local`, and everything
// through it while the extension is away (taken again on its coming and going).
class GnomeKeyboardHooks final : public KeyboardHooks {
  public:
    GnomeKeyboardHooks(GnomeShellBridge& bridge, std::unique_ptr<KeyboardHooks> local);

    std::unique_ptr<HookHandle> interceptChord(quint16 keyCode, quint64 modifiers,
                                               KeyHandler onKeyDown,
                                               ChordRefusal* refusal = nullptr) override;
    // Nothing while the extension answers: the Shell shows no program the keys typed into others.
    std::unique_ptr<HookHandle> observeGlobalKeyDowns(KeyHandler onKeyDown) override;
    std::unique_ptr<HookHandle> observeLocalKeyDowns(KeyFilter filter) override;

    // mutter's accelerator for a chord, the key by its position ("<Shift><Super>0x37");
    // nothing for a key without an XKB keycode.
    static std::optional<QString> accelerator(quint16 keyCode, quint64 modifiers);

  private:
    GnomeShellBridge& m_bridge;
    std::unique_ptr<KeyboardHooks> m_local;
};
