// SPDX-License-Identifier: MIT
#include "platform/freedesktop/XdgFolders.h"

#include <QDir>
#include <QFile>

namespace {

QString absoluteFromEnv(const char* name) {
    const QString value = QFile::decodeName(qgetenv(name));
    return QDir::isAbsolutePath(value) ? value : QString();
}

QString orHome(QString value, const char* fallback) {
    return value.isEmpty() ? QDir::homePath() + QLatin1StringView(fallback) : value;
}

}  // namespace

namespace XdgFolders {

QString configHome() {
    return orHome(absoluteFromEnv("XDG_CONFIG_HOME"), "/.config");
}

QString cacheHome() {
    return orHome(absoluteFromEnv("XDG_CACHE_HOME"), "/.cache");
}

QString dataHome() {
    return orHome(absoluteFromEnv("XDG_DATA_HOME"), "/.local/share");
}

QStringList configDirs() {
    QStringList dirs = QFile::decodeName(qgetenv("XDG_CONFIG_DIRS")).split(u':');
    dirs.removeIf([](const QString& dir) { return !QDir::isAbsolutePath(dir); });
    return dirs.isEmpty() ? QStringList{QStringLiteral("/etc/xdg")} : dirs;
}

QString runtimeDir() {
    const QString value = absoluteFromEnv("XDG_RUNTIME_DIR");
    return value.isEmpty() ? value : QDir::cleanPath(value);
}

}  // namespace XdgFolders
