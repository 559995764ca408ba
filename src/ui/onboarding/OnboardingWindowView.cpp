// SPDX-License-Identifier: MIT
#include "ui/onboarding/OnboardingWindowView.h"

#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "onboarding/OnboardingWizard.h"
#include "settings/AppSettings.h"
#include "ui/onboarding/OnboardingView.h"
#include "ui/onboarding/OnboardingWidgets.h"

namespace {
constexpr int kPickerWidth = 150;
}

OnboardingWindowView::OnboardingWindowView(AppSettings& settings, ChordDetector& hotkeyManager,
                                           Pasteboard& pasteboard, Scheduler& scheduler,
                                           DesktopIntegration* integration,
                                           SettingsView::Session session, QuillstackTray* tray,
                                           QWidget* parent)
    : QWidget(parent),
      m_settings(settings),
      m_hotkeyManager(hotkeyManager),
      m_pasteboard(pasteboard),
      m_scheduler(scheduler),
      m_integration(integration),
      m_tray(tray),
      m_session(session) {
    setFixedSize(contentWidth, contentHeight);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    // Queued: the change may come from the picker's own signal, and the picker is about to be
    // replaced.
    connect(&settings, &AppSettings::preferredLanguageChanged, this, &OnboardingWindowView::rebuild,
            Qt::QueuedConnection);
    rebuild();
}

void OnboardingWindowView::rebuild() {
    // The wizard starts again in the new language, but the user's answer is kept.
    const bool again = !m_content.isNull();
    const bool startAtLogin = again && m_wizardView->wizard().startAtLogin();
    delete m_content.data();
    m_content = new QWidget(this);
    auto* column = new QVBoxLayout(m_content);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(20, 12, 20, 8);
    bar->setSpacing(8);
    QLabel* label =
        onboarding::makeLabel(tr("Language"), onboarding::TextStyle::Caption,
                              onboarding::Tone::Secondary, false, Qt::AlignLeft | Qt::AlignVCenter);
    label->setWordWrap(false);
    bar->addWidget(label);
    m_picker = new QComboBox;
    m_picker->setObjectName(QStringLiteral("languagePicker"));
    // As wide as its longest entry ("Idioma del sistema"), never narrower than the usual.
    m_picker->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_picker->setMinimumWidth(kPickerWidth);
    m_picker->addItem(tr("System"), QStringLiteral("system"));
    for (const AppSettings::LanguageOption& option : AppSettings::languageOptions()) {
        m_picker->addItem(option.name, option.code);
    }
    // A stored code outside the list selects nothing rather than a wrong entry.
    m_picker->setCurrentIndex(m_picker->findData(m_settings.preferredLanguage()));
    connect(m_picker, &QComboBox::activated, this, [this](int index) {
        const QString code = m_picker->itemData(index).toString();
        if (code != m_settings.preferredLanguage()) {
            m_settings.setPreferredLanguage(code);
        }
    });
    bar->addWidget(m_picker);
    bar->addStretch(1);
    column->addLayout(bar);

    auto* divider = new QFrame;
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Sunken);
    column->addWidget(divider);

    m_wizardView = new OnboardingView(m_settings, m_hotkeyManager, m_pasteboard, m_scheduler,
                                      m_integration, m_session, m_tray);
    if (again) {
        m_wizardView->setStartAtLogin(startAtLogin);
    }
    column->addWidget(m_wizardView, 1, Qt::AlignHCenter);

    static_cast<QVBoxLayout*>(layout())->addWidget(m_content);
    m_content->show();
}
