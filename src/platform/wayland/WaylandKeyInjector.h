// SPDX-License-Identifier: MIT
#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QTimer>

#include <array>

#include "platform/KeyInjector.h"

class WaylandSession;
struct zwp_virtual_keyboard_v1;

// Types keystrokes through the compositor's virtual keyboard. A new virtual keyboard loses its
// first keys and makes the focused window blink out of focus, so there is one for the life of
// the injector, its keymap uploaded once; keystrokes asked for before the compositor has taken
// that keymap in wait for it, in order. Keys go by physical position on a US map, as with XTEST.
// This keyboard's state is its own: keys the user holds on another keyboard are not seen with
// it, so there is nothing to release first.
class WaylandKeyInjector final : public KeyInjector {
  public:
    // The session must outlive the injector.
    explicit WaylandKeyInjector(WaylandSession& session);
    ~WaylandKeyInjector() override;
    WaylandKeyInjector(const WaylandKeyInjector&) = delete;
    WaylandKeyInjector& operator=(const WaylandKeyInjector&) = delete;

    // True once the keystroke is sent or queued behind the keymap; false when there is no
    // virtual keyboard, the connection is lost or the key has no place on the keyboard.
    bool postPasteKeystroke(const Keystroke& keystroke) override;

  private:
    bool uploadKeymap();
    void send(const Keystroke& keystroke, quint32 key);
    void sendQueued();

    WaylandSession& m_session;
    zwp_virtual_keyboard_v1* m_keyboard = nullptr;
    // Control, Shift, Alt, Super in the uploaded keymap; 0 for one it lacks.
    std::array<quint32, 4> m_modifierMasks{};
    QElapsedTimer m_sinceKeymap;
    QList<Keystroke> m_queued;
    QTimer m_settleTimer;
};
