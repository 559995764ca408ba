// SPDX-License-Identifier: MIT
#include "platform/gnome/GnomeKeyboardHooks.h"

#include "platform/gnome/GnomeShellBridge.h"

namespace {

class GrabHandle final : public HookHandle {
  public:
    GrabHandle(GnomeShellBridge& bridge, int handle) : m_bridge(bridge), m_handle(handle) {}
    ~GrabHandle() override { m_bridge.ungrab(m_handle); }

  private:
    GnomeShellBridge& m_bridge;
    int m_handle;
};

}  // namespace

GnomeKeyboardHooks::GnomeKeyboardHooks(GnomeShellBridge& bridge,
                                       std::unique_ptr<KeyboardHooks> local)
    : m_bridge(bridge), m_local(std::move(local)) {}

std::optional<QString> GnomeKeyboardHooks::accelerator(quint16 keyCode, quint64 modifiers) {
    if (!KeyCode::isKey(keyCode)) {
        return std::nullopt;
    }
    QString text;
    if (modifiers & ModifierFlag::Control) {
        text += QLatin1String("<Control>");
    }
    if (modifiers & ModifierFlag::Alt) {
        text += QLatin1String("<Alt>");
    }
    if (modifiers & ModifierFlag::Shift) {
        text += QLatin1String("<Shift>");
    }
    if (modifiers & ModifierFlag::Super) {
        text += QLatin1String("<Super>");
    }
    // A keycode, not a symbol: the chord stays on its key whatever the layout prints there.
    return text + QStringLiteral("0x%1").arg(keyCode, 0, 16);
}

std::unique_ptr<HookHandle> GnomeKeyboardHooks::interceptChord(quint16 keyCode, quint64 modifiers,
                                                               KeyHandler onKeyDown,
                                                               ChordRefusal* refusal) {
    const bool connected = m_bridge.isConnected();
    if (!connected && m_local) {
        // Without the extension the XWayland grab still serves while an X window has the focus.
        return m_local->interceptChord(keyCode, modifiers, std::move(onKeyDown), refusal);
    }
    const std::optional<QString> text = accelerator(keyCode, modifiers);
    const int handle = text ? m_bridge.grab(*text,
                                            [onKeyDown = std::move(onKeyDown), keyCode, modifiers] {
                                                onKeyDown(KeyEvent{keyCode, modifiers});
                                            })
                            : 0;
    if (handle == 0) {
        if (refusal != nullptr) {
            // The Shell refuses an accelerator another binding holds.
            *refusal = text && connected ? ChordRefusal::HeldElsewhere : ChordRefusal::Unavailable;
        }
        return nullptr;
    }
    return std::make_unique<GrabHandle>(m_bridge, handle);
}

std::unique_ptr<HookHandle> GnomeKeyboardHooks::observeGlobalKeyDowns(KeyHandler onKeyDown) {
    return !m_bridge.isConnected() && m_local ? m_local->observeGlobalKeyDowns(std::move(onKeyDown))
                                              : nullptr;
}

std::unique_ptr<HookHandle> GnomeKeyboardHooks::observeLocalKeyDowns(KeyFilter filter) {
    return m_local ? m_local->observeLocalKeyDowns(std::move(filter)) : nullptr;
}
