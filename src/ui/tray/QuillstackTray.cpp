// SPDX-License-Identifier: MIT
#include "ui/tray/QuillstackTray.h"

#include <QAction>
#include <QCursor>
#include <QIcon>
#include <QMenu>
#include <QSystemTrayIcon>

#include "core/AppLogger.h"
#include "platform/StatusIndicator.h"
#include "settings/AppSettings.h"
#include "ui/tray/TrayPanel.h"
#include "ui/tray/TrayPanelView.h"

QUILLSTACK_DEFINE_COMPONENT_LOG

// At global scope: the resource initialiser is declared where the macro is used. A static
// library's resources are only linked in when referenced.
static void initIconResources() {
    Q_INIT_RESOURCE(icons);
}

QuillstackTray::QuillstackTray(AppSettings& settings, StatusIndicator* indicator, QObject* parent)
    : QObject(parent),
      m_settings(settings),
      m_indicator(indicator),
      m_menu(new QMenu),
      m_icon(new QSystemTrayIcon(this)),
      m_panel(std::make_unique<TrayPanel>(settings)) {
    initIconResources();
    m_historyWindowAction = m_menu->addAction(QString());
    m_settingsAction = m_menu->addAction(QString());
    m_pauseAction = m_menu->addAction(QString());
    m_restartOnboardingAction = m_menu->addAction(QString());
    m_menu->addSeparator();
    m_quitAction = m_menu->addAction(QString());
    connect(m_historyWindowAction, &QAction::triggered, this,
            &QuillstackTray::historyWindowRequested);
    connect(m_settingsAction, &QAction::triggered, this, &QuillstackTray::settingsRequested);
    connect(m_pauseAction, &QAction::triggered, this, &QuillstackTray::pauseToggleRequested);
    connect(m_restartOnboardingAction, &QAction::triggered, this,
            &QuillstackTray::restartOnboardingRequested);
    connect(m_quitAction, &QAction::triggered, this, &QuillstackTray::quitRequested);
    // The ids the indicator's rows carry.
    m_historyWindowAction->setObjectName(QStringLiteral("history"));
    m_settingsAction->setObjectName(QStringLiteral("settings"));
    m_pauseAction->setObjectName(QStringLiteral("pause"));
    m_restartOnboardingAction->setObjectName(QStringLiteral("guide"));
    m_quitAction->setObjectName(QStringLiteral("quit"));
    if (m_indicator != nullptr) {
        connect(m_indicator, &StatusIndicator::rowActivated, this, [this](const QString& id) {
            for (QAction* action : m_menu->actions()) {
                if (!action->isSeparator() && action->objectName() == id) {
                    action->trigger();
                    return;
                }
            }
        });
        connect(m_indicator, &StatusIndicator::shownChanged, this,
                &QuillstackTray::visibilityChanged);
    }

    TrayPanel* panel = m_panel.get();
    connect(panel, &TrayPanel::historyWindowRequested, this,
            &QuillstackTray::historyWindowRequested);
    connect(panel, &TrayPanel::settingsRequested, this, &QuillstackTray::settingsRequested);
    connect(panel, &TrayPanel::pauseToggleRequested, this, &QuillstackTray::pauseToggleRequested);
    connect(panel, &TrayPanel::restartOnboardingRequested, this,
            &QuillstackTray::restartOnboardingRequested);
    connect(panel, &TrayPanel::quitRequested, this, &QuillstackTray::quitRequested);

    updateIcon();
    m_icon->setContextMenu(m_menu);
    connect(m_icon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger) {
                    togglePanel();
                }
            });
    connect(&settings, &AppSettings::preferredLanguageChanged, this, &QuillstackTray::retranslate);
    connect(&settings, &AppSettings::chordAssigned, this, &QuillstackTray::updateToolTip);
    retranslate();
}

// The menu and the panel have no parent widget, so they are ours to delete.
QuillstackTray::~QuillstackTray() {
    m_icon->setContextMenu(nullptr);
    delete m_menu;
}

void QuillstackTray::setup() {
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        // Qt still shows the icon once a tray host appears later in the session.
        log(QStringLiteral(
            "QuillstackTray: no system tray (no StatusNotifierWatcher on the session bus and no "
            "_NET_SYSTEM_TRAY owner); running without an icon, the chord still works"));
    }
    m_icon->show();
    log(QStringLiteral("QuillstackTray: icon requested"));
}

QRect QuillstackTray::panelAnchor() const {
    // A StatusNotifierItem host does not say where the icon is; the pointer that clicked it
    // is next to it.
    const QRect icon = m_icon->geometry();
    return icon.isValid() && !icon.isEmpty() ? icon : QRect(QCursor::pos(), QSize(1, 1));
}

void QuillstackTray::togglePanel() {
    m_panel->toggle(panelAnchor());
}

bool QuillstackTray::isVisible() const {
    return QSystemTrayIcon::isSystemTrayAvailable() ||
           (m_indicator != nullptr && m_indicator->isShown());
}

// The menu's rows as they read now, in the menu's order.
void QuillstackTray::offerIndicator() {
    if (m_indicator == nullptr) {
        return;
    }
    QList<StatusIndicator::Row> rows;
    for (const QAction* action : m_menu->actions()) {
        rows.append(action->isSeparator()
                        ? StatusIndicator::Row{}
                        : StatusIndicator::Row{action->objectName(), action->text()});
    }
    m_indicator->offer(rows, m_paused);
}

void QuillstackTray::setRecordingPaused(bool paused) {
    m_paused = paused;
    m_panel->setRecordingPaused(paused);
    updateIcon();
    retranslate();
}

void QuillstackTray::updateIcon() {
    // Monochrome, so that it reads on light and dark panels; a theme may recolour its own copy.
    const QString name = m_paused ? QStringLiteral("quillstack-paused-symbolic")
                                  : QStringLiteral("quillstack-symbolic");
    m_icon->setIcon(QIcon::fromTheme(name, QIcon(QStringLiteral(":/icons/%1.svg").arg(name))));
}

void QuillstackTray::retranslate() {
    m_historyWindowAction->setText(tr("History"));
    m_settingsAction->setText(tr("Settings…"));
    m_pauseAction->setText(TrayPanelView::pauseRowText(m_paused));
    m_restartOnboardingAction->setText(tr("Welcome guide"));
    m_quitAction->setText(tr("Quit"));
    updateToolTip();
    offerIndicator();
}

void QuillstackTray::updateToolTip() {
    m_icon->setToolTip(tr("Quillstack") + u'\n' +
                       (m_paused ? tr("Recording paused: copies are not kept")
                                 : TrayPanelView::reminderText(m_settings)));
}
