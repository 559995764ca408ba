// SPDX-License-Identifier: MIT
#include "ui/onboarding/OnboardingView.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "chord/ChordDetector.h"
#include "onboarding/OnboardingWizard.h"
#include "platform/DesktopIntegration.h"
#include "settings/AppSettings.h"
#include "ui/common/IntegrationNotice.h"
#include "ui/common/KeepHistoryChoice.h"
#include "ui/onboarding/OnboardingWidgets.h"
#include "ui/settings/SettingsView.h"
#include "ui/tray/WayInNotice.h"

using namespace onboarding;

namespace {
constexpr int kColumnWidth = 340;
constexpr int kColumnHeight = 440;
constexpr int kBottomPadding = 12;
constexpr int kPageSymbolSide = 44;
constexpr int kWelcomeSymbolSide = 48;
constexpr int kRowSymbolSide = 18;
constexpr int kCopyButtonSide = 26;

struct Symbol {
    const char* themeName;  // without "-symbolic"; empty: only our drawing fits
    const char* fallback;
    bool tinted = true;  // a monochrome glyph drawn in the accent; the app's icon keeps its colours
};
const Symbol kAccessibility{"preferences-desktop-accessibility", ":/icons/accessibility.svg"};
const Symbol kHandPoint{"edit-paste", ":/icons/hand-point.svg"};
// Copy, remove and pin are ours alone: what they mean matters more than matching the theme.
const Symbol kDocOnClipboard{"", ":/icons/doc-on-clipboard.svg"};
const Symbol kKeyboard{"input-keyboard", ":/icons/keyboard.svg"};
const Symbol kListBullet{"view-list", ":/icons/list-bullet-rectangle.svg"};
const Symbol kTrayArrowDown{"", ":/icons/tray-arrow-down.svg"};
const Symbol kArrowUpDown{"", ":/icons/arrow-up-down.svg"};
const Symbol kXmarkCircle{"", ":/icons/xmark-circle.svg"};
const Symbol kStack{"", ":/icons/quillstack.svg", false};
const Symbol kGear{"preferences-system", ":/icons/gear.svg"};
const Symbol kCheckmark{"", ":/icons/checkmark-circle.svg"};
const Symbol kPin{"", ":/icons/pin.svg"};
const Symbol kMagnifier{"edit-find", ":/icons/magnifyingglass.svg"};
const Symbol kPause{"media-playback-pause", ":/icons/pause-circle.svg"};

QLabel* symbolLabel(const Symbol& symbol, int side, const QColor& colour, QWidget* context) {
    auto* label = new QLabel;
    label->setPixmap(onboarding::symbol(
        QString::fromLatin1(symbol.themeName), QString::fromLatin1(symbol.fallback),
        symbol.tinted ? colour : QColor(), side, context->devicePixelRatioF()));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QWidget* page(int spacing) {
    auto* widget = new QWidget;
    auto* layout = new QVBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    layout->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    return widget;
}

QVBoxLayout* column(QWidget* page) {
    return static_cast<QVBoxLayout*>(page->layout());
}

// The child with room around it.
QWidget* padded(QWidget* child, int left, int top, int right, int bottom) {
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(left, top, right, bottom);
    layout->addWidget(child);
    return box;
}

// The symbol and title that pages 1 to 4 start with.
void addHeader(QWidget* page, const Symbol& symbol, const QString& title) {
    const QColor accent = accentColour(page->palette());
    column(page)->addWidget(
        padded(symbolLabel(symbol, kPageSymbolSide, accent, page), 0, 24, 0, 0));
    column(page)->addWidget(makeLabel(title, TextStyle::Title3, Tone::Primary, true));
}

QWidget* listRow(const Symbol& symbol, const QString& text, QWidget* context) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);
    QLabel* icon = symbolLabel(symbol, kRowSymbolSide, accentColour(context->palette()), context);
    icon->setFixedWidth(24);
    icon->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    layout->addWidget(icon, 0, Qt::AlignTop);
    layout->addWidget(
        makeLabel(text, TextStyle::Callout, Tone::Secondary, false, Qt::AlignLeft | Qt::AlignTop),
        1, Qt::AlignTop);
    return row;
}

struct Row {
    Symbol symbol;
    QString text;
};

void addListBlock(QWidget* page, const QList<Row>& rows, int spacing, int padding) {
    auto* block = new QWidget;
    auto* layout = new QVBoxLayout(block);
    layout->setContentsMargins(padding, 4, padding, 0);
    layout->setSpacing(spacing);
    for (const Row& row : rows) {
        layout->addWidget(listRow(row.symbol, row.text, page));
    }
    column(page)->addWidget(block);
}

// Bordered and filled with the accent colour while enabled.
void makeProminent(QPushButton* button) {
    QPalette palette = button->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Button, palette.color(group, QPalette::Highlight));
        palette.setColor(group, QPalette::ButtonText,
                         palette.color(group, QPalette::HighlightedText));
    }
    button->setPalette(palette);
    button->setAutoDefault(false);
    button->setDefault(false);
}
}  // namespace

OnboardingView::OnboardingView(AppSettings& settings, ChordDetector& chordDetector,
                               Clipboard& clipboard, Scheduler& scheduler,
                               DesktopIntegration* integration, SessionKind session,
                               QuillstackTray* tray, QWidget* parent)
    : QWidget(parent),
      m_settings(settings),
      m_chordDetector(chordDetector),
      m_wizard(new OnboardingWizard(settings, clipboard, scheduler, this)),
      m_session(session) {
    m_integration = integration;
    m_tray = tray;
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, kBottomPadding);
    outer->setSpacing(0);
    auto* body = new QWidget;
    body->setFixedSize(kColumnWidth, kColumnHeight);
    outer->addWidget(body, 0, Qt::AlignHCenter | Qt::AlignTop);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_pages = new QStackedWidget;
    for (int step = 0; step < OnboardingWizard::totalSteps; ++step) {
        QWidget* built = buildPage(step);
        built->setObjectName(QStringLiteral("page%1").arg(step));
        // A screen reader names a page by its title, the first text on it.
        for (const QLabel* label : built->findChildren<QLabel*>()) {
            if (!label->text().isEmpty()) {
                built->setAccessibleName(label->text());
                break;
            }
        }
        m_pages->addWidget(built);
    }
    layout->addWidget(m_pages, 1);

    m_dots = new StepDots(OnboardingWizard::totalSteps);
    layout->addWidget(m_dots, 0, Qt::AlignHCenter);
    layout->addSpacing(10);
    layout->insertSpacing(layout->indexOf(m_dots), 10);

    auto* nav = new QHBoxLayout;
    nav->setContentsMargins(24, 0, 24, 8);
    nav->setSpacing(12);
    m_back = new QPushButton(tr("Back"));
    m_back->setObjectName(QStringLiteral("backButton"));
    m_back->setAutoDefault(false);
    m_skip = new QPushButton(tr("Skip"));
    m_skip->setObjectName(QStringLiteral("skipButton"));
    m_skip->setFlat(true);
    m_skip->setAutoDefault(false);
    QPalette skipPalette = m_skip->palette();
    skipPalette.setColor(QPalette::ButtonText, secondaryColour(skipPalette));
    m_skip->setPalette(skipPalette);
    m_next = new QPushButton;
    m_next->setObjectName(QStringLiteral("nextButton"));
    makeProminent(m_next);
    nav->addWidget(m_back);
    nav->addStretch(1);
    nav->addWidget(m_skip);
    nav->addWidget(m_next);
    layout->addLayout(nav);

    connect(m_back, &QPushButton::clicked, m_wizard, &OnboardingWizard::goBack);
    connect(m_skip, &QPushButton::clicked, m_wizard, &OnboardingWizard::skip);
    connect(m_next, &QPushButton::clicked, m_wizard, &OnboardingWizard::goNextOrFinish);
    connect(m_wizard, &OnboardingWizard::stepChanged, this,
            [this](int step) { showStep(step, true); });
    connect(m_wizard, &OnboardingWizard::copiedChanged, this, &OnboardingView::updateCopied);
    connect(m_wizard, &OnboardingWizard::pasteFieldsChanged, this,
            &OnboardingView::updatePasteFields);
    connect(&chordDetector, &ChordDetector::isInputInjectionAllowedChanged, this,
            &OnboardingView::updateTrust);
    if (m_integration != nullptr) {
        connect(m_integration, &DesktopIntegration::missingChanged, this,
                [this] { updateTrust(m_chordDetector.isInputInjectionAllowed()); });
    }

    updateTrust(chordDetector.isInputInjectionAllowed());
    updateCopied();
    updatePasteFields();
    showStep(m_wizard->step(), false);
}

OnboardingView::~OnboardingView() = default;

void OnboardingView::setStartAtLogin(bool on) {
    m_startAtLogin->setChecked(on);
    m_wizard->setStartAtLogin(on);
}

QWidget* OnboardingView::buildPage(int step) {
    const QString chord = m_settings.chordDisplayString();
    QWidget* built = nullptr;
    switch (step) {
        case 1:
            return buildUniversalAccessPage();
        case 2:
            built = page(16);
            addHeader(built, kHandPoint, tr("How it works"));
            addListBlock(
                built,
                {{kDocOnClipboard, tr("Copy as usual — Ctrl+C. Text goes to history.")},
                 {kKeyboard,
                  tr("Paste from history: %1 — opens list of recent copies.").arg(chord)},
                 {kHandPoint, tr("Enter or double-click — paste the selected item into the window "
                                 "you were in.")},
                 {kMagnifier,
                  tr("Type while the list is open to filter it — only matching items stay.")},
                 {kPin, tr("Ctrl+P or the pin — keeps an item at the top, saved on disk across "
                           "restarts.")}},
                12, 20);
            return built;
        case 3:
            built = page(16);
            addHeader(built, kListBullet, tr("How to select"));
            addListBlock(
                built,
                {{kArrowUpDown, tr("↑ ↓ — select item in list.")},
                 {kHandPoint, tr("Enter or double-click — paste into the window you were in. The "
                                 "shortcut again or Esc — close without pasting.")},
                 {kDocOnClipboard, tr("Shift+Enter — paste the text alone, without formatting.")},
                 {kXmarkCircle, tr("Delete or × to remove from history.")}},
                10, 16);
            return built;
        case 4:
            built = page(16);
            addHeader(built, kTrayArrowDown, tr("Menu and settings"));
            addListBlock(built,
                         {{kStack, tr("Click the tray icon — history, settings, quit.")},
                          {kPause, tr("Pause recording from the tray icon — nothing copied is kept "
                                      "until you resume.")},
                          {kGear, tr("In settings: autostart, shortcut, history size, and "
                                     "applications whose copies are never recorded.")}},
                         10, 16);
            addWayInNotice(built);
            return built;
        case OnboardingWizard::copyTrainingStep:
            return buildCopyTrainingPage();
        case OnboardingWizard::pasteTrainingStep:
            return buildPasteTrainingPage();
        default:
            return buildWelcomePage();
    }
}

QWidget* OnboardingView::buildWelcomePage() {
    QWidget* built = page(16);
    // Our own icon: the stack it shows is what the welcome symbol stands for.
    column(built)->addWidget(
        padded(symbolLabel(kStack, kWelcomeSymbolSide, QColor(), built), 0, 24, 0, 0));
    column(built)->addWidget(makeLabel(tr("Quillstack"), TextStyle::Title2, Tone::Primary, true));
    column(built)->addWidget(
        makeLabel(tr("Clipboard for the Linux desktop"), TextStyle::Subheadline, Tone::Secondary));
    column(built)->addWidget(
        padded(makeLabel(tr("Stores copy history and lets you paste any item with one shortcut."),
                         TextStyle::Callout, Tone::Secondary),
               20, 8, 20, 0));
    return built;
}

QWidget* OnboardingView::buildUniversalAccessPage() {
    QWidget* built = page(16);
    addHeader(built, kAccessibility, tr("Pasting into other apps"));
    // How this session lets us paste, or what to do where it does not; the text follows the
    // trust. No setting grants either, so no button is offered.
    m_pasteRoute = makeLabel(QString(), TextStyle::Caption, Tone::Secondary);
    m_pasteRoute->setObjectName(QStringLiteral("pasteRoute"));
    column(built)->addWidget(padded(m_pasteRoute, 16, 0, 16, 0));

    m_trustedRow = new QWidget;
    m_trustedRow->setObjectName(QStringLiteral("trustedRow"));
    auto* trusted = new QHBoxLayout(m_trustedRow);
    trusted->setContentsMargins(0, 0, 0, 0);
    trusted->setSpacing(6);
    trusted->addStretch(1);
    QLabel* text =
        makeLabel(tr("Ready to paste into other apps."), TextStyle::Caption, Tone::Success);
    text->setWordWrap(false);
    const int side = QFontMetrics(text->font()).height();
    trusted->addWidget(symbolLabel(kCheckmark, side, successColour(), built));
    trusted->addWidget(text);
    trusted->addStretch(1);
    column(built)->addWidget(m_trustedRow);
    if (m_integration != nullptr) {
        column(built)->addWidget(
            padded(new IntegrationNotice(*m_integration, built), 16, 0, 16, 0));
    }
    column(built)->addSpacing(8);
    return built;
}

QWidget* OnboardingView::buildCopyTrainingPage() {
    QWidget* built = page(16);
    column(built)->addWidget(
        padded(makeLabel(tr("Step 1: Copy"), TextStyle::Title3, Tone::Primary, true), 0, 20, 0, 0));
    column(built)->addWidget(
        padded(makeLabel(tr("Copy both texts — by selection (Ctrl+C) or by the Copy button. When "
                            "copied, the block will turn green."),
                         TextStyle::Caption, Tone::Secondary),
               16, 0, 16, 0));
    auto* blocks = new QWidget;
    auto* layout = new QVBoxLayout(blocks);
    layout->setContentsMargins(20, 8, 20, 0);
    layout->setSpacing(12);
    layout->addWidget(buildCopyableBlock(1));
    layout->addWidget(buildCopyableBlock(2));
    column(built)->addWidget(blocks);
    m_bothCopied = makeLabel(tr("Both copied. Click Next."), TextStyle::Caption, Tone::Success);
    m_bothCopied->setObjectName(QStringLiteral("bothCopied"));
    column(built)->addWidget(m_bothCopied);
    return built;
}

QWidget* OnboardingView::buildCopyableBlock(int sample) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);

    const QString text =
        sample == 1 ? OnboardingWizard::trainingText1() : OnboardingWizard::trainingText2();
    auto* label = new QLabel(text);
    label->setObjectName(QStringLiteral("sample%1").arg(sample));
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    label->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    label->setMinimumHeight(26);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    auto* box = new RoundedBox(label);
    m_sampleBoxes[sample - 1] = box;
    layout->addWidget(box, 1);

    auto* copy = new QToolButton;
    copy->setObjectName(QStringLiteral("copyButton%1").arg(sample));
    copy->setFixedSize(kCopyButtonSide, kCopyButtonSide);
    copy->setIcon(QIcon(symbol(QString::fromLatin1(kDocOnClipboard.themeName),
                               QString::fromLatin1(kDocOnClipboard.fallback),
                               palette().color(QPalette::ButtonText), 14, devicePixelRatioF())));
    copy->setIconSize(QSize(14, 14));
    copy->setAccessibleName(tr("Copy"));
    copy->setToolTip(tr("Copy"));
    m_copyButtons[sample - 1] = copy;
    connect(copy, &QToolButton::clicked, m_wizard,
            [this, sample] { m_wizard->copySample(sample); });
    layout->addWidget(copy);
    return row;
}

QWidget* OnboardingView::buildPasteTrainingPage() {
    // The last page holds the most: the two fields, the two choices and, without a tray, the
    // way in, each line whole in every language.
    QWidget* built = page(6);
    column(built)->addWidget(
        padded(makeLabel(tr("Step 2: Paste from history"), TextStyle::Title3, Tone::Primary, true),
               0, 20, 0, 0));
    column(built)->addWidget(padded(makeLabel(tr("Paste “Text 1” into field 1 and “Text 2” into "
                                                 "field 2. Use %1 to choose from the list.")
                                                  .arg(m_settings.chordDisplayString()),
                                              TextStyle::Caption, Tone::Secondary),
                                    12, 0, 12, 0));
    column(built)->addWidget(buildPasteFieldBlock(1));
    column(built)->addWidget(buildPasteFieldBlock(2));

    m_correctRow = new QWidget;
    m_correctRow->setObjectName(QStringLiteral("correctRow"));
    auto* row = new QHBoxLayout(m_correctRow);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    row->addStretch(1);
    QLabel* text = makeLabel(tr("Correct! Click Done."), TextStyle::Caption, Tone::Success);
    text->setWordWrap(false);
    row->addWidget(
        symbolLabel(kCheckmark, QFontMetrics(text->font()).height(), successColour(), built));
    row->addWidget(text);
    row->addStretch(1);
    column(built)->addWidget(m_correctRow);
    // Asked here, as the guide ends: nothing starts at login without this yes.
    m_startAtLogin = new QCheckBox(tr("Start Quillstack when you log in"));
    m_startAtLogin->setObjectName(QStringLiteral("startAtLogin"));
    m_startAtLogin->setChecked(m_wizard->startAtLogin());
    connect(m_startAtLogin, &QCheckBox::toggled, m_wizard, &OnboardingWizard::setStartAtLogin);
    column(built)->addWidget(padded(m_startAtLogin, 20, 4, 20, 0));
    // And what is kept once the guide is done.
    column(built)->addWidget(padded(KeepHistoryChoice::toggle(m_settings, built), 20, 0, 20, 0));
    column(built)->addWidget(padded(makeLabel(KeepHistoryChoice::place(), TextStyle::Caption2,
                                              Tone::Tertiary, false, Qt::AlignLeft),
                                    20, 0, 20, 0));
    addWayInNotice(built);
    return built;
}

// Where the desktop shows no tray icon, the pages that point at it say what else leads in.
void OnboardingView::addWayInNotice(QWidget* built) {
    if (m_tray == nullptr) {
        return;
    }
    auto* notice = new WayInNotice(*m_tray);
    notice->setFont(styledFont(notice->font(), TextStyle::Caption));
    column(built)->addWidget(padded(notice, 16, 8, 16, 0));
}

QWidget* OnboardingView::buildPasteFieldBlock(int field) {
    auto* block = new QWidget;
    auto* layout = new QVBoxLayout(block);
    layout->setContentsMargins(20, field == 2 ? 4 : 0, 20, 0);
    layout->setSpacing(6);
    QLabel* caption =
        makeLabel(field == 1 ? tr("Field 1 — “Text 1” here") : tr("Field 2 — “Text 2” here"),
                  TextStyle::Caption2, Tone::Tertiary, false, Qt::AlignLeft);
    layout->addWidget(caption);
    auto* edit = new QLineEdit;
    edit->setAccessibleName(caption->text());  // for a screen reader
    edit->setObjectName(QStringLiteral("pasteField%1").arg(field));
    edit->setFrame(false);
    // The box behind draws the field's state; the field itself stays clear.
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, Qt::transparent);
    edit->setPalette(palette);
    m_fields[field - 1] = edit;
    // Done is the page's default button: Return in a field finishes once both are right.
    connect(edit, &QLineEdit::returnPressed, this, [this] {
        if (m_next->isEnabled()) {
            m_next->animateClick();
        }
    });
    auto* box = new RoundedBox(edit);
    m_fieldBoxes[field - 1] = box;
    layout->addWidget(box);
    connect(edit, &QLineEdit::textChanged, m_wizard, [this, field](const QString& text) {
        field == 1 ? m_wizard->setPasteField1(text) : m_wizard->setPasteField2(text);
    });
    return block;
}

void OnboardingView::showStep(int step, bool animated) {
    if (m_fadeAnimation) {
        m_fadeAnimation->stop();
        delete m_fadeAnimation.data();
    }
    for (int i = 0; i < m_pages->count(); ++i) {
        m_pages->widget(i)->setGraphicsEffect(nullptr);
    }
    m_pages->setCurrentIndex(qBound(0, step, m_pages->count() - 1));
    m_dots->setCurrent(step);
    updateButtons();
    if (animated) {
        QWidget* shown = m_pages->currentWidget();
        auto* effect = new QGraphicsOpacityEffect(shown);
        effect->setOpacity(0.0);
        shown->setGraphicsEffect(effect);
        m_fadeAnimation = new QPropertyAnimation(effect, "opacity", this);
        m_fadeAnimation->setDuration(pageTransitionMs);
        m_fadeAnimation->setStartValue(0.0);
        m_fadeAnimation->setEndValue(1.0);
        m_fadeAnimation->setEasingCurve(QEasingCurve::InOutQuad);
        // Drawn straight again once faded in.
        connect(m_fadeAnimation, &QPropertyAnimation::finished, shown,
                [shown] { shown->setGraphicsEffect(nullptr); });
        m_fadeAnimation->start(QAbstractAnimation::DeleteWhenStopped);
    }
    focusForStep(step);
}

void OnboardingView::updateButtons() {
    m_back->setVisible(m_wizard->isBackVisible());
    m_skip->setVisible(m_wizard->isSkipVisible());
    m_next->setText(m_wizard->isLastStep() ? tr("Done") : tr("Next"));
    m_next->setEnabled(m_wizard->isNextEnabled());
    m_next->setDefault(m_wizard->isLastStep());
}

void OnboardingView::updateTrust(bool trusted) {
    const bool wayland = m_session != SessionKind::X11;
    // On GNOME the Shell extension types the paste; without it only X11 windows get it, which
    // the integration notice below says.
    const bool shell = m_integration != nullptr && !m_integration->isMissing();
    if (trusted && shell) {
        m_pasteRoute->setText(
            tr("Quillstack pastes the selected item into other apps by typing Ctrl+V through its "
               "GNOME Shell extension."));
    } else if (trusted) {
        m_pasteRoute->setText(wayland
                                  ? tr("Quillstack pastes the selected item into other apps by "
                                       "typing Ctrl+V through the compositor's virtual keyboard.")
                                  : tr("Choose an item and Quillstack pastes it into the window "
                                       "you were in. If a program ignores the paste, the item is "
                                       "still on the clipboard: press Ctrl+V there."));
    } else {
        m_pasteRoute->setText(SettingsView::pasteUnavailableAdvice(m_session));
    }
    m_trustedRow->setVisible(trusted);
}

void OnboardingView::updateCopied() {
    m_sampleBoxes[0]->setHighlighted(m_wizard->text1Copied());
    m_sampleBoxes[1]->setHighlighted(m_wizard->text2Copied());
    const bool both = m_wizard->text1Copied() && m_wizard->text2Copied();
    m_bothCopied->setVisible(both);
    const bool wasEnabled = m_next->isEnabled();
    updateButtons();
    // A keyboard user who copied with the buttons goes on with Space.
    QWidget* focused = focusWidget();
    if (!wasEnabled && m_next->isEnabled() &&
        (focused == nullptr || focused == m_copyButtons[0] || focused == m_copyButtons[1])) {
        m_next->setFocus();
    }
}

void OnboardingView::updatePasteFields() {
    m_fieldBoxes[0]->setHighlighted(m_wizard->isField1Correct());
    m_fieldBoxes[1]->setHighlighted(m_wizard->isField2Correct());
    m_correctRow->setVisible(m_wizard->isField1Correct() && m_wizard->isField2Correct());
    updateButtons();
}

void OnboardingView::focusForStep(int step) {
    if (step == OnboardingWizard::copyTrainingStep && !m_next->isEnabled()) {
        m_copyButtons[0]->setFocus();
    } else if (step == OnboardingWizard::pasteTrainingStep) {
        m_fields[0]->setFocus();
    } else {
        m_next->setFocus();
    }
}

void OnboardingView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // A hidden widget cannot take the focus; the window's first control would have it.
    focusForStep(m_wizard->step());
    m_wizard->resumeCopyCheck();
}

void OnboardingView::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    m_wizard->pauseCopyCheck();
}
