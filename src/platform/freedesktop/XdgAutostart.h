#pragma once

#include <QString>

#include "platform/LoginItems.h"

// Start at login through an XDG autostart entry, <config dir>/autostart/quillstack.desktop.
class XdgAutostart final : public LoginItems {
  public:
    // configDir: usually XdgFolders::configHome(). execPath: the running binary, absolute.
    XdgAutostart(QString configDir, QString execPath);

    bool registerApp() override;
    bool unregisterApp() override;

    QString entryPath() const;
    // One argument of an Exec line, quoted and escaped so that a launcher runs exactly it.
    static QString execArgument(const QString& argument);

  private:
    QString m_configDir;
    QString m_execPath;
};
