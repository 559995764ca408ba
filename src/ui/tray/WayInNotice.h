// SPDX-License-Identifier: MIT
#pragma once

#include <QLabel>

class QuillstackTray;

// Says how to reach History and Settings while the desktop shows neither the tray icon nor an
// indicator (GNOME with the Shell extension off); hidden while either shows.
class WayInNotice : public QLabel {
    Q_OBJECT
  public:
    explicit WayInNotice(QuillstackTray& tray, QWidget* parent = nullptr);

  private:
    void showState();

    QuillstackTray& m_tray;
};
