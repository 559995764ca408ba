// SPDX-License-Identifier: MIT
#include "platform/x11/X11Clipboard.h"

X11Clipboard::X11Clipboard(const QString& displayName, std::chrono::milliseconds requestTimeout,
                           X11ClipboardThread::ManagerRole managerRole, QObject* parent)
    : SelectionClipboard(requestTimeout, parent) {
    m_thread = std::make_unique<X11ClipboardThread>(
        displayName, requestTimeout,
        [this](X11ClipboardThread::Snapshot snapshot) {
            postSnapshot(snapshot.claims, snapshot.hasOwner, std::move(snapshot.item));
        },
        [this](quint64 claims, bool owned) { postConfirmation(claims, owned); }, managerRole);
}

X11Clipboard::~X11Clipboard() {
    // Joins the thread first, so no delivery can be posted to a half-destroyed object.
    m_thread.reset();
}
