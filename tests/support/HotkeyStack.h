#pragma once

#include <QStringList>

#include "FakeAccessibilityTrust.h"
#include "FakeFileThumbnailer.h"
#include "FakeHistory.h"
#include "FakeKeyInjector.h"
#include "FakeKeyboardHooks.h"
#include "FakeLoginItems.h"
#include "FakePasteboard.h"
#include "FakeWorkspace.h"
#include "ManualScheduler.h"
#include "MemoryKeyValueStore.h"
#include "history/ClipboardHistory.h"
#include "history/HistoryListModel.h"
#include "hotkey/ChordDetector.h"
#include "hotkey/PasteDelivery.h"
#include "platform/PasteboardTypeKey.h"
#include "popup/PopupSession.h"
#include "settings/AppSettings.h"

inline const KeyEvent kChord{KeyCode::V, ModifierFlag::Command | ModifierFlag::Shift, false};
inline const RunningApp kEditor{100, QStringLiteral("Editor"), 7};

// Chord, popup session and paste delivery wired as the application does, over real settings
// and a real history on fakes, in virtual time, with the given texts copied (the last one
// newest) and the editor in front. The history's limits come from the settings.
struct HotkeyStack {
    ManualScheduler scheduler;
    FakeKeyboardHooks hooks;
    FakeAccessibilityTrust trust;
    FakeWorkspace workspace{scheduler};
    FakeKeyInjector injector{scheduler};
    FakePasteboard pasteboard;
    FakeFileThumbnailer thumbnailer;
    MemoryKeyValueStore store;
    FakeLoginItems loginItems;
    AppSettings settings{store, loginItems, {}};
    ClipboardHistory history{
        pasteboard, scheduler, QString(), [this] {
            return ClipboardHistory::Limits{settings.bufferLimit(), settings.autoDeleteMinutes()};
        }};
    ChordDetector detector{hooks, trust, workspace, scheduler, settings};
    PasteDelivery delivery{workspace, injector, scheduler, settings, pasteboard};
    HistoryListModel model{history, scheduler, thumbnailer};
    PopupSession popup{hooks, workspace, history, model,
                       [this](const std::optional<RunningApp>& to) { delivery.deliver(to); }};

    explicit HotkeyStack(const QStringList& copies = {}) {
        QObject::connect(&detector, &ChordDetector::chordPressed, &popup, &PopupSession::toggle);
        history.startMonitoring();
        for (const QString& text : copies) {
            copyText(text);
        }
        workspace.frontmost = kEditor;
    }

    void copy(const StoredItem& item) {
        pasteboard.setContent({item});
        scheduler.advance(ClipboardHistory::pollIntervalMs);
    }
    void copyText(const QString& text) {
        copy({{QString(PasteboardTypeKey::stringUtf8Mime), text.toUtf8()}});
    }
    // A key-down in another application / in one of our windows; whether it was consumed.
    bool other(const KeyEvent& event) { return settle(hooks.pressInOtherApp(event)); }
    bool own(const KeyEvent& event) { return settle(hooks.pressInOwnWindow(event)); }
    bool settle(bool consumed) {
        scheduler.runUntilIdle();
        return consumed;
    }
    QString text(qsizetype row) const { return history.items().at(row).previewText(); }
    QStringList previews() const { return previewsOf(history); }
};
