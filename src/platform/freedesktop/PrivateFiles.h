// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

class QFile;
class QIODevice;

// The one rule for every file of ours in a user folder (pins, and whatever else we keep):
// - a folder we make is 0700 whatever the umask, and so is each parent we make for it;
// - the folder must be a real folder (no link) owned by the user, in which no other user can
//   add, remove or rename anything: no folder on the way to it may be writable by others unless
//   sticky, except by the user's own private group (what umask 002 leaves). Only our own
//   folder's mode is ever repaired;
// - a file is opened relative to the checked folder with O_NOFOLLOW | O_NONBLOCK, must be a
//   regular file owned by the user, and is read up to a cap checked on the open descriptor;
// - a file is replaced whole through a temporary beside it, never written through a link; a
//   temporary left by a killed run is removed the next time the folder is opened for it.
// A refusal is English ("is a symbolic link", marked for translation in the context
// PrivateFiles); the caller tells the user and leaves the refused file alone.
namespace PrivateFiles {

class Folder {
  public:
    Folder() = default;
    Folder(Folder&& other) noexcept;
    Folder& operator=(Folder&& other) noexcept;
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;
    ~Folder();

    // Open and trusted.
    bool isOpen() const { return m_fd >= 0; }
    // Not there, and not made because it was not asked for.
    bool isMissing() const { return m_missing; }
    const QString& path() const { return m_path; }
    // Why it cannot be trusted; empty when open or missing.
    const QString& refusal() const { return m_refusal; }
    int descriptor() const { return m_fd; }

  private:
    friend Folder openFolder(const QString& path, bool create);
    int m_fd = -1;
    bool m_missing = false;
    QString m_path;
    QString m_refusal;
};

// The folder, made with its missing parents when `create`, checked by the rule above.
Folder openFolder(const QString& path, bool create);
// Empty when the folder can be trusted (made or repaired as needed), else why not.
QString folderRefusal(const QString& path);

struct FileRead {
    enum class Status { Missing, Read, Refused, Failed };
    Status status = Status::Missing;
    QByteArray bytes;  // when Read
    QString problem;   // when Refused or Failed: in English, marked for translation
};
// The whole file `name` in the folder, when it is a regular file of ours of at most maxBytes.
FileRead readFile(const Folder& folder, const QString& name, qint64 maxBytes);
// The same checks, for a reader that streams: the open file (it closes its descriptor), at
// most maxBytes long when opened; a null file with the status and problem otherwise.
std::unique_ptr<QFile> openFile(const Folder& folder, const QString& name, qint64 maxBytes,
                                FileRead* outcome);

// Replaces `name` with what `body` writes (false gives the write up), mode 0600 from the first
// byte, synced before it takes the name: all or nothing. An existing `name` that is not a
// regular file of ours is refused and left alone. Empty on success, else why not.
QString writeFile(const Folder& folder, const QString& name,
                  const std::function<bool(QIODevice&)>& body);
// Removes `name` when it is a regular file of ours (or absent); false when refused or failed.
bool removeFile(const Folder& folder, const QString& name);
// Renames `name` to a new name beside it that starts with `name` + `suffix`, so that nothing
// overwrites it; the new name, or empty when it could not be moved.
QString moveAside(const Folder& folder, const QString& name, const QString& suffix);
// The temporaries writeFile leaves behind when killed mid-write.
void removeTemporaries(const Folder& folder, const QString& name);

}  // namespace PrivateFiles
