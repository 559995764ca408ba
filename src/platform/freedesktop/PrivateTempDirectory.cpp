#include "platform/freedesktop/PrivateTempDirectory.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

namespace {

// Makes the folder if needed, then checks it through a descriptor opened without following
// links, so the check and the repair apply to the same inode.
bool ensurePrivateFolder(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST) {
        return false;
    }
    const int fd = ::open(native.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        return false;  // a symlink (ELOOP), not a folder (ENOTDIR), or gone
    }
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid();
    if (ok && (st.st_mode & 07777) != 0700) {
        ok = ::fchmod(fd, 0700) == 0;
    }
    ::close(fd);
    return ok;
}

// The session's runtime folder is made by the login manager; we only use it when it is a real
// folder of ours, and never change its mode.
bool isOwnFolder(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
           st.st_uid == ::geteuid();
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
    if (!ensurePrivateFolder(path)) {
        return std::nullopt;
    }
    return path;
}

std::optional<QString> PrivateTempDirectory::blobDirectory(const QString& tmpRoot) {
    const std::optional<QString> parent = privateDirectory(tmpRoot);
    if (!parent) {
        return std::nullopt;
    }
    const QString path = *parent + QLatin1Char('/') + blobFolderName;
    if (!ensurePrivateFolder(path)) {
        return std::nullopt;
    }
    return path;
}

std::optional<QString> PrivateTempDirectory::runtimeDirectory(const QString& xdgRuntimeDir,
                                                              const QString& tmpRoot) {
    if (QDir::isAbsolutePath(xdgRuntimeDir) && isOwnFolder(xdgRuntimeDir)) {
        const QString path = QDir::cleanPath(xdgRuntimeDir) + QStringLiteral("/quillstack");
        if (ensurePrivateFolder(path)) {
            return path;
        }
    }
    return privateDirectory(tmpRoot);
}
