// SPDX-License-Identifier: MIT
#include "platform/freedesktop/DesktopShortcutSettings.h"

#include <QProcess>
#include <QStandardPaths>

QList<QStringList> DesktopShortcutSettings::candidates(const QString& currentDesktop) {
    const QStringList desktops = currentDesktop.toLower().split(u':', Qt::SkipEmptyParts);
    for (const QString& raw : desktops) {
        const QString desktop = raw.trimmed();
        if (desktop == u"gnome" || desktop == u"unity" || desktop == u"budgie" ||
            desktop == u"pop") {
            return {{QStringLiteral("gnome-control-center"), QStringLiteral("keyboard")}};
        }
        if (desktop == u"kde") {
            // Plasma 6 names it systemsettings again, Plasma 5 systemsettings5.
            return {{QStringLiteral("systemsettings"), QStringLiteral("kcm_keys")},
                    {QStringLiteral("systemsettings5"), QStringLiteral("kcm_keys")}};
        }
        if (desktop == u"xfce") {
            return {{QStringLiteral("xfce4-keyboard-settings")}};
        }
        if (desktop == u"x-cinnamon" || desktop == u"cinnamon") {
            return {{QStringLiteral("cinnamon-settings"), QStringLiteral("keyboard")}};
        }
        if (desktop == u"mate") {
            return {{QStringLiteral("mate-keybinding-properties")}};
        }
    }
    return {};
}

QStringList DesktopShortcutSettings::command(const QString& currentDesktop,
                                             const ProgramExists& exists) {
    for (const QStringList& candidate : candidates(currentDesktop)) {
        if (exists(candidate.first())) {
            return candidate;
        }
    }
    return {};
}

std::function<void()> DesktopShortcutSettings::opener() {
    QStringList found = command(QString::fromLocal8Bit(qgetenv("XDG_CURRENT_DESKTOP")), &isInPath);
    if (found.isEmpty()) {
        return {};
    }
    const QString program = found.takeFirst();
    return [program, arguments = found] { QProcess::startDetached(program, arguments); };
}

bool DesktopShortcutSettings::isInPath(const QString& program) {
    return !QStandardPaths::findExecutable(program).isEmpty();
}
