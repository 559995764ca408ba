// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

class DesktopIntegration;
class QLabel;
class QPushButton;

// One sentence and one button while the desktop's integration is off ("Enable the GNOME
// integration"), then what enabling it did; hidden while it is on.
class IntegrationNotice : public QWidget {
    Q_OBJECT
  public:
    explicit IntegrationNotice(DesktopIntegration& integration, QWidget* parent = nullptr);

  private:
    void showState();

    DesktopIntegration& m_integration;
    QLabel* m_text;
    QPushButton* m_button;
};
