// SPDX-License-Identifier: MIT
#include "ui/tray/WayInNotice.h"

using namespace Qt::StringLiterals;

#include "ui/tray/QuillstackTray.h"

WayInNotice::WayInNotice(QuillstackTray& tray, QWidget* parent) : QLabel(parent), m_tray(tray) {
    setObjectName(QStringLiteral("wayInNotice"));
    setWordWrap(true);
    setAlignment(Qt::AlignCenter);
    // A command is never broken at its space or hyphens, which would make it read as two words:
    // a no-break space, and a word joiner after each hyphen (the label cannot be copied from).
    const auto command = [](QString text) {
        return text.replace(u' ', QChar(0x00A0)).replace(u"-"_s, u"-\u2060"_s);
    };
    setText(tr("No tray icon here: open History from Quillstack in the application menu or with "
               "%1, and Settings with %2.")
                .arg(command(QStringLiteral("quillstack --show-history")),
                     command(QStringLiteral("quillstack --show-settings"))));
    connect(&tray, &QuillstackTray::visibilityChanged, this, &WayInNotice::showState);
    showState();
}

void WayInNotice::showState() {
    setVisible(!m_tray.isVisible());
}
