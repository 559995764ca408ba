// SPDX-License-Identifier: MIT
#pragma once

#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>

#include "FakeAutostart.h"
#include "FakeClipboard.h"
#include "FakeFileThumbnailer.h"
#include "ManualScheduler.h"
#include "MemoryKeyValueStore.h"
#include "chord/ChordDetector.h"
#include "chord/PasteDelivery.h"
#include "history/ClipboardHistory.h"
#include "history/HistoryListModel.h"
#include "platform/ClipboardTypeKey.h"
#include "platform/InputInjectionAccess.h"
#include "platform/KeyInjector.h"
#include "platform/KeyboardHooks.h"
#include "platform/WindowTracker.h"
#include "popup/PopupSession.h"
#include "settings/AppSettings.h"
#include "settings/InterfaceLanguage.h"

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
        return m_refusal != ChordRefusal::None
                   ? nullptr
                   : add(Hook::Kind::Interceptor, consuming(onKeyDown, true), keyCode, modifiers);
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
        const quint64 pressed = event.modifiers & ModifierFlag::Mask;
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
        m_peak = std::max(m_peak, active(Hook::Kind::Interceptor));
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

// A scripted window system. An activation takes effect at once, after activationDelayMs of
// virtual time, or never (< 0), as the test chooses; requests are kept in order.
struct FakeWindowTracker final : WindowTracker {
    explicit FakeWindowTracker(ManualScheduler& scheduler) : clock(scheduler) {}

    std::optional<RunningApp> frontmostApplication() const override { return frontmost; }
    void activate(const RunningApp& app) override {
        activations.append(app);
        if (activationDelayMs == 0) {
            frontmost = app;
        } else if (activationDelayMs > 0) {
            // The fake outlives every scheduler run of the test that owns both.
            clock.postDelayed(int(activationDelayMs), [this, app] { frontmost = app; });
        }
    }
    qint64 currentProcessId() const override { return 4242; }

    std::optional<RunningApp> frontmost;
    qint64 activationDelayMs = 0;
    QList<RunningApp> activations;
    ManualScheduler& clock;
};

// Records each paste keystroke with the virtual time it was posted at.
struct FakeKeyInjector final : KeyInjector {
    explicit FakeKeyInjector(ManualScheduler& scheduler) : clock(scheduler) {}

    bool postPasteKeystroke(const Keystroke& keystroke) override {
        timesMs << clock.monotonicMs();
        keystrokes << keystroke;
        return true;
    }
    bool userHoldsModifiers() override { return clock.monotonicMs() < heldUntilMs; }

    qint64 heldUntilMs = 0;
    QList<qint64> timesMs;
    QList<Keystroke> keystrokes;
    ManualScheduler& clock;
};

// Trust the test grants or revokes.
struct FakeInputInjectionAccess final : InputInjectionAccess {
    bool isTrusted() override { return trusted; }
    void setTrusted(bool value) { trusted = value; }

    bool trusted = true;
};

// What the records show, newest first.
inline QStringList previewsOf(const ClipboardHistory& history) {
    QStringList out;
    std::ranges::transform(history.items(), std::back_inserter(out), &ClipboardItem::previewText);
    return out;
}

// A history over a fake clipboard in virtual time, its blob files in a folder of its own where it
// keeps any, and the list model over it.
struct HistoryStack {
    QTemporaryDir blobs;
    ManualScheduler scheduler;
    FakeClipboard clipboard;
    FakeFileThumbnailer thumbnailer;
    ClipboardHistory history;
    HistoryListModel model{history, scheduler, thumbnailer};

    HistoryStack(bool blobFiles, std::function<ClipboardHistory::Limits()> limits,
                 HistoryStorage* storage = nullptr, const RecordingGate* gate = nullptr)
        : history(clipboard, scheduler, blobFiles ? blobs.path() : QString(), std::move(limits),
                  storage, gate) {}
    // Another application copies; the history has looked once the check interval has passed.
    void copy(const ClipboardSnapshot& content) {
        clipboard.setContent(content);
        scheduler.advance(ClipboardHistory::pollIntervalMs);
    }
    void copy(const StoredItem& item) { copy(ClipboardSnapshot{item}); }
    QStringList previews() const { return previewsOf(history); }
};

// A text as another application copies it.
inline StoredItem textItem(const QString& text) {
    return {{QString(ClipboardTypeKey::stringUtf8Mime), text.toUtf8()}};
}

inline const KeyEvent kChord{KeyCode::V, ModifierFlag::Super | ModifierFlag::Shift, false};
inline const RunningApp kEditor{100, QStringLiteral("Editor"), 7};

// Chord, popup session and paste delivery wired as the application does, over real settings
// and a real history on fakes, in virtual time, with the given texts copied (the last one
// newest) and the editor in front. The history's limits come from the settings.
struct ChordStack : HistoryStack {
    FakeKeyboardHooks hooks;
    FakeInputInjectionAccess trust;
    FakeWindowTracker windowTracker{scheduler};
    FakeKeyInjector injector{scheduler};
    MemoryKeyValueStore store;
    FakeAutostart autostart;
    AppSettings settings{store, autostart, {}};
    ChordDetector detector{hooks, trust, scheduler, settings};
    PasteDelivery delivery{windowTracker, injector, scheduler, settings, clipboard};
    PopupSession popup{hooks, windowTracker, history, model,
                       [this](const std::optional<RunningApp>& to) { delivery.deliver(to); }};

    explicit ChordStack(const QStringList& copies = {})
        : HistoryStack(false, [this] {
              return ClipboardHistory::Limits{settings.historySize(), settings.autoDeleteMinutes()};
          }) {
        QObject::connect(&detector, &ChordDetector::chordPressed, &popup, &PopupSession::toggle);
        history.startMonitoring();
        std::ranges::for_each(copies, [this](const QString& text) { copyText(text); });
        windowTracker.frontmost = kEditor;
    }

    void copyText(const QString& text) { copy(textItem(text)); }
    // A key-down in another application / in one of our windows; whether it was consumed.
    bool other(const KeyEvent& event) { return settle(hooks.pressInOtherApp(event)); }
    bool own(const KeyEvent& event) { return settle(hooks.pressInOwnWindow(event)); }
    bool settle(bool consumed) {
        scheduler.runUntilIdle();
        return consumed;
    }
    QString text(qsizetype row) const { return history.items().at(row).previewText(); }
};

// The stack as our windows find it: monitoring, its interface in English.
struct WindowRig : ChordStack {
    explicit WindowRig(const QStringList& copies = {}) : ChordStack(copies) {
        detector.startMonitoring();
    }
    InterfaceLanguage language{&settings, QStringLiteral("en")};
};
