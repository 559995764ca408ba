// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <memory>

#include "platform/SelectionClipboard.h"
#include "platform/x11/X11ClipboardThread.h"

// The X11 CLIPBOARD as the history's clipboard.
class X11Clipboard final : public SelectionClipboard {
    Q_OBJECT
  public:
    // An empty display name means $DISPLAY. Without a display this is an empty clipboard whose
    // count never moves. `requestTimeout` bounds every wait for another client.
    explicit X11Clipboard(
        const QString& displayName = {},
        std::chrono::milliseconds requestTimeout = std::chrono::seconds(1),
        X11ClipboardThread::ManagerRole managerRole = X11ClipboardThread::ManagerRole::Decline,
        QObject* parent = nullptr);
    ~X11Clipboard() override;

  protected:
    bool threadConnected() const override { return m_thread && m_thread->isConnected(); }
    void claim(const StoredItem& content, bool onlyIfStillEmpty) override {
        m_thread->claim(content, onlyIfStillEmpty);
    }
    void claimPrimary() override { m_thread->claimPrimary(); }

  private:
    std::unique_ptr<X11ClipboardThread> m_thread;
};
