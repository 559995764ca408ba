// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QString>

#include <optional>

#include "platform/freedesktop/XdgFolders.h"

// The per-user private folder under the temporary directory, quillstack-<uid>, and the blob
// folder inside it. Both are mode 0700, real directories (not symlinks) owned by this user; a
// folder that someone else planted is refused rather than used.
class PrivateTempDirectory {
  public:
    static inline const QString blobFolderName = QStringLiteral("QuillstackBlobs");

    // $TMPDIR when it is set to an absolute path, else /tmp.
    static QString defaultRoot();
    // <root>/quillstack-<uid>, created or repaired; nothing when it cannot be trusted.
    static std::optional<QString> privateDirectory(const QString& tmpRoot = defaultRoot());
    // <private directory>/QuillstackBlobs, created or repaired; nothing when it cannot be trusted.
    static std::optional<QString> blobDirectory(const QString& tmpRoot = defaultRoot());
    // <folder>/QuillstackBlobs, created or repaired; nothing when it cannot be trusted.
    static std::optional<QString> blobDirectoryIn(const QString& folder);

    struct Refusal {
        QString folder;
        QString reason;  // in English, "is a symbolic link", marked for translation in the context
                         // PrivateFiles
    };
    struct InstanceFolder {
        std::optional<QString> path;  // nothing when every folder was refused
        QList<Refusal> refused;       // in the order they were tried
    };
    // The display whose clipboard this process serves, as a folder name: each display has a
    // clipboard of its own, so a user's local and remote sessions each run their own Quillstack,
    // and a command reaches the one of its own display. WAYLAND_DISPLAY (a socket's name or path)
    // first, then DISPLAY without its screen number; empty when neither is set.
    static QString displayFolderName(
        const QString& waylandDisplay = qEnvironmentVariable("WAYLAND_DISPLAY"),
        const QString& x11Display = qEnvironmentVariable("DISPLAY"));
    // Where the instance lock, the socket and the blob folder live: the first folder that can be
    // trusted of <$XDG_RUNTIME_DIR>/quillstack, <tmpRoot>/quillstack-<uid> and
    // <cacheHome>/quillstack (no other user can create the last one first), with the display's
    // folder inside when there is one; created or repaired like the others.
    static InstanceFolder instanceDirectory(const QString& xdgRuntimeDir = XdgFolders::runtimeDir(),
                                            const QString& tmpRoot = defaultRoot(),
                                            const QString& cacheHome = XdgFolders::cacheHome(),
                                            const QString& display = displayFolderName());
};
