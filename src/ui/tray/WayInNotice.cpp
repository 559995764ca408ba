// SPDX-License-Identifier: MIT
#include "ui/tray/WayInNotice.h"

#include "settings/L10n.h"
#include "ui/tray/QuillstackTray.h"

WayInNotice::WayInNotice(QuillstackTray& tray, QWidget* parent) : QLabel(parent), m_tray(tray) {
    setObjectName(QStringLiteral("wayInNotice"));
    setWordWrap(true);
    setAlignment(Qt::AlignCenter);
    setText(L10n::string(
        QStringLiteral("No tray icon here: open History from Quillstack in the application menu "
                       "or with %@, and Settings with %@."),
        {QStringLiteral("quillstack --show-history"),
         QStringLiteral("quillstack --show-settings")}));
    connect(&tray, &QuillstackTray::visibilityChanged, this, &WayInNotice::showState);
    showState();
}

void WayInNotice::showState() {
    setVisible(!m_tray.isVisible());
}
