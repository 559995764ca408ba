// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>

#include <functional>
#include <memory>

#include "keys/KeyEvent.h"

// Removing a hook is destroying its handle.
class HookHandle {
  public:
    virtual ~HookHandle() = default;
};

// Why a chord could not be intercepted.
enum class ChordRefusal {
    None,
    HeldElsewhere,  // another program holds it: it reacts to the chord and keeps it from us
    Unavailable,    // no display, a key or modifier the keyboard lacks, ...
};

// System-wide and in-application key-down hooks. Callbacks arrive on the main thread.
class KeyboardHooks {
  public:
    using KeyHandler = std::function<void(const KeyEvent&)>;
    using KeyFilter = std::function<bool(const KeyEvent&)>;  // true consumes the event

    virtual ~KeyboardHooks() = default;

    // Consumes the chord system-wide (no other application sees it) and reports each of its
    // key-downs. Nothing when it cannot be had; `refusal`, when given, then says why.
    virtual std::unique_ptr<HookHandle> interceptChord(quint16 keyCode, quint64 modifiers,
                                                       KeyHandler onKeyDown,
                                                       ChordRefusal* refusal = nullptr) = 0;
    // Sees every key-down addressed to other applications, consumes none. Nothing when
    // unavailable.
    virtual std::unique_ptr<HookHandle> observeGlobalKeyDowns(KeyHandler onKeyDown) = 0;
    // Sees key-downs addressed to this application's own windows; the filter may consume them.
    virtual std::unique_ptr<HookHandle> observeLocalKeyDowns(KeyFilter filter) = 0;
};
