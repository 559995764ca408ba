// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <memory>

#include "platform/SelectionClipboard.h"
#include "platform/wayland/WaylandClipboardThread.h"

// The Wayland clipboard, through the compositor's data control (wlroots compositors, KWin), as
// the history's clipboard.
class WaylandClipboard final : public SelectionClipboard {
    Q_OBJECT
  public:
    // An empty display name means $WAYLAND_DISPLAY. Without a compositor offering data control,
    // or once it is gone, this is an empty clipboard whose count never moves.
    // `requestTimeout` bounds every wait for another client.
    explicit WaylandClipboard(const QString& displayName = {},
                              std::chrono::milliseconds requestTimeout = std::chrono::seconds(1),
                              QObject* parent = nullptr);
    ~WaylandClipboard() override;

    // Whether the display offers data control and a seat, so that this clipboard can work
    // there. Connects for one round trip.
    static bool isOffered(const QString& displayName = {});

  protected:
    bool threadConnected() const override { return m_thread && m_thread->isConnected(); }
    void claim(const StoredItem& content, bool onlyIfStillEmpty) override {
        m_thread->claim(content, onlyIfStillEmpty);
    }
    bool offersPrimary() const override { return m_thread->offersPrimary(); }
    void claimPrimary() override { m_thread->claimPrimary(); }
    void addRestoredTypes(StoredItem& item) const override;
    QList<QLatin1StringView> fileListTextTypes() const override;

  private:
    std::unique_ptr<WaylandClipboardThread> m_thread;
};
