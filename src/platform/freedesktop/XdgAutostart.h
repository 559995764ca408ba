// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

#include "platform/Autostart.h"

// Start at login through an XDG autostart entry, <config dir>/autostart/quillstack.desktop. A
// package may ship one under a system folder (/etc/xdg/autostart); the user's file decides.
class XdgAutostart final : public Autostart {
  public:
    // configDir: usually XdgFolders::configHome(). execPath: the running binary, absolute.
    // systemConfigDirs: $XDG_CONFIG_DIRS, where a packaged entry may be. buildTree: the program
    // runs from its build folder.
    XdgAutostart(QString configDir, QString execPath, QStringList systemConfigDirs = {},
                 bool buildTree = false);

    bool registerApp() override;
    // Removes our entry; a packaged one left in force is hidden by a file of ours.
    bool unregisterApp() override;
    bool isRegistered() const override;
    bool offeredAtFirstStart() const override { return !m_buildTree; }

    QString entryPath() const;
    // One argument of an Exec line, quoted and escaped so that a launcher runs exactly it.
    static QString execArgument(const QString& argument);

  private:
    QString m_configDir;
    QString m_execPath;
    QStringList m_systemConfigDirs;
    bool m_buildTree;
};
