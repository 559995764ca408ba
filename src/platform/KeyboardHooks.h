#pragma once

#include <QtGlobal>

#include <functional>
#include <memory>

// A key-down in canonical numbers: ANSI virtual key code (9 = V) and modifier bits under
// 0xFFFF0000 (Command 0x100000, Shift 0x20000, Option 0x80000, Control 0x40000, Caps 0x10000).
struct KeyEvent {
    quint16 keyCode = 0;
    quint64 modifiers = 0;
    bool isRepeat = false;
};

namespace ModifierFlag {
constexpr quint64 CapsLock = 0x10000;
constexpr quint64 Shift = 0x20000;
constexpr quint64 Control = 0x40000;
constexpr quint64 Option = 0x80000;
constexpr quint64 Command = 0x100000;
constexpr quint64 DeviceIndependentMask = 0xFFFF0000;
}  // namespace ModifierFlag

namespace KeyCode {
constexpr quint16 V = 9;
constexpr quint16 Return = 36;
constexpr quint16 Tab = 48;
constexpr quint16 Space = 49;
constexpr quint16 Delete = 51;
constexpr quint16 Escape = 53;
constexpr quint16 KeypadEnter = 76;
constexpr quint16 Insert = 114;  // Help on Apple boards, Insert on PC ones
constexpr quint16 ForwardDelete = 117;
constexpr quint16 LeftArrow = 123;
constexpr quint16 RightArrow = 124;
constexpr quint16 DownArrow = 125;
constexpr quint16 UpArrow = 126;
}  // namespace KeyCode

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
