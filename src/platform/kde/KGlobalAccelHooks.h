// SPDX-License-Identifier: MIT
#pragma once

#include <QDBusConnection>
#include <QString>

#include <memory>
#include <optional>

#include "platform/KeyboardHooks.h"

// The chord as a global shortcut of KDE's KGlobalAccel (KWin hosts it on Plasma Wayland, the
// kglobalaccel daemon on Plasma X11, where it also keeps us from fighting KWin's own grabs).
// The component and its one action are registered with the chord as a key sequence, which
// KGlobalAccel reads by symbol on a US layout; a new chord registers anew and the handle's end
// unregisters it. Keys inside our own windows, and what KGlobalAccel cannot give, go to
// `fallback`.
class KGlobalAccelHooks final : public KeyboardHooks {
  public:
    struct Names {
        QString component;  // unique names, as KGlobalAccel stores them
        QString action;
        QString componentFriendly;  // what Plasma's shortcut settings show
        QString actionFriendly;
    };
    KGlobalAccelHooks(const QDBusConnection& bus, Names names,
                      std::unique_ptr<KeyboardHooks> fallback);

    // Whether KGlobalAccel answers on the bus.
    static bool isOffered(const QDBusConnection& bus);
    // The key sequence (Qt's key code and modifiers) for a chord; nothing for a key Qt cannot
    // name.
    static std::optional<int> keySequence(quint16 keyCode, quint64 modifiers);

    std::unique_ptr<HookHandle> interceptChord(quint16 keyCode, quint64 modifiers,
                                               KeyHandler onKeyDown,
                                               ChordRefusal* refusal = nullptr) override;
    std::unique_ptr<HookHandle> observeGlobalKeyDowns(KeyHandler onKeyDown) override;
    std::unique_ptr<HookHandle> observeLocalKeyDowns(KeyFilter filter) override;

  private:
    QDBusConnection m_bus;
    Names m_names;
    std::unique_ptr<KeyboardHooks> m_fallback;
};
