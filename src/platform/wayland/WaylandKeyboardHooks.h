// SPDX-License-Identifier: MIT
#pragma once

#include <QStringList>

#include <optional>

#include "platform/KeyboardHooks.h"
#include "platform/qt/LocalKeyFilter.h"

class SwayIpc;

// Key hooks for a Wayland session, where clients get no global grabs and see no keys of other
// clients. A chord is bound in the compositor instead, when it takes bindings from programs
// (sway, through its IPC): the binding runs `chordCommand`, which reaches the running instance
// as a command, so the handler given with the chord is never called.
class WaylandKeyboardHooks final : public KeyboardHooks {
  public:
    // sway: null where the compositor takes no bindings. chordCommand: program and arguments.
    WaylandKeyboardHooks(const SwayIpc* sway, QStringList chordCommand);

    std::unique_ptr<HookHandle> interceptChord(quint16 keyCode, quint64 modifiers,
                                               KeyHandler onKeyDown,
                                               ChordRefusal* refusal = nullptr) override;
    // Nothing: no Wayland compositor shows a client the keys typed into others.
    std::unique_ptr<HookHandle> observeGlobalKeyDowns(KeyHandler onKeyDown) override;
    std::unique_ptr<HookHandle> observeLocalKeyDowns(KeyFilter filter) override;

    // The chord as sway's bindcode reads it ("Mod4+Shift+55"); nothing for a key without an
    // XKB keycode.
    static std::optional<QString> swayChord(quint16 keyCode, quint64 modifiers);
    // The exec command sway runs through sh, quoted so any path survives it; empty for a
    // command sway cannot carry (a line break).
    static QString swayExec(const QStringList& command);

  private:
    const SwayIpc* m_sway;
    QStringList m_chordCommand;
    LocalKeyFilter m_localKeys;
};
