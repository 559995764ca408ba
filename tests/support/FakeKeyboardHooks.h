#pragma once

#include <QList>

#include <memory>

#include "platform/KeyboardHooks.h"

// Keyboard hooks driven by the test. Each hook stays in the lists after removal so a test can
// count installs and removals; only active hooks receive key-downs.
class FakeKeyboardHooks final : public KeyboardHooks {
  public:
    struct Hook {
        enum class Kind { Interceptor, Global, Local };
        Kind kind;
        quint16 keyCode = 0;    // interceptors only
        quint64 modifiers = 0;  // interceptors only
        KeyHandler handler;     // interceptors and global observers
        KeyFilter filter;       // local observers
        bool active = true;
    };

    std::unique_ptr<HookHandle> interceptChord(quint16 keyCode, quint64 modifiers,
                                               KeyHandler onKeyDown,
                                               ChordRefusal* refusal = nullptr) override;
    std::unique_ptr<HookHandle> observeGlobalKeyDowns(KeyHandler onKeyDown) override;
    std::unique_ptr<HookHandle> observeLocalKeyDowns(KeyFilter filter) override;

    // No interception / another client holds the chord / no global observation is possible.
    void setRefuseInterception(bool refuse, ChordRefusal why = ChordRefusal::Unavailable) {
        m_refusal = refuse ? why : ChordRefusal::None;
    }
    void setChordHeldElsewhere(bool held) {
        setRefuseInterception(held, ChordRefusal::HeldElsewhere);
    }
    void setRefuseGlobalObservation(bool refuse) { m_refuseGlobal = refuse; }

    // A key-down while another application is focused: an active interceptor whose chord it
    // is takes it (true: consumed); otherwise every global observer sees it.
    bool pressInOtherApp(const KeyEvent& event);
    // A key-down in one of our windows: local filters in install order until one consumes.
    bool pressInOwnWindow(const KeyEvent& event);

    int installed(Hook::Kind kind) const { return count(kind, false); }
    int active(Hook::Kind kind) const { return count(kind, true); }
    // The most interceptors that were ever active at the same time.
    int peakActiveInterceptors() const { return m_peakInterceptors; }
    // The chord of the active interceptor (the last one when there are several).
    std::shared_ptr<const Hook> activeInterceptor() const;

  private:
    int count(Hook::Kind kind, bool activeOnly) const;
    std::unique_ptr<HookHandle> add(std::shared_ptr<Hook> hook);

    QList<std::shared_ptr<Hook>> m_hooks;
    ChordRefusal m_refusal = ChordRefusal::None;
    bool m_refuseGlobal = false;
    int m_peakInterceptors = 0;
};
