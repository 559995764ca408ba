// SPDX-License-Identifier: MIT
#include "ui/common/IntegrationNotice.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/DesktopIntegration.h"

IntegrationNotice::IntegrationNotice(DesktopIntegration& integration, QWidget* parent)
    : QWidget(parent),
      m_integration(integration),
      m_text(new QLabel(this)),
      m_button(new QPushButton(this)) {
    setObjectName(QStringLiteral("integrationNotice"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_text->setWordWrap(true);
    m_button->setAutoDefault(false);
    m_button->setText(tr("Enable the GNOME integration"));
    layout->addWidget(m_text);
    layout->addWidget(m_button, 0, Qt::AlignLeft);
    connect(m_button, &QPushButton::clicked, this, [this] {
        m_button->setEnabled(false);
        const QPointer<IntegrationNotice> alive(this);
        m_integration.enable([this, alive](DesktopIntegration::Outcome outcome) {
            if (!alive) {
                return;
            }
            m_button->setEnabled(true);
            if (outcome == DesktopIntegration::Outcome::Enabled) {
                return;  // hidden once the desktop answers
            }
            const bool login = outcome == DesktopIntegration::Outcome::NeedsLogin;
            m_button->setVisible(!login);
            m_text->setText(login ? tr("The GNOME integration is enabled from your next login: log "
                                       "out and back in.")
                                  : tr("The GNOME integration could not be enabled: it is not "
                                       "installed. Install Quillstack's package again."));
        });
    });
    connect(&m_integration, &DesktopIntegration::missingChanged, this,
            &IntegrationNotice::showState);
    showState();
}

void IntegrationNotice::showState() {
    m_text->setText(tr(
        "The GNOME integration is off, so the shortcut and the paste work only in some windows."));
    m_button->setVisible(true);
    setVisible(m_integration.isMissing());
}
