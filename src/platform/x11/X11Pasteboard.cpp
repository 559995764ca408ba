// SPDX-License-Identifier: MIT
#include "platform/x11/X11Pasteboard.h"

X11Pasteboard::X11Pasteboard(const QString& displayName, std::chrono::milliseconds requestTimeout,
                             X11ClipboardThread::ManagerRole managerRole, QObject* parent)
    : SelectionPasteboard(requestTimeout, parent) {
    m_thread = std::make_unique<X11ClipboardThread>(
        displayName, requestTimeout,
        [this](X11ClipboardThread::Snapshot snapshot) {
            postSnapshot(snapshot.claims, snapshot.hasOwner, std::move(snapshot.item));
        },
        [this](quint64 claims, bool owned) { postConfirmation(claims, owned); }, managerRole);
}

X11Pasteboard::~X11Pasteboard() {
    // Joins the thread first, so no delivery can be posted to a half-destroyed object.
    m_thread.reset();
}
