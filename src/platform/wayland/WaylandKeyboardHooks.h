// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QStringList>

#include <map>
#include <optional>

#include "platform/KeyboardHooks.h"

class SwayIpc;

// Key hooks for a Wayland session, where clients get no global grabs and see no keys of other
// clients. A chord is bound in the compositor instead, when it takes bindings from programs
// (sway, through its IPC): the binding runs `chordCommand`, which reaches the running instance
// as a command, so the handler given with the chord is never called. The local observer is an
// application event filter.
class WaylandKeyboardHooks final : public QObject, public KeyboardHooks {
    Q_OBJECT
  public:
    // sway: null where the compositor takes no bindings. chordCommand: program and arguments.
    WaylandKeyboardHooks(const SwayIpc* sway, QStringList chordCommand);
    ~WaylandKeyboardHooks() override;

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

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void removeLocal(int id);

    const SwayIpc* m_sway;
    QStringList m_chordCommand;
    int m_nextId = 1;
    std::map<int, KeyFilter> m_locals;
};
