// SPDX-License-Identifier: MIT
#include "platform/gnome/GnomeStatusIndicator.h"

#include "platform/gnome/GnomeShellBridge.h"

GnomeStatusIndicator::GnomeStatusIndicator(GnomeShellBridge& bridge, QObject* parent)
    : StatusIndicator(parent), m_bridge(bridge) {
    connect(&bridge, &GnomeShellBridge::connectedChanged, this, [this](bool connected) {
        if (connected) {
            send();
        } else {
            // The indicator goes with the Shell or the extension.
            setShown(false);
        }
    });
    connect(&bridge, &GnomeShellBridge::indicatorActivated, this, &StatusIndicator::rowActivated);
    connect(&bridge, &GnomeShellBridge::indicatorShown, this, &GnomeStatusIndicator::setShown);
}

void GnomeStatusIndicator::offer(const QList<Row>& rows, bool paused) {
    m_rows = rows;
    m_paused = paused;
    m_offered = true;
    send();
}

void GnomeStatusIndicator::send() {
    if (!m_offered) {
        return;
    }
    m_bridge.setIndicator(m_rows, m_paused);
}

void GnomeStatusIndicator::setShown(bool shown) {
    if (m_shown != shown) {
        m_shown = shown;
        Q_EMIT shownChanged(shown);
    }
}
