// SPDX-License-Identifier: MIT
#pragma once

#include "platform/StatusIndicator.h"

class GnomeShellBridge;

// The Quillstack indicator in GNOME's top bar, drawn by the Shell extension while no tray host
// shows the tray icon. The rows are offered again whenever the extension comes back. The bridge
// must outlive it.
class GnomeStatusIndicator final : public StatusIndicator {
    Q_OBJECT
  public:
    explicit GnomeStatusIndicator(GnomeShellBridge& bridge, QObject* parent = nullptr);

    void offer(const QList<Row>& rows, bool paused) override;
    bool isShown() const override { return m_shown; }

  private:
    void send();
    void setShown(bool shown);

    GnomeShellBridge& m_bridge;
    QList<Row> m_rows;
    bool m_paused = false;
    bool m_offered = false;
    bool m_shown = false;
};
