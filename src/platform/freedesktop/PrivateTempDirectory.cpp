#include "platform/freedesktop/PrivateTempDirectory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

namespace {

// A parent that others may write to, without the sticky bit, lets them rename our folder away
// and put theirs in its place.
bool othersMayReplaceIn(const struct stat& parent) {
    return (parent.st_mode & (S_IWGRP | S_IWOTH)) != 0 && (parent.st_mode & S_ISVTX) == 0;
}

// Makes the folder if needed, then checks it through a descriptor opened without following
// links, so the check and the repair apply to the same inode. Empty when it can be trusted, else
// why not (an English key of the string tables).
QString ensurePrivateFolder(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    struct stat parent {};
    if (::stat(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), &parent) != 0) {
        return QStringLiteral("cannot be created");
    }
    if (othersMayReplaceIn(parent)) {
        return QStringLiteral("can be changed by other users");
    }
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST) {
        return QStringLiteral("cannot be created");
    }
    const int fd = ::open(native.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        struct stat st {};
        if (error == ELOOP || (::lstat(native.constData(), &st) == 0 && S_ISLNK(st.st_mode))) {
            return QStringLiteral("is a symbolic link");
        }
        return error == ENOTDIR ? QStringLiteral("is not a folder")
                                : QStringLiteral("cannot be created");
    }
    struct stat st {};
    QString refusal;
    if (::fstat(fd, &st) != 0 || !S_ISDIR(st.st_mode)) {
        refusal = QStringLiteral("is not a folder");
    } else if (st.st_uid != ::geteuid()) {
        refusal = QStringLiteral("belongs to another user");
    } else if ((st.st_mode & 07777) != 0700 && ::fchmod(fd, 0700) != 0) {
        refusal = QStringLiteral("can be changed by other users");
    }
    ::close(fd);
    return refusal;
}

// The session's runtime folder is made by the login manager; we only use it when it is a real
// folder of ours that no one else may write to, and never change its mode.
QString runtimeRootRefusal(const QString& path) {
    if (!QDir::isAbsolutePath(path)) {
        return QStringLiteral("is not set");
    }
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0) {
        return QStringLiteral("cannot be created");
    }
    if (S_ISLNK(st.st_mode)) {
        return QStringLiteral("is a symbolic link");
    }
    if (!S_ISDIR(st.st_mode)) {
        return QStringLiteral("is not a folder");
    }
    if (st.st_uid != ::geteuid()) {
        return QStringLiteral("belongs to another user");
    }
    return (st.st_mode & (S_IWGRP | S_IWOTH)) != 0 ? QStringLiteral("can be changed by other users")
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
    if (!ensurePrivateFolder(path).isEmpty()) {
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
    if (!ensurePrivateFolder(path).isEmpty()) {
        return std::nullopt;
    }
    return path;
}

std::optional<QString> PrivateTempDirectory::privateFolder(const QString& path) {
    const QString clean = QDir::cleanPath(path);
    if (!QDir::isAbsolutePath(clean) || !QDir().mkpath(QFileInfo(clean).absolutePath()) ||
        !ensurePrivateFolder(clean).isEmpty()) {
        return std::nullopt;
    }
    return clean;
}

PrivateTempDirectory::InstanceFolder PrivateTempDirectory::instanceDirectory(
    const QString& xdgRuntimeDir, const QString& tmpRoot, const QString& cacheHome) {
    InstanceFolder choice;
    const auto tryFolder = [&choice](const QString& path, QString refusal) {
        if (refusal.isEmpty()) {
            refusal = ensurePrivateFolder(path);
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

std::optional<QString> PrivateTempDirectory::runtimeDirectory(const QString& xdgRuntimeDir,
                                                              const QString& tmpRoot) {
    return instanceDirectory(xdgRuntimeDir, tmpRoot, {}).path;
}
