// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include "platform/KeyInjector.h"

class WaylandSession;
struct org_kde_kwin_fake_input;
struct org_kde_kwin_keystate;

// Types keystrokes through KWin's fake input. KWin offers it only to an executable whose
// desktop file asks for it (X-KDE-Wayland-Interfaces), and then takes the keys as those of a
// keyboard of its own: they go through the session's keymap by position, as with XTEST, and
// KWin tracks their modifiers. Modifiers the user still holds on the real keyboard are let go
// of before the keystroke, which KWin 5 honours; KWin 6 keeps each keyboard's keys apart, so
// where it tells which modifiers are held (its key states, version 5) the paste waits for them.
class KWinFakeInput final : public KeyInjector {
  public:
    // The session must outlive the injector; the name is what KWin may show the user.
    KWinFakeInput(WaylandSession& session, const QString& applicationName);
    ~KWinFakeInput() override;
    KWinFakeInput(const KWinFakeInput&) = delete;
    KWinFakeInput& operator=(const KWinFakeInput&) = delete;

    // Whether KWin offered fake input with keyboard keys and the connection holds.
    bool isGranted() const;
    bool postPasteKeystroke(const Keystroke& keystroke) override;
    bool userHoldsModifiers() override;

  private:
    friend struct KWinKeyStateListener;
    WaylandSession& m_session;
    org_kde_kwin_fake_input* m_input = nullptr;
    org_kde_kwin_keystate* m_keyState = nullptr;
    // One bit per key of the key-state protocol that KWin says is pressed.
    quint32 m_pressedKeys = 0;
};
