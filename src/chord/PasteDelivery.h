// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

#include <functional>
#include <memory>
#include <optional>

#include "platform/WindowTracker.h"

class AppSettings;
class KeyInjector;
struct Keystroke;
class Clipboard;
class Scheduler;

// Types the paste keystroke into the application the popup was opened over, once the restored
// record is on the clipboard: brings the target back to the front, waits until it is there
// (a second at most), waits until the clipboard confirms the write and the user let go of the
// modifiers, then posts the keystroke the target's window class asks for. When the target never
// came to the front and another window is there instead, nothing is typed. Main thread only.
class PasteDelivery : public QObject {
    Q_OBJECT
  public:
    static constexpr int ownWindowPasteDelayMs = 100;
    static constexpr int activationPollIntervalMs = 20;
    static constexpr int activationTimeoutMs = 1000;
    // How long a modifier the user still holds may hold the keystroke back.
    static constexpr int heldModifiersTimeoutMs = 2000;

    // `clipboard` is the one the history writes to: the keystroke waits until the write is in
    // force.
    PasteDelivery(WindowTracker& windowTracker, KeyInjector& keyInjector, Scheduler& scheduler,
                  AppSettings& settings, Clipboard& clipboard, QObject* parent = nullptr);

    // Call right after the history wrote the record. Nothing, or this process, as the target:
    // the keystroke goes into our own focused window after a short pause.
    void deliver(const std::optional<RunningApp>& target);

    // The translated notice for pasteWithheld().
    static QString withheldNotice(const QString& keystrokeDisplay);

  Q_SIGNALS:
    // Nothing was typed, as another window was in front of the target; the record is on the
    // clipboard, and the user may paste it with this keystroke (in the interface language).
    void pasteWithheld(const QString& keystrokeDisplay);

  private:
    // The completion learns whether another window stayed in front until the time ran out.
    void waitForAppActivation(const RunningApp& app, std::function<void(bool)> completion);
    void checkActivation(const RunningApp& app, qint64 startMs,
                         std::shared_ptr<std::function<void(bool)>> completion);
    void whenWriteConfirmed(std::function<void()> post);
    // Once the user lets go of the modifiers (or the wait times out).
    void postPasteKeystroke(const Keystroke& keystroke, qint64 startMs);

    WindowTracker& m_windowTracker;
    KeyInjector& m_keyInjector;
    Scheduler& m_scheduler;
    AppSettings& m_settings;
    Clipboard& m_clipboard;
};
