// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

// The user's base folders as the XDG base directory rules name them. A variable that is unset,
// empty or relative is ignored, as the rules ask.
namespace XdgFolders {
// $XDG_CONFIG_HOME, else ~/.config.
QString configHome();
// $XDG_CACHE_HOME, else ~/.cache.
QString cacheHome();
// $XDG_DATA_HOME, else ~/.local/share.
QString dataHome();
// $XDG_CONFIG_DIRS, its absolute entries in order; /etc/xdg when it names none.
QStringList configDirs();
// $XDG_RUNTIME_DIR, cleaned; empty when there is none, for the rules give it no default.
QString runtimeDir();
}  // namespace XdgFolders
