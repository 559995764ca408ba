#pragma once

#include <QList>

#include <algorithm>
#include <memory>

#include "platform/KeyboardHooks.h"

// Keyboard hooks driven by the test. Each hook stays listed after removal so a test can count
// installs; only active hooks receive key-downs.
class FakeKeyboardHooks final : public KeyboardHooks {
  public:
    struct Hook {
        enum class Kind { Interceptor, Global, Local };
        Kind kind;
        quint16 keyCode = 0;    // interceptors only
        quint64 modifiers = 0;  // interceptors only
        KeyFilter filter;       // interceptors consume their chord, global observers nothing
        bool active = true;
    };

    std::unique_ptr<HookHandle> interceptChord(quint16 keyCode, quint64 modifiers,
                                               KeyHandler onKeyDown,
                                               ChordRefusal* refusal = nullptr) override {
        if (refusal != nullptr) {
            *refusal = m_refusal;
        }
        if (m_refusal != ChordRefusal::None) {
            return nullptr;
        }
        auto handle = add(Hook::Kind::Interceptor, consuming(onKeyDown, true), keyCode, modifiers);
        m_peak = std::max(m_peak, active(Hook::Kind::Interceptor));
        return handle;
    }
    std::unique_ptr<HookHandle> observeGlobalKeyDowns(KeyHandler onKeyDown) override {
        return m_refuseGlobal ? nullptr : add(Hook::Kind::Global, consuming(onKeyDown, false));
    }
    std::unique_ptr<HookHandle> observeLocalKeyDowns(KeyFilter filter) override {
        return add(Hook::Kind::Local, std::move(filter));
    }

    // No interception (or another client holds the chord) / no global observation is possible.
    void setRefuseInterception(bool refuse, ChordRefusal why = ChordRefusal::Unavailable) {
        m_refusal = refuse ? why : ChordRefusal::None;
    }
    void setRefuseGlobalObservation(bool refuse) { m_refuseGlobal = refuse; }

    // A key-down while another application is focused: an active interceptor whose chord it
    // is takes it (true: consumed); otherwise every global observer sees it.
    bool pressInOtherApp(const KeyEvent& event) {
        const quint64 pressed = event.modifiers & ModifierFlag::DeviceIndependentMask;
        for (const auto& h : QList(m_hooks)) {  // handlers may add hooks meanwhile
            if (h->active && h->kind == Hook::Kind::Interceptor && h->keyCode == event.keyCode &&
                (pressed & h->modifiers) == h->modifiers) {
                return h->filter(event);
            }
        }
        return deliver(Hook::Kind::Global, event);
    }
    // A key-down in one of our windows: local filters in install order until one consumes.
    bool pressInOwnWindow(const KeyEvent& event) { return deliver(Hook::Kind::Local, event); }

    int installed(Hook::Kind kind) const { return count(kind, false); }
    int active(Hook::Kind kind) const { return count(kind, true); }
    // The most interceptors that were ever active at the same time.
    int peakActiveInterceptors() const { return m_peak; }
    // The last active interceptor.
    std::shared_ptr<const Hook> activeInterceptor() const {
        const auto it = std::find_if(m_hooks.crbegin(), m_hooks.crend(), [](const auto& h) {
            return h->active && h->kind == Hook::Kind::Interceptor;
        });
        return it == m_hooks.crend() ? nullptr : *it;
    }

  private:
    struct Handle final : HookHandle {
        explicit Handle(std::shared_ptr<Hook> hook) : hook(std::move(hook)) {}
        ~Handle() override { hook->active = false; }
        std::shared_ptr<Hook> hook;
    };
    static KeyFilter consuming(KeyHandler handler, bool consumes) {
        return [handler, consumes](const KeyEvent& e) {
            handler(e);
            return consumes;
        };
    }
    std::unique_ptr<HookHandle> add(Hook::Kind kind, KeyFilter filter, quint16 keyCode = 0,
                                    quint64 modifiers = 0) {
        m_hooks.append(std::make_shared<Hook>(Hook{kind, keyCode, modifiers, std::move(filter)}));
        return std::make_unique<Handle>(m_hooks.last());
    }
    bool deliver(Hook::Kind kind, const KeyEvent& event) {
        for (const auto& h : QList(m_hooks)) {
            if (h->active && h->kind == kind && h->filter(event)) {
                return true;
            }
        }
        return false;
    }
    int count(Hook::Kind kind, bool activeOnly) const {
        return int(std::count_if(m_hooks.cbegin(), m_hooks.cend(), [&](const auto& h) {
            return h->kind == kind && (h->active || !activeOnly);
        }));
    }

    QList<std::shared_ptr<Hook>> m_hooks;
    ChordRefusal m_refusal = ChordRefusal::None;
    bool m_refuseGlobal = false;
    int m_peak = 0;
};
