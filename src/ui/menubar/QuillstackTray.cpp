#include "ui/menubar/QuillstackTray.h"

#include <QAction>
#include <QIcon>
#include <QMenu>
#include <QSystemTrayIcon>

#include "core/AppLogger.h"
#include "settings/AppSettings.h"
#include "settings/L10n.h"

QUILLSTACK_DEFINE_COMPONENT_LOG

// At global scope: the resource initialiser is declared where the macro is used. A static
// library's resources are only linked in when referenced.
static void initIconResources() {
    Q_INIT_RESOURCE(icons);
}

QuillstackTray::QuillstackTray(AppSettings& settings, QObject* parent)
    : QObject(parent), m_menu(new QMenu), m_icon(new QSystemTrayIcon(this)) {
    initIconResources();
    m_quitAction = m_menu->addAction(QString());
    connect(m_quitAction, &QAction::triggered, this, &QuillstackTray::quitRequested);
    m_icon->setIcon(QIcon(QStringLiteral(":/icons/quillstack.svg")));
    m_icon->setContextMenu(m_menu);
    connect(&settings, &AppSettings::preferredLanguageChanged, this, &QuillstackTray::retranslate);
    retranslate();
}

// The menu has no parent widget, so it is ours to delete.
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

void QuillstackTray::retranslate() {
    m_icon->setToolTip(L10n::string(QStringLiteral("Quillstack")));
    m_quitAction->setText(L10n::string(QStringLiteral("Quit")));
}
