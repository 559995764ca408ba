#include "FakeKeyboardHooks.h"

#include <algorithm>

namespace {

class FakeHandle final : public HookHandle {
  public:
    explicit FakeHandle(std::shared_ptr<FakeKeyboardHooks::Hook> hook) : m_hook(std::move(hook)) {}
    ~FakeHandle() override { m_hook->active = false; }

  private:
    std::shared_ptr<FakeKeyboardHooks::Hook> m_hook;
};

}  // namespace

std::unique_ptr<HookHandle> FakeKeyboardHooks::add(std::shared_ptr<Hook> hook) {
    m_hooks.append(hook);
    return std::make_unique<FakeHandle>(std::move(hook));
}

std::unique_ptr<HookHandle> FakeKeyboardHooks::interceptChord(quint16 keyCode, quint64 modifiers,
                                                              KeyHandler onKeyDown,
                                                              ChordRefusal* refusal) {
    if (refusal != nullptr) {
        *refusal = m_refusal;
    }
    if (m_refusal != ChordRefusal::None) {
        return nullptr;
    }
    auto handle = add(std::make_shared<Hook>(
        Hook{Hook::Kind::Interceptor, keyCode, modifiers, std::move(onKeyDown), {}, true}));
    m_peakInterceptors = std::max(m_peakInterceptors, active(Hook::Kind::Interceptor));
    return handle;
}

std::unique_ptr<HookHandle> FakeKeyboardHooks::observeGlobalKeyDowns(KeyHandler onKeyDown) {
    return m_refuseGlobal ? nullptr
                          : add(std::make_shared<Hook>(
                                Hook{Hook::Kind::Global, 0, 0, std::move(onKeyDown), {}, true}));
}

std::unique_ptr<HookHandle> FakeKeyboardHooks::observeLocalKeyDowns(KeyFilter filter) {
    return add(std::make_shared<Hook>(Hook{Hook::Kind::Local, 0, 0, {}, std::move(filter), true}));
}

bool FakeKeyboardHooks::pressInOtherApp(const KeyEvent& event) {
    // Iterate over a copy: a handler may install or remove hooks.
    const auto hooks = m_hooks;
    for (const auto& hook : hooks) {
        const quint64 pressed = event.modifiers & ModifierFlag::DeviceIndependentMask;
        if (hook->active && hook->kind == Hook::Kind::Interceptor &&
            hook->keyCode == event.keyCode && (pressed & hook->modifiers) == hook->modifiers) {
            KeyHandler handler = hook->handler;
            handler(event);
            return true;
        }
    }
    for (const auto& hook : hooks) {
        if (hook->active && hook->kind == Hook::Kind::Global) {
            KeyHandler handler = hook->handler;
            handler(event);
        }
    }
    return false;
}

bool FakeKeyboardHooks::pressInOwnWindow(const KeyEvent& event) {
    const auto hooks = m_hooks;
    for (const auto& hook : hooks) {
        if (hook->active && hook->kind == Hook::Kind::Local) {
            KeyFilter filter = hook->filter;
            if (filter(event)) {
                return true;
            }
        }
    }
    return false;
}

int FakeKeyboardHooks::count(Hook::Kind kind, bool activeOnly) const {
    return int(std::count_if(m_hooks.cbegin(), m_hooks.cend(), [&](const auto& hook) {
        return hook->kind == kind && (hook->active || !activeOnly);
    }));
}

std::shared_ptr<const FakeKeyboardHooks::Hook> FakeKeyboardHooks::activeInterceptor() const {
    for (auto it = m_hooks.crbegin(); it != m_hooks.crend(); ++it) {
        if ((*it)->active && (*it)->kind == Hook::Kind::Interceptor) {
            return *it;
        }
    }
    return nullptr;
}
