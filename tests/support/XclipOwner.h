// SPDX-License-Identifier: MIT
#pragma once

#include "ClipboardClients.h"

// What another client gets when it pastes `target` from CLIPBOARD, or PRIMARY, now.
inline QByteArray xclipPaste(const QString& target, bool primary = false) {
    return runTool("xclip", {"-o", "-selection", primary ? "primary" : "clipboard", "-t", target});
}

// Another client, xclip, serving `bytes` as `target` on CLIPBOARD until it loses the selection
// or is killed.
class XclipOwner : public ForeignCopy {
  public:
    XclipOwner(const QByteArray& target, const QByteArray& bytes)
        : ForeignCopy("xclip",
                      {"-quiet", "-selection", "clipboard", "-t", QString::fromLatin1(target)},
                      bytes) {}
};
