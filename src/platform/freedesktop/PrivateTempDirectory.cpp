// SPDX-License-Identifier: MIT
#include "platform/freedesktop/PrivateTempDirectory.h"

#include "platform/freedesktop/PrivateFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// The session's runtime folder is made by the login manager; we only use it when it is a real
// folder of ours that no one else may write to, and never change its mode.
QString runtimeRootRefusal(const QString& path) {
    if (!QDir::isAbsolutePath(path)) {
        return QStringLiteral(QT_TRANSLATE_NOOP("PrivateFiles", "is not set"));
    }
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0) {
        return QStringLiteral(QT_TRANSLATE_NOOP("PrivateFiles", "cannot be created"));
    }
    if (S_ISLNK(st.st_mode)) {
        return QStringLiteral(QT_TRANSLATE_NOOP("PrivateFiles", "is a symbolic link"));
    }
    if (!S_ISDIR(st.st_mode)) {
        return QStringLiteral(QT_TRANSLATE_NOOP("PrivateFiles", "is not a folder"));
    }
    if (st.st_uid != ::geteuid()) {
        return QStringLiteral(QT_TRANSLATE_NOOP("PrivateFiles", "belongs to another user"));
    }
    return (st.st_mode & (S_IWGRP | S_IWOTH)) != 0
               ? QStringLiteral(QT_TRANSLATE_NOOP("PrivateFiles", "can be changed by other users"))
               : QString();
}

}  // namespace

QString PrivateTempDirectory::defaultRoot() {
    const QString fromEnv = QFile::decodeName(qgetenv("TMPDIR"));
    if (!fromEnv.isEmpty() && QDir::isAbsolutePath(fromEnv)) {
        return QDir::cleanPath(fromEnv);
    }
    return QStringLiteral("/tmp");
}

std::optional<QString> PrivateTempDirectory::privateDirectory(const QString& tmpRoot) {
    const QString root = tmpRoot.isEmpty() ? defaultRoot() : QDir::cleanPath(tmpRoot);
    if (!QDir().mkpath(root)) {
        return std::nullopt;
    }
    const QString path = root + QStringLiteral("/quillstack-") + QString::number(::geteuid());
    if (!PrivateFiles::folderRefusal(path).isEmpty()) {
        return std::nullopt;
    }
    return path;
}

std::optional<QString> PrivateTempDirectory::blobDirectory(const QString& tmpRoot) {
    const std::optional<QString> parent = privateDirectory(tmpRoot);
    return parent ? blobDirectoryIn(*parent) : std::nullopt;
}

std::optional<QString> PrivateTempDirectory::blobDirectoryIn(const QString& folder) {
    const QString path = folder + QLatin1Char('/') + blobFolderName;
    if (!PrivateFiles::folderRefusal(path).isEmpty()) {
        return std::nullopt;
    }
    return path;
}

QString PrivateTempDirectory::displayFolderName(const QString& waylandDisplay,
                                                const QString& x11Display) {
    QString name;
    if (!waylandDisplay.isEmpty()) {
        name = waylandDisplay.section(u'/', -1);
    } else if (!x11Display.isEmpty()) {
        // ":0.1" is screen 1 of display :0, whose clipboard is the display's.
        const qsizetype colon = x11Display.lastIndexOf(u':');
        const qsizetype dot = x11Display.indexOf(u'.', colon);
        name = QStringLiteral("x11") + (dot > colon ? x11Display.left(dot) : x11Display);
    }
    for (QChar& c : name) {
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != u'-' && c != u'_' && c != u'.' &&
            c != u':') {
            c = u'_';
        }
    }
    return name == u"." || name == u".." ? QStringLiteral("_") : name;
}

PrivateTempDirectory::InstanceFolder PrivateTempDirectory::instanceDirectory(
    const QString& xdgRuntimeDir, const QString& tmpRoot, const QString& cacheHome,
    const QString& display) {
    InstanceFolder choice;
    const auto tryFolder = [&choice, &display](QString path, QString refusal) {
        if (!display.isEmpty()) {
            path += QLatin1Char('/') + display;
        }
        if (refusal.isEmpty()) {
            refusal = PrivateFiles::folderRefusal(path);
        }
        if (refusal.isEmpty()) {
            choice.path = path;
        } else {
            choice.refused.append({path, refusal});
        }
        return choice.path.has_value();
    };
    const QString runtime = QDir::isAbsolutePath(xdgRuntimeDir)
                                ? QDir::cleanPath(xdgRuntimeDir) + QStringLiteral("/quillstack")
                                : QStringLiteral("$XDG_RUNTIME_DIR");
    if (tryFolder(runtime, runtimeRootRefusal(xdgRuntimeDir))) {
        return choice;
    }
    const QString root = tmpRoot.isEmpty() ? defaultRoot() : QDir::cleanPath(tmpRoot);
    QDir().mkpath(root);
    if (tryFolder(root + QStringLiteral("/quillstack-") + QString::number(::geteuid()), {})) {
        return choice;
    }
    // Only we can create a folder in our own cache folder, where no one can get in first.
    if (QDir::isAbsolutePath(cacheHome)) {
        QDir().mkpath(cacheHome);
        tryFolder(QDir::cleanPath(cacheHome) + QStringLiteral("/quillstack"), {});
    }
    return choice;
}
