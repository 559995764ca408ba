// SPDX-License-Identifier: MIT
#include "platform/freedesktop/PrivateFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

namespace PrivateFiles {

namespace {

const QString symbolicLink =
    QStringLiteral(QT_TRANSLATE_NOOP("PrivateFiles", "is a symbolic link"));
const QString notAFolder = QStringLiteral(QT_TRANSLATE_NOOP("PrivateFiles", "is not a folder"));
const QString otherUser =
    QStringLiteral(QT_TRANSLATE_NOOP("PrivateFiles", "belongs to another user"));
const QString othersMayChange =
    QStringLiteral(QT_TRANSLATE_NOOP("PrivateFiles", "can be changed by other users"));
const QString cannotCreate = QStringLiteral(QT_TRANSLATE_NOOP("PrivateFiles", "cannot be created"));
const QString notAFile = QStringLiteral(QT_TRANSLATE_NOOP("PrivateFiles", "is not a regular file"));
const QString tooLarge = QStringLiteral(QT_TRANSLATE_NOOP("PrivateFiles", "is too large"));
const QString cannotRead = QStringLiteral(QT_TRANSLATE_NOOP("PrivateFiles", "cannot be read"));
const QString cannotWrite = QStringLiteral(QT_TRANSLATE_NOOP("PrivateFiles", "cannot be written"));

class Descriptor {
  public:
    explicit Descriptor(int fd = -1) : m_fd(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    int get() const { return m_fd; }
    int release() { return std::exchange(m_fd, -1); }
    void reset(int fd) {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
        m_fd = fd;
    }

  private:
    int m_fd;
};

// The user's private group: named after the user, with no other members. umask 002 leaves our
// parents writable by it, which lets no one else in.
bool isPrivateGroup(gid_t gid) {
    const struct passwd* user = ::getpwuid(::geteuid());
    if (user == nullptr || user->pw_gid != gid) {
        return false;
    }
    const QByteArray userName = user->pw_name;
    const struct group* group = ::getgrgid(gid);
    return group != nullptr && userName == group->gr_name &&
           (group->gr_mem == nullptr || group->gr_mem[0] == nullptr);
}

// Whether someone other than the user (and root) may add, remove or rename entries in a folder
// on the way to ours, and so swap our folder for theirs.
bool othersMayReplaceIn(const struct stat& st) {
    if (st.st_uid != 0 && st.st_uid != ::geteuid()) {
        return true;
    }
    if ((st.st_mode & S_ISVTX) != 0) {
        return false;
    }
    if ((st.st_mode & S_IWOTH) != 0) {
        return true;
    }
    return (st.st_mode & S_IWGRP) != 0 && !isPrivateGroup(st.st_gid);
}

// Every folder from the root down to `parent` (links resolved: a data folder on another disk
// is common) may only be changed by the user.
QString ancestorsRefusal(const QString& parent) {
    const QString canonical = QFileInfo(parent).canonicalFilePath();
    if (canonical.isEmpty()) {
        return cannotCreate;
    }
    for (QString path = canonical;; path = QFileInfo(path).path()) {
        struct stat st {};
        if (::stat(QFile::encodeName(path).constData(), &st) != 0) {
            return cannotCreate;
        }
        if (othersMayReplaceIn(st)) {
            return othersMayChange;
        }
        if (path == QStringLiteral("/")) {
            return {};
        }
    }
}

// Makes each missing folder up to `path`, 0700 whatever the umask.
bool makeFolders(const QString& path) {
    if (QFileInfo::exists(path)) {
        return true;
    }
    const QString parent = QFileInfo(path).path();
    if (parent != path && !makeFolders(parent)) {
        return false;
    }
    const QByteArray native = QFile::encodeName(path);
    if (::mkdir(native.constData(), 0700) != 0) {
        return errno == EEXIST;
    }
    // The umask may have taken the owner's own bits.
    return ::chmod(native.constData(), 0700) == 0;
}

// Checks a name in the folder without following it: a regular file of ours, or absent.
QString entryRefusal(int dirfd, const QByteArray& name, bool* exists) {
    struct stat st {};
    *exists = ::fstatat(dirfd, name.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0;
    if (!*exists) {
        return errno == ENOENT ? QString() : cannotRead;
    }
    if (S_ISLNK(st.st_mode)) {
        return symbolicLink;
    }
    if (!S_ISREG(st.st_mode)) {
        return notAFile;
    }
    return st.st_uid == ::geteuid() ? QString() : otherUser;
}

QString temporaryPattern(const QString& name) {
    return QRegularExpression::escape(name) + QStringLiteral("\\.[A-Za-z0-9]{6}");
}

// Passes every write through and remembers whether one fell short: a full disk stores part of
// a buffer without an error, and writers such as QCborStreamWriter ignore what write() returns.
class CheckedWriter final : public QIODevice {
  public:
    explicit CheckedWriter(int fd) : m_fd(fd) {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    bool failed() const { return m_failed; }

  protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 length) override {
        qint64 done = 0;
        while (!m_failed && done < length) {
            const ssize_t n = ::write(m_fd, data + done, size_t(length - done));
            if (n > 0) {
                done += n;
            } else if (n < 0 && errno == EINTR) {
                continue;
            } else {
                m_failed = true;
            }
        }
        return m_failed ? -1 : length;
    }

  private:
    int m_fd;
    bool m_failed = false;
};

}  // namespace

Folder::Folder(Folder&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)),
      m_missing(other.m_missing),
      m_path(std::move(other.m_path)),
      m_refusal(std::move(other.m_refusal)) {}

Folder& Folder::operator=(Folder&& other) noexcept {
    if (this != &other) {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
        m_fd = std::exchange(other.m_fd, -1);
        m_missing = other.m_missing;
        m_path = std::move(other.m_path);
        m_refusal = std::move(other.m_refusal);
    }
    return *this;
}

Folder::~Folder() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

Folder openFolder(const QString& path, bool create) {
    Folder folder;
    folder.m_path = QDir::cleanPath(path);
    const QString parent = QFileInfo(folder.m_path).path();
    const QByteArray native = QFile::encodeName(folder.m_path);
    struct stat st {};
    if (!QDir::isAbsolutePath(folder.m_path) || folder.m_path == QStringLiteral("/")) {
        folder.m_refusal = cannotCreate;
        return folder;
    }
    if (::lstat(native.constData(), &st) != 0) {
        if (errno != ENOENT) {
            folder.m_refusal = cannotCreate;
            return folder;
        }
        if (!create) {
            folder.m_missing = true;
            return folder;
        }
        if (!makeFolders(parent)) {
            folder.m_refusal = cannotCreate;
            return folder;
        }
    }
    // The way there first: a folder others may rename could be swapped after any check.
    folder.m_refusal = ancestorsRefusal(parent);
    if (!folder.m_refusal.isEmpty()) {
        return folder;
    }
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST) {
        folder.m_refusal = cannotCreate;
        return folder;
    }
    // Checked and repaired through a descriptor opened without following links, so that the
    // check, the repair and every later use apply to the same folder.
    Descriptor fd(::open(native.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (fd.get() < 0) {
        const int error = errno;
        if (error == ELOOP || (::lstat(native.constData(), &st) == 0 && S_ISLNK(st.st_mode))) {
            folder.m_refusal = symbolicLink;
        } else {
            folder.m_refusal = error == ENOTDIR ? notAFolder : cannotCreate;
        }
        return folder;
    }
    if (::fstat(fd.get(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        folder.m_refusal = notAFolder;
    } else if (st.st_uid != ::geteuid()) {
        folder.m_refusal = otherUser;
    } else if ((st.st_mode & 07777) != 0700 && ::fchmod(fd.get(), 0700) != 0) {
        folder.m_refusal = othersMayChange;
    } else {
        folder.m_fd = fd.release();
    }
    return folder;
}

QString folderRefusal(const QString& path) {
    return openFolder(path, true).refusal();
}

std::unique_ptr<QFile> openFile(const Folder& folder, const QString& name, qint64 maxBytes,
                                FileRead* outcome) {
    FileRead& result = *outcome;
    result = {};
    if (!folder.isOpen()) {
        result.status = folder.isMissing() ? FileRead::Status::Missing : FileRead::Status::Refused;
        result.problem = folder.refusal();
        return nullptr;
    }
    // Non-blocking: a FIFO planted here would otherwise hang the reader until someone writes.
    Descriptor fd(::openat(folder.descriptor(), QFile::encodeName(name).constData(),
                           O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0) {
        const int error = errno;
        if (error != ENOENT) {
            result.status = FileRead::Status::Refused;
            result.problem = error == ELOOP ? symbolicLink : cannotRead;
        }
        return nullptr;
    }
    struct stat st {};
    result.status = FileRead::Status::Refused;
    if (::fstat(fd.get(), &st) != 0) {
        result.status = FileRead::Status::Failed;
        result.problem = cannotRead;
    } else if (!S_ISREG(st.st_mode)) {
        result.problem = notAFile;
    } else if (st.st_uid != ::geteuid()) {
        result.problem = otherUser;
    } else if (st.st_size > maxBytes) {
        result.status = FileRead::Status::Failed;
        result.problem = tooLarge;
    } else {
        auto file = std::make_unique<QFile>();
        if (file->open(fd.get(), QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
            fd.release();
            result.status = FileRead::Status::Read;
            return file;
        }
        result.status = FileRead::Status::Failed;
        result.problem = cannotRead;
    }
    return nullptr;
}

FileRead readFile(const Folder& folder, const QString& name, qint64 maxBytes) {
    FileRead result;
    const std::unique_ptr<QFile> file = openFile(folder, name, maxBytes, &result);
    if (!file) {
        return result;
    }
    // The file may still grow while we read: the cap holds whatever it does.
    result.bytes.reserve(qsizetype(file->size()));
    while (result.bytes.size() <= maxBytes) {
        const QByteArray chunk =
            file->read(qMin<qint64>(maxBytes + 1 - result.bytes.size(), 1 << 20));
        if (chunk.isEmpty()) {
            break;
        }
        result.bytes += chunk;
    }
    if (file->error() != QFileDevice::NoError || result.bytes.size() > maxBytes) {
        result.status = FileRead::Status::Failed;
        result.problem = file->error() != QFileDevice::NoError ? cannotRead : tooLarge;
        result.bytes.clear();
    }
    return result;
}

QString writeFile(const Folder& folder, const QString& name,
                  const std::function<bool(QIODevice&)>& body) {
    if (!folder.isOpen()) {
        return folder.refusal().isEmpty() ? cannotCreate : folder.refusal();
    }
    const int dirfd = folder.descriptor();
    const QByteArray target = QFile::encodeName(name);
    bool exists = false;
    if (QString refusal = entryRefusal(dirfd, target, &exists); !refusal.isEmpty()) {
        return refusal;
    }
    static constexpr char alphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray temporary;
    Descriptor fd;
    for (int attempt = 0; attempt < 100 && fd.get() < 0; ++attempt) {
        temporary = target + '.';
        for (int i = 0; i < 6; ++i) {
            temporary += alphabet[QRandomGenerator::system()->bounded(int(sizeof alphabet - 1))];
        }
        fd.reset(::openat(dirfd, temporary.constData(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (fd.get() < 0 && errno != EEXIST) {
            return cannotWrite;
        }
    }
    if (fd.get() < 0) {
        return cannotWrite;
    }
    bool complete = false;
    {
        CheckedWriter writer(fd.get());
        complete = ::fchmod(fd.get(), 0600) == 0 && body(writer) && !writer.failed();
    }
    // Synced before it takes the name, so a crash leaves the old file or the whole new one.
    if (!complete || ::fsync(fd.get()) != 0 ||
        ::renameat(dirfd, temporary.constData(), dirfd, target.constData()) != 0) {
        ::unlinkat(dirfd, temporary.constData(), 0);
        return cannotWrite;
    }
    return {};
}

bool removeFile(const Folder& folder, const QString& name) {
    if (!folder.isOpen()) {
        return folder.isMissing();
    }
    const QByteArray native = QFile::encodeName(name);
    bool exists = false;
    if (!entryRefusal(folder.descriptor(), native, &exists).isEmpty()) {
        return false;
    }
    return !exists || ::unlinkat(folder.descriptor(), native.constData(), 0) == 0 ||
           errno == ENOENT;
}

QString moveAside(const Folder& folder, const QString& name, const QString& suffix) {
    if (!folder.isOpen()) {
        return {};
    }
    const QByteArray from = QFile::encodeName(name);
    for (int n = 0; n < 100; ++n) {
        const QString aside =
            name + suffix + (n == 0 ? QString() : QStringLiteral("-") + QString::number(n));
        const QByteArray to = QFile::encodeName(aside);
        // A hard link keeps any file already there, then the old name goes.
        if (::linkat(folder.descriptor(), from.constData(), folder.descriptor(), to.constData(),
                     0) == 0) {
            ::unlinkat(folder.descriptor(), from.constData(), 0);
            return aside;
        }
        if (errno != EEXIST) {
            // Some file systems have no hard links; a rename checked just before is close.
            struct stat st {};
            if (::fstatat(folder.descriptor(), to.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0 &&
                errno == ENOENT &&
                ::renameat(folder.descriptor(), from.constData(), folder.descriptor(),
                           to.constData()) == 0) {
                return aside;
            }
            return {};
        }
    }
    return {};
}

void removeTemporaries(const Folder& folder, const QString& name) {
    if (!folder.isOpen()) {
        return;
    }
    const int listing = ::dup(folder.descriptor());
    DIR* dir = listing >= 0 ? ::fdopendir(listing) : nullptr;
    if (dir == nullptr) {
        if (listing >= 0) {
            ::close(listing);
        }
        return;
    }
    const QRegularExpression pattern(QRegularExpression::anchoredPattern(temporaryPattern(name)));
    while (const struct dirent* entry = ::readdir(dir)) {
        const QByteArray entryName = entry->d_name;
        bool exists = false;
        if (pattern.match(QFile::decodeName(entryName)).hasMatch() &&
            entryRefusal(folder.descriptor(), entryName, &exists).isEmpty() && exists) {
            ::unlinkat(folder.descriptor(), entryName.constData(), 0);
        }
    }
    ::closedir(dir);
}

}  // namespace PrivateFiles
