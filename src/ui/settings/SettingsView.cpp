// SPDX-License-Identifier: MIT
#include "ui/settings/SettingsView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QDir>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QStringListModel>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>

#include "chord/ChordDetector.h"
#include "settings/AppSettings.h"
#include "ui/common/IntegrationNotice.h"
#include "ui/common/KeepHistoryChoice.h"
#include "ui/settings/ChordRecorderView.h"

namespace {

constexpr int kMinimumWidth = 400;
constexpr int kMinimumHeight = 320;
const QColor kOrange(0xFF, 0x95, 0x00);
const QColor kRed(0xFF, 0x3B, 0x30);

QColor withAlpha(QColor colour, float alpha) {
    colour.setAlphaF(alpha);
    return colour;
}

void setTextColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

// Secondary text: the text colour at 60 %.
void makeSecondary(QLabel* label) {
    setTextColour(label, QPalette::WindowText,
                  withAlpha(label->palette().color(QPalette::WindowText), 0.6f));
}

// A caption: about 0.85 of the system font, wrapped.
QLabel* caption(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * 0.85);
    label->setFont(font);
    label->setWordWrap(true);
    makeSecondary(label);
    return label;
}

QGroupBox* section(const QString& title, QWidget* parent) {
    return new QGroupBox(title, parent);
}

}  // namespace

SettingsView::SettingsView(AppSettings& settings, ChordDetector& chordDetector,
                           std::function<void()> openShortcutSettings, std::function<void()> quit,
                           SessionKind session, DesktopIntegration* integration,
                           std::function<QStringList()> openWindowClasses, QWidget* parent)
    : QWidget(parent),
      m_settings(settings),
      m_chordDetector(chordDetector),
      m_openShortcutSettings(std::move(openShortcutSettings)),
      m_quitApplication(std::move(quit)),
      m_session(session),
      m_integration(integration),
      m_openWindowClasses(std::move(openWindowClasses)) {
    m_form = new QWidget;
    auto* sections = new QVBoxLayout(m_form);
    if (const QString file = m_settings.unreadableSettingsFile(); !file.isEmpty()) {
        auto* unreadable = new QLabel(
            tr("%1 cannot be read: these settings are the defaults, and changes cannot be saved.")
                .arg(QDir::toNativeSeparators(file)),
            m_form);
        unreadable->setObjectName(QStringLiteral("unreadableSettings"));
        unreadable->setWordWrap(true);
        unreadable->setTextInteractionFlags(Qt::TextSelectableByMouse);
        sections->addWidget(unreadable);
    }
    sections->addWidget(languageSection());
    sections->addWidget(autostartSection());
    sections->addWidget(chordSection());
    sections->addWidget(clipboardSection());
    sections->addWidget(ignoredSection());
    sections->addWidget(quitSection());
    sections->addStretch(1);

    // The form scrolls when the window is smaller than it.
    m_scroll = new QScrollArea(this);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidgetResizable(true);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setWidget(m_form);
    // A text that grows (the recorder's refusal, a longer button) asks for a new layout: the
    // window follows it before it is drawn cut.
    m_form->installEventFilter(this);
    m_recorder->installEventFilter(this);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_scroll);

    connect(&m_settings, &AppSettings::launchAtLoginChanged, this,
            &SettingsView::showLaunchAtLogin);
    connect(&m_settings, &AppSettings::historySizeAssigned, this, &SettingsView::showHistorySize);
    connect(&m_settings, &AppSettings::autoDeleteMinutesAssigned, this,
            &SettingsView::showAutoDelete);
    connect(&m_chordDetector, &ChordDetector::isInputInjectionAllowedChanged, this,
            &SettingsView::showWarning);
    connect(&m_chordDetector, &ChordDetector::isGlobalChordAvailableChanged, this,
            &SettingsView::showWarning);
    connect(&m_chordDetector, &ChordDetector::isChordTakenByAnotherProgramChanged, this,
            &SettingsView::showWarning);
    // The advice on binding the chord names it.
    connect(&m_settings, &AppSettings::chordAssigned, this, &SettingsView::showWarning);
    showLaunchAtLogin();
    showHistorySize();
    showAutoDelete();
    showWarning();
    connect(&m_settings, &AppSettings::ignoredApplicationsChanged, this,
            &SettingsView::showIgnored);
    showIgnored();
}

SettingsView::~SettingsView() {
    // A lower limit still waiting is what the user chose last.
    if (m_historySizeSettle->isActive()) {
        m_historySizeSettle->stop();
        disconnect(&m_settings, nullptr, this, nullptr);
        m_settings.setHistorySize(m_historySize->value());
    }
    // Ending a recording brings the detection back, and its flags to this view: while the view
    // is still whole, not from the recorder's own destruction among the children.
    m_recorder->stop();
}

QSize SettingsView::minimumSizeHint() const {
    // Room for the form beside the scroll bar too: a window too short for the form shows the
    // bar, which would otherwise take its width from the form and cut every row's right end.
    const int width =
        m_form->minimumSizeHint().width() + m_scroll->verticalScrollBar()->sizeHint().width();
    return {std::max(width, kMinimumWidth), kMinimumHeight};
}

int SettingsView::formNeed(bool besideBar) const {
    // As the scroll area judges it: the form at the view's width must fit in the room it has
    // without bars, or a bar shows, or one that shows stays.
    const QSize room = m_scroll->maximumViewportSize();
    const int width =
        room.width() - (besideBar ? m_scroll->verticalScrollBar()->sizeHint().width() : 0);
    const int need =
        m_form->hasHeightForWidth() ? m_form->heightForWidth(width) : m_form->sizeHint().height();
    return need - room.height();
}

void SettingsView::followForm() {
    m_followPending = false;
    updateGeometry();
    QWidget* top = window();
    if (top == this || !top->isVisible()) {
        return;
    }
    // The minimum width follows at once (the window's layout raises it). The height grows by
    // what the form needs more than the window shows at its width now, as far as the screen
    // allows (moving up where the room below is short), and gives what it grew back once the
    // form needs it no longer.
    top->layout()->activate();
    // Grown to fit beside a bar, the form fits whether the bar shows or goes.
    const int need = formNeed(false);
    int change =
        need > 0 || m_scroll->verticalScrollBar()->isVisible() ? formNeed(true) : std::min(need, 0);
    if (const QScreen* screen = top->screen(); screen != nullptr && change > 0) {
        const QRect room = screen->availableGeometry();
        const QRect frame = top->frameGeometry();
        change = std::min(change, std::max(room.height() - frame.height(), 0));
        if (const int short_ = change - std::max(room.bottom() - frame.bottom(), 0); short_ > 0) {
            top->move(top->x(),
                      std::max(room.top(), frame.top() - short_) + (top->y() - frame.top()));
        }
    }
    change = std::max(change, -m_grown);
    if (change != 0) {
        top->resize(top->width(), top->height() + change);
        m_grown += change;
    }
}

QSize SettingsView::sizeHint() const {
    const QSize form = m_form->sizeHint();
    const int width = std::max(form.width(), kMinimumWidth);
    // Wrapped captions ask for the height they need at a width, not at their own narrow guess.
    // The width is the one a scroll bar would leave: at the full width, a form one wrapped line
    // taller than the window keeps the bar that narrowed it, and the Quit button below. What
    // this asks too much is given back when the window is first shown.
    const int narrowed = width - m_scroll->verticalScrollBar()->sizeHint().width();
    const int height =
        m_form->hasHeightForWidth() ? m_form->heightForWidth(narrowed) : form.height();
    return {width, std::max(height, kMinimumHeight)};
}

void SettingsView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The entry may have been removed or turned off in the desktop's startup settings since.
    m_settings.reconcileLoginItem();
    showLaunchAtLogin();
    QWidget* top = window();
    if (m_fitted || top == this) {
        return;
    }
    m_fitted = true;
    // The wrapped captions ask for more height than they take once laid out; what the form
    // leaves to its closing stretch is given back, once, before the window appears. It is laid
    // out at its own width first: a form not yet resized measures at a hidden widget's default.
    m_form->resize(m_scroll->width(), m_form->height());
    m_form->layout()->activate();
    const int used = m_quit->parentWidget()->geometry().bottom() + 1 +
                     m_form->layout()->contentsMargins().bottom();
    const int spare = m_form->height() - used;
    if (spare > 0) {
        top->resize(top->width(), std::max(top->minimumHeight(), top->height() - spare));
    }
}

QWidget* SettingsView::languageSection() {
    QGroupBox* box = section(tr("Language"), m_form);
    auto* form = new QFormLayout(box);
    m_language = new QComboBox(box);
    m_language->addItem(tr("System"), QStringLiteral("system"));
    // Each language under its own name, whatever the interface language.
    for (const AppSettings::LanguageOption& option : AppSettings::languageOptions()) {
        m_language->addItem(option.name, option.code);
    }
    // A language given on the command line that is not offered selects nothing.
    m_language->setCurrentIndex(m_language->findData(m_settings.preferredLanguage()));
    connect(m_language, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index < 0) {
            return;
        }
        // The change rebuilds this very view: it must not happen inside the picker's signal.
        AppSettings* settings = &m_settings;
        const QString code = m_language->itemData(index).toString();
        QMetaObject::invokeMethod(
            settings, [settings, code] { settings->setPreferredLanguage(code); },
            Qt::QueuedConnection);
    });
    form->addRow(tr("Language"), m_language);
    return box;
}

QWidget* SettingsView::autostartSection() {
    QGroupBox* box = section(tr("Autostart"), m_form);
    auto* form = new QFormLayout(box);
    m_launchAtLogin = new QCheckBox(tr("Launch at login"), box);
    connect(m_launchAtLogin, &QCheckBox::toggled, this,
            [this](bool on) { m_settings.setLaunchAtLogin(on); });
    form->addRow(m_launchAtLogin);
    return box;
}

QWidget* SettingsView::chordSection() {
    QGroupBox* box = section(tr("Paste from history"), m_form);
    auto* form = new QFormLayout(box);
    m_recorder = new ChordRecorderView(m_settings, m_chordDetector, box);
    form->addRow(m_recorder);
    form->addRow(
        caption(tr("In the list: ↑↓ to select, Enter or double-click to paste into the window you "
                   "were in. Press the shortcut again or Esc to close without pasting."),
                box));
    form->addRow(caption(tr("Pasting into password fields may not work: some programs ignore "
                            "simulated keystrokes there for security."),
                         box));

    if (m_integration != nullptr) {
        form->addRow(new IntegrationNotice(*m_integration, box));
    }
    m_warningRow = new QWidget(box);
    auto* warning = new QVBoxLayout(m_warningRow);
    warning->setContentsMargins(0, 0, 0, 0);
    auto* line = new QHBoxLayout;
    auto* icon = new QLabel(m_warningRow);
    const int iconSize = fontMetrics().height();
    icon->setPixmap(QIcon::fromTheme(QStringLiteral("dialog-warning"),
                                     style()->standardIcon(QStyle::SP_MessageBoxWarning))
                        .pixmap(QSize(iconSize, iconSize), devicePixelRatioF()));
    m_warningText = caption(QString(), m_warningRow);
    setTextColour(m_warningText, QPalette::WindowText, kOrange);
    line->addWidget(icon, 0, Qt::AlignTop);
    line->addWidget(m_warningText, 1);
    warning->addLayout(line);
    m_warningButton = new QPushButton(m_warningRow);
    m_warningButton->setAutoDefault(false);
    warning->addWidget(m_warningButton, 0, Qt::AlignLeft);
    connect(m_warningButton, &QPushButton::clicked, this, [this] {
        if (m_openShortcutSettings) {
            m_openShortcutSettings();
        }
    });
    form->addRow(m_warningRow);
    return box;
}

QWidget* SettingsView::clipboardSection() {
    QGroupBox* box = section(tr("History"), m_form);
    auto* form = new QFormLayout(box);

    // Typed or stepped; a click past the wanted value and back loses nothing, since a lower
    // limit, which trims the history, waits until the value has settled.
    m_historySize = new QSpinBox(box);
    m_historySize->setSingleStep(int(historySizeStep));
    m_historySize->setAccelerated(true);
    m_historySizeSettle = new QTimer(this);
    m_historySizeSettle->setSingleShot(true);
    m_historySizeSettle->setInterval(historySizeSettleMs);
    connect(m_historySizeSettle, &QTimer::timeout, this,
            [this] { m_settings.setHistorySize(m_historySize->value()); });
    connect(m_historySize, &QSpinBox::valueChanged, this, &SettingsView::historySizeEdited);
    form->addRow(tr("History size"), m_historySize);

    m_autoDelete = new QComboBox(box);
    for (const AppSettings::AutoDeleteOption& option : AppSettings::autoDeleteOptions()) {
        m_autoDelete->addItem(tr(option.text), option.minutes);
    }
    connect(m_autoDelete, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0) {
            m_settings.setAutoDeleteMinutes(m_autoDelete->itemData(index).toLongLong());
        }
    });
    form->addRow(tr("Auto-delete after"), m_autoDelete);
    m_autoDeleteCaption =
        caption(tr("Items older than the selected time will be removed automatically."), box);
    form->addRow(m_autoDeleteCaption);
    m_keepHistory = KeepHistoryChoice::toggle(m_settings, box);
    form->addRow(m_keepHistory);
    form->addRow(caption(KeepHistoryChoice::place(), box));
    return box;
}

QWidget* SettingsView::ignoredSection() {
    QGroupBox* box = section(tr("Ignored applications"), m_form);
    auto* column = new QVBoxLayout(box);
    column->addWidget(caption(
        tr("Copies made while one of these applications is in front are never recorded."), box));
    m_ignored = new QListWidget(box);
    m_ignored->setAccessibleName(box->title());
    m_ignored->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_ignored->setMaximumHeight(m_ignored->fontMetrics().height() * 7);
    column->addWidget(m_ignored);

    auto* row = new QHBoxLayout;
    m_ignoredField = new QLineEdit(box);
    m_ignoredField->setPlaceholderText(tr("Window class or app id"));
    m_ignoredField->setAccessibleName(m_ignoredField->placeholderText());
    // Wide enough for its hint, which says what to type: the window grows where a language needs.
    QStyleOptionFrame frame;
    frame.initFrom(m_ignoredField);
    frame.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, m_ignoredField);
    const QFontMetrics metrics(m_ignoredField->font());
    const QSize hint(metrics.horizontalAdvance(m_ignoredField->placeholderText()) + 8,
                     metrics.height());
    m_ignoredField->setMinimumWidth(
        style()->sizeFromContents(QStyle::CT_LineEdit, &frame, hint, m_ignoredField).width());
    // The open windows' classes, looked up again each time the field is entered.
    m_openClasses = new QStringListModel(this);
    auto* completer = new QCompleter(m_openClasses, m_ignoredField);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setFilterMode(Qt::MatchContains);
    m_ignoredField->setCompleter(completer);
    m_ignoredField->installEventFilter(this);
    auto* add = new QPushButton(tr("Add"), box);
    auto* remove = new QPushButton(tr("Remove"), box);
    for (QPushButton* button : {add, remove}) {
        button->setAutoDefault(false);
    }
    const auto addTyped = [this] {
        const QString name = m_ignoredField->text().trimmed();
        if (!name.isEmpty()) {
            m_settings.setIgnoredApplications(m_settings.ignoredApplications() + QStringList{name});
        }
        m_ignoredField->clear();
    };
    connect(m_ignoredField, &QLineEdit::returnPressed, this, addTyped);
    connect(add, &QPushButton::clicked, this, addTyped);
    connect(remove, &QPushButton::clicked, this, [this] {
        QStringList kept = m_settings.ignoredApplications();
        for (const QListWidgetItem* item : m_ignored->selectedItems()) {
            kept.removeAll(item->text());
        }
        m_settings.setIgnoredApplications(kept);
    });
    row->addWidget(m_ignoredField, 1);
    row->addWidget(add);
    row->addWidget(remove);
    column->addLayout(row);
    return box;
}

bool SettingsView::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == m_form || watched == m_recorder) && event->type() == QEvent::LayoutRequest &&
        m_fitted && !m_followPending) {
        m_followPending = true;
        // After the form's own layout has run.
        QMetaObject::invokeMethod(this, &SettingsView::followForm, Qt::QueuedConnection);
    }
    if (watched == m_ignoredField && event->type() == QEvent::FocusIn && m_openWindowClasses) {
        QStringList classes = m_openWindowClasses();
        classes.sort(Qt::CaseInsensitive);
        m_openClasses->setStringList(classes);
    }
    return QWidget::eventFilter(watched, event);
}

void SettingsView::showIgnored() {
    m_ignored->clear();
    m_ignored->addItems(m_settings.ignoredApplications());
}

QWidget* SettingsView::quitSection() {
    auto* box = new QGroupBox(m_form);
    auto* form = new QFormLayout(box);
    m_quit = new QPushButton(tr("Quit application"), box);
    m_quit->setAutoDefault(false);
    setTextColour(m_quit, QPalette::ButtonText, kRed);
    connect(m_quit, &QPushButton::clicked, this, [this] {
        if (m_quitApplication) {
            m_quitApplication();
        }
    });
    form->addRow(m_quit);
    return box;
}

void SettingsView::showLaunchAtLogin() {
    const QSignalBlocker quiet(m_launchAtLogin);
    m_launchAtLogin->setChecked(m_settings.launchAtLogin());
}

void SettingsView::showHistorySize() {
    const qint64 limit = m_settings.historySize();
    const QSignalBlocker quiet(m_historySize);
    // Shown as stored, even a value edited by hand outside the range.
    m_historySize->setRange(int(std::clamp<qint64>(limit, 0, historySizeMinimum)),
                            int(std::clamp<qint64>(limit, historySizeMaximum, INT_MAX)));
    m_historySize->setValue(int(std::min<qint64>(limit, INT_MAX)));
}

void SettingsView::historySizeEdited(int value) {
    // The assignment trims the history at once when it holds more than the new limit.
    if (value >= m_settings.historySize()) {
        m_historySizeSettle->stop();
        m_settings.setHistorySize(value);
    } else {
        m_historySizeSettle->start();
    }
}

void SettingsView::showAutoDelete() {
    const qint64 minutes = m_settings.autoDeleteMinutes();
    {
        const QSignalBlocker quiet(m_autoDelete);
        // A value edited by hand that is not offered selects nothing.
        m_autoDelete->setCurrentIndex(m_autoDelete->findData(minutes));
    }
    m_autoDeleteCaption->setVisible(minutes > 0);
}

QString SettingsView::pasteUnavailableAdvice(SessionKind session) {
    switch (session) {
        case SessionKind::KdeWayland:
            // KWin reads the entry for each new connection, so no restart is needed.
            return tr(
                "KWin types the paste only for a program whose desktop entry allows it. Install "
                "Quillstack from its package, or start this build with tools/run, which writes "
                "that entry: Quillstack takes it up at once, without a restart. Until then, "
                "choose an item and press Ctrl+V yourself.");
        case SessionKind::Wayland:
            return tr(
                "This desktop lets no program type into other windows: choose an item in the list, "
                "then press Ctrl+V yourself.");
        case SessionKind::X11:
            break;
    }
    return tr(
        "Pasting needs the X server's XTEST extension, which is missing here — the selected item "
        "is only copied; paste it with Ctrl+V.");
}

void SettingsView::showWarning() {
    const bool wayland = m_session != SessionKind::X11;
    if (!m_chordDetector.isInputInjectionAllowed()) {
        m_warning = Warning::PasteUnavailable;
        m_warningText->setText(pasteUnavailableAdvice(m_session));
    } else if (!m_chordDetector.isGlobalChordAvailable()) {
        m_warning = Warning::ChordUnavailable;
        m_warningText->setText(
            wayland
                ? tr("Wayland gives programs no global shortcuts: bind %1 to the command "
                     "“quillstack --toggle-popup” in your desktop's keyboard settings (sway: "
                     "bindsym in its config; KDE Plasma: Shortcuts → Add New → Command; GNOME: "
                     "Keyboard → Custom Shortcuts).")
                      .arg(m_settings.chordDisplayString())
                : tr("The global shortcut is not available. In the desktop's keyboard shortcut "
                     "settings, assign a shortcut to the command “quillstack --toggle-popup”."));
        m_warningButton->setText(tr("Open keyboard shortcut settings"));
    } else if (m_chordDetector.isChordTakenByAnotherProgram()) {
        m_warning = Warning::ChordShared;
        m_warningText->setText(
            tr("Another program also uses this shortcut, so both react to it. Record a different "
               "one, or free it in that program."));
        m_warningButton->setText(tr("Open keyboard shortcut settings"));
    } else {
        m_warning = Warning::None;
    }
    m_warningRow->setVisible(m_warning != Warning::None);
    // Every button opens the desktop's own shortcut settings; where none is known, none shows.
    // No setting adds XTEST or lets a Wayland program type, so nothing is offered for those.
    m_warningButton->setVisible(static_cast<bool>(m_openShortcutSettings) &&
                                m_warning != Warning::PasteUnavailable);
}
