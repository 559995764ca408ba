// SPDX-License-Identifier: MIT
#include "ui/onboarding/OnboardingPanel.h"

#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

#include "onboarding/OnboardingWizard.h"
#include "settings/AppSettings.h"
#include "ui/onboarding/OnboardingView.h"
#include "ui/onboarding/OnboardingWidgets.h"

namespace {
constexpr int kPickerWidth = 150;
}

OnboardingPanel::OnboardingPanel(const Dependencies& dependencies, QWidget* parent)
    // The application's name, the same in every language.
    : AppWindow(
          QT_TRANSLATE_NOOP("AppWindow", "Quillstack"), [this] { return makeContent(); }, {},
          parent),
      m_dependencies(dependencies) {
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(panelSize);
    // Queued: the change may come from the picker's own signal, and the picker goes with the
    // content it is in.
    connect(&m_dependencies.settings, &AppSettings::preferredLanguageChanged, this,
            &OnboardingPanel::rebuildContent, Qt::QueuedConnection);
    connect(&m_dependencies.settings, &AppSettings::onboardingCompletedChanged, this,
            [this](bool completed) {
                if (completed) {
                    hide();
                }
            });
}

void OnboardingPanel::restart() {
    hide();
    discardContent();
    m_dependencies.settings.setOnboardingCompleted(false);
    present();
}

std::optional<QRect> OnboardingPanel::firstArea() const {
    return placementArea(m_dependencies.activeWindowGeometry ? m_dependencies.activeWindowGeometry()
                                                             : std::nullopt);
}

std::optional<QRect> OnboardingPanel::placementArea(const std::optional<QRect>& activeWindow) {
    QScreen* screen = activeWindow ? QGuiApplication::screenAt(activeWindow->center()) : nullptr;
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
        return std::nullopt;
    }
    return screen->availableGeometry();
}

OnboardingView* OnboardingPanel::wizardView() const {
    return content() != nullptr ? content()->findChild<OnboardingView*>() : nullptr;
}

QComboBox* OnboardingPanel::languagePicker() const {
    return content() != nullptr ? content()->findChild<QComboBox*>(QStringLiteral("languagePicker"))
                                : nullptr;
}

QWidget* OnboardingPanel::makeContent() {
    // The guide starts again in the new language, but the user's answer is kept.
    const OnboardingView* before = wizardView();
    AppSettings& settings = m_dependencies.settings;
    auto* content = new QWidget;
    auto* centred = new QVBoxLayout(content);
    centred->setContentsMargins(0, 0, 0, 0);
    auto* box = new QWidget;
    box->setFixedSize(contentSize);
    centred->addWidget(box, 0, Qt::AlignCenter);
    auto* column = new QVBoxLayout(box);
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
    auto* picker = new QComboBox;
    picker->setObjectName(QStringLiteral("languagePicker"));
    // As wide as its longest entry ("Idioma del sistema"), never narrower than the usual.
    picker->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    picker->setMinimumWidth(kPickerWidth);
    picker->addItem(tr("System"), QStringLiteral("system"));
    for (const AppSettings::LanguageOption& option : AppSettings::languageOptions()) {
        picker->addItem(option.name, option.code);
    }
    // A stored code outside the list selects nothing rather than a wrong entry.
    picker->setCurrentIndex(picker->findData(settings.preferredLanguage()));
    connect(picker, &QComboBox::activated, picker, [&settings, picker](int index) {
        const QString code = picker->itemData(index).toString();
        if (code != settings.preferredLanguage()) {
            settings.setPreferredLanguage(code);
        }
    });
    bar->addWidget(picker);
    bar->addStretch(1);
    column->addLayout(bar);

    auto* divider = new QFrame;
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Sunken);
    column->addWidget(divider);

    const Dependencies& d = m_dependencies;
    auto* view = new OnboardingView(settings, d.chordDetector, d.clipboard, d.scheduler,
                                    d.integration, d.session, d.tray);
    if (before != nullptr) {
        view->setStartAtLogin(before->wizard().startAtLogin());
    }
    column->addWidget(view, 1, Qt::AlignHCenter);
    return content;
}
